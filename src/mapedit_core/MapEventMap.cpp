#include "MapEventMap.h"

#include <algorithm>

#include "MapGraphics.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"
#include "records/QelAssert.h"

namespace tarvel {

namespace {

const TRGB kWhite{255, 255, 255};

TRect shrunk(const TRect& r, int n) {
    return {r.left + n, r.top + n, r.right - n, r.bottom - n};
}

// Draws with transparency on and full opacity, and leaves the sheet as it was.
class TransparentDraw {
public:
    explicit TransparentDraw(TPrismSheet& sheet)
        : mSheet(sheet), mTransparent(sheet.Transparent()), mOpacity(sheet.Opacity()) {
        sheet.SetTransparent(true);
        sheet.SetOpacity(255);
    }
    ~TransparentDraw() {
        mSheet.SetTransparent(mTransparent);
        mSheet.SetOpacity(mOpacity);
    }

private:
    TPrismSheet& mSheet;
    bool mTransparent;
    int mOpacity;
};

} // namespace

TQelEventMap::TQelEventMap() {
    mScratch.SetSize(16, 16);
}

void TQelEventMap::Build(const TQelMapTree& tree, const TQelMap& map) {
    mTree = &tree;
    mMap = &map;
    mWidth = std::max(map.LowerLayer.Width, 0);
    mHeight = std::max(map.LowerLayer.Height, 0);
    mCells.assign(size_t(mWidth) * size_t(mHeight), 0);
    mBuilt = true;
    auto inside = [&](int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; };
    for (const auto& item : map.Events) {
        const auto& event = static_cast<const TQelEventItem&>(*item);
        // An ID that does not fit a cell, or that would read as a start position, cannot be shown.
        if (event.ID <= 0 || event.ID >= PartyStart) continue;
        if (inside(event.X, event.Y))
            mCells[size_t(event.X) + size_t(event.Y) * size_t(mWidth)] = uint16_t(event.ID);
    }
    for (int i = 0; i < TQelMapStartPosition::Objects; ++i) {
        const TQelMapStartPosition& start = tree.StartPositions;
        if (start.StartMap(i) != map.ID || start.StartX(i) < 0) continue;
        if (inside(start.StartX(i), start.StartY(i)))
            mCells[size_t(start.StartX(i)) + size_t(start.StartY(i)) * size_t(mWidth)] =
                uint16_t(PartyStart + i);
    }
}

int TQelEventMap::CellAt(int x, int y) const {
    QelAssert(mBuilt, "MapEditUtils", 422);
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return -1;
    return mCells[size_t(x) + size_t(y) * size_t(mWidth)];
}

void TQelEventMap::DrawCell(TPrismBoard& board, int x, bool marksOnly, int value, int size, int y) {
    if (value == 0) return;
    if (value >= PartyStart && value <= AirshipStart) {
        mMarks.Draw(board, x, y, false, size, value - PartyStart);
        return;
    }
    if (marksOnly || size < 16) {
        mMarks.Draw(board, x, y, false, size, TStartPosMark::Event);
        return;
    }
    QelAssert(mMap && mMap->Events.Find(value), "MapEditUtils", 461);
    if (size == 16 || size == 32) drawEventPicture(board, x, y, size, value);
}

void TQelEventMap::drawEventPicture(TPrismBoard& board, int x, int y, int size, int value) {
    const TQelEventItem& event = *mMap->Events.Find(value);
    if (size == 16)
        FillRect(board, Bounds(x + 1, y + 1, 13, 13), kWhite);
    else
        FillRect(board, Bounds(x + 4, y + 4, 23, 23), kWhite);

    // Page 1, or the first page a file holds when it has no page 1.
    const TQelEventPageItem* page = event.Pages.Find(1);
    if (!page) page = event.Pages.Items(0);
    TMapGraphics* graphics = MapGraphicsOf(*mMap);
    if (!page || !graphics) return;

    if (page->CharName.empty()) {
        TQelChipSetGraphic& chips = graphics->ChipSet();
        // Without a chipset record there is nothing to draw the chip from.
        if (!chips.ChipSet()) return;
        const TPaletteEntry& back = chips.Sheet().Palette()[0];
        const TRGB background{back.red, back.green, back.blue};
        TransparentDraw normal(chips.Sheet());
        TransparentDraw dimmed(chips.DimmedSheet());
        const int chip = 10000 + page->CharIndex;
        if (size == 16) {
            FillRect(mScratch, Bounds(0, 0, 16, 16), background);
            chips.DrawChip(mScratch, 0, 0, chip, false, 16, 0);
            board.CopyBoard(x + 2, y + 2, Bounds(2, 2, 11, 11), mScratch);
        } else {
            FillRect(board, Bounds(x + 5, y + 5, 21, 21), background);
            chips.DrawChip(board, x + 8, 0, chip, false, 16, y + 8);
        }
        return;
    }

    TQelCharSetGraphic& chars = graphics->CharSets();
    const int index = chars.IndexOf(page->CharName);
    if (index < 0) return;
    TPrismSheet& sheet = chars.Sheet(index);
    TransparentDraw transparent(sheet);
    const TPoint corner = CharSetFrameOrigin(page->CharIndex, page->CharPattern, page->CharDir);
    if (size == 16)
        board.DrawSheet(x + 2, y + 2, Bounds(corner.x + 6, corner.y + 9, 11, 11), sheet);
    else
        board.DrawSheet(x + 5, y + 5, Bounds(corner.x + 1, corner.y + 6, 21, 21), sheet);
}

void DrawAreaFrame(TPrismBoard& board, const TRect& rect) {
    const TRGB yellow{255, 255, 128}, grey{32, 32, 32};
    FrameRect(board, rect, yellow);
    FrameRect(board, shrunk(rect, 1), grey);
    FrameRect(board, shrunk(rect, 3), yellow);
    FrameRect(board, shrunk(rect, 4), grey);
}

void DrawPositionFrame(TPrismBoard& board, const TRect& rect) {
    const TRGB grey{32, 32, 32}, white{255, 255, 255};
    FrameRect(board, rect, grey);
    FrameRect(board, shrunk(rect, 1), white);
    FrameRect(board, shrunk(rect, 2), white);
    FrameRect(board, shrunk(rect, 3), grey);
}

} // namespace tarvel
