// Sheets, colour effects, blitting and the drawing helpers.
#include <gtest/gtest.h>

#include "GraphicsTestUtil.h"
#include "graphics/PictureFile.h"
#include "graphics/PrismSheet.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

uint16_t rgb565(int r, int g, int b) {
    return uint16_t(r << 11 | g << 5 | b);
}

// A sheet of w x h whose pixel (x, y) is index 1 + (x + 16 y) mod 255, with the distinct palette:
// every board pixel tells which sheet pixel it came from.
void fillNumbered(TPrismSheet& sheet, int w, int h) {
    sheet.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            sheet.Row(y)[x] = uint8_t(1 + (x + 16 * y) % 255);
    sheet.Palette() = DistinctPalette();
    sheet.UpdateColorTable();
}

void fillBoard(TPrismBoard& board, uint16_t pixel) {
    for (int y = 0; y < board.Height(); ++y)
        for (int x = 0; x < board.Width(); ++x)
            board.Row(y)[x] = pixel;
}

} // namespace

TEST(ColorTable, IntegerArithmeticOfEveryEffect) {
    // Palette colour (200, 100, 50) is (25, 25, 6) in 5-6-5 units.
    struct Case {
        const char* what;
        void (*apply)(TPrismSheet&);
        uint16_t expected;
    } cases[] = {
        {"neutral", [](TPrismSheet&) {}, rgb565(25, 25, 6)},
        {"red 150 + red 80 = 130",
         [](TPrismSheet& s) {
             s.ColorControl1().SetColor(150, 100, 100, 100, false);
             s.ColorControl2().SetColor(80, 100, 100, 100, false);
         },
         rgb565(26, 25, 6)},
        {"red 200 + 200 clamps to 200",
         [](TPrismSheet& s) {
             s.ColorControl1().SetColor(200, 100, 100, 100, false);
             s.ColorControl2().SetColor(200, 100, 100, 100, false);
         },
         rgb565(31, 25, 6)},
        {"green 50 and blue 0", [](TPrismSheet& s) { s.ColorControl1().SetColor(100, 50, 0, 100, false); },
         rgb565(25, 12, 0)},
        {"saturation 0", [](TPrismSheet& s) { s.ColorControl1().SetColor(100, 100, 100, 0, false); },
         rgb565(15, 30, 15)},
        {"saturation 55", [](TPrismSheet& s) { s.ColorControl1().SetColor(100, 100, 100, 55, false); },
         rgb565(20, 27, 10)},
        {"saturation 150", [](TPrismSheet& s) { s.ColorControl1().SetColor(100, 100, 100, 150, false); },
         rgb565(31, 20, 0)},
        {"tone red half", [](TPrismSheet& s) { s.ColorControl1().SetTone(31, 0, 0, 16, false); },
         rgb565(28, 12, 3)},
        {"tone of both controls, 1 then 2",
         [](TPrismSheet& s) {
             s.ColorControl1().SetTone(31, 0, 0, 16, false);
             s.ColorControl2().SetTone(0, 31, 0, 32, false);
         },
         rgb565(0, 62, 0)},
        {"brightness 50", [](TPrismSheet& s) { s.SetBrightness(50); }, rgb565(12, 12, 3)},
        {"brightness 150", [](TPrismSheet& s) { s.SetBrightness(150); }, rgb565(28, 44, 18)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TPrismSheet sheet;
        sheet.Palette()[5] = {200, 100, 50, 0};
        c.apply(sheet);
        sheet.UpdateColorTable();
        EXPECT_EQ(sheet.ColorTable()[5], c.expected);
    }
}

TEST(ColorTable, UnchangedValuesDoNotRebuild) {
    TPrismSheet sheet;
    sheet.Palette()[1] = {255, 255, 255, 0};
    sheet.ColorControl1().SetColor(90, 100, 100, 100, true);
    const uint16_t built = sheet.ColorTable()[1];
    sheet.Palette()[1] = {0, 0, 0, 0};
    sheet.ColorControl1().SetColor(90, 100, 100, 100, true); // the values it holds: no rebuild
    EXPECT_EQ(sheet.ColorTable()[1], built);
    sheet.RotateHue(0); // no rotation: no rebuild either
    EXPECT_EQ(sheet.ColorTable()[1], built);
    sheet.ColorControl1().SetColor(91, 100, 100, 100, true);
    EXPECT_EQ(sheet.ColorTable()[1], 0);
}

TEST(RotateHue, IntegerHsvRoundTrip) {
    struct Case {
        TPaletteEntry in;
        int degrees;
        TPaletteEntry out;
    } cases[] = {
        {{255, 0, 0, 0}, 120, {0, 255, 0, 0}},
        {{255, 0, 0, 0}, 60, {255, 255, 0, 0}},
        {{0, 0, 255, 0}, 180, {255, 255, 0, 0}},
        {{200, 100, 50, 7}, 30, {200, 175, 50, 7}}, // hue 20 -> 50, flags kept
        {{128, 128, 128, 0}, 90, {128, 128, 128, 0}},
        {{200, 85, 80, 0}, 2, {200, 88, 80, 0}}, // hue 2.5 + 2 = 4.5 rounds to 4 (halves to even)
    };
    for (const auto& c : cases) {
        TPrismSheet sheet;
        sheet.Palette()[0] = {255, 0, 0, 0};
        sheet.Palette()[9] = c.in;
        sheet.RotateHue(c.degrees);
        const TPaletteEntry& e = sheet.Palette()[9];
        EXPECT_EQ((std::vector<int>{e.red, e.green, e.blue, e.flags}),
                  (std::vector<int>{c.out.red, c.out.green, c.out.blue, c.out.flags}))
            << int(c.in.red) << "," << int(c.in.green) << "," << int(c.in.blue) << " by " << c.degrees;
        EXPECT_EQ(sheet.Palette()[0], (TPaletteEntry{255, 0, 0, 0})); // entry 0 never turns
        EXPECT_EQ(sheet.ColorTable()[9], Pack565({c.out.red, c.out.green, c.out.blue}));
    }
}

TEST(Blit, ThreePixelModes) {
    TPrismSheet sheet;
    sheet.SetSize(2, 1);
    sheet.Row(0)[1] = 1;
    sheet.Palette()[0] = {255, 255, 255, 0};
    sheet.Palette()[1] = {255, 0, 255, 0}; // (31, 0, 31)
    sheet.UpdateColorTable();
    const uint16_t destination = rgb565(10, 40, 0);
    struct Case {
        bool transparent;
        int opacity;
        uint16_t index0, index1;
    } cases[] = {
        {false, 255, rgb565(31, 63, 31), rgb565(31, 0, 31)},
        {true, 255, destination, rgb565(31, 0, 31)},
        // Blending skips index 0 whatever the transparent flag; a = opacity + 1.
        {false, 128, destination, rgb565((31 * 129 + 10 * 128) / 256, (40 * 128) / 256, (31 * 129) / 256)},
        {false, 254, destination, rgb565((31 * 255 + 10 * 2) / 256, (40 * 2) / 256, (31 * 255) / 256)},
        {false, 0, destination, rgb565((31 + 10 * 256) / 256, (40 * 256) / 256, 31 / 256)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.transparent) + " " + std::to_string(c.opacity));
        sheet.SetTransparent(c.transparent);
        sheet.SetOpacity(c.opacity);
        TPrismBoard board;
        board.SetSize(2, 1);
        fillBoard(board, destination);
        board.DrawSheet(0, 0, sheet.BoundsRect(), sheet);
        EXPECT_EQ(board.Pixel(0, 0), c.index0);
        EXPECT_EQ(board.Pixel(1, 0), c.index1);
        TPrismBoard stretched;
        stretched.SetSize(4, 2);
        fillBoard(stretched, destination);
        stretched.StretchDrawSheet({0, 0, 4, 2}, sheet, sheet.BoundsRect());
        EXPECT_EQ(stretched.Pixel(1, 1), c.index0);
        EXPECT_EQ(stretched.Pixel(2, 1), c.index1);
    }
}

TEST(Blit, ClippingOrder) {
    TPrismSheet sheet;
    fillNumbered(sheet, 16, 16);
    const auto& table = sheet.ColorTable();
    // Where each board pixel came from: sheet (sx, sy) or nothing (-1).
    struct Case {
        const char* what;
        int x, y;
        TRect source;
        int drawnLeft, drawnTop, drawnRight, drawnBottom; // board area that changes
        int sourceDx, sourceDy;                           // sheet x = board x + sourceDx
    } cases[] = {
        {"off the top-left of the board", -4, -4, {0, 0, 16, 16}, 0, 0, 12, 12, 4, 4},
        {"source left of the sheet", 5, 2, {-3, 0, 5, 4}, 8, 2, 13, 6, -8, -2},
        {"source past the sheet", 0, 0, {10, 12, 30, 30}, 0, 0, 6, 4, 10, 12},
        {"past the board's edge", 15, 17, {0, 0, 16, 16}, 15, 17, 20, 20, -15, -17},
        {"wholly outside", 25, 0, {0, 0, 16, 16}, 0, 0, 0, 0, 0, 0},
        {"source wholly outside the sheet", 0, 0, {16, 0, 20, 4}, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TPrismBoard board;
        board.SetSize(20, 20);
        board.DrawSheet(c.x, c.y, c.source, sheet);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool drawn =
                    x >= c.drawnLeft && x < c.drawnRight && y >= c.drawnTop && y < c.drawnBottom;
                const uint16_t expected = drawn ? table[sheet.Row(y + c.sourceDy)[x + c.sourceDx]] : 0;
                ASSERT_EQ(board.Pixel(x, y), expected) << x << "," << y;
            }
    }
}

TEST(Blit, StretchIsNearestNeighbourFromTheRectanglesAsGiven) {
    TPrismSheet sheet;
    fillNumbered(sheet, 16, 16);
    const auto& table = sheet.ColorTable();
    // 16 x 16 into 8 x 8 takes columns and rows 0, 2, 4, ...
    TPrismBoard half;
    half.SetSize(8, 8);
    half.StretchDrawSheet({0, 0, 8, 8}, sheet, {0, 0, 16, 16});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(half.Pixel(x, y), table[sheet.Row(2 * y)[2 * x]]);

    // A clipped stretch shows exactly what the unclipped one shows where the two overlap.
    struct Case {
        TRect dest;
        TRect source;
    } cases[] = {
        {{-7, -5, 29, 31}, {0, 0, 16, 16}},    // enlarged, off the top-left
        {{3, 4, 40, 13}, {2, 1, 15, 9}},       // off the right, shrunk vertically
        {{-20, -20, 10, 5}, {-4, -2, 12, 13}}, // source partly before the sheet
        {{5, 5, 17, 50}, {9, 3, 25, 30}},      // source partly past the sheet
    };
    for (const auto& c : cases) {
        TPrismBoard big;
        big.SetSize(200, 200);
        big.StretchDrawSheet({c.dest.left + 100, c.dest.top + 100, c.dest.right + 100, c.dest.bottom + 100},
                             sheet, c.source);
        TPrismBoard board;
        board.SetSize(20, 20);
        board.StretchDrawSheet(c.dest, sheet, c.source);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(board.Pixel(x, y), big.Pixel(x + 100, y + 100)) << x << "," << y;
    }
}

TEST(Blit, ZoomedAroundACentre) {
    TPrismSheet sheet;
    fillNumbered(sheet, 16, 16);
    struct Case {
        double zoom;
        int halfWidth;
        TRect drawn;
    } cases[] = {
        {1.0, 8, {12, 12, 28, 28}},
        {2.0, 8, {4, 4, 36, 36}},
        {0.5, 5, {18, 18, 22, 22}}, // 20 -/+ 2.5 round to 18 and 22 (halves to even)
        {0.25, 8, {18, 18, 22, 22}},
    };
    for (const auto& c : cases) {
        TPrismBoard board;
        board.SetSize(40, 40);
        board.DrawSheetZoomed(20, 20, c.zoom, c.halfWidth, c.halfWidth,
                              {0, 0, 2 * c.halfWidth, 2 * c.halfWidth}, sheet);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool inside =
                    x >= c.drawn.left && x < c.drawn.right && y >= c.drawn.top && y < c.drawn.bottom;
                ASSERT_EQ(board.Pixel(x, y) != 0, inside) << c.zoom << " at " << x << "," << y;
            }
    }
}

TEST(Sheet, LoadingAndAreas) {
    TBitmap picture = RandomPicture(10, 6, 8);
    picture.ScanLine(5)[9] = 0;
    TPrismSheet sheet;
    sheet.SetSize(4, 4);
    sheet.LoadFromBitmap(picture, {7, 3}); // copies 3 x 3 from (7, 3)
    EXPECT_EQ(sheet.Row(0)[0], picture.ScanLine(3)[7]);
    EXPECT_EQ(sheet.Row(2)[2], 0);
    EXPECT_EQ(sheet.Row(3)[3], 0); // beyond the picture: untouched
    EXPECT_EQ(sheet.Palette()[200], picture.Palette()[200]);
    EXPECT_TRUE(sheet.IsTransparentArea({3, 0, 4, 4}));
    EXPECT_FALSE(sheet.IsOpaqueArea({0, 0, 3, 3}));
    EXPECT_TRUE(sheet.IsOpaqueArea({0, 0, 2, 2}));
    EXPECT_TRUE(sheet.IsOpaqueArea({2, 2, 2, 2}) && sheet.IsTransparentArea({2, 2, 1, 1})); // empty rects
    EXPECT_TRUE(sheet.SameArea({0, 0, 0, 3}, {1, 1, 3, 1}));                                // both empty
    EXPECT_FALSE(sheet.SameArea({0, 0, 1, 1}, {0, 0, 2, 1}));
    sheet.MirrorHorizontal();
    EXPECT_EQ(sheet.Row(0)[3], picture.ScanLine(3)[7]);

    TPrismSheet autoSized;
    autoSized.SetAutoSize(true);
    autoSized.LoadFromBitmap(picture);
    EXPECT_EQ(autoSized.BoundsRect(), (TRect{0, 0, 10, 6}));

    TBitmap trueColour;
    trueColour.Reset(TPixelFormat::pf24bit, 2, 2);
    EXPECT_THROW(sheet.LoadFromBitmap(trueColour), EInvalidGraphic);
}

TEST(Sheet, LoadFromFileSwallowsOrRaises) {
    const QString folder = MakeTempFolder("sheet");
    SavePictureFile(RandomPicture(8, 8, 1), Path(folder + "/ok.png"));
    TBitmap trueColour;
    trueColour.Reset(TPixelFormat::pf24bit, 8, 8);
    SavePictureFile(trueColour, Path(folder + "/true.bmp"));
    for (const char* bad : {"missing.png", "true.bmp"}) {
        SCOPED_TRACE(bad);
        TPrismSheet sheet;
        sheet.SetSize(8, 8);
        sheet.LoadFromFile(Path(folder + "/ok.png"), false);
        EXPECT_FALSE(sheet.IsTransparentArea(sheet.BoundsRect()));
        sheet.LoadFromFile(Path(folder + "/" + bad), false);
        EXPECT_TRUE(sheet.IsTransparentArea(sheet.BoundsRect()));
        EXPECT_EQ(sheet.Palette()[5], TPaletteEntry{});
        EXPECT_ANY_THROW(sheet.LoadFromFile(Path(folder + "/" + bad), true));
    }
}

TEST(Board, SizeCopyAndBrightness) {
    TPrismBoard board;
    board.SetSize(5, 3);
    EXPECT_EQ(board.RowStride() % 4, 0);
    fillBoard(board, 7);
    board.SetSize(5, 3); // same size: only cleared
    EXPECT_EQ(board.Pixel(4, 2), 0);
    for (int x = 0; x < 5; ++x)
        board.Row(0)[x] = uint16_t(x + 1);
    board.CopyBoard(1, 1, {0, 0, 5, 1}, board); // onto itself, shifted, clipped at the right
    EXPECT_EQ((std::vector<int>{board.Pixel(0, 1), board.Pixel(1, 1), board.Pixel(4, 1)}),
              (std::vector<int>{0, 1, 4}));
    board.CopyBoard(-1, 0, {0, 0, 5, 1}, board); // left: the row moves by one
    EXPECT_EQ(board.Pixel(0, 0), 2);

    // The board's brightness reaches every sheet drawn on it.
    TPrismSheet sheet;
    sheet.SetSize(1, 1);
    sheet.Row(0)[0] = 1;
    sheet.Palette()[1] = {200, 100, 50, 0};
    sheet.UpdateColorTable();
    board.SetBrightness(50);
    board.DrawSheet(0, 0, {0, 0, 1, 1}, sheet);
    EXPECT_EQ(sheet.Brightness(), 50);
    EXPECT_EQ(board.Pixel(0, 0), rgb565(12, 12, 3));
}

TEST(Helpers, SelectionFrameAndRectangles) {
    TPrismBoard board;
    board.SetSize(12, 12);
    fillBoard(board, 1);
    DrawSelectionFrame(board, {255, 0, 0}, {1, 1, 11, 11});
    const uint16_t black = 0, red = rgb565(31, 0, 0), white = 0xFFFF;
    EXPECT_EQ((std::vector<int>{board.Pixel(0, 5), board.Pixel(1, 5), board.Pixel(2, 5), board.Pixel(3, 5),
                                board.Pixel(4, 5), board.Pixel(5, 5), board.Pixel(10, 5), board.Pixel(7, 4)}),
              (std::vector<int>{1, black, red, white, black, 1, black, black}));

    EXPECT_EQ(ScaleRect({1, 2, 3, 4}, 16), (TRect{16, 32, 48, 64}));
    EXPECT_EQ(CellRect({5, 3}, {2, 7}), (TRect{2, 3, 6, 8}));
    struct Fit {
        TRect area, picture, result;
    } fits[] = {
        {{0, 0, 320, 240}, {0, 0, 640, 240}, {0, 60, 320, 180}},
        {{0, 0, 320, 240}, {0, 0, 100, 480}, {135, 0, 185, 240}},
        {{0, 0, 320, 240}, {0, 0, 101, 51}, {109, 94, 210, 145}}, // smaller: centred, not enlarged
        {{10, 20, 110, 70}, {0, 0, 300, 100}, {10, 28, 110, 61}},
    };
    for (const auto& f : fits)
        EXPECT_EQ(FitRect(f.area, f.picture), f.result);
}

TEST(Helpers, HatchingScrollsWithItsOffset) {
    TPrismBoard a, b;
    a.SetSize(24, 24);
    b.SetSize(24, 24);
    PaintHatchedBackground(a, {0, 0, 24, 24}, 0, 0);
    PaintHatchedBackground(b, {0, 0, 24, 24}, 3, 5);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(b.Pixel(x, y), a.Pixel(x + 3, y + 5));
            ASSERT_EQ(a.Pixel(x, y), a.Pixel(x + 8, y + 8));
        }
    const uint16_t face = Pack565({192, 192, 192}), shadow = Pack565({128, 128, 128});
    EXPECT_EQ(a.Pixel(0, 0), face);
    EXPECT_EQ(a.Pixel(7, 0), face);
    EXPECT_EQ(a.Pixel(3, 0), shadow);
    TPrismBoard clipped;
    clipped.SetSize(10, 10);
    PaintHatchedBackground(clipped, {2, 2, 4, 4}, 0, 0);
    EXPECT_EQ(clipped.Pixel(1, 1), 0);
    EXPECT_NE(clipped.Pixel(2, 3), 0);
}

TEST(Helpers, MarchingRectCrawlsWithThePhase) {
    // Dots of 3 pen, 3 brush; the offset is phase x scale / 1024 mod 96.
    auto topEdge = [](int64_t phase) {
        TPrismBoard board;
        board.SetSize(30, 20);
        fillBoard(board, 1);
        DrawMarchingRect(board, phase, 16, {0, 0, 0}, {255, 255, 255}, TPenStyle::Dot, {5, 5, 25, 15});
        std::string edge;
        for (int x = 24; x >= 5; --x)
            edge += board.Pixel(x, 5) == 0xFFFF ? 'p' : board.Pixel(x, 5) == 0 ? 'b' : '?';
        EXPECT_EQ(board.Pixel(4, 5), 1); // nothing outside the rectangle
        EXPECT_EQ(board.Pixel(25, 5), 1);
        EXPECT_EQ(board.Pixel(10, 10), 1);
        return edge;
    };
    EXPECT_EQ(topEdge(0), "pppbbbpppbbbpppbbbpp");
    EXPECT_EQ(topEdge(64), "ppbbbpppbbbpppbbbppp"); // offset 1
    EXPECT_EQ(topEdge(64 * 97), topEdge(64));       // the offset wraps at 96
}
