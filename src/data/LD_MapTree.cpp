#include "LD_MapTree.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "LD_Folders.h"
#include "LD_Map.h"

namespace tarvel {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "area rectangles are stored little-endian");

const char* const MapTreeFileHeader = "QelMapTree";
const char* const MapTreeFileName = "QUORIN.qmt";

// --- TQelEncountItem ---

void TQelEncountItem::DescribeField(int id, TCatalogVarData& v, bool) {
    // Reset to 1 but compared against 0 on save, so group 1 is always written and an entry
    // without the chunk loads as group 1.
    if (id == 1) v.Integer(&MonGroupID, 0, "MonGroupID").ResetTo(1);
}

// --- TQelMapTreeItem ---

void TQelMapTreeItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.Integer(&ParentID, 0, "ParentID");
        break;
    case 3:
        v.Integer(&Depth, 0, "Depth");
        break;
    case 4:
        v.Block(&NodeKind, 1, "NodeKind");
        break;
    case 5:
        v.Integer(&ScrollX, 0, "ScrollX");
        break;
    case 6:
        v.Integer(&ScrollY, 0, "ScrollY");
        break;
    case 7:
        v.Boolean(&Expanded, false, "Expanded");
        break;
    case 11:
        v.Block(&MusicMode, 1, "MusicMode");
        break;
    case 12:
        v.Record(&Music, "Music");
        break;
    case 21:
        v.Block(&BattleBackMode, 1, "BattleBackMode");
        break;
    case 22:
        v.String(&BattleBackName, "BattleBackName");
        break;
    case 31:
        v.Block(&TeleportMode, 1, "TeleportMode");
        break;
    case 32:
        v.Block(&EscapeMode, 1, "EscapeMode");
        break;
    case 33:
        v.Block(&SaveMode, 1, "SaveMode");
        break;
    case 41:
        v.List(&Encounters, "Encounters");
        break;
    case 44:
        v.Integer(&EncounterSteps, 25, "EncounterSteps");
        break;
    case 51:
        v.Block(&AreaRect, sizeof AreaRect, "AreaRect", TFieldForm::Int32Array);
        break;
    }
}

void TQelMapTreeItem::Reset() {
    const int32_t parentID = ParentID, depth = Depth, scrollX = ScrollX, scrollY = ScrollY;
    const uint8_t nodeKind = NodeKind;
    const bool expanded = Expanded;
    const TMapAreaRect areaRect = AreaRect;
    TCatalogItem::Reset();
    ParentID = parentID;
    Depth = depth;
    NodeKind = nodeKind;
    ScrollX = scrollX;
    ScrollY = scrollY;
    Expanded = expanded;
    AreaRect = areaRect;
}

// --- TQelMapStartPosition ---

void TQelMapStartPosition::DescribeField(int id, TCatalogVarData& v, bool) {
    // Object n has its map, X and Y at chunks 10n + 1, 10n + 2 and 10n + 3.
    static const char* const names[Objects][3] = {{"PartyMapID", "PartyX", "PartyY"},
                                                  {"BoatMapID", "BoatX", "BoatY"},
                                                  {"ShipMapID", "ShipX", "ShipY"},
                                                  {"AirshipMapID", "AirshipX", "AirshipY"}};
    int n = id / 10;
    if (n < 0 || n >= Objects) return;
    switch (id % 10) {
    case 1:
        v.Integer(&mMap[n], 0, names[n][0]);
        break;
    case 2:
        v.Integer(&mX[n], 0, names[n][1]);
        break;
    case 3:
        v.Integer(&mY[n], 0, names[n][2]);
        break;
    }
}

// --- TMapTreeMemoryView ---

void TMapTreeMemoryView::ClearNodes() {
    mTop.clear();
    mSelected = nullptr;
}

TMapTreeViewPort::Node TMapTreeMemoryView::AddNode(Node parent, int32_t itemID, const std::string& text,
                                                   int imageIndex) {
    auto node = std::make_unique<ViewNode>();
    node->itemID = itemID;
    node->text = text;
    node->imageIndex = imageIndex;
    node->parent = static_cast<ViewNode*>(parent);
    auto& siblings = siblingsOf(node->parent);
    siblings.push_back(std::move(node));
    return siblings.back().get();
}

std::vector<TMapTreeViewPort::Node> TMapTreeMemoryView::ChildNodes(Node parent) const {
    const auto& siblings = parent ? static_cast<ViewNode*>(parent)->children : mTop;
    std::vector<Node> out;
    out.reserve(siblings.size());
    for (const auto& child : siblings)
        out.push_back(child.get());
    return out;
}

void TMapTreeMemoryView::MoveNode(Node node, Node newParent) {
    auto* moving = static_cast<ViewNode*>(node);
    // A node cannot go into its own subtree.
    for (auto* n = static_cast<ViewNode*>(newParent); n; n = n->parent)
        if (n == moving) return;
    auto& from = siblingsOf(moving->parent);
    auto it = std::find_if(from.begin(), from.end(), [&](const auto& n) { return n.get() == moving; });
    if (it == from.end()) return;
    std::unique_ptr<ViewNode> owned = std::move(*it);
    from.erase(it);
    owned->parent = static_cast<ViewNode*>(newParent);
    siblingsOf(owned->parent).push_back(std::move(owned));
}

void TMapTreeMemoryView::RemoveNode(Node node) {
    auto* removing = static_cast<ViewNode*>(node);
    if (mSelected) {
        for (ViewNode* n = mSelected; n; n = n->parent)
            if (n == removing) mSelected = nullptr;
    }
    auto& from = siblingsOf(removing->parent);
    from.erase(std::remove_if(from.begin(), from.end(), [&](const auto& n) { return n.get() == removing; }),
               from.end());
}

TMapTreeMemoryView::ViewNode* TMapTreeMemoryView::FindNode(int32_t itemID) const {
    std::function<ViewNode*(const std::vector<std::unique_ptr<ViewNode>>&)> find =
        [&](const std::vector<std::unique_ptr<ViewNode>>& nodes) -> ViewNode* {
        for (const auto& n : nodes) {
            if (n->itemID == itemID) return n.get();
            if (ViewNode* found = find(n->children)) return found;
        }
        return nullptr;
    };
    return find(mTop);
}

// --- TQelMapTree ---

namespace {

// The nodes by ID, for the passes that look up every node (map IDs are sparse, so the list's own
// lookup would scan).
std::unordered_map<int32_t, TQelMapTreeItem*> nodeIndex(const TQelMapTree& tree) {
    std::unordered_map<int32_t, TQelMapTreeItem*> index;
    index.reserve(static_cast<size_t>(tree.Count()));
    for (const auto& item : tree)
        index.emplace(item->ID, static_cast<TQelMapTreeItem*>(item.get()));
    return index;
}

TQelMapTreeItem* lookUp(const std::unordered_map<int32_t, TQelMapTreeItem*>& index, int32_t id) {
    auto it = index.find(id);
    return it == index.end() ? nullptr : it->second;
}

} // namespace

bool TQelMapTree::IsTreeModified() const {
    if (!DeletedIDs.empty() || StructureChanged) return true;
    return std::any_of(begin(), end(),
                       [](const auto& item) { return static_cast<TQelMapTreeItem&>(*item).HasWorkCopy; });
}

int TQelMapTree::OrderIndexOf(int32_t id) const {
    for (size_t i = 0; i < Order.size(); ++i)
        if (Order[i] && Order[i]->ID == id) return static_cast<int>(i);
    return -1;
}

void TQelMapTree::ClearTree() {
    Order.clear();
    Clear();
    // A cleared tree has nothing left to delete, so a tree built afresh (a new project) never
    // deletes files of the project that was open before.
    DeletedIDs.clear();
    StructureChanged = false;
}

void TQelMapTree::LoadFromStream(TMemoryStream& stream) {
    Order.clear();
    TQelList<TQelMapTreeItem>::LoadFromStream(stream);
}

TQelMapTreeItem* TQelMapTree::AddNode(int32_t parentID, int32_t id) {
    TQelMapTreeItem* node = FindOrCreate(id);
    DeletedIDs.erase(std::remove(DeletedIDs.begin(), DeletedIDs.end(), id), DeletedIDs.end());
    // A node is placed once: adding it again moves it.
    std::replace(Order.begin(), Order.end(), node, static_cast<TQelMapTreeItem*>(nullptr));
    Order.erase(std::remove(Order.begin(), Order.end(), nullptr), Order.end());

    node->ParentID = parentID;
    TQelMapTreeItem* parent = Find(parentID);
    if (parent == node) {
        // The root is its own parent and stands at the top.
        node->Depth = 0;
        Order.push_back(node);
        return node;
    }
    if (parent) node->Depth = parent->Depth + 1;

    // The end of the parent's subtree is the first entry after it that is not deeper than the
    // parent; the node goes there, as the parent's last child.
    int p = OrderIndexOf(parentID);
    if (p >= 0) {
        for (size_t i = static_cast<size_t>(p) + 1; i < Order.size(); ++i) {
            if (Order[i] && Order[i]->Depth <= parent->Depth) {
                Order.insert(Order.begin() + static_cast<ptrdiff_t>(i), node);
                return node;
            }
        }
    }
    Order.push_back(node);
    return node;
}

void TQelMapTree::DeleteNode(int32_t id) {
    int p = OrderIndexOf(id);
    if (p >= 0) {
        int32_t depth = Order[static_cast<size_t>(p)]->Depth;
        for (size_t i = static_cast<size_t>(p); i < Order.size(); ++i) {
            TQelMapTreeItem* item = Order[i];
            if (i > static_cast<size_t>(p) && item && item->Depth <= depth) break;
            if (item) {
                int32_t deleted = item->ID;
                if (std::find(DeletedIDs.begin(), DeletedIDs.end(), deleted) == DeletedIDs.end())
                    DeletedIDs.push_back(deleted);
                // Nothing may start on a map that no longer exists, whether it was the map named
                // or one inside it.
                for (int n = 0; n < TQelMapStartPosition::Objects; ++n)
                    if (StartPositions.StartMap(n) == deleted) StartPositions.ClearStart(n);
                Delete(deleted);
            }
            Order[i] = nullptr;
        }
    }
    Order.erase(std::remove(Order.begin(), Order.end(), nullptr), Order.end());
}

TQelMapTreeItem* TQelMapTree::AddMapNode(int32_t parentID, int32_t id) {
    TQelMapTreeItem* node = AddNode(parentID, id);
    node->NodeKind = nkMap;
    node->Name = DefaultMapName(id);
    TQelMapTreeItem* parent = Find(parentID);
    if (parent && parent->NodeKind == nkRoot) UseRootChildModes(*node);
    return node;
}

void TQelMapTree::FillTreeView(TMapTreeViewPort& view, bool showAreas) const {
    view.ClearNodes();
    std::unordered_map<int32_t, TMapTreeViewPort::Node> nodes;
    auto add = [&](TMapTreeViewPort::Node parent, const TQelMapTreeItem& item) {
        nodes[item.ID] = view.AddNode(parent, item.ID, item.Name, item.NodeKind);
    };
    auto parentNode = [&](const TQelMapTreeItem& item) -> TMapTreeViewPort::Node {
        auto it = nodes.find(item.ParentID);
        return it == nodes.end() ? nullptr : it->second;
    };

    for (const TQelMapTreeItem* item : Order) {
        // Entries naming no node, and a node listed twice, are skipped.
        if (!item || nodes.count(item->ID)) continue;
        if (!showAreas && item->NodeKind == nkArea) continue;
        if (item->Depth == 0) {
            add(nullptr, *item);
        } else if (auto parent = parentNode(*item)) {
            add(parent, *item);
        }
    }
    // Every node still missing goes under its parent (the areas when they were left out above).
    // A node whose parent has no view node is left out; the pass is repeated while it adds
    // nodes, so a child listed before its missing parent still finds it.
    for (bool added = true; added;) {
        added = false;
        for (const auto& entry : *this) {
            const auto& item = static_cast<const TQelMapTreeItem&>(*entry);
            if (nodes.count(item.ID)) continue;
            if (item.ID == 0) {
                add(nullptr, item);
                added = true;
            } else if (auto parent = parentNode(item)) {
                add(parent, item);
                added = true;
            }
        }
    }
    auto index = nodeIndex(*this);
    for (const auto& [id, node] : nodes)
        if (const TQelMapTreeItem* item = lookUp(index, id); item && item->Expanded)
            view.SetNodeExpanded(node, true);
}

void TQelMapTree::ReadTreeView(const TMapTreeViewPort& view) {
    Order.clear();
    auto index = nodeIndex(*this);
    std::unordered_set<int32_t> seen;
    std::function<void(TMapTreeViewPort::Node, int32_t)> walk = [&](TMapTreeViewPort::Node parent,
                                                                    int32_t level) {
        for (TMapTreeViewPort::Node node : view.ChildNodes(parent)) {
            TQelMapTreeItem* item = lookUp(index, view.NodeItemID(node));
            // A view node without an item (or a second one for the same item) is passed over.
            if (item && seen.insert(item->ID).second) {
                if (parent) item->ParentID = view.NodeItemID(parent);
                item->Depth = level;
                item->Expanded = view.NodeExpanded(node);
                Order.push_back(item);
            }
            walk(node, level + 1);
        }
    };
    walk(nullptr, 0);
}

void TQelMapTree::SelectActive(TMapTreeViewPort& view) const {
    std::function<TMapTreeViewPort::Node(TMapTreeViewPort::Node)> find =
        [&](TMapTreeViewPort::Node parent) -> TMapTreeViewPort::Node {
        for (TMapTreeViewPort::Node node : view.ChildNodes(parent)) {
            if (view.NodeItemID(node) == ActiveID) return node;
            if (auto found = find(node)) return found;
        }
        return nullptr;
    };
    if (auto node = find(nullptr)) view.SelectNode(node);
}

void TQelMapTree::SaveToFileStream(TMemoryStream& stream) const {
    WriteVarString(stream, MapTreeFileHeader);
    TQelList<TQelMapTreeItem>::SaveToStream(stream);
    // Entries that name no node are not written.
    uint32_t count =
        static_cast<uint32_t>(std::count_if(Order.begin(), Order.end(), [](auto* i) { return i; }));
    WriteVarInt(stream, count);
    for (const TQelMapTreeItem* item : Order)
        if (item) WriteVarInt(stream, item->ID);
    WriteVarInt(stream, ActiveID);
    StartPositions.SaveToStream(stream);
}

void TQelMapTree::LoadFromFileStream(TMemoryStream& stream) {
    Order.clear();
    if (ReadVarString(stream) != MapTreeFileHeader) throw EReadError();
    LoadFromStream(stream);
    uint32_t count = ReadVarInt(stream);
    // Every entry takes at least a byte.
    if (count > static_cast<uint64_t>(stream.Remaining())) throw EReadError();
    auto index = nodeIndex(*this);
    Order.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        Order.push_back(lookUp(index, static_cast<int32_t>(ReadVarInt(stream))));
    ActiveID = static_cast<int32_t>(ReadVarInt(stream));
    StartPositions.LoadFromStream(stream);
}

void TQelMapTree::LoadTree() {
    // A map deleted since the last save may still have a working copy; it goes with the others.
    for (int32_t id : DeletedIDs)
        DeleteFileQuietly(TempMapPath(id));
    DeletedIDs.clear();
    for (const auto& entry : *this) {
        auto& item = static_cast<TQelMapTreeItem&>(*entry);
        DeleteFileQuietly(TempMapPath(item.ID));
        item.HasWorkCopy = false;
    }
    StructureChanged = false;
    TMemoryStream stream;
    stream.LoadFromFile(CoreFolders::ProjectPath() + MapTreeFileName);
    LoadFromFileStream(stream);
}

void TQelMapTree::SaveTree() {
    if (Count() == 0) return;
    std::string failure;
    for (const auto& entry : *this) {
        auto& item = static_cast<TQelMapTreeItem&>(*entry);
        if (!item.HasWorkCopy) continue;
        if (item.NodeKind == nkMap) {
            try {
                // The copy must read back whole before it replaces the project's map file.
                TQelMap map(item.ID);
                map.ReadFile(TempMapPath(item.ID));
                map.SaveToFile(ProjectMapPath(item.ID));
            } catch (const std::exception& e) {
                // Kept as it is, to be saved again once the cause is gone.
                if (failure.empty()) failure = "Map " + MapFileName(item.ID) + " was not saved: " + e.what();
                continue;
            }
            DeleteFileQuietly(TempMapPath(item.ID));
        }
        item.HasWorkCopy = false;
    }
    for (int32_t id : DeletedIDs)
        DeleteFileQuietly(ProjectMapPath(id));
    DeletedIDs.clear();

    TMemoryStream stream;
    SaveToFileStream(stream);
    stream.SaveToFile(CoreFolders::ProjectPath() + MapTreeFileName);
    StructureChanged = false;
    if (!failure.empty()) throw EFileError(failure);
}

int32_t LowestFreeMapID(const TQelMapTree& tree) {
    std::vector<bool> used(MaxMapID + 1, false);
    for (const auto& item : tree)
        if (item->ID >= 1 && item->ID <= MaxMapID) used[static_cast<size_t>(item->ID)] = true;
    for (int32_t id = 1; id <= MaxMapID; ++id)
        if (!used[static_cast<size_t>(id)]) return id;
    return 0;
}

std::string DefaultMapName(int32_t id) {
    char name[32];
    std::snprintf(name, sizeof name, "MAP%.4d", id);
    return name;
}

std::string DefaultAreaName(int32_t id) {
    char name[32];
    std::snprintf(name, sizeof name, "AREA%.4d", id);
    return name;
}

void UseRootChildModes(TQelMapTreeItem& item) {
    for (uint8_t* mode :
         {&item.MusicMode, &item.BattleBackMode, &item.TeleportMode, &item.EscapeMode, &item.SaveMode})
        if (*mode == 0) *mode = 1;
}

} // namespace tarvel
