#include "MaterialBase.h"

#include <QFileInfo>
#include <QRegularExpression>
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
    return "Image files (*.bmp;*.png;*.xyz)|*.bmp;*.png;*.xyz|";
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

TBitmap LoadImportPicture(const QString& file) {
    TBitmap picture;
    LoadPictureFile(picture, utf8(file));
    picture.SetPixelFormat(TPixelFormat::pf8bit);
    return picture;
}

void CheckImportSize(const QString& kind, const TBitmap& picture) {
    const MaterialSizeRule* rule = ImportSizeRule(kind);
    if (rule && !rule->Fits(picture.Width(), picture.Height()))
        throw EMaterialError(MaterialMessage::BadBitmapSize);
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
