#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/LD_Folders.h"

namespace tarvel {

namespace {
QString gProjectPath;
QString gRuntimePackagePath;
} // namespace

QString IncludeTrailingPathDelimiter(const QString& path) {
    if (path.endsWith('/') || path.endsWith('\\')) return path;
    return path + '/';
}

const QString& ProjectPath() { return gProjectPath; }

void SetProjectPath(const QString& path) {
    gProjectPath = path.isEmpty() ? QString() : IncludeTrailingPathDelimiter(path);
    CoreFolders::SetProjectPath(gProjectPath.toStdString());
}

const QString& RuntimePackagePath() { return gRuntimePackagePath; }

void SetRuntimePackagePath(const QString& path) {
    gRuntimePackagePath = path.isEmpty() ? QString() : IncludeTrailingPathDelimiter(path);
}

QString TempWorkFolder() { return IncludeTrailingPathDelimiter(QDir::tempPath()) + "TARVEL_TEMP"; }

QString ApplicationFolder() {
    if (QCoreApplication::instance())
        return IncludeTrailingPathDelimiter(QCoreApplication::applicationDirPath());
    QFileInfo self(QFile::symLinkTarget("/proc/self/exe"));
    return IncludeTrailingPathDelimiter(self.absolutePath());
}

void DeleteFolderTree(const QString& path) {
    QDir dir(path);
    if (!dir.exists()) return;
    const auto entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            if (!entry.fileName().startsWith('.')) DeleteFolderTree(entry.absoluteFilePath());
        } else {
            // Clearing the attributes first lets a read-only file go as well. A symbolic link is
            // removed itself; what it points to is never touched.
            if (!entry.isSymLink())
                QFile::setPermissions(entry.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner);
            QFile::remove(entry.absoluteFilePath());
        }
    }
    QDir().rmdir(path);
}

void RecreateFolder(const QString& path) {
    DeleteFolderTree(path);
    QDir().mkpath(path);
}

} // namespace tarvel
