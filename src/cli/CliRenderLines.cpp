// tarvel-cli render-lines LINES.json [--db FILE] [--tree FILE] [--map FILE] [--event ID]
// [--group ID]: the display text of each script line of LINES.json, one per output line, with the
// names looked up in the given database, map tree, map, edited event and monster group.
#include "CliScriptContext.h"
#include "JsonData.h"

namespace tarvel::cli {

namespace {

const char* const kUsage =
    "render-lines LINES.json [--db FILE] [--tree FILE] [--map FILE] [--event ID] [--group ID]";
const char* const kCommand = "render-lines";

// LINES.json is an array of script lines, or an object whose "Script" holds them (a page, battle
// page or common event cut out of a dump).
void readLines(const std::string& path, TQelEventScriptList& script) {
    Json json;
    try {
        std::vector<uint8_t> bytes = ReadWholeFile(path);
        json = Json::parse(bytes.begin(), bytes.end());
    } catch (const Json::parse_error& e) {
        throw CommandError(kCommand, path + ": " + e.what());
    } catch (const std::exception& e) {
        throw CommandError(kCommand, e.what());
    }
    const Json* lines = &json;
    std::string where = "lines";
    if (json.is_object()) {
        if (!json.contains("Script"))
            throw CommandError(kCommand, path + ": no script lines (an array, or \"Script\")");
        lines = &json["Script"];
        where = "Script";
    }
    try {
        ScriptFromJson(script, *lines, where);
    } catch (const JsonFormatError& e) {
        throw CommandError(kCommand, path + ": " + e.what());
    }
}

int runRenderLines(Arguments& args) {
    std::string dbPath = args.takeOption("--db");
    std::string treePath = args.takeOption("--tree");
    std::string mapPath = args.takeOption("--map");
    bool hasGroup = args.hasOption("--group");
    int32_t eventID = IntegerOption(args, "--event", 0, 0, 2147483647);
    int32_t groupID = IntegerOption(args, "--group", 0, 0, 2147483647);
    std::string linesPath = args.positional(1)[0];

    TQelEventScriptList script;
    readLines(linesPath, script);

    std::unique_ptr<TQelDataBase> db;
    std::unique_ptr<TQelMapTree> tree;
    std::unique_ptr<TQelMap> map;
    if (!dbPath.empty()) db = ReadDataBaseFile(dbPath, kCommand);
    if (!treePath.empty()) tree = ReadMapTreeFile(treePath, kCommand);
    if (!mapPath.empty()) map = ReadMapFile(mapPath, kCommand);

    TEventScriptContext context;
    // Without --db no database exists here, and every name shows as "?".
    context.DataBase = db.get();
    context.MapTree = tree.get();
    context.Map = map.get();
    context.EventID = eventID;
    // The edited event is the map's own (a file holds no unsaved copy).
    if (map && eventID) context.Event = map->Events.Find(eventID);
    if (hasGroup) {
        if (!db) throw CommandError(kCommand, "--group needs --db (the groups are in the database)");
        context.MonGroup = db->MonGroups().Find(groupID);
        if (!context.MonGroup)
            throw CommandError(kCommand, dbPath + ": no monster group " + std::to_string(groupID));
    }
    PrintScript(TEventScriptConverter(context), script);
    return 0;
}

const Command kRenderLinesCommand{kCommand, kUsage, runRenderLines};
const RegisterCommand kRegistered{kRenderLinesCommand};

} // namespace

} // namespace tarvel::cli
