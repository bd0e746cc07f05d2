// BMP reading and writing through QtGui's QImage: the only use of Qt in the graphics library.
#include <QBuffer>
#include <QImage>
#include <cstring>

#include "PictureFile.h"

namespace tarvel {

void ReadBmpStream(TBitmap& bitmap, TMemoryStream& stream) {
    const int64_t remaining = stream.Remaining();
    QImage image;
    const bool loaded =
        remaining > 0 && image.loadFromData(stream.Data() + stream.Position(),
                                            int(std::min<int64_t>(remaining, INT32_MAX)), "BMP");
    if (!loaded || image.isNull()) throw EPictureError("Bitmap image is not valid");
    stream.SetPosition(stream.Size());
    if (!PictureSizeAcceptable(uint64_t(image.width()), uint64_t(image.height())))
        throw EPictureError("Bitmap image is not valid");

    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
        image.format() == QImage::Format_MonoLSB) {
        const QVector<QRgb> table = image.colorTable();
        if (image.format() != QImage::Format_Indexed8)
            image = image.convertToFormat(QImage::Format_Indexed8, table);
        bitmap.Reset(TPixelFormat::pf8bit, image.width(), image.height());
        bitmap.Palette() = TPalette{};
        for (int i = 0; i < table.size() && i < 256; ++i)
            bitmap.Palette()[i] = {uint8_t(qRed(table[i])), uint8_t(qGreen(table[i])),
                                   uint8_t(qBlue(table[i])), 0};
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(bitmap.ScanLine(y), image.constScanLine(y), size_t(image.width()));
        return;
    }
    // BGR888 keeps blue, green, red in memory: our row layout.
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    bitmap.Reset(TPixelFormat::pf24bit, bgr.width(), bgr.height());
    for (int y = 0; y < bgr.height(); ++y)
        std::memcpy(bitmap.ScanLine(y), bgr.constScanLine(y), bitmap.RowBytes());
}

void WriteBmpStream(const TBitmap& bitmap, TMemoryStream& stream) {
    QImage image;
    if (IsIndexed(bitmap.PixelFormat())) {
        TBitmap picture = bitmap;
        picture.SetPixelFormat(TPixelFormat::pf8bit);
        image = QImage(picture.Width(), picture.Height(), QImage::Format_Indexed8);
        QVector<QRgb> table(256);
        for (int i = 0; i < 256; ++i)
            table[i] = qRgb(picture.Palette()[i].red, picture.Palette()[i].green, picture.Palette()[i].blue);
        image.setColorTable(table);
        for (int y = 0; y < picture.Height(); ++y)
            std::memcpy(image.scanLine(y), picture.ScanLine(y), size_t(picture.Width()));
    } else {
        image = QImage(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
        for (int y = 0; y < bitmap.Height(); ++y) {
            uchar* out = image.scanLine(y);
            for (int x = 0; x < bitmap.Width(); ++x)
                bitmap.PixelColor(x, y, out[x * 3], out[x * 3 + 1], out[x * 3 + 2]);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP")) throw EPictureError("Bitmap image is not valid");
    stream.Write(bytes.constData(), size_t(bytes.size()));
}

} // namespace tarvel
