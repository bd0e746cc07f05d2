#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/MainUnit.h"
#include "app/ProcessWait.h"
#include "controls/MessageBoxes.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/TestPlay.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::WriteFile;

namespace {

// Records the editor's calls into the sound library.
class RecordingSound : public SoundLibraryPort {
public:
    QStringList calls;
    void Create() override { calls << "Create"; }
    void InitWave() override { calls << "InitWave"; }
    void Release() override { calls << "Release"; }
    void InitMidi() override {}
    void TermMidi() override {}
    void PlayMusic(const QString&) override {}
    void FadeInMusic(int) override {}
    void SetMusicVolume(int) override {}
    void SetMusicSpeed(int) override {}
    void SetMusicPanpot(int) override {}
    void FadeOutMusic(int) override {}
    void StopMusic() override {}
    void PlaySoundEx(const QString&, int, int, int) override {}
    void StopSound() override {}
};

struct TestPlayProject {
    QString base = MakeTempFolder("base") + "/";
    QString templates = MakeTempFolder("templates");
    QString wordsFile = MakeTempFolder("out") + "/words.txt";
    RecordingSound sound;
    std::unique_ptr<TFormQelMain> form;
    TestPlayProject() {
        EditorIni::SetProjectBasePath(base);
        {
            TQelDataBase db;
            db.SaveToFile((templates + "/QUORIN.qdb.dat").toStdString());
        }
        // A runtime that writes the words it received and where it ran, then ends.
        WriteFile(templates + "/QUORIN.exe.dat",
                  ("#!/bin/sh\necho \"$PWD $*\" > '" + wordsFile + "'\n").toUtf8());
        SetSoundLibraryPort(&sound);
        form = std::make_unique<TFormQelMain>();
        form->setTemplateFolder(templates);
        EXPECT_TRUE(MakeProjectFolder(base, "Game"));
        form->projectManager().CreateProject("Game", "Game");
        form->UpdateActions();
        sound.calls.clear();
    }
    ~TestPlayProject() {
        SetHeadlessAnswer(QMessageBox::NoButton);
        SetSoundLibraryPort(nullptr);
    }
};

} // namespace

TEST(TestPlay, CommandLineWords) {
    EXPECT_EQ(TestPlayArguments(false, true), (QStringList{"TestPlay", "HideTitle", "FullScreen"}));
    EXPECT_EQ(TestPlayArguments(true, false), (QStringList{"TestPlay", "ShowTitle", "Window"}));
    EXPECT_EQ(RuntimeCommandLine("/g/QUORIN.exe", BattleTestArguments(false, 12)),
              "\"/g/QUORIN.exe\" BattleTest HideTitle Window 12");
}

TEST(TestPlay, StartsTheProjectsRuntimeAndHandsTheSoundOver) {
    TestPlayProject p;
    ASSERT_TRUE(p.form->Action_GameTestPlay->isEnabled());
    p.form->Action_GameShowTitle->setChecked(false);
    p.form->Action_GameFullScreen->setChecked(true);
    p.form->GameTestPlay();
    QByteArray words = tarvel::test::ReadFile(p.wordsFile).trimmed();
    EXPECT_EQ(words, (QDir(p.base + "Game").canonicalPath() + " TestPlay HideTitle FullScreen").toUtf8());
    EXPECT_EQ(p.sound.calls, (QStringList{"Release", "Create", "InitWave"}));
}

TEST(TestPlay, NoToTheSavePromptStartsNothing) {
    TestPlayProject p;
    p.form->map().Modified = true;
    ClearShownMessages();
    SetHeadlessAnswer(QMessageBox::No);
    p.form->GameTestPlay();
    EXPECT_EQ(ShownMessages(), QStringList{"Map was changed. Save it?"});
    EXPECT_FALSE(QFile::exists(p.wordsFile));
    EXPECT_TRUE(p.sound.calls.isEmpty());
}

TEST(TestPlay, AMissingRuntimeIsReportedAndTheSoundComesBack) {
    TestPlayProject p;
    QFile::remove(ProjectPath() + "QUORIN.exe");
    ClearShownMessages();
    p.form->GameTestPlay();
    EXPECT_EQ(ShownMessages(), QStringList{"Drawing Error - Test Play Stop"});
    EXPECT_EQ(p.sound.calls, (QStringList{"Release", "Create", "InitWave"}));
}

TEST(TestPlay, TheWaitingWindowCannotBeClosedWhileTheGameRuns) {
    QProcess process;
    process.start("sleep", {"0.5"});
    ASSERT_TRUE(process.waitForStarted());
    TFormProcessWait wait(nullptr, "Test Play", process);
    wait.show();
    EXPECT_FALSE(wait.close());
    QTest::keyClick(&wait, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(&wait, Qt::Key_Escape);
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(wait.exec(), QDialog::Accepted); // returns once the process has ended
    EXPECT_EQ(process.state(), QProcess::NotRunning);
}
