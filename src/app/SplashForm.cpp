#include "SplashForm.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>

namespace tarvel {

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;
constexpr int kTile = 16;

// A little tiled landscape along the bottom, in the spirit of what the editor paints: grass,
// a river with a shore, and a few trees, drawn tile by tile on a 16-pixel grid.
void drawLandscape(QPainter& p) {
    const int groundTop = 176;
    for (int y = groundTop; y < kHeight; y += kTile) {
        for (int x = 0; x < kWidth; x += kTile) {
            int col = x / kTile, row = (y - groundTop) / kTile;
            bool river = col >= 19 && col <= 22 + (row % 2);
            QColor base =
                river ? QColor(48, 96, 168) : ((col + row) % 2 ? QColor(70, 140, 64) : QColor(76, 148, 70));
            p.fillRect(x, y, kTile, kTile, base);
            if (river) {
                p.setPen(QColor(140, 190, 240));
                p.drawLine(x + 3, y + 5 + (col % 3), x + 9, y + 5 + (col % 3));
            } else {
                p.setPen(QColor(96, 172, 84));
                p.drawPoint(x + 4 + (col * 7) % 8, y + 3 + (row * 5) % 9);
                p.drawPoint(x + 11 - (col * 3) % 6, y + 10 - (row * 7) % 5);
            }
        }
    }
    // Shore lines where grass meets water.
    p.setPen(QPen(QColor(214, 200, 140), 2));
    p.drawLine(19 * kTile, groundTop, 19 * kTile, kHeight);
    p.drawLine(23 * kTile, groundTop, 23 * kTile, kHeight);

    auto tree = [&p](int x, int y) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(92, 60, 36));
        p.drawRect(x + 6, y + 16, 4, 10);
        p.setBrush(QColor(34, 92, 46));
        p.drawEllipse(QRect(x, y, 16, 20));
        p.setBrush(QColor(52, 122, 60));
        p.drawEllipse(QRect(x + 3, y + 2, 9, 10));
    };
    for (int x : {24, 56, 104, 420, 468})
        tree(x, groundTop - 14);

    // A small castle on the far bank.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(168, 160, 150));
    p.drawRect(392, 128, 52, 48);
    p.drawRect(384, 112, 16, 64);
    p.drawRect(436, 112, 16, 64);
    p.setBrush(QColor(200, 80, 64));
    QPainterPath roofs;
    roofs.addPolygon(QPolygonF({QPointF(382, 112), QPointF(392, 96), QPointF(402, 112)}));
    roofs.addPolygon(QPolygonF({QPointF(434, 112), QPointF(444, 96), QPointF(454, 112)}));
    p.drawPath(roofs);
    p.setBrush(QColor(60, 48, 40));
    p.drawRect(412, 152, 12, 24);
    p.setBrush(QColor(255, 214, 120));
    p.drawRect(389, 128, 6, 8);
    p.drawRect(441, 128, 6, 8);
}

} // namespace

QPixmap SplashPicture() {
    QPixmap picture(kWidth, kHeight);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);

    QLinearGradient sky(0, 0, 0, 180);
    sky.setColorAt(0.0, QColor(18, 22, 58));
    sky.setColorAt(0.6, QColor(58, 62, 120));
    sky.setColorAt(1.0, QColor(214, 132, 96));
    p.fillRect(0, 0, kWidth, kHeight, sky);

    QRandomGenerator stars(2026);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        int x = stars.bounded(kWidth), y = stars.bounded(110);
        int a = 90 + stars.bounded(160);
        p.setBrush(QColor(255, 255, 240, a));
        p.drawEllipse(QPointF(x, y), 0.8, 0.8);
    }
    p.setBrush(QColor(250, 240, 200));
    p.drawEllipse(QPointF(86, 52), 16, 16);
    p.setBrush(QColor(36, 40, 92));
    p.drawEllipse(QPointF(93, 47), 14, 14);

    p.setRenderHint(QPainter::Antialiasing, false);
    drawLandscape(p);
    p.setRenderHint(QPainter::Antialiasing, true);

    QFont title("DejaVu Serif", 46, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(QRect(3, 27, kWidth, 80), Qt::AlignHCenter | Qt::AlignVCenter, "Tarvel");
    p.setPen(QColor(255, 236, 170));
    p.drawText(QRect(0, 24, kWidth, 80), Qt::AlignHCenter | Qt::AlignVCenter, "Tarvel");

    QFont subtitle("DejaVu Sans", 11);
    p.setFont(subtitle);
    p.setPen(QColor(230, 230, 250));
    p.drawText(QRect(0, 100, kWidth, 24), Qt::AlignHCenter, "Make your own role-playing game");

    QFont small("DejaVu Sans", 8);
    p.setFont(small);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRect(0, kHeight - 18, kWidth - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
               "Version " TARVEL_VERSION);

    p.setPen(QPen(QColor(255, 236, 170), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, kWidth - 2, kHeight - 2));
    return picture;
}

TFormSplash::TFormSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mPicture(SplashPicture()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(kWidth / 2, kHeight / 2));
    QTimer::singleShot(ShowMilliseconds, this, &QWidget::close);
}

void TFormSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, mPicture);
}

void TFormSplash::mousePressEvent(QMouseEvent*) {
    close();
}

} // namespace tarvel
