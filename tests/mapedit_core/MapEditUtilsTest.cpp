// The edit rules: masks and variants, the brush, auto-connection of autotiles and water with
// junctions, Shift and Ctrl, links, the cells each write reports, and the undo ring.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "MapEditFixtures.h"
#include "data/LD_DataBase.h"
#include "graphics/GR_ChipSet.h"
#include "mapedit_core/MapGraphics.h"
#include "records/QelAssert.h"

using namespace tarvel;
using namespace tarvel::test;

TEST(MaskAndVariant, EveryVariantsMaskGivesItBackAndDiagonalsBesideAnEdgeDoNotCount) {
    for (int v = 0; v <= 46; ++v)
        EXPECT_EQ(MaskToVariant(VariantToMask(v)), v) << "variant " << v;
    for (int v : {47, 48, 49, 50, -1})
        EXPECT_EQ(VariantToMask(v), 0) << "variant " << v;

    struct Case {
        int mask, variant;
    };
    const Case cases[] = {
        {0, 0},
        {nbTopLeft | nbBottomRight, 5},
        {nbLeft | nbTopLeft | nbBottomLeft, 16}, // diagonals on the edge's side ignored
        {nbLeft | nbTopRight, 17},
        {nbTop | nbTopLeft | nbTopRight | nbBottomLeft, 22},
        {nbLeft | nbTop | nbBottomRight, 35},
        {nbRight | nbTopLeft, 26},
        {nbTop | nbRight | nbBottomLeft | nbBottomRight, 37},
        {nbLeft | nbRight | 15, 32},
        {nbTop | nbBottom | 15, 33},
        {nbBottom | nbTopRight, 30},
        {nbLeft | nbBottom | nbTopRight, 41},
        {nbRight | nbBottom | nbTopLeft, 39},
        {nbLeft | nbTop | nbRight, 42},
        {nbLeft | nbTop | nbBottom, 43},
        {nbLeft | nbRight | nbBottom, 44},
        {nbTop | nbRight | nbBottom, 45},
        {255, 46},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskToVariant(c.mask), c.variant) << "mask " << c.mask;
}

TEST(Brush, CellsOutsideTheSixBySixPatternAreInternalErrors) {
    TQelCurrentChip brush;
    brush.SetChip(5, 5, -7);
    EXPECT_EQ(brush.GetChip(5, 5), -7);
    struct Case {
        bool write;
        int column, row, line;
    };
    const Case cases[] = {{false, -1, 0, 228}, {false, 6, 0, 228}, {false, 0, -1, 229}, {false, 0, 6, 229},
                          {true, -1, 0, 236},  {true, 6, 2, 236},  {true, 2, -1, 237},  {true, 0, 6, 237}};
    for (const Case& c : cases) {
        try {
            if (c.write)
                brush.SetChip(c.column, c.row, 1);
            else
                brush.GetChip(c.column, c.row);
            ADD_FAILURE() << "no assertion for " << c.column << "," << c.row;
        } catch (const EQelInternalError& e) {
            EXPECT_EQ(e.unit(), "MapEditUtils");
            EXPECT_EQ(e.line(), c.line);
        }
    }
    brush.SetSize(9, 0);
    EXPECT_EQ(brush.Width(), 6);
    EXPECT_EQ(brush.Height(), 1);
}

TEST(Brush, FamilyPaletteFormsAndPicking) {
    struct Case {
        int chip, family, paletteForm;
    };
    const Case cases[] = {{4049, 4000, 4049}, {4137, 4100, 4149}, {1765, 1750, 1049}, {2000, 2000, 2049},
                          {49, 0, 49},        {3050, 3050, 3099}, {5010, 5010, 5010}, {10005, 10005, 10005}};
    for (const Case& c : cases) {
        EXPECT_EQ(BrushFamily(TQelCurrentChip(c.chip)), c.family) << c.chip;
        EXPECT_EQ(PaletteForm(c.chip), c.paletteForm) << c.chip;
    }

    // A 3 x 2 pick: lower cells in their palette forms unless Shift keeps the exact variants,
    // upper cells as they are; the pick is clipped to the map.
    PaintFixture f(5, 4);
    const int lower[2][3] = {{34, 1070, 2750}, {4046, 3001, 5007}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            f.map.LowerLayer.SetChip(2 + x, 2 + y, lower[y][x]);
            f.map.UpperLayer.SetChip(2 + x, 2 + y, 10000 + x + 3 * y);
        }
    const TQelCurrentChip palette = PickBrush(f.map, {2, 2, 5, 4}, false, false);
    const TQelCurrentChip exact = PickBrush(f.map, {2, 2, 5, 4}, false, true);
    const TQelCurrentChip upper = PickBrush(f.map, {2, 2, 5, 4}, true, false);
    const int expected[2][3] = {{49, 1049, 2049}, {4049, 3049, 5007}};
    ASSERT_EQ(palette.Width(), 3);
    ASSERT_EQ(palette.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(palette.GetChip(x, y), expected[y][x]);
            EXPECT_EQ(exact.GetChip(x, y), lower[y][x]);
            EXPECT_EQ(upper.GetChip(x, y), 10000 + x + 3 * y);
        }
    const TQelCurrentChip clipped = PickBrush(f.map, {3, 3, 12, 9}, false, true);
    EXPECT_EQ(clipped.Width(), 2);
    EXPECT_EQ(clipped.Height(), 1);
}

TEST(AutoConnection, AnAutotileAndItsRightNeighbour) {
    PaintFixture f;
    f.place(2, 2, AutotileA);
    EXPECT_EQ(f.lower(2, 2), 4046) << "isolated: mask 255";
    f.place(3, 2, AutotileA);
    EXPECT_EQ(f.lower(3, 2), 4045) << "only its left neighbour connects";
    EXPECT_EQ(f.lower(2, 2), 4043) << "re-put with keep mask 70: left, top and bottom edges";
    EXPECT_EQ(f.lower(1, 2), Grass);
}

TEST(AutoConnection, AThreeByThreeBlockInAnyOrder) {
    const int expected[3][3] = {{34, 20, 36}, {16, 0, 24}, {40, 28, 38}};
    std::vector<TPoint> order;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            order.push_back({x, y});
    std::mt19937 random(7);
    for (int round = 0; round < 4; ++round) {
        PaintFixture f;
        for (TPoint p : order)
            f.place(2 + p.x, 1 + p.y, AutotileB);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(f.lower(2 + x, 1 + y), 4050 + expected[y][x])
                    << "round " << round << " cell " << x << "," << y << "\n"
                    << f.rows({0, 0, 7, 6});
        std::shuffle(order.begin(), order.end(), random);
    }
}

TEST(AutoConnection, ShiftWritesTheChipAsItIsAndTheNeighboursStillConnect) {
    PaintFixture f;
    f.place(2, 2, AutotileA);
    f.place(3, 2, AutotileA, {true, false});
    EXPECT_EQ(f.lower(3, 2), 4000) << "only the palette form turned into variant 0";
    EXPECT_EQ(f.lower(2, 2), 4043) << "the neighbour re-connected towards it";
    f.place(4, 4, 4046, {true, false});
    EXPECT_EQ(f.lower(4, 4), 4046);
    f.place(4, 4, 1765, {true, false});
    EXPECT_EQ(f.lower(4, 4), 1765);
    // Shift held through a rectangle: the cells are written as they are (cells placed earlier then
    // fit their sides towards later ones, as in a pen stroke); the interior and the cell placed
    // last keep variant 0.
    PaintFixture g;
    g.brush = TQelCurrentChip(AutotileB);
    g.painter.SetAnchor({1, 1});
    const TQelMapLayer backup = g.map.LowerLayer;
    g.painter.DrawShape(TShapeKind::Rectangle, {}, {1, 1, 4, 4}, backup, {true, false});
    EXPECT_EQ(g.lower(2, 2), 4050) << g.rows({0, 0, 5, 5});
    EXPECT_EQ(g.lower(3, 3), 4050);
}

TEST(AutoConnection, CtrlMakesTheMapBorderAnEdge) {
    struct Case {
        TPoint cell;
        bool ctrl;
        int chip;
    };
    const Case cases[] = {
        {{0, 0}, false, 0}, {{0, 0}, true, 34}, {{3, 0}, true, 20}, {{6, 2}, true, 24},
        {{6, 5}, true, 38}, {{6, 5}, false, 0}, {{3, 3}, true, 0},
    };
    for (const Case& c : cases) {
        PaintFixture f(7, 6, 0); // all water A
        f.place(c.cell.x, c.cell.y, WaterA, {false, c.ctrl});
        EXPECT_EQ(f.lower(c.cell.x, c.cell.y), c.chip) << c.cell.x << "," << c.cell.y << " ctrl " << c.ctrl;
    }
}

TEST(AutoConnection, WaterJunctionsWithDeepWater) {
    // 3 x 3 neighbourhoods around the centre cell, which is put as the given chip: each entry is
    // the lower chip of a neighbour (row by row, the centre ignored).
    struct Case {
        const char* what;
        int around[9];
        int chip;
        int expected;
    };
    const Case cases[] = {
        {"deep above and left, water at the top-left", {0, 2000, 0, 2000, 0, 0, 0, 0, 0}, WaterA, 50},
        {"deep above and left, deep at the top-left", {2000, 2000, 0, 2000, 0, 0, 0, 0, 0}, WaterA, 50},
        {"the top-left diagonal is not water", {Grass, 2000, 0, 2000, 0, 0, 0, 0, 0}, WaterA, 1},
        {"deep above only", {0, 2000, 0, 0, 0, 0, 0, 0, 0}, WaterA, 0},
        {"water B surrounded by deep water", {2000, 2000, 2000, 2000, 0, 2000, 2000, 2000, 2000}, 1049, 1750},
        {"deep water surrounded by water A", {0, 0, 0, 0, 0, 0, 0, 0, 0}, DeepWater, 2750},
        {"deep water below shallow water only", {0, 0, 0, 2000, 0, 2000, 2000, 2000, 2000}, DeepWater, 2000},
        {"shallow water above and left", {0, 0, 0, 0, 0, 2000, 0, 2000, 2000}, DeepWater, 2050},
        {"deep water next to grass", {Grass, 2000, 2000, 2000, 0, 2000, 2000, 2000, 2000}, DeepWater, 2001},
    };
    for (const Case& c : cases) {
        PaintFixture f(3, 3);
        for (int i = 0; i < 9; ++i)
            f.map.LowerLayer.SetChip(i % 3, i / 3, c.around[i]);
        f.painter.PutChip(1, 1, true, true, 255, c.chip, {});
        EXPECT_EQ(f.lower(1, 1), c.expected) << c.what;
    }
}

TEST(AutoConnection, DeepWaterInTheCornerCountsTheOutsideAsShallowWater) {
    PaintFixture f(4, 4, 2000);
    f.place(0, 0, DeepWater);
    EXPECT_EQ(f.lower(0, 0), 2000 + 50) << "junction quarter at the top-left";
    f.place(3, 3, DeepWater);
    EXPECT_EQ(f.lower(3, 3), 2000 + 50 * 8) << "at the bottom-right";
    f.place(3, 3, DeepWater, {false, true});
    EXPECT_EQ(f.lower(3, 3), 2038 + 50 * 8) << "Ctrl: edges along the border, the junction stays";
}

TEST(AutoConnection, LinkedAutotilesConnectOneWay) {
    // The sample chipset's kind 7 shows kind 6's palette form in its link cell: kind 6 treats kind
    // 7 as its own, kind 7 does not return the favour. The links come from the map's chipset.
    TQelDataBase db;
    db.ChipSets().Find(1)->GraphicName = WriteSampleChipSet(MakeTempFolder("links"));
    PaintFixture f;
    f.map.ChipSetID = 1;
    AttachMapGraphics(f.map).ReloadChipSet(1);
    ASSERT_EQ(MapGraphicsOf(f.map)->ChipSet().GetLink(7), 6);
    ASSERT_EQ(MapGraphicsOf(f.map)->ChipSet().GetLink(6), -1);

    f.place(3, 2, AutotileB);
    f.place(2, 2, AutotileA);
    EXPECT_EQ(f.lower(2, 2), 4000 + 43) << "kind 6: its right neighbour connects";
    EXPECT_EQ(f.lower(3, 2), 4050 + 46) << "kind 7: still isolated";

    // A painter can be given another renderer's links: a blank chipset links every autotile to
    // kind 6.
    f.place(4, 4, 4149);
    f.place(3, 4, AutotileA);
    EXPECT_EQ(f.lower(3, 4), 4000 + 46) << "kind 8 has no link in the sample chipset";
    TQelChipSetGraphic blank;
    f.painter.SetLinkSource(&blank);
    f.place(3, 4, AutotileA);
    EXPECT_EQ(f.lower(3, 4), 4000 + 43);
}

TEST(PutChip, UpperLayerOutsideCellsWrappingAndNegativeNumbers) {
    PaintFixture f(5, 4);
    f.painter.SetLayer(TEditLayer::Upper);
    f.place(2, 2, 10049);
    EXPECT_EQ(f.upper(2, 2), 10049) << "the upper layer takes the number as it is";
    EXPECT_EQ(f.upper(1, 2), 10000);
    EXPECT_FALSE(f.painter.PutChip(2, 2, true, true, 255, 10049, {})) << "unchanged";

    f.painter.SetLayer(TEditLayer::Lower);
    for (TPoint p : {TPoint{-1, 0}, TPoint{5, 0}, TPoint{0, -1}, TPoint{0, 4}})
        EXPECT_FALSE(f.painter.PutChip(p.x, p.y, true, true, 255, AutotileA, {}));
    EXPECT_FALSE(f.painter.PutChip(1, 1, true, false, 255, -5, {}));
    EXPECT_EQ(f.lower(1, 1), Grass);

    // A map looping both ways: the cell is brought into the map, and its neighbours across the
    // edges count.
    PaintFixture loop(5, 4);
    loop.map.SetScrollType(3);
    loop.map.LowerLayer.SetChip(4, 3, 4000);
    EXPECT_TRUE(loop.painter.PutChipWrapped(-1, 8, true, true, 255, AutotileA, {}));
    EXPECT_EQ(loop.lower(4, 0), 4000 + 44) << "only the top connects, across the edge";
    loop.place(5, 0, AutotileA);
    EXPECT_EQ(loop.lower(0, 0), 4000 + 45) << "wrapped to column 0; its left is column 4";
    EXPECT_EQ(loop.lower(4, 0), 4000 + 41) << "column 4 re-connected to its right across the edge";
}

TEST(PutChip, EveryChangedCellIsReportedOnce) {
    // Random strokes of every tool; replaying the reports on the old layers gives the new ones,
    // and no report is of a cell that did not change.
    std::mt19937 random(11);
    const int chips[] = {AutotileA, AutotileB, WaterA, 1049, DeepWater, Grass, Stone, 3049};
    for (int layerIndex = 0; layerIndex < 2; ++layerIndex) {
        PaintFixture f(12, 10);
        const bool upper = layerIndex == 1;
        f.painter.SetLayer(upper ? TEditLayer::Upper : TEditLayer::Lower);
        std::vector<TCellChange> changes;
        f.painter.SetCellChangedListener([&](const TCellChange& c) { changes.push_back(c); });
        for (int round = 0; round < 40; ++round) {
            const std::vector<uint16_t> before = upper ? f.map.UpperLayer.Cells : f.map.LowerLayer.Cells;
            changes.clear();
            f.brush = TQelCurrentChip(upper ? 10000 + int(random() % 144) : chips[random() % 8]);
            const TPoint a{int(random() % 14) - 1, int(random() % 12) - 1};
            const TPoint b{int(random() % 12), int(random() % 10)};
            TQelPaintStroke stroke(f.painter);
            stroke.Begin(TMapTool(mtPen + int(random() % 4)), a, {0, 0},
                         {random() % 5 == 0, random() % 3 == 0});
            stroke.MoveTo(b, {});
            std::vector<uint16_t> replay = before;
            for (const TCellChange& c : changes) {
                ASSERT_EQ(c.layer, upper ? TEditLayer::Upper : TEditLayer::Lower);
                ASSERT_NE(c.before, c.after);
                ASSERT_EQ(replay[size_t(c.x + c.y * 12)], c.before);
                replay[size_t(c.x + c.y * 12)] = uint16_t(c.after);
            }
            ASSERT_EQ(replay, upper ? f.map.UpperLayer.Cells : f.map.LowerLayer.Cells) << "round " << round;
        }
    }
}

TEST(Undo, FourStrokesFourUndosAndTheRingOfThree) {
    PaintFixture f;
    TQelMapEditUndoManager undo;
    undo.SetSize(7, 6);
    std::vector<std::vector<uint16_t>> states{f.map.LowerLayer.Cells};
    std::vector<std::vector<uint16_t>> upperStates{f.map.UpperLayer.Cells};
    for (int i = 0; i < 4; ++i) {
        TQelPaintStroke stroke(f.painter);
        f.painter.SetLayer(i == 2 ? TEditLayer::Upper : TEditLayer::Lower);
        f.brush = TQelCurrentChip(i == 2 ? 10007 : AutotileA + 50 * i);
        stroke.Begin(mtRectangle, {i, i}, {0, 0}, {});
        stroke.MoveTo({i + 2, i + 1}, {});
        f.map.Modified = false;
        stroke.End(undo);
        EXPECT_TRUE(f.map.Modified);
        states.push_back(f.map.LowerLayer.Cells);
        upperStates.push_back(f.map.UpperLayer.Cells);
    }
    EXPECT_EQ(undo.Count(), 3);
    for (int i = 3; i >= 1; --i) {
        EXPECT_TRUE(undo.Undo(f.map));
        EXPECT_EQ(f.map.LowerLayer.Cells, states[size_t(i)]) << "after undo back to stroke " << i;
        EXPECT_EQ(f.map.UpperLayer.Cells, upperStates[size_t(i)]);
    }
    EXPECT_FALSE(undo.Undo(f.map)) << "the fourth undo does nothing";
    EXPECT_EQ(f.map.LowerLayer.Cells, states[1]);

    // Loading another map empties the ring.
    undo.Push(f.map);
    undo.Clear();
    EXPECT_FALSE(undo.Undo(f.map));
}

TEST(Undo, AResizeKeepsTheCellsThatStillFit) {
    PaintFixture f(4, 3);
    for (int i = 0; i < 12; ++i) {
        f.map.LowerLayer.Cells[size_t(i)] = uint16_t(5000 + i);
        f.map.UpperLayer.Cells[size_t(i)] = uint16_t(10000 + i);
    }
    TQelMapEditUndoManager undo;
    undo.SetSize(4, 3);
    undo.Push(f.map);
    f.map.SetWidth(6);
    f.map.SetHeight(2);
    undo.SetSize(6, 2);
    for (auto& c : f.map.LowerLayer.Cells)
        c = 7;
    ASSERT_TRUE(undo.Undo(f.map));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(f.lower(x, y), x < 4 ? 5000 + x + 4 * y : 0) << x << "," << y;
            EXPECT_EQ(f.upper(x, y), x < 4 ? 10000 + x + 4 * y : 10000) << x << "," << y;
        }

    // A snapshot of another size than the map (the view forgot to resize): what fits.
    undo.Push(f.map);
    f.map.SetWidth(3);
    ASSERT_TRUE(undo.Undo(f.map));
    EXPECT_EQ(f.lower(2, 1), 5006);
}

TEST(Stroke, CancelPutsTheBaseLayersBack) {
    PaintFixture f;
    const auto before = f.map.LowerLayer.Cells;
    TQelPaintStroke stroke(f.painter);
    f.brush = TQelCurrentChip(WaterA);
    stroke.Begin(mtEllipse, {1, 1}, {0, 0}, {});
    stroke.MoveTo({5, 4}, {});
    EXPECT_NE(f.map.LowerLayer.Cells, before);
    stroke.Cancel();
    EXPECT_EQ(f.map.LowerLayer.Cells, before);
    EXPECT_FALSE(stroke.Active());
}
