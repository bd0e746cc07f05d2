#include <gtest/gtest.h>

#include "MapFixtures.h"
#include "data/LD_MapTree.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// Builds a tree from (parent, id, kind) triples in the order given.
void build(TQelMapTree& tree, std::initializer_list<std::tuple<int32_t, int32_t, uint8_t>> nodes) {
    for (const auto& [parent, id, kind] : nodes) {
        TQelMapTreeItem* node = tree.AddNode(parent, id);
        node->NodeKind = kind;
        node->Name = kind == nkRoot ? "Game" : kind == nkArea ? DefaultAreaName(id) : DefaultMapName(id);
    }
}

std::vector<int32_t> orderIDs(const TQelMapTree& tree) {
    std::vector<int32_t> ids;
    for (const auto* item : tree.Order)
        ids.push_back(item ? item->ID : -1);
    return ids;
}

std::vector<int32_t> depths(const TQelMapTree& tree) {
    std::vector<int32_t> out;
    for (const auto* item : tree.Order)
        out.push_back(item ? item->Depth : -1);
    return out;
}

// The memory view as "id(child id(...) ...)" lines, for readable comparisons.
std::string outline(const std::vector<std::unique_ptr<TMapTreeMemoryView::ViewNode>>& nodes) {
    std::string out;
    for (const auto& n : nodes) {
        if (!out.empty()) out += " ";
        out += std::to_string(n->itemID) + (n->expanded ? "+" : "");
        if (!n->children.empty()) out += "(" + outline(n->children) + ")";
    }
    return out;
}

Bytes treeFileBytes(const TQelMapTree& tree) {
    TMemoryStream stream;
    tree.SaveToFileStream(stream);
    return stream.Bytes();
}

// A tree file whose order claims far more entries than the file holds.
Bytes withHugeOrder(const TQelMapTree& tree) {
    TMemoryStream stream;
    WriteVarString(stream, MapTreeFileHeader);
    tree.TCatalog::SaveToStream(stream);
    for (uint8_t b : Hex("8F FF FF FF 7F 00 01"))
        stream.WriteByte(b);
    return stream.Bytes();
}

class MapTreeFiles : public ProjectFolderTest {
protected:
    // A project with the root, maps 1 and 3 under it, map 5 inside 3 and area 6 in map 1; every
    // map has its project file.
    void makeProject() {
        build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}, {0, 3, nkMap}, {3, 5, nkMap}, {1, 6, nkArea}});
        for (int32_t id : {1, 3, 5}) {
            TQelMap map;
            map.Reset();
            map.ChipSetID = id;
            map.SaveMap(id);
        }
        tree.SaveTree();
    }
    TQelMapTree tree;
};

} // namespace

TEST(MapTree, AddNodePlacesTheNodeAsItsParentsLastChild) {
    TQelMapTree tree;
    build(tree, {{0, 0, nkRoot}, {0, 3, nkMap}, {3, 5, nkMap}, {0, 4, nkMap}});
    EXPECT_EQ(tree.Find(0)->Depth, 0); // the root is its own parent, at the top
    EXPECT_EQ(depths(tree), (std::vector<int32_t>{0, 1, 2, 1}));

    tree.AddNode(3, 7);
    EXPECT_EQ(orderIDs(tree), (std::vector<int32_t>{0, 3, 5, 7, 4}));
    EXPECT_EQ(tree.Find(7)->Depth, 2);
    EXPECT_EQ(tree.Find(7)->ParentID, 3);

    // Under a node that ends its parent's subtree: the new node stays inside that subtree and is
    // not carried off to the next node of the same depth further down.
    build(tree, {{4, 8, nkMap}, {8, 9, nkMap}});
    tree.AddNode(5, 10);
    EXPECT_EQ(orderIDs(tree), (std::vector<int32_t>{0, 3, 5, 10, 7, 4, 8, 9}));
    EXPECT_EQ(tree.Find(10)->Depth, 3);

    // Re-adding a deleted ID takes it off the list of files to delete.
    tree.DeleteNode(9);
    EXPECT_EQ(tree.DeletedIDs, std::vector<int32_t>{9});
    tree.AddNode(8, 9);
    EXPECT_TRUE(tree.DeletedIDs.empty());
    EXPECT_EQ(tree.OrderIndexOf(9), 7);
    EXPECT_EQ(tree.OrderIndexOf(99), -1);
}

TEST(MapTree, DeleteNodeTakesTheSubtreeAndItsStartPositions) {
    TQelMapTree tree;
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}, {1, 2, nkMap}, {1, 3, nkMap}, {1, 4, nkArea}, {0, 5, nkMap}});
    tree.StartPositions.SetStartMap(0, 2); // the party starts inside the deleted map
    tree.StartPositions.SetStartX(0, 4);
    tree.StartPositions.SetStartY(0, 6);
    tree.StartPositions.SetStartMap(1, 1); // the boat on the deleted map itself
    tree.StartPositions.SetStartMap(3, 5); // the airship elsewhere
    tree.StartPositions.SetStartX(3, 7);

    EXPECT_FALSE(tree.IsTreeModified());
    tree.DeleteNode(1);
    EXPECT_EQ(orderIDs(tree), (std::vector<int32_t>{0, 5}));
    EXPECT_EQ(tree.Count(), 2);
    EXPECT_EQ(tree.DeletedIDs, (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(tree.IsTreeModified());
    for (int n : {0, 1}) {
        EXPECT_EQ(tree.StartPositions.StartMap(n), 0);
        EXPECT_EQ(tree.StartPositions.StartX(n), 0);
        EXPECT_EQ(tree.StartPositions.StartY(n), 0);
    }
    EXPECT_EQ(tree.StartPositions.StartMap(3), 5);
    EXPECT_EQ(tree.StartPositions.StartX(3), 7);

    // A node that is not in the order only compacts it.
    tree.Order.insert(tree.Order.begin() + 1, nullptr);
    tree.DeleteNode(42);
    EXPECT_EQ(orderIDs(tree), (std::vector<int32_t>{0, 5}));
}

TEST(MapTree, StartPositionChunksAndRange) {
    TQelMapStartPosition start;
    EXPECT_EQ(RecordHex(start), "00");
    start.SetStartMap(0, 1);
    start.SetStartX(2, 300);
    start.SetStartY(3, 4);
    start.SetStartMap(4, 9); // no fifth object
    start.SetStartMap(-1, 9);
    EXPECT_EQ(RecordHex(start), "01 01 01 16 02 82 2C 21 01 04 00");
    EXPECT_EQ(start.StartMap(4), 0);
    EXPECT_EQ(start.StartX(-1), 0);
    TQelMapStartPosition loaded;
    loaded.LoadFromBytes(start.SaveToBytes());
    EXPECT_EQ(loaded.StartX(2), 300);
    EXPECT_EQ(loaded.StartY(3), 4);
}

TEST(MapTree, EncounterEntries) {
    TQelEncount list;
    list.Append()->MonGroupID = 1;
    list.Append()->MonGroupID = 0;
    list.Append()->MonGroupID = 300;
    EXPECT_EQ(ListHex(list), "03 01 01 01 01 00 02 00 03 01 02 82 2C 00");
    TMemoryStream stream;
    list.SaveToStream(stream);
    stream.SetPosition(0);
    TQelEncount loaded;
    loaded.LoadFromStream(stream);
    // Group 0 writes no chunk and comes back as group 1.
    EXPECT_EQ(loaded.Items(0)->MonGroupID, 1);
    EXPECT_EQ(loaded.Items(1)->MonGroupID, 1);
    EXPECT_EQ(loaded.Items(2)->MonGroupID, 300);
}

TEST(MapTree, ItemRecordAndWhatResetKeeps) {
    TQelMapTreeItem item(4);
    // The one-byte modes, the music, the encounter list and the area rectangle are always written.
    EXPECT_EQ(RecordHex(item), "04 01 00 0B 01 00 0C 08 01 05 28 4F 46 46 29 00 15 01 00 1F 01 00 20 01 00 "
                               "21 01 00 29 01 00 33 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");

    item.Name = "Town";
    item.ParentID = 3;
    item.Depth = 2;
    item.NodeKind = nkArea;
    item.ScrollX = 64;
    item.ScrollY = -32;
    item.Expanded = true;
    item.AreaRect = {2, 3, 6, 8};
    item.HasWorkCopy = true;
    item.MusicMode = 2;
    item.Music.FileName = "Town";
    item.BattleBackMode = 2;
    item.BattleBackName = "Grass";
    item.TeleportMode = 1;
    item.Encounters.Append()->MonGroupID = 5;
    item.EncounterSteps = 0;

    TQelMapTreeItem copy;
    copy.Assign(item);
    EXPECT_EQ(copy.SaveToBytes(), item.SaveToBytes());

    item.Reset();
    EXPECT_EQ(item.Name, "");
    EXPECT_EQ(item.MusicMode, 0);
    EXPECT_EQ(item.Music.FileName, "(OFF)");
    EXPECT_EQ(item.BattleBackName, "");
    EXPECT_EQ(item.Encounters.Count(), 0);
    EXPECT_EQ(item.EncounterSteps, 25);
    // Kept through Reset.
    EXPECT_EQ(item.ParentID, 3);
    EXPECT_EQ(item.Depth, 2);
    EXPECT_EQ(item.NodeKind, nkArea);
    EXPECT_EQ(item.ScrollX, 64);
    EXPECT_EQ(item.ScrollY, -32);
    EXPECT_TRUE(item.Expanded);
    EXPECT_EQ(item.AreaRect.Right, 6);
    EXPECT_TRUE(item.HasWorkCopy);
}

TEST(MapTree, NewMapsAndTheirIDs) {
    TQelMapTree tree;
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}, {0, 2, nkMap}, {0, 4, nkMap}});
    EXPECT_EQ(LowestFreeMapID(tree), 3);

    TQelMapTreeItem* underRoot = tree.AddMapNode(0, 3);
    EXPECT_EQ(underRoot->Name, "MAP0003");
    EXPECT_EQ(underRoot->NodeKind, nkMap);
    for (uint8_t mode : {underRoot->MusicMode, underRoot->BattleBackMode, underRoot->TeleportMode,
                         underRoot->EscapeMode, underRoot->SaveMode})
        EXPECT_EQ(mode, 1);
    EXPECT_EQ(underRoot->EncounterSteps, 25);

    // Inside a map the settings stay "as in the parent"; a mode already chosen is kept.
    TQelMapTreeItem* inner = tree.AddMapNode(3, LowestFreeMapID(tree));
    EXPECT_EQ(inner->ID, 5);
    EXPECT_EQ(inner->MusicMode, 0);
    inner->MusicMode = 2;
    UseRootChildModes(*inner);
    EXPECT_EQ(inner->MusicMode, 2);
    EXPECT_EQ(inner->SaveMode, 1);
    EXPECT_EQ(DefaultAreaName(12), "AREA0012");

    TQelMapTree full;
    for (int32_t id = 0; id <= MaxMapID; ++id)
        full.FindOrCreate(id);
    EXPECT_EQ(LowestFreeMapID(full), 0);
    full.Delete(9999);
    EXPECT_EQ(LowestFreeMapID(full), 9999);
}

TEST(MapTree, NodeByIDFollowsTheEditorMarker) {
    TQelMapTree tree;
    build(tree, {{0, 0, nkRoot}});
    tree.ActiveID = 8;
    try {
        tree.ActiveNode();
        FAIL() << "no error";
    } catch (const EQelDataError& e) {
        EXPECT_STREQ(e.what(), "Invalid Map Designed");
    }
    EditorRunningScope editor(true);
    EXPECT_EQ(tree.ActiveNode(), nullptr);
    EXPECT_EQ(tree.NodeByIndex(1), nullptr);
}

TEST(MapTreeView, FillShowsOrderParentsAreasAndExpansion) {
    TQelMapTree tree;
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}, {1, 6, nkArea}, {1, 2, nkMap}, {0, 3, nkMap}});
    tree.Find(0)->Expanded = true;
    tree.Find(1)->Expanded = true;
    TMapTreeMemoryView view;
    tree.FillTreeView(view, true);
    EXPECT_EQ(outline(view.TopNodes()), "0+(1+(6 2) 3)");
    const auto& area = *view.FindNode(6);
    EXPECT_EQ(area.text, "AREA0006");
    EXPECT_EQ(area.imageIndex, nkArea);
    EXPECT_EQ(view.FindNode(0)->imageIndex, nkRoot);

    // Without areas in the first pass they come back after their parent's other children.
    tree.FillTreeView(view, false);
    EXPECT_EQ(outline(view.TopNodes()), "0+(1+(2 6) 3)");

    tree.ActiveID = 2;
    tree.SelectActive(view);
    ASSERT_NE(view.Selected(), nullptr);
    EXPECT_EQ(view.Selected()->itemID, 2);
    tree.ActiveID = 77;
    tree.SelectActive(view); // no such node: the selection stays
    EXPECT_EQ(view.Selected()->itemID, 2);
}

TEST(MapTreeView, BrokenOrdersAndParentsNeverFailTheFill) {
    TQelMapTree tree;
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}, {1, 2, nkMap}});
    // An order entry without a node, a node listed twice, and nodes outside the order: one
    // whose parent is missing, one inside a node that comes later by ID, one its own parent.
    tree.Order.insert(tree.Order.begin() + 1, nullptr);
    tree.Order.push_back(tree.Find(1));
    auto* orphan = tree.FindOrCreate(4);
    orphan->ParentID = 40;
    orphan->Depth = 1;
    auto* early = tree.FindOrCreate(5);
    early->ParentID = 8;
    auto* late = tree.FindOrCreate(8);
    late->ParentID = 2;
    auto* loop = tree.FindOrCreate(9);
    loop->ParentID = 9;
    loop->Depth = 3;

    TMapTreeMemoryView view;
    tree.FillTreeView(view, true);
    EXPECT_EQ(outline(view.TopNodes()), "0(1(2(8(5))))");

    tree.ReadTreeView(view);
    EXPECT_EQ(orderIDs(tree), (std::vector<int32_t>{0, 1, 2, 8, 5}));
    EXPECT_EQ(depths(tree), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    // Deleting around the nodes that were never shown works as well.
    tree.DeleteNode(2);
    EXPECT_EQ(orderIDs(tree), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(tree.Find(4), orphan);
}

TEST(MapTreeView, ReadTakesOrderParentsDepthsAndExpansionFromTheView) {
    TQelMapTree tree;
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}, {1, 2, nkMap}, {0, 3, nkMap}});
    TMapTreeMemoryView view;
    tree.FillTreeView(view, true);
    // Drag map 1 (with map 2) onto map 3 and expand map 3.
    view.MoveNode(view.FindNode(1), view.FindNode(3));
    view.SetNodeExpanded(view.FindNode(3), true);
    // A view node for an item that does not exist is passed over.
    view.AddNode(view.FindNode(0), 50, "ghost", 1);
    tree.ReadTreeView(view);
    EXPECT_EQ(orderIDs(tree), (std::vector<int32_t>{0, 3, 1, 2}));
    EXPECT_EQ(depths(tree), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(tree.Find(1)->ParentID, 3);
    EXPECT_EQ(tree.Find(2)->ParentID, 1);
    EXPECT_EQ(tree.Find(0)->ParentID, 0);
    EXPECT_TRUE(tree.Find(3)->Expanded);
    EXPECT_FALSE(tree.Find(1)->Expanded);
}

TEST_F(MapTreeFiles, FileLayoutAndRoundTrip) {
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}});
    tree.Find(0)->Name = "G";
    tree.ActiveID = 1;
    tree.StartPositions.SetStartMap(0, 1);
    const std::string item = "04 01 00 0B 01 00 0C 08 01 05 28 4F 46 46 29 00 15 01 00 1F 01 00 20 01 00 "
                             "21 01 00 29 01 00 33 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    const std::string expected = "0A 51 65 6C 4D 61 70 54 72 65 65 " // "QelMapTree"
                                 "02 00 01 01 47 " +
                                 item +
                                 " 00 " // the root, named "G"
                                 "01 01 07 4D 41 50 30 30 30 31 03 01 01 04 01 01" +
                                 item.substr(8) +
                                 " 00 "         // map 1: name, parent 0, depth 1, kind 1
                                 "02 00 01 "    // the order
                                 "01 "          // the active ID
                                 "01 01 01 00"; // the party starts on map 1
    EXPECT_EQ(ToHex(treeFileBytes(tree)), ToHex(Hex(expected)));

    tree.SaveTree();
    TQelMapTree loaded;
    loaded.LoadTree();
    EXPECT_EQ(treeFileBytes(loaded), treeFileBytes(tree));
    EXPECT_EQ(loaded.Order[1], loaded.Find(1));
}

TEST_F(MapTreeFiles, UnknownOrderEntriesAreToleratedAndDropped) {
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}});
    Bytes bytes = treeFileBytes(tree);
    // Rewrite the order as 0, 42, 1 (42 has no node).
    TMemoryStream stream;
    WriteVarString(stream, MapTreeFileHeader);
    tree.TCatalog::SaveToStream(stream);
    for (uint8_t b : Hex("03 00 2A 01 00 00"))
        stream.WriteByte(b);
    writeBytes(projectFile("QUORIN.qmt"), stream.Bytes());

    TQelMapTree loaded;
    loaded.LoadTree();
    EXPECT_EQ(orderIDs(loaded), (std::vector<int32_t>{0, -1, 1}));
    TMapTreeMemoryView view;
    loaded.FillTreeView(view, true);
    EXPECT_EQ(outline(view.TopNodes()), "0(1)");
    EXPECT_EQ(treeFileBytes(loaded), bytes);
}

TEST_F(MapTreeFiles, BrokenTreeFilesRaiseEvenInTheEditor) {
    EditorRunningScope editor(true);
    build(tree, {{0, 0, nkRoot}, {0, 1, nkMap}, {0, 2, nkMap}});
    tree.ActiveID = 2;
    Bytes good = treeFileBytes(tree);
    struct Case {
        const char* name;
        Bytes bytes;
        int nodesLeft;
    } cases[] = {
        {"cut inside the nodes", Bytes(good.begin(), good.begin() + 60), 0},
        {"cut inside the start positions", Bytes(good.begin(), good.end() - 1), 3},
        {"wrong header", Hex("0A 51 65 6C 4D 61 70 55 6E 69 74 00 00 00 00"), 0},
        {"huge order count", withHugeOrder(tree), 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(projectFile("QUORIN.qmt"), c.bytes);
        TQelMapTree loaded;
        EXPECT_THROW(loaded.LoadTree(), EReadError);
        EXPECT_EQ(loaded.Count(), c.nodesLeft);
    }
    QFile::remove(QString::fromStdString(projectFile("QUORIN.qmt")));
    EXPECT_THROW(tree.LoadTree(), EFileError);
}

TEST_F(MapTreeFiles, EmptyTreeWritesNothing) {
    tree.DeletedIDs.push_back(3);
    tree.SaveTree();
    EXPECT_FALSE(exists(projectFile("QUORIN.qmt")));
}

TEST_F(MapTreeFiles, SaveMovesWorkingCopiesAndDeletesDeletedMaps) {
    makeProject();
    ASSERT_TRUE(exists(projectFile("Map0005.qmu")));

    // Map 1 edited and parked; area 6 changed (its flag only marks the tree).
    TQelMap map;
    map.LoadMap(1);
    map.LowerLayer.SetChip(0, 0, 77);
    map.Modified = true;
    map.SaveTempMap(1);
    tree.Find(1)->HasWorkCopy = true;
    tree.Find(6)->HasWorkCopy = true;
    // Map 3 deleted with map 5 inside it; map 5's file is already gone, which is no error.
    QFile::remove(QString::fromStdString(projectFile("Map0005.qmu")));
    tree.DeleteNode(3);
    ASSERT_TRUE(tree.IsTreeModified());

    tree.SaveTree();
    EXPECT_FALSE(tree.IsTreeModified());
    EXPECT_FALSE(tree.Find(6)->HasWorkCopy);
    EXPECT_FALSE(exists(tempFile("Map0001.qmu")));
    EXPECT_FALSE(exists(projectFile("Map0003.qmu")));
    TQelMap saved;
    saved.LoadMap(1);
    EXPECT_EQ(saved.LowerLayer.GetChip(0, 0), 77);
    // Saved once into the project at creation, once as the working copy, once moved back.
    EXPECT_EQ(saved.SaveCount, 3);

    TQelMapTree reloaded;
    reloaded.LoadTree();
    EXPECT_EQ(orderIDs(reloaded), (std::vector<int32_t>{0, 1, 6}));
}

TEST_F(MapTreeFiles, BrokenWorkingCopyNeverReplacesTheMapFile) {
    makeProject();
    Bytes good = fileBytes(projectFile("Map0003.qmu"));
    Bytes broken(good.begin(), good.begin() + 100);
    writeBytes(tempFile("Map0003.qmu"), broken);
    tree.Find(3)->HasWorkCopy = true; // its working copy is broken
    tree.Find(5)->HasWorkCopy = true; // its working copy is missing
    TQelMap edited;
    edited.LoadMap(1);
    edited.ChipSetID = 9;
    edited.SaveTempMap(1);
    tree.Find(1)->HasWorkCopy = true;
    tree.Find(1)->Name = "Renamed";

    try {
        tree.SaveTree();
        FAIL() << "no error";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("Map0003.qmu"), std::string::npos) << e.what();
    }
    // The good maps were saved and the tree written; the broken ones stay as they were, still
    // marked, and their working copies are kept.
    EXPECT_EQ(fileBytes(projectFile("Map0003.qmu")), good);
    EXPECT_TRUE(exists(tempFile("Map0003.qmu")));
    EXPECT_TRUE(tree.Find(3)->HasWorkCopy);
    EXPECT_TRUE(tree.Find(5)->HasWorkCopy);
    EXPECT_FALSE(tree.Find(1)->HasWorkCopy);
    TQelMap saved;
    saved.LoadMap(1);
    EXPECT_EQ(saved.ChipSetID, 9);
    TQelMapTree reloaded;
    reloaded.LoadTree();
    EXPECT_EQ(reloaded.Find(1)->Name, "Renamed");
}

TEST_F(MapTreeFiles, WorkingCopiesAcrossMapSwitchesRevertAndSave) {
    EditorRunningScope editor(true);
    makeProject();
    tree.LoadTree();
    TQelMap map;
    // What the main window does: park the current map when it is modified, then open the next
    // one from its working copy when it has one and from the project otherwise.
    auto open = [&](int32_t id) {
        if (map.Modified) {
            map.SaveTempMap(map.ID);
            tree.Find(map.ID)->HasWorkCopy = true;
        }
        tree.ActiveID = id;
        if (tree.Find(id)->HasWorkCopy)
            map.LoadTempMap(id);
        else
            map.LoadMap(id);
    };

    open(3);
    map.UpperLayer.SetChip(4, 4, 10123);
    map.Modified = true;
    open(5);
    EXPECT_EQ(map.ID, 5);
    EXPECT_TRUE(tree.IsTreeModified());
    open(3);
    EXPECT_EQ(map.UpperLayer.GetChip(4, 4), 10123);

    // Revert: the tree is read again, every working copy goes (also that of a map deleted
    // meanwhile), and the edit with it.
    map.SaveTempMap(5);
    tree.Find(5)->HasWorkCopy = true;
    tree.DeleteNode(5);
    tree.LoadTree();
    EXPECT_FALSE(exists(tempFile("Map0005.qmu")));
    ASSERT_NE(tree.Find(5), nullptr);
    EXPECT_FALSE(exists(tempFile("Map0003.qmu")));
    EXPECT_FALSE(tree.IsTreeModified());
    map.Modified = false;
    open(3);
    EXPECT_EQ(map.UpperLayer.GetChip(4, 4), 10000);

    // Edit again, switch away and save: the project has the edit.
    map.UpperLayer.SetChip(4, 4, 10321);
    map.Modified = true;
    open(1);
    tree.SaveTree();
    TQelMap saved;
    saved.LoadMap(3);
    EXPECT_EQ(saved.UpperLayer.GetChip(4, 4), 10321);
    EXPECT_FALSE(exists(tempFile("Map0003.qmu")));
}

TEST_F(MapTreeFiles, NewProjectTreeAndFirstMap) {
    // The steps a new project takes: the root, a save, the first map as a working copy, a save.
    tree.ClearTree();
    TQelMapTreeItem* root = tree.AddNode(0, 0);
    root->NodeKind = nkRoot;
    root->Name = "My Game";
    tree.ActiveID = 0;
    tree.SaveTree();
    TQelMapTreeItem* first = tree.AddMapNode(0, 1);
    first->HasWorkCopy = true;
    TQelMap map;
    map.Reset();
    map.SetWidth(100);
    map.SetHeight(100);
    map.SaveTempMap(1);
    tree.ActiveID = 1;
    tree.SaveTree();

    EXPECT_TRUE(exists(projectFile("Map0001.qmu")));
    TQelMapTree loaded;
    loaded.LoadTree();
    const TQelMapTreeItem* item = loaded.NodeByID(1);
    EXPECT_EQ(item->Name, "MAP0001");
    EXPECT_EQ(item->NodeKind, nkMap);
    EXPECT_EQ(item->Depth, 1);
    EXPECT_EQ(item->MusicMode, 1);
    EXPECT_EQ(item->BattleBackMode, 1);
    EXPECT_EQ(item->TeleportMode + item->EscapeMode + item->SaveMode, 3);
    EXPECT_EQ(item->EncounterSteps, 25);
    EXPECT_EQ(loaded.ActiveID, 1);
    TQelMap first1;
    first1.LoadMap(1);
    EXPECT_EQ(first1.Width, 100);
    EXPECT_EQ(first1.SaveCount, 2);
}
