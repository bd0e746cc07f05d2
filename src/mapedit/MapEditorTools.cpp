#include "MapEditorTools.h"

#include <QMenu>
#include <algorithm>

#include "controls/BoardView.h"
#include "controls/BusyCursor.h"
#include "records/QelAssert.h"

namespace tarvel {

namespace {

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool contains(const TRect& r, TPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

// ---- every tool ----

void TFormMapEditor::TTool::Hover(QPoint at) {
    E.setCursorRect(E.brushCursorAt(E.CellAt(at)));
}

// ---- select ----

TMapCursor TFormMapEditor::TSelectTool::MouseCursor() const {
    return TMapCursor::Select;
}

bool TFormMapEditor::TSelectTool::Press(QPoint at, Qt::MouseButton button) {
    const TPoint cell = E.CellAt(at);
    const bool onSelection = !E.mSelection.IsEmpty() && contains(E.mSelection, cell);
    if (button == Qt::LeftButton) {
        if (onSelection) {
            // The first move of a freshly lifted selection is one undo step from the map as it
            // was before.
            if (E.mJustLifted) {
                E.pushUndo();
                E.Map()->Modified = true;
                E.mJustLifted = false;
            }
            mMoving = true;
            mMoveFrom = at;
            mMoveStart = E.mSelection;
            return true;
        }
        E.mBaseLower.AssignLayer(E.Map()->LowerLayer);
        E.mBaseUpper.AssignLayer(E.Map()->UpperLayer);
        E.ClearSelection();
        mCorner = E.NearestGridCorner(at);
        mSelecting = true;
        E.StartAutoScroll();
        return true;
    }
    if (button == Qt::RightButton) {
        // A click beside the selection drops it; on it, the menu acts on it.
        if (!onSelection) E.ClearSelection();
        E.UpdateChipsMenu();
        E.mChipsMenu->popup(E.PaintBox()->mapToGlobal(at));
    }
    return false;
}

void TFormMapEditor::TSelectTool::Drag(QPoint at) {
    if (mSelecting) {
        const TPoint c = E.NearestGridCorner(at);
        E.setSelection({std::min(mCorner.x, c.x), std::min(mCorner.y, c.y), std::max(mCorner.x, c.x),
                        std::max(mCorner.y, c.y)});
    } else if (mMoving) {
        moveTo(at);
    }
}

void TFormMapEditor::TSelectTool::moveTo(QPoint at) {
    // The selection follows the mouse a whole cell at a time, each time the mouse passes half a
    // cell.
    const int cs = E.CellSize();
    const int dx = floorDiv(at.x() - mMoveFrom.x() + cs / 2, cs);
    const int dy = floorDiv(at.y() - mMoveFrom.y() + cs / 2, cs);
    const TRect target{mMoveStart.left + dx, mMoveStart.top + dy, mMoveStart.right + dx,
                       mMoveStart.bottom + dy};
    if (target == E.mSelection) return;
    E.restoreFromBase(E.mSelection);
    E.writeFloating(target);
    E.setSelection(target);
    E.flushChanges();
}

void TFormMapEditor::TSelectTool::Release(QPoint, Qt::MouseButton) {
    if (mSelecting) {
        mSelecting = false;
        E.StopAutoScroll();
        if (!E.mSelection.IsEmpty()) E.lift();
        E.changed();
    } else if (mMoving) {
        mMoving = false;
        E.Map()->Modified = true;
        E.changed();
    }
}

void TFormMapEditor::TSelectTool::Cancel() {
    if (mSelecting) {
        mSelecting = false;
        E.StopAutoScroll();
        E.ClearSelection();
    } else if (mMoving) {
        // The selection goes back to where the move began, over the map as it was then.
        mMoving = false;
        E.restoreFromBase(E.mSelection);
        E.writeFloating(mMoveStart);
        E.setSelection(mMoveStart);
        E.flushChanges();
    }
}

void TFormMapEditor::TSelectTool::AutoScrolled(QPoint at) {
    if (mSelecting) Drag(at);
}

// ---- zoom ----

bool TFormMapEditor::TZoomTool::Press(QPoint at, Qt::MouseButton button) {
    const int size = E.CellSize();
    if (button == Qt::LeftButton && size < 32)
        E.ZoomAround(size * 2, at);
    else if (button == Qt::RightButton && size > 4)
        E.ZoomAround(size / 2, at);
    return false;
}

// ---- pen, rectangle, ellipse, fill ----

void TFormMapEditor::TDrawingTool::begin(TPoint cell) {
    E.mStroke.Begin(mTool, cell, E.mBrushOffset, E.mKeys);
}

bool TFormMapEditor::TDrawingTool::Press(QPoint at, Qt::MouseButton button) {
    const TPoint cell = E.CellAt(at);
    if (button == Qt::LeftButton) {
        E.preparePainter();
        begin(cell);
        E.flushChanges();
        E.mStrokeCell = cell;
        E.setCursorRect(E.brushCursorAt(cell));
        return true;
    }
    if (button == Qt::RightButton) {
        // Picking a brush from the map; dragging counts only after the delay, so a click picks
        // one cell even when the hand moves a little.
        E.mPicking = true;
        E.mPickReady = false;
        E.mOffsetBeforePick = E.mBrushOffset;
        E.mPickStart = E.clampToMap(cell);
        E.mPickRect = {E.mPickStart.x, E.mPickStart.y, E.mPickStart.x + 1, E.mPickStart.y + 1};
        E.mBrushOffset = {0, 0};
        E.mPickTimer.start();
        E.setCursorRect(E.mPickRect);
        return true;
    }
    return false;
}

void TFormMapEditor::TDrawingTool::pickTo(QPoint at) {
    const TPoint start = E.mPickStart;
    TPoint end = E.clampToMap(E.CellAt(at));
    end.x = std::clamp(end.x, start.x - PickReach, start.x + PickReach);
    end.y = std::clamp(end.y, start.y - PickReach, start.y + PickReach);
    const TRect rect = CellRect(start, end);
    const TPoint mouse = E.CellAt(at);
    E.mBrushOffset = {std::clamp(mouse.x, rect.left, rect.right - 1) - rect.left,
                      std::clamp(mouse.y, rect.top, rect.bottom - 1) - rect.top};
    E.mPickRect = rect;
    E.setCursorRect(rect);
}

void TFormMapEditor::TDrawingTool::Drag(QPoint at) {
    if (E.mPicking) {
        if (E.mPickReady) pickTo(at);
        return;
    }
    const TPoint cell = E.CellAt(at);
    if (cell == E.mStrokeCell) return;
    E.mStrokeCell = cell;
    const TRect area = E.mStroke.MoveTo(cell, E.mKeys);
    if (!area.IsEmpty()) E.RedrawCells(area);
    E.flushChanges();
    E.setCursorRect(E.brushCursorAt(cell));
}

void TFormMapEditor::TDrawingTool::Release(QPoint at, Qt::MouseButton button) {
    if (button == Qt::RightButton && E.mPicking) {
        if (E.mPickReady) pickTo(at);
        E.mPickTimer.stop();
        E.mPicking = false;
        const TQelMap& map = *E.Map();
        E.mBrushes[size_t(E.mMode)] = PickBrush(map, E.mPickRect, E.mMode == mmUpper, E.mKeys.shift);
        if (E.onBrushPicked) E.onBrushPicked();
        E.setCursorRect(E.brushCursorAt(E.CellAt(at)));
        return;
    }
    if (button == Qt::LeftButton && E.mStroke.Active()) {
        E.mStroke.End(E.undoRecorder());
        E.mLastClickPushed = true;
        E.changed();
    }
}

void TFormMapEditor::TDrawingTool::Cancel() {
    if (E.mPicking) {
        E.mPickTimer.stop();
        E.mPicking = false;
        E.mBrushOffset = E.mOffsetBeforePick;
        E.setCursorRect(E.brushCursorAt(E.CellAt(E.LastMousePos())));
        return;
    }
    if (E.mStroke.Active()) {
        E.mStroke.Cancel();
        E.RedrawAll();
    }
}

void TFormMapEditor::TFillTool::begin(TPoint cell) {
    TBusyCursor busy;
    TDrawingTool::begin(cell);
}

// ---- events ----

bool TFormMapEditor::TEventTool::Press(QPoint at, Qt::MouseButton button) {
    const TPoint cell = E.CellAt(at);
    if (!E.insideMap(cell)) return false;
    E.setCursorRect({cell.x, cell.y, cell.x + 1, cell.y + 1});
    if (button == Qt::LeftButton) {
        if (E.EventMap().CellAt(cell.x, cell.y) <= 0) return false;
        E.mEventDragFrom = cell;
        E.mEventDragTarget = cell;
        E.InvalidateView(E.eventDragFrame());
        return true;
    }
    if (button == Qt::RightButton) {
        E.UpdateEventMenu();
        E.mEventMenu->popup(E.PaintBox()->mapToGlobal(at));
    }
    return false;
}

void TFormMapEditor::TEventTool::Drag(QPoint at) {
    const TPoint target = E.clampToMap(E.CellAt(at));
    if (target == E.mEventDragTarget) return;
    E.InvalidateView(E.eventDragFrame());
    E.mEventDragTarget = target;
    E.InvalidateView(E.eventDragFrame());
}

void TFormMapEditor::TEventTool::Release(QPoint, Qt::MouseButton) {
    const TPoint from = E.mEventDragFrom, target = E.mEventDragTarget;
    Cancel();
    if (from == target || E.EventMap().CellAt(target.x, target.y) != 0) return;
    const int value = E.EventMap().CellAt(from.x, from.y);
    TQelMap& map = *E.Map();
    if (value >= TQelEventMap::PartyStart && value <= TQelEventMap::AirshipStart) {
        if (!E.MapTree()) return;
        TQelMapStartPosition& starts = E.MapTree()->StartPositions;
        const int n = value - TQelEventMap::PartyStart;
        starts.SetStartMap(n, map.ID);
        starts.SetStartX(n, target.x);
        starts.SetStartY(n, target.y);
    } else {
        TQelEventItem* event = map.Events.Find(value);
        QelAssert(event != nullptr, "MapEditor", 1654);
        event->X = target.x;
        event->Y = target.y;
    }
    E.setCursorRect({target.x, target.y, target.x + 1, target.y + 1});
    E.RebuildEvents();
}

void TFormMapEditor::TEventTool::Cancel() {
    E.InvalidateView(E.eventDragFrame());
    E.mEventDragFrom = {-1, -1};
    E.mEventDragTarget = {-1, -1};
}

} // namespace tarvel
