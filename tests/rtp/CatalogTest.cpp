// Every name the catalog hands to the template database is material the package holds.
#include <QFile>
#include <gtest/gtest.h>

#include <set>

#include "RtpCatalog.h"
#include "RtpTestSupport.h"

namespace tarvel::test::rtp {
namespace {

using namespace tarvel::rtp::catalog;

bool has(const char* folder, const char* name, const char* ext = "png") {
    return QFile::exists(PackageFile(folder, name, ext));
}

TEST(RtpCatalog, NamesMaterialThatExists) {
    for (const Hero& h : Heroes()) {
        EXPECT_TRUE(has("CharSet", h.charSet)) << h.name;
        EXPECT_TRUE(has("FaceSet", h.faceSet)) << h.name;
        EXPECT_GE(h.charIndex, 0);
        EXPECT_LT(h.charIndex, 8);
        EXPECT_LT(h.faceIndex, 8);
    }
    for (const Vehicle& v : Vehicles())
        EXPECT_TRUE(has("CharSet", v.charSet)) << v.slot;
    for (const Terrain& t : Terrains())
        EXPECT_TRUE(has("Backdrop", t.backdrop)) << t.name;
    for (const Monster& m : Monsters())
        EXPECT_TRUE(has("Monster", m.graphic)) << m.name;
    for (const Chipset& c : Chipsets())
        EXPECT_TRUE(has("ChipSet", c.name)) << c.name;
    EXPECT_TRUE(has("Title", kTitle));
    EXPECT_TRUE(has("GameOver", kGameOver));
    EXPECT_TRUE(has("System", kSystem));
    EXPECT_EQ(SystemMusic().size(), 8u);
    EXPECT_EQ(SystemMusic().front().chunk, 31);
    EXPECT_EQ(SystemSounds().front().chunk, 41);
    EXPECT_EQ(SystemSounds().back().chunk, 52);
}

TEST(RtpCatalog, AnimationCellsAreDrawnInTheirSheets) {
    for (const Animation& a : Animations()) {
        ASSERT_TRUE(has("Battle", a.sheet)) << a.name;
        tarvel::rtp::IndexedImage img = LoadPicture(PackageFile("Battle", a.sheet, "png"));
        EXPECT_LE(a.cells, img.Height() / 96 * 5) << a.name;
        for (int n = 0; n < a.cells; ++n)
            EXPECT_LT(CountZero(img, (n % 5) * 96, (n / 5) * 96, 96, 96), 96 * 96) << a.name << " cell " << n;
    }
}

TEST(RtpCatalog, HeroesAreDistinctPeople) {
    // Each hero has its own character slot, so the starting party never shows twins.
    std::set<std::pair<std::string, int>> taken;
    for (const Hero& h : Heroes())
        EXPECT_TRUE(taken.insert({h.charSet, h.charIndex}).second) << h.name;
}

} // namespace
} // namespace tarvel::test::rtp
