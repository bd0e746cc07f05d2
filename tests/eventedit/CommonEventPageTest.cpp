// The "Common Events" page in the database window of a project: start condition and switch with
// their enabling, the script edited through the picker and the clipboard with the common-event
// filter, and all of it reaching the database file on OK.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "../dbedit/DataBaseFixture.h"
#include "ScriptFixtures.h"
#include "data/ScriptClipboard.h"
#include "dbedit/ED_CommonEvent.h"
#include "eventedit/EvCmdList.h"
#include "eventedit/ScriptEdit.h"
#include "eventedit/ScriptList.h"
#include "pickers/SelSwitch.h"
#include "ui_ED_CommonEvent.h"
#include "ui_SelSwitch.h"

namespace tarvel::test {
namespace {

constexpr int CommonEventTab = 12;

struct CommonEventFixture : DataBaseProject {
    TFormEDCommonEvent* page = nullptr;

    CommonEventFixture() {
        TQelDataBase::ResetList(db().Switches(), 30);
        db().Switches().Find(3)->Name = "Night";
        TQelDataBase::ResetList(db().CommonEvents(), 3);
        db().CommonEvents().Find(2)->Name = "Second";
        document.SaveDataBase();
        open(CommonEventTab);
        page = dynamic_cast<TFormEDCommonEvent*>(form->Page());
    }
    Ui::TFormEDCommonEvent& ui() { return *page->form(); }
    TQelCommonEventItem& current() { return *page->Current(); }
    void clickLine(int row) {
        TScriptListBox* list = page->ScriptList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->RowRect(row).center());
    }
};

TEST(CommonEventPage, StartConditionScriptAndSwitchReachTheDatabaseFile) {
    CommonEventFixture f;
    ASSERT_NE(f.page, nullptr);
    EXPECT_EQ(f.page->DataList()->count(), 3);
    f.page->DataList()->setCurrentRow(1);
    EXPECT_EQ(f.page->EditName()->text(), "Second");
    // A new common event is called from other scripts: no switch to set.
    EXPECT_EQ(f.ui().ComboTrigger->currentText(), "Call");
    EXPECT_FALSE(f.ui().GroupSwitch->isEnabled());

    f.ui().ComboTrigger->setCurrentIndex(1);
    EXPECT_EQ(f.current().Trigger, TFormEDCommonEvent::TriggerAutoStart);
    EXPECT_TRUE(f.ui().GroupSwitch->isEnabled());
    EXPECT_FALSE(f.ui().BoxSwitch->isEnabled());
    QTest::mouseClick(f.ui().CheckSwitch, Qt::LeftButton);
    EXPECT_TRUE(f.current().UseSwitch);
    EXPECT_TRUE(f.ui().BoxSwitch->isEnabled());
    OnNextModal<TFormSelSwitch>([](TFormSelSwitch* picker) {
        picker->form()->DataList->setCurrentRow(2);
        picker->ButtonOkClick();
    });
    QTest::mouseClick(f.ui().BoxSwitch, Qt::LeftButton);
    EXPECT_EQ(f.current().SwitchID, 3);
    EXPECT_EQ(f.ui().BoxSwitch->text(), "0003:Night");

    // A command through the picker, opened on the list with Enter.
    f.clickLine(0);
    OnNextModal<TFormEvCmdListBase>([](TFormEvCmdListBase* picker) {
        QTest::mouseClick(picker->Button(PickerButtonOf(TCommandPicker::Map, 12420)), Qt::LeftButton);
    });
    QTest::keyClick(f.page->ScriptList(), Qt::Key_Return);
    EXPECT_EQ(f.page->ScriptList()->Items()[0], "<>Game Over     ");
    EXPECT_TRUE(f.form->ButtonApply()->isEnabled());

    f.page->EditName()->selectAll();
    QTest::keyClicks(f.page->EditName(), "Nightfall of the long dark winter");
    f.close(true);

    TQelDataBase saved;
    saved.LoadFromFile(f.dataBaseFile().toStdString());
    const TQelCommonEventItem& stored = *saved.CommonEvents().Find(2);
    EXPECT_EQ(stored.Name, "Nightfall of the lon");
    EXPECT_EQ(stored.Trigger, TFormEDCommonEvent::TriggerAutoStart);
    EXPECT_TRUE(stored.UseSwitch);
    EXPECT_EQ(stored.SwitchID, 3);
    EXPECT_EQ(Shape(stored.Script), (std::vector<std::string>{"12420/0", "0/0"}));
}

TEST(CommonEventPage, CallKeepsTheSwitchAndAMissingSwitchShowsNothing) {
    CommonEventFixture f;
    TQelCommonEventItem& record = *f.db().CommonEvents().Find(1);
    record.Trigger = TFormEDCommonEvent::TriggerParallel;
    record.UseSwitch = true;
    record.SwitchID = 31; // beyond the 30 switches
    f.page->ReloadRecord();
    EXPECT_EQ(f.ui().ComboTrigger->currentText(), "Parallel Process");
    EXPECT_TRUE(f.ui().CheckSwitch->isChecked());
    EXPECT_TRUE(f.ui().BoxSwitch->isEnabled());
    EXPECT_EQ(f.ui().BoxSwitch->text(), "");

    f.ui().ComboTrigger->setCurrentIndex(0);
    EXPECT_FALSE(f.ui().GroupSwitch->isEnabled());
    EXPECT_TRUE(record.UseSwitch);
    EXPECT_EQ(record.SwitchID, 31);

    // A stored start condition no row stands for leaves the row as it was.
    record.Trigger = 9;
    f.page->ReloadRecord();
    EXPECT_EQ(f.ui().ComboTrigger->currentText(), "Call");
    EXPECT_EQ(record.Trigger, 9);
}

TEST(CommonEventPage, PasteLeavesOutBattleCommandsWithTheirBodies) {
    CommonEventFixture f;
    TQelEventScriptList battle;
    FillLines(battle, {{13110, 0, "", {0, 0, 0, 5}},
                       {13310, 0, "", {3, 0, 0, 0, 0, 1}},
                       {10110, 1, "Struck"},
                       {10, 1},
                       {23310, 0},
                       {11410, 1, "", {5}},
                       {10, 1},
                       {23311, 0},
                       {10110, 0, "After the battle"}});
    f.clipboard.set(ClipboardFormat::EventCommands, ScriptLinesBlock(battle));
    f.clickLine(0);
    QTest::keyClick(f.page->ScriptList(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shape(f.current().Script), (std::vector<std::string>{"10110/0", "0/0"}));
    EXPECT_EQ(f.page->ScriptList()->Count(), 2);
    EXPECT_TRUE(f.form->ButtonApply()->isEnabled());

    // Another record shows its own script; coming back shows this one again.
    f.page->DataList()->setCurrentRow(2);
    EXPECT_EQ(f.page->ScriptList()->Count(), 1);
    f.page->DataList()->setCurrentRow(0);
    EXPECT_EQ(f.page->ScriptList()->Items()[0], "<>Messg:After the battle");
    // Cancel drops it all: the file never had it.
    f.close(false);
    EXPECT_EQ(f.db().CommonEvents().Find(1)->Script.Count(), 1);
}

} // namespace
} // namespace tarvel::test
