#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "EvCmdProjectFixture.h"
#include "eventedit/commands/EvCmdIf.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

void kind(TFormEvCmdBase& d, int k) {
    Control<QRadioButton>(d, QStringLiteral("RadioKind%1").arg(k).toLatin1().constData()).click();
}

// The new fork's structure below its head: an empty then-branch, the else branch when asked for,
// and the end line.
Texts fork(const std::string& head, bool withElse = false) {
    Texts texts = {head, "  <>"};
    if (withElse) texts.insert(texts.end(), {":Excepting Case ", "  <>"});
    texts.push_back(":End Case ");
    return texts;
}

// Opens "Hero Conditions" from the fork, lets act set it, then OK.
void heroCondition(TFormEvCmdBase& d, const std::function<void(TFormEvCmdIf2&)>& act, bool ok = true) {
    OnNextModal<TFormEvCmdIf2>([act, ok](TFormEvCmdIf2& form) {
        act(form);
        if (ok)
            form.accept();
        else
            form.reject();
    });
    Control<THeroConditionBox>(d, "BoxHeroCondition").click();
}

} // namespace

TEST_F(EvCmdProjectTest, ForkConditionsWritesEachKindOfCondition) {
    RunTable({
        {"switch off",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             Control<TSwitchVariableBox>(d, "BoxSwitch").SetValue(7);
             radio(d, "GroupSwitchState", 1);
         },
         fork("<>Fork Optn:Switch [0007:Lever]-  OFF")},
        {"variable above a constant, with an else branch",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 1);
             Control<TSwitchVariableBox>(d, "BoxVariableID").SetValue(7);
             spin(d, "SpinFixed", -999999);
             combo(d, "ComboCompare", 1);
             Control<QCheckBox>(d, "CheckElse").click();
         },
         fork("<>Fork Optn:Varbl[0007:Count]--999999Over", true)},
        {"variable the same as another variable",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 1);
             Control<QRadioButton>(d, "RadioVariable").click();
             Control<TSwitchVariableBox>(Control<TOperandEdit>(d, "Operand"), "BoxVariable").SetValue(7);
         },
         fork("<>Fork Optn:Varbl[0001:Gold]-V[0007]Equivl")},
        {"timer below two minutes five",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 2);
             spin(d, "SpinMinutes", 2);
             spin(d, "SpinSeconds", 5);
             radio(d, "GroupTimerCompare", 1);
         },
         fork("<>Fork Optn:Timer -   2m.05s.Less")},
        {"money above",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 3);
             spin(d, "SpinMoney", 999999);
         },
         fork("<>Fork Optn:MoneyOwn999999Over")},
        {"an item not held",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 4);
             combo(d, "ComboItem", 3);
             radio(d, "GroupItemHas", 1);
         },
         fork("<>Fork Optn:Ether have (hold)  ")},
        {"a hero in the party",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 5);
             combo(d, "ComboHero", 1);
         },
         fork("<>Fork Optn:Brian Party Members    ")},
        {"a hero by name",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 5);
             heroCondition(d, [](TFormEvCmdIf2& form) {
                 Control<QRadioButton>(form, "RadioTest1").click();
                 Control<QLineEdit>(form, "EditName").setText("Bob");
             });
             EXPECT_EQ(Control<THeroConditionBox>(d, "BoxHeroCondition").text(), "Name = Bob");
         },
         fork("<>Fork Optn:Alex Name - Bob")},
        {"a hero with a condition",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 5);
             heroCondition(d, [](TFormEvCmdIf2& form) {
                 Control<QRadioButton>(form, "RadioTest6").click();
                 combo(form, "ComboCondition", 1);
             });
         },
         fork("<>Fork Optn:Alex- Poison Condition      ")},
        {"an event facing left",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 6);
             combo(d, "ComboCharacter", 5);
             radio(d, "GroupDirection", 3);
         },
         fork("<>Fork Optn:Guard- Lf Go Towards ")},
        {"riding the airship",
         12010,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 7);
             radio(d, "GroupVehicle", 2);
         },
         fork("<>Fork Optn:Airshp to Get On  ")},
        {"started by the decision key",
         12010,
         {},
         [](TFormEvCmdBase& d) { kind(d, 8); },
         fork("<>Fork Optn:Descision Key of Starting Event ")},
        {"music played once",
         12010,
         {},
         [](TFormEvCmdBase& d) { kind(d, 9); },
         fork("<>Fork Optn:Play BGM One Loop    ")},
    });

    // Only the chosen kind's values are written, and the name only for the name test.
    auto dialog = Dialog(12010);
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        spin(d, "SpinMoney", 50);
        kind(d, 5);
        heroCondition(d, [](TFormEvCmdIf2& form) {
            Control<QRadioButton>(form, "RadioTest2").click();
            spin(form, "SpinLevel", 99);
        });
    }));
    EXPECT_EQ(LinesOf(dialog->Lines())[0], (TQelEventScriptLine{12010, 0, "", {5, 1, 2, 50, 0, 0}}));
    EXPECT_EQ(Render(dialog->Lines(), MapContext())[0], "<>Fork Optn:Alex Level -  50Over");
}

TEST_F(EvCmdProjectTest, ForkEditKeepsBodiesAndClearingElseDropsTheElseBranch) {
    // A fork two levels deep with a then-branch that holds a cycle, and a filled else branch.
    const Lines in = ForkWithBodies();
    auto dialog = Dialog(12010, in);
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        EXPECT_TRUE(Control<QCheckBox>(d, "CheckElse").isChecked());
        Control<QCheckBox>(d, "CheckElse").click();
    }));
    EXPECT_EQ(Render(dialog->Lines(), MapContext()), (Texts{
                                                         "<>Fork Optn:Switch [0001:Door]-  ON",
                                                         "  <>Messg:then",
                                                         "  <>Cycle       ",
                                                         "    <>Messg:deep",
                                                         "    <>",
                                                         "  :End Cycle    ",
                                                         "  <>",
                                                         ":End Case ",
                                                     }));

    // Ticking it again on an edit without an else branch adds an empty one; the then-body stays.
    auto again = Dialog(12010, LinesOf(dialog->Lines()));
    ASSERT_TRUE(RunDialog(*again, [](TFormEvCmdBase& d) { Control<QCheckBox>(d, "CheckElse").click(); }));
    EXPECT_EQ(again->Lines().Count(), 10);
    EXPECT_EQ(Render(again->Lines(), MapContext())[7], ":Excepting Case ");
    EXPECT_EQ(LinesOf(again->Lines())[8], (TQelEventScriptLine{10, 1}));

    // The else branch survives an edit that keeps the box.
    auto kept = Dialog(12010, in);
    ASSERT_TRUE(RunDialog(*kept, [](TFormEvCmdBase& d) { kind(d, 3); }));
    EXPECT_EQ(Render(kept->Lines(), MapContext())[8], "  <>Messg:else");
    EXPECT_EQ(Render(kept->Lines(), MapContext())[0], "<>Fork Optn:MoneyOwn0Over");

    // Cancel leaves the lines as they were.
    auto cancelled = Dialog(12010, in);
    EXPECT_FALSE(RunDialog(
        *cancelled, [](TFormEvCmdBase& d) { Control<QCheckBox>(d, "CheckElse").click(); }, false));
    EXPECT_EQ(LinesOf(cancelled->Lines()), in);
}

TEST_F(EvCmdProjectTest, ForkOpensOnThePageOfItsKindAndRemembersTheHeroName) {
    struct Case {
        Lines in;
        int page;
        int kind;
    };
    // The last case is a new fork: it opens on the kind of the last OK.
    const std::vector<Case> cases = {
        {{{12010, 0, "", {3, 10, 1, 0, 0, 0}}}, 0, 3},
        {{{12010, 0, "", {4, 2, 0, 0, 0, 0}}}, 1, 4},
        {{{12010, 0, "", {9, 0, 0, 0, 0, 0}}}, 1, 9},
        {{}, 1, 9},
    };
    for (const Case& c : cases) {
        auto dialog = Dialog(12010, c.in);
        ASSERT_TRUE(RunDialog(*dialog, [&](TFormEvCmdBase& d) {
            EXPECT_EQ(Control<QTabWidget>(d, "Pages").currentIndex(), c.page);
            EXPECT_EQ(static_cast<TForkFormBase&>(d).Kind(), c.kind);
            EXPECT_EQ(Control<QTabWidget>(d, "Pages").tabText(c.page), c.page == 0 ? "1" : "2");
        }));
    }

    // The name test's name is remembered with the rest; a new fork opens where the last one was.
    auto named = Dialog(12010, {{12010, 0, "Zed", {5, 3, 1, 0, 0, 0}}});
    ASSERT_TRUE(RunDialog(*named, nullptr));
    auto next = Dialog(12010);
    ASSERT_TRUE(RunDialog(*next, [](TFormEvCmdBase& d) {
        EXPECT_EQ(Control<QTabWidget>(d, "Pages").currentIndex(), 1);
        EXPECT_EQ(Control<THeroConditionBox>(d, "BoxHeroCondition").text(), "Name = Zed");
    }));
    EXPECT_EQ(LinesOf(next->Lines())[0], (TQelEventScriptLine{12010, 0, "Zed", {5, 3, 1, 0, 0, 0}}));
}

TEST_F(EvCmdProjectTest, HeroConditionsGivesTheChosenTestAndItsOneValue) {
    struct Case {
        const char* name;
        THeroCondition in;
        std::function<void(TFormEvCmdIf2&)> act;
        THeroCondition out;
        QString text;
    };
    const std::vector<Case> cases = {
        {"level, and the name of before is dropped",
         {1, "Bob", 0},
         [](TFormEvCmdIf2& f) {
             EXPECT_EQ(Control<QLineEdit>(f, "EditName").text(), "Bob");
             EXPECT_FALSE(Control<QSpinBox>(f, "SpinLevel").isEnabled());
             Control<QRadioButton>(f, "RadioTest2").click();
             spin(f, "SpinLevel", 60);
         },
         {2, "", 50},
         "Level 50 above"},
        {"HP",
         {0, "", 0},
         [](TFormEvCmdIf2& f) {
             Control<QRadioButton>(f, "RadioTest3").click();
             spin(f, "SpinHP", 999);
         },
         {3, "", 999},
         "HP 999 above"},
        {"a skill",
         {3, "", 40},
         [](TFormEvCmdIf2& f) {
             EXPECT_EQ(Control<QSpinBox>(f, "SpinHP").value(), 40);
             Control<QRadioButton>(f, "RadioTest4").click();
             combo(f, "ComboSkill", 1);
         },
         {4, "", 2},
         "Special Skill Fire can be used"},
        {"an item",
         {5, "", 2},
         [](TFormEvCmdIf2& f) { EXPECT_EQ(Control<QComboBox>(f, "ComboItem").currentIndex(), 1); },
         {5, "", 2},
         "Item Sword is equipped"},
        {"a name of at most 12 bytes",
         {0, "", 0},
         [](TFormEvCmdIf2& f) {
             Control<QRadioButton>(f, "RadioTest1").click();
             auto& edit = Control<QLineEdit>(f, "EditName");
             edit.setFocus();
             for (const char c : std::string("ABCDEFGHIJKLMNOP"))
                 QTest::keyClick(&edit, c);
         },
         {1, "ABCDEFGHIJKL", 0},
         "Name = ABCDEFGHIJKL"},
        {"in the party",
         {6, "", 3},
         [](TFormEvCmdIf2& f) { Control<QRadioButton>(f, "RadioTest0").click(); },
         {0, "", 0},
         "is in Party"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFormEvCmdIf2 form(nullptr);
        EXPECT_EQ(form.windowTitle(), "Hero Conditions");
        form.SetCondition(c.in);
        form.show();
        c.act(form);
        const THeroCondition out = form.Condition();
        EXPECT_EQ(out.Test, c.out.Test);
        EXPECT_EQ(out.Name, c.out.Name);
        EXPECT_EQ(out.Value, c.out.Value);
        EXPECT_EQ(THeroConditionBox::Text(out), c.text);
    }

    // Cancel keeps the fork's hero condition.
    auto dialog = Dialog(12010, {{12010, 0, "", {5, 1, 3, 9, 0, 0}}});
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        heroCondition(
            d, [](TFormEvCmdIf2& form) { Control<QRadioButton>(form, "RadioTest0").click(); }, false);
    }));
    EXPECT_EQ(LinesOf(dialog->Lines())[0], (TQelEventScriptLine{12010, 0, "", {5, 1, 3, 9, 0, 0}}));
}

TEST_F(EvCmdProjectTest, BattleForkOffersSwitchVariableHeroAndMonsters) {
    const auto battleFork = [](const std::string& head, bool withElse = false) {
        Texts texts = {head, "  <>"};
        if (withElse) texts.insert(texts.end(), {":Excepting Case ", "  <>"});
        texts.push_back(":End Case ");
        return texts;
    };
    RunTable({
        {"switch",
         13310,
         {},
         [](TFormEvCmdBase& d) { Control<TSwitchVariableBox>(d, "BoxSwitch").SetValue(7); },
         battleFork("<>Fork Optn:Switch [0007:Lever]-  ON"),
         true},
        {"variable below another, with else",
         13310,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_EQ(d.windowTitle(), "Fork Conditions");
             kind(d, 1);
             Control<QRadioButton>(d, "RadioVariable").click();
             Control<TSwitchVariableBox>(Control<TOperandEdit>(d, "Operand"), "BoxVariable").SetValue(7);
             combo(d, "ComboCompare", 4);
             Control<QCheckBox>(d, "CheckElse").click();
         },
         battleFork("<>Fork Optn:Varbl[0001:Gold]-V[0007]Small than", true),
         true},
        {"a hero that can act",
         13310,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 2);
             combo(d, "ComboHero", 2);
         },
         battleFork("<>Fork Optn:Cleo-ActionPsb"),
         true},
        {"a member that can act",
         13310,
         {},
         [](TFormEvCmdBase& d) {
             kind(d, 3);
             auto& members = Control<QComboBox>(d, "ComboMember");
             EXPECT_EQ(members.itemText(2), "3:");
             members.setCurrentIndex(1);
         },
         battleFork("<>Fork Optn:2:Bat-ActionPsb"),
         true},
    });

    // The battle fork keeps its bodies and drops the else branch like the map fork.
    const Lines in = {
        {13310, 0, "", {3, 1, 0, 0, 0, 1}},
        {10110, 1, "then"},
        {10, 1},
        {23310, 0},
        {10110, 1, "else"},
        {10, 1},
        {23311, 0},
    };
    auto dialog = Dialog(13310, in, true);
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) { Control<QCheckBox>(d, "CheckElse").click(); }));
    EXPECT_EQ(LinesOf(dialog->Lines()),
              (Lines{{13310, 0, "", {3, 1, 0, 0, 0, 0}}, {10110, 1, "then"}, {10, 1}, {23311, 0}}));
}
