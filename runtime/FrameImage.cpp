#include "FrameImage.h"

#include <QPainter>

namespace tarvel::runtime {

QImage FrameImage(const game::TGameFrame& frame, int scale) {
    const TPrismBoard& board = frame.board;
    const QImage screen(reinterpret_cast<const uchar*>(board.Row(0)), board.Width(), board.Height(),
                        board.RowStride(), QImage::Format_RGB16);
    QImage image = (scale == 1 ? screen.copy()
                               : screen.scaled(board.Width() * scale, board.Height() * scale,
                                               Qt::IgnoreAspectRatio, Qt::FastTransformation))
                       .convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const game::TFrameText& t : frame.texts) {
        QFont font = p.font();
        font.setPixelSize(t.size * scale);
        p.setFont(font);
        int flags = Qt::AlignVCenter;
        flags |= t.align == game::TFrameText::Right    ? Qt::AlignRight
                 : t.align == game::TFrameText::Center ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
        if (t.wrap) flags = (flags & ~Qt::AlignVCenter) | Qt::AlignTop | Qt::TextWordWrap;
        const QRect box(t.x * scale, t.y * scale, t.w * scale, t.h * scale);
        const QString text = QString::fromUtf8(t.text.data(), int(t.text.size()));
        p.setPen(QColor(t.shadow.red, t.shadow.green, t.shadow.blue));
        p.drawText(box.translated(scale, scale), flags, text);
        p.setPen(QColor(t.colour.red, t.colour.green, t.colour.blue));
        p.drawText(box, flags, text);
    }
    return image;
}

} // namespace tarvel::runtime
