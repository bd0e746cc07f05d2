// Chip numbers, the chipset layout, the variant table, water junctions, animation frames, links
// and the per-chip flags.
#include <gtest/gtest.h>

#include "GraphicsTestUtil.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PictureFile.h"
#include "records/QelAssert.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// A chipset picture of random indices 1..255: no two 8 x 8 units alike, so a drawn chip shows
// which units it was taken from.
class ChipSetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        picture = RandomPicture(kChipSetWidth, kChipSetHeight, 2024);
        load();
    }
    void load() {
        static int counter = 0;
        const QString path = MakeTempFolder("chipset") + QString("/ChipSet%1.png").arg(++counter);
        SavePictureFile(picture, Path(path));
        record.graphicName = Path(path);
        graphic.SetChipSet(&record);
    }
    // Blanks (index 0) a rectangle of the picture, in pixels.
    void blank(const TRect& r) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                picture.ScanLine(y)[x] = 0;
    }
    void copyUnits(TPoint from, TPoint to, int units = 2) {
        for (int y = 0; y < units * 8; ++y)
            for (int x = 0; x < units * 8; ++x)
                picture.ScanLine(to.y * 8 + y)[to.x * 8 + x] =
                    picture.ScanLine(from.y * 8 + y)[from.x * 8 + x];
    }

    // The board pixel (x, y) of a chip drawn at size s from the four quarters (units).
    void expectQuarters(const TPrismBoard& board, int size, const TPoint quarters[4], const char* what) {
        TPrismSheet& sheet = graphic.Sheet();
        const int q = size / 2;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                uint16_t expected = 0;
                if (x < 2 * q && y < 2 * q) {
                    const TPoint unit = quarters[(x >= q) + 2 * (y >= q)];
                    expected = sheet.ColorTable()[sheet.Row(unit.y * 8 +
                                                            (y % q) * 8 / q)[unit.x * 8 + (x % q) * 8 / q]];
                }
                ASSERT_EQ(board.Pixel(x, y), expected) << what << " size " << size << " at " << x << "," << y;
            }
    }
    void expectCell(const TPrismBoard& board, int size, TPoint cell, const char* what) {
        const TPoint quarters[4] = {
            cell, {cell.x + 1, cell.y}, {cell.x, cell.y + 1}, {cell.x + 1, cell.y + 1}};
        expectQuarters(board, size, quarters, what);
    }

    TBitmap picture;
    TChipSetLook record;
    TQelChipSetGraphic graphic;
};

} // namespace

TEST(ChipNumbers, KindAndBaseChip) {
    struct Case {
        int number, kind;
    } cases[] = {{-1, -1},  {0, 0},    {999, 0},  {1049, 1}, {2999, 2},  {3000, 3},  {3050, 4},
                 {3100, 5}, {3149, 5}, {4000, 6}, {4049, 6}, {4599, 17}, {5000, 18}, {5143, 161}};
    for (const auto& c : cases)
        EXPECT_EQ(ChipKind(c.number), c.kind) << c.number;
    const int bases[][2] = {{0, 0},    {2, 2000},  {3, 3000},  {5, 3100},
                            {6, 4000}, {17, 4550}, {18, 5000}, {161, 5143}};
    for (const auto& b : bases)
        EXPECT_EQ(KindBaseChip(b[0]), b[1]);
    for (int kind = 0; kind < kLowerChipKinds; ++kind)
        EXPECT_EQ(ChipKind(KindBaseChip(kind)), kind);
}

TEST_F(ChipSetFixture, QuarterComposedChips) {
    struct Case {
        int number, time, speed, sequence;
        TPoint tl, tr, bl, br;
    } cases[] = {
        // Water A centre, and its frames: slow 24 a step, 1-2-3-2 (step 3 shows frame 1).
        {0, 0, 0, 0, {0, 8}, {1, 8}, {0, 9}, {1, 9}},
        {0, 24, 0, 0, {2, 8}, {3, 8}, {2, 9}, {3, 9}},
        {0, 48, 0, 0, {4, 8}, {5, 8}, {4, 9}, {5, 9}},
        {0, 72, 0, 0, {2, 8}, {3, 8}, {2, 9}, {3, 9}},
        {0, 72, 0, 1, {0, 8}, {1, 8}, {0, 9}, {1, 9}}, // 1-2-3: step 3 mod 3 = 0
        {0, 12, 1, 0, {2, 8}, {3, 8}, {2, 9}, {3, 9}}, // fast: 12 a step
        {0, 23, 0, 0, {0, 8}, {1, 8}, {0, 9}, {1, 9}},
        // Junction quarters by mask bits: 1 top-left ... 8 bottom-right; all four = 765.
        {50, 0, 0, 0, {0, 10}, {1, 8}, {0, 9}, {1, 9}},
        {15 + 50 * 15, 0, 0, 0, {0, 10}, {1, 10}, {0, 11}, {1, 11}},
        {16 + 50 * 8, 0, 0, 0, {0, 2}, {1, 8}, {0, 3}, {1, 11}},
        {46, 24, 0, 0, {2, 0}, {3, 0}, {2, 1}, {3, 1}},
        {49, 0, 0, 0, {0, 0}, {1, 0}, {0, 1}, {1, 1}},
        // Water B: centre from the water A column, edges from x 48.
        {1000, 0, 0, 0, {0, 8}, {1, 8}, {0, 9}, {1, 9}},
        {1046, 0, 0, 0, {6, 0}, {7, 0}, {6, 1}, {7, 1}},
        {1001, 24, 0, 0, {8, 6}, {3, 8}, {2, 9}, {3, 9}},
        {1049, 0, 0, 0, {6, 0}, {7, 0}, {6, 1}, {7, 1}},
        // Deep water: outer corners from water A, its own centre and junction.
        {2046, 0, 0, 0, {0, 0}, {1, 0}, {0, 1}, {1, 1}},
        {2049, 0, 0, 0, {0, 12}, {1, 12}, {0, 13}, {1, 13}},
        {2000, 0, 0, 0, {0, 14}, {1, 14}, {0, 15}, {1, 15}},
        {2000 + 50 * 6, 0, 0, 0, {0, 14}, {1, 12}, {0, 13}, {1, 15}},
        {2047, 0, 0, 0, {0, 14}, {1, 14}, {0, 15}, {1, 15}},
        // Ground autotiles, relative to their block origin: kind 9 (4150..) at (6, 24).
        {4150, 0, 0, 0, {8, 28}, {9, 28}, {8, 29}, {9, 29}},
        {4199, 0, 0, 0, {6, 24}, {7, 24}, {6, 25}, {7, 25}},
        {4001, 0, 0, 0, {4, 16}, {3, 20}, {2, 21}, {3, 21}},
        {4046, 0, 0, 0, {0, 18}, {5, 18}, {0, 23}, {5, 23}},
        {4000 + 50 * 4 + 27, 0, 0, 0, {16, 0}, {17, 4}, {16, 1}, {17, 5}}, // kind 10 at (12, 0)
        {4000 + 50 * 11 + 39, 0, 0, 0, {22, 24}, {23, 30}, {22, 31}, {23, 31}},
    };
    for (int size : {16, 32, 8, 4, 15}) {
        for (const auto& c : cases) {
            record.seaSpeed = c.speed;
            record.seaAnimation = c.sequence;
            TPrismBoard board;
            board.SetSize(size, size);
            graphic.DrawChip(board, 0, c.time, c.number, false, size, 0);
            const TPoint quarters[4] = {c.tl, c.tr, c.bl, c.br};
            expectQuarters(board, size, quarters,
                           (std::to_string(c.number) + " at time " + std::to_string(c.time)).c_str());
        }
    }
}

TEST_F(ChipSetFixture, CellChipsAndNumbersThatDrawNothing) {
    struct Case {
        int number, time;
        TPoint cell; // units; (-1, -1) draws nothing
    } cases[] = {
        {3000, 0, {6, 8}},   {3050, 6, {8, 10}},    {3100, 18, {10, 14}}, {3149, 24, {10, 8}},
        {5000, 0, {24, 0}},  {5096, 0, {36, 0}},    {5143, 0, {46, 14}},  {10000, 0, {36, 16}},
        {10048, 0, {48, 0}}, {10500, 0, {58, 30}},  {19999, 0, {58, 30}}, {20000, 0, {-1, -1}},
        {-1, 0, {-1, -1}},   {5144, 0, {-1, -1}},   {9999, 0, {-1, -1}},  {3150, 0, {-1, -1}},
        {4600, 0, {-1, -1}}, {-32768, 0, {-1, -1}},
    };
    for (const auto& c : cases) {
        TPrismBoard board;
        board.SetSize(16, 16);
        graphic.DrawChip(board, 0, c.time, c.number, false, 16, 0);
        if (c.cell.x < 0) {
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(board.Pixel(x, y), 0) << c.number;
        } else {
            expectCell(board, 16, c.cell, std::to_string(c.number).c_str());
        }
    }
    // Drawn where asked, scaled, on a larger board.
    TPrismBoard board;
    board.SetSize(100, 100);
    graphic.DrawChip(board, 40, 0, 5096, false, 32, 50);
    EXPECT_EQ(board.Pixel(40, 50), graphic.Sheet().ColorTable()[graphic.Sheet().Row(0)[288]]);
    EXPECT_EQ(board.Pixel(71, 81), graphic.Sheet().ColorTable()[graphic.Sheet().Row(15)[303]]);
    EXPECT_EQ(board.Pixel(72, 82), 0);
}

TEST_F(ChipSetFixture, TransparentChipsAndFlags) {
    blank(Bounds(192, 0, 16, 16));   // plain lower chip 0 (kind 18)
    blank(Bounds(288, 128, 16, 16)); // upper chip 0
    picture.ScanLine(70)[10] = 0;    // inside the water area (0, 64)-(48, 128)
    picture.ScanLine(100)[70] = 0;   // animated chip 2's column (x 64..79)
    picture.ScanLine(130)[50] = 0;   // ground autotile kind 7's block at (48, 128)
    picture.ScanLine(20)[200] = 0;   // one pixel of plain lower chip 6 (column 0, row 1)
    load();
    EXPECT_TRUE(graphic.ChipRecord(18).transparent);
    EXPECT_FALSE(graphic.ChipRecord(18).opaque);
    EXPECT_TRUE(graphic.UpperChipRecord(0).transparent);
    EXPECT_FALSE(graphic.UpperChipRecord(1).transparent);
    EXPECT_FALSE(graphic.ChipRecord(24).opaque); // plain chip 6 holds the pixel at (200, 20)
    EXPECT_FALSE(graphic.ChipRecord(24).transparent);
    EXPECT_TRUE(graphic.ChipRecord(19).opaque);
    const bool opaque[] = {false, false, false, true, false, true, true, false, true};
    for (int kind = 0; kind < 9; ++kind)
        EXPECT_EQ(graphic.ChipRecord(kind).opaque, opaque[kind]) << kind;
    EXPECT_EQ(graphic.ChipRecord(9).origin, 6 | 24 << 8);

    // Transparency on: nothing; off: a square of palette colour 0.
    graphic.Sheet().Palette()[0] = {255, 0, 0, 0};
    graphic.Sheet().UpdateColorTable();
    for (bool transparent : {true, false}) {
        graphic.SetTransparent(transparent);
        for (int number : {5000, 10000}) {
            TPrismBoard board;
            board.SetSize(16, 16);
            graphic.DrawChip(board, 0, 0, number, false, 16, 0);
            EXPECT_EQ(board.Pixel(7, 7), transparent ? 0 : Pack565({255, 0, 0})) << number;
        }
    }
    EXPECT_THROW(graphic.ChipRecord(-1), EQelInternalError);
    EXPECT_THROW(graphic.ChipRecord(162), EQelInternalError);
}

TEST_F(ChipSetFixture, AutotileLinks) {
    const TPoint origins[12] = {{0, 16}, {6, 16}, {0, 24},  {6, 24},  {12, 0},  {18, 0},
                                {12, 8}, {18, 8}, {12, 16}, {18, 16}, {12, 24}, {18, 24}};
    // Kind 7's link cell shows kind 10's palette form; kind 8's link cell is blank, as are the palette
    // forms of kinds 11 and 14: it links to the first of them.
    copyUnits(origins[10 - 6], {origins[7 - 6].x + 2, origins[7 - 6].y});
    blank(Bounds((origins[8 - 6].x + 2) * 8, origins[8 - 6].y * 8, 16, 16));
    blank(Bounds(origins[11 - 6].x * 8, origins[11 - 6].y * 8, 16, 16));
    blank(Bounds(origins[14 - 6].x * 8, origins[14 - 6].y * 8, 16, 16));
    load();
    EXPECT_EQ(graphic.GetLink(7), 10);
    EXPECT_EQ(graphic.GetLink(8), 11);
    EXPECT_EQ(graphic.GetLink(6), -1);
    for (int kind : {0, 3, 5, 18, 161, -1})
        EXPECT_EQ(graphic.GetLink(kind), -1);

    // A blank chipset: every link cell matches the first palette form.
    record.graphicName = "no such picture";
    graphic.SetChipSet(&record);
    EXPECT_EQ(graphic.GetLink(17), 6);
    EXPECT_TRUE(graphic.ChipRecord(100).transparent);
}

TEST_F(ChipSetFixture, ImageLoadingDimmingAndFade) {
    // The same name does not reload, another name does; a missing picture leaves blank sheets.
    const std::string first = record.graphicName;
    const uint8_t before = graphic.Sheet().Row(0)[0];
    picture.ScanLine(0)[0] = uint8_t(before == 1 ? 2 : 1);
    SavePictureFile(picture, first);
    graphic.SetImage(first);
    EXPECT_EQ(graphic.Sheet().Row(0)[0], before);
    graphic.SetImage("missing");
    EXPECT_TRUE(graphic.Sheet().IsTransparentArea(graphic.Sheet().BoundsRect()));
    EXPECT_TRUE(graphic.DimmedSheet().IsTransparentArea(graphic.DimmedSheet().BoundsRect()));
    graphic.SetImage(first);
    EXPECT_NE(graphic.Sheet().Row(0)[0], before);

    // The dimmed sheet: red, green, blue 90 and saturation 60.
    TPrismSheet expected;
    expected.Palette() = graphic.Sheet().Palette();
    expected.ColorControl1().SetColor(90, 90, 90, 60, true);
    EXPECT_EQ(graphic.DimmedSheet().ColorTable(), expected.ColorTable());
    TPrismBoard board;
    board.SetSize(16, 16);
    graphic.DrawChip(board, 0, 0, 5096, true, 16, 0);
    EXPECT_EQ(board.Pixel(3, 4), expected.ColorTable()[graphic.Sheet().Row(4)[291]]);

    graphic.SetFade(2);
    EXPECT_EQ(graphic.Sheet().Opacity(), 195);
    EXPECT_EQ(graphic.DimmedSheet().Opacity(), 195);

    graphic.Reset();
    EXPECT_EQ(graphic.ImageName(), "");
    try {
        graphic.DrawChip(board, 0, 0, 5096, false, 16, 0);
        ADD_FAILURE() << "drew without a chipset record";
    } catch (const EQelInternalError& e) {
        EXPECT_EQ(e.unit(), "GR_ChipSet");
        EXPECT_EQ(e.line(), 489);
    }
}

TEST_F(ChipSetFixture, SmallChipsDrawnAgainAfterAnotherPictureAndInEveryMode) {
    // Chips at small sizes are composed once and then copied: drawing the same chip again, after
    // another picture was loaded, clipped at the board's edge, and with transparency or blending
    // must show what the blits would show.
    blank({0, 64, 8, 72});    // water A centre, top-left quarter: index 0
    blank({192, 0, 208, 16}); // plain chip 0 wholly transparent
    load();
    struct Case {
        int number;
        TPoint quarters[4];
    } cases[] = {{0, {{0, 8}, {1, 8}, {0, 9}, {1, 9}}},
                 {4150, {{8, 28}, {9, 28}, {8, 29}, {9, 29}}},
                 {5000, {{24, 0}, {25, 0}, {24, 1}, {25, 1}}},
                 {5001, {{26, 0}, {27, 0}, {26, 1}, {27, 1}}}};
    const uint16_t sentinel = 0x1234;
    for (int round = 0; round < 2; ++round) {
        for (int size : {4, 8, 32}) {
            for (const Case& c : cases) {
                const std::string what = std::to_string(c.number) + " round " + std::to_string(round);
                for (int mode = 0; mode < 3; ++mode) {
                    graphic.SetTransparent(mode != 0);
                    graphic.SetFade(mode == 2 ? 2 : 0);
                    TPrismBoard board;
                    board.SetSize(size, size);
                    std::fill(board.Row(0), board.Row(0) + size_t(board.RowStride() / 2) * size_t(size),
                              sentinel);
                    graphic.DrawChip(board, 0, 0, c.number, false, size, 0);
                    // Clipped by the board's top-left: the same pixels, moved.
                    TPrismBoard clipped;
                    clipped.SetSize(size, size);
                    std::fill(clipped.Row(0), clipped.Row(0) + size_t(clipped.RowStride() / 2) * size_t(size),
                              sentinel);
                    graphic.DrawChip(clipped, -1, 0, c.number, false, size, -3);
                    TPrismSheet& sheet = graphic.Sheet();
                    const int q = size / 2, a = sheet.Opacity() + 1;
                    for (int y = 0; y < size; ++y)
                        for (int x = 0; x < size; ++x) {
                            const TPoint unit = c.quarters[(x >= q) + 2 * (y >= q)];
                            const uint8_t index =
                                sheet.Row(unit.y * 8 + (y % q) * 8 / q)[unit.x * 8 + (x % q) * 8 / q];
                            uint16_t expected = sheet.ColorTable()[index];
                            if (mode > 0 && index == 0) expected = sentinel;
                            if (mode == 2 && index != 0) {
                                const uint16_t s = sheet.ColorTable()[index];
                                const int b = 257 - a;
                                expected =
                                    uint16_t(((s >> 11) * a + (sentinel >> 11) * b) >> 8 << 11 |
                                             (((s >> 5) & 63) * a + ((sentinel >> 5) & 63) * b) >> 8 << 5 |
                                             ((s & 31) * a + (sentinel & 31) * b) >> 8);
                            }
                            ASSERT_EQ(board.Pixel(x, y), expected)
                                << what << " size " << size << " mode " << mode << " at " << x << "," << y;
                            if (x >= 1 && y >= 3)
                                ASSERT_EQ(clipped.Pixel(x - 1, y - 3), board.Pixel(x, y))
                                    << what << " clipped, size " << size << " mode " << mode;
                        }
                }
            }
        }
        graphic.SetTransparent(false);
        graphic.SetFade(0);
        // Another picture under another name: every chip is composed from it anew.
        picture = RandomPicture(kChipSetWidth, kChipSetHeight, 77);
        load();
    }
}
