// The outdoor chipset "Grassland": fields, forests, hills and mountains for world maps, and the
// paths, cliffs, houses and village things for towns. Grass is the ground every edge blends into.
#include <cmath>

#include "ChipsetPainter.h"
#include "Props.h"
#include "TileKit.h"

namespace tarvel::rtp {

namespace {

using chips::Quarter;
const float kPi = 3.14159265f;

struct Kit {
    PaletteBuilder pal{Rgb{52, 60, 76}};
    uint8_t ink = 0;
    Ramp grass, darkGrass, dirt, sand, stone, water, deep, leaves, wood, roofRed, roofBlue, snow, swamp, rock,
        plaster, brick, wheat, red, yellow, white, purple, metal, fire, foam, glass, paper, lava;
    PropRamps props;
    Tile grassTile, dirtTile, sandTile, road, tallGrass, flowers, farm, forest, hills, mountains, snowTile,
        swampTile;
    Tile waterTile[3], deepTile[3];

    Kit() {
        ink = pal.Add({30, 28, 40});
        grass = pal.AddRamp({100, 172, 76}, 6, 0.75f);
        darkGrass = pal.AddRamp({60, 130, 70}, 5, 0.8f);
        dirt = pal.AddRamp({158, 114, 72}, 6, 0.8f);
        sand = pal.AddRamp({226, 202, 140}, 5, 0.6f);
        stone = pal.AddRamp({150, 148, 154}, 6, 0.85f);
        water = pal.AddRamp({72, 144, 216}, 6, 0.7f);
        deep = pal.AddRamp({38, 80, 164}, 5, 0.7f);
        foam = pal.AddRampThrough({{190, 226, 248}, {246, 252, 255}}, 2);
        leaves = pal.AddRamp({54, 126, 66}, 6, 0.9f);
        wood = pal.AddRamp({148, 100, 60}, 6, 0.85f);
        roofRed = pal.AddRamp({188, 74, 60}, 5, 0.8f);
        roofBlue = pal.AddRamp({74, 106, 178}, 5, 0.8f);
        snow = pal.AddRamp({222, 232, 246}, 4, 0.45f);
        swamp = pal.AddRamp({104, 116, 70}, 5, 0.8f);
        rock = pal.AddRamp({152, 132, 114}, 6, 0.9f);
        plaster = pal.AddRamp({228, 214, 184}, 4, 0.5f);
        brick = pal.AddRamp({174, 98, 76}, 5, 0.8f);
        wheat = pal.AddRamp({228, 188, 88}, 4, 0.6f);
        red = pal.AddRamp({226, 66, 80}, 3, 0.7f);
        yellow = pal.AddRamp({250, 216, 74}, 3, 0.6f);
        white = pal.AddRampThrough({{200, 204, 222}, {250, 250, 250}}, 2);
        purple = pal.AddRamp({156, 98, 208}, 3, 0.7f);
        metal = pal.AddRamp({120, 126, 142}, 4, 0.8f);
        fire = pal.AddRampThrough({{222, 92, 32}, {250, 170, 50}, {255, 240, 150}}, 3);
        glass = pal.AddRampThrough({{40, 60, 96}, {120, 170, 220}, {200, 230, 250}, {240, 250, 255}}, 4);
        paper = pal.AddRamp({214, 186, 140}, 4, 0.6f);
        lava = pal.AddRampThrough({{150, 40, 30}, {230, 100, 30}, {255, 200, 80}}, 3);
        makeTiles();
        props.pal = &pal;
        props.ink = ink;
        props.leaves = leaves;
        props.wood = wood;
        props.stone = stone;
        props.rock = rock;
        props.metal = metal;
        props.cloth = roofBlue;
        props.roof = roofRed;
        props.fire = fire;
        props.glass = glass;
        props.paper = paper;
        props.gold = yellow;
        props.red = red;
        props.white = white;
        props.straw = wheat;
        props.grass = grass;
    }

    void makeTiles() {
        grassTile = tiles::NoiseTile(grass, 0.5f, 0.35f, 8, 11);
        for (const Pt& p : tiles::Scatter(7, 4.5f, 21)) {
            int x = int(p.x), y = int(p.y);
            grassTile.Set(x, y, grass[4]);
            grassTile.Set(x, y + 1, grass[1]);
            grassTile.Set(x + 1, y + 1, grass[1]);
            grassTile.Set(x - 1, y + 1, grass[2]);
        }
        dirtTile = tiles::NoiseTile(dirt, 0.55f, 0.45f, 8, 31);
        for (const Pt& p : tiles::Scatter(4, 5.0f, 33)) {
            int x = int(p.x), y = int(p.y);
            dirtTile.Set(x, y, dirt[5]);
            dirtTile.Set(x + 1, y, dirt[4]);
            dirtTile.Set(x, y + 1, dirt[1]);
            dirtTile.Set(x + 1, y + 1, dirt[1]);
        }
        sandTile = tiles::NoiseTile(sand, 0.6f, 0.3f, 8, 41);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float r = std::sin(2 * kPi * (x + 2 * y) / 16.0f + 1.5f * std::sin(2 * kPi * x / 16.0f));
                if (r > 0.92f)
                    sandTile.Set(x, y, sand[1]);
                else if (r < -0.95f)
                    sandTile.Set(x, y, sand[4]);
            }
        road = tiles::Cobbles(stone, stone[0], 6, 51);
        tallGrass = tiles::NoiseTile(darkGrass, 0.45f, 0.4f, 8, 61);
        for (const Pt& p : tiles::Scatter(12, 3.0f, 63)) {
            int x = int(p.x), y = int(p.y);
            tallGrass.Set(x, y, darkGrass[4]);
            tallGrass.Set(x, y + 1, darkGrass[3]);
            tallGrass.Set(x, y + 2, darkGrass[0]);
            tallGrass.Set(x + 1, y + 2, darkGrass[1]);
        }
        flowers = grassTile;
        int k = 0;
        for (const Pt& p : tiles::Scatter(6, 4.8f, 71)) {
            int x = int(p.x), y = int(p.y);
            Ramp petals = (k % 3 == 0) ? red : (k % 3 == 1) ? yellow : white;
            ++k;
            flowers.Set(x, y - 1, petals[2]);
            flowers.Set(x - 1, y, petals[1]);
            flowers.Set(x + 1, y, petals[1]);
            flowers.Set(x, y + 1, petals[0]);
            flowers.Set(x, y, yellow[2]);
        }
        farm = Tile();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int r = y % 4;
                float l = r == 0 ? 0.8f : r == 1 ? 0.55f : r == 2 ? 0.35f : 0.15f;
                l += (Hash01(x, y, 81) - 0.5f) * 0.2f;
                farm.Set(x, y, dirt.Shade(l));
            }
        for (int x = 1; x < 16; x += 4) {
            farm.Set(x, 0, darkGrass[3]);
            farm.Set(x + 1, 0, darkGrass[2]);
            farm.Set(x + 2, 8, darkGrass[3]);
            farm.Set(x + 3, 8, darkGrass[2]);
            farm.Set(x, 4, grass[3]);
            farm.Set(x + 2, 12, grass[3]);
        }
        // Forest: crowns from the back row to the front, so lower crowns overlap upper ones.
        forest = tiles::WrapDraw(
            tiles::NoiseTile(leaves, 0.05f, 0.1f, 8, 91), [&](IndexedImage& c, int ox, int oy) {
                const Pt crowns[4] = {{4, 3}, {12, 7}, {4, 11}, {12, 15}};
                for (const Pt& p : crowns) {
                    float cx = ox + p.x - 16, cy = oy + p.y - 16;
                    for (int pass = 0; pass < 2; ++pass)
                        FillEllipse(c, cx, cy, 5.2f, 4.8f,
                                    [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                                        if (pass == 0) return (nx * nx + ny * ny) > 0.7f ? leaves[0] : 0;
                                        float l = Light::Lambert(nx, ny, nz) * 1.2f - 0.1f;
                                        l += (Hash01(x, y, 93) - 0.5f) * 0.25f;
                                        if ((nx * nx + ny * ny) > 0.82f) return 0;
                                        return leaves.Shade(l);
                                    });
                }
            });
        hills = tiles::WrapDraw(grassTile, [&](IndexedImage& c, int ox, int oy) {
            const Pt humps[2] = {{8, 6}, {0, 14}};
            for (const Pt& p : humps) {
                float cx = ox + p.x - 16, cy = oy + p.y - 16;
                FillEllipse(c, cx, cy, 7.5f, 4.8f,
                            [&](int x, int y, float nx, float ny, float nz) -> uint8_t {
                                if (ny > 0.55f) return darkGrass[1];
                                float l = Light::Lambert(nx, ny, nz);
                                return grass.Dither(0.25f + l * 0.8f, x, y);
                            });
                ThickLine(c, cx - 5, cy + 3.4f, cx + 5, cy + 3.4f, 1.0f, darkGrass[0]);
            }
        });
        mountains = tiles::WrapDraw(
            tiles::NoiseTile(rock, 0.25f, 0.2f, 8, 101), [&](IndexedImage& c, int ox, int oy) {
                const Pt peaks[2] = {{4, 8}, {12, 16}};
                for (const Pt& p : peaks) {
                    float cx = ox + p.x - 16, by = oy + p.y - 16;
                    float top = by - 12, half = 7.5f;
                    FillPolygon(c, {{cx - half, by}, {cx + 0.5f, top}, {cx + half, by}},
                                [&](int x, int y) -> uint8_t {
                                    float t = (y + 0.5f - top) / 12.0f;
                                    bool left = x < int(cx) + (Hash01(y, 0, 103) < 0.3f ? 1 : 0);
                                    float snowLine = 0.3f + (Hash01(x, 1, 107) - 0.5f) * 0.15f;
                                    if (t < snowLine) return left ? snow[3] : snow[1];
                                    return left ? rock.Shade(0.8f - t * 0.35f) : rock.Shade(0.4f - t * 0.3f);
                                });
                    ThickLine(c, cx - half + 0.5f, by - 0.5f, cx + 0.5f, top + 0.5f, 1.0f, rock[0]);
                    ThickLine(c, cx + 0.5f, top + 0.5f, cx + half - 0.5f, by - 0.5f, 1.0f, rock[0]);
                }
            });
        snowTile = tiles::NoiseTile(snow, 0.7f, 0.35f, 8, 111);
        for (const Pt& p : tiles::Scatter(3, 6.0f, 113))
            snowTile.Set(int(p.x), int(p.y), white[1]);
        swampTile = tiles::NoiseTile(swamp, 0.45f, 0.4f, 8, 121);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float n = Fbm(x, y, 8, 16, 2, 123);
                if (n < 0.38f) swampTile.Set(x, y, (n < 0.31f) ? swamp[0] : swamp[1]);
            }
        for (const Pt& p : tiles::Scatter(4, 5.0f, 127)) {
            int x = int(p.x), y = int(p.y);
            swampTile.Set(x, y, darkGrass[3]);
            swampTile.Set(x, y + 1, darkGrass[2]);
            swampTile.Set(x + 1, y - 1, darkGrass[4]);
            swampTile.Set(x + 1, y, darkGrass[2]);
            swampTile.Set(x + 1, y + 1, darkGrass[1]);
        }
        for (int f = 0; f < 3; ++f) {
            waterTile[f] = waterTexture(water, 0.45f, f, 131);
            deepTile[f] = waterTexture(deep, 0.5f, f, 137, 2, true);
        }
    }

    // Water: calm bands of two levels and small wave marks that drift one pixel a frame.
    // Deep water is calmer: fewer marks, a level above the water instead of a highlight.
    Tile waterTexture(Ramp ramp, float base, int frame, uint32_t seed, int marks = 3, bool calm = false) {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                // Calm water has only a few lighter patches, so a wide area shows no stripes.
                float n = Fbm(x, y, 8, 16, 2, seed);
                int level = int(base * (ramp.count - 1));
                t.Set(x, y, ramp[n > (calm ? 0.68f : 0.58f) ? level + 1 : level]);
            }
        int b = int(base * (ramp.count - 1));
        int top = calm ? b + 2 : ramp.count - 1;
        int k = 0;
        for (const Pt& p : tiles::Scatter(marks, 6.5f, seed + 1)) {
            int x = int(p.x) + (frame == 1 ? 1 : frame == 2 ? 2 : 0) * ((k & 1) ? -1 : 1), y = int(p.y);
            ++k;
            for (int i = 0; i < 4; ++i)
                t.Set(x + i, y, ramp[top - 1]);
            t.Set(x + 1, y - 1, ramp[top]);
            t.Set(x + 2, y - 1, ramp[top]);
            if (calm) continue;
            t.Set(x - 1, y + 1, ramp[b - 1]);
            t.Set(x + 4, y + 1, ramp[b - 1]);
        }
        return t;
    }

    // Grass outside a raised terrain, with the terrain's shadow falling below and to the right.
    std::function<uint8_t(int, int, const EdgeSample&)> grassOutside(float shadow) {
        return [this, shadow](int x, int y, const EdgeSample& e) -> uint8_t {
            float out = -e.d;
            if (shadow > 0 && out < shadow && (e.ny > 0.35f || e.nx > 0.6f)) return grass[1];
            return grassTile.At(x, y);
        };
    }

    TerrainStyle flat(const Tile& tile, Ramp ramp, float wobble, bool rim = true) {
        TerrainStyle s;
        s.shape = {4, 4, 4, 3, 2};
        s.inside = [this, &tile, ramp, rim](int x, int y, const EdgeSample& e) -> uint8_t {
            if (rim && e.d < 1.0f) return e.ny < -0.3f ? ramp[1] : ramp[2];
            return tile.At(x, y);
        };
        s.outside = [this](int x, int y, const EdgeSample& e) -> uint8_t {
            if (-e.d < 1.0f && e.ny > 0.3f) return grass[2];
            return grassTile.At(x, y);
        };
        if (wobble > 0)
            s.wobble = [wobble](int x, int y) { return wobble * (ValueNoise(x, y, 4, 16, 7) - 0.5f) * 2; };
        return s;
    }

    TerrainStyle raised(const Tile& tile, Ramp ramp, float bumps, float shadow) {
        TerrainStyle s;
        s.shape = {3, 4, 3, 3, 2};
        s.inside = [this, &tile, ramp](int x, int y, const EdgeSample& e) -> uint8_t {
            if (e.d < 1.0f) return ramp[0];
            if (e.d < 2.0f && e.ny > 0.4f) return ramp[1];
            return tile.At(x, y);
        };
        s.outside = grassOutside(shadow);
        if (bumps > 0)
            s.wobble = [bumps](int x, int y) {
                return bumps * 0.5f *
                       (std::cos(2 * kPi * (x + 0.5f) / 8) + std::cos(2 * kPi * (y + 0.5f) / 8));
            };
        return s;
    }
};

void paintAutotiles(Kit& k, IndexedImage& img) {
    TerrainStyle styles[12];
    styles[0] = k.flat(k.dirtTile, k.dirt, 1.2f);
    styles[1] = k.flat(k.sandTile, k.sand, 1.0f);
    styles[2] = k.flat(k.road, k.stone, 0.0f);
    styles[2].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return k.stone[0];
        return k.road.At(x, y);
    };
    styles[3] = k.raised(k.tallGrass, k.darkGrass, 1.0f, 1.0f);
    styles[3].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return (x + y) % 2 ? k.darkGrass[1] : k.darkGrass[0];
        return k.tallGrass.At(x, y);
    };
    styles[4] = k.flat(k.flowers, k.grass, 1.0f, false);
    styles[4].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        return e.d < 1.5f ? k.grassTile.At(x, y) : k.flowers.At(x, y);
    };
    styles[5] = k.flat(k.farm, k.dirt, 0.0f);
    styles[5].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return k.dirt[1];
        return k.farm.At(x, y);
    };
    styles[6] = k.raised(k.forest, k.leaves, 1.3f, 2.0f);
    styles[7] = k.raised(k.hills, k.darkGrass, 0.8f, 1.5f);
    styles[7].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return k.darkGrass[1];
        return k.hills.At(x, y);
    };
    styles[8] = k.raised(k.mountains, k.rock, 1.0f, 2.0f);
    styles[9] = k.flat(k.snowTile, k.snow, 1.2f);
    styles[9].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return e.ny < 0 ? k.snow[3] : k.snow[0];
        return k.snowTile.At(x, y);
    };
    styles[10] = k.flat(k.swampTile, k.swamp, 1.2f);
    // Plateau: raised grass, a shade lighter than the ground, whose front is a rock face of half a chip.
    styles[11].shape = {2, 8, 2, 3, 2};
    styles[11].inside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        if (e.d < 1.0f) return e.ny > 0.5f ? k.grass[5] : k.grass[4];
        uint8_t v = k.grassTile.At(x, y);
        return v < k.grass.Lightest() ? uint8_t(v + 1) : v;
    };
    styles[11].outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
        float out = -e.d;
        if (e.ny > 0.5f && out < 8.0f) {
            // The rock face below the rim: a lit lip, cracked blocks, a dark foot.
            if (out < 1.0f) return k.rock[5];
            if (out >= 7.0f) return k.rock[0];
            int col = (x + (int(out) / 3) * 3) % 6;
            if (col == 0) return k.rock[1];
            float l = 0.62f - out * 0.05f + (Hash01(x / 6, int(out) / 3, 141) - 0.5f) * 0.25f;
            if (col == 1) l += 0.15f;
            return k.rock.Shade(l);
        }
        if (out < 1.0f) return e.ny < -0.5f ? k.grass[1] : k.rock[2];
        if (out < 2.0f && std::fabs(e.nx) > 0.5f) return k.grass[1];
        return k.grassTile.At(x, y);
    };
    for (int slot = 0; slot < 12; ++slot)
        PaintAutotileBlock(img, slot, styles[slot]);
}

void paintWater(Kit& k, IndexedImage& img) {
    for (int f = 0; f < 3; ++f) {
        WaterStyles w;
        w.shoreA.shape = {4, 4, 4, 3, 2};
        w.shoreA.inside = [&k, f](int x, int y, const EdgeSample& e) -> uint8_t {
            if (e.d < 1.0f) return ((x + y + f) % 3) ? k.foam[1] : k.foam[0];
            if (e.d < 2.0f) return k.water[4];
            return k.waterTile[f].At(x, y);
        };
        w.shoreA.outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
            float out = -e.d;
            if (out < 1.0f) return k.sand[2];
            if (out < 2.0f) return e.ny < 0.2f ? k.sand[3] : k.grass[1];
            return k.grassTile.At(x, y);
        };
        w.shoreA.wobble = [](int x, int y) { return 0.6f * (ValueNoise(x, y, 4, 16, 151) - 0.5f) * 2; };
        // Water B: a stone embankment, as along a canal or a castle moat.
        w.shoreB.shape = {4, 4, 4, 2, 1};
        w.shoreB.inside = [&k, f](int x, int y, const EdgeSample& e) -> uint8_t {
            if (e.d < 2.0f) return e.ny > 0.3f ? k.water[2] : k.water[1];
            return k.waterTile[f].At(x, y);
        };
        w.shoreB.outside = [&k](int x, int y, const EdgeSample& e) -> uint8_t {
            float out = -e.d;
            if (out < 4.0f) {
                // Dressed stones along the edge: joints every 6 pixels, a lit top, a dark lip.
                bool alongX = std::fabs(e.ny) >= std::fabs(e.nx);
                int pos = alongX ? x : y;
                if (out < 1.0f) return k.stone[1];
                if ((pos + 2) % 6 == 0) return k.stone[2];
                if (out < 2.0f) return k.stone[5];
                return out < 3.0f ? k.stone[4] : k.stone[3];
            }
            return k.grassTile.At(x, y);
        };
        w.junction.shape = {0, 0, 0, 5, 0};
        w.junction.inside = [&k, f](int x, int y, const EdgeSample& e) { return k.waterTile[f].At(x, y); };
        w.junction.outside = [&k, f](int x, int y, const EdgeSample& e) { return k.deepTile[f].At(x, y); };
        w.deepJunction = w.junction;
        w.deepJunction.inside = w.junction.outside;
        w.deepJunction.outside = w.junction.inside;
        w.deep = [&k, f](int x, int y) { return k.deepTile[f].At(x, y); };
        PaintWaterFrame(img, f, w);
    }
}

void paintAnimated(Kit& k, IndexedImage& img) {
    for (int frame = 0; frame < 4; ++frame) {
        // Waterfall: streaks falling four pixels a frame.
        chips::Unit a = chips::AnimatedOrigin(0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int yy = (y - frame * 4) & 15;
                float s = Hash01(x, 0, 161);
                float streak = std::sin(2 * kPi * (yy / 16.0f + s));
                uint8_t v = streak > 0.6f    ? k.foam[1]
                            : streak > 0.0f  ? k.water[5]
                            : streak > -0.6f ? k.water[3]
                                             : k.water[2];
                if (x == 0 || x == 15) v = k.water[1];
                img.Set(a.x * 8 + x, a.y * 8 + frame * 16 + y, v);
            }
        // Whirlpool: a spiral turning a quarter of a turn a frame.
        chips::Unit b = chips::AnimatedOrigin(1);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float dx = x + 0.5f - 8, dy = y + 0.5f - 8;
                float r = std::sqrt(dx * dx + dy * dy);
                // Two arms: a quarter of a half turn a frame brings the spiral round in four frames.
                float ang = std::atan2(dy, dx) + frame * kPi / 4;
                float arm = std::sin(ang * 2 + r * 0.9f);
                uint8_t v = k.waterTile[0].At(x, y);
                if (r < 7.5f) {
                    float depth = 1 - r / 7.5f;
                    v = k.water.Shade(0.55f - depth * 0.5f + arm * 0.18f);
                    if (arm > 0.75f && r > 1.5f) v = k.foam[0];
                    if (r < 1.5f) v = k.deep[0];
                }
                img.Set(b.x * 8 + x, b.y * 8 + frame * 16 + y, v);
            }
        // Sparkling water: glints that come and go.
        chips::Unit c = chips::AnimatedOrigin(2);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                img.Set(c.x * 8 + x, c.y * 8 + frame * 16 + y, k.waterTile[frame % 3].At(x, y));
        const Pt glints[4] = {{4, 4}, {11, 6}, {6, 11}, {12, 12}};
        for (int g = 0; g < 4; ++g) {
            int size = (g + frame) % 4; // 0: none, 1: dot, 2: cross, 3: big cross
            int gx = c.x * 8 + int(glints[g].x), gy = c.y * 8 + frame * 16 + int(glints[g].y);
            if (size == 0) continue;
            img.Set(gx, gy, k.foam[1]);
            if (size >= 2) {
                img.Set(gx - 1, gy, k.foam[0]);
                img.Set(gx + 1, gy, k.foam[0]);
                img.Set(gx, gy - 1, k.foam[0]);
                img.Set(gx, gy + 1, k.foam[0]);
            }
            if (size == 3) {
                img.Set(gx - 2, gy, k.water[5]);
                img.Set(gx + 2, gy, k.water[5]);
                img.Set(gx, gy - 2, k.water[5]);
                img.Set(gx, gy + 2, k.water[5]);
            }
        }
    }
}

IndexedImage chipCanvas(int w = 1, int h = 1) {
    return IndexedImage(16 * w, 16 * h);
}

IndexedImage fromTile(const Tile& t, int w = 1, int h = 1) {
    IndexedImage c = chipCanvas(w, h);
    for (int y = 0; y < 16 * h; ++y)
        for (int x = 0; x < 16 * w; ++x)
            c.Set(x, y, t.At(x, y));
    return c;
}

// Walls of houses seen from the front: left end, middle, right end, with a window, with a door.
enum class WallKind { Wood, Stone, Plaster, Brick };

void wallTexture(Kit& k, IndexedImage& c, WallKind kind) {
    static Tile stoneBlocks, bricks;
    static bool made = false;
    if (!made) {
        stoneBlocks = tiles::Bricks(k.stone, k.stone[1], 8, 5, 171);
        bricks = tiles::Bricks(k.brick, k.plaster[1], 6, 4, 173);
        made = true;
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint8_t v = 0;
            switch (kind) {
            case WallKind::Wood: {
                int p = x % 4;
                v = p == 0   ? k.wood[4]
                    : p == 3 ? k.wood[1]
                             : k.wood[(Hash01(x / 4, y / 5, 175) > 0.7f) ? 2 : 3];
                break;
            }
            case WallKind::Stone:
                v = stoneBlocks.At(x, y + 1);
                break;
            case WallKind::Plaster:
                v = k.plaster.Dither(0.55f + (Fbm(x, y, 8, 16, 2, 177) - 0.5f) * 0.5f, x, y);
                break;
            case WallKind::Brick:
                v = bricks.At(x, y);
                break;
            }
            c.Set(x, y, v);
        }
    // A beam at the foot of every wall; timber walls also have one at the top.
    for (int x = 0; x < 16; ++x) {
        c.Set(x, 15, kind == WallKind::Wood || kind == WallKind::Plaster ? k.wood[1] : k.stone[1]);
        c.Set(x, 14, kind == WallKind::Wood || kind == WallKind::Plaster ? k.wood[2] : k.stone[2]);
        if (kind == WallKind::Plaster) c.Set(x, 0, k.wood[2]), c.Set(x, 1, k.wood[3]);
    }
}

IndexedImage wallChip(Kit& k, WallKind kind, int part) {
    IndexedImage c = chipCanvas();
    wallTexture(k, c, kind);
    Ramp edge = kind == WallKind::Wood || kind == WallKind::Plaster ? k.wood : k.stone;
    if (part == 0 || part == 2) {
        int x0 = part == 0 ? 0 : 13;
        for (int y = 0; y < 16; ++y) {
            c.Set(x0, y, edge[part == 0 ? 4 : 2]);
            c.Set(x0 + 1, y, edge[3]);
            c.Set(x0 + 2, y, edge[part == 0 ? 2 : 1]);
        }
    } else if (part == 3) {
        BevelBox(c, 3, 3, 10, 9, k.wood, 2);
        Rect(c, 4, 4, 8, 7, k.glass[1]);
        Rect(c, 4, 4, 3, 2, k.glass[3]);
        Line(c, 8, 4, 8, 10, k.wood[2]);
        Line(c, 4, 7, 11, 7, k.wood[2]);
        Rect(c, 2, 12, 12, 1, k.wood[4]);
    } else if (part == 4) {
        FillEllipse(c, 8, 6, 5, 4, k.wood[0]);
        Rect(c, 3, 6, 10, 10, k.wood[0]);
        FillEllipse(c, 8, 6.5f, 4, 3.5f, k.wood[2]);
        Rect(c, 4, 6, 8, 10, k.wood[2]);
        for (int x = 6; x < 12; x += 2)
            Line(c, x, 4, x, 15, k.wood[1]);
        c.Set(10, 10, k.yellow[2]);
        c.Set(10, 11, k.yellow[0]);
    } else if (part == 5) {
        // A wall top: the crenellated parapet (stone) or a timber beam (the others).
        if (kind == WallKind::Stone || kind == WallKind::Brick) {
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 16; ++x)
                    c.Set(x, y, (x / 4) % 2 ? 0 : c.At(x, y + 6));
            for (int x = 0; x < 16; ++x)
                if ((x / 4) % 2 == 0) c.Set(x, 0, edge[4]);
            for (int x = 0; x < 16; ++x)
                c.Set(x, 5, edge[4]);
            // Between the merlons the sky is the wall's own darker mortar, never transparent.
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 16; ++x)
                    if (c.At(x, y) == 0) c.Set(x, y, edge[1]);
        } else {
            for (int x = 0; x < 16; ++x)
                c.Set(x, 6, k.wood[1]), c.Set(x, 7, k.wood[3]);
            Line(c, 0, 15, 7, 8, k.wood[2]);
            Line(c, 15, 15, 8, 8, k.wood[2]);
        }
    }
    return c;
}

// Roof chips: a 3 x 3 set (ridge row, middle row, eaves row; left, middle, right).
IndexedImage roofChip(Kit& k, Ramp roof, int row, int col) {
    IndexedImage c = chipCanvas();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            int band = y / 4;
            int shift = (band % 2) * 3;
            int px = (x + shift) % 6, py = y % 4;
            float l = 0.55f + (Hash01((x + shift) / 6, band, 181 + row) - 0.5f) * 0.15f;
            if (py == 0) l += 0.25f;
            if (py == 3) l -= 0.3f;
            if (px == 5) l -= 0.2f;
            c.Set(x, y, roof.Shade(l));
        }
    if (row == 0)
        for (int x = 0; x < 16; ++x) {
            c.Set(x, 0, roof[1]);
            c.Set(x, 1, roof[4]);
            c.Set(x, 2, roof[3]);
            c.Set(x, 3, roof[1]);
        }
    if (row == 2)
        for (int x = 0; x < 16; ++x) {
            c.Set(x, 13, roof[1]);
            c.Set(x, 14, k.wood[2]);
            c.Set(x, 15, k.wood[0]);
        }
    if (col != 1) {
        int x0 = col == 0 ? 0 : 14;
        for (int y = 0; y < 16; ++y) {
            c.Set(x0, y, col == 0 ? k.wood[3] : k.wood[1]);
            c.Set(x0 + 1, y, col == 0 ? k.wood[1] : k.wood[0]);
        }
    }
    return c;
}

// A rock face seen from the front, for cliffs of any height: strata and cracks, lit from the left.
uint8_t cliffPixel(Kit& k, int x, int y) {
    int col = (x + (y / 5) * 3) % 7;
    float l = 0.55f + (Hash01(x / 7 + (y / 5) * 5, y / 5, 191) - 0.5f) * 0.3f;
    if (y % 5 == 0) l += 0.2f;
    if (y % 5 == 4) l -= 0.2f;
    if (col == 0) l -= 0.3f;
    if (col == 1) l += 0.1f;
    return k.rock.Shade(l);
}

IndexedImage cliffChip(Kit& k, int row, int col) {
    // row 0: top (grass above the lip), 1: face, 2: foot (grass below with shadow).
    IndexedImage c = chipCanvas();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint8_t v = cliffPixel(k, x, y);
            if (row == 0 && y < 9) v = k.grassTile.At(x, y);
            if (row == 0 && y == 9) v = k.grass[4];
            if (row == 0 && y == 10) v = k.rock[5];
            if (row == 2 && y >= 11) v = y == 11 ? k.rock[0] : (y < 14 ? k.grass[1] : k.grassTile.At(x, y));
            c.Set(x, y, v);
        }
    if (col != 1) {
        int x0 = col == 0 ? 0 : 14;
        for (int y = (row == 0 ? 10 : 0); y < (row == 2 ? 12 : 16); ++y) {
            c.Set(x0, y, col == 0 ? k.rock[4] : k.rock[1]);
            c.Set(x0 + 1, y, col == 0 ? k.rock[3] : k.rock[0]);
        }
    }
    return c;
}

IndexedImage waterChip(Kit& k, std::function<void(IndexedImage&)> decorate) {
    IndexedImage c = fromTile(k.waterTile[0]);
    decorate(c);
    return c;
}

void paintLowerChips(Kit& k, ChipAllocator& a) {
    auto tileChip = [&](const std::string& name, const Tile& t, const std::string& terrain,
                        Pass pass = Pass::Open) { a.Lower(name, fromTile(t), terrain, pass); };
    // Ground: the grass every edge of this chipset blends into comes first.
    tileChip("Grass", k.grassTile, "Grass");
    {
        Tile t = k.grassTile;
        for (const Pt& p : tiles::Scatter(3, 6, 201)) {
            int x = int(p.x), y = int(p.y);
            for (int i = -2; i <= 2; ++i)
                t.Set(x + i, y - (2 - std::abs(i)), k.grass[i < 0 ? 4 : 3]);
            t.Set(x, y + 1, k.grass[1]);
        }
        tileChip("Grass Tufts", t, "Grass");
    }
    tileChip("Grass Flowers", k.flowers, "Grass");
    {
        Tile t = k.grassTile;
        for (const Pt& p : tiles::Scatter(3, 6, 203)) {
            int x = int(p.x), y = int(p.y);
            t.Set(x, y, k.stone[4]);
            t.Set(x + 1, y, k.stone[3]);
            t.Set(x, y + 1, k.stone[2]);
            t.Set(x + 1, y + 1, k.stone[1]);
        }
        tileChip("Grass Stones", t, "Grass");
    }
    {
        Tile t = k.grassTile;
        for (const Pt& p : tiles::Scatter(4, 5, 205)) {
            int x = int(p.x), y = int(p.y);
            t.Set(x, y, k.darkGrass[3]);
            t.Set(x + 1, y, k.darkGrass[3]);
            t.Set(x, y + 1, k.darkGrass[2]);
            t.Set(x + 1, y + 1, k.darkGrass[4]);
        }
        tileChip("Clover", t, "Grass");
    }
    tileChip("Dark Grass", k.tallGrass, "Grass");
    tileChip("Bare Dirt", k.dirtTile, "Dirt");
    {
        Tile t = k.dirtTile;
        for (const Pt& p : tiles::Scatter(6, 4, 207))
            t.Set(int(p.x), int(p.y), k.stone[3]), t.Set(int(p.x), int(p.y) + 1, k.dirt[1]);
        tileChip("Dirt Pebbles", t, "Dirt");
    }
    tileChip("Plain Sand", k.sandTile, "Sand");
    {
        Tile t = k.sandTile;
        for (const Pt& p : tiles::Scatter(2, 7, 209)) {
            int x = int(p.x), y = int(p.y);
            t.Set(x, y, k.white[1]);
            t.Set(x + 1, y, k.paper[3]);
            t.Set(x, y + 1, k.paper[2]);
        }
        tileChip("Sand Shells", t, "Sand");
    }
    tileChip("Gravel", tiles::Cobbles(k.stone, k.dirt[1], 14, 211, 0.6f), "Road");
    {
        Tile t = k.dirtTile;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float n = Fbm(x, y, 8, 16, 2, 213);
                if (n < 0.42f) t.Set(x, y, n < 0.36f ? k.dirt[0] : k.dirt[1]);
            }
        tileChip("Mud", t, "Dirt");
    }
    tileChip("Cobbles", k.road, "Road");
    {
        Tile t = k.road;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (t.At(x, y) == k.stone[0] && Hash01(x, y, 215) < 0.6f) t.Set(x, y, k.darkGrass[2]);
        tileChip("Mossy Cobbles", t, "Road");
    }
    tileChip("Flagstones", tiles::Bricks(k.stone, k.stone[1], 8, 8, 217), "Road");
    tileChip("Brick Paving", tiles::Bricks(k.brick, k.brick[0], 8, 4, 219), "Road");
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int board = y / 4, py = y % 4;
                int joint = (board * 7) % 16;
                float l = 0.6f + (Hash01(board, (x + 16 - joint) / 16, 221) - 0.5f) * 0.2f;
                if (py == 0) l += 0.15f;
                if (py == 3) l -= 0.3f;
                if (x == joint) l -= 0.3f;
                t.Set(x, y, k.wood.Shade(l));
            }
        tileChip("Wood Floor", t, "Floor");
    }
    {
        Tile t = k.grassTile;
        for (const Pt& p : {Pt{4, 4}, Pt{12, 12}}) {
            FillEllipse(t.Image(), p.x, p.y, 3.5f, 2.8f, [&](int x, int y, float nx, float ny, float nz) {
                return k.stone.Shade(Light::Lambert(nx, ny, nz) * 0.9f + 0.15f);
            });
        }
        tileChip("Stepping Stones", t, "Road");
    }
    // Bridges over water (the water beside them is still).
    for (int stone = 0; stone < 2; ++stone)
        for (int vertical = 0; vertical < 2; ++vertical) {
            IndexedImage c = fromTile(k.waterTile[0]);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    int across = vertical ? x : y, along = vertical ? y : x;
                    if (across < 2 || across > 13) continue;
                    uint8_t v;
                    if (across == 2 || across == 13)
                        v = stone ? k.stone[1] : k.wood[0];
                    else if (across == 3)
                        v = stone ? k.stone[5] : k.wood[4];
                    else if (stone)
                        v = ((along + (across / 4) * 2) % 5 == 0) ? k.stone[2] : k.stone[across < 8 ? 4 : 3];
                    else
                        v = (along % 4 == 3) ? k.wood[1] : (along % 4 == 0 ? k.wood[4] : k.wood[3]);
                    c.Set(x, y, v);
                }
            a.Lower(std::string(stone ? "Stone Bridge" : "Wood Bridge") +
                        (vertical ? " Vertical" : " Horizontal"),
                    c, "Bridge");
        }
    {
        IndexedImage c = fromTile(k.waterTile[0]);
        for (int y = 1; y < 13; ++y)
            for (int x = 0; x < 16; ++x)
                c.Set(x, y, (x % 4 == 3) ? k.wood[1] : k.wood[y == 1 ? 4 : 3]);
        for (int x : {1, 13})
            Rect(c, x, 12, 2, 4, k.wood[1]);
        a.Lower("Pier", c, "Bridge");
    }
    {
        IndexedImage c = fromTile(k.waterTile[0]);
        for (int y = 4; y <= 11; ++y) {
            float ny = (y - 7.5f) / 4.0f;
            for (int x = 0; x < 16; ++x)
                c.Set(x, y,
                      k.wood.Shade(Light::Lambert(0, ny, std::sqrt(std::max(0.0f, 1 - ny * ny))) +
                                   ((x * 5) % 7 == 0 ? -0.2f : 0)));
        }
        a.Lower("Log Bridge", c, "Bridge");
    }
    // Cliffs of any height: tops, faces and feet, with left and right ends.
    const char* cols[3] = {" Left", "", " Right"};
    for (int col = 0; col < 3; ++col)
        a.Lower(std::string("Cliff Top") + cols[col], cliffChip(k, 0, col), "Cliff", Pass::Blocked);
    for (int col = 0; col < 3; ++col)
        a.Lower(std::string("Cliff Face") + cols[col], cliffChip(k, 1, col), "Cliff", Pass::Blocked);
    {
        IndexedImage c = cliffChip(k, 1, 1);
        for (int i = 0; i < 5; ++i) {
            int x = 2 + i * 3;
            for (int y = 0; y < 9 + (i * 4) % 6; ++y)
                c.Set(x + ((y / 3) % 2), y, k.leaves[(y + i) % 3 + 2]);
        }
        a.Lower("Cliff Vines", c, "Cliff", Pass::Blocked);
    }
    {
        IndexedImage c = cliffChip(k, 2, 1);
        FillEllipse(c, 8, 8, 5.5f, 5, k.ink);
        Rect(c, 3, 8, 11, 4, k.ink);
        for (int y = 3; y < 12; ++y)
            c.Set(2, y, k.rock[5]), c.Set(13, y, k.rock[1]);
        a.Lower("Cave Mouth", c, "Cliff");
    }
    {
        IndexedImage c = cliffChip(k, 1, 1);
        for (int s = 0; s < 4; ++s) {
            Rect(c, 3, s * 4, 10, 2, k.stone[4]);
            Rect(c, 3, s * 4 + 2, 10, 2, k.stone[2]);
        }
        for (int y = 0; y < 16; ++y)
            c.Set(2, y, k.rock[1]), c.Set(13, y, k.rock[1]);
        a.Lower("Cliff Stairs", c, "Road");
    }
    for (int col = 0; col < 3; ++col)
        a.Lower(std::string("Cliff Foot") + cols[col], cliffChip(k, 2, col), "Cliff", Pass::Blocked);
    {
        Tile t = tiles::NoiseTile(k.rock, 0.5f, 0.35f, 8, 223);
        tileChip("Rock Ground", t, "Hills");
        Tile cracked = t;
        Line(cracked.Image(), 2, 3, 7, 8, k.rock[0]);
        Line(cracked.Image(), 7, 8, 6, 14, k.rock[0]);
        Line(cracked.Image(), 7, 8, 13, 10, k.rock[0]);
        tileChip("Cracked Rock", cracked, "Hills");
    }
    // Walls of houses and castles.
    const char* parts[6] = {" Left", "", " Right", " Window", " Door", " Top"};
    const struct {
        WallKind kind;
        const char* name;
    } walls[4] = {{WallKind::Wood, "Wood Wall"},
                  {WallKind::Stone, "Stone Wall"},
                  {WallKind::Plaster, "Plaster Wall"},
                  {WallKind::Brick, "Brick Wall"}};
    for (const auto& w : walls)
        for (int part = 0; part < 6; ++part)
            a.Lower(std::string(w.name) + parts[part], wallChip(k, w.kind, part), "Wall",
                    part == 4 ? Pass::Open : Pass::Blocked);
    // Roofs, red and blue: ridge, middle and eaves rows.
    const char* rows[3] = {" Ridge", "", " Eaves"};
    for (int roof = 0; roof < 2; ++roof)
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                a.Lower(std::string(roof ? "Blue Roof" : "Red Roof") + rows[row] + cols[col],
                        roofChip(k, roof ? k.roofBlue : k.roofRed, row, col), "Roof", Pass::Blocked);
    // Fields.
    tileChip("Tilled Soil", k.farm, "Farmland");
    {
        Tile t = k.farm;
        for (int x = 1; x < 16; x += 3)
            for (int row = 0; row < 4; ++row)
                t.Set(x, row * 4 + 1, k.grass[4]), t.Set(x, row * 4 + 2, k.grass[2]);
        tileChip("Seedlings", t, "Farmland");
    }
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int stalk = (x + (y / 4) * 2) % 3;
                float l = 0.55f + (stalk == 0 ? 0.3f : stalk == 2 ? -0.3f : 0) + (y % 4 == 0 ? 0.15f : 0);
                t.Set(x, y, k.wheat.Shade(l));
            }
        tileChip("Wheat", t, "Farmland");
    }
    {
        Tile t = k.farm;
        for (const Pt& p : {Pt{4, 4}, Pt{12, 4}, Pt{8, 12}, Pt{0, 12}})
            FillEllipse(t.Image(), p.x, p.y, 3, 2.5f, [&](int, int, float nx, float ny, float nz) {
                return k.grass.Shade(Light::Lambert(nx, ny, nz) * 1.2f);
            });
        for (const Pt& p : {Pt{12, 12}}) {
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (dx * dx + dy * dy <= 8)
                        t.Set(int(p.x) + dx, int(p.y) + dy, k.grass.Shade(0.8f - (dx + dy) * 0.08f));
        }
        tileChip("Cabbages", t, "Farmland");
    }
    {
        Tile t = k.farm;
        for (const Pt& p : {Pt{4.5f, 4.5f}, Pt{11.5f, 11.5f}}) {
            FillEllipse(t.Image(), p.x, p.y, 3.5f, 2.8f, [&](int x, int, float nx, float ny, float nz) {
                return k.lava.Shade(Light::Lambert(nx, ny, nz) * 1.1f + ((x % 3) == 0 ? -0.25f : 0.05f));
            });
            t.Set(int(p.x), int(p.y) - 3, k.grass[2]);
        }
        tileChip("Pumpkins", t, "Farmland");
    }
    {
        Tile t = tiles::NoiseTile(k.wheat, 0.45f, 0.5f, 4, 225);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if ((x * 3 + y * 7) % 11 == 0) t.Set(x, y, k.wheat[3]);
        tileChip("Straw", t, "Dirt");
    }
    // Snow and ice.
    tileChip("Plain Snow", k.snowTile, "Snow");
    {
        Tile t = k.snowTile;
        for (int y = 1; y < 16; y += 5) {
            t.Set(5, y, k.snow[0]), t.Set(5, y + 1, k.snow[1]);
            t.Set(10, y + 2, k.snow[0]), t.Set(10, y + 3, k.snow[1]);
        }
        tileChip("Snow Tracks", t, "Snow");
    }
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float l = 0.55f + std::sin((x - y) * 0.6f) * 0.08f;
                if ((x + 2 * y) % 13 == 0) l = 0.95f;
                t.Set(x, y, k.glass.Shade(l));
            }
        tileChip("Ice", t, "Snow");
        Tile c = t;
        Line(c.Image(), 1, 2, 6, 7, k.glass[0]);
        Line(c.Image(), 6, 7, 14, 9, k.glass[0]);
        Line(c.Image(), 6, 7, 5, 15, k.glass[0]);
        tileChip("Cracked Ice", c, "Snow");
    }
    {
        Tile t = k.grassTile;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (Fbm(x, y, 8, 16, 2, 227) > 0.52f) t.Set(x, y, k.snowTile.At(x, y));
        tileChip("Snowy Grass", t, "Snow");
    }
    // Desert and wasteland.
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float w = std::sin(2 * kPi * (y + 3 * std::sin(2 * kPi * x / 16)) / 8);
                t.Set(x, y, k.sand.Shade(0.55f + w * 0.3f));
            }
        tileChip("Dunes", t, "Desert");
    }
    {
        Tile t = tiles::NoiseTile(k.dirt, 0.7f, 0.2f, 8, 229);
        Tile cracks = tiles::Cobbles(k.dirt, k.dirt[1], 5, 231, 0.2f);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (cracks.At(x, y) == k.dirt[1]) t.Set(x, y, k.dirt[2]);
        tileChip("Cracked Earth", t, "Desert");
    }
    {
        Tile t = k.sandTile;
        for (const Pt& p : tiles::Scatter(6, 4, 233)) {
            int x = int(p.x), y = int(p.y);
            t.Set(x, y, k.wheat[2]);
            t.Set(x - 1, y - 1, k.wheat[1]);
            t.Set(x + 1, y - 1, k.wheat[3]);
        }
        tileChip("Dry Grass", t, "Desert");
    }
    // Floors of houses.
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool border = (x % 8 == 0) || (y % 8 == 0);
                t.Set(x, y, border ? k.yellow[1] : k.red.Shade(0.5f + ((x + y) % 4 == 0 ? 0.3f : 0)));
            }
        tileChip("Red Carpet", t, "Floor");
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool border = (x % 8 == 0) || (y % 8 == 0);
                t.Set(x, y, border ? k.yellow[1] : k.roofBlue.Shade(0.5f + ((x + y) % 4 == 0 ? 0.3f : 0)));
            }
        tileChip("Blue Carpet", t, "Floor");
    }
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool light = ((x / 8) + (y / 8)) % 2 == 0;
                float l = light ? 0.85f : 0.3f;
                if (x % 8 == 0 || y % 8 == 0) l += 0.1f;
                if (x % 8 == 7 || y % 8 == 7) l -= 0.1f;
                t.Set(x, y, k.stone.Shade(l));
            }
        tileChip("Checker Tiles", t, "Floor");
    }
    {
        Tile t;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool weaveH = ((x / 4) + (y / 4)) % 2 == 0;
                int p = weaveH ? y % 4 : x % 4;
                t.Set(x, y, k.wheat.Shade(p == 0 ? 0.8f : p == 3 ? 0.2f : 0.5f));
            }
        tileChip("Straw Mat", t, "Floor");
    }
    tileChip("Stone Tiles", tiles::Bricks(k.stone, k.stone[2], 16, 8, 235), "Floor");
    // Water details.
    a.Lower("Lily Pads",
            waterChip(k,
                      [&](IndexedImage& c) {
                          IndexedImage pads = chipCanvas();
                          props::Lilypads(pads, k.props, k.red);
                          c.Blit(pads, 0, 0);
                      }),
            "Water", Pass::Blocked);
    a.Lower("Reeds",
            waterChip(k,
                      [&](IndexedImage& c) {
                          IndexedImage reeds = chipCanvas();
                          props::Reeds(reeds, k.props);
                          c.Blit(reeds, 0, 0);
                      }),
            "Swamp");
    a.Lower("Ford",
            waterChip(k,
                      [&](IndexedImage& c) {
                          for (const Pt& p : tiles::Scatter(5, 5, 237))
                              FillEllipse(c, p.x, p.y, 2.2f, 1.6f,
                                          [&](int, int, float nx, float ny, float nz) {
                                              return k.stone.Shade(Light::Lambert(nx, ny, nz) + 0.1f);
                                          });
                      }),
            "Road");
    // Hedges: a clipped top and a leafy face, in left, middle and right pieces.
    for (int face = 0; face < 2; ++face)
        for (int col = 0; col < 3; ++col) {
            IndexedImage c = chipCanvas();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    float n = Hash01(x / 2, y / 2, 241 + face) - 0.5f;
                    float l = face ? 0.45f - y * 0.015f + n * 0.35f : 0.7f + n * 0.3f;
                    if (!face && y > 12) l = 0.35f;
                    uint8_t v = k.leaves.Shade(l);
                    if (face && y > 13) v = k.grass[1];
                    if ((col == 0 && x < 1) || (col == 2 && x > 14)) v = k.leaves[0];
                    c.Set(x, y, v);
                }
            a.Lower(std::string(face ? "Hedge Face" : "Hedge Top") + cols[col], c, "Forest", Pass::Blocked);
        }
    // A rug in 3 x 3 pieces for house floors.
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            IndexedImage c = chipCanvas();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    int ex = col == 0   ? x
                             : col == 2 ? 15 - x
                                        : 99,
                        ey = row == 0   ? y
                             : row == 2 ? 15 - y
                                        : 99;
                    int e = std::min(ex, ey);
                    uint8_t v = ((x + y) % 6 < 3) ? k.red[1] : k.red[2];
                    if (std::abs((x % 8) - 4) + std::abs((y % 8) - 4) == 3) v = k.yellow[1];
                    if (e < 2)
                        v = k.roofBlue[1];
                    else if (e < 3)
                        v = k.yellow[2];
                    else if (e < 4)
                        v = k.roofBlue[3];
                    c.Set(x, y, v);
                }
            const char* rows3[3] = {" Top", "", " Bottom"};
            a.Lower(std::string("Rug") + rows3[row] + cols[col], c, "Floor");
        }
    // A plaza mosaic in four quarters.
    for (int m = 0; m < 4; ++m) {
        IndexedImage c = chipCanvas();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int gx = m % 2 ? 15 - x : x, gy = m / 2 ? 15 - y : y;
                float r = std::hypot(gx + 0.5f, gy + 0.5f);
                uint8_t v = int(r / 3) % 2 ? k.stone[4] : k.roofBlue[2];
                if (int(r) % 3 == 0) v = k.stone[2];
                c.Set(x, y, v);
            }
        const char* names[4] = {"Mosaic Top Left", "Mosaic Top Right", "Mosaic Bottom Left",
                                "Mosaic Bottom Right"};
        a.Lower(names[m], c, "Road");
    }
    // A fountain of 2 x 2 chips on cobbles.
    {
        IndexedImage c = chipCanvas(2, 2);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                c.Set(x, y, k.road.At(x, y));
        FillEllipse(c, 16, 16, 15, 14,
                    [&](int, int, float, float ny, float) { return k.stone.Shade(0.65f - ny * 0.3f); });
        FillEllipse(c, 16, 16, 12, 11,
                    [&](int x, int y, float, float, float) { return k.waterTile[0].At(x, y); });
        FillEllipse(c, 16, 15, 3.5f, 3, k.stone[4]);
        FillEllipse(c, 16, 13, 1.5f, 1.5f, k.foam[1]);
        a.Lower("Fountain", c, "Water", Pass::Blocked);
    }
    for (int down = 0; down < 2; ++down) {
        IndexedImage c = chipCanvas();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int step = y / 4, py = y % 4;
                float l = down ? 0.8f - step * 0.15f : 0.4f + step * 0.12f;
                if (py == 0) l += 0.15f;
                if (py == 3) l -= 0.2f;
                c.Set(x, y, x < 1 || x > 14 ? k.stone[1] : k.stone.Shade(l));
            }
        a.Lower(down ? "Stone Stairs Down" : "Stone Stairs Up", c, "Road");
    }
    {
        Ramp autumn = k.wheat;
        Tile t = tiles::NoiseTile(autumn, 0.45f, 0.4f, 8, 243);
        for (const Pt& p : tiles::Scatter(6, 4, 245))
            t.Set(int(p.x), int(p.y), k.lava[1]), t.Set(int(p.x) + 1, int(p.y), k.red[1]);
        tileChip("Autumn Grass", t, "Grass");
        Tile leaves = k.grassTile;
        for (const Pt& p : tiles::Scatter(9, 3.5f, 247)) {
            int x = int(p.x), y = int(p.y);
            leaves.Set(x, y, (x + y) % 2 ? k.lava[1] : k.wheat[2]);
            leaves.Set(x + 1, y, k.lava[0]);
        }
        tileChip("Fallen Leaves", leaves, "Grass");
        Tile puddle = k.grassTile;
        FillEllipse(puddle.Image(), 8, 9, 5.5f, 3.5f,
                    [&](int, int, float, float ny, float) { return ny < -0.4f ? k.water[1] : k.water[3]; });
        tileChip("Puddle", puddle, "Grass");
        Tile meadow = k.grassTile;
        for (const Pt& p : tiles::Scatter(8, 3.8f, 249))
            meadow.Set(int(p.x), int(p.y), k.purple[2]), meadow.Set(int(p.x), int(p.y) + 1, k.grass[1]);
        tileChip("Violet Meadow", meadow, "Grass");
        Tile daisies = k.grassTile;
        for (const Pt& p : tiles::Scatter(8, 3.8f, 251))
            daisies.Set(int(p.x), int(p.y), k.white[1]), daisies.Set(int(p.x) + 1, int(p.y), k.yellow[2]);
        tileChip("Daisies", daisies, "Grass");
        Tile dark;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                int board = y / 4, py = y % 4;
                float l = 0.35f + (Hash01(board, (x + board * 5) / 8, 253) - 0.5f) * 0.15f;
                if (py == 0) l += 0.1f;
                if (py == 3 || (x + board * 5) % 8 == 0) l -= 0.2f;
                dark.Set(x, y, k.wood.Shade(l));
            }
        tileChip("Dark Floor", dark, "Floor");
        Tile parquet;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                bool vertical = ((x / 8) + (y / 8)) % 2 == 0;
                int p = vertical ? x % 4 : y % 4;
                parquet.Set(x, y, k.wood.Shade(p == 0 ? 0.8f : p == 3 ? 0.35f : 0.6f));
            }
        tileChip("Parquet", parquet, "Floor");
        Tile marble;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float vein = std::fabs(std::sin((x + y * 0.7f + Fbm(x, y, 8, 16, 2, 255) * 8) * 0.6f));
                float l = 0.8f - (vein < 0.08f ? 0.35f : 0) - ((x % 8 == 7 || y % 8 == 7) ? 0.25f : 0);
                marble.Set(x, y, k.plaster.Shade(l));
            }
        tileChip("Marble", marble, "Floor");
        Tile path = k.sandTile;
        for (const Pt& p : tiles::Scatter(5, 5, 257))
            path.Set(int(p.x), int(p.y), k.stone[3]);
        tileChip("Sand Path", path, "Road");
    }
    {
        Tile snowStones = k.snowTile;
        for (const Pt& p : tiles::Scatter(3, 6, 259))
            FillEllipse(snowStones.Image(), p.x, p.y, 2.2f, 1.6f,
                        [&](int, int, float nx, float ny, float nz) {
                            return k.stone.Shade(Light::Lambert(nx, ny, nz) + 0.1f);
                        });
        tileChip("Snow Stones", snowStones, "Snow");
        Tile redSand = tiles::NoiseTile(k.brick, 0.6f, 0.3f, 8, 261);
        for (const Pt& p : tiles::Scatter(4, 5, 263))
            redSand.Set(int(p.x), int(p.y), k.dirt[1]);
        tileChip("Red Sand", redSand, "Desert");
    }
    a.Lower("Shore Rocks",
            waterChip(k,
                      [&](IndexedImage& c) {
                          for (const Pt& p : {Pt{4, 5}, Pt{11, 10}, Pt{6, 12}})
                              FillEllipse(c, p.x, p.y, 3, 2.4f, [&](int, int, float nx, float ny, float nz) {
                                  return k.rock.Shade(Light::Lambert(nx, ny, nz) * 1.1f);
                              });
                      }),
            "Water", Pass::Blocked);
    a.Lower("Rapids",
            waterChip(k,
                      [&](IndexedImage& c) {
                          for (int i = 0; i < 6; ++i) {
                              int x = 1 + i * 3, y = 2 + (i * 5) % 12;
                              Line(c, x, y, x + 2, y + 3, k.foam[1]);
                          }
                      }),
            "Water", Pass::Blocked);
    {
        IndexedImage top = waterChip(k, [&](IndexedImage& c) {
            for (int y = 10; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    c.Set(x, y, y == 10 ? k.foam[1] : (x + y) % 3 ? k.water[5] : k.foam[0]);
        });
        a.Lower("Fall Edge", top, "Water", Pass::Blocked);
    }
    // Garden beds.
    for (int b = 0; b < 3; ++b) {
        Tile t = k.dirtTile;
        Ramp petals = b == 0 ? k.red : b == 1 ? k.yellow : k.purple;
        for (const Pt& p : tiles::Scatter(5, 5, 239 + b)) {
            int x = int(p.x), y = int(p.y);
            t.Set(x - 1, y + 1, k.leaves[2]);
            t.Set(x + 1, y + 1, k.leaves[3]);
            t.Set(x, y + 1, k.leaves[1]);
            t.Set(x, y, petals[2]);
            t.Set(x - 1, y, petals[1]);
            t.Set(x + 1, y, petals[1]);
            t.Set(x, y - 1, petals[2]);
        }
        const char* names[3] = {"Rose Bed", "Tulip Bed", "Violet Bed"};
        tileChip(names[b], t, "Grass");
    }
}

IndexedImage drawProp(std::function<void(IndexedImage&)> draw, int w = 1, int h = 1) {
    IndexedImage c = chipCanvas(w, h);
    draw(c);
    return c;
}

void paintUpperChips(Kit& k, ChipAllocator& a) {
    const PropRamps& r = k.props;
    using namespace props;
    // The first area (upper chips 1..47): nature and things found outdoors.
    a.Upper("Bush", drawProp([&](IndexedImage& c) { Bush(c, r, k.red, false); }));
    a.Upper("Berry Bush", drawProp([&](IndexedImage& c) { Bush(c, r, k.purple, true); }));
    a.Upper("Flowers", drawProp([&](IndexedImage& c) { FlowerClump(c, r, k.red, k.yellow); }), Pass::Open);
    a.Upper("Grass Tuft", drawProp([&](IndexedImage& c) { GrassTuft(c, r); }), Pass::Open);
    a.Upper("Small Rock", drawProp([&](IndexedImage& c) { Rock(c, r, 0.6f); }));
    a.Upper("Rock", drawProp([&](IndexedImage& c) { Rock(c, r, 1.0f); }));
    a.Upper("Tree", drawProp([&](IndexedImage& c) { Tree(c, r, 301); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Pine", drawProp([&](IndexedImage& c) { Pine(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Dead Tree", drawProp([&](IndexedImage& c) { DeadTree(c, r); }, 1, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Palm", drawProp([&](IndexedImage& c) { Palm(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Lamp Post", drawProp([&](IndexedImage& c) { LampPost(c, r); }, 1, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Statue", drawProp([&](IndexedImage& c) { Statue(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Stump", drawProp([&](IndexedImage& c) { Stump(c, r); }));
    a.Upper("Log", drawProp([&](IndexedImage& c) { Log(c, r); }));
    a.Upper("Mushrooms", drawProp([&](IndexedImage& c) { Mushrooms(c, r); }), Pass::Open);
    a.Upper("Signpost", drawProp([&](IndexedImage& c) { Signpost(c, r); }));
    a.Upper("Gravestone", drawProp([&](IndexedImage& c) { Gravestone(c, r); }));
    a.Upper("Haystack", drawProp([&](IndexedImage& c) { Haystack(c, r); }));
    a.Upper("Fence Left", drawProp([&](IndexedImage& c) { Fence(c, r, true, false, false); }));
    a.Upper("Fence", drawProp([&](IndexedImage& c) { Fence(c, r, false, false, false); }));
    a.Upper("Fence Right", drawProp([&](IndexedImage& c) { Fence(c, r, false, true, false); }));
    a.Upper("Fence Vertical", drawProp([&](IndexedImage& c) { Fence(c, r, false, false, true); }));
    a.Upper("Well", drawProp([&](IndexedImage& c) { Well(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Flag", drawProp([&](IndexedImage& c) { Flag(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Big Tree", drawProp([&](IndexedImage& c) { BigTree(c, r); }, 2, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Tent", drawProp([&](IndexedImage& c) { Tent(c, r); }, 2, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Campfire", drawProp([&](IndexedImage& c) { Campfire(c, r); }));
    a.Upper("Woodpile", drawProp([&](IndexedImage& c) { Woodpile(c, r); }));
    a.Upper("Barrel", drawProp([&](IndexedImage& c) { Barrel(c, r); }));
    a.Upper("Crate", drawProp([&](IndexedImage& c) { Crate(c, r); }));
    a.Upper("Pot", drawProp([&](IndexedImage& c) { Pot(c, r); }));
    a.Upper("Sack", drawProp([&](IndexedImage& c) { Sack(c, r); }));
    a.Upper("Lily Pads", drawProp([&](IndexedImage& c) { Lilypads(c, r, k.white); }), Pass::Blocked);
    a.Upper("Reeds", drawProp([&](IndexedImage& c) { Reeds(c, r); }), Pass::Open);
    // The second area (upper chips 48..143): the world map's places, houses inside and out.
    a.Upper("Village", drawProp([&](IndexedImage& c) { Village(c, r); }), Pass::Open);
    a.Upper("Town", drawProp([&](IndexedImage& c) { Town(c, r); }), Pass::Open);
    a.Upper("Castle", drawProp([&](IndexedImage& c) { Castle(c, r); }), Pass::Open);
    a.Upper("Tower", drawProp([&](IndexedImage& c) { Tower(c, r); }), Pass::Open);
    a.Upper("Cave", drawProp([&](IndexedImage& c) { CaveMouth(c, r); }), Pass::Open);
    a.Upper("Shrine", drawProp([&](IndexedImage& c) { Shrine(c, r); }), Pass::Open);
    a.Upper("Ruins", drawProp([&](IndexedImage& c) { Ruins(c, r); }), Pass::Open);
    a.Upper("Port", drawProp([&](IndexedImage& c) { Port(c, r); }), Pass::Open);
    a.Upper("Window", drawProp([&](IndexedImage& c) { Window(c, r); }));
    a.Upper("Door", drawProp([&](IndexedImage& c) { Door(c, r, false); }));
    a.Upper("Open Door", drawProp([&](IndexedImage& c) { Door(c, r, true); }), Pass::Open);
    a.Upper("Inn Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 0); }));
    a.Upper("Item Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 1); }));
    a.Upper("Weapon Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 2); }));
    a.Upper("Armour Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 3); }));
    a.Upper("Magic Sign", drawProp([&](IndexedImage& c) { Sign(c, r, 4); }));
    a.Upper("Torch", drawProp([&](IndexedImage& c) { Torch(c, r); }));
    a.Upper("Bed", drawProp([&](IndexedImage& c) { Bed(c, r); }, 1, 2));
    a.Upper("Bookshelf", drawProp([&](IndexedImage& c) { Bookshelf(c, r); }, 1, 2));
    a.Upper("Cupboard", drawProp([&](IndexedImage& c) { Cupboard(c, r); }, 1, 2));
    a.Upper("Fireplace", drawProp([&](IndexedImage& c) { Fireplace(c, r); }, 1, 2));
    a.Upper("Table", drawProp([&](IndexedImage& c) { Table(c, r); }), Pass::Counter);
    a.Upper("Chair", drawProp([&](IndexedImage& c) { Chair(c, r); }));
    a.Upper("Stool", drawProp([&](IndexedImage& c) { Stool(c, r); }));
    a.Upper("Bench", drawProp([&](IndexedImage& c) { Bench(c, r); }));
    a.Upper("Counter Left", drawProp([&](IndexedImage& c) { Counter(c, r, true, false); }), Pass::Counter);
    a.Upper("Counter", drawProp([&](IndexedImage& c) { Counter(c, r, false, false); }), Pass::Counter);
    a.Upper("Counter Right", drawProp([&](IndexedImage& c) { Counter(c, r, false, true); }), Pass::Counter);
    a.Upper("Potted Plant", drawProp([&](IndexedImage& c) { PottedPlant(c, r); }));
    a.Upper("Chest", drawProp([&](IndexedImage& c) { Chest(c, r, false); }));
    a.Upper("Open Chest", drawProp([&](IndexedImage& c) { Chest(c, r, true); }));
    a.Upper("Ladder", drawProp([&](IndexedImage& c) { Ladder(c, r); }), Pass::Open);
    a.Upper("Stairs Up", drawProp([&](IndexedImage& c) { Stairs(c, r, false); }), Pass::Open);
    a.Upper("Stairs Down", drawProp([&](IndexedImage& c) { Stairs(c, r, true); }), Pass::Open);
    // More of the village, the fields and the house.
    PropRamps autumn = r;
    autumn.leaves = k.lava;
    a.Upper("Autumn Tree", drawProp([&](IndexedImage& c) { Tree(c, autumn, 303); }, 1, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Fruit Tree", drawProp([&](IndexedImage& c) { FruitTree(c, r, k.red); }, 1, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Birch", drawProp([&](IndexedImage& c) { Birch(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Cactus", drawProp([&](IndexedImage& c) { Cactus(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Scarecrow", drawProp([&](IndexedImage& c) { Scarecrow(c, r); }, 1, 2),
            {Pass::Above, Pass::Blocked});
    a.Upper("Clock", drawProp([&](IndexedImage& c) { Clock(c, r); }, 1, 2), {Pass::Above, Pass::Blocked});
    a.Upper("Market Stall", drawProp([&](IndexedImage& c) { MarketStall(c, r, k.red); }, 2, 2),
            {Pass::Above, Pass::Counter});
    a.Upper("Fruit Stall", drawProp([&](IndexedImage& c) { MarketStall(c, r, k.roofBlue); }, 2, 2),
            {Pass::Above, Pass::Counter});
    a.Upper("Boulder", drawProp([&](IndexedImage& c) { Boulder(c, r); }, 2, 2));
    a.Upper("Cart", drawProp([&](IndexedImage& c) { Cart(c, r); }, 2, 1));
    a.Upper("Stone Fence Left", drawProp([&](IndexedImage& c) { StoneFence(c, r, true, false, false); }));
    a.Upper("Stone Fence", drawProp([&](IndexedImage& c) { StoneFence(c, r, false, false, false); }));
    a.Upper("Stone Fence Right", drawProp([&](IndexedImage& c) { StoneFence(c, r, false, true, false); }));
    a.Upper("Stone Fence Vertical", drawProp([&](IndexedImage& c) { StoneFence(c, r, false, false, true); }));
    a.Upper("Trough", drawProp([&](IndexedImage& c) { Trough(c, r); }));
    a.Upper("Anvil", drawProp([&](IndexedImage& c) { Anvil(c, r); }));
    a.Upper("Cauldron", drawProp([&](IndexedImage& c) { Cauldron(c, r); }));
    a.Upper("Beehive", drawProp([&](IndexedImage& c) { Beehive(c, r); }));
    a.Upper("Bucket", drawProp([&](IndexedImage& c) { Bucket(c, r); }));
    a.Upper("Desk", drawProp([&](IndexedImage& c) { Desk(c, r); }), Pass::Counter);
    a.Upper("Candles", drawProp([&](IndexedImage& c) { CandleStand(c, r); }));
    a.Upper("Vase", drawProp([&](IndexedImage& c) { Vase(c, r, k.roofBlue); }));
    a.Upper("Shelf", drawProp([&](IndexedImage& c) { Shelf(c, r); }));
    a.Upper("Weapon Rack", drawProp([&](IndexedImage& c) { WeaponRack(c, r); }));
    a.Upper("Rubble", drawProp([&](IndexedImage& c) { Rubble(c, r); }));
    a.Upper("Broken Pillar", drawProp([&](IndexedImage& c) { BrokenPillar(c, r); }));
    a.Upper("Rune Stone", drawProp([&](IndexedImage& c) { RuneStone(c, r, k.glass); }));
    a.Upper("Bones", drawProp([&](IndexedImage& c) { Bones(c, r); }), Pass::Open);
    a.Upper("Skull", drawProp([&](IndexedImage& c) { Skull(c, r); }), Pass::Open);
    a.Upper("Crystal", drawProp([&](IndexedImage& c) { Crystal(c, r, k.glass); }));
    a.Upper("Small Bush", drawProp([&](IndexedImage& c) { FlowerClump(c, r, k.purple, k.white); }),
            Pass::Open);
}
} // namespace

ChipsetInfo MakeGrasslandChipset() {
    Kit k;
    ChipsetInfo info;
    info.name = "Grassland";
    info.image = IndexedImage(chips::kWidth, chips::kHeight);
    info.lowerNames.assign(162, "");
    info.lowerTerrain.assign(162, "");
    info.lowerPass.assign(162, Pass::Open);
    info.upperNames.assign(144, "");
    info.upperPass.assign(144, Pass::Open);
    info.upperNames[0] = "Empty";
    const char* families[18] = {"Water",  "Canal", "Deep Water", "Waterfall",  "Whirlpool", "Sparkling Water",
                                "Dirt",   "Sand",  "Road",       "Tall Grass", "Flowers",   "Farmland",
                                "Forest", "Hills", "Mountains",  "Snow",       "Swamp",     "Plateau"};
    const char* terrain[18] = {"Water",  "Water", "Deep Water", "Deep Water", "Deep Water", "Water",
                               "Dirt",   "Sand",  "Road",       "Tall Grass", "Grass",      "Farmland",
                               "Forest", "Hills", "Mountain",   "Snow",       "Swamp",      "Grass"};
    for (int i = 0; i < 18; ++i) {
        info.lowerNames[i] = families[i];
        info.lowerTerrain[i] = terrain[i];
    }
    info.lowerPass[0] = info.lowerPass[1] = info.lowerPass[2] = Pass::Blocked;
    info.lowerPass[3] = info.lowerPass[4] = info.lowerPass[5] = Pass::Blocked;
    info.lowerPass[6 + 8] = Pass::Blocked; // mountains
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
