// The chipsets follow the picture layout the renderer composes chips from.
#include <gtest/gtest.h>

#include <set>

#include "ChipPreview.h"
#include "ChipsetLayout.h"
#include "RtpCatalog.h"
#include "RtpTestSupport.h"

namespace tarvel::test::rtp {
namespace {

using tarvel::rtp::IndexedImage;
namespace chips = tarvel::rtp::chips;

std::vector<std::pair<QString, IndexedImage>> chipsets() {
    std::vector<std::pair<QString, IndexedImage>> out;
    for (const QString& name : PackageNames("ChipSet", "png"))
        out.push_back({name, LoadPicture(PackageFile("ChipSet", name, "png"))});
    return out;
}

TEST(RtpChipsets, PaletteFormsOfTheTwelveAutotilesAreDistinct) {
    for (const auto& [name, img] : chipsets()) {
        for (int i = 0; i < 12; ++i)
            for (int j = i + 1; j < 12; ++j) {
                chips::Unit a = chips::AutotileOrigin(i), b = chips::AutotileOrigin(j);
                EXPECT_FALSE(SameCells(img, a.x * 8, a.y * 8, img, b.x * 8, b.y * 8, 16, 16))
                    << name.toStdString() << ": autotiles " << i << " and " << j;
            }
    }
}

TEST(RtpChipsets, NoAutotileLinksToAnotherByAccident) {
    // The renderer links autotile i to the first autotile whose palette form has the pixels of
    // i's link cell; that must never be another autotile.
    for (const auto& [name, img] : chipsets())
        for (int i = 0; i < 12; ++i) {
            chips::Unit o = chips::AutotileOrigin(i);
            for (int j = 0; j < 12; ++j) {
                if (j == i) continue;
                chips::Unit p = chips::AutotileOrigin(j);
                EXPECT_FALSE(SameCells(img, (o.x + 2) * 8, o.y * 8, img, p.x * 8, p.y * 8, 16, 16))
                    << name.toStdString() << ": autotile " << i << " links to " << j;
            }
        }
}

TEST(RtpChipsets, PaletteFormIsTheAutotilePaintedAlone) {
    // Placing a palette form on its own gives variant 46; composed from the 3 x 3 patch's corners
    // it must look like the palette form, or the chip palette shows something the map never does.
    for (const auto& [name, img] : chipsets())
        for (int slot = 0; slot < 12; ++slot) {
            IndexedImage composed(16, 16);
            tarvel::rtp::DrawPreviewChip(img, 4000 + 50 * slot + 46, 0, 0, composed, 0, 0, false);
            chips::Unit o = chips::AutotileOrigin(slot);
            EXPECT_TRUE(SameCells(composed, 0, 0, img, o.x * 8, o.y * 8, 16, 16))
                << name.toStdString() << " slot " << slot;
        }
}

TEST(RtpChipsets, LowerLayerAreasAreOpaqueAndTheEmptyUpperChipIsTransparent) {
    for (const auto& [name, img] : chipsets()) {
        SCOPED_TRACE(name.toStdString());
        // Water, animated chips, autotiles: x 0..191; plain lower chips: x 192..287 and the upper
        // half of x 288..383. The lower layer is drawn without transparency, so index 0 there would
        // show the key colour on the map.
        EXPECT_EQ(CountZero(img, 0, 0, 288, 256), 0);
        EXPECT_EQ(CountZero(img, 288, 0, 96, 128), 0);
        chips::Unit empty = chips::UpperChipUnit(0);
        EXPECT_EQ(CountZero(img, empty.x * 8, empty.y * 8, 16, 16), 256);
        for (int i = 0; i < 144; ++i) {
            chips::Unit u = chips::LowerChipUnit(i);
            EXPECT_EQ(CountZero(img, u.x * 8, u.y * 8, 16, 16), 0) << "lower chip " << i;
        }
    }
}

TEST(RtpChipsets, WaterAndAnimatedChipsAnimate) {
    for (const auto& [name, img] : chipsets()) {
        SCOPED_TRACE(name.toStdString());
        chips::Unit centre = chips::WaterStateCell(0, chips::Quarter::Centre);
        EXPECT_FALSE(
            SameCells(img, centre.x * 8, centre.y * 8, img, centre.x * 8 + 16, centre.y * 8, 16, 16));
        EXPECT_FALSE(
            SameCells(img, centre.x * 8 + 16, centre.y * 8, img, centre.x * 8 + 32, centre.y * 8, 16, 16));
        for (int k = 0; k < 3; ++k) {
            chips::Unit a = chips::AnimatedOrigin(k);
            for (int f = 1; f < 4; ++f)
                EXPECT_FALSE(SameCells(img, a.x * 8, a.y * 8, img, a.x * 8, a.y * 8 + 16 * f, 16, 16))
                    << "animated " << k << " frame " << f;
        }
    }
}

TEST(RtpChipsets, ShorelinesJoinTheGroundTheyMeet) {
    // Water A's outside edge is the plain ground of its chipset (plain chip 0): the pixels of the
    // land band of an outer corner piece come from the same texture as that chip, so a lake cut
    // into plain ground shows no seam.
    for (const auto& [name, img] : chipsets()) {
        chips::Unit outer = chips::WaterStateCell(0, chips::Quarter::Outer);
        chips::Unit ground = chips::LowerChipUnit(0);
        EXPECT_TRUE(SameCells(img, outer.x * 8, outer.y * 8, img, ground.x * 8, ground.y * 8, 16, 1))
            << name.toStdString();
        EXPECT_TRUE(SameCells(img, outer.x * 8, outer.y * 8, img, ground.x * 8, ground.y * 8, 1, 16))
            << name.toStdString();
    }
}

TEST(RtpChipsets, EveryFamilyAndChipIsNamedWithAKnownTerrain) {
    std::set<std::string> terrains;
    for (const auto& t : tarvel::rtp::catalog::Terrains())
        terrains.insert(t.name);
    for (const auto& entry : tarvel::rtp::catalog::Chipsets()) {
        tarvel::rtp::ChipsetInfo info = entry.make();
        SCOPED_TRACE(info.name);
        ASSERT_EQ(info.lowerNames.size(), 162u);
        ASSERT_EQ(info.upperNames.size(), 144u);
        std::set<std::string> seen;
        for (int i = 0; i < 162; ++i) {
            EXPECT_FALSE(info.lowerNames[i].empty()) << "lower family " << i;
            EXPECT_TRUE(terrains.count(info.lowerTerrain[i]))
                << info.lowerNames[i] << ": " << info.lowerTerrain[i];
            EXPECT_TRUE(seen.insert(info.lowerNames[i]).second) << "duplicate name " << info.lowerNames[i];
        }
        EXPECT_EQ(info.upperNames[0], "Empty");
        // The picture the generator wrote is the one these names describe.
        IndexedImage file = LoadPicture(PackageFile("ChipSet", QString::fromStdString(info.name), "png"));
        EXPECT_TRUE(SameCells(file, 0, 0, info.image, 0, 0, 480, 256));
    }
}

} // namespace
} // namespace tarvel::test::rtp
