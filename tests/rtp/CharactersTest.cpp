// Character and face sets: every frame drawn, backgrounds transparent, characters told apart.
#include <QFile>
#include <gtest/gtest.h>

#include "RtpTestSupport.h"

namespace tarvel::test::rtp {
namespace {

using tarvel::rtp::IndexedImage;

int frameX(int c, int p) {
    return (c % 4) * 72 + p * 24;
}
int frameY(int c, int d) {
    return (c / 4) * 128 + d * 32;
}

int differingPixels(const IndexedImage& img, int ax, int ay, int bx, int by, int w, int h) {
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            n += img.At(ax + x, ay + y) != img.At(bx + x, by + y);
    return n;
}

TEST(RtpCharacters, EveryCharacterHasTwelveFramesOnATransparentBackground) {
    for (const QString& name : PackageNames("CharSet", "png")) {
        IndexedImage img = LoadPicture(PackageFile("CharSet", name, "png"));
        for (int c = 0; c < 8; ++c)
            for (int d = 0; d < 4; ++d)
                for (int p = 0; p < 3; ++p) {
                    int x = frameX(c, p), y = frameY(c, d);
                    int empty = CountZero(img, x, y, 24, 32);
                    EXPECT_LT(empty, 24 * 32 - 40)
                        << name.toStdString() << " char " << c << " dir " << d << " pattern " << p;
                    EXPECT_GT(empty, 24 * 32 / 8)
                        << name.toStdString() << " char " << c << " dir " << d << " pattern " << p;
                    // A sprite never touches the frame's top corners, so neighbours never bleed.
                    EXPECT_EQ(img.At(x, y), 0);
                    EXPECT_EQ(img.At(x + 23, y), 0);
                }
    }
}

TEST(RtpCharacters, CharactersOfASetLookDifferentAndWalk) {
    for (const QString& name : PackageNames("CharSet", "png")) {
        IndexedImage img = LoadPicture(PackageFile("CharSet", name, "png"));
        for (int a = 0; a < 8; ++a)
            for (int b = a + 1; b < 8; ++b)
                EXPECT_GT(
                    differingPixels(img, frameX(a, 1), frameY(a, 2), frameX(b, 1), frameY(b, 2), 24, 32), 60)
                    << name.toStdString() << ": characters " << a << " and " << b;
        bool people = name.startsWith("Hero") || name.startsWith("People");
        if (!people) continue;
        // Walking frames differ from the standing frame in every direction.
        for (int c = 0; c < 8; ++c)
            for (int d = 0; d < 4; ++d)
                for (int p : {0, 2})
                    EXPECT_GT(
                        differingPixels(img, frameX(c, p), frameY(c, d), frameX(c, 1), frameY(c, d), 24, 32),
                        3)
                        << name.toStdString() << " char " << c << " dir " << d;
    }
}

TEST(RtpCharacters, FaceSetsMatchTheirCharacterSetsWithTwoExpressions) {
    for (const QString& name : PackageNames("FaceSet", "png")) {
        EXPECT_TRUE(QFile::exists(PackageFile("CharSet", name, "png")))
            << name.toStdString() << " has no character set";
        IndexedImage img = LoadPicture(PackageFile("FaceSet", name, "png"));
        for (int i = 0; i < 8; ++i) {
            int x = (i % 4) * 48, y = (i / 4) * 48, sx = ((i + 8) % 4) * 48, sy = ((i + 8) / 4) * 48;
            EXPECT_LT(CountZero(img, x, y, 48, 48), 48 * 48 * 2 / 3) << name.toStdString() << " face " << i;
            EXPECT_EQ(img.At(x, y), 0);
            // The smiling face is the same face: only the mouth, brows and cheeks change.
            int changed = differingPixels(img, x, y, sx, sy, 48, 48);
            EXPECT_GT(changed, 4) << name.toStdString() << " face " << i;
            EXPECT_LT(changed, 120) << name.toStdString() << " face " << i;
        }
    }
}

} // namespace
} // namespace tarvel::test::rtp
