#pragma once

// Money, items, the party and the heroes' values: codes 10310 to 10500. They share one shape: what
// they act on (a hero target, an item or hero by list or variable), which way (add or remove,
// raise or lower), an amount (a constant or a variable) and at most one option.

#include "EvCmdBase.h"
#include "EvCmdOptions.h"
#include "EvCmdWidgets.h"

class QCheckBox;
class QSpinBox;

namespace tarvel {

// The working fields of a party command; each dialog uses the ones its command has.
struct TPartyFields {
    THeroTarget Target;
    int32_t Direction = 0;
    TFixedOrVariable Id;
    TFixedOrVariable Amount;
    // The ability, condition or equipment slot chosen from a list.
    int32_t Choice = 0;
    bool Check = false;
};

// The parts of a party command's parameters, in the order a command writes them: a hero target
// and an ID or an amount take two parameters (mode and value), the others one.
enum class TPartyParam { Target, Direction, Id, Amount, Choice, Check };

class TFormEvCmdPartyBase : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TFormEvCmdPartyBase(QWidget* owner, int32_t code, const QString& caption,
                        std::vector<TPartyParam> layout);

    // The controls a dialog has, in the order they are added.
    void addTarget();
    void addDirection(const QString& title, const QStringList& captions);
    void addId(const QString& title, const TCatalog* list);
    void addAmount(const QString& title, int minimum, int maximum);
    void addCheck(const QString& caption);

    // The dialog's remembered fields (one record per command code), and how its parameters map
    // to them.
    TEvCmdOption<TPartyFields>& remembered() const;
    // What a run starts with.
    virtual TPartyFields initialFields() const { return {}; }
    // The fields from the head's parameters and back, by the layout.
    virtual void readParams(const TQelEventScriptLine& head, TPartyFields& f) const;
    virtual std::vector<int32_t> params(const TPartyFields& f) const;
    // The fields of the controls that a dialog adds itself.
    virtual void showChoice(const TPartyFields& f) {}
    virtual void readChoice(TPartyFields& f) const {}
    // Enables what depends on other controls.
    virtual void enableControls() {}

    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

    THeroTargetEdit* mTarget = nullptr;
    TRadioGroup* mDirection = nullptr;
    TIdOrVariableEdit* mId = nullptr;
    TOperandEdit* mAmount = nullptr;
    QCheckBox* mCheck = nullptr;

private:
    std::vector<TPartyParam> mLayout;
};

// "Change Money Amount".
class TFormEvCmd10310 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10310(QWidget* owner);
};

// "Change Item Amount".
class TFormEvCmd10320 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10320(QWidget* owner);
};

// "Change Party".
class TFormEvCmd10330 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10330(QWidget* owner);
};

// The hero commands whose parameters are a target, a direction, an amount and an option flag:
// "Change EXP", "Change Level", "Change HP", "Change MP".
class TFormEvCmdHeroAmount : public TFormEvCmdPartyBase {
    Q_OBJECT
protected:
    TFormEvCmdHeroAmount(QWidget* owner, int32_t code, const QString& caption, const QStringList& directions,
                         int maximum, const QString& check);
};

// "Change EXP".
class TFormEvCmd10410 : public TFormEvCmdHeroAmount {
    Q_OBJECT
public:
    explicit TFormEvCmd10410(QWidget* owner);
};

// "Change Level".
class TFormEvCmd10420 : public TFormEvCmdHeroAmount {
    Q_OBJECT
public:
    explicit TFormEvCmd10420(QWidget* owner);
};

// "Change Abilities".
class TFormEvCmd10430 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10430(QWidget* owner);

protected:
    void showChoice(const TPartyFields& f) override;
    void readChoice(TPartyFields& f) const override;

private:
    TRadioGroup* mAbility;
};

// "Change Skills".
class TFormEvCmd10440 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10440(QWidget* owner);
};

// "Change Equipment": an item to equip, or the slot to empty ("All" first, then the five slots).
class TFormEvCmd10450 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    // Stored removal slots: 0 weapon, 1 shield, 2 armour, 3 helmet, 4 other, 5 all.
    static constexpr int32_t AllSlots = 5;
    explicit TFormEvCmd10450(QWidget* owner);

protected:
    TPartyFields initialFields() const override;
    void readParams(const TQelEventScriptLine& head, TPartyFields& f) const override;
    std::vector<int32_t> params(const TPartyFields& f) const override;
    void showChoice(const TPartyFields& f) override;
    void readChoice(TPartyFields& f) const override;
    void enableControls() override;

private:
    TRadioGroup* mSlot;
};

// "Change HP": reducing may be allowed to leave a hero unable to fight.
class TFormEvCmd10460 : public TFormEvCmdHeroAmount {
    Q_OBJECT
public:
    explicit TFormEvCmd10460(QWidget* owner);

protected:
    void enableControls() override;
};

// "Change MP".
class TFormEvCmd10470 : public TFormEvCmdHeroAmount {
    Q_OBJECT
public:
    explicit TFormEvCmd10470(QWidget* owner);
};

// "Change State".
class TFormEvCmd10480 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10480(QWidget* owner);

protected:
    void showChoice(const TPartyFields& f) override;
    void readChoice(TPartyFields& f) const override;

private:
    TRecordCombo* mCondition;
};

// "Full Recovery".
class TFormEvCmd10490 : public TFormEvCmdPartyBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10490(QWidget* owner);
};

// "Take Damage": attack power, how much defence and mind count, the variance, and optionally the
// variable that receives the damage.
class TFormEvCmd10500 : public TFormEvCmdBase {
    Q_OBJECT
public:
    static constexpr int DefaultDefence = 100;
    static constexpr int DefaultMind = 0;
    static constexpr int DefaultVariance = 5;
    explicit TFormEvCmd10500(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    THeroTargetEdit* mTarget;
    QSpinBox* mAttack;
    QSpinBox* mDefence;
    QSpinBox* mMind;
    QSpinBox* mVariance;
    QCheckBox* mStore;
    TSwitchVariableBox* mVariable;
};

} // namespace tarvel
