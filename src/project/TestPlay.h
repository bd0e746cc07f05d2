#pragma once

// Starting the project's runtime "QUORIN.exe" for a test play or a battle test: the exact words
// it receives, and how it is started (from the project folder; a Windows program file through
// wine when that is installed).

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tarvel {

namespace TestPlayMessage {
constexpr const char* StartFailed = "Drawing Error - Test Play Stop";
constexpr const char* BattleStagingFailed = "Error Making Temp File: Battle Test Execution";
constexpr const char* BattleStartFailed = "Error Making Process: Battle Test Execution";
} // namespace TestPlayMessage

// "TestPlay", "ShowTitle" or "HideTitle", "FullScreen" or "Window".
QStringList TestPlayArguments(bool showTitle, bool fullScreen);
// "BattleTest", "HideTitle", "FullScreen" or "Window", the monster group ID.
QStringList BattleTestArguments(bool fullScreen, int monGroupID);
// The command line as the runtime sees it: the quoted program path and the words, each after one
// blank.
QString RuntimeCommandLine(const QString& programPath, const QStringList& arguments);

// Starts ProjectPath + "QUORIN.exe" with the words, in the project folder. False when it could not
// be started (missing, not executable, a Windows program without wine).
bool StartRuntime(QProcess& process, const QStringList& arguments);

} // namespace tarvel
