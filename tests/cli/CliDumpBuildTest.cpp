#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "JsonData.h"
#include "SampleDataBase.h"
#include "TestEnvironment.h"

using namespace tarvel;
using namespace tarvel::cli;
using namespace tarvel::test;

namespace {

QByteArray bytesOf(const QString& file) {
    return ReadFile(file);
}

// A database with every field of every record kind set, and a name that is not UTF-8.
void writeSample(const QString& file) {
    TQelDataBase db;
    FillSampleDataBase(db, 3);
    db.Heroes().Find(2)->Name = std::string("\xff\xfe", 2);
    db.SaveToFile(LocalPath(file));
}

} // namespace

TEST(CliDumpBuild, EveryFieldRoundTripsByteForByte) {
    QString folder = MakeTempFolder("roundtrip");
    writeSample(folder + "/QUORIN.qdb");

    auto dump = RunCli({"dump", folder + "/QUORIN.qdb"});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    Json json = Json::parse(dump.out.toStdString());
    EXPECT_EQ(json["kind"], "database");
    EXPECT_EQ(json["heroes"][1]["Name"], Json::parse(R"({"hex": "fffe"})"));
    EXPECT_EQ(json["heroes"][0]["ConditionRates"], Json::parse("[3, 4]"));
    EXPECT_EQ(json["system"]["PartyHeroes"], Json::parse("[3, 4]"));
    EXPECT_TRUE(json["vocabulary"]["153"].is_string());
    EXPECT_EQ(json["commonEvents"][2]["Script"].size(), 6u);
    EXPECT_EQ(json["commonEvents"][2]["Script"][0].size(), 4u); // Code, Indent, Text, Params
    EXPECT_FALSE(json["commonEvents"][0].contains("ScriptData"));
    EXPECT_EQ(json["monsterGroups"][0]["BattlePages"][1]["Trigger"]["Flags"].type(),
              Json::value_t::number_unsigned);

    WriteFile(folder + "/db.json", dump.out);
    auto build = RunCli({"build", folder + "/db.json", folder + "/rebuilt.qdb"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
    EXPECT_EQ(bytesOf(folder + "/rebuilt.qdb"), bytesOf(folder + "/QUORIN.qdb"));
}

TEST(CliDumpBuild, AbsentFieldsTakeTheirResetValues) {
    QString folder = MakeTempFolder("absent");
    WriteFile(folder + "/a.json", R"({"kind": "database", "heroes": [{"Name": "Alex", "Curves": [99]}],
                                      "vocabulary": {"101": "Fight"}, "switches": []})");
    auto build = RunCli({"build", folder + "/a.json", folder + "/a.qdb"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();

    TQelDataBase expected;
    auto* hero = expected.Heroes().Find(1);
    hero->Name = "Alex";
    hero->SetCurve(paMaxHP, 1, 99); // the rest of the curve keeps its reset values
    expected.Vocabulary().SetText(voFight, "Fight");
    expected.Switches().Clear();

    TQelDataBase built;
    built.LoadFromFile(LocalPath(folder + "/a.qdb"));
    EXPECT_EQ(DataBaseToJson(built), DataBaseToJson(expected));

    WriteFile(folder + "/reset.json", R"({"kind": "database"})");
    ASSERT_EQ(RunCli({"build", folder + "/reset.json", folder + "/reset.qdb"}).exitCode, 0);
    TQelDataBase reset, fresh;
    reset.LoadFromFile(LocalPath(folder + "/reset.qdb"));
    EXPECT_EQ(DataBaseToJson(reset), DataBaseToJson(fresh));
}

TEST(CliDumpBuild, RawChunkTree) {
    QString folder = MakeTempFolder("raw");
    TQelDataBase db;
    db.Switches().Find(1)->Name = "Door";
    db.Heroes().Find(1)->SetConditionCount(1);
    db.Heroes().Find(1)->SetConditionRate(1, 0);
    db.SaveToFile(LocalPath(folder + "/QUORIN.qdb"));

    auto raw = RunCli({"dump", "--raw", folder + "/QUORIN.qdb"});
    ASSERT_EQ(raw.exitCode, 0) << raw.err.toStdString();
    QString text = QString::fromUtf8(raw.out);
    EXPECT_TRUE(text.startsWith("QelDataBase\n11 "));
    for (const char* expected : {
             "\n23 9\n  count 1\n  #1\n    1 4 44 6F 6F 72\n",        // a switch named Door
             "\n    63 1\n      count 0\n    71 1 01\n    72 1 00\n", // the hero's skills and table
             "\n15 28\n  count 1\n  #1\n    2 1\n      count 0\n    5 0\n    11 18\n", // a group
             "\n22 ",
             "\n  31 8\n    1 5 28 4F 46 46 29\n", // title music in the system
         })
        EXPECT_TRUE(text.contains(expected)) << expected;

    // A nested chunk that does not read as its record is shown as bytes.
    QByteArray broken = bytesOf(folder + "/QUORIN.qdb");
    int at = broken.indexOf(QByteArray::fromHex("1F080105284F"));
    ASSERT_GT(at, 0);
    broken[at + 3] = char(0x7F); // the title music's file name now claims 127 bytes
    WriteFile(folder + "/broken.qdb", broken);
    auto brokenRaw = RunCli({"dump", "--raw", folder + "/broken.qdb"});
    EXPECT_EQ(brokenRaw.exitCode, 0);
    EXPECT_TRUE(brokenRaw.out.startsWith("QelDataBase\n11 "));
    EXPECT_TRUE(brokenRaw.out.contains("\n  31 8 (unreadable) 01 7F 28 4F 46 46 29 00\n"))
        << brokenRaw.out.toStdString();
}

TEST(CliDumpBuild, Errors) {
    QString folder = MakeTempFolder("errors");
    WriteFile(folder + "/junk.qdb", "not a database");
    {
        TQelDataBase db;
        db.SaveToFile(LocalPath(folder + "/full.qdb"));
        WriteFile(folder + "/cut.qdb", ReadFile(folder + "/full.qdb").left(700));
    }
    WriteFile(folder + "/parse.json", "{\"kind\": ");
    WriteFile(folder + "/nokind.json", "{}");
    WriteFile(folder + "/kind.json", R"({"kind": "picture"})");
    WriteFile(folder + "/key.json", R"({"kind": "database", "heros": []})");
    WriteFile(folder + "/type.json", R"({"kind": "database", "system": {"PartyHeroes": [70000]}})");
    WriteFile(folder + "/route.json", R"({"kind": "database", "commonEvents": [{"Script": [{"Cod": 1}]}]})");
    struct Case {
        QStringList args;
        int exitCode;
        QByteArray err;
    } cases[] = {
        {{"dump", folder + "/none.qdb"}, 1, "tarvel-cli: dump: Cannot open file"},
        {{"dump", folder + "/junk.qdb"},
         1,
         "tarvel-cli: dump: " + (folder + "/junk.qdb").toUtf8() + ": not a project file"},
        {{"dump", folder + "/cut.qdb"},
         1,
         "tarvel-cli: dump: " + (folder + "/cut.qdb").toUtf8() + ": Stream read error"},
        {{"build", folder + "/parse.json", folder + "/x"},
         1,
         "tarvel-cli: build: " + (folder + "/parse.json").toUtf8()},
        {{"build", folder + "/nokind.json", folder + "/x"},
         1,
         "tarvel-cli: build: " + (folder + "/nokind.json").toUtf8() + ": no \"kind\""},
        {{"build", folder + "/kind.json", folder + "/x"},
         1,
         "tarvel-cli: build: " + (folder + "/kind.json").toUtf8() + ": unknown kind \"picture\""},
        {{"build", folder + "/key.json", folder + "/x"},
         1,
         "tarvel-cli: build: " + (folder + "/key.json").toUtf8() + ": heros: unknown key"},
        {{"build", folder + "/type.json", folder + "/x"},
         1,
         "tarvel-cli: build: " + (folder + "/type.json").toUtf8() +
             ": system.PartyHeroes[0]: number 70000 is out of range"},
        {{"build", folder + "/route.json", folder + "/x"},
         1,
         "tarvel-cli: build: " + (folder + "/route.json").toUtf8() +
             ": commonEvents[0].Script[0].Cod: unknown key"},
        {{"build", folder + "/key.json", folder + "/no-folder/x.qdb"}, 1, "tarvel-cli: build: "},
        {{"dump"}, 2, "tarvel-cli: usage: "},
        {{"dump", "--raw"}, 2, "tarvel-cli: usage: "},
        {{"build", "a.json"}, 2, "tarvel-cli: usage: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        auto result = RunCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(result.err.startsWith(c.err)) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder + "/x"));
}

TEST(CliDiffSetup, GitShowsDatabaseChangesAsJson) {
    QString repo = MakeTempFolder("repo");
    auto git = [&](const QStringList& args) {
        return RunProgram(
            "git",
            QStringList{"-C", repo, "-c", "user.name=Test", "-c", "user.email=test@example.org"} + args);
    };
    ASSERT_EQ(git({"init", "-q"}).exitCode, 0);
    WriteFile(repo + "/.gitattributes", "*.png binary");

    auto setup = RunCli({"diff-setup", repo});
    ASSERT_EQ(setup.exitCode, 0) << setup.err.toStdString();
    EXPECT_EQ(ReadFile(repo + "/.gitattributes"),
              "*.png binary\n*.qdb diff=tarvel\n*.qmt diff=tarvel\n*.qmu diff=tarvel\n");
    // Running it again adds nothing.
    ASSERT_EQ(RunCli({"diff-setup", repo}).exitCode, 0);
    EXPECT_EQ(ReadFile(repo + "/.gitattributes").count("diff=tarvel"), 3);

    WriteFile(repo + "/a.json", R"({"kind": "database", "heroes": [{"Name": "Alex"}]})");
    WriteFile(repo + "/b.json", R"({"kind": "database", "heroes": [{"Name": "Brian"}]})");
    ASSERT_EQ(RunCli({"build", repo + "/a.json", repo + "/QUORIN.qdb"}).exitCode, 0);
    ASSERT_EQ(git({"add", "QUORIN.qdb", ".gitattributes"}).exitCode, 0);
    ASSERT_EQ(git({"commit", "-q", "-m", "first"}).exitCode, 0);
    ASSERT_EQ(RunCli({"build", repo + "/b.json", repo + "/QUORIN.qdb"}).exitCode, 0);
    auto diff = git({"diff", "--", "QUORIN.qdb"});
    EXPECT_EQ(diff.exitCode, 0);
    EXPECT_TRUE(diff.out.contains("-      \"Name\": \"Alex\",\n+      \"Name\": \"Brian\",\n"))
        << diff.out.toStdString();

    auto outside = RunCli({"diff-setup", MakeTempFolder("plain")});
    EXPECT_EQ(outside.exitCode, 1);
    EXPECT_TRUE(outside.err.startsWith("tarvel-cli: diff-setup: git ")) << outside.err.toStdString();
}
