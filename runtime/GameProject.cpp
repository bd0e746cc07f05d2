#include "GameProject.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

#include "platform/Paths.h"
#include "platform/Settings.h"
#include "records/Stream.h"

namespace tarvel::runtime {

namespace {

bool HoldsGame(const QString& folder) {
    return QFileInfo(folder + "/QUORIN.qmt").isFile() || QFileInfo(folder + "/QUORIN.qdb").isFile();
}

} // namespace

QString FindGameFolder(const QString& programFolder, const QString& currentFolder) {
    QString folder = HoldsGame(programFolder) ? programFolder : currentFolder;
    return IncludeTrailingPathDelimiter(QDir(folder).absolutePath());
}

void TGameProject::Load(const QString& folder) {
    mFolder = IncludeTrailingPathDelimiter(folder);
    SetProjectPath(mFolder);
    SetRuntimePackagePath(UserSettings::RuntimePackagePath());
    mTitle = ProjectIni::GameTitle(mFolder);
    QStringList problems;
    try {
        mDb->LoadFromFile((mFolder + "QUORIN.qdb").toStdString());
        mDataBaseRead = true;
    } catch (const std::exception& e) {
        problems << QStringLiteral("QUORIN.qdb: %1").arg(QString::fromStdString(e.what()));
    }
    try {
        // The file itself, not the editor's way of loading a tree: that one also clears working
        // copies in the editor's temporary folder, which belong to the editor that waits for us.
        TMemoryStream stream;
        stream.LoadFromFile((mFolder + "QUORIN.qmt").toStdString());
        mTree.LoadFromFileStream(stream);
        mTreeRead = true;
    } catch (const std::exception& e) {
        problems << QStringLiteral("QUORIN.qmt: %1").arg(QString::fromStdString(e.what()));
    }
    mError = problems.join("\n");
}

} // namespace tarvel::runtime
