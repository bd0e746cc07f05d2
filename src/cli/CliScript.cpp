// tarvel-cli script PROJECTDIR (--map ID --event ID --page N | --common ID | --group ID --page N):
// a stored script of a project as the script list shows it, one line per script line. A map
// event's page is shown with its map and event, a common event with the map tree only, a battle
// page with its monster group, as the three editors show them.
#include "CliScriptContext.h"

namespace tarvel::cli {

namespace {

const char* const kUsage =
    "script PROJECTDIR (--map ID --event ID --page N | --common ID | --group ID --page N)";
const char* const kCommand = "script";
constexpr int32_t kMaxID = 2147483647;

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
}

int runScript(Arguments& args) {
    bool byMap = args.hasOption("--map");
    bool byCommon = args.hasOption("--common");
    bool byGroup = args.hasOption("--group");
    bool hasEvent = args.hasOption("--event");
    bool hasPage = args.hasOption("--page");
    int32_t mapID = IntegerOption(args, "--map", 0, 1, MaxMapID);
    int32_t eventID = IntegerOption(args, "--event", 0, 1, kMaxID);
    int32_t commonID = IntegerOption(args, "--common", 0, 1, kMaxID);
    int32_t groupID = IntegerOption(args, "--group", 0, 1, kMaxID);
    int32_t pageNumber = IntegerOption(args, "--page", 0, 1, kMaxID);
    std::string folder = args.positional(1)[0];
    // Exactly one of the three forms, each with the options it takes and no others.
    if (byMap + byCommon + byGroup != 1 || hasEvent != byMap || hasPage == byCommon) throw UsageError(kUsage);

    std::unique_ptr<TQelDataBase> db = ReadDataBaseFile(inFolder(folder, DataBaseFileName), kCommand);
    std::unique_ptr<TQelMapTree> tree = ReadMapTreeFile(inFolder(folder, MapTreeFileName), kCommand);
    TEventScriptContext context;
    context.DataBase = db.get();
    context.MapTree = tree.get();

    const TQelEventScriptList* script = nullptr;
    std::unique_ptr<TQelMap> map;
    if (byMap) {
        std::string mapPath = inFolder(folder, MapFileName(mapID));
        map = ReadMapFile(mapPath, kCommand);
        const TQelEventItem* event = map->Events.Find(eventID);
        if (!event) throw CommandError(kCommand, mapPath + ": no event " + std::to_string(eventID));
        const TQelEventPageItem* page = event->Pages.Find(pageNumber);
        if (!page)
            throw CommandError(kCommand, mapPath + ": event " + std::to_string(eventID) + " has no page " +
                                             std::to_string(pageNumber));
        context.Map = map.get();
        context.EventID = eventID;
        context.Event = event;
        script = &page->Script;
    } else if (byCommon) {
        const TQelCommonEventItem* common = db->CommonEvents().Find(commonID);
        if (!common) throw CommandError(kCommand, "no common event " + std::to_string(commonID));
        script = &common->Script;
    } else {
        const TQelMonGroupItem* group = db->MonGroups().Find(groupID);
        if (!group) throw CommandError(kCommand, "no monster group " + std::to_string(groupID));
        const TQelBattleEventPageItem* page = group->BattlePages.Find(pageNumber);
        if (!page)
            throw CommandError(kCommand, "monster group " + std::to_string(groupID) + " has no battle page " +
                                             std::to_string(pageNumber));
        context.MonGroup = group;
        script = &page->Script;
    }
    PrintScript(TEventScriptConverter(context), *script);
    return 0;
}

const Command kScriptCommand{kCommand, kUsage, runScript};
const RegisterCommand kRegistered{kScriptCommand};

} // namespace

} // namespace tarvel::cli
