// Renders the game disk and material manager windows to PNG files, so that they can be looked at:
// disk-shots OUT_FOLDER [RTP_FOLDER]. A small project is made under OUT_FOLDER; with a runtime
// package its material is listed too. Runs offscreen unless a platform is chosen.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QScrollArea>
#include <cstdio>
#include <cstdlib>

#include "app/MaterialForm.h"
#include "app/ProjPackForm.h"
#include "graphics/PictureFile.h"
#include "platform/Material.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "ui_MaterialBase.h"

using namespace tarvel;

namespace {

bool save(QWidget& dialog, const QString& file) {
    dialog.show();
    QApplication::processEvents();
    bool ok = dialog.grab().save(file);
    std::printf("%s %s\n", qPrintable(file), ok ? "written" : "FAILED");
    dialog.hide();
    return ok;
}

// A 96 x 64 picture of stripes in four colours, the first of them the one to be made transparent.
TBitmap stripes() {
    TBitmap picture;
    picture.Reset(TPixelFormat::pf8bit, 96, 64);
    const TPaletteEntry colours[] = {{255, 0, 255, 0}, {40, 90, 200, 0}, {240, 200, 60, 0}, {60, 150, 80, 0}};
    for (int i = 0; i < 4; ++i)
        picture.Palette()[size_t(i)] = colours[i];
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            picture.ScanLine(y)[x] = uint8_t(((x / 8 + y / 8) % 4));
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: disk-shots OUT_FOLDER [RTP_FOLDER]\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The windows write what they remember (MaterialPath) into the settings: those of the shots.
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out + "/config");
    setenv("XDG_CONFIG_HOME", QFile::encodeName(out + "/config").constData(), 1);
    QApplication app(argc, argv);
    if (argc == 3) SetRuntimePackagePath(IncludeTrailingPathDelimiter(QString::fromLocal8Bit(argv[2])));
    InstallPlatformPorts();

    const QString project = out + "/Quest/";
    for (const MaterialFolderInfo& folder : MaterialFolders())
        QDir().mkpath(project + folder.name);
    for (const char* name : {"Hero", "Heroine", "Townsfolk2", "Townsfolk10"})
        SavePictureFile(stripes(), (project + "CharSet/" + name + ".png").toStdString());
    SetProjectPath(project);
    QDir::setCurrent(project);

    bool ok = true;
    TFormProjectPack pack;
    ok &= save(pack, out + "/pack-project.png");

    TFormProjectDiskPath diskPath(nullptr, out);
    diskPath.resize(460, 400);
    ok &= save(diskPath, out + "/choose-disk-path.png");

    TFormMaterialBase manager;
    manager.form()->KindList->setCurrentRow(2); // CharSet
    ok &= save(manager, out + "/raw-materials-settings.png");

    TFormMaterialBase2 colour(nullptr, stripes());
    ok &= save(colour, out + "/material-base.png");
    return ok ? 0 : 1;
}
