#include "Characters.h"

#include <cmath>

#include "CharacterBodies.h"
#include "Draw.h"

namespace tarvel::rtp {

Ramp RampCache::Get(Rgb middle, int count, float contrast) {
    uint32_t key =
        (uint32_t(middle.r) << 24) | (uint32_t(middle.g) << 16) | (uint32_t(middle.b) << 8) | uint32_t(count);
    auto it = mRamps.find(key);
    if (it != mRamps.end()) return it->second;
    Ramp r = mPal.AddRamp(middle, count, contrast);
    mRamps[key] = r;
    return r;
}

LookRamps RampsFor(const CharacterLook& look, RampCache& cache, uint8_t ink) {
    LookRamps r;
    r.ink = ink;
    r.skin = cache.Get(look.skin, 4, 0.55f);
    r.hair = cache.Get(look.hair, 4, 0.8f);
    r.main = cache.Get(look.main, 4, 0.8f);
    r.second = cache.Get(look.second, 4, 0.8f);
    r.legs = cache.Get(look.legs, 3, 0.7f);
    r.cape = cache.Get(look.capeColour, 4, 0.8f);
    r.eyes = cache.Get(look.eyes, 2, 0.6f);
    r.metal = cache.Get({150, 158, 176}, 4, 0.8f);
    r.leather = cache.Get({112, 74, 48}, 3, 0.8f);
    r.gold = cache.Get({236, 190, 64}, 3, 0.7f);
    r.white = cache.Get({236, 238, 244}, 2, 0.3f);
    r.eyeWhite = r.white.Lightest();
    r.red = cache.Get({226, 110, 110}, 3, 0.6f);
    return r;
}

namespace {

const float kPi = 3.14159265f;

// Shades a vertical band of a cylinder: light on the left, dark on the right.
uint8_t across(Ramp ramp, int x, int x0, int x1, float bias = 0) {
    float t = (x - x0 + 0.5f) / float(x1 - x0 + 1);
    float l = 0.8f - t * 0.65f + bias;
    return ramp.Shade(l);
}

void band(IndexedImage& f, int x0, int x1, int y0, int y1, Ramp ramp, float bias = 0) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            f.Set(x, y, across(ramp, x, x0, x1, bias));
}

void ball(IndexedImage& f, float cx, float cy, float rx, float ry, Ramp ramp, float bias = 0.15f) {
    FillEllipse(f, cx, cy, rx, ry, [&](int, int, float nx, float ny, float nz) {
        return ramp.Shade(Light::Lambert(nx, ny, nz) * 1.15f + bias);
    });
}

// Draws the parts of a humanoid facing down (front), up (back) or right (side).
class HumanoidPainter {
public:
    HumanoidPainter(IndexedImage& f, const CharacterLook& look, const LookRamps& r, int dir, int pattern)
        : f(f), look(look), r(r), dir(dir), step(pattern == 0   ? -1
                                                 : pattern == 2 ? 1
                                                                : 0) {
        hy = look.child ? 12.5f : 10.0f;
        bodyTop = look.child ? 18 : 16;
        bodyBottom = 24;
        widen = look.stout ? 1 : 0;
    }

    void Paint() {
        if (dir == 2)
            front();
        else if (dir == 0)
            back();
        else
            side();
    }

private:
    IndexedImage& f;
    const CharacterLook& look;
    const LookRamps& r;
    int dir, step;
    float hy;
    int bodyTop, bodyBottom, widen;

    bool longSkirt() const { return look.outfit == Outfit::Robe || look.outfit == Outfit::Dress; }
    Ramp torsoRamp() const { return look.outfit == Outfit::Armour ? r.metal : r.main; }

    void legsFront() {
        if (longSkirt()) {
            // Only the feet show under a robe, stepping in turn.
            Rect(f, 8, 28 + (step < 0 ? 1 : 0), 3, 2, r.leather[1]);
            Rect(f, 13, 28 + (step > 0 ? 1 : 0), 3, 2, r.leather[1]);
            return;
        }
        int leftEnd = 29 + (step < 0 ? 1 : step > 0 ? -1 : 0);
        int rightEnd = 29 + (step > 0 ? 1 : step < 0 ? -1 : 0);
        band(f, 8, 10, bodyBottom, leftEnd, r.legs);
        band(f, 13, 15, bodyBottom, rightEnd, r.legs);
        Rect(f, 8, leftEnd - 1, 3, 2, r.leather[1]);
        Rect(f, 13, rightEnd - 1, 3, 2, r.leather[1]);
        f.Set(8, leftEnd - 1, r.leather[2]);
        f.Set(13, rightEnd - 1, r.leather[2]);
    }

    void torsoFront(bool backView) {
        int x0 = 7 - widen, x1 = 16 + widen;
        Ramp t = torsoRamp();
        band(f, x0, x1, bodyTop, bodyBottom, t);
        // Shoulders are rounded.
        f.Set(x0, bodyTop, 0);
        f.Set(x1, bodyTop, 0);
        if (longSkirt()) {
            for (int y = bodyBottom; y <= 28; ++y) {
                int spread = (y - bodyBottom) / 2;
                band(f, x0 - spread, x1 + spread, y, y, look.outfit == Outfit::Dress ? r.main : r.main, 0);
            }
            if (look.outfit == Outfit::Dress && !backView) band(f, 10, 13, bodyTop + 3, 27, r.second, 0.2f);
            if (look.outfit == Outfit::Robe && !backView) {
                for (int y = bodyTop + 1; y <= 28; ++y)
                    f.Set(12, y, r.second[2]), f.Set(11, y, r.second[3]);
            }
        }
        switch (look.outfit) {
        case Outfit::Tunic:
            band(f, x0, x1, bodyBottom - 2, bodyBottom - 2, r.leather, -0.1f);
            if (!backView) f.Set(12, bodyBottom - 2, r.gold[2]);
            if (!backView) Rect(f, 11, bodyTop, 2, 2, r.second[2]);
            break;
        case Outfit::Armour:
            if (!backView) {
                band(f, 10, 13, bodyTop + 1, bodyBottom, r.main, 0.1f);
                f.Set(11, bodyTop + 3, r.gold[2]);
                f.Set(12, bodyTop + 3, r.gold[1]);
            }
            band(f, x0, x1, bodyBottom - 1, bodyBottom - 1, r.leather);
            break;
        case Outfit::Gi:
            if (!backView) {
                Line(f, 10, bodyTop, 12, bodyTop + 3, r.skin[2]);
                Line(f, 14, bodyTop, 12, bodyTop + 3, r.skin[1]);
            }
            band(f, x0, x1, bodyBottom - 2, bodyBottom - 2, r.second);
            break;
        case Outfit::Coat:
            for (int y = bodyBottom; y <= 27; ++y) {
                band(f, x0, x0 + 2, y, y, r.main);
                band(f, x1 - 2, x1, y, y, r.main);
            }
            if (!backView) band(f, 11, 12, bodyTop, bodyBottom, r.second, 0.1f);
            break;
        case Outfit::Robe:
            band(f, x0, x1, bodyBottom - 1, bodyBottom - 1, r.second, -0.1f);
            break;
        case Outfit::Dress:
            break;
        }
    }

    void armsFront() {
        // The arm on the side of the leg that steps forward swings back, and the other forward.
        int leftHand = 23 + (step > 0 ? 1 : step < 0 ? -1 : 0);
        int rightHand = 23 + (step < 0 ? 1 : step > 0 ? -1 : 0);
        Ramp sleeve = look.outfit == Outfit::Armour ? r.metal : r.main;
        band(f, 5 - widen, 6 - widen, bodyTop + 1, leftHand - 1, sleeve, 0.1f);
        band(f, 17 + widen, 18 + widen, bodyTop + 1, rightHand - 1, sleeve, -0.15f);
        Rect(f, 5 - widen, leftHand, 2, 2, r.skin[2]);
        Rect(f, 17 + widen, rightHand, 2, 2, r.skin[1]);
    }

    void headBall(float rx) { ball(f, 12, hy, rx, 6.5f, r.skin, 0.3f); }

    void hairCap(bool backView) {
        HairStyle s = look.hairStyle;
        if (s == HairStyle::Bald || s == HairStyle::Hood || s == HairStyle::Helmet) return;
        // The hair covers the top of the head down to the brow in front and everything behind.
        FillEllipse(f, 12, hy - 0.5f, 7.6f, 7.0f, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
            float brow = hy - 2.5f + ((x % 3) == 0 ? 1.0f : 0.0f);
            bool sideLock = (x <= 5 || x >= 18) && y < hy + 2;
            if (!backView && y > brow && !sideLock) return 0;
            if (backView && y > hy + 4) return 0;
            return r.hair.Shade(Light::Lambert(nx, ny, nz) * 1.2f + 0.05f);
        });
        if (s == HairStyle::Spiky) {
            for (int i = 0; i < 4; ++i) {
                float x = 6.5f + i * 3.5f;
                FillPolygon(f, {{x - 2, hy - 5}, {x + (i < 2 ? -1.5f : 1.5f), hy - 10.5f}, {x + 2, hy - 5}},
                            [&](int px, int) { return r.hair.Shade(px < 12 ? 0.75f : 0.45f); });
            }
        }
        if (s == HairStyle::Bun) ball(f, 12, hy - 7, 3.2f, 2.8f, r.hair, 0.05f);
        if (s == HairStyle::Bob) {
            for (int y = int(hy); y <= int(hy) + 4; ++y) {
                band(f, 4, 6, y, y, r.hair, 0.1f);
                band(f, 17, 19, y, y, r.hair, -0.2f);
            }
            if (backView) band(f, 5, 18, int(hy), int(hy) + 4, r.hair);
        }
    }

    void hairBack() {
        // Long hair and tails hang behind the body.
        if (look.hairStyle == HairStyle::Long) band(f, 5, 18, int(hy), int(hy) + 11, r.hair, -0.1f);
        if (look.hairStyle == HairStyle::Ponytail && dir == 0)
            band(f, 11, 13, int(hy) + 3, int(hy) + 11, r.hair);
    }

    void hairFrontLocks() {
        if (look.hairStyle == HairStyle::Long) {
            band(f, 4, 5, int(hy) - 1, int(hy) + 9, r.hair, 0.1f);
            band(f, 18, 19, int(hy) - 1, int(hy) + 9, r.hair, -0.2f);
        }
    }

    void headgear(bool backView, bool side) {
        float cx = 12;
        switch (look.hairStyle) {
        case HairStyle::Hood: {
            FillEllipse(f, cx, hy - 0.5f, 8.0f, 7.5f,
                        [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                            if (!backView) {
                                float fx = side ? (x + 0.5f - 14.0f) / 4.0f : (x + 0.5f - 12.0f) / 5.0f;
                                float fy = (y + 0.5f - (hy + 1.5f)) / 4.6f;
                                if (fx * fx + fy * fy < 1.0f) return 0;
                            }
                            return r.cape.Shade(Light::Lambert(nx, ny, nz) * 1.1f);
                        });
            break;
        }
        case HairStyle::Helmet:
            FillEllipse(f, cx, hy - 1.0f, 7.8f, 7.0f,
                        [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                            if (!backView && y > hy - 2.5f && !(side && x < 11)) return 0;
                            if (backView && y > hy + 3) return 0;
                            return r.metal.Shade(Light::Lambert(nx, ny, nz) * 1.2f + 0.1f);
                        });
            if (!backView && !side) Rect(f, 11, int(hy) - 3, 2, 4, r.metal[2]);
            // A plume.
            FillEllipse(f, side ? 10.5f : 12, hy - 8, 2, 2.2f, r.main[2]);
            break;
        case HairStyle::WizardHat:
            FillEllipse(f, cx, hy - 4, 9.5f, 2.2f, [&](int, int, float nx, float ny, float nz) {
                return r.cape.Shade(0.4f + Light::Lambert(nx, ny, nz) * 0.4f);
            });
            FillPolygon(f, {{cx - 5.5f, hy - 4}, {cx + (side ? -3.0f : 2.0f), 0.0f}, {cx + 5.5f, hy - 4}},
                        [&](int x, int) { return r.cape.Shade(x < cx ? 0.7f : 0.4f); });
            f.Set(int(cx) - 1, int(hy) - 6, r.gold[2]);
            f.Set(int(cx), int(hy) - 5, r.gold[1]);
            break;
        case HairStyle::StrawHat:
            FillEllipse(f, cx, hy - 4, 10.0f, 2.5f, [&](int, int, float nx, float ny, float nz) {
                return r.gold.Shade(0.3f + Light::Lambert(nx, ny, nz) * 0.5f);
            });
            ball(f, cx, hy - 5.5f, 5.0f, 3.0f, r.gold, 0.0f);
            band(f, 7, 16, int(hy) - 5, int(hy) - 5, r.main);
            break;
        case HairStyle::Crown:
            Rect(f, 8, int(hy) - 7, 8, 3, r.gold[2]);
            for (int x = 8; x < 16; x += 3)
                f.Set(x, int(hy) - 8, r.gold[2]);
            f.Set(15, int(hy) - 8, r.gold[2]);
            band(f, 8, 15, int(hy) - 5, int(hy) - 5, r.gold, -0.2f);
            if (!backView) f.Set(12, int(hy) - 6, r.main[3]);
            break;
        case HairStyle::Bandana:
            FillEllipse(f, cx, hy - 2, 7.7f, 5.5f,
                        [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                            if (y > hy - 3) return 0;
                            return r.second.Shade(Light::Lambert(nx, ny, nz) * 1.1f + 0.1f);
                        });
            if (backView) {
                Rect(f, 11, int(hy) - 3, 3, 2, r.second[1]);
                Line(f, 12, int(hy) - 2, 10, int(hy) + 3, r.second[2]);
                Line(f, 13, int(hy) - 2, 15, int(hy) + 2, r.second[1]);
            }
            break;
        default:
            break;
        }
    }

    void faceFront() {
        int ey = int(hy) + 1;
        for (int ex : {9, 14}) {
            f.Set(ex, ey, r.ink);
            f.Set(ex, ey + 1, r.eyes[0]);
            f.Set(ex + (ex < 12 ? 1 : -1), ey, r.eyeWhite);
            f.Set(ex + (ex < 12 ? 1 : -1), ey + 1, r.eyes[1]);
        }
        f.Set(12, int(hy) + 4, r.skin[0]);
        f.Set(8, int(hy) + 3, r.skin[1]);
        f.Set(15, int(hy) + 3, r.skin[1]);
        if (look.beard) {
            FillEllipse(f, 12, hy + 4.5f, 5.5f, 3.5f,
                        [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                            if (y < int(hy) + 3) return 0;
                            if (y == int(hy) + 4 && x >= 11 && x <= 13) return r.skin[0];
                            return r.hair.Shade(Light::Lambert(nx, ny, nz) + 0.2f);
                        });
        }
    }

    void ears(bool side) {
        if (!look.pointedEars) return;
        if (side) {
            FillPolygon(f, {{9, hy}, {5, hy - 4}, {10, hy + 2}}, r.skin[2]);
        } else {
            FillPolygon(f, {{5.5f, hy}, {2, hy - 4}, {5.5f, hy + 2.5f}}, r.skin[2]);
            FillPolygon(f, {{18.5f, hy}, {22, hy - 4}, {18.5f, hy + 2.5f}}, r.skin[1]);
        }
    }

    void heldFront() {
        switch (look.held) {
        case Held::Staff:
            Rect(f, 19 + widen, 7, 1, 23, r.leather[2]);
            ball(f, 19.5f + widen, 6, 2, 2, r.cape, 0.3f);
            break;
        case Held::Spear:
            Rect(f, 19 + widen, 4, 1, 26, r.leather[1]);
            FillPolygon(f, {{18.0f + widen, 5}, {19.5f + widen, 0}, {21.0f + widen, 5}}, r.metal[3]);
            break;
        case Held::Sword:
            // The hilt shows over the left shoulder.
            Line(f, 4, bodyTop - 3, 6, bodyTop, r.leather[1]);
            Rect(f, 3, bodyTop - 4, 2, 1, r.gold[2]);
            break;
        case Held::Bow:
            Line(f, 5, bodyTop - 2, 18, bodyTop + 9, r.leather[2]);
            break;
        case Held::Axe:
            Rect(f, 19 + widen, 12, 1, 13, r.leather[1]);
            FillPolygon(f,
                        {{19.0f + widen, 12}, {23.0f + widen, 10}, {23.0f + widen, 17}, {19.0f + widen, 15}},
                        r.metal[2]);
            break;
        case Held::None:
            break;
        }
    }

    void capeBack() {
        if (!look.cape) return;
        FillPolygon(f,
                    {{6.0f - widen, float(bodyTop)},
                     {18.0f + widen, float(bodyTop)},
                     {19.0f + widen, 28},
                     {5.0f - widen, 28}},
                    [&](int x, int y) {
                        return r.cape.Shade(0.55f - (x - 12) * 0.04f + ((x + y / 4) % 5 == 0 ? -0.15f : 0));
                    });
    }

    void front() {
        if (look.cape) {
            band(f, 5 - widen, 6 - widen, bodyTop, 27, r.cape, -0.1f);
            band(f, 17 + widen, 18 + widen, bodyTop, 27, r.cape, -0.2f);
        }
        hairBack();
        legsFront();
        torsoFront(false);
        armsFront();
        if (look.held == Held::Bow) heldFront();
        ears(false);
        headBall(7.0f);
        hairCap(false);
        hairFrontLocks();
        faceFront();
        headgear(false, false);
        if (look.held != Held::Bow) heldFront();
    }

    void back() {
        if (look.held == Held::Staff || look.held == Held::Spear || look.held == Held::Axe) {
            // Held on the right side, which is the left of the picture from behind.
            Rect(f, 4, look.held == Held::Axe ? 12 : 5, 1, 24, r.leather[1]);
            if (look.held == Held::Staff) ball(f, 4.5f, 6, 2, 2, r.cape, 0.3f);
            if (look.held == Held::Spear) FillPolygon(f, {{3, 6}, {4.5f, 1}, {6, 6}}, r.metal[3]);
            if (look.held == Held::Axe) FillPolygon(f, {{4, 12}, {0, 10}, {0, 17}, {4, 15}}, r.metal[2]);
        }
        legsFront();
        torsoFront(true);
        armsFront();
        if (look.held == Held::Sword) {
            Line(f, 7, bodyTop + 1, 16, bodyBottom - 1, r.leather[0]);
            Line(f, 6, bodyTop - 1, 7, bodyTop + 1, r.gold[2]);
        }
        if (look.held == Held::Bow) {
            Line(f, 17, bodyTop - 2, 7, bodyBottom + 1, r.leather[2]);
            Line(f, 16, bodyTop - 2, 6, bodyBottom + 1, r.leather[1]);
        }
        capeBack();
        ears(false);
        headBall(7.0f);
        hairCap(true);
        hairBack();
        if (look.hairStyle == HairStyle::Long) band(f, 5, 18, int(hy), int(hy) + 10, r.hair, -0.1f);
        if (look.hairStyle == HairStyle::Ponytail) band(f, 11, 13, int(hy) + 2, int(hy) + 11, r.hair);
        if (look.beard) {
            band(f, 6, 7, int(hy) + 3, int(hy) + 5, r.hair);
            band(f, 16, 17, int(hy) + 3, int(hy) + 5, r.hair);
        }
        headgear(true, false);
    }

    void side() {
        // Facing right: the far arm and leg are drawn first and darker.
        int hip = 24;
        float frontFoot = 12 + step * 2.5f, backFoot = 12 - step * 2.5f;
        if (step == 0) frontFoot = 13, backFoot = 11;
        if (look.cape)
            FillPolygon(f,
                        {{9, float(bodyTop)},
                         {12, float(bodyTop)},
                         {10.0f - std::abs(step), 28},
                         {5.0f - std::abs(step), 27}},
                        [&](int x, int) { return r.cape.Shade(0.45f - (x - 8) * 0.03f); });
        ThickLine(f, 11.5f, 17.5f, 11.5f - step * 2.0f, 22.5f, 2.2f, r.main[0]);
        if (!longSkirt()) {
            ThickLine(f, 11.5f, float(hip), backFoot, 28.5f, 3.0f, r.legs[0]);
            Rect(f, int(backFoot) - 1, 28, 4, 2, r.leather[0]);
            ThickLine(f, 12.0f, float(hip), frontFoot, 28.5f, 3.0f, r.legs[1]);
            Rect(f, int(frontFoot) - 1, 28, 4, 2, r.leather[1]);
        } else {
            Rect(f, int(backFoot) - 1, 28 + (step != 0 ? 1 : 0), 4, 2, r.leather[0]);
            Rect(f, int(frontFoot) - 1, 28, 4, 2, r.leather[1]);
        }
        int x0 = 9 - widen, x1 = 15 + widen;
        Ramp t = torsoRamp();
        band(f, x0, x1, bodyTop, bodyBottom, t);
        if (longSkirt())
            for (int y = bodyBottom; y <= 28; ++y)
                band(f, x0 - (y - bodyBottom) / 3, x1 + (y - bodyBottom) / 3, y, y, r.main);
        if (look.outfit == Outfit::Coat)
            for (int y = bodyBottom; y <= 27; ++y)
                band(f, x0, x1 - 1, y, y, r.main);
        if (look.outfit == Outfit::Tunic || look.outfit == Outfit::Armour || look.outfit == Outfit::Gi)
            band(f, x0, x1, bodyBottom - 2, bodyBottom - 2, look.outfit == Outfit::Gi ? r.second : r.leather);
        if (look.outfit == Outfit::Armour) band(f, 13, 15, bodyTop + 1, bodyBottom - 3, r.main, 0.1f);
        if (look.held == Held::Sword) {
            Line(f, 9, bodyBottom - 1, 5, bodyBottom + 4, r.leather[0]);
            f.Set(10, bodyBottom - 2, r.gold[2]);
        }
        if (look.held == Held::Bow) Line(f, 10, bodyTop - 2, 8, bodyBottom + 1, r.leather[2]);
        // Near arm.
        float handX = 12.0f + step * 2.0f;
        Ramp sleeve = look.outfit == Outfit::Armour ? r.metal : r.main;
        ThickLine(f, 12, 17.5f, handX, 22.0f, 2.4f, sleeve[2]);
        Rect(f, int(handX) - 1, 22, 2, 2, r.skin[2]);
        if (look.held == Held::Staff || look.held == Held::Spear || look.held == Held::Axe) {
            int sx = int(handX) + 1;
            Rect(f, sx, look.held == Held::Axe ? 12 : 5, 1, 24, r.leather[1]);
            if (look.held == Held::Staff) ball(f, sx + 0.5f, 5, 2, 2, r.cape, 0.3f);
            if (look.held == Held::Spear)
                FillPolygon(f, {{sx - 1.0f, 6}, {sx + 0.5f, 1}, {sx + 2.0f, 6}}, r.metal[3]);
            if (look.held == Held::Axe)
                FillPolygon(f, {{sx + 1.0f, 12}, {sx + 5.0f, 10}, {sx + 5.0f, 17}, {sx + 1.0f, 15}},
                            r.metal[2]);
        }
        ears(true);
        ball(f, 12, hy, 6.6f, 6.5f, r.skin, 0.3f);
        // Hair: the back of the head and the crown; a fringe over the brow.
        HairStyle s = look.hairStyle;
        if (s != HairStyle::Bald && s != HairStyle::Hood && s != HairStyle::Helmet) {
            FillEllipse(f, 11.5f, hy - 0.5f, 7.2f, 7.0f,
                        [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                            bool face = x >= 13 && y > hy - 2.5f + ((x % 3) == 0 ? 1 : 0);
                            bool cheek = x >= 10 && y > hy + 1.5f;
                            if (face || cheek) return 0;
                            if (y > hy + 4) return 0;
                            return r.hair.Shade(Light::Lambert(nx, ny, nz) * 1.2f + 0.05f);
                        });
            if (s == HairStyle::Long) band(f, 5, 10, int(hy), int(hy) + 10, r.hair, -0.1f);
            if (s == HairStyle::Ponytail) ThickLine(f, 5, hy, 4, hy + 9, 2.5f, r.hair[1]);
            if (s == HairStyle::Bob) band(f, 5, 11, int(hy), int(hy) + 4, r.hair);
            if (s == HairStyle::Bun) ball(f, 7, hy - 5, 3.0f, 2.8f, r.hair, 0.05f);
            if (s == HairStyle::Spiky)
                for (int i = 0; i < 3; ++i) {
                    float x = 7 + i * 3.5f;
                    FillPolygon(f, {{x - 2, hy - 4}, {x - 3.5f, hy - 10}, {x + 2, hy - 5}},
                                r.hair[2 - (i == 2)]);
                }
        }
        // Eye and mouth.
        int ey = int(hy) + 1;
        f.Set(16, ey, r.ink);
        f.Set(16, ey + 1, r.eyes[0]);
        f.Set(17, ey + 1, r.skin[1]);
        f.Set(17, int(hy) + 4, r.skin[0]);
        if (look.beard)
            FillEllipse(f, 14, hy + 4.5f, 4, 3, [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                if (y < int(hy) + 3 || x < 11) return 0;
                return r.hair.Shade(Light::Lambert(nx, ny, nz) + 0.2f);
            });
        headgear(false, true);
    }
};

} // namespace

void DrawCharacterFrame(IndexedImage& img, int ox, int oy, const CharacterLook& look, const LookRamps& r,
                        int dir, int pattern) {
    IndexedImage f(24, 32);
    bool mirror = dir == 3 && (look.body == Body::Humanoid || MirrorsLeft(look.body));
    int drawn = mirror ? 1 : dir;
    if (look.body == Body::Humanoid)
        HumanoidPainter(f, look, r, drawn, pattern).Paint();
    else
        PaintCreature(f, look, r, drawn, pattern);
    OutlineWith(f, 0, 0, 24, 32, r.ink);
    if (mirror)
        img.BlitMirrored(f, 0, 0, 24, 32, ox, oy, true);
    else
        img.Blit(f, 0, 0, 24, 32, ox, oy, true);
}

IndexedImage MakeCharacterSet(const std::vector<CharacterLook>& looks) {
    PaletteBuilder pal({96, 160, 112});
    uint8_t ink = pal.Add({28, 24, 36});
    RampCache cache(pal);
    IndexedImage img(288, 256);
    for (size_t c = 0; c < looks.size() && c < 8; ++c) {
        LookRamps r = RampsFor(looks[c], cache, ink);
        for (int d = 0; d < 4; ++d)
            for (int p = 0; p < 3; ++p)
                DrawCharacterFrame(img, int(c % 4) * 72 + p * 24, int(c / 4) * 128 + d * 32, looks[c], r, d,
                                   p);
    }
    img.Palette() = pal.Build();
    return img;
}

} // namespace tarvel::rtp
