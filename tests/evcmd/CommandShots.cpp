// Writes command dialogs to PNG files, filled as a user would see them, so that they can be looked
// at: command-shots RTP_FOLDER OUT_FOLDER. Each dialog is written alone (NAME.png) and on the
// whole screen (NAME-screen.png, showing whether it fits the screen xvfb-run was given).
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "../common/ShotTool.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "eventedit/commands/EvCmdBase.h"
#include "eventedit/commands/EvCmdIf.h"
#include "mapedit_core/MapGraphics.h"
#include "platform/Paths.h"

using namespace tarvel;

namespace {

test::ShotTool gTool;
bool gOk = true;

void settle() {
    for (int i = 0; i < 6; ++i)
        QApplication::processEvents();
}

void write(const QPixmap& picture, const QString& name) {
    gOk &= gTool.Write(picture, name);
}

// The window alone and the whole screen with the window on it.
void shoot(QWidget& window, const QString& name) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(screen.center() - QPoint(window.width() / 2, window.height() / 2));
    settle();
    write(window.grab(), name);
    write(QGuiApplication::primaryScreen()->grabWindow(0), name + "-screen");
}

void shootDialog(TFormEvCmdBase& dialog, const QString& name,
                 const std::function<void(TFormEvCmdBase&)>& fill = {}) {
    dialog.Open();
    dialog.show();
    if (fill) fill(dialog);
    dialog.adjustSize();
    shoot(dialog, name);
    dialog.hide();
}

} // namespace

int main(int argc, char** argv) {
    if (!gTool.Prepare(argc, argv, "command-shots")) return 2;
    QApplication app(argc, argv);
    gTool.Start();
    const QString rtp = gTool.Rtp();
    const QString project = gTool.Home() + "/Quest/";
    QDir().mkpath(project);
    SetProjectPath(project);

    TQelDataBase db;
    auto name = [](TCatalog& list, std::vector<std::string> names) {
        TQelDataBase::ResetList(list, int(names.size()));
        for (size_t i = 0; i < names.size(); ++i)
            list.Items(int(i))->Name = names[i];
    };
    name(db.Heroes(), {"Aren", "Lysa", "Brom", "Mira"});
    name(db.Items(), {"Potion", "Ether", "Bronze Sword", "Leather Shield"});
    name(db.Skills(), {"Heal", "Fire", "Ice"});
    name(db.Conditions(), {"Dead", "Poison", "Sleep"});
    name(db.Monsters(), {"Slime", "Bat", "Goblin"});
    name(db.MonGroups(), {"Slime*2"});
    name(db.Switches(), {"Door Open", "Met the King", "Bridge Fixed"});
    name(db.Variables(), {"Gold Found", "Steps", "Keys"});
    db.ChipSets().Find(1)->GraphicName = "Grassland";

    TQelMapTree tree;
    tree.AddNode(0, 0)->Name = "The Lost Crown";
    tree.AddMapNode(0, 1)->Name = "Green Fields";
    tree.AddMapNode(1, 2)->Name = "Old Mill";
    tree.AddMapNode(0, 3)->Name = "Crystal Cave";
    tree.ActiveID = 1;
    TQelMap map(1);
    AttachMapGraphics(map);
    map.Reset();
    map.SetWidth(40);
    map.SetHeight(30);
    for (auto& c : map.LowerLayer.Cells)
        c = 5000;
    map.ChipSetID = 1;
    map.ReloadChipSet();
    map.Events.FindOrCreate(1)->Name = "Guard";
    map.Events.FindOrCreate(2)->Name = "Chest";
    map.Events.FindOrCreate(3)->Name = "Old Man";
    map.SaveMap(1);
    for (int id : {2, 3}) {
        TQelMap other(id);
        other.Reset();
        other.ChipSetID = 1;
        other.SaveMap(id);
    }
    TQelEventItem edited(3);
    edited.Name = "Old Man";
    edited.X = 12;
    edited.Y = 9;

    TEvCmdContext context;
    context.EventID = 3;
    context.Event = &edited;
    context.Map = &map;
    context.MapTree = &tree;
    TQelMonGroupItem group(1);
    for (int i = 1; i <= 3; ++i)
        group.Members.FindOrCreate(i)->MonsterID = i;
    TEvCmdContext battle;
    battle.MonGroup = &group;

    auto dialogOf = [](int32_t code, const TEvCmdContext& c, std::vector<TQelEventScriptLine> lines) {
        auto dialog = CreateEvCmdDialog(code, nullptr);
        dialog->SetContext(c);
        for (const auto& line : lines)
            dialog->Lines().Add(line);
        return dialog;
    };
    {
        auto dialog = dialogOf(12010, context, {{12010, 0, "", {1, 2, 0, 10, 1, 1}}});
        shootDialog(*dialog, "fork-conditions-page1");
    }
    {
        auto dialog = dialogOf(12010, context, {{12010, 0, "", {5, 2, 2, 12, 0, 0}}});
        shootDialog(*dialog, "fork-conditions-page2");
    }
    {
        TFormEvCmdIf2 form(nullptr);
        form.SetCondition({4, "", 2});
        form.show();
        form.adjustSize();
        shoot(form, "hero-conditions");
    }
    {
        // Teleport is the place picker, opened at the edited event's cell.
        auto dialog = dialogOf(10810, context, {});
        QTimer::singleShot(0, [] {
            QWidget* picker = QApplication::activeModalWidget();
            if (!picker) return;
            shoot(*picker, "teleport");
            static_cast<QDialog*>(picker)->reject();
        });
        dialog->Run();
    }
    {
        auto dialog = dialogOf(11110, context,
                               {{11110, 0, "", {3, 0, 160, 120, 1, 100, 0, 1, 100, 100, 100, 100, 0, 0}}});
        QDir picture(rtp + "/Picture");
        const QStringList files = picture.entryList(QDir::Files);
        dialog->Lines().Line(0)->Text =
            files.isEmpty() ? "Sun" : QFileInfo(files.front()).completeBaseName().toStdString();
        shootDialog(*dialog, "show-pic");
    }
    {
        auto dialog = dialogOf(13110, battle, {{13110, 0, "", {1, 1, 0, 120, 1}}});
        shootDialog(*dialog, "change-enemy-hp");
    }
    // Every other window of the commands, new, alone.
    for (int32_t code : {10820, 10850, 10860, 10870, 10910, 11010, 11030, 11040, 11050, 11060, 11070, 11120,
                         11130, 11210, 11310, 11320, 11410, 11520, 11560, 11610, 11710, 11720, 11740, 11750,
                         11810, 11830, 11820, 12110, 12330, 13120, 13130, 13150, 13260, 13310}) {
        const bool inBattle = code >= 13000;
        auto dialog = dialogOf(code, inBattle ? battle : context, {});
        dialog->Open();
        dialog->show();
        dialog->adjustSize();
        settle();
        write(dialog->grab(), QStringLiteral("command-%1").arg(code));
        dialog->hide();
    }
    return gOk ? 0 : 1;
}
