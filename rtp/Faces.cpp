#include <cmath>
#include <vector>

#include "Characters.h"
#include "Draw.h"

namespace tarvel::rtp {

namespace {

const float kPi = 3.14159265f;

void ball(IndexedImage& f, float cx, float cy, float rx, float ry, Ramp ramp, float bias = 0.1f) {
    FillEllipse(f, cx, cy, rx, ry, [&](int, int, float nx, float ny, float nz) {
        return ramp.Shade(Light::Lambert(nx, ny, nz) * 1.15f + bias);
    });
}

// A bust portrait of 48 x 48 facing the viewer, with a neutral or a smiling face.
void paintFace(IndexedImage& f, const CharacterLook& look, const LookRamps& r, bool smile) {
    const float cx = 24, cy = look.child ? 25 : 23;
    const float headRx = look.child ? 11.5f : 11.0f, headRy = look.child ? 12.5f : 13.5f;
    HairStyle s = look.hairStyle;
    bool robeLike = look.outfit == Outfit::Robe || look.outfit == Outfit::Dress;
    // Hair that falls behind the shoulders.
    if (s == HairStyle::Long) {
        FillPolygon(f, {{cx - 14, cy - 6}, {cx + 14, cy - 6}, {cx + 16, 46}, {cx - 16, 46}},
                    [&](int x, int y) {
                        return r.hair.Shade(0.55f - (x - cx) * 0.02f + ((x % 4) == 0 ? -0.15f : 0));
                    });
    }
    if (s == HairStyle::Ponytail) ball(f, cx + 11, cy + 6, 4, 9, r.hair, 0);
    if (look.cape)
        FillPolygon(f, {{4, 47}, {8, 38}, {40, 38}, {44, 47}},
                    [&](int x, int) { return r.cape.Shade(0.6f - (x - 24) * 0.015f); });
    // Shoulders and chest.
    Ramp torso = look.outfit == Outfit::Armour ? r.metal : r.main;
    FillEllipse(f, cx, 50, 19, 13, [&](int x, int y, float nx, float ny, float nz) {
        return torso.Shade(Light::Lambert(nx, ny, nz) * 1.1f + 0.05f);
    });
    switch (look.outfit) {
    case Outfit::Armour:
        FillPolygon(f, {{cx - 6, 40}, {cx + 6, 40}, {cx + 5, 47}, {cx - 5, 47}},
                    [&](int x, int) { return r.main.Shade(x < cx ? 0.6f : 0.4f); });
        Rect(f, int(cx) - 7, 39, 14, 2, r.gold[1]);
        break;
    case Outfit::Gi:
        FillPolygon(f, {{cx - 5, 39}, {cx + 5, 39}, {cx, 47}}, r.skin[1]);
        Line(f, int(cx) - 6, 39, int(cx), 47, r.main[0]);
        Line(f, int(cx) + 6, 39, int(cx), 47, r.main[0]);
        break;
    case Outfit::Coat:
        FillPolygon(f, {{cx - 4, 40}, {cx + 4, 40}, {cx + 3, 47}, {cx - 3, 47}},
                    [&](int x, int) { return r.second.Shade(0.6f); });
        Line(f, int(cx) - 5, 39, int(cx) - 3, 47, r.main[0]);
        Line(f, int(cx) + 5, 39, int(cx) + 3, 47, r.main[0]);
        break;
    default:
        FillEllipse(f, cx, 40, 7, 3, [&](int, int y, float, float, float) -> uint8_t {
            return y < 40 ? 0 : r.second[robeLike ? 2 : 1];
        });
        break;
    }
    // Neck, ears, head.
    Rect(f, int(cx) - 4, int(cy) + 9, 8, 7, r.skin[1]);
    Rect(f, int(cx) - 4, int(cy) + 13, 8, 1, r.skin[0]);
    if (look.pointedEars) {
        FillPolygon(f, {{cx - 10, cy}, {cx - 19, cy - 7}, {cx - 10, cy + 5}}, r.skin[2]);
        FillPolygon(f, {{cx + 10, cy}, {cx + 19, cy - 7}, {cx + 10, cy + 5}}, r.skin[1]);
    } else {
        ball(f, cx - 11, cy + 2, 2.5f, 3.5f, r.skin, 0.2f);
        ball(f, cx + 11, cy + 2, 2.5f, 3.5f, r.skin, 0.0f);
    }
    FillEllipse(f, cx, cy, headRx, headRy, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
        // The jaw narrows towards the chin.
        if (ny > 0.2f) {
            float limit = 1.0f - (ny - 0.2f) * 0.55f;
            if (std::fabs(nx) > limit) return 0;
        }
        return r.skin.Shade(Light::Lambert(nx, ny, nz) * 0.9f + 0.35f);
    });
    // Eyes, brows, nose, mouth.
    int ey = int(cy) + 1;
    for (int side : {-1, 1}) {
        int ex = int(cx) + side * 5 - (side < 0 ? 2 : 1);
        Rect(f, ex, ey, 4, 4, r.eyeWhite);
        Rect(f, ex + (side < 0 ? 1 : 1), ey, 2, 4, r.eyes[0]);
        Rect(f, ex + (side < 0 ? 1 : 1), ey + 2, 2, 2, r.eyes[1]);
        f.Set(ex + 1, ey, r.ink);
        f.Set(ex + 2, ey, r.ink);
        f.Set(ex + (side < 0 ? 1 : 2), ey + 1, r.eyeWhite);
        Rect(f, ex - 1, ey - 1, 6, 1, r.ink);
        // Brows: raised a little when smiling.
        int by = ey - 4 - (smile ? 1 : 0);
        Line(f, ex - 1, by + (side < 0 ? 1 : 0), ex + 4, by + (side < 0 ? 0 : 1),
             look.hair == Rgb{0, 0, 0} ? r.skin[0] : r.hair[0]);
    }
    f.Set(int(cx), int(cy) + 6, r.skin[1]);
    f.Set(int(cx) - 1, int(cy) + 7, r.skin[1]);
    int my = int(cy) + 10;
    if (smile) {
        Line(f, int(cx) - 3, my - 1, int(cx) - 2, my, r.skin[0]);
        Line(f, int(cx) - 1, my + 1, int(cx) + 1, my + 1, r.red[0]);
        Line(f, int(cx) + 2, my, int(cx) + 3, my - 1, r.skin[0]);
        f.Set(int(cx) - 7, my - 3, r.red[2]);
        f.Set(int(cx) + 7, my - 3, r.red[2]);
    } else {
        Line(f, int(cx) - 2, my, int(cx) + 2, my, r.skin[0]);
    }
    if (look.beard)
        FillEllipse(f, cx, cy + 9, 10, 7, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
            if (y < int(cy) + 6) return 0;
            if (y >= my - 1 && y <= my + 1 && std::abs(x - int(cx)) < 3) return smile ? r.red[0] : r.skin[0];
            return r.hair.Shade(Light::Lambert(nx, ny, nz) + 0.2f + ((x % 3) == 0 ? -0.1f : 0));
        });
    // Hair over the head, then headgear.
    bool cap = s != HairStyle::Bald && s != HairStyle::Hood && s != HairStyle::Helmet;
    if (cap) {
        FillEllipse(f, cx, cy - 3, headRx + 1.5f, headRy - 1,
                    [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                        // A fringe with a parting: strands reach lower here and there.
                        float fringe = cy - 5 + 3 * std::fabs(std::sin((x - cx) * 0.55f)) + (x < cx ? 1 : 0);
                        bool side = std::fabs(x - cx) > headRx - 2.5f && y < cy + 4;
                        if (y > fringe && !side) return 0;
                        return r.hair.Shade(Light::Lambert(nx, ny, nz) * 1.1f + 0.1f +
                                            ((x + y) % 5 == 0 ? -0.15f : 0));
                    });
        if (s == HairStyle::Spiky) {
            // A crown of tufts around the top of the head, all swept the same way, drawn behind
            // the fringe so the face keeps its brow.
            std::vector<Pt> tufts;
            const int count = 7;
            for (int i = 0; i <= 2 * count; ++i) {
                float ang = kPi * (1.05f + 0.9f * i / (2 * count));
                bool tip = i % 2 == 1;
                float rr = tip ? headRx + 6.5f - std::fabs(i - count) * 0.3f : headRx + 0.5f;
                float a2 = ang + (tip ? 0.16f : 0.0f);
                tufts.push_back({cx + std::cos(a2) * rr, cy - 3 + std::sin(a2) * rr * 0.95f});
            }
            tufts.push_back({cx + headRx, cy});
            tufts.push_back({cx - headRx, cy});
            IndexedImage back(48, 48);
            FillPolygon(back, tufts, [&](int x, int y) {
                float l = 0.55f - (x - cx) * 0.02f - (y - (cy - 14)) * 0.01f;
                return r.hair.Shade(l);
            });
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 48; ++x)
                    if (back.At(x, y) && (f.At(x, y) == 0 || y < cy - headRy + 3)) f.Set(x, y, back.At(x, y));
            FillEllipse(f, cx, cy - 3, headRx + 1.5f, headRy - 1,
                        [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                            float fringe =
                                cy - 5 + 3 * std::fabs(std::sin((x - cx) * 0.55f)) + (x < cx ? 1 : 0);
                            bool side = std::fabs(x - cx) > headRx - 2.5f && y < cy + 4;
                            if (y > fringe && !side) return 0;
                            return r.hair.Shade(Light::Lambert(nx, ny, nz) * 1.1f + 0.1f +
                                                ((x + y) % 5 == 0 ? -0.15f : 0));
                        });
        }
        if (s == HairStyle::Long) {
            Rect(f, int(cx - headRx - 2), int(cy) - 4, 4, 18, r.hair[2]);
            Rect(f, int(cx + headRx - 2), int(cy) - 4, 4, 18, r.hair[1]);
        }
        if (s == HairStyle::Bob) {
            Rect(f, int(cx - headRx - 2), int(cy) - 4, 5, 12, r.hair[2]);
            Rect(f, int(cx + headRx - 3), int(cy) - 4, 5, 12, r.hair[1]);
        }
        if (s == HairStyle::Bun) ball(f, cx, cy - 16, 6, 5, r.hair, 0.05f);
    }
    switch (s) {
    case HairStyle::Hood:
        FillEllipse(f, cx, cy - 1, headRx + 4, headRy + 3,
                    [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                        float fx = (x + 0.5f - cx) / (headRx - 1), fy = (y + 0.5f - (cy + 2)) / (headRy - 2);
                        if (fx * fx + fy * fy < 1.0f) return 0;
                        return r.cape.Shade(Light::Lambert(nx, ny, nz) * 1.1f);
                    });
        break;
    case HairStyle::Helmet:
        FillEllipse(f, cx, cy - 3, headRx + 2, headRy,
                    [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                        if (y > cy - 3 && std::fabs(x - cx) < headRx - 1) return 0;
                        if (y > cy + 6) return 0;
                        return r.metal.Shade(Light::Lambert(nx, ny, nz) * 1.2f + 0.1f);
                    });
        Rect(f, int(cx) - 1, int(cy) - 4, 3, 8, r.metal[2]);
        ball(f, cx, cy - 17, 3, 4, r.main, 0.1f);
        break;
    case HairStyle::WizardHat:
        FillEllipse(f, cx, cy - 9, 19, 4, [&](int, int, float nx, float ny, float nz) {
            return r.cape.Shade(0.35f + Light::Lambert(nx, ny, nz) * 0.45f);
        });
        FillPolygon(f, {{cx - 10, cy - 9}, {cx + 6, 0}, {cx + 10, cy - 9}},
                    [&](int x, int) { return r.cape.Shade(x < cx ? 0.7f : 0.4f); });
        Rect(f, int(cx) - 9, int(cy) - 12, 18, 2, r.gold[1]);
        break;
    case HairStyle::StrawHat:
        FillEllipse(f, cx, cy - 9, 21, 5, [&](int, int, float nx, float ny, float nz) {
            return r.gold.Shade(0.3f + Light::Lambert(nx, ny, nz) * 0.5f);
        });
        ball(f, cx, cy - 13, 11, 6, r.gold, 0.0f);
        Rect(f, int(cx) - 11, int(cy) - 11, 22, 2, r.main[1]);
        break;
    case HairStyle::Crown:
        FillPolygon(f,
                    {{cx - 9, cy - 12},
                     {cx - 9, cy - 20},
                     {cx - 5, cy - 15},
                     {cx, cy - 22},
                     {cx + 5, cy - 15},
                     {cx + 9, cy - 20},
                     {cx + 9, cy - 12}},
                    [&](int x, int) { return r.gold.Shade(x < cx ? 0.9f : 0.55f); });
        FillEllipse(f, cx, cy - 14, 1.5f, 1.5f, r.main[2]);
        break;
    case HairStyle::Bandana:
        FillEllipse(f, cx, cy - 6, headRx + 1.5f, 9,
                    [&](int, int y, float nx, float ny, float nz) -> uint8_t {
                        if (y > cy - 6) return 0;
                        return r.second.Shade(Light::Lambert(nx, ny, nz) * 1.1f + 0.1f);
                    });
        Rect(f, int(cx - headRx - 1), int(cy) - 7, int(headRx * 2 + 3), 2, r.second[1]);
        break;
    default:
        break;
    }
    // Held things show over the shoulder.
    if (look.held == Held::Staff) {
        Rect(f, 41, 10, 2, 38, r.leather[2]);
        ball(f, 42, 8, 4, 4, r.cape, 0.3f);
    }
    if (look.held == Held::Spear) {
        Rect(f, 41, 6, 2, 42, r.leather[1]);
        FillPolygon(f, {{39, 8}, {42, 0}, {45, 8}}, r.metal[3]);
    }
    if (look.held == Held::Sword) {
        Line(f, 6, 30, 10, 40, r.leather[1]);
        Rect(f, 3, 28, 6, 2, r.gold[2]);
    }
}

} // namespace

IndexedImage MakeFaceSet(const std::vector<CharacterLook>& looks) {
    PaletteBuilder pal({96, 160, 112});
    uint8_t ink = pal.Add({28, 24, 36});
    RampCache cache(pal);
    IndexedImage img(192, 192);
    for (size_t c = 0; c < looks.size() && c < 8; ++c) {
        LookRamps r = RampsFor(looks[c], cache, ink);
        r.red = cache.Get({226, 110, 110}, 3, 0.6f);
        for (int smile = 0; smile < 2; ++smile) {
            IndexedImage f(48, 48);
            paintFace(f, looks[c], r, smile == 1);
            OutlineWith(f, 0, 0, 48, 48, ink);
            int index = int(c) + smile * 8;
            img.Blit(f, 0, 0, 48, 48, (index % 4) * 48, (index / 4) * 48, true);
        }
    }
    img.Palette() = pal.Build();
    return img;
}

} // namespace tarvel::rtp
