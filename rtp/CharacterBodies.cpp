#include "CharacterBodies.h"

#include <cmath>

#include "Draw.h"

namespace tarvel::rtp {

namespace {

const float kPi = 3.14159265f;

void ball(IndexedImage& f, float cx, float cy, float rx, float ry, Ramp ramp, float bias = 0.1f) {
    FillEllipse(f, cx, cy, rx, ry, [&](int, int, float nx, float ny, float nz) {
        return ramp.Shade(Light::Lambert(nx, ny, nz) * 1.15f + bias);
    });
}

void eyesFront(IndexedImage& f, const LookRamps& r, float cx, float y, float gap, bool glowing = false) {
    for (int s : {-1, 1}) {
        int x = int(cx + s * gap);
        f.Set(x, int(y), glowing ? r.eyes[1] : r.eyeWhite);
        f.Set(x, int(y) + 1, glowing ? r.eyes[0] : r.ink);
    }
}

int stepOf(int pattern) {
    return pattern == 0 ? -1 : pattern == 2 ? 1 : 0;
}

void slime(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    float rx = pattern == 0 ? 8.5f : pattern == 1 ? 7.5f : 6.5f;
    float ry = pattern == 0 ? 5.5f : pattern == 1 ? 6.5f : 7.5f;
    float cy = 29.5f - ry;
    FillEllipse(f, 12, cy, rx, ry, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
        if (ny > 0.85f) return r.main[0];
        return r.main.Shade(Light::Lambert(nx, ny, nz) * 1.1f + 0.15f);
    });
    // A peak on top and a shine.
    FillPolygon(f, {{9.5f, cy - ry + 1.5f}, {12.5f, cy - ry - 2.5f}, {14.5f, cy - ry + 1.5f}}, r.main[2]);
    f.Set(8, int(cy - ry / 2), r.white[1]);
    f.Set(9, int(cy - ry / 2) - 1, r.white[1]);
    if (dir == 2) {
        eyesFront(f, r, 12, cy - 1, 3);
        f.Set(12, int(cy) + 2, r.main[0]);
    } else if (dir == 1) {
        f.Set(16, int(cy) - 1, r.eyeWhite);
        f.Set(16, int(cy), r.ink);
    }
}

void bat(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    float cy = 15 + (pattern == 1 ? 1 : 0);
    float tip = pattern == 0 ? -6 : pattern == 1 ? 0 : 5;
    for (int s : {-1, 1}) {
        if (dir == 1 && s < 0) continue;
        float x0 = 12 + s * 3.0f, x1 = 12 + s * (dir == 1 ? 8.0f : 11.0f);
        FillPolygon(
            f,
            {{x0, cy - 2},
             {x1, cy + tip - 2},
             {x1 - s * 1.0f, cy + tip + 4},
             {x0 + s * 4.0f, cy + 3},
             {x0, cy + 3}},
            [&](int x, int y) { return r.main.Shade(0.35f + ((std::abs(x - 12) % 4 == 0) ? -0.2f : 0.1f)); });
    }
    ball(f, 12, cy, 4, 4, r.second);
    FillPolygon(f, {{9, cy - 3}, {9.5f, cy - 7}, {11, cy - 3}}, r.second[1]);
    FillPolygon(f, {{13, cy - 3}, {14.5f, cy - 7}, {15, cy - 3}}, r.second[1]);
    if (dir == 2) {
        f.Set(10, int(cy), r.eyes[1]);
        f.Set(14, int(cy), r.eyes[1]);
        f.Set(11, int(cy) + 2, r.eyeWhite);
        f.Set(13, int(cy) + 2, r.eyeWhite);
    } else if (dir == 1) {
        f.Set(15, int(cy), r.eyes[1]);
    }
}

void ghost(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    float dy = pattern == 0 ? -1 : pattern == 2 ? 1 : 0;
    float cy = 12 + dy;
    FillPolygon(f,
                {{5, cy},
                 {19, cy},
                 {19, cy + 13},
                 {16.5f, cy + 11 + dy},
                 {14, cy + 14},
                 {11.5f, cy + 11 - dy},
                 {9, cy + 14},
                 {6.5f, cy + 11 + dy},
                 {5, cy + 14}},
                [&](int x, int y) { return r.main.Shade(0.75f - (x - 5) * 0.035f - (y - cy) * 0.02f); });
    ball(f, 12, cy, 7, 7, r.main, 0.3f);
    if (dir == 2) {
        FillEllipse(f, 9.5f, cy + 1, 1.3f, 2, r.ink);
        FillEllipse(f, 14.5f, cy + 1, 1.3f, 2, r.ink);
        FillEllipse(f, 12, cy + 5, 1.5f, 1.2f, r.ink);
    } else if (dir == 1) {
        FillEllipse(f, 16, cy + 1, 1.2f, 2, r.ink);
    }
    ThickLine(f, dir == 1 ? 14 : 5, cy + 6, dir == 1 ? 18 : 2, cy + 9 - dy, 2, r.main[2]);
    if (dir != 1) ThickLine(f, 19, cy + 6, 22, cy + 9 + dy, 2, r.main[1]);
}

void quadruped(IndexedImage& f, const LookRamps& r, int dir, int pattern, bool horse) {
    int step = stepOf(pattern);
    Ramp fur = r.main, dark = r.second;
    if (dir == 1) {
        float bodyY = horse ? 17 : 20, headX = horse ? 18 : 17;
        // Far legs, body, near legs, head.
        for (int i = 0; i < 2; ++i) {
            float hx = i == 0 ? 8 : 15, fx = hx + (i == 0 ? step : -step) * 2.0f;
            ThickLine(f, hx, bodyY + 2, fx + 1, 29, 2.0f, fur[0]);
        }
        ball(f, 11.5f, bodyY, horse ? 8 : 7, horse ? 5 : 4.2f, fur);
        for (int i = 0; i < 2; ++i) {
            float hx = i == 0 ? 7 : 14, fx = hx + (i == 0 ? -step : step) * 2.0f;
            ThickLine(f, hx, bodyY + 2, fx, 29, 2.2f, fur[1]);
            Rect(f, int(fx) - 1, 28, 3, 2, dark[0]);
        }
        ThickLine(f, 4, bodyY - 1, 1, bodyY + (horse ? 6 : 2) + step, horse ? 2.5f : 2.2f,
                  horse ? dark[1] : fur[1]);
        float hy = horse ? 9 : 15;
        ThickLine(f, 15, bodyY - 1, headX, hy + 2, horse ? 4 : 3.5f, fur[2]);
        ball(f, headX, hy, horse ? 3.5f : 3.5f, horse ? 3 : 3, fur, 0.2f);
        FillEllipse(f, headX + 3, hy + 1.5f, horse ? 2.8f : 2.6f, 1.7f, fur[horse ? 1 : 2]);
        FillPolygon(f, {{headX - 2.5f, hy - 2}, {headX - 1.5f, hy - 6}, {headX, hy - 2}}, fur[2]);
        f.Set(int(headX) + 5, int(hy) + 1, r.ink);
        f.Set(int(headX) + 1, int(hy) - 1, r.ink);
        if (horse)
            for (int y = int(hy) - 3; y < bodyY - 3; ++y)
                f.Set(int(headX) - 2 - (y - int(hy)) / 3, y, dark[1]);
    } else {
        // Seen from the front or behind: body behind, legs stepping, head in front (or the rump).
        float top = horse ? 12 : 15;
        for (int s : {-1, 1}) {
            float x = 12 + s * 4.0f;
            int end = 29 + (s == step ? 0 : -1) * (step != 0 ? 1 : 0);
            Rect(f, int(x) - 1, int(top) + 6, 3, end - int(top) - 6, fur[s < 0 ? 2 : 1]);
            Rect(f, int(x) - 1, end - 1, 3, 2, dark[0]);
        }
        ball(f, 12, top + 6, 6.5f, 5.5f, fur);
        if (dir == 2) {
            ball(f, 12, top + (horse ? -2 : 1), horse ? 4.0f : 5.0f, horse ? 6.0f : 4.5f, fur, 0.25f);
            FillPolygon(f, {{7.5f, top - 1}, {8.5f, top - 6}, {10.5f, top - 2}}, fur[2]);
            FillPolygon(f, {{13.5f, top - 2}, {15.5f, top - 6}, {16.5f, top - 1}}, fur[1]);
            eyesFront(f, r, 12, top + (horse ? -2 : 0), 2.5f);
            FillEllipse(f, 12, top + (horse ? 3 : 3), 2.2f, 1.6f, fur[1]);
            f.Set(12, int(top) + (horse ? 3 : 3), r.ink);
        } else {
            ThickLine(f, 12, top + 3, 12 + step, top - 3, 2.5f, horse ? dark[1] : fur[2]);
            FillPolygon(f, {{7.5f, top + 1}, {8.5f, top - 4}, {10.5f, top}}, fur[2]);
            FillPolygon(f, {{13.5f, top}, {15.5f, top - 4}, {16.5f, top + 1}}, fur[1]);
        }
    }
}

void spider(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    int step = stepOf(pattern);
    for (int i = 0; i < 4; ++i)
        for (int s : {-1, 1}) {
            float y0 = 19 + i * 1.5f, lift = ((i + (s > 0)) % 2 ? step : -step) * 1.5f;
            float kx = 12 + s * (6 + i * 0.5f), ky = y0 - 4 + lift;
            ThickLine(f, 12, y0, kx, ky, 1.3f, r.main[1]);
            ThickLine(f, kx, ky, 12 + s * (9.5f + i * 0.4f), 28 + (i % 2), 1.2f, r.main[0]);
        }
    ball(f, 12, dir == 0 ? 18 : 22, 5.5f, 4.8f, r.main);
    ball(f, 12, dir == 0 ? 23 : 17, 3.5f, 3, r.main, 0.2f);
    if (dir == 2)
        for (int x : {10, 11, 13, 14})
            f.Set(x, 17, r.eyes[1]);
    else if (dir == 0) {
        Line(f, 10, 17, 14, 19, r.second[2]);
        Line(f, 14, 17, 10, 19, r.second[2]);
    }
}

void mushroom(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    int step = stepOf(pattern);
    Rect(f, 9 + (step < 0 ? -1 : 0), 27, 3, 3, r.second[0]);
    Rect(f, 13 + (step > 0 ? 1 : 0), 27, 3, 3, r.second[0]);
    FillEllipse(f, 12, 22, 5, 5.5f, [&](int x, int, float nx, float ny, float nz) {
        return r.skin.Shade(Light::Lambert(nx, ny, nz) + 0.3f);
    });
    FillEllipse(f, 12, 14, 10, 7.5f, [&](int, int y, float nx, float ny, float nz) -> uint8_t {
        if (y > 16) return 0;
        return r.main.Shade(Light::Lambert(nx, ny, nz) * 1.15f + 0.1f);
    });
    for (const Pt& p : {Pt{8, 10}, Pt{14, 9}, Pt{11, 14}, Pt{17, 13}, Pt{5, 14}})
        FillEllipse(f, p.x, p.y, 1.4f, 1.1f, r.white[1]);
    if (dir == 2) {
        eyesFront(f, r, 12, 20, 2);
        f.Set(12, 23, r.skin[0]);
    } else if (dir == 1) {
        f.Set(15, 20, r.eyeWhite);
        f.Set(15, 21, r.ink);
    }
}

void fairy(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    float dy = pattern == 1 ? 0 : -1;
    float wing = pattern == 1 ? 7 : 9;
    for (int s : {-1, 1})
        FillEllipse(f, 12 + s * 4.5f, 13 + dy, wing * 0.5f, wing * 0.7f,
                    [&](int, int, float, float ny, float) { return r.white[ny < 0 ? 1 : 0]; });
    FillPolygon(f, {{10, 16 + dy}, {14, 16 + dy}, {15.5f, 24 + dy}, {8.5f, 24 + dy}},
                [&](int x, int) { return r.main.Shade(x < 12 ? 0.7f : 0.4f); });
    ball(f, 12, 12 + dy, 4, 4, r.skin, 0.3f);
    FillEllipse(f, 12, 10 + dy, 4.5f, 3, r.hair[2]);
    if (dir == 2) eyesFront(f, r, 12, 12 + dy, 1.5f);
    if (dir == 1) f.Set(14, int(12 + dy), r.ink);
    f.Set(12, int(26 + dy), r.gold[2]);
    f.Set(12 + (pattern - 1) * 3, int(27 + dy), r.gold[1]);
}

void bird(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    float hop = pattern == 1 ? 0 : -2;
    ball(f, 12, 23 + hop, 5, 4, r.main);
    ball(f, dir == 1 ? 15 : 12, 18 + hop, 3, 3, r.main, 0.2f);
    if (dir == 1) {
        FillPolygon(f, {{17.5f, 17 + hop}, {21, 18.5f + hop}, {17.5f, 19.5f + hop}}, r.gold[2]);
        f.Set(16, int(17 + hop), r.ink);
        FillPolygon(f, {{7, 21 + hop}, {3, 19 + hop}, {7, 25 + hop}}, r.second[1]);
    } else if (dir == 2) {
        FillPolygon(f, {{11, 19 + hop}, {13, 19 + hop}, {12, 21 + hop}}, r.gold[2]);
        f.Set(10, int(17 + hop), r.ink);
        f.Set(14, int(17 + hop), r.ink);
    }
    for (int s : {-1, 1})
        Rect(f, 12 + s * 2, int(27 + hop), 1, 3 - int(hop), r.gold[1]);
}

// Objects: the four rows are stages (down: closed or off; left, right: between; up: open or on).
int stageOf(int dir) {
    return dir == 2 ? 0 : dir == 3 ? 1 : dir == 1 ? 2 : 3;
}

void chest(IndexedImage& f, const LookRamps& r, int stage, int pattern) {
    Ramp wood = r.main;
    FillPolygon(f, {{3, 18}, {21, 18}, {21, 29}, {3, 29}},
                [&](int x, int y) { return wood.Shade(0.65f - (x - 3) * 0.02f - (y == 28 ? 0.3f : 0)); });
    for (int x : {5, 18})
        Rect(f, x, 18, 2, 11, r.gold[1]);
    if (stage == 0) {
        FillEllipse(f, 12, 18, 9, 5, [&](int, int y, float nx, float ny, float nz) -> uint8_t {
            if (y > 18) return 0;
            return wood.Shade(Light::Lambert(nx, ny, nz) * 1.1f + 0.1f);
        });
        for (int x : {5, 18})
            Rect(f, x, 13, 2, 5, r.gold[2]);
        Rect(f, 11, 17, 3, 4, r.gold[2]);
        f.Set(12, 19, r.ink);
    } else {
        float open = stage * 3.0f;
        Rect(f, 4, 17, 16, 2, r.ink);
        if (stage == 3) {
            for (const Pt& p : {Pt{8, 17}, Pt{12, 16}, Pt{16, 17}})
                FillEllipse(f, p.x, p.y, 2, 1.4f, r.gold[2]);
            f.Set(12, 15 - pattern, r.white[1]);
        }
        FillPolygon(f, {{3, 18 - open}, {21, 18 - open}, {21, 13 - open * 0.6f}, {3, 13 - open * 0.6f}},
                    [&](int x, int y) { return wood.Shade(0.8f - (x - 3) * 0.02f); });
        for (int x : {5, 18})
            Rect(f, x, int(13 - open * 0.6f), 2, int(5 - open * 0.4f) + 1, r.gold[2]);
    }
}

void door(IndexedImage& f, const LookRamps& r, int stage) {
    FillPolygon(f, {{2, 29}, {2, 8}, {5, 3}, {19, 3}, {22, 8}, {22, 29}}, r.second[1]);
    FillPolygon(f, {{4, 29}, {4, 9}, {6, 5}, {18, 5}, {20, 9}, {20, 29}}, r.ink);
    float w = 16 - stage * 5.0f;
    if (w > 0)
        FillPolygon(f, {{4, 29}, {4, 9}, {6, 5}, {4 + w, 5}, {4 + w, 29}}, [&](int x, int y) {
            float l = 0.6f - (x - 4) * 0.015f;
            if ((x - 4) % 4 == 3) l -= 0.25f;
            return r.main.Shade(l);
        });
    if (stage == 0) f.Set(17, 18, r.gold[2]);
}

void crystal(IndexedImage& f, const LookRamps& r, int pattern, float bob) {
    float cy = 15 + bob;
    float w = pattern == 1 ? 6 : 4.5f;
    FillPolygon(f, {{12, cy - 11}, {12 + w, cy}, {12, cy + 10}, {12 - w, cy}}, [&](int x, int y) {
        bool left = x < 12 + (pattern - 1) * 2;
        bool upper = y < cy;
        return r.main.Shade(left ? (upper ? 0.95f : 0.6f) : (upper ? 0.55f : 0.25f));
    });
    f.Set(10, int(cy) - 5, r.white[1]);
    FillEllipse(f, 12, 29, 5, 1.2f, r.main[0]);
}

void orb(IndexedImage& f, const LookRamps& r, int pattern) {
    float glow = pattern == 1 ? 8 : 7;
    FillEllipse(f, 12, 16, glow, glow, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
        float d = nx * nx + ny * ny;
        if (d > 0.8f) return ((x + y) % 2) ? r.main[1] : 0;
        return r.main.Shade(Light::Lambert(nx, ny, nz) * 0.8f + 0.45f);
    });
    f.Set(9, 13, r.white[1]);
    f.Set(10, 12, r.white[1]);
    Rect(f, 9, 25, 6, 3, r.second[1]);
    Rect(f, 7, 28, 10, 2, r.second[0]);
}

void lever(IndexedImage& f, const LookRamps& r, int stage) {
    Rect(f, 6, 24, 12, 5, r.second[1]);
    Rect(f, 6, 24, 12, 1, r.second[2]);
    float ang = (-0.6f + stage * 0.4f);
    float tx = 12 + std::sin(ang) * 10, ty = 25 - std::cos(ang) * 10;
    ThickLine(f, 12, 25, tx, ty, 2, r.metal[2]);
    ball(f, tx, ty, 2.2f, 2.2f, r.main, 0.2f);
}

void hull(IndexedImage& f, const LookRamps& r, int dir, float top, float bottom, float half, Ramp wood) {
    if (dir == 1) {
        FillPolygon(f,
                    {{12 - half - 1, top},
                     {12 + half + 2, top - 1},
                     {12 + half - 1, bottom},
                     {12 - half + 1, bottom}},
                    [&](int, int y) { return wood.Shade(y == int(top) ? 0.85f : 0.5f - (y - top) * 0.05f); });
    } else {
        FillPolygon(
            f, {{12 - half, top}, {12 + half, top}, {12 + half * 0.7f, bottom}, {12 - half * 0.7f, bottom}},
            [&](int x, int y) { return wood.Shade(y == int(top) ? 0.85f : 0.6f - (x - 12) * 0.04f); });
        if (dir == 2)
            FillPolygon(f, {{12 - half * 0.5f, bottom}, {12, bottom + 3}, {12 + half * 0.5f, bottom}},
                        wood[1]);
    }
}

void waves(IndexedImage& f, const LookRamps& r, int pattern, float y) {
    for (int x = 1; x < 23; ++x)
        if ((x + pattern * 2) % 5 < 2) f.Set(x, int(y), r.white[1]);
}

void boat(IndexedImage& f, const LookRamps& r, int dir, int pattern, bool raft) {
    float bob = pattern == 1 ? 0 : 1;
    if (raft) {
        for (int i = 0; i < 5; ++i) {
            float x = 5 + i * 3.5f;
            FillEllipse(f, x, 24 + bob, 1.8f, 5, [&](int, int, float nx, float ny, float nz) {
                return r.main.Shade(Light::Lambert(nx, ny, nz) + 0.1f);
            });
        }
        Rect(f, 11, 12 + int(bob), 2, 12, r.second[1]);
        FillPolygon(f, {{13, 12 + bob}, {20, 14 + bob}, {13, 19 + bob}}, r.white[1]);
    } else {
        hull(f, r, dir, 20 + bob, 28 + bob, dir == 1 ? 9 : 7, r.main);
        Rect(f, dir == 1 ? 9 : 10, 20 + int(bob), dir == 1 ? 6 : 4, 1, r.main[0]);
        if (dir == 2 || dir == 0) {
            ThickLine(f, 5, 21 + bob, 2, 25 + bob + pattern - 1, 1.2f, r.second[2]);
            ThickLine(f, 19, 21 + bob, 22, 25 + bob - pattern + 1, 1.2f, r.second[2]);
        }
    }
    waves(f, r, pattern, 29 + bob);
}

void ship(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    float bob = pattern == 1 ? 0 : 1;
    hull(f, r, dir, 19 + bob, 28 + bob, dir == 1 ? 10 : 8, r.main);
    Rect(f, 11, 3 + int(bob), 2, 17, r.second[1]);
    if (dir == 1) {
        FillPolygon(f, {{13, 4 + bob}, {20, 7 + bob}, {19, 16 + bob}, {13, 17 + bob}},
                    [&](int x, int) { return r.white.Shade(x < 16 ? 1.0f : 0.0f); });
        FillPolygon(f, {{10, 6 + bob}, {5, 15 + bob}, {10, 16 + bob}}, r.white[0]);
    } else {
        FillPolygon(f, {{4, 6 + bob}, {20, 6 + bob}, {19, 16 + bob}, {5, 16 + bob}},
                    [&](int x, int) { return r.white.Shade(x < 12 ? 1.0f : 0.0f); });
        Rect(f, 4, 5 + int(bob), 16, 1, r.second[2]);
        if (dir == 2) FillEllipse(f, 12, 11 + bob, 2.5f, 2.5f, r.gold[2]);
    }
    FillPolygon(f, {{12, 0 + bob}, {16, 1.5f + bob}, {12, 3 + bob}}, r.gold[2]);
    waves(f, r, pattern, 29 + bob);
}

void airship(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    float bob = pattern == 0 ? 0 : pattern == 1 ? 1 : 0;
    ball(f, 12, 9 + bob, dir == 1 ? 11 : 9, 7, r.main, 0.1f);
    for (int x = 4; x < 21; x += 4)
        Line(f, x, int(3 + bob), x, int(15 + bob), r.main[1]);
    Line(f, 7, int(15 + bob), 8, int(21 + bob), r.second[0]);
    Line(f, 17, int(15 + bob), 16, int(21 + bob), r.second[0]);
    hull(f, r, dir, 21 + bob, 27 + bob, 7, r.second);
    // The propeller turns.
    int px = dir == 1 ? 2 : 12, py = int(24 + bob);
    if (dir != 2) {
        if (pattern == 1)
            Line(f, px, py - 3, px, py + 3, r.metal[3]);
        else
            Line(f, px - 2, py - 2 + pattern, px + 2, py + 2 - pattern, r.metal[3]);
    }
    FillEllipse(f, 12, 30, 6, 1.2f, r.ink);
}

void cart(IndexedImage& f, const LookRamps& r, int dir, int pattern) {
    if (dir == 1) {
        Rect(f, 2, 14, 20, 9, r.main[2]);
        Rect(f, 2, 14, 20, 1, r.main[3]);
        for (int x = 6; x < 22; x += 5)
            Line(f, x, 15, x, 22, r.main[1]);
        for (float wx : {7.0f, 17.0f}) {
            FillEllipse(f, wx, 24, 4.5f, 4.5f, r.second[1]);
            FillEllipse(f, wx, 24, 3, 3, 0);
            for (int k = 0; k < 2; ++k) {
                float a = (pattern + k * 1.5f) * kPi / 3;
                Line(f, int(wx + std::cos(a) * 3), int(24 + std::sin(a) * 3), int(wx - std::cos(a) * 3),
                     int(24 - std::sin(a) * 3), r.second[2]);
            }
        }
    } else {
        Rect(f, 4, 12, 16, 13, r.main[2]);
        Rect(f, 4, 12, 16, 2, r.main[3]);
        for (int s : {-1, 1})
            Rect(f, 12 + s * 8 - 1, 18, 3, 11 - (s == stepOf(pattern) ? 1 : 0), r.second[1]);
        if (dir == 2) Line(f, 12, 25, 12, 31, r.second[2]);
    }
}

} // namespace

bool MirrorsLeft(Body body) {
    return !(body == Body::Chest || body == Body::Door || body == Body::Crystal || body == Body::Orb ||
             body == Body::Lever);
}

void PaintCreature(IndexedImage& f, const CharacterLook& look, const LookRamps& r, int dir, int pattern) {
    switch (look.body) {
    case Body::Slime:
        slime(f, r, dir, pattern);
        break;
    case Body::Bat:
        bat(f, r, dir, pattern);
        break;
    case Body::Ghost:
        ghost(f, r, dir, pattern);
        break;
    case Body::Wolf:
        quadruped(f, r, dir, pattern, false);
        break;
    case Body::Horse:
        quadruped(f, r, dir, pattern, true);
        break;
    case Body::Spider:
        spider(f, r, dir, pattern);
        break;
    case Body::Mushroom:
        mushroom(f, r, dir, pattern);
        break;
    case Body::Fairy:
        fairy(f, r, dir, pattern);
        break;
    case Body::Bird:
        bird(f, r, dir, pattern);
        break;
    case Body::Chest:
        chest(f, r, stageOf(dir), pattern);
        break;
    case Body::Door:
        door(f, r, stageOf(dir));
        break;
    case Body::Crystal:
        crystal(f, r, pattern, dir == 0 ? -1.0f : dir == 2 ? 0.0f : -0.5f);
        break;
    case Body::Orb:
        orb(f, r, pattern);
        break;
    case Body::Lever:
        lever(f, r, stageOf(dir));
        break;
    case Body::Boat:
        boat(f, r, dir, pattern, false);
        break;
    case Body::Raft:
        boat(f, r, dir, pattern, true);
        break;
    case Body::Ship:
        ship(f, r, dir, pattern);
        break;
    case Body::Airship:
        airship(f, r, dir, pattern);
        break;
    case Body::Cart:
        cart(f, r, dir, pattern);
        break;
    case Body::Humanoid:
        break;
    }
}

} // namespace tarvel::rtp
