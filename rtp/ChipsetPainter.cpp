#include "ChipsetPainter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tarvel::rtp {

using chips::Quarter;

namespace {

// Distance into the terrain for a quarter in its own frame: u and v run from the quarter's outer
// vertical and horizontal side of the chip towards the middle.
float quarterDistance(Quarter state, float u, float v, float bu, float bv, const EdgeShape& s) {
    switch (state) {
    case Quarter::Centre:
    case Quarter::Palette:
        return 100.0f;
    case Quarter::Vertical:
        return u - bu;
    case Quarter::Horizontal:
        return v - bv;
    case Quarter::Outer: {
        float r = s.radius;
        float cx = bu + r, cy = bv + r;
        if (u < cx && v < cy) return r - std::hypot(u - cx, v - cy);
        return std::min(u - bu, v - bv);
    }
    case Quarter::Inner: {
        float r = std::min({s.innerRadius, bu, bv});
        float cx = bu - r, cy = bv - r;
        float inNotch;
        if (u > cx && v > cy)
            inNotch = r - std::hypot(u - cx, v - cy);
        else
            inNotch = std::min(bu - u, bv - v);
        return -inNotch;
    }
    }
    return 100.0f;
}

} // namespace

static float distanceInQuarter(const chips::QuarterStates& states, int q, float x, float y,
                               const EdgeShape& s) {
    bool right = q & 1, bottom = q & 2;
    float u = right ? 16.0f - x : x;
    float v = bottom ? 16.0f - y : y;
    float bu = s.side;
    float bv = bottom ? s.bottom : s.top;
    return quarterDistance(states[q], u, v, bu, bv, s);
}

EdgeSample SampleEdge(const chips::QuarterStates& states, float x, float y, const EdgeShape& shape) {
    int q = (x < 8 ? 0 : 1) + (y < 8 ? 0 : 2);
    float d = distanceInQuarter(states, q, x, y, shape);
    const float h = 0.5f;
    float gx = distanceInQuarter(states, q, x + h, y, shape) - distanceInQuarter(states, q, x - h, y, shape);
    float gy = distanceInQuarter(states, q, x, y + h, shape) - distanceInQuarter(states, q, x, y - h, shape);
    float len = std::hypot(gx, gy);
    EdgeSample e{d, 0, 0};
    if (len > 1e-4f) {
        e.nx = -gx / len;
        e.ny = -gy / len;
    }
    return e;
}

void PaintPiece(IndexedImage& img, int px, int py, const chips::QuarterStates& states,
                const TerrainStyle& style) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            EdgeSample e = SampleEdge(states, x + 0.5f, y + 0.5f, style.shape);
            if (style.wobble && e.d < 50) e.d += style.wobble(x, y);
            uint8_t v = e.d >= 0 ? style.inside(x, y, e) : style.outside(x, y, e);
            img.Set(px + x, py + y, v);
        }
}

void PaintAutotileBlock(IndexedImage& img, int slot, const TerrainStyle& style) {
    using Q = Quarter;
    chips::Unit o = chips::AutotileOrigin(slot);
    int ox = o.x * 8, oy = o.y * 8;
    // Palette form: the terrain as a lone patch, the way it looks when painted on its own.
    PaintPiece(img, ox, oy, {Q::Outer, Q::Outer, Q::Outer, Q::Outer}, style);
    PaintPiece(img, ox + 16, oy, {Q::Centre, Q::Centre, Q::Centre, Q::Centre}, style);
    PaintPiece(img, ox + 32, oy, {Q::Inner, Q::Inner, Q::Inner, Q::Inner}, style);
    for (int cy = 0; cy < 3; ++cy)
        for (int cx = 0; cx < 3; ++cx) {
            chips::QuarterStates states;
            for (int q = 0; q < 4; ++q) {
                int qx = q & 1, qy = q >> 1;
                bool side = (cx == 0 && qx == 0) || (cx == 2 && qx == 1);
                bool topBottom = (cy == 0 && qy == 0) || (cy == 2 && qy == 1);
                states[q] = side && topBottom ? Q::Outer
                            : side            ? Q::Vertical
                            : topBottom       ? Q::Horizontal
                                              : Q::Centre;
            }
            PaintPiece(img, ox + cx * 16, oy + 16 + cy * 16, states, style);
        }
}

void PaintWaterFrame(IndexedImage& img, int frame, const WaterStyles& styles) {
    using Q = Quarter;
    int fx = frame * 16;
    const Q states[4] = {Q::Outer, Q::Vertical, Q::Horizontal, Q::Inner};
    for (Q s : states) {
        chips::Unit a = chips::WaterStateCell(0, s);
        PaintPiece(img, a.x * 8 + fx, a.y * 8, {s, s, s, s}, styles.shoreA);
        chips::Unit b = chips::WaterStateCell(1, s);
        PaintPiece(img, b.x * 8 + fx, b.y * 8, {s, s, s, s}, styles.shoreB);
    }
    chips::Unit c = chips::WaterStateCell(0, Q::Centre);
    PaintPiece(img, c.x * 8 + fx, c.y * 8, {Q::Centre, Q::Centre, Q::Centre, Q::Centre}, styles.shoreA);
    // The junction pieces round the corners where shallow and deep water meet: the shallow piece
    // is shallow water whose corners are deep, the deep piece deep water whose corners are shallow.
    chips::Unit j = chips::WaterJunctionCell(0);
    PaintPiece(img, j.x * 8 + fx, j.y * 8, {Q::Outer, Q::Outer, Q::Outer, Q::Outer}, styles.junction);
    chips::Unit dj = chips::WaterJunctionCell(2);
    PaintPiece(img, dj.x * 8 + fx, dj.y * 8, {Q::Outer, Q::Outer, Q::Outer, Q::Outer}, styles.deepJunction);
    chips::Unit dc = chips::WaterStateCell(2, Q::Centre);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            img.Set(dc.x * 8 + fx + x, dc.y * 8 + y, styles.deep(x, y));
}

static void placeObject(IndexedImage& img, int first, int wChips, const IndexedImage& canvas, bool upper) {
    int hChips = canvas.Height() / 16;
    for (int r = 0; r < hChips; ++r)
        for (int c = 0; c < wChips; ++c) {
            int index = first + r * 6 + c;
            int px, py;
            if (upper)
                UpperChipPixel(index, px, py);
            else
                LowerChipPixel(index, px, py);
            img.Blit(canvas, c * 16, r * 16, 16, 16, px, py, false);
        }
}

void PlaceUpperObject(IndexedImage& img, int first, int wChips, const IndexedImage& canvas) {
    placeObject(img, first, wChips, canvas, true);
}
void PlaceLowerObject(IndexedImage& img, int first, int wChips, const IndexedImage& canvas) {
    placeObject(img, first, wChips, canvas, false);
}

int ChipAllocator::place(bool upper, const std::string& name, const IndexedImage& canvas) {
    int w = canvas.Width() / 16, h = canvas.Height() / 16;
    bool* used = upper ? mUpperUsed : mLowerUsed;
    // Areas of the picture: lower chips 0..95 and 96..143, upper chips 0..47 and 48..143.
    int split = upper ? 48 : 96;
    for (int first = 0; first < 144; ++first) {
        int areaStart = first < split ? 0 : split, areaEnd = first < split ? split : 144;
        if (first % 6 + w > 6) continue;
        if (first + (h - 1) * 6 >= areaEnd || first < areaStart) continue;
        bool free = true;
        for (int r = 0; r < h && free; ++r)
            for (int c = 0; c < w && free; ++c)
                free = !used[first + r * 6 + c];
        if (!free) continue;
        std::vector<std::string>& names = upper ? mInfo.upperNames : mInfo.lowerNames;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                int index = first + r * 6 + c;
                used[index] = true;
                std::string n = name;
                if (w * h > 1) n += " " + std::to_string(r + 1) + "-" + std::to_string(c + 1);
                names[upper ? index : index + 18] = n;
            }
        if (upper)
            PlaceUpperObject(mInfo.image, first, w, canvas);
        else
            PlaceLowerObject(mInfo.image, first, w, canvas);
        return first;
    }
    throw std::runtime_error("chipset " + mInfo.name + ": no room for " + name);
}

int ChipAllocator::Lower(const std::string& name, const IndexedImage& canvas, const std::string& terrain,
                         Pass pass) {
    int first = place(false, name, canvas);
    for (int r = 0; r < canvas.Height() / 16; ++r)
        for (int c = 0; c < canvas.Width() / 16; ++c) {
            mInfo.lowerTerrain[18 + first + r * 6 + c] = terrain;
            mInfo.lowerPass[18 + first + r * 6 + c] = pass;
        }
    return first;
}

int ChipAllocator::Upper(const std::string& name, const IndexedImage& canvas, Pass pass) {
    return Upper(name, canvas, std::vector<Pass>(canvas.Height() / 16, pass));
}

int ChipAllocator::Upper(const std::string& name, const IndexedImage& canvas,
                         const std::vector<Pass>& rowPass) {
    int first = place(true, name, canvas);
    for (int r = 0; r < canvas.Height() / 16; ++r)
        for (int c = 0; c < canvas.Width() / 16; ++c)
            mInfo.upperPass[first + r * 6 + c] = rowPass[r];
    return first;
}

int ChipAllocator::LowerUsed() const {
    return int(std::count(mLowerUsed, mLowerUsed + 144, true));
}
int ChipAllocator::UpperUsed() const {
    return int(std::count(mUpperUsed, mUpperUsed + 144, true));
}

} // namespace tarvel::rtp
