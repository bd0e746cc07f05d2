#include <gtest/gtest.h>

#include "BytesHelper.h"
#include "data/LD_Event.h"
#include "records/ClipboardPort.h"
#include "records/QelAssert.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

std::vector<int32_t> indents(const TQelEventScriptList& list) {
    std::vector<int32_t> out;
    for (const auto& line : list)
        out.push_back(line->Indent);
    return out;
}

void fillIndents(TQelEventScriptList& list, const std::vector<int32_t>& values, int32_t code = 10110) {
    list.Clear();
    for (int32_t indent : values)
        list.Add(TQelEventScriptLine(code, indent));
}

Bytes scriptBytes(const TQelEventScriptList& list) {
    TMemoryStream stream;
    list.WriteLines(stream);
    return stream.Bytes();
}

} // namespace

TEST(EventScript, LineEncodings) {
    struct Case {
        const char* name;
        TQelEventScriptLine line;
        const char* hex;
    } cases[] = {
        {"message Hi", {10110, 0, "Hi", {0}}, "CE 7E 00 02 48 69 01 00"},
        {"end of script", {0, 0}, "00 00 00 00"},
        {"negative parameter takes five bytes",
         {10220, 2, "", {-1, 300}},
         "CF 6C 02 00 02 8F FF FF FF 7F 82 2C"},
        {"empty line deep inside", {10, 130, "", {}}, "0A 81 02 00 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream stream;
        c.line.Write(stream);
        EXPECT_EQ(ToHex(stream.Bytes()), ToHex(Hex(c.hex)));
        stream.SetPosition(0);
        TQelEventScriptLine read;
        read.Read(stream);
        EXPECT_TRUE(read == c.line);
        EXPECT_EQ(stream.Position(), stream.Size());
    }
}

TEST(EventScript, ParametersBeyondTheCountReadAsZero) {
    TQelEventScriptLine line(10210, 0, "", {4, 5});
    EXPECT_EQ(line.Param(1), 5);
    EXPECT_EQ(line.Param(2), 0);
    EXPECT_EQ(line.Param(-1), 0);
    line.SetParam(2, 9);
    EXPECT_EQ(line.ParamCount(), 2);
    line.SetParamCount(4);
    EXPECT_EQ(line.Param(3), 0);
    line.SetParam(3, 9);
    EXPECT_EQ(line.Param(3), 9);
}

TEST(EventScript, ReadErrors) {
    struct Case {
        const char* name;
        const char* hex;
        int linesKept;
    } cases[] = {
        {"second line ends in its text", "00 00 00 00 CE 7E 00 05 48 69", 1},
        {"parameter missing", "CE 7E 00 00 02 05", 0},
        {"huge parameter count in a short buffer", "00 00 00 8F FF FF FF 7F 01", 0},
        {"code cut inside its varint", "CE", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQelEventScriptList list;
        fillIndents(list, {5, 5, 5});
        TMemoryStream stream(Hex(c.hex));
        EXPECT_THROW(list.ReadLines(stream), EReadError);
        EXPECT_EQ(list.Count(), c.linesKept);
    }
}

TEST(EventScript, InsertLinesKeepsTheBlockStructure) {
    struct Case {
        const char* name;
        std::vector<int32_t> target;
        int position;
        std::vector<int32_t> source;
        int32_t delta;
        std::vector<int32_t> expected;
    } cases[] = {
        {"two lines before a line of indent 1", {0, 1, 0}, 1, {2, 3}, 0, {0, 1, 2, 1, 0}},
        {"one deeper", {0, 1, 0}, 1, {2, 3}, 1, {0, 2, 3, 1, 0}},
        {"at the end takes the last line's depth", {0, 2}, 2, {0, 1, 0}, 0, {0, 2, 2, 3, 2}},
        {"into an empty list", {}, 0, {4, 5}, 0, {0, 1}},
        {"source starting deeper than its rest", {3}, 0, {2, 1}, 0, {3, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQelEventScriptList target, source;
        fillIndents(target, c.target, 10);
        fillIndents(source, c.source, 10110);
        target.InsertLines(c.position, source, c.delta);
        EXPECT_EQ(indents(target), c.expected);
        EXPECT_EQ(source.Count(), static_cast<int>(c.source.size()));
    }

    // Inserting a list into itself copies it first.
    TQelEventScriptList self;
    fillIndents(self, {0, 1});
    self.InsertLines(1, self, 0);
    EXPECT_EQ(indents(self), (std::vector<int32_t>{0, 1, 2, 1}));
}

TEST(EventScript, InsertLinesAssertions) {
    TQelEventScriptList target, source, empty;
    fillIndents(target, {0, 0});
    fillIndents(source, {0});
    struct Case {
        int position;
        const TQelEventScriptList* source;
    } cases[] = {{3, &source}, {-1, &source}, {0, &empty}};
    for (const auto& c : cases) {
        try {
            target.InsertLines(c.position, *c.source, 0);
            ADD_FAILURE() << "accepted position " << c.position;
        } catch (const EQelInternalError& e) {
            EXPECT_EQ(e.unit(), "LD_Event");
        }
    }
    EXPECT_EQ(target.Count(), 2);
}

TEST(EventPage, DefaultPageBytes) {
    TQelEventPageItem page(1);
    EXPECT_EQ(RecordHex(page),
              ToHex(Hex("02 07 01 01 00 07 01 01 00 17 01 02 19 01 00 1F 01 00 21 01 00 22 01 00"
                        "23 01 00 24 01 00 29 03 0C 00 00 33 01 04 34 04 00 00 00 00 00")));
    ASSERT_EQ(page.Script.Count(), 1);
    EXPECT_EQ(page.Script.Line(0)->Code, EndOfScriptCode);
}

TEST(EventPage, ScriptTravelsWithThePage) {
    TQelEventPageItem page(2);
    page.CharName = "Actor1";
    page.CharDir = 3;
    page.MoveType = 6;
    page.Condition.Flags = TQelEventCondition::cfSwitchA | TQelEventCondition::cfTimer;
    page.Condition.TimerSeconds = 125;
    page.MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcDown));
    page.Script.Clear();
    page.Script.Add(TQelEventScriptLine(10110, 0, "Hello", {}));
    page.Script.Add(TQelEventScriptLine(20110, 0, "there", {}));
    page.Script.Add(TQelEventScriptLine(0, 0));

    Bytes saved = page.SaveToBytes();
    EXPECT_EQ(page.ScriptSize, static_cast<int32_t>(page.ScriptData.size()));

    TQelEventPageItem loaded;
    loaded.LoadFromBytes(saved);
    EXPECT_EQ(scriptBytes(loaded.Script), scriptBytes(page.Script));
    EXPECT_EQ(loaded.Script.Count(), 3);
    EXPECT_EQ(loaded.Script.Line(1)->Text, "there");
    EXPECT_EQ(loaded.MoveRoute.Count(), 1);
    EXPECT_EQ(loaded.Condition.TimerSeconds, 125);
    EXPECT_EQ(loaded.SaveToBytes(), saved);

    // A copy (and the page clipboard) goes through the same encoding.
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    page.CopyToClipboard(ClipboardFormat::EventPage);
    TQelEventPageItem pasted;
    EXPECT_FALSE(pasted.PasteFromClipboard(ClipboardFormat::BattleEventPage));
    EXPECT_TRUE(pasted.PasteFromClipboard(ClipboardFormat::EventPage));
    EXPECT_EQ(pasted.SaveToBytes(), saved);
    SetClipboardPort(nullptr);
}

TEST(EventPage, StoredScriptEdgeCases) {
    struct Case {
        const char* name;
        const char* hex;
        int lines;
    } cases[] = {
        {"size 0 and an empty buffer: no lines at all", "34 00 00", 0},
        {"no script chunks: one end line", "00", 1},
        {"size disagreeing with the buffer: the buffer counts", "33 01 09 34 04 00 00 00 00 00", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQelEventPageItem page;
        page.LoadFromBytes(Hex(c.hex));
        EXPECT_EQ(page.Script.Count(), c.lines);
        // Saved again, the size always agrees with the script.
        TQelEventPageItem again;
        again.LoadFromBytes(page.SaveToBytes());
        EXPECT_EQ(again.ScriptSize, static_cast<int32_t>(4 * c.lines));
    }

    // A script cut inside a line fails the page's load.
    TQelEventPageItem broken;
    EXPECT_THROW(broken.LoadFromBytes(Hex("34 03 CE 7E 00 00")), EReadError);
}

TEST(EventCondition, HeroIsAlwaysWritten) {
    struct Case {
        int32_t hero;
        const char* hex;
    } cases[] = {
        {1, "01 01 00 07 01 01 00"},
        {0, "01 01 00 07 01 00 00"}, // hero 0 is kept, not read back as 1
        {12, "01 01 00 07 01 0C 00"},
    };
    for (const auto& c : cases) {
        TQelEventCondition condition;
        condition.HeroID = c.hero;
        EXPECT_EQ(RecordHex(condition), ToHex(Hex(c.hex))) << c.hero;
    }
    // A stored condition without chunk 7 is hero 1.
    TQelEventCondition loaded;
    loaded.HeroID = 5;
    loaded.LoadFromBytes(Hex("01 01 08 00"));
    EXPECT_EQ(loaded.HeroID, 1);
    EXPECT_EQ(loaded.Flags, 8);
}

TEST(EventItem, PagesAndTheirLists) {
    // An event record without chunk 5 has one default page.
    TQelEventItem event;
    event.Pages.Insert(1);
    event.LoadFromBytes(Hex("01 03 44 6F 6F 02 01 07 00"));
    EXPECT_EQ(event.Name, "Doo");
    EXPECT_EQ(event.X, 7);
    ASSERT_EQ(event.Pages.Count(), 1);
    EXPECT_EQ(event.Pages.PageByIndex(0)->ID, 1);

    // Two pages with a non-default second page round-trip through the event record.
    event.Pages.Append()->Trigger = 3;
    TQelEventItem copy;
    copy.Assign(event);
    ASSERT_EQ(copy.Pages.Count(), 2);
    EXPECT_EQ(copy.Pages.PageByID(2)->Trigger, 3);
    EXPECT_EQ(copy.SaveToBytes(), event.SaveToBytes());
}

TEST(EventItem, MissingPagesAndEventsOutsideAndInsideTheEditor) {
    TQelEvent events;
    events.FindOrCreate(3);
    auto* event = events.EventByID(3);
    ASSERT_NE(event, nullptr);

    {
        EditorRunningScope scope(false);
        try {
            event->Pages.PageByID(2);
            ADD_FAILURE() << "no error";
        } catch (const EQelDataError& e) {
            EXPECT_STREQ(e.what(), "Invalid Event Page Designed");
        }
        EXPECT_THROW(event->Pages.PageByIndex(1), EQelDataError);
        EXPECT_THROW(events.EventByID(1), EQelDataError);
        EXPECT_THROW(events.EventByIndex(1), EQelDataError);
    }
    {
        EditorRunningScope scope(true);
        EXPECT_EQ(event->Pages.PageByID(2), nullptr);
        EXPECT_EQ(events.EventByID(1), nullptr);
        EXPECT_EQ(events.EventByIndex(-1), nullptr);
    }
}
