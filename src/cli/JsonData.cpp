#include "JsonData.h"

#include <limits>

#include "FileKinds.h"

namespace tarvel::cli {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw JsonFormatError((path.empty() ? std::string("(top)") : path) + ": " + what);
}

int32_t int32From(const Json& value, const std::string& path) {
    if (!value.is_number_integer()) fail(path, "expected a whole number");
    int64_t n =
        value.is_number_unsigned() ? static_cast<int64_t>(value.get<uint64_t>()) : value.get<int64_t>();
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        fail(path, "number " + std::to_string(n) + " is out of range");
    return static_cast<int32_t>(n);
}

const Json& arrayAt(const Json& value, const std::string& path) {
    if (!value.is_array()) fail(path, "expected an array");
    return value;
}

std::string at(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::string key(const std::string& path, const std::string& name) {
    return path.empty() ? name : path + "." + name;
}

class DataHooks : public JsonRecordHooks {
public:
    void dumpExtra(const TCatalogBaseItem& record, Json& object) const override {
        if (auto* page = dynamic_cast<const TQelBaseEventPageItem*>(&record))
            object["Script"] = ScriptToJson(page->Script);
        if (auto* route = dynamic_cast<const TQelMoveRoute*>(&record))
            object["Commands"] = RouteCommandsToJson(*route);
    }
    bool buildExtra(TCatalogBaseItem& record, const std::string& name, const Json& value,
                    const std::string& path) const override {
        if (name == "Script") {
            if (auto* page = dynamic_cast<TQelBaseEventPageItem*>(&record)) {
                ScriptFromJson(page->Script, value, path);
                return true;
            }
        }
        if (name == "Commands") {
            if (auto* route = dynamic_cast<TQelMoveRoute*>(&record)) {
                RouteCommandsFromJson(*route, value, path);
                return true;
            }
        }
        return false;
    }
};

const DataHooks kHooks;
// The whole tool shows scripts and routes this way.
const bool kHooksInstalled = (SetJsonRecordHooks(&kHooks), true);

const char* const kSectionKeys[] = {
    "heroes",     "skills",     "items",      "monsters",   "monsterGroups",
    "terrain",    "attributes", "conditions", "animations", "chipsets",
    "vocabulary", "system",     "switches",   "variables",  "commonEvents",
};

Json sectionToJson(TStreamable* section) {
    if (auto* list = dynamic_cast<TCatalog*>(section)) return ListToJson(*list);
    return RecordToJson(*static_cast<TCatalogBaseItem*>(section));
}

Json dumpDataBase(const std::string& path) {
    TQelDataBase db;
    db.LoadFromFile(path);
    return DataBaseToJson(db);
}

void buildDataBase(const Json& json, const std::string& path) {
    TQelDataBase db;
    DataBaseFromJson(db, json);
    // Written with the counter the JSON gives: the save that writes it would otherwise count
    // once more, and dump then build would not give back the same bytes.
    auto& counter = db.System().SaveCount;
    counter = static_cast<int32_t>(static_cast<uint32_t>(counter) - 1u);
    db.SaveToFile(path);
}

std::string dumpDataBaseRaw(const std::vector<uint8_t>& bytes) {
    TQelDataBase schema;
    TMemoryStream stream(bytes);
    std::string out = ReadVarString(stream) + "\n";
    try {
        while (stream.Position() < stream.Size()) {
            int id = static_cast<int>(ReadVarInt(stream));
            uint32_t length = ReadVarInt(stream);
            int64_t start = stream.Position();
            std::string line = std::to_string(id) + " " + std::to_string(length);
            if (length > static_cast<uint64_t>(stream.Remaining())) {
                out += line + " (runs past the end of the file)\n";
                break;
            }
            TStreamable* section = schema.Section(id);
            std::string nested;
            bool shown = false;
            if (section) {
                try {
                    TMemoryStream sub(stream.Data() + start, length);
                    if (auto* list = dynamic_cast<TCatalog*>(section))
                        RawListTree(sub, *list, 1, nested);
                    else
                        RawRecordTree(sub, *static_cast<TCatalogBaseItem*>(section), 1, nested);
                    out += line + "\n" + nested;
                    shown = true;
                } catch (const EReadError&) {
                    line += " (unreadable)";
                }
            }
            if (!shown) out += line + (length ? " " + HexBytes(stream.Data() + start, length) : "") + "\n";
            stream.SetPosition(start + static_cast<int64_t>(length));
        }
    } catch (const EReadError&) {
        out += "(the file ends inside a section header)\n";
    }
    return out;
}

// A chipset's terrain and passability tables a palette row (six chips) to a line, a hero's curves
// ten levels to a line, so one changed entry is one changed line of a diff.
size_t dataBaseRowLength(const std::vector<std::string>& keys, const Json&) {
    const size_t paletteRow = 6, curveLevels = 10;
    if (keys.size() != 2) return 0;
    if (keys[0] == "chipsets" && (keys[1] == "Terrain" || keys[1] == "LowerPass" || keys[1] == "UpperPass"))
        return paletteRow;
    if (keys[0] == "heroes" && keys[1] == "Curves") return curveLevels;
    return 0;
}

const FileKind kDataBaseKind{"database",    "QelDataBase",   dumpDataBase,
                             buildDataBase, dumpDataBaseRaw, dataBaseRowLength};
const RegisterFileKind kRegistered{kDataBaseKind};

} // namespace

Json ScriptToJson(const TQelEventScriptList& script) {
    Json array = Json::array();
    for (const auto& line : script)
        array.push_back(Json{{"Code", line->Code},
                             {"Indent", line->Indent},
                             {"Text", TextToJson(line->Text)},
                             {"Params", line->Params}});
    return array;
}

void ScriptFromJson(TQelEventScriptList& script, const Json& array, const std::string& path) {
    arrayAt(array, path);
    script.Clear();
    for (size_t i = 0; i < array.size(); ++i) {
        std::string where = at(path, i);
        const Json& object = array[i];
        if (!object.is_object()) fail(where, "expected an object");
        TQelEventScriptLine line;
        for (auto it = object.begin(); it != object.end(); ++it) {
            std::string field = key(where, it.key());
            if (it.key() == "Code")
                line.Code = int32From(it.value(), field);
            else if (it.key() == "Indent")
                line.Indent = int32From(it.value(), field);
            else if (it.key() == "Text")
                line.Text = TextFromJson(it.value(), field);
            else if (it.key() == "Params") {
                arrayAt(it.value(), field);
                for (size_t p = 0; p < it.value().size(); ++p)
                    line.Params.push_back(int32From(it.value()[p], at(field, p)));
            } else
                fail(field, "unknown key");
        }
        script.Add(line);
    }
}

Json RouteCommandsToJson(const TQelMoveRoute& route) {
    Json array = Json::array();
    for (int i = 0; i < route.Count(); ++i) {
        const TQelMoveRouteItem& c = *route.Command(i);
        Json object{{"Code", c.Code}};
        switch (c.Code) {
        case mcSwitchOn:
        case mcSwitchOff:
            object["SwitchID"] = c.SwitchID;
            break;
        case mcChangeGraphic:
            object["GraphicName"] = TextToJson(c.GraphicName);
            object["GraphicIndex"] = c.GraphicIndex;
            break;
        case mcPlaySound:
            object["SoundName"] = TextToJson(c.SoundName);
            object["SoundVolume"] = c.SoundVolume;
            object["SoundTempo"] = c.SoundTempo;
            object["SoundBalance"] = c.SoundBalance;
            break;
        default:
            break;
        }
        array.push_back(object);
    }
    return array;
}

void RouteCommandsFromJson(TQelMoveRoute& route, const Json& array, const std::string& path) {
    arrayAt(array, path);
    route.ClearCommands();
    for (size_t i = 0; i < array.size(); ++i) {
        std::string where = at(path, i);
        const Json& object = array[i];
        if (!object.is_object()) fail(where, "expected an object");
        auto command = std::make_unique<TQelMoveRouteItem>();
        if (object.contains("Code")) command->Code = int32From(object["Code"], key(where, "Code"));
        // Only the fields the code stores are accepted; anything else would be lost on save.
        for (auto it = object.begin(); it != object.end(); ++it) {
            const std::string& name = it.key();
            std::string field = key(where, name);
            bool isSwitch = command->Code == mcSwitchOn || command->Code == mcSwitchOff;
            bool isGraphic = command->Code == mcChangeGraphic;
            bool isSound = command->Code == mcPlaySound;
            if (name == "Code")
                continue;
            else if (name == "SwitchID" && isSwitch)
                command->SwitchID = int32From(it.value(), field);
            else if (name == "GraphicName" && isGraphic)
                command->GraphicName = TextFromJson(it.value(), field);
            else if (name == "GraphicIndex" && isGraphic)
                command->GraphicIndex = int32From(it.value(), field);
            else if (name == "SoundName" && isSound)
                command->SoundName = TextFromJson(it.value(), field);
            else if (name == "SoundVolume" && isSound)
                command->SoundVolume = int32From(it.value(), field);
            else if (name == "SoundTempo" && isSound)
                command->SoundTempo = int32From(it.value(), field);
            else if (name == "SoundBalance" && isSound)
                command->SoundBalance = int32From(it.value(), field);
            else
                fail(field, "not a field of move command " + std::to_string(command->Code));
        }
        route.Add(std::move(command));
    }
}

const char* DataBaseSectionKey(int chunkID) {
    if (chunkID < FirstDataBaseSection || chunkID > LastDataBaseSection) return nullptr;
    return kSectionKeys[chunkID - FirstDataBaseSection];
}

Json DataBaseToJson(const TQelDataBase& db) {
    Json json = Json::object();
    json["kind"] = "database";
    for (int id = FirstDataBaseSection; id <= LastDataBaseSection; ++id)
        json[DataBaseSectionKey(id)] = DataBaseSectionToJson(db, id);
    return json;
}

Json DataBaseSectionToJson(const TQelDataBase& db, int chunkID) {
    (void)kHooksInstalled;
    return sectionToJson(db.Section(chunkID));
}

void DataBaseSectionFromJson(TQelDataBase& db, int chunkID, const Json& value) {
    TStreamable* section = db.Section(chunkID);
    const char* key = DataBaseSectionKey(chunkID);
    if (auto* list = dynamic_cast<TCatalog*>(section))
        ListFromJson(*list, value, key);
    else
        RecordFromJson(*static_cast<TCatalogBaseItem*>(section), value, key);
}

void DataBaseFromJson(TQelDataBase& db, const Json& json) {
    if (!json.is_object()) fail("", "expected an object");
    if (!json.contains("kind") || json["kind"] != "database") fail("kind", "expected \"database\"");
    db.Reset();
    for (auto it = json.begin(); it != json.end(); ++it) {
        if (it.key() == "kind") continue;
        int id = FirstDataBaseSection;
        while (id <= LastDataBaseSection && it.key() != DataBaseSectionKey(id))
            ++id;
        if (id > LastDataBaseSection) fail(it.key(), "unknown key");
        DataBaseSectionFromJson(db, id, it.value());
    }
}

} // namespace tarvel::cli
