#include "MapTreeEdits.h"

#include <algorithm>

#include "data/MapClipboard.h"

namespace tarvel {

namespace {

int wrap(int64_t value, int size) {
    if (size <= 0) return 0;
    int64_t r = value % size;
    return static_cast<int>(r < 0 ? r + size : r);
}

} // namespace

MapSettings MapSettings::Of(const TQelMap& map) {
    MapSettings s;
    s.chipSetID = map.ChipSetID;
    s.width = map.Width;
    s.height = map.Height;
    s.scrollType = map.ScrollType;
    s.usePanorama = map.UsePanorama;
    s.panoramaName = map.PanoramaName;
    s.horzPan = map.PanoramaHorzPan;
    s.horzAuto = map.PanoramaHorzAuto;
    s.horzSpeed = map.PanoramaHorzSpeed;
    s.vertPan = map.PanoramaVertPan;
    s.vertAuto = map.PanoramaVertAuto;
    s.vertSpeed = map.PanoramaVertSpeed;
    return s;
}

void MapSettings::WriteTo(TQelMap& map) const {
    bool chipSetChanged = map.ChipSetID != chipSetID;
    map.ChipSetID = chipSetID;
    if (map.Width != width) map.SetWidth(width);
    if (map.Height != height) map.SetHeight(height);
    map.SetScrollType(scrollType);
    map.UsePanorama = usePanorama;
    map.PanoramaName = usePanorama ? panoramaName : std::string();
    map.PanoramaHorzPan = horzPan;
    map.PanoramaHorzAuto = horzAuto;
    map.PanoramaHorzSpeed = horzSpeed;
    map.PanoramaVertPan = vertPan;
    map.PanoramaVertAuto = vertAuto;
    map.PanoramaVertSpeed = vertSpeed;
    map.Modified = true;
    if (chipSetChanged) map.ReloadChipSet();
}

int32_t ShownMapID(const TQelMapTree& tree) {
    const TQelMapTreeItem* node = tree.Find(tree.ActiveID);
    if (!node || node->NodeKind == nkRoot) return 0;
    return node->NodeKind == nkArea ? node->ParentID : node->ID;
}

std::string ShownMapName(const TQelMapTree& tree) {
    const TQelMapTreeItem* node = tree.Find(tree.ActiveID);
    if (!node || node->NodeKind == nkRoot) return {};
    if (node->NodeKind == nkArea) {
        const TQelMapTreeItem* parent = tree.Find(node->ParentID);
        return parent ? parent->Name : std::string();
    }
    return node->Name;
}

void ParkCurrentMap(TQelMapTree& tree, TQelMap& map) {
    if (!map.Modified) return;
    int32_t id = ShownMapID(tree);
    TQelMapTreeItem* node = tree.Find(id);
    if (id <= 0 || !node) return;
    map.SaveTempMap(id);
    node->HasWorkCopy = true;
}

void LoadActiveMap(TQelMapTree& tree, TQelMap& map, int viewWidth, int viewHeight) {
    TQelMapTreeItem* node = tree.Find(tree.ActiveID);
    int32_t id = ShownMapID(tree);
    if (!node || id <= 0) {
        map.CloseMap();
        return;
    }
    const TQelMapTreeItem* mapNode = tree.Find(id);
    if (mapNode && mapNode->HasWorkCopy)
        map.LoadTempMap(id);
    else
        map.LoadMap(id);
    if (node->NodeKind == nkArea) {
        node->ScrollX = (node->AreaRect.Left + node->AreaRect.Right) * 16 - viewWidth / 2;
        node->ScrollY = (node->AreaRect.Top + node->AreaRect.Bottom) * 16 - viewHeight / 2;
    }
}

void DropInheritedSettings(TQelMapTreeItem& node) {
    if (node.MusicMode != 2) node.Music.Reset();
    if (node.BattleBackMode != 2) node.BattleBackName.clear();
}

TQelMapTreeItem& CreateMap(TQelMapTree& tree, TQelMap& map, int32_t parentID, int32_t id,
                           const TQelMapTreeItem& values, const MapSettings& settings) {
    TQelMapTreeItem* node = tree.AddNode(parentID, id);
    int32_t parent = node->ParentID, depth = node->Depth;
    node->Assign(values);
    node->ParentID = parent;
    node->Depth = depth;
    node->NodeKind = nkMap;
    DropInheritedSettings(*node);
    tree.ActiveID = id;

    map.Reset();
    map.ID = id;
    settings.WriteTo(map);
    map.ReloadChipSet();
    map.Modified = true;
    return *node;
}

void ApplyMapProperties(TQelMapTree& tree, TQelMap& map, TQelMapTreeItem& node, const TQelMapTreeItem& values,
                        const MapSettings& settings) {
    int32_t parentID = node.ParentID, depth = node.Depth;
    bool expanded = node.Expanded;
    int32_t scrollX = node.ScrollX, scrollY = node.ScrollY;
    node.Assign(values);
    node.ParentID = parentID;
    node.Depth = depth;
    node.Expanded = expanded;
    node.ScrollX = scrollX;
    node.ScrollY = scrollY;
    node.NodeKind = nkMap;
    DropInheritedSettings(node);

    settings.WriteTo(map);
    std::vector<int32_t> outside;
    for (const auto& event : map.Events) {
        const auto& e = static_cast<const TQelEventItem&>(*event);
        if (e.X >= map.Width || e.Y >= map.Height) outside.push_back(e.ID);
    }
    for (int32_t eventID : outside)
        map.Events.Delete(eventID);
    auto& starts = tree.StartPositions;
    for (int n = 0; n < TQelMapStartPosition::Objects; ++n)
        if (starts.StartMap(n) == node.ID &&
            (starts.StartX(n) >= map.Width || starts.StartY(n) >= map.Height))
            starts.ClearStart(n);
    map.Modified = true;
}

TQelMapTreeItem& CreateArea(TQelMapTree& tree, int32_t parentID, int32_t id, const TQelMapTreeItem& values) {
    TQelMapTreeItem* node = tree.AddNode(parentID, id);
    node->NodeKind = nkArea;
    ApplyAreaProperties(*node, values);
    return *node;
}

void ApplyAreaProperties(TQelMapTreeItem& node, const TQelMapTreeItem& values) {
    node.Name = values.Name;
    node.AreaRect = values.AreaRect;
    node.Encounters.Assign(values.Encounters);
    // An area lives in the tree file; marking it lets the next save write the tree.
    node.HasWorkCopy = true;
}

TQelMapTreeItem* PasteMap(TQelMapTree& tree, TQelMap& map, int32_t parentID, int32_t id) {
    TQelMapTreeItem* node = tree.AddNode(parentID, id);
    if (!PasteMapFromClipboard(*node, map)) {
        tree.DeleteNode(id);
        // The broken block took nothing from the tree; the number is free again.
        tree.DeletedIDs.erase(std::remove(tree.DeletedIDs.begin(), tree.DeletedIDs.end(), id),
                              tree.DeletedIDs.end());
        return nullptr;
    }
    node->NodeKind = nkMap;
    map.ID = id;
    map.ReloadChipSet();
    tree.ActiveID = id;
    try {
        map.SaveTempMap(id);
        node->HasWorkCopy = true;
    } catch (...) {
        map.Modified = true;
        throw;
    }
    return node;
}

void DeleteNode(TQelMapTree& tree, TQelMap& map, int32_t id) {
    const TQelMapTreeItem* node = tree.Find(id);
    if (!node) return;
    const int32_t parentID = node->ParentID;
    bool shownGoes = false;
    for (const TQelMapTreeItem* n = tree.Find(ShownMapID(tree)); n;
         n = n->ID ? tree.Find(n->ParentID) : nullptr)
        if (n->ID == id) shownGoes = true;
    tree.DeleteNode(id);
    // A deleted map's unsaved edits have nowhere to go.
    if (shownGoes) map.Modified = false;
    tree.ActiveID = parentID;
}

void ShiftMap(TQelMapTree& tree, TQelMap& map, TQelMapTreeItem& node, int dx, int dy) {
    map.ShiftMap(dx, dy);
    auto& starts = tree.StartPositions;
    for (int n = 0; n < TQelMapStartPosition::Objects; ++n) {
        if (starts.StartMap(n) != node.ID) continue;
        starts.SetStartX(n, wrap(int64_t(starts.StartX(n)) + dx, map.Width));
        starts.SetStartY(n, wrap(int64_t(starts.StartY(n)) + dy, map.Height));
    }
    map.Modified = true;
    map.SaveTempMap(node.ID);
    node.HasWorkCopy = true;
}

} // namespace tarvel
