#pragma once

// Conditional branches: "Forks Conditions" with its two pages of conditions and the hero-condition
// sub-dialog "Hero Conditions", and the battle fork "Fork Conditions". Both write a then-branch,
// an else branch when their check box is ticked, and the end line; an edit keeps the bodies, and
// clearing the check box drops the else branch with its body.

#include <array>
#include <string>
#include <vector>

#include "EvCmdBase.h"
#include "EvCmdWidgets.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tarvel {

// What the fork asks of a hero: 0 in the party, 1 named (the name), 2 at least a level, 3 at
// least some HP, 4 can use a skill, 5 has an item equipped, 6 has a condition; Value is the level,
// HP or record ID of tests 2 to 6 (0 otherwise).
struct THeroCondition {
    int32_t Test = 0;
    std::string Name;
    int32_t Value = 0;
};

// "Hero Conditions": the seven tests, each with its value. OK gives the chosen test and its one
// value; the values of the other tests are dropped.
class TFormEvCmdIf2 : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int NameBytes = 12;
    explicit TFormEvCmdIf2(QWidget* owner);
    THeroCondition Condition() const;
    void SetCondition(const THeroCondition& condition);

private:
    void enableByTest();
    QButtonGroup* mTests;
    TByteLimitEdit* mName;
    QSpinBox* mLevel;
    QSpinBox* mHP;
    TRecordCombo* mSkill;
    TRecordCombo* mItem;
    TRecordCombo* mCondition;
};

// The field that shows a hero condition ("is in Party", "Level 5 above" ...) and opens "Hero
// Conditions" when clicked.
class THeroConditionBox : public TPickerBox {
    Q_OBJECT
public:
    explicit THeroConditionBox(QWidget* parent = nullptr);
    THeroCondition Value() const { return mCondition; }
    void SetValue(const THeroCondition& condition);
    static QString Text(const THeroCondition& condition);
    void Refresh() override;
    void Pick() override;

private:
    THeroCondition mCondition;
};

// What both forks remember of their switch and variable conditions.
struct TSwitchVariableCondition {
    int32_t Switch = 1;
    int32_t SwitchState = 0;
    int32_t Variable = 1;
    TFixedOrVariable Operand{0, 0, 1};
    int32_t Compare = 0;
    // From a fork's head of kind 0 or 1 (other kinds change nothing).
    void Load(const TQelEventScriptLine& head);
    // p1..p4 of kind 0 or 1.
    std::vector<int32_t> Params(int kind) const;
};

// The switch and variable conditions both forks offer, and the else check box.
class TForkFormBase : public TFormEvCmdBase {
    Q_OBJECT
public:
    // The condition kind the checked button stands for.
    int Kind() const;

protected:
    TForkFormBase(QWidget* owner, int32_t code, const QString& caption);
    // Adds a kind's radio button on the row of a grid (over as many columns as span) with the
    // controls that belong to it, which are enabled only while it is checked.
    QRadioButton* addKind(int kind, const QString& caption, QGridLayout* grid, int row,
                          const std::vector<QWidget*>& controls, int span = 1);
    // The rows of the switch and the variable condition in a grid (two rows for the variable).
    void addSwitchAndVariable(QGridLayout* grid, int& row, QWidget* parent);
    void setKind(int kind);
    void enableKinds();
    void showSwitchAndVariable(const TSwitchVariableCondition& condition);
    TSwitchVariableCondition switchAndVariable() const;
    // The head (the kind, its four values p1..p4, the else flag in p5) and the branches.
    void writeFork(int kind, const std::vector<int32_t>& values, const std::string& text = {});

    QButtonGroup* mKinds;
    std::vector<std::vector<QWidget*>> mKindControls;
    TSwitchVariableBox* mSwitch = nullptr;
    TRadioGroup* mSwitchState = nullptr;
    TSwitchVariableBox* mVariable = nullptr;
    TOperandEdit* mOperand = nullptr;
    QComboBox* mCompare = nullptr;
    QCheckBox* mElse;
};

// "Forks Conditions": page "1" switch, variable, timer and money; page "2" item, hero, character,
// vehicle, started by the decision key and music played once. It opens on the page of the edited
// kind and remembers every field, the hero's name included.
class TFormEvCmd12010 : public TForkFormBase {
    Q_OBJECT
public:
    explicit TFormEvCmd12010(QWidget* owner);
    QTabWidget* Pages() const { return mPages; }

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    QTabWidget* mPages;
    QSpinBox* mMinutes;
    QSpinBox* mSeconds;
    TRadioGroup* mTimerCompare;
    QSpinBox* mMoney;
    TRadioGroup* mMoneyCompare;
    TRecordCombo* mItem;
    TRadioGroup* mItemHas;
    TRecordCombo* mHero;
    THeroConditionBox* mHeroCondition;
    TCharacterCombo* mCharacter;
    TRadioGroup* mDirection;
    TRadioGroup* mVehicle;
};

// "Fork Conditions" of battle scripts: switch, variable, a hero that can act, a member of the
// group that can act.
class TFormEvCmd13310 : public TForkFormBase {
    Q_OBJECT
public:
    explicit TFormEvCmd13310(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRecordCombo* mHero;
    TCharacterCombo* mMember;
};

} // namespace tarvel
