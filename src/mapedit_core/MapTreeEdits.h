#pragma once

// The rules of the map tree's commands, apart from any window: which map a node shows, parking the
// open map in its working copy and loading another, and creating, changing, pasting, deleting and
// shifting maps and areas. The map tree pane and the place pickers call these on their tree and
// map; the project document on the project's own.

#include <cstdint>
#include <string>

#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

namespace tarvel {

// The settings of a map that its properties dialog edits (everything but layers and events).
struct MapSettings {
    int32_t chipSetID = 1;
    int32_t width = 20;
    int32_t height = 15;
    int32_t scrollType = 0;
    bool usePanorama = false;
    std::string panoramaName;
    bool horzPan = false, horzAuto = false;
    int32_t horzSpeed = 0;
    bool vertPan = false, vertAuto = false;
    int32_t vertSpeed = 0;

    static MapSettings Of(const TQelMap& map);
    // Stores the settings in the map (resizing it), clears the panorama name when no panorama is
    // used, and marks the map modified.
    void WriteTo(TQelMap& map) const;
};

// The ID of the map shown for the active node: the node's own ID, its parent map's for an area,
// 0 for the root or no node.
int32_t ShownMapID(const TQelMapTree& tree);
// The name shown for the active node: the map's, the parent map's for an area, empty otherwise.
std::string ShownMapName(const TQelMapTree& tree);

// Writes the open map to its working copy when it was changed, so another one can be loaded;
// raises the writer's error (the map then stays open and modified, nothing is lost).
void ParkCurrentMap(TQelMapTree& tree, TQelMap& map);
// Loads the map of the active node, from its working copy when it has one, or closes the map
// when the root is active. For an area the view centres on it: its remembered scroll becomes
// the area's centre at 32 pixels a cell less half the view's client size.
void LoadActiveMap(TQelMapTree& tree, TQelMap& map, int viewWidth, int viewHeight);

// A map node keeps its music and battle background only when it sets its own (mode 2).
void DropInheritedSettings(TQelMapTreeItem& node);

// Adds the new map id under parentID with the node values and settings of the properties dialog,
// makes it active, and makes the map object that new, empty map (modified, not yet parked).
TQelMapTreeItem& CreateMap(TQelMapTree& tree, TQelMap& map, int32_t parentID, int32_t id,
                           const TQelMapTreeItem& values, const MapSettings& settings);
// Stores the properties dialog's values in a map node (its place in the tree, expanded state and
// scroll kept) and the settings in the open map, which is that node's. Events beyond the new
// edges go, and start positions there are cleared.
void ApplyMapProperties(TQelMapTree& tree, TQelMap& map, TQelMapTreeItem& node, const TQelMapTreeItem& values,
                        const MapSettings& settings);
// Adds the new area id under the map parentID with the area dialog's name, rectangle and
// encounters.
TQelMapTreeItem& CreateArea(TQelMapTree& tree, int32_t parentID, int32_t id, const TQelMapTreeItem& values);
// Stores the area dialog's name, rectangle and encounters in an area node.
void ApplyAreaProperties(TQelMapTreeItem& node, const TQelMapTreeItem& values);

// Pastes the clipboard's map as the new map id under parentID and makes it the open, active map.
// Nothing changes and nullptr comes back when the clipboard's block is broken (the ID stays free).
// The pasted map is kept in its working copy; when that write fails the map stays open and
// modified and the error is raised after the node was added.
TQelMapTreeItem* PasteMap(TQelMapTree& tree, TQelMap& map, int32_t parentID, int32_t id);

// Deletes a node with its subtree. When the open map goes with it, its unsaved edits are dropped.
// The deleted node's parent becomes active; the caller parks and loads as after a selection.
void DeleteNode(TQelMapTree& tree, TQelMap& map, int32_t id);

// Shifts the open map (the node's) by whole cells with wrap-around, moves the start positions on
// it with the cells, and keeps the result in its working copy (raising the writer's error, with
// the map left open and modified).
void ShiftMap(TQelMapTree& tree, TQelMap& map, TQelMapTreeItem& node, int dx, int dy);

} // namespace tarvel
