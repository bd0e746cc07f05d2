#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include "EvCmdTestSupport.h"
#include "eventedit/commands/EvCmdVariables.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// The target control's parts are found inside it.
TIdTargetEdit& target(TFormEvCmdBase& d) {
    return Control<TIdTargetEdit>(d, "IdTarget");
}

} // namespace

TEST_F(EvCmdTest, SwitchAndTimerDialogsWriteTheirCommands) {
    RunCases({
        {"one switch off",
         10210,
         {},
         [](TFormEvCmdBase& d) {
             Control<TSwitchVariableBox>(target(d), "BoxOne").SetValue(7);
             radio(d, "GroupOperation", 1);
         },
         {"<>Change Switch:  [0007:Lever]-OFF Set   "}},
        {"a range is written in order",
         10210,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(target(d), "RadioTarget1").click();
             Control<QSpinBox>(target(d), "SpinFrom").setValue(12);
             Control<QSpinBox>(target(d), "SpinTo").setValue(3);
         },
         {"<>Change Switch:  [0003*0012] -ON Set   "}},
        {"the switch a variable names, toggled",
         10210,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(target(d), "RadioTarget2").click();
             Control<TSwitchVariableBox>(target(d), "BoxVariable").SetValue(7);
             radio(d, "GroupOperation", 2);
         },
         {"<>Change Switch:  [V[0007]]-ON/OFF Triger"}},
        {"edited range kept",
         10210,
         {{10210, 0, "", {1, 2, 9, 0}}},
         nullptr,
         {"<>Change Switch:  [0002*0009] -ON Set   "}},
        {"timer set to minutes and seconds",
         10230,
         {},
         [](TFormEvCmdBase& d) {
             spin(d, "SpinMinutes", 2);
             spin(d, "SpinSeconds", 5);
         },
         {"<>Timer Operation:Cost Creat2m.05s."}},
        {"timer set from a variable",
         10230,
         {{10230, 0, "", {0, 0, 125, 0, 0}}},
         [](TFormEvCmdBase& d) {
             EXPECT_EQ(Control<QSpinBox>(d, "SpinSeconds").value(), 5);
             click(d, "RadioVariable");
             box(d, "BoxVariable", 7);
         },
         {"<>Timer Operation:Cost CreatV[0007]"}},
        {"timer started",
         10230,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupOperation", 1);
             EXPECT_FALSE(Control<QSpinBox>(d, "SpinMinutes").isEnabled());
             click(d, "CheckShow");
         },
         {"<>Timer Operation:StartTmr"}},
        {"timer stopped",
         10230,
         {},
         [](TFormEvCmdBase& d) { radio(d, "GroupOperation", 2); },
         {"<>Timer Operation:StopTimr"}},
    });

    // What a mode does not use is written as 0.
    auto timer = CreateEvCmdDialog(10230, nullptr);
    SetLines(*timer, {{10230, 0, "", {1, 1, 7, 1, 1}}});
    ASSERT_TRUE(RunDialog(*timer, nullptr));
    EXPECT_EQ(timer->Lines().Line(0)->Params, (std::vector<int32_t>{1, 0, 0, 1, 1}));
    timer = CreateEvCmdDialog(10230, nullptr);
    SetLines(*timer, {{10230, 0, "", {0, 1, 7, 1, 1}}});
    ASSERT_TRUE(RunDialog(*timer, nullptr));
    EXPECT_EQ(timer->Lines().Line(0)->Params, (std::vector<int32_t>{0, 1, 7, 0, 0}));
}

TEST_F(EvCmdTest, VariableOperationsWriteEachKindOfOperand) {
    RunCases({
        {"set a constant",
         10220,
         {},
         [](TFormEvCmdBase& d) { spin(d, "SpinConstant", -999999); },
         {"<>Variable Op:[0001:Gold] Set, -999999"}},
        {"add another variable over a range",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(target(d), "RadioTarget1").click();
             Control<QSpinBox>(target(d), "SpinFrom").setValue(2);
             Control<QSpinBox>(target(d), "SpinTo").setValue(4);
             radio(d, "GroupOperation", 1);
             click(d, "RadioKind1");
             box(d, "BoxOperandVariable", 7);
         },
         {"<>Variable Op:[0002*0004]  +  , Var.[0007]val."}},
        {"subtract indirectly",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupOperation", 2);
             click(d, "RadioKind2");
             box(d, "BoxIndirect", 7);
         },
         {"<>Variable Op:[0001:Gold] -  , Var.[V[0007]]val."}},
        {"a random number into the variable a variable names",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(target(d), "RadioTarget2").click();
             radio(d, "GroupOperation", 3);
             click(d, "RadioKind3");
             spin(d, "SpinRandomLow", 1);
             spin(d, "SpinRandomHigh", 6);
         },
         {"<>Variable Op:[V[0001]] *  , Randm[1*6]"}},
        {"items equipped",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupOperation", 4);
             click(d, "RadioKind4");
             combo(d, "ComboItem", 3);
             radio(d, "GroupItemCount", 1);
         },
         {"<>Variable Op:[0001:Gold]Div , EtherEquipmNm"}},
        {"a hero's agility",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupOperation", 5);
             click(d, "RadioKind5");
             combo(d, "ComboHero", 1);
             combo(d, "ComboHeroProperty", 9);
         },
         {"<>Variable Op:[0001:Gold]Bala, Brian  Agilit"}},
        {"an event's Y on the map",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             auto& kind = Control<QRadioButton>(d, "RadioKind6");
             EXPECT_EQ(kind.text(), "Character");
             kind.click();
             Control<TCharacterCombo>(d, "ComboCharacter").SetValue(2);
             combo(d, "ComboCharacterProperty", 2);
         },
         {"<>Variable Op:[0001:Gold] Set, Guard  Y pos"}},
        {"party size",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             click(d, "RadioKind7");
             combo(d, "ComboOther", 2);
         },
         {"<>Variable Op:[0001:Gold] Set, Size of Party "}},
        {"a member's defence in a battle script",
         10220,
         {},
         [](TFormEvCmdBase& d) {
             auto& kind = Control<QRadioButton>(d, "RadioKind6");
             EXPECT_EQ(kind.text(), "Enemy Chara");
             kind.click();
             EXPECT_EQ(Control<QComboBox>(d, "ComboCharacter").itemText(2), "3:");
             Control<TCharacterCombo>(d, "ComboCharacter").SetValue(1);
             combo(d, "ComboCharacterProperty", 5);
         },
         {"<>Variable Op:[0001:Gold] Set, 2:Bat  Defenc"},
         true},
        {"One, Range and One again keeps the variable",
         10220,
         {{10220, 0, "", {0, 7, 7, 0, 0, 3, 0}}},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(target(d), "RadioTarget1").click();
             Control<QRadioButton>(target(d), "RadioTarget0").click();
         },
         {"<>Variable Op:[0007:Count] Set, 3"}},
    });

    // p6 only for the kinds that have a second value; the operand controls follow the kind.
    ResetEvCmdOptions();
    auto dialog = CreateEvCmdDialog(10220, nullptr);
    dialog->SetContext(MapContext());
    SetLines(*dialog, {{10220, 0, "", {0, 1, 1, 0, 3, 4, 9}}});
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        EXPECT_TRUE(Control<QSpinBox>(d, "SpinRandomHigh").isEnabled());
        EXPECT_FALSE(Control<QSpinBox>(d, "SpinConstant").isEnabled());
        click(d, "RadioKind0");
        EXPECT_FALSE(Control<QSpinBox>(d, "SpinRandomHigh").isEnabled());
    }));
    EXPECT_EQ(dialog->Lines().Line(0)->Params, (std::vector<int32_t>{0, 1, 1, 0, 0, 0, 0}));
}
