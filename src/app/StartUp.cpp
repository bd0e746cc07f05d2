#include "StartUp.h"

#include <QFileInfo>

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>
#include <memory>

#include "MainUnit.h"
#include "SplashForm.h"
#include "controls/MessageBoxes.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "platform/QtClipboard.h"
#include "platform/Settings.h"
#include "platform/SingleInstance.h"

namespace tarvel {

namespace {

// A failed check: the message goes to standard error as one line, so logs and scripts see it,
// and to a box with no owner, an OK button and no icon (unless there is no screen to show it on).
int failStartUp(const char* message) {
    std::fprintf(stderr, "Tarvel: %s\n", message);
    std::fflush(stderr);
    QString platform = QGuiApplication::platformName();
    if (platform != "offscreen" && platform != "minimal") {
        QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), message, QMessageBox::Ok);
        box.exec();
    }
    return 1;
}

} // namespace

bool DisplayIsUsable(int bitsPerPixel, int width, int height) {
    return bitsPerPixel >= 16 && width >= 800 && height >= 600;
}

bool DisplayIsUsable(const QScreen* screen) {
    if (!screen) return false;
    QSize size = screen->size();
    return DisplayIsUsable(screen->depth(), size.width(), size.height());
}

int RunEditor(int& argc, char** argv) {
    // The two outside libraries are bound first, from the program's folder or the search path.
    UnlhaLib().Load();
    ConsortLib().Load();

    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvel");
    QApplication::setOrganizationName("Ostel");
    QApplication::setApplicationVersion(TARVEL_VERSION);

    // One editor per user: a second start brings the first to the front and ends silently.
    if (SingleInstance::AskRunningInstanceToRaise()) return 0;

    if (!DisplayIsUsable(QGuiApplication::primaryScreen())) return failStartUp(StartUpMessage::Display);

    QString runtimePackage = UserSettings::RuntimePackagePath();
    // An installed editor carries the default package beside it: when the settings name none, that
    // one is used (the settings stay the package installer's to write).
    if (runtimePackage.isEmpty() && QFileInfo(ApplicationFolder() + "RTP").isDir())
        runtimePackage = ApplicationFolder() + "RTP/";
    if (runtimePackage.isEmpty()) return failStartUp(StartUpMessage::NoRuntimePackage);
    SetRuntimePackagePath(runtimePackage);

    if (!ConsortLib().IsLoaded()) ConsortLib().Load(runtimePackage);
    if (!ConsortLib().IsLoaded()) return failStartUp(StartUpMessage::NoSoundLibrary);
    if (!UnlhaLib().IsLoaded()) return failStartUp(StartUpMessage::NoArchiver);

    SingleInstance instance;
    instance.Listen();
    QApplication::setApplicationDisplayName("Tarvel");

    QtClipboard clipboard;
    SetClipboardPort(&clipboard);
    InstallPlatformPorts();

    auto* splash = new TFormSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    int result;
    {
        TFormQelMain mainWindow;
        QObject::connect(&instance, &SingleInstance::raiseRequested, &mainWindow,
                         &TFormQelMain::RaiseFromAnotherStart);
        mainWindow.show();
        splash->raise();
        result = app.exec();
    }
    SetClipboardPort(nullptr);
    ConsortLib().Unload();
    UnlhaLib().Unload();
    return result;
}

} // namespace tarvel
