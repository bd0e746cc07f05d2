#pragma once

// The start that the tools writing windows to PNG files share: the words "NAME RTP_FOLDER
// OUT_FOLDER", a temporary home of their own (so the user's settings are never touched), the
// offscreen platform unless another one was chosen (under xvfb-run the real one, at the screen size
// xvfb was given), and the runtime package and material lookup of the editor.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/Paths.h"
#include "platform/PlatformPorts.h"

namespace tarvel::test {

class ShotTool {
public:
    // Before the application is made: checks the words (writing the usage when they are wrong) and
    // sets up the environment.
    bool Prepare(int argc, char** argv, const char* name) {
        if (argc != 3) {
            std::fprintf(stderr, "usage: %s RTP_FOLDER OUT_FOLDER\n", name);
            return false;
        }
        mRtp = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
        mOut = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
        qputenv("HOME", mHome.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (mHome.path() + "/.config").toUtf8());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    // With the application: the package, the ports and the out folder.
    void Start() {
        QDir().mkpath(mOut);
        SetRuntimePackagePath(mRtp);
        InstallPlatformPorts();
    }
    const QString& Rtp() const { return mRtp; }
    const QString& Out() const { return mOut; }
    QString Home() const { return mHome.path(); }
    // Writes OUT_FOLDER/name.png and says so on standard output.
    bool Write(const QPixmap& picture, const QString& name) const {
        const QString file = mOut + "/" + name + ".png";
        const bool ok = picture.save(file);
        std::printf("%s %s\n", file.toUtf8().constData(), ok ? "written" : "NOT written");
        return ok;
    }

private:
    QTemporaryDir mHome;
    QString mRtp;
    QString mOut;
};

} // namespace tarvel::test
