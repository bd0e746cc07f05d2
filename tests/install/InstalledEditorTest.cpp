// Installing like a Linux program: `cmake --install` into a fresh prefix puts the programs, the
// libraries, the templates, the runtime package, the manual, the desktop entry, the icons and the
// metadata in their places, and the installed editor starts from there and finds what it needs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/SingleInstance.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

QString installInto(const QString& prefix) {
    QProcess install;
    install.start(TARVEL_CMAKE_COMMAND, {"--install", TARVEL_BUILD_DIR, "--prefix", prefix});
    if (!install.waitForFinished(600000)) return "install did not finish";
    if (install.exitCode() != 0) return QString::fromLocal8Bit(install.readAllStandardError());
    return {};
}

} // namespace

TEST(InstalledEditor, InstallsEverythingInItsPlaceAndStartsFromThere) {
    const QString prefix = MakeTempFolder("prefix");
    ASSERT_EQ(installInto(prefix), QString());

    const QString home = prefix + "/lib/tarvel/";
    for (const char* file : {"bin/tarvel", "bin/tarvel-cli", "lib/tarvel/tarvel", "lib/tarvel/tarvel-cli",
                             "lib/tarvel/libconsort.so", "lib/tarvel/libunlha.so", "lib/tarvel/QUORIN.exe.dat",
                             "lib/tarvel/QUORIN.qdb.dat", "lib/tarvel/Setup.exe.dat", "lib/tarvel/help/index.html",
                             "share/applications/tarvel.desktop", "share/metainfo/tarvel.metainfo.xml",
                             "share/icons/hicolor/48x48/apps/tarvel.png",
                             "share/icons/hicolor/256x256/apps/tarvel.png"})
        EXPECT_TRUE(QFileInfo::exists(prefix + "/" + file)) << file;
    EXPECT_TRUE(QFileInfo(prefix + "/bin/tarvel").isSymLink());
    EXPECT_TRUE(QFileInfo(home + "RTP/ChipSet").isDir());

    // The installed tool makes a project from the templates beside it.
    const QString base = MakeTempFolder("projects");
    ProcessResult made = RunProgram(prefix + "/bin/tarvel-cli", {"new-project", base, "Quest", "Quest"}, 120000);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(base + "/Quest/QUORIN.qdb"));

    // The installed editor starts with no settings at all: it takes the runtime package beside it
    // and, once running, answers a second start's request to come to the front.
    QSettings("Ostel", "Tarvel").remove("RuntimePackagePath");
    QSettings("Ostel", "Tarvel").sync();
    QProcess editor;
    editor.start(prefix + "/bin/tarvel", {});
    ASSERT_TRUE(editor.waitForStarted(30000));
    bool answered = false;
    for (int attempt = 0; attempt < 300 && !answered && editor.state() == QProcess::Running; ++attempt) {
        answered = SingleInstance::AskRunningInstanceToRaise(1000);
        if (!answered) editor.waitForFinished(200);
    }
    EXPECT_TRUE(answered) << editor.readAllStandardError().toStdString();
    EXPECT_EQ(editor.state(), QProcess::Running);
    editor.kill();
    editor.waitForFinished(30000);
}
