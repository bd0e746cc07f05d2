#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/StartUp.h"
#include "platform/SingleInstance.h"

using namespace tarvel;
using tarvel::test::BuildBinFolder;
using tarvel::test::MakeTempFolder;
using tarvel::test::RunProgram;

namespace {

void setRuntimePackagePath(const QString& path) {
    QSettings settings("Ostel", "Tarvel");
    if (path.isNull())
        settings.remove("RuntimePackagePath");
    else
        settings.setValue("RuntimePackagePath", path);
    settings.sync();
}

// A folder holding a copy of the editor and only the libraries asked for, so that a missing
// library is really missing.
QString editorCopyWith(const QStringList& libraries) {
    QString folder = MakeTempFolder("editor");
    QFile::copy(BuildBinFolder() + "/tarvel", folder + "/tarvel");
    for (const QString& lib : libraries)
        QFile::copy(BuildBinFolder() + "/" + lib, folder + "/" + lib);
    return folder;
}

const QStringList kOffscreen = {"QT_QPA_PLATFORM=offscreen", "LD_LIBRARY_PATH="};

} // namespace

TEST(StartUp, DisplayCheck) {
    struct Case {
        int bits, width, height;
        bool usable;
    } cases[] = {
        {8, 1024, 768, false}, {16, 800, 600, true},  {32, 1920, 1080, true},
        {16, 799, 600, false}, {16, 800, 599, false}, {15, 800, 600, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " " << c.width << "x" << c.height);
        EXPECT_EQ(DisplayIsUsable(c.bits, c.width, c.height), c.usable);
    }
}

TEST(StartUp, RefusesWithTheExactMessagesInOrder) {
    QString rtp = MakeTempFolder("rtp");
    QString rtpWithSound = MakeTempFolder("rtp");
    QFile::copy(BuildBinFolder() + "/libconsort.so", rtpWithSound + "/libconsort.so");
    struct Case {
        const char* name;
        QString runtimePackage; // null: the setting is absent
        QStringList libraries;
        QByteArray message;
    } cases[] = {
        {"no runtime package setting",
         QString(),
         {"libconsort.so", "libunlha.so"},
         "Tarvel Error: RTP not found"},
        {"empty runtime package setting",
         QString(""),
         {"libconsort.so", "libunlha.so"},
         "Tarvel Error: RTP not found"},
        {"no sound library anywhere", rtp, {"libunlha.so"}, "Consort.dll not found"},
        {"no archiver", rtp, {"libconsort.so"}, "Unlha32.dll not found"},
        // The sound library is found in the runtime package folder; the archiver is still missing.
        {"sound library in the runtime package", rtpWithSound, {}, "Unlha32.dll not found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setRuntimePackagePath(c.runtimePackage);
        QString folder = editorCopyWith(c.libraries);
        auto result = RunProgram(folder + "/tarvel", {}, 30000, kOffscreen);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "Tarvel: " + c.message + "\n");
    }
}

TEST(StartUp, SecondStartAsksTheFirstToRaiseAndEndsSilently) {
    setRuntimePackagePath(MakeTempFolder("rtp"));
    SingleInstance first;
    ASSERT_TRUE(first.Listen());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    // Even with no runtime package set, a second start ends before any check.
    setRuntimePackagePath(QString());
    auto result = RunProgram(BuildBinFolder() + "/tarvel", {}, 30000, kOffscreen);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(raised.count() > 0 || raised.wait(5000));
}

TEST(StartUp, PassesEveryCheckAndRunsAsTheOneInstance) {
    setRuntimePackagePath(MakeTempFolder("rtp"));
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    editor.setProcessEnvironment(env);
    editor.start(BuildBinFolder() + "/tarvel", {});
    ASSERT_TRUE(editor.waitForStarted(10000));

    // Once it listens, it has passed every check and built its main window.
    bool answered = false;
    for (int i = 0; i < 200 && !answered && editor.state() == QProcess::Running; ++i) {
        answered = SingleInstance::AskRunningInstanceToRaise(200);
        if (!answered) QThread::msleep(50);
    }
    EXPECT_TRUE(answered) << editor.readAllStandardError().toStdString();
    // It listens before it builds its main window, which then makes the temporary folder.
    bool madeTemp = false;
    for (int i = 0; i < 200 && !madeTemp; ++i) {
        madeTemp = QDir(QDir::tempPath() + "/TARVEL_TEMP").exists();
        if (!madeTemp) QThread::msleep(50);
    }
    EXPECT_TRUE(madeTemp);

    editor.terminate();
    editor.waitForFinished(10000);
    // No start-up message was written (the platform plugin may note what it cannot do).
    EXPECT_FALSE(editor.readAllStandardError().contains("Tarvel:"));
}
