#include "MapEditor.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <new>

#include "MapEditorTools.h"
#include "MapShift.h"
#include "controls/BoardView.h"
#include "controls/BusyCursor.h"
#include "controls/MessageBoxes.h"
#include "platform/Settings.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {

const TRGB kLowerColour{128, 255, 128};
const TRGB kUpperColour{128, 192, 255};
const TRGB kEventColour{255, 255, 128};
const TRGB kDragTargetColour{160, 160, 160};
constexpr int kMarchingPhaseScale = 16;

void unite(TRect& a, const TRect& b) {
    if (b.IsEmpty()) return;
    if (a.IsEmpty()) {
        a = b;
        return;
    }
    a = {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
         std::max(a.bottom, b.bottom)};
}

TRect grown(const TRect& r, int n) {
    return {r.left - n, r.top - n, r.right + n, r.bottom + n};
}

} // namespace

// ---- the chips clipboard block ----

std::vector<uint8_t> MakeChipsClipboardBlock(const TQelMapLayer& lower, const TQelMapLayer& upper) {
    const int w = lower.Width, h = lower.Height;
    // The block has always been twice the size its cells need; readers only look at the front.
    std::vector<uint8_t> block(size_t(4) * (size_t(w) * size_t(h) * 2 + 2), 0);
    TMemoryStream stream;
    stream.WriteUInt16LE(uint16_t(w));
    stream.WriteUInt16LE(uint16_t(h));
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            stream.WriteUInt16LE(uint16_t(lower.GetChip(x, y)));
            stream.WriteUInt16LE(uint16_t(upper.GetChip(x, y)));
        }
    std::copy(stream.Bytes().begin(), stream.Bytes().end(), block.begin());
    return block;
}

bool ReadChipsClipboardBlock(const std::vector<uint8_t>& block, TQelMapLayer& lower, TQelMapLayer& upper) {
    if (block.size() < 4) return false;
    TMemoryStream stream(block.data(), block.size());
    const int w = stream.ReadUInt16LE(), h = stream.ReadUInt16LE();
    if (w < 1 || h < 1 || w > MaxMapSize || h > MaxMapSize) return false;
    if (block.size() < size_t(4) + size_t(w) * size_t(h) * 4) return false;
    lower.ResizeLayer(w, h);
    upper.ResizeLayer(w, h);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            lower.SetChip(x, y, stream.ReadUInt16LE());
            upper.SetChip(x, y, stream.ReadUInt16LE());
        }
    return true;
}

// ---- the view ----

TFormMapEditor::TFormMapEditor(QWidget* parent)
    : TFormMapViewer(parent), mPainter(mNoMap), mStroke(mPainter), mChipsMenu(new QMenu(this)),
      mEventMenu(new QMenu(this)) {
    setObjectName("FormMapEditor");
    SetUndoSteps(UserSettings::UndoSteps());
    // The palette's first cells: water A below, the empty chip above and for new events.
    mBrushes[mmLower] = TQelCurrentChip(49);
    mBrushes[mmUpper] = TQelCurrentChip(10000);
    mBrushes[mmEvent] = TQelCurrentChip(10000);
    mPainter.SetBrush(mBrushes[mmLower]);
    mPainter.SetCellChangedListener([this](const TCellChange& change) { onCellChanged(change); });

    mTools[mtSelect] = std::make_unique<TSelectTool>(*this);
    mTools[mtZoom] = std::make_unique<TZoomTool>(*this);
    mTools[mtPen] = std::make_unique<TPenTool>(*this);
    mTools[mtRectangle] = std::make_unique<TRectangleTool>(*this);
    mTools[mtEllipse] = std::make_unique<TEllipseTool>(*this);
    mTools[mtFill] = std::make_unique<TFillTool>(*this);
    mEventTool = std::make_unique<TEventTool>(*this);

    mPickTimer.setSingleShot(true);
    mPickTimer.setInterval(PickDelay);
    connect(&mPickTimer, &QTimer::timeout, this, [this] { mPickReady = true; });
    mSelectionTimer.setInterval(SelectionAnimationInterval);
    connect(&mSelectionTimer, &QTimer::timeout, this, [this] {
        mMarchingTime += SelectionAnimationInterval;
        invalidateSelectionOutline();
    });

    auto makeAction = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& key,
                             void (TFormMapEditor::*slot)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        // The keys reach the view as key presses (keyPressEvent); the menu only shows them.
        if (!key.isEmpty()) action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        menu->addAction(action);
        return action;
    };
    Menu_MapChips_Cut = makeAction(mChipsMenu, "Menu_MapChips_Cut", "Cu&t",
                                   QKeySequence(Qt::CTRL | Qt::Key_X), &TFormMapEditor::CutChips);
    Menu_MapChips_Copy = makeAction(mChipsMenu, "Menu_MapChips_Copy", "&Copy",
                                    QKeySequence(Qt::CTRL | Qt::Key_C), &TFormMapEditor::CopyChips);
    Menu_MapChips_Paste = makeAction(mChipsMenu, "Menu_MapChips_Paste", "&Paste",
                                     QKeySequence(Qt::CTRL | Qt::Key_V), &TFormMapEditor::PasteChips);
    Menu_MapChips_Clear = makeAction(mChipsMenu, "Menu_MapChips_Clear", "C&lear",
                                     QKeySequence(Qt::Key_Delete), &TFormMapEditor::ClearChips);
    mChipsMenu->addSeparator();
    Menu_MapChips_SelectAll = makeAction(mChipsMenu, "Menu_MapChips_SelectAll", "Select &All",
                                         QKeySequence(Qt::CTRL | Qt::Key_A), &TFormMapEditor::SelectAllChips);

    Menu_MapEvent_New = makeAction(mEventMenu, "Menu_MapEvent_New", "New &Event...",
                                   QKeySequence(Qt::Key_Return), &TFormMapEditor::EventNewOrEdit);
    Menu_MapEvent_Edit = makeAction(mEventMenu, "Menu_MapEvent_Edit", "&Edit event...",
                                    QKeySequence(Qt::Key_Return), &TFormMapEditor::EventNewOrEdit);
    mEventMenu->addSeparator();
    Menu_MapEvent_Cut = makeAction(mEventMenu, "Menu_MapEvent_Cut", "Cu&t",
                                   QKeySequence(Qt::CTRL | Qt::Key_X), &TFormMapEditor::EventCut);
    Menu_MapEvent_Copy = makeAction(mEventMenu, "Menu_MapEvent_Copy", "&Copy",
                                    QKeySequence(Qt::CTRL | Qt::Key_C), &TFormMapEditor::EventCopy);
    Menu_MapEvent_Paste = makeAction(mEventMenu, "Menu_MapEvent_Paste", "&Paste",
                                     QKeySequence(Qt::CTRL | Qt::Key_V), &TFormMapEditor::EventPaste);
    Menu_MapEvent_Delete = makeAction(mEventMenu, "Menu_MapEvent_Delete", "&Delete",
                                      QKeySequence(Qt::Key_Delete), &TFormMapEditor::EventDelete);
    mEventMenu->addSeparator();
    Menu_MapEvent_Move =
        makeAction(mEventMenu, "Menu_MapEvent_Move", "&Move event...", {}, &TFormMapEditor::EventMove);
    Menu_MapEvent_StartParty =
        makeAction(mEventMenu, "Menu_MapEvent_StartParty", "Set &Start Party position...", {},
                   &TFormMapEditor::EventSetPartyStart);
    Menu_MapEvent_Vehicle = makeAction(mEventMenu, "Menu_MapEvent_Vehicle", "Set &Vehicle position...", {},
                                       &TFormMapEditor::EventSetVehicleStart);

    mEventManager.onChange = [this] { RebuildEvents(); };
    mEventManager.chooseVehicle = [this] {
        TFormMapShipPos dialog(this);
        return dialog.exec() == QDialog::Accepted ? dialog.Vehicle() : 0;
    };
    updateMouseCursor();
}

TFormMapEditor::~TFormMapEditor() = default;

TFormMapEditor::TTool& TFormMapEditor::activeTool() {
    if (mMode == mmEvent) return *mEventTool;
    return *mTools[size_t(std::clamp(mTool, 0, 5))];
}

TQelCurrentChip& TFormMapEditor::Brush(int mode) {
    return mBrushes[size_t(std::clamp(mode, 0, 3))];
}

void TFormMapEditor::changed() {
    // The open step of a deep history follows every change, so it is never behind the map.
    if (mHistory && HasMap()) mHistory->Settle(*Map());
    if (onChanged) onChanged();
}

TPoint TFormMapEditor::clampToMap(TPoint cell) const {
    if (!HasMap()) return {0, 0};
    return {std::clamp(cell.x, 0, Map()->LowerLayer.Width - 1),
            std::clamp(cell.y, 0, Map()->LowerLayer.Height - 1)};
}

bool TFormMapEditor::insideMap(TPoint cell) const {
    return HasMap() && cell.x >= 0 && cell.y >= 0 && cell.x < Map()->LowerLayer.Width &&
           cell.y < Map()->LowerLayer.Height;
}

TEditKeys TFormMapEditor::recordKeys(Qt::KeyboardModifiers modifiers) {
    mKeys.shift = modifiers & Qt::ShiftModifier;
    mKeys.ctrl = modifiers & Qt::ControlModifier;
    return mKeys;
}

void TFormMapEditor::preparePainter() {
    if (Map()) mPainter.SetMap(*Map());
    mPainter.SetLayer(mMode == mmUpper ? TEditLayer::Upper : TEditLayer::Lower);
    mPainter.SetBrush(mBrushes[mMode == mmUpper ? mmUpper : mmLower]);
}

// ---- loading, modes, tools ----

void TFormMapEditor::LoadMap() {
    if (Busy()) cancelActive();
    ClearSelection();
    mEventManager.SetMap(MapTree(), Map());
    mPainter.SetMap(Map() ? *Map() : mNoMap);
    if (HasMap()) mUndo.SetSize(Map()->LowerLayer.Width, Map()->LowerLayer.Height);
    mCursor = {-1, -1, -1, -1};
    LoadView();
    mUndo.Clear();
    if (mHistory) mHistory->Close();
    mHistory = DeepUndo() && HasMap() ? &mHistories.ForMap(*Map()) : nullptr;
    changed();
    if (onCursorMoved) onCursorMoved();
}

void TFormMapEditor::SetMode(int mode) {
    if (mode < mmLower || mode > mmNone || mode == mMode) return;
    if (Busy()) cancelActive();
    const bool fromEvents = mMode == mmEvent;
    mMode = mode;
    preparePainter();
    if (mode == mmEvent || mode == mmNone) {
        ClearSelection();
        setCursorRect({-1, -1, -1, -1});
        // Undo covers chips only; event edits are not in the ring (a deep history keeps its steps).
        mUndo.Clear();
    } else if (fromEvents && HasCursor()) {
        setCursorRect(brushCursorAt({mCursor.left, mCursor.top}));
    }
    if (onCursorMoved) onCursorMoved();
    RedrawAll();
    updateMouseCursor();
}

void TFormMapEditor::SetTool(int tool) {
    if (tool < mtSelect || tool > mtFill) return;
    if (Busy()) cancelActive();
    ClearSelection();
    mTool = tool;
    RedrawAll();
    updateMouseCursor();
}

TMapViewLook TFormMapEditor::Look() const {
    TMapViewLook look;
    look.mode = mMode;
    look.drawingTool = drawingTool();
    look.cellSize = CellSize();
    return look;
}

// ---- cells changed by the edit rules ----

void TFormMapEditor::onCellChanged(const TCellChange& change) {
    const TRect cell{change.x, change.y, change.x + 1, change.y + 1};
    if (change.redraw) {
        DrawCellsNow(cell);
        unite(mChangedBounds, cell);
    } else {
        unite(mPendingCells, cell);
    }
}

void TFormMapEditor::flushChanges() {
    if (!mPendingCells.IsEmpty()) {
        RedrawCells(mPendingCells);
        mPendingCells = {};
    }
    if (!mChangedBounds.IsEmpty()) {
        InvalidateView(ViewRectOfCells(mChangedBounds));
        mChangedBounds = {};
    }
}

void TFormMapEditor::putCell(int x, int y, int lower, int upper) {
    const TEditLayer layer = mPainter.Layer();
    mPainter.SetMap(*Map());
    mPainter.SetLayer(TEditLayer::Lower);
    mPainter.PutChip(x, y, true, false, 255, lower, {});
    mPainter.SetLayer(TEditLayer::Upper);
    mPainter.PutChip(x, y, true, false, 255, upper, {});
    mPainter.SetLayer(layer);
}

void TFormMapEditor::writeFloating(const TRect& at) {
    for (int j = 0; j < mFloatLower.Height; ++j)
        for (int i = 0; i < mFloatLower.Width; ++i) {
            const TPoint cell{at.left + i, at.top + j};
            if (insideMap(cell))
                putCell(cell.x, cell.y, mFloatLower.GetChip(i, j), mFloatUpper.GetChip(i, j));
        }
}

void TFormMapEditor::restoreFromBase(const TRect& cells) {
    for (int y = std::max(cells.top, 0); y < cells.bottom; ++y)
        for (int x = std::max(cells.left, 0); x < cells.right; ++x)
            if (insideMap({x, y}) && x < mBaseLower.Width && y < mBaseLower.Height)
                putCell(x, y, mBaseLower.GetChip(x, y), mBaseUpper.GetChip(x, y));
}

// ---- cursor ----

TRect TFormMapEditor::brushCursorAt(TPoint cell) const {
    if (mMode == mmEvent) return {cell.x, cell.y, cell.x + 1, cell.y + 1};
    const TQelCurrentChip& brush = mBrushes[size_t(mMode == mmUpper ? mmUpper : mmLower)];
    const int left = cell.x - mBrushOffset.x, top = cell.y - mBrushOffset.y;
    return {left, top, left + brush.Width(), top + brush.Height()};
}

TRect TFormMapEditor::cursorFrameRect() const {
    TRect r = ViewRectOfCells(mCursor);
    // In event mode the frame sits on the grid lines, which run along each cell's bottom and
    // right edges.
    if (mMode == mmEvent) r = {r.left - 1, r.top - 1, r.right - 1, r.bottom - 1};
    return r;
}

TRect TFormMapEditor::eventDragFrame() const {
    if (mEventDragTarget.x < 0) return {};
    return ViewRectOfCells(
        {mEventDragTarget.x, mEventDragTarget.y, mEventDragTarget.x + 1, mEventDragTarget.y + 1});
}

void TFormMapEditor::setCursorRect(const TRect& cursor) {
    if (cursor == mCursor) return;
    if (HasCursor()) InvalidateView(grown(cursorFrameRect(), 1));
    mCursor = cursor;
    if (HasCursor()) InvalidateView(grown(cursorFrameRect(), 1));
    if (onCursorMoved) onCursorMoved();
}

void TFormMapEditor::ClearCursor() {
    setCursorRect({-1, -1, -1, -1});
}

void TFormMapEditor::updateMouseCursor() {
    QWidget* box = PaintBox();
    if (DragScrolling()) {
        box->setCursor(MapCursor(TMapCursor::DragScroll));
        return;
    }
    if (!layerMode()) {
        box->unsetCursor();
        return;
    }
    if (mPicking) {
        box->setCursor(MapCursor(TMapCursor::Pick));
        return;
    }
    if (mTool == mtSelect && !mSelection.IsEmpty()) {
        const TPoint cell = CellAt(LastMousePos());
        if (cell.x >= mSelection.left && cell.x < mSelection.right && cell.y >= mSelection.top &&
            cell.y < mSelection.bottom) {
            box->setCursor(MapCursor(TMapCursor::MoveSelection));
            return;
        }
    }
    box->setCursor(MapCursor(activeTool().MouseCursor()));
}

// ---- overlays ----

void TFormMapEditor::DrawOverlays(TPrismBoard& screen) {
    const bool frameWanted = mMode == mmEvent || (layerMode() && drawingTool());
    const bool scrolling = AutoScrolling() || (DragScrolling() && layerMode());
    if (HasCursor() && frameWanted && !scrolling) {
        const TRGB colour = mMode == mmEvent ? kEventColour : mMode == mmUpper ? kUpperColour : kLowerColour;
        DrawSelectionFrame(screen, colour, cursorFrameRect());
    }
    if (mEventDragTarget.x >= 0) DrawSelectionFrame(screen, kDragTargetColour, eventDragFrame());
    TFormMapViewer::DrawOverlays(screen);
    if (layerMode() && mTool == mtSelect && !mSelection.IsEmpty())
        DrawMarchingRect(screen, mMarchingTime, kMarchingPhaseScale, {0, 0, 0},
                         {255, 255, 255}, TPenStyle::Dot, ViewRectOfCells(mSelection));
}

void TFormMapEditor::invalidateSelectionOutline() {
    if (mSelection.IsEmpty()) return;
    const TRect r = ViewRectOfCells(mSelection);
    InvalidateView({r.left, r.top, r.right, r.top + 1});
    InvalidateView({r.left, r.bottom - 1, r.right, r.bottom});
    InvalidateView({r.left, r.top, r.left + 1, r.bottom});
    InvalidateView({r.right - 1, r.top, r.right, r.bottom});
}

// ---- selection ----

void TFormMapEditor::setSelection(const TRect& selection) {
    const TRect s = selection.IsEmpty() ? TRect{} : selection;
    if (s == mSelection) return;
    invalidateSelectionOutline();
    mSelection = s;
    invalidateSelectionOutline();
    if (!mSelection.IsEmpty() && mTool == mtSelect)
        mSelectionTimer.start();
    else
        mSelectionTimer.stop();
}

void TFormMapEditor::ClearSelection() {
    setSelection({});
    mLifted = false;
    mJustLifted = false;
}

void TFormMapEditor::lift() {
    const TQelMap& map = *Map();
    const TRect s = mSelection;
    mFloatLower.ResizeLayer(s.Width(), s.Height());
    mFloatUpper.ResizeLayer(s.Width(), s.Height());
    const int family = BrushFamily(mBrushes[mmLower]);
    for (int y = s.top; y < s.bottom; ++y)
        for (int x = s.left; x < s.right; ++x) {
            if (!insideMap({x, y})) continue;
            mFloatLower.SetChip(x - s.left, y - s.top, map.LowerLayer.GetChip(x, y));
            mFloatUpper.SetChip(x - s.left, y - s.top, map.UpperLayer.GetChip(x, y));
            // The hole the selection leaves behind when it moves.
            mBaseLower.SetChip(x, y, family);
            mBaseUpper.SetChip(x, y, map.UpperLayer.FillChip);
        }
    mLifted = true;
    mJustLifted = true;
}

void TFormMapEditor::LiftAgain() {
    if (!mLifted || mSelection.IsEmpty() || !HasMap()) return;
    const int family = BrushFamily(mBrushes[mmLower]);
    for (int y = mSelection.top; y < mSelection.bottom; ++y)
        for (int x = mSelection.left; x < mSelection.right; ++x) {
            if (!insideMap({x, y})) continue;
            mBaseLower.SetChip(x, y, family);
            mBaseUpper.SetChip(x, y, Map()->UpperLayer.FillChip);
        }
}

bool TFormMapEditor::CanPasteChips() {
    return Clipboard().has(ClipboardFormat::MapChips);
}

void TFormMapEditor::CopyChips() {
    if (mSelection.IsEmpty() || !mLifted) return;
    try {
        Clipboard().set(ClipboardFormat::MapChips, MakeChipsClipboardBlock(mFloatLower, mFloatUpper));
    } catch (const std::bad_alloc&) {
        ShowError("Out of memory.", this);
    }
}

void TFormMapEditor::CutChips() {
    if (mSelection.IsEmpty()) return;
    CopyChips();
    ClearChips();
}

void TFormMapEditor::PasteChips() {
    if (!HasMap()) return;
    auto block = Clipboard().get(ClipboardFormat::MapChips);
    TQelMapLayer lower{LowerFillChip}, upper{UpperFillChip};
    if (!block || !ReadChipsClipboardBlock(*block, lower, upper)) return;
    if (Busy()) cancelActive();
    ClearSelection();
    mFloatLower.AssignLayer(lower);
    mFloatUpper.AssignLayer(upper);
    // The block lands in the middle of what is in view.
    const int cs = CellSize();
    const int left = (VisibleSize().width() / 2 + ScrollX()) / cs - lower.Width / 2;
    const int top = (VisibleSize().height() / 2 + ScrollY()) / cs - lower.Height / 2;
    TQelMap& map = *Map();
    mBaseLower.AssignLayer(map.LowerLayer);
    mBaseUpper.AssignLayer(map.UpperLayer);
    pushUndo();
    map.Modified = true;
    const TRect at{left, top, left + lower.Width, top + lower.Height};
    writeFloating(at);
    setSelection(at);
    mLifted = true;
    mJustLifted = false;
    flushChanges();
    changed();
}

void TFormMapEditor::ClearChips() {
    if (mSelection.IsEmpty() || !HasMap()) return;
    if (Busy()) cancelActive();
    pushUndo();
    Map()->Modified = true;
    restoreFromBase(mSelection);
    ClearSelection();
    flushChanges();
    changed();
}

void TFormMapEditor::SelectAllChips() {
    if (!HasMap()) return;
    if (Busy()) cancelActive();
    ClearSelection();
    mBaseLower.AssignLayer(Map()->LowerLayer);
    mBaseUpper.AssignLayer(Map()->UpperLayer);
    setSelection({0, 0, Map()->LowerLayer.Width, Map()->LowerLayer.Height});
    lift();
    changed();
}

// ---- undo ----

TUndoRecorder& TFormMapEditor::undoRecorder() {
    if (mHistory) return *mHistory;
    return mUndo;
}

void TFormMapEditor::pushUndo() {
    if (mHistory)
        mHistory->Push(*Map());
    else
        mUndo.Push(*Map());
}

void TFormMapEditor::SetUndoSteps(int steps) {
    mUndoSteps = std::max(steps, int(TQelMapEditUndoManager::Steps));
    mHistories.SetSteps(mUndoSteps);
    if (mHistory) mHistory->Close();
    mHistories.Clear();
    mUndo.Clear();
    mHistory = DeepUndo() && HasMap() ? &mHistories.ForMap(*Map()) : nullptr;
}

bool TFormMapEditor::CanUndo() const {
    return mHistory ? mHistory->Count() > 0 : mUndo.Count() > 0;
}

bool TFormMapEditor::CanRedo() const {
    return mHistory && mHistory->RedoCount() > 0;
}

void TFormMapEditor::ClearUndo() {
    if (!mHistory) mUndo.Clear();
}

size_t TFormMapEditor::UndoMemoryBytes() const {
    return mHistories.MemoryBytes();
}

void TFormMapEditor::Undo() {
    if (!HasMap() || !CanUndo()) return;
    if (Busy()) cancelActive();
    {
        TBusyCursor busy;
        if (mHistory)
            mHistory->Undo(*Map());
        else
            mUndo.Undo(*Map());
    }
    ClearSelection();
    RedrawAll();
    changed();
}

void TFormMapEditor::Redo() {
    if (!HasMap() || !CanRedo()) return;
    if (Busy()) cancelActive();
    ClearSelection();
    {
        TBusyCursor busy;
        mHistory->Redo(*Map());
    }
    RedrawAll();
    changed();
}

// ---- events ----

void TFormMapEditor::RebuildEvents() {
    RebuildEventMap();
    if (Map()) Map()->Modified = true;
    changed();
}

void TFormMapEditor::EventNewOrEdit() {
    if (!HasCursor() || mMode != mmEvent) return;
    mEventManager.EditAt(mCursor.left, mCursor.top, mBrushes[mmEvent].GetChip(0, 0) - 10000);
}

void TFormMapEditor::EventCut() {
    if (!HasCursor()) return;
    mEventManager.CutAt(mCursor.left, mCursor.top);
    if (onCursorMoved) onCursorMoved();
}

void TFormMapEditor::EventCopy() {
    if (HasCursor()) mEventManager.CopyAt(mCursor.left, mCursor.top);
}

void TFormMapEditor::EventPaste() {
    if (!HasCursor()) return;
    mEventManager.PasteAt(mCursor.left, mCursor.top);
    if (onCursorMoved) onCursorMoved();
}

void TFormMapEditor::EventDelete() {
    if (!HasCursor()) return;
    mEventManager.DeleteAt(mCursor.left, mCursor.top);
    if (onCursorMoved) onCursorMoved();
}

void TFormMapEditor::EventMove() {
    if (HasCursor()) mEventManager.CreateTeleportAt(mCursor.left, mCursor.top);
}

void TFormMapEditor::EventSetPartyStart() {
    if (HasCursor()) mEventManager.SetPartyStartAt(mCursor.left, mCursor.top);
}

void TFormMapEditor::EventSetVehicleStart() {
    if (HasCursor()) mEventManager.SetVehicleStartAt(mCursor.left, mCursor.top);
}

// ---- menus ----

QMenu* TFormMapEditor::ChipsMenu() {
    return mChipsMenu;
}

QMenu* TFormMapEditor::EventMenu() {
    return mEventMenu;
}

void TFormMapEditor::UpdateChipsMenu() {
    const bool selection = !mSelection.IsEmpty() && mLifted;
    Menu_MapChips_Cut->setEnabled(selection);
    Menu_MapChips_Copy->setEnabled(selection);
    Menu_MapChips_Clear->setEnabled(selection);
    Menu_MapChips_Paste->setEnabled(HasMap() && CanPasteChips());
    Menu_MapChips_SelectAll->setEnabled(true);
}

void TFormMapEditor::UpdateEventMenu() {
    const bool cursor = HasCursor() && HasMap() && mMode == mmEvent;
    const int found = cursor ? mEventManager.FindAt(mCursor.left, mCursor.top) : 0;
    const bool empty = cursor && found == 0;
    const bool occupied = cursor && found != 0;
    const bool start = found >= TQelEventManager::PartyStart;
    Menu_MapEvent_New->setVisible(!occupied);
    Menu_MapEvent_New->setEnabled(empty && mEventManager.CanEdit());
    Menu_MapEvent_Edit->setVisible(occupied);
    Menu_MapEvent_Edit->setEnabled(occupied && !start && mEventManager.CanEdit());
    mEventMenu->setDefaultAction(occupied ? Menu_MapEvent_Edit : Menu_MapEvent_New);
    Menu_MapEvent_Cut->setEnabled(occupied);
    Menu_MapEvent_Copy->setEnabled(occupied);
    Menu_MapEvent_Delete->setEnabled(occupied);
    Menu_MapEvent_Paste->setEnabled(empty && TQelEventManager::CanPaste());
    Menu_MapEvent_Move->setEnabled(empty && mEventManager.CanCreateTeleport());
    Menu_MapEvent_StartParty->setEnabled(empty);
    Menu_MapEvent_Vehicle->setEnabled(empty && bool(mEventManager.chooseVehicle));
}

// ---- mouse ----

void TFormMapEditor::cancelActive() {
    mPendingMove.reset();
    const Qt::MouseButton button = mActiveButton;
    mActiveButton = Qt::NoButton;
    if (button != Qt::NoButton) activeTool().Cancel();
    updateMouseCursor();
}

void TFormMapEditor::PaintBoxMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    recordKeys(modifiers);
    if (!HasMap() || mMode == mmNone) return;
    // A second button takes back what the first one began.
    if (mActiveButton != Qt::NoButton) {
        if (button != mActiveButton) cancelActive();
        return;
    }
    mLastClickPushed = false;
    if (activeTool().Press(at, button)) mActiveButton = button;
    updateMouseCursor();
}

void TFormMapEditor::PaintBoxMouseMove(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    recordKeys(modifiers);
    if (!HasMap() || mMode == mmNone) return;
    if (mActiveButton != Qt::NoButton) {
        // A left drag waits until the view has shown what the last one did; the latest position
        // is kept and applied then, so no part of the stroke is lost.
        if (mActiveButton == Qt::LeftButton && RepaintPending()) {
            mPendingMove = PendingMove{at, buttons, modifiers};
            return;
        }
        mPendingMove.reset();
        activeTool().Drag(at);
        return;
    }
    activeTool().Hover(at);
    updateMouseCursor();
}

void TFormMapEditor::applyPendingMove() {
    if (!mPendingMove) return;
    const PendingMove move = *mPendingMove;
    mPendingMove.reset();
    if (mActiveButton == Qt::NoButton) return;
    recordKeys(move.modifiers);
    activeTool().Drag(move.at);
}

void TFormMapEditor::Flushed() {
    if (!mPendingMove || mPendingMoveScheduled) return;
    mPendingMoveScheduled = true;
    QTimer::singleShot(0, this, [this] {
        mPendingMoveScheduled = false;
        applyPendingMove();
    });
}

void TFormMapEditor::PaintBoxMouseUp(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (button != mActiveButton || mActiveButton == Qt::NoButton) return;
    applyPendingMove();
    recordKeys(modifiers);
    mActiveButton = Qt::NoButton;
    activeTool().Release(at, button);
    updateMouseCursor();
}

void TFormMapEditor::PaintBoxDoubleClick(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    recordKeys(modifiers);
    if (!HasMap() || mMode == mmNone) return;
    if (mActiveButton != Qt::NoButton) {
        if (button != mActiveButton) cancelActive();
        return;
    }
    if (mMode == mmEvent) {
        if (button == Qt::LeftButton)
            EventNewOrEdit();
        else
            PaintBoxMouseDown(at, button, modifiers);
        return;
    }
    // The zoom tool zooms once more with every click.
    if (mTool == mtZoom) {
        PaintBoxMouseDown(at, button, modifiers);
        return;
    }
    if (button == Qt::RightButton) {
        SetMode(mMode == mmLower ? mmUpper : mmLower);
        if (onModeToggled) onModeToggled();
        return;
    }
    if (button == Qt::LeftButton) {
        // The second press of a double-click paints nothing: it takes back the stroke of the
        // first click.
        if (mLastClickPushed) {
            mLastClickPushed = false;
            if (mHistory)
                mHistory->Undo(*Map(), false);
            else
                mUndo.Undo(*Map());
            RedrawAll();
            changed();
        }
    }
}

void TFormMapEditor::PaintBoxMouseLeave() {
    if (mMode != mmEvent && !mPicking && !Busy()) ClearCursor();
}

void TFormMapEditor::DragScrollChanged(bool) {
    if (HasCursor()) InvalidateView(grown(cursorFrameRect(), 1));
    updateMouseCursor();
}

void TFormMapEditor::AutoScrolled(QPoint mouse) {
    if (mActiveButton != Qt::NoButton) activeTool().AutoScrolled(mouse);
}

void TFormMapEditor::EndStroke() {
    if (mActiveButton == Qt::NoButton) return;
    const Qt::MouseButton button = mActiveButton;
    PaintBoxMouseUp(LastMousePos(), button, Qt::NoModifier);
}

// ---- keyboard ----

void TFormMapEditor::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (ctrl && key == Qt::Key_Z) {
        Undo();
        return;
    }
    auto run = [](QAction* action) {
        if (action && action->isEnabled()) action->trigger();
    };
    if (layerMode() && mTool == mtSelect) {
        UpdateChipsMenu();
        QAction* action = nullptr;
        if (ctrl && key == Qt::Key_A) action = Menu_MapChips_SelectAll;
        if (ctrl && key == Qt::Key_C) action = Menu_MapChips_Copy;
        if (ctrl && key == Qt::Key_V) action = Menu_MapChips_Paste;
        if (ctrl && key == Qt::Key_X) action = Menu_MapChips_Cut;
        if (!ctrl && key == Qt::Key_Delete) action = Menu_MapChips_Clear;
        if (action) {
            run(action);
            return;
        }
    }
    if (mMode == mmEvent && HasCursor() && HasMap()) {
        UpdateEventMenu();
        QAction* action = nullptr;
        if (ctrl && key == Qt::Key_C) action = Menu_MapEvent_Copy;
        if (ctrl && key == Qt::Key_V) action = Menu_MapEvent_Paste;
        if (ctrl && key == Qt::Key_X) action = Menu_MapEvent_Cut;
        if (!ctrl && key == Qt::Key_Delete) action = Menu_MapEvent_Delete;
        if (!ctrl && (key == Qt::Key_Return || key == Qt::Key_Enter))
            action = Menu_MapEvent_New->isVisible() ? Menu_MapEvent_New : Menu_MapEvent_Edit;
        if (action) {
            run(action);
            return;
        }
        TPoint step{0, 0};
        if (key == Qt::Key_Left) step = {-1, 0};
        if (key == Qt::Key_Right) step = {1, 0};
        if (key == Qt::Key_Up) step = {0, -1};
        if (key == Qt::Key_Down) step = {0, 1};
        if (step.x != 0 || step.y != 0) {
            const TPoint cell = clampToMap({mCursor.left + step.x, mCursor.top + step.y});
            setCursorRect({cell.x, cell.y, cell.x + 1, cell.y + 1});
            // The cursor stays in view.
            const TRect r = ViewRectOfCells(mCursor);
            int dx = 0, dy = 0;
            if (r.left < 0) dx = r.left;
            if (r.right > VisibleSize().width()) dx = r.right - VisibleSize().width();
            if (r.top < 0) dy = r.top;
            if (r.bottom > VisibleSize().height()) dy = r.bottom - VisibleSize().height();
            if (dx != 0 || dy != 0) ScrollBy(dx, dy);
            return;
        }
    }
    TFormMapViewer::keyPressEvent(event);
}

} // namespace tarvel
