#pragma once

// The map editor view: the large pane of the main window in which the user paints a map. Over the
// map viewer it adds the three editing modes (lower layer, upper layer, events), the six tools
// (each a class of its own that the view forwards the mouse to), picking a brush from the map
// with the right button, a floating selection with its own clipboard block, the event cursor with
// its menu, and the three-step undo. Every cell change goes through the map edit rules
// (TQelMapPainter), which report each changed cell so the view redraws only those.

#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "MapEventManager.h"
#include "MapViewer.h"
#include "mapedit_core/MapEditHistory.h"
#include "mapedit_core/MapEditUtils.h"

class QAction;
class QMenu;

namespace tarvel {

// The editing modes; none until the main window chooses one.
enum TMapEditMode : int { mmLower = 0, mmUpper = 1, mmEvent = 2, mmNone = 3 };

// The chips clipboard block (format 562): width and height as unsigned 16-bit, then column by
// column, each top to bottom, the lower and the upper chip of every cell; the block is
// 4 x (width x height x 2 + 2) bytes long, the bytes after the cells zero.
std::vector<uint8_t> MakeChipsClipboardBlock(const TQelMapLayer& lower, const TQelMapLayer& upper);
// Reads a block into two layers of its size; false (layers untouched) for a block that is too
// short for the size it declares, or declares no cells or more than a map can hold.
bool ReadChipsClipboardBlock(const std::vector<uint8_t>& block, TQelMapLayer& lower, TQelMapLayer& upper);

class TFormMapEditor : public TFormMapViewer {
    Q_OBJECT
public:
    static constexpr int SelectionAnimationInterval = 50;
    static constexpr int PickDelay = 150;
    // A picked brush reaches at most this many cells from where the pick began.
    static constexpr int PickReach = TQelCurrentChip::MaxSize - 1;

    explicit TFormMapEditor(QWidget* parent = nullptr);
    ~TFormMapEditor() override;

    // After the main window has set map tree and map: drops the selection, tells the event
    // manager, sizes the undo ring, clears the cursor, shows the map, empties the undo ring and
    // calls the changed and cursor listeners.
    void LoadMap();

    int Mode() const { return mMode; }
    // Nothing when unchanged. Entering event mode clears the cursor and the selection and empties
    // the undo ring.
    void SetMode(int mode);
    int Tool() const { return mTool; }
    // Drops the selection and takes the tool.
    void SetTool(int tool);

    // The brush of a mode (0..3).
    TQelCurrentChip& Brush(int mode);
    // The mouse's place inside a brush picked from the map; (0, 0) otherwise.
    TPoint BrushOffset() const { return mBrushOffset; }
    void ResetBrushOffset() { mBrushOffset = {0, 0}; }

    // How many steps undo keeps (the setting "Undo steps", read when the view is made). With 3
    // the view keeps the three-step ring: no redo, emptied on loading another map, on event mode
    // and on a save. With more, each map keeps its history with redo for the whole run.
    int UndoSteps() const { return mUndoSteps; }
    void SetUndoSteps(int steps);
    bool DeepUndo() const { return mUndoSteps > TQelMapEditUndoManager::Steps; }
    bool CanUndo() const;
    bool CanRedo() const;
    // Restores the last step (busy cursor meanwhile), drops the selection, redraws everything.
    void Undo();
    // Does the last undone step again, likewise (deep undo only).
    void Redo();
    // A save happened: the three-step ring forgets its steps; a deep history keeps them.
    void ClearUndo();
    // The bytes the undo steps of every map take.
    size_t UndoMemoryBytes() const;

    // The selection (cells; empty when there is none) and whether its content floats.
    TRect Selection() const { return mSelection; }
    bool SelectionLifted() const { return mLifted; }
    bool CanCopyChips() const { return !mSelection.IsEmpty(); }
    static bool CanPasteChips();
    void CopyChips();
    void CutChips();
    void PasteChips();
    void ClearChips();
    void SelectAllChips();
    // Drops the selection where it stands.
    void ClearSelection();
    // The lower brush changed: a lifted selection is lifted again, so its hole takes the new
    // brush family.
    void LiftAgain();

    // The cell rectangle under the mouse (brush-sized in the layer modes, one cell in event mode);
    // (-1, -1, -1, -1) when there is none.
    TRect Cursor() const { return mCursor; }
    bool HasCursor() const { return mCursor.left >= 0; }
    void ClearCursor();

    TQelEventManager& EventManager() { return mEventManager; }
    // The events or start positions changed: rebuilds the event map, redraws, marks the map
    // modified and calls the changed listener.
    void RebuildEvents();
    // The event menu's commands on the cursor cell.
    void EventNewOrEdit();
    void EventCut();
    void EventCopy();
    void EventPaste();
    void EventDelete();
    void EventMove();
    void EventSetPartyStart();
    void EventSetVehicleStart();

    // The popup menus with their entries enabled for the current state.
    QMenu* ChipsMenu();
    QMenu* EventMenu();
    void UpdateChipsMenu();
    void UpdateEventMenu();

    // The application lost the focus: a stroke ends as if its button had been released.
    void EndStroke();
    // A stroke, a pick, an event drag or a selection drag is running.
    bool Busy() const { return mActiveButton != Qt::NoButton; }
    bool Picking() const { return mPicking; }

    // Listeners set by the main window.
    std::function<void()> onChanged;
    std::function<void()> onCursorMoved;
    std::function<void()> onModeToggled;
    std::function<void()> onBrushPicked;

    QAction* Menu_MapChips_Cut;
    QAction* Menu_MapChips_Copy;
    QAction* Menu_MapChips_Paste;
    QAction* Menu_MapChips_Clear;
    QAction* Menu_MapChips_SelectAll;
    QAction* Menu_MapEvent_New;
    QAction* Menu_MapEvent_Edit;
    QAction* Menu_MapEvent_Cut;
    QAction* Menu_MapEvent_Copy;
    QAction* Menu_MapEvent_Delete;
    QAction* Menu_MapEvent_Paste;
    QAction* Menu_MapEvent_Move;
    QAction* Menu_MapEvent_StartParty;
    QAction* Menu_MapEvent_Vehicle;

protected:
    TMapViewLook Look() const override;
    void DrawOverlays(TPrismBoard& screen) override;
    void PaintBoxMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void PaintBoxMouseMove(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) override;
    void PaintBoxMouseUp(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void PaintBoxDoubleClick(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void PaintBoxMouseLeave() override;
    void DragScrollChanged(bool on) override;
    void AutoScrolled(QPoint mouse) override;
    void keyPressEvent(QKeyEvent* event) override;
    void Flushed() override;

private:
    class TTool;
    class TSelectTool;
    class TZoomTool;
    class TDrawingTool;
    class TPenTool;
    class TRectangleTool;
    class TEllipseTool;
    class TFillTool;
    class TEventTool;

    TTool& activeTool();
    bool layerMode() const { return mMode == mmLower || mMode == mmUpper; }
    bool drawingTool() const { return mTool >= mtPen && mTool <= mtFill; }
    TEditKeys recordKeys(Qt::KeyboardModifiers modifiers);
    // Layer and brush of the painter for the current mode.
    void preparePainter();
    void onCellChanged(const TCellChange& change);
    // Redraws the cells changed since the last call and shows them.
    void flushChanges();
    void setCursorRect(const TRect& cursor);
    TRect cursorFrameRect() const;
    // The frame around the cell an event is dragged to (paint box pixels); empty without a drag.
    TRect eventDragFrame() const;
    TRect brushCursorAt(TPoint cell) const;
    void updateMouseCursor();
    void setSelection(const TRect& selection);
    void invalidateSelectionOutline();
    void lift();
    // Writes both chips of a cell without connecting them.
    void putCell(int x, int y, int lower, int upper);
    void writeFloating(const TRect& at);
    void restoreFromBase(const TRect& cells);
    void applyPendingMove();
    void cancelActive();
    void changed();
    TPoint clampToMap(TPoint cell) const;
    bool insideMap(TPoint cell) const;

    int mMode = mmNone;
    int mTool = mtPen;
    std::array<TQelCurrentChip, 4> mBrushes;
    // Where the current step goes: the ring, or the history of the map shown.
    TUndoRecorder& undoRecorder();
    void pushUndo();
    TQelMapEditUndoManager mUndo;
    TQelMapEditHistories mHistories;
    TQelMapEditHistory* mHistory = nullptr;
    int mUndoSteps = TQelMapEditUndoManager::Steps;
    TQelEventManager mEventManager;
    // What the painter points at until a map is loaded.
    TQelMap mNoMap;
    TQelMapPainter mPainter;
    TQelPaintStroke mStroke;
    // The map before the selection drag began, with the hole of a lifted selection.
    TQelMapLayer mBaseLower{LowerFillChip};
    TQelMapLayer mBaseUpper{UpperFillChip};
    TQelMapLayer mFloatLower{LowerFillChip};
    TQelMapLayer mFloatUpper{UpperFillChip};
    TRect mSelection;
    bool mLifted = false;
    // Lifted and not yet pushed to the undo ring by a move.
    bool mJustLifted = false;
    TRect mCursor{-1, -1, -1, -1};
    TPoint mBrushOffset;
    TEditKeys mKeys;

    std::array<std::unique_ptr<TTool>, 6> mTools;
    std::unique_ptr<TTool> mEventTool;
    Qt::MouseButton mActiveButton = Qt::NoButton;
    // A drag that arrived while the view still had parts to repaint, applied afterwards.
    struct PendingMove {
        QPoint at;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
    };
    std::optional<PendingMove> mPendingMove;
    bool mPendingMoveScheduled = false;
    bool mPicking = false;
    bool mPickReady = false;
    TPoint mPickStart;
    TRect mPickRect;
    // The last left click pushed a stroke that a following double-click takes back.
    bool mLastClickPushed = false;
    TPoint mOffsetBeforePick;
    // The cell the stroke reached last.
    TPoint mStrokeCell;
    TPoint mEventDragFrom{-1, -1};
    TPoint mEventDragTarget{-1, -1};
    // Cells reported since the last flush: those drawn already, and those still to draw.
    TRect mChangedBounds;
    TRect mPendingCells;

    QTimer mPickTimer;
    QTimer mSelectionTimer;
    // The marching outline's clock: advanced by the selection timer, so two drawings between
    // ticks show the same outline however long drawing takes.
    int64_t mMarchingTime = 0;
    QMenu* mChipsMenu;
    QMenu* mEventMenu;
};

} // namespace tarvel
