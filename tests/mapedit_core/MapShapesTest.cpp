// The pen, rectangle, ellipse and fill tools as strokes: previews restore from the base layers,
// shapes compose like the same cells painted one by one, fills follow kinds or exact chips.
#include <gtest/gtest.h>

#include <random>

#include "MapEditFixtures.h"
#include "graphics/GR_ChipSet.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// A map of mixed ground: grass with patches of two autotiles, water and deep water, already
// connected as the editor would have left it.
void paintMixedGround(PaintFixture& f, uint32_t seed) {
    std::mt19937 random(seed);
    const int chips[] = {AutotileA, AutotileB, WaterA, DeepWater, Stone};
    for (int i = 0; i < 30; ++i) {
        f.brush = TQelCurrentChip(chips[random() % 5]);
        TQelPaintStroke stroke(f.painter);
        const TPoint a{int(random() % uint32_t(f.map.Width)), int(random() % uint32_t(f.map.Height))};
        stroke.Begin(mtRectangle, a, {0, 0}, {});
        stroke.MoveTo({a.x + int(random() % 3), a.y + int(random() % 3)}, {});
    }
    f.map.UpperLayer.SetChip(3, 3, 10017);
}

void expectSameLayers(const PaintFixture& a, const PaintFixture& b, const char* what) {
    EXPECT_EQ(a.map.LowerLayer.Cells, b.map.LowerLayer.Cells)
        << what << "\n"
        << a.rows({0, 0, a.map.Width, a.map.Height}) << "vs\n"
        << b.rows({0, 0, b.map.Width, b.map.Height});
    EXPECT_EQ(a.map.UpperLayer.Cells, b.map.UpperLayer.Cells) << what;
}

} // namespace

TEST(Shapes, AShapeShrunkBackToItsStartCellRestoresEveryCell) {
    for (TMapTool tool : {mtRectangle, mtEllipse})
        for (TEditLayer layer : {TEditLayer::Lower, TEditLayer::Upper}) {
            PaintFixture f(14, 11), g(14, 11);
            paintMixedGround(f, 3);
            paintMixedGround(g, 3);
            for (PaintFixture* p : {&f, &g}) {
                p->painter.SetLayer(layer);
                p->brush = TQelCurrentChip(layer == TEditLayer::Upper ? 10040 : 1049);
            }
            TQelPaintStroke stroke(f.painter), press(g.painter);
            stroke.Begin(tool, {6, 5}, {0, 0}, {});
            stroke.MoveTo({12, 9}, {});
            stroke.MoveTo({1, 0}, {});
            stroke.MoveTo({6, 5}, {});
            press.Begin(tool, {6, 5}, {0, 0}, {});
            expectSameLayers(f, g, tool == mtEllipse ? "ellipse" : "rectangle");
        }
}

TEST(Shapes, ARectangleComposesLikeItsCellsPaintedOneByOne) {
    for (int chip : {AutotileA, WaterA, DeepWater, 1049, Stone}) {
        PaintFixture shape(14, 11), pen(14, 11), direct(14, 11);
        for (PaintFixture* p : {&shape, &pen, &direct}) {
            paintMixedGround(*p, 5);
            p->brush = TQelCurrentChip(chip);
        }
        // Drawn larger first, then dragged back to its size.
        TQelPaintStroke stroke(shape.painter);
        stroke.Begin(mtRectangle, {3, 2}, {0, 0}, {});
        stroke.MoveTo({13, 10}, {});
        stroke.MoveTo({0, 0}, {});
        stroke.MoveTo({8, 6}, {});
        TQelPaintStroke once(direct.painter);
        once.Begin(mtRectangle, {8, 6}, {0, 0}, {});
        once.MoveTo({3, 2}, {});
        pen.painter.SetAnchor({3, 2});
        for (int y = 2; y <= 6; ++y)
            for (int x = 3; x <= 8; ++x)
                pen.painter.PlaceBrushChip(x, y, {});
        expectSameLayers(shape, pen, "rectangle against the pen");
        expectSameLayers(direct, pen, "a rectangle dragged the other way");
    }

    // The plain 3 x 3 case.
    PaintFixture f;
    f.brush = TQelCurrentChip(AutotileB);
    TQelPaintStroke stroke(f.painter);
    stroke.Begin(mtRectangle, {2, 1}, {0, 0}, {});
    stroke.MoveTo({4, 3}, {});
    const int expected[3][3] = {{34, 20, 36}, {16, 0, 24}, {40, 28, 38}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(f.lower(2 + x, 1 + y), 4050 + expected[y][x]);
}

TEST(Shapes, EllipsesWithSidesOfOneOrTwoCellsAreRectangles) {
    struct Case {
        TRect rect;
        bool rectangle;
    };
    const Case cases[] = {{{4, 4, 5, 5}, true},  {{2, 4, 3, 9}, true},  {{2, 3, 4, 5}, true},
                          {{1, 2, 3, 8}, true},  {{1, 2, 8, 4}, true},  {{2, 2, 7, 7}, false},
                          {{1, 1, 9, 6}, false}, {{3, 1, 6, 10}, false}};
    for (const Case& c : cases) {
        PaintFixture ellipse(12, 11), rectangle(12, 11);
        for (PaintFixture* p : {&ellipse, &rectangle}) {
            paintMixedGround(*p, 9);
            p->brush = TQelCurrentChip(AutotileB);
            p->painter.SetAnchor({c.rect.left, c.rect.top});
        }
        const TQelMapLayer backup = ellipse.map.LowerLayer;
        ellipse.painter.DrawShape(TShapeKind::Ellipse, {}, c.rect, backup, {});
        rectangle.painter.DrawShape(TShapeKind::Rectangle, {}, c.rect, backup, {});
        const auto& mask = ellipse.painter.ShapeMask();
        const bool corner = mask.Row(c.rect.top)[c.rect.left] == THighColorDIB::White;
        const int cx = (c.rect.left + c.rect.right - 1) / 2, cy = (c.rect.top + c.rect.bottom - 1) / 2;
        EXPECT_EQ(mask.Row(cy)[cx], THighColorDIB::White);
        EXPECT_EQ(mask.Row(cy)[c.rect.left], THighColorDIB::White) << "the middle row is full";
        EXPECT_EQ(mask.Row(c.rect.top)[cx], THighColorDIB::White) << "the middle column is full";
        if (c.rectangle) {
            EXPECT_TRUE(corner);
            expectSameLayers(ellipse, rectangle, "a narrow ellipse");
        } else {
            EXPECT_FALSE(corner) << c.rect.Width() << " x " << c.rect.Height();
            EXPECT_EQ(ChipKind(ellipse.lower(c.rect.left, c.rect.top)),
                      ChipKind(backup.GetChip(c.rect.left, c.rect.top)))
                << "the corner keeps its kind";
            EXPECT_EQ(ChipKind(ellipse.lower(cx, cy)), 7);
        }
    }
}

TEST(Shapes, APatternBrushTilesFromTheAnchor) {
    PaintFixture f(9, 7);
    f.painter.SetLayer(TEditLayer::Upper);
    f.brush.SetSize(2, 3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column)
            f.brush.SetChip(column, row, 10001 + column + 2 * row);
    TQelPaintStroke stroke(f.painter);
    stroke.Begin(mtRectangle, {5, 4}, {0, 0}, {});
    stroke.MoveTo({1, 0}, {});
    for (int y = 0; y <= 4; ++y)
        for (int x = 1; x <= 5; ++x) {
            const int column = ((x - 5) % 2 + 2) % 2, row = ((y - 4) % 3 + 3) % 3;
            EXPECT_EQ(f.upper(x, y), 10001 + column + 2 * row) << x << "," << y;
        }
    EXPECT_EQ(f.upper(0, 0), 10000);
    EXPECT_EQ(f.upper(6, 4), 10000);
}

TEST(Fill, ARegionBoundedByAnotherKindByKindBelowByChipAbove) {
    // Grass with a ring of stone; inside the ring a 3 x 3 patch of grass.
    PaintFixture f(10, 8);
    for (int y = 1; y <= 5; ++y)
        for (int x = 2; x <= 6; ++x)
            if (y == 1 || y == 5 || x == 2 || x == 6) f.map.LowerLayer.SetChip(x, y, Stone);
    f.brush = TQelCurrentChip(WaterA);
    TQelPaintStroke outside(f.painter);
    outside.Begin(mtFill, {0, 0}, {0, 0}, {});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool ring = y >= 1 && y <= 5 && x >= 2 && x <= 6 && (y == 1 || y == 5 || x == 2 || x == 6);
            const bool inside = y >= 2 && y <= 4 && x >= 3 && x <= 5;
            const int kind = ChipKind(f.lower(x, y));
            EXPECT_EQ(kind, ring ? ChipKind(Stone) : inside ? ChipKind(Grass) : 0) << x << "," << y;
        }
    EXPECT_EQ(f.lower(2, 0), 28) << "water along the top of the ring has its bottom edge";
    EXPECT_EQ(f.lower(0, 0), 0);

    // Inside: the autotile takes the rim of the ring as its edges.
    f.brush = TQelCurrentChip(AutotileA);
    TQelPaintStroke inside(f.painter);
    inside.Begin(mtFill, {4, 3}, {0, 0}, {});
    const int expected[3][3] = {{34, 20, 36}, {16, 0, 24}, {40, 28, 38}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(f.lower(3 + x, 2 + y), 4000 + expected[y][x]);

    // A patch of one kind in several variants is one region; a cell of that kind touching it only
    // at a corner is not part of it.
    PaintFixture d(6, 5);
    for (TPoint p : {TPoint{1, 1}, TPoint{2, 1}, TPoint{1, 2}, TPoint{3, 2}})
        d.place(p.x, p.y, AutotileA);
    ASSERT_NE(d.lower(1, 1), d.lower(2, 1));
    d.brush = TQelCurrentChip(DeepWater);
    TQelPaintStroke deep(d.painter);
    deep.Begin(mtFill, {2, 1}, {0, 0}, {});
    for (TPoint p : {TPoint{1, 1}, TPoint{2, 1}, TPoint{1, 2}})
        EXPECT_EQ(ChipKind(d.lower(p.x, p.y)), 2);
    EXPECT_EQ(ChipKind(d.lower(3, 2)), 6);
    EXPECT_EQ(d.lower(0, 0), Grass);

    // Upper layer: exact chip numbers.
    PaintFixture u(6, 4);
    u.painter.SetLayer(TEditLayer::Upper);
    for (int x = 0; x < 6; ++x)
        u.map.UpperLayer.SetChip(x, 1, x == 3 ? 10002 : 10001);
    u.brush = TQelCurrentChip(10009);
    TQelPaintStroke upper(u.painter);
    upper.Begin(mtFill, {1, 1}, {0, 0}, {});
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(u.upper(x, 1), x < 3 ? 10009 : x == 3 ? 10002 : 10001) << x;
    EXPECT_EQ(u.upper(1, 0), 10000);

    // Outside the map: nothing.
    const auto before = u.map.UpperLayer.Cells;
    EXPECT_TRUE(u.painter.FloodFill({6, 0}, u.map.UpperLayer, {}).IsEmpty());
    EXPECT_EQ(u.map.UpperLayer.Cells, before);
}

TEST(Pen, AFastDragLeavesNoGapsAndTheBrushIsClippedOrWrapped) {
    struct Case {
        TPoint from, to;
    };
    const Case cases[] = {{{0, 0}, {10, 3}}, {{10, 3}, {0, 0}}, {{2, 0}, {5, 9}}, {{9, 9}, {0, 9}}};
    for (const Case& c : cases) {
        PaintFixture f(12, 12);
        f.painter.SetLayer(TEditLayer::Upper);
        f.brush = TQelCurrentChip(10001);
        TQelPaintStroke stroke(f.painter);
        stroke.Begin(mtPen, c.from, {0, 0}, {});
        stroke.MoveTo(c.to, {});
        // One cell per column (or row) of the major axis, each next to the one before.
        const bool wide = std::abs(c.to.x - c.from.x) >= std::abs(c.to.y - c.from.y);
        int previous = -1;
        int painted = 0;
        for (int major = 0; major < 12; ++major) {
            int found = -1;
            for (int minor = 0; minor < 12; ++minor)
                if ((wide ? f.upper(major, minor) : f.upper(minor, major)) == 10001) {
                    EXPECT_EQ(found, -1) << "two cells in one step";
                    found = minor;
                    ++painted;
                }
            if (found >= 0 && previous >= 0) {
                EXPECT_LE(std::abs(found - previous), 1);
            }
            if (found >= 0) previous = found;
        }
        EXPECT_EQ(painted, std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y)) + 1);
        EXPECT_EQ(f.upper(c.to.x, c.to.y), 10001);
    }
    // The exact line from (0, 0) to (10, 3): the error starts at half the major length.
    PaintFixture line(12, 5);
    line.painter.SetLayer(TEditLayer::Upper);
    line.brush = TQelCurrentChip(10001);
    TQelPaintStroke stroke(line.painter);
    stroke.Begin(mtPen, {0, 0}, {0, 0}, {});
    stroke.MoveTo({10, 3}, {});
    const int rowOf[11] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 3, 3};
    for (int x = 0; x <= 10; ++x)
        EXPECT_EQ(line.upper(x, rowOf[x]), 10001) << x;

    // A 6 x 6 brush at the lower-right corner writes only the cells inside the map; on a looping
    // map it wraps around.
    for (bool looping : {false, true}) {
        PaintFixture f(7, 6);
        if (looping) f.map.SetScrollType(3);
        f.painter.SetLayer(TEditLayer::Upper);
        f.brush.SetSize(6, 6);
        for (int row = 0; row < 6; ++row)
            for (int column = 0; column < 6; ++column)
                f.brush.SetChip(column, row, 10100 + column + 6 * row);
        int changed = 0;
        f.painter.SetCellChangedListener([&](const TCellChange&) { ++changed; });
        TQelPaintStroke pen(f.painter);
        pen.Begin(mtPen, {5, 4}, {0, 0}, {});
        EXPECT_EQ(changed, looping ? 36 : 4);
        EXPECT_EQ(f.upper(5, 4), 10100);
        EXPECT_EQ(f.upper(6, 5), 10107);
        EXPECT_EQ(f.upper(0, 0), looping ? 10114 : 10000);
    }
}
