#include "ScriptList.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace tarvel {

namespace {

constexpr int TextLeft = 2;

} // namespace

TScriptListBox::TScriptListBox(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("ScriptList");
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // The texts line up by their blanks, as the renderer wrote them.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(false);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setSingleStep(1);
    mRepeatTimer.setInterval(RepeatInterval);
    connect(&mRepeatTimer, &QTimer::timeout, this, &TScriptListBox::RepeatTimerTick);
    updateScrollBar();
}

// ---- the lines ----

void TScriptListBox::SetItems(const QStringList& items) {
    mItems = items;
    itemsChanged();
}

void TScriptListBox::InsertItems(int index, const QStringList& texts) {
    index = std::clamp(index, 0, Count());
    for (int i = 0; i < texts.size(); ++i)
        mItems.insert(index + i, texts[i]);
    itemsChanged();
}

void TScriptListBox::RemoveItems(int index, int count) {
    if (index < 0 || count <= 0 || index >= Count()) return;
    count = std::min(count, Count() - index);
    mItems.erase(mItems.begin() + index, mItems.begin() + index + count);
    itemsChanged();
}

void TScriptListBox::ReplaceItems(const QStringList& texts) {
    if (texts.size() != mItems.size()) {
        SetItems(texts);
        return;
    }
    mItems = texts;
    // The structure of the texts may have changed with them (a broken line), so the selection is
    // worked out again on the same caret.
    itemsChanged();
}

void TScriptListBox::itemsChanged() {
    updateScrollBar();
    // The selection is always worked out again: ranges of the old lines may not exist any more.
    applyItemIndex(mItemIndex < 0 ? 0 : mItemIndex, true);
    viewport()->update();
}

// ---- structure ----

int TScriptListBox::IndentOf(int index) const {
    if (index < 0 || index >= Count()) return 0;
    const QString& text = mItems[index];
    int units = 0;
    while (units * 2 + 1 < text.size() && text[units * 2] == ' ' && text[units * 2 + 1] == ' ')
        ++units;
    return units;
}

bool TScriptListBox::IsHead(int index) const {
    if (index < 0 || index >= Count()) return false;
    const int at = IndentOf(index) * 2;
    return mItems[index].mid(at, 2) == QLatin1String("<>");
}

// ---- caret and selection ----

void TScriptListBox::SetItemIndex(int index) {
    applyItemIndex(index, false);
}

void TScriptListBox::applyItemIndex(int a, bool force) {
    const int count = Count();
    if (!mShift || mAnchor == -1) mAnchor = a;
    a = std::max(std::min(a, count - 1), -1);
    if (!force && a == mItemIndex && a != count - 1) return;
    if (count == 0) {
        mItemIndex = -1;
        mAnchor = -1;
        mSelStart = mSelEnd = -1;
        viewport()->update();
        return;
    }
    mItemIndex = a == -1 ? 0 : a;
    scrollToCaret();

    const int anchor = mAnchor < 0 ? mItemIndex : std::min(mAnchor, count - 1);
    const int lo = std::min(mItemIndex, anchor);
    const int hi = std::max(mItemIndex, anchor);
    int level = IndentOf(lo);
    for (int i = lo + 1; i <= hi; ++i)
        level = std::min(level, IndentOf(i));
    auto headAtLevel = [&](int i) { return IsHead(i) && IndentOf(i) == level; };

    int start = -1;
    for (int i = lo; i <= hi && start < 0; ++i)
        if (headAtLevel(i)) start = i;
    int end = start;
    for (int k = hi; k >= lo; --k) {
        if (!headAtLevel(k)) continue;
        end = k;
        for (int j = k + 1; j < count && IndentOf(j) >= level; ++j)
            if (headAtLevel(j)) {
                end = j - 1;
                break;
            }
        break;
    }
    // The script's own end line never joins a selection of several lines.
    if (end == count - 1 && (mItemIndex < count - 1 || start < count - 1) && start >= 0 && start < end)
        end = count - 2;
    mSelStart = start;
    mSelEnd = start < 0 ? -1 : end;
    viewport()->update();
}

void TScriptListBox::SetSelStart(int value) {
    mSelStart = std::clamp(value, -1, Count() - 1);
    mAnchor = mSelStart;
    if (mSelStart < 0) mSelEnd = -1;
    viewport()->update();
}

void TScriptListBox::SetSelEnd(int value) {
    mSelEnd = std::clamp(value, -1, Count() - 1);
    viewport()->update();
}

void TScriptListBox::NextHead() {
    for (int i = mItemIndex + 1; i < Count(); ++i)
        if (IsHead(i)) {
            SetItemIndex(i);
            return;
        }
}

void TScriptListBox::PreviousHead() {
    for (int i = std::min(mItemIndex, Count()) - 1; i >= 0; --i)
        if (IsHead(i)) {
            SetItemIndex(i);
            return;
        }
}

void TScriptListBox::HalfPageDown() {
    SetItemIndex(mItemIndex + VisibleRows() / 2);
    NextHead();
}

void TScriptListBox::HalfPageUp() {
    SetItemIndex(std::max(mItemIndex - VisibleRows() / 2, 0));
    PreviousHead();
}

// ---- the view ----

int TScriptListBox::LineHeight() const {
    return std::max(1, QFontMetrics(font()).height());
}

int TScriptListBox::VisibleRows() const {
    return viewport()->height() / LineHeight();
}

void TScriptListBox::SetTopIndex(int index) {
    index = std::clamp(index, 0, std::max(0, Count() - VisibleRows()));
    if (index == mTopIndex) return;
    // The scroll bar's change comes back through scrollContentsBy.
    if (verticalScrollBar()->isEnabled() && verticalScrollBar()->maximum() >= index)
        verticalScrollBar()->setValue(index);
    if (mTopIndex != index) {
        mTopIndex = index;
        viewport()->update();
    }
}

void TScriptListBox::scrollContentsBy(int, int) {
    mTopIndex = verticalScrollBar()->value();
    viewport()->update();
}

void TScriptListBox::updateScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    const int rows = VisibleRows();
    const QSignalBlocker block(bar);
    if (rows >= Count()) {
        bar->setRange(0, 0);
        bar->setEnabled(false);
        mTopIndex = 0;
    } else {
        bar->setEnabled(true);
        bar->setPageStep(rows);
        bar->setRange(0, Count() - rows);
        mTopIndex = std::clamp(mTopIndex, 0, Count() - rows);
    }
    bar->setValue(mTopIndex);
}

void TScriptListBox::scrollToCaret() {
    if (mItemIndex < 0) return;
    const int rows = std::max(1, VisibleRows());
    if (mItemIndex < mTopIndex)
        SetTopIndex(mItemIndex);
    else if (mItemIndex >= mTopIndex + rows)
        SetTopIndex(mItemIndex - rows + 1);
}

int TScriptListBox::RowAt(QPoint at) const {
    if (at.y() < 0 || at.x() < 0 || at.x() >= viewport()->width()) return -1;
    const int row = mTopIndex + at.y() / LineHeight();
    return row < Count() ? row : -1;
}

QRect TScriptListBox::RowRect(int index) const {
    const int lh = LineHeight();
    return {0, (index - mTopIndex) * lh, viewport()->width(), lh};
}

// ---- painting ----

void TScriptListBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    const QPalette& pal = palette();
    const bool focused = hasFocus();
    const int ascent = QFontMetrics(font()).ascent();
    painter.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    const int last = std::min(Count(), mTopIndex + VisibleRows() + 2);
    for (int i = mTopIndex; i < last; ++i) {
        const QRect row = RowRect(i);
        const bool selected = focused && IsSelected(i);
        painter.fillRect(row, pal.color(selected ? QPalette::Highlight : QPalette::Base));
        painter.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(row.left() + TextLeft, row.top() + ascent, mItems[i]);
        if (focused && i == mItemIndex) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = row;
            option.backgroundColor = pal.color(selected ? QPalette::Highlight : QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
}

// ---- keys ----

template <typename F>
void TScriptListBox::withShift(Qt::KeyboardModifiers modifiers, F operation) {
    mShift = modifiers & Qt::ShiftModifier;
    operation();
    mShift = false;
}

void TScriptListBox::keyPressEvent(QKeyEvent* event) {
    if (mCaptured) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    switch (event->key()) {
    case Qt::Key_PageUp:
        withShift(modifiers, [this] { HalfPageUp(); });
        break;
    case Qt::Key_PageDown:
        withShift(modifiers, [this] { HalfPageDown(); });
        break;
    case Qt::Key_End:
        withShift(modifiers, [this] { SetItemIndex(Count() - 1); });
        break;
    case Qt::Key_Home:
        withShift(modifiers, [this] { SetItemIndex(0); });
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        withShift(modifiers, [this] { PreviousHead(); });
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        withShift(modifiers, [this] { NextHead(); });
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ---- mouse ----

void TScriptListBox::mousePressEvent(QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    setFocus(Qt::MouseFocusReason);
    const int row = RowAt(event->position().toPoint());
    if (row >= 0 && !(button == Qt::RightButton && IsSelected(row)))
        withShift(event->modifiers(), [this, row] { SetItemIndex(row); });
    if (button == Qt::LeftButton) {
        mCaptured = true;
        mLastMouse = event->position().toPoint();
        mLastModifiers = event->modifiers();
        mRepeatTimer.start();
    }
    emit clicked();
}

void TScriptListBox::mouseMoveEvent(QMouseEvent* event) {
    if (!mCaptured) return;
    mLastMouse = event->position().toPoint();
    mLastModifiers = event->modifiers();
    const int row = RowAt(mLastMouse);
    if (row >= 0 && mLastMouse.y() < VisibleRows() * LineHeight())
        withShift(mLastModifiers, [this, row] { SetItemIndex(row); });
}

void TScriptListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) releaseCapture();
    if (event->button() == Qt::RightButton && viewport()->rect().contains(event->position().toPoint()))
        emit contextMenuRequested(viewport()->mapToGlobal(event->position().toPoint()));
}

void TScriptListBox::releaseCapture() {
    mCaptured = false;
    mRepeatTimer.stop();
}

void TScriptListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The double-click's second press captures like any press, so a drag can follow it.
        mousePressEvent(event);
        emit doubleClicked();
    }
}

void TScriptListBox::RepeatTimerTick() {
    if (!mCaptured) return;
    const int lh = LineHeight();
    const int rows = VisibleRows();
    if (mLastMouse.y() < 0) {
        SetTopIndex(mTopIndex - (mLastMouse.y() < -lh ? 2 : 1));
        withShift(mLastModifiers, [this] { SetItemIndex(mTopIndex); });
    } else if (mLastMouse.y() >= rows * lh) {
        SetTopIndex(mTopIndex + (mLastMouse.y() >= (rows + 1) * lh ? 2 : 1));
        const int last = std::min(mTopIndex + rows - 1, Count() - 1);
        withShift(mLastModifiers, [this, last] { SetItemIndex(last); });
    }
}

void TScriptListBox::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0 && hasFocus()) SetTopIndex(mTopIndex + (delta < 0 ? 1 : -1));
    event->accept();
}

void TScriptListBox::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's menu opens on the right button's release; only the keyboard's is taken here.
    if (event->reason() == QContextMenuEvent::Keyboard) emit contextMenuRequested(mapToGlobal(QPoint(0, 0)));
    event->accept();
}

// ---- focus and size ----

void TScriptListBox::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TScriptListBox::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    releaseCapture();
    viewport()->update();
}

void TScriptListBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
    viewport()->update();
}

void TScriptListBox::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateScrollBar();
}

} // namespace tarvel
