#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvel {

QImage DrawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Drawn on a 64-unit grid and scaled, so every size shows the same picture.
    p.scale(size / 64.0, size / 64.0);

    // The sheet: parchment with a darker edge and a soft shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(QRectF(5, 6, 56, 56), 8, 8);
    p.setBrush(QColor(244, 226, 178));
    p.setPen(QPen(QColor(150, 112, 60), 2));
    p.drawRoundedRect(QRectF(3, 3, 56, 56), 8, 8);

    // Water along the bottom and the left.
    QPainterPath water;
    water.moveTo(6, 40);
    water.cubicTo(16, 34, 22, 46, 34, 42);
    water.cubicTo(44, 38, 50, 48, 56, 44);
    water.lineTo(56, 54);
    water.quadTo(56, 56, 54, 56);
    water.lineTo(8, 56);
    water.quadTo(6, 56, 6, 54);
    water.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 128, 206));
    p.drawPath(water);

    // Land: two green hills.
    QPainterPath land;
    land.moveTo(6, 40);
    land.cubicTo(12, 24, 24, 20, 32, 30);
    land.cubicTo(38, 20, 50, 18, 56, 30);
    land.lineTo(56, 44);
    land.cubicTo(50, 48, 44, 38, 34, 42);
    land.cubicTo(22, 46, 16, 34, 6, 40);
    land.closeSubpath();
    p.setBrush(QColor(96, 168, 88));
    p.drawPath(land);

    // A grid of cells over the sheet, as on a map being painted.
    p.setPen(QPen(QColor(90, 70, 40, 70), 0.8));
    for (int i = 11; i < 56; i += 8) {
        p.drawLine(QPointF(i, 6), QPointF(i, 56));
        p.drawLine(QPointF(6, i), QPointF(56, i));
    }

    // The pennant on the right hill.
    p.setPen(QPen(QColor(70, 50, 30), 2));
    p.drawLine(QPointF(44, 26), QPointF(44, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 60, 52));
    QPolygonF flag({QPointF(44, 10), QPointF(56, 14), QPointF(44, 18)});
    p.drawPolygon(flag);
    return image;
}

} // namespace tarvel
