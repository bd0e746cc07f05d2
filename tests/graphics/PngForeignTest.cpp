// Our PNG reader against files written by other encoders (ImageMagick, PIL) and rearranged at the
// chunk level, each compared pixel for pixel with an independent decoder; and our PNG output read
// back by PIL.
#include <gtest/gtest.h>

#include <QFile>
#include <set>
#include <zlib.h>

#include "GraphicsTestUtil.h"
#include "graphics/PictureFile.h"
#include "graphics/PrismPng.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// ---- chunk-level PNG surgery -------------------------------------------------------------------

struct Chunk {
    std::string type;
    QByteArray data;
};

uint32_t be32(const char* p) {
    auto u = reinterpret_cast<const uint8_t*>(p);
    return uint32_t(u[0]) << 24 | uint32_t(u[1]) << 16 | uint32_t(u[2]) << 8 | u[3];
}

QByteArray beBytes(uint32_t v) {
    QByteArray b(4, 0);
    b[0] = char(v >> 24);
    b[1] = char(v >> 16);
    b[2] = char(v >> 8);
    b[3] = char(v);
    return b;
}

std::vector<Chunk> parseChunks(const QByteArray& png) {
    std::vector<Chunk> chunks;
    int p = 8;
    while (p + 12 <= png.size()) {
        const uint32_t n = be32(png.constData() + p);
        chunks.push_back({png.mid(p + 4, 4).toStdString(), png.mid(p + 8, int(n))});
        p += 12 + int(n);
    }
    return chunks;
}

QByteArray chunkBytes(const Chunk& c) {
    QByteArray body = QByteArray::fromStdString(c.type) + c.data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
    return beBytes(uint32_t(c.data.size())) + body + beBytes(uint32_t(crc));
}

QByteArray buildPng(const std::vector<Chunk>& chunks) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    for (const auto& c : chunks)
        png += chunkBytes(c);
    return png;
}

QByteArray findChunk(const std::vector<Chunk>& chunks, const std::string& type) {
    for (const auto& c : chunks)
        if (c.type == type) return c.data;
    return {};
}

QByteArray allIdat(const std::vector<Chunk>& chunks) {
    QByteArray data;
    for (const auto& c : chunks)
        if (c.type == "IDAT") data += c.data;
    return data;
}

QByteArray inflateAll(const QByteArray& in) {
    z_stream z{};
    inflateInit(&z);
    QByteArray out;
    char buffer[65536];
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    z.avail_in = uInt(in.size());
    int r;
    do {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        r = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, int(sizeof buffer - z.avail_out));
    } while (r == Z_OK);
    inflateEnd(&z);
    return out;
}

// Compresses parts of a byte string, ending each with its own flush mode.
QByteArray deflateParts(const std::vector<std::pair<QByteArray, int>>& parts) {
    z_stream z{};
    deflateInit(&z, Z_DEFAULT_COMPRESSION);
    QByteArray out;
    char buffer[65536];
    for (const auto& [data, flush] : parts) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
        z.avail_in = uInt(data.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer);
            z.avail_out = sizeof buffer;
            deflate(&z, flush);
            out.append(buffer, int(sizeof buffer - z.avail_out));
        } while (z.avail_out == 0 || z.avail_in > 0);
    }
    deflateEnd(&z);
    return out;
}

int paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : pb <= pc ? b : c;
}

// Rows of raw pixel bytes filtered with one PNG filter type, each with its filter byte.
QByteArray filterRows(const QByteArray& raw, int rowLength, int bpp, int type) {
    QByteArray out;
    const int rows = raw.size() / rowLength;
    auto at = [&](int r, int i) -> int { return r < 0 || i < 0 ? 0 : uint8_t(raw[r * rowLength + i]); };
    for (int r = 0; r < rows; ++r) {
        out.append(char(type));
        for (int i = 0; i < rowLength; ++i) {
            const int x = at(r, i), a = at(r, i - bpp), b = at(r - 1, i), c = at(r - 1, i - bpp);
            const int predictor = type == 1   ? a
                                  : type == 2 ? b
                                  : type == 3 ? (a + b) / 2
                                  : type == 4 ? paeth(a, b, c)
                                              : 0;
            out.append(char(uint8_t(x - predictor)));
        }
    }
    return out;
}

std::set<int> filterTypesUsed(const QByteArray& png) {
    const auto chunks = parseChunks(png);
    const QByteArray ihdr = findChunk(chunks, "IHDR");
    const int width = int(be32(ihdr.constData())), height = int(be32(ihdr.constData() + 4));
    const int bpp = ihdr[9] == 2 ? 3 : 1;
    const QByteArray raw = inflateAll(allIdat(chunks));
    std::set<int> types;
    for (int r = 0; r < height; ++r)
        types.insert(uint8_t(raw[r * (width * bpp + 1)]));
    return types;
}

// ---- reference decoders ------------------------------------------------------------------------

struct Reference {
    bool indexed = false;
    int width = 0, height = 0;
    QByteArray palette; // 768 bytes for indexed pictures
    QByteArray pixels;  // indices, or red-green-blue
};

Reference decodeWithPil(const QString& path) {
    const QString out = path + ".ref";
    auto r = Python("import sys\n"
                    "from PIL import Image\n"
                    "im = Image.open(sys.argv[1]); im.load()\n"
                    "f = open(sys.argv[2], 'wb')\n"
                    "if im.mode == 'P':\n"
                    "    pal = list(im.getpalette() or [])[:768]; pal += [0] * (768 - len(pal))\n"
                    "    f.write(b'P %d %d\\n' % im.size); f.write(bytes(pal)); f.write(im.tobytes())\n"
                    "else:\n"
                    "    im = im.convert('RGB'); f.write(b'RGB %d %d\\n' % im.size); f.write(im.tobytes())\n",
                    {path, out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray bytes = ReadFile(out);
    Reference ref;
    const int newline = bytes.indexOf('\n');
    const QList<QByteArray> head = bytes.left(newline).split(' ');
    if (head.size() != 3) return ref;
    ref.indexed = head[0] == "P";
    ref.width = head[1].toInt();
    ref.height = head[2].toInt();
    if (ref.indexed) {
        ref.palette = bytes.mid(newline + 1, 768);
        ref.pixels = bytes.mid(newline + 1 + 768);
    } else {
        ref.pixels = bytes.mid(newline + 1);
    }
    return ref;
}

Reference decodeWithMagick(const QString& path) {
    const QString out = path + ".rgb";
    auto r = RunProgram("convert", {path, "-depth", "8", "rgb:" + out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    auto size = RunProgram("identify", {"-format", "%w %h", path});
    Reference ref;
    const QList<QByteArray> wh = size.out.split(' ');
    ref.width = wh.value(0).toInt();
    ref.height = wh.value(1).toInt();
    ref.pixels = ReadFile(out);
    return ref;
}

void expectSamePixels(const TBitmap& ours, const Reference& ref, bool compareIndices) {
    ASSERT_EQ(ours.Width(), ref.width);
    ASSERT_EQ(ours.Height(), ref.height);
    if (compareIndices) {
        ASSERT_TRUE(ref.indexed);
        ASSERT_EQ(ours.PixelFormat(), TPixelFormat::pf8bit);
        for (int i = 0; i < 256; ++i) {
            const TPaletteEntry& e = ours.Palette()[i];
            ASSERT_EQ(e.red, uint8_t(ref.palette[i * 3])) << "palette entry " << i;
            ASSERT_EQ(e.green, uint8_t(ref.palette[i * 3 + 1])) << "palette entry " << i;
            ASSERT_EQ(e.blue, uint8_t(ref.palette[i * 3 + 2])) << "palette entry " << i;
        }
        for (int y = 0; y < ours.Height(); ++y)
            for (int x = 0; x < ours.Width(); ++x)
                ASSERT_EQ(ours.ScanLine(y)[x], uint8_t(ref.pixels[y * ref.width + x])) << x << "," << y;
        return;
    }
    ASSERT_EQ(ref.pixels.size(), ref.width * ref.height * 3);
    for (int y = 0; y < ours.Height(); ++y)
        for (int x = 0; x < ours.Width(); ++x) {
            uint8_t r, g, b;
            ours.PixelColor(x, y, r, g, b);
            const int i = (y * ref.width + x) * 3;
            ASSERT_EQ(r, uint8_t(ref.pixels[i])) << x << "," << y;
            ASSERT_EQ(g, uint8_t(ref.pixels[i + 1])) << x << "," << y;
            ASSERT_EQ(b, uint8_t(ref.pixels[i + 2])) << x << "," << y;
        }
}

TBitmap readPngBytes(const QByteArray& png) {
    TBitmap bitmap;
    TMemoryStream stream(Bytes(png));
    ReadPngStream(bitmap, stream);
    return bitmap;
}

std::string pngError(const QByteArray& png) {
    try {
        readPngBytes(png);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "loaded";
}

// Files every case below starts from, written once per run by the two outside encoders.
class ForeignPng : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = MakeTempFolder("png");
        const QString plasma = "plasma:fractal";
        struct Job {
            QString program;
            QStringList args;
        } jobs[] = {
            // ImageMagick: truecolour with adaptive filtering (-quality 95), 256 and 16 palette colours.
            {"convert",
             {"-seed", "7", "-size", "61x47", plasma, "-quality", "95", "PNG24:" + folder + "/im-rgb.png"}},
            {"convert",
             {"-size", "80x60", "gradient:red-blue", "-quality", "95",
              "PNG24:" + folder + "/im-gradient.png"}},
            {"convert",
             {"-seed", "7", "-size", "61x47", plasma, "-colors", "200", "PNG8:" + folder + "/im-p200.png"}},
            {"convert",
             {"-seed", "9", "-size", "33x21", plasma, "-colors", "16", "-define", "png:bit-depth=8",
              "-define", "png:color-type=3", "PNG8:" + folder + "/im-p16.png"}},
            {"convert",
             {"-seed", "7", "-size", "30x20", plasma, "-depth", "16", "PNG48:" + folder + "/im-16bit.png"}},
            {"convert",
             {"-seed", "7", "-size", "30x20", plasma, "-interlace", "PNG",
              "PNG24:" + folder + "/im-interlaced.png"}},
        };
        for (const auto& job : jobs) {
            auto r = RunProgram(job.program, job.args);
            ASSERT_EQ(r.exitCode, 0) << job.args.join(' ').toStdString() << r.err.toStdString();
        }
        // PIL: truecolour and paletted from the ImageMagick picture, and the refused kinds.
        auto r = Python("import sys\n"
                        "from PIL import Image\n"
                        "d = sys.argv[1]\n"
                        "im = Image.open(d + '/im-rgb.png').convert('RGB')\n"
                        "im.save(d + '/pil-rgb.png')\n"
                        "im.quantize(256).save(d + '/pil-p256.png')\n"
                        "im.convert('L').save(d + '/pil-grey.png')\n"
                        "im.convert('RGBA').save(d + '/pil-rgba.png')\n"
                        "im.quantize(16).save(d + '/pil-p4bit.png', bits=4)\n",
                        {folder});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    static QString file(const char* name) { return folder + "/" + name; }
    static QString folder;
};
QString ForeignPng::folder;

} // namespace

TEST_F(ForeignPng, FilesOfOtherEncodersDecodeAsTheirOwnDecoders) {
    struct Case {
        const char* name;
        bool indexed;
        bool magickReference; // else PIL
    } cases[] = {
        {"im-rgb.png", false, true}, {"im-gradient.png", false, true}, {"im-p200.png", true, false},
        {"im-p16.png", true, false}, {"pil-rgb.png", false, false},    {"pil-p256.png", true, false},
    };
    std::set<int> filters;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray png = ReadFile(file(c.name));
        const auto used = filterTypesUsed(png);
        filters.insert(used.begin(), used.end());
        TBitmap ours;
        ReadPngFile(ours, Path(file(c.name)));
        expectSamePixels(ours,
                         c.magickReference ? decodeWithMagick(file(c.name)) : decodeWithPil(file(c.name)),
                         c.indexed);
        if (c.indexed) expectSamePixels(ours, decodeWithPil(file(c.name)), true);
    }
    // Together the outside encoders used every filter type.
    EXPECT_EQ(filters, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST_F(ForeignPng, SixteenColourPaletteLeavesTheRestBlack) {
    const QByteArray png = ReadFile(file("im-p16.png"));
    const auto chunks = parseChunks(png);
    ASSERT_EQ(findChunk(chunks, "PLTE").size(), 48);
    ASSERT_EQ(findChunk(chunks, "IHDR")[8], 8); // bit depth 8
    TBitmap ours = readPngBytes(png);
    bool someColour = false;
    for (int i = 0; i < 16; ++i)
        someColour |= ours.Palette()[i] != TPaletteEntry{};
    EXPECT_TRUE(someColour);
    for (int i = 16; i < 256; ++i)
        EXPECT_EQ(ours.Palette()[i], TPaletteEntry{}) << i;
}

TEST_F(ForeignPng, EveryFilterTypeOnIndexedAndTruecolourRows) {
    for (const char* name : {"im-p200.png", "im-rgb.png"}) {
        const QByteArray png = ReadFile(file(name));
        const auto chunks = parseChunks(png);
        const QByteArray ihdr = findChunk(chunks, "IHDR");
        const int width = int(be32(ihdr.constData())), bpp = ihdr[9] == 2 ? 3 : 1;
        // The rows as the reference decoder sees them, filtered again one type at a time.
        const Reference reference = decodeWithPil(file(name));
        const QByteArray raw = reference.pixels;
        TBitmap original = readPngBytes(png);
        for (int type = 0; type <= 4; ++type) {
            SCOPED_TRACE(std::string(name) + " filter " + std::to_string(type));
            std::vector<Chunk> rebuilt{{"IHDR", ihdr}};
            if (bpp == 1) rebuilt.push_back({"PLTE", findChunk(chunks, "PLTE")});
            rebuilt.push_back({"IDAT", deflateParts({{filterRows(raw, width * bpp, bpp, type), Z_FINISH}})});
            rebuilt.push_back({"IEND", {}});
            const QString path = folder + QString("/refiltered-%1-%2").arg(type).arg(name);
            WriteFile(path, buildPng(rebuilt));
            EXPECT_EQ(filterTypesUsed(buildPng(rebuilt)), (std::set<int>{type}));
            TBitmap ours;
            ReadPngFile(ours, Path(path));
            expectSamePixels(ours, decodeWithPil(path), bpp == 1);
            for (int y = 0; y < ours.Height(); ++y)
                ASSERT_EQ(0, std::memcmp(ours.ScanLine(y), original.ScanLine(y), ours.RowBytes()));
        }
    }
}

TEST_F(ForeignPng, ImageDataSplitAnywhereAndChunksBetweenRows) {
    const QByteArray png = ReadFile(file("im-rgb.png"));
    const auto chunks = parseChunks(png);
    const TBitmap expected = readPngBytes(png);
    const QByteArray ihdr = findChunk(chunks, "IHDR");
    const QByteArray idat = allIdat(chunks);
    const QByteArray stored = inflateAll(idat);
    const int rowBytes = int(be32(ihdr.constData())) * 3 + 1;
    const int height = int(be32(ihdr.constData() + 4));
    auto same = [&](const QByteArray& variant) {
        TBitmap ours = readPngBytes(variant);
        ASSERT_EQ(ours.Height(), expected.Height());
        for (int y = 0; y < ours.Height(); ++y)
            ASSERT_EQ(0, std::memcmp(ours.ScanLine(y), expected.ScanLine(y), ours.RowBytes())) << "row " << y;
    };
    const Chunk text{"tEXt", QByteArray("Comment\0between rows", 20)};
    const Chunk unknown{"zzZz", QByteArray(9, 'x')};

    // Chunks of 1, 2, 3, 5, 7, 11, 13 bytes in turn: splits inside rows, inside zlib codes, anywhere.
    std::vector<Chunk> split{{"IHDR", ihdr}};
    const int sizes[] = {1, 2, 3, 5, 7, 11, 13};
    for (int p = 0, i = 0; p < idat.size(); p += sizes[i % 7], ++i)
        split.push_back({"IDAT", idat.mid(p, sizes[i % 7])});
    split.push_back({"IEND", {}});
    same(buildPng(split));

    // The data flushed at a row boundary, other chunks between the two IDATs, CRCs all wrong.
    const int k = height / 2;
    const QByteArray rowsBefore = stored.left(k * rowBytes), rowsAfter = stored.mid(k * rowBytes);
    const QByteArray partA = deflateParts({{rowsBefore, Z_FULL_FLUSH}});
    const QByteArray whole = deflateParts({{rowsBefore, Z_FULL_FLUSH}, {rowsAfter, Z_FINISH}});
    const QByteArray partB = whole.mid(partA.size());
    QByteArray between =
        buildPng({{"IHDR", ihdr}, {"IDAT", partA}, text, unknown, {"IDAT", partB}, {"IEND", {}}});
    same(between);
    for (int p = 8; p + 12 <= between.size();) { // spoil every CRC
        const int n = int(be32(between.constData() + p));
        between[p + 8 + n] = char(between[p + 8 + n] ^ 0x5A);
        p += 12 + n;
    }
    same(between);

    // The last IDAT holds only the end of the zlib stream, after every row is complete.
    const QByteArray flushed = deflateParts({{stored, Z_SYNC_FLUSH}});
    const QByteArray finished = deflateParts({{stored, Z_SYNC_FLUSH}, {QByteArray(), Z_FINISH}});
    same(buildPng({{"IHDR", ihdr}, {"IDAT", flushed}, {"IDAT", finished.mid(flushed.size())}, {"IEND", {}}}));

    // Data continuing inside a row in a chunk that is not IDAT.
    EXPECT_EQ(pngError(buildPng({{"IHDR", ihdr},
                                 {"IDAT", partA.left(partA.size() / 2)},
                                 text,
                                 {"IDAT", whole.mid(partA.size() / 2)},
                                 {"IEND", {}}})),
              "Invalid PNG Image");
}

TEST_F(ForeignPng, DataEndingEarlyLeavesTheMissingRowsAtIndexZero) {
    const QByteArray png = ReadFile(file("im-p200.png"));
    const auto chunks = parseChunks(png);
    const TBitmap expected = readPngBytes(png);
    const QByteArray ihdr = findChunk(chunks, "IHDR"), plte = findChunk(chunks, "PLTE");
    const QByteArray stored = inflateAll(allIdat(chunks));
    const int rowBytes = expected.Width() + 1;
    struct Case {
        const char* what;
        QByteArray idat;
        int completeRows;
    } cases[] = {
        // A zlib stream that ends properly after 20 rows.
        {"stream ends", deflateParts({{stored.left(20 * rowBytes), Z_FINISH}}), 20},
        // The compressed data stop 10 bytes into row 30 (flushed, never finished); IEND follows.
        {"data cut", deflateParts({{stored.left(30 * rowBytes + 10), Z_SYNC_FLUSH}}), 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TBitmap ours =
            readPngBytes(buildPng({{"IHDR", ihdr}, {"PLTE", plte}, {"IDAT", c.idat}, {"IEND", {}}}));
        for (int y = 0; y < ours.Height(); ++y) {
            const bool complete = y < c.completeRows;
            for (int x = 0; x < ours.Width(); ++x)
                ASSERT_EQ(ours.ScanLine(y)[x], complete ? expected.ScanLine(y)[x] : 0) << x << "," << y;
        }
    }
}

TEST_F(ForeignPng, RefusedKinds) {
    struct Case {
        const char* name;
        int ihdrByte; // the IHDR byte that makes the kind (9 colour type, 8 depth, 12 interlace)
        int value;
    } cases[] = {
        {"pil-grey.png", 9, 0},  {"pil-rgba.png", 9, 6},       {"pil-p4bit.png", 8, 4},
        {"im-16bit.png", 8, 16}, {"im-interlaced.png", 12, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray png = ReadFile(file(c.name));
        ASSERT_EQ(uint8_t(findChunk(parseChunks(png), "IHDR")[c.ihdrByte]), c.value);
        EXPECT_EQ(pngError(png), "Unsupported PNG Image");
    }
}

TEST_F(ForeignPng, DamagedStructure) {
    const QByteArray png = ReadFile(file("im-p200.png"));
    const auto chunks = parseChunks(png);
    const QByteArray ihdr = findChunk(chunks, "IHDR"), plte = findChunk(chunks, "PLTE"),
                     idat = allIdat(chunks);
    QByteArray huge = ihdr, wideWithoutRows = ihdr;
    huge.replace(0, 8, beBytes(60000) + beBytes(60000));
    wideWithoutRows.replace(0, 8, beBytes(0x75000000) + beBytes(0));
    QByteArray badSignature = png;
    badSignature[1] = 'Q';
    struct Case {
        const char* what;
        QByteArray file;
        const char* error;
    } cases[] = {
        {"signature", badSignature, "Invalid PNG Image"},
        {"IHDR of 14 bytes", buildPng({{"IHDR", ihdr + '\0'}, {"IDAT", idat}, {"IEND", {}}}),
         "Invalid PNG Image"},
        {"IHDR of 12 bytes", buildPng({{"IHDR", ihdr.left(12)}, {"IDAT", idat}, {"IEND", {}}}),
         "Invalid PNG Image"},
        {"PLTE of 771 bytes", buildPng({{"IHDR", ihdr}, {"PLTE", QByteArray(771, 1)}, {"IEND", {}}}),
         "Invalid PNG Image"},
        {"IEND with data", buildPng({{"IHDR", ihdr}, {"PLTE", plte}, {"IDAT", idat}, {"IEND", "x"}}),
         "Invalid PNG Image"},
        {"IDAT before IHDR", buildPng({{"IDAT", idat}, {"IHDR", ihdr}, {"IEND", {}}}), "Invalid PNG Image"},
        {"second IHDR", buildPng({{"IHDR", ihdr}, {"IHDR", ihdr}, {"IDAT", idat}, {"IEND", {}}}),
         "Invalid PNG Image"},
        {"60000 x 60000", buildPng({{"IHDR", huge}, {"IDAT", idat}, {"IEND", {}}}), "Invalid PNG Image"},
        {"wide without rows", buildPng({{"IHDR", wideWithoutRows}, {"IDAT", idat}, {"IEND", {}}}),
         "Invalid PNG Image"},
        {"filter type 5",
         buildPng({{"IHDR", ihdr}, {"IDAT", deflateParts({{QByteArray(62, 5), Z_FINISH}})}, {"IEND", {}}}),
         "Invalid PNG Image"},
        {"not zlib", buildPng({{"IHDR", ihdr}, {"IDAT", QByteArray(40, 'z')}, {"IEND", {}}}), "Zlib Error"},
        {"no IEND", buildPng({{"IHDR", ihdr}, {"PLTE", plte}, {"IDAT", idat}}), "Stream read error"},
        {"chunk longer than the file", png.left(png.indexOf("IDAT") + 20), "Stream read error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(pngError(c.file), c.error);
    }
}

TEST_F(ForeignPng, OurOutputReadByPil) {
    TBitmap indexed = RandomPicture(37, 29, 5, 0);
    TBitmap trueColour;
    trueColour.Reset(TPixelFormat::pf24bit, 41, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 41; ++x) {
            uint8_t* p = trueColour.ScanLine(y) + x * 3;
            p[0] = uint8_t(x * 6); // blue
            p[1] = uint8_t(y * 11);
            p[2] = uint8_t(x * y);
        }
    for (const TBitmap* picture : {&indexed, &trueColour}) {
        const QString path = MakeTempFolder("ours") + "/out.png";
        WritePngFile(*picture, Path(path));
        const auto chunks = parseChunks(ReadFile(path));
        std::vector<std::string> types;
        for (const auto& c : chunks)
            types.push_back(c.type);
        const bool isIndexed = picture == &indexed;
        const std::vector<std::string> expected =
            isIndexed ? std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}
                      : std::vector<std::string>{"IHDR", "IDAT", "IEND"};
        EXPECT_EQ(types, expected);
        EXPECT_EQ(filterTypesUsed(ReadFile(path)), (std::set<int>{0}));
        const Reference ref = decodeWithPil(path);
        expectSamePixels(*picture, ref, isIndexed);
    }
}
