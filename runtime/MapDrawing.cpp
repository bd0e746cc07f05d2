#include "MapDrawing.h"

namespace tarvel::runtime {

namespace {

constexpr int kCell = 16;

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

void DrawMapLayer(TPrismBoard& board, const TQelMap& map, TQelChipSetGraphic& chips,
                  const TQelChipSetItem* chipSetRecord, int viewX, int viewY, int time, TLayerPart part) {
    const TQelMapLayer& layer = part == TLayerPart::Lower ? map.LowerLayer : map.UpperLayer;
    // The lower layer covers the ground, so its transparent colour is drawn; upper chips let the
    // ground show through.
    chips.SetTransparent(part != TLayerPart::Lower);
    const int firstX = FloorDiv(viewX, kCell), lastX = FloorDiv(viewX + board.Width() - 1, kCell);
    const int firstY = FloorDiv(viewY, kCell), lastY = FloorDiv(viewY + board.Height() - 1, kCell);
    for (int cy = firstY; cy <= lastY; ++cy) {
        for (int cx = firstX; cx <= lastX; ++cx) {
            const int chip = layer.GetChip(cx, cy);
            if (chip < 0) continue;
            if (part != TLayerPart::Lower) {
                const int index = chip - 10000;
                if (index <= 0) continue; // the empty upper chip
                const bool above = chipSetRecord && (chipSetRecord->UpperChipPass(index) & 0x10);
                if (above != (part == TLayerPart::UpperAbove)) continue;
            }
            chips.DrawChip(board, cx * kCell - viewX, time, chip, false, kCell, cy * kCell - viewY);
        }
    }
}

} // namespace tarvel::runtime
