// XYZ and PNG written by us, BMP through the platform, picking the format by the first bytes or
// the extension, and the reduction to 256 colours.
#include <gtest/gtest.h>

#include <zlib.h>

#include "GraphicsTestUtil.h"
#include "graphics/Adler32.h"
#include "graphics/PictureFile.h"
#include "graphics/PrismPng.h"
#include "graphics/PrismXyz.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

std::string errorOf(void (*read)(TBitmap&, TMemoryStream&), const std::vector<uint8_t>& bytes) {
    TBitmap b;
    TMemoryStream s(bytes);
    try {
        read(b, s);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "loaded";
}

std::vector<uint8_t> xyzFile(int width, int height, const std::vector<uint8_t>& plain,
                             int keepCompressed = -1) {
    std::vector<uint8_t> file{
        'X', 'Y', 'Z', '1', uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8)};
    uLongf size = compressBound(uLong(plain.size()));
    std::vector<uint8_t> packed(size);
    compress(packed.data(), &size, plain.data(), uLong(plain.size()));
    packed.resize(keepCompressed >= 0 ? size_t(keepCompressed) : size);
    file.insert(file.end(), packed.begin(), packed.end());
    return file;
}

void expectSamePicture(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    ASSERT_EQ(a.PixelFormat(), b.PixelFormat());
    if (IsIndexed(a.PixelFormat())) {
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(a.Palette()[i], b.Palette()[i]) << "entry " << i;
    }
    for (int y = 0; y < a.Height(); ++y)
        ASSERT_EQ(0, std::memcmp(a.ScanLine(y), b.ScanLine(y), a.RowBytes())) << y;
}

TBitmap gradient(int width, int height) {
    TBitmap b;
    b.Reset(TPixelFormat::pf24bit, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = b.ScanLine(y) + x * 3;
            p[0] = uint8_t(255 * x / std::max(1, width - 1));
            p[1] = uint8_t(255 * y / std::max(1, height - 1));
            p[2] = uint8_t((x + y) * 2);
        }
    return b;
}

} // namespace

TEST(Xyz, RoundTripKeepsPaletteAndEveryIndex) {
    const TBitmap picture = RandomPicture(123, 45, 17, 0);
    TMemoryStream stream;
    WriteXyzStream(picture, stream);
    const auto& bytes = stream.Bytes();
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "XYZ1");
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 123);
    EXPECT_EQ(bytes[6] | bytes[7] << 8, 45);
    stream.SetPosition(0);
    TPrismXyz back;
    back.LoadFromStream(stream);
    expectSamePicture(back, picture);
}

TEST(Xyz, TrueColourIsReducedBeforeWriting) {
    TBitmap picture;
    picture.Reset(TPixelFormat::pf24bit, 3, 2);
    const uint8_t colours[6][3] = {{10, 20, 30}, {200, 0, 0}, {10, 20, 30},
                                   {0, 0, 255},  {1, 2, 3},   {200, 0, 0}};
    for (int i = 0; i < 6; ++i)
        std::memcpy(picture.ScanLine(i / 3) + (i % 3) * 3, colours[i], 3);
    TMemoryStream stream;
    WriteXyzStream(picture, stream);
    stream.SetPosition(0);
    TBitmap back;
    ReadXyzStream(back, stream);
    ASSERT_EQ(back.PixelFormat(), TPixelFormat::pf8bit);
    for (int i = 0; i < 6; ++i) {
        uint8_t r, g, b;
        back.PixelColor(i % 3, i / 3, r, g, b);
        EXPECT_EQ((std::vector<int>{b, g, r}),
                  (std::vector<int>{colours[i][0], colours[i][1], colours[i][2]}));
    }
    EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf24bit); // the caller's picture is untouched
}

TEST(Xyz, DataEndingEarlyGivesIndexZero) {
    const TBitmap picture = RandomPicture(64, 64, 3);
    std::vector<uint8_t> plain(768);
    for (int i = 0; i < 256; ++i) {
        plain[i * 3] = picture.Palette()[i].red;
        plain[i * 3 + 1] = picture.Palette()[i].green;
        plain[i * 3 + 2] = picture.Palette()[i].blue;
    }
    for (int y = 0; y < 64; ++y)
        plain.insert(plain.end(), picture.ScanLine(y), picture.ScanLine(y) + 64);
    const auto whole = xyzFile(64, 64, plain);
    TBitmap back;
    TMemoryStream stream(std::vector<uint8_t>(whole.begin(), whole.begin() + long(whole.size() / 2)));
    ReadXyzStream(back, stream);
    // The first rows survive, the end is index 0.
    EXPECT_EQ(0, std::memcmp(back.ScanLine(0), picture.ScanLine(0), 64));
    for (int x = 0; x < 64; ++x)
        EXPECT_EQ(back.ScanLine(63)[x], 0);
}

TEST(Xyz, Refused) {
    std::vector<uint8_t> notZlib{'X', 'Y', 'Z', '1', 2, 0, 2, 0};
    notZlib.insert(notZlib.end(), 30, 0x55);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* error;
    } cases[] = {
        {"magic", {'X', 'Y', 'Z', '2', 1, 0, 1, 0}, "Invalid XYZ Image"},
        {"short", {'X', 'Y'}, "Invalid XYZ Image"},
        {"60000 x 60000", xyzFile(60000, 60000, std::vector<uint8_t>(768)), "Invalid XYZ Image"},
        {"not zlib", notZlib, "Zlib Error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(errorOf(ReadXyzStream, c.bytes), c.error);
    }
}

TEST(PngWriter, LayoutOfWhatWeWrite) {
    // A 4-bit picture becomes indexed with all 256 entries; a 32-bit one truecolour.
    TBitmap fourBit;
    fourBit.Reset(TPixelFormat::pf4bit, 5, 3);
    fourBit.Palette()[3] = {9, 8, 7, 0};
    fourBit.ScanLine(1)[1] = 0x03; // pixel (3, 1) is index 3
    TBitmap thirtyTwo;
    thirtyTwo.Reset(TPixelFormat::pf32bit, 2, 2);
    thirtyTwo.ScanLine(1)[4] = 50; // pixel (1, 1): blue 50
    struct Case {
        const TBitmap* picture;
        int colourType;
        size_t plteLength;
    } cases[] = {{&fourBit, 3, 768}, {&thirtyTwo, 2, 0}};
    for (const auto& c : cases) {
        TMemoryStream stream;
        WritePngStream(*c.picture, stream);
        const auto& b = stream.Bytes();
        EXPECT_EQ(b[8 + 4 + 4 + 9], c.colourType); // IHDR data byte 9
        const std::string text(b.begin(), b.end());
        const size_t plte = text.find("PLTE");
        EXPECT_EQ(plte == std::string::npos ? 0 : size_t(b[plte - 2] << 8 | b[plte - 1]), c.plteLength);
        EXPECT_EQ(text.find("tEXt"), std::string::npos);
        EXPECT_EQ(text.substr(text.size() - 12), std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12));
        stream.SetPosition(0);
        TBitmap back;
        ReadPngStream(back, stream);
        uint8_t r1, g1, b1, r2, g2, b2;
        const int x = c.picture == &fourBit ? 3 : 1;
        back.PixelColor(x, 1, r1, g1, b1);
        c.picture->PixelColor(x, 1, r2, g2, b2);
        EXPECT_EQ((std::vector<int>{r1, g1, b1}), (std::vector<int>{r2, g2, b2}));
    }
    EXPECT_EQ(fourBit.PixelFormat(), TPixelFormat::pf4bit);
}

TEST(PngWriter, FullChunksOf65536BytesAndNoEmptyLastChunk) {
    // Random indices hardly compress: a one-row picture of about 65500 pixels lands near one full
    // chunk. Walk the width until the compressed data are exactly 65536 bytes.
    auto idatSizes = [](int width) {
        const TBitmap picture = RandomPicture(width, 2, 99, 0);
        TMemoryStream stream;
        WritePngStream(picture, stream);
        std::vector<size_t> sizes;
        for (const auto& chunk : IdatChunks(stream.Bytes()))
            sizes.push_back(chunk.size());
        return sizes;
    };
    bool exact = false;
    for (int width = 32700; width < 32800 && !exact; ++width) {
        const auto sizes = idatSizes(width);
        size_t total = 0;
        for (size_t s : sizes)
            total += s;
        for (size_t i = 0; i + 1 < sizes.size(); ++i)
            ASSERT_EQ(sizes[i], kPngIdatSize);
        ASSERT_FALSE(sizes.empty());
        ASSERT_GT(sizes.back(), 0u);
        if (total == kPngIdatSize) {
            exact = true;
            EXPECT_EQ(sizes, std::vector<size_t>{kPngIdatSize});
        }
    }
    EXPECT_TRUE(exact) << "no width gave exactly 65536 bytes";
    EXPECT_EQ(idatSizes(40000).size(), 2u);
}

TEST(PngWriter, ImageDataAreZlibsDefaultStreamOfUnfilteredRows) {
    // Pictures stored in a project keep their bytes: the IDAT data joined are exactly what zlib
    // makes at its default level of the rows, each behind filter byte 0, truecolour as red, green,
    // blue. Sizes that span many IDAT chunks and many batches of rows, and the smallest picture.
    struct Case {
        int width, height;
        bool truecolour;
    } cases[] = {{480, 256, false}, {300, 200, true}, {1, 1, false},    {1, 1, true},
                 {70000, 3, false}, {3, 60000, true}, {1000, 700, true}};
    for (const Case& c : cases) {
        const TBitmap picture =
            c.truecolour ? gradient(c.width, c.height) : RandomPicture(c.width, c.height, 7, 0);
        std::vector<uint8_t> rows;
        for (int y = 0; y < c.height; ++y) {
            rows.push_back(0);
            const uint8_t* p = picture.ScanLine(y);
            if (!c.truecolour) {
                rows.insert(rows.end(), p, p + c.width);
                continue;
            }
            for (int x = 0; x < c.width; ++x)
                rows.insert(rows.end(), {p[x * 3 + 2], p[x * 3 + 1], p[x * 3]});
        }
        uLongf size = compressBound(uLong(rows.size()));
        std::vector<uint8_t> expected(size);
        ASSERT_EQ(compress2(expected.data(), &size, rows.data(), uLong(rows.size()), Z_DEFAULT_COMPRESSION),
                  Z_OK);
        expected.resize(size);

        TMemoryStream stream;
        WritePngStream(picture, stream);
        std::vector<uint8_t> data;
        for (const auto& chunk : IdatChunks(stream.Bytes()))
            data.insert(data.end(), chunk.begin(), chunk.end());
        EXPECT_TRUE(data == expected)
            << c.width << " x " << c.height << ": " << data.size() << " bytes against " << expected.size();
    }
}

TEST(PngWriter, Adler32AgreesWithZlib) {
    // Lengths around the vector blocks and the folds of the sums, starting from a fresh and from a
    // running checksum; bytes of 255 give the largest sums.
    std::vector<uint8_t> bytes(200000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 7919 % 251);
    const std::vector<uint8_t> full(20000, 255);
    for (const std::vector<uint8_t>* data : {static_cast<const std::vector<uint8_t>*>(&bytes), &full})
        for (size_t length : {0, 1, 15, 16, 17, 5535, 5536, 5537, 5552, 5553, 11072, 20000})
            for (uint32_t start : {1u, 0xFFF0FFF0u % 65521u | (65520u << 16)}) {
                const uint32_t expected = uint32_t(adler32(start, data->data(), uInt(length)));
                EXPECT_EQ(Adler32(start, data->data(), length), expected) << length << " from " << start;
            }
    EXPECT_EQ(Adler32(1, bytes.data(), bytes.size()), uint32_t(adler32(1, bytes.data(), uInt(bytes.size()))));
}

TEST(PictureFile, FirstBytesDecideOnLoadExtensionOnSave) {
    const QString folder = MakeTempFolder("pictures");
    const TBitmap picture = RandomPicture(20, 10, 4);
    struct Case {
        const char* name;
        QByteArray start;
    } cases[] = {
        {"a.PNG", "\x89PNG"}, {"b.xyz", "XYZ1"}, {"c.bmp", "BM"}, {"d.picture", "BM"}, {"e.Xyz", "XYZ1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder + "/" + c.name;
        SavePictureFile(picture, Path(path));
        EXPECT_TRUE(ReadFile(path).startsWith(c.start));
        TBitmap back;
        LoadPictureFile(back, Path(path));
        expectSamePicture(back, picture);
    }
    // XYZ data in a file named .bmp load as XYZ.
    WriteFile(folder + "/xyz.bmp", ReadFile(folder + "/b.xyz"));
    TBitmap back;
    LoadPictureFile(back, Path(folder + "/xyz.bmp"));
    expectSamePicture(back, picture);
}

TEST(PictureFile, Failures) {
    const QString folder = MakeTempFolder("bad");
    WriteFile(folder + "/empty.xyz", QBytes(xyzFile(0, 7, std::vector<uint8_t>(768))));
    WriteFile(folder + "/junk.bmp", "this is no picture");
    struct Case {
        const char* name;
        const char* error;
    } cases[] = {
        {"empty.xyz", "Empty Bitmap"},
        {"junk.bmp", "Bitmap image is not valid"},
        {"missing.png", "Cannot open file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap b;
        try {
            LoadPictureFile(b, Path(folder + "/" + c.name));
            ADD_FAILURE() << "loaded";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
        }
    }
}

TEST(PictureFile, BmpOfOtherProgramsAndDepths) {
    const QString folder = MakeTempFolder("bmp");
    // A 4-bit BMP by ImageMagick: read as 8-bit with its 16-entry colour table.
    auto r = RunProgram("convert", {"-size", "16x8", "gradient:red-blue", "-colors", "16", "-type", "Palette",
                                    "BMP3:" + folder + "/four.bmp"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    TBitmap four;
    LoadPictureFile(four, Path(folder + "/four.bmp"));
    EXPECT_EQ(four.PixelFormat(), TPixelFormat::pf8bit);
    auto rgb = RunProgram("convert", {folder + "/four.bmp", "-depth", "8", "rgb:-"});
    ASSERT_EQ(rgb.out.size(), 16 * 8 * 3);
    for (int i = 0; i < 16 * 8; ++i) {
        uint8_t red, green, blue;
        four.PixelColor(i % 16, i / 16, red, green, blue);
        ASSERT_EQ(red, uint8_t(rgb.out[i * 3]));
        ASSERT_EQ(blue, uint8_t(rgb.out[i * 3 + 2]));
    }
    // Truecolour BMP round trip.
    const TBitmap colours = gradient(13, 7);
    SavePictureFile(colours, Path(folder + "/true.bmp"));
    TBitmap back;
    LoadPictureFile(back, Path(folder + "/true.bmp"));
    expectSamePicture(back, colours);
}

TEST(ColourReduction, FewColoursKeptExactlyTopLeftFirst) {
    TBitmap picture = gradient(16, 16); // 16 x 16 pixels of at most 256 colours
    picture.SetPixelFormat(TPixelFormat::pf8bit);
    const TBitmap original = gradient(16, 16);
    uint8_t r, g, b;
    original.PixelColor(0, 0, r, g, b);
    EXPECT_EQ(picture.Palette()[0], (TPaletteEntry{r, g, b, 0}));
    EXPECT_EQ(picture.ScanLine(0)[0], 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint8_t r1, g1, b1, r2, g2, b2;
            picture.PixelColor(x, y, r1, g1, b1);
            original.PixelColor(x, y, r2, g2, b2);
            ASSERT_EQ((std::vector<int>{r1, g1, b1}), (std::vector<int>{r2, g2, b2})) << x << "," << y;
        }
}

TEST(ColourReduction, ManyColoursQuantisedCloselyByLibimagequant) {
    const TBitmap original = gradient(200, 100); // 20000 different colours
    TBitmap reduced = original;
    reduced.SetPixelFormat(TPixelFormat::pf8bit);
    ASSERT_EQ(reduced.PixelFormat(), TPixelFormat::pf8bit);
    double error = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            uint8_t r1, g1, b1, r2, g2, b2;
            reduced.PixelColor(x, y, r1, g1, b1);
            original.PixelColor(x, y, r2, g2, b2);
            error += std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2);
        }
    EXPECT_LT(error / (200 * 100 * 3), 6.0);
}
