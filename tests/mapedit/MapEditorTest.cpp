// The map editor view driven by mouse and key events: painting, shapes, picking, the floating
// selection and its clipboard, undo, event mode, zoom and scrolling.
#include <QMenu>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

#include "MapViewFixture.h"
#include "graphics/GR_ChipSet.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

std::vector<uint16_t> pixels(const TPrismBoard& board, QSize size) {
    std::vector<uint16_t> p;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            p.push_back(board.Pixel(x, y));
    return p;
}

// What the view shows now, and what it shows after drawing everything anew: cells drawn one by
// one, or strips drawn after a scroll, must give the same picture.
void expectSameAsFullRedraw(TFormMapEditor& view) {
    view.FlushDrawing();
    const auto shown = pixels(view.ScreenBoard(), view.VisibleSize());
    view.RedrawAll();
    view.FlushDrawing();
    const auto full = pixels(view.ScreenBoard(), view.VisibleSize());
    ASSERT_EQ(shown.size(), full.size());
    size_t differing = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i] != full[i]) ++differing;
    EXPECT_EQ(differing, 0u);
}

std::vector<uint16_t> layerCopy(const TQelMapLayer& layer) {
    return layer.Cells;
}

} // namespace

TEST(MapEditorView, SixBySixBrushAtTheLowerRightCornerWritesOnlyCellsInsideTheMap) {
    EditorFixture f(20, 15);
    TQelCurrentChip& brush = f.view.Brush(mmLower);
    brush.SetSize(6, 6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            brush.SetChip(c, r, 5020 + c + 6 * r);
    const auto before = layerCopy(f.map.LowerLayer);

    f.press(17, 12);
    f.release(17, 12);

    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            if (x >= 17 && y >= 12)
                EXPECT_EQ(f.lower(x, y), 5020 + (x - 17) + 6 * (y - 12));
            else
                EXPECT_EQ(f.lower(x, y), before[size_t(x + y * 20)]);
        }
    EXPECT_TRUE(f.map.Modified);
    EXPECT_TRUE(f.view.CanUndo());
    expectSameAsFullRedraw(f.view);

    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(layerCopy(f.map.LowerLayer), before);
    EXPECT_FALSE(f.view.CanUndo());
}

TEST(MapEditorView, FastPenDragLeavesNoGaps) {
    EditorFixture f(30, 20);
    f.brush(5030);
    f.press(0, 0);
    // One move across the map, as a fast hand gives it.
    f.move(10, 3);
    f.release(10, 3);

    std::set<std::pair<int, int>> painted;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            if (f.lower(x, y) == 5030) painted.insert({x, y});
    // Every column from 0 to 10 holds exactly one cell of the line, and each cell touches the
    // next one.
    ASSERT_EQ(painted.size(), 11u);
    int lastY = 0;
    for (int x = 0; x <= 10; ++x) {
        int rows = 0, y = -1;
        for (const auto& [px, py] : painted)
            if (px == x) ++rows, y = py;
        EXPECT_EQ(rows, 1) << "column " << x;
        EXPECT_LE(std::abs(y - lastY), 1) << "column " << x;
        lastY = y;
    }
    EXPECT_TRUE(painted.count({0, 0}));
    EXPECT_TRUE(painted.count({10, 3}));
    expectSameAsFullRedraw(f.view);
}

TEST(MapEditorView, DragsArrivingBeforeThePaintAreKeptAndNeverLost) {
    EditorFixture f(30, 20);
    f.brush(5031);
    f.press(2, 2);
    // The press has not been painted yet: these moves wait, and the latest one is drawn.
    ASSERT_TRUE(f.view.RepaintPending());
    f.move(5, 2);
    f.move(8, 2);
    EXPECT_EQ(f.lower(8, 2), Grass);
    f.settle();
    EXPECT_EQ(f.lower(8, 2), 5031);
    // A release right after a waiting move still ends the stroke where the mouse was.
    f.move(8, 9);
    f.release(8, 9);
    for (int x = 2; x <= 8; ++x)
        EXPECT_EQ(f.lower(x, 2), 5031) << x;
    for (int y = 2; y <= 9; ++y)
        EXPECT_EQ(f.lower(8, y), 5031) << y;
    expectSameAsFullRedraw(f.view);
}

TEST(MapEditorView, RectangleShrunkBackRestoresEveryCoveredCell) {
    EditorFixture f(20, 15);
    // Something to restore: a patch of autotile and a row of stone.
    for (int x = 4; x < 9; ++x)
        f.map.LowerLayer.SetChip(x, 6, Stone);
    f.map.LowerLayer.SetChip(5, 4, 4000 + 46);
    f.map.UpperLayer.SetChip(6, 5, 10012);
    f.view.RedrawAll();
    const auto lowerBefore = layerCopy(f.map.LowerLayer);
    const auto upperBefore = layerCopy(f.map.UpperLayer);

    f.view.SetTool(mtRectangle);
    f.brush(AutotileA);
    f.press(3, 3);
    f.settle();
    f.move(9, 8);
    f.settle();
    EXPECT_EQ(ChipKind(f.lower(6, 6)), 6) << "the rectangle covers the stone";
    f.move(3, 3);
    f.settle();
    f.release(3, 3);

    // The same as one autotile placed by itself at (3, 3) on the map as it was.
    TQelMap expected(1);
    ResetGrassMap(expected, 20, 15);
    expected.LowerLayer.Cells = lowerBefore;
    TQelMapPainter painter(expected);
    TQelCurrentChip single(AutotileA);
    painter.SetBrush(single);
    painter.SetAnchor({3, 3});
    painter.PlaceBrushChip(3, 3, {});
    EXPECT_EQ(f.map.LowerLayer.Cells, expected.LowerLayer.Cells);
    EXPECT_EQ(layerCopy(f.map.UpperLayer), upperBefore);
    expectSameAsFullRedraw(f.view);
}

TEST(MapEditorView, PickingThreeByTwoWithAndWithoutShift) {
    struct Case {
        Qt::KeyboardModifiers keys;
        int expected[2][3];
    } cases[] = {
        {Qt::NoModifier, {{49, 1049, 2049}, {4149, 3099, 5007}}},
        {Qt::ShiftModifier, {{15, 1015, 2020}, {4123, 3050, 5007}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.keys));
        EditorFixture f(20, 15);
        const int chips[2][3] = {{15, 1015, 2020}, {4123, 3050, 5007}};
        for (int r = 0; r < 2; ++r)
            for (int col = 0; col < 3; ++col)
                f.map.LowerLayer.SetChip(4 + col, 5 + r, chips[r][col]);
        int picked = 0;
        f.view.onBrushPicked = [&] { ++picked; };

        f.press(4, 5, Qt::RightButton);
        // Dragging counts only after the delay.
        f.move(6, 6);
        EXPECT_EQ(f.view.Cursor(), (TRect{4, 5, 5, 6}));
        QTest::qWait(TFormMapEditor::PickDelay + 30);
        f.move(6, 6);
        EXPECT_EQ(f.view.Cursor(), (TRect{4, 5, 7, 7}));
        f.release(6, 6, Qt::RightButton, c.keys);

        EXPECT_EQ(picked, 1);
        const TQelCurrentChip& brush = f.view.Brush(mmLower);
        ASSERT_EQ(brush.Width(), 3);
        ASSERT_EQ(brush.Height(), 2);
        for (int r = 0; r < 2; ++r)
            for (int col = 0; col < 3; ++col)
                EXPECT_EQ(brush.GetChip(col, r), c.expected[r][col]) << col << "," << r;
        // The mouse stood on the brush's lower-right cell.
        EXPECT_EQ(f.view.BrushOffset(), (TPoint{2, 1}));
        // Nothing was painted.
        EXPECT_EQ(f.lower(4, 5), 15);
        EXPECT_FALSE(f.map.Modified);
    }
}

TEST(MapEditorView, PickingReachesAtMostSixBySixAndStaysOnTheMap) {
    EditorFixture f(20, 15);
    f.press(10, 7, Qt::RightButton);
    QTest::qWait(TFormMapEditor::PickDelay + 30);
    f.move(19, 0);
    EXPECT_EQ(f.view.Cursor(), (TRect{10, 2, 16, 8}));
    // A second button cancels the pick: the brush stays as it was.
    QTest::mousePress(f.box(), Qt::LeftButton, {}, f.at(19, 0));
    QTest::mouseRelease(f.box(), Qt::LeftButton, {}, f.at(19, 0));
    f.release(19, 0, Qt::RightButton);
    EXPECT_EQ(f.view.Brush(mmLower).Width(), 1);
    EXPECT_EQ(f.view.Brush(mmLower).GetChip(0, 0), 49);
    EXPECT_FALSE(f.map.Modified);
}

TEST(MapEditorView, AnotherButtonCancelsAStroke) {
    EditorFixture f(20, 15);
    f.brush(5040);
    const auto before = layerCopy(f.map.LowerLayer);
    f.press(2, 2);
    f.move(6, 2);
    f.settle();
    EXPECT_EQ(f.lower(5, 2), 5040);
    QTest::mousePress(f.box(), Qt::RightButton, {}, f.at(6, 2));
    EXPECT_EQ(layerCopy(f.map.LowerLayer), before);
    QTest::mouseRelease(f.box(), Qt::RightButton, {}, f.at(6, 2));
    f.release(6, 2);
    EXPECT_EQ(layerCopy(f.map.LowerLayer), before);
    EXPECT_FALSE(f.view.CanUndo());
    EXPECT_FALSE(f.view.Busy());
    expectSameAsFullRedraw(f.view);
}

TEST(MapEditorView, DoubleClickPaintsNothingAndRightDoubleClickTogglesTheLayer) {
    EditorFixture f(20, 15);
    f.brush(5041);
    const auto before = layerCopy(f.map.LowerLayer);
    int toggled = 0;
    f.view.onModeToggled = [&] { ++toggled; };
    f.press(3, 3);
    f.release(3, 3);
    EXPECT_EQ(f.lower(3, 3), 5041);
    QTest::mouseDClick(f.box(), Qt::LeftButton, {}, f.at(3, 3));
    f.release(3, 3);
    EXPECT_EQ(layerCopy(f.map.LowerLayer), before);

    QTest::mouseDClick(f.box(), Qt::RightButton, {}, f.at(3, 3));
    EXPECT_EQ(f.view.Mode(), mmUpper);
    QTest::mouseDClick(f.box(), Qt::RightButton, {}, f.at(3, 3));
    EXPECT_EQ(f.view.Mode(), mmLower);
    EXPECT_EQ(toggled, 2);
}

TEST(MapEditorView, FillTakesTheRegionOfTheClickedKind) {
    EditorFixture f(12, 10);
    // A stone wall splits the map; the fill stays on its side.
    for (int y = 0; y < 10; ++y)
        f.map.LowerLayer.SetChip(5, y, Stone);
    f.view.RedrawAll();
    f.view.SetTool(mtFill);
    f.brush(5050);
    f.press(1, 1);
    f.release(1, 1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(f.lower(x, y), x < 5 ? 5050 : x == 5 ? Stone : Grass) << x << "," << y;
    expectSameAsFullRedraw(f.view);
    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.lower(1, 1), Grass);
}

TEST(MapEditorView, UpperLayerPaintingKeepsTheLowerLayer) {
    EditorFixture f(12, 10);
    f.view.SetMode(mmUpper);
    f.brush(10020, mmUpper);
    f.press(2, 2);
    f.release(2, 2);
    EXPECT_EQ(f.upper(2, 2), 10020);
    EXPECT_EQ(f.lower(2, 2), Grass);
    expectSameAsFullRedraw(f.view);
}

// ---- the selection and its clipboard ----

namespace {

// Drags a selection with the select tool from the grid corner at (x0, y0) to the one at (x1, y1).
void selectCells(EditorFixture& f, int x0, int y0, int x1, int y1) {
    const int cs = f.view.CellSize();
    const QPoint a(x0 * cs - f.view.ScrollX(), y0 * cs - f.view.ScrollY());
    const QPoint b(x1 * cs - f.view.ScrollX(), y1 * cs - f.view.ScrollY());
    QTest::mousePress(f.box(), Qt::LeftButton, {}, a);
    f.settle();
    QTest::mouseMove(f.box(), b);
    f.settle();
    QTest::mouseRelease(f.box(), Qt::LeftButton, {}, b);
}

} // namespace

TEST(MapEditorView, ChipsClipboardBlockLayout) {
    TQelMapLayer lower(LowerFillChip), upper(UpperFillChip);
    lower.ResizeLayer(2, 3);
    upper.ResizeLayer(2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) {
            lower.SetChip(x, y, 5000 + 10 * x + y);
            upper.SetChip(x, y, 10000 + 10 * x + y);
        }
    const auto block = MakeChipsClipboardBlock(lower, upper);
    ASSERT_EQ(block.size(), 4u * (2 * 3 * 2 + 2));
    auto u16 = [&](size_t offset) { return int(block[offset] | block[offset + 1] << 8); };
    EXPECT_EQ(u16(0), 2);
    EXPECT_EQ(u16(2), 3);
    // Column by column, each top to bottom, lower then upper.
    const int order[6][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(u16(4 + 4 * size_t(i)), 5000 + 10 * order[i][0] + order[i][1]);
        EXPECT_EQ(u16(6 + 4 * size_t(i)), 10000 + 10 * order[i][0] + order[i][1]);
    }
    for (size_t i = 4 + 4 * 6; i < block.size(); ++i)
        EXPECT_EQ(block[i], 0) << i;

    TQelMapLayer l2(LowerFillChip), u2(UpperFillChip);
    ASSERT_TRUE(ReadChipsClipboardBlock(block, l2, u2));
    EXPECT_EQ(l2.Cells, lower.Cells);
    EXPECT_EQ(u2.Cells, upper.Cells);
    // A block shorter than its size says, or one without cells, is refused.
    EXPECT_FALSE(ReadChipsClipboardBlock(std::vector<uint8_t>(block.begin(), block.begin() + 20), l2, u2));
    EXPECT_FALSE(ReadChipsClipboardBlock({0, 0, 3, 0, 1, 2, 3, 4}, l2, u2));
    EXPECT_FALSE(ReadChipsClipboardBlock({1, 0}, l2, u2));
}

TEST(MapEditorView, CopyInOneMapPasteInAnotherMoveThenUndo) {
    EditorFixture f(40, 30);
    for (int y = 2; y < 4; ++y)
        for (int x = 3; x < 6; ++x) {
            f.map.LowerLayer.SetChip(x, y, 5060 + x + 10 * y);
            f.map.UpperLayer.SetChip(x, y, 10030 + x);
        }
    f.view.SetTool(mtSelect);
    selectCells(f, 3, 2, 6, 4);
    EXPECT_EQ(f.view.Selection(), (TRect{3, 2, 6, 4}));
    EXPECT_TRUE(f.view.SelectionLifted());
    f.key(Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(f.clipboard.has(ClipboardFormat::MapChips));

    // Another map: its own content, scrolled away from the top-left.
    TQelMap other(2);
    MakeSampleMap(other, 2, 60, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x)
            other.LowerLayer.SetChip(x, y, 5000 + (x + y) % 7);
    const auto otherLower = layerCopy(other.LowerLayer);
    const auto otherUpper = layerCopy(other.UpperLayer);
    f.tree.AddMapNode(0, 2);
    f.tree.ActiveID = 2;
    f.view.SetMap(&other);
    f.view.LoadMap();
    f.view.ScrollTo(320, 96);
    f.settle();

    f.key(Qt::Key_V, Qt::ControlModifier);
    // Centred in what is in view: (half the visible width + scroll) / cell size - width / 2.
    const QSize visible = f.view.VisibleSize();
    const int left = (visible.width() / 2 + f.view.ScrollX()) / 32 - 3 / 2;
    const int top = (visible.height() / 2 + f.view.ScrollY()) / 32 - 2 / 2;
    EXPECT_EQ(f.view.ScrollX(), 320);
    ASSERT_EQ(f.view.Selection(), (TRect{left, top, left + 3, top + 2}));
    EXPECT_EQ(other.LowerLayer.GetChip(left, top), 5060 + 3 + 20);
    EXPECT_EQ(other.UpperLayer.GetChip(left + 2, top + 1), 10035);
    EXPECT_TRUE(other.Modified);

    // Moved two cells right and one down before it is let go.
    f.press(left, top);
    f.settle();
    f.move(left + 2, top + 1);
    f.settle();
    f.release(left + 2, top + 1);
    EXPECT_EQ(f.view.Selection(), (TRect{left + 2, top + 1, left + 5, top + 3}));
    EXPECT_EQ(other.LowerLayer.GetChip(left + 2, top + 1), 5060 + 3 + 20);
    // Where it was first put, the other map's own cells are back.
    EXPECT_EQ(other.LowerLayer.GetChip(left, top), otherLower[size_t(left + top * 60)]);
    EXPECT_EQ(other.UpperLayer.GetChip(left, top), otherUpper[size_t(left + top * 60)]);
    expectSameAsFullRedraw(f.view);

    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(layerCopy(other.LowerLayer), otherLower);
    EXPECT_EQ(layerCopy(other.UpperLayer), otherUpper);
    EXPECT_TRUE(f.view.Selection().IsEmpty());
}

TEST(MapEditorView, CutFillsTheHoleWithTheBrushFamilyAndTheEmptyUpperChip) {
    EditorFixture f(20, 15);
    for (int y = 4; y < 6; ++y)
        for (int x = 4; x < 6; ++x) {
            f.map.LowerLayer.SetChip(x, y, Stone);
            f.map.UpperLayer.SetChip(x, y, 10040);
        }
    f.brush(4123); // ground autotile 3: its family starts at 4100
    f.view.SetTool(mtSelect);
    selectCells(f, 4, 4, 6, 6);
    f.key(Qt::Key_X, Qt::ControlModifier);
    for (int y = 4; y < 6; ++y)
        for (int x = 4; x < 6; ++x) {
            EXPECT_EQ(f.lower(x, y), 4100);
            EXPECT_EQ(f.upper(x, y), 10000);
        }
    EXPECT_TRUE(f.view.Selection().IsEmpty());
    auto block = f.clipboard.get(ClipboardFormat::MapChips);
    ASSERT_TRUE(block);
    TQelMapLayer l(LowerFillChip), u(UpperFillChip);
    ASSERT_TRUE(ReadChipsClipboardBlock(*block, l, u));
    EXPECT_EQ(l.Cells, std::vector<uint16_t>(4, Stone));
    EXPECT_EQ(u.Cells, std::vector<uint16_t>(4, 10040));
    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.lower(4, 4), Stone);
    EXPECT_EQ(f.upper(5, 5), 10040);
}

TEST(MapEditorView, MovingASelectionAndCancellingItWithTheRightButton) {
    EditorFixture f(20, 15);
    f.map.LowerLayer.SetChip(2, 2, Stone);
    f.brush(5000);
    f.view.SetTool(mtSelect);
    selectCells(f, 2, 2, 3, 3);
    const auto before = layerCopy(f.map.LowerLayer);
    f.press(2, 2);
    f.settle();
    f.move(5, 4);
    f.settle();
    EXPECT_EQ(f.lower(5, 4), Stone);
    EXPECT_EQ(f.lower(2, 2), 5000);
    // The right button puts the selection back where the move began.
    QTest::mousePress(f.box(), Qt::RightButton, {}, f.at(5, 4));
    QTest::mouseRelease(f.box(), Qt::RightButton, {}, f.at(5, 4));
    f.release(5, 4);
    EXPECT_EQ(layerCopy(f.map.LowerLayer), before);
    EXPECT_EQ(f.view.Selection(), (TRect{2, 2, 3, 3}));
    // The move pushed the map first, so undo still finds it.
    EXPECT_TRUE(f.view.CanUndo());
}

TEST(MapEditorView, ChipsMenuEnabling) {
    EditorFixture f(20, 15);
    f.view.SetTool(mtSelect);
    f.view.UpdateChipsMenu();
    EXPECT_FALSE(f.view.Menu_MapChips_Cut->isEnabled());
    EXPECT_FALSE(f.view.Menu_MapChips_Copy->isEnabled());
    EXPECT_FALSE(f.view.Menu_MapChips_Clear->isEnabled());
    EXPECT_FALSE(f.view.Menu_MapChips_Paste->isEnabled());
    EXPECT_TRUE(f.view.Menu_MapChips_SelectAll->isEnabled());
    f.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f.view.Selection(), (TRect{0, 0, 20, 15}));
    f.view.UpdateChipsMenu();
    EXPECT_TRUE(f.view.Menu_MapChips_Copy->isEnabled());
    f.key(Qt::Key_C, Qt::ControlModifier);
    f.view.UpdateChipsMenu();
    EXPECT_TRUE(f.view.Menu_MapChips_Paste->isEnabled());
    // The right button beside nothing drops the selection and opens the menu.
    f.press(3, 3, Qt::RightButton);
    EXPECT_TRUE(f.view.ChipsMenu()->isVisible());
    f.view.ChipsMenu()->close();
    f.release(3, 3, Qt::RightButton);
}

// ---- event mode ----

namespace {

TQelEventItem& addEvent(TQelMap& map, int id, int x, int y) {
    auto* event = map.Events.FindOrCreate(id);
    event->X = x;
    event->Y = y;
    return *event;
}

} // namespace

TEST(MapEditorView, EventsDragOnlyOntoEmptyCells) {
    EditorFixture f(20, 15);
    addEvent(f.map, 1, 2, 2);
    addEvent(f.map, 2, 5, 5);
    f.tree.StartPositions.SetStartMap(0, 1);
    f.tree.StartPositions.SetStartX(0, 8);
    f.tree.StartPositions.SetStartY(0, 1);
    f.view.SetMode(mmEvent);
    f.view.LoadMap();
    f.settle();

    // Onto an occupied cell: it stays.
    f.press(2, 2);
    f.move(5, 5);
    f.settle();
    f.release(5, 5);
    EXPECT_EQ(f.map.Events.Find(1)->X, 2);
    EXPECT_EQ(f.map.Events.Find(1)->Y, 2);
    EXPECT_FALSE(f.map.Modified);
    // Onto the party start: it stays too.
    f.press(2, 2);
    f.move(8, 1);
    f.settle();
    f.release(8, 1);
    EXPECT_EQ(f.map.Events.Find(1)->X, 2);

    // Onto an empty cell: it moves, and the cursor with it.
    f.press(2, 2);
    f.move(4, 7);
    f.settle();
    f.release(4, 7);
    EXPECT_EQ(f.map.Events.Find(1)->X, 4);
    EXPECT_EQ(f.map.Events.Find(1)->Y, 7);
    EXPECT_EQ(f.view.Cursor(), (TRect{4, 7, 5, 8}));
    EXPECT_EQ(f.view.EventMap().CellAt(4, 7), 1);
    EXPECT_EQ(f.view.EventMap().CellAt(2, 2), 0);
    EXPECT_TRUE(f.map.Modified);

    // The party start moves the same way.
    f.press(8, 1);
    f.move(9, 9);
    f.settle();
    f.release(9, 9);
    EXPECT_EQ(f.tree.StartPositions.StartX(0), 9);
    EXPECT_EQ(f.tree.StartPositions.StartY(0), 9);
    expectSameAsFullRedraw(f.view);
}

TEST(MapEditorView, EventCursorFollowsPressesAndArrowKeys) {
    EditorFixture f(20, 15);
    f.view.SetMode(mmEvent);
    f.press(3, 4);
    f.release(3, 4);
    EXPECT_EQ(f.view.Cursor(), (TRect{3, 4, 4, 5}));
    // Moving the mouse does not move the cursor in event mode.
    f.hover(7, 7);
    EXPECT_EQ(f.view.Cursor(), (TRect{3, 4, 4, 5}));
    f.key(Qt::Key_Right);
    f.key(Qt::Key_Down);
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.view.Cursor(), (TRect{4, 6, 5, 7}));
    for (int i = 0; i < 10; ++i)
        f.key(Qt::Key_Left);
    EXPECT_EQ(f.view.Cursor(), (TRect{0, 6, 1, 7}));
}

TEST(MapEditorView, EventMenuEntries) {
    EditorFixture f(20, 15);
    addEvent(f.map, 1, 2, 2).Name = "Guard";
    f.tree.StartPositions.SetStartMap(1, 1);
    f.tree.StartPositions.SetStartX(1, 6);
    f.tree.StartPositions.SetStartY(1, 6);
    f.view.SetMode(mmEvent);
    f.view.LoadMap();

    struct Case {
        int x, y;
        bool newShown, editShown, occupiedEntries, emptyEntries;
    } cases[] = {
        {4, 4, true, false, false, true},
        {2, 2, false, true, true, false},
        {6, 6, false, true, true, false},
    };
    TFormMapEditor& v = f.view;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        f.press(c.x, c.y, Qt::RightButton);
        f.release(c.x, c.y, Qt::RightButton);
        EXPECT_TRUE(v.EventMenu()->isVisible());
        v.EventMenu()->close();
        EXPECT_EQ(v.Menu_MapEvent_New->isVisible(), c.newShown);
        EXPECT_EQ(v.Menu_MapEvent_Edit->isVisible(), c.editShown);
        EXPECT_EQ(v.EventMenu()->defaultAction(), c.newShown ? v.Menu_MapEvent_New : v.Menu_MapEvent_Edit);
        // The event editor is not plugged in: its entries stay disabled.
        EXPECT_FALSE(v.Menu_MapEvent_New->isEnabled());
        EXPECT_FALSE(v.Menu_MapEvent_Edit->isEnabled());
        EXPECT_FALSE(v.Menu_MapEvent_Move->isEnabled());
        for (QAction* a : {v.Menu_MapEvent_Cut, v.Menu_MapEvent_Copy, v.Menu_MapEvent_Delete})
            EXPECT_EQ(a->isEnabled(), c.occupiedEntries) << a->objectName().toStdString();
        for (QAction* a : {v.Menu_MapEvent_StartParty, v.Menu_MapEvent_Vehicle})
            EXPECT_EQ(a->isEnabled(), c.emptyEntries) << a->objectName().toStdString();
        EXPECT_FALSE(v.Menu_MapEvent_Paste->isEnabled());
    }

    // Copy the event, paste it on an empty cell with the keys.
    f.press(2, 2);
    f.release(2, 2);
    f.key(Qt::Key_C, Qt::ControlModifier);
    f.press(9, 3);
    f.release(9, 3);
    v.UpdateEventMenu();
    EXPECT_TRUE(v.Menu_MapEvent_Paste->isEnabled());
    f.key(Qt::Key_V, Qt::ControlModifier);
    const TQelEventItem* pasted = f.map.Events.Find(2);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->Name, "Guard");
    EXPECT_EQ(pasted->X, 9);
    EXPECT_EQ(v.EventMap().CellAt(9, 3), 2);
    // Delete it again; the boat start is cut and pasted elsewhere.
    f.key(Qt::Key_Delete);
    EXPECT_EQ(f.map.Events.Find(2), nullptr);
    f.press(6, 6);
    f.release(6, 6);
    f.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.tree.StartPositions.StartMap(1), 0);
    f.press(11, 11);
    f.release(11, 11);
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.tree.StartPositions.StartMap(1), 1);
    EXPECT_EQ(f.tree.StartPositions.StartX(1), 11);
    EXPECT_EQ(v.EventMap().CellAt(11, 11), TQelEventMap::BoatStart);
}

TEST(MapEditorView, EnteringEventModeDropsCursorSelectionAndUndo) {
    EditorFixture f(20, 15);
    f.press(1, 1);
    f.release(1, 1);
    ASSERT_TRUE(f.view.CanUndo());
    f.hover(3, 3);
    EXPECT_TRUE(f.view.HasCursor());
    f.view.SetMode(mmEvent);
    EXPECT_FALSE(f.view.HasCursor());
    EXPECT_FALSE(f.view.CanUndo());
}

// ---- zoom and scrolling ----

TEST(MapEditorView, ZoomingOutFrom32To4KeepsTheCentre) {
    EditorFixture f(500, 500, {640, 480});
    f.view.ScrollTo(3000, 2000);
    f.settle();
    auto centre = [&] {
        const double cs = f.view.CellSize();
        return std::pair<double, double>{(f.view.ScrollX() + f.view.VisibleSize().width() / 2.0) / cs,
                                         (f.view.ScrollY() + f.view.VisibleSize().height() / 2.0) / cs};
    };
    const auto before = centre();
    int zoomed = 0;
    f.view.onZoomChanged = [&](int) { ++zoomed; };
    for (int size : {16, 8, 4}) {
        SCOPED_TRACE(size);
        f.view.SetCellSize(size);
        const auto now = centre();
        EXPECT_NEAR(now.first, before.first, 0.5);
        EXPECT_NEAR(now.second, before.second, 0.5);
    }
    EXPECT_EQ(zoomed, 3);
    f.view.SetCellSize(32);
    EXPECT_EQ(f.view.ScrollX(), 3000);
    EXPECT_EQ(f.view.ScrollY(), 2000);
    expectSameAsFullRedraw(f.view);
}

TEST(MapEditorView, ZoomToolKeepsTheClickedPointUnderTheMouse) {
    EditorFixture f(200, 200);
    f.view.ScrollTo(1000, 800);
    f.view.SetTool(mtZoom);
    const QPoint mouse(100, 60);
    const int mapX = (f.view.ScrollX() + mouse.x()) / 32, mapY = (f.view.ScrollY() + mouse.y()) / 32;
    QTest::mouseClick(f.box(), Qt::RightButton, {}, mouse);
    EXPECT_EQ(f.view.CellSize(), 16);
    EXPECT_EQ((f.view.ScrollX() + mouse.x()) / 16, mapX);
    EXPECT_EQ((f.view.ScrollY() + mouse.y()) / 16, mapY);
    QTest::mouseClick(f.box(), Qt::LeftButton, {}, mouse);
    EXPECT_EQ(f.view.CellSize(), 32);
    EXPECT_EQ((f.view.ScrollX() + mouse.x()) / 32, mapX);
}

TEST(MapEditorView, ScrollingDrawsOnlyTheStripsThatCameIntoViewAndMatchesAFullRedraw) {
    for (int size : {32, 16, 8, 4}) {
        SCOPED_TRACE(size);
        EditorFixture f(300, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                f.map.LowerLayer.SetChip(x, y, 5000 + (x * 3 + y * 5) % 40);
        f.view.RedrawAll();
        f.view.SetCellSize(size);
        f.view.ScrollTo(200, 200);
        f.settle();
        for (QPoint step : {QPoint(size, 0), QPoint(0, size), QPoint(-3 * size, 7), QPoint(5, -2 * size)}) {
            f.view.ScrollBy(step.x(), step.y());
            expectSameAsFullRedraw(f.view);
        }
    }
}

TEST(MapEditorView, ScrollingMovesTheRememberedPositionAtTheFullScale) {
    EditorFixture f(100, 100);
    f.view.SetCellSize(8);
    const int x0 = f.tree.NodeByID(1)->ScrollX;
    f.view.ScrollBy(40, 0);
    EXPECT_EQ(f.tree.NodeByID(1)->ScrollX, x0 + 40 * 32 / 8);
    f.view.SetCellSize(32);
    f.view.ScrollTo(777, 300);
    EXPECT_EQ(f.tree.NodeByID(1)->ScrollX, 777);
    EXPECT_EQ(f.tree.NodeByID(1)->ScrollY, 300);
}

TEST(MapEditorView, SmallMapStandsInTheMiddleOfTheView) {
    EditorFixture f(20, 15, {800, 600});
    EXPECT_EQ(f.view.VisibleSize(), QSize(640, 480));
    EXPECT_EQ(f.box()->geometry(), QRect(80, 60, 640, 480));
    EXPECT_FALSE(f.view.HorizontalScrollBar()->isVisible());
    f.view.SetCellSize(8);
    EXPECT_EQ(f.box()->geometry(), QRect((800 - 160) / 2, (600 - 120) / 2, 160, 120));
    // Around the map the view is hatched in the two greys of the pattern.
    const QImage shown = f.view.grab().toImage();
    std::set<QRgb> around;
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            around.insert(shown.pixel(x, y) & 0xFFFFFF);
    auto shownColour = [](TRGB c) {
        const TRGB s = Unpack565(Pack565(c));
        return QRgb(s.red << 16 | s.green << 8 | s.blue);
    };
    EXPECT_EQ(around, (std::set<QRgb>{shownColour({128, 128, 128}), shownColour({192, 192, 192})}));
}

TEST(MapEditorView, LosingTheFocusEndsAStrokeAsIfReleased) {
    EditorFixture f(20, 15);
    f.brush(5044);
    f.press(2, 2);
    f.move(4, 2);
    f.settle();
    f.view.EndStroke();
    EXPECT_FALSE(f.view.Busy());
    EXPECT_TRUE(f.view.CanUndo());
    EXPECT_EQ(f.lower(4, 2), 5044);
    // The real release afterwards changes nothing more.
    f.release(9, 9);
    EXPECT_EQ(f.lower(9, 9), Grass);
}

TEST(MapEditorView, EventEditorOperationsRunWhenPluggedIn) {
    EditorFixture f(20, 15);
    addEvent(f.map, 1, 2, 2);
    f.tree.StartPositions.SetStartMap(0, 1);
    f.tree.StartPositions.SetStartX(0, 6);
    f.tree.StartPositions.SetStartY(0, 6);
    f.view.SetMode(mmEvent);
    f.view.LoadMap();
    f.brush(10012, mmEvent);
    std::vector<std::tuple<int, int, int>> edits;
    f.view.EventManager().editEvent = [&](TQelEventManager&, int x, int y, int tile) {
        edits.emplace_back(x, y, tile);
    };
    // A double-click on an empty cell makes a new event showing the event brush's tile; Enter
    // edits the event under the cursor; a start position has nothing to edit.
    f.press(4, 4);
    f.release(4, 4);
    QTest::mouseDClick(f.box(), Qt::LeftButton, {}, f.at(4, 4));
    f.release(4, 4);
    f.press(2, 2);
    f.release(2, 2);
    f.key(Qt::Key_Return);
    f.press(6, 6);
    f.release(6, 6);
    f.view.UpdateEventMenu();
    EXPECT_FALSE(f.view.Menu_MapEvent_Edit->isEnabled());
    f.key(Qt::Key_Return);
    QTest::mouseDClick(f.box(), Qt::LeftButton, {}, f.at(6, 6));
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0], std::make_tuple(4, 4, 12));
    EXPECT_EQ(edits[1], std::make_tuple(2, 2, 12));
}

TEST(MapEditorView, OverlaysShowTheCursorFrameAndTheMarchingSelection) {
    EditorFixture f(20, 15);
    f.hover(3, 3);
    f.settle();
    // The cursor frame of the lower layer: black, light green, white, black from the outside in.
    const TRect r = f.view.ViewRectOfCells({3, 3, 4, 4});
    EXPECT_EQ(f.view.ScreenBoard().Pixel(r.left, r.top + 9), Pack565({0, 0, 0}));
    EXPECT_EQ(f.view.ScreenBoard().Pixel(r.left + 1, r.top + 9), Pack565({128, 255, 128}));
    EXPECT_EQ(f.view.ScreenBoard().Pixel(r.left + 2, r.top + 9), Pack565({255, 255, 255}));
    // Leaving the view takes the frame away; the front board never holds it.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.box(), &leave);
    f.settle();
    EXPECT_FALSE(f.view.HasCursor());
    EXPECT_EQ(f.view.ScreenBoard().Pixel(r.left + 1, r.top + 9),
              f.view.FrontBoard().Pixel(r.left + 1, r.top + 9));

    // The selection's outline is black and white dots.
    f.view.SetTool(mtSelect);
    f.key(Qt::Key_A, Qt::ControlModifier);
    f.settle();
    int black = 0, white = 0;
    for (int x = 0; x < 200; ++x) {
        const uint16_t p = f.view.ScreenBoard().Pixel(x, 0);
        black += p == Pack565({0, 0, 0});
        white += p == Pack565({255, 255, 255});
    }
    EXPECT_GT(black, 50);
    EXPECT_GT(white, 50);
    EXPECT_EQ(black + white, 200);
}

// ---- the deep undo: a history per map with redo ----

TEST(MapEditorDeepUndo, HundredStepsRedoAndAHistoryPerMapThatOutlivesSaves) {
    EditorFixture f(40, 30, {640, 480}, 100);
    const auto before = layerCopy(f.map.LowerLayer);
    f.brush(Stone);
    // 101 one-cell strokes on cells apart from each other: the first falls out of the history.
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < 101; ++i)
        cells.push_back({(i % 13) * 3, (i / 13) * 3});
    for (const auto& [x, y] : cells) {
        f.press(x, y);
        f.release(x, y);
    }
    const auto painted = layerCopy(f.map.LowerLayer);
    int undone = 0;
    while (f.view.CanUndo()) {
        f.key(Qt::Key_Z, Qt::ControlModifier);
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(f.lower(cells[0].first, cells[0].second), Stone);
    EXPECT_EQ(f.lower(cells[1].first, cells[1].second), before[size_t(cells[1].first + cells[1].second * 40)]);
    EXPECT_TRUE(f.view.CanRedo());
    for (int i = 0; i < 100; ++i)
        f.view.Redo();
    EXPECT_EQ(layerCopy(f.map.LowerLayer), painted);
    EXPECT_FALSE(f.view.CanRedo());

    // A save keeps the history; event mode keeps it too.
    f.view.ClearUndo();
    f.view.SetMode(mmEvent);
    f.view.SetMode(mmLower);
    EXPECT_TRUE(f.view.CanUndo());

    // Another map and back: each keeps its own steps.
    TQelMap other(2);
    MakeSampleMap(other, 2, 30, 20);
    f.tree.AddMapNode(0, 2);
    f.view.SetMap(&other);
    f.view.LoadMap();
    EXPECT_FALSE(f.view.CanUndo());
    f.press(1, 1);
    f.release(1, 1);
    EXPECT_TRUE(f.view.CanUndo());
    f.view.SetMap(&f.map);
    f.view.LoadMap();
    ASSERT_TRUE(f.view.CanUndo());
    f.view.Undo();
    const auto& [lx, ly] = cells.back();
    EXPECT_EQ(f.lower(lx, ly), before[size_t(lx + ly * 40)]);
    f.view.Redo();
    EXPECT_EQ(f.lower(lx, ly), Stone);
}

TEST(MapEditorDeepUndo, APasteWithItsMovesIsOneStepAndAChangedMapForgetsItsHistory) {
    EditorFixture f(40, 30, {640, 480}, 100);
    for (int x = 3; x < 6; ++x)
        f.map.LowerLayer.SetChip(x, 2, 5060 + x);
    const auto before = layerCopy(f.map.LowerLayer);
    f.view.SetTool(mtSelect);
    selectCells(f, 3, 2, 6, 3);
    f.key(Qt::Key_C, Qt::ControlModifier);
    f.key(Qt::Key_V, Qt::ControlModifier);
    const TRect pasted = f.view.Selection();
    f.press(pasted.left, pasted.top);
    f.move(pasted.left + 2, pasted.top + 1);
    f.release(pasted.left + 2, pasted.top + 1);
    ASSERT_NE(layerCopy(f.map.LowerLayer), before);
    f.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(layerCopy(f.map.LowerLayer), before);
    EXPECT_FALSE(f.view.CanUndo());
    f.view.Redo();
    EXPECT_NE(layerCopy(f.map.LowerLayer), before);

    // Changed behind the view's back (reverted, shifted): its history no longer fits and goes.
    f.map.ShiftMap(1, 0);
    f.view.LoadMap();
    EXPECT_FALSE(f.view.CanUndo());
    EXPECT_FALSE(f.view.CanRedo());
}

TEST(MapEditorDeepUndo, HistoryOfAHugeMapGrowsWithTheCellsChanged) {
    TQelMap map(1);
    ResetGrassMap(map, 500, 500);
    TQelMapEditHistory history(100);
    history.Settle(map);
    for (int i = 0; i < 100; ++i) {
        history.Push(map);
        map.LowerLayer.SetChip(i * 4, i * 4, 5001 + i % 7);
        history.Settle(map);
    }
    history.Close();
    EXPECT_EQ(history.Count(), 100);
    EXPECT_LT(history.MemoryBytes(), 2u * 1024 * 1024);
    // Even with a step open (its layers kept whole) it stays under 2 MB.
    history.Push(map);
    EXPECT_LT(history.MemoryBytes(), 2u * 1024 * 1024);
}
