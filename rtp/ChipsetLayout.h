#pragma once

#include <array>

namespace tarvel::rtp::chips {

// Where everything lies in a chipset picture of 480 x 256 pixels. Positions are in 8-pixel units;
// a 16 x 16 chip is 2 x 2 units. The renderer composes water and ground autotiles from 8 x 8
// quarters taken from these places, so the generator, the preview and the tests share them.
constexpr int kWidth = 480;
constexpr int kHeight = 256;
constexpr int kAutotiles = 12;
constexpr int kPlainChips = 144;

struct Unit {
    int x = 0, y = 0;
    bool operator==(const Unit& o) const { return x == o.x && y == o.y; }
};

// Block origin of ground autotile slot 0..11 (chip numbers 4000 + 50 x slot).
Unit AutotileOrigin(int slot);
// Column of animated chip 0..2 (chip numbers 3000, 3050, 3100): four 16 x 16 frames downwards.
Unit AnimatedOrigin(int k);
// Cell of plain lower chip 0..143 (chip numbers 5000..5143).
Unit LowerChipUnit(int index);
// Cell of upper chip 0..143 (chip numbers 10000..10143); upper chip 0 is the empty cell.
Unit UpperChipUnit(int index);

// Inside a ground autotile block (units relative to the origin).
constexpr Unit kPaletteForm{0, 0};
constexpr Unit kLinkCell{2, 0};
constexpr Unit kInnerCorners{4, 0};
constexpr Unit kPatch{0, 2}; // 3 x 3 cells of 16 x 16 from here to (5, 7)

// The states a quarter of a composed chip can be in.
enum class Quarter { Centre, Inner, Vertical, Horizontal, Outer, Palette };

// Quarters in drawing order: top-left, top-right, bottom-left, bottom-right.
using QuarterStates = std::array<Quarter, 4>;
using QuarterSources = std::array<Unit, 4>;

// For variants 0..49: the state of each quarter and, for ground autotiles, its source relative
// to the block origin.
const QuarterStates& VariantStates(int variant);
const QuarterSources& GroundVariantSources(int variant);

// Water kinds 0 (water A), 1 (water B), 2 (deep water): the 2 x 2 unit cell that holds the
// quarters of a state in animation frame 0 (frames 1 and 2 lie 2 and 4 units to the right), and
// the cell of the junction piece that a mask bit selects.
Unit WaterStateCell(int kind, Quarter state);
Unit WaterJunctionCell(int kind);

// The variant of a neighbour mask (bits: 1 top-left, 2 top-right, 4 bottom-right, 8 bottom-left,
// 16 left, 32 top, 64 right, 128 bottom; a set bit is a neighbour that does not connect).
int MaskToVariant(int mask);

} // namespace tarvel::rtp::chips
