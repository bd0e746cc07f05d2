#include <gtest/gtest.h>

#include <set>

#include "graphics/EditorMarks.h"

using namespace tarvel;

namespace {

// The opaque pixels of a part of a sheet, as offsets within the part.
std::set<std::pair<int, int>> shape(const TPrismSheet& sheet, const TRect& part) {
    std::set<std::pair<int, int>> pixels;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x)
            if (sheet.Row(y)[x] != 0) pixels.insert({x - part.left, y - part.top});
    return pixels;
}

// The pixels of a part of a sheet, row by row.
std::vector<uint8_t> pixels(const TPrismSheet& sheet, const TRect& part) {
    std::vector<uint8_t> out;
    for (int y = part.top; y < part.bottom; ++y)
        out.insert(out.end(), sheet.Row(y) + part.left, sheet.Row(y) + part.right);
    return out;
}

} // namespace

TEST(EditorMarks, ChipMarkSheetLayout) {
    TPrismSheet normal, hot;
    DrawChipMarkSheet(normal, false);
    DrawChipMarkSheet(hot, true);
    ASSERT_EQ(normal.Width(), 80);
    ASSERT_EQ(normal.Height(), 48);
    EXPECT_TRUE(normal.Transparent());
    EXPECT_EQ(ChipDigitRect(7), Bounds(56, 0, 8, 16));
    EXPECT_EQ(ChipMarkRect(0), Bounds(0, 16, 16, 16));
    EXPECT_EQ(ChipMarkRect(7), Bounds(32, 32, 16, 16));
    EXPECT_EQ(ChipMarkRect(9), Bounds(64, 32, 16, 16));

    // Every digit and mark is a picture of its own, of the same shape in both sheets but in
    // other colours.
    std::set<std::vector<uint8_t>> seen;
    std::vector<TRect> parts;
    for (int d = 0; d < 10; ++d)
        parts.push_back(ChipDigitRect(d));
    for (int m = 0; m < 10; ++m)
        parts.push_back(ChipMarkRect(m));
    for (const TRect& part : parts) {
        EXPECT_FALSE(shape(normal, part).empty()) << part.left << ", " << part.top;
        EXPECT_TRUE(seen.insert(pixels(normal, part)).second) << part.left << ", " << part.top;
        EXPECT_EQ(shape(normal, part), shape(hot, part)) << part.left << ", " << part.top;
        EXPECT_NE(pixels(normal, part), pixels(hot, part)) << part.left << ", " << part.top;
    }

    // The four direction marks of a cell (down, left, right, up at their places, arrow or dot)
    // never cover one another, so each shows whole.
    const std::pair<int, int> places[4] = {{8, 16}, {0, 8}, {16, 8}, {8, 0}};
    for (int combination = 0; combination < 16; ++combination) {
        std::set<std::pair<int, int>> covered;
        for (int i = 0; i < 4; ++i) {
            const int mark = (combination >> i & 1) ? 5 + i : 9;
            for (auto [x, y] : shape(normal, ChipMarkRect(mark)))
                EXPECT_TRUE(covered.insert({x + places[i].first, y + places[i].second}).second)
                    << "combination " << combination << " mark " << mark;
        }
    }
}

TEST(EditorMarks, CellNumberSheetLayout) {
    TPrismSheet numbers;
    DrawCellNumberSheet(numbers);
    ASSERT_EQ(numbers.Width(), 128);
    ASSERT_EQ(numbers.Height(), 48);
    EXPECT_EQ(CellNumberRect(3, TCellNumberLook::Ghost), Bounds(48, 32, 16, 16));
    // Each cell's number differs from the others, and each look of it differs from the others.
    std::set<std::vector<uint8_t>> seen;
    for (int look = 0; look < 3; ++look)
        for (int cell = 0; cell < 8; ++cell) {
            EXPECT_TRUE(seen.insert(pixels(numbers, CellNumberRect(cell, TCellNumberLook(look)))).second)
                << "cell " << cell << " look " << look;
        }
}
