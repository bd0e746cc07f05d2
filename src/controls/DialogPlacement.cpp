#include "DialogPlacement.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

// The room a window may take in a screen's available area: the area less two frame widths and
// heights, for the decoration a window manager adds.
QRect roomIn(QWidget* window, const QRect& area) {
    const int frame = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, window);
    return area.adjusted(0, 0, -2 * frame, -2 * frame);
}

// The size a window may take so that, with a title bar above it and a window manager's borders
// beside it (a few pixels more than the style's frame), it stays within the room.
QRect sizeRoomIn(QWidget* window, const QRect& area) {
    constexpr int borders = 8;
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return roomIn(window, area).adjusted(0, 0, -borders, -titleBar - borders);
}

QRect areaOf(QWidget* window) {
    QScreen* screen = screenOf(window);
    return screen ? screen->availableGeometry() : QRect();
}

// A window that was never resized by hand gets the size its layout asks for now, as showing it
// would give it, so that it is placed by its real size.
void settleSize(QWidget* window) {
    window->ensurePolished();
    if (QLayout* layout = window->layout()) layout->activate();
    if (!window->testAttribute(Qt::WA_Resized) && window->layout()) window->adjustSize();
}

// Moves every widget that the layout item holds, at any depth, into the new parent.
void reparentWidgets(QLayoutItem* item, QWidget* parent) {
    if (QWidget* widget = item->widget()) {
        widget->setParent(parent);
        return;
    }
    if (QLayout* layout = item->layout())
        for (int i = 0; i < layout->count(); ++i)
            reparentWidgets(layout->itemAt(i), parent);
}

// A window larger than the room on its screen shows everything above its last row (the row of
// buttons) in a scroll area, so that the buttons and the title bar stay within reach.
void scrollWhenTooLarge(QWidget* window, const QRect& room) {
    auto* top = qobject_cast<QBoxLayout*>(window->layout());
    if (!top || top->count() < 2 || top->direction() != QBoxLayout::TopToBottom) return;
    const QSize wanted = window->sizeHint().expandedTo(window->minimumSizeHint());
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) return;
    if (window->findChild<QScrollArea*>(QStringLiteral("PlacementScrollArea"), Qt::FindDirectChildrenOnly)) {
        // Already scrolling (placed before on a larger screen): it only takes the room there is.
        window->setMaximumSize(room.size());
        window->resize(window->size().boundedTo(room.size()));
        return;
    }

    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QStringLiteral("PlacementScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* inner = new QWidget;
    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(0, 0, 0, 0);
    innerLayout->setSpacing(top->spacing());
    while (top->count() > 1) {
        QLayoutItem* item = top->takeAt(0);
        reparentWidgets(item, inner);
        innerLayout->addItem(item);
    }
    scroll->setWidget(inner);
    top->insertWidget(0, scroll, 1);

    // The window may now be smaller than its contents: it takes the room there is.
    top->setSizeConstraint(QLayout::SetDefaultConstraint);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(room.size());
    const QSize contents = inner->sizeHint() + QSize(scroll->verticalScrollBar()->sizeHint().width() + 4, 4);
    const QSize buttons = top->itemAt(1)->sizeHint();
    const QMargins margins = top->contentsMargins();
    QSize size(contents.width() + margins.left() + margins.right(),
               contents.height() + buttons.height() + top->spacing() + margins.top() + margins.bottom());
    window->resize(size.boundedTo(room.size()));
}

} // namespace

void ClampToScreen(QWidget* window) {
    ClampInto(window, areaOf(window));
}

void ClampInto(QWidget* window, const QRect& area) {
    if (area.isEmpty()) return;
    const QRect room = roomIn(window, area);
    QRect frameRect = window->frameGeometry();
    int width = frameRect.width(), height = frameRect.height();
    int left = frameRect.left(), top = frameRect.top();
    int maxRight = room.right() + 1;
    int maxBottom = room.bottom() + 1;
    if (left + width > maxRight) left = maxRight - width;
    if (top + height > maxBottom) top = maxBottom - height;
    if (left < room.left()) left = room.left();
    if (top < room.top()) top = room.top();
    window->move(left, top);
}

void FitOnScreen(QWidget* window) {
    FitInto(window, areaOf(window));
}

void FitInto(QWidget* window, const QRect& area) {
    settleSize(window);
    if (!area.isEmpty()) scrollWhenTooLarge(window, sizeRoomIn(window, area));
}

void CenterOnOwner(QWidget* dialog) {
    FitOnScreen(dialog);
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
    FitOnScreen(dialog);
    QWidget* owner = ownerOf(dialog);
    QPoint origin = owner ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    dialog->move(origin + QPoint(dx, dy));
    ClampToScreen(dialog);
}

} // namespace tarvel
