#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "EvCmdTestSupport.h"
#include "eventedit/commands/EvCmdMessage.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

TFixedMemo& memo(TFormEvCmdBase& d) {
    return Control<TFixedMemo>(d, "Memo");
}

void choice(TFormEvCmdBase& d, int number, const QString& text) {
    QLineEdit& edit =
        Control<QLineEdit>(d, QStringLiteral("EditChoice%1").arg(number).toLatin1().constData());
    edit.selectAll();
    edit.del();
    QTest::keyClicks(&edit, text);
}

// A Show Choice of three choices with a cancel branch, each body holding one message, at indent 1.
Lines ChoiceWithBodies() {
    return {
        {10140, 1, "Go/Stay/Think", {5}},
        {20140, 1, "Go", {0}},
        {10110, 2, "going"},
        {10, 2},
        {20140, 1, "Stay", {1}},
        {10110, 2, "staying"},
        {10, 2},
        {20140, 1, "Think", {2}},
        {10110, 2, "thinking"},
        {10, 2},
        {20140, 1, "", {4}},
        {10110, 2, "cancelled"},
        {10, 2},
        {20141, 1},
    };
}

} // namespace

TEST_F(EvCmdTest, MessageDialogsWriteTheirCommands) {
    RunCases(
        {
            {"new message of two lines",
             10110,
             {},
             [](TFormEvCmdBase& d) {
                 memo(d).SetLines({"Hello,", "world."});
             },
             {"<>Messg:Hello,", ":      :world."}},
            {"an empty message still writes its head", 10110, {}, nullptr, {"<>Messg:"}},
            {"edit keeps the continuation lines and drops none",
             10110,
             {{10110, 2, "one"}, {20110, 2, "two"}, {20110, 2, "three"}},
             [](TFormEvCmdBase& d) {
                 EXPECT_EQ(memo(d).Lines(), (QStringList{"one", "two", "three"}));
             },
             {"<>Messg:one", ":      :two", ":      :three"}},
            {"comment",
             12410,
             {{12410, 0, "note"}, {22410, 0, "more"}},
             [](TFormEvCmdBase& d) {
                 memo(d).SetLines({"note", "more", "and more"});
             },
             {"<>Note: note", ":      :more", ":      :and more"}},
        },
        false);

    RunCases({
        {"message options",
         10120,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupWindow", 1);
             radio(d, "GroupPosition", 2);
             Control<QCheckBox>(d, "CheckAutoScroll").click();
             Control<QCheckBox>(d, "CheckEventsWait").click();
         },
         {"<>Set Message Options:Trnsp,Bot,AuScrlEvents Can Moves"}},
        {"message options edited",
         10120,
         {{10120, 0, "", {0, 1, 1, 0}}},
         [](TFormEvCmdBase& d) { Control<QCheckBox>(d, "CheckAutoScroll").click(); },
         {"<>Set Message Options:Norml,Mid,Fixed,Events Moves Ban"}},
        {"face on the right, mirrored",
         10130,
         {},
         [](TFormEvCmdBase& d) {
             auto& face = Control<TMaterialBox>(d, "BoxFace");
             face.SetFileName("Actor1");
             face.SetIndex(2);
             radio(d, "GroupSide", 1);
             Control<QCheckBox>(d, "CheckFlip").click();
         },
         {"<>Set Face Graphic to:  Actor1, 3, Rgt,Mirrored"}},
        {"face erased",
         10130,
         {{10130, 0, "Actor1", {5, 0, 0}}},
         [](TFormEvCmdBase& d) { Control<QPushButton>(d, "ButtonErase").click(); },
         {"<>Set Face Graphic to:  Eras"}},
        {"input number",
         10150,
         {},
         [](TFormEvCmdBase& d) {
             Control<QSpinBox>(d, "SpinDigits").setValue(9);
             Control<TSwitchVariableBox>(d, "BoxVariable").SetValue(7);
         },
         {"<>Input Number:   6Col.[0007:Count]"}},
    });
}

TEST_F(EvCmdTest, ShowChoiceWritesItsBranchesAndKeepsTheBodiesItStillHas) {
    RunCases(
        {
            {"a new choice is Yes and No with two empty bodies",
             10140,
             {},
             [](TFormEvCmdBase& d) {
                 EXPECT_TRUE(Control<TRadioGroup>(d, "GroupCancel").Button(2)->isChecked());
                 EXPECT_FALSE(Control<TRadioGroup>(d, "GroupCancel").Button(3)->isEnabled());
             },
             {"<>Show Choices: Yes/No", ":[Yes] Case  ", "  <>", ":[No] Case  ", "  <>", ":End Case "}},
            {"a cancel branch of its own",
             10140,
             {},
             [](TFormEvCmdBase& d) {
                 choice(d, 3, "Maybe");
                 radio(d, "GroupCancel", 5);
             },
             {"<>Show Choices: Yes/No/Maybe", ":[Yes] Case  ", "  <>", ":[No] Case  ", "  <>",
              ":[Maybe] Case  ", "  <>", ": Cancel Case     ", "  <>", ":End Case "}},
            {"edit: a renamed choice keeps its body, the emptied last one and the cancel branch go",
             10140,
             ChoiceWithBodies(),
             [](TFormEvCmdBase& d) {
                 choice(d, 1, "Leave");
                 choice(d, 3, "");
                 radio(d, "GroupCancel", 1);
             },
             {"<>Show Choices: Leave/Stay", ":[Leave] Case  ", "  <>Messg:going", "  <>", ":[Stay] Case  ",
              "  <>Messg:staying", "  <>", ":End Case "}},
            {"an empty middle choice stays a choice; a slash cannot be typed",
             10140,
             {},
             [](TFormEvCmdBase& d) {
                 choice(d, 2, "");
                 choice(d, 3, "A/B");
                 radio(d, "GroupCancel", 0);
             },
             {"<>Show Choices: Yes//AB", ":[Yes] Case  ", "  <>", ":[] Case  ", "  <>", ":[AB] Case  ",
              "  <>", ":End Case "}},
            {"cancel acting as a choice that went away is ignored",
             10140,
             {{10140, 0, "A/B/C", {3}},
              {20140, 0, "A", {0}},
              {10, 1},
              {20140, 0, "B", {1}},
              {10, 1},
              {20140, 0, "C", {2}},
              {10, 1},
              {20141, 0}},
             [](TFormEvCmdBase& d) { choice(d, 3, ""); },
             {"<>Show Choices: A/B", ":[A] Case  ", "  <>", ":[B] Case  ", "  <>", ":End Case "}},
        },
        false);

    // The head keeps what the converter and the script list read back.
    auto dialog = CreateEvCmdDialog(10140, nullptr);
    ASSERT_TRUE(RunDialog(*dialog, nullptr));
    EXPECT_EQ(dialog->Lines().Line(0)->Params, (std::vector<int32_t>{2}));
    EXPECT_EQ(dialog->Lines().Line(1)->Params, (std::vector<int32_t>{0}));
}

TEST_F(EvCmdTest, MessageBoxHoldsOnlyWhatFitsAndPastesAllOrNothing) {
    TFormEvCmd10110 dialog(nullptr);
    dialog.Open();
    dialog.show();
    TFixedMemo& box = *dialog.Memo();
    QFontMetrics metrics(box.font());
    EXPECT_EQ(box.LinesThatFit(), (box.height() - 6) / metrics.height());
    EXPECT_EQ(box.LinesThatFit(), 4);

    // Typing: a fifth line is refused, and so is a line wider than the box.
    QTest::keyClicks(&box, "one");
    for (const char* line : {"two", "three", "four", "five"}) {
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, line);
    }
    EXPECT_EQ(box.Lines(), (QStringList{"one", "two", "three", "fourfive"}));
    QTest::keyClicks(&box, QString(200, 'w'));
    QString last = box.Lines().last();
    EXPECT_LT(last.size(), 200);
    EXPECT_TRUE(box.Fits(box.toPlainText()));
    EXPECT_FALSE(box.Fits(box.toPlainText() + "w"));

    // Pasting: too many lines are refused whole; a paste that fills the box exactly and ends with a
    // line break loses the break; a paste that fits goes in at the caret.
    box.SetLines({"a"});
    QTextCursor end = box.textCursor();
    end.movePosition(QTextCursor::End);
    box.setTextCursor(end);
    QApplication::clipboard()->setText("\nb\nc\nd\ne");
    box.paste();
    EXPECT_EQ(box.Lines(), QStringList{"a"});
    QApplication::clipboard()->setText("\r\nb\r\nc\r\nd\r\n");
    box.paste();
    EXPECT_EQ(box.Lines(), (QStringList{"a", "b", "c", "d"}));
    box.SetLines({"ab"});
    QTextCursor middle = box.textCursor();
    middle.setPosition(1);
    box.setTextCursor(middle);
    QApplication::clipboard()->setText("xy");
    box.paste();
    EXPECT_EQ(box.toPlainText(), "axyb");
    EXPECT_EQ(box.textCursor().position(), 3);

    // A stored message longer than the box shows the lines that fit.
    box.SetLines({"1", "2", "3", "4", "5"});
    EXPECT_EQ(box.Lines().size(), 4);
}

TEST_F(EvCmdTest, MessageBoxGuidesShowOnTheBackgroundOnlyAndCtrlEnterIsOk) {
    TFormEvCmd10110 dialog(nullptr);
    SetLines(dialog, {{10110, 0, std::string(60, 'M')}});
    bool ok = RunDialog(
        dialog,
        [](TFormEvCmdBase& d) {
            TFixedMemo& box = Control<TFixedMemo>(d, "Memo");
            QColor guide = box.palette().color(QPalette::Mid);
            QColor base = box.palette().color(QPalette::Base);
            int row = box.height() - 6; // below the text, on the background
            QImage picture = box.grab().toImage();
            for (int x : {TFixedMemo::GuideWithFace, TFixedMemo::GuideWithoutFace}) {
                EXPECT_EQ(picture.pixel(x, row), guide.rgb()) << x;
                EXPECT_EQ(picture.pixel(x + 3, row), base.rgb()) << x;
            }
            // Over the selected text the guide gives way.
            box.selectAll();
            QImage selected = box.grab().toImage();
            QRect first = box.cursorRect(QTextCursor(box.document()));
            int textRow = box.viewport()->geometry().top() + first.center().y();
            EXPECT_NE(selected.pixel(TFixedMemo::GuideWithFace, textRow), guide.rgb());
            EXPECT_EQ(selected.pixel(TFixedMemo::GuideWithFace, textRow + 1 + first.height()), guide.rgb());
            // Enter is a line break; Ctrl+Enter is OK.
            QTest::keyClick(&box, Qt::Key_Return, Qt::ControlModifier);
        },
        false);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Render(dialog.Lines(), MapContext()), (Texts{"<>Messg:" + std::string(60, 'M')}));

    // Escape in the box cancels.
    TFormEvCmd10110 cancelled(nullptr);
    EXPECT_FALSE(RunDialog(
        cancelled,
        [](TFormEvCmdBase& d) {
            TFixedMemo& box = Control<TFixedMemo>(d, "Memo");
            QTest::keyClicks(&box, "gone");
            QTest::keyClick(&box, Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
            QTest::keyClick(&box, Qt::Key_Escape);
        },
        true));
    EXPECT_EQ(cancelled.Lines().Count(), 0);
}
