// The event map: which event or start position each cell shows, and how an event cell is drawn
// (marks, the white square with the page's upper chip or character); the two frames.
#include <gtest/gtest.h>

#include <random>

#include "MapEditFixtures.h"
#include "data/LD_DataBase.h"
#include "data/LD_MapTree.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"
#include "mapedit_core/MapEventMap.h"
#include "mapedit_core/MapGraphics.h"
#include "records/QelAssert.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

TQelEventItem* addEvent(TQelMap& map, int id, int x, int y) {
    TQelEventItem* event = map.Events.FindOrCreate(id);
    event->X = x;
    event->Y = y;
    event->Pages.FindOrCreate(1);
    return event;
}

void expectInternalError(const std::function<void()>& call, int line) {
    try {
        call();
        ADD_FAILURE() << "no assertion " << line;
    } catch (const EQelInternalError& e) {
        EXPECT_EQ(e.unit(), "MapEditUtils");
        EXPECT_EQ(e.line(), line);
    }
}

// Boards compared as a whole.
bool sameBoards(const TPrismBoard& a, const TPrismBoard& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

uint16_t colourOf(const TBitmap& picture, int x, int y) {
    const TPaletteEntry& e = picture.Palette()[picture.ScanLine(y)[x]];
    return Pack565({e.red, e.green, e.blue});
}

} // namespace

TEST(EventMap, StartPositionsWinOverEventsAndOnlyCellsInsideCount) {
    TQelMapTree tree;
    TQelMap map(3);
    map.Reset();
    map.ID = 3;
    map.SetWidth(6);
    map.SetHeight(5);
    TQelEventMap events;
    expectInternalError([&] { events.CellAt(0, 0); }, 422);

    addEvent(map, 1, 1, 1);
    addEvent(map, 2, 1, 1); // later in the list: wins the cell
    addEvent(map, 3, 6, 0); // outside
    addEvent(map, 4, 4, 4);
    addEvent(map, 5, 0, -1);
    TQelMapStartPosition& start = tree.StartPositions;
    start.SetStartMap(0, 3); // the party on event 4's cell
    start.SetStartX(0, 4);
    start.SetStartY(0, 4);
    start.SetStartMap(1, 3); // the boat with a negative x: not placed
    start.SetStartX(1, -1);
    start.SetStartY(1, 2);
    start.SetStartMap(2, 2); // the ship on another map
    start.SetStartX(2, 2);
    start.SetStartY(2, 2);
    start.SetStartMap(3, 3); // the airship
    start.SetStartX(3, 5);
    start.SetStartY(3, 0);
    events.Build(tree, map);

    struct Case {
        int x, y, value;
    };
    const Case cases[] = {{1, 1, 2}, {4, 4, 60001}, {5, 0, 60004}, {2, 2, 0},  {0, 0, 0},
                          {5, 4, 0}, {-1, 2, -1},   {6, 0, -1},    {0, 5, -1}, {0, -1, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(events.CellAt(c.x, c.y), c.value) << c.x << "," << c.y;

    // Rebuilt after a change.
    map.Events.Find(2)->X = 2;
    events.Build(tree, map);
    EXPECT_EQ(events.CellAt(1, 1), 1);
    EXPECT_EQ(events.CellAt(2, 1), 2);
}

TEST(EventMap, MarksForStartPositionsAndForEventsShownAsMarks) {
    TQelMapTree tree;
    TQelMap map(1);
    map.Reset();
    addEvent(map, 7, 2, 2);
    TQelEventMap events;
    events.Build(tree, map);

    struct Case {
        int value;
        bool marksOnly;
        int size;
        int mark; // -1: nothing drawn
    };
    const Case cases[] = {{60001, false, 16, 0}, {60002, true, 32, 1}, {60003, false, 8, 2},
                          {60004, false, 4, 3},  {7, true, 16, 4},     {7, true, 32, 4},
                          {7, false, 8, 4},      {7, false, 4, 4},     {7, false, 24, -1},
                          {99, true, 16, 4},     {0, false, 16, -1}};
    for (const Case& c : cases) {
        TPrismBoard board, expected;
        board.SetSize(40, 40);
        expected.SetSize(40, 40);
        events.DrawCell(board, 3, c.marksOnly, c.value, c.size, 5);
        TStartPosMark marks;
        if (c.mark >= 0) marks.Draw(expected, 3, 5, false, c.size, c.mark);
        EXPECT_TRUE(sameBoards(board, expected)) << "value " << c.value << " size " << c.size;
    }
    // An event the map does not have cannot be drawn as a picture.
    TPrismBoard board;
    board.SetSize(40, 40);
    expectInternalError([&] { events.DrawCell(board, 0, false, 99, 16, 0); }, 461);
}

TEST(EventMap, AnEventsPictureItsUpperChipOrItsCharacter) {
    const QString folder = MakeTempFolder("events");
    TQelDataBase db;
    db.ChipSets().Find(1)->GraphicName = WriteSampleChipSet(folder);
    const TBitmap chips = SampleChipSetPicture();
    // A character set of indices 1..255, with one transparent pixel where the frame is checked.
    TBitmap characters;
    characters.Reset(TPixelFormat::pf8bit, 288, 256);
    std::mt19937 random(3);
    for (int i = 0; i < 256; ++i)
        characters.Palette()[size_t(i)] = {uint8_t(random()), uint8_t(random()), uint8_t(random()), 0};
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 288; ++x)
            characters.ScanLine(y)[x] = uint8_t(1 + random() % 255);
    // Character 5, pattern 2, direction 3 (left) has its frame at (120, 224).
    characters.ScanLine(224 + 9)[120 + 6] = 0;
    const std::string charPath = (folder + "/Hero.png").toStdString();
    SavePictureFile(characters, charPath);

    TQelMap map(1);
    map.Reset();
    map.ChipSetID = 1;
    AttachMapGraphics(map).ReloadChipSet(1);
    TQelEventItem* chipEvent = addEvent(map, 1, 0, 0);
    chipEvent->Pages.Find(1)->CharIndex = 5; // upper chip 10005
    TQelEventItem* charEvent = addEvent(map, 2, 1, 0);
    TQelEventPageItem* page = charEvent->Pages.Find(1);
    page->CharName = charPath;
    page->CharIndex = 5;
    page->CharPattern = 2;
    page->CharDir = 3;
    TQelEventItem* missingChar = addEvent(map, 3, 2, 0);
    missingChar->Pages.Find(1)->CharName = "not in the cache";
    MapGraphicsOf(map)->CharSets().Acquire(charPath);
    TQelMapTree tree;
    TQelEventMap events;
    events.Build(tree, map);

    const uint16_t white = 0xFFFF, black = 0;
    const TPaletteEntry& first = chips.Palette()[0];
    const uint16_t background = Pack565({first.red, first.green, first.blue});
    // Upper chip 5 lies at (368, 128) in the chipset.
    auto chipPixel = [&](int x, int y) {
        return chips.ScanLine(128 + y)[368 + x] == 0 ? background : colourOf(chips, 368 + x, 128 + y);
    };
    TPrismBoard board;
    board.SetSize(80, 40);
    events.DrawCell(board, 8, false, 1, 16, 8);
    EXPECT_EQ(board.Pixel(8, 8), black);
    EXPECT_EQ(board.Pixel(9, 9), white);
    EXPECT_EQ(board.Pixel(21, 21), white);
    EXPECT_EQ(board.Pixel(22, 22), black);
    for (int i = 0; i < 11; ++i)
        for (int j = 0; j < 11; ++j)
            ASSERT_EQ(board.Pixel(10 + i, 10 + j), chipPixel(2 + i, 2 + j)) << i << "," << j;

    board.SetSize(80, 40);
    events.DrawCell(board, 40, false, 1, 32, 0);
    EXPECT_EQ(board.Pixel(43, 3), black);
    EXPECT_EQ(board.Pixel(44, 4), white);
    EXPECT_EQ(board.Pixel(66, 26), white);
    EXPECT_EQ(board.Pixel(67, 27), black);
    EXPECT_EQ(board.Pixel(45, 5), background);
    EXPECT_EQ(board.Pixel(65, 25), background);
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 16; ++j)
            ASSERT_EQ(board.Pixel(48 + i, 8 + j), chipPixel(i, j)) << i << "," << j;

    board.SetSize(80, 40);
    events.DrawCell(board, 0, false, 2, 16, 0);
    EXPECT_EQ(board.Pixel(2, 2), white) << "a transparent pixel of the character";
    EXPECT_EQ(board.Pixel(3, 2), colourOf(characters, 127, 233));
    EXPECT_EQ(board.Pixel(12, 12), colourOf(characters, 136, 243));
    EXPECT_EQ(board.Pixel(13, 13), white);
    events.DrawCell(board, 40, false, 2, 32, 0);
    EXPECT_EQ(board.Pixel(45, 5), colourOf(characters, 121, 230));
    EXPECT_EQ(board.Pixel(65, 25), colourOf(characters, 141, 250));
    EXPECT_EQ(board.Pixel(66, 26), white);

    board.SetSize(80, 40);
    events.DrawCell(board, 0, false, 3, 16, 0);
    EXPECT_EQ(board.Pixel(1, 1), white);
    EXPECT_EQ(board.Pixel(7, 7), white) << "a character set that is not loaded draws only the square";
}

TEST(Frames, AreaAndPositionFrames) {
    const uint16_t yellow = Pack565({255, 255, 128}), grey = Pack565({32, 32, 32}), white = 0xFFFF;
    TPrismBoard board;
    board.SetSize(30, 30);
    DrawAreaFrame(board, {2, 2, 22, 20});
    const uint16_t diagonal[] = {0, 0, yellow, grey, 0, yellow, grey, 0, 0};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(board.Pixel(i, i), diagonal[i]) << i;
    EXPECT_EQ(board.Pixel(21, 19), yellow);
    EXPECT_EQ(board.Pixel(20, 18), grey);
    EXPECT_EQ(board.Pixel(18, 16), yellow);
    EXPECT_EQ(board.Pixel(17, 15), grey);
    EXPECT_EQ(board.Pixel(16, 14), 0);

    board.SetSize(30, 30);
    DrawPositionFrame(board, {1, 1, 11, 11});
    const uint16_t nested[] = {0, grey, white, white, grey, 0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(board.Pixel(i, i), nested[i]) << i;
        EXPECT_EQ(board.Pixel(11 - i, 11 - i), nested[i]) << i;
    }
}
