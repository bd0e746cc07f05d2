// Editing a script through its list: the pop-up menu's rules, insert and edit through the command
// picker, cut, copy, paste (with the filters of each kind of script and damaged blocks), delete and
// select all, keeping the list's texts in step with the script.
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "ModalHelper.h"
#include "ScriptFixtures.h"
#include "controls/MessageBoxes.h"
#include "data/EventCommands.h"
#include "data/LD_DataBase.h"
#include "data/ScriptClipboard.h"
#include "eventedit/EvCmdList.h"
#include "eventedit/ScriptEdit.h"
#include "eventedit/ScriptList.h"
#include "records/ClipboardPort.h"

namespace tarvel::test {
namespace {

using Range = std::pair<int, int>;

struct EditFixture {
    TQelDataBase db;
    MemoryClipboard clipboard;
    QDialog host;
    TQelEventScriptList script;
    TEventScriptConverter converter;
    TScriptListBox* list;
    TScriptEditor* editor;
    int changes = 0;

    explicit EditFixture(TScriptKind kind = TScriptKind::MapEvent) {
        SetClipboardPort(&clipboard);
        ClearShownMessages();
        list = new TScriptListBox(&host);
        auto* layout = new QVBoxLayout(&host);
        layout->addWidget(list);
        editor = new TScriptEditor(list, kind, &host);
        editor->SetConverter(&converter);
        QObject::connect(editor, &TScriptEditor::changed, [this] { ++changes; });
        FillSampleScript(script);
        editor->SetScript(&script);
        host.resize(500, 600);
        host.show();
        QApplication::setActiveWindow(&host);
        list->setFocus();
    }
    ~EditFixture() { SetClipboardPort(nullptr); }

    void click(int row, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->RowRect(row).center());
    }
    void key(Qt::Key k, Qt::KeyboardModifiers keys = {}) { QTest::keyClick(list, k, keys); }
    Range selection() const { return {list->SelStart(), list->SelEnd()}; }
    // The list shows exactly the script's lines as the renderer writes them.
    void expectInStep() const {
        QStringList texts;
        for (const std::string& text : converter.DescribeScript(script))
            texts << QString::fromStdString(text);
        EXPECT_EQ(list->Items(), texts);
    }
    // Which menu entries are enabled: insert, edit, cut, copy, paste, delete, select all.
    std::string menuState() {
        editor->UpdateMenu();
        std::string state;
        for (QAction* a :
             {editor->Menu_EventCommand_Insert, editor->Menu_EventCommand_Edit, editor->Menu_EventCommand_Cut,
              editor->Menu_EventCommand_Copy, editor->Menu_EventCommand_Paste,
              editor->Menu_EventCommand_Delete, editor->Menu_EventCommand_SelectAll})
            state += a->isEnabled() ? '1' : '0';
        return state;
    }
};

// Chooses a command in the picker that the next Insert opens.
void ChooseInPicker(int32_t code) {
    OnNextModal<TFormEvCmdListBase>([code](TFormEvCmdListBase& picker) {
        QAbstractButton* button = picker.Button(PickerButtonOf(picker.Picker(), code));
        ASSERT_TRUE(button && button->isEnabled());
        if (auto* tabs = picker.findChild<QTabWidget*>())
            tabs->setCurrentIndex(PickerButtonOf(picker.Picker(), code) / 30);
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

TEST(ScriptEdit, MenuRules) {
    EditFixture f;
    f.clipboard.set(ClipboardFormat::EventCommands, ScriptLinesBlock(f.script));
    f.click(3); // a branch label: only Select All
    EXPECT_EQ(f.menuState(), "0000001");
    f.click(22); // a one-line command with a dialog
    EXPECT_EQ(f.menuState(), "1111111");
    f.click(6); // the empty line of a body: insert and paste there, nothing else
    EXPECT_EQ(f.menuState(), "1000101");
    f.click(15);
    f.click(22, Qt::ShiftModifier); // two commands: no insert, no edit
    EXPECT_EQ(f.menuState(), "0011111");
    f.click(0); // a message, whose dialog does not exist here: nothing to edit it with
    EXPECT_EQ(f.menuState(), HasEvCmdDialog(10110) ? "1111111" : "1011111");
    f.clipboard.clear();
    f.click(22);
    EXPECT_EQ(f.menuState(), "1111011");

    // A script of its end line alone.
    FillLines(f.script, {{0, 0}});
    f.editor->Reload();
    f.click(0);
    EXPECT_EQ(f.selection(), Range(0, 0));
    EXPECT_EQ(f.menuState(), "1000000");
}

TEST(ScriptEdit, InsertThroughThePicker) {
    EditFixture f;
    LastMapCommandButton().Set(PickerButtonOf(TCommandPicker::Map, 11340));
    f.click(22);
    // The picker opens on the page and button chosen last.
    OnNextModal<TFormEvCmdListBase>([](TFormEvCmdListBase& picker) {
        EXPECT_EQ(picker.windowTitle(), "Event Commands");
        EXPECT_EQ(picker.CurrentPage(), 1);
        EXPECT_EQ(picker.focusWidget(), picker.Button(PickerButtonOf(TCommandPicker::Map, 11340)));
        // A command whose dialog does not exist cannot be chosen.
        for (int i = 0; i < picker.ButtonCount(); ++i)
            EXPECT_EQ(picker.Button(i)->isEnabled(),
                      HasEvCmdDialog(PickerButtonCode(TCommandPicker::Map, i)));
        QTest::mouseClick(picker.Button(PickerButtonOf(TCommandPicker::Map, 12420)), Qt::LeftButton);
    });
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.script.Line(22)->Code, 12420);
    EXPECT_EQ(f.script.Line(23)->Code, 11340);
    // After a one-line command the caret is back on the line selected before.
    EXPECT_EQ(f.list->ItemIndex(), 23);
    EXPECT_EQ(LastMapCommandButton().Value(), PickerButtonOf(TCommandPicker::Map, 12420));
    EXPECT_EQ(f.changes, 1);
    f.expectInStep();

    // A block into a body: it takes the body's depth, and the caret goes into its own body.
    f.click(6);
    ChooseInPicker(12210);
    f.key(Qt::Key_Return);
    EXPECT_EQ(Shape(f.script)[6], "12210/2");
    EXPECT_EQ(Shape(f.script)[7], "10/3");
    EXPECT_EQ(Shape(f.script)[8], "22210/2");
    EXPECT_EQ(Shape(f.script)[9], "10/2");
    EXPECT_EQ(f.list->ItemIndex(), 7);
    f.expectInStep();

    // Cancel in the picker changes nothing; a double-click inserts like Enter.
    OnNextModal<TFormEvCmdListBase>([](TFormEvCmdListBase& picker) { picker.reject(); });
    QTest::mouseDClick(f.list->viewport(), Qt::LeftButton, {}, f.list->RowRect(2).center());
    EXPECT_EQ(f.script.Count(), 28);
    EXPECT_EQ(f.changes, 2);
}

TEST(ScriptEdit, EditReplacesTheCommandAndKeepsItsBody) {
    EditFixture f;
    FillLines(f.script, {{11340, 0}, {12210, 0}, {10110, 1, "Inside"}, {10, 1}, {22210, 0}, {0, 0}});
    f.editor->Reload();
    f.click(1);
    EXPECT_EQ(f.selection(), Range(1, 4));
    f.key(Qt::Key_Space);
    EXPECT_EQ(Shape(f.script),
              (std::vector<std::string>{"11340/0", "12210/0", "10110/1", "10/1", "22210/0", "0/0"}));
    EXPECT_EQ(f.script.Line(2)->Text, "Inside");
    EXPECT_EQ(f.changes, 1);
    f.expectInStep();
}

TEST(ScriptEdit, CutAndPasteABlockKeepsItsInnerIndents) {
    EditFixture f;
    f.click(15);
    f.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.script.Count(), 17);
    EXPECT_EQ(f.script.Line(15)->Code, 11340);
    EXPECT_EQ(f.list->ItemIndex(), 15);
    EXPECT_EQ(f.selection(), Range(15, 15));
    f.expectInStep();

    // Into the second choice's body, one level deeper than it was.
    f.click(13);
    f.key(Qt::Key_V, Qt::ControlModifier);
    const std::vector<std::string> shape = Shape(f.script);
    EXPECT_EQ(std::vector<std::string>(shape.begin() + 13, shape.begin() + 21),
              (std::vector<std::string>{"12010/1", "12010/2", "10110/3", "10/3", "22011/2", "10/2", "22011/1",
                                        "10/1"}));
    EXPECT_EQ(f.script.Line(15)->Text, "Inner");
    // The caret stays on the line it was on.
    EXPECT_EQ(f.list->ItemIndex(), 20);
    EXPECT_EQ(f.changes, 2);
    f.expectInStep();

    // Copy leaves the script alone; the copy pastes again.
    f.click(13);
    f.key(Qt::Key_C, Qt::ControlModifier);
    f.click(0);
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shape(f.script)[0], "12010/0");
    EXPECT_EQ(Shape(f.script)[3], "10/2");
    EXPECT_EQ(f.script.Count(), 31);
    f.expectInStep();
}

TEST(ScriptEdit, PasteFiltersWhatTheScriptCannotHold) {
    EditFixture f(TScriptKind::CommonEvent);
    TQelEventScriptList battle;
    FillLines(battle, {{13110, 0, "", {0, 0, 0, 5}},
                       {13310, 0, "", {2, 1, 0, 0, 0, 0}},
                       {10110, 1, "Ouch"},
                       {10, 1},
                       {23311, 0},
                       {12420, 0}});
    f.clipboard.set(ClipboardFormat::EventCommands, ScriptLinesBlock(battle));
    f.click(22);
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.script.Count(), 25);
    EXPECT_EQ(f.script.Line(22)->Code, 12420);
    EXPECT_EQ(f.changes, 1);
    f.expectInStep();

    // Nothing left after the filter: nothing inserted, the change still reported.
    FillLines(battle, {{13410, 0}});
    f.clipboard.set(ClipboardFormat::EventCommands, ScriptLinesBlock(battle));
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.script.Count(), 25);
    EXPECT_EQ(f.changes, 2);
}

TEST(ScriptEdit, ADamagedBlockPastesNothingAndSaysSo) {
    EditFixture f;
    TQelEventScriptList broken;
    FillLines(broken, {{12010, 0, "", {0, 1, 0, 0, 0, 0}}, {11340, 1}, {10, 1}}); // no end line
    f.clipboard.set(ClipboardFormat::EventCommands, ScriptLinesBlock(broken));
    f.click(22);
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.script.Count(), 24);
    EXPECT_EQ(f.changes, 0);
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_EQ(ShownMessages().back(), QString::fromUtf8(TScriptEditor::DamagedPasteText));

    // Bytes cut short.
    std::vector<uint8_t> block = ScriptLinesBlock(f.script);
    block.resize(block.size() - 3);
    f.clipboard.set(ClipboardFormat::EventCommands, block);
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.script.Count(), 24);
    EXPECT_EQ(ShownMessages().size(), 2);
    f.expectInStep();
}

TEST(ScriptEdit, DeleteAndSelectAll) {
    EditFixture f;
    f.click(2);
    f.key(Qt::Key_Delete);
    EXPECT_EQ(f.script.Count(), 11);
    // The command now at the place is selected.
    EXPECT_EQ(f.selection(), Range(2, 8));
    EXPECT_EQ(f.script.Line(2)->Code, 12010);
    f.expectInStep();

    f.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f.selection(), Range(0, 9));
    f.key(Qt::Key_Delete);
    EXPECT_EQ(Shape(f.script), (std::vector<std::string>{"0/0"}));
    EXPECT_EQ(f.selection(), Range(0, 0));
    // The end line is never deleted.
    f.key(Qt::Key_Delete);
    EXPECT_EQ(f.script.Count(), 1);
    f.expectInStep();
}

TEST(ScriptEdit, TheMenuOpensWithItsRules) {
    EditFixture f;
    f.click(3);
    QTest::mouseClick(f.list->viewport(), Qt::RightButton, {}, f.list->RowRect(3).center());
    QMenu* menu = f.editor->Menu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(f.editor->Menu_EventCommand_Insert->isEnabled());
    EXPECT_TRUE(f.editor->Menu_EventCommand_SelectAll->isEnabled());
    menu->hide();
    // The context-menu key opens it at the list's corner.
    f.click(22);
    QContextMenuEvent keyMenu(QContextMenuEvent::Keyboard, QPoint(0, 0), f.list->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(f.list, &keyMenu);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(f.editor->Menu_EventCommand_Delete->isEnabled());
    f.editor->Menu_EventCommand_Delete->trigger();
    menu->hide();
    EXPECT_EQ(f.script.Line(22)->Code, 0);
    f.expectInStep();
}

TEST(ScriptEdit, BattleScriptsUseTheBattlePicker) {
    EditFixture f(TScriptKind::BattleEvent);
    f.click(22);
    OnNextModal<TFormEvCmdListBase>([](TFormEvCmdListBase& picker) {
        EXPECT_TRUE(qobject_cast<TFormEvCmdList2*>(&picker));
        EXPECT_EQ(picker.ButtonCount(), 30);
        EXPECT_EQ(picker.Button(29)->text(), " Stop Combat...");
        QTest::mouseClick(picker.Button(29), Qt::LeftButton);
    });
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.script.Line(22)->Code, 13410);
    // A map command in a battle script has nothing to edit it with.
    f.click(23);
    EXPECT_EQ(f.script.Line(23)->Code, 11340);
    EXPECT_EQ(f.menuState(), "1011011");
}

} // namespace
} // namespace tarvel::test
