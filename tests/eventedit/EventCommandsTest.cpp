// The command table, the paste filters and script lines on the clipboard.
#include <gtest/gtest.h>
#include <set>

#include "ScriptFixtures.h"
#include "data/EventCommandBlocks.h"
#include "data/EventCommands.h"
#include "data/ScriptClipboard.h"
#include "records/Stream.h"

namespace tarvel::test {
namespace {

TEST(EventCommandTable, EveryPickerPlaceHoldsOneCommandWithACaption) {
    for (TCommandPicker picker : {TCommandPicker::Map, TCommandPicker::Battle}) {
        std::set<int32_t> codes;
        for (int position = 0; position < PickerButtonCount(picker); ++position) {
            const int32_t code = PickerButtonCode(picker, position);
            ASSERT_NE(code, 0) << "empty place " << position;
            EXPECT_TRUE(codes.insert(code).second) << code << " twice";
            EXPECT_EQ(PickerButtonOf(picker, code), position);
            const TEventCommand* row = EventCommandOf(code);
            ASSERT_TRUE(row && row->Caption);
            // The captions start with one blank, and only block heads and one-line commands stand
            // in the pickers: never a label, continuation or end line.
            EXPECT_EQ(row->Caption[0], ' ');
            EXPECT_TRUE(IsCommandCode(code));
        }
        EXPECT_EQ(PickerButtonCode(picker, PickerButtonCount(picker)), 0);
    }
    // Lookups are by binary search, so the table must stay in code order.
    const auto& table = EventCommands();
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].Code, table[i].Code);
}

TEST(EventCommandTable, PickerPlacesAndCaptions) {
    struct Case {
        TCommandPicker picker;
        int position;
        int32_t code;
        const char* caption;
    } cases[] = {
        {TCommandPicker::Map, 0, 10110, " Message..."},
        {TCommandPicker::Map, 29, 10690, " Screen Exchange Style..."},
        {TCommandPicker::Map, 30, 10710, " Start Combat..."},
        {TCommandPicker::Map, 37, 10840, " Ride Vehicle"},
        {TCommandPicker::Map, 54, 11310, " Set Hero Transperency..."},
        {TCommandPicker::Map, 82, 12210, " Cycle"},
        {TCommandPicker::Map, 89, 12510, " Go to Title Screen"},
        {TCommandPicker::Battle, 0, 10110, " Message..."},
        {TCommandPicker::Battle, 14, 13130, " Chng.Enemy State..."},
        {TCommandPicker::Battle, 25, 13310, " Fork Conditions..."},
        {TCommandPicker::Battle, 29, 13410, " Stop Combat..."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PickerButtonCode(c.picker, c.position), c.code);
        EXPECT_STREQ(EventCommandOf(c.code)->Caption, c.caption);
    }
    // Edit opens only the commands of the picker's own buttons.
    EXPECT_TRUE(PickerEdits(TCommandPicker::Map, 12010));
    EXPECT_FALSE(PickerEdits(TCommandPicker::Map, 13310));
    EXPECT_FALSE(PickerEdits(TCommandPicker::Battle, 12010));
    EXPECT_FALSE(PickerEdits(TCommandPicker::Map, 22011));
}

TEST(PasteFilter, RemovesWhatAScriptKindCannotHoldWithItsBodies) {
    struct Case {
        const char* what;
        TScriptKind kind;
        std::initializer_list<Line> lines;
        std::vector<std::string> kept;
    } cases[] = {
        {"a battle fork with its bodies, else and end lines, in a map page",
         TScriptKind::MapEvent,
         {{11410, 0, "", {5}},
          {13310, 0, "", {2, 1, 0, 0, 0, 1}},
          {11410, 1, "", {1}},
          {10, 1},
          {23310, 0},
          {12420, 1},
          {10, 1},
          {23311, 0},
          {11340, 0}},
         {"11410/0", "11340/0"}},
        {"a map fork whose body holds a message, in a battle page",
         TScriptKind::BattleEvent,
         {{12010, 0, "", {0, 1, 0, 0, 0, 0}},
          {10110, 1, "Hi"},
          {20110, 1, "there"},
          {10, 1},
          {22011, 0},
          {11410, 0}},
         {"11410/0"}},
        {"a battle script starting with enemy HP, in a common event",
         TScriptKind::CommonEvent,
         {{13110, 0, "", {0, 0, 0, 5}}, {10110, 0, "Ouch"}, {20110, 0, "more"}},
         {"10110/0", "20110/0"}},
        {"a message with its continuation in a battle page",
         TScriptKind::BattleEvent,
         {{10110, 0, "Hi"}, {20110, 0, "there"}, {12410, 0, "note"}, {22410, 0, "more"}},
         {"10110/0", "20110/0", "12410/0", "22410/0"}},
        {"an end-of-script line in the middle",
         TScriptKind::MapEvent,
         {{11340, 0}, {0, 0}, {11350, 0}},
         {"11340/0", "11350/0"}},
        {"a battle-only line nested in a kept fork",
         TScriptKind::CommonEvent,
         {{12010, 0, "", {0, 1, 0, 0, 0, 0}}, {13410, 1}, {10, 1}, {22011, 0}},
         {"12010/0", "10/1", "22011/0"}},
    };
    for (const Case& c : cases) {
        TQelEventScriptList lines;
        FillLines(lines, c.lines);
        FilterPastedLines(c.kind, lines);
        EXPECT_EQ(Shape(lines), c.kept) << c.what;
    }
}

TEST(ScriptClipboardBlock, CarriesLinesAndTheirEncoding) {
    TQelEventScriptList lines;
    FillLines(lines, {{10110, 0, "Hi", {0}}});
    // A 32-bit byte count, then the line's encoding.
    EXPECT_EQ(ScriptLinesBlock(lines),
              (std::vector<uint8_t>{8, 0, 0, 0, 0xCE, 0x7E, 0x00, 0x02, 'H', 'i', 0x01, 0x00}));

    TQelEventScriptList sample, back;
    FillSampleScript(sample);
    sample.Delete(sample.Count() - 1); // a copy never holds the end line
    std::vector<uint8_t> block = ScriptLinesBlock(sample);
    // Bytes after the counted ones (a block rounded up by the clipboard) are ignored.
    block.insert(block.end(), 12, 0);
    ASSERT_TRUE(ReadScriptLinesBlock(block, back));
    EXPECT_EQ(Shape(back), Shape(sample));
    EXPECT_EQ(back.Line(1)->Text, "world");
}

TEST(ScriptClipboardBlock, RefusesDamagedBlocks) {
    struct Case {
        const char* what;
        std::initializer_list<Line> lines;
    } broken[] = {
        {"a fork without its end line", {{12010, 0, "", {0, 1}}, {11410, 1}, {10, 1}}},
        {"a fork whose body lacks its empty line", {{12010, 0, "", {0, 1}}, {11410, 1}, {22011, 0}}},
        {"a fork with an else label its head does not call for",
         {{12010, 0, "", {0, 1, 0, 0, 0, 0}}, {10, 1}, {22010, 0}, {10, 1}, {22011, 0}}},
        {"a choice of two with a third branch",
         {{10140, 0, "A/B", {0}},
          {20140, 0, "A", {0}},
          {10, 1},
          {20140, 0, "B", {1}},
          {10, 1},
          {20140, 0, "C", {2}},
          {10, 1},
          {20141, 0}}},
        {"a choice whose branches are numbered wrongly",
         {{10140, 0, "A/B", {0}}, {20140, 0, "A", {0}}, {10, 1}, {20140, 0, "B", {0}}, {10, 1}, {20141, 0}}},
        {"a stray end line", {{11340, 0}, {22011, 0}}},
        {"a stray branch label", {{20140, 0, "A", {0}}, {10, 1}}},
        {"an empty body line outside any body", {{11340, 0}, {10, 0}}},
        {"a line deeper than its place", {{11340, 0}, {11350, 1}}},
        {"a line shallower than the first", {{11340, 1}, {11350, 0}}},
        {"a body one level too deep", {{12210, 0}, {11340, 2}, {10, 2}, {22210, 0}}},
    };
    for (const Case& c : broken) {
        TQelEventScriptList lines, back;
        FillLines(lines, c.lines);
        EXPECT_FALSE(IsWholeCommandRun(lines)) << c.what;
        back.Add(TQelEventScriptLine(11340, 0));
        EXPECT_FALSE(ReadScriptLinesBlock(ScriptLinesBlock(lines), back)) << c.what;
        EXPECT_EQ(back.Count(), 0) << c.what;
    }

    TQelEventScriptList lines, back;
    FillLines(lines, {{11340, 0}, {11350, 0}});
    std::vector<uint8_t> block = ScriptLinesBlock(lines);
    // Counts that do not fit the bytes, bytes that end inside a line, no lines at all.
    std::vector<uint8_t> cutShort(block.begin(), block.end() - 1);
    std::vector<uint8_t> countTooLarge = block;
    countTooLarge[0] = uint8_t(block.size());
    std::vector<uint8_t> lineCutShort = block;
    lineCutShort[0] = uint8_t(lineCutShort[0] - 1);
    for (const auto& bad : {cutShort, countTooLarge, lineCutShort, std::vector<uint8_t>{0, 0, 0, 0},
                            std::vector<uint8_t>{1, 0}})
        EXPECT_FALSE(ReadScriptLinesBlock(bad, back));

    // Whole commands of every block kind pass.
    TQelEventScriptList good;
    FillSampleScript(good);
    good.Delete(good.Count() - 1);
    EXPECT_TRUE(IsWholeCommandRun(good));
    FillLines(good, {{10140, 0, "A/B", {5}},
                     {20140, 0, "A", {0}},
                     {10, 1},
                     {20140, 0, "B", {1}},
                     {10, 1},
                     {20140, 0, "", {4}},
                     {10, 1},
                     {20141, 0},
                     {10710, 0, "", {0, 1, 0, 2, 1}},
                     {20710, 0},
                     {10, 1},
                     {20711, 0},
                     {10, 1},
                     {20712, 0},
                     {10, 1},
                     {20713, 0},
                     {10720, 0, "", {0, 0, 0, 0}},
                     {12210, 3},
                     {10, 4},
                     {22210, 3}});
    EXPECT_FALSE(IsWholeCommandRun(good)); // the cycle stands deeper than the run
    good.Line(17)->Indent = good.Line(19)->Indent = 0;
    good.Line(18)->Indent = 1;
    EXPECT_TRUE(IsWholeCommandRun(good));
}

} // namespace
} // namespace tarvel::test
