#include "MaterialBase.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <set>
#include <utility>

#include "FileCopy.h"
#include "graphics/PictureFile.h"
#include "platform/Paths.h"

namespace tarvel {

namespace {

constexpr int kNoLimit = 1;

const MaterialSizeRule kSizeRules[] = {
    {"Backdrop", 320, 160, 320, 160, false},
    {"Battle", kNoLimit, kNoLimit, 480, 480, true},
    {"CharSet", 288, 256, 288, 256, true},
    {"ChipSet", 480, 256, 480, 256, true},
    {"FaceSet", 192, 192, 192, 192, true},
    {"GameOver", 320, 240, 320, 240, false},
    {"Monster", 16, 16, 320, 160, true},
    {"Panorama", 80, 80, 640, 480, false},
    {"Picture", kNoLimit, kNoLimit, 640, 480, true},
    {"System", 160, 80, 160, 80, true},
    {"Title", 320, 240, 320, 240, false},
};

std::string utf8(const QString& text) {
    return text.toStdString();
}

QString suffixOf(const QString& file) {
    return QFileInfo(file).suffix().toLower();
}

} // namespace

const MaterialSizeRule* ImportSizeRule(const QString& kind) {
    for (const MaterialSizeRule& rule : kSizeRules)
        if (kind == rule.kind) return &rule;
    return nullptr;
}

bool IsImageKind(const QString& kind) {
    return ImportSizeRule(kind) != nullptr;
}

QString ImportFilterText(const QString& kind) {
    if (kind == "Movie") return "Movie files (*.avi;*.mpg)|*.avi;*.mpg|";
    if (kind == "Music") return "MIDI file (*.mid)|*.mid|WAVE file (*.wav)|*.wav|";
    if (kind == "Sound") return "WAVE file (*.wav)|*.wav|";
    // GIF and JPEG pictures are read by the import decoder too.
    return "Image files (*.bmp;*.png;*.xyz;*.gif;*.jpg;*.jpeg)|*.bmp;*.png;*.xyz;*.gif;*.jpg;*.jpeg|";
}

QString ImportDefaultExtension(const QString& kind) {
    if (kind == "Movie") return "avi";
    if (kind == "Music") return "mid";
    if (kind == "Sound") return "wav";
    return "bmp";
}

QString ExportFilterText(const QString& kind, const QString& materialFile) {
    const QString suffix = suffixOf(materialFile);
    if (kind == "Movie") return suffix == "avi" ? "AVI file (*.avi)|*.avi|" : "MPEG file (*.mpg)|*.mpg|";
    if (kind == "Music") return suffix == "mid" ? "MIDI file (*.mid)|*.mid|" : "WAVE file (*.wav)|*.wav|";
    if (kind == "Sound") return "WAVE file (*.wav)|*.wav|";
    return "BMP file (*.bmp)|*.bmp|PNG file (*.png)|*.png|XYZ file (*.xyz)|*.xyz|";
}

QString ExportDefaultExtension(const QString& kind, const QString& materialFile) {
    if (IsImageKind(kind)) return "bmp";
    return suffixOf(materialFile);
}

QStringList DialogFilters(const QString& filterText) {
    const QStringList parts = filterText.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        // The description names its patterns in parentheses; the dialog reads them from there.
        int open = description.lastIndexOf(" (");
        if (open >= 0) description.truncate(open);
        filters << description + " (" + patterns + ")";
    }
    return filters;
}

QString FilterExtension(const QString& dialogFilter) {
    static const QRegularExpression pattern(R"(\(\*\.([A-Za-z0-9]+))");
    auto match = pattern.match(dialogFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

MaterialManagerOptions& RememberedMaterialOptions() {
    static MaterialManagerOptions options;
    return options;
}

QString ImportedMaterialName(const QString& file) {
    return QFileInfo(file).completeBaseName();
}

QString ImportPlainMaterial(const QString& file, const QString& kindFolder) {
    const QString target = IncludeTrailingPathDelimiter(kindFolder) + QFileInfo(file).fileName();
    CopyFileReplacing(file, target, PlainFilePermissions());
    return target;
}

TBitmap ImportBitmapOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width(), height = argb.height();
    // Half-transparent and clearer pixels become the transparent colour; the rest are opaque.
    auto transparent = [](QRgb pixel) { return qAlpha(pixel) < 128; };
    bool anyTransparent = false;
    QRgb firstOpaque = qRgb(0, 0, 0);
    bool foundOpaque = false;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (transparent(row[x])) {
                anyTransparent = true;
            } else if (!foundOpaque) {
                firstOpaque = row[x];
                foundOpaque = true;
            }
        }
    }

    TBitmap colours;
    colours.Reset(TPixelFormat::pf24bit, width, height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uint8_t* out = colours.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            // Transparent pixels take an opaque colour of the picture, so they add none.
            const QRgb c = transparent(row[x]) ? firstOpaque : row[x];
            out[3 * x] = static_cast<uint8_t>(qBlue(c));
            out[3 * x + 1] = static_cast<uint8_t>(qGreen(c));
            out[3 * x + 2] = static_cast<uint8_t>(qRed(c));
        }
    }
    TBitmap picture;
    if (!anyTransparent) {
        ReduceColors(colours, 256, picture);
        return picture;
    }

    // With transparency the opaque colours take entries 1 to 255 and entry 0 is a colour none of
    // them has, for the transparent pixels.
    TBitmap reduced;
    ReduceColors(colours, 255, reduced);
    picture.Reset(TPixelFormat::pf8bit, width, height);
    std::set<uint32_t> used;
    for (int i = 0; i < 255; ++i) {
        const TPaletteEntry& e = reduced.Palette()[size_t(i)];
        picture.Palette()[size_t(i + 1)] = e;
        used.insert(uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue);
    }
    uint32_t key = 0xFF00FF;
    while (used.count(key)) key = (key + 0x010307) & 0xFFFFFF;
    picture.Palette()[0] = {uint8_t(key >> 16), uint8_t(key >> 8), uint8_t(key), 0};
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        const uint8_t* in = reduced.ScanLine(y);
        uint8_t* out = picture.ScanLine(y);
        for (int x = 0; x < width; ++x)
            out[x] = transparent(row[x]) ? 0 : static_cast<uint8_t>(in[x] + 1);
    }
    return picture;
}

TBitmap LoadImportPicture(const QString& file) {
    // XYZ pictures are only read by the project's own reader; any other picture goes through Qt's
    // readers, which know every kind of PNG, BMP, GIF and JPEG. What Qt cannot read gets the
    // project reader's own error.
    if (suffixOf(file) != "xyz") {
        QImageReader reader(file);
        reader.setAutoTransform(true);
        const QSize size = reader.size();
        if (size.isValid() && !PictureSizeAcceptable(uint64_t(size.width()), uint64_t(size.height())))
            throw EPictureError("Invalid Image Size");
        const QImage image = reader.read();
        if (!image.isNull()) return ImportBitmapOf(image);
    }
    TBitmap picture;
    LoadPictureFile(picture, utf8(file));
    picture.SetPixelFormat(TPixelFormat::pf8bit);
    return picture;
}

QString MaterialSizeRule::NeededSize() const {
    auto side = [](int low, int high) {
        return low == high ? QString::number(low) : QStringLiteral("%1 to %2").arg(low).arg(high);
    };
    return QStringLiteral("The picture must be %1 pixels wide and %2 pixels high.")
        .arg(side(minWidth, maxWidth), side(minHeight, maxHeight));
}

void CheckImportSize(const QString& kind, const TBitmap& picture) {
    const MaterialSizeRule* rule = ImportSizeRule(kind);
    if (rule && !rule->Fits(picture.Width(), picture.Height()))
        throw EMaterialError(QString("%1\n%2").arg(MaterialMessage::BadBitmapSize, rule->NeededSize()).toStdString());
}

void MoveColorToIndexZero(TBitmap& picture, int index) {
    if (index <= 0 || index > 255 || picture.PixelFormat() != TPixelFormat::pf8bit) return;
    std::swap(picture.Palette()[0], picture.Palette()[size_t(index)]);
    const uint8_t chosen = static_cast<uint8_t>(index);
    for (int y = 0; y < picture.Height(); ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x) {
            if (row[x] == chosen)
                row[x] = 0;
            else if (row[x] == 0)
                row[x] = chosen;
        }
    }
}

QString SaveImportedPicture(const TBitmap& picture, const QString& kindFolder, const QString& name,
                            MaterialSaveFormat format) {
    const QString path = IncludeTrailingPathDelimiter(kindFolder) + name +
                         (format == MaterialSaveFormat::Xyz ? ".xyz" : ".png");
    SavePictureFile(picture, utf8(path));
    return path;
}

void ExportMaterial(const QString& kind, const QString& materialFile, const QString& destination) {
    if (!IsImageKind(kind)) {
        CopyFileReplacing(materialFile, destination, PlainFilePermissions());
        return;
    }
    TBitmap picture;
    LoadPictureFile(picture, utf8(materialFile));
    SavePictureFile(picture, utf8(destination));
}

QString DeletableMaterialFile(const QString& kind, const QString& entry, const MaterialRoots& roots) {
    const MaterialFolderInfo* folder = FindMaterialFolder(kind);
    if (!folder) return {};
    const QString name = MaterialNameOf(entry);
    const QString file = ResolveMaterialFile(name, kind, folder->extensions(), roots);
    // A name that names no file comes back bare; deleting it would reach whatever folder happens
    // to be current.
    if (file.isEmpty() || file == name || !QFileInfo(file).isFile()) return {};
    if (!roots.runtimePackagePath.isEmpty() && file.startsWith(roots.runtimePackagePath + kind + "/"))
        return {};
    return file;
}

} // namespace tarvel
