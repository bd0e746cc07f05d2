#include "Props.h"

#include <cmath>

namespace tarvel::rtp::props {

namespace {
const float kPi = 3.14159265f;

// A ball lit from the upper left with a leafy or rough texture.
void texturedBall(IndexedImage& c, float cx, float cy, float rx, float ry, Ramp ramp, float rough,
                  uint32_t seed, float bias = 0) {
    FillEllipse(c, cx, cy, rx, ry, [&](int x, int y, float nx, float ny, float nz) {
        float l = Light::Lambert(nx, ny, nz) * 1.1f + bias + (Hash01(x, y, seed) - 0.5f) * rough;
        return ramp.Shade(l);
    });
}

// A vertical cylinder side (x from x0 to x1), shaded across its width.
void cylinder(IndexedImage& c, int x0, int x1, int y0, int y1, Ramp ramp, float bias = 0) {
    for (int x = x0; x <= x1; ++x) {
        float t = (x - x0 + 0.5f) / (x1 - x0 + 1); // 0 left .. 1 right
        float nx = t * 2 - 1;
        float l = Light::Lambert(nx, 0, std::sqrt(std::max(0.0f, 1 - nx * nx))) * 1.1f + bias;
        for (int y = y0; y <= y1; ++y)
            c.Set(x, y, ramp.Shade(l));
    }
}

void hline(IndexedImage& c, int x0, int x1, int y, uint8_t v) {
    for (int x = x0; x <= x1; ++x)
        c.Set(x, y, v);
}
void vline(IndexedImage& c, int x, int y0, int y1, uint8_t v) {
    for (int y = y0; y <= y1; ++y)
        c.Set(x, y, v);
}
} // namespace

void Finish(IndexedImage& c, const PropRamps& r) {
    Outline(c, *r.pal, 0, 0, c.Width(), c.Height(), r.ink);
}

void Tree(IndexedImage& c, const PropRamps& r, uint32_t seed) {
    cylinder(c, 6, 9, 17, 29, r.wood, -0.1f);
    c.Set(5, 29, r.wood[1]);
    c.Set(10, 29, r.wood[1]);
    c.Set(7, 22, r.wood[1]);
    c.Set(8, 25, r.wood[1]);
    const float balls[5][3] = {{8, 14, 6.5f}, {4.5f, 12, 4}, {11.5f, 12, 4}, {8, 7, 5.5f}, {6, 4.5f, 3}};
    for (const auto& b : balls)
        texturedBall(c, b[0], b[1], b[2], b[2] * 0.95f, r.leaves, 0.35f, seed, -0.05f);
    // Leaf clusters: small bright arcs.
    for (int i = 0; i < 6; ++i) {
        int x = 3 + int(Hash01(i, 3, seed) * 10), y = 3 + int(Hash01(i, 4, seed) * 12);
        if (c.At(x, y) && c.At(x + 1, y) && c.At(x, y + 1)) {
            c.Set(x, y, r.leaves[r.leaves.count - 1]);
            c.Set(x + 1, y + 1, r.leaves[1]);
        }
    }
    Finish(c, r);
}

void Pine(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 7, 8, 24, 29, r.wood);
    const float tiers[4][3] = {{2, 8, 3.5f}, {6, 14, 5}, {11, 20, 6.5f}, {16, 26, 7.5f}};
    for (const auto& t : tiers) {
        float top = t[0], bottom = t[1], half = t[2];
        FillPolygon(c, {{8, top}, {8 + half, bottom}, {8 - half, bottom}}, [&](int x, int y) -> uint8_t {
            float across = (x + 0.5f - 8) / half;
            float l = 0.65f - across * 0.35f - (y - top) / (bottom - top) * 0.25f;
            if (y >= int(bottom) - 1) l -= 0.25f;
            return r.leaves.Shade(l);
        });
    }
    Finish(c, r);
}

void DeadTree(IndexedImage& c, const PropRamps& r) {
    ThickLine(c, 8, 30, 8, 8, 3.2f, r.wood[2]);
    ThickLine(c, 8, 18, 3, 11, 1.6f, r.wood[2]);
    ThickLine(c, 8, 14, 13, 7, 1.6f, r.wood[2]);
    ThickLine(c, 4, 12, 2, 6, 1.1f, r.wood[2]);
    ThickLine(c, 12, 8, 14, 4, 1.1f, r.wood[2]);
    ThickLine(c, 8, 9, 7, 3, 1.2f, r.wood[2]);
    vline(c, 7, 12, 29, r.wood[3]);
    vline(c, 9, 14, 29, r.wood[1]);
    Finish(c, r);
}

void Palm(IndexedImage& c, const PropRamps& r) {
    for (int i = 0; i < 10; ++i) {
        float y = 29 - i * 2.1f, x = 6 + std::sin(i * 0.25f) * 3;
        FillEllipse(c, x + 1, y, 2.2f, 1.3f, r.wood[i % 2 ? 2 : 3]);
        c.Set(int(x), int(y), r.wood[4]);
    }
    const float fronds[5][2] = {{-7, 3}, {7, 4}, {-5, -2}, {6, -3}, {0, -5}};
    for (const auto& f : fronds) {
        float x0 = 9, y0 = 9;
        for (int s = 0; s <= 6; ++s) {
            float t = s / 6.0f;
            float x = x0 + f[0] * t, y = y0 + f[1] * t + 3 * t * t;
            FillEllipse(c, x, y, 1.8f - t * 0.8f, 1.3f, r.leaves[s < 3 ? 3 : 2]);
        }
    }
    texturedBall(c, 9, 9, 2, 2, r.wood, 0.1f, 5);
    Finish(c, r);
}

void BigTree(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 12, 19, 20, 29, r.wood, -0.1f);
    FillPolygon(c, {{10, 30}, {12, 26}, {12, 30}}, r.wood[2]);
    FillPolygon(c, {{22, 30}, {19, 26}, {19, 30}}, r.wood[1]);
    const float balls[7][3] = {{16, 15, 11},  {8, 16, 6}, {24, 16, 6}, {11, 8, 6.5f},
                               {21, 8, 6.5f}, {16, 5, 5}, {16, 20, 6}};
    for (const auto& b : balls)
        texturedBall(c, b[0], b[1], b[2], b[2] * 0.9f, r.leaves, 0.35f, 77, -0.05f);
    Finish(c, r);
}

void Bush(IndexedImage& c, const PropRamps& r, Ramp berries, bool withBerries) {
    texturedBall(c, 5, 10, 4.5f, 4.2f, r.leaves, 0.3f, 11);
    texturedBall(c, 11, 10, 4.5f, 4.2f, r.leaves, 0.3f, 12);
    texturedBall(c, 8, 7, 5, 4.5f, r.leaves, 0.3f, 13);
    if (withBerries) {
        const int pts[5][2] = {{5, 8}, {9, 6}, {11, 10}, {7, 11}, {12, 7}};
        for (const auto& p : pts) {
            c.Set(p[0], p[1], berries[1]);
            c.Set(p[0], p[1] - 1, berries[2]);
        }
    }
    Finish(c, r);
}

void FlowerClump(IndexedImage& c, const PropRamps& r, Ramp a, Ramp b) {
    texturedBall(c, 8, 12, 6, 3, r.leaves, 0.3f, 21, 0.1f);
    const int pts[6][2] = {{4, 9}, {8, 8}, {12, 9}, {6, 12}, {10, 12}, {8, 10}};
    for (int i = 0; i < 6; ++i) {
        Ramp p = i % 2 ? a : b;
        int x = pts[i][0], y = pts[i][1];
        c.Set(x, y - 1, p[2]);
        c.Set(x - 1, y, p[1]);
        c.Set(x + 1, y, p[1]);
        c.Set(x, y + 1, p[0]);
        c.Set(x, y, r.gold[2]);
    }
    Finish(c, r);
}

void GrassTuft(IndexedImage& c, const PropRamps& r) {
    const int blades[7][3] = {{4, 14, -2}, {6, 14, -1}, {8, 14, 0}, {10, 14, 1},
                              {12, 14, 2}, {7, 14, 1},  {9, 14, -1}};
    for (int i = 0; i < 7; ++i) {
        int x = blades[i][0], y = blades[i][1], lean = blades[i][2];
        int h = 5 + (i * 3) % 4;
        for (int s = 0; s < h; ++s)
            c.Set(x + lean * s / h, y - s, r.grass[s < h / 2 ? 2 : 4]);
    }
    Finish(c, r);
}

void Rock(IndexedImage& c, const PropRamps& r, float size) {
    float rx = 6.5f * size, ry = 4.8f * size;
    float cy = 15 - ry - 0.5f;
    FillEllipse(c, 8, cy, rx, ry, [&](int x, int y, float nx, float ny, float nz) {
        // Facets: quantise the normal so the stone looks chipped.
        float qx = std::round(nx * 2) / 2, qy = std::round(ny * 2) / 2;
        float l = Light::Lambert(qx, qy, std::sqrt(std::max(0.1f, 1 - qx * qx * 0.5f - qy * qy * 0.5f)));
        return r.rock.Shade(l * 1.1f);
    });
    Line(c, int(8 - rx * 0.2f), int(cy - ry * 0.4f), int(8 + rx * 0.1f), int(cy + ry * 0.2f), r.rock[1]);
    Finish(c, r);
}

void Stump(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 3, 12, 8, 13, r.wood, -0.15f);
    FillPolygon(c, {{2, 14}, {4, 11}, {4, 14}}, r.wood[1]);
    FillPolygon(c, {{14, 14}, {11, 11}, {11, 14}}, r.wood[1]);
    FillEllipse(c, 8, 8, 5, 2.6f, r.paper[2]);
    FillEllipse(c, 8, 8, 3.2f, 1.6f, r.paper[1]);
    FillEllipse(c, 8, 8, 1.5f, 0.8f, r.paper[0]);
    Finish(c, r);
}

void Log(IndexedImage& c, const PropRamps& r) {
    for (int y = 6; y <= 12; ++y) {
        float ny = (y - 9.0f) / 3.5f;
        uint8_t v = r.wood.Shade(Light::Lambert(0, ny, std::sqrt(std::max(0.0f, 1 - ny * ny))) * 1.1f - 0.1f);
        hline(c, 2, 12, y, v);
    }
    hline(c, 4, 9, 8, r.wood[1]);
    hline(c, 6, 11, 11, r.wood[1]);
    FillEllipse(c, 13, 9, 2, 3.5f, r.paper[2]);
    FillEllipse(c, 13, 9, 1, 1.8f, r.paper[0]);
    Finish(c, r);
}

void Mushrooms(IndexedImage& c, const PropRamps& r) {
    auto one = [&](float x, float y, float s) {
        Rect(c, int(x - 1), int(y), 2, int(3 * s), r.paper[2]);
        FillEllipse(c, x, y, 3.5f * s, 2.5f * s,
                    [&](int px, int py, float nx, float ny, float nz) -> uint8_t {
                        if (ny > 0.3f) return 0;
                        return r.red.Shade(Light::Lambert(nx, ny, nz) * 1.2f);
                    });
        c.Set(int(x - 1), int(y - 1), r.white[1]);
        c.Set(int(x + 1), int(y - 2), r.white[1]);
    };
    one(5, 9, 1.0f);
    one(11, 11, 0.8f);
    Finish(c, r);
}

void Signpost(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 7, 8, 7, 14, r.wood);
    BevelBox(c, 2, 3, 12, 6, r.wood);
    hline(c, 4, 11, 5, r.wood[1]);
    hline(c, 4, 9, 7, r.wood[1]);
    Finish(c, r);
}

void Gravestone(IndexedImage& c, const PropRamps& r) {
    FillEllipse(c, 8, 6, 4.5f, 3.5f, [&](int, int, float nx, float ny, float nz) {
        return r.stone.Shade(Light::Lambert(nx, ny, nz) + 0.1f);
    });
    cylinder(c, 4, 12, 6, 13, r.stone, 0.05f);
    hline(c, 3, 13, 14, r.stone[1]);
    vline(c, 8, 5, 10, r.stone[1]);
    hline(c, 6, 10, 7, r.stone[1]);
    Finish(c, r);
}

void LampPost(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 7, 8, 12, 29, r.metal);
    Rect(c, 5, 28, 6, 2, r.metal[1]);
    hline(c, 6, 9, 12, r.metal[2]);
    FillPolygon(c, {{4, 4}, {12, 4}, {8, 1}}, r.metal[2]);
    Rect(c, 5, 4, 6, 7, r.metal[1]);
    Rect(c, 6, 5, 4, 5, r.fire[2]);
    c.Set(6, 5, r.white[1]);
    hline(c, 5, 10, 11, r.metal[0]);
    Finish(c, r);
}

void Statue(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 2, 22, 12, 9, r.stone);
    hline(c, 2, 13, 24, r.stone[1]);
    texturedBall(c, 8, 5, 2.8f, 2.8f, r.stone, 0.05f, 3, 0.1f);
    FillPolygon(c, {{5, 9}, {11, 9}, {12, 22}, {4, 22}},
                [&](int x, int) { return r.stone.Shade(x < 8 ? 0.7f : 0.4f); });
    ThickLine(c, 11, 10, 13, 2, 1.2f, r.metal[3]); // a raised sword
    ThickLine(c, 5, 10, 4, 16, 1.5f, r.stone[3]);
    Finish(c, r);
}

void Fence(IndexedImage& c, const PropRamps& r, bool left, bool right, bool vertical) {
    if (vertical) {
        Rect(c, 6, 0, 2, 16, r.wood[3]);
        Rect(c, 8, 0, 2, 16, r.wood[1]);
        BevelBox(c, 5, 5, 6, 4, r.wood);
    } else {
        int x0 = left ? 2 : 0, x1 = right ? 13 : 15;
        for (int y : {6, 10}) {
            hline(c, x0, x1, y, r.wood[4]);
            hline(c, x0, x1, y + 1, r.wood[2]);
        }
        auto post = [&](int x) {
            Rect(c, x, 3, 3, 11, r.wood[2]);
            vline(c, x, 3, 13, r.wood[4]);
            vline(c, x + 2, 3, 13, r.wood[1]);
            c.Set(x + 1, 2, r.wood[3]);
        };
        post(left ? 1 : 6);
        if (right) post(12);
    }
    Finish(c, r);
}

void Barrel(IndexedImage& c, const PropRamps& r) {
    for (int y = 4; y <= 14; ++y) {
        float bulge = 1.0f - std::pow((y - 9) / 6.0f, 2.0f) * 0.6f;
        int half = int(5.5f * bulge + 0.5f);
        for (int x = 8 - half; x < 8 + half; ++x) {
            float nx = (x + 0.5f - 8) / half;
            float l = Light::Lambert(nx, 0, std::sqrt(std::max(0.0f, 1 - nx * nx))) * 1.1f;
            c.Set(x, y, r.wood.Shade(l));
        }
    }
    for (int y : {6, 12})
        hline(c, 3, 12, y, r.metal[1]);
    FillEllipse(c, 8, 4, 4.8f, 1.8f, r.wood[4]);
    FillEllipse(c, 8, 4, 3.5f, 1.0f, r.wood[2]);
    Finish(c, r);
}

void Crate(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 2, 6, 12, 9, r.wood);
    FillPolygon(c, {{2, 6}, {4, 3}, {14, 3}, {14, 6}}, r.wood[4]);
    FillPolygon(c, {{14, 3}, {14, 15}, {13, 15}, {13, 6}}, r.wood[1]);
    Line(c, 3, 7, 12, 13, r.wood[1]);
    hline(c, 3, 12, 10, r.wood[1]);
    Finish(c, r);
}

void Pot(IndexedImage& c, const PropRamps& r) {
    texturedBall(c, 8, 10, 5, 4.5f, r.roof, 0.08f, 31);
    Rect(c, 6, 4, 4, 2, r.roof[2]);
    hline(c, 5, 10, 3, r.roof[3]);
    hline(c, 4, 11, 10, r.roof[1]);
    Finish(c, r);
}

void Sack(IndexedImage& c, const PropRamps& r) {
    texturedBall(c, 8, 10, 5.5f, 4.5f, r.straw, 0.1f, 41, -0.05f);
    FillPolygon(c, {{6, 6}, {10, 6}, {11, 3}, {5, 3}}, r.straw[3]);
    hline(c, 6, 10, 6, r.cloth[1]);
    Finish(c, r);
}

void Haystack(IndexedImage& c, const PropRamps& r) {
    FillEllipse(c, 8, 10, 7, 5.5f, [&](int x, int y, float nx, float ny, float nz) {
        float l = Light::Lambert(nx, ny, nz) * 1.1f + ((x * 3 + y) % 4 == 0 ? -0.2f : 0);
        return r.straw.Shade(l);
    });
    Finish(c, r);
}

void Woodpile(IndexedImage& c, const PropRamps& r) {
    const float logs[6][2] = {{4, 12}, {8, 12}, {12, 12}, {6, 8.5f}, {10, 8.5f}, {8, 5}};
    for (const auto& l : logs) {
        FillEllipse(c, l[0], l[1], 2.2f, 2.0f, r.wood[1]);
        FillEllipse(c, l[0], l[1], 1.3f, 1.2f, r.paper[2]);
        c.Set(int(l[0]), int(l[1]), r.paper[0]);
    }
    Finish(c, r);
}

void Well(IndexedImage& c, const PropRamps& r) {
    // Roof on two posts above, a stone ring with dark water below.
    Rect(c, 3, 6, 2, 18, r.wood[2]);
    Rect(c, 11, 6, 2, 18, r.wood[1]);
    FillPolygon(c, {{0, 8}, {8, 1}, {16, 8}},
                [&](int x, int y) { return r.roof.Shade(x < 8 ? 0.7f : 0.4f); });
    hline(c, 0, 15, 8, r.roof[0]);
    hline(c, 4, 11, 11, r.wood[3]);
    vline(c, 8, 11, 18, r.paper[1]);
    Rect(c, 7, 18, 3, 3, r.wood[2]);
    cylinder(c, 1, 14, 22, 30, r.stone);
    for (int y : {25, 28})
        hline(c, 1, 14, y, r.stone[1]);
    for (int x = 3; x < 14; x += 4)
        vline(c, x, 22, 24, r.stone[1]);
    FillEllipse(c, 8, 21.5f, 6.5f, 2.5f, r.stone[4]);
    FillEllipse(c, 8, 21.5f, 5, 1.6f, r.glass[0]);
    Finish(c, r);
}

void Table(IndexedImage& c, const PropRamps& r) {
    Rect(c, 3, 10, 2, 5, r.wood[1]);
    Rect(c, 11, 10, 2, 5, r.wood[1]);
    BevelBox(c, 1, 5, 14, 6, r.wood, 3);
    hline(c, 1, 14, 10, r.wood[1]);
    Finish(c, r);
}

void Chair(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 4, 2, 8, 7, r.wood, 2);
    BevelBox(c, 4, 9, 8, 3, r.wood, 4);
    Rect(c, 4, 12, 2, 3, r.wood[1]);
    Rect(c, 10, 12, 2, 3, r.wood[1]);
    Finish(c, r);
}

void Stool(IndexedImage& c, const PropRamps& r) {
    Rect(c, 5, 9, 2, 5, r.wood[1]);
    Rect(c, 9, 9, 2, 5, r.wood[1]);
    FillEllipse(c, 8, 8, 4.5f, 2.2f, r.wood[4]);
    hline(c, 4, 11, 9, r.wood[2]);
    Finish(c, r);
}

void Bench(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 0, 7, 16, 4, r.wood, 3);
    Rect(c, 2, 11, 2, 4, r.wood[1]);
    Rect(c, 12, 11, 2, 4, r.wood[1]);
    Finish(c, r);
}

void Bed(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 1, 14, 6, r.wood, 3);
    BevelBox(c, 1, 6, 14, 24, r.wood, 2);
    BevelBox(c, 3, 7, 10, 5, r.white, 1);
    for (int y = 12; y < 28; ++y)
        for (int x = 2; x < 14; ++x)
            c.Set(x, y,
                  r.cloth.Shade(0.55f + (x < 4 ? 0.2f : 0) - (x > 11 ? 0.2f : 0) - (y > 25 ? 0.15f : 0)));
    hline(c, 2, 13, 12, r.white[1]);
    hline(c, 2, 13, 13, r.cloth[3]);
    Finish(c, r);
}

void Bookshelf(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 2, 14, 28, r.wood, 2);
    Ramp colours[4] = {r.red, r.cloth, r.leaves, r.gold};
    for (int shelf = 0; shelf < 3; ++shelf) {
        int y0 = 4 + shelf * 8;
        Rect(c, 3, y0, 10, 6, r.wood[0]);
        for (int x = 3; x < 13; ++x) {
            int h = 4 + int(Hash01(x, shelf, 55) * 2.5f);
            Ramp b = colours[(x * 7 + shelf * 3) % 4];
            for (int y = y0 + 6 - h; y < y0 + 6; ++y)
                c.Set(x, y, b[x % 2 ? 1 : 2]);
        }
        hline(c, 2, 13, y0 + 6, r.wood[4]);
    }
    Finish(c, r);
}

void Cupboard(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 3, 14, 27, r.wood, 3);
    FillPolygon(c, {{1, 3}, {3, 1}, {13, 1}, {15, 3}}, r.wood[4]);
    FrameRect(c, 3, 6, 5, 21, r.wood[1]);
    FrameRect(c, 8, 6, 5, 21, r.wood[1]);
    c.Set(7, 16, r.gold[2]);
    c.Set(9, 16, r.gold[2]);
    Finish(c, r);
}

void Counter(IndexedImage& c, const PropRamps& r, bool left, bool right) {
    int x0 = left ? 1 : 0, x1 = right ? 14 : 15;
    Rect(c, x0, 3, x1 - x0 + 1, 4, r.wood[4]);
    hline(c, x0, x1, 3, r.wood[5]);
    Rect(c, x0, 7, x1 - x0 + 1, 8, r.wood[2]);
    hline(c, x0, x1, 7, r.wood[1]);
    for (int x = x0 + 3; x < x1; x += 5)
        vline(c, x, 8, 14, r.wood[1]);
    Finish(c, r);
}

void Fireplace(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 2, 14, 28, r.stone, 3);
    for (int y = 5; y < 28; y += 4)
        hline(c, 2, 13, y, r.stone[1]);
    Rect(c, 4, 16, 8, 12, r.ink);
    FillPolygon(c, {{5, 28}, {8, 18}, {11, 28}}, r.fire[1]);
    FillPolygon(c, {{6.5f, 28}, {8, 22}, {9.5f, 28}}, r.fire[2]);
    BevelBox(c, 0, 13, 16, 3, r.wood, 3);
    Finish(c, r);
}

void PottedPlant(IndexedImage& c, const PropRamps& r) {
    FillPolygon(c, {{4, 10}, {12, 10}, {11, 15}, {5, 15}},
                [&](int x, int) { return r.roof.Shade(x < 8 ? 0.7f : 0.4f); });
    hline(c, 4, 11, 10, r.roof[3]);
    texturedBall(c, 6, 6, 3, 3, r.leaves, 0.3f, 61);
    texturedBall(c, 10, 6, 3, 3, r.leaves, 0.3f, 62);
    texturedBall(c, 8, 3.5f, 3, 2.5f, r.leaves, 0.3f, 63);
    Finish(c, r);
}

void Sign(IndexedImage& c, const PropRamps& r, int icon) {
    hline(c, 2, 13, 1, r.metal[1]);
    vline(c, 4, 1, 4, r.metal[1]);
    vline(c, 11, 1, 4, r.metal[1]);
    BevelBox(c, 1, 4, 14, 11, r.wood, 3);
    switch (icon) {
    case 0: // inn: a bed
        Rect(c, 4, 8, 8, 3, r.white[1]);
        Rect(c, 4, 7, 2, 2, r.white[1]);
        vline(c, 3, 7, 12, r.wood[0]);
        vline(c, 12, 9, 12, r.wood[0]);
        break;
    case 1: // items: a potion
        FillEllipse(c, 8, 10.5f, 3, 2.5f, r.red[2]);
        Rect(c, 7, 6, 2, 3, r.glass[2]);
        c.Set(7, 9, r.white[1]);
        break;
    case 2: // weapons: a sword
        Line(c, 4, 13, 11, 6, r.metal[3]);
        Line(c, 5, 10, 7, 12, r.gold[2]);
        break;
    case 3: // armour: a shield
        FillPolygon(c, {{4, 6}, {12, 6}, {12, 10}, {8, 14}, {4, 10}}, r.cloth[2]);
        vline(c, 8, 6, 13, r.gold[2]);
        break;
    default: // magic: a star
        FillPolygon(c,
                    {{8, 5},
                     {9.5f, 8.5f},
                     {13, 9},
                     {10, 11},
                     {11, 14},
                     {8, 12},
                     {5, 14},
                     {6, 11},
                     {3, 9},
                     {6.5f, 8.5f}},
                    r.gold[2]);
        break;
    }
    Finish(c, r);
}

void Window(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 3, 3, 10, 10, r.wood, 2);
    Rect(c, 4, 4, 8, 8, r.glass[1]);
    Rect(c, 4, 4, 3, 3, r.glass[3]);
    hline(c, 4, 11, 7, r.wood[2]);
    vline(c, 7, 4, 11, r.wood[2]);
    hline(c, 2, 13, 13, r.wood[4]);
    Finish(c, r);
}

void Door(IndexedImage& c, const PropRamps& r, bool open) {
    if (open) {
        Rect(c, 3, 2, 10, 14, r.ink);
        Rect(c, 2, 2, 1, 14, r.wood[2]);
        Rect(c, 13, 2, 1, 14, r.wood[1]);
    } else {
        FillEllipse(c, 8, 4, 5, 3, r.wood[2]);
        Rect(c, 3, 4, 10, 12, r.wood[2]);
        for (int x = 5; x < 13; x += 3)
            vline(c, x, 3, 15, r.wood[1]);
        c.Set(11, 10, r.gold[2]);
    }
    Finish(c, r);
}

void Chest(IndexedImage& c, const PropRamps& r, bool open) {
    BevelBox(c, 2, 8, 12, 7, r.wood, 2);
    if (open) {
        Rect(c, 3, 5, 10, 3, r.ink);
        BevelBox(c, 2, 1, 12, 4, r.wood, 3);
        c.Set(6, 7, r.gold[2]);
        c.Set(9, 6, r.gold[2]);
    } else {
        FillEllipse(c, 8, 8, 6, 3.5f, [&](int, int y, float nx, float ny, float nz) -> uint8_t {
            return y > 8 ? 0 : r.wood.Shade(Light::Lambert(nx, ny, nz) + 0.1f);
        });
        Rect(c, 7, 7, 2, 3, r.gold[2]);
    }
    vline(c, 4, 8, 14, r.gold[1]);
    vline(c, 11, 8, 14, r.gold[1]);
    Finish(c, r);
}

void Torch(IndexedImage& c, const PropRamps& r) {
    Rect(c, 7, 8, 2, 7, r.wood[2]);
    Rect(c, 6, 7, 4, 2, r.metal[2]);
    FillPolygon(c, {{5, 7}, {8, 1}, {11, 7}}, r.fire[1]);
    FillPolygon(c, {{6.5f, 7}, {8, 3}, {9.5f, 7}}, r.fire[2]);
    Finish(c, r);
}

void Campfire(IndexedImage& c, const PropRamps& r) {
    ThickLine(c, 3, 13, 13, 10, 2.2f, r.wood[2]);
    ThickLine(c, 3, 10, 13, 13, 2.2f, r.wood[1]);
    FillPolygon(c, {{4, 11}, {6, 5}, {8, 8}, {9, 2}, {12, 11}}, r.fire[1]);
    FillPolygon(c, {{6, 11}, {8, 6}, {10, 11}}, r.fire[2]);
    for (int x = 3; x <= 13; x += 2)
        c.Set(x, 14, r.stone[2]);
    Finish(c, r);
}

void Tent(IndexedImage& c, const PropRamps& r) {
    FillPolygon(c, {{2, 28}, {16, 4}, {30, 28}}, [&](int x, int y) {
        float l = x < 16 ? 0.7f : 0.38f;
        if ((x + y) % 6 == 0) l -= 0.1f;
        return r.cloth.Shade(l);
    });
    FillPolygon(c, {{12, 28}, {16, 17}, {20, 28}}, r.ink);
    Line(c, 16, 4, 16, 1, r.wood[2]);
    Line(c, 2, 28, 0, 30, r.paper[1]);
    Line(c, 30, 28, 31, 30, r.paper[1]);
    Finish(c, r);
}

void Flag(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 4, 5, 3, 30, r.metal);
    FillEllipse(c, 4.5f, 2.5f, 1.5f, 1.5f, r.gold[2]);
    FillPolygon(c, {{6, 4}, {15, 5}, {13, 9}, {15, 13}, {6, 13}}, [&](int x, int y) {
        return r.red.Shade(0.6f - (x - 6) * 0.03f + ((y + x / 3) % 4 == 0 ? -0.2f : 0));
    });
    Rect(c, 3, 29, 4, 2, r.stone[2]);
    Finish(c, r);
}

void Ladder(IndexedImage& c, const PropRamps& r) {
    Rect(c, 3, 0, 2, 16, r.wood[3]);
    Rect(c, 11, 0, 2, 16, r.wood[2]);
    for (int y = 2; y < 16; y += 4) {
        hline(c, 5, 10, y, r.wood[4]);
        hline(c, 5, 10, y + 1, r.wood[1]);
    }
    Finish(c, r);
}

void Stairs(IndexedImage& c, const PropRamps& r, bool down) {
    for (int s = 0; s < 4; ++s) {
        int y = s * 4;
        int inset = down ? s : 0;
        Rect(c, 1 + inset, y, 14 - 2 * inset, 2, r.stone[down ? 4 - s : 4]);
        Rect(c, 1 + inset, y + 2, 14 - 2 * inset, 2, r.stone[down ? 2 - s / 2 : 1]);
    }
    Finish(c, r);
}

void Skull(IndexedImage& c, const PropRamps& r) {
    texturedBall(c, 8, 8, 4.5f, 4, r.paper, 0.05f, 71, 0.2f);
    Rect(c, 6, 11, 5, 3, r.paper[2]);
    Rect(c, 5, 7, 2, 2, r.ink);
    Rect(c, 9, 7, 2, 2, r.ink);
    c.Set(8, 10, r.ink);
    Finish(c, r);
}

void Crystal(IndexedImage& c, const PropRamps& r, Ramp crystal) {
    auto shard = [&](float x, float base, float h, float w) {
        FillPolygon(
            c,
            {{x - w, base}, {x - w, base - h * 0.7f}, {x, base - h}, {x + w, base - h * 0.7f}, {x + w, base}},
            [&](int px, int) { return crystal.Shade(px < x ? 0.85f : 0.4f); });
    };
    shard(5, 15, 8, 2);
    shard(11, 15, 9, 2);
    shard(8, 14, 13, 2.5f);
    c.Set(7, 4, r.white[1]);
    Finish(c, r);
}

void Pillar(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 2, 1, 12, 3, r.stone, 4);
    cylinder(c, 4, 11, 4, 27, r.stone, 0.05f);
    for (int x = 5; x < 11; x += 2)
        vline(c, x, 5, 26, r.stone.Shade(0.35f));
    BevelBox(c, 2, 27, 12, 4, r.stone, 3);
    Finish(c, r);
}

void Altar(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 5, 14, 10, r.stone, 3);
    Rect(c, 1, 5, 14, 3, r.cloth[3]);
    hline(c, 1, 14, 8, r.gold[2]);
    Rect(c, 7, 1, 2, 4, r.gold[2]);
    hline(c, 6, 9, 2, r.gold[2]);
    Finish(c, r);
}

void Cobweb(IndexedImage& c, const PropRamps& r) {
    for (int a = 0; a < 4; ++a) {
        float ang = kPi * (0.05f + a * 0.15f);
        Line(c, 0, 0, int(15 * std::cos(ang)), int(15 * std::sin(ang)), r.white[0]);
    }
    for (int ring = 4; ring < 16; ring += 4)
        for (int a = 0; a < 12; ++a) {
            float ang = kPi * 0.5f * a / 11;
            c.Set(int(ring * std::cos(ang)), int(ring * std::sin(ang)), r.white[1]);
        }
}

void Stalagmite(IndexedImage& c, const PropRamps& r) {
    FillPolygon(c, {{3, 15}, {7, 2}, {9, 3}, {13, 15}},
                [&](int x, int y) { return r.rock.Shade(x < 8 ? 0.75f : 0.35f); });
    FillPolygon(c, {{10, 15}, {12, 8}, {14, 15}},
                [&](int x, int) { return r.rock.Shade(x < 12 ? 0.6f : 0.3f); });
    Finish(c, r);
}

void Bones(IndexedImage& c, const PropRamps& r) {
    ThickLine(c, 3, 12, 12, 7, 1.4f, r.paper[2]);
    FillEllipse(c, 3, 12, 1.5f, 1.5f, r.paper[2]);
    FillEllipse(c, 12.5f, 6.5f, 1.5f, 1.5f, r.paper[2]);
    ThickLine(c, 4, 6, 11, 13, 1.4f, r.paper[1]);
    Finish(c, r);
}

void Lilypads(IndexedImage& c, const PropRamps& r, Ramp flower) {
    auto pad = [&](float x, float y, float s) {
        FillEllipse(c, x, y, 3.5f * s, 2.2f * s,
                    [&](int px, int py, float nx, float ny, float nz) -> uint8_t {
                        if (nx > 0.1f && std::fabs(ny) < 0.25f) return 0;
                        return r.leaves.Shade(0.45f + Light::Lambert(nx, ny, nz) * 0.4f);
                    });
    };
    pad(5, 5, 1.0f);
    pad(11, 11, 1.1f);
    pad(4, 12, 0.7f);
    c.Set(11, 10, flower[2]);
    c.Set(10, 10, flower[1]);
    c.Set(12, 10, flower[1]);
    c.Set(11, 9, flower[2]);
    Finish(c, r);
}

void Reeds(IndexedImage& c, const PropRamps& r) {
    for (int i = 0; i < 6; ++i) {
        int x = 3 + i * 2, h = 8 + (i * 5) % 5;
        vline(c, x, 15 - h, 15, r.grass[i % 2 ? 2 : 3]);
        if (i % 2 == 0) {
            Rect(c, x, 15 - h - 2, 1, 3, r.wood[1]);
        }
    }
    Finish(c, r);
}

namespace {
void house(IndexedImage& c, int x, int y, Ramp roof, const PropRamps& r) {
    Rect(c, x, y + 3, 5, 3, r.paper[2]);
    c.Set(x + 2, y + 4, r.wood[1]);
    FillPolygon(c,
                {{float(x) - 1, float(y) + 3.5f}, {x + 2.5f, float(y) - 0.5f}, {x + 6.0f, float(y) + 3.5f}},
                roof[2]);
    hline(c, x - 1, x + 5, y + 3, roof[1]);
}
} // namespace

void Village(IndexedImage& c, const PropRamps& r) {
    house(c, 2, 3, r.roof, r);
    house(c, 9, 5, r.roof, r);
    house(c, 4, 9, r.cloth, r);
    Finish(c, r);
}

void Town(IndexedImage& c, const PropRamps& r) {
    FrameRect(c, 1, 4, 14, 11, r.stone[3]);
    FrameRect(c, 2, 5, 12, 9, r.stone[1]);
    house(c, 3, 5, r.roof, r);
    house(c, 9, 7, r.cloth, r);
    Rect(c, 7, 13, 2, 2, r.ink);
    Rect(c, 1, 3, 2, 2, r.stone[4]);
    Rect(c, 13, 3, 2, 2, r.stone[4]);
    Finish(c, r);
}

void Castle(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 3, 7, 10, 8, r.stone, 3);
    auto tower = [&](int x, int y, int h) {
        BevelBox(c, x, y, 4, h, r.stone, 4);
        FillPolygon(c, {{x - 0.5f, float(y)}, {x + 2.0f, y - 4.0f}, {x + 4.5f, float(y)}}, r.cloth[2]);
    };
    tower(1, 6, 9);
    tower(11, 6, 9);
    tower(6, 3, 8);
    Rect(c, 7, 11, 2, 4, r.ink);
    c.Set(7, 6, r.ink);
    Finish(c, r);
}

void Tower(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 5, 10, 5, 14, r.stone);
    for (int x = 5; x <= 10; x += 2)
        c.Set(x, 4, r.stone[3]);
    hline(c, 5, 10, 5, r.stone[4]);
    Rect(c, 7, 8, 2, 2, r.ink);
    Rect(c, 7, 12, 2, 3, r.ink);
    Finish(c, r);
}

void CaveMouth(IndexedImage& c, const PropRamps& r) {
    FillEllipse(c, 8, 11, 7, 6, [&](int, int, float nx, float ny, float nz) {
        return r.rock.Shade(Light::Lambert(nx, ny, nz) * 1.1f);
    });
    FillEllipse(c, 8, 13, 3.5f, 3.5f,
                [&](int, int y, float, float, float) -> uint8_t { return y > 15 ? 0 : r.ink; });
    Finish(c, r);
}

void Shrine(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 2, 12, 12, 3, r.stone, 3);
    for (int x : {3, 7, 11})
        cylinder(c, x, x + 1, 6, 11, r.stone, 0.1f);
    FillPolygon(c, {{1, 6}, {8, 1}, {15, 6}},
                [&](int x, int) { return r.stone.Shade(x < 8 ? 0.8f : 0.45f); });
    Finish(c, r);
}

void Ruins(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 2, 4, 5, 13, r.stone);
    cylinder(c, 10, 12, 8, 13, r.stone);
    BevelBox(c, 1, 13, 14, 2, r.stone, 2);
    Rect(c, 6, 11, 3, 2, r.stone[2]);
    Finish(c, r);
}

void Port(IndexedImage& c, const PropRamps& r) {
    house(c, 2, 3, r.roof, r);
    Rect(c, 8, 9, 7, 2, r.wood[3]);
    for (int x = 9; x < 15; x += 3)
        vline(c, x, 11, 13, r.wood[1]);
    vline(c, 11, 2, 8, r.wood[2]);
    FillPolygon(c, {{12, 2}, {15, 5}, {12, 7}}, r.white[1]);
    Finish(c, r);
}

void FruitTree(IndexedImage& c, const PropRamps& r, Ramp fruit) {
    Tree(c, r, 311);
    for (const Pt& p : {Pt{5, 9}, Pt{10, 6}, Pt{12, 13}, Pt{6, 15}, Pt{9, 12}}) {
        c.Set(int(p.x), int(p.y), fruit[2]);
        c.Set(int(p.x) + 1, int(p.y), fruit[1]);
        c.Set(int(p.x), int(p.y) + 1, fruit[0]);
    }
}

void Birch(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 6, 9, 12, 29, r.white, -0.1f);
    for (int y = 14; y < 29; y += 4)
        hline(c, 6 + (y % 3), 7 + (y % 3), y, r.ink);
    texturedBall(c, 8, 9, 6, 7, r.grass, 0.35f, 321, 0.05f);
    texturedBall(c, 5, 13, 3.5f, 3.5f, r.grass, 0.35f, 322);
    texturedBall(c, 11, 12, 3.5f, 4, r.grass, 0.35f, 323);
    Finish(c, r);
}

void Cactus(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 6, 10, 6, 29, r.grass, 0.05f);
    FillEllipse(c, 8, 6, 2.5f, 2.5f, r.grass[4]);
    cylinder(c, 2, 4, 12, 19, r.grass);
    hline(c, 2, 6, 20, r.grass[2]);
    cylinder(c, 12, 14, 9, 17, r.grass);
    hline(c, 10, 14, 18, r.grass[2]);
    for (int y = 9; y < 28; y += 4)
        c.Set(8, y, r.paper[3]);
    FillEllipse(c, 8, 5, 1.5f, 1.2f, r.red[2]);
    Finish(c, r);
}

void Scarecrow(IndexedImage& c, const PropRamps& r) {
    Rect(c, 7, 10, 2, 20, r.wood[2]);
    Rect(c, 1, 12, 14, 2, r.wood[3]);
    FillPolygon(c, {{3, 11}, {13, 11}, {12, 22}, {4, 22}},
                [&](int x, int) { return r.cloth.Shade(x < 8 ? 0.6f : 0.4f); });
    for (int x = 2; x < 15; x += 3)
        c.Set(x, 15, r.straw[3]);
    texturedBall(c, 8, 7, 3.5f, 3.5f, r.paper, 0.05f, 331, 0.2f);
    c.Set(7, 7, r.ink);
    c.Set(9, 7, r.ink);
    FillEllipse(c, 8, 3.5f, 6, 1.5f, r.straw[2]);
    FillEllipse(c, 8, 2.5f, 3, 2, r.straw[1]);
    Finish(c, r);
}

void MarketStall(IndexedImage& c, const PropRamps& r, Ramp awning) {
    Rect(c, 3, 10, 2, 20, r.wood[2]);
    Rect(c, 27, 10, 2, 20, r.wood[1]);
    for (int x = 1; x < 31; ++x) {
        int stripe = (x / 5) % 2;
        for (int y = 3; y < 11; ++y)
            c.Set(x, y, stripe ? awning[2] : r.white[1]);
        c.Set(x, 11 + (x % 5 == 2 ? 1 : 0), stripe ? awning[1] : r.white[0]);
    }
    BevelBox(c, 1, 20, 30, 10, r.wood, 3);
    for (const Pt& p : {Pt{7, 19}, Pt{12, 18}, Pt{17, 19}, Pt{22, 18}, Pt{26, 19}})
        texturedBall(c, p.x, p.y, 2.5f, 2, (int(p.x) % 2) ? r.red : r.gold, 0.05f, 341);
    Finish(c, r);
}

void Cart(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 3, 3, 24, 8, r.wood, 3);
    for (int x = 7; x < 27; x += 5)
        vline(c, x, 4, 9, r.wood[1]);
    ThickLine(c, 26, 9, 31, 12, 1.5f, r.wood[1]);
    for (float wx : {9.0f, 21.0f}) {
        FillEllipse(c, wx, 12, 3.5f, 3.5f, r.wood[1]);
        FillEllipse(c, wx, 12, 1.2f, 1.2f, r.metal[2]);
    }
    Finish(c, r);
}

void Trough(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 6, 14, 8, r.wood, 3);
    Rect(c, 2, 7, 12, 3, r.glass[1]);
    hline(c, 3, 8, 7, r.glass[3]);
    Finish(c, r);
}

void Anvil(IndexedImage& c, const PropRamps& r) {
    FillPolygon(c, {{1, 5}, {12, 5}, {15, 6}, {12, 9}, {3, 9}},
                [&](int x, int y) { return r.metal.Shade(y < 7 ? 0.85f : 0.45f); });
    Rect(c, 5, 9, 6, 3, r.metal[1]);
    Rect(c, 3, 12, 10, 3, r.metal[2]);
    Finish(c, r);
}

void Cauldron(IndexedImage& c, const PropRamps& r) {
    texturedBall(c, 8, 10, 6.5f, 5, r.metal, 0.05f, 351, -0.2f);
    FillEllipse(c, 8, 6, 6, 1.8f, r.leaves[3]);
    c.Set(6, 5, r.leaves[5]);
    c.Set(10, 6, r.leaves[4]);
    Rect(c, 3, 14, 2, 2, r.metal[0]);
    Rect(c, 11, 14, 2, 2, r.metal[0]);
    Finish(c, r);
}

void StoneFence(IndexedImage& c, const PropRamps& r, bool left, bool right, bool vertical) {
    if (vertical) {
        for (int y = 0; y < 16; y += 4)
            BevelBox(c, 4, y, 8, 4, r.stone, 3 - (y / 4) % 2);
    } else {
        int x0 = left ? 2 : 0, x1 = right ? 14 : 16;
        for (int x = x0; x < x1; x += 5) {
            BevelBox(c, x, 6, std::min(5, x1 - x), 4, r.stone, 3);
            BevelBox(c, x + 2 - (x == x0 ? 2 : 0), 10, std::min(5, x1 - x), 4, r.stone, 2);
        }
        if (left) BevelBox(c, 1, 3, 4, 11, r.stone, 4);
        if (right) BevelBox(c, 11, 3, 4, 11, r.stone, 4);
    }
    Finish(c, r);
}

void Beehive(IndexedImage& c, const PropRamps& r) {
    for (int i = 0; i < 4; ++i)
        FillEllipse(c, 8, 13 - i * 3, 6 - i * 1.2f, 2.2f, r.straw[3 - (i % 2)]);
    FillEllipse(c, 8, 12, 1.5f, 1.2f, r.ink);
    c.Set(12, 4, r.gold[2]);
    c.Set(3, 6, r.gold[2]);
    Finish(c, r);
}

void Desk(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 5, 14, 4, r.wood, 4);
    Rect(c, 2, 9, 4, 6, r.wood[2]);
    hline(c, 3, 4, 11, r.gold[2]);
    Rect(c, 12, 9, 2, 6, r.wood[1]);
    Rect(c, 8, 2, 5, 3, r.paper[3]);
    vline(c, 5, 1, 4, r.ink);
    Finish(c, r);
}

void CandleStand(IndexedImage& c, const PropRamps& r) {
    Rect(c, 7, 6, 2, 8, r.gold[1]);
    hline(c, 4, 11, 14, r.gold[1]);
    hline(c, 3, 12, 6, r.gold[2]);
    for (int x : {3, 7, 11}) {
        Rect(c, x, 2, 2, 4, r.white[1]);
        c.Set(x, 0, r.fire[2]);
        c.Set(x, 1, r.fire[1]);
    }
    Finish(c, r);
}

void Vase(IndexedImage& c, const PropRamps& r, Ramp glaze) {
    texturedBall(c, 8, 10, 5, 4.5f, glaze, 0.05f, 361);
    Rect(c, 6, 3, 4, 4, glaze[1]);
    hline(c, 5, 10, 2, glaze[2]);
    hline(c, 3, 12, 10, r.gold[2]);
    Finish(c, r);
}

void Coffin(IndexedImage& c, const PropRamps& r) {
    FillPolygon(c, {{5, 2}, {11, 2}, {14, 9}, {12, 30}, {4, 30}, {2, 9}},
                [&](int x, int y) { return r.wood.Shade(0.5f - (x - 8) * 0.04f); });
    Rect(c, 7, 8, 2, 12, r.gold[2]);
    Rect(c, 5, 11, 6, 2, r.gold[2]);
    Finish(c, r);
}

void Throne(IndexedImage& c, const PropRamps& r, Ramp seat) {
    FillPolygon(c, {{3, 4}, {8, 0}, {13, 4}, {13, 22}, {3, 22}},
                [&](int x, int) { return r.gold.Shade(x < 8 ? 0.9f : 0.5f); });
    BevelBox(c, 5, 5, 6, 16, seat, 2);
    BevelBox(c, 1, 18, 14, 6, r.gold, 1);
    BevelBox(c, 3, 20, 10, 6, seat, 3);
    Rect(c, 2, 24, 3, 6, r.gold[1]);
    Rect(c, 11, 24, 3, 6, r.gold[0]);
    FillEllipse(c, 8, 3, 1.5f, 1.5f, r.red[2]);
    Finish(c, r);
}

void Cage(IndexedImage& c, const PropRamps& r) {
    FillEllipse(c, 8, 4, 6, 3, r.metal[2]);
    for (int x = 2; x <= 14; x += 3)
        vline(c, x, 3, 14, r.metal[x < 8 ? 3 : 1]);
    hline(c, 2, 14, 14, r.metal[1]);
    hline(c, 2, 14, 9, r.metal[2]);
    Finish(c, r);
}

void WeaponRack(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 11, 14, 3, r.wood, 3);
    Rect(c, 2, 3, 1, 12, r.wood[1]);
    Rect(c, 13, 3, 1, 12, r.wood[1]);
    for (int i = 0; i < 3; ++i) {
        int x = 5 + i * 3;
        Rect(c, x, 2, 1, 11, i == 1 ? r.wood[2] : r.metal[3]);
        if (i == 1)
            FillPolygon(c, {{4.5f + i * 3, 3}, {5.5f + i * 3, 0}, {6.5f + i * 3, 3}}, r.metal[3]);
        else
            Rect(c, x - 1, 9, 3, 1, r.gold[1]);
    }
    Finish(c, r);
}

void ArmourStand(IndexedImage& c, const PropRamps& r) {
    Rect(c, 7, 20, 2, 9, r.wood[2]);
    hline(c, 4, 11, 29, r.wood[1]);
    texturedBall(c, 8, 5, 4, 4, r.metal, 0.05f, 371, 0.1f);
    Rect(c, 6, 5, 4, 2, r.ink);
    FillPolygon(c, {{2, 10}, {14, 10}, {12, 20}, {4, 20}},
                [&](int x, int) { return r.metal.Shade(x < 8 ? 0.8f : 0.4f); });
    hline(c, 4, 11, 17, r.gold[1]);
    Finish(c, r);
}

void Spikes(IndexedImage& c, const PropRamps& r) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            float x = 3 + i * 5 + j * 2.5f, y = 7 + j * 6;
            FillPolygon(c, {{x - 2, y + 2}, {x, y - 4}, {x + 2, y + 2}},
                        [&](int px, int) { return r.metal.Shade(px < x ? 0.9f : 0.4f); });
        }
    Finish(c, r);
}

void CrystalBall(IndexedImage& c, const PropRamps& r, Ramp glow) {
    FillPolygon(c, {{4, 15}, {12, 15}, {10, 11}, {6, 11}}, r.gold[1]);
    texturedBall(c, 8, 7, 5, 5, glow, 0.0f, 381, 0.2f);
    c.Set(6, 5, r.white[1]);
    Finish(c, r);
}

void RuneStone(IndexedImage& c, const PropRamps& r, Ramp glow) {
    FillPolygon(c, {{4, 15}, {3, 6}, {6, 2}, {11, 2}, {13, 7}, {12, 15}},
                [&](int x, int) { return r.rock.Shade(x < 8 ? 0.7f : 0.4f); });
    Line(c, 6, 5, 10, 9, glow[2]);
    Line(c, 10, 5, 6, 9, glow[2]);
    Line(c, 8, 9, 8, 13, glow[1]);
    Finish(c, r);
}

void BrokenPillar(IndexedImage& c, const PropRamps& r) {
    cylinder(c, 4, 11, 5, 13, r.stone, 0.05f);
    FillPolygon(c, {{4, 5}, {7, 3}, {9, 6}, {11, 2}, {11, 6}, {4, 6}}, r.stone[4]);
    BevelBox(c, 2, 13, 12, 3, r.stone, 3);
    c.Set(13, 15, r.stone[2]);
    Finish(c, r);
}

void Chains(IndexedImage& c, const PropRamps& r) {
    for (int x : {4, 11})
        for (int y = 0; y < 14; y += 3) {
            FrameRect(c, x - 1, y, 3, 3, r.metal[(y / 3) % 2 ? 1 : 3]);
        }
    FillEllipse(c, 4.5f, 15, 2, 1.2f, r.metal[2]);
    FillEllipse(c, 11.5f, 15, 2, 1.2f, r.metal[2]);
}

void MineCart(IndexedImage& c, const PropRamps& r, Ramp ore) {
    FillPolygon(c, {{1, 5}, {15, 5}, {13, 12}, {3, 12}},
                [&](int x, int y) { return r.metal.Shade(y < 7 ? 0.8f : 0.45f); });
    for (const Pt& p : {Pt{5, 4}, Pt{8, 3}, Pt{11, 4}})
        texturedBall(c, p.x, p.y, 2.2f, 1.8f, ore, 0.05f, 391, 0.2f);
    FillEllipse(c, 4.5f, 13, 1.8f, 1.8f, r.ink);
    FillEllipse(c, 11.5f, 13, 1.8f, 1.8f, r.ink);
    Finish(c, r);
}

void Shelf(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 1, 3, 14, 11, r.wood, 2);
    hline(c, 2, 13, 8, r.wood[4]);
    for (const Pt& p : {Pt{4, 6}, Pt{8, 6}, Pt{12, 6}})
        texturedBall(c, p.x, p.y, 1.5f, 1.8f, r.glass, 0.05f, 393, 0.2f);
    for (const Pt& p : {Pt{4, 11}, Pt{9, 11}})
        texturedBall(c, p.x, p.y, 2.2f, 1.8f, r.roof, 0.05f, 395);
    Finish(c, r);
}

void Clock(IndexedImage& c, const PropRamps& r) {
    BevelBox(c, 3, 2, 10, 28, r.wood, 2);
    FillEllipse(c, 8, 8, 4, 4, r.paper[3]);
    Line(c, 8, 8, 8, 5, r.ink);
    Line(c, 8, 8, 10, 9, r.ink);
    Rect(c, 5, 14, 6, 12, r.wood[0]);
    vline(c, 8, 14, 21, r.gold[1]);
    FillEllipse(c, 8, 22, 2, 2, r.gold[2]);
    Finish(c, r);
}

void Rubble(IndexedImage& c, const PropRamps& r) {
    for (const Pt& p : {Pt{4, 12}, Pt{10, 11}, Pt{7, 8}, Pt{13, 14}, Pt{3, 15}})
        FillEllipse(c, p.x, p.y, 2.8f, 2.2f, [&](int, int, float nx, float ny, float nz) {
            float qx = std::round(nx * 2) / 2, qy = std::round(ny * 2) / 2;
            return r.rock.Shade(Light::Lambert(qx, qy, 0.7f) * 1.1f);
        });
    Finish(c, r);
}

void Bucket(IndexedImage& c, const PropRamps& r) {
    FillPolygon(c, {{4, 7}, {12, 7}, {11, 14}, {5, 14}},
                [&](int x, int) { return r.wood.Shade(x < 8 ? 0.7f : 0.4f); });
    FillEllipse(c, 8, 7, 4, 1.5f, r.glass[1]);
    hline(c, 4, 11, 10, r.metal[1]);
    Line(c, 4, 7, 8, 2, r.metal[2]);
    Line(c, 8, 2, 12, 7, r.metal[2]);
    Finish(c, r);
}

void Boulder(IndexedImage& c, const PropRamps& r) {
    FillEllipse(c, 16, 18, 14, 12, [&](int, int, float nx, float ny, float nz) {
        float qx = std::round(nx * 3) / 3, qy = std::round(ny * 3) / 3;
        return r.rock.Shade(
            Light::Lambert(qx, qy, std::sqrt(std::max(0.1f, 1 - qx * qx * 0.6f - qy * qy * 0.6f))) * 1.15f);
    });
    Line(c, 10, 10, 16, 18, r.rock[1]);
    Line(c, 16, 18, 24, 16, r.rock[1]);
    for (int x = 8; x < 20; ++x)
        if (c.At(x, 7) && Hash01(x, 0, 397) > 0.4f) c.Set(x, 7, r.grass[3]);
    Finish(c, r);
}

} // namespace tarvel::rtp::props
