#include "ScriptClipboard.h"

#include "EventCommandBlocks.h"
#include "records/Stream.h"

namespace tarvel {

std::vector<uint8_t> ScriptLinesBlock(const TQelEventScriptList& lines) {
    TMemoryStream body;
    lines.WriteLines(body);
    TMemoryStream block;
    block.WriteUInt32LE(uint32_t(body.Size()));
    block.Write(body.Data(), size_t(body.Size()));
    return std::move(block.Bytes());
}

bool ReadScriptLinesBlock(const std::vector<uint8_t>& block, TQelEventScriptList& lines) {
    lines.Clear();
    if (block.size() < 4) return false;
    TMemoryStream header(block.data(), 4);
    const uint32_t size = header.ReadUInt32LE();
    if (size > block.size() - 4) return false;
    try {
        TMemoryStream body(block.data() + 4, size);
        lines.ReadLines(body);
    } catch (const EReadError&) {
        lines.Clear();
        return false;
    }
    if (lines.Count() == 0 || !IsWholeCommandRun(lines)) {
        lines.Clear();
        return false;
    }
    return true;
}

namespace {

// What the walk expects next: commands at a level (a body ends with its empty line, the outer run
// with the lines), or the label and end lines of a head.
struct Expectation {
    bool body = false;
    int64_t level = 0;
    // For a head: the lines still to come after it.
    bool head = false;
    std::vector<TBlockPart> parts;
    size_t next = 0;

    static Expectation Commands(int64_t level, bool body) {
        Expectation e;
        e.body = body;
        e.level = level;
        return e;
    }
    static Expectation Head(int64_t level, std::vector<TBlockPart> parts) {
        Expectation e;
        e.head = true;
        e.level = level;
        e.parts = std::move(parts);
        return e;
    }
};

} // namespace

bool IsWholeCommandRun(const TQelEventScriptList& lines) {
    const int n = lines.Count();
    if (n == 0) return false;
    // Levels are 64-bit so that a body below the deepest indent a file can hold still has one.
    std::vector<Expectation> stack;
    stack.push_back(Expectation::Commands(lines.Line(0)->Indent, false));
    int i = 0;
    while (!stack.empty()) {
        Expectation& top = stack.back();
        if (top.head) {
            if (top.next == top.parts.size()) {
                stack.pop_back();
                continue;
            }
            const TBlockPart part = top.parts[top.next++];
            const TQelEventScriptLine* line = lines.Line(i);
            if (!line || line->Indent != top.level || line->Code != part.Code) return false;
            if (part.HasParam && line->Param(0) != part.Param) return false;
            ++i;
            if (part.HasBody) stack.push_back(Expectation::Commands(top.level + 1, true));
            continue;
        }
        const TQelEventScriptLine* line = lines.Line(i);
        if (!line) return !top.body && stack.size() == 1;
        if (line->Indent != top.level || !IsCommandCode(line->Code)) return false;
        ++i;
        if (line->Code == EmptyLineCode) {
            // Only a body ends with it.
            if (!top.body) return false;
            stack.pop_back();
            continue;
        }
        const TCommandBlock* block = BlockOfHead(line->Code);
        if (!block) continue;
        const int64_t level = top.level;
        if (block->ContinuationCode) {
            while (i < n && lines.Line(i)->Code == block->ContinuationCode && lines.Line(i)->Indent == level)
                ++i;
            continue;
        }
        const bool bodyAfterHead = block->BodyAfterHead;
        stack.push_back(Expectation::Head(level, BlockLayout(*line)));
        if (bodyAfterHead) stack.push_back(Expectation::Commands(level + 1, true));
    }
    return false;
}

} // namespace tarvel
