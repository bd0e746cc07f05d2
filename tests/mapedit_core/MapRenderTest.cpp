// Drawing map cells as the map view does, and tarvel-cli render-map on a project.
#include <gtest/gtest.h>

#include "MapEditFixtures.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PrismPng.h"
#include "graphics/StartPosMark.h"
#include "mapedit_core/MapGraphics.h"
#include "mapedit_core/MapRender.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// The colour of a picture pixel as a board would show it: through 5-6-5 and back.
TRGB shown(const TBitmap& picture, int x, int y) {
    uint8_t r, g, b;
    picture.PixelColor(x, y, r, g, b);
    return Unpack565(Pack565({r, g, b}));
}

TRGB pixel(const TBitmap& picture, int x, int y) {
    uint8_t r, g, b;
    picture.PixelColor(x, y, r, g, b);
    return {r, g, b};
}

// Plain lower chip i and upper chip i in the chipset, in pixels.
TPoint plainChip(int i) {
    return {(24 + 12 * (i / 96) + 2 * (i % 6)) * 8, 2 * ((i % 96) / 6) * 8};
}
TPoint upperChip(int i) {
    const int k = i + 48;
    return {(36 + 12 * (k / 96) + 2 * (k % 6)) * 8, 2 * ((k % 96) / 6) * 8};
}

// A panorama picture of map width x 16 by map height x 16 pixels.
TBitmap panoramaPicture(int width, int height) {
    TBitmap b;
    b.Reset(TPixelFormat::pf8bit, width, height);
    for (int i = 0; i < 256; ++i)
        b.Palette()[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.ScanLine(y)[x] = uint8_t(1 + (x * 7 + y * 3) % 250);
    return b;
}

} // namespace

TEST(MapCellPainter, ModesDimTheLayerThatIsNotPainted) {
    TQelDataBase db;
    db.ChipSets().Find(1)->GraphicName = WriteSampleChipSet(MakeTempFolder("render"));
    TQelMap map(1);
    ResetGrassMap(map, 4, 3);
    map.ChipSetID = 1;
    TMapGraphics& graphics = AttachMapGraphics(map);
    graphics.ReloadChipSet(1);
    map.UpperLayer.SetChip(1, 1, 10001); // a tree: its corners are transparent
    TQelMapTree tree;
    TQelEventMap events;
    events.Build(tree, map);
    TQelMapCellPainter painter;
    painter.SetMap(&map, &events);

    const TPrismSheet& normal = graphics.ChipSet().Sheet();
    const TPrismSheet& dimmed = graphics.ChipSet().DimmedSheet();
    const TPoint grass = plainChip(0), tree1 = upperChip(1);
    const uint8_t grassIndex = normal.Row(grass.y)[grass.x];
    const uint8_t grassUnderCrown = normal.Row(grass.y + 6)[grass.x + 7];
    const uint8_t crownIndex = normal.Row(tree1.y + 6)[tree1.x + 7];
    ASSERT_EQ(normal.Row(tree1.y)[tree1.x], 0);
    ASSERT_NE(crownIndex, 0);

    struct Case {
        int mode;
        bool tool;
        uint16_t corner; // the tree cell's top-left pixel: the lower chip
        uint16_t crown;  // a pixel of the crown
    };
    const uint16_t blend = [&] {
        // Opacity 160 over the grass: each channel (source x 161 + destination x 96) / 256.
        const uint16_t s = dimmed.ColorTable()[crownIndex], d = normal.ColorTable()[grassUnderCrown];
        auto channel = [&](int shift, int bits) {
            const int mask = (1 << bits) - 1;
            return (((s >> shift) & mask) * 161 + ((d >> shift) & mask) * 96) / 256 << shift;
        };
        return uint16_t(channel(11, 5) | channel(5, 6) | channel(0, 5));
    }();
    const Case cases[] = {
        {0, false, normal.ColorTable()[grassIndex], normal.ColorTable()[crownIndex]},
        {0, true, normal.ColorTable()[grassIndex], blend},
        {1, false, normal.ColorTable()[grassIndex], normal.ColorTable()[crownIndex]},
        {1, true, dimmed.ColorTable()[grassIndex], normal.ColorTable()[crownIndex]},
        {2, true, normal.ColorTable()[grassIndex], normal.ColorTable()[crownIndex]},
    };
    for (const Case& c : cases) {
        TPrismBoard board;
        board.SetSize(64, 48);
        painter.DrawCells(board, {0, 0, 4, 3}, 0, 0, {c.mode, c.tool, 16});
        EXPECT_EQ(board.Pixel(16, 16), c.corner) << "mode " << c.mode << " tool " << c.tool;
        EXPECT_EQ(board.Pixel(16 + 7, 16 + 6), c.crown) << "mode " << c.mode << " tool " << c.tool;
        // The event grid: a black line along the bottom and right of every cell in event mode.
        const bool grid = c.mode == 2;
        EXPECT_EQ(board.Pixel(15, 3) == 0, grid);
        EXPECT_EQ(board.Pixel(3, 15) == 0, grid);
        EXPECT_EQ(board.Pixel(14, 14) == 0, false);
    }
    // Drawing at an offset: the map's pixel (scroll x, scroll y) at the board's top-left.
    TPrismBoard board;
    board.SetSize(10, 10);
    painter.DrawCells(board, {1, 1, 2, 2}, 16 + 5, 16 + 4, {0, false, 16});
    EXPECT_EQ(board.Pixel(2, 2), normal.ColorTable()[crownIndex]);
}

TEST(CliRenderMap, BothLayersMarksAndA24BitPicture) {
    const QString folder = MakeTempFolder("rendermap");
    TQelMap map(1);
    ResetGrassMap(map, 20, 15);
    map.LowerLayer.SetChip(2, 1, 5020);
    map.UpperLayer.SetChip(3, 1, 10001);
    map.Events.FindOrCreate(4)->X = 6;
    map.Events.Find(4)->Y = 4;
    TQelMapTree tree;
    tree.StartPositions.SetStartMap(0, 1);
    tree.StartPositions.SetStartX(0, 5);
    tree.StartPositions.SetStartY(0, 2);
    WriteSampleProject(folder, map, &tree);
    const TBitmap chips = SampleChipSetPicture();

    for (int cell : {16, 8, 32}) {
        const QString out = folder + QString("/map%1.png").arg(cell);
        const ProcessResult r = RunCli({"render-map", folder, "1", out, "--cell", QString::number(cell)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        const QByteArray bytes = ReadFile(out);
        ASSERT_GT(bytes.size(), 26);
        EXPECT_EQ(uint8_t(bytes[24]), 8) << "8 bits a channel";
        EXPECT_EQ(uint8_t(bytes[25]), 2) << "truecolour";
        TBitmap picture;
        ReadPngFile(picture, out.toStdString());
        ASSERT_EQ(picture.Width(), 20 * cell);
        ASSERT_EQ(picture.Height(), 15 * cell);
        const int scale = 16 / std::min(cell, 16), zoom = cell > 16 ? cell / 16 : 1;
        // Chips scaled by nearest neighbour: picture pixel (x, y) of a cell shows chip pixel
        // (x * 16 / cell, y * 16 / cell).
        auto chipAt = [&](TPoint origin, int x, int y) {
            return shown(chips, origin.x + x * scale / zoom, origin.y + y * scale / zoom);
        };
        for (int y = 0; y < cell; y += 3)
            for (int x = 0; x < cell; x += 3) {
                ASSERT_EQ(pixel(picture, x, y), chipAt(plainChip(0), x, y)) << cell << ": " << x << "," << y;
                ASSERT_EQ(pixel(picture, 2 * cell + x, cell + y), chipAt(plainChip(20), x, y));
                const TPoint tree1 = upperChip(1);
                const bool clear =
                    chips.ScanLine(tree1.y + y * scale / zoom)[tree1.x + x * scale / zoom] == 0;
                ASSERT_EQ(pixel(picture, 3 * cell + x, cell + y),
                          clear ? chipAt(plainChip(0), x, y) : chipAt(tree1, x, y));
            }
        // The party's mark and the event's mark (lower-layer mode shows events as marks).
        TStartPosMark marks;
        const int strip = cell == 32 ? 0 : cell == 16 ? 1 : 2;
        TPrismSheet& sheet = marks.Strip(strip);
        for (const auto& [mark, at] : {std::pair<int, TPoint>{0, {5, 2}}, {4, {6, 4}}}) {
            const int x = cell / 4, y = cell / 2;
            const uint8_t index = sheet.Row(y)[mark * cell + x];
            ASSERT_NE(index, 0);
            EXPECT_EQ(pixel(picture, at.x * cell + x, at.y * cell + y), Unpack565(sheet.ColorTable()[index]))
                << "mark " << mark << " at cell size " << cell;
        }
    }

    // Event mode: the grid and the event's picture.
    const QString out = folder + "/events.png";
    const ProcessResult r = RunCli({"render-map", folder, "1", out, "--events"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    TBitmap picture;
    ReadPngFile(picture, out.toStdString());
    EXPECT_EQ(pixel(picture, 15, 4), TRGB({0, 0, 0}));
    EXPECT_EQ(pixel(picture, 6 * 16 + 1, 4 * 16 + 1), TRGB({255, 255, 255}));
}

TEST(CliRenderMap, ThePanoramaShowsThroughWhenItCoversTheMapExactly) {
    struct Case {
        const char* what;
        int width, height;
        bool pan;
        bool behind;
    };
    const Case cases[] = {{"exact", 320, 240, false, true},
                          {"panning", 320, 240, true, false},
                          {"another size", 320, 256, false, false}};
    for (const Case& c : cases) {
        const QString folder = MakeTempFolder("panorama");
        TQelMap map(1);
        ResetGrassMap(map, 20, 15);
        map.UsePanorama = true;
        map.PanoramaName = "Sky";
        map.PanoramaHorzPan = c.pan;
        map.LowerLayer.SetChip(1, 1, 5143); // wholly transparent
        WriteSampleProject(folder, map);
        QDir().mkpath(folder + "/Panorama");
        const TBitmap sky = panoramaPicture(c.width, c.height);
        SavePictureFile(sky, (folder + "/Panorama/Sky.png").toStdString());

        const QString out = folder + "/map.png";
        const ProcessResult r = RunCli({"render-map", folder, "1", out, "--cell", "8"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        TBitmap picture;
        ReadPngFile(picture, out.toStdString());
        const TBitmap chips = SampleChipSetPicture();
        const TPaletteEntry& first = chips.Palette()[0];
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const TRGB expected = c.behind ? shown(sky, 16 + 2 * x, 16 + 2 * y)
                                               : Unpack565(Pack565({first.red, first.green, first.blue}));
                ASSERT_EQ(pixel(picture, 8 + x, 8 + y), expected) << c.what << " " << x << "," << y;
            }
    }
}

TEST(CliRenderMap, WrongWordsMissingFilesAndTooLargePictures) {
    const QString folder = MakeTempFolder("rendererrors");
    TQelMap map(1);
    ResetGrassMap(map, 20, 15);
    WriteSampleProject(folder, map);
    TQelMap large(2);
    ResetGrassMap(large, 500, 500);
    large.SaveToFile((folder + "/Map0002.qmu").toStdString());
    struct Case {
        QStringList args;
        int exitCode;
        const char* err;
    };
    const QString out = folder + "/out.png";
    const Case cases[] = {
        {{"render-map", folder, "1", out, "--cell", "10"}, 2, "usage"},
        {{"render-map", folder, "1"}, 2, "usage"},
        {{"render-map", folder, "x", out}, 2, "usage"},
        {{"render-map", folder, "3", out}, 1, "Map0003.qmu"},
        {{"render-map", folder, "2", out, "--cell", "32"}, 1, "16000 x 16000 pixels is too large"},
        {{"render-map", folder, "1", folder + "/no/such/folder/out.png"}, 1, "out.png"},
    };
    for (const Case& c : cases) {
        const ProcessResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));

    // A map whose chipset the database lacks is drawn blank, with a warning; so is a project
    // without its map tree (no start positions).
    map.ChipSetID = 7;
    map.SaveToFile((folder + "/Map0001.qmu").toStdString());
    QFile::remove(folder + "/QUORIN.qmt");
    const ProcessResult r = RunCli({"render-map", folder, "1", out, "--cell", "4"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("warning: the map's chipset 7 is not in the database")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("QUORIN.qmt is missing")) << r.err.toStdString();
    TBitmap picture;
    ReadPngFile(picture, out.toStdString());
    EXPECT_EQ(picture.Width(), 80);
    EXPECT_EQ(pixel(picture, 10, 10), TRGB({0, 0, 0}));
}

TEST(CliRenderMap, ATallMapDrawnInBandsIsTheMapDrawnWhole) {
    // 20 x 500 cells at 16 pixels: the picture is written in several bands, compressed apart and
    // joined; every pixel must be the one the painter draws on one board of the whole map, events
    // and start positions included, across every seam.
    const QString folder = MakeTempFolder("renderbands");
    TQelMap map(1);
    ResetGrassMap(map, 20, 500);
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 20; ++x) {
            if ((x + y / 7) % 5 == 0) map.LowerLayer.SetChip(x, y, 5000 + (x * 3 + y) % 144);
            if ((x * y) % 11 == 3) map.UpperLayer.SetChip(x, y, 10001 + (x + y) % 100);
        }
    for (int id = 1; id <= 40; ++id) {
        map.Events.FindOrCreate(id)->X = id % 20;
        map.Events.Find(id)->Y = id * 12;
    }
    TQelMapTree tree;
    tree.StartPositions.SetStartMap(0, 1);
    tree.StartPositions.SetStartX(0, 3);
    tree.StartPositions.SetStartY(0, 101);
    WriteSampleProject(folder, map, &tree);
    const QString out = folder + "/tall.png";
    const ProcessResult r = RunCli({"render-map", folder, "1", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    TBitmap picture;
    ReadPngFile(picture, out.toStdString());
    ASSERT_EQ(picture.Width(), 320);
    ASSERT_EQ(picture.Height(), 8000);

    TQelDataBase db;
    db.ChipSets().Find(1)->GraphicName = WriteSampleChipSet(folder + "/ChipSet");
    map.ChipSetID = 1;
    AttachMapGraphics(map).ReloadChipSet(1);
    TQelMapTree shownTree;
    shownTree.StartPositions.SetStartMap(0, 1);
    shownTree.StartPositions.SetStartX(0, 3);
    shownTree.StartPositions.SetStartY(0, 101);
    TQelEventMap events;
    events.Build(shownTree, map);
    TQelMapCellPainter painter;
    painter.SetMap(&map, &events);
    TPrismBoard board;
    board.SetSize(320, 8000);
    painter.DrawCells(board, {0, 0, 20, 500}, 0, 0, {0, false, 16});
    for (int y = 0; y < 8000; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(pixel(picture, x, y), Unpack565(board.Pixel(x, y))) << x << "," << y;
}
