#include "ContactSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "ChipPreview.h"
#include "ChipsetLayout.h"
#include "PictureFile.h"
#include "RtpCatalog.h"
#include "SampleMaps.h"

namespace tarvel::rtp {

namespace {

struct SheetKind {
    const char* folder;
    int scale;
    bool transparent;
};

const SheetKind kKinds[] = {
    {"Backdrop", 1, false}, {"Battle", 1, true},    {"CharSet", 2, true}, {"ChipSet", 2, true},
    {"FaceSet", 2, true},   {"GameOver", 1, false}, {"Monster", 2, true}, {"Panorama", 1, false},
    {"Picture", 1, true},   {"System", 3, true},    {"Title", 1, false},
};

QImage toQImage(const IndexedImage& img, int scale, bool transparent) {
    QImage out(img.Width() * scale, img.Height() * scale, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            uint8_t v = img.At(x / scale, y / scale);
            if (v == 0 && transparent) {
                bool dark = ((x / 8) + (y / 8)) & 1;
                row[x] = dark ? qRgb(150, 150, 160) : qRgb(190, 190, 200);
            } else {
                Rgb c = img.Palette()[v];
                row[x] = qRgb(c.r, c.g, c.b);
            }
        }
    }
    return out;
}

struct Entry {
    QString label;
    QImage image;
};

QImage layout(const std::vector<Entry>& entries, int maxWidth) {
    const int pad = 8, labelH = 16;
    int x = pad, y = pad, rowH = 0, width = 0;
    std::vector<QPoint> places;
    for (const Entry& e : entries) {
        if (x > pad && x + e.image.width() > maxWidth) {
            x = pad;
            y += rowH + labelH + pad;
            rowH = 0;
        }
        places.push_back({x, y});
        x += std::max(e.image.width(), 90) + pad;
        width = std::max(width, x);
        rowH = std::max(rowH, e.image.height());
    }
    QImage sheet(width, y + rowH + labelH + pad, QImage::Format_RGB32);
    sheet.fill(qRgb(64, 66, 74));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(QColor(235, 235, 240));
    for (size_t i = 0; i < entries.size(); ++i) {
        p.drawImage(places[i], entries[i].image);
        p.drawText(places[i].x(), places[i].y() + entries[i].image.height() + 13, entries[i].label);
    }
    return sheet;
}

} // namespace

std::vector<std::string> WriteContactSheets(const std::string& packageDir, const std::string& sheetDir) {
    std::vector<std::string> sheets;
    QDir().mkpath(QString::fromStdString(sheetDir));
    for (const SheetKind& kind : kKinds) {
        QDir dir(QString::fromStdString(packageDir) + "/" + kind.folder);
        QStringList files = dir.entryList({"*.png"}, QDir::Files, QDir::Name);
        if (files.isEmpty()) continue;
        std::vector<Entry> entries;
        for (const QString& file : files) {
            IndexedImage img = LoadIndexedPng(dir.filePath(file).toStdString());
            QString name = QFileInfo(file).completeBaseName();
            entries.push_back({QString("%1 (%2 x %3)").arg(name).arg(img.Width()).arg(img.Height()),
                               toQImage(img, kind.scale, kind.transparent)});
            if (std::string(kind.folder) == "ChipSet")
                for (const catalog::Chipset& c : catalog::Chipsets())
                    if (name.toStdString() == c.name) {
                        IndexedImage map = RenderSampleMap(img, c.make());
                        entries.push_back({name + " sample map", toQImage(map, 2, false)});
                    }
        }
        QImage sheet = layout(entries, std::string(kind.folder) == "ChipSet" ? 2000 : 1400);
        std::string path = sheetDir + "/" + kind.folder + ".png";
        if (!sheet.save(QString::fromStdString(path))) throw std::runtime_error("cannot write " + path);
        sheets.push_back(path);
    }
    return sheets;
}

} // namespace tarvel::rtp
