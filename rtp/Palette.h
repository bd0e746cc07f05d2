#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "IndexedImage.h"

namespace tarvel::rtp {

// A run of palette entries from dark (level 0) to light (level count - 1). Every shaded surface
// of the package is drawn in levels of one ramp, so a picture keeps a small, coherent palette.
struct Ramp {
    uint8_t first = 0;
    uint8_t count = 1;

    uint8_t operator[](int level) const {
        if (level < 0) level = 0;
        if (level >= count) level = count - 1;
        return uint8_t(first + level);
    }
    uint8_t Darkest() const { return first; }
    uint8_t Lightest() const { return uint8_t(first + count - 1); }
    bool Holds(uint8_t index) const { return index >= first && index < first + count; }
    // The level nearest to v (0 dark .. 1 light).
    uint8_t Shade(float v) const;
    // v spread over the levels with an ordered 4 x 4 dither, so gradients stay smooth.
    uint8_t Dither(float v, int x, int y) const;
};

// The threshold (0..1) of the ordered 4 x 4 dither at a pixel.
float BayerThreshold(int x, int y);

Rgb Mix(Rgb a, Rgb b, float t);
Rgb FromHsv(float hue, float sat, float val);
void ToHsv(Rgb c, float& hue, float& sat, float& val);

// Builds a picture's palette ramp by ramp. Entry 0 is the transparent key colour.
class PaletteBuilder {
public:
    explicit PaletteBuilder(Rgb key = {0, 0, 0});

    // A ramp around a middle colour: shadows drift towards blue and gain saturation, lights drift
    // towards yellow and lose it, as painters shade.
    Ramp AddRamp(Rgb middle, int count, float contrast = 1.0f);
    // A ramp through given colours, interpolated to count entries.
    Ramp AddRampThrough(const std::vector<Rgb>& stops, int count);
    uint8_t Add(Rgb colour);

    int Used() const { return int(mColours.size()); }
    // The ramp an entry belongs to (a single-entry ramp for loose colours and the key).
    Ramp RampOf(uint8_t index) const;
    Palette256 Build() const;

private:
    std::vector<Rgb> mColours;
    std::vector<Ramp> mRampOfIndex;
};

} // namespace tarvel::rtp
