#pragma once

// A chipset picture drawn by code in the layout the chipset renderer reads, made to be looked at:
// water A, water B and deep water with foam edges, inner corners and junction pieces; three
// animated chips; twelve ground autotiles, each a palette form, a link cell, inner corners and a
// 3 x 3 patch with a rim; plain lower chips in families of colour; upper chips as objects on a
// transparent background (upper chip 0 and plain chip 143 are wholly transparent). Autotile 2
// (kind 7) links to autotile 1 (kind 6): its link cell shows kind 6's palette form.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graphics/Bitmap.h"
#include "graphics/Geometry.h"

namespace tarvel::test {

namespace sample {

enum : uint8_t {
    Back = 0, // palette colour 0, the transparent index
    WaterA = 1,
    WaterAWave = 2,
    Foam = 3,
    Deep = 4,
    DeepWave = 5,
    WaterB = 6,
    WaterBWave = 7,
    White = 8,
    Outline = 9,
    AutoFirst = 16,   // three entries per autotile: fill, rim, speck
    PlainFirst = 64,  // two entries per plain colour family (24 families)
    UpperFirst = 128, // two entries per upper colour (16 colours)
    Trunk = 170,
    AnimFirst = 192, // four entries per animated chip
};

inline TRGB hsv(double h, double s, double v) {
    h = std::fmod(h, 360.0);
    const double c = v * s, x = c * (1 - std::fabs(std::fmod(h / 60.0, 2) - 1)), m = v - c;
    double r = 0, g = 0, b = 0;
    if (h < 60)
        r = c, g = x;
    else if (h < 120)
        r = x, g = c;
    else if (h < 180)
        g = c, b = x;
    else if (h < 240)
        g = x, b = c;
    else if (h < 300)
        r = x, b = c;
    else
        r = c, b = x;
    return {uint8_t((r + m) * 255), uint8_t((g + m) * 255), uint8_t((b + m) * 255)};
}

inline void setColour(TBitmap& b, int index, TRGB c) {
    b.Palette()[size_t(index)] = {c.red, c.green, c.blue, 0};
}

inline void fill(TBitmap& b, int x, int y, int w, int h, uint8_t index) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            b.ScanLine(j)[i] = index;
}

// A 16 x 16 water cell with foam where the flags say: edges (left, top, right, bottom) as a band
// two pixels wide, inner corners as a 3 x 3 dot. frame shifts the waves.
inline void waterCell(TBitmap& b, int x0, int y0, uint8_t body, uint8_t wave, uint8_t edge, bool left,
                      bool top, bool right, bool bottom, bool corners, int frame) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint8_t c = ((x + 2 * y + 4 * frame) % 8 == 0 && y % 4 == 1) ? wave : body;
            if ((left && x < 2) || (top && y < 2) || (right && x > 13) || (bottom && y > 13)) c = edge;
            if (corners && (x < 3 || x > 12) && (y < 3 || y > 12)) c = edge;
            b.ScanLine(y0 + y)[x0 + x] = c;
        }
}

// A 16 x 16 cell of one colour whose four corners show another (junction pieces).
inline void cornerCell(TBitmap& b, int x0, int y0, uint8_t body, uint8_t corner, int frame) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = std::min(x, 15 - x), dy = std::min(y, 15 - y);
            uint8_t c = dx + dy < 5 ? corner : body;
            if (c == body && (x + y + 3 * frame) % 7 == 0 && y % 5 == 2) c = uint8_t(body + 1);
            b.ScanLine(y0 + y)[x0 + x] = c;
        }
}

inline void water(TBitmap& b) {
    for (int frame = 0; frame < 3; ++frame) {
        // Water A (x 0) and water B (x 48): outer, vertical, horizontal and inner pieces.
        for (int kind = 0; kind < 2; ++kind) {
            const int x = kind * 48 + frame * 16;
            const uint8_t body = kind ? WaterB : WaterA, wave = kind ? WaterBWave : WaterAWave;
            waterCell(b, x, 0, body, wave, Foam, true, true, true, true, false, frame);
            waterCell(b, x, 16, body, wave, Foam, true, false, true, false, false, frame);
            waterCell(b, x, 32, body, wave, Foam, false, true, false, true, false, frame);
            waterCell(b, x, 48, body, wave, Foam, false, false, false, false, true, frame);
        }
        const int x = frame * 16;
        waterCell(b, x, 64, WaterA, WaterAWave, Foam, false, false, false, false, false, frame); // centre
        cornerCell(b, x, 80, WaterA, Deep, frame); // water's junction: deep water in the corner
        cornerCell(b, x, 96, Deep, WaterA, frame); // deep water's junction and palette form
        waterCell(b, x, 112, Deep, DeepWave, Deep, false, false, false, false, false, frame); // deep centre
    }
}

inline void animated(TBitmap& b) {
    for (int k = 0; k < 3; ++k)
        for (int frame = 0; frame < 4; ++frame) {
            const int x0 = 48 + 16 * k, y0 = 64 + 16 * frame;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int ring = (std::max(std::abs(2 * x - 15), std::abs(2 * y - 15)) / 4 + frame) % 4;
                    b.ScanLine(y0 + y)[x0 + x] = uint8_t(AnimFirst + 4 * k + ring);
                }
        }
}

const int kAutotileOrigins[12][2] = {{0, 16}, {6, 16}, {0, 24},  {6, 24},  {12, 0},  {18, 0},
                                     {12, 8}, {18, 8}, {12, 16}, {18, 16}, {12, 24}, {18, 24}};

inline void autotile(TBitmap& b, int i) {
    const int x0 = kAutotileOrigins[i][0] * 8, y0 = kAutotileOrigins[i][1] * 8;
    const uint8_t body = uint8_t(AutoFirst + 3 * i), rim = uint8_t(body + 1), speck = uint8_t(body + 2);
    auto ground = [&](int x, int y) { return ((x * 7 + y * 13) % 11 == 0) ? speck : body; };
    // The 3 x 3 patch with a rim two pixels wide along its outside.
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            b.ScanLine(y0 + 16 + y)[x0 + x] = (x < 2 || y < 2 || x > 45 || y > 45) ? rim : ground(x, y);
    // Inner corners: a rim dot in the outer corner of each quarter.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int qx = x < 8 ? x : 15 - x, qy = y < 8 ? y : 15 - y;
            b.ScanLine(y0 + y)[x0 + 32 + x] = (qx < 2 && qy < 2) ? rim : ground(x, y);
        }
    // The palette form: the ground framed by its rim.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            b.ScanLine(y0 + y)[x0 + x] = (x < 1 || y < 1 || x > 14 || y > 14) ? rim : ground(x, y);
    // The link cell stays blank unless another autotile's palette form is copied into it.
    fill(b, x0 + 16, y0, 16, 16, Back);
}

inline void plainChip(TBitmap& b, int i) {
    const int x0 = (24 + 12 * (i / 96) + 2 * (i % 6)) * 8, y0 = 2 * ((i % 96) / 6) * 8;
    if (i == 143) {
        fill(b, x0, y0, 16, 16, Back);
        return;
    }
    const int family = (i / 6) % 24, style = i % 6;
    const uint8_t body = uint8_t(PlainFirst + 2 * family), detail = uint8_t(body + 1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool d = false;
            switch (style) {
            case 0:
                d = (x * 5 + y * 3) % 9 == 0;
                break; // specks
            case 1:
                d = y % 8 == 7 || (x + (y / 8) * 8) % 16 == 0;
                break; // bricks
            case 2:
                d = (x + y) % 6 == 0;
                break; // stripes
            case 3:
                d = x % 8 == 0 || y % 8 == 0;
                break; // tiles
            case 4:
                d = (x / 4 + y / 4) % 2 == 0;
                break; // checks
            default:
                d = std::abs(x - 8) + std::abs(y - 8) < 4;
                break; // a stone
            }
            b.ScanLine(y0 + y)[x0 + x] = d ? detail : body;
        }
}

inline void upperChip(TBitmap& b, int i) {
    const int k = i + 48;
    const int x0 = (36 + 12 * (k / 96) + 2 * (k % 6)) * 8, y0 = 2 * ((k % 96) / 6) * 8;
    fill(b, x0, y0, 16, 16, Back);
    if (i == 0) return; // the empty chip
    const int colour = i % 16, shape = (i / 16) % 3;
    const uint8_t body = uint8_t(UpperFirst + 2 * colour), shade = uint8_t(body + 1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double dx = x - 7.5, dy = y - 6.5;
            uint8_t c = Back;
            if (shape == 0) { // a tree: round crown over a trunk
                if (dx * dx + dy * dy < 36)
                    c = dx + dy > 3 ? shade : body;
                else if (y >= 12 && std::abs(dx) < 1.6)
                    c = Trunk;
            } else if (shape == 1) { // a boulder
                if (dx * dx / 42 + (y - 9.5) * (y - 9.5) / 25 < 1) c = y > 11 ? shade : body;
            } else { // a post with a sign
                if (y >= 3 && y <= 8 && x >= 3 && x <= 12)
                    c = (y == 3 || y == 8 || x == 3 || x == 12) ? uint8_t(Outline) : body;
                else if (y > 8 && (x == 7 || x == 8))
                    c = Trunk;
            }
            b.ScanLine(y0 + y)[x0 + x] = c;
        }
}

inline void palette(TBitmap& b) {
    setColour(b, Back, {16, 16, 24});
    setColour(b, WaterA, {56, 120, 216});
    setColour(b, WaterAWave, {120, 176, 240});
    setColour(b, Foam, {224, 240, 255});
    setColour(b, Deep, {20, 44, 128});
    setColour(b, DeepWave, {48, 80, 168});
    setColour(b, WaterB, {64, 176, 184});
    setColour(b, WaterBWave, {144, 224, 224});
    setColour(b, White, {255, 255, 255});
    setColour(b, Outline, {40, 32, 24});
    const double autotileHues[12] = {100, 35, 50, 20, 0, 280, 190, 140, 60, 320, 220, 15};
    for (int i = 0; i < 12; ++i) {
        setColour(b, AutoFirst + 3 * i, hsv(autotileHues[i], 0.55, 0.7));
        setColour(b, AutoFirst + 3 * i + 1, hsv(autotileHues[i], 0.7, 0.35));
        setColour(b, AutoFirst + 3 * i + 2, hsv(autotileHues[i], 0.35, 0.85));
    }
    for (int f = 0; f < 24; ++f) {
        const double hue = f == 0 ? 105 : f == 1 ? 30 : f == 2 ? 45 : f * 37.0;
        const double sat = f == 3 ? 0.05 : 0.5;
        setColour(b, PlainFirst + 2 * f, hsv(hue, sat, 0.72));
        setColour(b, PlainFirst + 2 * f + 1, hsv(hue, sat, 0.5));
    }
    for (int c = 0; c < 16; ++c) {
        setColour(b, UpperFirst + 2 * c, hsv(c * 22.5 + 90, 0.6, 0.75));
        setColour(b, UpperFirst + 2 * c + 1, hsv(c * 22.5 + 90, 0.7, 0.45));
    }
    setColour(b, Trunk, {110, 70, 40});
    for (int k = 0; k < 3; ++k)
        for (int r = 0; r < 4; ++r)
            setColour(b, AnimFirst + 4 * k + r, hsv(k * 120 + 10, 0.8, 0.5 + 0.15 * r));
}

} // namespace sample

// The whole 480 x 256 sample chipset.
inline TBitmap SampleChipSetPicture() {
    TBitmap b;
    b.Reset(TPixelFormat::pf8bit, 480, 256);
    sample::palette(b);
    sample::water(b);
    sample::animated(b);
    for (int i = 0; i < 12; ++i)
        sample::autotile(b, i);
    for (int i = 0; i < 144; ++i) {
        sample::plainChip(b, i);
        sample::upperChip(b, i);
    }
    // Kind 7's link cell shows kind 6's palette form.
    const int* from = sample::kAutotileOrigins[0];
    const int* to = sample::kAutotileOrigins[1];
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            b.ScanLine(to[1] * 8 + y)[to[0] * 8 + 16 + x] = b.ScanLine(from[1] * 8 + y)[from[0] * 8 + x];
    return b;
}

} // namespace tarvel::test
