#pragma once

// The small pictures the database editors print over chips and animation cells, drawn by code
// into 256-colour sheets with index 0 transparent:
// - the chip mark sheet (80 x 48): the digits 0..9 (8 x 16 each, x = d x 8, y 0) that print
//   terrain numbers, and ten 16 x 16 marks from y 16 on (mark m at x = (m mod 5) x 16,
//   y = 16 + (m div 5) x 16): circle, cross, square, star, counter, the arrows down, left, right
//   and up, and the dot. The highlighted sheet has the same layout in the colour of the cell under
//   the mouse.
// - the cell-number sheet (128 x 48): for cell i (0..7) a 16 x 16 number at x = 16 i, its normal
//   look on row y 0, selected at y 16, and as the ghost of the previous frame at y 32.

#include "PrismSheet.h"

namespace tarvel {

constexpr int ChipMarkSheetWidth = 80;
constexpr int ChipMarkSheetHeight = 48;
constexpr int ChipMarkSize = 16;
constexpr int ChipDigitWidth = 8;
constexpr int ChipDigitHeight = 16;

// Where digit d (0..9) and mark m (0..9) lie in the chip mark sheet.
TRect ChipDigitRect(int d);
TRect ChipMarkRect(int m);
// Sizes the sheet, draws the digits and marks (normal or highlighted colours) and makes it
// transparent.
void DrawChipMarkSheet(TPrismSheet& sheet, bool highlighted);

constexpr int CellNumberSheetWidth = 128;
constexpr int CellNumberSheetHeight = 48;
constexpr int CellNumberSize = 16;
enum class TCellNumberLook { Normal = 0, Selected = 1, Ghost = 2 };
TRect CellNumberRect(int cell, TCellNumberLook look);
void DrawCellNumberSheet(TPrismSheet& sheet);

} // namespace tarvel
