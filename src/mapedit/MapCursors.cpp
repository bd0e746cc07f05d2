#include "MapCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

namespace tarvel {

namespace {

constexpr int kSize = 32;

// Every picture is drawn twice, a white outline under a black line, so it reads on any chip.
void outlined(QPainter& p, const QPainterPath& path, const QColor& fill = Qt::transparent) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setBrush(fill);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// A small crosshair at the hot spot, as every painting tool has: the cell under it is the one
// painted.
void crosshair(QPainter& p, QPointF at) {
    QPainterPath cross;
    cross.moveTo(at.x() - 5, at.y());
    cross.lineTo(at.x() + 5, at.y());
    cross.moveTo(at.x(), at.y() - 5);
    cross.lineTo(at.x(), at.y() + 5);
    outlined(p, cross);
}

QCursor makeCursor(TMapCursor which) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPoint hot(6, 6);
    switch (which) {
    case TMapCursor::Select: {
        crosshair(p, {6.5, 6.5});
        QPainterPath box;
        box.addRect(QRectF(12.5, 12.5, 14, 11));
        p.setPen(QPen(Qt::white, 3.0));
        p.drawPath(box);
        p.setPen(QPen(Qt::black, 1.0, Qt::DotLine));
        p.drawPath(box);
        break;
    }
    case TMapCursor::Zoom: {
        QPainterPath glass;
        glass.addEllipse(QPointF(12.5, 12.5), 8, 8);
        glass.moveTo(18.5, 18.5);
        glass.lineTo(27.5, 27.5);
        outlined(p, glass, QColor(200, 230, 255, 160));
        QPainterPath plus;
        plus.moveTo(8.5, 12.5);
        plus.lineTo(16.5, 12.5);
        plus.moveTo(12.5, 8.5);
        plus.lineTo(12.5, 16.5);
        outlined(p, plus);
        hot = {12, 12};
        break;
    }
    case TMapCursor::Pen: {
        crosshair(p, {6.5, 6.5});
        QPainterPath pencil;
        pencil.moveTo(12.5, 12.5);
        pencil.lineTo(15.5, 21.5);
        pencil.lineTo(26.5, 10.5);
        pencil.lineTo(21.5, 5.5);
        pencil.lineTo(12.5, 12.5);
        outlined(p, pencil, QColor(250, 200, 60));
        break;
    }
    case TMapCursor::Rectangle: {
        crosshair(p, {6.5, 6.5});
        QPainterPath box;
        box.addRect(QRectF(13.5, 13.5, 14, 11));
        outlined(p, box, QColor(120, 200, 120));
        break;
    }
    case TMapCursor::Ellipse: {
        crosshair(p, {6.5, 6.5});
        QPainterPath oval;
        oval.addEllipse(QRectF(12.5, 13.5, 16, 12));
        outlined(p, oval, QColor(120, 170, 230));
        break;
    }
    case TMapCursor::Fill: {
        crosshair(p, {6.5, 6.5});
        QPainterPath bucket;
        bucket.moveTo(14.5, 14.5);
        bucket.lineTo(22.5, 10.5);
        bucket.lineTo(27.5, 20.5);
        bucket.lineTo(19.5, 24.5);
        bucket.closeSubpath();
        outlined(p, bucket, QColor(200, 200, 200));
        QPainterPath drop;
        drop.addEllipse(QPointF(13.5, 23.5), 2.5, 3.5);
        outlined(p, drop, QColor(70, 120, 220));
        break;
    }
    case TMapCursor::Pick: {
        // An eyedropper whose tip is the hot spot.
        QPainterPath dropper;
        dropper.moveTo(2.5, 29.5);
        dropper.lineTo(5.5, 22.5);
        dropper.lineTo(17.5, 10.5);
        dropper.lineTo(21.5, 14.5);
        dropper.lineTo(9.5, 26.5);
        dropper.closeSubpath();
        outlined(p, dropper, QColor(230, 230, 240));
        QPainterPath bulb;
        bulb.addEllipse(QPointF(23.5, 8.5), 5, 5);
        outlined(p, bulb, QColor(40, 40, 40));
        hot = {2, 29};
        break;
    }
    case TMapCursor::DragScroll: {
        QPainterPath arrows;
        const QPointF c(15.5, 15.5);
        for (int d = 0; d < 4; ++d) {
            const double sx = d == 0 ? 1 : d == 1 ? -1 : 0, sy = d == 2 ? 1 : d == 3 ? -1 : 0;
            arrows.moveTo(c);
            arrows.lineTo(c.x() + sx * 12, c.y() + sy * 12);
            arrows.moveTo(c.x() + sx * 12 + sy * 4 - sx * 4, c.y() + sy * 12 + sx * 4 - sy * 4);
            arrows.lineTo(c.x() + sx * 12, c.y() + sy * 12);
            arrows.lineTo(c.x() + sx * 12 - sy * 4 - sx * 4, c.y() + sy * 12 - sx * 4 - sy * 4);
        }
        outlined(p, arrows);
        hot = {15, 15};
        break;
    }
    case TMapCursor::MoveSelection: {
        QPainterPath arrows;
        const QPointF c(15.5, 15.5);
        arrows.moveTo(c.x() - 10, c.y());
        arrows.lineTo(c.x() + 10, c.y());
        arrows.moveTo(c.x(), c.y() - 10);
        arrows.lineTo(c.x(), c.y() + 10);
        outlined(p, arrows);
        QPainterPath box;
        box.addRect(QRectF(c.x() - 4, c.y() - 4, 8, 8));
        outlined(p, box, Qt::white);
        hot = {15, 15};
        break;
    }
    }
    p.end();
    return QCursor(pixmap, hot.x(), hot.y());
}

} // namespace

const QCursor& MapCursor(TMapCursor which) {
    static std::map<TMapCursor, QCursor> cursors;
    auto it = cursors.find(which);
    if (it == cursors.end()) it = cursors.emplace(which, makeCursor(which)).first;
    return it->second;
}

} // namespace tarvel
