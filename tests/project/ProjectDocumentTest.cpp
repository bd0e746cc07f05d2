#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "mapedit_core/MapTreeEdits.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/ProjectDocument.h"

using namespace tarvel;
using tarvel::test::BuildBinFolder;
using tarvel::test::MakeTempFolder;

namespace {

// A project made from the starter templates and opened through a document, as the editor does,
// with a temporary folder of its own for the working copies.
struct OpenProject {
    TProjectDocument document;
    OpenProject() {
        EditorIni::SetProjectBasePath(MakeTempFolder("base") + "/");
        RecreateFolder(TempWorkFolder());
        document.SetTemplateFolder(BuildBinFolder());
        EXPECT_TRUE(MakeProjectFolder(TProjectManager::BasePath(), "Quest"));
        document.CreateProject("Quest", "The Quest");
    }
    ~OpenProject() {
        document.CloseProject();
        DeleteFolderTree(TempWorkFolder());
    }
    TQelMap& map() { return document.Map(); }
    TQelMapTree& tree() { return document.MapTree(); }
};

// The chip at (x, y) of the lower layer of a map file in the project folder.
int32_t chipInProjectFile(int32_t mapID, int x, int y) {
    TQelMap map;
    map.LoadMap(mapID);
    return map.LowerLayer.GetChip(x, y);
}

} // namespace

TEST(ProjectDocument, OpensParksSavesAndReverts) {
    OpenProject p;
    ASSERT_TRUE(p.document.IsOpen());
    EXPECT_EQ(p.tree().Find(0)->Name, "The Quest");
    EXPECT_EQ(p.document.ShownMapID(), 1);
    EXPECT_EQ(p.document.ShownMapName(), "MAP0001");
    ASSERT_EQ(p.map().ID, 1);
    const int32_t before = p.map().LowerLayer.GetChip(3, 4);

    p.map().LowerLayer.SetChip(3, 4, 5001);
    p.map().Modified = true;
    EXPECT_TRUE(p.document.IsSomethingChanged());
    p.document.ParkCurrentMap();
    EXPECT_TRUE(p.tree().Find(1)->HasWorkCopy);
    EXPECT_EQ(chipInProjectFile(1, 3, 4), before);

    p.document.RevertAll();
    EXPECT_EQ(p.map().LowerLayer.GetChip(3, 4), before);
    EXPECT_FALSE(p.document.IsSomethingChanged());

    p.map().LowerLayer.SetChip(3, 4, 5001);
    p.map().Modified = true;
    p.document.SaveAll();
    EXPECT_EQ(chipInProjectFile(1, 3, 4), 5001);
    EXPECT_FALSE(p.document.IsSomethingChanged());
}

TEST(ProjectDocument, DataBaseReloadDropsUnsavedChangesAndSaveKeepsThem) {
    OpenProject p;
    QSignalSpy reloaded(&p.document, &TProjectDocument::dataBaseReloaded);
    TQelPlayerItem* hero = p.document.DataBase().Heroes().ByID(1);
    ASSERT_NE(hero, nullptr);
    const std::string name = hero->Name;

    hero->Name = "Renamed";
    p.document.ReloadDataBase();
    EXPECT_EQ(reloaded.count(), 1);
    EXPECT_EQ(p.document.DataBase().Heroes().ByID(1)->Name, name);

    p.document.DataBase().Heroes().ByID(1)->Name = "Kept";
    p.document.SaveDataBase();
    p.document.ReloadDataBase();
    EXPECT_EQ(p.document.DataBase().Heroes().ByID(1)->Name, "Kept");
}

TEST(ProjectDocument, ProjectWithoutTreeRootOpensNothing) {
    OpenProject p;
    p.document.CloseProject();
    QFile::remove(TProjectManager::BasePath() + "Quest/QUORIN.qmt");
    QSignalSpy closed(&p.document, &TProjectDocument::projectClosed);
    EXPECT_THROW(p.document.OpenProject("Quest"), EProjectError);
    EXPECT_FALSE(p.document.IsOpen());
    EXPECT_EQ(p.tree().Count(), 0);
    EXPECT_EQ(p.map().ID, 0);
    EXPECT_EQ(closed.count(), 1);
}

// Deleting an area of the open map leaves the map open: edits made to it before are parked in its
// working copy and loaded back, not lost with the area.
TEST(MapTreeEdits, DeletingAnAreaKeepsTheUnsavedEditsOfItsMap) {
    OpenProject p;
    TQelMapTreeItem values;
    values.Name = "Cave";
    values.AreaRect = {1, 1, 5, 5};
    CreateArea(p.tree(), 1, 2, values);
    p.tree().ActiveID = 2;
    p.map().LowerLayer.SetChip(6, 6, 5002);
    p.map().Modified = true;

    DeleteNode(p.tree(), p.map(), 2);
    EXPECT_EQ(p.tree().ActiveID, 1);
    ParkCurrentMap(p.tree(), p.map());
    LoadActiveMap(p.tree(), p.map(), 640, 480);
    EXPECT_EQ(p.map().LowerLayer.GetChip(6, 6), 5002);
}

TEST(MapTreeEdits, DeletingTheOpenMapDropsItsEditsAndShiftMovesStarts) {
    OpenProject p;
    TQelMapTreeItem values;
    values.Name = "Town";
    MapSettings settings;
    settings.width = 30;
    settings.height = 20;
    ParkCurrentMap(p.tree(), p.map());
    CreateMap(p.tree(), p.map(), 1, 2, values, settings);
    EXPECT_EQ(p.tree().ActiveID, 2);
    EXPECT_EQ(p.map().Width, 30);
    EXPECT_TRUE(p.map().Modified);

    auto& starts = p.tree().StartPositions;
    starts.SetStartMap(0, 2);
    starts.SetStartX(0, 29);
    starts.SetStartY(0, 0);
    ShiftMap(p.tree(), p.map(), *p.tree().Find(2), 2, -1);
    EXPECT_EQ(starts.StartX(0), 1);  // wraps around the right edge
    EXPECT_EQ(starts.StartY(0), 19); // and the top
    EXPECT_TRUE(p.tree().Find(2)->HasWorkCopy);

    DeleteNode(p.tree(), p.map(), 2);
    EXPECT_FALSE(p.map().Modified);
    EXPECT_EQ(p.tree().ActiveID, 1);
    EXPECT_EQ(p.tree().Find(2), nullptr);
}
