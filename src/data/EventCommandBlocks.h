#pragma once

// The block structure of event scripts, in one table: which command codes open a block, which
// codes continue their text, label their branches and close them, and which of those lines a head
// line's parameters call for. The script list, the command dialogs and the paste filters all read
// structure from here, so they can never disagree about where a command ends.
//
// A command with branches is a run of lines: the head, then for each branch a label line at the
// head's indent followed by the branch body one level deeper, then an end line at the head's
// indent. Every body ends with an empty line (code 10) at the body's indent; a whole script ends
// with one end-of-script line (code 0) at indent 0. Codes of 20000 and above never start a
// command: each is its head's code plus 10000, its last digit counting the labels and the end line.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Event.h"

namespace tarvel {

// Codes from here on only continue, label or close the command whose head is 10000 below.
constexpr int32_t FirstFollowCode = 20000;

// One block-forming command: its head code and the codes of the lines that belong to it.
struct TCommandBlock {
    int32_t HeadCode = 0;
    // Further text lines of a message or comment, each at the head's indent (0: none).
    int32_t ContinuationCode = 0;
    // The head is directly followed by a body (a fork's then-branch, a cycle's body).
    bool BodyAfterHead = false;
    // The branch-label codes in the order they are written (Show Choice writes its one label code
    // once per choice).
    std::vector<int32_t> LabelCodes;
    // The line that closes the block (0: none).
    int32_t EndCode = 0;
};

// Every block-forming command: 10110, 12410, 10140, 10710, 10720, 10730, 12010, 13310, 12210.
const std::vector<TCommandBlock>& CommandBlocks();
// The block whose head is this code, or nullptr for a one-line command.
const TCommandBlock* BlockOfHead(int32_t code);
// The block a code belongs to as head, continuation, label or end line, or nullptr.
const TCommandBlock* BlockOfCode(int32_t code);

// A code that can start a command (every code below 20000, the end lines 0 and 10 included).
inline bool IsCommandCode(int32_t code) {
    return code < FirstFollowCode;
}
// The end-of-script line and the empty line that ends a branch body. They count as command heads
// for selection but are never edited, cut, copied or deleted as commands.
inline bool IsEndLineCode(int32_t code) {
    return code == EndOfScriptCode || code == EmptyLineCode;
}
// The head code a follow code belongs to (22011 -> 12010); the code itself below 20000.
int32_t HeadCodeOf(int32_t code);
bool IsContinuationCode(int32_t code);
bool IsBranchLabelCode(int32_t code);
bool IsBlockEndCode(int32_t code);

// One line that follows a head in a stored script: a branch label or the end line.
struct TBlockPart {
    int32_t Code = 0;
    // The label line carries one parameter (a choice's index, 4 for the cancel branch).
    bool HasParam = false;
    int32_t Param = 0;
    // A choice label's text.
    std::string Text;
    // A body follows this line.
    bool HasBody = false;
};

// The label and end lines that a head line's parameters and string call for, in order (message
// and comment continuation lines, whose number is that of the text's lines, are not included):
// - 10140: for each choice j (the string split at "/", at most four) a 20140 label with p0 = j and
//   the choice text; when the cancel setting p0 is 5 a 20140 label with p0 = 4 and no text; 20141.
// - 10710: 20710, 20711 when escape p3 is 2, 20712 when defeat p4 is 1, and 20713; nothing at all
//   unless escape is 2 or defeat is 1.
// - 10720, 10730: both labels and the end line only when p2 is 1.
// - 12010, 13310: the else label only when p5 is 1; the end line always.
// - 12210: its end line.
// Empty for any other code.
std::vector<TBlockPart> BlockLayout(const TQelEventScriptLine& head);

// The choice texts of a Show Choice head: its string split at "/", at most four.
std::vector<std::string> ChoiceTexts(const std::string& text);

// A new command from its head line: the head at indent 0, then every part of its layout at
// indent 0 with an empty body (one code-10 line at indent 1) wherever a body belongs. This is what
// a command dialog writes for a new block command.
std::vector<TQelEventScriptLine> BlockSkeleton(const TQelEventScriptLine& head);

// The position just after the command that starts at index: the next line that has the same
// indent and a code below 20000, or the end of the script. Continuation, label and end lines and
// every deeper body line in between belong to the command.
int CommandExtent(const TQelEventScriptList& script, int index);

} // namespace tarvel
