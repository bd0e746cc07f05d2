#include "DashBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace tarvel {

namespace {

constexpr int TextMargin = 4;

} // namespace

TDashBox::TDashBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
}

void TDashBox::SetText(const QString& text) {
    if (text == mText) return;
    mText = text;
    update();
}

QSize TDashBox::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 16 + 2 * (TextMargin + frameWidth()),
            metrics.height() + 2 * (frameWidth() + 2)};
}

QSize TDashBox::minimumSizeHint() const {
    return {QFontMetrics(font()).horizontalAdvance(QLatin1Char('0')) * 6, sizeHint().height()};
}

void TDashBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect().adjusted(TextMargin, 0, -TextMargin, 0);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(inside, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(mText, Qt::ElideRight, inside.width()));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TDashBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    emit clicked();
}

void TDashBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace tarvel
