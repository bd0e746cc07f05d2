#pragma once

// The rules of the chipset editor that need no window: which chip each palette cell shows, how a
// click steps a chip's passability, which quarter of a cell the pointer is in, and which marks
// the palette prints over a chip for its terrain, passability and counter flag.

#include <string>

#include "LD_ChipSet.h"

namespace tarvel {

// The bits of a passability byte as the chipset editor shows them.
namespace ChipPass {
constexpr int Down = 0x01;
constexpr int Left = 0x02;
constexpr int Right = 0x04;
constexpr int Up = 0x08;
constexpr int Directions = 0x0F;
constexpr int Square = 0x10;
constexpr int Star = 0x20;
constexpr int Counter = 0x40;
} // namespace ChipPass

// The marks of the mark sheets, by their place in the sheet.
enum class TChipMark {
    Circle = 0,  // passable
    Cross = 1,   // blocked
    Square = 2,  // bit 0x10 set
    Star = 3,    // bit 0x20 set
    Counter = 4, // the counter flag is on
    ArrowDown = 5,
    ArrowLeft = 6,
    ArrowRight = 7,
    ArrowUp = 8,
    Dot = 9, // a closed direction, or the counter flag off
};
constexpr int ChipMarkCount = 10;

// The chipset editor's palettes: 6 cells a row, 27 rows of lower chips and 24 of upper chips.
constexpr int ChipPaletteColumns = 6;
constexpr int LowerPaletteRows = 27;
constexpr int UpperPaletteRows = 24;
// Cells are drawn at twice a chip's size.
constexpr int ChipPaletteCell = 32;

// The chip number a palette cell (column + row x 6) shows: the palette forms of the water,
// animated and autotile chips, then the plain chips; on the upper palette the upper chips.
int ChipSetPaletteChip(bool upper, int cell);

// Only the lower chips of palette rows 1 and 2 (the ground autotiles) have the star state.
bool BlockPassHasStar(bool upper, int cell);
// One click of "Block Pass": the left button steps circle -> cross -> square (-> star) -> circle,
// the right button the other way round. Bits outside the four directions, the square and the star
// are kept.
int StepBlockPass(int value, bool leftButton, bool starAllowed);
// The mark "Block Pass" shows for a passability byte.
TChipMark BlockPassMark(int value);
// The mark "Context counter" shows.
TChipMark CounterMark(int value);

// The direction bit of the quarter of a 32-pixel cell that a point (0..31 within the cell) lies
// in: the cell is cut along its two diagonals.
int QuarterUnderPoint(int px, int py);

// The four direction marks of "Pass 4 Dir.": where in the cell each stands and what it shows.
struct TDirectionMark {
    int bit;
    int dx, dy;      // from the cell's top-left
    TChipMark arrow; // shown while the direction is open, else the dot
};
extern const TDirectionMark DirectionMarks[4];

// How a terrain number is printed in a cell: its digits (8 pixels apart) from x = firstX on the
// row 8 pixels below the cell top. Terrain 0 prints nothing; a number of more than four digits
// prints its last four.
struct TTerrainDigits {
    int firstX = 0;
    std::string digits;
};
TTerrainDigits TerrainDigits(int terrain);

// "Set to All...": every lower chip stands on the terrain (upper chips have none).
void SetAllChipTerrain(TQelChipSetItem& chipSet, int terrainID);

} // namespace tarvel
