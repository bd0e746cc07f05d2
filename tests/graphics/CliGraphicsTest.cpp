// tarvel-cli image convert and chip, run as the built program.
#include <gtest/gtest.h>

#include "GraphicsTestUtil.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PictureFile.h"
#include "graphics/PrismPng.h"

using namespace tarvel;
using namespace tarvel::test;

TEST(CliImage, ConvertsBetweenTheThreeFormats) {
    const QString folder = MakeTempFolder("cli-image");
    const TBitmap picture = RandomPicture(30, 20, 8, 0);
    SavePictureFile(picture, Path(folder + "/in.png"));
    // PNG -> XYZ -> BMP -> PNG keeps the palette and every index.
    const char* chain[] = {"in.png", "a.xyz", "b.bmp", "c.png"};
    for (int i = 0; i + 1 < 4; ++i) {
        auto r = RunCli({"image", "convert", folder + "/" + chain[i], folder + "/" + chain[i + 1]});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    EXPECT_TRUE(ReadFile(folder + "/a.xyz").startsWith("XYZ1"));
    EXPECT_TRUE(ReadFile(folder + "/b.bmp").startsWith("BM"));
    TBitmap back;
    LoadPictureFile(back, Path(folder + "/c.png"));
    ASSERT_EQ(back.PixelFormat(), TPixelFormat::pf8bit);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(back.Palette()[i], picture.Palette()[i]);
    for (int y = 0; y < 20; ++y)
        ASSERT_EQ(0, std::memcmp(back.ScanLine(y), picture.ScanLine(y), 30));

    struct Case {
        QStringList args;
        int exitCode;
        QByteArray err;
    } cases[] = {
        {{"image", "convert", folder + "/none.png", folder + "/x.png"}, 1, "tarvel-cli: image: "},
        {{"image", "convert", folder + "/a.xyz"}, 2, "tarvel-cli: usage: "},
        {{"image", "resize", folder + "/a.xyz", folder + "/x.png"}, 2, "tarvel-cli: usage: "},
        {{"image", "convert", folder + "/in.png", folder + "/no/such/folder/x.png"},
         1,
         "tarvel-cli: image: "},
    };
    WriteFile(folder + "/junk.png", "\x89PNG but not really");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        auto r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
    }
    auto junk = RunCli({"image", "convert", folder + "/junk.png", folder + "/x.png"});
    EXPECT_EQ(junk.err, "tarvel-cli: image: " + (folder + "/junk.png").toUtf8() + ": Invalid PNG Image\n");
}

TEST(CliChip, DrawsAChipAsTheEditorDoes) {
    const QString folder = MakeTempFolder("cli-chip");
    TBitmap picture = RandomPicture(kChipSetWidth, kChipSetHeight, 77);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            picture.ScanLine(128 + y)[288 + x] = 0; // upper chip 0 is blank
    picture.Palette()[0] = {255, 0, 0, 0};
    const QString chipset = folder + "/ChipSet.png";
    SavePictureFile(picture, Path(chipset));

    // Drawn in the program and here through the same renderer: the PNG holds the board's colours.
    struct Case {
        QStringList options;
        int number, size, time, speed, sequence;
        bool transparent, dimmed;
    } cases[] = {
        {{}, 5096, 16, 0, 0, 0, false, false},
        {{"--size", "32", "--time", "24"}, 765, 32, 24, 0, 0, false, false},
        {{"--time", "12", "--speed", "1", "--sequence", "1"}, 1001, 16, 12, 1, 1, false, false},
        {{"--time", "6", "--size", "8"}, 3050, 8, 6, 0, 0, false, false},
        {{"--dimmed"}, 4150, 16, 0, 0, 0, false, true},
        {{"--transparent"}, 10000, 16, 0, 0, 0, true, false},
        {{}, 10000, 16, 0, 0, 0, false, false},
    };
    TChipSetLook record;
    record.graphicName = Path(chipset);
    TQelChipSetGraphic graphic;
    graphic.SetChipSet(&record);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.number));
        const QString out = folder + "/chip.png";
        auto r = RunCli(QStringList{"chip", chipset, QString::number(c.number), out} + c.options);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        TBitmap written;
        ReadPngFile(written, Path(out));
        ASSERT_EQ(written.PixelFormat(), TPixelFormat::pf24bit);
        record.seaSpeed = c.speed;
        record.seaAnimation = c.sequence;
        graphic.SetTransparent(c.transparent);
        TPrismBoard board;
        board.SetSize(c.size, c.size);
        graphic.DrawChip(board, 0, c.time, c.number, c.dimmed, c.size, 0);
        const TBitmap expected = BoardToBitmap(board);
        ASSERT_EQ(written.Width(), c.size);
        for (int y = 0; y < c.size; ++y)
            ASSERT_EQ(0, std::memcmp(written.ScanLine(y), expected.ScanLine(y), c.size * 3));
        uint8_t red, green, blue;
        written.PixelColor(5, 5, red, green, blue);
        if (c.number == 10000) {
            EXPECT_EQ(red, c.transparent ? 0 : 255); // palette colour 0 is red
        }
    }

    TBitmap trueColour;
    trueColour.Reset(TPixelFormat::pf24bit, 480, 256);
    SavePictureFile(trueColour, Path(folder + "/true.png"));
    struct Error {
        QStringList args;
        int exitCode;
        QByteArray err;
    } errors[] = {
        {{"chip", chipset, "5096"}, 2, "tarvel-cli: usage: "},
        {{"chip", chipset, "many", folder + "/x.png"}, 2, "tarvel-cli: usage: "},
        {{"chip", chipset, "40000", folder + "/x.png"}, 2, "tarvel-cli: usage: "},
        {{"chip", chipset, "1", folder + "/x.png", "--speed", "2"}, 2, "tarvel-cli: usage: "},
        {{"chip", chipset, "1", folder + "/x.png", "--size", "0"}, 2, "tarvel-cli: usage: "},
        {{"chip", folder + "/none.png", "1", folder + "/x.png"}, 1, "tarvel-cli: chip: "},
        {{"chip", folder + "/true.png", "1", folder + "/x.png"}, 1, "tarvel-cli: chip: "},
    };
    for (const auto& e : errors) {
        SCOPED_TRACE(e.args.join(' ').toStdString());
        auto r = RunCli(e.args);
        EXPECT_EQ(r.exitCode, e.exitCode);
        EXPECT_TRUE(r.err.startsWith(e.err)) << r.err.toStdString();
    }
}
