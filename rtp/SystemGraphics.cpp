// System graphics: the pieces the game's windows are drawn from. Layout (pixels):
// (0,0) 32x32 window wallpaper; (32,0) 32x32 window frame (8-pixel corners and edges, middle
// transparent); (64,0) and (96,0) 32x32 selection cursor, two blink frames; (128,0) 16x8 up arrow;
// (128,8) 16x8 down arrow; (144,0) 16x16 text shadow colour; (128,16) 32x8 gauge background;
// (128,24) 32x8 gauge fill; (0,32) ten 8x16 digits 0..9, then ':' at (80,32); (0,48) and (0,64)
// twenty 16x16 text colours, ten to a row.
#include <cmath>

#include "Draw.h"
#include "Scenes.h"

namespace tarvel::rtp {

namespace {

struct Skin {
    const char* name;
    Rgb top, bottom; // wallpaper gradient
    Rgb frame, frameLight;
    Rgb cursor;
    int texture; // 0 smooth, 1 wood grain, 2 stone
};

const Rgb kTextColours[20] = {
    {248, 248, 248}, {160, 200, 255}, {255, 176, 96},  {168, 168, 176}, {255, 96, 96},
    {112, 112, 120}, {168, 240, 160}, {255, 232, 120}, {255, 168, 208}, {120, 216, 255},
    {200, 150, 255}, {96, 200, 96},   {200, 150, 100}, {240, 200, 64},  {96, 232, 232},
    {240, 112, 240}, {200, 255, 96},  {64, 176, 160},  {255, 144, 128}, {56, 56, 64},
};

void roundedFrame(IndexedImage& img, int x0, int y0, int w, int h, uint8_t outer, uint8_t mid, uint8_t light,
                  uint8_t inner) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
            int d = std::min(dx, dy);
            bool corner = dx < 2 && dy < 2 && dx + dy < 2;
            if (corner) continue;
            uint8_t v = 0;
            if (d == 0)
                v = outer;
            else if (d == 1)
                v = (x < w / 2 && y < h / 2) || dy == dx ? light : mid;
            else if (d == 2)
                v = mid;
            else if (d == 3)
                v = inner;
            if (v) img.Set(x0 + x, y0 + y, v);
        }
}

IndexedImage makeSkin(const Skin& s) {
    PaletteBuilder pal({0, 0, 0});
    uint8_t ink = pal.Add({16, 16, 24});
    Ramp wall = pal.AddRampThrough({s.bottom, s.top}, 8);
    Ramp frame = pal.AddRampThrough({Mix(s.frame, {0, 0, 0}, 0.5f), s.frame, s.frameLight}, 4);
    Ramp cursor = pal.AddRampThrough(
        {Mix(s.cursor, {0, 0, 0}, 0.4f), s.cursor, Mix(s.cursor, {255, 255, 255}, 0.6f)}, 4);
    uint8_t shadow = pal.Add({24, 24, 32});
    Ramp gauge = pal.AddRampThrough({{200, 60, 40}, {240, 200, 60}, {120, 230, 90}}, 6);
    Ramp gaugeBack = pal.AddRampThrough({{30, 30, 40}, {70, 70, 84}}, 2);
    Ramp digits = pal.AddRampThrough({{180, 190, 210}, {255, 255, 255}}, 3);
    std::vector<Ramp> text;
    for (const Rgb& c : kTextColours)
        text.push_back(pal.AddRampThrough({Mix(c, {0, 0, 0}, 0.25f), c, Mix(c, {255, 255, 255}, 0.35f)}, 3));

    IndexedImage img(160, 80);
    // Wallpaper.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float l = 1.0f - y / 31.0f;
            if (s.texture == 1)
                l = 0.45f + std::sin((x + std::sin(y * 0.3f) * 2) * 0.9f) * 0.12f +
                    ((y % 8) == 0 ? -0.15f : 0) + (1 - y / 31.0f) * 0.3f;
            if (s.texture == 2)
                l = 0.35f + Fbm(x, y, 8, 32, 3, 701) * 0.5f - ((x % 16 == 0 || y % 8 == 0) ? 0.2f : 0);
            img.Set(x, y, wall.Dither(l, x, y));
        }
    // Frame and cursors.
    roundedFrame(img, 32, 0, 32, 32, ink, frame[1], frame[3], frame[0]);
    roundedFrame(img, 64, 0, 32, 32, cursor[0], cursor[2], cursor[3], cursor[1]);
    roundedFrame(img, 96, 0, 32, 32, cursor[0], cursor[1], cursor[2], cursor[0]);
    // Arrows.
    FillPolygon(img, {{130, 7}, {136, 1}, {142, 7}}, frame[3]);
    FillPolygon(img, {{130, 9}, {142, 9}, {136, 15}}, frame[3]);
    OutlineWith(img, 128, 0, 16, 16, ink);
    img.FillRect(144, 0, 16, 16, shadow);
    // Gauges.
    img.FillRect(128, 16, 32, 8, gaugeBack[0]);
    img.FillRect(129, 17, 30, 6, gaugeBack[1]);
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 8; ++y)
            img.Set(128 + x, 24 + y, gauge.Shade(x / 31.0f) + (y == 1 ? 0 : 0));
    // Digits: the small font drawn twice as tall.
    for (int d = 0; d <= 10; ++d) {
        IndexedImage glyph(6, 7);
        char text[2] = {d == 10 ? ':' : char('0' + d), 0};
        DrawText(glyph, 0, 0, text, digits[2]);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 5; ++x)
                if (glyph.At(x, y / 2)) img.Set(d * 8 + 1 + x, 33 + y, y < 7 ? digits[2] : digits[1]);
    }
    OutlineWith(img, 0, 32, 88, 16, ink);
    // Text colours: each a small gradient, light at the top.
    for (int i = 0; i < 20; ++i) {
        int x0 = (i % 10) * 16, y0 = 48 + (i / 10) * 16;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                img.Set(x0 + x, y0 + y, text[i][y < 5 ? 2 : y < 11 ? 1 : 0]);
    }
    img.Palette() = pal.Build();
    return img;
}

} // namespace

std::vector<NamedPicture> MakeSystemGraphics() {
    const Skin skins[3] = {
        {"System1", {70, 100, 200}, {16, 24, 80}, {200, 210, 230}, {255, 255, 255}, {255, 230, 120}, 0},
        {"System2", {150, 100, 60}, {70, 40, 24}, {210, 170, 90}, {255, 230, 160}, {255, 250, 200}, 1},
        {"System3", {70, 72, 84}, {24, 24, 32}, {150, 150, 160}, {220, 220, 230}, {140, 220, 255}, 2},
    };
    std::vector<NamedPicture> out;
    for (const Skin& s : skins)
        out.push_back({s.name, makeSkin(s)});
    return out;
}

} // namespace tarvel::rtp
