// The main of every test program: each run gets its own HOME, XDG_CONFIG_HOME and TMPDIR, so
// tests never touch the user's settings and never meet each other, and a Qt application object
// exists for the platform and widget tests (offscreen).
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "TestEnvironment.h"

namespace tarvel::test {

namespace {
QString gHome;
int gFolderCounter = 0;
} // namespace

const QString& TestHome() {
    return gHome;
}

QString MakeTempFolder(const QString& prefix) {
    QString path = gHome + "/" + prefix + QString::number(++gFolderCounter);
    QDir().mkpath(path);
    return path;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) ADD_FAILURE() << "cannot write " << path.toStdString();
    file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QString BuildBinFolder() {
    return QStringLiteral(TARVEL_TEST_BIN_DIR);
}

ProcessResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs,
                         const QStringList& extraEnvironment) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& assignment : extraEnvironment) {
        int eq = assignment.indexOf('=');
        env.insert(assignment.left(eq), assignment.mid(eq + 1));
    }
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted(timeoutMs)) return result;
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

ProcessResult RunCli(const QStringList& arguments, int timeoutMs) {
    return RunProgram(BuildBinFolder() + "/tarvel-cli", arguments, timeoutMs);
}

} // namespace tarvel::test

int main(int argc, char** argv) {
    QTemporaryDir home(QDir::tempPath() + "/tarvel-test-XXXXXX");
    home.setAutoRemove(true);
    tarvel::test::gHome = home.path();
    QByteArray path = home.path().toUtf8();
    setenv("HOME", path.constData(), 1);
    setenv("XDG_CONFIG_HOME", (path + "/.config").constData(), 1);
    setenv("XDG_DATA_HOME", (path + "/.local/share").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (path + "/runtime").constData(), 1);
    QDir().mkpath(home.path() + "/tmp");
    QDir().mkpath(home.path() + "/runtime");
    QFile::setPermissions(home.path() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("TMPDIR", (path + "/tmp").constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
