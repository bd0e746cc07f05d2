// Writes the project dialogs and the map and area property dialogs to PNG files, filled as a user
// would see them, so that they can be looked at: dialog-shots RTP_FOLDER OUT_FOLDER. Runs
// offscreen unless a platform is chosen, in a temporary home of its own.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "../common/ShotTool.h"
#include "app/ProjDialogs.h"
#include "data/LD_DataBase.h"
#include "mapedit/ED_Map.h"
#include "platform/Settings.h"

using namespace tarvel;
using tarvel::test::ShotTool;

namespace {

ShotTool gTool;

bool save(QWidget& dialog, const QString& name) {
    dialog.show();
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
    bool ok = gTool.Write(dialog.grab(), name);
    dialog.hide();
    return ok;
}

void writeProject(const QString& base, const QString& folder, const QString& title) {
    QDir().mkpath(base + folder);
    QFile exe(base + folder + "/QUORIN.exe");
    exe.open(QIODevice::WriteOnly);
    ProjectIni::SetGameTitle(base + folder, title);
}

} // namespace

int main(int argc, char** argv) {
    if (!gTool.Prepare(argc, argv, "dialog-shots")) return 2;
    QApplication app(argc, argv);
    gTool.Start();

    QString base = gTool.Home() + "/TarvelProjects/";
    EditorIni::SetProjectBasePath(base);
    writeProject(base, "Project1", "The Lost Crown");
    writeProject(base, "Harbor", "Harbor Town");
    writeProject(base, "Dungeon", "Untitled");
    bool ok = true;
    {
        TFormProjectNew dialog;
        ok &= save(dialog, "project-new");
    }
    {
        TFormProjectOpen dialog;
        ok &= save(dialog, "project-open");
    }

    TQelDataBase db;
    TQelDataBase::ResetList(db.ChipSets(), 2);
    db.ChipSets().Find(1)->Name = "Grassland";
    db.ChipSets().Find(2)->Name = "Dungeon";
    TQelDataBase::ResetList(db.MonGroups(), 3);
    db.MonGroups().Find(1)->Name = "Slime*2";
    db.MonGroups().Find(2)->Name = "Bat, Goblin";
    {
        MapPropertiesRequest request;
        request.id = 2;
        request.parentIsRoot = true;
        request.item.Name = "Harbor Town";
        request.item.MusicMode = 2;
        request.item.Music.FileName = "Town1";
        request.item.BattleBackMode = 1;
        request.item.Encounters.Append()->MonGroupID = 1;
        request.item.Encounters.Append()->MonGroupID = 2;
        request.settings.width = 60;
        request.settings.height = 45;
        request.settings.usePanorama = true;
        request.settings.panoramaName = "Sunset";
        request.settings.horzPan = true;
        request.settings.horzAuto = true;
        request.settings.horzSpeed = 2;
        TFormEDMap dialog(nullptr, request);
        ok &= save(dialog, "map-properties");
    }
    {
        AreaPropertiesRequest request;
        request.id = 5;
        request.isNew = true;
        request.item.Name = "AREA0005";
        request.item.AreaRect = {4, 6, 18, 15};
        TFormEDArea dialog(nullptr, request);
        ok &= save(dialog, "area-properties");
    }
    return ok ? 0 : 1;
}
