#pragma once

// Event scripts, pages and events: the script line and its byte encoding, the script list, the
// page base shared by map event pages, battle event pages and common events, the page condition,
// the map event page, the event, and the lists of pages and events.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "LD_Common.h"
#include "LD_MoveRoute.h"
#include "records/Catalog.h"

namespace tarvel {

// Command codes the data code itself relies on (the meaning of every code lives with the
// command text renderer).
constexpr int32_t EndOfScriptCode = 0;
constexpr int32_t EmptyLineCode = 10;

// One command line of a script: a code, the nesting depth, one text argument and integer
// parameters. Encoded as varint code, varint indent, counted text, varint parameter count and
// the parameters as varints.
class TQelEventScriptLine {
public:
    int32_t Code = 0;
    int32_t Indent = 0;
    std::string Text;
    std::vector<int32_t> Params;

    TQelEventScriptLine() = default;
    TQelEventScriptLine(int32_t code, int32_t indent, std::string text = {}, std::vector<int32_t> params = {})
        : Code(code), Indent(indent), Text(std::move(text)), Params(std::move(params)) {}

    int32_t ParamCount() const { return static_cast<int32_t>(Params.size()); }
    // Re-sizes the parameters; new entries are 0.
    void SetParamCount(int32_t n) { Params.resize(n > 0 ? static_cast<size_t>(n) : 0, 0); }
    // Parameter i, or 0 beyond the parameters (renderers rely on this padding).
    int32_t Param(int i) const { return i >= 0 && i < ParamCount() ? Params[static_cast<size_t>(i)] : 0; }
    // Ignored beyond the parameters.
    void SetParam(int i, int32_t value) {
        if (i >= 0 && i < ParamCount()) Params[static_cast<size_t>(i)] = value;
    }
    void Assign(const TQelEventScriptLine& line) { *this = line; }

    // Reads one line; raises EReadError when the bytes end inside it. A parameter count beyond
    // what the rest of the stream can hold is a read error, not an allocation.
    void Read(TMemoryStream& stream);
    void Write(TMemoryStream& stream) const;

    bool operator==(const TQelEventScriptLine& other) const {
        return Code == other.Code && Indent == other.Indent && Text == other.Text && Params == other.Params;
    }
};

// An owning, ordered list of script lines; the byte encoding is the lines back to back with no
// count and no terminator.
class TQelEventScriptList {
public:
    TQelEventScriptList() = default;
    TQelEventScriptList(const TQelEventScriptList&) = delete;
    TQelEventScriptList& operator=(const TQelEventScriptList&) = delete;

    int Count() const { return static_cast<int>(mLines.size()); }
    // The line at a position, or nullptr outside the list.
    TQelEventScriptLine* Line(int index) const;
    TQelEventScriptLine* Add(std::unique_ptr<TQelEventScriptLine> line);
    // Adds a copy of the line.
    TQelEventScriptLine* Add(const TQelEventScriptLine& line);
    // Inserts a line before the one at index (clamped to 0..Count).
    TQelEventScriptLine* Insert(int index, std::unique_ptr<TQelEventScriptLine> line);
    void Delete(int index);
    void Clear() { mLines.clear(); }
    // Replaces the lines with copies of the source's.
    void Assign(const TQelEventScriptList& source);

    // Inserts copies of all lines of source before the line at position. Each copy's indent is
    // base + indentDelta + (its indent in source - the indent of source's first line), where base
    // is the indent of the line at position (of the last line when position is Count), so a
    // pasted block keeps its inner structure and takes the depth of the place it lands in.
    // Requires 0 <= position <= Count and a non-empty source ("LD_Event" assertion).
    void InsertLines(int position, const TQelEventScriptList& source, int32_t indentDelta);

    // Clears the list, then reads lines until the stream ends. A line cut short raises EReadError;
    // the lines before it stay.
    void ReadLines(TMemoryStream& stream);
    void WriteLines(TMemoryStream& stream) const;

    auto begin() const { return mLines.begin(); }
    auto end() const { return mLines.end(); }

private:
    std::vector<std::unique_ptr<TQelEventScriptLine>> mLines;
};

// The base of everything that owns a script: map event pages, battle event pages and common
// events. The script is stored as two chunks whose IDs each class chooses (a size and a buffer);
// editors work on the parsed Script, which is parsed after a load and encoded before a save.
class TQelBaseEventPageItem : public TCatalogItem {
public:
    int32_t ScriptSize;
    std::vector<uint8_t> ScriptData;
    TQelEventScriptList Script;

    using TCatalogItem::TCatalogItem;

    // The described fields to their reset values and a new script.
    void Reset() override;

    // ScriptData to Script.
    void ParseScript();
    // Script to ScriptData and ScriptSize.
    void EncodeScript();

    void LoadFromStream(TMemoryStream& stream) override;
    void SaveToStream(TMemoryStream& stream) const override;

protected:
    // A new script: exactly one end-of-script line (four zero bytes).
    void ResetScript();
    // Describes the script's two chunks when id is one of them.
    void DescribeScript(int id, TCatalogVarData& v, int sizeID, int dataID);
};

// The conditions under which a map event page is active.
class TQelEventCondition : public TCatalogBaseItem {
public:
    enum : uint8_t {
        cfSwitchA = 1,
        cfSwitchB = 2,
        cfVariable = 4,
        cfItem = 8,
        cfHero = 16,
        cfTimer = 32,
    };

    uint8_t Flags;
    int32_t SwitchA;
    int32_t SwitchB;
    int32_t VariableID;
    int32_t VariableValue; // the variable must be this value or above
    int32_t ItemID;
    // Reset to 1 and always written, so a record without the chunk loads as hero 1 and no
    // value is lost on a save.
    int32_t HeroID;
    int32_t TimerSeconds; // minutes * 60 + seconds; the timer must be at this or less

    TQelEventCondition() { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

// One page of a map event; ID is the page number.
class TQelEventPageItem : public TQelBaseEventPageItem {
public:
    TQelEventCondition Condition;
    std::string CharName; // empty: the page shows an upper-layer chip
    int32_t CharIndex;
    uint8_t CharDir; // 0 up, 1 right, 2 down, 3 left
    int32_t CharPattern;
    uint8_t CharTransparent;
    uint8_t MoveType; // 6: by its route
    int32_t MoveFrequency;
    uint8_t Trigger;
    uint8_t Priority;
    uint8_t OverlapFlag;
    uint8_t AnimType;
    int32_t MoveSpeed;
    TQelMoveRoute MoveRoute;

    explicit TQelEventPageItem(int32_t id = 0) : TQelBaseEventPageItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

// The pages of one event.
class TQelEventPage : public TQelList<TQelEventPageItem> {
public:
    TQelEventPage() : TQelList("Invalid Event Page Designed") {}
    TQelEventPageItem* PageByIndex(int index) const { return ByIndex(index); }
    TQelEventPageItem* PageByID(int32_t id) const { return ByID(id); }
};

// One event of a map; ID is its number on the map. A new event has one default page.
class TQelEventItem : public TCatalogItem {
public:
    int32_t X;
    int32_t Y;
    TQelEventPage Pages;

    explicit TQelEventItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
};

// The events of one map.
class TQelEvent : public TQelList<TQelEventItem> {
public:
    TQelEvent() : TQelList("Invalid Event Designed") {}
    TQelEventItem* EventByIndex(int index) const { return ByIndex(index); }
    TQelEventItem* EventByID(int32_t id) const { return ByID(id); }
};

} // namespace tarvel
