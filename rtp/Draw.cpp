#include "Draw.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace tarvel::rtp {

float Hash01(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / float(0x1000000);
}

float ValueNoise(float x, float y, int cell, int period, uint32_t seed) {
    float fx = x / cell, fy = y / cell;
    int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    float tx = fx - x0, ty = fy - y0;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int cells = period > 0 ? std::max(1, period / cell) : 0;
    auto corner = [&](int cx, int cy) {
        if (cells > 0) {
            cx = ((cx % cells) + cells) % cells;
            cy = ((cy % cells) + cells) % cells;
        }
        return Hash01(cx, cy, seed);
    };
    float a = corner(x0, y0), b = corner(x0 + 1, y0), c = corner(x0, y0 + 1), d = corner(x0 + 1, y0 + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, int cell, int period, int octaves, uint32_t seed) {
    float sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves && cell >= 1; ++o) {
        sum += ValueNoise(x, y, cell, period, seed + o * 7919u) * weight;
        total += weight;
        weight *= 0.5f;
        cell /= 2;
    }
    return total > 0 ? sum / total : 0.5f;
}

float Light::Lambert(float nx, float ny, float nz) {
    // Normalised (-0.45, -0.6, 0.66).
    float l = nx * -0.45f + ny * -0.6f + nz * 0.66f;
    return std::clamp(l, 0.0f, 1.0f);
}

void FillEllipse(IndexedImage& img, float cx, float cy, float rx, float ry, uint8_t index) {
    FillEllipse(img, cx, cy, rx, ry, [index](int, int, float, float, float) { return index; });
}

void FillEllipse(IndexedImage& img, float cx, float cy, float rx, float ry, const ShadeFn& shade) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
            float d = nx * nx + ny * ny;
            if (d > 1.0f) continue;
            uint8_t v = shade(x, y, nx, ny, std::sqrt(std::max(0.0f, 1 - d)));
            if (v) img.Set(x, y, v);
        }
}

void ShadedBall(IndexedImage& img, float cx, float cy, float rx, float ry, Ramp ramp, float bias,
                bool dither) {
    FillEllipse(img, cx, cy, rx, ry, [&](int x, int y, float nx, float ny, float nz) {
        float l = Light::Lambert(nx, ny, nz) * 1.15f + bias;
        return dither ? ramp.Dither(l, x, y) : ramp.Shade(l);
    });
}

void FillPolygon(IndexedImage& img, const std::vector<Pt>& points, uint8_t index) {
    FillPolygon(img, points, [index](int, int) { return index; });
}

void FillPolygon(IndexedImage& img, const std::vector<Pt>& points,
                 const std::function<uint8_t(int x, int y)>& colour) {
    if (points.size() < 3) return;
    float minY = points[0].y, maxY = points[0].y;
    for (const Pt& p : points)
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    for (int y = int(std::floor(minY)); y <= int(std::ceil(maxY)); ++y) {
        float sy = y + 0.5f;
        std::vector<float> xs;
        for (size_t i = 0; i < points.size(); ++i) {
            Pt a = points[i], b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = int(std::ceil(xs[i] - 0.5f)); x < int(std::ceil(xs[i + 1] - 0.5f)); ++x) {
                uint8_t v = colour(x, y);
                if (v) img.Set(x, y, v);
            }
    }
}

void Line(IndexedImage& img, int x0, int y0, int x1, int y1, uint8_t index) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        img.Set(x0, y0, index);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void ThickLine(IndexedImage& img, float x0, float y0, float x1, float y1, float width, uint8_t index) {
    float dx = x1 - x0, dy = y1 - y0;
    float len = std::sqrt(dx * dx + dy * dy);
    if (len < 0.001f) {
        FillEllipse(img, x0, y0, width / 2, width / 2, index);
        return;
    }
    float px = -dy / len * width / 2, py = dx / len * width / 2;
    FillPolygon(img, {{x0 + px, y0 + py}, {x1 + px, y1 + py}, {x1 - px, y1 - py}, {x0 - px, y0 - py}}, index);
}

void Rect(IndexedImage& img, int x, int y, int w, int h, uint8_t index) {
    img.FillRect(x, y, w, h, index);
}

void FrameRect(IndexedImage& img, int x, int y, int w, int h, uint8_t index) {
    img.FillRect(x, y, w, 1, index);
    img.FillRect(x, y + h - 1, w, 1, index);
    img.FillRect(x, y, 1, h, index);
    img.FillRect(x + w - 1, y, 1, h, index);
}

void BevelBox(IndexedImage& img, int x, int y, int w, int h, Ramp ramp, int face) {
    int mid = face >= 0 ? face : ramp.count / 2;
    img.FillRect(x, y, w, h, ramp[mid]);
    img.FillRect(x, y, w, 1, ramp[mid + 1]);
    img.FillRect(x, y, 1, h, ramp[mid + 1]);
    img.FillRect(x, y + h - 1, w, 1, ramp[mid - 1]);
    img.FillRect(x + w - 1, y, 1, h, ramp[mid - 1]);
}

void Outline(IndexedImage& img, const PaletteBuilder& palette, int x, int y, int w, int h,
             uint8_t fixedIndex) {
    IndexedImage copy = img;
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) {
            if (copy.At(xx, yy) != 0) continue;
            for (int k = 0; k < 4; ++k) {
                int nx = xx + dx[k], ny = yy + dy[k];
                if (nx < x || ny < y || nx >= x + w || ny >= y + h) continue;
                uint8_t v = copy.At(nx, ny);
                if (v == 0) continue;
                img.Set(xx, yy, fixedIndex ? fixedIndex : palette.RampOf(v).Darkest());
                break;
            }
        }
}

void OutlineWith(IndexedImage& img, int x, int y, int w, int h, uint8_t index) {
    IndexedImage copy = img;
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) {
            if (copy.At(xx, yy) != 0) continue;
            for (int k = 0; k < 4; ++k) {
                int nx = xx + dx[k], ny = yy + dy[k];
                if (nx < x || ny < y || nx >= x + w || ny >= y + h) continue;
                if (copy.At(nx, ny) != 0 && copy.At(nx, ny) != index) {
                    img.Set(xx, yy, index);
                    break;
                }
            }
        }
}

void RimShade(IndexedImage& img, const PaletteBuilder& palette, int x, int y, int w, int h) {
    IndexedImage copy = img;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) {
            uint8_t v = copy.At(xx, yy);
            if (v == 0) continue;
            bool edge =
                (yy + 1 < y + h && copy.At(xx, yy + 1) == 0) || (xx + 1 < x + w && copy.At(xx + 1, yy) == 0);
            if (!edge) continue;
            Ramp r = palette.RampOf(v);
            if (r.count > 1 && v > r.first) img.Set(xx, yy, uint8_t(v - 1));
        }
}

namespace {
struct Glyph {
    char c;
    uint8_t rows[7];
};
const Glyph kGlyphs[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},  {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},  {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},  {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},  {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},  {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},  {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},  {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},  {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},  {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},  {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},  {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},  {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}},  {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},  {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},  {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},  {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},  {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},  {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},  {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},  {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},  {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'\'', {0x04, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00}}, {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
    {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}},  {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
};

const Glyph* findGlyph(char c) {
    c = char(std::toupper(static_cast<unsigned char>(c)));
    for (const Glyph& g : kGlyphs)
        if (g.c == c) return &g;
    return nullptr;
}
} // namespace

int TextWidth(const char* text, int scale) {
    int n = int(std::strlen(text));
    return n > 0 ? (n * 6 - 1) * scale : 0;
}

void DrawText(IndexedImage& img, int x, int y, const char* text, uint8_t index, int scale) {
    for (const char* p = text; *p; ++p, x += 6 * scale) {
        const Glyph* g = findGlyph(*p);
        if (!g) continue;
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 5; ++c)
                if (g->rows[r] & (0x10 >> c)) img.FillRect(x + c * scale, y + r * scale, scale, scale, index);
    }
}

} // namespace tarvel::rtp
