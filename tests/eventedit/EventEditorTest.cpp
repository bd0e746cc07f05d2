// The event editor on the map view: new and edited events reaching the map on OK and not on
// Cancel, pages, conditions, the graphic with its priority rule, the preview, the name, and the
// database saved or read back after a sub-dialog changed it.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "../mapedit/MapViewFixture.h"
#include "../pickers/PickerTestSupport.h"
#include "ModalHelper.h"
#include "ScriptFixtures.h"
#include "controls/HelpContext.h"
#include "controls/MessageBoxes.h"
#include "data/EventCommands.h"
#include "data/ScriptClipboard.h"
#include "eventedit/EvCmdList.h"
#include "eventedit/EventEditing.h"
#include "eventedit/ScriptEdit.h"
#include "eventedit/ScriptList.h"
#include "eventedit/commands/EvCmdWidgets.h"
#include "mapedit/MapSetPlace.h"
#include "pickers/SelEvChar.h"
#include "pickers/SelSwitch.h"
#include "ui_ED_Event.h"
#include "ui_SelSwitch.h"

namespace tarvel::test {
namespace {

// The database kept in a file, as the project keeps it; saving can be made to fail.
struct FileStore {
    TQelDataBase& db;
    std::string file;
    bool failing = false;
    int saves = 0, reloads = 0;

    explicit FileStore(TQelDataBase& database)
        : db(database), file((MakeTempFolder("db") + "/QUORIN.qdb").toStdString()) {}
    TDataBaseStore Store() {
        return {[this] {
                    if (failing) throw std::runtime_error("the disk is full");
                    ++saves;
                    db.SaveToFile(file);
                },
                [this] {
                    ++reloads;
                    db.LoadFromFile(file);
                }};
    }
};

struct EventEditorFixture {
    EditorFixture view{20, 15};
    FileStore store{view.data.db};
    std::unique_ptr<TFormEDEvent> editor;
    int stores = 0;

    EventEditorFixture() {
        ClearShownMessages();
        view.data.db.Switches().FindOrCreate(1)->Name = "Door";
        view.data.db.Switches().FindOrCreate(2)->Name = "Key";
        for (int id = 1; id <= 3; ++id) {
            view.data.db.Items().FindOrCreate(id)->Name = "Item" + std::to_string(id);
            view.data.db.Heroes().FindOrCreate(id)->Name = "Hero" + std::to_string(id);
        }
        view.data.db.SaveToFile(store.file);
    }
    // An editor on a copy of an event, not yet run.
    TFormEDEvent& open(const TQelEventItem& event) {
        editor = std::make_unique<TFormEDEvent>(&view.view);
        editor->SetMapTree(&view.tree);
        editor->SetMap(&view.map);
        editor->SetEventID(event.ID);
        editor->Event().Assign(event);
        editor->SetDataBaseStore(store.Store());
        editor->onStore = [this](const TQelEventItem&) { ++stores; };
        editor->show();
        return *editor;
    }
    Ui::TFormEDEvent& ui() { return *editor->form(); }
};

// Event 3, "Guard", of three pages; the second moves and shows a character, the third starts
// as a parallel process.
void FillThreePageEvent(TQelEventItem& event) {
    event.ID = 3;
    event.Name = "Guard";
    for (int page = 2; page <= 3; ++page)
        event.Pages.FindOrCreate(page);
    TQelEventPageItem& second = *event.Pages.Find(2);
    second.CharName = "Hero";
    second.CharIndex = 5;
    second.MoveType = 3;
    second.MoveFrequency = 7;
    second.Trigger = 2;
    second.Priority = 2;
    second.OverlapFlag = 1;
    second.AnimType = 4;
    second.MoveSpeed = 6;
    second.Condition.Flags = TQelEventCondition::cfSwitchA;
    FillLines(second.Script, {{11340, 0}, {0, 0}});
    event.Pages.Find(3)->Trigger = 4;
}

TEST(EventEditor, ANewEventReachesTheMapOnOkAndCancelLeavesTheMapAlone) {
    EventEditorFixture f;
    PlugEventEditor(f.view.view.EventManager(), &f.view.view, f.store.Store());
    f.view.view.SetMode(mmEvent);
    f.view.brush(10012, mmEvent);
    f.view.press(4, 5);
    f.view.release(4, 5);

    OnNextModal<TFormEDEvent>([](TFormEDEvent& editor) {
        Ui::TFormEDEvent& ui = *editor.form();
        EXPECT_EQ(editor.windowTitle(), "Event Editor - ID:0001");
        EXPECT_EQ(ui.EditName->text(), "EV0001");
        // A new event can be applied as it is; it shows the event brush's tile.
        EXPECT_TRUE(ui.ButtonApply->isEnabled());
        EXPECT_EQ(editor.Page()->CharIndex, 12);
        EXPECT_EQ(ui.TabPages->count(), 1);
        ui.EditName->selectAll();
        QTest::keyClicks(ui.EditName, "Chest");
        ui.ComboTrigger->setCurrentIndex(1);
        QTest::mouseClick(ui.ButtonOk, Qt::LeftButton);
    });
    QTest::mouseDClick(f.view.box(), Qt::LeftButton, {}, f.view.at(4, 5));
    f.view.release(4, 5);
    const TQelEventItem* event = f.view.map.Events.Find(1);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->Name, "Chest");
    EXPECT_EQ(event->X, 4);
    EXPECT_EQ(event->Y, 5);
    EXPECT_EQ(event->Pages.Find(1)->Trigger, 1);
    EXPECT_TRUE(f.view.map.Modified);
    EXPECT_EQ(f.view.view.EventMap().CellAt(4, 5), 1);

    // Edited again and cancelled: the map keeps what it had. Apply is off until something changes.
    f.view.map.Modified = false;
    OnNextModal<TFormEDEvent>([](TFormEDEvent& editor) {
        Ui::TFormEDEvent& ui = *editor.form();
        EXPECT_FALSE(ui.ButtonApply->isEnabled());
        QTest::keyClicks(ui.EditName, "XYZ");
        ui.ComboTrigger->setCurrentIndex(4);
        EXPECT_TRUE(ui.ButtonApply->isEnabled());
        QTest::mouseClick(ui.ButtonCancel, Qt::LeftButton);
    });
    f.view.key(Qt::Key_Return);
    EXPECT_EQ(f.view.map.Events.Find(1)->Name, "Chest");
    EXPECT_EQ(f.view.map.Events.Find(1)->Pages.Find(1)->Trigger, 1);
    EXPECT_FALSE(f.view.map.Modified);
    EXPECT_EQ(f.store.saves + f.store.reloads, 0);

    // Apply stores without closing; a later Cancel keeps what was applied.
    OnNextModal<TFormEDEvent>([](TFormEDEvent& editor) {
        Ui::TFormEDEvent& ui = *editor.form();
        ui.ComboSpeed->setCurrentIndex(5);
        QTest::mouseClick(ui.ButtonApply, Qt::LeftButton);
        EXPECT_FALSE(ui.ButtonApply->isEnabled());
        EXPECT_TRUE(editor.isVisible());
        ui.ComboSpeed->setCurrentIndex(0);
        editor.reject();
    });
    f.view.key(Qt::Key_Return);
    EXPECT_EQ(f.view.map.Events.Find(1)->Pages.Find(1)->MoveSpeed, 6);
}

TEST(EventEditor, NewPageOnPageTwoOfThree) {
    EventEditorFixture f;
    TQelEventItem event;
    FillThreePageEvent(event);
    TFormEDEvent& editor = f.open(event);
    ASSERT_EQ(f.ui().TabPages->count(), 3);
    f.ui().TabPages->setCurrentIndex(1);
    EXPECT_EQ(editor.PageNumber(), 2);
    EXPECT_EQ(f.ui().ComboMoveType->currentIndex(), 3);
    QTest::mouseClick(f.ui().ButtonNewPage, Qt::LeftButton);

    const TQelEventItem& edited = editor.Event();
    ASSERT_EQ(edited.Pages.Count(), 4);
    EXPECT_EQ(editor.PageNumber(), 3);
    EXPECT_EQ(f.ui().TabPages->count(), 4);
    EXPECT_EQ(f.ui().TabPages->currentIndex(), 2);
    const TQelEventPageItem& added = *edited.Pages.Find(3);
    EXPECT_EQ(added.CharName, "Hero");
    EXPECT_EQ(added.CharIndex, 5);
    EXPECT_EQ(added.MoveType, 3);
    EXPECT_EQ(added.MoveFrequency, 7);
    EXPECT_EQ(added.Trigger, 2);
    EXPECT_EQ(added.Priority, 2);
    EXPECT_EQ(added.OverlapFlag, 1);
    EXPECT_EQ(added.AnimType, 4);
    EXPECT_EQ(added.MoveSpeed, 6);
    EXPECT_EQ(added.Condition.Flags, 0);
    EXPECT_EQ(Shape(added.Script), (std::vector<std::string>{"0/0"}));
    // The old third page is the fourth now.
    EXPECT_EQ(edited.Pages.Find(4)->Trigger, 4);
    EXPECT_EQ(f.ui().ScriptList->Count(), 1);
    EXPECT_TRUE(f.ui().ButtonApply->isEnabled());
}

TEST(EventEditor, PagesCopyPasteDeleteAndTabKeys) {
    EventEditorFixture f;
    TQelEventItem event;
    FillThreePageEvent(event);
    TFormEDEvent& editor = f.open(event);
    EXPECT_FALSE(f.ui().ButtonPastePage->isEnabled());
    f.ui().TabPages->setCurrentIndex(1);
    QTest::mouseClick(f.ui().ButtonCopyPage, Qt::LeftButton);
    EXPECT_TRUE(f.ui().ButtonPastePage->isEnabled());
    f.ui().TabPages->setCurrentIndex(2);
    QTest::mouseClick(f.ui().ButtonPastePage, Qt::LeftButton);
    ASSERT_EQ(editor.PageCount(), 4);
    EXPECT_EQ(editor.PageNumber(), 4);
    EXPECT_EQ(editor.Page()->CharName, "Hero");
    EXPECT_EQ(Shape(editor.Page()->Script), (std::vector<std::string>{"11340/0", "0/0"}));
    EXPECT_EQ(editor.Page()->Condition.Flags, TQelEventCondition::cfSwitchA);

    // Ctrl+Tab and Shift+Ctrl+Tab go round the tabs.
    QTest::keyClick(f.ui().ScriptList, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(editor.PageNumber(), 1);
    QTest::keyClick(f.ui().ScriptList, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor.PageNumber(), 4);

    // Deleting the last page shows the one before; a single page cannot be deleted.
    QTest::mouseClick(f.ui().ButtonDeletePage, Qt::LeftButton);
    EXPECT_EQ(editor.PageCount(), 3);
    EXPECT_EQ(editor.PageNumber(), 3);
    f.ui().TabPages->setCurrentIndex(0);
    QTest::mouseClick(f.ui().ButtonDeletePage, Qt::LeftButton);
    QTest::mouseClick(f.ui().ButtonDeletePage, Qt::LeftButton);
    EXPECT_EQ(editor.PageCount(), 1);
    EXPECT_EQ(editor.Page()->Trigger, 4);
    EXPECT_FALSE(f.ui().ButtonDeletePage->isEnabled());
    EXPECT_EQ(f.ui().TabPages->count(), 1);
    // Ctrl+Tab with one tab stays.
    QTest::keyClick(f.ui().ScriptList, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(editor.PageNumber(), 1);
}

TEST(EventEditor, AHundredPagesAtMost) {
    EventEditorFixture f;
    TQelEventItem event(1);
    for (int page = 2; page <= TFormEDEvent::MaxPages; ++page)
        event.Pages.FindOrCreate(page);
    TQelEventPageItem().CopyToClipboard(ClipboardFormat::EventPage);
    TFormEDEvent& editor = f.open(event);
    EXPECT_EQ(f.ui().TabPages->count(), 100);
    EXPECT_FALSE(f.ui().ButtonNewPage->isEnabled());
    EXPECT_FALSE(f.ui().ButtonPastePage->isEnabled());
    editor.ButtonNewPageClick();
    editor.ButtonPastePageClick();
    EXPECT_EQ(editor.PageCount(), 100);
}

TEST(EventEditor, ConditionsEnableTheirControlsAndStoreTheirValues) {
    EventEditorFixture f;
    TQelEventItem event(2);
    TQelEventCondition& stored = event.Pages.Find(1)->Condition;
    stored.SwitchA = 2;
    stored.HeroID = 9; // no such hero: the list shows the first
    stored.TimerSeconds = 125;
    TFormEDEvent& editor = f.open(event);
    Ui::TFormEDEvent& ui = f.ui();
    TQelEventCondition& c = editor.Page()->Condition;
    EXPECT_FALSE(editor.BoxSwitchA()->isEnabled());
    EXPECT_EQ(editor.BoxSwitchA()->text(), "");

    QTest::mouseClick(ui.CheckSwitchA, Qt::LeftButton);
    EXPECT_EQ(c.Flags, TQelEventCondition::cfSwitchA);
    EXPECT_TRUE(editor.BoxSwitchA()->isEnabled());
    EXPECT_EQ(editor.BoxSwitchA()->text(), "0002:Key");
    EXPECT_TRUE(ui.ButtonApply->isEnabled());

    QTest::mouseClick(ui.CheckHero, Qt::LeftButton);
    EXPECT_EQ(editor.ComboHero()->currentIndex(), 0);
    editor.ComboHero()->setCurrentIndex(2);
    EXPECT_EQ(c.HeroID, 3);

    QTest::mouseClick(ui.CheckTimer, Qt::LeftButton);
    EXPECT_EQ(c.Flags,
              TQelEventCondition::cfSwitchA | TQelEventCondition::cfHero | TQelEventCondition::cfTimer);
    EXPECT_EQ(ui.SpinTimerMin->value(), 2);
    EXPECT_EQ(ui.SpinTimerSec->value(), 5);
    // Each box keeps the other's part.
    ui.SpinTimerMin->setValue(10);
    EXPECT_EQ(c.TimerSeconds, 605);
    ui.SpinTimerSec->setValue(59);
    EXPECT_EQ(c.TimerSeconds, 659);

    QTest::mouseClick(ui.CheckVariable, Qt::LeftButton);
    ui.SpinVariableValue->setValue(-999999);
    EXPECT_EQ(c.VariableValue, -999999);
    QTest::mouseClick(ui.CheckItem, Qt::LeftButton);
    editor.ComboItem()->setCurrentIndex(1);
    EXPECT_EQ(c.ItemID, 2);

    // Off again: the value stays, the controls go blank and disabled.
    QTest::mouseClick(ui.CheckSwitchA, Qt::LeftButton);
    EXPECT_FALSE(c.Flags & TQelEventCondition::cfSwitchA);
    EXPECT_EQ(c.SwitchA, 2);
    EXPECT_FALSE(editor.BoxSwitchA()->isEnabled());
}

TEST(EventEditor, ChangingTheGraphicFromATileToACharacterSet) {
    EventEditorFixture f;
    MaterialFolders folders;
    folders.Picture(false, "CharSet", "Hero",
                    MakePicture(288, 256, [](int x, int y) { return 1 + (x / 24 + y) % 200; }));
    TQelEventItem event(2);
    TQelEventPageItem& page = *event.Pages.Find(1);
    page.CharIndex = 7;
    page.Priority = 0;
    page.AnimType = 2;
    TFormEDEvent& editor = f.open(event);
    EXPECT_FALSE(f.ui().ComboAnimType->isEnabled());

    auto choose = [&](int row) {
        OnNextModal<TFormSelEvChar>([row](TFormSelEvChar& picker) {
            EXPECT_EQ(picker.windowTitle(), "Selet Graphics");
            picker.DataList()->setCurrentRow(row);
            picker.accept();
        });
        QTest::mouseClick(f.ui().ButtonSetGraphic, Qt::LeftButton);
    };
    choose(3); // the first character-set file after the three chip pages
    EXPECT_EQ(editor.Page()->CharName, "Hero");
    EXPECT_EQ(editor.Page()->Priority, 1);
    EXPECT_EQ(editor.Page()->AnimType, 0);
    EXPECT_TRUE(f.ui().ComboAnimType->isEnabled());
    EXPECT_EQ(f.ui().ComboPriority->currentIndex(), 1);
    // The preview shows the character: pixels other than the window's colour.
    const TPrismBoard& preview = editor.PreviewBoard();
    const uint16_t background = preview.Pixel(0, 0);
    bool drawn = false;
    for (int y = 0; y < preview.Height(); ++y)
        for (int x = 4; x < 52; ++x)
            drawn |= preview.Pixel(x, y) != background;
    EXPECT_TRUE(drawn);

    // Back to a tile: "Common Char Above" becomes "Common Char Below" again.
    f.ui().ComboAnimType->setCurrentIndex(3);
    choose(0);
    EXPECT_EQ(editor.Page()->CharName, "");
    EXPECT_EQ(editor.Page()->Priority, 0);
    EXPECT_EQ(editor.Page()->AnimType, 0);
    EXPECT_FALSE(f.ui().ComboAnimType->isEnabled());
}

TEST(EventEditor, PreviewAnimationFollowsTypeAndSpeed) {
    EXPECT_EQ(TFormEDEvent::PreviewInterval(1, 0), 266);
    EXPECT_EQ(TFormEDEvent::PreviewInterval(6, 4), 100);
    EXPECT_EQ(TFormEDEvent::PreviewInterval(1, 5), 400);
    EXPECT_EQ(TFormEDEvent::PreviewInterval(6, 5), 66);

    EventEditorFixture f;
    TQelEventItem event(2);
    TQelEventPageItem& page = *event.Pages.Find(1);
    page.CharName = "Hero";
    page.CharDir = 3;
    page.MoveSpeed = 2;
    TFormEDEvent& editor = f.open(event);
    EXPECT_EQ(editor.PreviewTimer().interval(), 200);
    editor.PreviewTimerTick();
    editor.PreviewTimerTick();
    EXPECT_EQ(editor.FrameCounter(), 2);
    // A spin starts from the way the page faces, and runs at its own pace.
    f.ui().ComboAnimType->setCurrentIndex(5);
    EXPECT_EQ(editor.FrameCounter(), 3);
    EXPECT_EQ(editor.PreviewTimer().interval(), 266);
    f.ui().ComboSpeed->setCurrentIndex(3);
    EXPECT_EQ(editor.PreviewTimer().interval(), 133);
}

TEST(EventEditor, TheNameIsShownInTheScriptOnceTheEditIsLeft) {
    EventEditorFixture f;
    f.view.map.Events.FindOrCreate(4)->Name = "Old";
    TQelEventItem event(4);
    event.Name = "Old";
    // A variable set from this event's map ID names the event.
    FillLines(event.Pages.Find(1)->Script, {{10220, 0, "", {0, 1, 1, 0, 6, 4, 0}}, {0, 0}});
    TFormEDEvent& editor = f.open(event);
    QApplication::setActiveWindow(&editor);
    EXPECT_TRUE(f.ui().ScriptList->Items()[0].contains("Old"));
    f.ui().EditName->setFocus();
    f.ui().EditName->selectAll();
    QTest::keyClicks(f.ui().EditName, "A very long name that will not fit");
    EXPECT_EQ(editor.Event().Name, "A very long name tha");
    EXPECT_TRUE(f.ui().ScriptList->Items()[0].contains("Old"));
    f.ui().ScriptList->setFocus();
    EXPECT_TRUE(f.ui().ScriptList->Items()[0].contains("A very long name tha"));
}

// Answers whatever the picker opens while one Insert runs: the picker gets the button chosen, a
// command dialog gets "&Ok" when it offers it, and anything else (a sub-picker, a message, the
// dialog a second time) is closed. Each turn of a modal loop takes one step, and every step
// schedules the next before it acts, so the steps go on inside the loops the actions open. The
// steps belong to the driver: none is left over once the Insert returned.
struct PickerDriver {
    QObject context;
    int position;
    bool chosen = false;
    int32_t dialogCode = 0;
    bool accepted = false;
    // A window other than the picker and a command dialog was closed.
    bool closedOther = false;
    QList<QWidget*> answered;

    explicit PickerDriver(int button) : position(button) { schedule(); }
    void schedule() {
        QTimer::singleShot(0, &context, [this] { step(); });
    }
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        schedule();
        if (auto* picker = qobject_cast<TFormEvCmdListBase*>(modal)) {
            if (chosen) {
                picker->reject();
                return;
            }
            chosen = true;
            QTest::mouseClick(picker->Button(position), Qt::LeftButton);
            return;
        }
        auto* dialog = qobject_cast<TFormEvCmdBase*>(modal);
        if (dialog && !answered.contains(modal)) {
            answered << modal;
            dialogCode = dialog->Code();
            QObject::connect(dialog, &QDialog::accepted, &context, [this] { accepted = true; });
            if (dialog->ButtonOk() && dialog->ButtonOk()->isEnabled()) {
                dialog->ButtonOk()->click();
                return;
            }
        }
        if (!dialog) closedOther = true;
        if (auto* other = qobject_cast<QDialog*>(modal))
            other->reject();
        else
            modal->close();
    }
};

// Every command the picker offers is inserted through the dialog the command family registers for
// its code: a command without a window at once, a dialog's OK as whole commands at the caret.
TEST(EventEditor, EveryCommandOfThePickerRunsItsRegisteredDialog) {
    EventEditorFixture f;
    // The place pickers read the project's maps.
    SetProjectPath(MakeTempFolder("project") + "/");
    f.view.map.SaveMap(1);
    TQelEventItem event(3);
    event.Name = "Guard";
    TFormEDEvent& editor = f.open(event);
    QApplication::setActiveWindow(&editor);
    TScriptListBox* list = f.ui().ScriptList;
    const TQelEventScriptList& script = editor.Event().Pages.Find(1)->Script;
    int inserted = 0;
    for (int position = 0; position < PickerButtonCount(TCommandPicker::Map); ++position) {
        const int32_t code = PickerButtonCode(TCommandPicker::Map, position);
        if (!HasEvCmdDialog(code)) continue;
        SCOPED_TRACE(code);
        ClearShownMessages();
        // Inserted before the end line.
        const int at = script.Count() - 1;
        list->setFocus();
        list->SetItemIndex(at);
        LastMapCommandButton().Set(position);
        const int before = script.Count();
        {
            PickerDriver driver(position);
            QTest::keyClick(list, Qt::Key_Return);
            EXPECT_TRUE(driver.chosen);
            if (driver.dialogCode != 0) EXPECT_EQ(driver.dialogCode, code) << "the dialog of another code";
            const bool expectLines = driver.dialogCode != 0 ? driver.accepted : !driver.closedOther;
            if (!expectLines) {
                EXPECT_EQ(script.Count(), before) << "a cancelled dialog leaves the script alone";
                continue;
            }
        }
        ASSERT_GT(script.Count(), before);
        EXPECT_EQ(script.Line(at)->Code, code);
        EXPECT_EQ(script.Line(at)->Indent, 0);
        TQelEventScriptList lines;
        for (int i = at; i < at + script.Count() - before; ++i)
            lines.Add(*script.Line(i));
        EXPECT_TRUE(IsWholeCommandRun(lines));
        EXPECT_EQ(script.Line(script.Count() - 1)->Code, 0);
        ++inserted;
    }
    EXPECT_GT(inserted, 0);
    // The list shows what the script holds, and OK stores it.
    ASSERT_EQ(list->Count(), script.Count());
    for (int i = 0; i < script.Count(); ++i)
        EXPECT_EQ(list->Items()[i].toStdString(), editor.Converter().DescribeLine(*script.Line(i)));
    f.ui().ButtonOk->click();
    EXPECT_EQ(f.stores, 1);
    SetProjectPath({});
}

TEST(EventEditor, ASwitchRenamedInAPickerIsSavedOnOkAndLostOnCancel) {
    auto renameSwitchOne = [](TFormEDEvent& editor) {
        OnNextModal<TFormSelSwitch>([](TFormSelSwitch& picker) {
            picker.form()->EditName->setText("Gate");
            QTest::keyClicks(picker.form()->EditName, "!");
            picker.ButtonOkClick();
        });
        QTest::mouseClick(editor.form()->CheckSwitchA, Qt::LeftButton);
        QTest::mouseClick(editor.BoxSwitchA(), Qt::LeftButton);
    };
    {
        // Cancel reads the database back: the rename is gone with the event's changes.
        EventEditorFixture f;
        TFormEDEvent& editor = f.open(TQelEventItem(2));
        LastSwitchID().Set(1);
        renameSwitchOne(editor);
        EXPECT_EQ(f.view.data.db.Switches().Find(1)->Name, "Gate!");
        EXPECT_TRUE(editor.DataBaseChangePending());
        EXPECT_EQ(editor.BoxSwitchA()->text(), "0001:Gate!");
        editor.reject();
        EXPECT_EQ(f.store.reloads, 1);
        EXPECT_EQ(f.stores, 0);
        EXPECT_EQ(f.view.data.db.Switches().Find(1)->Name, "Door");
    }
    {
        // OK while the database cannot be saved: the user is told, nothing is stored and the
        // editor stays open with its edits; once saving works OK stores both.
        EventEditorFixture f;
        TFormEDEvent& editor = f.open(TQelEventItem(2));
        LastSwitchID().Set(1);
        renameSwitchOne(editor);
        f.store.failing = true;
        QTest::mouseClick(f.ui().ButtonOk, Qt::LeftButton);
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(f.stores, 0);
        ASSERT_EQ(ShownMessages().size(), 1);
        EXPECT_TRUE(ShownMessages().back().contains("the disk is full"));
        EXPECT_TRUE(editor.DataBaseChangePending());
        EXPECT_EQ(editor.Page()->Condition.Flags, TQelEventCondition::cfSwitchA);

        f.store.failing = false;
        QTest::mouseClick(f.ui().ButtonOk, Qt::LeftButton);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(f.stores, 1);
        EXPECT_EQ(f.store.saves, 1);
        EXPECT_EQ(f.store.reloads, 0);
        TQelDataBase fromFile;
        fromFile.LoadFromFile(f.store.file);
        EXPECT_EQ(fromFile.Switches().Find(1)->Name, "Gate!");
    }
}

TEST(EventEditor, AnEventWithoutPagesGetsOne) {
    EventEditorFixture f;
    TQelEventItem event(2);
    event.Pages.Clear();
    TFormEDEvent& editor = f.open(event);
    EXPECT_EQ(editor.PageCount(), 1);
    EXPECT_EQ(f.ui().TabPages->count(), 1);
    EXPECT_EQ(f.ui().ScriptList->Count(), 1);
    QTest::mouseClick(f.ui().ButtonNewPage, Qt::LeftButton);
    EXPECT_EQ(editor.PageCount(), 2);
}

TEST(EventEditor, HelpOpensItsPage) {
    EventEditorFixture f;
    TFormEDEvent& editor = f.open(TQelEventItem(2));
    QTest::mouseClick(f.ui().ButtonHelp, Qt::LeftButton);
    EXPECT_EQ(LastHelpContext(), 201);
    ShowHelpContext(nullptr, 0);
    QTest::keyClick(&editor, Qt::Key_F1);
    EXPECT_EQ(LastHelpContext(), 201);
}

TEST(EventEditor, CreateRouteWaitsForTheRouteEditor) {
    EventEditorFixture f;
    TQelEventItem event(2);
    event.Pages.Find(1)->MoveType = 6;
    f.open(event);
    EXPECT_FALSE(f.ui().ButtonCreateRoute->isEnabled());
    EXPECT_TRUE(f.ui().ComboFrequency->isEnabled());
    f.ui().ComboMoveType->setCurrentIndex(0);
    EXPECT_FALSE(f.ui().ComboFrequency->isEnabled());

    int runs = 0;
    SetMoveRouteEditorRunner([&](QWidget*, TQelEventPageItem& page, bool&) {
        ++runs;
        page.MoveFrequency = 8;
        return true;
    });
    TFormEDEvent& editor = f.open(event);
    EXPECT_TRUE(f.ui().ButtonCreateRoute->isEnabled());
    QTest::mouseClick(f.ui().ButtonCreateRoute, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(editor.Page()->MoveFrequency, 8);
    EXPECT_EQ(f.ui().ComboFrequency->currentIndex(), 7);
    f.ui().ComboMoveType->setCurrentIndex(5);
    EXPECT_FALSE(f.ui().ButtonCreateRoute->isEnabled());
    SetMoveRouteEditorRunner(nullptr);
}

TEST(EventEditor, QuickTeleportEvent) {
    EventEditorFixture f;
    // The place picker reads the project's maps.
    SetProjectPath(MakeTempFolder("project") + "/");
    f.view.map.SaveMap(1);
    PlugEventEditor(f.view.view.EventManager(), &f.view.view, f.store.Store());
    f.view.view.SetMode(mmEvent);
    f.view.press(6, 7);
    f.view.release(6, 7);
    f.view.view.UpdateEventMenu();
    ASSERT_TRUE(f.view.view.Menu_MapEvent_Move->isEnabled());
    OnNextModal<TFormMapSetPlace>([](TFormMapSetPlace& picker) {
        // It starts on this map at the event's cell.
        EXPECT_EQ(picker.MapID(), 1);
        EXPECT_EQ(picker.Position(), (TPoint{6, 7}));
        picker.View()->SetPosition({10, 2});
        picker.accept();
    });
    f.view.view.Menu_MapEvent_Move->trigger();
    const TQelEventItem* event = f.view.map.Events.Find(1);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->Name, "EV0001");
    EXPECT_EQ(event->X, 6);
    EXPECT_EQ(event->Y, 7);
    const TQelEventPageItem& page = *event->Pages.Find(1);
    EXPECT_EQ(page.Trigger, 1);
    EXPECT_EQ(Shape(page.Script), (std::vector<std::string>{"11010/0", "10810/0", "11020/0", "0/0"}));
    EXPECT_EQ(page.Script.Line(0)->Params, (std::vector<int32_t>{-1}));
    EXPECT_EQ(page.Script.Line(1)->Params, (std::vector<int32_t>{1, 10, 2}));
    EXPECT_EQ(f.view.view.EventMap().CellAt(6, 7), 1);

    // Cancelled: nothing is added.
    f.view.press(8, 8);
    f.view.release(8, 8);
    OnNextModal<TFormMapSetPlace>([](TFormMapSetPlace& picker) { picker.reject(); });
    f.view.view.Menu_MapEvent_Move->trigger();
    EXPECT_EQ(f.view.map.Events.Count(), 1);
    SetProjectPath({});
}

TEST(EventEditor, StoreEditedPutsTheCopyOnItsCell) {
    EventEditorFixture f;
    TQelEventManager& manager = f.view.view.EventManager();
    int changes = 0;
    manager.onChange = [&] { ++changes; };
    TQelEventItem copy(9);
    copy.Name = "Copy";
    copy.X = copy.Y = 0;
    manager.StoreEdited(copy, 3, 2);
    ASSERT_NE(f.view.map.Events.Find(9), nullptr);
    EXPECT_EQ(f.view.map.Events.Find(9)->Name, "Copy");
    EXPECT_EQ(f.view.map.Events.Find(9)->X, 3);
    EXPECT_EQ(f.view.map.Events.Find(9)->Y, 2);
    copy.Name = "Again";
    manager.StoreEdited(copy, 3, 2);
    EXPECT_EQ(f.view.map.Events.Count(), 1);
    EXPECT_EQ(f.view.map.Events.Find(9)->Name, "Again");
    EXPECT_EQ(changes, 2);
}

} // namespace
} // namespace tarvel::test
