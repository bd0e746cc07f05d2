// tarvel-cli new-project BASEDIR FOLDER TITLE: makes a project the way the editor's "Create New
// Project" does, with the templates beside the program: the folder is made under the base path
// (which becomes the editor's base path, as the dialog writes it), then the project manager fills
// and opens it; any failure removes the folder and reports "Project Making Failure".
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "CliCommon.h"
#include "data/LD_DataBase.h"
#include "data/LD_Folders.h"
#include "data/LD_MapTree.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/ProjectCreation.h"
#include "project/ProjectManager.h"

namespace tarvel::cli {

namespace {
const char* const kUsage = "new-project BASEDIR FOLDER TITLE";
const char* const kWhat = "new-project";

// The working copy of the first map goes through a temporary folder of this run's own, so an
// editor running at the same time never has its working copies overwritten or removed.
class PrivateWorkFolder {
public:
    PrivateWorkFolder() {
        if (!mFolder.isValid()) throw CommandError(kWhat, "cannot make a temporary folder");
        QString work = mFolder.path() + "/TARVEL_TEMP";
        QDir().mkpath(work);
        CoreFolders::SetTempWorkFolder(work.toStdString());
    }
    ~PrivateWorkFolder() { CoreFolders::SetTempWorkFolder({}); }

private:
    QTemporaryDir mFolder;
};

// What the editor does when it opens the new project, as far as reading goes: the database and
// the map tree with its root must load.
bool LoadsAsProject() {
    TQelDataBase db;
    db.Load(ProjectPath().toStdString());
    TQelMapTree tree;
    tree.LoadTree();
    return tree.Find(0) != nullptr;
}

int RunNewProject(Arguments& args) {
    auto words = args.positional(3);
    QString base =
        IncludeTrailingPathDelimiter(QFileInfo(QString::fromStdString(words[0])).absoluteFilePath());
    QString folder = QString::fromStdString(words[1]);
    QString title = QString::fromStdString(words[2]);
    if (folder.size() > MaxProjectNameLength || title.size() > MaxProjectNameLength)
        throw CommandError(kWhat, "folder names and titles are at most 40 characters");
    if (HasForbiddenFolderCharacter(folder)) throw CommandError(kWhat, ProjectMessage::ForbiddenCharacterNew);
    if (!MakeProjectFolder(base, folder)) throw CommandError(kWhat, ProjectMessage::FolderMaking);

    PrivateWorkFolder work;
    // Creating a project moves the editor's base path to where it was made, as the dialog does;
    // which project the editor reopens at start stays as it was.
    QString reopened = EditorIni::OpenedProjectFolder();
    EditorIni::SetProjectBasePath(base);
    TProjectManager manager;
    manager.OnCreateProject = [](const QString& t) { return FillNewProject(t, ApplicationFolder()); };
    manager.OnOpenProject = LoadsAsProject;
    try {
        manager.CreateProject(folder, title);
    } catch (const EProjectError& e) {
        EditorIni::SetOpenedProjectFolder(reopened);
        throw CommandError(kWhat, e.what());
    }
    QString path = ProjectPath();
    manager.CloseProject();
    EditorIni::SetOpenedProjectFolder(reopened);
    std::printf("%s\n", path.toUtf8().constData());
    return 0;
}

const Command kNewProjectCommand{"new-project", kUsage, RunNewProject};
const RegisterCommand kRegistered{kNewProjectCommand};

} // namespace

} // namespace tarvel::cli
