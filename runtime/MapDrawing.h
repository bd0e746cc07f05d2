#pragma once

#include "data/LD_ChipSet.h"
#include "data/LD_Map.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PrismSheet.h"

namespace tarvel::runtime {

// Draws the map as the map view does (panorama, lower and upper layer, through the map editor's
// cell painter), the view's top-left at map pixel (viewX, viewY) and 16 pixels a cell.
void DrawMapCells(TPrismBoard& board, TQelMap& map, int viewX, int viewY);

// Draws again, over the characters, the upper chips that the chipset marks to be drawn above them
// (the square of the upper passability: tree tops, arches). This is a rule of play the editor's
// view has no need of.
void DrawChipsAboveCharacters(TPrismBoard& board, const TQelMap& map, TQelChipSetGraphic& chips,
                              const TQelChipSetItem* chipSetRecord, int viewX, int viewY);

} // namespace tarvel::runtime
