#include "DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace tarvel {

namespace {

QWidget* ownerOf(QWidget* dialog) {
    QWidget* parent = dialog->parentWidget();
    return parent ? parent->window() : nullptr;
}

QScreen* screenOf(QWidget* window) {
    if (QWidget* owner = ownerOf(window))
        if (QScreen* s = owner->screen()) return s;
    if (QScreen* s = window->screen()) return s;
    return QGuiApplication::primaryScreen();
}

} // namespace

void ClampToScreen(QWidget* window) {
    QScreen* screen = screenOf(window);
    if (!screen) return;
    QRect area = screen->availableGeometry();
    int frame = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, window);
    QRect frameRect = window->frameGeometry();
    int width = frameRect.width(), height = frameRect.height();
    int left = frameRect.left(), top = frameRect.top();
    int maxRight = area.right() + 1 - 2 * frame;
    int maxBottom = area.bottom() + 1 - 2 * frame;
    if (left + width > maxRight) left = maxRight - width;
    if (top + height > maxBottom) top = maxBottom - height;
    if (left < area.left()) left = area.left();
    if (top < area.top()) top = area.top();
    window->move(left, top);
}

void CenterOnOwner(QWidget* dialog) {
    QWidget* owner = ownerOf(dialog);
    QRect frame = dialog->frameGeometry();
    QRect ownerRect;
    if (owner)
        ownerRect = owner->frameGeometry();
    else if (QScreen* s = screenOf(dialog))
        ownerRect = s->availableGeometry();
    dialog->move(ownerRect.center() - QPoint(frame.width() / 2, frame.height() / 2));
    ClampToScreen(dialog);
}

void PlaceNearOwner(QWidget* dialog, int dx, int dy) {
    QWidget* owner = ownerOf(dialog);
    QPoint origin = owner ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    dialog->move(origin + QPoint(dx, dy));
    ClampToScreen(dialog);
}

} // namespace tarvel
