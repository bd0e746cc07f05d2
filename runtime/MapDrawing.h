#pragma once

#include "data/LD_ChipSet.h"
#include "data/LD_Map.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PrismSheet.h"

namespace tarvel::runtime {

// Which chips of a map a pass draws: the lower layer, the upper chips that stand below the
// characters, or those drawn above them (the square mark of the chipset's upper passability).
enum class TLayerPart { Lower, UpperBelow, UpperAbove };

// Draws the cells of one layer part that the view (its top-left map pixel at viewX, viewY, the
// size of the board) shows, each through the chipset renderer's DrawChip at 16 x 16. Looping maps
// wrap; cells outside a map that does not loop are left as they are.
//
// The viewer's own small loop over the cells, kept apart from the rest of the viewer: the map
// editor's drawing code is not shared yet, and when it is, this is the one function to replace.
void DrawMapLayer(TPrismBoard& board, const TQelMap& map, TQelChipSetGraphic& chips,
                  const TQelChipSetItem* chipSetRecord, int viewX, int viewY, int time, TLayerPart part);

} // namespace tarvel::runtime
