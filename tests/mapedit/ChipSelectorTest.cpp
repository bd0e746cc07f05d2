// The chip palette driven by the mouse: clicks, drags limited to six rows, the event mode's single
// cell, cancelling, the modes' own scroll and selection, the pane width and what it draws.
#include <QScrollBar>
#include <gtest/gtest.h>

#include "MapViewFixture.h"
#include "graphics/GR_ChipSet.h"
#include "mapedit/ChipSelector.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

struct PaletteFixture {
    SampleChipSetData data;
    TQelMap map{1};
    TFormChipSelector palette;
    int changes = 0;

    PaletteFixture() {
        MakeSampleMap(map, 1, 20, 15);
        palette.resize(214, 400);
        palette.SetMap(&map);
        palette.SetMode(0);
        palette.show();
        palette.onSelectionChanged = [this] { ++changes; };
        QApplication::processEvents();
    }
    QWidget* box() const { return palette.PaintBox(); }
    static QPoint at(int column, int row) { return {column * 32 + 16, row * 32 + 16}; }
    // A drag from one cell to another that waits out the delay first.
    void drag(int c0, int r0, int c1, int r1, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(box(), button, {}, at(c0, r0));
        QTest::qWait(TFormChipSelector::DragDelay + 30);
        QTest::mouseMove(box(), at(c1, r1));
        QTest::mouseRelease(box(), button, {}, at(c1, r1));
    }
};

} // namespace

TEST(ChipPalette, DragFromRowTwoToRowTwentySelectsSixRows) {
    PaletteFixture f;
    f.drag(1, 2, 3, 20);
    // Rows 2 up to 8 (exclusive): six rows, the most a brush has.
    EXPECT_EQ(f.palette.Selection(), (TRect{1, 2, 4, 8}));
    EXPECT_EQ(f.changes, 1);
    // Upwards the same limit holds, and the mouse beyond the palette's side is clamped.
    f.drag(4, 20, 9, 0);
    EXPECT_EQ(f.palette.Selection(), (TRect{4, 15, 6, 21}));
}

TEST(ChipPalette, MovesBeforeTheDelaySelectOneCell) {
    PaletteFixture f;
    QTest::mousePress(f.box(), Qt::LeftButton, {}, f.at(0, 3));
    QTest::mouseMove(f.box(), f.at(2, 5));
    QTest::mouseRelease(f.box(), Qt::LeftButton, {}, f.at(2, 5));
    EXPECT_EQ(f.palette.Selection(), (TRect{0, 3, 1, 4}));
}

TEST(ChipPalette, EventModeSelectsOnlyOneCell) {
    PaletteFixture f;
    f.palette.SetMode(2);
    f.drag(0, 2, 3, 5);
    EXPECT_EQ(f.palette.Selection(), (TRect{0, 2, 1, 3}));
    EXPECT_EQ(f.palette.ChipAt(0, 2), 10012);
}

TEST(ChipPalette, SecondButtonCancelsTheDrag) {
    PaletteFixture f;
    f.palette.SetSelection({2, 4, 3, 5});
    const int before = f.changes;
    QTest::mousePress(f.box(), Qt::LeftButton, {}, f.at(0, 0));
    EXPECT_EQ(f.palette.Selection(), (TRect{0, 0, 1, 1}));
    QTest::mousePress(f.box(), Qt::RightButton, {}, f.at(0, 0));
    EXPECT_EQ(f.palette.Selection(), (TRect{2, 4, 3, 5}));
    QTest::mouseRelease(f.box(), Qt::RightButton, {}, f.at(0, 0));
    QTest::mouseRelease(f.box(), Qt::LeftButton, {}, f.at(0, 0));
    EXPECT_EQ(f.palette.Selection(), (TRect{2, 4, 3, 5}));
    EXPECT_EQ(f.changes, before);
}

TEST(ChipPalette, ChipsOfCellsAndCellsOfChips) {
    PaletteFixture f;
    struct Case {
        int column, row, chip;
    } lower[] = {{0, 0, 49},   {1, 0, 1049}, {2, 0, 2049}, {3, 0, 3000}, {5, 0, 3100},
                 {0, 1, 4049}, {2, 1, 4149}, {5, 2, 4599}, {0, 3, 5000}, {5, 26, 5143}};
    for (const auto& c : lower) {
        EXPECT_EQ(f.palette.ChipAt(c.column, c.row), c.chip);
        EXPECT_EQ(f.palette.CellOfChip(c.chip), (TPoint{c.column, c.row})) << c.chip;
    }
    // Picked from the map: water and animated chips by their kind, autotiles only in their
    // palette form.
    EXPECT_EQ(f.palette.CellOfChip(1015), (TPoint{1, 0}));
    EXPECT_EQ(f.palette.CellOfChip(3099), (TPoint{4, 0}));
    EXPECT_EQ(f.palette.CellOfChip(4123), (TPoint{-1, -1}));
    EXPECT_EQ(f.palette.CellOfChip(10005), (TPoint{-1, -1}));
    f.palette.SetMode(1);
    EXPECT_EQ(f.palette.ChipAt(2, 3), 10020);
    EXPECT_EQ(f.palette.CellOfChip(10143), (TPoint{5, 23}));
    EXPECT_EQ(f.palette.CellOfChip(5000), (TPoint{-1, -1}));
}

TEST(ChipPalette, EachModeKeepsItsScrollAndSelection) {
    PaletteFixture f;
    QScrollBar* bar = f.palette.ScrollBox()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    f.palette.SetSelection({1, 5, 3, 6});
    bar->setValue(160);
    f.palette.SetMode(1);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(f.palette.Selection(), (TRect{0, 0, 1, 1}));
    EXPECT_EQ(f.palette.PaintBox()->height(), 24 * 32);
    f.palette.SetSelection({4, 4, 5, 5});
    f.palette.SetMode(0);
    EXPECT_EQ(bar->value(), 160);
    EXPECT_EQ(f.palette.Selection(), (TRect{1, 5, 3, 6}));
    EXPECT_EQ(f.palette.PaintBox()->height(), 27 * 32);
    f.palette.SetMode(1);
    EXPECT_EQ(f.palette.Selection(), (TRect{4, 4, 5, 5}));
    // Changing the mode tells the main window, which rebuilds that mode's brush.
    EXPECT_EQ(f.changes, 3);
    f.palette.Reset();
    EXPECT_EQ(f.palette.Mode(), 3);
    f.palette.SetMode(0);
    EXPECT_EQ(f.palette.Selection(), (TRect{0, 0, 1, 1}));
}

TEST(ChipPalette, WheelScrollsSixteenPixelsANotch) {
    PaletteFixture f;
    QScrollBar* bar = f.palette.ScrollBox()->verticalScrollBar();
    QWheelEvent down(QPointF(20, 20), f.palette.mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -240),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.palette.ScrollBox()->viewport(), &down);
    EXPECT_EQ(bar->value(), 32);
}

TEST(ChipPalette, KeepsAClient192PixelsWideAndScrollsSidewaysInANarrowPane) {
    PaletteFixture f;
    QScrollArea* box = f.palette.ScrollBox();
    EXPECT_EQ(box->viewport()->width(), 192);
    EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
    f.palette.resize(150, 400);
    QApplication::processEvents();
    EXPECT_EQ(box->width(), 150);
    EXPECT_TRUE(box->horizontalScrollBar()->isVisible());
}

TEST(ChipPalette, DrawsEachChipAtTwiceItsSizeAndFramesTheSelection) {
    PaletteFixture f;
    f.palette.SetSelection({2, 3, 4, 4});
    TMapGraphics* graphics = MapGraphicsOf(f.map);
    ASSERT_NE(graphics, nullptr);
    TPrismBoard expected;
    expected.SetSize(32, 32);
    graphics->ChipSet().SetTransparent(false);
    graphics->ChipSet().DrawChip(expected, 0, 0, f.palette.ChipAt(1, 6), false, 32, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(f.palette.Board().Pixel(32 + x, 6 * 32 + y), expected.Pixel(x, y)) << x << "," << y;
    // The frame: black outside, the mode's colour, white, black inside.
    const TRect frame = ScaleRect({2, 3, 4, 4}, 32);
    EXPECT_EQ(f.palette.Board().Pixel(frame.left, frame.top + 10), Pack565({0, 0, 0}));
    EXPECT_EQ(f.palette.Board().Pixel(frame.left + 1, frame.top + 10), Pack565({128, 255, 128}));
    EXPECT_EQ(f.palette.Board().Pixel(frame.left + 2, frame.top + 10), Pack565({255, 255, 255}));
    // Showing no selection erases the frame.
    f.palette.SetSelection({-1, -1, -1, -1});
    EXPECT_FALSE(f.palette.HasSelection());
    EXPECT_NE(f.palette.Board().Pixel(frame.left + 1, frame.top + 10), Pack565({128, 255, 128}));
}
