#include "MapViewer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "controls/BoardView.h"
#include "mapedit_core/MapGraphics.h"

namespace tarvel {

namespace {

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool validCellSize(int size) {
    return size == 32 || size == 16 || size == 8 || size == 4;
}

// Scrolled by the wheel, per notch.
constexpr int kWheelStep = 48;

TQelMapTree& emptyTree() {
    static TQelMapTree tree;
    return tree;
}

} // namespace

// The paint box: shows the screen board and reports the mouse; just before it paints, the viewer
// brings the screen board up to date.
class TMapPaintBox : public BoardView {
public:
    explicit TMapPaintBox(TFormMapViewer* viewer) : BoardView(viewer), mViewer(viewer) {
        setMouseTracking(true);
        SetMiddleButtonPanning(false);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        mViewer->FlushDrawing();
        BoardView::paintEvent(event);
    }
    void leaveEvent(QEvent* event) override {
        BoardView::leaveEvent(event);
        mViewer->PaintBoxMouseLeave();
    }

private:
    TFormMapViewer* mViewer;
};

TFormMapViewer::TFormMapViewer(QWidget* parent)
    : QWidget(parent), mFront(std::make_unique<TPrismBoard>()), mBack(std::make_unique<TPrismBoard>()),
      mScreen(std::make_unique<TPrismBoard>()), mPaintBox(new TMapPaintBox(this)),
      mHBar(new QScrollBar(Qt::Horizontal, this)), mVBar(new QScrollBar(Qt::Vertical, this)),
      mAutoScroll(new QTimer(this)) {
    setObjectName("FormMapViewer");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    mPaintBox->setObjectName("PaintBox");
    mPaintBox->SetBoard(mScreen.get());
    mPaintBox->setFocusProxy(this);
    mHBar->hide();
    mVBar->hide();
    mAutoScroll->setInterval(AutoScrollInterval);
    connect(mAutoScroll, &QTimer::timeout, this, &TFormMapViewer::autoScrollStep);
    connect(mHBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!mUpdatingBars) ScrollTo(value, mScrollY);
    });
    connect(mVBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!mUpdatingBars) ScrollTo(mScrollX, value);
    });
    connect(mPaintBox, &BoardView::boardMousePress, this, &TFormMapViewer::onPaintBoxPress);
    connect(mPaintBox, &BoardView::boardMouseMove, this, &TFormMapViewer::onPaintBoxMove);
    connect(mPaintBox, &BoardView::boardMouseRelease, this, &TFormMapViewer::onPaintBoxRelease);
    connect(mPaintBox, &BoardView::boardDoubleClick, this, &TFormMapViewer::onPaintBoxDoubleClick);
    mCellPainter.SetMap(nullptr, &mEventMap);
}

TFormMapViewer::~TFormMapViewer() {
    // The paint box reports to the viewer; it goes while the viewer is still whole.
    delete mPaintBox;
}

BoardView* TFormMapViewer::PaintBox() const {
    return mPaintBox;
}

void TFormMapViewer::SetMap(TQelMap* map) {
    mMap = map;
    mCellPainter.SetMap(map, &mEventMap);
}

bool TFormMapViewer::HasMap() const {
    return mMap && mMap->LowerLayer.Width > 0 && mMap->LowerLayer.Height > 0 &&
           mMap->UpperLayer.Width == mMap->LowerLayer.Width &&
           mMap->UpperLayer.Height == mMap->LowerLayer.Height;
}

TMapViewLook TFormMapViewer::Look() const {
    TMapViewLook look;
    look.mode = 0;
    look.drawingTool = false;
    look.cellSize = mCellSize;
    return look;
}

TQelMapTreeItem* TFormMapViewer::ScrollItem() const {
    return mMapTree ? mMapTree->ActiveNode() : nullptr;
}

TRect TFormMapViewer::AreaFrame() const {
    if (!mMapTree || !mMap) return {};
    const TQelMapTreeItem* node = mMapTree->ActiveNode();
    if (!node || node->NodeKind != nkArea || node->ParentID != mMap->ID) return {};
    return {node->AreaRect.Left, node->AreaRect.Top, node->AreaRect.Right, node->AreaRect.Bottom};
}

void TFormMapViewer::DrawOverlays(TPrismBoard& screen) {
    const TRect area = AreaFrame();
    if (!area.IsEmpty()) DrawAreaFrame(screen, ViewRectOfCells(area));
}

TPoint TFormMapViewer::remembered() const {
    if (const TQelMapTreeItem* item = ScrollItem()) return {item->ScrollX, item->ScrollY};
    return mFallbackRemembered;
}

void TFormMapViewer::setRemembered(TPoint position) {
    mFallbackRemembered = position;
    if (TQelMapTreeItem* item = ScrollItem()) {
        item->ScrollX = position.x;
        item->ScrollY = position.y;
    }
}

// ---- layout and scrolling ----

void TFormMapViewer::layoutView() {
    const int mapW = HasMap() ? mMap->LowerLayer.Width * mCellSize : 0;
    const int mapH = HasMap() ? mMap->LowerLayer.Height * mCellSize : 0;
    const int barW = mVBar->sizeHint().width(), barH = mHBar->sizeHint().height();
    bool needH = false, needV = false;
    // A bar takes room from the other direction, which may call for the other bar.
    for (int pass = 0; pass < 2; ++pass) {
        const int cw = width() - (needV ? barW : 0), ch = height() - (needH ? barH : 0);
        needH = mapW > cw;
        needV = mapH > ch;
    }
    mClientSize =
        QSize(std::max(0, width() - (needV ? barW : 0)), std::max(0, height() - (needH ? barH : 0)));
    mVisibleSize = QSize(std::min(mapW, mClientSize.width()), std::min(mapH, mClientSize.height()));
    const int boardW = std::max(mFront->Width(), mVisibleSize.width());
    const int boardH = std::max(mFront->Height(), mVisibleSize.height());
    for (TPrismBoard* board : {mFront.get(), mBack.get(), mScreen.get()})
        if (board->Width() != boardW || board->Height() != boardH) board->SetSize(boardW, boardH);
    clampScroll();

    mHBar->setVisible(needH);
    mVBar->setVisible(needV);
    mHBar->setGeometry(0, mClientSize.height(), mClientSize.width(), barH);
    mVBar->setGeometry(mClientSize.width(), 0, barW, mClientSize.height());
    updateScrollBars();

    // A map smaller than the view stands in its middle.
    mPaintBox->setGeometry((mClientSize.width() - mVisibleSize.width()) / 2,
                           (mClientSize.height() - mVisibleSize.height()) / 2, mVisibleSize.width(),
                           mVisibleSize.height());
    RedrawAll();
    update();
    LaidOut();
    if (onResized) onResized(mClientSize);
}

void TFormMapViewer::clampScroll() {
    const int mapW = HasMap() ? mMap->LowerLayer.Width * mCellSize : 0;
    const int mapH = HasMap() ? mMap->LowerLayer.Height * mCellSize : 0;
    mScrollX = std::clamp(mScrollX, 0, std::max(0, mapW - mVisibleSize.width()));
    mScrollY = std::clamp(mScrollY, 0, std::max(0, mapH - mVisibleSize.height()));
}

void TFormMapViewer::updateScrollBars() {
    mUpdatingBars = true;
    const int mapW = HasMap() ? mMap->LowerLayer.Width * mCellSize : 0;
    const int mapH = HasMap() ? mMap->LowerLayer.Height * mCellSize : 0;
    mHBar->setRange(0, std::max(0, mapW - mVisibleSize.width()));
    mHBar->setPageStep(std::max(1, mVisibleSize.width()));
    mHBar->setSingleStep(mCellSize);
    mHBar->setValue(mScrollX);
    mVBar->setRange(0, std::max(0, mapH - mVisibleSize.height()));
    mVBar->setPageStep(std::max(1, mVisibleSize.height()));
    mVBar->setSingleStep(mCellSize);
    mVBar->setValue(mScrollY);
    mUpdatingBars = false;
}

void TFormMapViewer::setScroll(int x, int y, bool remember) {
    const int oldX = mScrollX, oldY = mScrollY;
    mScrollX = x;
    mScrollY = y;
    clampScroll();
    if (mScrollX == oldX && mScrollY == oldY) return;
    if (remember) {
        TPoint r = remembered();
        // At full size the remembered position is the scroll position itself; smaller cells
        // move it in proportion.
        if (mCellSize == 32) {
            if (mScrollX != oldX) r.x = mScrollX;
            if (mScrollY != oldY) r.y = mScrollY;
        } else {
            r.x += (mScrollX - oldX) * 32 / mCellSize;
            r.y += (mScrollY - oldY) * 32 / mCellSize;
        }
        setRemembered(r);
    }
    updateScrollBars();
    mPaintBox->update();
    // The hatching beside a map narrower or lower than the view moves with the content.
    if (mVisibleSize != mClientSize) update();
}

void TFormMapViewer::ScrollTo(int x, int y) {
    setScroll(x, y, true);
}

void TFormMapViewer::SetCellSize(int size) {
    if (!validCellSize(size) || size == mCellSize) return;
    const TPoint r = remembered();
    const int halfW = mClientSize.width() / 2, halfH = mClientSize.height() / 2;
    mCellSize = size;
    mScrollX = size * (r.x + halfW) / 32 - halfW;
    mScrollY = size * (r.y + halfH) / 32 - halfH;
    layoutView();
    if (onZoomChanged) onZoomChanged(mCellSize);
}

void TFormMapViewer::ZoomAround(int size, QPoint viewPoint) {
    if (!validCellSize(size) || size == mCellSize) return;
    // The map pixel under the mouse, scaled to the new size, stays under the mouse.
    const int64_t mx = int64_t(mScrollX) + viewPoint.x(), my = int64_t(mScrollY) + viewPoint.y();
    const int oldSize = mCellSize;
    mCellSize = size;
    mScrollX = int(mx * size / oldSize - viewPoint.x());
    mScrollY = int(my * size / oldSize - viewPoint.y());
    layoutView();
    // The remembered position describes the same centre, so a later zoom command keeps it.
    const int halfW = mClientSize.width() / 2, halfH = mClientSize.height() / 2;
    setRemembered({(mScrollX + halfW) * 32 / size - halfW, (mScrollY + halfH) * 32 / size - halfH});
    if (onZoomChanged) onZoomChanged(mCellSize);
}

void TFormMapViewer::LoadView() {
    if (mMap) mEventMap.Build(mMapTree ? *mMapTree : emptyTree(), *mMap);
    mCellPainter.SetMap(mMap, &mEventMap);
    // The client size depends on the scroll bars the map needs, so the view is laid out before
    // the remembered position is turned into a scroll position.
    layoutView();
    if (!mKeepScroll) {
        const TPoint r = remembered();
        const int halfW = mClientSize.width() / 2, halfH = mClientSize.height() / 2;
        mScrollX = (r.x + halfW) * mCellSize / 32 - halfW;
        mScrollY = (r.y + halfH) * mCellSize / 32 - halfH;
        clampScroll();
        updateScrollBars();
    }
    mCellPainter.LoadPanorama();
    RedrawAll();
    update();
}

void TFormMapViewer::RebuildEventMap() {
    if (mMap) mEventMap.Build(mMapTree ? *mMapTree : emptyTree(), *mMap);
    RedrawAll();
}

void TFormMapViewer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutView();
}

void TFormMapViewer::wheelEvent(QWheelEvent* event) {
    const QPoint steps = event->angleDelta() / 120;
    if (steps.isNull()) return;
    if (event->modifiers() & Qt::ShiftModifier || steps.y() == 0)
        ScrollBy(-(steps.y() ? steps.y() : steps.x()) * kWheelStep, 0);
    else
        ScrollBy(0, -steps.y() * kWheelStep);
    event->accept();
}

void TFormMapViewer::paintEvent(QPaintEvent* event) {
    // Around the paint box (a map smaller than the view, or no map) the hatching shows.
    QPainter painter(this);
    const QSize size = this->size();
    if (mHatch.Width() != size.width() || mHatch.Height() != size.height())
        mHatch.SetSize(std::max(1, size.width()), std::max(1, size.height()));
    const QRect r = event->rect() & QRect(QPoint(0, 0), mClientSize);
    if (!r.isEmpty()) {
        PaintHatchedBackground(mHatch, {r.left(), r.top(), r.right() + 1, r.bottom() + 1}, mScrollX,
                               mScrollY);
        painter.drawImage(r.topLeft(), BoardView::ImageOf(mHatch, r));
    }
    // The corner between two scroll bars.
    if (mHBar->isVisible() && mVBar->isVisible())
        painter.fillRect(QRect(mClientSize.width(), mClientSize.height(), size.width() - mClientSize.width(),
                               size.height() - mClientSize.height()),
                         palette().color(QPalette::Window));
}

// ---- drawing ----

TRect TFormMapViewer::visibleCells(int scrollX, int scrollY) const {
    return {floorDiv(scrollX, mCellSize), floorDiv(scrollY, mCellSize),
            floorDiv(scrollX + mVisibleSize.width() + mCellSize - 1, mCellSize),
            floorDiv(scrollY + mVisibleSize.height() + mCellSize - 1, mCellSize)};
}

void TFormMapViewer::drawCells(const TRect& cells) {
    const TRect in = visibleCells(mDrawnScrollX, mDrawnScrollY);
    const TRect r{std::max(cells.left, in.left), std::max(cells.top, in.top), std::min(cells.right, in.right),
                  std::min(cells.bottom, in.bottom)};
    if (r.IsEmpty()) return;
    mCellPainter.DrawCells(*mFront, r, mDrawnScrollX, mDrawnScrollY, Look());
}

void TFormMapViewer::DrawCellsNow(const TRect& cells) {
    if (mNeedFullRedraw || !HasMap()) return;
    drawCells(cells);
}

void TFormMapViewer::RedrawAll() {
    mNeedFullRedraw = true;
    mPaintBox->update();
}

void TFormMapViewer::RedrawCells(const TRect& cells) {
    if (mNeedFullRedraw || !HasMap()) return;
    drawCells(cells);
    const TRect px = {cells.left * mCellSize - mDrawnScrollX, cells.top * mCellSize - mDrawnScrollY,
                      cells.right * mCellSize - mDrawnScrollX, cells.bottom * mCellSize - mDrawnScrollY};
    InvalidateView(px);
}

void TFormMapViewer::InvalidateView(const TRect& px) {
    const QRect r = QRect(px.left, px.top, px.Width(), px.Height()) &
                    QRect(0, 0, mVisibleSize.width(), mVisibleSize.height());
    if (r.isEmpty()) return;
    mDirty += r;
    mPaintBox->update(r);
}

bool TFormMapViewer::RepaintPending() const {
    return mNeedFullRedraw || !mDirty.isEmpty() || mDrawnScrollX != mScrollX || mDrawnScrollY != mScrollY;
}

void TFormMapViewer::FlushDrawing() {
    const QRect whole(0, 0, mVisibleSize.width(), mVisibleSize.height());
    if (!HasMap() || whole.isEmpty()) {
        mNeedFullRedraw = false;
        mDirty = QRegion();
        mDrawnScrollX = mScrollX;
        mDrawnScrollY = mScrollY;
        Flushed();
        return;
    }
    const int dx = mScrollX - mDrawnScrollX, dy = mScrollY - mDrawnScrollY;
    if (!mNeedFullRedraw && (dx != 0 || dy != 0)) {
        if (std::abs(dx) >= mVisibleSize.width() || std::abs(dy) >= mVisibleSize.height()) {
            mNeedFullRedraw = true;
        } else {
            // The picture already drawn moves with the scroll; only the strips that came into
            // view are drawn.
            std::swap(mFront, mBack);
            mFront->CopyBoard(-dx, -dy, {0, 0, mBack->Width(), mBack->Height()}, *mBack);
            mDrawnScrollX = mScrollX;
            mDrawnScrollY = mScrollY;
            const int w = mVisibleSize.width(), h = mVisibleSize.height();
            auto strip = [&](int left, int top, int right, int bottom) {
                if (right <= left || bottom <= top) return;
                drawCells({floorDiv(left + mScrollX, mCellSize), floorDiv(top + mScrollY, mCellSize),
                           floorDiv(right + mScrollX + mCellSize - 1, mCellSize),
                           floorDiv(bottom + mScrollY + mCellSize - 1, mCellSize)});
            };
            if (dx > 0) strip(w - dx, 0, w, h);
            if (dx < 0) strip(0, 0, -dx, h);
            if (dy > 0) strip(0, h - dy, w, h);
            if (dy < 0) strip(0, 0, w, -dy);
            mDirty = whole;
        }
    }
    if (mNeedFullRedraw) {
        mNeedFullRedraw = false;
        mDrawnScrollX = mScrollX;
        mDrawnScrollY = mScrollY;
        mFront->Clear();
        drawCells(visibleCells(mScrollX, mScrollY));
        mDirty = whole;
    }
    if (!mDirty.isEmpty()) {
        for (const QRect& r : mDirty)
            mScreen->CopyBoard(r.left(), r.top(), {r.left(), r.top(), r.right() + 1, r.bottom() + 1},
                               *mFront);
        mDirty = QRegion();
        DrawOverlays(*mScreen);
    }
    Flushed();
}

// ---- coordinates ----

TPoint TFormMapViewer::CellAt(QPoint view) const {
    return {floorDiv(view.x() + mScrollX, mCellSize), floorDiv(view.y() + mScrollY, mCellSize)};
}

TPoint TFormMapViewer::NearestGridCorner(QPoint view) const {
    const int w = HasMap() ? mMap->LowerLayer.Width : 0, h = HasMap() ? mMap->LowerLayer.Height : 0;
    return {std::clamp(floorDiv(view.x() + mScrollX + mCellSize / 2, mCellSize), 0, w),
            std::clamp(floorDiv(view.y() + mScrollY + mCellSize / 2, mCellSize), 0, h)};
}

TRect TFormMapViewer::ViewRectOfCells(const TRect& cells) const {
    return {cells.left * mCellSize - mScrollX, cells.top * mCellSize - mScrollY,
            cells.right * mCellSize - mScrollX, cells.bottom * mCellSize - mScrollY};
}

// ---- mouse ----

void TFormMapViewer::onPaintBoxPress(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    mLastMouse = at;
    if (button == Qt::MiddleButton) {
        // The middle button holds the map and drags it.
        mDragScrolling = true;
        mDragScrollStart = at;
        mDragScrollFrom = {mScrollX, mScrollY};
        DragScrollChanged(true);
        return;
    }
    if (mDragScrolling) return;
    setFocus(Qt::MouseFocusReason);
    PaintBoxMouseDown(at, button, modifiers);
}

void TFormMapViewer::onPaintBoxMove(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    mLastMouse = at;
    if (mDragScrolling) {
        ScrollTo(mDragScrollFrom.x - (at.x() - mDragScrollStart.x()),
                 mDragScrollFrom.y - (at.y() - mDragScrollStart.y()));
        return;
    }
    PaintBoxMouseMove(at, buttons, modifiers);
}

void TFormMapViewer::onPaintBoxRelease(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    mLastMouse = at;
    if (button == Qt::MiddleButton) {
        if (mDragScrolling) {
            mDragScrolling = false;
            DragScrollChanged(false);
        }
        return;
    }
    if (mDragScrolling) return;
    PaintBoxMouseUp(at, button, modifiers);
}

void TFormMapViewer::onPaintBoxDoubleClick(QPoint at, Qt::MouseButton button,
                                           Qt::KeyboardModifiers modifiers) {
    if (button == Qt::MiddleButton) {
        onPaintBoxPress(at, button, modifiers);
        return;
    }
    mLastMouse = at;
    if (mDragScrolling) return;
    PaintBoxDoubleClick(at, button, modifiers);
}

// ---- auto-scroll ----

void TFormMapViewer::StartAutoScroll() {
    mAutoScroll->start();
}

void TFormMapViewer::StopAutoScroll() {
    mAutoScroll->stop();
}

bool TFormMapViewer::AutoScrolling() const {
    return mAutoScroll->isActive();
}

void TFormMapViewer::autoScrollStep() {
    // Within the margin of an edge, or beyond it, the view scrolls the faster the nearer the
    // mouse is to the edge (or the farther beyond it).
    auto speed = [](int fromEdge) {
        return 2 * std::min(20, std::max(0, (AutoScrollMargin - fromEdge) / 2));
    };
    const QPoint m = mLastMouse;
    int dx = 0, dy = 0;
    if (m.x() < AutoScrollMargin)
        dx = -speed(m.x());
    else if (m.x() > mVisibleSize.width() - 1 - AutoScrollMargin)
        dx = speed(mVisibleSize.width() - 1 - m.x());
    if (m.y() < AutoScrollMargin)
        dy = -speed(m.y());
    else if (m.y() > mVisibleSize.height() - 1 - AutoScrollMargin)
        dy = speed(mVisibleSize.height() - 1 - m.y());
    if (dx != 0 || dy != 0) ScrollBy(dx, dy);
    AutoScrolled(m);
}

} // namespace tarvel
