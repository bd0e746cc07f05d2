#pragma once

// The display of a map that every map window shares: both chip layers, the panorama behind them
// and the event and start-position marks, at 32, 16, 8 or 4 pixels a cell, scrolled by scroll
// bars, the wheel, the middle button and auto-scrolling. The map editor view adds editing on top;
// the area and place pickers add their own rectangle and cell.
//
// Drawing is double-buffered on three boards: the front board holds the cells as they stand at the
// drawn scroll position, the back board receives the old picture when the view scrolls (only the
// strips that came into view are drawn cell by cell), and the screen board is the front board with
// the overlays (cursor, frames, selection) drawn over it; the paint box shows the screen board. A
// change of cells draws those cells at once and marks their pixels; the screen is brought up to
// date just before the paint box paints, so many changes between two paints cost one paint.

#include <QRegion>
#include <QWidget>
#include <functional>
#include <memory>

#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "graphics/PrismSheet.h"
#include "mapedit_core/MapEventMap.h"
#include "mapedit_core/MapRender.h"

class QScrollBar;
class QTimer;

namespace tarvel {

class BoardView;
class TMapPaintBox;

class TFormMapViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr int AutoScrollInterval = 40;
    // The auto-scroll starts this many pixels before an edge of the view.
    static constexpr int AutoScrollMargin = 16;

    explicit TFormMapViewer(QWidget* parent = nullptr);
    ~TFormMapViewer() override;

    // The map tree (for the start positions and the remembered scroll) and the map shown; neither
    // is owned. LoadView shows what they hold.
    void SetMapTree(TQelMapTree* tree) { mMapTree = tree; }
    void SetMap(TQelMap* map);
    TQelMapTree* MapTree() const { return mMapTree; }
    TQelMap* Map() const { return mMap; }
    // A map with cells to show.
    bool HasMap() const;

    int CellSize() const { return mCellSize; }
    // 32, 16, 8 or 4 (anything else is ignored). The map point at the centre of the view stays
    // there: the new scroll comes from the remembered position at 32 pixels a cell.
    virtual void SetCellSize(int size);
    // Changes the cell size keeping the map point under viewPoint (a paint box pixel) in place.
    void ZoomAround(int size, QPoint viewPoint);

    // The view's top-left in map pixels at the current cell size.
    int ScrollX() const { return mScrollX; }
    int ScrollY() const { return mScrollY; }
    // Scrolls as the user does (clamped to the map); the map tree item's remembered position
    // follows the move.
    void ScrollTo(int x, int y);
    void ScrollBy(int dx, int dy) { ScrollTo(mScrollX + dx, mScrollY + dy); }
    // When set, LoadView keeps the current scroll position instead of the remembered one.
    bool KeepScroll() const { return mKeepScroll; }
    void SetKeepScroll(bool keep) { mKeepScroll = keep; }

    // Shows the map: rebuilds the event map, centres on the remembered position (unless keep
    // scroll is set), lays the view out, loads the panorama picture and redraws everything.
    void LoadView();
    // Rebuilds the index of events and start positions (after they changed) and redraws.
    void RebuildEventMap();
    void RedrawAll();
    // Redraws the cells of rect (cells, right and bottom exclusive) that are in view.
    void RedrawCells(const TRect& cells);
    // Brings the screen board up to date, as happens before every paint.
    void FlushDrawing();
    // Something is still to be drawn on the screen.
    bool RepaintPending() const;

    // Room for the map: the widget less the scroll bars it shows.
    QSize ClientSize() const { return mClientSize; }
    // The part of the map in view, in pixels (the paint box's size).
    QSize VisibleSize() const { return mVisibleSize; }
    BoardView* PaintBox() const;
    const TPrismBoard& ScreenBoard() const { return *mScreen; }
    const TPrismBoard& FrontBoard() const { return *mFront; }
    TQelEventMap& EventMap() { return mEventMap; }
    TQelMapCellPainter& CellPainter() { return mCellPainter; }
    QScrollBar* HorizontalScrollBar() const { return mHBar; }
    QScrollBar* VerticalScrollBar() const { return mVBar; }

    // The cell under a paint box pixel (it may lie outside the map).
    TPoint CellAt(QPoint view) const;
    // The grid corner nearest to a paint box pixel, clamped to the map.
    TPoint NearestGridCorner(QPoint view) const;
    // The paint box pixels of a rectangle of cells.
    TRect ViewRectOfCells(const TRect& cells) const;

    // The size of the client area after every layout (the map tree centres areas with it).
    std::function<void(QSize clientSize)> onResized;
    // The cell size changed (zoom commands and the zoom tool).
    std::function<void(int cellSize)> onZoomChanged;

protected:
    // How the cells are drawn (mode, tool); the plain view draws both layers as they are.
    virtual TMapViewLook Look() const;
    // Draws what lies over the cells onto the screen board (paint box pixels). Overlays that move
    // mark their old and new places with InvalidateView.
    virtual void DrawOverlays(TPrismBoard& screen);
    // The rectangle (cells) framed as the chosen area: by default the area selected in the map
    // tree when it lies on the map shown.
    virtual TRect AreaFrame() const;
    // The map tree item whose remembered scroll position the view keeps: the active item.
    virtual TQelMapTreeItem* ScrollItem() const;

    // Mouse events of the paint box in its pixels; the middle button scrolls the view and never
    // arrives here.
    virtual void PaintBoxMouseDown(QPoint, Qt::MouseButton, Qt::KeyboardModifiers) {}
    virtual void PaintBoxMouseMove(QPoint, Qt::MouseButtons, Qt::KeyboardModifiers) {}
    virtual void PaintBoxMouseUp(QPoint, Qt::MouseButton, Qt::KeyboardModifiers) {}
    virtual void PaintBoxDoubleClick(QPoint, Qt::MouseButton, Qt::KeyboardModifiers) {}
    virtual void PaintBoxMouseLeave() {}
    // The middle button began or ended scrolling the view.
    virtual void DragScrollChanged(bool) {}
    // After each auto-scroll step, with the mouse's last paint box pixel.
    virtual void AutoScrolled(QPoint) {}
    // The view was laid out anew (load, resize, zoom).
    virtual void LaidOut() {}

    void StartAutoScroll();
    void StopAutoScroll();
    bool AutoScrolling() const;
    bool DragScrolling() const { return mDragScrolling; }
    QPoint LastMousePos() const { return mLastMouse; }
    // Marks paint box pixels whose overlay changed.
    void InvalidateView(const TRect& viewPixels);
    // Draws cells onto the front board without showing them yet (InvalidateView shows them).
    void DrawCellsNow(const TRect& cells);
    // The screen board was brought up to date (just before a paint).
    virtual void Flushed() {}

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class TMapPaintBox;
    void layoutView();
    void setScroll(int x, int y, bool remember);
    void clampScroll();
    void updateScrollBars();
    // The remembered top-left at 32 pixels a cell.
    TPoint remembered() const;
    void setRemembered(TPoint position);
    void autoScrollStep();
    TRect visibleCells(int scrollX, int scrollY) const;
    void drawCells(const TRect& cells);
    void onPaintBoxPress(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void onPaintBoxMove(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void onPaintBoxRelease(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void onPaintBoxDoubleClick(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

    TQelMapTree* mMapTree = nullptr;
    TQelMap* mMap = nullptr;
    std::unique_ptr<TPrismBoard> mFront, mBack, mScreen;
    TPrismBoard mHatch;
    TQelEventMap mEventMap;
    TQelMapCellPainter mCellPainter;
    int mCellSize = 32;
    int mScrollX = 0, mScrollY = 0;
    int mDrawnScrollX = 0, mDrawnScrollY = 0;
    bool mKeepScroll = false;
    bool mNeedFullRedraw = true;
    QRegion mDirty;
    TPoint mFallbackRemembered;
    QSize mClientSize, mVisibleSize;
    TMapPaintBox* mPaintBox;
    QScrollBar* mHBar;
    QScrollBar* mVBar;
    bool mUpdatingBars = false;
    QTimer* mAutoScroll;
    QPoint mLastMouse;
    bool mDragScrolling = false;
    QPoint mDragScrollStart;
    TPoint mDragScrollFrom;
};

} // namespace tarvel
