// The banded PNG writer of exported pictures: bands compressed apart and joined into one zlib
// stream, read back by our reader and checked by zlib itself; its failures.
#include <gtest/gtest.h>

#include <QDir>
#include <zlib.h>

#include "GraphicsTestUtil.h"
#include "graphics/Geometry.h"
#include "graphics/PngBandWriter.h"
#include "graphics/PrismPng.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// Cells of 8 pixels that repeat, and every fifth row noise, so both kinds of row filtering occur.
std::vector<uint16_t> rows565(int width, int height) {
    std::vector<uint16_t> pixels(size_t(width) * size_t(height));
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            pixels[size_t(y) * size_t(width) + size_t(x)] =
                y % 5 == 4 ? uint16_t(noise >> 16)
                           : uint16_t((x % 8) * 2047 + (y % 8) * 31 + (x / 8 + y / 8) % 3);
        }
    return pixels;
}

} // namespace

TEST(PngBandWriter, BandsJoinIntoOneStreamOfThePicture) {
    const int width = 37, height = 203;
    const std::vector<uint16_t> pixels = rows565(width, height);
    struct Case {
        int bandRows, threads, level, addAtOnce;
    } cases[] = {{7, 2, 3, 13}, {0, 1, 3, height}, {1, 3, 6, 1}, {50, 2, 1, 64}, {203, 2, 9, 5}};
    const QString folder = MakeTempFolder("bands");
    for (const Case& c : cases) {
        const std::string what =
            "bands of " + std::to_string(c.bandRows) + " at level " + std::to_string(c.level);
        const std::string path = Path(folder + "/out.png");
        TPngBandWriter::Options options;
        options.bandRows = c.bandRows;
        options.threads = c.threads;
        options.level = c.level;
        options.cellPixels = 8;
        {
            TPngBandWriter writer(path, width, height, options);
            for (int y = 0; y < height; y += c.addAtOnce)
                writer.AddRows(pixels.data() + size_t(y) * width, width, std::min(c.addAtOnce, height - y));
            writer.Finish();
        }
        TBitmap picture;
        ReadPngFile(picture, path);
        ASSERT_EQ(picture.Width(), width) << what;
        ASSERT_EQ(picture.Height(), height) << what;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint8_t r, g, b;
                picture.PixelColor(x, y, r, g, b);
                const TRGB expected = Unpack565(pixels[size_t(y) * width + size_t(x)]);
                ASSERT_EQ((std::vector<int>{r, g, b}),
                          (std::vector<int>{expected.red, expected.green, expected.blue}))
                    << what << " at " << x << "," << y;
            }
        // zlib itself takes the joined stream whole, its header and checksum included.
        std::vector<uint8_t> data;
        for (const auto& chunk : IdatChunks(ReadWholeFile(path)))
            data.insert(data.end(), chunk.begin(), chunk.end());
        std::vector<uint8_t> plain(size_t(height) * (width * 3 + 1) + 1);
        uLongf length = uLongf(plain.size());
        ASSERT_EQ(uncompress(plain.data(), &length, data.data(), uLong(data.size())), Z_OK) << what;
        EXPECT_EQ(length, uLongf(height) * uLongf(width * 3 + 1)) << what;
        EXPECT_EQ((data[0] * 256 + data[1]) % 31, 0) << what;
    }
}

TEST(PngBandWriter, UnfinishedOrUnwritablePicturesLeaveNoFile) {
    const QString folder = MakeTempFolder("bandfail");
    const std::vector<uint16_t> pixels = rows565(10, 10);
    {
        TPngBandWriter writer(Path(folder + "/short.png"), 10, 10);
        writer.AddRows(pixels.data(), 10, 6);
        EXPECT_THROW(writer.Finish(), std::logic_error);
        EXPECT_THROW(writer.AddRows(pixels.data(), 10, 5), std::logic_error);
    }
    {
        TPngBandWriter writer(Path(folder + "/dropped.png"), 10, 10);
        writer.AddRows(pixels.data(), 10, 10);
    }
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty())
        << QDir(folder).entryList(QDir::Files).join(", ").toStdString();
    EXPECT_THROW(TPngBandWriter(Path(folder + "/missing/folder.png"), 10, 10), EFileError);
}
