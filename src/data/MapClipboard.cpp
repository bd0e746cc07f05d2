#include "MapClipboard.h"

#include <cctype>

#include "records/ClipboardPort.h"

namespace tarvel {

std::vector<uint8_t> MakeMapClipboardBlock(const TQelMapTreeItem& item, const TQelMap& map) {
    TMemoryStream body;
    WriteVarString(body, item.Name);
    map.SaveToStream(body);
    item.SaveToStream(body);
    TMemoryStream block;
    block.WriteUInt32LE(static_cast<uint32_t>(body.Size()));
    block.Write(body.Data(), static_cast<size_t>(body.Size()));
    return std::move(block.Bytes());
}

void CopyMapToClipboard(const TQelMapTreeItem& item, const TQelMap& map) {
    Clipboard().set(ClipboardFormat::Map, MakeMapClipboardBlock(item, map));
}

bool ClipboardHasMap() {
    return Clipboard().has(ClipboardFormat::Map);
}

bool ReadMapClipboardBlock(const std::vector<uint8_t>& block, TQelMapTreeItem& item, TQelMap& map) {
    if (block.size() < 4) return false;
    TMemoryStream header(block.data(), 4);
    uint32_t size = header.ReadUInt32LE();
    if (size > block.size() - 4) return false;
    TMemoryStream body(block.data() + 4, size);
    // Read into copies first, so a broken block changes nothing.
    TQelMap pastedMap(map.ID);
    TQelMapTreeItem pastedItem(item.ID);
    std::string name;
    try {
        name = ReadVarString(body);
        pastedMap.LoadFromStream(body);
        pastedItem.LoadFromStream(body);
    } catch (const EReadError&) {
        return false;
    }
    int32_t parentID = item.ParentID, depth = item.Depth;
    bool expanded = item.Expanded;
    item.Assign(pastedItem);
    item.Name = PastedMapName(name, item.ID);
    item.ParentID = parentID;
    item.Depth = depth;
    item.Expanded = expanded;
    int32_t id = map.ID;
    map.Assign(pastedMap);
    map.ID = id;
    return true;
}

bool PasteMapFromClipboard(TQelMapTreeItem& item, TQelMap& map) {
    auto block = Clipboard().get(ClipboardFormat::Map);
    return block && ReadMapClipboardBlock(*block, item, map);
}

std::string PastedMapName(const std::string& name, int32_t newID) {
    if (name.size() == 7 && name.compare(0, 3, "MAP") == 0) {
        bool digits = true;
        int number = 0;
        for (size_t i = 3; i < 7; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i])))
                digits = false;
            else
                number = number * 10 + (name[i] - '0');
        }
        if (digits && number > 0) return DefaultMapName(newID);
    }
    return name;
}

} // namespace tarvel
