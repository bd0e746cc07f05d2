#include "TestPlay.h"

#include <QFile>
#include <QStandardPaths>

#include "platform/Paths.h"

namespace tarvel {

QStringList TestPlayArguments(bool showTitle, bool fullScreen) {
    return {"TestPlay", showTitle ? "ShowTitle" : "HideTitle", fullScreen ? "FullScreen" : "Window"};
}

QStringList BattleTestArguments(bool fullScreen, int monGroupID) {
    return {"BattleTest", "HideTitle", fullScreen ? "FullScreen" : "Window", QString::number(monGroupID)};
}

QString RuntimeCommandLine(const QString& programPath, const QStringList& arguments) {
    QString line = '"' + programPath + '"';
    for (const QString& word : arguments)
        line += ' ' + word;
    return line;
}

bool StartRuntime(QProcess& process, const QStringList& arguments) {
    QString program = ProjectPath() + "QUORIN.exe";
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray head = file.read(2);
    file.close();
    process.setWorkingDirectory(ProjectPath());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    if (head == "MZ") {
        // A Windows program runs through wine when it is installed.
        QString wine = QStandardPaths::findExecutable("wine");
        if (wine.isEmpty()) return false;
        process.start(wine, QStringList{program} + arguments);
    } else {
        process.start(program, arguments);
    }
    return process.waitForStarted(10000);
}

} // namespace tarvel
