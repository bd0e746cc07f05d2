#include "Drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace tarvel {

namespace {

// The nearest existing folder at or above the path, so that a folder still to be made is judged
// by the volume it will be made on.
QString existingAncestor(const QString& path) {
    QFileInfo info(path);
    QString current = info.absoluteFilePath();
    while (!current.isEmpty() && !QFileInfo::exists(current)) {
        QString parent = QFileInfo(current).absolutePath();
        if (parent == current) break;
        current = parent;
    }
    return current;
}

QStorageInfo volumeOf(const QString& path) { return QStorageInfo(existingAncestor(path)); }

bool isFloppyDevice(const QStorageInfo& volume) { return volume.device().startsWith("/dev/fd"); }

} // namespace

bool IsDriveReady(const QString& path) {
    QStorageInfo volume = volumeOf(path);
    return volume.isValid() && volume.isReady() && QDir(volume.rootPath()).exists();
}

bool IsDriveLoaded(const QString& path) {
    if (!IsDriveReady(path)) return false;
    QDir root(volumeOf(path).rootPath());
    return !root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty();
}

bool IsFloppyDrive(const QString& path) {
    QStorageInfo volume = volumeOf(path);
    return volume.isValid() && isFloppyDevice(volume);
}

bool IsCdRomDrive(const QString& path) {
    QStorageInfo volume = volumeOf(path);
    if (!volume.isValid()) return false;
    QByteArray type = volume.fileSystemType().toLower();
    return volume.device().startsWith("/dev/sr") || type == "iso9660" || type == "udf";
}

QString FindFloppyDrive() {
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (isFloppyDevice(volume)) return volume.rootPath();
    return {};
}

} // namespace tarvel
