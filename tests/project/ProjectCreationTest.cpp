#include <QDir>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/ProjectCreation.h"
#include "project/ProjectManager.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::WriteFile;

namespace {

struct Creation {
    QString base = MakeTempFolder("base") + "/";
    QString templates = MakeTempFolder("templates");
    TProjectManager manager;
    Creation() {
        EditorIni::SetProjectBasePath(base);
        manager.OnCreateProject = [this](const QString& title) { return FillNewProject(title, templates); };
        manager.OnOpenProject = [] { return true; };
    }
};

} // namespace

TEST(ProjectCreation, MakesFoldersTemplatesTitleTreeAndFirstMap) {
    Creation c;
    WriteFile(c.templates + "/QUORIN.exe.dat", "runtime");
    WriteFile(c.templates + "/QUORIN.qdb.dat", "database");
    ASSERT_TRUE(MakeProjectFolder(c.base, "Quest"));
    c.manager.CreateProject("Quest", "The Quest");
    ASSERT_TRUE(c.manager.IsProjectOpen());

    QString project = c.base + "Quest/";
    QStringList folders = QDir(project).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(folders,
              (QStringList{"Backdrop", "Battle", "CharSet", "ChipSet", "FaceSet", "GameOver", "Monster",
                           "Movie", "Music", "Panorama", "Picture", "Sound", "System", "Title"}));
    EXPECT_EQ(tarvel::test::ReadFile(project + "QUORIN.exe"), "runtime");
    EXPECT_EQ(tarvel::test::ReadFile(project + "QUORIN.qdb"), "database");
    EXPECT_EQ(ProjectIni::GameTitle(project), "The Quest");
    EXPECT_FALSE(QFileInfo::exists(TempWorkFolder() + "/Map0001.qmu"));

    TQelMapTree tree;
    tree.LoadTree();
    ASSERT_EQ(tree.Count(), 2);
    EXPECT_EQ(tree.ActiveID, 1);
    EXPECT_EQ(tree.NodeByID(0)->Name, "The Quest");
    const TQelMapTreeItem* first = tree.NodeByID(1);
    EXPECT_EQ(first->Name, "MAP0001");
    EXPECT_EQ(first->NodeKind, nkMap);
    EXPECT_EQ(first->ParentID, 0);
    for (uint8_t mode :
         {first->MusicMode, first->BattleBackMode, first->TeleportMode, first->EscapeMode, first->SaveMode})
        EXPECT_EQ(mode, 1);
    EXPECT_EQ(first->EncounterSteps, 25);
    ASSERT_EQ(tree.Order.size(), 2u);
    EXPECT_EQ(tree.Order[0]->ID, 0);
    EXPECT_EQ(tree.Order[1]->ID, 1);

    TQelMap map;
    map.ReadFile((project + "Map0001.qmu").toStdString());
    EXPECT_EQ(map.Width, 100);
    EXPECT_EQ(map.Height, 100);
    c.manager.CloseProject();
}

TEST(ProjectCreation, AMissingTemplateLeavesNoFolder) {
    Creation c;
    WriteFile(c.templates + "/QUORIN.exe.dat", "runtime");
    ASSERT_TRUE(MakeProjectFolder(c.base, "Broken"));
    try {
        c.manager.CreateProject("Broken", "Title");
        ADD_FAILURE() << "created";
    } catch (const EProjectError& e) {
        EXPECT_STREQ(e.what(), "Project Making Failure");
    }
    EXPECT_FALSE(QFileInfo::exists(c.base + "Broken"));
    EXPECT_FALSE(c.manager.IsProjectOpen());
}
