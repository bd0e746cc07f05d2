#include <gtest/gtest.h>

#include "BytesHelper.h"
#include "data/ChipSetEditRules.h"

using namespace tarvel;
using namespace tarvel::test;

TEST(ChipSetEditRules, PaletteCellsShowTheirChips) {
    struct Case {
        bool upper;
        int cell;
        int chip;
    } cases[] = {
        {false, 0, 49},     {false, 1, 1049}, {false, 2, 2049},  {false, 3, 3000},
        {false, 5, 3100},   {false, 6, 4049}, {false, 17, 4599}, {false, 18, 5000},
        {false, 161, 5143}, {true, 0, 10000}, {true, 47, 10047}, {true, 143, 10143},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChipSetPaletteChip(c.upper, c.cell), c.chip) << c.upper << " " << c.cell;
}

// The states a chip passes through when one button is clicked again and again, per kind of cell:
// the ground autotiles of rows 1 and 2 of the lower palette have the star, no other chip has.
TEST(ChipSetEditRules, BlockPassCyclesPerRowKind) {
    const int circle = 0x0F, cross = 0x00, square = 0x1F, star = 0x30;
    struct Case {
        bool upper;
        int cell;
        bool left;
        std::vector<int> states;
    } cases[] = {
        {false, 6, true, {circle, cross, square, star, circle}},
        {false, 17, true, {circle, cross, square, star, circle}},
        {false, 6, false, {circle, star, square, cross, circle}},
        {false, 5, true, {circle, cross, square, circle}},
        {false, 18, true, {circle, cross, square, circle}},
        {false, 161, false, {circle, square, cross, circle}},
        {true, 10, true, {circle, cross, square, circle}},
        {true, 10, false, {circle, square, cross, circle}},
    };
    for (const Case& c : cases) {
        const bool star = BlockPassHasStar(c.upper, c.cell);
        for (size_t i = 0; i + 1 < c.states.size(); ++i)
            EXPECT_EQ(StepBlockPass(c.states[i], c.left, star), c.states[i + 1])
                << (c.upper ? "upper " : "lower ") << c.cell << (c.left ? " left" : " right") << " from "
                << c.states[i];
    }
    // The counter flag and the states' marks.
    EXPECT_EQ(StepBlockPass(circle | ChipPass::Counter, true, false), cross | ChipPass::Counter);
    EXPECT_EQ(StepBlockPass(star | ChipPass::Counter, false, true), square | ChipPass::Counter);
    EXPECT_EQ(BlockPassMark(circle), TChipMark::Circle);
    EXPECT_EQ(BlockPassMark(ChipPass::Up), TChipMark::Circle);
    EXPECT_EQ(BlockPassMark(cross | ChipPass::Counter), TChipMark::Cross);
    EXPECT_EQ(BlockPassMark(square), TChipMark::Square);
    EXPECT_EQ(BlockPassMark(star), TChipMark::Star);
    // A reset chipset's empty upper chip (31) shows the square.
    EXPECT_EQ(BlockPassMark(31), TChipMark::Square);
    EXPECT_EQ(CounterMark(0x4F), TChipMark::Counter);
    EXPECT_EQ(CounterMark(0x0F), TChipMark::Dot);
}

TEST(ChipSetEditRules, QuarterUnderThePointCutsAlongTheDiagonals) {
    struct Case {
        int x, y, bit;
    } cases[] = {
        {16, 1, ChipPass::Up},    {1, 16, ChipPass::Left},   {30, 16, ChipPass::Right},
        {16, 30, ChipPass::Down}, {0, 0, ChipPass::Left},    {31, 0, ChipPass::Up},
        {0, 31, ChipPass::Left},  {31, 31, ChipPass::Down},  {16, 16, ChipPass::Down},
        {20, 10, ChipPass::Up},   {25, 10, ChipPass::Right}, {10, 10, ChipPass::Left},
        {16, 15, ChipPass::Up},   {15, 16, ChipPass::Left},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuarterUnderPoint(c.x, c.y), c.bit) << c.x << ", " << c.y;
}

TEST(ChipSetEditRules, TerrainDigitsStandCentredInTheCell) {
    struct Case {
        int terrain;
        int firstX;
        const char* digits;
    } cases[] = {
        {0, 0, ""}, {7, 12, "7"}, {42, 8, "42"}, {999, 4, "999"}, {1234, 0, "1234"}, {10005, 0, "0005"},
    };
    for (const Case& c : cases) {
        const TTerrainDigits d = TerrainDigits(c.terrain);
        EXPECT_EQ(d.digits, c.digits) << c.terrain;
        if (*c.digits) EXPECT_EQ(d.firstX, c.firstX) << c.terrain;
    }
}

TEST(ChipSetEditRules, SetToAllChangesTheLowerChipsOnly) {
    TQelChipSetItem chipSet(1);
    chipSet.SetUpperChipPass(3, 0x40);
    SetAllChipTerrain(chipSet, 2);
    for (int chip = 0; chip < LowerChipCount; ++chip)
        EXPECT_EQ(chipSet.ChipTerrain(chip), 2);
    EXPECT_EQ(chipSet.UpperChipPass(3), 0x40);
    // The table is written whole once it differs from a new chipset's: chunk 3, 324 bytes.
    const std::string hex = RecordHex(chipSet);
    EXPECT_EQ(hex.substr(0, 8), "03 82 44");
}
