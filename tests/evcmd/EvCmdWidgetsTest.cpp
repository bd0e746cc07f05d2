#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "EvCmdTestSupport.h"
#include "eventedit/commands/EvCmdWidgets.h"
#include "pickers/SelSwitch.h"
#include "ui_SelSwitch.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

QStringList rows(const QComboBox& combo) {
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i) + "=" + combo.itemData(i).toString();
    return out;
}

// Picks an ID in the open switch or variable picker, optionally renaming it first, then OK or
// Cancel.
void pickInPicker(int id, const QString& rename, bool ok) {
    OnNextModal<TFormSelSwitchVariable>([=](TFormSelSwitchVariable& picker) {
        picker.form()->GroupList->setCurrentRow((id - 1) / 20);
        picker.form()->DataList->setCurrentRow((id - 1) % 20);
        if (!rename.isNull()) {
            picker.form()->EditName->setText(rename);
            emit picker.form()->EditName->textEdited(rename);
            picker.ButtonApplyClick();
        }
        if (ok)
            picker.ButtonOkClick();
        else
            picker.reject();
    });
}

} // namespace

TEST_F(EvCmdTest, SwitchAndVariableBoxesShowLabelsAndPassRenamesUp) {
    TFormEvCmdBase dialog(nullptr, 10150, "Input Number");
    auto* first = new TSwitchVariableBox(TIdKind::Variable, &dialog);
    auto* second = new TSwitchVariableBox(TIdKind::Variable, &dialog);
    auto* aSwitch = new TSwitchVariableBox(TIdKind::Switch, &dialog);
    first->SetValue(2);
    second->SetValue(7);
    aSwitch->SetValue(1);
    EXPECT_EQ(first->text(), "0002");
    EXPECT_EQ(second->text(), "0007:Count");
    EXPECT_EQ(aSwitch->text(), "0001:Door");
    dialog.Open();

    // OK in the picker chooses the ID.
    QSignalSpy changed(first, &TPickerBox::changed);
    pickInPicker(7, QString(), true);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(first->Value(), 7);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(dialog.DataBaseChanged());

    // A rename applied in the picker reaches the database and every box, even when the picker is
    // cancelled; the value stays.
    pickInPicker(7, "Steps", false);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(first->Value(), 7);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(dialog.DataBaseChanged());
    EXPECT_EQ(db.Variables().Find(7)->Name, "Steps");
    EXPECT_EQ(second->text(), "0007:Steps");
}

TEST_F(EvCmdTest, CharacterListHasTheMapFormAndTheBattleForm) {
    TCharacterCombo combo;
    combo.Fill(MapContext());
    EXPECT_EQ(rows(combo), (QStringList{"Hero=10001", "Boat=10002", "Ship=10003", "Airship=10004",
                                        "this Event=10005", "Guard=2", "Chest (edited)=5"}));
    combo.SetValue(2);
    EXPECT_EQ(combo.Value(), 2);
    // An event that is not on the map becomes "this Event".
    combo.SetValue(9);
    EXPECT_EQ(combo.Value(), CharacterThisEvent);

    combo.Fill(MapContext(), TCharacterCombo::TLeading::ThisEvent);
    EXPECT_EQ(combo.itemText(0), "this Event");
    EXPECT_EQ(combo.count(), 3);

    // Without a map only the fixed entries are there.
    combo.Fill(TEvCmdContext{});
    EXPECT_EQ(combo.count(), 5);

    combo.Fill(BattleContext());
    EXPECT_TRUE(combo.IsBattle());
    EXPECT_EQ(rows(combo), (QStringList{"1:Slime=0", "2:Bat=1", "3:=2"}));
    combo.SetValue(1);
    EXPECT_EQ(combo.Value(), 1);
}

TEST_F(EvCmdTest, ModeControlsKeepTheValueOfEachMode) {
    TOperandEdit operand("Amount", 1, 999);
    operand.SetValue({0, 120, 7});
    Control<QRadioButton>(operand, "RadioVariable").click();
    EXPECT_FALSE(operand.Spin()->isEnabled());
    EXPECT_EQ(operand.Value().Stored(), 7);
    Control<QRadioButton>(operand, "RadioFixed").click();
    EXPECT_EQ(operand.Value().Stored(), 120);
    // The range holds.
    operand.Spin()->setValue(5000);
    EXPECT_EQ(operand.Value().Fixed, 999);

    THeroTargetEdit target;
    target.SetValue({1, 3, 2});
    EXPECT_EQ(Control<QComboBox>(target, "ComboHero").currentText(), "Cleo");
    Control<QRadioButton>(target, "RadioTarget0").click();
    EXPECT_EQ(target.Value().Stored(), 0);
    EXPECT_FALSE(Control<QComboBox>(target, "ComboHero").isEnabled());
    Control<QRadioButton>(target, "RadioTarget2").click();
    EXPECT_EQ(target.Value().Stored(), 2);
    Control<QRadioButton>(target, "RadioTarget1").click();
    EXPECT_EQ(target.Value().Stored(), 3);

    // A range is bounded by the number of switches and written in order.
    TIdTargetEdit range(TIdKind::Switch);
    EXPECT_EQ(Control<QSpinBox>(range, "SpinTo").maximum(), 30);
    range.SetValue({1, 4, 12, 3, 1});
    EXPECT_EQ(range.Value().First(), 3);
    EXPECT_EQ(range.Value().Second(), 12);
}

TEST_F(EvCmdTest, TenthsAreShownAndTypedAsSeconds) {
    TTenthsSpin spin;
    EXPECT_EQ(spin.value(), 10);
    EXPECT_EQ(spin.text(), "1.0 sec.");
    spin.setValue(15);
    EXPECT_EQ(spin.text(), "1.5 sec.");
    spin.selectAll();
    QTest::keyClicks(&spin, "2.3");
    spin.interpretText();
    EXPECT_EQ(spin.value(), 23);
    spin.setValue(5000);
    EXPECT_EQ(spin.value(), 1000);
}

TEST_F(EvCmdTest, ByteLimitedTextsCountBytesAndNeverCutACharacter) {
    TByteLimitEdit edit(12);
    edit.SetBytes("Alexandrianus");
    EXPECT_EQ(edit.Bytes(), "Alexandrianu");
    // "é" is two bytes: eleven bytes of "a" leave no room for it.
    EXPECT_EQ(TByteLimitEdit::CutToBytes(QString(11, 'a') + QString::fromUtf8("é"), 12), QString(11, 'a'));
    edit.clear();
    QTest::keyClicks(&edit, "abcdefghijklmnop");
    EXPECT_EQ(edit.text(), "abcdefghijkl");
}
