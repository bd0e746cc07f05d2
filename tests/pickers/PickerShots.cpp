// Renders the pickers on a runtime package to PNG files, so that they can be looked at:
// picker-shots RTP_FOLDER OUT_FOLDER. Runs offscreen unless a platform is chosen.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "data/LD_Switch.h"
#include "graphics/GR_ChipSet.h"
#include "pickers/SelEvChar.h"
#include "pickers/SelFace.h"
#include "pickers/SelMonster.h"
#include "pickers/SelMusic.h"
#include "pickers/SelReplChip.h"
#include "pickers/SelSwitch.h"
#include "pickers/SelSystem.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"

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

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: picker-shots RTP_FOLDER OUT_FOLDER\n");
        return 2;
    }
    SetRuntimePackagePath(IncludeTrailingPathDelimiter(QString::fromLocal8Bit(argv[1])));
    QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    InstallPlatformPorts();
    bool ok = true;

    TFormSelFace face;
    face.SetFileName("Hero1");
    face.SetIndex(5);
    ok &= save(face, out + "/face.png");

    TChipSetLook look;
    look.graphicName = "Grassland";
    TQelChipSetGraphic chipSet;
    chipSet.SetChipSet(&look);
    TFormSelEvChar character(nullptr, &chipSet);
    character.SetFileName("People1");
    character.SetIndex(2);
    character.SetDirection(1);
    character.SetPattern(0);
    ok &= save(character, out + "/evchar.png");
    TFormSelEvChar chips(nullptr, &chipSet);
    chips.SetFileName("");
    chips.SetIndex(9);
    ok &= save(chips, out + "/evchar-chips.png");

    TFormSelMonster monster;
    monster.SetFileName("Dragon");
    monster.SetHue(120);
    ok &= save(monster, out + "/monster.png");

    TFormSelMusic music;
    TQelMusic piece;
    piece.FileName = "Town1";
    piece.FadeIn = 3000;
    piece.Volume = 80;
    piece.Tempo = 110;
    piece.Balance = 40;
    music.SetMusic(piece);
    ok &= save(music, out + "/music.png");

    TFormSelSystem system;
    system.SetFileName("System2");
    system.SetWallpaperMode(1);
    ok &= save(system, out + "/system.png");

    TFormSelReplChip chip(nullptr, &chipSet, false);
    chip.SetChip(5040);
    ok &= save(chip, out + "/chip.png");

    TQelSwitch switches;
    const char* names[] = {"Met the king", "Door open", "", "Boss beaten", "Has boat"};
    for (int id = 1; id <= 47; ++id)
        switches.FindOrCreate(id)->Name = id <= 5 ? names[id - 1] : "";
    LastSwitchID().Set(24);
    TFormSelSwitch switchPicker(nullptr, switches);
    ok &= save(switchPicker, out + "/switch.png");
    return ok ? 0 : 1;
}
