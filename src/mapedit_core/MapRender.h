#pragma once

// Drawing a map's cells as the map view shows them: the panorama behind the lower layer where it
// covers the map exactly, both chip layers (dimmed by the mode and tool), the event grid and the
// event and start-position marks. The view draws the cells it needs onto its board;
// `tarvel-cli render-map` draws them all.

#include <memory>

#include "MapEventMap.h"
#include "data/LD_Map.h"
#include "graphics/PrismSheet.h"

namespace tarvel {

class TQelChipSetGraphic;

// How the view is set when it draws: the edit mode (0 lower layer, 1 upper layer, 2 events), whether
// the tool is one that draws chips (pen, rectangle, ellipse, fill), and the pixels per cell.
struct TMapViewLook {
    int mode = 0;
    bool drawingTool = false;
    int cellSize = 32;
};

class TQelMapCellPainter {
public:
    TQelMapCellPainter();

    // The map drawn and its event map (not owned). The map's graphics must be the real ones
    // (AttachMapGraphics) for chips to be drawn.
    void SetMap(TQelMap* map, TQelEventMap* events);
    // Loads the map's panorama picture from the "Panorama" material folder; a missing or broken
    // picture leaves none.
    void LoadPanorama();
    TPrismSheet& Panorama() { return *mPanorama; }
    // The panorama is drawn behind the cells: the map uses one that does not pan and whose picture
    // is exactly 16 pixels a cell.
    bool PanoramaBehindCells() const;

    // Draws cell (cellX, cellY) with its top-left at pixel (x, y).
    void DrawCell(TPrismBoard& board, int cellX, int cellY, int x, int y, const TMapViewLook& look);
    // Draws every cell of the map that rect (cells) covers, the map's pixel (scrollX, scrollY)
    // at the board's top-left.
    void DrawCells(TPrismBoard& board, const TRect& rect, int scrollX, int scrollY, const TMapViewLook& look);

private:
    // The map's chipset renderer when it has a chipset record to draw from, else nullptr.
    TQelChipSetGraphic* drawableChips() const;
    void drawCell(TPrismBoard& board, int cellX, int cellY, int x, int y, const TMapViewLook& look,
                  bool panorama, TQelChipSetGraphic* chips);

    TQelMap* mMap = nullptr;
    TQelEventMap* mEvents = nullptr;
    std::unique_ptr<TPrismSheet> mPanorama;
};

} // namespace tarvel
