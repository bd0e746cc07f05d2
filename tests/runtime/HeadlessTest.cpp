// The runtime's headless mode, run as the program on projects built by tarvel-cli from JSON: the
// key file, the state it writes, the picture of the last frame, and playing the game's scripts.
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <gtest/gtest.h>

#include "HeadlessProject.h"
#include "TestEnvironment.h"

using namespace tarvel::test;

namespace {

// Frames the hero takes for one cell.
constexpr int kCell = 8;

QString Keys(std::initializer_list<std::tuple<int, const char*, const char*>> changes) {
    QString text;
    for (const auto& [frame, key, how] : changes)
        text += QString("%1 %2 %3\n").arg(frame).arg(key).arg(how);
    return text;
}

THeadlessProject OneMap(const QString& name, const QJsonArray& events,
                        const QList<std::array<int, 3>>& chips = {}, QJsonArray commonEvents = {}) {
    return THeadlessProject(name, TestDataBase(commonEvents), {{1, TestMap(20, 15, events, chips)}}, 1, 5, 5);
}

} // namespace

TEST(Headless, WalkingIsStoppedByAWallAndByAOneWayEdge) {
    // A wall right of the path, a ledge below it that is entered only from below.
    const THeadlessProject project = OneMap("Walk", {}, {{{8, 5, kWallChip}}, {{7, 8, kLedgeChip}}});
    const THeadlessRun run = project.Run(Keys({{0, "right", "down"},
                                               {6 * kCell, "right", "up"},
                                               {7 * kCell, "down", "down"},
                                               {14 * kCell, "down", "up"}}),
                                         16 * kCell);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.state["frame"].toInt(), 16 * kCell);
    EXPECT_EQ(run.state["map"].toInt(), 1);
    EXPECT_EQ(run.state["x"].toInt(), 7);
    EXPECT_EQ(run.state["y"].toInt(), 7);
    EXPECT_EQ(run.state["direction"].toInt(), 2);
}

TEST(Headless, TheStateNamesEverySwitchVariableAndEventAndTheKeyFileCanBeEmpty) {
    const THeadlessProject project = OneMap(
        "State", {TestEvent(1, 2, 3, QJsonObject{}),
                  TestEvent(2, 9, 9, QJsonObject{{"Condition", QJsonObject{{"Flags", 1}, {"SwitchA", 4}}}})});
    const THeadlessRun run = project.Run("# nothing pressed\n\n", 3);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject& s = run.state;
    EXPECT_EQ(s["frame"].toInt(), 3);
    EXPECT_EQ(s["switches"].toObject().size(), 10);
    EXPECT_EQ(s["switches"].toObject()["10"], QJsonValue(false));
    EXPECT_EQ(s["variables"].toObject().size(), 10);
    EXPECT_EQ(s["variables"].toObject()["1"], QJsonValue(0));
    EXPECT_EQ(s["money"].toInt(), 0);
    EXPECT_TRUE(s["items"].toObject().isEmpty());
    EXPECT_EQ(s["party"].toArray(), QJsonArray{1});
    EXPECT_TRUE(s["message"].isNull());
    const QJsonArray events = s["events"].toArray();
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].toObject(), (QJsonObject{{"id", 1}, {"x", 2}, {"y", 3}, {"page", 1}}));
    EXPECT_EQ(events[1].toObject(), (QJsonObject{{"id", 2}, {"x", 9}, {"y", 9}, {"page", 0}}));
}

TEST(Headless, WrongWordsAndKeyFilesAreRefusedWithTheReason) {
    const THeadlessProject project = OneMap("Refuse", {});
    const THeadlessRun badKey = project.Run("0 up down\n12 jump down\n", 10);
    EXPECT_EQ(badKey.exitCode, 2);
    EXPECT_TRUE(badKey.err.contains("line 2: unknown key \"jump\"")) << badKey.err.toStdString();

    ProcessResult noFrames =
        RunProgram(project.Folder() + "QUORIN.exe", {"--headless", "--input", "k.txt", "--state", "s.json"});
    EXPECT_EQ(noFrames.exitCode, 2);
    EXPECT_TRUE(noFrames.err.contains("--headless needs --frames N")) << noFrames.err.toStdString();
    ProcessResult badFrames =
        RunProgram(project.Folder() + "QUORIN.exe",
                   {"--headless", "--input", "k.txt", "--frames", "ten", "--state", "s.json"});
    EXPECT_EQ(badFrames.exitCode, 2);
    ProcessResult missingKeys =
        RunProgram(project.Folder() + "QUORIN.exe", {"--headless", "--input", TestHome() + "/none.txt",
                                                     "--frames", "1", "--state", TestHome() + "/s.json"});
    EXPECT_EQ(missingKeys.exitCode, 1);
    EXPECT_TRUE(missingKeys.err.contains("none.txt: cannot be read")) << missingKeys.err.toStdString();
}

// Two villagers in view whose character set is nowhere: the picture is drawn without them and the
// missing name is told once, beside the state.
TEST(Headless, TheShotIsTheLastFrameAt320By240AndMissingMaterialIsTold) {
    const QJsonObject lost{{"CharName", "Nobody9"}};
    const THeadlessProject project = OneMap("Shot", {TestEvent(1, 3, 3, lost), TestEvent(2, 6, 3, lost)});
    const QString shot = TestHome() + "/headless-shot.png";
    const THeadlessRun run = project.Run("", 1, {"TestPlay", "HideTitle", "Window"}, shot);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(shot);
    EXPECT_EQ(image.size(), QSize(320, 240));
    const QString told = "QUORIN.exe: cannot find \"Nobody9\" in the CharSet folder of the project or of the "
                         "runtime package";
    EXPECT_EQ(run.err.count(told), 1) << run.err.toStdString();
    EXPECT_TRUE(run.state["notices"].toArray().isEmpty());
}

TEST(Headless, WithoutAStartPositionTheGameSaysSoAndRuns) {
    const THeadlessProject project("NoStart", TestDataBase(), {{1, TestMap(20, 15, {})}}, 0, 0, 0);
    const THeadlessRun run = project.Run("", 5);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.state["map"].toInt(), 0);
    ASSERT_EQ(run.state["notices"].toArray().size(), 1);
    EXPECT_TRUE(run.state["notices"].toArray()[0].toString().contains("no start position"));
    EXPECT_TRUE(run.err.contains("QUORIN.exe: The party has no start position")) << run.err.toStdString();
}

// ---------------------------------------------------------------------------------------------
// Events and their scripts.

namespace {

QJsonObject PushPage(QJsonArray script, QJsonObject more = {}) {
    QJsonObject page{{"Priority", 1}, {"CharName", "People1"}, {"Script", Script(std::move(script))}};
    for (auto it = more.begin(); it != more.end(); ++it)
        page[it.key()] = it.value();
    return page;
}

// The hero at (5, 5) turns up (the event above is in the way) and presses the decision key.
QString TalkUp(int at = 0) {
    return Keys(
        {{at, "up", "down"}, {at + 2, "up", "up"}, {at + 4, "decide", "down"}, {at + 6, "decide", "up"}});
}

} // namespace

TEST(Headless, TalkingToAnEventAcrossACounter) {
    // The clerk stands behind a counter; a second event beside it has no counter before it.
    const QJsonArray events{TestEvent(1, 5, 3, PushPage({ScriptLine(10110, {}, "Welcome!")})),
                            TestEvent(2, 7, 3, PushPage({ScriptLine(10110, {}, "Out of reach")}))};
    const THeadlessProject project = OneMap("Counter", events, {{{5, 4, kCounterChip}}, {{7, 4, kWallChip}}});
    const THeadlessRun across = project.Run(TalkUp(), 12);
    ASSERT_EQ(across.exitCode, 0) << across.err.toStdString();
    EXPECT_EQ(across.state["message"].toString(), "Welcome!");
    EXPECT_EQ(across.state["y"].toInt(), 5);

    // Across a wall no one is talked to.
    const THeadlessRun wall = project.Run(Keys({{0, "right", "down"},
                                                {2 * kCell, "right", "up"},
                                                {3 * kCell, "up", "down"},
                                                {3 * kCell + 2, "up", "up"},
                                                {3 * kCell + 4, "decide", "down"},
                                                {3 * kCell + 6, "decide", "up"}}),
                                          4 * kCell);
    EXPECT_EQ(wall.state["x"].toInt(), 7);
    EXPECT_TRUE(wall.state["message"].isNull());
}

TEST(Headless, AChestSetsASwitchThatTurnsItsPage) {
    const QJsonObject closed = PushPage({ScriptLine(10210, {0, 1, 1, 0}), ScriptLine(10320, {0, 0, 3, 0, 2})},
                                        {{"CharName", "Object1"}});
    const QJsonObject open{{"Condition", QJsonObject{{"Flags", 1}, {"SwitchA", 1}}},
                           {"CharName", "Object1"},
                           {"CharDir", 0},
                           {"Priority", 1}};
    const THeadlessProject project = OneMap("Chest", {TestEvent(1, 5, 4, QJsonArray{closed, open})});
    const THeadlessRun before = project.Run(Keys({{0, "up", "down"}, {2, "up", "up"}}), 4);
    EXPECT_EQ(before.state["events"].toArray()[0].toObject()["page"].toInt(), 1);
    const THeadlessRun after = project.Run(TalkUp(), 12);
    ASSERT_EQ(after.exitCode, 0) << after.err.toStdString();
    EXPECT_EQ(after.state["switches"].toObject()["1"], QJsonValue(true));
    EXPECT_EQ(after.state["events"].toArray()[0].toObject()["page"].toInt(), 2);
    EXPECT_EQ(after.state["items"].toObject(), (QJsonObject{{"3", 2}}));
}

TEST(Headless, AChoiceWhoseSecondBranchAddsAnItem) {
    const QJsonArray script{ScriptLine(10110, {}, "Take one?"), ScriptLine(10140, {0}, "Yes/No"),
                            ScriptLine(20140, {0}, "Yes"),      ScriptLine(10, {}, {}, 1),
                            ScriptLine(20140, {1}, "No"),       ScriptLine(10320, {0, 0, 2, 0, 1}, {}, 1),
                            ScriptLine(10, {}, {}, 1),          ScriptLine(20141)};
    const THeadlessProject project = OneMap("Choice", {TestEvent(1, 5, 4, PushPage(script))});
    // The question and its choices share the window.
    const THeadlessRun asked = project.Run(TalkUp(), 12);
    ASSERT_EQ(asked.exitCode, 0) << asked.err.toStdString();
    EXPECT_EQ(asked.state["message"].toString(), "Take one?");
    EXPECT_EQ(asked.state["choices"].toArray(), (QJsonArray{"Yes", "No"}));
    // Down to the second choice and decide.
    const THeadlessRun second = project.Run(
        TalkUp() +
            Keys({{14, "down", "down"}, {16, "down", "up"}, {20, "decide", "down"}, {22, "decide", "up"}}),
        30);
    EXPECT_EQ(second.state["items"].toObject(), (QJsonObject{{"2", 1}}));
    EXPECT_TRUE(second.state["message"].isNull());
    // The first choice adds nothing.
    const THeadlessRun first =
        project.Run(TalkUp() + Keys({{20, "decide", "down"}, {22, "decide", "up"}}), 30);
    EXPECT_TRUE(first.state["items"].toObject().isEmpty());
    EXPECT_TRUE(first.state["message"].isNull());
}

TEST(Headless, ADoorTeleportsToAnotherMapWithTheTransition) {
    const QJsonObject door{
        {"Trigger", 1}, {"Priority", 1}, {"Script", Script({ScriptLine(10810, {2, 7, 9})})}};
    const QJsonObject inside = TestMap(20, 15, {TestEvent(1, 3, 3, QJsonObject{})});
    QJsonObject db = TestDataBase();
    db["system"] = QJsonObject{{"TeleportErase", 0}, {"TeleportShow", 0}};
    const THeadlessProject project("Door", db,
                                   {{1, TestMap(20, 15, {TestEvent(1, 5, 4, door)})}, {2, inside}}, 1, 5, 5);
    // Walking up touches the door; the screen fades out before the party moves.
    const QString walk = Keys({{0, "up", "down"}, {4, "up", "up"}});
    const THeadlessRun fading = project.Run(walk, 20);
    ASSERT_EQ(fading.exitCode, 0) << fading.err.toStdString();
    EXPECT_EQ(fading.state["map"].toInt(), 1);
    const THeadlessRun arrived = project.Run(walk, 120);
    EXPECT_EQ(arrived.state["map"].toInt(), 2);
    EXPECT_EQ(arrived.state["x"].toInt(), 7);
    EXPECT_EQ(arrived.state["y"].toInt(), 9);
    EXPECT_EQ(arrived.state["events"].toArray(),
              (QJsonArray{QJsonObject{{"id", 1}, {"x", 3}, {"y", 3}, {"page", 1}}}));
    // With an instant transition the party is there at once.
    db["system"] = QJsonObject{{"TeleportErase", 19}, {"TeleportShow", 19}};
    const THeadlessProject instant("DoorInstant", db,
                                   {{1, TestMap(20, 15, {TestEvent(1, 5, 4, door)})}, {2, inside}}, 1, 5, 5);
    EXPECT_EQ(instant.Run(walk, 8).state["map"].toInt(), 2);
}

TEST(Headless, AParallelCommonEventCountsWhileAMessageWaits) {
    const QJsonArray commons{
        QJsonObject{{"Name", "Clock"},
                    {"Trigger", 4},
                    {"Script", Script({ScriptLine(10220, {0, 1, 1, 1, 0, 1}), ScriptLine(11410, {1})})}}};
    const QJsonObject autoStart{{"Trigger", 3}, {"Script", Script({ScriptLine(10110, {}, "Hello")})}};
    const THeadlessProject project = OneMap("Parallel", {TestEvent(1, 1, 1, autoStart)}, {}, commons);
    const THeadlessRun run = project.Run("", 121);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.state["message"].toString(), "Hello");
    // One count every tenth of a second (six frames), from the first frame on.
    EXPECT_EQ(run.state["variables"].toObject()["1"].toInt(), 21);
}

TEST(Headless, AMoveRouteWithRepeatGoesOnAndOneWithoutStops) {
    auto route = [](bool repeat, QJsonArray commands) {
        return QJsonObject{{"Priority", 1},
                           {"MoveType", 6},
                           {"MoveFrequency", 8},
                           {"MoveSpeed", 4},
                           {"MoveRoute", QJsonObject{{"Repeat", repeat}, {"Commands", commands}}}};
    };
    const QJsonObject right{{"Code", 1}}, left{{"Code", 3}};
    const THeadlessProject project = OneMap("Route", {TestEvent(1, 10, 2, route(true, {right, left})),
                                                      TestEvent(2, 10, 8, route(false, {right, right}))});
    QList<int> back, once;
    for (int frames : {4, 12, 20, 28, 200}) {
        const THeadlessRun run = project.Run("", frames);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        back << run.state["events"].toArray()[0].toObject()["x"].toInt();
        once << run.state["events"].toArray()[1].toObject()["x"].toInt();
    }
    // Right, left, right, left, ... one cell every eight frames.
    EXPECT_EQ(back.mid(0, 4), (QList<int>{11, 10, 11, 10}));
    EXPECT_TRUE(back[4] == 10 || back[4] == 11);
    EXPECT_EQ(once, (QList<int>{11, 12, 12, 12, 12}));
}

TEST(Headless, AScriptThatAsksForWhatIsNotThereIsToldAndTheGameGoesOn) {
    const QJsonArray script{ScriptLine(12120, {5}), ScriptLine(12330, {0, 9, 0}),
                            ScriptLine(10810, {42, 1, 1}), ScriptLine(10210, {0, 2, 2, 0})};
    const THeadlessProject project = OneMap("Missing", {TestEvent(1, 5, 4, PushPage(script))});
    const QStringList before = QDir(project.Folder()).entryList(QDir::Files);
    const THeadlessRun run = project.Run(TalkUp(), 20);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray notices = run.state["notices"].toArray();
    ASSERT_EQ(notices.size(), 3);
    const QString where = "map 1, event 1 \"EV0001\", page 1, line ";
    EXPECT_EQ(notices[0].toString(), where + "1: there is no label 5 to go to");
    EXPECT_EQ(notices[1].toString(), where + "2: there is no common event 9 to call");
    EXPECT_TRUE(notices[2].toString().startsWith(where + "3: cannot teleport: there is no map 42"))
        << notices[2].toString().toStdString();
    for (const QJsonValue& n : notices)
        EXPECT_TRUE(run.err.contains("QUORIN.exe: " + n.toString())) << run.err.toStdString();
    // The script went on to its last line, and the game with it.
    EXPECT_EQ(run.state["switches"].toObject()["2"], QJsonValue(true));
    EXPECT_EQ(run.state["map"].toInt(), 1);
    EXPECT_EQ(QDir(project.Folder()).entryList(QDir::Files), before);
}

TEST(Headless, SaveLoadAndTheSameState) {
    const QJsonObject closed = PushPage({ScriptLine(10210, {0, 1, 1, 0}), ScriptLine(10310, {0, 0, 120})},
                                        {{"CharName", "Object1"}});
    const QJsonObject open{{"Condition", QJsonObject{{"Flags", 1}, {"SwitchA", 1}}}, {"Priority", 1}};
    const QJsonObject walker{{"Priority", 1},
                             {"MoveType", 6},
                             {"MoveFrequency", 8},
                             {"MoveRoute", QJsonObject{{"Commands", QJsonArray{QJsonObject{{"Code", 0}},
                                                                               QJsonObject{{"Code", 2}}}}}}};
    QJsonObject db = TestDataBase();
    db["vocabulary"] = QJsonObject{{"146", "Save to which file?"}, {"147", "Load which file?"}};
    const THeadlessProject project(
        "SaveLoad", db,
        {{1, TestMap(20, 15, {TestEvent(1, 5, 4, QJsonArray{closed, open}), TestEvent(2, 12, 10, walker)})}},
        1, 5, 5);
    // Open the chest, walk two cells right, open the menu, choose "Save" and file 1.
    const QString play = TalkUp() + Keys({{10, "right", "down"},
                                          {10 + 2 * kCell, "right", "up"},
                                          {40, "cancel", "down"},
                                          {42, "cancel", "up"},
                                          {44, "down", "down"},
                                          {46, "down", "up"},
                                          {48, "decide", "down"},
                                          {50, "decide", "up"},
                                          {52, "decide", "down"},
                                          {54, "decide", "up"}});
    const THeadlessRun saving = project.Run(play, 53);
    ASSERT_EQ(saving.exitCode, 0) << saving.err.toStdString();
    EXPECT_EQ(saving.state["scene"].toString(), "map");
    EXPECT_TRUE(QFile::exists(project.Folder() + "Save01"));
    EXPECT_EQ(saving.state["switches"].toObject()["1"], QJsonValue(true));
    EXPECT_EQ(saving.state["x"].toInt(), 7);

    // From the title: "Continue" (chosen when there is a saved game), file 1.
    const THeadlessRun loading = project.Run(
        Keys({{0, "decide", "down"}, {2, "decide", "up"}, {4, "decide", "down"}, {6, "decide", "up"}}), 5,
        {"TestPlay", "ShowTitle", "Window"});
    ASSERT_EQ(loading.exitCode, 0) << loading.err.toStdString();
    QJsonObject saved = saving.state, loaded = loading.state;
    // The frame counts on from the one saved in; everything else is as it was.
    EXPECT_EQ(loaded["frame"].toInt(), 52 + 1);
    saved.remove("frame");
    loaded.remove("frame");
    EXPECT_EQ(loaded, saved);

    // The save screen says what the vocabulary says.
    const QString shot = TestHome() + "/save-screen.png";
    const THeadlessRun screen =
        project.Run(play.section('\n', 0, 11), 51, {"TestPlay", "HideTitle", "Window"}, shot);
    EXPECT_EQ(screen.state["scene"].toString(), "save");
}
