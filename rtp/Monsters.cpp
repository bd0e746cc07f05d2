// Battle graphics of the monsters: each a shaded, outlined figure on a transparent background.
#include <cmath>

#include "Draw.h"
#include "Scenes.h"

namespace tarvel::rtp {

namespace {

const float kPi = 3.14159265f;

struct M {
    PaletteBuilder pal{{255, 0, 255}};
    IndexedImage img;
    uint8_t ink;
    M(int w, int h) : img(w, h) { ink = pal.Add({20, 16, 26}); }
    IndexedImage Done() {
        OutlineWith(img, 0, 0, img.Width(), img.Height(), ink);
        img.Palette() = pal.Build();
        return img;
    }
};

void blob(IndexedImage& img, float cx, float cy, float rx, float ry, Ramp ramp, float bias = 0.0f,
          bool dither = true) {
    FillEllipse(img, cx, cy, rx, ry, [&](int x, int y, float nx, float ny, float nz) {
        float l = Light::Lambert(nx, ny, nz) * 1.1f + bias;
        return dither ? ramp.Dither(l, x, y) : ramp.Shade(l);
    });
}

// A tapered, shaded limb from (x0, y0) (width w0) to (x1, y1) (width w1).
void limb(IndexedImage& img, float x0, float y0, float x1, float y1, float w0, float w1, Ramp ramp,
          float bias = 0) {
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    float len = std::sqrt(len2);
    if (len < 0.01f) return;
    float maxW = std::max(w0, w1) / 2 + 1;
    int xa = int(std::min(x0, x1) - maxW), xb = int(std::max(x0, x1) + maxW);
    int ya = int(std::min(y0, y1) - maxW), yb = int(std::max(y0, y1) + maxW);
    for (int y = ya; y <= yb; ++y)
        for (int x = xa; x <= xb; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            float cx = t * dx, cy = t * dy;
            float ox = px - cx, oy = py - cy;
            float d = std::sqrt(ox * ox + oy * oy);
            float half = (w0 + (w1 - w0) * t) / 2;
            if (d > half) continue;
            float nx = ox / half, ny = oy / half;
            float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
            img.Set(x, y, ramp.Dither(Light::Lambert(nx, ny, nz) * 1.1f + bias, x, y));
        }
}

IndexedImage slime() {
    M m(64, 56);
    Ramp body = m.pal.AddRampThrough({{20, 70, 40}, {60, 160, 80}, {130, 220, 120}, {220, 255, 200}}, 8);
    uint8_t white = m.pal.Add({250, 255, 250}), dark = m.pal.Add({20, 40, 30}),
            mouth = m.pal.Add({140, 40, 50});
    FillEllipse(m.img, 32, 36, 27, 17, [&](int x, int y, float nx, float ny, float nz) {
        return body.Dither(Light::Lambert(nx, ny, nz) * 1.1f + (ny > 0.7f ? -0.2f : 0.1f), x, y);
    });
    FillPolygon(m.img, {{20, 24}, {34, 4}, {44, 24}},
                [&](int x, int y) { return body.Dither(0.55f + (34 - x) * 0.02f - (y - 4) * 0.005f, x, y); });
    blob(m.img, 32, 24, 12, 8, body, 0.1f);
    FillEllipse(m.img, 17, 27, 5, 3, body[7]);
    FillEllipse(m.img, 24, 13, 2, 3, body[7]);
    FillEllipse(m.img, 24, 34, 4.5f, 5, white);
    FillEllipse(m.img, 40, 34, 4.5f, 5, white);
    FillEllipse(m.img, 25, 35, 2.5f, 3, dark);
    FillEllipse(m.img, 41, 35, 2.5f, 3, dark);
    m.img.Set(24, 33, white);
    m.img.Set(40, 33, white);
    FillEllipse(m.img, 32, 43, 5, 3,
                [&](int, int y, float, float, float) -> uint8_t { return y < 43 ? 0 : mouth; });
    return m.Done();
}

IndexedImage bat() {
    M m(104, 64);
    Ramp wing = m.pal.AddRampThrough({{40, 20, 60}, {100, 60, 130}, {160, 110, 190}}, 6);
    Ramp body = m.pal.AddRampThrough({{30, 20, 40}, {80, 60, 100}, {150, 120, 170}}, 6);
    uint8_t eyeC = m.pal.Add({255, 220, 60}), fang = m.pal.Add({250, 250, 240}),
            mouth = m.pal.Add({120, 20, 40});
    for (int s : {-1, 1}) {
        std::vector<Pt> pts = {{52.0f + s * 8, 22},  {52.0f + s * 22, 6},  {52.0f + s * 40, 4},
                               {52.0f + s * 50, 14}, {52.0f + s * 44, 26}, {52.0f + s * 38, 22},
                               {52.0f + s * 32, 36}, {52.0f + s * 24, 30}, {52.0f + s * 16, 42},
                               {52.0f + s * 8, 34}};
        FillPolygon(m.img, pts, [&](int x, int y) {
            return wing.Dither(0.55f - std::fabs(x - 52) * 0.006f + (y < 12 ? 0.2f : 0), x, y);
        });
        for (int k = 0; k < 3; ++k)
            limb(m.img, 52.0f + s * 20, 8, 52.0f + s * (26 + k * 8), 24.0f + k * 5 - k * k * 2, 2, 1, body,
                 0.2f);
        limb(m.img, 52.0f + s * 8, 22, 52.0f + s * 40, 4, 3, 2, body, 0.2f);
    }
    blob(m.img, 52, 30, 12, 13, body, 0.1f);
    FillPolygon(m.img, {{43, 22}, {42, 8}, {50, 19}}, body[3]);
    FillPolygon(m.img, {{54, 19}, {62, 8}, {61, 22}}, body[2]);
    FillEllipse(m.img, 47, 28, 2.5f, 2, eyeC);
    FillEllipse(m.img, 57, 28, 2.5f, 2, eyeC);
    FillEllipse(m.img, 52, 35, 5, 2.5f, mouth);
    FillPolygon(m.img, {{48, 35}, {50, 35}, {49, 39}}, fang);
    FillPolygon(m.img, {{54, 35}, {56, 35}, {55, 39}}, fang);
    limb(m.img, 47, 42, 45, 50, 3, 2, body);
    limb(m.img, 57, 42, 59, 50, 3, 2, body);
    return m.Done();
}

IndexedImage goblin() {
    M m(80, 104);
    Ramp skin = m.pal.AddRampThrough({{40, 70, 20}, {100, 150, 50}, {170, 210, 100}}, 7);
    Ramp cloth = m.pal.AddRampThrough({{60, 36, 20}, {130, 90, 50}, {190, 150, 100}}, 6);
    Ramp club = m.pal.AddRampThrough({{60, 40, 20}, {140, 100, 60}, {200, 160, 110}}, 5);
    uint8_t eyeC = m.pal.Add({255, 230, 60}), tooth = m.pal.Add({250, 246, 220}),
            mouth = m.pal.Add({90, 20, 20});
    limb(m.img, 30, 70, 26, 98, 10, 8, skin);
    limb(m.img, 46, 70, 52, 98, 10, 8, skin, -0.1f);
    FillEllipse(m.img, 24, 99, 7, 3, cloth[1]);
    FillEllipse(m.img, 54, 99, 7, 3, cloth[1]);
    blob(m.img, 38, 60, 18, 18, cloth, 0.05f);
    FillPolygon(m.img, {{22, 66}, {54, 66}, {58, 80}, {18, 80}},
                [&](int x, int y) { return cloth.Dither(0.5f - (x - 38) * 0.015f, x, y); });
    for (int x = 20; x < 58; x += 6)
        FillPolygon(m.img, {{float(x), 80}, {x + 3.0f, 85}, {x + 6.0f, 80}}, cloth[2]);
    limb(m.img, 22, 50, 12, 70, 8, 7, skin, 0.1f);
    limb(m.img, 54, 50, 64, 64, 8, 7, skin, -0.1f);
    // A club held high.
    limb(m.img, 66, 66, 74, 24, 5, 11, club);
    for (const Pt& p : {Pt{72, 30}, Pt{75, 38}, Pt{70, 44}})
        FillEllipse(m.img, p.x, p.y, 1.5f, 1.5f, club[0]);
    blob(m.img, 65, 64, 5, 5, skin);
    // Head with long ears.
    FillPolygon(m.img, {{20, 26}, {2, 14}, {22, 36}}, [&](int x, int y) { return skin.Dither(0.6f, x, y); });
    FillPolygon(m.img, {{56, 26}, {76, 14}, {54, 36}}, [&](int x, int y) { return skin.Dither(0.4f, x, y); });
    blob(m.img, 38, 30, 18, 17, skin, 0.1f);
    FillEllipse(m.img, 30, 28, 4, 3.5f, eyeC);
    FillEllipse(m.img, 46, 28, 4, 3.5f, eyeC);
    Rect(m.img, 30, 27, 2, 3, m.ink);
    Rect(m.img, 46, 27, 2, 3, m.ink);
    Line(m.img, 25, 22, 34, 25, m.ink);
    Line(m.img, 51, 22, 42, 25, m.ink);
    blob(m.img, 38, 34, 4, 4, skin, 0.2f);
    FillEllipse(m.img, 38, 41, 9, 4,
                [&](int, int y, float, float, float) -> uint8_t { return y < 40 ? 0 : mouth; });
    for (int x = 31; x < 46; x += 4)
        FillPolygon(m.img, {{float(x), 40}, {x + 3.0f, 40}, {x + 1.5f, 44}}, tooth);
    return m.Done();
}

IndexedImage wolf() {
    M m(120, 84);
    Ramp fur = m.pal.AddRampThrough({{40, 40, 50}, {100, 100, 114}, {170, 170, 184}, {230, 230, 240}}, 8);
    uint8_t eyeC = m.pal.Add({255, 200, 40}), tooth = m.pal.Add({250, 250, 240}),
            mouth = m.pal.Add({110, 30, 40});
    limb(m.img, 30, 48, 24, 78, 9, 6, fur, -0.2f);
    limb(m.img, 76, 48, 84, 78, 9, 6, fur, -0.2f);
    limb(m.img, 20, 40, 2, 20, 10, 5, fur, 0.05f);
    blob(m.img, 52, 44, 34, 18, fur, 0.0f);
    for (int i = 0; i < 12; ++i) {
        float x = 24 + i * 5;
        FillPolygon(m.img, {{x, 28}, {x + 3, 22.0f + (i % 3)}, {x + 5, 29}}, fur[5]);
    }
    limb(m.img, 38, 52, 34, 80, 10, 7, fur, 0.1f);
    limb(m.img, 70, 52, 74, 80, 10, 7, fur, 0.1f);
    for (float x : {24.0f, 34.0f, 74.0f, 84.0f})
        FillEllipse(m.img, x, 80, 5, 2.5f, fur[1]);
    // Head: skull, snout, ears, open jaws.
    blob(m.img, 92, 30, 15, 14, fur, 0.1f);
    FillPolygon(m.img, {{82, 20}, {84, 4}, {92, 18}}, fur[4]);
    FillPolygon(m.img, {{94, 18}, {102, 4}, {104, 22}}, fur[3]);
    limb(m.img, 98, 34, 116, 36, 12, 8, fur, 0.15f);
    FillPolygon(m.img, {{100, 40}, {118, 40}, {112, 50}, {98, 46}}, mouth);
    for (float x : {103.0f, 108.0f, 113.0f})
        FillPolygon(m.img, {{x, 40}, {x + 2, 40}, {x + 1, 44}}, tooth);
    FillEllipse(m.img, 116, 34, 2, 2, m.ink);
    FillEllipse(m.img, 94, 26, 3, 2, eyeC);
    m.img.Set(95, 26, m.ink);
    return m.Done();
}

IndexedImage skeleton() {
    M m(80, 120);
    Ramp bone = m.pal.AddRampThrough({{110, 100, 80}, {200, 190, 160}, {250, 246, 230}}, 6);
    Ramp metal = m.pal.AddRampThrough({{60, 60, 70}, {140, 140, 160}, {220, 220, 236}}, 5);
    Ramp shield = m.pal.AddRampThrough({{70, 30, 30}, {150, 50, 50}}, 3);
    uint8_t glow = m.pal.Add({255, 80, 60});
    limb(m.img, 32, 74, 28, 114, 5, 4, bone);
    limb(m.img, 46, 74, 50, 114, 5, 4, bone, -0.1f);
    FillEllipse(m.img, 26, 115, 6, 2.5f, bone[3]);
    FillEllipse(m.img, 52, 115, 6, 2.5f, bone[2]);
    blob(m.img, 39, 72, 11, 6, bone);
    limb(m.img, 39, 40, 39, 70, 4, 4, bone);
    for (int i = 0; i < 4; ++i) {
        float y = 44 + i * 6;
        limb(m.img, 26, y + 2, 39, y, 3, 3, bone, 0.1f);
        limb(m.img, 39, y, 52, y + 2, 3, 3, bone, -0.1f);
    }
    limb(m.img, 26, 40, 52, 40, 5, 5, bone);
    // Sword arm and shield arm.
    limb(m.img, 52, 40, 62, 60, 4, 4, bone, -0.1f);
    limb(m.img, 62, 60, 66, 48, 3, 3, bone);
    limb(m.img, 66, 50, 74, 8, 4, 3, metal, 0.2f);
    Rect(m.img, 60, 48, 12, 3, metal[1]);
    limb(m.img, 26, 40, 16, 58, 4, 4, bone);
    FillPolygon(m.img, {{4, 48}, {24, 48}, {24, 70}, {14, 80}, {4, 70}},
                [&](int x, int y) { return shield.Dither(x < 14 ? 0.8f : 0.4f, x, y); });
    FillEllipse(m.img, 14, 62, 3, 3, metal[3]);
    // Skull.
    blob(m.img, 39, 22, 13, 14, bone, 0.15f);
    Rect(m.img, 32, 32, 15, 6, bone[3]);
    FillEllipse(m.img, 33, 22, 4, 4.5f, m.ink);
    FillEllipse(m.img, 45, 22, 4, 4.5f, m.ink);
    m.img.Set(33, 22, glow);
    m.img.Set(45, 22, glow);
    FillPolygon(m.img, {{37, 28}, {41, 28}, {39, 31}}, m.ink);
    for (int x = 33; x < 47; x += 3)
        Line(m.img, x, 34, x, 37, m.ink);
    return m.Done();
}

IndexedImage mushroom() {
    M m(72, 84);
    Ramp cap = m.pal.AddRampThrough({{90, 20, 30}, {200, 50, 60}, {250, 130, 120}}, 7);
    Ramp stem = m.pal.AddRampThrough({{150, 130, 100}, {230, 214, 180}, {255, 250, 236}}, 5);
    uint8_t spot = m.pal.Add({255, 250, 240}), mouth = m.pal.Add({80, 30, 30});
    limb(m.img, 28, 70, 24, 80, 7, 6, stem, -0.2f);
    limb(m.img, 44, 70, 48, 80, 7, 6, stem, -0.2f);
    blob(m.img, 36, 58, 16, 18, stem, 0.2f);
    limb(m.img, 22, 54, 10, 62, 5, 4, stem);
    limb(m.img, 50, 54, 62, 60, 5, 4, stem, -0.1f);
    FillEllipse(m.img, 36, 30, 34, 24, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
        if (ny > 0.45f) return 0;
        return cap.Dither(Light::Lambert(nx, ny, nz) * 1.1f + 0.05f, x, y);
    });
    FillEllipse(m.img, 36, 41, 30, 3, cap[1]);
    for (const Pt& p : {Pt{20, 22}, Pt{36, 14}, Pt{52, 22}, Pt{28, 34}, Pt{46, 34}, Pt{10, 34}, Pt{62, 32}})
        FillEllipse(m.img, p.x, p.y, 4, 3, spot);
    FillEllipse(m.img, 30, 54, 2, 3, m.ink);
    FillEllipse(m.img, 42, 54, 2, 3, m.ink);
    FillEllipse(m.img, 36, 62, 4, 2, mouth);
    return m.Done();
}

IndexedImage snake() {
    M m(104, 100);
    Ramp scales = m.pal.AddRampThrough({{30, 60, 30}, {80, 140, 60}, {170, 210, 110}}, 8);
    Ramp belly = m.pal.AddRampThrough({{150, 140, 80}, {240, 230, 160}}, 4);
    uint8_t eyeC = m.pal.Add({255, 210, 40}), tongue = m.pal.Add({220, 40, 60});
    // Coils from the back forward, then the raised neck and head.
    for (int i = 0; i < 3; ++i)
        blob(m.img, 52, 88 - i * 10, 40 - i * 8, 10, scales, -0.05f * i);
    limb(m.img, 58, 66, 64, 30, 16, 14, scales, 0.05f);
    for (int y = 36; y < 66; y += 4)
        Rect(m.img, 62, y, 6, 2, belly[2]);
    blob(m.img, 64, 24, 16, 12, scales, 0.15f);
    limb(m.img, 72, 28, 92, 30, 12, 8, scales, 0.15f);
    FillEllipse(m.img, 70, 20, 4, 3, eyeC);
    Rect(m.img, 70, 18, 1, 5, m.ink);
    Line(m.img, 94, 31, 100, 31, tongue);
    Line(m.img, 100, 31, 103, 28, tongue);
    Line(m.img, 100, 31, 103, 34, tongue);
    for (int i = 0; i < 30; ++i) {
        int x = 16 + int(Hash01(i, 0, 991) * 72), y = 70 + int(Hash01(i, 1, 991) * 26);
        if (m.img.At(x, y) && m.img.At(x + 2, y))
            m.img.Set(x, y, scales[1]), m.img.Set(x + 1, y + 1, scales[1]);
    }
    return m.Done();
}

IndexedImage ghost() {
    M m(88, 100);
    Ramp sheet = m.pal.AddRampThrough({{90, 100, 150}, {180, 190, 230}, {250, 252, 255}}, 7);
    uint8_t hollow = m.pal.Add({30, 20, 60}), glow = m.pal.Add({120, 220, 255});
    std::vector<Pt> pts = {{14, 40}, {74, 40}, {78, 80}};
    for (int i = 0; i <= 6; ++i)
        pts.push_back({78.0f - i * 11, 84.0f + (i % 2 ? 10 : 0) + (i == 3 ? 4 : 0)});
    pts.push_back({10, 80});
    FillPolygon(m.img, pts, [&](int x, int y) {
        return sheet.Dither(0.6f - (x - 44) * 0.008f - (y - 40) * 0.004f, x, y);
    });
    blob(m.img, 44, 36, 30, 30, sheet, 0.2f);
    limb(m.img, 16, 50, 2, 64, 10, 6, sheet);
    limb(m.img, 72, 50, 86, 58, 10, 6, sheet, -0.1f);
    FillEllipse(m.img, 34, 34, 6, 9, hollow);
    FillEllipse(m.img, 54, 34, 6, 9, hollow);
    FillEllipse(m.img, 35, 36, 2, 2, glow);
    FillEllipse(m.img, 55, 36, 2, 2, glow);
    FillEllipse(m.img, 44, 54, 7, 8, hollow);
    return m.Done();
}

IndexedImage spider() {
    M m(120, 84);
    Ramp body = m.pal.AddRampThrough({{20, 14, 30}, {70, 50, 90}, {140, 110, 160}}, 7);
    Ramp mark = m.pal.AddRampThrough({{160, 30, 30}, {240, 80, 60}}, 2);
    uint8_t eyeC = m.pal.Add({255, 60, 60});
    for (int i = 0; i < 4; ++i)
        for (int s : {-1, 1}) {
            float hx = 60 + s * 8, hy = 46 + i * 3;
            float kx = 60 + s * (26 + i * 6), ky = 20 + i * 6;
            float fx = 60 + s * (36 + i * 7), fy = 80 - (i % 2) * 4;
            limb(m.img, hx, hy, kx, ky, 6, 5, body, s < 0 ? 0.1f : -0.1f);
            limb(m.img, kx, ky, fx, fy, 5, 2, body, s < 0 ? 0.1f : -0.1f);
        }
    blob(m.img, 60, 34, 26, 22, body, 0.05f);
    FillPolygon(m.img, {{60, 20}, {66, 30}, {60, 40}, {54, 30}}, mark[1]);
    blob(m.img, 60, 56, 13, 11, body, 0.15f);
    for (const Pt& p : {Pt{54, 54}, Pt{66, 54}, Pt{57, 50}, Pt{63, 50}})
        FillEllipse(m.img, p.x, p.y, 2, 2, eyeC);
    limb(m.img, 55, 64, 53, 72, 4, 2, body);
    limb(m.img, 65, 64, 67, 72, 4, 2, body);
    return m.Done();
}

IndexedImage golem() {
    M m(120, 140);
    Ramp stone = m.pal.AddRampThrough({{50, 46, 50}, {120, 112, 110}, {190, 184, 170}}, 8);
    Ramp moss = m.pal.AddRampThrough({{40, 80, 30}, {90, 150, 60}}, 3);
    uint8_t rune = m.pal.Add({90, 230, 255}), runeDark = m.pal.Add({40, 120, 200});
    auto block = [&](float x0, float y0, float x1, float y1) {
        FillPolygon(m.img, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, [&](int x, int y) {
            float l = 0.55f + (Fbm(x, y, 8, 0, 2, 1001) - 0.5f) * 0.3f;
            if (x - x0 < 3 || y - y0 < 3) l += 0.2f;
            if (x1 - x < 3 || y1 - y < 3) l -= 0.25f;
            return stone.Dither(l, x, y);
        });
    };
    block(30, 100, 52, 136);
    block(68, 100, 90, 136);
    block(24, 44, 96, 104);
    block(4, 44, 26, 94);
    block(94, 44, 116, 94);
    block(0, 90, 30, 112);
    block(90, 90, 120, 112);
    block(42, 12, 78, 46);
    for (int i = 0; i < 80; ++i) {
        int x = 24 + int(Hash01(i, 0, 1003) * 72), y = 44 + int(Hash01(i, 1, 1003) * 10);
        if (m.img.At(x, y)) m.img.Set(x, y, moss[i % 3]);
    }
    for (int x = 44; x < 76; ++x)
        if (m.img.At(x, 13)) m.img.Set(x, 13, moss[(x / 2) % 3]);
    Rect(m.img, 48, 26, 8, 4, rune);
    Rect(m.img, 64, 26, 8, 4, rune);
    FillPolygon(m.img, {{60, 60}, {72, 72}, {60, 88}, {48, 72}}, runeDark);
    FillPolygon(m.img, {{60, 64}, {68, 72}, {60, 84}, {52, 72}}, rune);
    return m.Done();
}

IndexedImage eyeball() {
    M m(88, 96);
    Ramp flesh = m.pal.AddRampThrough({{110, 40, 60}, {200, 120, 140}, {250, 220, 220}}, 7);
    Ramp iris = m.pal.AddRampThrough({{40, 80, 20}, {140, 200, 60}}, 3);
    Ramp tent = m.pal.AddRampThrough({{60, 20, 50}, {140, 60, 110}}, 4);
    uint8_t vein = m.pal.Add({200, 40, 50}), pupil = m.pal.Add({10, 10, 10}),
            shine = m.pal.Add({255, 255, 255});
    for (int i = 0; i < 5; ++i) {
        float x0 = 26 + i * 9, sway = (i % 2 ? 6 : -6);
        limb(m.img, x0, 62, x0 + sway, 80, 7, 5, tent);
        limb(m.img, x0 + sway, 80, x0 - sway * 0.5f, 94, 5, 2, tent);
    }
    blob(m.img, 44, 40, 36, 34, flesh, 0.2f);
    for (int i = 0; i < 6; ++i) {
        float a = i * 1.1f;
        float x = 44 + std::cos(a) * 32, y = 40 + std::sin(a) * 30;
        Line(m.img, int(x), int(y), int(44 + std::cos(a + 0.3f) * 20), int(40 + std::sin(a + 0.3f) * 18),
             vein);
    }
    blob(m.img, 48, 42, 15, 15, iris, 0.2f, false);
    FillEllipse(m.img, 49, 43, 7, 9, pupil);
    FillEllipse(m.img, 42, 36, 3, 3, shine);
    return m.Done();
}

IndexedImage dragon() {
    M m(208, 156);
    Ramp scales = m.pal.AddRampThrough({{60, 10, 20}, {160, 40, 40}, {230, 110, 70}, {255, 200, 140}}, 9);
    Ramp wing = m.pal.AddRampThrough({{50, 20, 40}, {120, 50, 70}, {190, 100, 110}}, 6);
    Ramp belly = m.pal.AddRampThrough({{160, 110, 50}, {240, 200, 110}}, 4);
    Ramp horn = m.pal.AddRampThrough({{120, 110, 100}, {240, 236, 220}}, 3);
    uint8_t eyeC = m.pal.Add({255, 240, 80}), fire = m.pal.Add({255, 160, 40});
    // Far wing, tail, body, legs, near wing, neck and head.
    FillPolygon(m.img,
                {{110, 60}, {150, 6}, {200, 10}, {186, 40}, {176, 34}, {168, 60}, {156, 52}, {146, 76}},
                [&](int x, int y) { return wing.Dither(0.35f + (y < 20 ? 0.2f : 0), x, y); });
    limb(m.img, 60, 110, 20, 130, 22, 12, scales, -0.05f);
    limb(m.img, 20, 130, 6, 108, 12, 5, scales);
    FillPolygon(m.img, {{2, 106}, {8, 96}, {12, 108}}, horn[1]);
    blob(m.img, 96, 100, 46, 32, scales, 0.0f);
    for (int y = 96; y < 130; y += 5)
        for (int x = 80; x < 126; ++x)
            if (m.img.At(x, y) && std::fabs(x - 104) < 16 - (y - 96) * 0.2f)
                m.img.Set(x, y, belly[2]), m.img.Set(x, y + 1, belly[1]);
    limb(m.img, 70, 114, 62, 146, 18, 12, scales, -0.1f);
    limb(m.img, 118, 114, 126, 146, 18, 12, scales, 0.05f);
    for (float x : {62.0f, 126.0f})
        for (int c = -1; c <= 1; ++c)
            FillPolygon(m.img, {{x + c * 5 - 2, 146}, {x + c * 5 + 2, 146}, {x + c * 6, 152}}, horn[2]);
    FillPolygon(m.img, {{80, 76}, {30, 8}, {6, 30}, {20, 40}, {14, 58}, {34, 62}, {36, 84}, {60, 86}},
                [&](int x, int y) { return wing.Dither(0.6f - std::fabs(x - 40) * 0.004f, x, y); });
    for (const Pt& p : {Pt{6, 30}, Pt{14, 58}, Pt{36, 84}})
        limb(m.img, 30, 8, p.x, p.y, 3, 2, scales, 0.2f);
    limb(m.img, 80, 76, 30, 8, 5, 3, scales, 0.2f);
    limb(m.img, 124, 86, 150, 46, 26, 18, scales, 0.1f);
    for (int i = 0; i < 5; ++i) {
        float t = i / 4.0f;
        float x = 128 + t * 20, y = 76 - t * 34;
        FillPolygon(m.img, {{x - 6, y - 4}, {x - 12, y - 12}, {x - 2, y - 8}}, scales[6]);
    }
    blob(m.img, 160, 40, 20, 16, scales, 0.15f);
    limb(m.img, 166, 46, 198, 52, 16, 10, scales, 0.1f);
    FillPolygon(m.img, {{176, 54}, {204, 54}, {196, 62}, {176, 60}}, scales[1]);
    FillPolygon(m.img, {{150, 28}, {136, 4}, {158, 24}},
                [&](int x, int) { return horn.Shade(x < 146 ? 0.9f : 0.4f); });
    FillPolygon(m.img, {{164, 26}, {160, 2}, {172, 26}},
                [&](int x, int) { return horn.Shade(x < 166 ? 0.9f : 0.4f); });
    FillEllipse(m.img, 168, 38, 4, 3, eyeC);
    Rect(m.img, 169, 36, 1, 5, m.ink);
    FillEllipse(m.img, 198, 48, 1.5f, 1.5f, m.ink);
    for (int i = 0; i < 4; ++i)
        m.img.Set(200 + i % 2, 58 + i, fire);
    return m.Done();
}

IndexedImage darkKnight() {
    M m(88, 124);
    Ramp armour = m.pal.AddRampThrough({{16, 16, 26}, {60, 60, 84}, {130, 130, 160}, {200, 200, 230}}, 8);
    Ramp cape = m.pal.AddRampThrough({{40, 6, 16}, {120, 20, 40}}, 4);
    Ramp blade = m.pal.AddRampThrough({{80, 80, 100}, {220, 220, 240}}, 4);
    uint8_t glow = m.pal.Add({255, 60, 40});
    FillPolygon(m.img, {{22, 30}, {66, 30}, {78, 118}, {10, 118}},
                [&](int x, int y) { return cape.Dither(0.55f - std::fabs(x - 44) * 0.01f, x, y); });
    limb(m.img, 36, 78, 32, 116, 12, 10, armour);
    limb(m.img, 52, 78, 56, 116, 12, 10, armour, -0.1f);
    blob(m.img, 44, 56, 20, 26, armour, 0.05f);
    blob(m.img, 24, 36, 10, 8, armour, 0.1f);
    blob(m.img, 64, 36, 10, 8, armour, 0.0f);
    limb(m.img, 22, 40, 16, 70, 9, 8, armour, 0.1f);
    limb(m.img, 66, 40, 72, 66, 9, 8, armour);
    // A great sword planted before it.
    limb(m.img, 74, 70, 74, 122, 7, 3, blade, 0.2f);
    Rect(m.img, 64, 64, 20, 4, armour[6]);
    Rect(m.img, 72, 50, 4, 14, cape[1]);
    blob(m.img, 44, 20, 13, 15, armour, 0.15f);
    FillPolygon(m.img, {{32, 12}, {24, 0}, {36, 8}}, armour[6]);
    FillPolygon(m.img, {{56, 12}, {64, 0}, {52, 8}}, armour[5]);
    Rect(m.img, 34, 19, 20, 3, m.ink);
    Rect(m.img, 37, 20, 4, 1, glow);
    Rect(m.img, 47, 20, 4, 1, glow);
    for (int y = 24; y < 32; y += 2)
        Rect(m.img, 40, y, 8, 1, m.ink);
    return m.Done();
}

} // namespace

std::vector<NamedPicture> MakeMonsters() {
    return {
        {"Slime", slime()},          {"Bat", bat()},           {"Goblin", goblin()},   {"Wolf", wolf()},
        {"Skeleton", skeleton()},    {"Mushroom", mushroom()}, {"Snake", snake()},     {"Ghost", ghost()},
        {"Spider", spider()},        {"Golem", golem()},       {"Eyeball", eyeball()}, {"Dragon", dragon()},
        {"DarkKnight", darkKnight()}};
}

} // namespace tarvel::rtp
