#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "controls/MessageBoxes.h"
#include "data/LD_Switch.h"
#include "pickers/DataMaxChange.h"
#include "pickers/SelSwitch.h"
#include "pickers/SelVariable.h"
#include "ui_DataMaxChange.h"
#include "ui_SelSwitch.h"

using namespace tarvel;

namespace {

void fill(TCatalog& list, int count) {
    list.Clear();
    for (int id = 1; id <= count; ++id)
        list.FindOrCreate(id)->Name = "S" + std::to_string(id);
}

QStringList rows(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Types text as key presses carrying it, whatever the characters (the key table of the test
// library knows only ASCII).
void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void clickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Runs the "Data Maximum" dialog that the action opens: types the number, answers the question
// with the given button and clicks OK (then Cancel when the dialog is still open).
void runMaximum(const std::function<void()>& open, int value, QMessageBox::StandardButton answer,
                bool* stayedOpen = nullptr) {
    SetHeadlessAnswer(answer);
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<TFormDataMaxChange*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Data Maximum");
        QSpinBox* box = dialog->form()->SpinMax;
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
        QTest::mouseClick(dialog->form()->ButtonOk, Qt::LeftButton);
        if (stayedOpen) *stayedOpen = dialog->isVisible();
        if (dialog->isVisible()) QTest::mouseClick(dialog->form()->ButtonCancel, Qt::LeftButton);
    });
    open();
    SetHeadlessAnswer(QMessageBox::NoButton);
}

} // namespace

TEST(SwitchPicker, ShowsGroupsOfTwentyAtTheLastChosenIdAndStepsAcrossGroupsWithF4F5) {
    TQelSwitch switches;
    fill(switches, 45);
    switches.Find(43)->Name.clear();
    LastSwitchID().Set(43);

    TFormSelSwitch dialog(nullptr, switches);
    dialog.show();
    auto* ui = dialog.form();
    EXPECT_EQ(dialog.windowTitle(), "Select Switch");
    EXPECT_EQ(rows(ui->GroupList), QStringList({"[ 0001 - 0020 ]", "[ 0021 - 0040 ]", "[ 0041 - 0045 ]"}));
    EXPECT_EQ(ui->GroupList->currentRow(), 2);
    EXPECT_EQ(rows(ui->DataList), QStringList({"0041:S41", "0042:S42", "0043:", "0044:S44", "0045:S45"}));
    EXPECT_EQ(ui->DataList->currentRow(), 2);
    EXPECT_EQ(ui->LabelID->text(), "0043:");
    EXPECT_EQ(dialog.ChosenID(), 43);

    clickRow(ui->GroupList, 1);
    clickRow(ui->DataList, 0);
    EXPECT_EQ(dialog.ChosenID(), 21);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int id;
    } steps[] = {
        {Qt::Key_F4, Qt::NoModifier, 20},      // first row of a group to the last of the one before
        {Qt::Key_F5, Qt::ControlModifier, 21}, // and back
        {Qt::Key_F4, Qt::ControlModifier, 20},
        {Qt::Key_F4, Qt::NoModifier, 19},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.id);
        QTest::keyClick(ui->DataList, s.key, s.modifiers);
        EXPECT_EQ(dialog.ChosenID(), s.id);
        EXPECT_EQ(ui->GroupList->currentRow(), (s.id - 1) / 20);
        EXPECT_EQ(ui->DataList->currentRow(), (s.id - 1) % 20);
        EXPECT_EQ(ui->EditName->text(), QString("S%1").arg(s.id));
    }
    // The ends stay where they are.
    clickRow(ui->GroupList, 0);
    clickRow(ui->DataList, 0);
    QTest::keyClick(ui->EditName, Qt::Key_F4);
    EXPECT_EQ(dialog.ChosenID(), 1);
    clickRow(ui->GroupList, 2);
    clickRow(ui->DataList, 4);
    QTest::keyClick(ui->EditName, Qt::Key_F5);
    EXPECT_EQ(dialog.ChosenID(), 45);

    // Cancel neither remembers nor writes.
    QTest::mouseClick(ui->ButtonCancel, Qt::LeftButton);
    EXPECT_EQ(LastSwitchID().Value(), 43);
    EXPECT_FALSE(dialog.DataBaseChanged());
}

TEST(SwitchPicker, NamesChangeOnlyTheWorkingListUntilApply) {
    TQelSwitch switches;
    fill(switches, 25);
    LastSwitchID().Set(3);
    TFormSelSwitch dialog(nullptr, switches);
    QSignalSpy changed(&dialog, &TFormSelSwitchVariable::dataBaseChanged);
    dialog.show();
    auto* ui = dialog.form();
    EXPECT_FALSE(ui->ButtonApply->isEnabled());

    ui->EditName->selectAll();
    QTest::keyClicks(ui->EditName, "Door open");
    EXPECT_EQ(ui->DataList->item(2)->text(), "0003:Door open");
    EXPECT_TRUE(ui->ButtonApply->isEnabled());
    EXPECT_EQ(switches.Find(3)->Name, "S3");

    // The name box holds 20 bytes; a character is never cut in half.
    ui->EditName->clear();
    QTest::keyClicks(ui->EditName, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(dialog.WorkingName(3), "abcdefghijklmnopqrst");
    ui->EditName->clear();
    typeText(ui->EditName, QString(15, QChar(0xE9)));
    EXPECT_EQ(QString::fromStdString(dialog.WorkingName(3)), QString(10, QChar(0xE9)));

    // Copy, paste and clear travel as plain text through the list's shortcuts.
    QTest::keyClick(ui->DataList, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString(10, QChar(0xE9)));
    QGuiApplication::clipboard()->setText("Boss beaten\nsecond line");
    clickRow(ui->DataList, 5);
    QTest::keyClick(ui->DataList, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialog.WorkingName(6), "Boss beaten");
    EXPECT_EQ(ui->EditName->text(), "Boss beaten");
    QGuiApplication::clipboard()->setText(QString(30, 'x'));
    clickRow(ui->DataList, 6);
    QTest::keyClick(ui->DataList, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialog.WorkingName(7), std::string(20, 'x'));
    clickRow(ui->DataList, 7);
    QTest::keyClick(ui->DataList, Qt::Key_Delete);
    EXPECT_EQ(dialog.WorkingName(8), "");
    EXPECT_EQ(ui->DataList->item(7)->text(), "0008:");
    EXPECT_EQ(switches.Find(6)->Name, "S6");
    EXPECT_EQ(changed.count(), 0);

    QTest::mouseClick(ui->ButtonApply, Qt::LeftButton);
    EXPECT_FALSE(ui->ButtonApply->isEnabled());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(dialog.DataBaseChanged());
    EXPECT_EQ(switches.Find(6)->Name, "Boss beaten");
    EXPECT_EQ(switches.Find(8)->Name, "");
    EXPECT_EQ(switches.Find(9)->Name, "S9");
    EXPECT_EQ(switches.Count(), 25);

    // OK remembers the chosen switch and applies what is pending.
    ui->EditName->selectAll();
    QTest::keyClicks(ui->EditName, "Gate");
    QTest::mouseClick(ui->ButtonOk, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(switches.Find(8)->Name, "Gate");
    EXPECT_EQ(LastSwitchID().Value(), 8);
    EXPECT_EQ(changed.count(), 2);
}

TEST(SwitchPicker, ShrinkingBelowTheChosenIdAndApplyingRemovesThoseRecords) {
    TQelSwitch switches;
    fill(switches, 45);
    LastSwitchID().Set(43);
    TFormSelSwitch dialog(nullptr, switches);
    dialog.show();
    auto* ui = dialog.form();
    auto openMax = [&] { QTest::mouseClick(ui->ButtonMax, Qt::LeftButton); };

    // No keeps the maximum dialog open and changes nothing.
    ClearShownMessages();
    bool stayedOpen = false;
    runMaximum(openMax, 30, QMessageBox::No, &stayedOpen);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(ShownMessages(), QStringList({"Some Data will be lost ok?"}));
    EXPECT_EQ(dialog.WorkingCount(), 45);
    EXPECT_FALSE(ui->ButtonApply->isEnabled());

    ClearShownMessages();
    runMaximum(openMax, 30, QMessageBox::Yes);
    EXPECT_EQ(dialog.WorkingCount(), 30);
    EXPECT_EQ(rows(ui->GroupList), QStringList({"[ 0001 - 0020 ]", "[ 0021 - 0030 ]"}));
    // The chosen switch is gone: the last one is chosen instead.
    EXPECT_EQ(dialog.ChosenID(), 30);
    EXPECT_EQ(ui->GroupList->currentRow(), 1);
    EXPECT_EQ(ui->DataList->currentRow(), 9);
    EXPECT_TRUE(ui->ButtonApply->isEnabled());
    EXPECT_EQ(switches.Count(), 45);

    QTest::mouseClick(ui->ButtonApply, Qt::LeftButton);
    EXPECT_EQ(switches.Count(), 30);
    EXPECT_EQ(switches.Find(31), nullptr);
    EXPECT_EQ(switches.Find(30)->Name, "S30");
    EXPECT_TRUE(dialog.DataBaseChanged());

    // Growing asks nothing and adds unnamed switches; the chosen one stays.
    ClearShownMessages();
    clickRow(ui->DataList, 2);
    runMaximum(openMax, 52, QMessageBox::No);
    EXPECT_TRUE(ShownMessages().isEmpty());
    EXPECT_EQ(dialog.ChosenID(), 23);
    EXPECT_EQ(rows(ui->GroupList).last(), "[ 0041 - 0052 ]");
    QTest::mouseClick(ui->ButtonOk, Qt::LeftButton);
    EXPECT_EQ(switches.Count(), 52);
    EXPECT_EQ(switches.Find(52)->Name, "");
    EXPECT_EQ(LastSwitchID().Value(), 23);
}

TEST(SwitchPicker, VariablePickerIsTheTwinWithItsOwnLastId) {
    TQelVariable variables;
    fill(variables, 5);
    LastSwitchID().Set(2);
    LastVariableID().Set(4);
    TFormSelVariable dialog(nullptr, variables);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Variable");
    EXPECT_EQ(dialog.ChosenID(), 4);
    EXPECT_EQ(rows(dialog.form()->GroupList), QStringList({"[ 0001 - 0005 ]"}));
    QTest::keyClick(dialog.form()->DataList, Qt::Key_F4);
    QTest::mouseClick(dialog.form()->ButtonOk, Qt::LeftButton);
    EXPECT_EQ(LastVariableID().Value(), 3);
    EXPECT_EQ(LastSwitchID().Value(), 2);
    EXPECT_FALSE(dialog.DataBaseChanged());
}

TEST(DataMaximum, AsksOnlyWhenShrinkingAndNoKeepsItOpen) {
    struct Case {
        int current;
        int typed;
        QMessageBox::StandardButton answer;
        bool accepted;
        bool asked;
        int value;
    } cases[] = {
        {8, 5, QMessageBox::No, false, true, 5},
        {8, 5, QMessageBox::Yes, true, true, 5},
        {8, 10, QMessageBox::No, true, false, 10},
        {8, 8, QMessageBox::No, true, false, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TFormDataMaxChange dialog(nullptr, c.current);
        dialog.show();
        EXPECT_EQ(dialog.form()->SpinMax->value(), c.current);
        ClearShownMessages();
        SetHeadlessAnswer(c.answer);
        dialog.form()->SpinMax->selectAll();
        QTest::keyClicks(dialog.form()->SpinMax, QString::number(c.typed));
        QTest::mouseClick(dialog.form()->ButtonOk, Qt::LeftButton);
        SetHeadlessAnswer(QMessageBox::NoButton);
        EXPECT_EQ(dialog.isVisible(), !c.accepted);
        EXPECT_EQ(!ShownMessages().isEmpty(), c.asked);
        if (c.accepted) {
            EXPECT_EQ(dialog.Value(), c.value);
        }
    }
}
