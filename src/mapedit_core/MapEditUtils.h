#pragma once

// The rules every change of a map's chip layers obeys, and the small objects the map view works
// with: the brush, the auto-connection of water, autotiles and deep-water junctions with their
// eight neighbours, the rectangle, ellipse and fill tools, and the three-step undo. Nothing here
// draws or knows a window: the view hands in Shift and Ctrl with every call and is told of every
// cell that changed, so it redraws only those.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "data/LD_Map.h"
#include "graphics/Geometry.h"
#include "graphics/HighColorDIB.h"

namespace tarvel {

class TQelChipSetGraphic;

// The neighbour bits of a cell (set: the neighbour breaks the connection).
enum TNeighbourBit : int {
    nbTopLeft = 1,
    nbTopRight = 2,
    nbBottomRight = 4,
    nbBottomLeft = 8,
    nbLeft = 16,
    nbTop = 32,
    nbRight = 64,
    nbBottom = 128,
};

// The variant (0..46) that shows a neighbour mask: the four edges choose the base variant and only
// the diagonals that touch no set edge add to it.
int MaskToVariant(int mask);
// The mask a variant implies (variants 47..49 and anything outside 0..49: 0). For every variant
// 0..46, MaskToVariant gives the variant back.
int VariantToMask(int variant);
// The form in which the palette offers a lower chip: water as kind x 1000 + 49, animated chips and
// ground autotiles as their family + 49; plain and upper chips as they are. Painting a palette form
// connects it anew.
int PaletteForm(int number);

// The brush of one editing mode: up to 6 x 6 chips, addressed (column, row).
class TQelCurrentChip {
public:
    static constexpr int MaxSize = 6;

    TQelCurrentChip() = default;
    // A 1 x 1 brush of one chip.
    explicit TQelCurrentChip(int number) { mChips[0][0] = int16_t(number); }

    // Column or row outside 0..5 is an internal error.
    int GetChip(int column, int row) const;
    void SetChip(int column, int row, int number);
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    // Columns and rows in use, each kept in 1..6.
    void SetSize(int width, int height);

private:
    int16_t mChips[MaxSize][MaxSize] = {}; // [column][row]
    int mWidth = 1;
    int mHeight = 1;
};

// The brush's chip (0, 0); for lower chips up to 4999 the first chip of its family (what a lifted
// selection leaves behind).
int BrushFamily(const TQelCurrentChip& brush);

// A brush taken from the map (the view's right-button pick): the cells of rect clipped to the
// map and to 6 x 6 cells from its top-left. Upper cells are taken as they are; lower cells in their
// palette form, so painting re-connects them, unless Shift keeps the exact variants.
TQelCurrentChip PickBrush(const TQelMap& map, const TRect& rect, bool upper, bool shift);

// The layer a painter writes.
enum class TEditLayer { Lower, Upper };

// The modifier keys the view records at every mouse event. Shift writes the brush chip without
// connecting it; Ctrl makes the map's border count as a different neighbour.
struct TEditKeys {
    bool shift = false;
    bool ctrl = false;
};

// One written cell, as reported to the view.
struct TCellChange {
    int x = 0;
    int y = 0;
    TEditLayer layer = TEditLayer::Lower;
    int before = 0;
    int after = 0;
    // False where the caller redraws a whole area itself afterwards (shapes and fills).
    bool redraw = true;
};
using TCellChangedListener = std::function<void(const TCellChange&)>;

enum class TShapeKind { Rectangle, Ellipse };

// The tools of the map view, numbered as the view numbers them.
enum TMapTool : int { mtSelect = 0, mtZoom = 1, mtPen = 2, mtRectangle = 3, mtEllipse = 4, mtFill = 5 };

// Writes chips into one layer of a map by the edit rules. PutChip is the one place that writes a
// cell; every cell it changes is reported to the listener. The brush and the stroke anchor are
// the view's, set before a stroke. Autotile links come from the map's chipset renderer (or one
// set here), read at every write so a reloaded chipset picture needs no notice.
class TQelMapPainter {
public:
    explicit TQelMapPainter(TQelMap& map);
    TQelMapPainter(const TQelMapPainter&) = delete;
    TQelMapPainter& operator=(const TQelMapPainter&) = delete;

    TQelMap& Map() const { return *mMap; }
    void SetMap(TQelMap& map) { mMap = &map; }
    TEditLayer Layer() const { return mLayer; }
    void SetLayer(TEditLayer layer) { mLayer = layer; }
    // The brush of the current mode (not owned; must outlive its use).
    void SetBrush(const TQelCurrentChip& brush) { mBrush = &brush; }
    const TQelCurrentChip& Brush() const { return *mBrush; }
    // The cell where the stroke began, minus the brush offset: the brush tiles the map from it.
    void SetAnchor(TPoint anchor) { mAnchor = anchor; }
    TPoint Anchor() const { return mAnchor; }
    void SetCellChangedListener(TCellChangedListener listener) { mListener = std::move(listener); }
    // The renderer whose autotile links count (not owned); nullptr: the map's own renderer, and no
    // links when the map has none.
    void SetLinkSource(const TQelChipSetGraphic* chipSet) { mLinkSource = chipSet; }

    // The central write of one cell (x, y) of the current layer. Cells outside the map and
    // negative numbers are ignored. In the upper layer the number is written as it is. In the
    // lower layer a palette form becomes variant 0 of its family, and with connect (Shift turns it
    // off) the chip takes the variant of its neighbours: the bits of keepMask are computed from
    // the neighbours, the others are those the chip's own variant implies. Water next to deep
    // water gets its junction quarters. Returns whether the cell changed.
    bool PutChip(int x, int y, bool redraw, bool connect, int keepMask, int number, TEditKeys keys);
    // The same after bringing the cell into a looping map.
    bool PutChipWrapped(int x, int y, bool redraw, bool connect, int keepMask, int number, TEditKeys keys);
    // Writes the brush chip for (x, y) with connection and, in the lower layer, re-connects the
    // eight neighbours towards it. The neighbours re-connect also with Shift held.
    void PlaceBrushChip(int x, int y, TEditKeys keys);
    // The brush chip that tiles the map from the anchor.
    int BrushChipAt(int x, int y) const;

    // The pen: the whole brush with its top-left at topLeft, every brush cell that lies in the
    // map (after wrapping a looping map) placed with PlaceBrushChip.
    void PlaceBrush(TPoint topLeft, TEditKeys keys);
    // A pen drag from one brush position to the next: the brush is placed at every step of a
    // Bresenham line after from, up to and including to, so a fast drag leaves no gaps.
    void PenLine(TPoint from, TPoint to, TEditKeys keys);

    // Redraws a rectangle or ellipse preview: the cells of newRect (cells, right and bottom
    // exclusive) get the brush, cells that oldRect covered and newRect does not are restored from
    // backup (the layer as it was before the stroke). Returns the area to redraw.
    TRect DrawShape(TShapeKind shape, const TRect& oldRect, const TRect& newRect, const TQelMapLayer& backup,
                    TEditKeys keys);
    // The fill tool: the region around cell of the same kind (lower layer) or the same chip
    // (upper layer) in base, connected through shared edges, gets the brush. Returns the area to
    // redraw (empty when the cell is outside the map).
    TRect FloodFill(TPoint cell, const TQelMapLayer& base, TEditKeys keys);

    // One pixel per map cell: the cells of the last shape or fill (white).
    const THighColorDIB& ShapeMask() const { return mMask; }

private:
    TQelMapLayer& layer() const;
    int linkOf(const TQelChipSetGraphic* links, int kind) const;
    int connectedChip(int x, int y, int keepMask, int number, bool ctrl) const;
    void report(int x, int y, int before, int after, bool redraw) const;
    bool wrapInto(int& x, int& y) const;
    // The mask sized to the map and cleared.
    void resetMask();
    bool masked(int x, int y) const;
    // The border cells of the mask (some neighbour unmasked), the rest interior.
    bool isBorder(int x, int y) const;
    // Steps 2..4 of composing a shape over the cells cols x rows.
    void compose(const std::vector<int>& cols, const std::vector<int>& rows, const TQelMapLayer* restore,
                 TEditKeys keys);
    // The columns (rows) of an area, wrapped into a looping map, clipped otherwise, each once.
    std::vector<int> areaLine(int from, int to, int size, bool wrap) const;

    TQelMap* mMap;
    TEditLayer mLayer = TEditLayer::Lower;
    const TQelCurrentChip* mBrush;
    TQelCurrentChip mDefaultBrush;
    TPoint mAnchor;
    TCellChangedListener mListener;
    const TQelChipSetGraphic* mLinkSource = nullptr;
    THighColorDIB mMask;
};

// Where a stroke leaves the layers as they were before it: the undo of the map view.
class TUndoRecorder {
public:
    virtual ~TUndoRecorder() = default;
    virtual void Push(const TQelMapLayer& lower, const TQelMapLayer& upper) = 0;
};

// The three-step undo of the map view: a ring of three snapshots of both layers. There is no
// redo; loading another map empties the ring (Clear).
class TQelMapEditUndoManager : public TUndoRecorder {
public:
    static constexpr int Steps = 3;

    TQelMapEditUndoManager();
    // Resizes all six snapshot layers; the cells that still fit are kept, new ones get each
    // layer's fill chip.
    void SetSize(int width, int height);
    // A snapshot of the map's two layers.
    void Push(const TQelMap& map);
    // A snapshot of two given layers (the state before a stroke).
    void Push(const TQelMapLayer& lower, const TQelMapLayer& upper) override;
    // Puts the last snapshot back into the map, cell by cell as far as the sizes agree; false
    // (and nothing changed) when the ring is empty.
    bool Undo(TQelMap& map);
    // Forgets every snapshot (another map was loaded).
    void Clear() { mCount = 0; }
    int Count() const { return mCount; }
    int Position() const { return mPosition; }

private:
    std::array<TQelMapLayer, Steps> mLower;
    std::array<TQelMapLayer, Steps> mUpper;
    int mPosition = 0;
    int mCount = 0;
};

// One stroke of a drawing tool from the press to the release, as the view runs it: the press
// takes copies of both layers (the base layers: the state before the stroke, which previews
// restore from and undo keeps), moves extend the stroke, the release pushes the base layers as one
// undo step and marks the map modified, and a cancel puts the base layers back.
class TQelPaintStroke {
public:
    explicit TQelPaintStroke(TQelMapPainter& painter) : mPainter(painter) {}

    // The press on cell with the brush offset (the mouse's place inside a picked brush; (0, 0)
    // normally): pen places the brush, rectangle and ellipse their start cell, fill fills.
    void Begin(TMapTool tool, TPoint cell, TPoint brushOffset, TEditKeys keys);
    // The mouse on cell while the button is down; returns the area the shape tools recomposed
    // (empty for the pen, whose cells are reported one by one).
    TRect MoveTo(TPoint cell, TEditKeys keys);
    // The release: the base layers become one undo step and the map is marked modified.
    void End(TUndoRecorder& undo);
    // Restores both layers from the base layers.
    void Cancel();
    bool Active() const { return mActive; }
    TMapTool Tool() const { return mTool; }

    const TQelMapLayer& BaseLower() const { return mBaseLower; }
    const TQelMapLayer& BaseUpper() const { return mBaseUpper; }
    // The base layer of the painter's layer (the view's "current backup").
    const TQelMapLayer& CurrentBackup() const;

private:
    TQelMapPainter& mPainter;
    TQelMapLayer mBaseLower{LowerFillChip};
    TQelMapLayer mBaseUpper{UpperFillChip};
    TMapTool mTool = mtPen;
    bool mActive = false;
    TPoint mStart, mCursor, mOffset;
    TRect mShapeRect;
};

} // namespace tarvel
