#include "JsonMaps.h"

#include <cstdio>
#include <functional>
#include <limits>

#include "FileKinds.h"

namespace tarvel::cli {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw JsonFormatError((path.empty() ? std::string("(top)") : path) + ": " + what);
}

int64_t integerAt(const Json& value, const std::string& path, int64_t min, int64_t max) {
    if (!value.is_number_integer()) fail(path, "expected a whole number");
    int64_t n =
        value.is_number_unsigned() ? static_cast<int64_t>(value.get<uint64_t>()) : value.get<int64_t>();
    if (n < min || n > max) fail(path, "number " + std::to_string(n) + " is out of range");
    return n;
}

void expectKind(const Json& json, const char* kind) {
    if (!json.is_object()) fail("", "expected an object");
    if (!json.contains("kind") || json["kind"] != kind)
        fail("kind", std::string("expected \"") + kind + "\"");
}

const char* const kLayerKeys[] = {"LowerLayer", "UpperLayer"};

// --- map files ---

Json dumpMap(const std::string& path) {
    TQelMap map;
    map.ReadFile(path);
    return MapToJson(map);
}

void buildMap(const Json& json, const std::string& path) {
    TQelMap map;
    MapFromJson(map, json);
    // A counter the JSON gives is written as it stands, so dump then build gives back the same
    // bytes; without one the map is a new map and its save is its first.
    if (json.contains("SaveCount"))
        map.SaveCount = static_cast<int32_t>(static_cast<uint32_t>(map.SaveCount) - 1u);
    map.SaveToFile(path);
}

std::string dumpMapRaw(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    std::string out = ReadVarString(stream) + "\n";
    TQelMap schema;
    try {
        RawRecordTree(stream, schema, 0, out);
    } catch (const EReadError&) {
        out += "(the file ends inside the map record)\n";
    }
    return out;
}

// --- map-tree files ---

Json dumpMapTree(const std::string& path) {
    TQelMapTree tree;
    TMemoryStream stream;
    stream.LoadFromFile(path);
    tree.LoadFromFileStream(stream);
    return MapTreeToJson(tree);
}

void buildMapTree(const Json& json, const std::string& path) {
    TQelMapTree tree;
    MapTreeFromJson(tree, json);
    TMemoryStream stream;
    tree.SaveToFileStream(stream);
    stream.SaveToFile(path);
}

std::string dumpMapTreeRaw(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    std::string out = ReadVarString(stream) + "\n";
    const char* part = "the nodes";
    try {
        TQelMapTree schema;
        out += "nodes\n";
        RawListTree(stream, schema, 1, out);
        part = "the order";
        uint32_t count = ReadVarInt(stream);
        if (count > static_cast<uint64_t>(stream.Remaining())) throw EReadError();
        out += "order " + std::to_string(count) + ":";
        for (uint32_t i = 0; i < count; ++i)
            out += " " + std::to_string(static_cast<int32_t>(ReadVarInt(stream)));
        out += "\n";
        part = "the active ID";
        out += "active " + std::to_string(static_cast<int32_t>(ReadVarInt(stream))) + "\n";
        part = "the start positions";
        out += "start positions\n";
        TQelMapStartPosition start;
        RawRecordTree(stream, start, 1, out);
    } catch (const EReadError&) {
        out += std::string("(the file ends inside ") + part + ")\n";
    }
    return out;
}

// A layer a map row to a line, so painting one cell changes one line of a diff.
size_t mapRowLength(const std::vector<std::string>& keys, const Json& owner) {
    if (keys.size() != 1 || (keys[0] != kLayerKeys[0] && keys[0] != kLayerKeys[1])) return 0;
    const Json* width = owner.contains("Width") ? &owner["Width"] : nullptr;
    return width && width->is_number_integer() && width->get<int64_t>() > 0 ? width->get<size_t>() : 0;
}

const FileKind kMapKind{"map", MapFileHeader, dumpMap, buildMap, dumpMapRaw, mapRowLength};
const FileKind kMapTreeKind{"maptree", MapTreeFileHeader, dumpMapTree, buildMapTree, dumpMapTreeRaw};
const RegisterFileKind kMapRegistered{kMapKind};
const RegisterFileKind kMapTreeRegistered{kMapTreeKind};

} // namespace

Json MapToJson(const TQelMap& map) {
    Json json = Json::object();
    json["kind"] = "map";
    Json record = RecordToJson(map);
    // The ID is the number in the file name, not part of the file.
    record.erase("ID");
    for (auto it = record.begin(); it != record.end(); ++it)
        json[it.key()] = it.value();
    return json;
}

void MapFromJson(TQelMap& map, const Json& json) {
    expectKind(json, "map");
    // The size first, so the layers are read into a grid of the final size whatever the order
    // of the keys.
    int64_t width = json.contains("Width") ? integerAt(json["Width"], "Width", MinMapSize, MaxMapSize) : 20;
    int64_t height =
        json.contains("Height") ? integerAt(json["Height"], "Height", MinMapSize, MaxMapSize) : 15;
    Json record = Json::object();
    if (json.contains("Width")) record["Width"] = json["Width"];
    if (json.contains("Height")) record["Height"] = json["Height"];
    for (auto it = json.begin(); it != json.end(); ++it) {
        const std::string& key = it.key();
        if (key == "kind" || key == "Width" || key == "Height" || key == kLayerKeys[0] ||
            key == kLayerKeys[1])
            continue;
        record[key] = it.value();
    }
    for (const char* layer : kLayerKeys) {
        if (!json.contains(layer)) continue;
        const Json& cells = json[layer];
        if (!cells.is_array()) fail(layer, "expected an array of chip numbers");
        if (cells.size() != static_cast<size_t>(width * height))
            fail(layer, "expected " + std::to_string(width * height) + " chips (Width x Height), not " +
                            std::to_string(cells.size()));
        record[layer] = cells;
    }
    RecordFromJson(map, record, "");
    map.SetScrollType(map.ScrollType);
}

Json MapTreeToJson(const TQelMapTree& tree) {
    Json json = Json::object();
    json["kind"] = "maptree";
    json["Items"] = ListToJson(tree);
    Json order = Json::array();
    for (const TQelMapTreeItem* item : tree.Order)
        if (item) order.push_back(item->ID);
    json["Order"] = order;
    json["ActiveID"] = tree.ActiveID;
    json["StartPositions"] = RecordToJson(tree.StartPositions);
    return json;
}

void MapTreeFromJson(TQelMapTree& tree, const Json& json) {
    expectKind(json, "maptree");
    tree.ClearTree();
    tree.ActiveID = 0;
    tree.StartPositions.Reset();
    if (json.contains("Items")) ListFromJson(tree, json["Items"], "Items");
    for (auto it = json.begin(); it != json.end(); ++it) {
        const std::string& key = it.key();
        const Json& value = it.value();
        if (key == "kind" || key == "Items") continue;
        if (key == "Order") {
            if (!value.is_array()) fail(key, "expected an array of node IDs");
            for (size_t i = 0; i < value.size(); ++i) {
                std::string at = "Order[" + std::to_string(i) + "]";
                auto id = static_cast<int32_t>(integerAt(value[i], at, std::numeric_limits<int32_t>::min(),
                                                         std::numeric_limits<int32_t>::max()));
                TQelMapTreeItem* item = tree.Find(id);
                // An order entry without a node would be dropped on the first save.
                if (!item) fail(at, "ID " + std::to_string(id) + " names no item");
                tree.Order.push_back(item);
            }
        } else if (key == "ActiveID") {
            tree.ActiveID = static_cast<int32_t>(integerAt(value, key, std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()));
        } else if (key == "StartPositions") {
            RecordFromJson(tree.StartPositions, value, key);
        } else {
            fail(key, "unknown key");
        }
    }
}

std::string MapTreeOutline(const TQelMapTree& tree) {
    TMapTreeMemoryView view;
    tree.FillTreeView(view, true);
    std::string out;
    std::function<void(const std::vector<std::unique_ptr<TMapTreeMemoryView::ViewNode>>&, int)> walk =
        [&](const auto& nodes, int depth) {
            for (const auto& node : nodes) {
                char id[16];
                std::snprintf(id, sizeof id, "%.4d", node->itemID);
                const char* kinds[] = {"root", "map", "area"};
                std::string kind = node->imageIndex >= 0 && node->imageIndex <= 2
                                       ? kinds[node->imageIndex]
                                       : std::to_string(node->imageIndex);
                out += std::string(2 * static_cast<size_t>(depth), ' ') + id + " " + kind + " " + node->text +
                       "\n";
                walk(node->children, depth + 1);
            }
        };
    walk(view.TopNodes(), 0);
    return out;
}

} // namespace tarvel::cli
