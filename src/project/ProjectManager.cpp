#include "ProjectManager.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/Paths.h"
#include "platform/Settings.h"

namespace tarvel {

bool HasForbiddenFolderCharacter(const QString& folderName) {
    static const QString forbidden = QStringLiteral("\\/:?*<>|\"");
    for (QChar c : folderName)
        if (forbidden.contains(c)) return true;
    return false;
}

std::vector<ProjectListEntry> ListProjects(const QString& basePath) {
    std::vector<ProjectListEntry> rows;
    QDir base(basePath);
    for (const QString& folder : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort)) {
        if (folder.startsWith('.')) continue;
        QString path = base.filePath(folder);
        if (!QFileInfo(path + "/QUORIN.exe").isFile()) continue;
        rows.push_back({folder, ProjectIni::GameTitle(path)});
    }
    std::sort(rows.begin(), rows.end(), [](const ProjectListEntry& a, const ProjectListEntry& b) {
        return a.folderName < b.folderName;
    });
    return rows;
}

QString ProposeNewProjectFolder(const QString& basePath) {
    for (int n = 1;; ++n) {
        QString name = QStringLiteral("Project%1").arg(n);
        if (!QFileInfo::exists(IncludeTrailingPathDelimiter(basePath) + name)) return name;
    }
}

bool MakeProjectFolder(const QString& basePath, const QString& folderName) {
    if (folderName.isEmpty() || folderName == "." || folderName == ".." ||
        HasForbiddenFolderCharacter(folderName))
        return false;
    QDir base(basePath);
    if (!base.exists() && !QDir().mkpath(basePath)) return false;
    if (base.exists(folderName)) return false;
    return base.mkdir(folderName);
}

void RenameProject(const QString& basePath, const QString& oldFolder, const QString& newFolder,
                   const QString& title) {
    if (HasForbiddenFolderCharacter(newFolder)) throw EProjectError(ProjectMessage::ForbiddenCharacterRename);
    QString base = IncludeTrailingPathDelimiter(basePath);
    if (newFolder != oldFolder) {
        // Renaming onto an existing folder would merge two projects; it is refused like any other
        // failed move.
        if (newFolder.isEmpty() || QFileInfo::exists(base + newFolder) ||
            !QDir().rename(base + oldFolder, base + newFolder))
            throw EProjectError(ProjectMessage::RenameFailure);
    }
    ProjectIni::SetGameTitle(base + newFolder, title);
}

void DeleteProject(const QString& basePath, const QString& folderName) {
    if (folderName.isEmpty() || HasForbiddenFolderCharacter(folderName) || folderName == "." ||
        folderName == "..")
        return;
    QDir::setCurrent(basePath);
    DeleteFolderTree(IncludeTrailingPathDelimiter(basePath) + folderName);
}

TProjectManager::TProjectManager() {
    UserSettings::SetApplicationPath(ApplicationFolder());
}

QString TProjectManager::BasePath() {
    return EditorIni::ProjectBasePath();
}

void TProjectManager::CreateProject(const QString& folderName, const QString& title) {
    if (mIsProjectOpen) return;
    mFolderName = folderName;
    SetProjectPath(BasePath() + folderName + "/");
    bool ok = true;
    try {
        if (OnCreateProject) ok = OnCreateProject(title);
    } catch (...) {
        ok = false;
    }
    if (ok) {
        try {
            OpenProject(folderName);
            ok = mIsProjectOpen;
        } catch (...) {
            ok = false;
        }
    }
    if (!ok) {
        if (mIsProjectOpen) CloseProject();
        QDir::setCurrent(BasePath());
        DeleteFolderTree(BasePath() + folderName);
        mFolderName.clear();
        SetProjectPath({});
        throw EProjectError(ProjectMessage::MakingFailure);
    }
}

void TProjectManager::OpenProject(const QString& folderName) {
    if (mIsProjectOpen || folderName.isEmpty()) return;
    QString path = BasePath() + folderName;
    if (!QDir::setCurrent(path)) return;
    SetProjectPath(path + "/");
    mFolderName = folderName;
    bool ok = false;
    try {
        if (OnOpenProject) ok = OnOpenProject();
    } catch (...) {
        QDir::setCurrent(BasePath());
        SetProjectPath({});
        throw;
    }
    if (ok) {
        mIsProjectOpen = true;
        EditorIni::SetOpenedProjectFolder(QDir(QDir::currentPath()).dirName());
    } else {
        QDir::setCurrent(BasePath());
        SetProjectPath({});
    }
}

void TProjectManager::CloseProject() {
    if (!mIsProjectOpen) return;
    if (OnCloseProject) OnCloseProject();
    QDir::setCurrent(BasePath());
    SetProjectPath({});
    EditorIni::SetOpenedProjectFolder({});
    mIsProjectOpen = false;
}

void TProjectManager::ReopenLastProject() {
    try {
        OpenProject(EditorIni::OpenedProjectFolder());
    } catch (...) {
    }
}

} // namespace tarvel
