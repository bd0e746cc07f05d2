#include "EvCmdParty.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>

#include "data/LD_DataBase.h"

namespace tarvel {

namespace {

TQelDataBase* database() {
    return QelDataBase();
}

using P = TPartyParam;

const QStringList increaseDecrease = {"Increase", "Decrease"};
const QStringList raiseLower = {"Raise", "Lower"};
const QStringList recoverReduce = {"Recover", "Reduce"};

} // namespace

// ---- TFormEvCmdPartyBase

TFormEvCmdPartyBase::TFormEvCmdPartyBase(QWidget* owner, int32_t code, const QString& caption,
                                         std::vector<TPartyParam> layout)
    : TFormEvCmdBase(owner, code, caption), mLayout(std::move(layout)) {}

void TFormEvCmdPartyBase::readParams(const TQelEventScriptLine& head, TPartyFields& f) const {
    int i = 0;
    for (TPartyParam part : mLayout) {
        switch (part) {
        case TPartyParam::Target:
            f.Target.Load(head.Param(i), head.Param(i + 1));
            i += 2;
            break;
        case TPartyParam::Direction:
            f.Direction = head.Param(i++);
            break;
        case TPartyParam::Id:
            f.Id.Load(head.Param(i), head.Param(i + 1));
            i += 2;
            break;
        case TPartyParam::Amount:
            f.Amount.Load(head.Param(i), head.Param(i + 1));
            i += 2;
            break;
        case TPartyParam::Choice:
            f.Choice = head.Param(i++);
            break;
        case TPartyParam::Check:
            f.Check = head.Param(i++) == 1;
            break;
        }
    }
}

std::vector<int32_t> TFormEvCmdPartyBase::params(const TPartyFields& f) const {
    std::vector<int32_t> p;
    for (TPartyParam part : mLayout) {
        switch (part) {
        case TPartyParam::Target:
            p.insert(p.end(), {f.Target.Mode, f.Target.Stored()});
            break;
        case TPartyParam::Direction:
            p.push_back(f.Direction);
            break;
        case TPartyParam::Id:
            p.insert(p.end(), {f.Id.Mode, f.Id.Stored()});
            break;
        case TPartyParam::Amount:
            p.insert(p.end(), {f.Amount.Mode, f.Amount.Stored()});
            break;
        case TPartyParam::Choice:
            p.push_back(f.Choice);
            break;
        case TPartyParam::Check:
            // An option that does not apply to the chosen direction is written off.
            if (mCheck) p.push_back(mCheck->isEnabled() && f.Check);
            break;
        }
    }
    return p;
}

TEvCmdOption<TPartyFields>& TFormEvCmdPartyBase::remembered() const {
    return RememberedOfCode(Code(), initialFields());
}

void TFormEvCmdPartyBase::addTarget() {
    mTarget = new THeroTargetEdit(this);
    Body()->addWidget(mTarget);
}

void TFormEvCmdPartyBase::addDirection(const QString& title, const QStringList& captions) {
    mDirection = new TRadioGroup(title, captions, Qt::Horizontal, this);
    mDirection->setObjectName("GroupDirection");
    Body()->addWidget(mDirection);
    connect(mDirection, &TRadioGroup::indexChanged, this, [this] {
        if (!Updating()) enableControls();
    });
}

void TFormEvCmdPartyBase::addId(const QString& title, const TCatalog* list) {
    mId = new TIdOrVariableEdit(title, list, this);
    mId->setObjectName("EditId");
    Body()->addWidget(mId);
}

void TFormEvCmdPartyBase::addAmount(const QString& title, int minimum, int maximum) {
    mAmount = new TOperandEdit(title, minimum, maximum, this);
    mAmount->setObjectName("EditAmount");
    Body()->addWidget(mAmount);
}

void TFormEvCmdPartyBase::addCheck(const QString& caption) {
    mCheck = new QCheckBox(caption, this);
    mCheck->setObjectName("CheckOption");
    Body()->addWidget(mCheck);
}

void TFormEvCmdPartyBase::LoadCommand(const TQelEventScriptLine* head) {
    TPartyFields f = remembered().Value();
    if (head) readParams(*head, f);
    if (mTarget) mTarget->SetValue(f.Target);
    if (mDirection) mDirection->SetIndex(f.Direction);
    if (mId) mId->SetValue(f.Id);
    if (mAmount) mAmount->SetValue(f.Amount);
    if (mCheck) mCheck->setChecked(f.Check);
    showChoice(f);
    enableControls();
}

void TFormEvCmdPartyBase::SaveCommand() {
    TPartyFields f = remembered().Value();
    if (mTarget) f.Target = mTarget->Value();
    if (mDirection) f.Direction = mDirection->Index();
    if (mId) f.Id = mId->Value();
    if (mAmount) f.Amount = mAmount->Value();
    if (mCheck) f.Check = mCheck->isChecked();
    readChoice(f);
    remembered().Set(f);
    WriteLine({Code(), 0, {}, params(f)});
}

// ---- TFormEvCmd10310

TFormEvCmd10310::TFormEvCmd10310(QWidget* owner)
    : TFormEvCmdPartyBase(owner, 10310, "Change Money Amount", {P::Direction, P::Amount}) {
    addDirection("Operation", increaseDecrease);
    addAmount("Amount", 1, 999999);
}

// ---- TFormEvCmd10320

TFormEvCmd10320::TFormEvCmd10320(QWidget* owner)
    : TFormEvCmdPartyBase(owner, 10320, "Change Item Amount", {P::Direction, P::Id, P::Amount}) {
    addDirection("Operation", increaseDecrease);
    addId("Item", database() ? &database()->Items() : nullptr);
    addAmount("Count", 1, 99);
}

// ---- TFormEvCmd10330

TFormEvCmd10330::TFormEvCmd10330(QWidget* owner)
    : TFormEvCmdPartyBase(owner, 10330, "Change Party", {P::Direction, P::Id}) {
    addDirection("Operation", {"Add Member", "Remove Member"});
    addId("Hero", database() ? &database()->Heroes() : nullptr);
}

// ---- TFormEvCmdHeroAmount

TFormEvCmdHeroAmount::TFormEvCmdHeroAmount(QWidget* owner, int32_t code, const QString& caption,
                                           const QStringList& directions, int maximum, const QString& check)
    : TFormEvCmdPartyBase(owner, code, caption, {P::Target, P::Direction, P::Amount, P::Check}) {
    addTarget();
    addDirection("Operation", directions);
    addAmount("Amount", 1, maximum);
    if (!check.isEmpty()) addCheck(check);
}

// ---- TFormEvCmd10410, TFormEvCmd10420

TFormEvCmd10410::TFormEvCmd10410(QWidget* owner)
    : TFormEvCmdHeroAmount(owner, 10410, "Change EXP", increaseDecrease, 999999, "Show Level Up Message") {}

TFormEvCmd10420::TFormEvCmd10420(QWidget* owner)
    : TFormEvCmdHeroAmount(owner, 10420, "Change Level", raiseLower, 49, "Show Level Up Message") {}

// ---- TFormEvCmd10430

TFormEvCmd10430::TFormEvCmd10430(QWidget* owner)
    : TFormEvCmdPartyBase(owner, 10430, "Change Abilities", {P::Target, P::Direction, P::Choice, P::Amount}) {
    addTarget();
    addDirection("Operation", raiseLower);
    mAbility = new TRadioGroup("Ability", {"Max HP", "Max MP", "Attack", "Defense", "Mind", "Agility"},
                               Qt::Horizontal, this);
    mAbility->setObjectName("GroupAbility");
    Body()->addWidget(mAbility);
    addAmount("Amount", 1, 999);
}

void TFormEvCmd10430::showChoice(const TPartyFields& f) {
    mAbility->SetIndex(f.Choice);
}

void TFormEvCmd10430::readChoice(TPartyFields& f) const {
    f.Choice = mAbility->Index();
}

// ---- TFormEvCmd10440

TFormEvCmd10440::TFormEvCmd10440(QWidget* owner)
    : TFormEvCmdPartyBase(owner, 10440, "Change Skills", {P::Target, P::Direction, P::Id}) {
    addTarget();
    addDirection("Operation", {"Learn", "Forget"});
    addId("Skill", database() ? &database()->Skills() : nullptr);
}

// ---- TFormEvCmd10450

namespace {

enum { equip, removeEquipment };

// The removal buttons read "All" first; the stored slots put "All" last.
int32_t slotOfButton(int button) {
    return button == 0 ? TFormEvCmd10450::AllSlots : button - 1;
}

int buttonOfSlot(int32_t slot) {
    return slot >= 0 && slot < TFormEvCmd10450::AllSlots ? slot + 1 : 0;
}

} // namespace

TFormEvCmd10450::TFormEvCmd10450(QWidget* owner) : TFormEvCmdPartyBase(owner, 10450, "Change Equipment", {}) {
    addTarget();
    addDirection("Operation", {"Equip", "Remove"});
    addId("Item to equip", database() ? &database()->Items() : nullptr);
    mSlot = new TRadioGroup("Equipment to remove", {"All", "Arms", "Shield", "Armor", "Helmet", "Other"},
                            Qt::Horizontal, this);
    mSlot->setObjectName("GroupSlot");
    Body()->addWidget(mSlot);
}

TPartyFields TFormEvCmd10450::initialFields() const {
    // A new removal starts at the first button, "All".
    TPartyFields f;
    f.Choice = AllSlots;
    return f;
}

void TFormEvCmd10450::readParams(const TQelEventScriptLine& head, TPartyFields& f) const {
    f.Target.Load(head.Param(0), head.Param(1));
    f.Direction = head.Param(2);
    if (f.Direction == equip)
        f.Id.Load(head.Param(3), head.Param(4));
    else
        f.Choice = head.Param(3);
}

std::vector<int32_t> TFormEvCmd10450::params(const TPartyFields& f) const {
    if (f.Direction == equip)
        return {f.Target.Mode, f.Target.Stored(), f.Direction, f.Id.Mode, f.Id.Stored()};
    return {f.Target.Mode, f.Target.Stored(), f.Direction, f.Choice, 0};
}

void TFormEvCmd10450::showChoice(const TPartyFields& f) {
    mSlot->SetIndex(buttonOfSlot(f.Choice));
}

void TFormEvCmd10450::readChoice(TPartyFields& f) const {
    f.Choice = slotOfButton(mSlot->Index());
}

void TFormEvCmd10450::enableControls() {
    mId->setEnabled(mDirection->Index() == equip);
    mSlot->setEnabled(mDirection->Index() == removeEquipment);
}

// ---- TFormEvCmd10460, TFormEvCmd10470

TFormEvCmd10460::TFormEvCmd10460(QWidget* owner)
    : TFormEvCmdHeroAmount(owner, 10460, "Change HP", recoverReduce, 999,
                           "Battle impossibility is permitted.") {}

void TFormEvCmd10460::enableControls() {
    // Only a reduction can leave a hero unable to fight.
    mCheck->setEnabled(mDirection->Index() == 1);
}

TFormEvCmd10470::TFormEvCmd10470(QWidget* owner)
    : TFormEvCmdHeroAmount(owner, 10470, "Change MP", recoverReduce, 999, {}) {}

// ---- TFormEvCmd10480

TFormEvCmd10480::TFormEvCmd10480(QWidget* owner)
    : TFormEvCmdPartyBase(owner, 10480, "Change State", {P::Target, P::Direction, P::Choice}) {
    addTarget();
    addDirection("Operation", {"Inflict", "Cure"});
    auto* group = new QGroupBox("Condition", this);
    auto* row = new QHBoxLayout(group);
    mCondition = new TRecordCombo(database() ? &database()->Conditions() : nullptr, group);
    mCondition->setObjectName("ComboCondition");
    row->addWidget(mCondition);
    Body()->addWidget(group);
}

void TFormEvCmd10480::showChoice(const TPartyFields& f) {
    mCondition->SetID(f.Choice);
}

void TFormEvCmd10480::readChoice(TPartyFields& f) const {
    f.Choice = mCondition->ID();
}

// ---- TFormEvCmd10490

TFormEvCmd10490::TFormEvCmd10490(QWidget* owner)
    : TFormEvCmdPartyBase(owner, 10490, "Full Recovery", {P::Target}) {
    addTarget();
}

// ---- TFormEvCmd10500

namespace {

struct TDamageFields {
    THeroTarget Target;
    int32_t Attack = 1;
    int32_t Defence = TFormEvCmd10500::DefaultDefence;
    int32_t Mind = TFormEvCmd10500::DefaultMind;
    int32_t Variance = TFormEvCmd10500::DefaultVariance;
    bool Store = false;
    int32_t Variable = 1;
};

TEvCmdOption<TDamageFields>& rememberedDamage() {
    static TEvCmdOption<TDamageFields> option{TDamageFields{}};
    return option;
}

QSpinBox* rangeSpin(QWidget* parent, const char* name, int minimum, int maximum, const QString& suffix = {}) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setSuffix(suffix);
    return spin;
}

} // namespace

TFormEvCmd10500::TFormEvCmd10500(QWidget* owner)
    : TFormEvCmdBase(owner, 10500, "Take Damage"), mTarget(new THeroTargetEdit(this)) {
    auto* damage = new QGroupBox("Damage", this);
    auto* grid = new QGridLayout(damage);
    mAttack = rangeSpin(damage, "SpinAttack", 1, 999);
    mDefence = rangeSpin(damage, "SpinDefence", 0, 100, " %");
    mMind = rangeSpin(damage, "SpinMind", 0, 100, " %");
    mVariance = rangeSpin(damage, "SpinVariance", 0, 10);
    const char* labels[] = {"Attack Power", "Defense Effect", "Mind Effect", "Variance"};
    QSpinBox* spins[] = {mAttack, mDefence, mMind, mVariance};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(labels[i], damage), i, 0);
        grid->addWidget(spins[i], i, 1);
    }
    auto* result = new QGroupBox("Result", this);
    auto* row = new QHBoxLayout(result);
    mStore = new QCheckBox("Store the damage in", result);
    mStore->setObjectName("CheckStore");
    mVariable = new TSwitchVariableBox(TIdKind::Variable, result);
    mVariable->setObjectName("BoxResult");
    row->addWidget(mStore);
    row->addWidget(mVariable, 1);
    Body()->addWidget(mTarget);
    Body()->addWidget(damage);
    Body()->addWidget(result);
    connect(mStore, &QCheckBox::toggled, mVariable, &QWidget::setEnabled);
}

void TFormEvCmd10500::LoadCommand(const TQelEventScriptLine* head) {
    TDamageFields f = rememberedDamage().Value();
    if (head) {
        f.Target.Load(head->Param(0), head->Param(1));
        f.Attack = head->Param(2);
        f.Defence = head->Param(3);
        f.Mind = head->Param(4);
        f.Variance = head->Param(5);
        f.Store = head->Param(6) == 1;
        if (f.Store) f.Variable = head->Param(7);
    }
    mTarget->SetValue(f.Target);
    mAttack->setValue(f.Attack);
    mDefence->setValue(f.Defence);
    mMind->setValue(f.Mind);
    mVariance->setValue(f.Variance);
    mStore->setChecked(f.Store);
    mVariable->SetValue(f.Variable);
    mVariable->setEnabled(f.Store);
}

void TFormEvCmd10500::SaveCommand() {
    TDamageFields f{mTarget->Value(),   mAttack->value(),    mDefence->value(), mMind->value(),
                    mVariance->value(), mStore->isChecked(), mVariable->Value()};
    rememberedDamage().Set(f);
    WriteLine({Code(),
               0,
               {},
               {f.Target.Mode, f.Target.Stored(), f.Attack, f.Defence, f.Mind, f.Variance, f.Store,
                f.Store ? f.Variable : 0}});
}

} // namespace tarvel
