#include "RtpTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

#include "TestEnvironment.h"

namespace tarvel::test::rtp {

const QString& PackageFolder() {
    static const QString folder = [] {
        QString out = MakeTempFolder("rtp");
        ProcessResult r = RunProgram(BuildBinFolder() + "/tarvel-rtpgen", {out}, 120000);
        if (!r.finished || r.exitCode != 0) ADD_FAILURE() << "tarvel-rtpgen failed: " << r.err.toStdString();
        return out;
    }();
    return folder;
}

QString PackageFile(const QString& folder, const QString& name, const QString& extension) {
    return PackageFolder() + "/" + folder + "/" + name + "." + extension;
}

QStringList PackageNames(const QString& folder, const QString& extension) {
    QStringList names;
    for (const QString& f :
         QDir(PackageFolder() + "/" + folder).entryList({"*." + extension}, QDir::Files, QDir::Name))
        names << QFileInfo(f).completeBaseName();
    return names;
}

tarvel::rtp::IndexedImage LoadPicture(const QString& path) {
    QImage q(path);
    if (q.isNull()) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    if (q.format() != QImage::Format_Indexed8) {
        ADD_FAILURE() << path.toStdString() << " is not 8-bit paletted";
        return {};
    }
    tarvel::rtp::IndexedImage img(q.width(), q.height());
    QVector<QRgb> table = q.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
        img.Palette()[i] = {uint8_t(qRed(table[i])), uint8_t(qGreen(table[i])), uint8_t(qBlue(table[i]))};
    for (int y = 0; y < q.height(); ++y)
        for (int x = 0; x < q.width(); ++x)
            img.Set(x, y, q.scanLine(y)[x]);
    return img;
}

std::vector<std::pair<std::string, uint32_t>> PngChunks(const QByteArray& bytes) {
    std::vector<std::pair<std::string, uint32_t>> chunks;
    int pos = 8;
    while (pos + 8 <= bytes.size()) {
        auto b = [&](int i) { return uint32_t(uint8_t(bytes[pos + i])); };
        uint32_t len = (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
        chunks.push_back({bytes.mid(pos + 4, 4).toStdString(), len});
        pos += 12 + int(len);
    }
    return chunks;
}

int CountZero(const tarvel::rtp::IndexedImage& img, int x, int y, int w, int h) {
    int n = 0;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            n += img.At(xx, yy) == 0;
    return n;
}

bool SameCells(const tarvel::rtp::IndexedImage& a, int ax, int ay, const tarvel::rtp::IndexedImage& b, int bx,
               int by, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (a.At(ax + x, ay + y) != b.At(bx + x, by + y)) return false;
    return true;
}

} // namespace tarvel::test::rtp
