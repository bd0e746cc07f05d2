#include "ChipsetLayout.h"

namespace tarvel::rtp::chips {

namespace {
using Q = Quarter;
constexpr Q C = Q::Centre, I = Q::Inner, V = Q::Vertical, H = Q::Horizontal, O = Q::Outer, P = Q::Palette;

const std::array<QuarterStates, 50> kStates = {{
    {C, C, C, C}, {I, C, C, C}, {C, I, C, C}, {I, I, C, C}, {C, C, C, I}, {I, C, C, I}, {C, I, C, I},
    {I, I, C, I}, {C, C, I, C}, {I, C, I, C}, {C, I, I, C}, {I, I, I, C}, {C, C, I, I}, {I, C, I, I},
    {C, I, I, I}, {I, I, I, I}, {V, C, V, C}, {V, I, V, C}, {V, C, V, I}, {V, I, V, I}, {H, H, C, C},
    {H, H, C, I}, {H, H, I, C}, {H, H, I, I}, {C, V, C, V}, {C, V, I, V}, {I, V, C, V}, {I, V, I, V},
    {C, C, H, H}, {I, C, H, H}, {C, I, H, H}, {I, I, H, H}, {V, V, V, V}, {H, H, H, H}, {O, H, V, C},
    {O, H, V, I}, {H, O, C, V}, {H, O, I, V}, {C, V, H, O}, {I, V, H, O}, {V, C, O, H}, {V, I, O, H},
    {O, O, V, V}, {O, H, O, H}, {V, V, O, O}, {H, O, H, O}, {O, O, O, O}, {C, C, C, C}, {C, C, C, C},
    {P, P, P, P},
}};

const std::array<QuarterSources, 50> kSources = {{
    {{{2, 4}, {3, 4}, {2, 5}, {3, 5}}}, {{{4, 0}, {3, 4}, {2, 5}, {3, 5}}},
    {{{2, 4}, {5, 0}, {2, 5}, {3, 5}}}, {{{4, 0}, {5, 0}, {2, 5}, {3, 5}}},
    {{{2, 4}, {3, 4}, {2, 5}, {5, 1}}}, {{{4, 0}, {3, 4}, {2, 5}, {5, 1}}},
    {{{2, 4}, {5, 0}, {2, 5}, {5, 1}}}, {{{4, 0}, {5, 0}, {2, 5}, {5, 1}}},
    {{{2, 4}, {3, 4}, {4, 1}, {3, 5}}}, {{{4, 0}, {3, 4}, {4, 1}, {3, 5}}},
    {{{2, 4}, {5, 0}, {4, 1}, {3, 5}}}, {{{4, 0}, {5, 0}, {4, 1}, {3, 5}}},
    {{{2, 4}, {3, 4}, {4, 1}, {5, 1}}}, {{{4, 0}, {3, 4}, {4, 1}, {5, 1}}},
    {{{2, 4}, {5, 0}, {4, 1}, {5, 1}}}, {{{4, 0}, {5, 0}, {4, 1}, {5, 1}}},
    {{{0, 4}, {1, 4}, {0, 5}, {1, 5}}}, {{{0, 4}, {5, 0}, {0, 5}, {1, 5}}},
    {{{0, 4}, {1, 4}, {0, 5}, {5, 1}}}, {{{0, 4}, {5, 0}, {0, 5}, {5, 1}}},
    {{{2, 2}, {3, 2}, {2, 3}, {3, 3}}}, {{{2, 2}, {3, 2}, {2, 3}, {5, 1}}},
    {{{2, 2}, {3, 2}, {4, 1}, {3, 3}}}, {{{2, 2}, {3, 2}, {4, 1}, {5, 1}}},
    {{{4, 4}, {5, 4}, {4, 5}, {5, 5}}}, {{{4, 4}, {5, 4}, {4, 1}, {5, 5}}},
    {{{4, 0}, {5, 4}, {4, 5}, {5, 5}}}, {{{4, 0}, {5, 4}, {4, 1}, {5, 5}}},
    {{{2, 6}, {3, 6}, {2, 7}, {3, 7}}}, {{{4, 0}, {3, 6}, {2, 7}, {3, 7}}},
    {{{2, 6}, {5, 0}, {2, 7}, {3, 7}}}, {{{4, 0}, {5, 0}, {2, 7}, {3, 7}}},
    {{{0, 4}, {5, 4}, {0, 5}, {5, 5}}}, {{{2, 2}, {3, 2}, {2, 7}, {3, 7}}},
    {{{0, 2}, {1, 2}, {0, 3}, {1, 3}}}, {{{0, 2}, {1, 2}, {0, 3}, {5, 1}}},
    {{{4, 2}, {5, 2}, {4, 3}, {5, 3}}}, {{{4, 2}, {5, 2}, {4, 1}, {5, 3}}},
    {{{4, 6}, {5, 6}, {4, 7}, {5, 7}}}, {{{4, 0}, {5, 6}, {4, 7}, {5, 7}}},
    {{{0, 6}, {1, 6}, {0, 7}, {1, 7}}}, {{{0, 6}, {5, 0}, {0, 7}, {1, 7}}},
    {{{0, 2}, {5, 2}, {0, 3}, {5, 3}}}, {{{0, 2}, {1, 2}, {0, 7}, {1, 7}}},
    {{{0, 6}, {5, 6}, {0, 7}, {5, 7}}}, {{{4, 2}, {5, 2}, {4, 7}, {5, 7}}},
    {{{0, 2}, {5, 2}, {0, 7}, {5, 7}}}, {{{2, 4}, {3, 4}, {2, 5}, {3, 5}}},
    {{{2, 4}, {3, 4}, {2, 5}, {3, 5}}}, {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
}};

const Unit kAutotileOrigins[12] = {{0, 16}, {6, 16}, {0, 24},  {6, 24},  {12, 0},  {18, 0},
                                   {12, 8}, {18, 8}, {12, 16}, {18, 16}, {12, 24}, {18, 24}};
} // namespace

Unit AutotileOrigin(int slot) {
    return kAutotileOrigins[slot];
}
Unit AnimatedOrigin(int k) {
    return {6 + 2 * k, 8};
}

Unit LowerChipUnit(int i) {
    return {24 + 12 * (i / 96) + 2 * (i % 6), 2 * ((i % 96) / 6)};
}

Unit UpperChipUnit(int i) {
    int k = i + 48;
    return {36 + 12 * (k / 96) + 2 * (k % 6), 2 * ((k % 96) / 6)};
}

const QuarterStates& VariantStates(int variant) {
    return kStates[variant];
}
const QuarterSources& GroundVariantSources(int variant) {
    return kSources[variant];
}

Unit WaterStateCell(int kind, Quarter state) {
    bool b = kind == 1;
    switch (state) {
    case Quarter::Outer:
        return {b ? 6 : 0, 0};
    case Quarter::Vertical:
        return {b ? 6 : 0, 2};
    case Quarter::Horizontal:
        return {b ? 6 : 0, 4};
    case Quarter::Inner:
        return {b ? 6 : 0, 6};
    case Quarter::Centre:
        return {0, kind == 2 ? 14 : 8};
    case Quarter::Palette:
        return kind == 2 ? Unit{0, 12} : Unit{b ? 6 : 0, 0};
    }
    return {0, 0};
}

Unit WaterJunctionCell(int kind) {
    return {0, kind == 2 ? 12 : 10};
}

int MaskToVariant(int mask) {
    bool l = mask & 16, t = mask & 32, r = mask & 64, b = mask & 128;
    bool tl = mask & 1, tr = mask & 2, br = mask & 4, bl = mask & 8;
    int edges = (l ? 1 : 0) | (t ? 2 : 0) | (r ? 4 : 0) | (b ? 8 : 0);
    switch (edges) {
    case 0:
        return (tl ? 1 : 0) + (tr ? 2 : 0) + (br ? 4 : 0) + (bl ? 8 : 0);
    case 1:
        return 16 + (tr ? 1 : 0) + (br ? 2 : 0);
    case 2:
        return 20 + (br ? 1 : 0) + (bl ? 2 : 0);
    case 3:
        return 34 + (br ? 1 : 0);
    case 4:
        return 24 + (bl ? 1 : 0) + (tl ? 2 : 0);
    case 5:
        return 32;
    case 6:
        return 36 + (bl ? 1 : 0);
    case 7:
        return 42;
    case 8:
        return 28 + (tl ? 1 : 0) + (tr ? 2 : 0);
    case 9:
        return 40 + (tr ? 1 : 0);
    case 10:
        return 33;
    case 11:
        return 43;
    case 12:
        return 38 + (tl ? 1 : 0);
    case 13:
        return 44;
    case 14:
        return 45;
    default:
        return 46;
    }
}

} // namespace tarvel::rtp::chips
