#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <string>

namespace tarvel::test {

// The fresh folder that HOME, XDG_CONFIG_HOME and TMPDIR point to for this test run.
const QString& TestHome();
// A new empty folder under the test home.
QString MakeTempFolder(const QString& prefix = "t");
// Writes a file (creating its folders) with the given bytes.
void WriteFile(const QString& path, const QByteArray& bytes = {});
QByteArray ReadFile(const QString& path);

// The outcome of running one of the built programs.
struct ProcessResult {
    int exitCode = -1;
    bool finished = false;
    QByteArray out;
    QByteArray err;
};
ProcessResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs = 30000,
                         const QStringList& extraEnvironment = {});
// Runs a Python script with Debian's own Python, which has python3-pil (a python3 earlier on
// PATH may not).
inline ProcessResult Python(const QString& script, const QStringList& args = {}) {
    return RunProgram("/usr/bin/python3", QStringList{"-c", script} + args, 60000);
}
// The folder the build puts the programs and libraries in.
QString BuildBinFolder();
// Runs the built tarvel-cli with the words.
ProcessResult RunCli(const QStringList& arguments, int timeoutMs = 30000);
// Runs git in a repository folder, with an author of its own so that commits need no settings.
ProcessResult RunGit(const QString& repository, const QStringList& arguments);
// A file name as the core's file functions take it.
inline std::string LocalPath(const QString& path) {
    return path.toStdString();
}

} // namespace tarvel::test
