// Scenic pictures: titles, game-over screens, battle backdrops, panoramas and event pictures.
// Each is painted in layers from the sky down, in ramps of one palette.
#include "Scenes.h"

#include <cmath>
#include <functional>

#include "Draw.h"
#include "Movie.h"
#include "Palette.h"

namespace tarvel::rtp {

namespace {

const float kPi = 3.14159265f;

struct Canvas {
    PaletteBuilder pal;
    IndexedImage img;
    Canvas(int w, int h, Rgb key = {0, 0, 0}) : pal(key), img(w, h) {}
    IndexedImage Done() {
        img.Palette() = pal.Build();
        return img;
    }
};

// Sky: a gradient from top to bottom (0 at top .. 1 at the horizon), dithered.
void sky(IndexedImage& img, Ramp ramp, int y0, int y1, float from = 0.0f, float to = 1.0f) {
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < img.Width(); ++x) {
            float t = (y - y0) / float(std::max(1, y1 - y0 - 1));
            img.Set(x, y, ramp.Dither(from + (to - from) * t, x, y));
        }
}

// A ridge line: the height of a range at x (wrapping every period pixels).
float ridge(float x, float scale, int period, uint32_t seed) {
    return Fbm(x, 0, int(scale), period, 4, seed);
}

// A range of mountains: the silhouette from a ridge line, lit on the slopes that face left.
void mountains(IndexedImage& img, Ramp ramp, float baseY, float amp, float scale, uint32_t seed,
               Ramp* snow = nullptr, float snowLine = 0.75f) {
    int w = img.Width();
    for (int x = 0; x < w; ++x) {
        float h = ridge(x, scale, w, seed);
        float top = baseY - h * amp;
        // The slope in pixels per pixel over a few columns, so the light changes with the face of
        // the mountain rather than from column to column.
        float slope = (ridge(x + 3, scale, w, seed) - ridge(x - 3, scale, w, seed)) * amp / 6.0f;
        for (int y = int(top); y < img.Height(); ++y) {
            if (y < 0) continue;
            float depth = (y - top) / (amp + 1);
            // Rock faces: light from a height field's slope towards the upper left, so ridges and
            // gullies run down the mountain at angles instead of in columns.
            auto field = [&](float fx, float fy) { return Fbm(fx + fy * 0.6f, fy, 16, 0, 3, seed + 17); };
            float gx = field(x + 1, y) - field(x - 1, y), gy = field(x, y + 1) - field(x, y - 1);
            float rough = (-gx - gy) * 4.0f;
            float l = 0.55f - std::clamp(slope, -1.5f, 1.5f) * 0.15f - depth * 0.3f + rough * 0.35f;
            uint8_t v = ramp.Dither(l, x, y);
            if (snow && h > snowLine && y < top + (h - snowLine) * amp * 1.2f + rough * 4)
                v = snow->Dither(0.6f - std::clamp(slope, -1.5f, 1.5f) * 0.3f, x, y);
            img.Set(x, y, v);
        }
    }
}

// Rolling hills or a tree line: a smooth or bumpy silhouette filled below, lit from above.
void hills(IndexedImage& img, Ramp ramp, float baseY, float amp, float scale, uint32_t seed,
           float bumps = 0) {
    int w = img.Width();
    for (int x = 0; x < w; ++x) {
        float h = ridge(x, scale, w, seed);
        if (bumps > 0) h += std::fabs(std::sin(x * kPi / bumps)) * 0.25f;
        float top = baseY - h * amp;
        for (int y = std::max(0, int(top)); y < img.Height(); ++y) {
            float d = y - top;
            float l = d < 2 ? 0.85f : 0.6f - d * 0.02f;
            if (bumps > 0) l += (std::fabs(std::sin(x * kPi / bumps)) - 0.5f) * 0.3f;
            img.Set(x, y, ramp.Dither(l, x, y));
        }
    }
}

void cloud(IndexedImage& img, float cx, float cy, float w, Ramp ramp, uint32_t seed, bool wrap = false) {
    int puffs = int(w / 8) + 2;
    for (int i = 0; i < puffs; ++i) {
        float px = cx - w / 2 + (i + 0.5f) * w / puffs;
        float r = w / puffs * (0.9f + Hash01(i, 0, seed) * 0.7f);
        float py = cy - r * 0.3f * (1 - std::fabs((px - cx) / (w / 2)));
        // Clouds of a panorama wrap around, so the picture repeats without a seam.
        for (int shift : {0, img.Width(), -img.Width()}) {
            FillEllipse(img, px + shift, py, r, r * 0.7f,
                        [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                            if (y > cy + r * 0.2f) return 0;
                            return ramp.Dither(0.35f + Light::Lambert(nx, ny, nz) * 0.8f, x, y);
                        });
            if (!wrap) break;
        }
    }
}

void stars(IndexedImage& img, int count, int maxY, uint8_t dim, uint8_t bright, uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        int x = int(Hash01(i, 1, seed) * img.Width()), y = int(Hash01(i, 2, seed) * maxY);
        bool big = Hash01(i, 3, seed) > 0.9f;
        img.Set(x, y, big ? bright : dim);
        if (big) {
            img.Set(x + 1, y, dim);
            img.Set(x - 1, y, dim);
            img.Set(x, y + 1, dim);
            img.Set(x, y - 1, dim);
        }
    }
}

// The ground of a battle backdrop: bands that grow towards the viewer, textured by noise.
void ground(IndexedImage& img, Ramp ramp, int horizon, uint32_t seed, float base = 0.5f,
            float contrast = 0.35f) {
    for (int y = horizon; y < img.Height(); ++y) {
        float depth = (y - horizon + 4.0f);
        float z = 40.0f / depth;
        for (int x = 0; x < img.Width(); ++x) {
            float u = (x - img.Width() / 2.0f) * z / 8.0f, v = z * 6.0f;
            float n = Fbm(u * 4 + 100, v * 4, 4, 0, 3, seed) - 0.5f;
            float l = base + n * contrast + (y - horizon) / float(img.Height() - horizon) * 0.15f;
            img.Set(x, y, ramp.Dither(l, x, y));
        }
    }
}

void sun(IndexedImage& img, float cx, float cy, float r, Ramp ramp) {
    FillEllipse(img, cx, cy, r * 1.6f, r * 1.6f, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
        float d = std::sqrt(nx * nx + ny * ny);
        return ((x + y) % 2 == 0 && d > 0.65f) ? 0 : ramp.Shade(1.0f - d * 0.5f);
    });
}

// Trees drawn as shaded cone-topped silhouettes along a line.
void pineRow(IndexedImage& img, Ramp ramp, float baseY, int count, float height, uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        float x = (i + Hash01(i, 0, seed) * 0.8f) * img.Width() / count;
        float h = height * (0.7f + Hash01(i, 1, seed) * 0.5f);
        float w = h * 0.35f;
        FillPolygon(img, {{x - w, baseY}, {x, baseY - h}, {x + w, baseY}},
                    [&](int px, int py) { return ramp.Dither(px < x ? 0.55f : 0.25f, px, py); });
    }
}

void castleSilhouette(IndexedImage& img, float cx, float baseY, float scale, uint8_t wall, uint8_t dark,
                      uint8_t window) {
    auto tower = [&](float x, float w, float h, bool roof) {
        Rect(img, int(x - w / 2), int(baseY - h), int(w), int(h), wall);
        Rect(img, int(x + w / 2 - w * 0.3f), int(baseY - h), int(w * 0.3f), int(h), dark);
        if (roof)
            FillPolygon(img,
                        {{x - w / 2 - 2 * scale, baseY - h},
                         {x, baseY - h - w * 1.1f},
                         {x + w / 2 + 2 * scale, baseY - h}},
                        dark);
        else
            for (float bx = x - w / 2; bx < x + w / 2; bx += 4 * scale)
                Rect(img, int(bx), int(baseY - h - 3 * scale), int(2 * scale), int(3 * scale), wall);
        for (int i = 0; i < 2; ++i)
            Rect(img, int(x - scale), int(baseY - h * (0.45f + i * 0.3f)), int(2 * scale), int(3 * scale),
                 window);
    };
    Rect(img, int(cx - 40 * scale), int(baseY - 24 * scale), int(80 * scale), int(24 * scale), wall);
    for (float bx = cx - 40 * scale; bx < cx + 40 * scale; bx += 6 * scale)
        Rect(img, int(bx), int(baseY - 28 * scale), int(3 * scale), int(4 * scale), wall);
    tower(cx - 40 * scale, 12 * scale, 40 * scale, true);
    tower(cx + 40 * scale, 12 * scale, 40 * scale, true);
    tower(cx - 14 * scale, 14 * scale, 54 * scale, false);
    tower(cx + 14 * scale, 14 * scale, 54 * scale, false);
    tower(cx, 18 * scale, 70 * scale, true);
    FillEllipse(img, cx, baseY - 8 * scale, 6 * scale, 8 * scale, dark);
    Rect(img, int(cx - 6 * scale), int(baseY - 8 * scale), int(12 * scale), int(8 * scale), dark);
}

// Big letters with a bevel: the small font scaled up, lit on top, dark at the bottom, outlined.
void bigText(IndexedImage& img, int x, int y, const char* text, int scale, Ramp ramp, uint8_t ink) {
    IndexedImage layer(img.Width(), img.Height());
    // Drawn twice, half a font pixel apart, so the strokes are bold.
    DrawText(layer, x, y, text, ramp[1], scale);
    DrawText(layer, x + scale / 2, y, text, ramp[1], scale);
    for (int yy = 0; yy < img.Height(); ++yy)
        for (int xx = 0; xx < img.Width(); ++xx) {
            if (!layer.At(xx, yy)) continue;
            // Lit from above: a gradient over the height of the letters.
            float t = (yy - y) / float(7 * scale);
            uint8_t v = ramp.Dither(0.95f - t * 0.75f, xx, yy);
            if (!layer.At(xx, yy - 1)) v = ramp.Lightest();
            if (!layer.At(xx, yy + 1)) v = ramp[0];
            layer.Set(xx, yy, v);
        }
    OutlineWith(layer, 0, 0, layer.Width(), layer.Height(), ink);
    OutlineWith(layer, 0, 0, layer.Width(), layer.Height(), ink);
    img.Blit(layer, 0, 0, true);
}

} // namespace

std::vector<NamedPicture> MakeTitles() {
    std::vector<NamedPicture> out;
    {
        // Dawn over a castle on a hill.
        Canvas c(320, 240);
        Ramp skyR =
            c.pal.AddRampThrough({{40, 36, 90}, {120, 70, 130}, {230, 120, 110}, {255, 200, 130}}, 12);
        Ramp sunR = c.pal.AddRampThrough({{255, 210, 140}, {255, 250, 220}}, 3);
        Ramp cloudR = c.pal.AddRampThrough({{110, 70, 120}, {230, 140, 140}, {255, 220, 190}}, 5);
        Ramp farR = c.pal.AddRampThrough({{90, 70, 120}, {150, 110, 150}}, 4);
        Ramp midR = c.pal.AddRampThrough({{50, 50, 90}, {100, 80, 120}}, 4);
        Ramp hillR = c.pal.AddRampThrough({{24, 30, 50}, {60, 60, 90}}, 4);
        uint8_t wall = c.pal.Add({36, 34, 60}), dark = c.pal.Add({22, 20, 40}),
                window = c.pal.Add({255, 210, 110});
        Ramp frontR = c.pal.AddRampThrough({{10, 14, 24}, {30, 40, 50}}, 3);
        sky(c.img, skyR, 0, 240, 0.0f, 1.0f);
        sun(c.img, 230, 150, 18, sunR);
        cloud(c.img, 70, 60, 90, cloudR, 1);
        cloud(c.img, 250, 45, 70, cloudR, 2);
        cloud(c.img, 170, 95, 60, cloudR, 3);
        mountains(c.img, farR, 170, 70, 64, 11);
        hills(c.img, midR, 190, 30, 64, 12);
        hills(c.img, hillR, 200, 50, 128, 13);
        castleSilhouette(c.img, 160, 162, 1.0f, wall, dark, window);
        // The hill the castle stands on.
        FillEllipse(c.img, 160, 206, 120, 46, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
            return hillR.Dither(0.35f + Light::Lambert(nx, ny, nz) * 0.5f, x, y);
        });
        hills(c.img, frontR, 232, 20, 32, 14, 9);
        out.push_back({"Title1", c.Done()});
    }
    {
        // A ship on a moonlit sea.
        Canvas c(320, 240);
        Ramp skyR = c.pal.AddRampThrough({{6, 8, 30}, {20, 30, 80}, {50, 70, 130}}, 10);
        Ramp starR = c.pal.AddRampThrough({{150, 160, 200}, {255, 255, 255}}, 2);
        Ramp moonR = c.pal.AddRampThrough({{200, 200, 180}, {255, 255, 235}}, 3);
        Ramp seaR = c.pal.AddRampThrough({{6, 12, 36}, {30, 50, 100}, {90, 120, 170}}, 8);
        Ramp glint = c.pal.AddRampThrough({{180, 190, 200}, {255, 255, 230}}, 2);
        Ramp cloudR = c.pal.AddRampThrough({{30, 36, 70}, {90, 100, 140}}, 4);
        uint8_t hull = c.pal.Add({14, 12, 20}), sail = c.pal.Add({40, 40, 60}),
                lamp = c.pal.Add({255, 200, 100});
        sky(c.img, skyR, 0, 150);
        stars(c.img, 140, 140, starR[0], starR[1], 21);
        FillEllipse(c.img, 240, 55, 22, 22, [&](int, int, float nx, float ny, float nz) {
            return moonR.Shade(0.6f + Light::Lambert(nx, ny, nz) * 0.5f);
        });
        FillEllipse(c.img, 233, 50, 4, 3, moonR[0]);
        FillEllipse(c.img, 248, 62, 3, 3, moonR[0]);
        cloud(c.img, 90, 70, 110, cloudR, 23);
        for (int y = 150; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                float depth = (y - 150) / 90.0f;
                float wave = std::sin(x * 0.15f / (0.2f + depth) + y * 0.9f) * 0.5f + 0.5f;
                uint8_t v = seaR.Dither(0.3f + depth * 0.35f + wave * 0.15f, x, y);
                if (std::fabs(x - 240) < 8 + depth * 30 && wave > 0.75f) v = glint[wave > 0.9f ? 1 : 0];
                c.img.Set(x, y, v);
            }
        // The ship.
        FillPolygon(c.img, {{60, 150}, {140, 150}, {128, 166}, {72, 166}}, hull);
        Rect(c.img, 98, 80, 3, 72, hull);
        Rect(c.img, 124, 100, 2, 50, hull);
        FillPolygon(c.img, {{76, 90}, {100, 86}, {100, 140}, {80, 140}}, sail);
        FillPolygon(c.img, {{102, 92}, {122, 104}, {122, 144}, {102, 140}}, sail);
        FillPolygon(c.img, {{127, 106}, {140, 118}, {127, 140}}, sail);
        Rect(c.img, 80, 155, 3, 3, lamp);
        Rect(c.img, 110, 155, 3, 3, lamp);
        out.push_back({"Title2", c.Done()});
    }
    return out;
}

std::vector<NamedPicture> MakeGameOvers() {
    std::vector<NamedPicture> out;
    {
        Canvas c(320, 240);
        Ramp skyR = c.pal.AddRampThrough({{4, 2, 6}, {40, 6, 12}, {90, 20, 24}}, 10);
        Ramp letters =
            c.pal.AddRampThrough({{90, 10, 20}, {200, 40, 40}, {255, 140, 110}, {255, 230, 200}}, 6);
        Ramp groundR = c.pal.AddRampThrough({{8, 4, 8}, {30, 16, 20}}, 3);
        Ramp sword = c.pal.AddRampThrough({{60, 60, 70}, {150, 150, 170}, {230, 230, 240}}, 4);
        uint8_t ink = c.pal.Add({0, 0, 0});
        uint8_t hilt = c.pal.Add({120, 80, 40});
        sky(c.img, skyR, 0, 240, 0.0f, 1.0f);
        hills(c.img, groundR, 205, 14, 64, 31);
        // A sword left in the ground.
        FillPolygon(c.img, {{157, 200}, {157, 130}, {160, 124}, {163, 130}, {163, 200}},
                    [&](int x, int) { return sword.Shade(x < 160 ? 0.9f : 0.4f); });
        Rect(c.img, 146, 122, 28, 5, hilt);
        Rect(c.img, 158, 106, 5, 16, hilt);
        FillEllipse(c.img, 160, 104, 4, 4, sword[2]);
        OutlineWith(c.img, 140, 95, 40, 110, ink);
        int w = TextWidth("GAME OVER", 4);
        bigText(c.img, (320 - w) / 2, 50, "GAME OVER", 4, letters, ink);
        out.push_back({"GameOver1", c.Done()});
    }
    {
        Canvas c(320, 240);
        Ramp skyR = c.pal.AddRampThrough({{20, 22, 30}, {70, 76, 90}, {130, 134, 146}}, 10);
        Ramp fog = c.pal.AddRampThrough({{110, 114, 126}, {170, 174, 186}}, 3);
        Ramp stone = c.pal.AddRampThrough({{30, 30, 38}, {70, 70, 80}, {110, 110, 120}}, 4);
        Ramp letters = c.pal.AddRampThrough({{70, 70, 80}, {170, 170, 190}, {240, 240, 250}}, 5);
        uint8_t ink = c.pal.Add({6, 6, 10});
        sky(c.img, skyR, 0, 240, 0.0f, 0.8f);
        hills(c.img, stone, 200, 20, 128, 41);
        for (int i = 0; i < 5; ++i) {
            float x = 40 + i * 60 + (i % 2) * 12, h = 30 + (i * 7) % 14;
            FillEllipse(c.img, x, 200 - h, 12, 10,
                        [&](int px, int, float, float, float) { return stone.Shade(px < x ? 0.6f : 0.3f); });
            FillPolygon(c.img, {{x - 12, 200 - h}, {x + 12, 200 - h}, {x + 12, 205}, {x - 12, 205}},
                        [&](int px, int) { return stone.Shade(px < x ? 0.6f : 0.3f); });
            Rect(c.img, int(x) - 1, int(200 - h) - 6, 3, 14, stone[0]);
            Rect(c.img, int(x) - 5, int(200 - h) - 2, 11, 3, stone[0]);
        }
        for (int y = 190; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                // Mist drawn on every other pixel, so the stones show through it.
                if ((x + y) % 2 == 0 && Fbm(x, y * 3, 32, 0, 3, 43) > 0.55f)
                    c.img.Set(x, y, fog.Dither(0.3f, x, y));
        int w = TextWidth("GAME OVER", 4);
        bigText(c.img, (320 - w) / 2, 60, "GAME OVER", 4, letters, ink);
        out.push_back({"GameOver2", c.Done()});
    }
    return out;
}

namespace {

struct BackdropColours {
    std::vector<Rgb> sky;
    std::vector<Rgb> far, mid, ground;
};

IndexedImage outdoorBackdrop(const BackdropColours& colours, int kind, uint32_t seed) {
    Canvas c(320, 160);
    Ramp skyR = c.pal.AddRampThrough(colours.sky, 10);
    Ramp farR = c.pal.AddRampThrough(colours.far, 6);
    Ramp midR = c.pal.AddRampThrough(colours.mid, 6);
    Ramp groundR = c.pal.AddRampThrough(colours.ground, 8);
    Ramp cloudR = c.pal.AddRampThrough({Mix(colours.sky.back(), {255, 255, 255}, 0.3f), {255, 255, 255}}, 4);
    Ramp snowR = c.pal.AddRampThrough({{190, 200, 220}, {250, 252, 255}}, 3);
    Ramp trunk = c.pal.AddRampThrough({{40, 28, 20}, {100, 70, 46}}, 3);
    sky(c.img, skyR, 0, 90);
    switch (kind) {
    case 0: // grassland: clouds, distant hills, a wide field
        cloud(c.img, 60, 30, 70, cloudR, seed + 1);
        cloud(c.img, 230, 20, 90, cloudR, seed + 2);
        mountains(c.img, farR, 80, 30, 64, seed + 3);
        hills(c.img, midR, 88, 14, 64, seed + 4);
        ground(c.img, groundR, 88, seed + 5);
        break;
    case 1: // forest: rows of trees, dark under the canopy
        hills(c.img, farR, 70, 30, 16, seed + 3, 11);
        pineRow(c.img, midR, 92, 14, 60, seed + 4);
        ground(c.img, groundR, 92, seed + 5, 0.4f);
        for (int i = 0; i < 6; ++i) {
            float x = 20 + i * 56 + Hash01(i, 0, seed) * 20;
            Rect(c.img, int(x), 60, 7, 50, trunk[1]);
            Rect(c.img, int(x) + 5, 60, 2, 50, trunk[0]);
            FillEllipse(c.img, x + 3, 50, 24, 22, [&](int px, int py, float nx, float ny, float nz) {
                return midR.Dither(
                    Light::Lambert(nx, ny, nz) * 0.8f + (Hash01(px / 3, py / 3, seed) - 0.5f) * 0.2f, px, py);
            });
        }
        break;
    case 2: // mountains: snowy peaks, rocky ground
        cloud(c.img, 250, 25, 60, cloudR, seed + 1);
        mountains(c.img, farR, 90, 70, 64, seed + 3, &snowR, 0.62f);
        mountains(c.img, midR, 100, 30, 32, seed + 4);
        ground(c.img, groundR, 100, seed + 5, 0.5f, 0.6f);
        break;
    case 3: // desert: dunes under a pale hot sky
        sun(c.img, 250, 30, 10, cloudR);
        hills(c.img, farR, 86, 16, 128, seed + 3);
        hills(c.img, midR, 96, 14, 64, seed + 4);
        ground(c.img, groundR, 100, seed + 5, 0.55f, 0.25f);
        break;
    case 4: // snowfield
        cloud(c.img, 100, 30, 100, cloudR, seed + 1);
        mountains(c.img, farR, 86, 50, 64, seed + 3, &snowR, 0.45f);
        hills(c.img, midR, 94, 12, 64, seed + 4);
        ground(c.img, groundR, 94, seed + 5, 0.6f, 0.2f);
        break;
    case 5: // beach: sea to the horizon, sand in front
        cloud(c.img, 80, 25, 80, cloudR, seed + 1);
        for (int y = 70; y < 110; ++y)
            for (int x = 0; x < 320; ++x) {
                float w = std::sin(x * 0.2f + y * 1.3f) * 0.5f + 0.5f;
                c.img.Set(x, y, farR.Dither(0.3f + (y - 70) / 40.0f * 0.4f + w * 0.1f, x, y));
            }
        for (int x = 0; x < 320; ++x) {
            int top = 104 + int(std::sin(x * 0.05f) * 3);
            for (int y = top; y < top + 3; ++y)
                c.img.Set(x, y, cloudR[2]);
        }
        ground(c.img, groundR, 108, seed + 5, 0.6f, 0.2f);
        break;
    case 6: // swamp: dead trees in mist
        hills(c.img, farR, 80, 20, 64, seed + 3);
        for (int i = 0; i < 5; ++i) {
            float x = 30 + i * 65;
            ThickLine(c.img, x, 110, x + 3, 40, 5, trunk[0]);
            ThickLine(c.img, x + 2, 60, x + 20, 45, 2, trunk[0]);
            ThickLine(c.img, x + 1, 70, x - 16, 52, 2, trunk[0]);
        }
        ground(c.img, groundR, 100, seed + 5, 0.4f, 0.5f);
        for (int y = 96; y < 160; ++y)
            for (int x = 0; x < 320; ++x)
                if (Fbm(x, y * 2, 16, 0, 2, seed + 6) < 0.4f) c.img.Set(x, y, midR.Dither(0.2f, x, y));
        break;
    }
    return c.Done();
}

IndexedImage indoorBackdrop(int kind, uint32_t seed) {
    Canvas c(320, 160);
    if (kind == 0) {
        // Cave: rough rock walls fading into darkness, stalactites.
        Ramp rock = c.pal.AddRampThrough({{10, 8, 14}, {50, 44, 56}, {110, 100, 110}}, 8);
        Ramp floor = c.pal.AddRampThrough({{20, 16, 20}, {70, 60, 60}, {120, 106, 96}}, 8);
        for (int y = 0; y < 110; ++y)
            for (int x = 0; x < 320; ++x) {
                float n = Fbm(x, y, 32, 320, 4, seed);
                float l = n * 0.9f - std::fabs(x - 160) / 400.0f + (y < 40 ? -0.2f : 0);
                c.img.Set(x, y, rock.Dither(l, x, y));
            }
        for (int i = 0; i < 12; ++i) {
            float x = i * 28 + Hash01(i, 0, seed) * 20, h = 15 + Hash01(i, 1, seed) * 30;
            FillPolygon(c.img, {{x - 6, 0}, {x, h}, {x + 6, 0}},
                        [&](int px, int py) { return rock.Dither(px < x ? 0.5f : 0.25f, px, py); });
        }
        ground(c.img, floor, 100, seed + 1, 0.45f, 0.5f);
    } else if (kind == 1) {
        // Castle hall: pillars, a red carpet to the throne steps.
        Ramp wall = c.pal.AddRampThrough({{40, 40, 56}, {100, 100, 120}, {170, 170, 186}}, 8);
        Ramp carpet = c.pal.AddRampThrough({{70, 10, 20}, {170, 40, 50}, {220, 80, 80}}, 5);
        Ramp gold = c.pal.AddRampThrough({{140, 100, 30}, {250, 210, 90}}, 3);
        Ramp floor = c.pal.AddRampThrough({{50, 50, 60}, {130, 130, 140}, {200, 200, 210}}, 6);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 320; ++x) {
                bool mortar = (y % 12 == 0) || ((x + (y / 12 % 2) * 12) % 24 == 0);
                c.img.Set(
                    x, y,
                    wall.Dither(mortar ? 0.2f : 0.45f + (Hash01(x / 24, y / 12, seed) - 0.5f) * 0.15f, x, y));
            }
        for (int y = 100; y < 160; ++y)
            for (int x = 0; x < 320; ++x) {
                float t = (y - 100) / 60.0f;
                int tile = int((x - 160) / (10 + t * 30) + 100) + int(y / (4 + t * 8));
                c.img.Set(x, y, floor.Dither(tile % 2 ? 0.6f : 0.35f, x, y));
                if (std::fabs(x - 160) < 30 + t * 60)
                    c.img.Set(x, y,
                              carpet.Dither(0.5f + (std::fabs(x - 160) > 26 + t * 56 ? 0.4f : 0), x, y));
            }
        for (int i = 0; i < 4; ++i) {
            float x = 30 + i * 87;
            for (int px = int(x) - 10; px < int(x) + 10; ++px)
                for (int y = 0; y < 110; ++y) {
                    float nx = (px - x) / 10.0f;
                    c.img.Set(px, y,
                              wall.Shade(0.5f - nx * 0.4f + ((px - int(x) + 10) % 5 == 0 ? -0.15f : 0)));
                }
            Rect(c.img, int(x) - 13, 104, 26, 8, wall[6]);
            Rect(c.img, int(x) - 13, 0, 26, 6, wall[6]);
        }
        for (int x = 0; x < 320; ++x)
            c.img.Set(x, 30, gold[1]), c.img.Set(x, 31, gold[0]);
    } else {
        // Dungeon: dark brick walls lit by torches.
        Ramp brick = c.pal.AddRampThrough({{16, 12, 16}, {60, 44, 44}, {120, 90, 80}}, 8);
        Ramp fire = c.pal.AddRampThrough({{200, 80, 20}, {255, 180, 60}, {255, 250, 200}}, 3);
        Ramp floor = c.pal.AddRampThrough({{16, 14, 16}, {60, 54, 54}, {110, 100, 96}}, 8);
        for (int y = 0; y < 105; ++y)
            for (int x = 0; x < 320; ++x) {
                bool mortar = (y % 10 == 0) || ((x + (y / 10 % 2) * 10) % 20 == 0);
                float light = 0;
                for (float tx : {70.0f, 250.0f})
                    light = std::max(light, 1.0f - std::hypot(x - tx, (y - 45) * 1.3f) / 90.0f);
                c.img.Set(x, y,
                          brick.Dither(mortar ? light * 0.3f
                                              : 0.15f + light * 0.75f +
                                                    (Hash01(x / 20, y / 10, seed) - 0.5f) * 0.1f,
                                       x, y));
            }
        for (float tx : {70.0f, 250.0f}) {
            Rect(c.img, int(tx) - 2, 46, 4, 14, brick[1]);
            FillPolygon(c.img, {{tx - 5, 46}, {tx, 30}, {tx + 5, 46}}, fire[0]);
            FillPolygon(c.img, {{tx - 3, 46}, {tx, 36}, {tx + 3, 46}}, fire[1]);
            c.img.Set(int(tx), 43, fire[2]);
        }
        ground(c.img, floor, 105, seed + 1, 0.35f, 0.4f);
    }
    return c.Done();
}

} // namespace

std::vector<NamedPicture> MakeBackdrops() {
    std::vector<NamedPicture> out;
    out.push_back({"Grassland", outdoorBackdrop({{{70, 120, 220}, {130, 180, 240}, {200, 226, 250}},
                                                 {{90, 130, 170}, {150, 180, 200}},
                                                 {{60, 120, 70}, {110, 170, 90}},
                                                 {{50, 100, 40}, {110, 170, 70}, {170, 210, 110}}},
                                                0, 801)});
    out.push_back({"Forest", outdoorBackdrop({{{60, 110, 150}, {140, 190, 200}},
                                              {{40, 80, 60}, {80, 120, 80}},
                                              {{16, 50, 30}, {50, 110, 60}, {110, 170, 90}},
                                              {{30, 50, 20}, {80, 110, 50}, {130, 150, 80}}},
                                             1, 811)});
    out.push_back({"Mountain", outdoorBackdrop({{{60, 100, 190}, {150, 190, 240}},
                                                {{90, 90, 120}, {170, 170, 190}},
                                                {{70, 60, 56}, {150, 130, 110}},
                                                {{70, 60, 50}, {140, 120, 100}, {190, 170, 150}}},
                                               2, 821)});
    out.push_back({"Desert", outdoorBackdrop({{{120, 160, 220}, {230, 220, 200}},
                                              {{200, 160, 110}, {230, 200, 150}},
                                              {{210, 170, 110}, {245, 215, 160}},
                                              {{200, 150, 90}, {240, 200, 130}, {255, 235, 180}}},
                                             3, 831)});
    out.push_back({"Snowfield", outdoorBackdrop({{{120, 140, 180}, {200, 210, 230}},
                                                 {{110, 120, 150}, {190, 200, 220}},
                                                 {{170, 180, 200}, {230, 236, 246}},
                                                 {{160, 170, 190}, {220, 228, 240}, {255, 255, 255}}},
                                                4, 841)});
    out.push_back({"Beach", outdoorBackdrop({{{50, 120, 220}, {150, 200, 250}},
                                             {{30, 80, 150}, {80, 160, 210}},
                                             {{80, 140, 90}, {130, 180, 110}},
                                             {{190, 160, 110}, {235, 210, 150}, {255, 240, 200}}},
                                            5, 851)});
    out.push_back({"Swamp", outdoorBackdrop({{{60, 70, 60}, {140, 150, 120}},
                                             {{50, 60, 50}, {90, 100, 80}},
                                             {{40, 60, 40}, {70, 90, 60}},
                                             {{30, 40, 24}, {70, 80, 40}, {110, 110, 60}}},
                                            6, 861)});
    out.push_back({"Cave", indoorBackdrop(0, 871)});
    out.push_back({"Castle", indoorBackdrop(1, 881)});
    out.push_back({"Dungeon", indoorBackdrop(2, 891)});
    return out;
}

std::vector<NamedPicture> MakePanoramas() {
    std::vector<NamedPicture> out;
    {
        Canvas c(320, 240);
        Ramp skyR = c.pal.AddRampThrough({{60, 110, 210}, {120, 170, 240}, {190, 220, 250}}, 10);
        Ramp cloudR = c.pal.AddRampThrough({{150, 170, 210}, {255, 255, 255}}, 5);
        sky(c.img, skyR, 0, 240);
        for (int i = 0; i < 7; ++i)
            cloud(c.img, Hash01(i, 0, 901) * 320, 30 + i * 30, 50 + Hash01(i, 1, 901) * 60, cloudR, 902 + i,
                  true);
        out.push_back({"Sky", c.Done()});
    }
    {
        Canvas c(320, 240);
        Ramp skyR = c.pal.AddRampThrough({{4, 6, 24}, {24, 30, 70}, {50, 50, 100}}, 8);
        Ramp starR = c.pal.AddRampThrough({{140, 150, 190}, {255, 255, 255}}, 2);
        sky(c.img, skyR, 0, 240);
        stars(c.img, 220, 240, starR[0], starR[1], 911);
        out.push_back({"Night", c.Done()});
    }
    {
        Canvas c(320, 240);
        Ramp skyR =
            c.pal.AddRampThrough({{60, 40, 100}, {200, 90, 110}, {255, 170, 100}, {255, 220, 150}}, 12);
        Ramp cloudR = c.pal.AddRampThrough({{120, 60, 100}, {240, 130, 120}, {255, 210, 170}}, 5);
        sky(c.img, skyR, 0, 240);
        for (int i = 0; i < 6; ++i)
            cloud(c.img, Hash01(i, 0, 921) * 320, 40 + i * 30, 80, cloudR, 922 + i, true);
        out.push_back({"Sunset", c.Done()});
    }
    {
        Canvas c(320, 240);
        Ramp seaR = c.pal.AddRampThrough({{20, 50, 110}, {50, 110, 180}, {130, 190, 230}}, 8);
        Ramp foam = c.pal.AddRampThrough({{180, 220, 240}, {250, 255, 255}}, 2);
        // Rows of swells bent by slow noise; their crests break into foam here and there. Every
        // term repeats over the picture, so the panorama tiles.
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                float bend = Fbm(x, y, 64, 320, 3, 933) * 2.0f + 0.3f * std::sin(2 * kPi * x / 160.0f);
                float swell = std::sin(2 * kPi * (y / 20.0f + bend));
                float l = 0.45f + swell * 0.15f + (Fbm(x, y, 16, 320, 2, 931) - 0.5f) * 0.25f;
                uint8_t v = seaR.Dither(l, x, y);
                if (swell > 0.93f && Fbm(x, y, 16, 320, 2, 937) > 0.55f) v = foam[swell > 0.98f ? 1 : 0];
                c.img.Set(x, y, v);
            }
        out.push_back({"Sea", c.Done()});
    }
    {
        Canvas c(320, 240);
        Ramp rock = c.pal.AddRampThrough({{10, 8, 16}, {46, 40, 54}, {90, 80, 96}}, 8);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                c.img.Set(x, y, rock.Dither(Fbm(x, y, 32, 320, 4, 941) * 0.9f, x, y));
        out.push_back({"Cavern", c.Done()});
    }
    return out;
}

std::vector<NamedPicture> MakePictures() {
    std::vector<NamedPicture> out;
    {
        // A parchment scroll with rolled ends, for letters and notices.
        Canvas c(224, 160, {255, 0, 255});
        Ramp paper = c.pal.AddRampThrough({{150, 110, 60}, {220, 190, 140}, {250, 236, 200}}, 8);
        Ramp roll = c.pal.AddRampThrough({{100, 60, 30}, {180, 130, 80}, {230, 190, 140}}, 5);
        uint8_t ink = c.pal.Add({40, 26, 16});
        for (int y = 16; y < 144; ++y)
            for (int x = 20; x < 204; ++x) {
                float edge = std::min({x - 20.0f, 203.0f - x, y - 16.0f, 143.0f - y});
                float l =
                    0.7f + (Fbm(x, y, 16, 0, 3, 951) - 0.5f) * 0.4f - (edge < 6 ? (6 - edge) * 0.06f : 0);
                c.img.Set(x, y, paper.Dither(l, x, y));
            }
        for (int yy : {16, 143}) {
            for (int x = 12; x < 212; ++x)
                for (int d = -8; d <= 8; ++d) {
                    float ny = d / 8.0f;
                    c.img.Set(
                        x, yy + d,
                        roll.Shade(Light::Lambert(0, ny, std::sqrt(std::max(0.0f, 1 - ny * ny))) * 1.1f));
                }
        }
        for (int line = 0; line < 7; ++line) {
            int y = 36 + line * 14;
            int len = line == 6 ? 80 : 150 - (line * 13) % 30;
            for (int x = 36; x < 36 + len; ++x)
                if (Hash01(x / 4, line, 953) > 0.25f) c.img.Set(x, y, ink);
        }
        OutlineWith(c.img, 0, 0, 224, 160, ink);
        out.push_back({"Scroll", c.Done()});
    }
    {
        // A map of the world drawn on parchment: coasts, mountains, forests and a dotted road.
        Canvas c(256, 192, {255, 0, 255});
        Ramp paper = c.pal.AddRampThrough({{170, 130, 80}, {230, 200, 150}, {250, 236, 200}}, 6);
        Ramp sea = c.pal.AddRampThrough({{110, 140, 150}, {160, 180, 170}}, 3);
        Ramp land = c.pal.AddRampThrough({{150, 150, 90}, {210, 200, 130}}, 3);
        uint8_t ink = c.pal.Add({50, 34, 20}), red = c.pal.Add({170, 40, 30}),
                green = c.pal.Add({80, 110, 60});
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x) {
                float edge = std::min({float(x), 255.0f - x, float(y), 191.0f - y});
                if (edge < 2) continue;
                float n = Fbm(x, y, 64, 0, 4, 961) - std::hypot(x - 128, (y - 96) * 1.3f) / 900.0f;
                uint8_t v = n > 0.42f ? land.Dither(0.5f + (n - 0.42f) * 3, x, y) : sea.Dither(0.5f, x, y);
                if (n > 0.41f && n < 0.425f) v = ink;
                if (edge < 8) v = paper.Dither(0.3f + edge * 0.05f, x, y);
                c.img.Set(x, y, v);
            }
        for (int i = 0; i < 40; ++i) {
            int x = 20 + int(Hash01(i, 0, 963) * 216), y = 20 + int(Hash01(i, 1, 963) * 152);
            float n = Fbm(x, y, 64, 0, 4, 961) - std::hypot(x - 128, (y - 96) * 1.3f) / 900.0f;
            if (n < 0.46f) continue;
            if (n > 0.5f) {
                Line(c.img, x - 4, y + 3, x, y - 3, ink);
                Line(c.img, x, y - 3, x + 4, y + 3, ink);
            } else {
                FillEllipse(c.img, x, y, 2.5f, 2.5f, green);
                c.img.Set(x, y + 3, ink);
            }
        }
        for (int t = 0; t < 60; ++t) {
            float s = t / 60.0f;
            int x = int(70 + s * 120 + std::sin(s * 6) * 10), y = int(120 - s * 50 + std::cos(s * 5) * 8);
            if (t % 3 != 2) c.img.Set(x, y, red);
        }
        Line(c.img, 186, 66, 194, 74, red);
        Line(c.img, 194, 66, 186, 74, red);
        FrameRect(c.img, 1, 1, 254, 190, ink);
        out.push_back({"WorldMap", c.Done()});
    }
    {
        // A large crystal floating in its own light.
        Canvas c(128, 160, {255, 0, 255});
        Ramp crystal =
            c.pal.AddRampThrough({{20, 40, 110}, {60, 130, 220}, {150, 210, 250}, {240, 255, 255}}, 8);
        Ramp glow = c.pal.AddRampThrough({{60, 110, 200}, {140, 200, 250}}, 2);
        uint8_t ink = c.pal.Add({10, 16, 40});
        for (int i = 0; i < 40; ++i) {
            float a = i * 0.7f, r = 40 + Hash01(i, 0, 971) * 20;
            c.img.Set(int(64 + std::cos(a) * r), int(76 + std::sin(a) * r * 1.2f), glow[i % 2]);
        }
        std::vector<Pt> outline = {{64, 8}, {100, 60}, {86, 140}, {64, 152}, {42, 140}, {28, 60}};
        FillPolygon(c.img, outline, [&](int x, int y) {
            float facet = x < 64 ? (y < 60 ? 0.85f : 0.6f) : (y < 60 ? 0.5f : 0.3f);
            if (std::abs(x - 64) < 2) facet += 0.1f;
            return crystal.Dither(facet + (y % 9 == 0 ? 0.08f : 0), x, y);
        });
        Line(c.img, 64, 8, 64, 152, crystal[6]);
        Line(c.img, 28, 60, 100, 60, crystal[5]);
        FillPolygon(c.img, {{50, 30}, {56, 24}, {52, 50}}, crystal[7]);
        OutlineWith(c.img, 0, 0, 128, 160, ink);
        out.push_back({"Crystal", c.Done()});
    }
    {
        // A legendary sword, point down.
        Canvas c(64, 192, {255, 0, 255});
        Ramp blade = c.pal.AddRampThrough({{70, 80, 100}, {170, 180, 200}, {250, 252, 255}}, 6);
        Ramp gold = c.pal.AddRampThrough({{120, 80, 20}, {230, 180, 60}, {255, 240, 160}}, 5);
        Ramp grip = c.pal.AddRampThrough({{50, 20, 30}, {140, 50, 60}}, 3);
        Ramp gem = c.pal.AddRampThrough({{20, 60, 140}, {80, 160, 250}, {220, 240, 255}}, 3);
        uint8_t ink = c.pal.Add({16, 14, 20});
        FillPolygon(c.img, {{26, 56}, {38, 56}, {38, 166}, {32, 186}, {26, 166}},
                    [&](int x, int) { return blade.Shade(x < 32 ? 0.9f : 0.45f); });
        Line(c.img, 32, 58, 32, 180, blade[5]);
        FillPolygon(c.img, {{6, 46}, {58, 46}, {52, 56}, {12, 56}},
                    [&](int x, int y) { return gold.Shade(y < 50 ? 0.9f : 0.5f); });
        Rect(c.img, 28, 12, 8, 34, grip[1]);
        for (int y = 14; y < 46; y += 4)
            Rect(c.img, 28, y, 8, 1, grip[0]);
        FillEllipse(c.img, 32, 9, 7, 7, [&](int, int, float nx, float ny, float nz) {
            return gold.Shade(Light::Lambert(nx, ny, nz) * 1.2f);
        });
        FillEllipse(c.img, 32, 51, 4, 4, [&](int, int, float nx, float ny, float nz) {
            return gem.Shade(Light::Lambert(nx, ny, nz) * 1.3f);
        });
        OutlineWith(c.img, 0, 0, 64, 192, ink);
        out.push_back({"Sword", c.Done()});
    }
    return out;
}

} // namespace tarvel::rtp

namespace tarvel::rtp {

std::vector<IndexedImage> MakeOpeningFrames() {
    // One palette for every frame; the sun climbs, the clouds drift and the sea glitters.
    PaletteBuilder pal({0, 0, 0});
    Ramp skyR = pal.AddRampThrough({{40, 36, 90}, {120, 70, 130}, {230, 120, 110}, {255, 200, 130}}, 12);
    Ramp sunR = pal.AddRampThrough({{255, 210, 140}, {255, 250, 220}}, 3);
    Ramp cloudR = pal.AddRampThrough({{110, 70, 120}, {230, 140, 140}, {255, 220, 190}}, 5);
    Ramp seaR = pal.AddRampThrough({{20, 20, 60}, {80, 60, 110}, {200, 120, 120}}, 8);
    Ramp glint = pal.AddRampThrough({{255, 200, 150}, {255, 250, 230}}, 2);
    uint8_t wall = pal.Add({36, 34, 60}), dark = pal.Add({22, 20, 40}), window = pal.Add({255, 210, 110});
    Ramp hillR = pal.AddRampThrough({{16, 18, 34}, {40, 40, 64}}, 3);
    Palette256 palette = pal.Build();
    std::vector<IndexedImage> frames;
    const int count = 36;
    for (int f = 0; f < count; ++f) {
        IndexedImage img(160, 120);
        float t = f / float(count - 1);
        sky(img, skyR, 0, 80, 0.0f + t * 0.25f, 1.0f);
        sun(img, 112, 82 - t * 40, 9, sunR);
        cloud(img, 30 + t * 20, 24, 46, cloudR, 5, true);
        cloud(img, 130 + t * 14, 40, 36, cloudR, 6, true);
        hills(img, hillR, 86, 12, 32, 7);
        castleSilhouette(img, 44, 88, 0.45f, wall, dark, window);
        for (int y = 88; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                float depth = (y - 88) / 32.0f;
                float wave = std::sin(x * 0.3f / (0.2f + depth) + y * 1.1f - f * 0.5f) * 0.5f + 0.5f;
                uint8_t v = seaR.Dither(0.25f + depth * 0.3f + wave * 0.15f + t * 0.2f, x, y);
                if (std::fabs(x - 112) < 4 + depth * 16 && wave > 0.8f) v = glint[wave > 0.93f ? 1 : 0];
                img.Set(x, y, v);
            }
        img.Palette() = palette;
        frames.push_back(std::move(img));
    }
    return frames;
}

} // namespace tarvel::rtp
