#include "MapRender.h"

#include <algorithm>

#include "MapGraphics.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/GraphicsPorts.h"

namespace tarvel {

namespace {
const TRGB kGridColour{0, 0, 0};
const int kUpperOpacityWhilePaintingLower = 160;
} // namespace

TQelMapCellPainter::TQelMapCellPainter() : mPanorama(std::make_unique<TPrismSheet>()) {
    mPanorama->SetAutoSize(true);
}

void TQelMapCellPainter::SetMap(TQelMap* map, TQelEventMap* events) {
    mMap = map;
    mEvents = events;
}

void TQelMapCellPainter::LoadPanorama() {
    mPanorama->FreePixels();
    mPanorama->Clear();
    if (!mMap || mMap->PanoramaName.empty()) return;
    mPanorama->LoadFromFile(MaterialLocator().Locate(mMap->PanoramaName, "Panorama"), false);
}

bool TQelMapCellPainter::PanoramaBehindCells() const {
    return mMap && mMap->UsePanorama && !mMap->PanoramaHorzPan && !mMap->PanoramaVertPan &&
           mPanorama->Width() == mMap->Width * 16 && mPanorama->Height() == mMap->Height * 16 &&
           mPanorama->Width() > 0;
}

void TQelMapCellPainter::DrawCell(TPrismBoard& board, int cellX, int cellY, int x, int y,
                                  const TMapViewLook& look) {
    if (!mMap) return;
    drawCell(board, cellX, cellY, x, y, look, PanoramaBehindCells(), drawableChips());
}

TQelChipSetGraphic* TQelMapCellPainter::drawableChips() const {
    TMapGraphics* graphics = MapGraphicsOf(*mMap);
    // A map whose chipset the database lacks has no chipset record to draw from: its cells stay
    // as they are (blank) instead of failing.
    return graphics && graphics->ChipSet().ChipSet() ? &graphics->ChipSet() : nullptr;
}

void TQelMapCellPainter::drawCell(TPrismBoard& board, int cellX, int cellY, int x, int y,
                                  const TMapViewLook& look, bool panorama, TQelChipSetGraphic* chips) {
    const int size = look.cellSize;
    if (panorama)
        board.StretchDrawSheet(Bounds(x, y, size, size), *mPanorama, Bounds(cellX * 16, cellY * 16, 16, 16));

    if (chips) {
        chips->SetTransparent(panorama);
        chips->SetFade(0);
        const bool dimLower = look.mode == 1 && look.drawingTool;
        chips->DrawChip(board, x, 0, mMap->LowerLayer.GetChip(cellX, cellY), dimLower, size, y);

        const bool dimUpper = look.mode == 0 && look.drawingTool;
        chips->SetTransparent(true);
        const int opacity = dimUpper ? kUpperOpacityWhilePaintingLower : 255;
        chips->Sheet().SetOpacity(opacity);
        chips->DimmedSheet().SetOpacity(opacity);
        chips->DrawChip(board, x, 0, mMap->UpperLayer.GetChip(cellX, cellY), dimUpper, size, y);
        chips->SetFade(0);
    }

    if (look.mode == 2) {
        FillRect(board, {x, y + size - 1, x + size, y + size}, kGridColour);
        FillRect(board, {x + size - 1, y, x + size, y + size}, kGridColour);
    }
    if (mEvents) {
        const int value = mEvents->CellAt(cellX, cellY);
        if (value > 0) mEvents->DrawCell(board, x, look.mode != 2, value, size, y);
    }
}

void TQelMapCellPainter::DrawCells(TPrismBoard& board, const TRect& rect, int scrollX, int scrollY,
                                   const TMapViewLook& look) {
    if (!mMap) return;
    const int size = look.cellSize;
    const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    const int right = std::min(rect.right, mMap->LowerLayer.Width);
    const int bottom = std::min(rect.bottom, mMap->LowerLayer.Height);
    // What holds for every cell is looked up once.
    const bool panorama = PanoramaBehindCells();
    TQelChipSetGraphic* chips = drawableChips();
    for (int cy = top; cy < bottom; ++cy)
        for (int cx = left; cx < right; ++cx)
            drawCell(board, cx, cy, cx * size - scrollX, cy * size - scrollY, look, panorama, chips);
}

} // namespace tarvel
