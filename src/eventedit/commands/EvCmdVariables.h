#pragma once

// Switches, variables and the timer: "Switch Management", "Variable Management" (Variable
// Operations) and "Timer Management".

#include <array>

#include "EvCmdBase.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace tarvel {

class TCharacterCombo;
class TIdTargetEdit;
class TRadioGroup;
class TRecordCombo;
class TSwitchVariableBox;

// "Switch Management".
class TFormEvCmd10210 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10210(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TIdTargetEdit* mTarget;
    TRadioGroup* mOperation;
};

// "Variable Management": a target, an operation and one of nine kinds of operand. In battle
// scripts the character operand becomes the enemy operand (kind 8) over the group's members.
class TFormEvCmd10220 : public TFormEvCmdBase {
    Q_OBJECT
public:
    // Operand kinds (p4).
    enum TOperandKind {
        okConstant,
        okVariable,
        okIndirect,
        okRandom,
        okItem,
        okHero,
        okCharacter,
        okOther,
        okEnemy,
    };
    explicit TFormEvCmd10220(QWidget* owner);
    // The kind the checked operand button stands for.
    int OperandKind() const;

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    // One operand row per button: "Character" and "Enemy Chara" share the seventh.
    static constexpr int OperandRows = 8;
    void enableOperands();
    void fillCharacterRow();

    TIdTargetEdit* mTarget;
    TRadioGroup* mOperation;
    std::array<QRadioButton*, OperandRows> mKinds{};
    std::array<std::vector<QWidget*>, OperandRows> mRowControls;
    QSpinBox* mConstant;
    TSwitchVariableBox* mVariable;
    TSwitchVariableBox* mIndirect;
    QSpinBox* mRandomLow;
    QSpinBox* mRandomHigh;
    TRecordCombo* mItem;
    TRadioGroup* mItemCount;
    TRecordCombo* mHero;
    QComboBox* mHeroProperty;
    TCharacterCombo* mCharacter;
    QComboBox* mCharacterProperty;
    QComboBox* mOther;
};

// "Timer Management": set the time (minutes and seconds, or a variable's seconds), start the timer
// (shown or not, running in battle or not), or stop it.
class TFormEvCmd10230 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10230(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableByMode();
    TRadioGroup* mOperation;
    QRadioButton* mRadioConstant;
    QRadioButton* mRadioVariable;
    QSpinBox* mMinutes;
    QSpinBox* mSeconds;
    TSwitchVariableBox* mVariable;
    QCheckBox* mShow;
    QCheckBox* mInBattle;
};

} // namespace tarvel
