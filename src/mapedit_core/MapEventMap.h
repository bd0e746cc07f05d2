#pragma once

// The per-cell index of a map's events and start positions, with the drawing of event cells, and
// the two frames the map views draw over a map.

#include <cstdint>
#include <vector>

#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "graphics/PrismSheet.h"
#include "graphics/StartPosMark.h"

namespace tarvel {

// Which event or start position sits on each cell of a map: 0 none, an event's ID, or one of the
// start values below. Rebuilt whenever the map's events or the start positions change; start
// positions win over events in the same cell.
class TQelEventMap {
public:
    static constexpr int PartyStart = 60001;
    static constexpr int BoatStart = 60002;
    static constexpr int ShipStart = 60003;
    static constexpr int AirshipStart = 60004;

    TQelEventMap();

    // Indexes the map's events and the tree's start positions on this map. Both are kept (not
    // owned) for drawing and must outlive the next Build.
    void Build(const TQelMapTree& tree, const TQelMap& map);
    // The cell's value, -1 outside the map. Asking before Build is an internal error.
    int CellAt(int x, int y) const;
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

    // Draws a cell holding value (not 0) with its top-left at pixel (x, y) and size x size pixels:
    // start positions as their marks; an event as the event mark when marksOnly is set or the size
    // is below 16; otherwise, at sizes 16 and 32, a white square showing the upper chip or the
    // character of the event's first page. An event the map does not have is an internal error.
    void DrawCell(TPrismBoard& board, int x, bool marksOnly, int value, int size, int y);

    TStartPosMark& MarkPainter() { return mMarks; }

private:
    void drawEventPicture(TPrismBoard& board, int x, int y, int size, int value);

    const TQelMapTree* mTree = nullptr;
    const TQelMap* mMap = nullptr;
    std::vector<uint16_t> mCells;
    int mWidth = 0;
    int mHeight = 0;
    bool mBuilt = false;
    TStartPosMark mMarks;
    TPrismBoard mScratch;
};

// The frame around the area selected in the map tree: light yellow with dark grey inside it, and
// the same pair again 3 pixels further in.
void DrawAreaFrame(TPrismBoard& board, const TRect& rect);
// The frame of the position dialogs: dark grey, white, white, dark grey from the outside in.
void DrawPositionFrame(TPrismBoard& board, const TRect& rect);

} // namespace tarvel
