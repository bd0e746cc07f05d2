// The indoor chipset "Dungeon": caves, castle halls and crypts. The rough cave floor is the ground
// every edge blends into.
#include <cmath>

#include "ChipsetPainter.h"
#include "Props.h"
#include "TileKit.h"

namespace tarvel::rtp {

namespace {

using chips::Quarter;
const float kPi = 3.14159265f;

struct Kit {
    PaletteBuilder pal{Rgb{40, 36, 48}};
    uint8_t ink = 0;
    Ramp floor, rock, dirt, moss, sand, water, deep, foam, brick, darkBrick, lava, carpet, gold, crystal,
        poison, ice, wood, metal, fire, paper, white, cloth, leaves, red, glass, straw;
    Tile floorTile, dirtTile, mossTile, sandTile, rubble, bricks, carpetTile, rockTop, pitTile, lavaTile[4],
        poisonTile, iceTile, crystalTile;
    Tile waterTile[3], deepTile[3];
    PropRamps props;

    Kit() {
        ink = pal.Add({22, 18, 30});
        floor = pal.AddRamp({122, 108, 96}, 6, 0.8f);
        rock = pal.AddRamp({98, 92, 104}, 6, 0.9f);
        dirt = pal.AddRamp({120, 88, 62}, 5, 0.8f);
        moss = pal.AddRamp({74, 118, 64}, 5, 0.8f);
        sand = pal.AddRamp({194, 172, 124}, 4, 0.6f);
        water = pal.AddRamp({54, 116, 176}, 6, 0.7f);
        deep = pal.AddRamp({26, 54, 112}, 5, 0.7f);
        foam = pal.AddRampThrough({{170, 210, 236}, {232, 246, 255}}, 2);
        brick = pal.AddRamp({118, 120, 138}, 6, 0.85f);
        darkBrick = pal.AddRamp({92, 70, 76}, 5, 0.85f);
        lava = pal.AddRampThrough(
            {{90, 20, 20}, {170, 40, 24}, {232, 96, 28}, {252, 168, 50}, {255, 236, 140}}, 5);
        carpet = pal.AddRamp({158, 40, 56}, 5, 0.8f);
        gold = pal.AddRamp({232, 190, 70}, 3, 0.7f);
        crystal = pal.AddRampThrough({{40, 90, 150}, {90, 170, 220}, {160, 220, 245}, {230, 250, 255}}, 4);
        poison = pal.AddRamp({124, 78, 148}, 5, 0.8f);
        ice = pal.AddRamp({176, 214, 236}, 4, 0.5f);
        wood = pal.AddRamp({128, 86, 54}, 6, 0.85f);
        metal = pal.AddRamp({118, 124, 140}, 4, 0.8f);
        fire = pal.AddRampThrough({{222, 92, 32}, {250, 170, 50}, {255, 240, 150}}, 3);
        paper = pal.AddRamp({214, 200, 168}, 4, 0.6f);
        white = pal.AddRampThrough({{188, 190, 210}, {246, 246, 250}}, 2);
        cloth = pal.AddRamp({82, 74, 160}, 5, 0.8f);
        leaves = pal.AddRamp({60, 110, 62}, 5, 0.8f);
        red = pal.AddRamp({206, 56, 64}, 3, 0.7f);
        glass = pal.AddRampThrough({{30, 40, 70}, {100, 150, 200}, {190, 225, 250}, {240, 250, 255}}, 4);
        straw = pal.AddRamp({210, 176, 96}, 4, 0.6f);
        makeTiles();
        props = {&pal, ink,   leaves, wood, brick, rock,  metal, cloth, darkBrick,
                 fire, glass, paper,  gold, red,   white, straw, moss};
    }

    void makeTiles() {
        floorTile = tiles::NoiseTile(floor, 0.45f, 0.22f, 8, 501);
        for (const Pt& p : tiles::Scatter(5, 5, 503)) {
            int x = int(p.x), y = int(p.y);
            floorTile.Set(x, y, floor[4]);
            floorTile.Set(x + 1, y, floor[3]);
            floorTile.Set(x, y + 1, floor[1]);
            floorTile.Set(x + 1, y + 1, floor[1]);
        }
        Line(floorTile.Image(), 2, 12, 6, 14, floor[1]);
        dirtTile = tiles::NoiseTile(dirt, 0.55f, 0.45f, 8, 505);
        mossTile = tiles::NoiseTile(moss, 0.5f, 0.45f, 4, 507);
        for (const Pt& p : tiles::Scatter(6, 4, 509))
            mossTile.Set(int(p.x), int(p.y), moss[4]);
        sandTile = tiles::NoiseTile(sand, 0.6f, 0.35f, 8, 511);
        rubble = tiles::Cobbles(floor, floor[0], 10, 513, 0.8f);
        bricks = tiles::Bricks(brick, brick[1], 8, 4, 515);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int px = x % 8, py = y % 8;
                bool diamond = std::abs(px - 4) + std::abs(py - 4) == 3;
                carpetTile.Set(x, y, diamond ? gold[1] : carpet.Shade(0.5f + ((x + y) % 2 ? 0.08f : 0)));
            }
        rockTop = tiles::NoiseTile(rock, 0.35f, 0.3f, 4, 517);
        pitTile = Tile();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                pitTile.Set(x, y, ink);
        for (int f = 0; f < 4; ++f) {
            lavaTile[f] = Tile();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    float n =
                        Fbm(x + f * 4, y, 8, 16, 2, 519) * 0.6f + Fbm(x, y + f * 4, 4, 16, 2, 521) * 0.4f;
                    float l = 0.3f + n * 0.75f;
                    lavaTile[f].Set(x, y, lava.Shade(l));
                }
        }
        poisonTile = tiles::NoiseTile(poison, 0.45f, 0.5f, 8, 523);
        for (const Pt& p : tiles::Scatter(4, 5, 525)) {
            int x = int(p.x), y = int(p.y);
            poisonTile.Set(x, y, poison[4]);
            poisonTile.Set(x + 1, y, poison[3]);
        }
        iceTile = Tile();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float l = 0.55f + std::sin((x - y) * 0.5f) * 0.12f;
                if ((x + 2 * y) % 11 == 0) l = 1.0f;
                iceTile.Set(x, y, ice.Shade(l));
            }
        crystalTile = tiles::WrapDraw(floorTile, [&](IndexedImage& c, int ox, int oy) {
            const Pt spots[2] = {{5, 9}, {13, 2}};
            for (const Pt& p : spots) {
                float cx = ox + p.x - 16, by = oy + p.y - 16 + 4;
                FillPolygon(c, {{cx - 2, by}, {cx - 2, by - 4}, {cx, by - 7}, {cx + 2, by - 4}, {cx + 2, by}},
                            [&](int x, int) { return crystal.Shade(x < cx ? 0.9f : 0.45f); });
                FillPolygon(
                    c, {{cx + 2, by}, {cx + 2, by - 2}, {cx + 3.5f, by - 4}, {cx + 5, by - 2}, {cx + 5, by}},
                    [&](int x, int) { return crystal.Shade(x < cx + 3.5f ? 0.7f : 0.3f); });
            }
        });
        for (int f = 0; f < 3; ++f) {
            waterTile[f] = waterTexture(water, 0.4f, f, 531);
            deepTile[f] = waterTexture(deep, 0.5f, f, 533);
        }
    }

    Tile waterTexture(Ramp ramp, float base, int frame, uint32_t seed, int marks = 2) {
        Tile t;
        int b = int(base * (ramp.count - 1));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                t.Set(x, y, ramp[Fbm(x, y, 8, 16, 2, seed) > 0.68f ? b + 1 : b]);
        int k = 0;
        for (const Pt& p : tiles::Scatter(marks, 7.5f, seed + 1)) {
            int x = int(p.x) + (frame == 1 ? 1 : frame == 2 ? 2 : 0) * ((k & 1) ? -1 : 1), y = int(p.y);
            ++k;
            for (int i = 0; i < 3; ++i)
                t.Set(x + i, y, ramp[std::min(b + 2, ramp.count - 1)]);
            t.Set(x + 1, y - 1, ramp[std::min(b + 3, ramp.count - 1)]);
        }
        return t;
    }

    std::function<uint8_t(int, int, const EdgeSample&)> floorOutside(float shadow) {
        return [this, shadow](int x, int y, const EdgeSample& e) -> uint8_t {
            float out = -e.d;
            if (shadow > 0 && out < shadow && (e.ny > 0.35f || e.nx > 0.6f)) return floor[1];
            return floorTile.At(x, y);
        };
    }

    TerrainStyle flat(const Tile& tile, Ramp ramp, float wobble) {
        TerrainStyle s;
        s.shape = {4, 4, 4, 3, 2};
        s.inside = [&tile, ramp](int x, int y, const EdgeSample& e) -> uint8_t {
            if (e.d < 1.0f) return e.ny < -0.3f ? ramp[1] : ramp[2];
            return tile.At(x, y);
        };
        s.outside = floorOutside(0);
        if (wobble > 0)
            s.wobble = [wobble](int x, int y) { return wobble * (ValueNoise(x, y, 4, 16, 9) - 0.5f) * 2; };
        return s;
    }
};

void paintAutotiles(Kit& k, IndexedImage& img) {
    TerrainStyle s[12];
    s[0] = k.flat(k.dirtTile, k.dirt, 1.2f);
    s[1] = k.flat(k.mossTile, k.moss, 1.4f);
    s[2] = k.flat(k.sandTile, k.sand, 1.0f);
    s[3] = k.flat(k.rubble, k.floor, 1.0f);
    s[3].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        return e.d < 1.0f ? k.floor[0] : k.rubble.At(x, y);
    };
    s[4] = k.flat(k.bricks, k.brick, 0);
    s[4].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return k.brick[0];
        if (e.d < 2.0f) return k.brick[4];
        return k.bricks.At(x, y);
    };
    // Carpet: a gold border and a fringe.
    s[5] = k.flat(k.carpetTile, k.carpet, 0);
    s[5].shape = {3, 3, 3, 1, 1};
    s[5].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return k.carpet[0];
        if (e.d < 2.0f) return k.gold[2];
        if (e.d < 3.0f) return k.gold[0];
        return k.carpetTile.At(x, y);
    };
    // Rock wall: a raised mass of rock with a face of half a chip towards the viewer.
    s[6].shape = {2, 8, 2, 3, 2};
    s[6].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return e.ny > 0.5f ? k.rock[5] : k.rock[4];
        return k.rockTop.At(x, y);
    };
    s[6].outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        float out = -e.d;
        if (e.ny > 0.5f && out < 8.0f) {
            if (out >= 7.0f) return k.ink;
            int col = (x + (int(out) / 3) * 4) % 5;
            float l = 0.5f - out * 0.05f + (Hash01(x / 5, int(out) / 3, 541) - 0.5f) * 0.25f;
            if (col == 0) l -= 0.3f;
            if (col == 1) l += 0.12f;
            return k.rock.Shade(l);
        }
        if (out < 1.0f) return k.rock[1];
        return k.floorTile.At(x, y);
    };
    // Pit: a drop into darkness with a lit lip on the far side and a dark one near.
    s[7].shape = {4, 4, 4, 3, 2};
    s[7].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return e.ny < -0.3f ? k.rock[1] : k.rock[3];
        if (e.d < 5.0f && e.ny < -0.3f) return k.rock[0];
        return k.ink;
    };
    s[7].outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (-e.d < 1.0f) return e.ny > 0.3f ? k.floor[5] : k.floor[1];
        return k.floorTile.At(x, y);
    };
    s[7].wobble = [](int x, int y) { return 0.8f * (ValueNoise(x, y, 4, 16, 543) - 0.5f) * 2; };
    s[8].shape = {4, 4, 4, 3, 2};
    s[8].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return k.ink;
        if (e.d < 2.0f) return k.lava[1];
        return k.lavaTile[0].At(x, y);
    };
    s[8].outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (-e.d < 1.5f) return k.darkBrick[1];
        return k.floorTile.At(x, y);
    };
    s[8].wobble = [](int x, int y) { return 0.9f * (ValueNoise(x, y, 4, 16, 545) - 0.5f) * 2; };
    s[9] = k.flat(k.poisonTile, k.poison, 1.3f);
    s[10] = k.flat(k.iceTile, k.ice, 0.8f);
    s[10].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return e.ny < 0 ? k.ice[3] : k.ice[0];
        return k.iceTile.At(x, y);
    };
    s[11] = k.flat(k.crystalTile, k.floor, 0.0f);
    s[11].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        return e.d < 2.5f ? k.floorTile.At(x, y) : k.crystalTile.At(x, y);
    };
    for (int slot = 0; slot < 12; ++slot)
        PaintAutotileBlock(img, slot, s[slot]);
}

void paintWater(Kit& k, IndexedImage& img) {
    for (int f = 0; f < 3; ++f) {
        WaterStyles w;
        w.shoreA.shape = {4, 4, 4, 3, 2};
        w.shoreA.inside = [&k, f](int x, int y, const EdgeSample& e) -> uint8_t {
            if (e.d < 1.0f) return ((x + y + f) % 4) ? k.water[4] : k.foam[0];
            if (e.d < 2.5f && e.ny < -0.3f) return k.water[1];
            return k.waterTile[f].At(x, y);
        };
        w.shoreA.outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
            float out = -e.d;
            if (out < 1.0f) return k.floor[e.ny > 0.3f ? 4 : 1];
            if (out < 2.0f) return k.floor[2];
            return k.floorTile.At(x, y);
        };
        w.shoreA.wobble = [](int x, int y) { return 0.7f * (ValueNoise(x, y, 4, 16, 551) - 0.5f) * 2; };
        w.shoreB.shape = {4, 4, 4, 1, 1};
        w.shoreB.inside = [&k, f](int x, int y, const EdgeSample& e) -> uint8_t {
            if (e.d < 2.0f) return k.water[1];
            return k.waterTile[f].At(x, y);
        };
        w.shoreB.outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
            float out = -e.d;
            bool alongX = std::fabs(e.ny) >= std::fabs(e.nx);
            int pos = alongX ? x : y;
            if (out < 1.0f) return k.brick[1];
            if (pos % 8 == 0) return k.brick[2];
            if (out < 2.0f) return k.brick[5];
            return k.brick[out < 3.0f ? 4 : 3];
        };
        w.junction.shape = {0, 0, 0, 5, 0};
        w.junction.inside = [&k, f](int x, int y, const EdgeSample&) { return k.waterTile[f].At(x, y); };
        w.junction.outside = [&k, f](int x, int y, const EdgeSample&) { return k.deepTile[f].At(x, y); };
        w.deepJunction = w.junction;
        w.deepJunction.inside = w.junction.outside;
        w.deepJunction.outside = w.junction.inside;
        w.deep = [&k, f](int x, int y) { return k.deepTile[f].At(x, y); };
        PaintWaterFrame(img, f, w);
    }
}

void paintAnimated(Kit& k, IndexedImage& img) {
    for (int frame = 0; frame < 4; ++frame) {
        chips::Unit a = chips::AnimatedOrigin(0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int yy = (y - frame * 4) & 15;
                float streak = std::sin(2 * kPi * (yy / 16.0f + Hash01(x, 0, 561)));
                uint8_t v = streak > 0.6f    ? k.foam[1]
                            : streak > 0.0f  ? k.water[5]
                            : streak > -0.6f ? k.water[3]
                                             : k.water[2];
                if (x == 0 || x == 15) v = k.rock[1];
                img.Set(a.x * 8 + x, a.y * 8 + frame * 16 + y, v);
            }
        // Lava that bubbles: the flow moves and a bubble grows and bursts.
        chips::Unit b = chips::AnimatedOrigin(1);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                img.Set(b.x * 8 + x, b.y * 8 + frame * 16 + y, k.lavaTile[frame].At(x, y));
        float radius = 1.0f + frame * 1.2f;
        if (frame < 3)
            FillEllipse(img, b.x * 8 + 8, b.y * 8 + frame * 16 + 8, radius, radius,
                        [&](int, int, float nx, float ny, float nz) {
                            return k.lava.Shade(0.55f + Light::Lambert(nx, ny, nz) * 0.5f);
                        });
        else
            for (int i = 0; i < 6; ++i) {
                float ang = i * kPi / 3;
                img.Set(b.x * 8 + 8 + int(4 * std::cos(ang)),
                        b.y * 8 + frame * 16 + 8 + int(4 * std::sin(ang)), k.lava[4]);
            }
        // A magic circle whose runes glow in turn.
        chips::Unit c = chips::AnimatedOrigin(2);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float dx = x + 0.5f - 8, dy = y + 0.5f - 8, r = std::sqrt(dx * dx + dy * dy);
                float ang = std::atan2(dy, dx);
                uint8_t v = k.floorTile.At(x, y);
                if (std::fabs(r - 6.5f) < 0.7f) v = k.crystal[1 + (frame % 2)];
                if (r < 5.5f && std::fabs(std::sin(ang * 2.5f)) > 0.97f) v = k.crystal[1];
                int rune = int(std::floor((ang + kPi) / (kPi / 2))) % 4;
                if (std::fabs(r - 4.0f) < 0.8f && rune == frame)
                    v = k.crystal[3];
                else if (std::fabs(r - 4.0f) < 0.6f)
                    v = k.crystal[0];
                img.Set(c.x * 8 + x, c.y * 8 + frame * 16 + y, v);
            }
    }
}

IndexedImage chipCanvas(int w = 1, int h = 1) {
    return IndexedImage(16 * w, 16 * h);
}

IndexedImage fromTile(const Tile& t) {
    IndexedImage c = chipCanvas();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            c.Set(x, y, t.At(x, y));
    return c;
}

// A wall seen from the front: rough cave rock, grey castle bricks or dark crypt bricks.
enum class WallKind { Cave, Castle, Crypt };

uint8_t wallPixel(Kit& k, WallKind kind, int x, int y) {
    static Tile castle, crypt;
    static bool made = false;
    if (!made) {
        castle = tiles::Bricks(k.brick, k.brick[0], 8, 4, 571);
        crypt = tiles::Bricks(k.darkBrick, k.ink, 6, 5, 573);
        made = true;
    }
    switch (kind) {
    case WallKind::Cave: {
        int col = (x + (y / 5) * 3) % 7;
        float l = 0.5f + (Hash01(x / 7 + (y / 5) * 5, y / 5, 575) - 0.5f) * 0.3f;
        if (y % 5 == 0) l += 0.18f;
        if (y % 5 == 4) l -= 0.18f;
        if (col == 0) l -= 0.3f;
        return k.rock.Shade(l);
    }
    case WallKind::Castle:
        return castle.At(x, y);
    case WallKind::Crypt:
        return crypt.At(x, y);
    }
    return 0;
}

IndexedImage wallChip(Kit& k, WallKind kind, int part) {
    IndexedImage c = chipCanvas();
    Ramp ramp = kind == WallKind::Cave ? k.rock : kind == WallKind::Castle ? k.brick : k.darkBrick;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            c.Set(x, y, wallPixel(k, kind, x, y));
    switch (part) {
    case 0: // left end
    case 2: // right end
        for (int y = 0; y < 16; ++y) {
            int x0 = part == 0 ? 0 : 14;
            c.Set(x0, y, ramp[part == 0 ? 4 : 1]);
            c.Set(x0 + 1, y, ramp[part == 0 ? 3 : 0]);
        }
        break;
    case 3: // top: the wall's upper edge against the dark above
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 16; ++x)
                c.Set(x, y, y < 4 ? k.ink : ramp[y == 4 ? 4 : 3]);
        break;
    case 4: // foot: the wall meets the floor
        for (int y = 12; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                c.Set(x, y, y == 12 ? ramp[0] : (y == 13 ? k.floor[1] : k.floorTile.At(x, y)));
        break;
    case 5: // arched door opening
        FillEllipse(c, 8, 6, 5, 4.5f, k.ink);
        Rect(c, 3, 6, 10, 10, k.ink);
        for (int y = 2; y < 16; ++y) {
            c.Set(2, y, ramp[4]);
            c.Set(13, y, ramp[1]);
        }
        break;
    case 6: // window slit
        Rect(c, 7, 3, 2, 9, k.ink);
        Rect(c, 6, 5, 4, 2, k.ink);
        c.Set(7, 2, ramp[4]);
        Rect(c, 6, 12, 4, 1, ramp[4]);
        break;
    case 7: // iron door
        Rect(c, 3, 2, 10, 14, k.metal[1]);
        for (int x = 4; x < 13; x += 3)
            Rect(c, x, 3, 2, 13, k.metal[2]);
        for (int y : {5, 11})
            Rect(c, 3, y, 10, 1, k.metal[3]);
        c.Set(11, 8, k.gold[2]);
        break;
    }
    return c;
}

IndexedImage drawProp(std::function<void(IndexedImage&)> draw, int w = 1, int h = 1) {
    IndexedImage c = chipCanvas(w, h);
    draw(c);
    return c;
}

void paintLowerChips(Kit& k, ChipAllocator& a) {
    auto tileChip = [&](const std::string& name, const Tile& t, const std::string& terrain,
                        Pass pass = Pass::Open) { a.Lower(name, fromTile(t), terrain, pass); };
    tileChip("Cave Floor", k.floorTile, "Cave Floor");
    {
        Tile t = k.floorTile;
        for (const Pt& p : tiles::Scatter(4, 5, 601)) {
            int x = int(p.x), y = int(p.y);
            t.Set(x, y, k.floor[5]), t.Set(x + 1, y, k.floor[4]), t.Set(x, y + 1, k.floor[2]),
                t.Set(x + 1, y + 1, k.floor[0]);
        }
        tileChip("Cave Floor Pebbles", t, "Cave Floor");
        Tile c = k.floorTile;
        Line(c.Image(), 1, 4, 6, 6, k.floor[0]);
        Line(c.Image(), 6, 6, 9, 12, k.floor[0]);
        Line(c.Image(), 6, 6, 14, 5, k.floor[0]);
        tileChip("Cracked Floor", c, "Cave Floor");
        Tile m = k.floorTile;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (Fbm(x, y, 8, 16, 2, 603) > 0.55f) m.Set(x, y, k.mossTile.At(x, y));
        tileChip("Mossy Floor", m, "Cave Floor");
        Tile puddle = k.floorTile;
        FillEllipse(puddle.Image(), 8, 9, 5, 3, [&](int x, int y, float, float ny, float) {
            return ny < -0.5f ? k.water[1] : k.water[3];
        });
        tileChip("Puddle", puddle, "Cave Floor");
    }
    tileChip("Bare Dirt", k.dirtTile, "Dirt");
    tileChip("Flagstones", tiles::Bricks(k.brick, k.brick[1], 8, 8, 605), "Floor");
    tileChip("Castle Tiles", tiles::Bricks(k.brick, k.brick[2], 16, 8, 607), "Floor");
    tileChip("Crypt Tiles", tiles::Bricks(k.darkBrick, k.ink, 8, 8, 609), "Floor");
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool light = ((x / 8) + (y / 8)) % 2 == 0;
                float l = light ? 0.8f : 0.25f;
                if (x % 8 == 0 || y % 8 == 0) l += 0.12f;
                t.Set(x, y, k.brick.Shade(l));
            }
        tileChip("Checker Floor", t, "Floor");
    }
    tileChip("Red Carpet", k.carpetTile, "Carpet");
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int board = x / 4, px = x % 4;
                int joint = (board * 5) % 16;
                float l = 0.5f + (Hash01(board, (y + 16 - joint) / 16, 611) - 0.5f) * 0.2f;
                if (px == 0) l += 0.15f;
                if (px == 3) l -= 0.3f;
                if (y == joint) l -= 0.3f;
                t.Set(x, y, k.wood.Shade(l));
            }
        tileChip("Planks", t, "Floor");
    }
    {
        Tile t = tiles::Bricks(k.brick, k.brick[1], 8, 8, 613);
        for (int y = 0; y < 16; y += 2)
            for (int x = 0; x < 16; ++x)
                if (x % 8 > 1 && x % 8 < 7 && y % 8 > 1 && y % 8 < 7) t.Set(x, y, k.ink);
        tileChip("Grate", t, "Floor");
    }
    tileChip("Lava Crust", tiles::Cobbles(k.darkBrick, k.lava[2], 6, 615, 0.6f), "Lava");
    tileChip("Ice Floor", k.iceTile, "Ice");
    tileChip("Plain Sand", k.sandTile, "Sand");
    tileChip("Loose Rubble", k.rubble, "Cave Floor");
    {
        Tile t = k.floorTile;
        FillEllipse(t.Image(), 8, 8, 6.5f, 6.5f, k.crystal[0]);
        FillEllipse(t.Image(), 8, 8, 5.5f, 5.5f, k.floor[2]);
        for (int i = 0; i < 5; ++i) {
            float a0 = i * 2 * kPi / 5 - kPi / 2, a1 = (i + 2) * 2 * kPi / 5 - kPi / 2;
            Line(t.Image(), int(8 + 5 * std::cos(a0)), int(8 + 5 * std::sin(a0)), int(8 + 5 * std::cos(a1)),
                 int(8 + 5 * std::sin(a1)), k.crystal[1]);
        }
        tileChip("Rune Circle", t, "Floor");
    }
    // Walls: left, middle, right, top, foot, doorway, window, iron door.
    const char* parts[8] = {" Left", "", " Right", " Top", " Foot", " Doorway", " Window", " Iron Door"};
    const struct {
        WallKind kind;
        const char* name;
    } walls[3] = {
        {WallKind::Cave, "Cave Wall"}, {WallKind::Castle, "Castle Wall"}, {WallKind::Crypt, "Crypt Wall"}};
    for (const auto& w : walls)
        for (int part = 0; part < 8; ++part) {
            if (w.kind == WallKind::Cave && (part == 6 || part == 7)) continue;
            Pass pass = part == 5 || part == 7 ? Pass::Open : Pass::Blocked;
            a.Lower(std::string(w.name) + parts[part], wallChip(k, w.kind, part), "Wall", pass);
        }
    {
        IndexedImage c = wallChip(k, WallKind::Cave, 1);
        for (const Pt& p : {Pt{4, 10}, Pt{11, 6}}) {
            FillPolygon(c, {{p.x - 2, p.y + 3}, {p.x, p.y - 3}, {p.x + 2, p.y + 3}},
                        [&](int x, int) { return k.crystal.Shade(x < p.x ? 0.9f : 0.4f); });
        }
        a.Lower("Cave Wall Crystals", c, "Wall", Pass::Blocked);
        IndexedImage v = wallChip(k, WallKind::Cave, 1);
        for (int i = 0; i < 5; ++i)
            for (int y = 0; y < 6 + (i * 5) % 8; ++y)
                v.Set(2 + i * 3 + (y / 3) % 2, y, k.moss[(y + i) % 3 + 1]);
        a.Lower("Cave Wall Moss", v, "Wall", Pass::Blocked);
        IndexedImage banner = wallChip(k, WallKind::Castle, 1);
        FillPolygon(banner, {{4, 1}, {12, 1}, {12, 13}, {8, 10}, {4, 13}},
                    [&](int x, int y) { return k.carpet.Shade(x < 6 ? 0.7f : 0.45f); });
        Rect(banner, 4, 1, 8, 1, k.gold[2]);
        FillEllipse(banner, 8, 6, 1.5f, 1.5f, k.gold[2]);
        a.Lower("Castle Wall Banner", banner, "Wall", Pass::Blocked);
        IndexedImage torch = wallChip(k, WallKind::Castle, 1);
        IndexedImage t = chipCanvas();
        props::Torch(t, k.props);
        torch.Blit(t, 0, 0);
        a.Lower("Castle Wall Torch", torch, "Wall", Pass::Blocked);
        IndexedImage skulls = wallChip(k, WallKind::Crypt, 1);
        for (const Pt& p : {Pt{4, 5}, Pt{12, 5}, Pt{8, 11}}) {
            FillEllipse(skulls, p.x, p.y, 2.5f, 2.2f, k.paper[2]);
            skulls.Set(int(p.x) - 1, int(p.y), k.ink);
            skulls.Set(int(p.x) + 1, int(p.y), k.ink);
        }
        a.Lower("Crypt Wall Skulls", skulls, "Wall", Pass::Blocked);
    }
    // Stairs and bridges.
    for (int down = 0; down < 2; ++down) {
        IndexedImage c = chipCanvas();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int step = y / 4, py = y % 4;
                float l = down ? 0.8f - step * 0.18f : 0.35f + step * 0.15f;
                if (py == 0) l += 0.15f;
                if (py == 3) l -= 0.2f;
                c.Set(x, y, x < 1 || x > 14 ? k.brick[0] : k.brick.Shade(l));
            }
        a.Lower(down ? "Stairs Down" : "Stairs Up", c, "Floor");
    }
    for (int vertical = 0; vertical < 2; ++vertical) {
        IndexedImage c = fromTile(k.pitTile);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int across = vertical ? x : y, along = vertical ? y : x;
                if (across < 3 || across > 12) continue;
                uint8_t v = across == 3    ? k.wood[4]
                            : across == 12 ? k.wood[0]
                                           : (along % 4 == 3 ? k.wood[1] : k.wood[3]);
                if (across == 4 || across == 11) v = k.paper[1];
                c.Set(x, y, v);
            }
        a.Lower(vertical ? "Rope Bridge Vertical" : "Rope Bridge Horizontal", c, "Bridge");
    }
    {
        IndexedImage c = fromTile(k.waterTile[0]);
        for (int y = 3; y < 13; ++y)
            for (int x = 0; x < 16; ++x)
                c.Set(x, y, (x % 5 == 0) ? k.brick[1] : k.brick[y == 3 ? 5 : (y == 12 ? 1 : 3)]);
        a.Lower("Stone Walkway", c, "Bridge");
    }
    // Decorated floors.
    for (int i = 0; i < 3; ++i) {
        Tile t = i == 0 ? k.floorTile : i == 1 ? tiles::Bricks(k.brick, k.brick[1], 8, 8, 605) : k.carpetTile;
        IndexedImage c = fromTile(t);
        IndexedImage p = chipCanvas();
        if (i == 0) props::Bones(p, k.props);
        if (i == 1) props::Cobweb(p, k.props);
        if (i == 2) {
            for (int y = 0; y < 16; ++y)
                c.Set(0, y, k.gold[2]), c.Set(15, y, k.gold[2]);
        }
        c.Blit(p, 0, 0);
        const char* names[3] = {"Bones", "Cobweb Floor", "Carpet Runner"};
        a.Lower(names[i], c, i == 2 ? "Carpet" : "Cave Floor");
    }
    // Ceilings: the tops of walls seen from above, in 3 x 3 sets with a rim where the wall begins.
    const char* rows3[3] = {" Top", "", " Bottom"};
    const char* cols3[3] = {" Left", "", " Right"};
    const struct {
        WallKind kind;
        const char* name;
    } tops[3] = {{WallKind::Cave, "Cave Ceiling"},
                 {WallKind::Castle, "Castle Ceiling"},
                 {WallKind::Crypt, "Crypt Ceiling"}};
    for (const auto& t : tops) {
        Ramp ramp = t.kind == WallKind::Cave ? k.rock : t.kind == WallKind::Castle ? k.brick : k.darkBrick;
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                IndexedImage c = chipCanvas();
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) {
                        uint8_t v = t.kind == WallKind::Cave
                                        ? k.rockTop.At(x, y)
                                        : ramp.Dither(0.12f + Fbm(x, y, 8, 16, 2, 651) * 0.12f, x, y);
                        bool top = row == 0 && y < 2, bottom = row == 2 && y > 13, left = col == 0 && x < 2,
                             right = col == 2 && x > 13;
                        if (top || left) v = ramp[ramp.count - 2];
                        if (bottom || right) v = ramp[1];
                        if ((top && y == 0) || (left && x == 0) || (bottom && y == 15) || (right && x == 15))
                            v = k.ink;
                        c.Set(x, y, v);
                    }
                a.Lower(std::string(t.name) + rows3[row] + cols3[col], c, "Wall", Pass::Blocked);
            }
    }
    // A rug in 3 x 3 pieces for halls and chambers.
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            IndexedImage c = fromTile(k.carpetTile);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    int ex = col == 0   ? x
                             : col == 2 ? 15 - x
                                        : 99,
                        ey = row == 0   ? y
                             : row == 2 ? 15 - y
                                        : 99;
                    int e = std::min(ex, ey);
                    if (e < 2)
                        c.Set(x, y, k.cloth[1]);
                    else if (e < 3)
                        c.Set(x, y, k.gold[2]);
                    else if (e < 4)
                        c.Set(x, y, k.cloth[2]);
                }
            a.Lower(std::string("Blue Rug") + rows3[row] + cols3[col], c, "Carpet");
        }
    // Wood and red brick walls for cabins and towers.
    const struct {
        Ramp ramp;
        const char* name;
        int kind;
    } extra[2] = {{k.wood, "Wood Wall", 0}, {k.darkBrick, "Red Brick Wall", 1}};
    const char* wallParts[6] = {" Left", "", " Right", " Window", " Door", " Top"};
    for (const auto& w : extra) {
        Tile bricks = tiles::Bricks(k.darkBrick, k.ink, 6, 4, 653);
        for (int part = 0; part < 6; ++part) {
            IndexedImage c = chipCanvas();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    uint8_t v = w.kind == 0 ? (x % 4 == 0   ? k.wood[4]
                                               : x % 4 == 3 ? k.wood[1]
                                                            : k.wood[3])
                                            : bricks.At(x, y);
                    c.Set(x, y, v);
                }
            if (part == 0 || part == 2)
                for (int y = 0; y < 16; ++y) {
                    int x0 = part == 0 ? 0 : 14;
                    c.Set(x0, y, w.ramp[part == 0 ? 4 : 1]);
                    c.Set(x0 + 1, y, w.ramp[part == 0 ? 3 : 0]);
                }
            if (part == 3) {
                BevelBox(c, 4, 3, 8, 9, k.wood, 2);
                Rect(c, 5, 4, 6, 7, k.glass[1]);
                Rect(c, 5, 4, 2, 2, k.glass[3]);
                Line(c, 8, 4, 8, 10, k.wood[2]);
            }
            if (part == 4) {
                FillEllipse(c, 8, 6, 5, 4, k.wood[0]);
                Rect(c, 3, 6, 10, 10, k.wood[0]);
                Rect(c, 4, 6, 8, 10, k.wood[2]);
                FillEllipse(c, 8, 6.5f, 4, 3.5f, k.wood[2]);
                c.Set(10, 10, k.gold[2]);
            }
            if (part == 5)
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 16; ++x)
                        c.Set(x, y, y < 3 ? k.ink : w.ramp[w.ramp.count - 1 - (y - 3)]);
            a.Lower(std::string(w.name) + wallParts[part], c, "Wall", part == 4 ? Pass::Open : Pass::Blocked);
        }
    }
    // Walls with something in them.
    {
        IndexedImage bars = wallChip(k, WallKind::Castle, 1);
        Rect(bars, 2, 2, 12, 14, k.ink);
        for (int x = 3; x < 14; x += 3)
            Rect(bars, x, 2, 1, 14, k.metal[2]);
        Rect(bars, 2, 5, 12, 1, k.metal[1]);
        a.Lower("Prison Bars", bars, "Wall", Pass::Blocked);
        IndexedImage niche = wallChip(k, WallKind::Crypt, 1);
        Rect(niche, 2, 4, 12, 10, k.ink);
        BevelBox(niche, 3, 8, 10, 6, k.paper, 1);
        a.Lower("Crypt Niche", niche, "Wall", Pass::Blocked);
        for (WallKind kind : {WallKind::Cave, WallKind::Castle, WallKind::Crypt}) {
            IndexedImage cracked = wallChip(k, kind, 1);
            Line(cracked, 4, 1, 7, 6, k.ink);
            Line(cracked, 7, 6, 5, 11, k.ink);
            Line(cracked, 7, 6, 12, 9, k.ink);
            const char* names[3] = {"Cracked Cave Wall", "Cracked Castle Wall", "Cracked Crypt Wall"};
            a.Lower(names[int(kind)], cracked, "Wall", Pass::Blocked);
        }
        IndexedImage ice = chipCanvas();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ice.Set(x, y,
                        k.ice.Shade(0.5f + std::sin((x + y * 0.5f) * 0.7f) * 0.2f - (y > 12 ? 0.3f : 0)));
        a.Lower("Ice Wall", ice, "Wall", Pass::Blocked);
        IndexedImage crystalWall = wallChip(k, WallKind::Cave, 1);
        for (const Pt& p : {Pt{4, 6}, Pt{10, 11}, Pt{12, 4}})
            FillPolygon(crystalWall, {{p.x - 2, p.y + 3}, {p.x, p.y - 3}, {p.x + 2, p.y + 3}},
                        [&](int x, int) { return k.crystal.Shade(x < p.x ? 0.9f : 0.4f); });
        a.Lower("Crystal Wall", crystalWall, "Wall", Pass::Blocked);
    }
    // More floors.
    {
        Tile slab = tiles::Bricks(k.brick, k.brick[1], 16, 16, 655);
        IndexedImage tomb = fromTile(slab);
        BevelBox(tomb, 2, 2, 12, 12, k.brick, 3);
        for (int y = 5; y < 12; y += 3)
            Rect(tomb, 5, y, 6, 1, k.brick[1]);
        a.Lower("Tomb Slab", tomb, "Floor");
        IndexedImage seal = fromTile(slab);
        FillEllipse(seal, 8, 8, 6, 6, k.brick[1]);
        FillEllipse(seal, 8, 8, 5, 5, k.brick[4]);
        Rect(seal, 7, 4, 2, 9, k.brick[1]);
        Rect(seal, 4, 7, 9, 2, k.brick[1]);
        a.Lower("Sealed Slab", seal, "Floor");
        for (int m = 0; m < 4; ++m) {
            IndexedImage c = chipCanvas();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    int gx = m % 2 ? 15 - x : x, gy = m / 2 ? 15 - y : y;
                    float r = std::hypot(gx + 0.5f, gy + 0.5f);
                    uint8_t v = int(r / 3) % 2 ? k.brick[4] : k.carpet[2];
                    if (int(r) % 3 == 0) v = k.gold[1];
                    c.Set(x, y, v);
                }
            const char* names[4] = {"Mosaic Top Left", "Mosaic Top Right", "Mosaic Bottom Left",
                                    "Mosaic Bottom Right"};
            a.Lower(names[m], c, "Floor");
        }
        for (int dais = 0; dais < 3; ++dais) {
            IndexedImage c = chipCanvas();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    int step = y / 5;
                    float l = 0.75f - step * 0.15f + (y % 5 == 0 ? 0.15f : 0);
                    uint8_t v = k.brick.Shade(l);
                    if ((dais == 0 && x < 2) || (dais == 2 && x > 13)) v = k.brick[1];
                    c.Set(x, y, v);
                }
            const char* names[3] = {"Dais Left", "Dais", "Dais Right"};
            a.Lower(names[dais], c, "Floor");
        }
        IndexedImage trap = fromTile(tiles::Bricks(k.brick, k.brick[1], 8, 8, 605));
        BevelBox(trap, 2, 2, 12, 12, k.wood, 2);
        for (int x = 5; x < 14; x += 3)
            Rect(trap, x, 3, 1, 10, k.wood[1]);
        Rect(trap, 7, 7, 2, 2, k.metal[3]);
        a.Lower("Trapdoor", trap, "Floor");
        IndexedImage hole = fromTile(k.floorTile);
        FillEllipse(hole, 8, 8, 6, 5, k.ink);
        for (int i = 0; i < 3; ++i)
            Rect(hole, 5, 5 + i * 3, 6, 1, k.floor[2 - i / 2]);
        a.Lower("Stairs Into Dark", hole, "Cave Floor");
        IndexedImage ladderHole = fromTile(k.floorTile);
        Rect(ladderHole, 3, 2, 10, 12, k.ink);
        Rect(ladderHole, 4, 2, 1, 12, k.wood[3]);
        Rect(ladderHole, 11, 2, 1, 12, k.wood[3]);
        for (int y = 4; y < 14; y += 3)
            Rect(ladderHole, 5, y, 6, 1, k.wood[4]);
        a.Lower("Ladder Hole", ladderHole, "Cave Floor");
        IndexedImage drain = fromTile(tiles::Bricks(k.brick, k.brick[1], 8, 8, 605));
        Rect(drain, 3, 3, 10, 10, k.water[1]);
        for (int x = 4; x < 13; x += 2)
            Rect(drain, x, 3, 1, 10, k.metal[2]);
        a.Lower("Drain", drain, "Floor");
    }
    for (int i = 0; i < 3; ++i) {
        Tile t = i == 0   ? tiles::NoiseTile(k.straw, 0.45f, 0.5f, 4, 657)
                 : i == 1 ? tiles::Cobbles(k.brick, k.brick[0], 6, 659)
                          : tiles::NoiseTile(k.dirt, 0.35f, 0.4f, 8, 661);
        if (i == 2)
            for (int y = 0; y < 16; ++y)
                t.Set(5, y, k.dirt[0]), t.Set(10, y, k.dirt[0]);
        const char* names[3] = {"Straw Floor", "Cobbled Floor", "Cart Tracks"};
        const char* terrain[3] = {"Floor", "Floor", "Dirt"};
        tileChip(names[i], t, terrain[i]);
    }
    // Floors with something on them.
    {
        auto dots = [&](Tile t, int count, uint32_t seed, std::function<void(Tile&, int, int)> mark) {
            for (const Pt& p : tiles::Scatter(count, 16.0f / std::sqrt(float(count)) * 0.8f, seed))
                mark(t, int(p.x), int(p.y));
            return t;
        };
        Tile crackedIce = k.iceTile;
        Line(crackedIce.Image(), 1, 3, 7, 8, k.ice[0]);
        Line(crackedIce.Image(), 7, 8, 14, 6, k.ice[0]);
        Line(crackedIce.Image(), 7, 8, 6, 15, k.ice[0]);
        tileChip("Cracked Ice", crackedIce, "Ice");
        Tile ripples = k.sandTile;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (std::sin((x + 2 * y) * 0.8f) > 0.9f) ripples.Set(x, y, k.sand[1]);
        tileChip("Sand Ripples", ripples, "Sand");
        tileChip("Dirt Pebbles",
                 dots(k.dirtTile, 6, 671,
                      [&](Tile& t, int x, int y) { t.Set(x, y, k.floor[4]), t.Set(x, y + 1, k.dirt[0]); }),
                 "Dirt");
        tileChip("Moss Stones",
                 dots(k.mossTile, 3, 673,
                      [&](Tile& t, int x, int y) {
                          FillEllipse(t.Image(), x, y, 2.2f, 1.8f,
                                      [&](int, int, float nx, float ny, float nz) {
                                          return k.floor.Shade(Light::Lambert(nx, ny, nz) + 0.1f);
                                      });
                      }),
                 "Cave Floor");
        tileChip("Coins",
                 dots(tiles::Bricks(k.brick, k.brick[1], 8, 8, 605), 6, 675,
                      [&](Tile& t, int x, int y) {
                          t.Set(x, y, k.gold[2]), t.Set(x + 1, y, k.gold[1]), t.Set(x, y + 1, k.gold[0]);
                      }),
                 "Floor");
        tileChip("Wet Floor",
                 dots(k.floorTile, 3, 677,
                      [&](Tile& t, int x, int y) {
                          FillEllipse(t.Image(), x, y, 2.5f, 1.5f, k.water[2]);
                          t.Set(x - 1, y - 1, k.water[4]);
                      }),
                 "Cave Floor");
        tileChip("Rubble Heap",
                 dots(k.rubble, 4, 679,
                      [&](Tile& t, int x, int y) {
                          FillEllipse(t.Image(), x, y, 2.5f, 2, [&](int, int, float nx, float ny, float nz) {
                              return k.rock.Shade(Light::Lambert(nx, ny, nz) + 0.15f);
                          });
                      }),
                 "Cave Floor");
        tileChip("Mushroom Floor",
                 dots(k.floorTile, 4, 681,
                      [&](Tile& t, int x, int y) {
                          t.Set(x, y, k.red[2]), t.Set(x + 1, y, k.red[1]), t.Set(x, y + 1, k.paper[2]);
                      }),
                 "Cave Floor");
        tileChip(
            "Glowing Moss",
            dots(k.mossTile, 5, 683,
                 [&](Tile& t, int x, int y) { t.Set(x, y, k.crystal[3]), t.Set(x + 1, y, k.crystal[2]); }),
            "Cave Floor");
        Tile vent = k.floorTile;
        Line(vent.Image(), 2, 4, 8, 9, k.lava[3]);
        Line(vent.Image(), 8, 9, 13, 7, k.lava[2]);
        Line(vent.Image(), 8, 9, 9, 14, k.lava[2]);
        tileChip("Lava Vent", vent, "Lava");
        Tile crackedTiles = tiles::Bricks(k.brick, k.brick[2], 16, 8, 607);
        Line(crackedTiles.Image(), 3, 1, 7, 6, k.brick[0]);
        Line(crackedTiles.Image(), 7, 6, 12, 13, k.brick[0]);
        tileChip("Cracked Tiles", crackedTiles, "Floor");
        Tile mossyTiles = tiles::Bricks(k.brick, k.brick[2], 16, 8, 607);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (mossyTiles.At(x, y) == k.brick[2] || Fbm(x, y, 8, 16, 2, 685) > 0.62f)
                    mossyTiles.Set(x, y, k.moss[(x + y) % 3 + 1]);
        tileChip("Mossy Tiles", mossyTiles, "Floor");
    }
    // A fountain basin of 2 x 2 chips.
    {
        IndexedImage c = chipCanvas(2, 2);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                c.Set(x, y, k.floorTile.At(x, y));
        FillEllipse(c, 16, 16, 15, 14, [&](int x, int y, float nx, float ny, float nz) {
            return k.brick.Shade(0.6f - ny * 0.3f);
        });
        FillEllipse(c, 16, 16, 12, 11,
                    [&](int x, int y, float, float, float) { return k.waterTile[0].At(x, y); });
        FillEllipse(c, 16, 15, 3, 3, k.brick[4]);
        c.Set(16, 12, k.foam[1]);
        a.Lower("Fountain", c, "Water", Pass::Blocked);
    }
    // The rest of the plain chips: solid darkness (the unseen parts of a dungeon), rock tops, water
    // details.
    tileChip("Darkness", k.pitTile, "Wall", Pass::Blocked);
    tileChip("Rock Top", k.rockTop, "Wall", Pass::Blocked);
    {
        IndexedImage c = fromTile(k.waterTile[0]);
        for (const Pt& p : tiles::Scatter(4, 5, 617))
            FillEllipse(c, p.x, p.y, 2.2f, 1.6f, [&](int, int, float nx, float ny, float nz) {
                return k.floor.Shade(Light::Lambert(nx, ny, nz) + 0.1f);
            });
        a.Lower("Stepping Stones", c, "Cave Floor");
    }
    {
        IndexedImage c = fromTile(k.lavaTile[0]);
        for (const Pt& p : tiles::Scatter(4, 5, 619))
            FillEllipse(c, p.x, p.y, 2.4f, 1.8f, [&](int, int, float nx, float ny, float nz) {
                return k.darkBrick.Shade(Light::Lambert(nx, ny, nz));
            });
        a.Lower("Lava Rocks", c, "Lava", Pass::Blocked);
    }
}

void paintUpperChips(Kit& k, ChipAllocator& a) {
    const PropRamps& r = k.props;
    using namespace props;
    a.Upper("Rock", drawProp([&](IndexedImage& c) { Rock(c, r, 1.0f); }));
    a.Upper("Small Rock", drawProp([&](IndexedImage& c) { Rock(c, r, 0.6f); }));
    a.Upper("Stalagmite", drawProp([&](IndexedImage& c) { Stalagmite(c, r); }));
    a.Upper("Crystal", drawProp([&](IndexedImage& c) { Crystal(c, r, k.crystal); }));
    a.Upper("Skull", drawProp([&](IndexedImage& c) { Skull(c, r); }), Pass::Open);
    a.Upper("Bones", drawProp([&](IndexedImage& c) { Bones(c, r); }), Pass::Open);
    a.Upper("Pillar", drawProp([&](IndexedImage& c) { Pillar(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Statue", drawProp([&](IndexedImage& c) { Statue(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Banner", drawProp([&](IndexedImage& c) { Flag(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Cobweb", drawProp([&](IndexedImage& c) { Cobweb(c, r); }), Pass::Above);
    a.Upper("Torch", drawProp([&](IndexedImage& c) { Torch(c, r); }));
    a.Upper("Altar", drawProp([&](IndexedImage& c) { Altar(c, r); }), Pass::Counter);
    a.Upper("Chest", drawProp([&](IndexedImage& c) { Chest(c, r, false); }));
    a.Upper("Open Chest", drawProp([&](IndexedImage& c) { Chest(c, r, true); }));
    a.Upper("Barrel", drawProp([&](IndexedImage& c) { Barrel(c, r); }));
    a.Upper("Crate", drawProp([&](IndexedImage& c) { Crate(c, r); }));
    a.Upper("Pot", drawProp([&](IndexedImage& c) { Pot(c, r); }));
    a.Upper("Sack", drawProp([&](IndexedImage& c) { Sack(c, r); }));
    a.Upper("Ladder", drawProp([&](IndexedImage& c) { Ladder(c, r); }), Pass::Open);
    a.Upper("Stairs Up", drawProp([&](IndexedImage& c) { Stairs(c, r, false); }), Pass::Open);
    a.Upper("Stairs Down", drawProp([&](IndexedImage& c) { Stairs(c, r, true); }), Pass::Open);
    a.Upper("Door", drawProp([&](IndexedImage& c) { Door(c, r, false); }));
    a.Upper("Open Door", drawProp([&](IndexedImage& c) { Door(c, r, true); }), Pass::Open);
    a.Upper("Campfire", drawProp([&](IndexedImage& c) { Campfire(c, r); }));
    a.Upper("Bookshelf", drawProp([&](IndexedImage& c) { Bookshelf(c, r); }, 1, 2));
    a.Upper("Cupboard", drawProp([&](IndexedImage& c) { Cupboard(c, r); }, 1, 2));
    a.Upper("Bed", drawProp([&](IndexedImage& c) { Bed(c, r); }, 1, 2));
    a.Upper("Fireplace", drawProp([&](IndexedImage& c) { Fireplace(c, r); }, 1, 2));
    a.Upper("Table", drawProp([&](IndexedImage& c) { Table(c, r); }), Pass::Counter);
    a.Upper("Chair", drawProp([&](IndexedImage& c) { Chair(c, r); }));
    a.Upper("Stool", drawProp([&](IndexedImage& c) { Stool(c, r); }));
    a.Upper("Bench", drawProp([&](IndexedImage& c) { Bench(c, r); }));
    a.Upper("Gravestone", drawProp([&](IndexedImage& c) { Gravestone(c, r); }));
    a.Upper("Mushrooms", drawProp([&](IndexedImage& c) { Mushrooms(c, r); }), Pass::Open);
    a.Upper("Woodpile", drawProp([&](IndexedImage& c) { Woodpile(c, r); }));
    a.Upper("Counter Left", drawProp([&](IndexedImage& c) { Counter(c, r, true, false); }), Pass::Counter);
    a.Upper("Counter", drawProp([&](IndexedImage& c) { Counter(c, r, false, false); }), Pass::Counter);
    a.Upper("Counter Right", drawProp([&](IndexedImage& c) { Counter(c, r, false, true); }), Pass::Counter);
    a.Upper("Coffin", drawProp([&](IndexedImage& c) { Coffin(c, r); }, 1, 2));
    a.Upper("Throne", drawProp([&](IndexedImage& c) { Throne(c, r, k.carpet); }, 1, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Armour Stand", drawProp([&](IndexedImage& c) { ArmourStand(c, r); }, 1, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Clock", drawProp([&](IndexedImage& c) { Clock(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Boulder", drawProp([&](IndexedImage& c) { Boulder(c, r); }, 2, 2));
    a.Upper("Mine Cart", drawProp([&](IndexedImage& c) { MineCart(c, r, k.gold); }));
    a.Upper("Ore Cart", drawProp([&](IndexedImage& c) { MineCart(c, r, k.crystal); }));
    a.Upper("Cage", drawProp([&](IndexedImage& c) { Cage(c, r); }));
    a.Upper("Weapon Rack", drawProp([&](IndexedImage& c) { WeaponRack(c, r); }));
    a.Upper("Spikes", drawProp([&](IndexedImage& c) { Spikes(c, r); }));
    a.Upper("Crystal Ball", drawProp([&](IndexedImage& c) { CrystalBall(c, r, k.crystal); }));
    a.Upper("Rune Stone", drawProp([&](IndexedImage& c) { RuneStone(c, r, k.crystal); }));
    a.Upper("Broken Pillar", drawProp([&](IndexedImage& c) { BrokenPillar(c, r); }));
    a.Upper("Chains", drawProp([&](IndexedImage& c) { Chains(c, r); }), Pass::Above);
    a.Upper("Rubble", drawProp([&](IndexedImage& c) { Rubble(c, r); }));
    a.Upper("Cauldron", drawProp([&](IndexedImage& c) { Cauldron(c, r); }));
    a.Upper("Anvil", drawProp([&](IndexedImage& c) { Anvil(c, r); }));
    a.Upper("Candles", drawProp([&](IndexedImage& c) { CandleStand(c, r); }));
    a.Upper("Vase", drawProp([&](IndexedImage& c) { Vase(c, r, k.cloth); }));
    a.Upper("Shelf", drawProp([&](IndexedImage& c) { Shelf(c, r); }));
    a.Upper("Desk", drawProp([&](IndexedImage& c) { Desk(c, r); }), Pass::Counter);
    a.Upper("Bucket", drawProp([&](IndexedImage& c) { Bucket(c, r); }));
    a.Upper("Fire Crystal", drawProp([&](IndexedImage& c) { Crystal(c, r, k.lava); }));
    a.Upper("Lava Rock", drawProp([&](IndexedImage& c) {
                Rock(c,
                     {r.pal, r.ink, r.leaves, r.wood, r.stone, k.darkBrick, r.metal, r.cloth, r.roof, r.fire,
                      r.glass, r.paper, r.gold, r.red, r.white, r.straw, r.grass},
                     0.9f);
            }));
    a.Upper("Moss Tuft", drawProp([&](IndexedImage& c) { GrassTuft(c, r); }), Pass::Open);
    a.Upper("Reeds", drawProp([&](IndexedImage& c) { Reeds(c, r); }), Pass::Open);
    a.Upper("Lily Pads", drawProp([&](IndexedImage& c) { Lilypads(c, r, k.white); }), Pass::Blocked);
    a.Upper("Potted Plant", drawProp([&](IndexedImage& c) { PottedPlant(c, r); }));
    a.Upper("Window", drawProp([&](IndexedImage& c) { Window(c, r); }));
    a.Upper("Sign", drawProp([&](IndexedImage& c) { Signpost(c, r); }));
    a.Upper("Magic Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 4); }));
    a.Upper("Item Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 1); }));
    a.Upper("Weapon Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 2); }));
    a.Upper("Armour Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 3); }));
    a.Upper("Inn Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 0); }));
}

} // namespace

ChipsetInfo MakeDungeonChipset() {
    Kit k;
    ChipsetInfo info;
    info.name = "Dungeon";
    info.image = IndexedImage(chips::kWidth, chips::kHeight);
    info.lowerNames.assign(162, "");
    info.lowerTerrain.assign(162, "");
    info.lowerPass.assign(162, Pass::Open);
    info.upperNames.assign(144, "");
    info.upperPass.assign(144, Pass::Open);
    info.upperNames[0] = "Empty";
    const char* families[18] = {"Pool",         "Cistern", "Deep Water", "Waterfall", "Lava Bubbles",
                                "Magic Circle", "Dirt",    "Moss",       "Sand",      "Rubble",
                                "Brick Floor",  "Carpet",  "Rock Wall",  "Pit",       "Lava",
                                "Poison",       "Ice",     "Crystals"};
    const char* terrain[18] = {"Water", "Water",      "Deep Water", "Deep Water", "Lava",  "Floor",
                               "Dirt",  "Cave Floor", "Sand",       "Cave Floor", "Floor", "Carpet",
                               "Wall",  "Pit",        "Lava",       "Poison",     "Ice",   "Cave Floor"};
    for (int i = 0; i < 18; ++i) {
        info.lowerNames[i] = families[i];
        info.lowerTerrain[i] = terrain[i];
    }
    for (int i : {0, 1, 2, 3, 4, 6 + 6, 6 + 7, 6 + 8})
        info.lowerPass[i] = Pass::Blocked;
    paintWater(k, info.image);
    paintAnimated(k, info.image);
    paintAutotiles(k, info.image);
    ChipAllocator alloc(info);
    paintLowerChips(k, alloc);
    paintUpperChips(k, alloc);
    info.image.Palette() = k.pal.Build();
    return info;
}

} // namespace tarvel::rtp
