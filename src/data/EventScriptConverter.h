#pragma once

// The text form of event commands: every script line as the one line the script list shows for
// it, with switch, variable, hero, item, map, event and monster names looked up where it is shown.
// The script list reads block structure back from these texts (two blanks per indent level, "<>"
// in front of every command head), so every blank here is part of the editing behaviour.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Event.h"

namespace tarvel {

class TQelDataBase;
class TQelMap;
class TQelMapTree;
class TQelMonGroupItem;

// Where a script is shown. The editor that owns the converter fills this before use and refreshes
// it whenever the edited event, the map or the group changes.
struct TEventScriptContext {
    // The event being edited (0 when there is none) and its working copy, whose name may differ
    // from the stored one while the editor is open.
    int32_t EventID = 0;
    const TQelEventItem* Event = nullptr;
    // For map names.
    const TQelMapTree* MapTree = nullptr;
    // For the names of events: the event's own map, the map a common event was opened with, or
    // none in battle scripts.
    const TQelMap* Map = nullptr;
    // For member names in battle scripts; none elsewhere.
    const TQelMonGroupItem* MonGroup = nullptr;
    // The database the names come from; nullptr means the process-wide one.
    const TQelDataBase* DataBase = nullptr;
};

// Turns script lines into their display text. It only reads: lookups are by ID, and a record,
// map, event or member that does not exist shows as "?" instead of failing.
class TEventScriptConverter {
public:
    TEventScriptConverter() = default;
    explicit TEventScriptConverter(const TEventScriptContext& context) : mContext(context) {}

    const TEventScriptContext& Context() const { return mContext; }
    TEventScriptContext& Context() { return mContext; }
    void SetContext(const TEventScriptContext& context) { mContext = context; }

    // The display text of one line, indentation ("  " per level) included. Never fails: an error
    // while composing (a move route that ends inside a command, for one) gives
    // "<>Data Broken. Sorry! " without indentation, and the line itself stays as it is.
    std::string DescribeLine(const TQelEventScriptLine& line) const;
    // Every line of a script, in order.
    std::vector<std::string> DescribeScript(const TQelEventScriptList& script) const;

private:
    TEventScriptContext mContext;
};

// The text that replaces a line that cannot be composed.
extern const char* const BrokenLineText;
// Indent levels beyond this are broken data (a file can claim any depth; drawing two billion
// blanks would only hang the editor).
constexpr int32_t MaxDescribedIndent = 10000;

} // namespace tarvel
