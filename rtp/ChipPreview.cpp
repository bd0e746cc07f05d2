#include "ChipPreview.h"

#include <algorithm>

#include "ChipsetLayout.h"

namespace tarvel::rtp {

using chips::Quarter;
using chips::Unit;

namespace {
void copyQuarter(const IndexedImage& src, Unit u, IndexedImage& dest, int dx, int dy, bool transparent) {
    dest.Blit(src, u.x * 8, u.y * 8, 8, 8, dx, dy, transparent);
}
void copyCell(const IndexedImage& src, Unit u, IndexedImage& dest, int dx, int dy, bool transparent) {
    dest.Blit(src, u.x * 8, u.y * 8, 16, 16, dx, dy, transparent);
}
} // namespace

int ChipKindOf(int n) {
    if (n < 0) return -1;
    if (n < 3000) return n / 1000;
    if (n < 4000) return (n - 3000) / 50 + 3;
    if (n < 5000) return (n - 4000) / 50 + 6;
    return n - 4982;
}

int KindBaseChip(int kind) {
    if (kind <= 2) return kind * 1000;
    if (kind <= 5) return 2850 + 50 * kind;
    if (kind <= 17) return 3700 + 50 * kind;
    return kind + 4982;
}

void DrawPreviewChip(const IndexedImage& cs, int n, int step, int frame, IndexedImage& dest, int dx, int dy,
                     bool transparent) {
    if (n < 0) return;
    if (n < 3000) {
        int kind = n / 1000, variant = n % 50, mask = (n % 1000) / 50;
        const chips::QuarterStates& st = chips::VariantStates(variant >= 47 && variant <= 48 ? 0 : variant);
        for (int q = 0; q < 4; ++q) {
            Unit cell =
                (mask & (1 << q)) ? chips::WaterJunctionCell(kind) : chips::WaterStateCell(kind, st[q]);
            Unit u{cell.x + (q & 1) + 2 * step, cell.y + (q >> 1)};
            copyQuarter(cs, u, dest, dx + (q & 1) * 8, dy + (q >> 1) * 8, transparent);
        }
    } else if (n < 4000) {
        Unit o = chips::AnimatedOrigin(std::min(2, (n - 3000) / 50));
        copyCell(cs, {o.x, o.y + 2 * frame}, dest, dx, dy, transparent);
    } else if (n < 5000) {
        Unit o = chips::AutotileOrigin((n - 4000) / 50);
        const chips::QuarterSources& src = chips::GroundVariantSources(n % 50);
        for (int q = 0; q < 4; ++q)
            copyQuarter(cs, {o.x + src[q].x, o.y + src[q].y}, dest, dx + (q & 1) * 8, dy + (q >> 1) * 8,
                        transparent);
    } else if (n < 5144) {
        copyCell(cs, chips::LowerChipUnit(n - 5000), dest, dx, dy, transparent);
    } else if (n >= 10000 && n < 20000) {
        copyCell(cs, chips::UpperChipUnit(std::clamp(n - 10000, 0, 143)), dest, dx, dy, transparent);
    }
}

std::vector<int> ConnectLayer(const std::vector<int>& kinds, int w, int h) {
    auto kindAt = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? -1 : kinds[y * w + x]; };
    std::vector<int> masks(kinds.size(), 0), out(kinds.size(), 0);
    // Neighbour order and bits: top-left 1, top-right 2, bottom-right 4, bottom-left 8, left 16,
    // top 32, right 64, bottom 128.
    const int nx[8] = {-1, 1, 1, -1, -1, 0, 1, 0}, ny[8] = {-1, -1, 1, 1, 0, -1, 0, 1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int k = kindAt(x, y);
            if (k < 0) {
                out[y * w + x] = -1;
                continue;
            }
            int mask = 0;
            for (int i = 0; i < 8; ++i) {
                int e = kindAt(x + nx[i], y + ny[i]);
                bool connected = e == -1 || e == k || (e < 6 && k < 6);
                if (!connected) mask |= 1 << i;
            }
            masks[y * w + x] = mask;
            int n = KindBaseChip(k);
            if (n < 5000 && (k <= 2 || k >= 6)) n += chips::MaskToVariant(mask);
            out[y * w + x] = n;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int k = kindAt(x, y);
            if (k < 0 || k > 2) continue;
            bool counts[8];
            for (int i = 0; i < 8; ++i) {
                int e = kindAt(x + nx[i], y + ny[i]);
                if (k == 2)
                    counts[i] = e < 2;
                else
                    counts[i] = i >= 4 ? e == 2 : !(masks[y * w + x] & (1 << i));
            }
            // Side neighbours: left 4, top 5, right 6, bottom 7; diagonals tl 0, tr 1, br 2, bl 3.
            int bits = 0;
            if (counts[5] && counts[4] && counts[0]) bits |= 1;
            if (counts[5] && counts[6] && counts[1]) bits |= 2;
            if (counts[7] && counts[4] && counts[3]) bits |= 4;
            if (counts[7] && counts[6] && counts[2]) bits |= 8;
            out[y * w + x] += 50 * bits;
        }
    return out;
}

} // namespace tarvel::rtp
