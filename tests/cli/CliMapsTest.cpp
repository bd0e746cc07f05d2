#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "JsonMaps.h"
#include "TestEnvironment.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

using namespace tarvel;
using namespace tarvel::cli;
using namespace tarvel::test;

namespace {

// A map with both layers painted, a looping scroll type, panorama settings and an event whose
// pages use a graphic, a script, a move route and a name that is not UTF-8.
void writeSampleMap(const QString& file) {
    TQelMap map;
    map.Reset();
    map.SetWidth(23);
    map.SetHeight(17);
    map.SetScrollType(2);
    map.ChipSetID = 4;
    map.UsePanorama = true;
    map.PanoramaName = "Sky";
    map.PanoramaVertPan = true;
    map.PanoramaVertAuto = true;
    map.PanoramaVertSpeed = -8;
    for (int32_t y = 0; y < 17; ++y)
        for (int32_t x = 0; x < 23; ++x) {
            map.LowerLayer.SetChip(x, y, 4000 + x * 17 + y);
            map.UpperLayer.SetChip(x, y, 10000 + (x * y) % 144);
        }
    auto* event = map.Events.FindOrCreate(3);
    event->Name = std::string("\xff\x01", 2);
    event->X = 22;
    event->Y = 16;
    auto* page = event->Pages.FindOrCreate(1);
    page->CharName = "Hero";
    page->CharDir = 3;
    page->MoveType = 6;
    auto sw = std::make_unique<TQelMoveRouteItem>(mcSwitchOn);
    sw->SwitchID = 12;
    page->MoveRoute.Add(std::move(sw));
    page->MoveRoute.Repeat = false;
    page->Script.Clear();
    page->Script.Add(TQelEventScriptLine(10110, 0, "Hello", {0}));
    page->Script.Add(TQelEventScriptLine(0, 0));
    event->Pages.FindOrCreate(2)->Condition.Flags = 3;
    map.SaveToFile(LocalPath(file));
    map.SaveToFile(LocalPath(file)); // save count 2
}

void writeSampleTree(const QString& file) {
    TQelMapTree tree;
    tree.AddNode(0, 0)->Name = "Quest";
    tree.Find(0)->Expanded = true;
    TQelMapTreeItem* world = tree.AddMapNode(0, 1);
    world->Name = "World";
    world->Expanded = true;
    world->MusicMode = 2;
    world->Music.FileName = "Field";
    world->Music.Tempo = 120;
    world->Encounters.Append()->MonGroupID = 4;
    world->Encounters.Append()->MonGroupID = 9;
    world->EncounterSteps = 40;
    tree.AddMapNode(1, 2)->Name = "Town";
    TQelMapTreeItem* area = tree.AddNode(1, 5);
    area->NodeKind = nkArea;
    area->Name = "Forest";
    area->AreaRect = {2, 3, 6, 8};
    tree.AddMapNode(0, 3)->Name = "Dungeon";
    tree.ActiveID = 2;
    tree.StartPositions.SetStartMap(0, 2);
    tree.StartPositions.SetStartX(0, 7);
    tree.StartPositions.SetStartMap(3, 1);
    TMemoryStream stream;
    tree.SaveToFileStream(stream);
    stream.SaveToFile(LocalPath(file));
}

Json dumpJson(const QString& file) {
    auto dump = RunCli({"dump", file});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    return Json::parse(dump.out.toStdString());
}

} // namespace

TEST(CliMaps, ResetMapBuildsToTheDocumentedBytes) {
    QString folder = MakeTempFolder("resetmap");
    WriteFile(folder + "/m.json", R"({"kind": "map"})");
    auto build = RunCli({"build", folder + "/m.json", folder + "/Map0001.qmu"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
    QByteArray expected = QByteArray("\x0AQelMapUnit\x0B\x01\x00\x47\x84\x58", 17);
    expected += QByteArray(600, '\0');
    expected += QByteArray("\x48\x84\x58", 3);
    for (int i = 0; i < 300; ++i)
        expected += QByteArray("\x10\x27", 2);
    expected += QByteArray("\x51\x01\x00\x5B\x01\x01\x00", 7);
    EXPECT_EQ(ReadFile(folder + "/Map0001.qmu").toHex(' '), expected.toHex(' '));
}

TEST(CliMaps, MapRoundTripsByteForByte) {
    QString folder = MakeTempFolder("maprt");
    writeSampleMap(folder + "/Map0004.qmu");
    Json json = dumpJson(folder + "/Map0004.qmu");
    EXPECT_EQ(json["kind"], "map");
    EXPECT_FALSE(json.contains("ID"));
    EXPECT_EQ(json["Width"], 23);
    EXPECT_EQ(json["ScrollType"], 2);
    EXPECT_EQ(json["SaveCount"], 2);
    ASSERT_EQ(json["LowerLayer"].size(), 23u * 17u);
    EXPECT_EQ(json["LowerLayer"][23 + 2], 4000 + 2 * 17 + 1); // row by row
    EXPECT_EQ(json["Events"][0]["ID"], 3);
    EXPECT_EQ(json["Events"][0]["Name"], Json::parse(R"({"hex": "ff01"})"));
    const Json& page = json["Events"][0]["Pages"][0];
    EXPECT_EQ(page["Script"][0]["Text"], "Hello");
    EXPECT_EQ(page["MoveRoute"]["Commands"][0], Json::parse(R"({"Code": 32, "SwitchID": 12})"));

    // Keys in any order: the layers may come before the size.
    Json reordered = Json::object();
    reordered["UpperLayer"] = json["UpperLayer"];
    reordered["LowerLayer"] = json["LowerLayer"];
    for (auto it = json.begin(); it != json.end(); ++it)
        if (!reordered.contains(it.key())) reordered[it.key()] = it.value();
    WriteFile(folder + "/m.json", QByteArray::fromStdString(reordered.dump()));
    auto build = RunCli({"build", folder + "/m.json", folder + "/rebuilt.qmu"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
    EXPECT_EQ(ReadFile(folder + "/rebuilt.qmu"), ReadFile(folder + "/Map0004.qmu"));
}

TEST(CliMaps, MapTreeRoundTripsByteForByte) {
    QString folder = MakeTempFolder("treert");
    writeSampleTree(folder + "/QUORIN.qmt");
    Json json = dumpJson(folder + "/QUORIN.qmt");
    EXPECT_EQ(json["kind"], "maptree");
    EXPECT_EQ(json["Order"], Json::parse("[0, 1, 2, 5, 3]"));
    EXPECT_EQ(json["ActiveID"], 2);
    EXPECT_EQ(json["StartPositions"]["PartyX"], 7);
    EXPECT_EQ(json["StartPositions"]["AirshipMapID"], 1);
    const Json& world = json["Items"][1];
    EXPECT_EQ(world["ID"], 1);
    EXPECT_EQ(world["NodeKind"], 1);
    EXPECT_EQ(world["Music"]["Tempo"], 120);
    EXPECT_EQ(world["Encounters"][1]["MonGroupID"], 9);
    EXPECT_EQ(json["Items"][4]["AreaRect"], Json::parse("[2, 3, 6, 8]"));
    EXPECT_FALSE(world.contains("HasWorkCopy"));

    WriteFile(folder + "/t.json", QByteArray::fromStdString(json.dump()));
    auto build = RunCli({"build", folder + "/t.json", folder + "/rebuilt.qmt"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
    EXPECT_EQ(ReadFile(folder + "/rebuilt.qmt"), ReadFile(folder + "/QUORIN.qmt"));
}

TEST(CliMaps, BuildRefusesJsonThatDescribesNoSuchFile) {
    QString folder = MakeTempFolder("badjson");
    struct Case {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"kind": "map", "Width": 501})", "Width: number 501 is out of range"},
        {R"({"kind": "map", "Height": 0})", "Height: number 0 is out of range"},
        {R"({"kind": "map", "Width": 2, "Height": 1, "LowerLayer": [1, 2, 3]})",
         "LowerLayer: expected 2 chips (Width x Height), not 3"},
        {R"({"kind": "map", "UpperLayer": [70000]})", "UpperLayer: expected 300 chips"},
        {R"({"kind": "map", "Colour": 3})", "Colour: unknown key"},
        {R"({"kind": "maptree", "Items": [{"ID": 0}], "Order": [0, 4]})", "Order[1]: ID 4 names no item"},
        {R"({"kind": "maptree", "Items": [{"ID": 0, "AreaRect": [1, 2, 3, 4, 5]}]})",
         "Items[0].AreaRect: more than 4 entries"},
        {R"({"kind": "maptree", "Nodes": []})", "Nodes: unknown key"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        WriteFile(folder + "/bad.json", c.json);
        auto build = RunCli({"build", folder + "/bad.json", folder + "/out"});
        EXPECT_EQ(build.exitCode, 1);
        EXPECT_NE(build.err.toStdString().find(c.message), std::string::npos) << build.err.toStdString();
        EXPECT_FALSE(QFile::exists(folder + "/out"));
    }
}

TEST(CliMaps, RawDumpsShowTheChunkTrees) {
    QString folder = MakeTempFolder("raw");
    writeSampleMap(folder + "/Map0004.qmu");
    writeSampleTree(folder + "/QUORIN.qmt");
    auto map = RunCli({"dump", "--raw", folder + "/Map0004.qmu"});
    ASSERT_EQ(map.exitCode, 0) << map.err.toStdString();
    std::string text = map.out.toStdString();
    EXPECT_EQ(text.rfind("QelMapUnit\n1 1 04\n2 1 17\n", 0), 0u) << text.substr(0, 80);
    EXPECT_NE(text.find("\n71 782 "), std::string::npos);
    EXPECT_NE(text.find("\n81 "), std::string::npos);
    EXPECT_NE(text.find("\n  #3\n    1 2 FF 01\n"), std::string::npos);

    auto tree = RunCli({"dump", "--raw", folder + "/QUORIN.qmt"});
    ASSERT_EQ(tree.exitCode, 0) << tree.err.toStdString();
    text = tree.out.toStdString();
    EXPECT_NE(text.find("nodes\n  count 5\n  #0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\norder 5: 0 1 2 5 3\nactive 2\nstart positions\n  1 1 02\n  2 1 07\n"),
              std::string::npos)
        << text;

    // A cut file still shows what it holds.
    QByteArray cut = ReadFile(folder + "/QUORIN.qmt");
    WriteFile(folder + "/cut.qmt", cut.left(cut.size() - 4));
    auto broken = RunCli({"dump", "--raw", folder + "/cut.qmt"});
    EXPECT_EQ(broken.exitCode, 0);
    EXPECT_NE(broken.out.toStdString().find("(the file ends inside the start positions)"), std::string::npos)
        << broken.out.toStdString();
}

TEST(CliTree, PrintsTheOutlineInDisplayOrder) {
    QString folder = MakeTempFolder("tree");
    writeSampleTree(folder + "/QUORIN.qmt");
    auto tree = RunCli({"tree", folder});
    ASSERT_EQ(tree.exitCode, 0) << tree.err.toStdString();
    EXPECT_EQ(tree.out.toStdString(), "0000 root Quest\n"
                                      "  0001 map World\n"
                                      "    0002 map Town\n"
                                      "    0005 area Forest\n"
                                      "  0003 map Dungeon\n");

    struct Case {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"tree"}, 2, "usage"},
        {{"tree", folder + "/nowhere"}, 1, "tarvel-cli: tree: Cannot open file"},
        {{"tree", folder + "/noroot"}, 1, "Map Data Error during Project Reading"},
        {{"tree", folder + "/cut"}, 1, "not a readable map tree"},
    };
    WriteFile(folder + "/noroot/QUORIN.qmt", ReadFile(folder + "/QUORIN.qmt"));
    {
        TQelMapTree noRoot;
        noRoot.AddNode(0, 1)->Name = "Orphan";
        TMemoryStream stream;
        noRoot.SaveToFileStream(stream);
        stream.SaveToFile(LocalPath(folder + "/noroot/QUORIN.qmt"));
    }
    WriteFile(folder + "/cut/QUORIN.qmt", ReadFile(folder + "/QUORIN.qmt").left(30));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        auto result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_NE(result.err.toStdString().find(c.message), std::string::npos) << result.err.toStdString();
    }
}
