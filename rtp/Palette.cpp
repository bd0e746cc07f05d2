#include "Palette.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tarvel::rtp {

namespace {
const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

float clamp01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}
} // namespace

float BayerThreshold(int x, int y) {
    return (kBayer[y & 3][x & 3] + 0.5f) / 16.0f;
}

uint8_t Ramp::Shade(float v) const {
    int level = int(std::lround(clamp01(v) * (count - 1)));
    return (*this)[level];
}

uint8_t Ramp::Dither(float v, int x, int y) const {
    float scaled = clamp01(v) * (count - 1);
    int base = int(std::floor(scaled));
    float frac = scaled - base;
    return (*this)[frac > BayerThreshold(x, y) ? base + 1 : base];
}

Rgb Mix(Rgb a, Rgb b, float t) {
    t = clamp01(t);
    auto m = [t](uint8_t p, uint8_t q) { return uint8_t(std::lround(p + (q - p) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Rgb FromHsv(float hue, float sat, float val) {
    hue = std::fmod(hue, 360.0f);
    if (hue < 0) hue += 360.0f;
    sat = clamp01(sat);
    val = clamp01(val);
    float c = val * sat;
    float x = c * (1 - std::fabs(std::fmod(hue / 60.0f, 2.0f) - 1));
    float m = val - c;
    float r = 0, g = 0, b = 0;
    if (hue < 60)
        r = c, g = x;
    else if (hue < 120)
        r = x, g = c;
    else if (hue < 180)
        g = c, b = x;
    else if (hue < 240)
        g = x, b = c;
    else if (hue < 300)
        r = x, b = c;
    else
        r = c, b = x;
    return {uint8_t(std::lround((r + m) * 255)), uint8_t(std::lround((g + m) * 255)),
            uint8_t(std::lround((b + m) * 255))};
}

void ToHsv(Rgb c, float& hue, float& sat, float& val) {
    float r = c.r / 255.0f, g = c.g / 255.0f, b = c.b / 255.0f;
    float mx = std::max({r, g, b}), mn = std::min({r, g, b});
    float d = mx - mn;
    val = mx;
    sat = mx > 0 ? d / mx : 0;
    if (d <= 0) {
        hue = 0;
    } else if (mx == r) {
        hue = 60 * std::fmod((g - b) / d, 6.0f);
    } else if (mx == g) {
        hue = 60 * ((b - r) / d + 2);
    } else {
        hue = 60 * ((r - g) / d + 4);
    }
    if (hue < 0) hue += 360;
}

PaletteBuilder::PaletteBuilder(Rgb key) {
    mColours.push_back(key);
    mRampOfIndex.push_back(Ramp{0, 1});
}

uint8_t PaletteBuilder::Add(Rgb colour) {
    if (mColours.size() >= 256) throw std::runtime_error("palette full");
    mColours.push_back(colour);
    uint8_t index = uint8_t(mColours.size() - 1);
    mRampOfIndex.push_back(Ramp{index, 1});
    return index;
}

Ramp PaletteBuilder::AddRampThrough(const std::vector<Rgb>& stops, int count) {
    if (mColours.size() + count > 256) throw std::runtime_error("palette full");
    Ramp ramp{uint8_t(mColours.size()), uint8_t(count)};
    for (int i = 0; i < count; ++i) {
        float t = count == 1 ? 0 : float(i) / (count - 1) * (stops.size() - 1);
        int s = std::min(int(t), int(stops.size()) - 2);
        Rgb c = stops.size() == 1 ? stops[0] : Mix(stops[s], stops[s + 1], t - s);
        mColours.push_back(c);
        mRampOfIndex.push_back(ramp);
    }
    return ramp;
}

Ramp PaletteBuilder::AddRamp(Rgb middle, int count, float contrast) {
    float h, s, v;
    ToHsv(middle, h, s, v);
    // Lights lean towards yellow (60 degrees), shadows away from it, by up to 24 degrees.
    float towardsYellow = 60.0f - h;
    while (towardsYellow > 180)
        towardsYellow -= 360;
    while (towardsYellow < -180)
        towardsYellow += 360;
    float shift = std::clamp(towardsYellow, -24.0f, 24.0f) * (s > 0.08f ? 1.0f : 0.0f);
    std::vector<Rgb> stops;
    for (int i = 0; i < count; ++i) {
        float t = count == 1 ? 0 : (float(i) / (count - 1)) * 2 - 1; // -1 dark .. 1 light
        t *= contrast;
        float hh = h + shift * t * 0.8f;
        float ss = s * (t < 0 ? 1 - 0.15f * t : 1 - 0.45f * t);
        float vv = t < 0 ? v * (1 + 0.62f * t) : v + (1 - v) * 0.75f * t;
        stops.push_back(FromHsv(hh, std::min(1.0f, ss), vv));
    }
    return AddRampThrough(stops, count);
}

Ramp PaletteBuilder::RampOf(uint8_t index) const {
    if (index < mRampOfIndex.size()) return mRampOfIndex[index];
    return Ramp{index, 1};
}

Palette256 PaletteBuilder::Build() const {
    Palette256 palette{};
    for (size_t i = 0; i < mColours.size(); ++i)
        palette[i] = mColours[i];
    return palette;
}

} // namespace tarvel::rtp
