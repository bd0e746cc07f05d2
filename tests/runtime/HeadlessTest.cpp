// The runtime's headless mode, run as the program on projects built by tarvel-cli from JSON: the
// key file, the state it writes, the picture of the last frame, and playing the game's scripts.
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

TEST(Headless, TheShotIsTheLastFrameAt320By240) {
    const THeadlessProject project = OneMap("Shot", {});
    const QString shot = TestHome() + "/headless-shot.png";
    const THeadlessRun run = project.Run("", 1, {"TestPlay", "HideTitle", "Window"}, shot);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(shot);
    EXPECT_EQ(image.size(), QSize(320, 240));
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
