// The script list driven by keys and mouse: the selection of whole commands, the caret on label
// lines, Shift ranges, the end line, scrolling, auto-scroll and painting.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "ScriptFixtures.h"
#include "data/EventScriptConverter.h"
#include "data/LD_DataBase.h"
#include "eventedit/ScriptList.h"

namespace tarvel::test {
namespace {

struct ListFixture {
    TQelDataBase db;
    TQelEventScriptList script;
    TScriptListBox list;

    explicit ListFixture(int rows = 30) {
        FillSampleScript(script);
        show(rows);
    }
    void show(int rows) {
        TEventScriptConverter converter;
        QStringList texts;
        for (const std::string& text : converter.DescribeScript(script))
            texts << QString::fromStdString(text);
        const int frame = list.height() - list.viewport()->height();
        list.resize(420, rows * list.LineHeight() + frame);
        list.SetItems(texts);
        list.SetItemIndex(-1);
        list.show();
        QApplication::setActiveWindow(&list);
        list.setFocus();
        QApplication::processEvents();
    }
    void click(int row, Qt::KeyboardModifiers keys = {}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list.viewport(), button, keys, list.RowRect(row).center());
    }
    void key(Qt::Key k, Qt::KeyboardModifiers keys = {}) { QTest::keyClick(&list, k, keys); }
    std::pair<int, int> selection() const { return {list.SelStart(), list.SelEnd()}; }
};

using Range = std::pair<int, int>;

TEST(ScriptList, ReadsTheStructureFromTheTexts) {
    ListFixture f;
    EXPECT_EQ(f.list.Items()[5], "    <>Wait:     1.0s.");
    EXPECT_EQ(f.list.IndentOf(5), 2);
    EXPECT_TRUE(f.list.IsHead(5));
    EXPECT_EQ(f.list.IndentOf(7), 1);
    EXPECT_FALSE(f.list.IsHead(7)); // "  :Excepting Case "
    EXPECT_TRUE(f.list.IsHead(6));  // an empty body line "    <>"
    EXPECT_FALSE(f.list.IsHead(1)); // a message's continuation
}

TEST(ScriptList, AClickSelectsAWholeCommand) {
    struct Case {
        int row;
        Range selected;
    } cases[] = {
        {0, {0, 1}},    // a message with its continuation
        {2, {2, 14}},   // the choice with both branches and its end
        {4, {4, 10}},   // a fork with its else branch, inside the first choice
        {15, {15, 21}}, // a fork holding a fork
        {16, {16, 19}}, // the inner fork
        {6, {6, 6}},    // the empty line that ends a body, alone
        {22, {22, 22}}, // a one-line command
        {23, {23, 23}}, // the script's end line, alone
    };
    for (const Case& c : cases) {
        ListFixture f;
        f.click(c.row);
        EXPECT_EQ(f.list.ItemIndex(), c.row);
        EXPECT_EQ(f.selection(), c.selected) << "row " << c.row;
    }
}

TEST(ScriptList, LabelLinesHoldTheCaretButSelectNothingAndTheArrowsSkipThem) {
    ListFixture f;
    for (int label : {1, 3, 7, 10, 12, 14}) {
        f.click(label);
        EXPECT_EQ(f.list.ItemIndex(), label);
        EXPECT_EQ(f.selection(), Range(-1, -1)) << "row " << label;
    }
    f.click(0);
    std::vector<int> visited;
    for (int i = 0; i < 12; ++i) {
        f.key(Qt::Key_Down);
        visited.push_back(f.list.ItemIndex());
    }
    // Heads only: 1, 3 and 7 are label lines; the last Down stays on the last head.
    EXPECT_EQ(visited, (std::vector<int>{2, 4, 5, 6, 8, 9, 11, 13, 15, 16, 17, 18}));
    f.key(Qt::Key_End);
    EXPECT_EQ(f.list.ItemIndex(), 23);
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.list.ItemIndex(), 23);
    f.key(Qt::Key_Left);
    EXPECT_EQ(f.list.ItemIndex(), 22);
    f.key(Qt::Key_Up);
    EXPECT_EQ(f.list.ItemIndex(), 20);
    f.key(Qt::Key_Home);
    EXPECT_EQ(f.list.ItemIndex(), 0);
    EXPECT_EQ(f.selection(), Range(0, 1));
}

TEST(ScriptList, ShiftRangesTakeWholeCommandsAtTheShallowestLevel) {
    {
        // Shift+Down from the message over the choice's end: the message and the whole choice.
        ListFixture f;
        f.click(0);
        f.key(Qt::Key_Down, Qt::ShiftModifier);
        EXPECT_EQ(f.selection(), Range(0, 14));
        EXPECT_EQ(f.list.Anchor(), 0);
        // On into the first fork's body, which is inside the choice: still the choice as a whole.
        f.key(Qt::Key_Down, Qt::ShiftModifier);
        EXPECT_EQ(f.list.ItemIndex(), 4);
        EXPECT_EQ(f.selection(), Range(0, 14));
    }
    {
        // Shift-click from a command inside a branch body to a command after the branch: the
        // commands at the outer level that lie wholly in the range, the fork holding a fork and
        // the one-line command, and nothing of the choice the range began in.
        ListFixture f;
        f.click(5);
        f.click(22, Qt::ShiftModifier);
        EXPECT_EQ(f.selection(), Range(15, 22));
        // Without Shift the anchor moves along.
        f.click(20);
        EXPECT_EQ(f.selection(), Range(20, 20));
        // From deep inside a body up to its block's head: the whole block.
        f.click(17);
        f.key(Qt::Key_Up, Qt::ShiftModifier);
        f.key(Qt::Key_Up, Qt::ShiftModifier);
        EXPECT_EQ(f.list.ItemIndex(), 15);
        EXPECT_EQ(f.selection(), Range(15, 21));
    }
    {
        // A range up to the end line never takes the end line along.
        ListFixture f;
        f.click(15);
        f.key(Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(f.list.ItemIndex(), 23);
        EXPECT_EQ(f.selection(), Range(15, 22));
    }
}

TEST(ScriptList, ARightClickInsideTheSelectionKeepsIt) {
    ListFixture f;
    f.click(15);
    int menus = 0;
    QObject::connect(&f.list, &TScriptListBox::contextMenuRequested, [&](QPoint) { ++menus; });
    f.click(17, {}, Qt::RightButton);
    EXPECT_EQ(f.selection(), Range(15, 21));
    EXPECT_EQ(menus, 1);
    f.click(22, {}, Qt::RightButton);
    EXPECT_EQ(f.selection(), Range(22, 22));
    EXPECT_EQ(menus, 2);
}

TEST(ScriptList, ScrollsWithTheCaretTheWheelAndTheBar) {
    ListFixture f(6);
    ASSERT_EQ(f.list.VisibleRows(), 6);
    EXPECT_TRUE(f.list.verticalScrollBar()->isEnabled());
    EXPECT_EQ(f.list.verticalScrollBar()->maximum(), 24 - 6);
    f.key(Qt::Key_End);
    // The caret's line is the last visible row.
    EXPECT_EQ(f.list.TopIndex(), 18);
    f.key(Qt::Key_Home);
    EXPECT_EQ(f.list.TopIndex(), 0);

    // Page Down: half a page, then the next head.
    f.key(Qt::Key_PageDown);
    EXPECT_EQ(f.list.ItemIndex(), 4);

    // The wheel scrolls one line a notch and leaves the caret.
    QWheelEvent down(QPointF(10, 10), f.list.viewport()->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.list.viewport(), &down);
    EXPECT_EQ(f.list.TopIndex(), 1);
    EXPECT_EQ(f.list.ItemIndex(), 4);
    f.list.verticalScrollBar()->setValue(100);
    EXPECT_EQ(f.list.TopIndex(), 18);

    // Everything fits: the bar is off and the view at the top.
    ListFixture all(40);
    EXPECT_FALSE(all.list.verticalScrollBar()->isEnabled());
    all.list.SetTopIndex(5);
    EXPECT_EQ(all.list.TopIndex(), 0);
}

TEST(ScriptList, HoldingTheButtonOutsideTheRowsScrollsOnTheTimer) {
    ListFixture f(6);
    const int lh = f.list.LineHeight();
    QTest::mousePress(f.list.viewport(), Qt::LeftButton, {}, f.list.RowRect(2).center());
    ASSERT_TRUE(f.list.Captured());
    EXPECT_TRUE(f.list.RepeatTimer().isActive());
    EXPECT_EQ(f.list.RepeatTimer().interval(), 50);

    // Just below the last full row: one line a tick, the caret on the last visible row.
    QTest::mouseMove(f.list.viewport(), QPoint(20, 6 * lh + 1));
    f.list.RepeatTimerTick();
    EXPECT_EQ(f.list.TopIndex(), 1);
    EXPECT_EQ(f.list.ItemIndex(), 6);
    // More than a row further: two lines a tick.
    QTest::mouseMove(f.list.viewport(), QPoint(20, 7 * lh + 2));
    f.list.RepeatTimerTick();
    EXPECT_EQ(f.list.TopIndex(), 3);
    EXPECT_EQ(f.list.ItemIndex(), 8);
    // Above the list: up again, the caret on the top row.
    QTest::mouseMove(f.list.viewport(), QPoint(20, -2));
    f.list.RepeatTimerTick();
    EXPECT_EQ(f.list.TopIndex(), 2);
    EXPECT_EQ(f.list.ItemIndex(), 2);

    QTest::mouseRelease(f.list.viewport(), Qt::LeftButton, {}, QPoint(20, -2));
    EXPECT_FALSE(f.list.Captured());
    EXPECT_FALSE(f.list.RepeatTimer().isActive());
    f.list.RepeatTimerTick();
    EXPECT_EQ(f.list.TopIndex(), 2);
}

TEST(ScriptList, PaintsTheSelectionOnlyWithTheFocus) {
    ListFixture f;
    f.click(15);
    const QColor highlight = f.list.palette().color(QPalette::Highlight);
    const QColor base = f.list.palette().color(QPalette::Base);
    auto rowColour = [&](int row) {
        const QImage image = f.list.viewport()->grab().toImage();
        return QColor(image.pixel(image.width() - 3, f.list.RowRect(row).center().y()));
    };
    ASSERT_TRUE(f.list.hasFocus());
    EXPECT_EQ(rowColour(18), highlight);
    EXPECT_EQ(rowColour(22), base);
    f.list.clearFocus();
    EXPECT_EQ(rowColour(18), base);
}

TEST(ScriptList, ChangingTheLinesKeepsTheSelectionWithinThem) {
    ListFixture f;
    f.click(15);
    // The script shrinks under the selection: the caret stays on a line that exists.
    QStringList texts = f.list.Items().mid(0, 3);
    texts << "<>";
    f.list.SetItems(texts);
    EXPECT_EQ(f.list.ItemIndex(), 3);
    EXPECT_EQ(f.selection(), Range(3, 3));
    f.list.SetItems({});
    EXPECT_EQ(f.list.ItemIndex(), -1);
    EXPECT_EQ(f.selection(), Range(-1, -1));
}

} // namespace
} // namespace tarvel::test
