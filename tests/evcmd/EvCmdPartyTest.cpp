#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include "EvCmdTestSupport.h"
#include "eventedit/commands/EvCmdParty.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// The hero target: 0 party, 1 the hero in the list at an index, 2 a variable.
void target(TFormEvCmdBase& d, int mode, int value = 0) {
    auto& edit = Control<THeroTargetEdit>(d, "HeroTarget");
    Control<QRadioButton>(edit, QStringLiteral("RadioTarget%1").arg(mode).toLatin1().constData()).click();
    if (mode == 1) Control<QComboBox>(edit, "ComboHero").setCurrentIndex(value);
    if (mode == 2) Control<TSwitchVariableBox>(edit, "BoxVariable").SetValue(value);
}

// A fixed-or-variable control by name: a constant (or list index), or a variable.
void fixedOrVariable(TFormEvCmdBase& d, const char* name, bool variable, int value) {
    auto& edit = Control<TFixedOrVariableEdit>(d, name);
    if (variable) {
        Control<QRadioButton>(edit, "RadioVariable").click();
        Control<TSwitchVariableBox>(edit, "BoxVariable").SetValue(value);
        return;
    }
    Control<QRadioButton>(edit, "RadioFixed").click();
    if (auto* spin = edit.findChild<QSpinBox*>("SpinFixed")) spin->setValue(value);
    if (auto* combo = edit.findChild<QComboBox*>("ComboFixed")) combo->setCurrentIndex(value);
}

std::vector<int32_t> paramsAfter(TFormEvCmdBase& d, const Lines& in,
                                 const std::function<void(TFormEvCmdBase&)>& act) {
    SetLines(d, in);
    EXPECT_TRUE(RunDialog(d, act));
    return d.Lines().Line(0)->Params;
}

} // namespace

TEST_F(EvCmdTest, MoneyItemAndPartyDialogsWriteTheirCommands) {
    RunCases({
        {"money increased",
         10310,
         {},
         [](TFormEvCmdBase& d) { fixedOrVariable(d, "EditAmount", false, 500); },
         {"<>Change Money: OwnMoney500Incr. "}},
        {"money decreased by a variable",
         10310,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupDirection", 1);
             fixedOrVariable(d, "EditAmount", true, 7);
         },
         {"<>Change Money: OwnMoneyV[0007]Decrem"}},
        {"money beyond the range",
         10310,
         {},
         [](TFormEvCmdBase& d) { fixedOrVariable(d, "EditAmount", false, 5000000); },
         {"<>Change Money: OwnMoney999999Incr. "}},
        {"three swords",
         10320,
         {},
         [](TFormEvCmdBase& d) {
             fixedOrVariable(d, "EditId", false, 1);
             fixedOrVariable(d, "EditAmount", false, 3);
         },
         {"<>Add/Remove Item:Sword->3Incr. "}},
        {"items by variables removed",
         10320,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupDirection", 1);
             fixedOrVariable(d, "EditId", true, 7);
             fixedOrVariable(d, "EditAmount", true, 1);
         },
         {"<>Add/Remove Item:V[0007]->V[0001]Decrem"}},
        {"edited item count kept",
         10320,
         {{10320, 0, "", {0, 0, 4, 0, 99}}},
         nullptr,
         {"<>Add/Remove Item:Ether->99Incr. "}},
        {"Cleo joins",
         10330,
         {},
         [](TFormEvCmdBase& d) { fixedOrVariable(d, "EditId", false, 2); },
         {"<>Change Heroes Party:Cleo->Add   "}},
        {"a hero by variable leaves",
         10330,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupDirection", 1);
             fixedOrVariable(d, "EditId", true, 7);
         },
         {"<>Change Heroes Party:V[0007]->Remv"}},
    });
}

TEST_F(EvCmdTest, HeroDialogsWriteTheirCommands) {
    RunCases({
        {"experience for the party",
         10410,
         {},
         [](TFormEvCmdBase& d) {
             fixedOrVariable(d, "EditAmount", false, 100);
             check(d, "CheckOption", true);
         },
         {"<>Change EXP:   All Members  EXP -    100Incr. "}},
        {"Brian loses levels",
         10420,
         {},
         [](TFormEvCmdBase& d) {
             target(d, 1, 1);
             radio(d, "GroupDirection", 1);
             fixedOrVariable(d, "EditAmount", false, 60);
         },
         {"<>Change Level: Brian Level -  49 Hang "}},
        {"agility of a hero by variable",
         10430,
         {},
         [](TFormEvCmdBase& d) {
             target(d, 2, 7);
             radio(d, "GroupAbility", 5);
             fixedOrVariable(d, "EditAmount", false, 5);
         },
         {"<>Chang.Ability:V[0007]  Agilit->5Raise "}},
        {"Alex forgets Fire",
         10440,
         {},
         [](TFormEvCmdBase& d) {
             target(d, 1, 0);
             radio(d, "GroupDirection", 1);
             fixedOrVariable(d, "EditId", false, 1);
         },
         {"<>Change T.Skills:Alex- Fire->Forget"}},
        {"equip a sword",
         10450,
         {},
         [](TFormEvCmdBase& d) {
             target(d, 1, 0);
             EXPECT_FALSE(Control<TRadioGroup>(d, "GroupSlot").isEnabled());
             fixedOrVariable(d, "EditId", false, 1);
         },
         {"<>Equipment:  Alex- SwordEquipment-"}},
        {"remove everything",
         10450,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupDirection", 1);
             EXPECT_FALSE(Control<TFixedOrVariableEdit>(d, "EditId").isEnabled());
         },
         {"<>Equipment:  All Members - All    RemovEquipm"}},
        {"remove the helmet",
         10450,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupDirection", 1);
             radio(d, "GroupSlot", 4);
         },
         {"<>Equipment:  All Members - Hl RemovEquipm"}},
        {"edited removal of the armour shows its slot",
         10450,
         {{10450, 0, "", {0, 0, 1, 2, 0}}},
         [](TFormEvCmdBase& d) { EXPECT_EQ(Control<TRadioGroup>(d, "GroupSlot").Index(), 3); },
         {"<>Equipment:  All Members - Ar RemovEquipm"}},
        {"HP reduced",
         10460,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupDirection", 1);
             fixedOrVariable(d, "EditAmount", false, 999);
             check(d, "CheckOption", true);
         },
         {"<>HP Change:All Members  HP - 999Decrem"}},
        {"MP restored to Cleo",
         10470,
         {},
         [](TFormEvCmdBase& d) {
             target(d, 1, 2);
             fixedOrVariable(d, "EditAmount", false, 10);
         },
         {"<>MP Change:Cleo MP - 10Recovery  "}},
        {"poison the party",
         10480,
         {},
         [](TFormEvCmdBase& d) { Control<QComboBox>(d, "ComboCondition").setCurrentIndex(1); },
         {"<>Condition:  All Members ->PoisonCondition "}},
        {"cure sleep",
         10480,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupDirection", 1);
             Control<QComboBox>(d, "ComboCondition").setCurrentIndex(2);
         },
         {"<>Condition:  All Members   Sleep Cancel   "}},
        {"full recovery", 10490, {}, nullptr, {"<>Recover:All Members All Party   "}},
        {"damage to Brian",
         10500,
         {},
         [](TFormEvCmdBase& d) {
             target(d, 1, 1);
             Control<QSpinBox>(d, "SpinAttack").setValue(120);
         },
         {"<>Take Damage:    BrianAttack 120 Damage    "}},
    });
}

TEST_F(EvCmdTest, HeroDialogsWriteTheirOptionsOnlyWhereTheyApply) {
    // A new damage command starts from its defaults; the variable is written only when used.
    auto damage = CreateEvCmdDialog(10500, nullptr);
    EXPECT_EQ(paramsAfter(*damage, {}, nullptr), (std::vector<int32_t>{0, 0, 1, 100, 0, 5, 0, 0}));
    damage = CreateEvCmdDialog(10500, nullptr);
    EXPECT_EQ(paramsAfter(*damage, {{10500, 0, "", {2, 7, 50, 20, 30, 1, 1, 9}}},
                          [](TFormEvCmdBase& d) { Control<QCheckBox>(d, "CheckStore").click(); }),
              (std::vector<int32_t>{2, 7, 50, 20, 30, 1, 0, 0}));

    // HP: the "unable to fight" flag goes with a reduction only.
    auto hp = CreateEvCmdDialog(10460, nullptr);
    EXPECT_EQ(paramsAfter(*hp, {{10460, 0, "", {0, 0, 1, 0, 5, 1}}},
                          [](TFormEvCmdBase& d) {
                              EXPECT_TRUE(Control<QCheckBox>(d, "CheckOption").isChecked());
                              radio(d, "GroupDirection", 0);
                              EXPECT_FALSE(Control<QCheckBox>(d, "CheckOption").isEnabled());
                          }),
              (std::vector<int32_t>{0, 0, 0, 0, 5, 0}));

    // The level-up message flag, and a hero target by variable.
    auto exp = CreateEvCmdDialog(10410, nullptr);
    EXPECT_EQ(paramsAfter(*exp, {},
                          [](TFormEvCmdBase& d) {
                              target(d, 2, 7);
                              check(d, "CheckOption", true);
                          }),
              (std::vector<int32_t>{2, 7, 0, 0, 1, 1}));

    // MP has no option to write.
    auto mp = CreateEvCmdDialog(10470, nullptr);
    EXPECT_EQ(paramsAfter(*mp, {}, [](TFormEvCmdBase& d) { radio(d, "GroupDirection", 1); }),
              (std::vector<int32_t>{0, 0, 1, 0, 1}));

    // Removing equipment writes the slot and 0.
    auto equipment = CreateEvCmdDialog(10450, nullptr);
    EXPECT_EQ(paramsAfter(*equipment, {{10450, 0, "", {1, 2, 0, 1, 7}}},
                          [](TFormEvCmdBase& d) {
                              radio(d, "GroupDirection", 1);
                              radio(d, "GroupSlot", 2);
                          }),
              (std::vector<int32_t>{1, 2, 1, 1, 0}));
}
