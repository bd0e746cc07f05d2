#include "ED_AnimationView.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>

#include "ED_AnimationCells.h"
#include "ED_Widgets.h"
#include "controls/BoardView.h"
#include "controls/DialogPlacement.h"
#include "graphics/EditorMarks.h"
#include "graphics/GraphicsPorts.h"
#include "records/ClipboardPort.h"

namespace tarvel {

// ---- TAnimationCellView ----

namespace {

const TRGB Grey{128, 128, 128};
const TRGB DarkGreen{0, 128, 0};
const TRGB PureRed{255, 0, 0};
const TRGB PureBlue{0, 0, 255};
const TRGB White{255, 255, 255};
const TRGB Black{0, 0, 0};

} // namespace

TAnimationCellView::TAnimationCellView(QWidget* parent)
    : QWidget(parent), mTarget(std::make_unique<TPrismSheet>()), mNumbers(std::make_unique<TPrismSheet>()),
      mScratch(std::make_unique<TPrismSheet>()), mSpare(std::make_unique<TQelAnimationPatternItem>()),
      mBox(new BoardView(this)), mHorizontal(new QScrollBar(Qt::Horizontal, this)),
      mVertical(new QScrollBar(Qt::Vertical, this)), mMenu(new QMenu(this)) {
    setObjectName("AnimationView");
    mBox->setObjectName("PaintBoxView");
    mTarget->SetAutoSize(true);
    mTarget->SetTransparent(true);
    DrawCellNumberSheet(*mNumbers);
    // The game screen of a playback: palette colour 0 (black) tinted by the screen flash.
    mScratch->SetSize(AnimationViewWidth, AnimationViewHeight);
    mScratch->UpdateColorTable();
    mBoard.SetSize(AnimationViewWidth, AnimationViewHeight);

    mBox->SetBoard(&mBoard);
    mBox->FitToBoard();
    mBox->setFocusPolicy(Qt::StrongFocus);
    mBox->installEventFilter(this);
    mHorizontal->setRange(0, AnimationViewRangeX - AnimationViewWidth);
    mHorizontal->setPageStep(AnimationViewWidth);
    mHorizontal->setSingleStep(16);
    mHorizontal->setValue(AnimationViewStartX);
    mVertical->setRange(0, AnimationViewRangeY - AnimationViewHeight);
    mVertical->setPageStep(AnimationViewHeight);
    mVertical->setSingleStep(16);
    mVertical->setValue(AnimationViewStartY);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mBox, 0, 0);
    layout->addWidget(mVertical, 0, 1);
    layout->addWidget(mHorizontal, 1, 0);
    connect(mHorizontal, &QScrollBar::valueChanged, this, &TAnimationCellView::Redraw);
    connect(mVertical, &QScrollBar::valueChanged, this, &TAnimationCellView::Redraw);

    connect(mBox, &BoardView::boardMousePress, this, &TAnimationCellView::PaintBoxMouseDown);
    connect(mBox, &BoardView::boardMouseMove, this, &TAnimationCellView::PaintBoxMouseMove);
    connect(mBox, &BoardView::boardMouseRelease, this, &TAnimationCellView::PaintBoxMouseUp);
    connect(mBox, &BoardView::boardDoubleClick, this,
            [this](QPoint at, Qt::MouseButton button) { PaintBoxDoubleClick(at, button); });

    auto action = [this](const QString& caption, const char* name, void (TAnimationCellView::*slot)()) {
        return AddMenuAction(mMenu, this, caption, name, slot);
    };
    mProperty = action("&Property...", "Menu_Property", &TAnimationCellView::Menu_Property);
    mMenu->addSeparator();
    mCut = action("Cu&t", "Menu_Cut", &TAnimationCellView::Menu_Cut);
    mCopy = action("&Copy", "Menu_Copy", &TAnimationCellView::Menu_Copy);
    mPaste = action("&Paste", "Menu_Paste", &TAnimationCellView::Menu_Paste);
    mDelete = action("&Delete", "Menu_Delete", &TAnimationCellView::Menu_Delete);
    mMenu->addSeparator();
    mUp = action("Priority to Up", "Menu_PriorityUp", &TAnimationCellView::Menu_PriorityUp);
    mDown = action("Priority to Down", "Menu_PriorityDown", &TAnimationCellView::Menu_PriorityDown);
    // Shown in the menu; the view's key handling does the work, so they never fire twice.
    mUp->setShortcut(Qt::Key_PageUp);
    mDown->setShortcut(Qt::Key_PageDown);
    mUp->setShortcutContext(Qt::WidgetShortcut);
    mDown->setShortcutContext(Qt::WidgetShortcut);
    connect(mMenu, &QMenu::aboutToShow, this, &TAnimationCellView::UpdateMenu);
}

TAnimationCellView::~TAnimationCellView() = default;

void TAnimationCellView::SetAnimation(TQelAnimationItem* animation) {
    mAnimation = animation;
    mLook.SetRecord(animation);
    mGraphic.SetAnimation(animation ? &mLook : nullptr, false);
    mSelected = -1;
    mFrame = 0;
    endDrag();
    Redraw();
}

void TAnimationCellView::ReloadPicture() {
    mGraphic.SetImage(mAnimation ? mAnimation->GraphicName : std::string());
    Redraw();
}

void TAnimationCellView::SetTarget(const std::string& pictureName, int hue) {
    if (pictureName == mTargetName && hue == mTargetHue && mTarget->Width() > 0) return;
    mTargetName = pictureName;
    mTargetHue = hue;
    mTarget->LoadFromFile(
        pictureName.empty() ? std::string() : MaterialLocator().Locate(pictureName, "Monster"), false);
    if (mTarget->Width() == 0) mTarget->SetSize(0, 0);
    mTarget->RotateHue(hue);
    Redraw();
}

int TAnimationCellView::TargetWidth() const {
    return mTarget->Width();
}

int TAnimationCellView::TargetHeight() const {
    return mTarget->Height();
}

void TAnimationCellView::SetFrame(int index) {
    mFrame = index;
    endDrag();
    if (!frame() || !AnimationCellValid(*frame(), mSelected)) mSelected = -1;
    Redraw();
}

void TAnimationCellView::SetSelectedCell(int index) {
    mSelected = frame() && AnimationCellValid(*frame(), index) ? index : -1;
    Redraw();
}

TQelAnimationPatternItem* TAnimationCellView::frame() const {
    return mAnimation ? AnimationFrame(*mAnimation, mFrame) : nullptr;
}

TQelAnimationCellItem* TAnimationCellView::selectedCell() const {
    TQelAnimationPatternItem* f = frame();
    return f && AnimationCellValid(*f, mSelected) ? f->Cells.Items(mSelected) : nullptr;
}

TAnimationViewGeometry TAnimationCellView::Geometry() const {
    const int scope = mAnimation ? mAnimation->Scope : 0;
    const int line = mAnimation ? mAnimation->Position : 2;
    return AnimationViewGeometry(mHorizontal->value(), mVertical->value(), scope, line, TargetWidth(),
                                 TargetHeight());
}

QPoint TAnimationCellView::toOrigin(QPoint at) const {
    const TAnimationViewGeometry g = Geometry();
    return at - QPoint(g.originX, g.originY);
}

bool TAnimationCellView::nearOrigin(QPoint at, int reach) const {
    const QPoint p = toOrigin(at);
    return std::abs(p.x()) <= reach && std::abs(p.y()) <= reach;
}

// ---- drawing ----

void TAnimationCellView::drawTarget(bool darkened, int flashStep) {
    if (mTarget->Width() == 0) return;
    const TAnimationViewGeometry g = Geometry();
    mTarget->ColorControl2().SetNeutral(false);
    const int level = darkened ? 40 : 100;
    mTarget->ColorControl1().SetAll(level, level, level, 100, 0, 0, 0, 0, false);
    if (!darkened) mGraphic.ApplyTargetFlash(*mTarget, flashStep);
    mTarget->UpdateColorTable();
    mBoard.DrawSheet(g.originX + g.imageX, g.originY + g.imageY, mTarget->BoundsRect(), *mTarget);
}

void TAnimationCellView::drawCellFrame(const TCellSquare& s, TRGB colour) {
    FrameRect(mBoard, {s.left, s.top, s.right, s.bottom}, colour);
}

void TAnimationCellView::Redraw() {
    const TAnimationViewGeometry g = Geometry();
    const int ox = g.originX, oy = g.originY;
    mBoard.Clear();
    FrameRect(mBoard,
              Bounds(ox - AnimationViewWidth / 2, 320 - mVertical->value(), AnimationViewWidth,
                     AnimationViewHeight),
              Grey);
    const int reach = AnimationCellReach;
    if (!mAnimation || mAnimation->Scope == 0)
        FillRect(mBoard, {ox - reach, oy, ox + reach, oy + 1}, DarkGreen);
    FrameRect(mBoard, {ox - reach, oy - reach, ox + reach, oy + reach}, DarkGreen);
    FrameRect(mBoard, {ox - reach, oy - reach / 2, ox + reach, oy + reach / 2}, DarkGreen);
    FillRect(mBoard, {ox, oy - reach, ox + 1, oy + reach}, DarkGreen);
    drawTarget(true);

    if (mAnimation) {
        if (const TQelAnimationPatternItem* previous = AnimationFrame(*mAnimation, mFrame - 1);
            previous && mFrame > 0)
            for (int k = 0; k < previous->Cells.Count(); ++k) {
                if (!AnimationCellValid(*previous, k)) continue;
                const TCellSquare s = AnimationCellSquare(ox, oy, *previous->Cells.Items(k));
                drawCellFrame(s, PureBlue);
                mBoard.DrawSheet(s.left, s.top, CellNumberRect(k, TCellNumberLook::Ghost), *mNumbers);
            }
        if (const TQelAnimationPatternItem* current = frame()) {
            const bool focused = mBox->hasFocus();
            for (int k = 0; k < current->Cells.Count(); ++k) {
                if (!AnimationCellValid(*current, k)) continue;
                mGraphic.DrawCell(mBoard, ox, false, k, mFrame, oy);
                const TCellSquare s = AnimationCellSquare(ox, oy, *current->Cells.Items(k));
                const bool chosen = focused && k == mSelected;
                drawCellFrame(s, chosen ? White : PureRed);
                mBoard.DrawSheet(
                    s.left, s.top,
                    CellNumberRect(k, chosen ? TCellNumberLook::Selected : TCellNumberLook::Normal),
                    *mNumbers);
            }
        }
    }
    mBox->update();
}

void TAnimationCellView::DrawPlaybackStep(int step) {
    const TAnimationViewGeometry g = Geometry();
    mBoard.Clear();
    mGraphic.ApplyScreenFlash(*mScratch, step);
    mBoard.DrawSheet(g.originX - AnimationViewWidth / 2, 320 - mVertical->value(), mScratch->BoundsRect(),
                     *mScratch);
    drawTarget(false, step);
    if (mAnimation && step >= 0 && step < AnimationFrameCount(*mAnimation))
        mGraphic.DrawFrame(mBoard, g.originX, step, g.originY);
    mBox->update();
}

void TAnimationCellView::ShowNow() {
    mBox->repaint();
}

// ---- the pointer ----

int TAnimationCellView::cellAt(QPoint at, bool throughTop) const {
    const TQelAnimationPatternItem* f = frame();
    if (!f) return -1;
    const TAnimationViewGeometry g = Geometry();
    int first = -1;
    for (int k = f->Cells.Count() - 1; k >= 0; --k) {
        if (!AnimationCellValid(*f, k) ||
            !AnimationCellSquare(g.originX, g.originY, *f->Cells.Items(k)).Contains(at.x(), at.y()))
            continue;
        if (!throughTop) return k;
        // With Ctrl the cell beneath the top one is taken, when there is one.
        if (first >= 0) return k;
        first = k;
    }
    return first;
}

void TAnimationCellView::PaintBoxMouseDown(QPoint at, Qt::MouseButton button,
                                           Qt::KeyboardModifiers modifiers) {
    if (button == Qt::MiddleButton) {
        mPanning = true;
        mPanStart = at;
        mPanFrom = {mHorizontal->value(), mVertical->value()};
        return;
    }
    if (!frame()) return;
    mBox->setFocus();
    const bool left = button == Qt::LeftButton, right = button == Qt::RightButton;
    if (left && mDragging) {
        // A second press while a drag is still on takes the move back.
        if (selectedCell()) {
            frame()->Assign(*mSpare);
            changed();
        }
        endDrag();
        return;
    }
    if (const int hit = cellAt(at, modifiers & Qt::ControlModifier); hit >= 0) {
        mSelected = hit;
        mSpare->Assign(*frame());
        if (left) {
            mDragging = true;
            mDragPos = toOrigin(at);
            showHint(mBox->mapToGlobal(at));
        }
        mMenuPending = right;
        Redraw();
        return;
    }
    mSelected = -1;
    if (nearOrigin(at, AnimationCellReach)) {
        mSpare->Assign(*frame());
        if (left) {
            const int slot = TakeFreeAnimationCell(*frame());
            if (slot >= 0) {
                TQelAnimationCellItem* cell = frame()->Cells.Items(slot);
                cell->Pattern = mPattern;
                cell->X = toOrigin(at).x();
                cell->Y = toOrigin(at).y();
                mSelected = slot;
                mDragging = true;
                mDragPos = toOrigin(at);
                changed();
                showHint(mBox->mapToGlobal(at));
                return;
            }
        }
    }
    mMenuPending = right;
    Redraw();
}

void TAnimationCellView::PaintBoxMouseMove(QPoint at, Qt::MouseButtons, Qt::KeyboardModifiers modifiers) {
    if (mPanning) {
        const QPoint moved = at - mPanStart;
        mHorizontal->setValue(mPanFrom.x() - moved.x());
        mVertical->setValue(mPanFrom.y() - moved.y());
        return;
    }
    TQelAnimationCellItem* cell = selectedCell();
    if (!mDragging || !cell) return;
    const QPoint p = toOrigin(at);
    const int g = mGrid, half = mGrid / 2;
    const bool all = modifiers & Qt::ShiftModifier;
    bool moved = false;
    auto moveBy = [&](int dx, int dy) {
        cell->X = std::clamp(cell->X + dx, -AnimationCellReach, AnimationCellReach);
        cell->Y = std::clamp(cell->Y + dy, -AnimationCellReach, AnimationCellReach);
        SnapAnimationCell(*cell, g);
        if (all)
            for (int k = 0; k < frame()->Cells.Count(); ++k) {
                TQelAnimationCellItem* other = frame()->Cells.Items(k);
                if (k == mSelected || !other->Visible) continue;
                other->X += dx;
                other->Y += dy;
                SnapAnimationCell(*other, g);
            }
        moved = true;
    };
    while (p.x() - mDragPos.x() > half) {
        mDragPos.rx() += g;
        moveBy(g, 0);
    }
    while (mDragPos.x() - p.x() > half) {
        mDragPos.rx() -= g;
        moveBy(-g, 0);
    }
    while (p.y() - mDragPos.y() > half) {
        mDragPos.ry() += g;
        moveBy(0, g);
    }
    while (mDragPos.y() - p.y() > half) {
        mDragPos.ry() -= g;
        moveBy(0, -g);
    }
    if (!moved) return;
    changed();
    showHint(mBox->mapToGlobal(at));
}

void TAnimationCellView::PaintBoxMouseUp(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers) {
    if (button == Qt::MiddleButton) {
        mPanning = false;
        return;
    }
    if (button == Qt::LeftButton) {
        endDrag();
        return;
    }
    if (button != Qt::RightButton || !mMenuPending) return;
    mMenuPending = false;
    const TAnimationViewGeometry g = Geometry();
    const TQelAnimationCellItem* cell = selectedCell();
    const bool open = cell ? AnimationCellSquare(g.originX, g.originY, *cell).Contains(at.x(), at.y())
                           : nearOrigin(at, AnimationCellReach);
    if (open) PopupCellMenu(toOrigin(at), mBox->mapToGlobal(at));
}

void TAnimationCellView::PaintBoxDoubleClick(QPoint at, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    const TAnimationViewGeometry g = Geometry();
    const TQelAnimationCellItem* cell = selectedCell();
    if (!cell || !AnimationCellSquare(g.originX, g.originY, *cell).Contains(at.x(), at.y())) return;
    endDrag();
    Menu_Property();
}

void TAnimationCellView::endDrag() {
    mDragging = false;
    QToolTip::hideText();
}

void TAnimationCellView::showHint(QPoint global) {
    if (const TQelAnimationCellItem* cell = selectedCell())
        QToolTip::showText(global + QPoint(12, 12), QString::asprintf("%d, %d", cell->X, cell->Y), mBox);
}

void TAnimationCellView::changed() {
    Redraw();
    if (onModified) onModified();
}

bool TAnimationCellView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mBox) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        Redraw();
        break;
    case QEvent::ContextMenu: {
        auto* e = static_cast<QContextMenuEvent*>(event);
        if (e->reason() != QContextMenuEvent::Keyboard) return true;
        // From the keyboard, a paste goes to the middle of the view.
        const QPoint middle(AnimationViewWidth / 2, AnimationViewHeight / 2);
        PopupCellMenu(toOrigin(middle), mBox->mapToGlobal(middle));
        return true;
    }
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        const bool shift = e->modifiers() & Qt::ShiftModifier;
        const bool ctrl = e->modifiers() & Qt::ControlModifier;
        switch (e->key()) {
        case Qt::Key_PageUp:
            UpdateMenu();
            if (mUp->isEnabled()) Menu_PriorityUp();
            return true;
        case Qt::Key_PageDown:
            UpdateMenu();
            if (mDown->isEnabled()) Menu_PriorityDown();
            return true;
        case Qt::Key_Down:
            MoveCells(0, mGrid, shift);
            return true;
        case Qt::Key_Up:
            MoveCells(0, -mGrid, shift);
            return true;
        case Qt::Key_Left:
            MoveCells(-mGrid, 0, shift);
            return true;
        case Qt::Key_Right:
            MoveCells(mGrid, 0, shift);
            return true;
        case Qt::Key_B:
        case Qt::Key_N:
            if (ctrl) break;
            if (onFrameStep) onFrameStep(e->key() == Qt::Key_B ? -1 : 1);
            return true;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TAnimationCellView::MoveCells(int dx, int dy, bool all) {
    TQelAnimationPatternItem* f = frame();
    if (!f) return;
    bool moved = false;
    for (int k = 0; k < f->Cells.Count(); ++k) {
        if (!AnimationCellValid(*f, k) || (!all && k != mSelected)) continue;
        TQelAnimationCellItem* cell = f->Cells.Items(k);
        cell->X += dx;
        cell->Y += dy;
        SnapAnimationCell(*cell, mGrid);
        moved = true;
    }
    if (moved) changed();
}

// ---- the cell menu ----

void TAnimationCellView::PopupCellMenu(QPoint at, QPoint global) {
    mMenuPoint = at;
    UpdateMenu();
    mMenu->popup(global);
}

void TAnimationCellView::UpdateMenu() {
    const bool chosen = selectedCell() != nullptr;
    TQelAnimationPatternItem* f = frame();
    mProperty->setEnabled(chosen);
    mCut->setEnabled(chosen);
    mCopy->setEnabled(chosen);
    mDelete->setEnabled(chosen);
    mPaste->setEnabled(f && FreeAnimationCellSlot(*f) >= 0 &&
                       Clipboard().has(ClipboardFormat::AnimationCells));
    mUp->setEnabled(chosen && mSelected <= AnimationMaxCells - 2);
    mDown->setEnabled(chosen && mSelected >= 1);
}

void TAnimationCellView::Menu_Property() {
    TQelAnimationCellItem* cell = selectedCell();
    if (!cell) return;
    TFormAnimationCell dialog(window());
    dialog.SetCell(*cell);
    PlaceNearOwner(&dialog, 240, 100);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.GetCell(*cell);
    changed();
}

void TAnimationCellView::Menu_Cut() {
    Menu_Copy();
    Menu_Delete();
}

void TAnimationCellView::Menu_Copy() {
    if (const TQelAnimationCellItem* cell = selectedCell())
        cell->CopyToClipboard(ClipboardFormat::AnimationCells);
}

void TAnimationCellView::Menu_Paste() {
    TQelAnimationPatternItem* f = frame();
    if (!f || FreeAnimationCellSlot(*f) < 0) return;
    TQelAnimationCellItem pasted;
    if (!pasted.PasteFromClipboard(ClipboardFormat::AnimationCells)) return;
    const int slot = TakeFreeAnimationCell(*f);
    TQelAnimationCellItem* cell = f->Cells.Items(slot);
    cell->Assign(pasted);
    cell->Visible = true;
    PlacePastedAnimationCell(*f, slot, mMenuPoint.x(), mMenuPoint.y(), mGrid);
    mSelected = slot;
    changed();
}

void TAnimationCellView::Menu_Delete() {
    TQelAnimationPatternItem* f = frame();
    if (!f || !selectedCell()) return;
    mSelected = DeleteAnimationCell(*f, mSelected);
    changed();
}

void TAnimationCellView::Menu_PriorityUp() {
    reorder(&RaiseAnimationCell);
}

void TAnimationCellView::Menu_PriorityDown() {
    reorder(&LowerAnimationCell);
}

void TAnimationCellView::reorder(int (*rule)(TQelAnimationPatternItem&, int)) {
    TQelAnimationPatternItem* f = frame();
    if (!f || !selectedCell()) return;
    if (const int moved = rule(*f, mSelected); moved >= 0) {
        mSelected = moved;
        changed();
    }
}

// ---- TAnimationPatternStrip ----

TAnimationPatternStrip::TAnimationPatternStrip(TQelAnimationGraphic& graphic, QWidget* parent)
    : QWidget(parent), mGraphic(graphic), mBox(new BoardView(this)),
      mBar(new QScrollBar(Qt::Horizontal, this)) {
    setObjectName("PatternStrip");
    mBox->setObjectName("PaintBoxStrip");
    mBox->SetBoard(&mBoard);
    mBox->setFixedHeight(kAnimationCellSize);
    mBox->installEventFilter(this);
    mBar->setSingleStep(kAnimationCellSize / 4);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mBox);
    layout->addWidget(mBar);
    setMinimumWidth(kAnimationCellSize * 2);
    connect(mBar, &QScrollBar::valueChanged, this, &TAnimationPatternStrip::Redraw);
    connect(mBox, &BoardView::boardMousePress, this,
            [this](QPoint at, Qt::MouseButton button) { PaintBoxMouseDown(at, button); });
    connect(mBox, &BoardView::boardMouseMove, this, [this](QPoint at) {
        if (mPanning) mBar->setValue(mPanFrom - (at.x() - mPanStart));
    });
    connect(mBox, &BoardView::boardMouseRelease, this, [this](QPoint, Qt::MouseButton button) {
        if (button == Qt::MiddleButton) mPanning = false;
    });
}

void TAnimationPatternStrip::SetPattern(int pattern) {
    mPattern = pattern;
    Redraw();
}

bool TAnimationPatternStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mBox && event->type() == QEvent::Resize) {
        const int width = std::max(1, mBox->width());
        mBar->setRange(0, std::max(0, PatternCount * kAnimationCellSize - width));
        mBar->setPageStep(width);
        Redraw();
    }
    return QWidget::eventFilter(watched, event);
}

void TAnimationPatternStrip::Redraw() {
    const int width = std::max(1, mBox->width());
    if (mBoard.Width() != width || mBoard.Height() != kAnimationCellSize)
        mBoard.SetSize(width, kAnimationCellSize);
    mBoard.Clear();
    const TRGB background = mGraphic.BackgroundColor();
    FillRect(mBoard, {0, 0, width, kAnimationCellSize}, background);
    mGraphic.ResetColors();
    const int scroll = mBar->value();
    for (int i = 0; i < PatternCount; ++i) {
        const int x = i * kAnimationCellSize - scroll;
        if (x >= width || x + kAnimationCellSize <= 0) continue;
        mGraphic.DrawPictureCell(mBoard, x, i, 0);
        FillRect(mBoard, {x + kAnimationCellSize - 1, 0, x + kAnimationCellSize, kAnimationCellSize}, Black);
        FillRect(mBoard, {x, kAnimationCellSize - 1, x + kAnimationCellSize, kAnimationCellSize}, Black);
        if (i == mPattern) FrameRect(mBoard, Bounds(x, 0, kAnimationCellSize, kAnimationCellSize), White);
    }
    mBox->update();
}

void TAnimationPatternStrip::PaintBoxMouseDown(QPoint at, Qt::MouseButton button) {
    if (button == Qt::MiddleButton) {
        mPanning = true;
        mPanStart = at.x();
        mPanFrom = mBar->value();
        return;
    }
    if (button != Qt::LeftButton) return;
    const int pattern = (at.x() + mBar->value()) / kAnimationCellSize;
    if (pattern < 0 || pattern >= PatternCount) return;
    SetPattern(pattern);
    if (onPatternChosen) onPatternChosen(pattern);
}

} // namespace tarvel
