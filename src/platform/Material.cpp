#include "Material.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "Paths.h"

namespace tarvel {

MaterialRoots MaterialRoots::Current() { return {ProjectPath(), RuntimePackagePath()}; }

const QStringList& ImageExtensions() {
    static const QStringList list{"bmp", "png", "xyz"};
    return list;
}
const QStringList& MovieExtensions() {
    static const QStringList list{"avi", "mpg"};
    return list;
}
const QStringList& MusicExtensions() {
    static const QStringList list{"mid", "wav"};
    return list;
}
const QStringList& SoundExtensions() {
    static const QStringList list{"wav"};
    return list;
}

const std::array<MaterialFolderInfo, 14>& MaterialFolders() {
    static const std::array<MaterialFolderInfo, 14> folders{{
        {"Backdrop", ImageExtensions},
        {"Battle", ImageExtensions},
        {"CharSet", ImageExtensions},
        {"ChipSet", ImageExtensions},
        {"FaceSet", ImageExtensions},
        {"GameOver", ImageExtensions},
        {"Monster", ImageExtensions},
        {"Movie", MovieExtensions},
        {"Music", MusicExtensions},
        {"Panorama", ImageExtensions},
        {"Picture", ImageExtensions},
        {"Sound", SoundExtensions},
        {"System", ImageExtensions},
        {"Title", ImageExtensions},
    }};
    return folders;
}

const MaterialFolderInfo* FindMaterialFolder(const QString& folder) {
    for (const auto& info : MaterialFolders())
        if (folder == QLatin1String(info.name)) return &info;
    return nullptr;
}

const QString RtpMark = QStringLiteral(" <RTP>");

namespace {

bool isSafeName(const QString& name) {
    return !name.contains('/') && !name.contains('\\') && !name.contains("..") && !name.contains(QChar(0));
}

// The listable files of a folder: plain files, not hidden, not subfolders.
QStringList filesOf(const QString& folderPath) {
    return QDir(folderPath).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
}

QString findIn(const QString& root, const QString& folder, const QString& name, const QStringList& extensions) {
    if (root.isEmpty()) return {};
    QString folderPath = IncludeTrailingPathDelimiter(root) + folder + '/';
    for (const QString& ext : extensions) {
        QString candidate = folderPath + name + '.' + ext;
        if (QFileInfo(candidate).isFile()) return candidate;
    }
    // On a case-sensitive file system "hero" still finds Hero.PNG, after every exact match.
    const QStringList files = filesOf(folderPath);
    for (const QString& ext : extensions) {
        QString wanted = name + '.' + ext;
        for (const QString& file : files)
            if (file.compare(wanted, Qt::CaseInsensitive) == 0) return folderPath + file;
    }
    return {};
}

QStringList namesIn(const QString& root, const QString& folder, const QStringList& extensions) {
    QStringList names;
    if (root.isEmpty()) return names;
    QSet<QString> seen;
    for (const QString& file : filesOf(IncludeTrailingPathDelimiter(root) + folder)) {
        int dot = file.lastIndexOf('.');
        if (dot <= 0) continue;
        QString ext = file.mid(dot + 1).toLower();
        if (!extensions.contains(ext)) continue;
        QString base = file.left(dot);
        if (seen.contains(base.toLower())) continue;
        seen.insert(base.toLower());
        names << base;
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return CompareMaterialNames(a, b) < 0; });
    return names;
}

QString naturalKey(const QString& name) {
    int end = name.size();
    int start = end;
    while (start > 0 && name[start - 1].isDigit() && name[start - 1].unicode() < 128) --start;
    if (start == end || start == 0) return name + QString(10, '0');
    // Leading zeros go, so Hero02 and Hero2 share a key; a run longer than ten digits is kept
    // whole rather than cut.
    QString digits = name.mid(start);
    int zeros = 0;
    while (zeros < digits.size() - 1 && digits[zeros] == '0') ++zeros;
    digits = digits.mid(zeros);
    return name.left(start) + digits.rightJustified(10, '0');
}

} // namespace

QString ResolveMaterialFile(const QString& name, const QString& folder, const QStringList& extensions,
                            const MaterialRoots& roots) {
    if (name.isEmpty()) return {};
    if (!isSafeName(name)) return name;
    QString found = findIn(roots.projectPath, folder, name, extensions);
    if (found.isEmpty()) found = findIn(roots.runtimePackagePath, folder, name, extensions);
    return found.isEmpty() ? name : found;
}

QStringList ListMaterialNames(const QString& folder, const QStringList& extensions, const MaterialRoots& roots) {
    QStringList result = namesIn(roots.projectPath, folder, extensions);
    QSet<QString> inProject;
    for (const QString& name : result) inProject.insert(name.toLower());
    for (const QString& name : namesIn(roots.runtimePackagePath, folder, extensions))
        if (!inProject.contains(name.toLower())) result << name + RtpMark;
    return result;
}

bool HasRtpMark(const QString& entry) { return entry.endsWith(RtpMark); }

QString MaterialNameOf(const QString& entry) {
    return HasRtpMark(entry) ? entry.left(entry.size() - RtpMark.size()) : entry;
}

int CompareMaterialNames(const QString& a, const QString& b) {
    return naturalKey(a).compare(naturalKey(b), Qt::CaseInsensitive);
}

} // namespace tarvel
