// Battle-animation sheets: cells of 96 x 96 in rows of 5, each cell one stage of an effect, on a
// transparent background. Cell n lies at ((n mod 5) x 96, (n div 5) x 96).
#include <cmath>
#include <functional>

#include "Draw.h"
#include "Scenes.h"

namespace tarvel::rtp {

namespace {

const float kPi = 3.14159265f;

struct Sheet {
    PaletteBuilder pal{{0, 0, 0}};
    IndexedImage img;
    int cells;
    explicit Sheet(int n) : img(480, ((n + 4) / 5) * 96), cells(n) {}
    // Draws cell n with a function of (cell image, t from 0 to 1).
    void Each(const std::function<void(IndexedImage&, float, int)>& draw) {
        for (int n = 0; n < cells; ++n) {
            IndexedImage c(96, 96);
            draw(c, cells > 1 ? n / float(cells - 1) : 0.0f, n);
            img.Blit(c, 0, 0, 96, 96, (n % 5) * 96, (n / 5) * 96, true);
        }
    }
    IndexedImage Done() {
        img.Palette() = pal.Build();
        return img;
    }
};

// A glowing disc: bright core, falling off to the ramp's dark end, dithered at the rim.
void glow(IndexedImage& c, float cx, float cy, float r, Ramp ramp, float strength = 1.0f) {
    FillEllipse(c, cx, cy, r, r, [&](int x, int y, float nx, float ny, float) -> uint8_t {
        float d = std::sqrt(nx * nx + ny * ny);
        float l = (1.0f - d) * 1.3f * strength;
        if (l < 0.12f && BayerThreshold(x, y) > l * 6) return 0;
        return ramp.Dither(l, x, y);
    });
}

void spark(IndexedImage& c, float x, float y, float size, uint8_t core, uint8_t rim) {
    int s = int(size);
    for (int i = -s; i <= s; ++i) {
        c.Set(int(x) + i, int(y), std::abs(i) < s / 2 + 1 ? core : rim);
        c.Set(int(x), int(y) + i, std::abs(i) < s / 2 + 1 ? core : rim);
    }
}

void bolt(IndexedImage& c, float x0, float y0, float x1, float y1, int segments, float jag, uint32_t seed,
          Ramp ramp, float width) {
    float px = x0, py = y0;
    for (int i = 1; i <= segments; ++i) {
        float t = i / float(segments);
        float nx = x0 + (x1 - x0) * t + (i < segments ? (Hash01(i, 0, seed) - 0.5f) * jag : 0);
        float ny = y0 + (y1 - y0) * t;
        ThickLine(c, px, py, nx, ny, width + 2, ramp[1]);
        ThickLine(c, px, py, nx, ny, width, ramp[ramp.count - 1]);
        px = nx, py = ny;
    }
}

IndexedImage slash() {
    Sheet s(5);
    Ramp blade = s.pal.AddRampThrough({{90, 110, 160}, {200, 220, 255}, {255, 255, 255}}, 5);
    s.Each([&](IndexedImage& c, float t, int n) {
        float sweep = std::min(1.0f, 0.15f + t * 1.6f);
        float fade = t > 0.6f ? (1 - t) / 0.4f : 1.0f;
        for (float a = 0; a < sweep; a += 0.01f) {
            float ang = -2.4f + a * 2.6f;
            float r = 34;
            float w = std::sin(a / std::max(sweep, 0.01f) * kPi) * 7 * fade + 1;
            float x = 48 + std::cos(ang) * r, y = 52 + std::sin(ang) * r;
            FillEllipse(c, x, y, w, w, blade[a > sweep - 0.15f ? 4 : 2]);
            FillEllipse(c, x, y, w * 0.45f, w * 0.45f, blade[4]);
        }
        if (n == 2) spark(c, 48 + std::cos(0.2f) * 34, 52 + std::sin(0.2f) * 34, 6, blade[4], blade[2]);
    });
    return s.Done();
}

IndexedImage hit() {
    Sheet s(5);
    Ramp star = s.pal.AddRampThrough({{200, 80, 20}, {255, 200, 80}, {255, 255, 230}}, 5);
    s.Each([&](IndexedImage& c, float t, int n) {
        float r = 12 + t * 28;
        int points = 8;
        std::vector<Pt> pts;
        for (int i = 0; i < points * 2; ++i) {
            float ang = i * kPi / points + t;
            float rr = (i % 2 ? r * 0.45f : r) * (n == 4 ? 0.7f : 1.0f);
            pts.push_back({48 + std::cos(ang) * rr, 48 + std::sin(ang) * rr});
        }
        if (n < 4) FillPolygon(c, pts, star[1]);
        glow(c, 48, 48, r * 0.6f, star, 1.2f - t);
        for (int i = 0; i < 6; ++i) {
            float ang = i * 1.05f + 0.3f;
            spark(c, 48 + std::cos(ang) * (r + 6), 48 + std::sin(ang) * (r + 6), 3 - t * 2, star[4], star[2]);
        }
    });
    return s.Done();
}

IndexedImage fire() {
    Sheet s(10);
    Ramp flame = s.pal.AddRampThrough(
        {{120, 20, 10}, {220, 70, 20}, {255, 160, 40}, {255, 230, 120}, {255, 255, 230}}, 8);
    s.Each([&](IndexedImage& c, float t, int n) {
        float grow = std::min(1.0f, t * 2.0f), fade = t > 0.7f ? (1 - t) / 0.3f : 1.0f;
        for (int i = 0; i < 7; ++i) {
            float x = 48 + (i - 3) * 9 * grow, base = 80;
            float h = (30 + Hash01(i, n, 31) * 30) * grow * fade;
            float w = 9 - std::abs(i - 3) * 1.2f;
            FillPolygon(c,
                        {{x - w, base},
                         {x - w * 0.4f, base - h * 0.6f},
                         {x + (Hash01(i, n, 33) - 0.5f) * 8, base - h},
                         {x + w * 0.5f, base - h * 0.5f},
                         {x + w, base}},
                        [&](int px, int py) {
                            return flame.Dither(0.3f + (py - (base - h)) / std::max(h, 1.0f) * 0.5f + 0.15f,
                                                px, py);
                        });
        }
        glow(c, 48, 70, 26 * grow * fade + 1, flame, 0.9f);
        for (int i = 0; i < 5; ++i) {
            float y = 70 - t * 60 - i * 8, x = 30 + Hash01(i, 7, 37) * 36;
            if (y > 4) spark(c, x, y, 1, flame[6], flame[3]);
        }
    });
    return s.Done();
}

IndexedImage ice() {
    Sheet s(10);
    Ramp crystal = s.pal.AddRampThrough({{30, 60, 140}, {90, 160, 230}, {180, 230, 255}, {255, 255, 255}}, 7);
    s.Each([&](IndexedImage& c, float t, int n) {
        bool shatter = t > 0.65f;
        float grow = std::min(1.0f, t * 1.8f);
        if (!shatter) {
            for (int i = 0; i < 5; ++i) {
                float x = 28 + i * 10, h = (20 + (i % 3) * 14) * grow, w = 6;
                FillPolygon(
                    c,
                    {{x - w, 82}, {x - w, 82 - h * 0.7f}, {x, 82 - h}, {x + w, 82 - h * 0.7f}, {x + w, 82}},
                    [&](int px, int py) { return crystal.Dither(px < x ? 0.85f : 0.45f, px, py); });
            }
            glow(c, 48, 60, 30 * grow, crystal, 0.5f);
        } else {
            float f = (t - 0.65f) / 0.35f;
            for (int i = 0; i < 14; ++i) {
                float ang = i * 0.45f, r = 10 + f * 40;
                float x = 48 + std::cos(ang) * r, y = 60 + std::sin(ang) * r * 0.8f;
                FillPolygon(c, {{x, y - 4}, {x + 3, y}, {x, y + 4}, {x - 3, y}}, crystal[i % 2 ? 6 : 3]);
            }
        }
        for (int i = 0; i < 6; ++i)
            spark(c, 16 + Hash01(i, n, 41) * 64, 10 + Hash01(i, n, 43) * 60, 2, crystal[6], crystal[3]);
    });
    return s.Done();
}

IndexedImage thunder() {
    Sheet s(10);
    Ramp light = s.pal.AddRampThrough({{80, 60, 160}, {160, 160, 255}, {240, 240, 255}, {255, 255, 200}}, 6);
    s.Each([&](IndexedImage& c, float t, int n) {
        if (n < 2) {
            glow(c, 48, 8, 10 + n * 8, light, 0.6f);
        } else if (n < 7) {
            bolt(c, 48 + (n % 2 ? 6 : -6), 0, 48, 80, 7, 22, 51 + n, light, n == 3 ? 4 : 2.5f);
            if (n % 2 == 0) bolt(c, 48, 40, 20 + n * 4, 70, 4, 14, 61 + n, light, 1.5f);
            glow(c, 48, 80, 16 + (n == 3 ? 10 : 0), light, 1.0f);
        } else {
            glow(c, 48, 80, 26 - (n - 7) * 6, light, 0.8f - (n - 7) * 0.2f);
        }
    });
    return s.Done();
}

IndexedImage heal() {
    Sheet s(10);
    Ramp green = s.pal.AddRampThrough({{40, 140, 80}, {120, 230, 140}, {220, 255, 220}, {255, 255, 255}}, 6);
    s.Each([&](IndexedImage& c, float t, int n) {
        float r = 10 + t * 30;
        for (int i = 0; i < 24; ++i) {
            float ang = i * kPi / 12;
            float x = 48 + std::cos(ang) * r, y = 64 + std::sin(ang) * r * 0.35f;
            if ((i + n) % 3 != 0) c.Set(int(x), int(y), green[t < 0.8f ? 4 : 2]);
        }
        for (int i = 0; i < 9; ++i) {
            float x = 24 + Hash01(i, 0, 71) * 48;
            float y = 80 - std::fmod(t * 90 + Hash01(i, 1, 71) * 60, 80.0f);
            float size = 1 + (i % 3);
            spark(c, x, y, size, green[5], green[2]);
        }
        if (n >= 3 && n <= 7) glow(c, 48, 48, 18, green, 0.7f - std::fabs(n - 5) * 0.15f);
    });
    return s.Done();
}

IndexedImage wind() {
    Sheet s(10);
    Ramp air = s.pal.AddRampThrough({{100, 160, 140}, {180, 230, 210}, {250, 255, 250}}, 5);
    s.Each([&](IndexedImage& c, float t, int n) {
        for (int arm = 0; arm < 3; ++arm)
            for (float a = 0; a < 4.5f; a += 0.04f) {
                float ang = a + arm * 2.1f + t * 6;
                float r = 6 + a * 8 * std::min(1.0f, t * 2 + 0.2f);
                float x = 48 + std::cos(ang) * r, y = 50 + std::sin(ang) * r * 0.6f - a * 3;
                float w = 1.5f + std::sin(a / 4.5f * kPi) * 2.5f * (1 - t * 0.5f);
                FillEllipse(c, x, y, w, w * 0.7f, air[a > 3.5f ? 2 : 3]);
            }
        for (int i = 0; i < 4; ++i) {
            float x = std::fmod(t * 200 + i * 30, 120.0f) - 12, y = 16 + i * 20;
            ThickLine(c, x, y, x + 14, y - 2, 1.5f, air[4]);
        }
    });
    return s.Done();
}

IndexedImage darkness() {
    Sheet s(10);
    Ramp dark = s.pal.AddRampThrough({{20, 0, 30}, {80, 20, 110}, {160, 70, 200}, {230, 170, 255}}, 7);
    s.Each([&](IndexedImage& c, float t, int n) {
        float r = t < 0.6f ? 6 + t * 50 : 36 - (t - 0.6f) * 60;
        FillEllipse(c, 48, 50, r, r, [&](int x, int y, float nx, float ny, float) -> uint8_t {
            float d = std::sqrt(nx * nx + ny * ny);
            float swirl = std::sin(std::atan2(ny, nx) * 5 + d * 8 - t * 12);
            float l = 0.15f + (1 - d) * 0.2f + swirl * 0.12f + (d > 0.85f ? 0.4f : 0);
            return dark.Dither(l, x, y);
        });
        for (int i = 0; i < 8; ++i) {
            float ang = i * kPi / 4 + t * 3;
            float rr = r + 6 + std::sin(t * 10 + i) * 4;
            spark(c, 48 + std::cos(ang) * rr, 50 + std::sin(ang) * rr, 2, dark[6], dark[3]);
        }
    });
    return s.Done();
}

IndexedImage holy() {
    Sheet s(10);
    Ramp light = s.pal.AddRampThrough({{200, 160, 60}, {255, 230, 140}, {255, 255, 230}, {255, 255, 255}}, 6);
    s.Each([&](IndexedImage& c, float t, int n) {
        float w = t < 0.5f ? t * 40 : (1 - t) * 40;
        for (int y = 0; y < 96; ++y)
            for (int x = int(48 - w); x <= int(48 + w); ++x) {
                float l = 1 - std::fabs(x - 48) / (w + 1);
                if (l < 0.15f && BayerThreshold(x, y) > l * 5) continue;
                c.Set(x, y, light.Dither(l * 0.9f + 0.1f, x, y));
            }
        if (n >= 3 && n <= 7) {
            Rect(c, 45, 30, 6, 44, light[5]);
            Rect(c, 34, 42, 28, 6, light[5]);
        }
        for (int i = 0; i < 6; ++i)
            spark(c, 20 + i * 11, 90 - std::fmod(t * 120 + i * 17, 90.0f), 2, light[5], light[2]);
    });
    return s.Done();
}

IndexedImage poison() {
    Sheet s(5);
    Ramp venom = s.pal.AddRampThrough({{60, 20, 80}, {140, 60, 170}, {200, 140, 230}, {240, 220, 250}}, 6);
    s.Each([&](IndexedImage& c, float t, int n) {
        for (int i = 0; i < 8; ++i) {
            float x = 22 + Hash01(i, 0, 81) * 52;
            float y = 80 - std::fmod(t * 70 + Hash01(i, 1, 81) * 70, 70.0f);
            float r = 3 + (i % 3) * 2 + t * 2;
            FillEllipse(c, x, y, r, r, [&](int px, int py, float nx, float ny, float nz) -> uint8_t {
                float d = nx * nx + ny * ny;
                if (d > 0.7f) return venom[2];
                return (nx < -0.2f && ny < -0.2f) ? venom[5] : 0;
            });
        }
        FillEllipse(c, 48, 84, 30 + t * 6, 6, [&](int x, int y, float nx, float ny, float nz) {
            return venom.Dither(0.3f + nz * 0.4f, x, y);
        });
    });
    return s.Done();
}

IndexedImage claw() {
    Sheet s(5);
    Ramp red = s.pal.AddRampThrough({{120, 10, 20}, {230, 50, 50}, {255, 180, 160}, {255, 255, 255}}, 5);
    s.Each([&](IndexedImage& c, float t, int n) {
        float reach = std::min(1.0f, t * 2.0f), fade = t > 0.6f ? (1 - t) / 0.4f : 1.0f;
        for (int k = 0; k < 3; ++k) {
            float x0 = 24 + k * 14, y0 = 14, x1 = x0 + 22, y1 = 82;
            float xe = x0 + (x1 - x0) * reach, ye = y0 + (y1 - y0) * reach;
            ThickLine(c, x0, y0, xe, ye, 5 * fade + 1, red[1]);
            ThickLine(c, x0, y0, xe, ye, 2 * fade + 0.5f, red[fade > 0.5f ? 4 : 2]);
        }
    });
    return s.Done();
}

} // namespace

std::vector<NamedPicture> MakeBattleAnimations() {
    return {{"Slash", slash()},     {"Hit", hit()},       {"Fire", fire()}, {"Ice", ice()},
            {"Thunder", thunder()}, {"Heal", heal()},     {"Wind", wind()}, {"Darkness", darkness()},
            {"Holy", holy()},       {"Poison", poison()}, {"Claw", claw()}};
}

} // namespace tarvel::rtp
