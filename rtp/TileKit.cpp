#include "TileKit.h"

#include <cmath>

namespace tarvel::rtp::tiles {

std::vector<Pt> Scatter(int count, float minDist, uint32_t seed, int size) {
    std::vector<Pt> points;
    for (int attempt = 0; attempt < count * 40 && int(points.size()) < count; ++attempt) {
        Pt p{Hash01(attempt, 1, seed) * size, Hash01(attempt, 2, seed) * size};
        bool ok = true;
        for (const Pt& q : points) {
            float dx = std::fabs(p.x - q.x), dy = std::fabs(p.y - q.y);
            dx = std::min(dx, size - dx);
            dy = std::min(dy, size - dy);
            if (dx * dx + dy * dy < minDist * minDist) ok = false;
        }
        if (ok) points.push_back(p);
    }
    return points;
}

Tile NoiseTile(Ramp ramp, float base, float spread, int cell, uint32_t seed) {
    Tile t;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            float n = Fbm(x, y, cell, 16, 3, seed) - 0.5f;
            t.Set(x, y, ramp.Dither(base + n * spread, x, y));
        }
    return t;
}

Tile WrapDraw(const Tile& background, const std::function<void(IndexedImage&, int, int)>& draw) {
    IndexedImage canvas(48, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            canvas.Set(x, y, background.At(x, y));
    for (int oy = 0; oy < 48; oy += 16)
        for (int ox = 0; ox < 48; ox += 16)
            draw(canvas, ox, oy);
    // Shapes drawn around every copy's origin overlap the middle copy from all sides.
    Tile t;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            t.Set(x, y, canvas.At(16 + x, 16 + y));
    return t;
}

Tile Cobbles(Ramp stone, uint8_t mortar, int seeds, uint32_t seed, float jitter) {
    std::vector<Pt> centres = Scatter(seeds, 16.0f / std::sqrt(float(seeds)) * 0.8f, seed);
    Tile t;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float d1 = 1e9f, d2 = 1e9f;
            Pt best{0, 0};
            for (const Pt& c : centres)
                for (int oy = -16; oy <= 16; oy += 16)
                    for (int ox = -16; ox <= 16; ox += 16) {
                        float dx = px - (c.x + ox), dy = py - (c.y + oy);
                        float d = std::sqrt(dx * dx + dy * dy);
                        if (d < d1)
                            d2 = d1, d1 = d, best = {dx, dy};
                        else if (d < d2)
                            d2 = d;
                    }
            float edge = d2 - d1;
            if (edge < 1.1f) {
                t.Set(x, y, mortar);
                continue;
            }
            // Light falls on the upper left of each stone, shade on the lower right.
            float l = 0.55f - (best.x + best.y) * 0.06f * jitter +
                      (Hash01(int(best.x * 7), int(best.y * 7), seed) - 0.5f) * 0.1f;
            if (edge < 2.2f) l += (best.x + best.y) > 0 ? -0.22f : 0.18f;
            t.Set(x, y, stone.Shade(l));
        }
    return t;
}

Tile Bricks(Ramp ramp, uint8_t mortar, int w, int h, uint32_t seed) {
    Tile t;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            int row = y / h;
            int shift = (row & 1) ? w / 2 : 0;
            int bx = (x + shift) % w, by = y % h;
            if (by == h - 1 || bx == w - 1) {
                t.Set(x, y, mortar);
                continue;
            }
            int brick = ((x + shift) / w) * 31 + row * 17;
            float l = 0.5f + (Hash01(brick, row, seed) - 0.5f) * 0.35f;
            if (by == 0 || bx == 0) l += 0.22f;
            if (by == h - 2 || bx == w - 2) l -= 0.2f;
            t.Set(x, y, ramp.Shade(l));
        }
    return t;
}

void Stamp(IndexedImage& img, int px, int py, const Tile& tile) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            img.Set(px + x, py + y, tile.At(x, y));
}

} // namespace tarvel::rtp::tiles
