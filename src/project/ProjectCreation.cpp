#include "ProjectCreation.h"

#include <QDir>
#include <QFile>

#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "platform/Material.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

namespace tarvel {

namespace {

// Copies a template over the target, replacing what is there.
bool copyTemplate(const QString& from, const QString& to) {
    if (!QFile::exists(from)) return false;
    if (QFile::exists(to) && !QFile::remove(to)) return false;
    return QFile::copy(from, to);
}

} // namespace

bool FillNewProject(const QString& title, const QString& templateFolder) {
    const QString project = ProjectPath();
    QDir folder(project);
    // Single-level creation that fails on an existing folder, in the listed order.
    for (const auto& info : MaterialFolders())
        if (folder.exists(info.name) || !folder.mkdir(info.name)) return false;
    QString templates = IncludeTrailingPathDelimiter(templateFolder);
    if (!copyTemplate(templates + "QUORIN.exe.dat", project + "QUORIN.exe")) return false;
    if (!copyTemplate(templates + "QUORIN.qdb.dat", project + "QUORIN.qdb")) return false;
    // A runtime that cannot be started is no runtime.
    QFile::setPermissions(project + "QUORIN.exe", QFile::permissions(project + "QUORIN.exe") |
                                                      QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);

    ProjectIni::SetGameTitle(project, title);

    TQelMapTree tree;
    tree.ClearTree();
    TQelMapTreeItem* root = tree.AddNode(0, 0);
    root->NodeKind = nkRoot;
    root->Name = title.toStdString();
    tree.ActiveID = 0;
    tree.SaveTree();

    TQelMapTreeItem* first = tree.AddMapNode(0, 1);
    first->Name = DefaultMapName(1);
    first->MusicMode = 1;
    first->BattleBackMode = 1;
    first->TeleportMode = 1;
    first->EscapeMode = 1;
    first->SaveMode = 1;
    first->EncounterSteps = 25;
    first->HasWorkCopy = true;

    TQelMap map(1);
    map.Reset();
    map.SetWidth(100);
    map.SetHeight(100);
    map.SaveTempMap(1);

    tree.ActiveID = 1;
    tree.SaveTree();
    return true;
}

} // namespace tarvel
