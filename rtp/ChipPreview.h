#pragma once

#include <vector>

#include "IndexedImage.h"

namespace tarvel::rtp {

// A small stand-in for the editor's chip renderer and auto-connection, used to preview the
// generated chipsets on sample maps (contact sheets) and by the tests of the chipset layout.

// Draws chip number at (dx, dy) of dest (same palette as the chipset). waterStep is the water
// animation column (0..2), animFrame the frame of the animated chips (0..3).
void DrawPreviewChip(const IndexedImage& chipset, int number, int waterStep, int animFrame,
                     IndexedImage& dest, int dx, int dy, bool transparent);

// The chip family of a number and the base number of a family (kinds 0..161 of the lower layer).
int ChipKindOf(int number);
int KindBaseChip(int kind);

// Turns a layer of chip families (kind per cell, -1 none) into connected chip numbers: water and
// autotiles take the variant their eight neighbours ask for, water the junction bits next to deep
// water. Cells outside the map count as connected.
std::vector<int> ConnectLayer(const std::vector<int>& kinds, int width, int height);

} // namespace tarvel::rtp
