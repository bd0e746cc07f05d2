#include "PictureFile.h"

#include <QBuffer>
#include <QImage>
#include <stdexcept>

#include "records/Stream.h"

namespace tarvel::rtp {

void SaveIndexedPng(const std::string& path, const IndexedImage& image) {
    QImage q(image.Width(), image.Height(), QImage::Format_Indexed8);
    QVector<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(image.Palette()[i].r, image.Palette()[i].g, image.Palette()[i].b);
    q.setColorTable(table);
    for (int y = 0; y < image.Height(); ++y)
        std::copy(image.Row(y), image.Row(y) + image.Width(), q.scanLine(y));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!q.save(&buffer, "PNG")) throw std::runtime_error("cannot encode " + path);
    WriteFileAtomically(path, reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

} // namespace tarvel::rtp

namespace tarvel::rtp {
IndexedImage LoadIndexedPng(const std::string& path) {
    QImage q(QString::fromStdString(path));
    if (q.isNull()) throw std::runtime_error("cannot read " + path);
    if (q.format() != QImage::Format_Indexed8) throw std::runtime_error(path + " is not paletted");
    IndexedImage image(q.width(), q.height());
    QVector<QRgb> table = q.colorTable();
    for (int i = 0; i < 256 && i < table.size(); ++i)
        image.Palette()[i] = {uint8_t(qRed(table[i])), uint8_t(qGreen(table[i])), uint8_t(qBlue(table[i]))};
    for (int y = 0; y < q.height(); ++y)
        for (int x = 0; x < q.width(); ++x)
            image.Set(x, y, q.scanLine(y)[x]);
    return image;
}
} // namespace tarvel::rtp
