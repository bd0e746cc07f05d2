#pragma once

#include <functional>
#include <vector>

#include "ChipsetPainter.h"

namespace tarvel::rtp {

// Helpers that draw repeating 16 x 16 textures and small objects for chipsets.
namespace tiles {

// Points spread over a 16 x 16 tile (repeating), at least minDist apart, chosen by a seed.
std::vector<Pt> Scatter(int count, float minDist, uint32_t seed, int size = 16);

// A tile whose every pixel is ramp levels of noise, dithered between two levels around base.
Tile NoiseTile(Ramp ramp, float base, float spread, int cell, uint32_t seed);

// Draws into a tile through a 48 x 48 canvas of nine copies, so shapes that cross the edge wrap.
Tile WrapDraw(const Tile& background, const std::function<void(IndexedImage& canvas, int ox, int oy)>& draw);

// Stones of a cobbled or paved surface: each pixel is mortar or a stone lit from the upper left.
Tile Cobbles(Ramp stone, uint8_t mortar, int seeds, uint32_t seed, float jitter = 1.0f);

// Rectangular bricks or flagstones (rows of height h, bricks of width w, every other row shifted).
Tile Bricks(Ramp ramp, uint8_t mortar, int w, int h, uint32_t seed);

// Copies a tile into a 16 x 16 chip at pixel (px, py).
void Stamp(IndexedImage& img, int px, int py, const Tile& tile);

} // namespace tiles
} // namespace tarvel::rtp
