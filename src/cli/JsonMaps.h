#pragma once

// The plain-text form of map files and the map-tree file, and their file kinds for dump and
// build. A map is {"kind": "map", its named fields, "LowerLayer"/"UpperLayer" as Width x Height
// chip numbers row by row, "Events"}; a tree is {"kind": "maptree", "Items", "Order",
// "ActiveID", "StartPositions"}.

#include "JsonRecords.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

namespace tarvel::cli {

Json MapToJson(const TQelMap& map);
// Resets the map, then takes the fields the JSON names. Width and Height must be 1..500 and a
// layer must hold exactly Width x Height chips.
void MapFromJson(TQelMap& map, const Json& json);

Json MapTreeToJson(const TQelMapTree& tree);
// Clears the tree, then takes the nodes, order, active ID and start positions the JSON names.
// Every ID of the order must name a node.
void MapTreeFromJson(TQelMapTree& tree, const Json& json);

// The tree as the editor shows it, one line per node in display order, indented by two blanks
// per level: "ID kind name" with the ID as four digits and the kind "root", "map" or "area".
std::string MapTreeOutline(const TQelMapTree& tree);

} // namespace tarvel::cli
