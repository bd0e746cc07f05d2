// tarvel-cli render-lines and script: scripts printed as the script list shows them, from JSON
// lines or from a project's stored pages, with the names of the given files.
#include <gtest/gtest.h>

#include <QDir>

#include "ScriptFixture.h"
#include "TestEnvironment.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// The fixture's game as a project folder: database, map tree, and map 1 whose event 3 ("Chest")
// has a page that names itself, another event and a map; a common event and a battle page.
QString writeProject(ScriptFixture& f) {
    QString folder = MakeTempFolder("project");
    TQelEventPageItem* page = f.map.Events.Find(3)->Pages.FindOrCreate(1);
    page->Script.Clear();
    page->Script.Add(TQelEventScriptLine(10870, 0, "", {3, 1}));
    page->Script.Add(TQelEventScriptLine(10810, 0, "", {2, 4, 5}));
    page->Script.Add(TQelEventScriptLine(0, 0));
    auto& common = f.db.CommonEvents().Find(1)->Script;
    common.Clear();
    common.Add(TQelEventScriptLine(10610, 0, "Al", {1}));
    common.Add(TQelEventScriptLine(10860, 1, "", {1, 0, 2, 3}));
    common.Add(TQelEventScriptLine(0, 0));
    auto& battle = f.group->BattlePages.Find(1)->Script;
    battle.Clear();
    battle.Add(TQelEventScriptLine(13150, 0, "", {1}));
    battle.Add(TQelEventScriptLine(13260, 0, "", {1, -1, 1}));
    battle.Add(TQelEventScriptLine(0, 0));
    f.db.SaveToFile(LocalPath(folder + "/QUORIN.qdb"));
    TMemoryStream tree;
    f.tree.SaveToFileStream(tree);
    tree.SaveToFile(LocalPath(folder + "/QUORIN.qmt"));
    f.map.SaveToFile(LocalPath(folder + "/Map0001.qmu"));
    return folder;
}

QString writeLines(const QByteArray& json) {
    QString file = MakeTempFolder("lines") + "/lines.json";
    WriteFile(file, json);
    return file;
}

TEST(CliRenderLines, PrintsEachLineInTheGivenContext) {
    ScriptFixture f;
    QString project = writeProject(f);
    QString lines = writeLines(R"([
        {"Code": 10220, "Indent": 0, "Text": "", "Params": [0, 1, 1, 0, 6, 3, 1]},
        {"Code": 10110, "Indent": 1, "Text": {"hex": "48ff"}, "Params": []},
        {"Code": 11010, "Indent": 1, "Text": "", "Params": [13]},
        {"Code": 10810, "Indent": 0, "Text": "", "Params": [2, 1, 1]},
        {"Code": 13150, "Indent": 0, "Text": "", "Params": [1]},
        {"Code": 11330, "Indent": 2, "Text": "", "Params": [10001, 0, 0, 0, 34]},
        {"Code": 10, "Indent": 1},
        {"Code": 0}
    ])");
    ProcessResult r = RunCli({"render-lines", lines, "--db", project + "/QUORIN.qdb", "--tree",
                              project + "/QUORIN.qmt", "--map", project + "/Map0001.qmu", "--event", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QByteArray expected = "<>Variable Op:[0001:Gold] Set, Chest  X pos\n"
                          "  <>Messg:H\xff\n"
                          "  <>Erase Scren:Hi-LowDiv\x84\n"
                          "<>Teleport: 0002:Town (001,001)\n"
                          "<>Enemy Appears:  2:?\n"
                          "<>Data Broken. Sorry! \n"
                          "  <>\n"
                          "<>\n";
    EXPECT_EQ(r.out, expected);

    // With no files every name is "?".
    r = RunCli({"render-lines", lines});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("<>Variable Op:[?] Set, ?  X pos\n"));
    EXPECT_TRUE(r.out.contains("\n<>Teleport: 0002:? (001,001)\n"));

    // A page cut out of a dump (an object with "Script") in a battle context.
    QString page = writeLines(R"({"ID": 1, "Script": [
        {"Code": 13150, "Params": [1]}, {"Code": 13260, "Params": [1, -1, 1]}, {"Code": 13130, "Params": [2, 0, 1]}]})");
    r = RunCli({"render-lines", page, "--db", project + "/QUORIN.qdb", "--group", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("<>Enemy Appears:  2:Bat\n"
                                "<>Show Battle Anim.:Slash, Whole Group (W)\n"
                                "<>Set Enemy's Condition:3:?->DeathCondition \n"));
}

TEST(CliRenderLines, Errors) {
    ScriptFixture f;
    QString project = writeProject(f);
    QString db = project + "/QUORIN.qdb";
    QString good = writeLines(R"([{"Code": 0}])");
    struct ErrorCase {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"render-lines"}, 2, "tarvel-cli: usage: tarvel-cli render-lines"},
        {{"render-lines", good, "--event", "x"}, 2, "--event takes a whole number"},
        {{"render-lines", good, "--group", "1"}, 1, "tarvel-cli: render-lines: --group needs --db"},
        {{"render-lines", good, "--db", db, "--group", "7"}, 1, "no monster group 7"},
        {{"render-lines", good, "--db", project + "/Map0001.qmu"}, 1, "not a readable database"},
        {{"render-lines", good, "--map", db}, 1, "not a readable map"},
        {{"render-lines", good, "--tree", project + "/missing.qmt"}, 1, "tarvel-cli: render-lines:"},
        {{"render-lines", writeLines("[{\"Code\": 1")}, 1, "parse error"},
        {{"render-lines", writeLines(R"([{"Code": 1, "Colour": 2}])")}, 1, "lines[0].Colour: unknown key"},
        {{"render-lines", writeLines(R"({"Lines": []})")}, 1, "no script lines"},
    };
    for (const auto& c : cases) {
        ProcessResult r = RunCli(c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(CliScript, PrintsStoredScriptsAsTheEditorsListThem) {
    ScriptFixture f;
    QString project = writeProject(f);
    // A map event's page: its own event by its stored name, the other events of its map.
    ProcessResult r = RunCli({"script", project, "--map", "1", "--event", "3", "--page", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("<>Swap 2 Events:        Chest, Guard\n"
                                "<>Teleport: 0002:Town (004,005)\n"
                                "<>\n"));
    // A common event has no map, so events have no names.
    r = RunCli({"script", project, "--common", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("<>Change Hero Name: Alex Name - Al Set  \n"
                                "  <>Set Event's Place:    ?, (002,003)\n"
                                "<>\n"));
    // A battle page shows its group's members.
    r = RunCli({"script", project + "/", "--group", "1", "--page", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("<>Enemy Appears:  2:Bat\n"
                                "<>Show Battle Anim.:Slash, Whole Group (W)\n"
                                "<>\n"));
}

TEST(CliScript, Errors) {
    ScriptFixture f;
    QString project = writeProject(f);
    QString empty = MakeTempFolder("empty");
    struct ErrorCase {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"script", project}, 2, "usage"},
        {{"script", project, "--map", "1", "--common", "1"}, 2, "usage"},
        {{"script", project, "--map", "1", "--page", "1"}, 2, "usage"},
        {{"script", project, "--common", "1", "--page", "1"}, 2, "usage"},
        {{"script", project, "--group", "1"}, 2, "usage"},
        {{"script", project, "--map", "0", "--event", "1", "--page", "1"}, 2, "--map takes a whole number"},
        {{"script", project, "--map", "1", "--event", "2", "--page", "1"}, 1, "Map0001.qmu: no event 2"},
        {{"script", project, "--map", "1", "--event", "3", "--page", "2"}, 1, "event 3 has no page 2"},
        {{"script", project, "--map", "5", "--event", "1", "--page", "1"}, 1, "Map0005.qmu"},
        {{"script", project, "--common", "4"}, 1, "tarvel-cli: script: no common event 4"},
        {{"script", project, "--group", "1", "--page", "3"}, 1, "monster group 1 has no battle page 3"},
        {{"script", project, "--group", "2", "--page", "1"}, 1, "no monster group 2"},
        {{"script", empty, "--common", "1"}, 1, "QUORIN.qdb"},
    };
    for (const auto& c : cases) {
        ProcessResult r = RunCli(c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

} // namespace
