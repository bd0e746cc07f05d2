#include "SampleMaps.h"

#include <cmath>
#include <vector>

#include "ChipPreview.h"

namespace tarvel::rtp {

IndexedImage RenderSampleMap(const IndexedImage& chipset, const std::string& name, int waterStep,
                             int animFrame) {
    const int w = 40, h = 26;
    std::vector<int> kinds(w * h, 18); // plain chip 0
    auto set = [&](int x, int y, int k) {
        if (x >= 0 && y >= 0 && x < w && y < h) kinds[y * w + x] = k;
    };
    auto ellipse = [&](float cx, float cy, float rx, float ry, int k) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
                if (dx * dx + dy * dy <= 1) set(x, y, k);
            }
    };
    // Lake of water A with deep water inside.
    ellipse(7, 7, 6.5f, 5.5f, 0);
    ellipse(7.5f, 7.5f, 3.2f, 2.6f, 2);
    set(3, 9, 2);
    // Canal of water B with a bend.
    for (int y = 0; y < h; ++y)
        set(15, y, 1), set(16, y, 1);
    for (int x = 16; x < 22; ++x)
        set(x, 13, 1), set(x, 14, 1);
    // Ground autotiles: 4 x 3 blobs with a notch and a hole.
    for (int slot = 0; slot < 12; ++slot) {
        int bx = 20 + (slot % 4) * 5, by = 1 + (slot / 4) * 6;
        if (slot % 4 == 0 && slot / 4 == 2) by += 0;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                set(bx + x, by + y, 6 + slot);
        set(bx + 4, by + 1, 6 + slot);
        set(bx + 1, by + 4, 6 + slot);
        set(bx + 2, by + 4, 6 + slot);
        set(bx + 3, by, 18);
        if (slot % 2) set(bx + 1, by + 2, 18);
    }
    // Plain lower chips 0..23 in a block, so their seams show.
    for (int i = 0; i < 30; ++i)
        set(1 + i % 6, 14 + i / 6, 18 + i);
    std::vector<int> lower = ConnectLayer(kinds, w, h);
    // Animated chips on the lake.
    lower[4 * w + 5] = 3000;
    lower[7 * w + 8] = 3050;
    lower[10 * w + 10] = 3100;
    IndexedImage out(w * 16, h * 16);
    out.Palette() = chipset.Palette();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            DrawPreviewChip(chipset, lower[y * w + x], waterStep, animFrame, out, x * 16, y * 16, false);
    // Upper chips 1..47 on the grass below the lake, in rows of 12.
    for (int i = 1; i < 144; ++i) {
        int x = 8 + (i - 1) % 6, y = 14 + (i - 1) / 6;
        if (y >= h) break;
        DrawPreviewChip(chipset, 10000 + i, 0, 0, out, x * 16, y * 16, true);
    }
    (void)name;
    return out;
}

} // namespace tarvel::rtp
