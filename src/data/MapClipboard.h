#pragma once

// A map on the clipboard (format 568): a 32-bit byte count, then the tree item's name as a
// counted string, the map's record and the tree item's record.

#include <optional>
#include <string>
#include <vector>

#include "LD_Map.h"
#include "LD_MapTree.h"

namespace tarvel {

std::vector<uint8_t> MakeMapClipboardBlock(const TQelMapTreeItem& item, const TQelMap& map);
// Puts the block on the clipboard.
void CopyMapToClipboard(const TQelMapTreeItem& item, const TQelMap& map);
bool ClipboardHasMap();

// Reads a block into the map and the item. The item keeps its ID, parent, depth and expanded
// state (the place the paste gives it); its name becomes the one read, renamed by
// PastedMapName. False (nothing changed) when the block is short or broken.
bool ReadMapClipboardBlock(const std::vector<uint8_t>& block, TQelMapTreeItem& item, TQelMap& map);
bool PasteMapFromClipboard(TQelMapTreeItem& item, TQelMap& map);

// A name of exactly seven characters, "MAP" and a positive number, is the default name of the
// map it was copied from: the pasted map gets the default name of its own ID instead.
std::string PastedMapName(const std::string& name, int32_t newID);

} // namespace tarvel
