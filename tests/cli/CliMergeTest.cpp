#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "FileKinds.h"
#include "JsonData.h"
#include "JsonMaps.h"
#include "TestEnvironment.h"

using namespace tarvel;
using namespace tarvel::cli;
using namespace tarvel::test;

namespace {

void writeJson(const Json& json, const QString& file) {
    FileKindNamed(json["kind"].get<std::string>())->build(json, LocalPath(file));
}

Json readJson(const char* kind, const QString& file) {
    return FileKindNamed(kind)->dump(LocalPath(file));
}

Json& item(Json& list, int64_t id);

// The base of the map cases: a 20 x 15 map with two events, saved four times.
Json baseMap() {
    TQelMap map;
    map.Reset();
    auto* door = map.Events.FindOrCreate(1);
    door->Name = "Door";
    door->X = door->Y = 1;
    auto* guard = map.Events.FindOrCreate(2);
    guard->Name = "Guard";
    guard->X = guard->Y = 5;
    map.SaveCount = 4;
    return MapToJson(map);
}

// The same with three pages on the guard, triggered 0, 2 and 3.
Json baseMapWithPages() {
    Json map = baseMap();
    item(map["Events"], 2)["Pages"] =
        Json::parse(R"([{"ID": 1}, {"ID": 2, "Trigger": 2}, {"ID": 3, "Trigger": 3}])");
    return map;
}

// The base of the database cases: three heroes, saved ten times.
Json baseDataBase() {
    TQelDataBase db;
    const char* names[] = {"Alex", "Brian", "Cindy"};
    for (int id = 1; id <= 3; ++id)
        db.Heroes().FindOrCreate(id)->Name = names[id - 1];
    db.System().SaveCount = 10;
    return DataBaseToJson(db);
}

// The base of the tree cases: World (expanded) holding Town and the area Forest, and Dungeon;
// Town is open.
Json baseTree() {
    TQelMapTree tree;
    tree.AddNode(0, 0)->Name = "Quest";
    TQelMapTreeItem* world = tree.AddMapNode(0, 1);
    world->Name = "World";
    world->Expanded = true;
    tree.AddMapNode(1, 2)->Name = "Town";
    TQelMapTreeItem* area = tree.AddNode(1, 5);
    area->NodeKind = nkArea;
    area->Name = "Forest";
    tree.AddMapNode(0, 3)->Name = "Dungeon";
    tree.ActiveID = 2;
    return MapTreeToJson(tree);
}

Json& item(Json& list, int64_t id) {
    for (Json& entry : list)
        if (entry["ID"] == id) return entry;
    throw std::runtime_error("no item " + std::to_string(id));
}

void paint(Json& map, const char* layer, int x0, int y0, int x1, int y1, int chip) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            map[layer][static_cast<size_t>(x + y * 20)] = chip;
}

void addEvent(Json& map, int id, const char* name, int x, int y) {
    map["Events"].push_back(Json{{"ID", id}, {"Name", name}, {"X", x}, {"Y", y}});
}

void addMap(Json& tree, int id, int parent, int afterInOrder) {
    tree["Items"].push_back(
        Json{{"ID", id}, {"Name", "MAP000" + std::to_string(id)}, {"ParentID", parent}, {"NodeKind", 1}});
    Json& order = tree["Order"];
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] == afterInOrder) {
            order.insert(order.begin() + static_cast<std::ptrdiff_t>(i) + 1, id);
            return;
        }
    order.push_back(id);
}

void removeID(Json& list, int id) {
    list.erase(std::remove_if(list.begin(), list.end(), [&](const Json& n) { return n["ID"] == id; }),
               list.end());
}

void removeNode(Json& tree, int id) {
    removeID(tree["Items"], id);
    auto& order = tree["Order"];
    order.erase(std::remove(order.begin(), order.end(), Json(id)), order.end());
}

using Edit = std::function<void(Json&)>;

struct MergeCase {
    const char* name;
    Json (*base)();
    Edit ours, theirs;
    // The lines the merge prints; none for a clean merge.
    std::vector<std::string> conflicts;
    // Applied after both edits to give the expected merge, where it is not simply both edits.
    Edit settle = nullptr;
};

void runCase(const MergeCase& c) {
    SCOPED_TRACE(c.name);
    QString folder = MakeTempFolder("merge");
    Json base = c.base(), ours = base, theirs = base;
    c.ours(ours);
    c.theirs(theirs);
    writeJson(base, folder + "/base");
    writeJson(ours, folder + "/ours");
    writeJson(theirs, folder + "/theirs");
    auto merge =
        RunCli({"merge", folder + "/base", folder + "/ours", folder + "/theirs", "-o", folder + "/out"});
    QStringList printed = QString::fromUtf8(merge.out).split('\n', Qt::SkipEmptyParts);
    std::vector<std::string> lines;
    for (const QString& line : printed)
        lines.push_back(line.toStdString());
    EXPECT_EQ(lines, c.conflicts);
    std::string kind = base["kind"].get<std::string>();
    if (c.conflicts.empty()) {
        ASSERT_EQ(merge.exitCode, 0) << merge.err.toStdString();
        EXPECT_TRUE(merge.err.isEmpty()) << merge.err.toStdString();
        // Both edits on the base, through a file so the comparison sees what a file holds.
        Json expected = base;
        c.ours(expected);
        c.theirs(expected);
        if (c.settle) c.settle(expected);
        writeJson(expected, folder + "/expected");
        EXPECT_EQ(readJson(kind.c_str(), folder + "/out"), readJson(kind.c_str(), folder + "/expected"));
    } else {
        EXPECT_EQ(merge.exitCode, 1);
        EXPECT_EQ(merge.err.toStdString(), "tarvel-cli: merge: " + std::to_string(c.conflicts.size()) +
                                               (c.conflicts.size() == 1 ? " conflict" : " conflicts") +
                                               ", our version is kept\n");
        EXPECT_EQ(ReadFile(folder + "/out"), ReadFile(folder + "/ours"));
    }
}

} // namespace

TEST(CliMerge, Maps) {
    const MergeCase cases[] = {
        {"two regions painted, counters and events changed on both sides",
         baseMap,
         [](Json& m) {
             paint(m, "LowerLayer", 0, 0, 4, 2, 5000);
             item(m["Events"], 1)["Name"] = "Gate";
             m["SaveCount"] = 5;
         },
         [](Json& m) {
             paint(m, "LowerLayer", 10, 10, 14, 12, 6000);
             paint(m, "UpperLayer", 3, 3, 3, 3, 10005);
             item(m["Events"], 2)["Pages"] = Json::parse(R"([{"ID": 1, "Trigger": 3}])");
             addEvent(m, 3, "Chest", 9, 9);
             m["SaveCount"] = 9;
         },
         {}},
        {"the same cell painted differently, another one alike",
         baseMap,
         [](Json& m) {
             paint(m, "LowerLayer", 7, 8, 7, 8, 5000);
             paint(m, "LowerLayer", 1, 1, 1, 1, 4000);
         },
         [](Json& m) {
             paint(m, "LowerLayer", 7, 8, 7, 8, 6000);
             paint(m, "LowerLayer", 1, 1, 1, 1, 4000);
         },
         {"CONFLICT (map): LowerLayer (7, 8): base 0, ours 5000, theirs 6000"}},
        {"an event added on each side with the same free ID",
         baseMap,
         [](Json& m) { addEvent(m, 3, "Chest", 2, 2); },
         [](Json& m) { addEvent(m, 3, "Sign", 4, 4); },
         {R"(CONFLICT (map): Events #3 "Chest": added on both sides: base (none), ours {"Name":"Chest","X":2,"Y":2}, theirs {"Name":"Sign","X":4,"Y":4})"}},
        {"an event moved on both sides: its cell is one value",
         baseMap,
         [](Json& m) { item(m["Events"], 2)["Y"] = 9; },
         [](Json& m) { item(m["Events"], 2)["X"] = 8; },
         {R"(CONFLICT (map): Events #2 "Guard" > X, Y: base {"X":5,"Y":5}, ours {"X":5,"Y":9}, theirs {"X":8,"Y":5})"}},
        {"an event deleted on one side and renamed on the other",
         baseMap,
         [](Json& m) { removeID(m["Events"], 2); },
         [](Json& m) { item(m["Events"], 2)["Name"] = "Watch"; },
         {R"(CONFLICT (map): Events #2 "Guard": deleted on one side, changed on the other: base {"Name":"Guard"}, ours (none), theirs {"Name":"Watch"})"}},
        {"a page removed on each side: the pages after a removed one are renumbered",
         baseMapWithPages,
         [](Json& m) {
             // As the editor removes a page: the one after it takes its number.
             Json& pages = item(m["Events"], 2)["Pages"];
             removeID(pages, 2);
             pages[1]["ID"] = 2;
         },
         [](Json& m) { removeID(item(m["Events"], 2)["Pages"], 3); },
         {R"(CONFLICT (map): Events #2 "Guard" > Pages: records removed on both sides: base [1,2,3], ours [1,2], theirs [1,2])"}},
        {"a page removed on one side, another changed on the other",
         baseMapWithPages,
         [](Json& m) { removeID(item(m["Events"], 2)["Pages"], 3); },
         [](Json& m) { item(item(m["Events"], 2)["Pages"], 1)["Trigger"] = 1; },
         {}},
        {"two new events on one cell",
         baseMap,
         [](Json& m) { addEvent(m, 3, "Chest", 9, 9); },
         [](Json& m) { addEvent(m, 4, "Sign", 9, 9); },
         {"CONFLICT (map): cell (9, 9): events [3,4] would stand on one cell: base [], ours [3], theirs "
          "[4]"}},
        {"an event deleted on both sides, another deleted on one",
         baseMap,
         [](Json& m) { m["Events"] = Json::array(); },
         [](Json& m) { removeID(m["Events"], 2); },
         {}},
    };
    for (const auto& c : cases)
        runCase(c);
}

TEST(CliMerge, DataBases) {
    const MergeCase cases[] = {
        {"two heroes renamed, a curve changed at two levels, counters on both sides",
         baseDataBase,
         [](Json& db) {
             item(db["heroes"], 1)["Name"] = "Alexander";
             item(db["heroes"], 2)["Curves"][3] = 999;
             db["system"]["SaveCount"] = 14;
         },
         [](Json& db) {
             item(db["heroes"], 3)["Name"] = "Cynthia";
             item(db["heroes"], 2)["Curves"][57] = 777;
             db["vocabulary"]["101"] = "Attack";
             db["system"]["SaveCount"] = 12;
         },
         {},
         [](Json& db) { db["system"]["SaveCount"] = 14; }},
        {"sections changed on one side only, a hero removed on one side and another renamed on the other",
         baseDataBase,
         [](Json& db) {
             item(db["heroes"], 1)["Name"] = "Alexander";
             item(db["skills"], 1)["Name"] = "Fire";
         },
         [](Json& db) {
             removeID(db["heroes"], 3);
             item(db["items"], 1)["Price"] = 40;
         },
         {}},
        {"conditions added on one side with ranks for them, the hero list changed on the other",
         baseDataBase,
         [](Json& db) { item(db["heroes"], 1)["Name"] = "Alexander"; },
         [](Json& db) {
             db["conditions"] =
                 Json::parse(R"([{"ID": 1}, {"ID": 2, "Name": "Sleep"}, {"ID": 3, "Name": "Blind"}])");
             item(db["heroes"], 2)["ConditionRates"] = Json::parse("[0, 1, 4]");
         },
         {}},
        {"the same hero renamed differently",
         baseDataBase,
         [](Json& db) { item(db["heroes"], 2)["Name"] = "Bryan"; },
         [](Json& db) { item(db["heroes"], 2)["Name"] = "Brain"; },
         {R"(CONFLICT (database): heroes #2 "Brian" > Name: base "Brian", ours "Bryan", theirs "Brain")"}},
        {"a long value is cut between characters",
         baseDataBase,
         [](Json& db) {
             std::string name;
             for (int i = 0; i < 100; ++i)
                 name += "\xc3\xa4"; // a two-byte character
             item(db["heroes"], 2)["Name"] = name;
         },
         [](Json& db) { item(db["heroes"], 2)["Name"] = "Brain"; },
         {"CONFLICT (database): heroes #2 \"Brian\" > Name: base \"Brian\", ours \"" +
          [] {
              std::string shown;
              for (int i = 0; i < 79; ++i)
                  shown += "\xc3\xa4";
              return shown;
          }() +
          "..., theirs \"Brain\""}},
        {"a hero appended on each side",
         baseDataBase,
         [](Json& db) {
             db["heroes"].push_back(Json{{"ID", 4}, {"Name", "Dana"}});
         },
         [](Json& db) {
             db["heroes"].push_back(Json{{"ID", 4}, {"Name", "Eric"}});
         },
         {R"(CONFLICT (database): heroes #4 "Dana": added on both sides: base (none), ours {"Name":"Dana"}, theirs {"Name":"Eric"})"}},
        {"the list shortened on one side and lengthened on the other",
         baseDataBase,
         [](Json& db) { removeID(db["heroes"], 3); },
         [](Json& db) {
             db["heroes"].push_back(Json{{"ID", 4}, {"Name", "Eric"}});
         },
         {"CONFLICT (database): heroes: the IDs would no longer run 1..3 ([1,2,4]): base [1,2,3], ours "
          "[1,2], "
          "theirs [1,2,3,4]"}},
    };
    for (const auto& c : cases)
        runCase(c);
}

TEST(CliMerge, MapTrees) {
    const MergeCase cases[] = {
        {"maps added under different parents; the order follows the parents",
         baseTree,
         [](Json& t) { addMap(t, 4, 1, 5); },
         [](Json& t) { addMap(t, 6, 3, 3); },
         {},
         [](Json& t) {
             item(t["Items"], 4)["Depth"] = 2;
             item(t["Items"], 6)["Depth"] = 2;
         }},
        {"view state is ours and never a conflict; a rename on the other side is taken",
         baseTree,
         [](Json& t) {
             item(t["Items"], 1)["ScrollX"] = 100;
             item(t["Items"], 3)["Expanded"] = true;
             t["ActiveID"] = 3;
         },
         [](Json& t) {
             item(t["Items"], 1)["ScrollX"] = 200;
             item(t["Items"], 1)["Expanded"] = false;
             item(t["Items"], 3)["Name"] = "Cave";
             item(t["Items"], 5)["ScrollY"] = 64; // a node ours left alone
             t["ActiveID"] = 1;
         },
         {},
         [](Json& t) {
             item(t["Items"], 1)["ScrollX"] = 100;
             item(t["Items"], 1)["Expanded"] = true;
             item(t["Items"], 5)["ScrollY"] = 0;
             t["ActiveID"] = 3;
         }},
        {"our open map deleted on the other side: theirs is open",
         baseTree,
         [](Json& t) { t["ActiveID"] = 3; },
         [](Json& t) {
             removeNode(t, 3);
             t["ActiveID"] = 1;
         },
         {}},
        {"siblings rearranged on one side, a map renamed on the other",
         baseTree,
         [](Json& t) { item(t["Items"], 2)["Name"] = "City"; },
         [](Json& t) { t["Order"] = Json::parse("[0, 3, 1, 2, 5]"); },
         {}},
        {"a map added under another, which the other side deleted",
         baseTree,
         [](Json& t) { removeNode(t, 3); },
         [](Json& t) { addMap(t, 6, 3, 3); },
         {"CONFLICT (maptree): Items #6 \"MAP0006\" > ParentID: its parent is no longer in the tree: base "
          "(none), "
          "ours (none), theirs 3"}},
        {"two maps moved each under the other",
         baseTree,
         [](Json& t) { item(t["Items"], 3)["ParentID"] = 2; },
         [](Json& t) { item(t["Items"], 2)["ParentID"] = 3; },
         {"CONFLICT (maptree): Items #2 \"Town\" > ParentID: the node would lie inside its own subtree: base "
          "1, "
          "ours 1, theirs 3",
          "CONFLICT (maptree): Items #3 \"Dungeon\" > ParentID: the node would lie inside its own subtree: "
          "base 0, "
          "ours 2, theirs 0"}},
    };
    for (const auto& c : cases)
        runCase(c);
}

TEST(CliMerge, ResizedOnOneSidePaintedOnTheOther) {
    // The layers no longer match cell for cell: a conflict over the whole layer, and our file.
    QString folder = MakeTempFolder("resize");
    Json base = baseMap(), ours = base, theirs = base;
    ours["Width"] = 21;
    for (int y = 15; y-- > 0;) {
        ours["LowerLayer"].insert(ours["LowerLayer"].begin() + 20 * (y + 1), 0);
        ours["UpperLayer"].insert(ours["UpperLayer"].begin() + 20 * (y + 1), 10000);
    }
    paint(theirs, "LowerLayer", 2, 2, 2, 2, 5000);
    writeJson(base, folder + "/base");
    writeJson(ours, folder + "/ours");
    writeJson(theirs, folder + "/theirs");
    auto merge =
        RunCli({"merge", folder + "/base", folder + "/ours", folder + "/theirs", "-o", folder + "/out"});
    EXPECT_EQ(merge.exitCode, 1);
    EXPECT_TRUE(merge.out.startsWith("CONFLICT (map): LowerLayer: base [0,0,0,")) << merge.out.toStdString();
    EXPECT_EQ(merge.out.count('\n'), 1);
    EXPECT_EQ(ReadFile(folder + "/out"), ReadFile(folder + "/ours"));
    EXPECT_EQ(readJson("map", folder + "/out")["Width"], 21);
}

TEST(CliMerge, WithoutOutputReplacesOursAndChecksItsFiles) {
    QString folder = MakeTempFolder("files");
    Json base = baseMap(), ours = base, theirs = base;
    paint(ours, "LowerLayer", 0, 0, 0, 0, 5000);
    paint(theirs, "LowerLayer", 19, 14, 19, 14, 6000);
    writeJson(base, folder + "/base.qmu");
    writeJson(ours, folder + "/ours.qmu");
    writeJson(theirs, folder + "/theirs.qmu");
    writeJson(baseDataBase(), folder + "/QUORIN.qdb");
    WriteFile(folder + "/empty");
    WriteFile(folder + "/junk", "not a project file");

    auto merge = RunCli({"merge", folder + "/base.qmu", folder + "/ours.qmu", folder + "/theirs.qmu"});
    ASSERT_EQ(merge.exitCode, 0) << merge.err.toStdString();
    Json merged = readJson("map", folder + "/ours.qmu");
    EXPECT_EQ(merged["LowerLayer"][0], 5000);
    EXPECT_EQ(merged["LowerLayer"][299], 6000);

    // A file both sides added comes with an empty base: the same file twice merges, two different
    // ones are one conflict.
    writeJson(theirs, folder + "/theirs2.qmu");
    EXPECT_EQ(RunCli({"merge", folder + "/empty", folder + "/theirs.qmu", folder + "/theirs2.qmu", "-o",
                      folder + "/same.qmu"})
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(folder + "/same.qmu"), ReadFile(folder + "/theirs.qmu"));
    auto added = RunCli({"merge", folder + "/empty", folder + "/base.qmu", folder + "/theirs.qmu", "-o",
                         folder + "/added.qmu"});
    EXPECT_EQ(added.exitCode, 1);
    EXPECT_EQ(added.out, "CONFLICT (map): the whole file: added on both sides, with different contents\n");
    EXPECT_EQ(ReadFile(folder + "/added.qmu"), ReadFile(folder + "/base.qmu"));

    struct Case {
        QStringList args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"merge", folder + "/base.qmu", folder + "/ours.qmu"},
         2,
         "tarvel-cli: usage: tarvel-cli merge BASE OURS"},
        {{"merge", folder + "/base.qmu", folder + "/ours.qmu", folder + "/nowhere.qmu"},
         1,
         "tarvel-cli: merge: "},
        {{"merge", folder + "/base.qmu", folder + "/junk", folder + "/theirs.qmu"},
         1,
         "tarvel-cli: merge: " + LocalPath(folder) + "/junk: not a project file"},
        {{"merge", folder + "/base.qmu", folder + "/ours.qmu", folder + "/QUORIN.qdb"},
         1,
         "tarvel-cli: merge: " + LocalPath(folder) + "/QUORIN.qdb: not a map file like " + LocalPath(folder) +
             "/ours.qmu"},
        {{"merge", folder + "/junk", folder + "/ours.qmu", folder + "/theirs.qmu"},
         1,
         "tarvel-cli: merge: " + LocalPath(folder) + "/junk: not a map file like"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QByteArray before = ReadFile(folder + "/ours.qmu");
        auto result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err.toStdString().rfind(c.message, 0), 0u) << result.err.toStdString();
        EXPECT_EQ(ReadFile(folder + "/ours.qmu"), before);
    }
}

TEST(CliMerge, GitMergesThroughTheDriver) {
    QString repo = MakeTempFolder("gitmerge");
    auto git = [&](const QStringList& args) { return RunGit(repo, args); };
    ASSERT_EQ(git({"init", "-q"}).exitCode, 0);
    auto setup = RunCli({"diff-setup", repo});
    ASSERT_EQ(setup.exitCode, 0) << setup.err.toStdString();

    auto commit = [&](const Json& map, const Json& db, const char* message) {
        writeJson(map, repo + "/Map0001.qmu");
        writeJson(db, repo + "/QUORIN.qdb");
        ASSERT_EQ(git({"add", "."}).exitCode, 0);
        ASSERT_EQ(git({"commit", "-q", "-m", message}).exitCode, 0);
    };
    // Commits on a new branch and comes back.
    auto commitAside = [&](const char* branch, const Json& map, const Json& db) {
        ASSERT_EQ(git({"checkout", "-q", "-b", branch}).exitCode, 0);
        commit(map, db, branch);
        ASSERT_EQ(git({"checkout", "-q", "-"}).exitCode, 0);
    };
    Json map = baseMap(), db = baseDataBase();
    commit(map, db, "base");

    // A one-cell change is one changed line of the diff.
    Json painted = map;
    paint(painted, "LowerLayer", 6, 4, 6, 4, 5000);
    writeJson(painted, repo + "/Map0001.qmu");
    auto diff = git({"diff", "-U0", "--", "Map0001.qmu"});
    ASSERT_EQ(diff.exitCode, 0);
    QStringList changed;
    for (const QString& line : QString::fromUtf8(diff.out).split('\n'))
        if ((line.startsWith('-') || line.startsWith('+')) && !line.startsWith("---") &&
            !line.startsWith("+++"))
            changed << line;
    ASSERT_EQ(changed.size(), 2) << diff.out.toStdString();
    EXPECT_EQ(changed[1], "+    0, 0, 0, 0, 0, 0, 5000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,");
    ASSERT_EQ(git({"checkout", "-q", "--", "Map0001.qmu"}).exitCode, 0);

    Json theirMap = map, theirDb = db;
    paint(theirMap, "LowerLayer", 10, 10, 12, 12, 6000);
    item(theirDb["heroes"], 3)["Name"] = "Cynthia";
    commitAside("theirs", theirMap, theirDb);
    Json ourMap = map, ourDb = db;
    paint(ourMap, "LowerLayer", 0, 0, 2, 2, 5000);
    item(ourDb["heroes"], 1)["Name"] = "Alexander";
    commit(ourMap, ourDb, "ours");

    auto merge = git({"merge", "--no-edit", "theirs"});
    ASSERT_EQ(merge.exitCode, 0) << merge.out.toStdString() << merge.err.toStdString();
    EXPECT_EQ(git({"status", "--porcelain"}).out, "");
    Json mergedMap = readJson("map", repo + "/Map0001.qmu");
    EXPECT_EQ(mergedMap["LowerLayer"][0], 5000);
    EXPECT_EQ(mergedMap["LowerLayer"][10 + 10 * 20], 6000);
    Json mergedDb = readJson("database", repo + "/QUORIN.qdb");
    EXPECT_EQ(item(mergedDb["heroes"], 1)["Name"], "Alexander");
    EXPECT_EQ(item(mergedDb["heroes"], 3)["Name"], "Cynthia");

    // The same cell painted differently: git stops with the file conflicted and ours in place.
    Json otherMap = mergedMap;
    paint(otherMap, "LowerLayer", 7, 8, 7, 8, 6000);
    commitAside("other", otherMap, mergedDb);
    Json mineMap = mergedMap;
    paint(mineMap, "LowerLayer", 7, 8, 7, 8, 5000);
    commit(mineMap, mergedDb, "mine");
    QByteArray mine = ReadFile(repo + "/Map0001.qmu");
    auto conflicted = git({"merge", "--no-edit", "other"});
    EXPECT_EQ(conflicted.exitCode, 1);
    EXPECT_TRUE((conflicted.out + conflicted.err)
                    .contains("CONFLICT (map): LowerLayer (7, 8): base 0, ours 5000, theirs 6000\n"))
        << conflicted.out.toStdString() << conflicted.err.toStdString();
    EXPECT_EQ(git({"status", "--porcelain"}).out, "UU Map0001.qmu\n");
    EXPECT_EQ(ReadFile(repo + "/Map0001.qmu"), mine);
}
