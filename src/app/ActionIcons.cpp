#include "ActionIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace tarvel {

namespace {

constexpr int kSize = 20;
const QColor kInk(40, 44, 60);
const QColor kPaper(250, 250, 244);
const QColor kBlue(58, 110, 190);
const QColor kGreen(60, 150, 80);
const QColor kRed(200, 70, 60);
const QColor kGold(226, 176, 60);

using Painter = std::function<void(QPainter&)>;

void page(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    QPolygonF sheet(
        {QPointF(4.5, 2.5), QPointF(12.5, 2.5), QPointF(16.5, 6.5), QPointF(16.5, 17.5), QPointF(4.5, 17.5)});
    p.drawPolygon(sheet);
    p.drawLine(QPointF(12.5, 2.5), QPointF(12.5, 6.5));
    p.drawLine(QPointF(12.5, 6.5), QPointF(16.5, 6.5));
}

void folder(QPainter& p, const QColor& color) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(color);
    QPolygonF shape({QPointF(2.5, 5.5), QPointF(8.5, 5.5), QPointF(10.5, 7.5), QPointF(17.5, 7.5),
                     QPointF(17.5, 16.5), QPointF(2.5, 16.5)});
    p.drawPolygon(shape);
}

void floppy(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(3.5, 3.5, 13, 13), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 3.5, 7, 5));
    p.setBrush(QColor(220, 220, 230));
    p.drawRect(QRectF(5.5, 11.5, 9, 5));
}

void layers(QPainter& p, int highlighted) {
    for (int i = 0; i < 2; ++i) {
        QPolygonF diamond(
            {QPointF(10, 3 + i * 6), QPointF(18, 7 + i * 6), QPointF(10, 11 + i * 6), QPointF(2, 7 + i * 6)});
        p.setPen(QPen(kInk, 1));
        p.setBrush(i == highlighted ? kGreen : QColor(200, 204, 214));
        p.drawPolygon(diamond);
    }
}

void magnifier(QPainter& p, const QString& label) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(210, 230, 250));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    p.drawLine(QPointF(12, 12), QPointF(17.5, 17.5));
    if (!label.isEmpty()) {
        QFont f("DejaVu Sans", 5, QFont::Bold);
        p.setFont(f);
        p.setPen(kInk);
        p.drawText(QRectF(2.5, 2.5, 11, 11), Qt::AlignCenter, label);
    }
}

const QHash<QString, Painter>& painters() {
    static const QHash<QString, Painter> table = {
        {"Action_ProjectNew",
         [](QPainter& p) {
             page(p);
             p.setPen(QPen(kGold, 2));
             p.drawLine(QPointF(14, 12), QPointF(14, 18));
             p.drawLine(QPointF(11, 15), QPointF(17, 15));
         }},
        {"Action_ProjectOpen", [](QPainter& p) { folder(p, kGold); }},
        {"Action_ProjectClose",
         [](QPainter& p) {
             folder(p, QColor(200, 190, 170));
             p.setPen(QPen(kRed, 2));
             p.drawLine(QPointF(8, 9), QPointF(14, 15));
             p.drawLine(QPointF(14, 9), QPointF(8, 15));
         }},
        {"Action_ProjectPack",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(190, 150, 100));
             p.drawRect(QRectF(3.5, 7.5, 13, 9));
             p.setBrush(QColor(220, 180, 120));
             p.drawPolygon(
                 QPolygonF({QPointF(3.5, 7.5), QPointF(6.5, 3.5), QPointF(13.5, 3.5), QPointF(16.5, 7.5)}));
             p.drawLine(QPointF(10, 7.5), QPointF(10, 16.5));
         }},
        {"Action_Exit",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(150, 110, 80));
             p.drawRect(QRectF(4.5, 2.5, 9, 15));
             p.setPen(QPen(kRed, 2));
             p.drawLine(QPointF(9, 10), QPointF(18, 10));
             p.drawLine(QPointF(15, 7), QPointF(18, 10));
             p.drawLine(QPointF(15, 13), QPointF(18, 10));
         }},
        {"Action_MapSave", [](QPainter& p) { floppy(p); }},
        {"Action_MapRevert",
         [](QPainter& p) {
             p.setPen(QPen(kBlue, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(4, 4, 12, 12), 90 * 16, 270 * 16);
             p.drawLine(QPointF(10, 4), QPointF(13, 1.5));
             p.drawLine(QPointF(10, 4), QPointF(13, 6.5));
         }},
        {"Action_MapModeLayer1", [](QPainter& p) { layers(p, 1); }},
        {"Action_MapModeLayer2", [](QPainter& p) { layers(p, 0); }},
        {"Action_MapModeEvent",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kGold);
             p.drawRoundedRect(QRectF(3.5, 3.5, 13, 13), 2, 2);
             QFont f("DejaVu Sans", 8, QFont::Bold);
             p.setFont(f);
             p.drawText(QRectF(3.5, 3.5, 13, 13), Qt::AlignCenter, "E");
         }},
        {"Action_MapScale1", [](QPainter& p) { magnifier(p, "1"); }},
        {"Action_MapScale2", [](QPainter& p) { magnifier(p, "2"); }},
        {"Action_MapScale3", [](QPainter& p) { magnifier(p, "4"); }},
        {"Action_MapScale4", [](QPainter& p) { magnifier(p, "8"); }},
        {"Action_ToolDataBase",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(120, 170, 220));
             p.drawRect(QRectF(4.5, 5, 11, 11));
             p.drawEllipse(QRectF(4.5, 13, 11, 5));
             p.drawEllipse(QRectF(4.5, 2.5, 11, 5));
         }},
        {"Action_ToolMaterial",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(240, 220, 180));
             p.drawEllipse(QRectF(2.5, 3.5, 15, 13));
             const QColor dots[] = {kRed, kGreen, kBlue, kGold};
             for (int i = 0; i < 4; ++i) {
                 p.setBrush(dots[i]);
                 p.drawEllipse(QRectF(5 + (i % 2) * 6, 5.5 + (i / 2) * 5, 3.5, 3.5));
             }
         }},
        {"Action_ToolSelectMusic",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.5));
             p.setBrush(kInk);
             p.drawEllipse(QRectF(3, 13, 5, 4));
             p.drawEllipse(QRectF(11, 11, 5, 4));
             p.drawLine(QPointF(8, 15), QPointF(8, 4));
             p.drawLine(QPointF(16, 13), QPointF(16, 2));
             p.drawLine(QPointF(8, 4), QPointF(16, 2));
         }},
        {"Action_GameTestPlay",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kGreen);
             p.drawPolygon(QPolygonF({QPointF(5, 3), QPointF(17, 10), QPointF(5, 17)}));
         }},
        {"Action_GameFullScreen",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(40, 50, 80));
             p.drawRect(QRectF(2.5, 3.5, 15, 11));
             p.setPen(QPen(kPaper, 1.5));
             p.drawLine(QPointF(5, 6), QPointF(8, 6));
             p.drawLine(QPointF(5, 6), QPointF(5, 8));
             p.drawLine(QPointF(15, 12), QPointF(12, 12));
             p.drawLine(QPointF(15, 12), QPointF(15, 10));
             p.setPen(QPen(kInk, 1));
             p.drawLine(QPointF(7, 17.5), QPointF(13, 17.5));
         }},
        {"Action_GameShowTitle",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(90, 60, 120));
             p.drawRect(QRectF(2.5, 3.5, 15, 13));
             QFont f("DejaVu Serif", 7, QFont::Bold);
             p.setFont(f);
             p.setPen(kGold);
             p.drawText(QRectF(2.5, 3.5, 15, 13), Qt::AlignCenter, "T");
         }},
        {"Action_HelpContents",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kBlue);
             p.drawEllipse(QRectF(2.5, 2.5, 15, 15));
             QFont f("DejaVu Sans", 9, QFont::Bold);
             p.setFont(f);
             p.setPen(kPaper);
             p.drawText(QRectF(2.5, 2.5, 15, 15), Qt::AlignCenter, "?");
         }},
        {"Action_HelpAbout",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kGreen);
             p.drawEllipse(QRectF(2.5, 2.5, 15, 15));
             QFont f("DejaVu Serif", 9, QFont::Bold);
             p.setFont(f);
             p.setPen(kPaper);
             p.drawText(QRectF(2.5, 2.5, 15, 15), Qt::AlignCenter, "i");
         }},
        {"Action_MapToolUndo",
         [](QPainter& p) {
             p.setPen(QPen(kBlue, 2));
             p.setBrush(Qt::NoBrush);
             QPainterPath path;
             path.moveTo(5, 8);
             path.cubicTo(9, 3, 18, 5, 15, 14);
             p.drawPath(path);
             p.drawLine(QPointF(5, 8), QPointF(5, 3.5));
             p.drawLine(QPointF(5, 8), QPointF(9.5, 8));
         }},
        {"Action_MapToolSelect",
         [](QPainter& p) {
             QPen pen(kInk, 1, Qt::DashLine);
             p.setPen(pen);
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(3.5, 4.5, 13, 11));
         }},
        {"Action_MapToolZoom", [](QPainter& p) { magnifier(p, ""); }},
        {"Action_MapToolPen",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kGold);
             p.drawPolygon(QPolygonF({QPointF(13, 2.5), QPointF(17.5, 7), QPointF(7, 17.5),
                                      QPointF(2.5, 17.5), QPointF(2.5, 13)}));
             p.setBrush(kInk);
             p.drawPolygon(QPolygonF({QPointF(2.5, 17.5), QPointF(2.5, 14.5), QPointF(5.5, 17.5)}));
         }},
        {"Action_MapToolRect",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kGreen);
             p.drawRect(QRectF(3.5, 4.5, 13, 11));
         }},
        {"Action_MapToolEllipse",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kGreen);
             p.drawEllipse(QRectF(2.5, 4.5, 15, 11));
         }},
        {"Action_MapToolSeedFill",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(200, 200, 210));
             p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(9, 3), QPointF(16, 10), QPointF(10, 16)}));
             p.setBrush(kBlue);
             p.drawEllipse(QRectF(14.5, 12.5, 4, 5));
         }},
    };
    return table;
}

} // namespace

QIcon ActionIcon(const QString& actionName) {
    auto it = painters().find(actionName);
    if (it == painters().end()) return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    it.value()(p);
    p.end();
    return QIcon(pixmap);
}

} // namespace tarvel
