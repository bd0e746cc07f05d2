#include "BoardView.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "graphics/PrismSheet.h"

namespace tarvel {

namespace {

QAbstractScrollArea* enclosingScrollArea(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) return area;
    return nullptr;
}

} // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent), mBackground(palette().color(QPalette::Window)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardView::SetBoard(const TPrismBoard* board) {
    mBoard = board;
    updateGeometry();
    update();
}

void BoardView::SetOrigin(QPoint origin) {
    if (origin == mOrigin) return;
    mOrigin = origin;
    update();
}

void BoardView::SetBackground(QColor colour) {
    mBackground = colour;
    update();
}

void BoardView::FitToBoard() {
    if (mBoard) setFixedSize(mBoard->Width(), mBoard->Height());
    updateGeometry();
    update();
}

QSize BoardView::sizeHint() const {
    return mBoard ? QSize(mBoard->Width(), mBoard->Height()) : QSize(0, 0);
}

QImage BoardView::ImageOf(const TPrismBoard& board) {
    if (board.Width() <= 0 || board.Height() <= 0) return {};
    // The board keeps every row at a multiple of 4 bytes, as QImage wants for outside memory.
    return QImage(const_cast<TPrismBoard&>(board).Bits(), board.Width(), board.Height(), board.RowStride(),
                  QImage::Format_RGB16);
}

QImage BoardView::ImageOf(const TPrismBoard& board, const QRect& part) {
    const QRect r = part & QRect(0, 0, board.Width(), board.Height());
    if (r.isEmpty()) return {};
    auto* bits = const_cast<TPrismBoard&>(board).Bits() + size_t(r.top()) * size_t(board.RowStride()) +
                 size_t(r.left()) * 2;
    return QImage(bits, r.width(), r.height(), board.RowStride(), QImage::Format_RGB16);
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QRect boardArea;
    if (mBoard && mBoard->Width() > 0 && mBoard->Height() > 0) {
        boardArea = QRect(-mOrigin, QSize(mBoard->Width(), mBoard->Height()));
        // Each exposed rectangle is drawn from its own part of the board, so a small change
        // converts a small picture.
        for (const QRect& r : event->region()) {
            const QRect exposed = r & boardArea;
            if (!exposed.isEmpty())
                painter.drawImage(exposed.topLeft(), ImageOf(*mBoard, exposed.translated(mOrigin)));
        }
    }
    QRegion rest = QRegion(event->rect()) - QRegion(boardArea);
    for (const QRect& r : rest)
        painter.fillRect(r, mBackground);
}

QPoint BoardView::boardPoint(const QPointF& widgetPoint) const {
    return widgetPoint.toPoint() + mOrigin;
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (mPanning && event->button() == Qt::MiddleButton) {
        if (QAbstractScrollArea* area = enclosingScrollArea(this)) {
            mPanActive = true;
            mPanStart = event->globalPosition().toPoint();
            mPanScrollFrom = {area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()};
            event->accept();
            return;
        }
    }
    emit boardMousePress(boardPoint(event->position()), event->button(), event->modifiers());
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    if (mPanActive) {
        if (QAbstractScrollArea* area = enclosingScrollArea(this)) {
            // The content follows the pointer, as when the page is held and dragged.
            QPoint moved = event->globalPosition().toPoint() - mPanStart;
            area->horizontalScrollBar()->setValue(mPanScrollFrom.x() - moved.x());
            area->verticalScrollBar()->setValue(mPanScrollFrom.y() - moved.y());
        }
        event->accept();
        return;
    }
    emit boardMouseMove(boardPoint(event->position()), event->buttons(), event->modifiers());
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (mPanActive && event->button() == Qt::MiddleButton) {
        mPanActive = false;
        event->accept();
        return;
    }
    emit boardMouseRelease(boardPoint(event->position()), event->button(), event->modifiers());
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (mPanning && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    emit boardDoubleClick(boardPoint(event->position()), event->button(), event->modifiers());
}

} // namespace tarvel
