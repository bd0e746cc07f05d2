#include "ChipSelector.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "controls/BoardView.h"
#include "graphics/GR_ChipSet.h"
#include "mapedit_core/MapGraphics.h"

namespace tarvel {

namespace {

const TRGB kModeColours[3] = {{128, 255, 128}, {128, 192, 255}, {255, 255, 128}};

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

// The palette's scrolling frame: the wheel scrolls 16 pixels a notch (not while a drag holds the
// mouse), and the room beside and below the palette shows the hatching.
class TPaletteScrollBox : public QScrollArea {
public:
    TPaletteScrollBox(TFormChipSelector* owner) : QScrollArea(owner), mOwner(owner) {}

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (mOwner->Dragging()) return;
        const int notches = event->angleDelta().y() / 120;
        if (notches != 0)
            verticalScrollBar()->setValue(verticalScrollBar()->value() -
                                          notches * TFormChipSelector::WheelStep);
        event->accept();
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(viewport());
        const QSize size = viewport()->size();
        if (mHatch.Width() != size.width() || mHatch.Height() != size.height())
            mHatch.SetSize(std::max(1, size.width()), std::max(1, size.height()));
        const QRect r = event->rect();
        PaintHatchedBackground(mHatch, {r.left(), r.top(), r.right() + 1, r.bottom() + 1}, 0, 0);
        painter.drawImage(r.topLeft(), BoardView::ImageOf(mHatch, r));
    }

private:
    TFormChipSelector* mOwner;
    TPrismBoard mHatch;
};

TFormChipSelector::TFormChipSelector(QWidget* parent)
    : QWidget(parent), mScrollBox(new TPaletteScrollBox(this)), mPaintBox(new BoardView) {
    setObjectName("FormChipSelector");
    mBoard.SetSize(PaletteWidth, BoardHeight);
    mPaintBox->setObjectName("PaintBox");
    mPaintBox->SetBoard(&mBoard);
    mPaintBox->SetMiddleButtonPanning(true);
    mPaintBox->setFixedSize(0, 0);
    mScrollBox->setObjectName("ScrollBox");
    mScrollBox->setWidget(mPaintBox);
    mScrollBox->setWidgetResizable(false);
    mScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mScrollBox->verticalScrollBar()->setSingleStep(ChipCell);

    mDelayTimer.setSingleShot(true);
    mDelayTimer.setInterval(DragDelay);
    connect(&mDelayTimer, &QTimer::timeout, this, [this] { mDelayPassed = true; });
    mAutoScrollTimer.setInterval(AutoScrollInterval);
    connect(&mAutoScrollTimer, &QTimer::timeout, this, &TFormChipSelector::autoScrollStep);

    connect(mScrollBox->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!mLayingOut && mMode >= 0 && mMode <= 3) record().scrollY = value;
    });
    connect(mScrollBox->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!mLayingOut && mMode >= 0 && mMode <= 3) record().scrollX = value;
    });
    connect(mPaintBox, &BoardView::boardMousePress, this,
            [this](QPoint at, Qt::MouseButton button) { onPress(at, button); });
    connect(mPaintBox, &BoardView::boardDoubleClick, this,
            [this](QPoint at, Qt::MouseButton button) { onPress(at, button); });
    connect(mPaintBox, &BoardView::boardMouseMove, this, [this](QPoint at) { onMove(at); });
    connect(mPaintBox, &BoardView::boardMouseRelease, this,
            [this](QPoint, Qt::MouseButton button) { onRelease(button); });
}

TFormChipSelector::~TFormChipSelector() {
    // Its scroll bars and paint box report to handlers that use the palette's members.
    delete mScrollBox;
}

QScrollArea* TFormChipSelector::ScrollBox() const {
    return mScrollBox;
}

int TFormChipSelector::Rows(int mode) {
    switch (mode) {
    case 0:
        return 27;
    case 1:
    case 2:
        return 24;
    default:
        return 0;
    }
}

int TFormChipSelector::ChipAt(int column, int row) const {
    const int i = column + Columns * row;
    if (mMode == 1 || mMode == 2) return 10000 + i;
    if (mMode != 0) return 0;
    if (i <= 1) return i * 1000 + 49;
    if (i == 2) return 2049;
    if (i <= 5) return 3000 + 50 * (i - 3);
    if (i <= 17) return 4049 + 50 * (i - 6);
    return i + 4982;
}

TPoint TFormChipSelector::CellOfChip(int n) const {
    if (mMode == 1 || mMode == 2) {
        if (n < 10000 || n >= 10000 + Columns * Rows(mMode)) return {-1, -1};
        return {(n - 10000) % Columns, (n - 10000) / Columns};
    }
    if (mMode != 0 || n < 0) return {-1, -1};
    int i = -1;
    if (n < 3000)
        i = n / 1000;
    else if (n < 4000)
        i = (n - 3000) / 50 + 3;
    else if (n < 5000 && n % 50 == 49)
        i = (n - 4000) / 50 + 6;
    else if (n >= 5000 && n < 5144)
        i = n - 4982;
    if (i < 0 || i >= Columns * Rows(0)) return {-1, -1};
    return {i % Columns, i / Columns};
}

bool TFormChipSelector::hasMap() const {
    return mMap && mMap->Width > 0;
}

void TFormChipSelector::SetMap(TQelMap* map) {
    mMap = map;
    layoutPalette();
}

void TFormChipSelector::SetMode(int mode) {
    if (mode < 0 || mode > 3 || mode == mMode) return;
    if (mDragging) cancelDrag();
    mMode = mode;
    layoutPalette();
    if (onSelectionChanged) onSelectionChanged();
}

void TFormChipSelector::Reset() {
    if (mDragging) cancelDrag();
    for (ModeRecord& r : mRecords)
        r = ModeRecord();
    mMode = 3;
    layoutPalette();
}

void TFormChipSelector::Refresh() {
    layoutPalette();
}

TRect TFormChipSelector::Selection() const {
    return record().selection;
}

bool TFormChipSelector::HasSelection() const {
    const TRect& s = record().selection;
    return s.left >= 0 && !s.IsEmpty();
}

void TFormChipSelector::layoutPalette() {
    mLayingOut = true;
    const int rows = hasMap() ? Rows(mMode) : 0;
    mPaintBox->setFixedSize(rows > 0 ? PaletteWidth : 0, ChipCell * rows);
    mScrollBox->horizontalScrollBar()->setValue(record().scrollX);
    mScrollBox->verticalScrollBar()->setValue(record().scrollY);
    mLayingOut = false;
    mBoard.Clear();
    if (rows > 0) {
        drawCells({0, 0, Columns, rows});
        drawFrame();
    }
    mPaintBox->update();
}

void TFormChipSelector::drawCells(const TRect& cells) {
    if (!hasMap()) return;
    TMapGraphics* graphics = MapGraphicsOf(*mMap);
    if (!graphics || !graphics->ChipSet().ChipSet()) return;
    TQelChipSetGraphic& chips = graphics->ChipSet();
    // The renderer is the map's: its transparency and opacity are put back as they were.
    const bool transparent = chips.Sheet().Transparent();
    const int opacity = chips.Sheet().Opacity();
    chips.SetTransparent(false);
    chips.SetFade(0);
    const int rows = Rows(mMode);
    for (int r = std::max(cells.top, 0); r < std::min(cells.bottom, rows); ++r)
        for (int c = std::max(cells.left, 0); c < std::min(cells.right, Columns); ++c)
            chips.DrawChip(mBoard, c * ChipCell, 0, ChipAt(c, r), false, ChipCell, r * ChipCell);
    chips.SetTransparent(transparent);
    chips.Sheet().SetOpacity(opacity);
    chips.DimmedSheet().SetOpacity(opacity);
}

void TFormChipSelector::drawFrame() {
    if (!HasSelection() || mMode < 0 || mMode > 2 || !hasMap()) return;
    DrawSelectionFrame(mBoard, kModeColours[mMode], ScaleRect(record().selection, ChipCell));
}

void TFormChipSelector::SetSelection(const TRect& cells) {
    if (mMode < 0 || mMode > 3) return;
    const TRect old = record().selection;
    record().selection = cells.left < 0 || cells.IsEmpty() ? TRect{-1, -1, -1, -1} : cells;
    // Erasing the old frame is drawing the cells under it again.
    if (old.left >= 0 && !old.IsEmpty()) {
        drawCells(old);
        mPaintBox->update(
            QRect(old.left * ChipCell, old.top * ChipCell, old.Width() * ChipCell, old.Height() * ChipCell));
    }
    drawFrame();
    const TRect& s = record().selection;
    if (s.left >= 0)
        mPaintBox->update(
            QRect(s.left * ChipCell, s.top * ChipCell, s.Width() * ChipCell, s.Height() * ChipCell));
}

void TFormChipSelector::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The frame keeps a client 192 pixels wide; a narrower pane gets a horizontal scroll bar.
    const int frame = 2 * mScrollBox->frameWidth();
    const int full = PaletteWidth + mScrollBox->verticalScrollBar()->sizeHint().width() + frame;
    mScrollBox->setGeometry(0, 0, std::min(width(), full), height());
}

// ---- mouse ----

void TFormChipSelector::onPress(QPoint at, Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    if (mDragging) {
        if (button != mDragButton) cancelDrag();
        return;
    }
    if (!hasMap() || mMode < 0 || mMode > 2) return;
    const int rows = Rows(mMode);
    TPoint cell{floorDiv(at.x(), ChipCell), floorDiv(at.y(), ChipCell)};
    if (cell.x < 0 || cell.y < 0 || cell.x >= Columns || cell.y >= rows) return;
    mSavedSelection = record().selection;
    mDragStart = cell;
    mDragging = true;
    mDragButton = button;
    mDelayPassed = false;
    mLastMouse = at;
    SetSelection({cell.x, cell.y, cell.x + 1, cell.y + 1});
    mDelayTimer.start();
    mAutoScrollTimer.start();
}

void TFormChipSelector::onMove(QPoint at) {
    if (!mDragging) return;
    mLastMouse = at;
    // Only chips of the layers make brushes of several chips; a new event shows one.
    if (!mDelayPassed || (mMode != 0 && mMode != 1)) return;
    const int rows = Rows(mMode);
    TPoint cell{std::clamp(floorDiv(at.x(), ChipCell), 0, Columns - 1),
                std::clamp(floorDiv(at.y(), ChipCell), 0, rows - 1)};
    cell.y = std::clamp(cell.y, mDragStart.y - DragReach, mDragStart.y + DragReach);
    const TRect rect = CellRect(mDragStart, cell);
    if (rect != record().selection) SetSelection(rect);
}

void TFormChipSelector::onRelease(Qt::MouseButton button) {
    if (!mDragging || button != mDragButton) return;
    mDragging = false;
    mDelayTimer.stop();
    mAutoScrollTimer.stop();
    if (onSelectionChanged) onSelectionChanged();
}

void TFormChipSelector::EndDrag() {
    if (mDragging) onRelease(mDragButton);
}

void TFormChipSelector::cancelDrag() {
    mDragging = false;
    mDelayTimer.stop();
    mAutoScrollTimer.stop();
    SetSelection(mSavedSelection);
}

void TFormChipSelector::autoScrollStep() {
    if (!mDragging) return;
    // The mouse relative to the visible part of the palette.
    QScrollBar* h = mScrollBox->horizontalScrollBar();
    QScrollBar* v = mScrollBox->verticalScrollBar();
    const QSize view = mScrollBox->viewport()->size();
    const int x = mLastMouse.x() - h->value(), y = mLastMouse.y() - v->value();
    auto speed = [](int fromEdge) { return std::min(20, std::max(0, (16 - fromEdge) / 2)); };
    int dx = 0, dy = 0;
    if (x < 16)
        dx = -speed(x);
    else if (x > view.width() - 1 - 16)
        dx = speed(view.width() - 1 - x);
    if (y < 16)
        dy = -speed(y);
    else if (y > view.height() - 1 - 16)
        dy = speed(view.height() - 1 - y);
    if (dx == 0 && dy == 0) return;
    const int oldX = h->value(), oldY = v->value();
    h->setValue(oldX + dx);
    v->setValue(oldY + dy);
    // The mouse stands still on the screen while the palette moves under it.
    mLastMouse += QPoint(h->value() - oldX, v->value() - oldY);
    onMove(mLastMouse);
}

} // namespace tarvel
