#pragma once

// The map tree: the project's table of contents of maps and areas ("QUORIN.qmt"), with the
// settings maps inherit down the tree, the display order, the open map, the start positions of
// the party and the vehicles, and the bookkeeping of working copies and deleted maps that a save
// applies to the project folder.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "LD_Common.h"
#include "LD_Music.h"
#include "records/Catalog.h"

namespace tarvel {

// The header of the map-tree file (a counted string) and the file's name in the project folder.
extern const char* const MapTreeFileHeader;
extern const char* const MapTreeFileName;

// Map and area IDs run from 1 to this; 0 is the root.
constexpr int32_t MaxMapID = 9999;

// What a node of the tree stands for.
enum TMapNodeKind : uint8_t {
    nkRoot = 0, // the game itself, named after the project's title
    nkMap = 1,
    nkArea = 2, // a rectangle of its parent map with settings of its own
};

// One encounter entry; ID is its position.
class TQelEncountItem : public TCatalogItem {
public:
    int32_t MonGroupID;

    explicit TQelEncountItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

// The monster groups that can be met on a map or in an area.
class TQelEncount : public TCatalogOf<TQelEncountItem> {};

// An area's rectangle on its parent map in cells (right and bottom exclusive), stored as four
// 32-bit little-endian values.
struct TMapAreaRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};
static_assert(sizeof(TMapAreaRect) == 16, "an area rectangle is stored as a 16-byte block");

// One node of the tree; ID is the map number (0 the root).
class TQelMapTreeItem : public TCatalogItem {
public:
    // The map has a working copy in the temporary folder newer than its project file. Not stored.
    bool HasWorkCopy = false;
    // These keep their values through Reset (and so through a reload of the same object), which
    // lets a pasted map keep its new place in the tree.
    int32_t ParentID = 0;
    int32_t Depth = 0;
    uint8_t NodeKind = nkRoot;
    int32_t ScrollX = 0; // the map view's scroll position (pixels) when the map was last shown
    int32_t ScrollY = 0;
    bool Expanded = false;
    TMapAreaRect AreaRect;
    // The settings inherited down the tree; mode 0 means "as in the parent".
    uint8_t MusicMode; // 1 entrust to event, 2 set to Music
    TQelMusic Music;
    uint8_t BattleBackMode; // 1 as in terrain chip, 2 set to BattleBackName
    std::string BattleBackName;
    uint8_t TeleportMode; // 1 disable, 2 enable
    uint8_t EscapeMode;
    uint8_t SaveMode;
    TQelEncount Encounters;
    int32_t EncounterSteps;

    explicit TQelMapTreeItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // Resets the settings; the node's place and view state (ParentID to AreaRect) are kept.
    void Reset() override;
};

// Where a new game starts and where the three vehicles stand: object 0 the party, 1 the boat,
// 2 the ship, 3 the airship. Map 0 means the object is not placed.
class TQelMapStartPosition : public TCatalogBaseItem {
public:
    static constexpr int Objects = 4;

    TQelMapStartPosition() { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;

    // Any other object number reads 0 and writes nothing.
    int32_t StartMap(int n) const { return valid(n) ? mMap[n] : 0; }
    int32_t StartX(int n) const { return valid(n) ? mX[n] : 0; }
    int32_t StartY(int n) const { return valid(n) ? mY[n] : 0; }
    void SetStartMap(int n, int32_t map) {
        if (valid(n)) mMap[n] = map;
    }
    void SetStartX(int n, int32_t x) {
        if (valid(n)) mX[n] = x;
    }
    void SetStartY(int n, int32_t y) {
        if (valid(n)) mY[n] = y;
    }
    // Map, X and Y of the object to 0.
    void ClearStart(int n) {
        SetStartMap(n, 0);
        SetStartX(n, 0);
        SetStartY(n, 0);
    }

private:
    static bool valid(int n) { return n >= 0 && n < Objects; }
    int32_t mMap[Objects] = {};
    int32_t mX[Objects] = {};
    int32_t mY[Objects] = {};
};

// The tree view the map tree is shown in, as the few operations the tree's algorithms need. The
// map tree window adapts its tree control to it; TMapTreeMemoryView is a plain one in memory.
class TMapTreeViewPort {
public:
    using Node = void*;

    virtual ~TMapTreeViewPort() = default;
    virtual void ClearNodes() = 0;
    // Adds a node as the last child of parent (nullptr: at top level) showing the text and the
    // picture (and selected picture) number, and returns it.
    virtual Node AddNode(Node parent, int32_t itemID, const std::string& text, int imageIndex) = 0;
    // The children of a node in display order (nullptr: the top-level nodes).
    virtual std::vector<Node> ChildNodes(Node parent) const = 0;
    virtual int32_t NodeItemID(Node node) const = 0;
    virtual bool NodeExpanded(Node node) const = 0;
    virtual void SetNodeExpanded(Node node, bool expanded) = 0;
    virtual void SelectNode(Node node) = 0;
};

// A tree view held in memory: for tools, tests and anything that wants the tree as the editor
// would show it.
class TMapTreeMemoryView : public TMapTreeViewPort {
public:
    struct ViewNode {
        int32_t itemID = 0;
        std::string text;
        int imageIndex = 0;
        bool expanded = false;
        ViewNode* parent = nullptr;
        std::vector<std::unique_ptr<ViewNode>> children;
    };

    void ClearNodes() override;
    Node AddNode(Node parent, int32_t itemID, const std::string& text, int imageIndex) override;
    std::vector<Node> ChildNodes(Node parent) const override;
    int32_t NodeItemID(Node node) const override { return static_cast<ViewNode*>(node)->itemID; }
    bool NodeExpanded(Node node) const override { return static_cast<ViewNode*>(node)->expanded; }
    void SetNodeExpanded(Node node, bool expanded) override {
        static_cast<ViewNode*>(node)->expanded = expanded;
    }
    void SelectNode(Node node) override { mSelected = static_cast<ViewNode*>(node); }

    const std::vector<std::unique_ptr<ViewNode>>& TopNodes() const { return mTop; }
    ViewNode* Selected() const { return mSelected; }
    // Moves a node (with its subtree) to the end of another node's children (nullptr: top level),
    // as a drag in the editor's tree does; a move into the node's own subtree does nothing.
    void MoveNode(Node node, Node newParent);
    // Removes a node with its subtree.
    void RemoveNode(Node node);
    // The node showing an item, or nullptr.
    ViewNode* FindNode(int32_t itemID) const;

private:
    std::vector<std::unique_ptr<ViewNode>>& siblingsOf(ViewNode* parent) {
        return parent ? parent->children : mTop;
    }
    std::vector<std::unique_ptr<ViewNode>> mTop;
    ViewNode* mSelected = nullptr;
};

// The map tree of a project.
class TQelMapTree : public TQelList<TQelMapTreeItem> {
public:
    // The nodes in display order: every node is followed by its whole subtree. An entry may be
    // nullptr when the file named an ID that has no node; every operation skips such entries.
    std::vector<TQelMapTreeItem*> Order;
    // Maps deleted since the last save whose project files are still to be deleted.
    std::vector<int32_t> DeletedIDs;
    // The node selected in the tree (the map that is open).
    int32_t ActiveID = 0;
    TQelMapStartPosition StartPositions;
    // The nodes were rearranged (a drag in the tree) since the tree was last loaded or saved. Not
    // stored; it makes the tree count as modified so the new arrangement is offered for saving.
    bool StructureChanged = false;

    TQelMapTree() : TQelList("Invalid Map Designed") {}

    TQelMapTreeItem* NodeByIndex(int index) const { return ByIndex(index); }
    TQelMapTreeItem* NodeByID(int32_t id) const { return ByID(id); }
    TQelMapTreeItem* ActiveNode() const { return NodeByID(ActiveID); }
    bool HasMaps() const { return Count() > 0; }
    // A node has a working copy, a map was deleted or the nodes were rearranged: a save has
    // something to do.
    bool IsTreeModified() const;
    // The position in Order of the node with that ID, or -1.
    int OrderIndexOf(int32_t id) const;
    // No nodes, no order and nothing left to delete.
    void ClearTree();
    // Loads the nodes only (the list form); the order is emptied first so it never points at
    // freed nodes.
    void LoadFromStream(TMemoryStream& stream) override;

    // Creates (or finds) the node ID under ParentID and places it in Order as the parent's last
    // child. The root is added as AddNode(0, 0), its own parent, at depth 0.
    TQelMapTreeItem* AddNode(int32_t parentID, int32_t id);
    // Removes the node and its whole subtree, schedules their map files for deletion and
    // clears the start positions that stood on any of them.
    void DeleteNode(int32_t id);
    // A new map node under ParentID: kind map, named "MAP%.4d", and under the root with every
    // inherited setting on its first own choice.
    TQelMapTreeItem* AddMapNode(int32_t parentID, int32_t id);

    // Shows the tree in a view: the nodes in Order under their parents (areas only with
    // showAreas), then any node still missing under its parent, then the expanded state.
    void FillTreeView(TMapTreeViewPort& view, bool showAreas) const;
    // Takes order, parents, depths and expanded states back from the view.
    void ReadTreeView(const TMapTreeViewPort& view);
    // Selects the view node of ActiveID.
    void SelectActive(TMapTreeViewPort& view) const;

    // Reads the project's "QUORIN.qmt" after deleting every working copy of the current nodes.
    // Errors are always raised; the tree holds what was read before them.
    void LoadTree();
    // Moves working copies into the project, deletes the files of deleted maps and writes
    // "QUORIN.qmt"; does nothing for a tree without nodes. A working copy that cannot be read
    // back (or written) stays where it is, marked, and is reported by an EFileError after
    // everything else is saved.
    void SaveTree();
    // The file's bytes (header, nodes, order, active ID, start positions) and their reader.
    void SaveToFileStream(TMemoryStream& stream) const;
    void LoadFromFileStream(TMemoryStream& stream);
};

// The lowest map ID from 1 to 9999 that no node uses; 0 when all are used.
int32_t LowestFreeMapID(const TQelMapTree& tree);
// "MAP%.4d" and "AREA%.4d", the names new maps and areas get.
std::string DefaultMapName(int32_t id);
std::string DefaultAreaName(int32_t id);
// A map directly under the root has nothing to inherit from: an "as in parent" (0) in the music,
// battle background, teleport, escape and save modes becomes 1.
void UseRootChildModes(TQelMapTreeItem& item);

} // namespace tarvel
