#include "MapDrawing.h"

#include "mapedit_core/MapRender.h"

namespace tarvel::runtime {

namespace {

constexpr int kCell = 16;

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The cells the board shows, the view's top-left at map pixel (viewX, viewY).
TRect VisibleCells(const TPrismBoard& board, int viewX, int viewY) {
    return {FloorDiv(viewX, kCell), FloorDiv(viewY, kCell), FloorDiv(viewX + board.Width() - 1, kCell) + 1,
            FloorDiv(viewY + board.Height() - 1, kCell) + 1};
}

} // namespace

void DrawMapCells(TPrismBoard& board, TQelMap& map, int viewX, int viewY) {
    TQelMapCellPainter painter;
    painter.SetMap(&map, nullptr);
    painter.LoadPanorama();
    TMapViewLook look;
    look.cellSize = kCell;
    painter.DrawCells(board, VisibleCells(board, viewX, viewY), viewX, viewY, look);
}

void DrawChipsAboveCharacters(TPrismBoard& board, const TQelMap& map, TQelChipSetGraphic& chips,
                              const TQelChipSetItem* chipSetRecord, int viewX, int viewY) {
    if (!chipSetRecord || !chips.ChipSet()) return;
    chips.SetTransparent(true);
    const TRect cells = VisibleCells(board, viewX, viewY);
    for (int cy = cells.top; cy < cells.bottom; ++cy)
        for (int cx = cells.left; cx < cells.right; ++cx) {
            const int index = map.UpperLayer.GetChip(cx, cy) - 10000;
            if (index > 0 && index < UpperChipCount && (chipSetRecord->UpperChipPass(index) & 0x10))
                chips.DrawChip(board, cx * kCell - viewX, 0, 10000 + index, false, kCell, cy * kCell - viewY);
        }
}

} // namespace tarvel::runtime
