// Writes the event editor, the command picker and the database window's common event page to PNG
// files, for looking at: a two-page event of the runtime package's material whose first page's
// script holds a message, a choice with its bodies and a fork, and a common event started by a
// switch, each at the size that fits an 800 x 600 screen and at a size for 1280 x 1024:
// event-editor-shots RTP_FOLDER OUT_FOLDER. Runs offscreen unless a platform is chosen.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "ScriptFixtures.h"
#include "data/LD_DataBase.h"
#include "data/LD_MapTree.h"
#include "dbedit/DataBaseForm.h"
#include "dbedit/ED_CommonEvent.h"
#include "eventedit/ED_Event.h"
#include "eventedit/EvCmdList.h"
#include "eventedit/ScriptList.h"
#include "mapedit_core/MapGraphics.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "project/ProjectDocument.h"
#include "records/ClipboardPort.h"
#include "ui_ED_Event.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

void settle() {
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
}

bool save(QWidget& window, const QString& file) {
    settle();
    const bool ok = window.grab().save(file);
    std::printf("%s %s\n", qPrintable(file), ok ? "written" : "FAILED");
    return ok;
}

void fillEvent(TQelEventItem& event) {
    event.ID = 5;
    event.Name = "Old Sage";
    TQelEventPageItem& first = *event.Pages.Find(1);
    first.CharName = "People1";
    first.CharIndex = 2;
    first.Priority = 1;
    first.AnimType = 1;
    first.MoveType = 1;
    first.MoveFrequency = 4;
    first.Condition.Flags = TQelEventCondition::cfSwitchA | TQelEventCondition::cfVariable;
    first.Condition.SwitchA = 2;
    first.Condition.VariableID = 1;
    first.Condition.VariableValue = 3;
    FillLines(first.Script, {
                                {10110, 0, "Welcome, traveller."},
                                {20110, 0, "Will you hear my tale?"},
                                {10140, 0, "Yes/No", {2}},
                                {20140, 0, "Yes", {0}},
                                {10110, 1, "Long ago, the gate was sealed."},
                                {10210, 1, "", {0, 2, 2, 0}},
                                {10, 1},
                                {20140, 0, "No", {1}},
                                {10110, 1, "Come back when you are ready."},
                                {10, 1},
                                {20141, 0},
                                {12010, 0, "", {0, 2, 0, 0, 0, 1}},
                                {10320, 1, "", {0, 0, 1, 0, 1}},
                                {11550, 1, "Chime", {100, 100, 50}},
                                {10, 1},
                                {22010, 0},
                                {11410, 1, "", {20}},
                                {10, 1},
                                {22011, 0},
                                {0, 0},
                            });
    TQelEventPageItem& second = *event.Pages.FindOrCreate(2);
    second.CharIndex = 14;
    second.Trigger = 1;
    second.Condition.Flags = TQelEventCondition::cfTimer;
    second.Condition.TimerSeconds = 90;
}

// A common event that runs in parallel while a switch is on.
void fillCommonEvents(TQelDataBase& db) {
    TQelDataBase::ResetList(db.CommonEvents(), 4);
    db.CommonEvents().Find(1)->Name = "Day and night";
    db.CommonEvents().Find(2)->Name = "Rain";
    db.CommonEvents().Find(3)->Name = "Save point";
    TQelCommonEventItem& rain = *db.CommonEvents().Find(2);
    rain.Trigger = 4;
    rain.UseSwitch = true;
    rain.SwitchID = 3;
    FillLines(rain.Script, {
                               {11070, 0, "", {1, 1}},
                               {12210, 0},
                               {11550, 1, "Rain", {80, 100, 50}},
                               {11410, 1, "", {30}},
                               {12010, 1, "", {0, 3, 1, 0, 0, 0}},
                               {11070, 2, "", {0, 0}},
                               {12220, 2},
                               {10, 2},
                               {22011, 1},
                               {10, 1},
                               {22210, 0},
                               {0, 0},
                           });
}

// The database window on the "Common Events" tab. Nothing is saved, so no project is needed.
bool commonEventShots(const QString& out) {
    TProjectDocument document;
    TQelDataBase& db = document.DataBase();
    TQelDataBase::ResetList(db.Switches(), 10);
    db.Switches().Find(3)->Name = "Rainy season";
    fillCommonEvents(db);
    bool ok = true;
    for (QSize size : {QSize(790, 560), QSize(1240, 940)}) {
        RememberedListPosition(ClipboardFormat::CommonEvents).Set({0, 1});
        TFormDataBase form(nullptr, document);
        form.resize(size);
        form.show();
        form.SetTabIndex(12);
        settle();
        if (auto* page = dynamic_cast<TFormEDCommonEvent*>(form.Page())) {
            page->ScriptList()->setFocus();
            QTest::mouseClick(page->ScriptList()->viewport(), Qt::LeftButton, {},
                              page->ScriptList()->RowRect(4).center());
        }
        ok &= save(form, out + QString("/common-event-page-%1x%2.png").arg(size.width()).arg(size.height()));
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    setenv("HOME", qPrintable(home.path()), 1);
    setenv("XDG_CONFIG_HOME", qPrintable(home.path() + "/config"), 1);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: event-editor-shots RTP_FOLDER OUT_FOLDER\n");
        return 2;
    }
    const QString rtp = IncludeTrailingPathDelimiter(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    SetProjectPath(home.path() + "/");
    SetRuntimePackagePath(rtp);
    InstallPlatformPorts();

    TQelDataBase db;
    db.ChipSets().Find(1)->GraphicName = "Grassland";
    TQelDataBase::ResetList(db.Switches(), 4);
    db.Switches().Find(2)->Name = "Gate open";
    db.Variables().Find(1)->Name = "Tales heard";
    db.Items().Find(1)->Name = "Potion";
    TQelMapTree tree;
    tree.AddNode(0, 0)->Name = "Game";
    tree.AddMapNode(0, 1)->Name = "Village";
    TQelMap map(1);
    AttachMapGraphics(map);
    map.Reset();
    map.ID = 1;
    map.ChipSetID = 1;
    map.ReloadChipSet();

    bool ok = true;
    for (QSize size : {QSize(790, 540), QSize(1240, 940)}) {
        TFormEDEvent editor(nullptr);
        editor.SetMapTree(&tree);
        editor.SetMap(&map);
        editor.SetEventID(5);
        fillEvent(editor.Event());
        editor.resize(size);
        editor.show();
        settle();
        // The fork selected, with the focus in the list.
        editor.ScriptList()->setFocus();
        QTest::mouseClick(editor.ScriptList()->viewport(), Qt::LeftButton, {},
                          editor.ScriptList()->RowRect(11).center());
        editor.PreviewTimerTick();
        const QString suffix = QString("-%1x%2.png").arg(size.width()).arg(size.height());
        ok &= save(editor, out + "/event-editor-page1" + suffix);
        editor.form()->TabPages->setCurrentIndex(1);
        ok &= save(editor, out + "/event-editor-page2" + suffix);
        editor.reject();
    }
    TFormEvCmdList picker(nullptr);
    LastMapCommandButton().Set(82);
    picker.show();
    ok &= save(picker, out + "/command-picker.png");
    picker.reject();
    ok &= commonEventShots(out);
    return ok ? 0 : 1;
}
