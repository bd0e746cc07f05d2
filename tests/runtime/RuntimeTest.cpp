// The runtime "QUORIN.exe.dat": the words it understands, what its window shows of a test play and
// of a battle test, and that it never writes to a project but its saved games.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

#include "GameFixture.h"
#include "GameProject.h"
#include "GameWindow.h"
#include "RuntimeWords.h"
#include "Screens.h"
#include "TestEnvironment.h"
#include "ViewerWindow.h"
#include "data/LD_Map.h"
#include "game/GameRender.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/GraphicsPorts.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "platform/Settings.h"

using namespace tarvel;
using namespace tarvel::runtime;
using tarvel::test::BuildBinFolder;
using tarvel::test::ProcessResult;
using tarvel::test::RunProgram;

namespace {

using Mode = RuntimeWords::Mode;

const QString& VillageProject() {
    static const QString folder = [] {
        QString project = test::MakeProject("Village", "Green Village");
        test::PaintVillage(project);
        return project;
    }();
    return folder;
}

// Every file under a folder with its bytes' hash and modification time.
std::map<QString, QString> Snapshot(const QString& folder) {
    std::map<QString, QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files[path] = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex() + " " +
                      QString::number(QFileInfo(path).lastModified().toMSecsSinceEpoch());
    }
    return files;
}

ProcessResult RunRuntime(const QString& project, const QStringList& words) {
    // The project's own copy, as the editor starts it.
    return RunProgram(project + "QUORIN.exe", words, 60000);
}

} // namespace

TEST(RuntimeWords, ReadsTheWordsOfTestPlayAndBattleTest) {
    struct Case {
        QStringList words;
        Mode mode;
        bool showTitle, fullScreen;
        int group;
        QStringList unexpected;
    };
    const Case cases[] = {
        {{"TestPlay", "HideTitle", "FullScreen"}, Mode::TestPlay, false, true, 0, {}},
        {{"TestPlay", "ShowTitle", "Window"}, Mode::TestPlay, true, false, 0, {}},
        {{"BattleTest", "HideTitle", "Window", "12"}, Mode::BattleTest, false, false, 12, {}},
        {{"BattleTest", "HideTitle", "FullScreen", "3"}, Mode::BattleTest, false, true, 3, {}},
        {{"BattleTest", "HideTitle", "Window", "x"}, Mode::BattleTest, false, false, 0, {"x"}},
        {{"BattleTest", "HideTitle", "Window", "0"}, Mode::BattleTest, false, false, 0, {"0"}},
        // A game started by hand (from a game disk) shows its title.
        {{}, Mode::TestPlay, true, false, 0, {}},
        {{"TestPlay", "7", "Loud"}, Mode::TestPlay, false, false, 0, {"7", "Loud"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words.join(' ').toStdString());
        RuntimeWords w = ParseRuntimeWords(c.words);
        EXPECT_EQ(w.mode, c.mode);
        EXPECT_EQ(w.showTitle, c.showTitle);
        EXPECT_EQ(w.fullScreen, c.fullScreen);
        EXPECT_EQ(w.monsterGroup, c.group);
        EXPECT_EQ(w.unexpected, c.unexpected);
        EXPECT_EQ(w.received, c.words);
        EXPECT_EQ(w.quitAfterMs, -1);
        EXPECT_FALSE(w.headless);
        EXPECT_TRUE(w.usageError.isEmpty());
    }
    RuntimeWords own = ParseRuntimeWords({"BattleTest", "--quit-after", "250", "--grab", "/tmp/a.png", "2"});
    EXPECT_EQ(own.quitAfterMs, 250);
    EXPECT_EQ(own.grabFile, "/tmp/a.png");
    EXPECT_EQ(own.monsterGroup, 2);
    EXPECT_TRUE(own.unexpected.isEmpty());

    RuntimeWords headless = ParseRuntimeWords({"TestPlay", "ShowTitle", "Window", "--headless", "--input",
                                               "k.txt", "--frames", "90", "--state", "s.json"});
    EXPECT_TRUE(headless.headless);
    EXPECT_TRUE(headless.showTitle);
    EXPECT_EQ(headless.inputFile, "k.txt");
    EXPECT_EQ(headless.frames, 90);
    EXPECT_EQ(headless.stateFile, "s.json");
    EXPECT_TRUE(headless.shotFile.isEmpty());
    EXPECT_TRUE(headless.usageError.isEmpty());
    const QStringList wrong[] = {{"--headless", "--input", "k", "--frames", "-1", "--state", "s"},
                                 {"--headless", "--input", "k", "--frames", "3"},
                                 {"--headless", "--frames", "3", "--state", "s"},
                                 {"--headless", "--input", "k", "--frames", "3", "--state"}};
    for (const QStringList& words : wrong)
        EXPECT_FALSE(ParseRuntimeWords(words).usageError.isEmpty()) << words.join(' ').toStdString();
}

TEST(RuntimeProgram, BattleTestWordsShowTheGroupAndExitCleanlyWhenClosed) {
    const QString project = test::MakeProject("Battle", "Battle Test");
    const QString png = test::TestHome() + "/battle.png";
    ProcessResult r =
        RunRuntime(project, {"BattleTest", "HideTitle", "Window", "3", "--quit-after", "300", "--grab", png});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.split('\n').first(),
              "BattleTest HideTitle Window 3 --quit-after 300 --grab " + png.toUtf8());
    QImage shot(png);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(640, 480));
}

TEST(RuntimeProgram, ReadsTheProjectWithoutWritingToItOrToTheEditorsWorkingCopies) {
    const QString project = VillageProject();
    // A working copy of the editor that waits for the runtime.
    const QString workCopy = QDir::tempPath() + "/TARVEL_TEMP/Map0001.qmu";
    test::WriteFile(workCopy, "the editor's working copy");
    const auto before = Snapshot(project);
    for (const QStringList& words :
         {QStringList{"TestPlay", "ShowTitle", "FullScreen", "--quit-after", "200"},
          QStringList{"BattleTest", "HideTitle", "Window", "1", "--quit-after", "200"}}) {
        ProcessResult r = RunRuntime(project, words);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    EXPECT_EQ(Snapshot(project), before);
    EXPECT_EQ(test::ReadFile(workCopy), "the editor's working copy");
}

// The pictures the program writes for people to look at (build/screenshots).
TEST(RuntimeProgram, ScreenshotsOfTheStartMapAndABattleTest) {
    const QString project = VillageProject();
    QDir().mkpath(TARVEL_SCREENSHOT_DIR);
    const QString shots[2] = {QStringLiteral(TARVEL_SCREENSHOT_DIR "/runtime-start-map.png"),
                              QStringLiteral(TARVEL_SCREENSHOT_DIR "/runtime-battle-test.png")};
    const QStringList words[2] = {
        {"TestPlay", "HideTitle", "Window", "--quit-after", "300", "--grab", shots[0]},
        {"BattleTest", "HideTitle", "Window", "13", "--quit-after", "300", "--grab", shots[1]}};
    for (int i = 0; i < 2; ++i) {
        QFile::remove(shots[i]);
        ProcessResult r = RunRuntime(project, words[i]);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QImage shot(shots[i]);
        ASSERT_EQ(shot.size(), QSize(640, 480)) << shots[i].toStdString();
    }
}

class Viewer : public ::testing::Test {
protected:
    void SetUp() override {
        InstallPlatformPorts();
        mProject.Load(VillageProject());
        ASSERT_TRUE(mProject.Error().isEmpty()) << mProject.Error().toStdString();
    }
    TGameProject mProject;
};

// The village game at its start, drawn.
struct VillageStart {
    VillageStart() {
        data.Load(VillageProject().toStdString());
        game.Start(false);
        renderer.Draw(game, frame);
    }
    game::TGameData data;
    game::TSilentSound sound;
    game::TMemorySaveStore saves;
    game::TGame game{data, sound, saves};
    game::TGameRenderer renderer;
    game::TGameFrame frame;
};

// The party's walk graphic (the first party hero's character, facing down) stands on its start
// cell in column 9 and row 7 of the screen.
TEST_F(Viewer, TheGameDrawsThePartyOnItsStartCell) {
    VillageStart start;
    const TPrismBoard& board = start.frame.board;
    ASSERT_EQ(board.Width(), 320);
    const TQelPlayerItem* hero =
        start.data.DataBase().Heroes().Find(start.data.DataBase().System().PartyHero(0));
    TPrismSheet sheet;
    sheet.SetSize(288, 256);
    sheet.LoadFromFile(MaterialLocator().Locate(hero->CharName, "CharSet"), true);
    const TPoint frame = CharSetFrameOrigin(hero->CharIndex, 1, 2);
    // The sprite's feet are on the cell's bottom edge, 4 pixels wider than the cell on each side.
    const int left = 9 * 16 - 4, top = 7 * 16 + 16 - 32;
    int shown = 0, opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 24; ++x) {
            uint8_t index = sheet.Row(frame.y + y)[frame.x + x];
            if (index == 0) continue;
            ++opaque;
            shown += board.Pixel(left + x, top + y) == sheet.ColorTable()[index];
        }
    ASSERT_GT(opaque, 100);
    EXPECT_EQ(shown, opaque);

    // The map around it is drawn: no black cell in the view of a map that covers it.
    for (int y = 0; y < 240; y += 16)
        for (int x = 0; x < 320; x += 16)
            EXPECT_NE(board.Pixel(x + 8, y + 8), 0) << "cell at " << x << ", " << y;
}

// A tree top stands in front of a character under it: upper chips marked to be drawn above the
// characters are drawn over the party.
TEST(GameMap, ChipsMarkedAboveCoverThePartyUnderThem) {
    InstallPlatformPorts();
    const QString folder = test::MakeProject("Grove", "Grove");
    test::PaintVillage(folder);
    const int top = test::GrasslandUpperChip("Tree 1-1");
    {
        TQelMap map;
        map.ReadFile((folder + "Map0001.qmu").toStdString());
        map.UpperLayer.SetChip(test::kVillageStartX, test::kVillageStartY - 1, top);
        map.SaveToFile((folder + "Map0001.qmu").toStdString());
    }
    TGameProject project;
    project.Load(folder);
    ASSERT_EQ(project.DataBase().ChipSets().Find(1)->UpperChipPass(top - 10000) & 0x10, 0x10);
    game::TGameData data;
    ASSERT_TRUE(data.Load(folder.toStdString()));
    game::TSilentSound sound;
    game::TMemorySaveStore saves;
    game::TGame game(data, sound, saves);
    game.Start(false);
    game::TGameRenderer renderer;
    game::TGameFrame frame;
    renderer.Draw(game, frame);

    TChipSetLook look;
    look.graphicName = "Grassland";
    TQelChipSetGraphic chips;
    chips.SetChipSet(&look);
    chips.SetTransparent(true);
    TPrismBoard alone;
    alone.SetSize(16, 16);
    alone.Clear();
    chips.DrawChip(alone, 0, 0, top, false, 16, 0);
    // The cell above the start cell, where the party's head is.
    const int cellX = 9 * 16, cellY = 6 * 16;
    int covered = 0, opaque = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (alone.Pixel(x, y) == 0) continue;
            ++opaque;
            covered += frame.board.Pixel(cellX + x, cellY + y) == alone.Pixel(x, y);
        }
    ASSERT_GT(opaque, 64);
    EXPECT_EQ(covered, opaque);
}

TEST_F(Viewer, BattleTestShowsTheMonsterGroupOnItsBackdrop) {
    const TQelDataBase& db = mProject.DataBase();
    for (int id : {3, 13}) {
        SCOPED_TRACE(id);
        TBattleScreen screen;
        ASSERT_TRUE(screen.Load(mProject, id)) << screen.Problem().toStdString();
        TPrismBoard board;
        screen.Draw(board);
        const TQelMonGroupItem* group = db.MonGroups().Find(id);
        for (int i = 0; i < group->Members.Count(); ++i) {
            const TQelMonGroupMonsterItem* member = group->Members.Items(i);
            TPrismSheet sheet;
            sheet.SetAutoSize(true);
            sheet.LoadFromFile(
                MaterialLocator().Locate(db.Monsters().Find(member->MonsterID)->GraphicName, "Monster"),
                true);
            const int left = member->X - sheet.Width() / 2, top = member->Y - sheet.Height() / 2;
            int shown = 0, opaque = 0;
            for (int y = 0; y < sheet.Height(); ++y)
                for (int x = 0; x < sheet.Width(); ++x) {
                    uint8_t index = sheet.Row(y)[x];
                    if (index == 0) continue;
                    ++opaque;
                    shown += board.Pixel(left + x, top + y) == sheet.ColorTable()[index];
                }
            // Members of a lined-up group may overlap a little; most of each one shows.
            EXPECT_GT(shown, opaque * 3 / 4) << "member " << i;
        }
        // The backdrop fills the scene where no monster stands.
        TPrismSheet backdrop;
        backdrop.SetAutoSize(true);
        backdrop.LoadFromFile(MaterialLocator().Locate(db.System().MonGroupBackdrop, "Backdrop"), true);
        EXPECT_EQ(board.Pixel(2, 2), backdrop.ColorTable()[backdrop.Row(2)[2]]);
        EXPECT_EQ(screen.Texts().size(), size_t(group->Members.Count() + db.System().TestParty.Count()));
    }
}

TEST_F(Viewer, ABattleTestOfAMissingGroupSaysSo) {
    TBattleScreen battle;
    EXPECT_FALSE(battle.Load(mProject, 99));
    EXPECT_EQ(battle.Problem(), "The database has no monster group 99.");

    TGameProject nothing;
    nothing.Load(test::MakeTempFolder("empty"));
    EXPECT_FALSE(nothing.Error().isEmpty());
    EXPECT_FALSE(battle.Load(nothing, 1));
    EXPECT_TRUE(battle.Problem().startsWith("The game could not be read")) << battle.Problem().toStdString();
}

// The window plays: Enter leaves the title for the map, Esc opens the menu and closes it again.
TEST(GameWindowTest, EnterStartsANewGameAndEscapeOpensTheMenu) {
    InstallPlatformPorts();
    // As the program does: material is looked for in the project, then in the runtime package.
    SetProjectPath(VillageProject());
    SetRuntimePackagePath(UserSettings::RuntimePackagePath());
    game::TGameData data;
    ASSERT_TRUE(data.Load(VillageProject().toStdString()));
    game::TSilentSound sound;
    game::TMemorySaveStore saves;
    TGameWindow window(ParseRuntimeWords({"TestPlay", "ShowTitle", "Window"}), data, sound, saves);
    window.show();
    EXPECT_EQ(window.size(), QSize(640, 480));
    EXPECT_EQ(window.Scale(), 2);
    EXPECT_TRUE(window.windowTitle().contains("Green Village"));
    EXPECT_EQ(window.Game().Scene(), game::TScene::Title);
    auto press = [&](Qt::Key key) {
        QTest::keyPress(&window, key);
        window.StepFrame();
        QTest::keyRelease(&window, key);
        window.StepFrame();
    };
    press(Qt::Key_Return);
    EXPECT_EQ(window.Game().Scene(), game::TScene::Map);
    EXPECT_EQ(window.Game().Hero().X(), test::kVillageStartX);
    press(Qt::Key_Escape);
    EXPECT_EQ(window.Game().Scene(), game::TScene::Menu);
    press(Qt::Key_X);
    EXPECT_EQ(window.Game().Scene(), game::TScene::Map);
    QTest::keyPress(&window, Qt::Key_Left);
    for (int i = 0; i < 8; ++i)
        window.StepFrame();
    QTest::keyRelease(&window, Qt::Key_Left);
    EXPECT_EQ(window.Game().Hero().X(), test::kVillageStartX - 1);
    EXPECT_EQ(window.Frame().size(), QSize(640, 480));
    // The village's pictures are all in the runtime package: nothing is told missing.
    EXPECT_TRUE(window.Game().Notices().empty()) << window.Game().Notices().front();
    window.close();
    EXPECT_FALSE(window.isVisible());
}
