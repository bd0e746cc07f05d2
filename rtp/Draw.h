#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "IndexedImage.h"
#include "Palette.h"

namespace tarvel::rtp {

// Deterministic noise, so that every run of the generator makes the same files.
float Hash01(int x, int y, uint32_t seed);
// Smooth value noise on a lattice of cell pixels that repeats every period pixels (a multiple of
// cell), so textures of chips join seamlessly; period 0 means no repetition.
float ValueNoise(float x, float y, int cell, int period, uint32_t seed);
// Sum of octaves of value noise (cell halves each octave), scaled to 0..1.
float Fbm(float x, float y, int cell, int period, int octaves, uint32_t seed);

struct Pt {
    float x, y;
};

// The light of every picture comes from the upper left and from the viewer.
struct Light {
    static float Lambert(float nx, float ny, float nz);
};

// Called for each covered pixel with the pixel and the surface normal there (nz towards the viewer).
using ShadeFn = std::function<uint8_t(int x, int y, float nx, float ny, float nz)>;

void FillEllipse(IndexedImage& img, float cx, float cy, float rx, float ry, uint8_t index);
// An ellipse shaded as the front of an ellipsoid.
void FillEllipse(IndexedImage& img, float cx, float cy, float rx, float ry, const ShadeFn& shade);
// The usual ball: ramp levels by the light, ditherless (flat bands read better on small sprites).
void ShadedBall(IndexedImage& img, float cx, float cy, float rx, float ry, Ramp ramp, float bias = 0.0f,
                bool dither = false);
void FillPolygon(IndexedImage& img, const std::vector<Pt>& points, uint8_t index);
void FillPolygon(IndexedImage& img, const std::vector<Pt>& points,
                 const std::function<uint8_t(int x, int y)>& colour);
void Line(IndexedImage& img, int x0, int y0, int x1, int y1, uint8_t index);
void ThickLine(IndexedImage& img, float x0, float y0, float x1, float y1, float width, uint8_t index);
void Rect(IndexedImage& img, int x, int y, int w, int h, uint8_t index);
void FrameRect(IndexedImage& img, int x, int y, int w, int h, uint8_t index);
// A box lit from the upper left: light top and left rims, dark bottom and right rims.
void BevelBox(IndexedImage& img, int x, int y, int w, int h, Ramp ramp, int face = -1);

// Gives every shape an outline: each index-0 pixel that touches a drawn pixel (4-neighbourhood)
// within the rectangle takes the darkest colour of that pixel's ramp, or the given colour when
// fixedIndex is not 0. With darken, the outline is one ramp level below the darkest, i.e. the
// ramp's own darkest colour; pass a separate outline colour for crisp sprites.
void Outline(IndexedImage& img, const PaletteBuilder& palette, int x, int y, int w, int h,
             uint8_t fixedIndex = 0);
// The same with one outline colour and no palette.
void OutlineWith(IndexedImage& img, int x, int y, int w, int h, uint8_t index);
// Darkens (one ramp level) the drawn pixels that border on index 0 on their lower or right
// side, a cheap rim shadow for sprites without a full outline.
void RimShade(IndexedImage& img, const PaletteBuilder& palette, int x, int y, int w, int h);

// A small 5 x 7 capital font (letters, digits and a few signs) for words drawn into pictures.
int TextWidth(const char* text, int scale = 1);
void DrawText(IndexedImage& img, int x, int y, const char* text, uint8_t index, int scale = 1);

} // namespace tarvel::rtp
