// QUORIN.exe.dat, copied into every project as "QUORIN.exe": the runtime the editor starts for test
// play and battle tests. It is a stand-in that shows what the game starts with (the start map,
// or the monster group of a battle test) and reads the project without ever writing to it; a
// playable runtime is later work.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "GameProject.h"
#include "RuntimeWords.h"
#include "ViewerWindow.h"
#include "platform/PlatformPorts.h"

int main(int argc, char** argv) {
    using namespace tarvel::runtime;
    QApplication app(argc, argv);
    const RuntimeWords words = ParseRuntimeWords(app.arguments().mid(1));
    // The editor and scripts read back what was asked of the runtime.
    std::printf("%s\n", words.received.join(' ').toLocal8Bit().constData());
    std::fflush(stdout);

    tarvel::InstallPlatformPorts();
    TGameProject project;
    project.Load(FindGameFolder(QCoreApplication::applicationDirPath(), QDir::currentPath()));
    TViewerWindow window(words, project);
    if (words.fullScreen)
        window.showFullScreen();
    else
        window.show();
    return app.exec();
}
