// Every picture of the package could have been imported: the size rule of its kind, 8 bits per
// pixel with a full palette, and index 0 as the transparent colour where the kind has one.
#include <QDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

#include "RtpTestSupport.h"
#include "TestEnvironment.h"

namespace tarvel::test::rtp {
namespace {

struct KindRule {
    const char* folder;
    int minW, maxW, minH, maxH;
    bool transparent;
    int minimumCount;
};

// The import size rules of the material manager, and how many pictures the package promises.
const KindRule kRules[] = {
    {"Backdrop", 320, 320, 160, 160, false, 6}, {"Battle", 1, 480, 96, 480, true, 8},
    {"CharSet", 288, 288, 256, 256, true, 8},   {"ChipSet", 480, 480, 256, 256, true, 2},
    {"FaceSet", 192, 192, 192, 192, true, 4},   {"GameOver", 320, 320, 240, 240, false, 1},
    {"Monster", 16, 320, 16, 160, true, 12},    {"Panorama", 80, 640, 80, 480, false, 2},
    {"Picture", 1, 640, 1, 480, true, 2},       {"System", 160, 160, 80, 80, true, 1},
    {"Title", 320, 320, 240, 240, false, 1},
};

TEST(RtpPackage, HasTheFourteenFolders) {
    const char* folders[] = {"Backdrop", "Battle", "CharSet",  "ChipSet", "FaceSet", "GameOver", "Monster",
                             "Movie",    "Music",  "Panorama", "Picture", "Sound",   "System",   "Title"};
    for (const char* f : folders)
        EXPECT_TRUE(QDir(PackageFolder() + "/" + f).exists()) << f;
}

TEST(RtpPackage, EveryPictureFollowsTheImportRuleOfItsKind) {
    for (const KindRule& rule : kRules) {
        QStringList names = PackageNames(rule.folder, "png");
        EXPECT_GE(names.size(), rule.minimumCount) << rule.folder;
        for (const QString& name : names) {
            SCOPED_TRACE(std::string(rule.folder) + "/" + name.toStdString());
            QString path = PackageFile(rule.folder, name, "png");
            tarvel::rtp::IndexedImage img = LoadPicture(path);
            EXPECT_GE(img.Width(), rule.minW);
            EXPECT_LE(img.Width(), rule.maxW);
            EXPECT_GE(img.Height(), rule.minH);
            EXPECT_LE(img.Height(), rule.maxH);
            // Written as the system writes PNG: colour type 3 and a palette of all 256 entries, no
            // transparency chunk (index 0 is transparent by convention, not by the file).
            QByteArray bytes = ReadFile(path);
            ASSERT_GT(bytes.size(), 33);
            EXPECT_EQ(uint8_t(bytes[24]), 8) << "bit depth";
            EXPECT_EQ(uint8_t(bytes[25]), 3) << "colour type";
            bool palette = false;
            for (const auto& [type, length] : PngChunks(bytes)) {
                if (type == "PLTE") palette = length == 768;
                EXPECT_NE(type, "tRNS");
            }
            EXPECT_TRUE(palette) << "PLTE of 768 bytes";
            if (rule.transparent) {
                // Transparent kinds keep their background in index 0: the corners are empty.
                // (Chipsets and system graphics have their own tests: their corners are opaque pieces.)
                if (std::string(rule.folder) != "ChipSet" && std::string(rule.folder) != "System") {
                    for (auto [x, y] : {std::pair{0, 0},
                                        {img.Width() - 1, 0},
                                        {0, img.Height() - 1},
                                        {img.Width() - 1, img.Height() - 1}})
                        EXPECT_EQ(img.At(x, y), 0) << x << "," << y;
                }
            } else {
                // An opaque picture draws with every pixel, so none of them should rely on index 0
                // being a background.
                EXPECT_LT(CountZero(img, 0, 0, img.Width(), img.Height()), img.Width() * img.Height() / 50);
            }
        }
    }
}

TEST(RtpPackage, BattleSheetsAreRowsOfFiveCellsOf96) {
    for (const QString& name : PackageNames("Battle", "png")) {
        SCOPED_TRACE(name.toStdString());
        tarvel::rtp::IndexedImage img = LoadPicture(PackageFile("Battle", name, "png"));
        EXPECT_EQ(img.Width(), 480);
        EXPECT_EQ(img.Height() % 96, 0);
        // The first cell shows something, and every cell has a transparent margin.
        EXPECT_LT(CountZero(img, 0, 0, 96, 96), 96 * 96);
        for (int n = 0; n < img.Height() / 96 * 5; ++n)
            EXPECT_EQ(img.At((n % 5) * 96, (n / 5) * 96), 0) << "cell " << n;
    }
}

TEST(RtpPackage, SystemGraphicKeepsTheWindowMiddleTransparent) {
    for (const QString& name : PackageNames("System", "png")) {
        tarvel::rtp::IndexedImage img = LoadPicture(PackageFile("System", name, "png"));
        // Wallpaper opaque; the middle of the frame and the cursor see-through; twenty text colours.
        EXPECT_EQ(CountZero(img, 0, 0, 32, 32), 0) << name.toStdString();
        EXPECT_EQ(CountZero(img, 40, 8, 16, 16), 16 * 16) << name.toStdString();
        EXPECT_EQ(CountZero(img, 72, 8, 16, 16), 16 * 16) << name.toStdString();
        EXPECT_EQ(CountZero(img, 0, 48, 160, 32), 0) << name.toStdString();
    }
}

} // namespace
} // namespace tarvel::test::rtp

namespace tarvel::test::rtp {
namespace {

// The movie is a plain AVI: RIFF sizes that add up, one 8-bit uncompressed video stream, as many
// frame chunks as the header promises, and an index entry for each.
TEST(RtpPackage, MovieIsAnUncompressedAviWithAnIndex) {
    QStringList movies = PackageNames("Movie", "avi");
    ASSERT_FALSE(movies.isEmpty());
    for (const QString& name : movies) {
        QByteArray b = ReadFile(PackageFile("Movie", name, "avi"));
        auto le32 = [&](int i) {
            return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData() + i));
        };
        auto le16 = [&](int i) {
            return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(b.constData() + i));
        };
        ASSERT_EQ(b.left(4), "RIFF");
        ASSERT_EQ(b.mid(8, 4), "AVI ");
        ASSERT_EQ(int(le32(4)), b.size() - 8);
        uint32_t declaredFrames = 0, frames = 0, indexEntries = 0, width = 0, height = 0, frameBytes = 0;
        int bits = 0, compression = -1;
        // Walk the chunk tree; lists are entered.
        std::function<void(int, int)> walk = [&](int pos, int end) {
            while (pos + 8 <= end) {
                QByteArray id = b.mid(pos, 4);
                int len = int(le32(pos + 4));
                ASSERT_LE(pos + 8 + len, end) << id.toStdString();
                if (id == "LIST")
                    walk(pos + 12, pos + 8 + len);
                else if (id == "avih")
                    declaredFrames = le32(pos + 8 + 16), width = le32(pos + 8 + 32),
                    height = le32(pos + 8 + 36);
                else if (id == "strf")
                    bits = le16(pos + 8 + 14), compression = int(le32(pos + 8 + 16));
                else if (id == "00db")
                    ++frames, frameBytes = uint32_t(len);
                else if (id == "idx1")
                    indexEntries = uint32_t(len) / 16;
                pos += 8 + len + (len & 1);
            }
        };
        walk(12, b.size());
        EXPECT_GT(declaredFrames, 0u);
        EXPECT_EQ(frames, declaredFrames);
        EXPECT_EQ(indexEntries, frames);
        EXPECT_EQ(bits, 8);
        EXPECT_EQ(compression, 0);
        EXPECT_EQ(frameBytes, ((width + 3) & ~3u) * height);
    }
}

} // namespace
} // namespace tarvel::test::rtp
