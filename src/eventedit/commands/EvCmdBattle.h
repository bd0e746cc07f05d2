#pragma once

// The group's monsters in battle scripts: "Change Enemy HP", "Change Enemy MP", "Change Enemy
// Condition" and "Change Enemy Appearance". The member they act on is one remembered value for all
// four.

#include "EvCmdBase.h"

class QCheckBox;

namespace tarvel {

class TCharacterCombo;
class TOperandEdit;
class TRadioGroup;
class TRecordCombo;

// The member list the four dialogs start with.
class TEnemyForm : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TEnemyForm(QWidget* owner, int32_t code, const QString& caption);
    // Fills the list with the group's members and selects the edited or the remembered one.
    void loadMember(const TQelEventScriptLine* head);
    // The chosen member, remembered for all four dialogs.
    int32_t saveMember();
    TCharacterCombo* mMember;
};

// "Change Enemy HP" and "Change Enemy MP": recover or reduce by a constant or a variable; HP may
// let the reduction defeat the monster ("Battle Incomplete to approve??", only when reducing).
class TEnemyPointsForm : public TEnemyForm {
    Q_OBJECT
protected:
    TEnemyPointsForm(QWidget* owner, int32_t code, const QString& caption, int maximum);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableDefeat();
    TRadioGroup* mOperation;
    TOperandEdit* mOperand;
    QCheckBox* mDefeat = nullptr;
};

class TFormEvCmd13110 : public TEnemyPointsForm {
    Q_OBJECT
public:
    explicit TFormEvCmd13110(QWidget* owner) : TEnemyPointsForm(owner, 13110, "Change Enemy HP", 9999) {}
};

class TFormEvCmd13120 : public TEnemyPointsForm {
    Q_OBJECT
public:
    explicit TFormEvCmd13120(QWidget* owner) : TEnemyPointsForm(owner, 13120, "Change Enemy MP", 999) {}
};

// "Change Enemy Condition": add or cancel a condition.
class TFormEvCmd13130 : public TEnemyForm {
    Q_OBJECT
public:
    explicit TFormEvCmd13130(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mOperation;
    TRecordCombo* mCondition;
};

// "Change Enemy Appearance": the hidden member that joins the battle.
class TFormEvCmd13150 : public TEnemyForm {
    Q_OBJECT
public:
    explicit TFormEvCmd13150(QWidget* owner) : TEnemyForm(owner, 13150, "Change Enemy Appearance") {}

protected:
    void LoadCommand(const TQelEventScriptLine* head) override { loadMember(head); }
    void SaveCommand() override;
};

} // namespace tarvel
