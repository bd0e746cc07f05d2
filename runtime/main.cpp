// QUORIN.exe.dat, copied into every project as "QUORIN.exe": the runtime the editor starts for test
// play and battle tests. Test play plays the game (battles end as the player chooses); a battle
// test shows the monster group. It reads the project and writes nothing to it but saved games.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "ConsortSound.h"
#include "GameProject.h"
#include "GameWindow.h"
#include "Headless.h"
#include "RuntimeWords.h"
#include "ViewerWindow.h"
#include "game/Game.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "platform/Settings.h"

int main(int argc, char** argv) {
    using namespace tarvel;
    using namespace tarvel::runtime;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const RuntimeWords words = ParseRuntimeWords(arguments);
    // The editor and scripts read back what was asked of the runtime.
    std::printf("%s\n", words.received.join(' ').toLocal8Bit().constData());
    std::fflush(stdout);
    if (!words.usageError.isEmpty()) {
        std::fprintf(stderr,
                     "QUORIN.exe: usage: %s (QUORIN.exe [TestPlay ShowTitle|HideTitle FullScreen|Window] "
                     "--headless --input KEYS.txt --frames N --state OUT.json [--shot OUT.png])\n",
                     words.usageError.toLocal8Bit().constData());
        return 2;
    }

    if (words.headless) {
        // No window and no sound device: the screen is drawn off screen when a picture is asked for.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        InstallPlatformPorts();
        return RunHeadless(words,
                           FindGameFolder(QCoreApplication::applicationDirPath(), QDir::currentPath()));
    }

    QApplication app(argc, argv);
    InstallPlatformPorts();
    const QString folder = FindGameFolder(QCoreApplication::applicationDirPath(), QDir::currentPath());
    if (words.mode == RuntimeWords::Mode::BattleTest) {
        TGameProject project;
        project.Load(folder);
        TViewerWindow window(words, project);
        if (words.fullScreen)
            window.showFullScreen();
        else
            window.show();
        return app.exec();
    }

    SetProjectPath(folder);
    SetRuntimePackagePath(UserSettings::RuntimePackagePath());
    game::TGameData data;
    if (!data.Load(folder.toStdString())) std::fprintf(stderr, "QUORIN.exe: %s\n", data.Error().c_str());
    TConsortSound sound;
    if (!sound.Open())
        std::fprintf(
            stderr,
            "QUORIN.exe: the sound library libconsort.so was not found; the game plays without sound\n");
    game::TFolderSaveStore saves(folder.toStdString());
    TGameWindow window(words, data, sound, saves);
    if (!words.inputFile.isEmpty()) {
        // A key file drives the window too (scripted screenshots).
        QFile keys(words.inputFile);
        if (!keys.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "QUORIN.exe: %s: cannot be read\n",
                         words.inputFile.toLocal8Bit().constData());
            return 1;
        }
        try {
            window.SetKeyScript(game::ParseKeyScript(keys.readAll().toStdString()));
        } catch (const game::EKeyScriptError& e) {
            std::fprintf(stderr, "QUORIN.exe: %s: %s\n", words.inputFile.toLocal8Bit().constData(), e.what());
            return 2;
        }
    }
    if (words.fullScreen)
        window.showFullScreen();
    else
        window.show();
    return app.exec();
}
