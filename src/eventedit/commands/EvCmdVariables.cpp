#include "EvCmdVariables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>

#include "EvCmdOptions.h"
#include "EvCmdWidgets.h"
#include "data/LD_DataBase.h"

namespace tarvel {

// ---- TFormEvCmd10210

namespace {

struct TSwitchFields {
    TIdTarget Target;
    int32_t Operation = 0;
};

TEvCmdOption<TSwitchFields>& rememberedSwitch() {
    static TEvCmdOption<TSwitchFields> option{TSwitchFields{}};
    return option;
}

} // namespace

TFormEvCmd10210::TFormEvCmd10210(QWidget* owner)
    : TFormEvCmdBase(owner, 10210, "Switch Management"), mTarget(new TIdTargetEdit(TIdKind::Switch, this)),
      mOperation(new TRadioGroup("Operation", {"ON", "OFF", "ON/OFF Trigger"}, Qt::Horizontal, this)) {
    mOperation->setObjectName("GroupOperation");
    Body()->addWidget(mTarget);
    Body()->addWidget(mOperation);
}

void TFormEvCmd10210::LoadCommand(const TQelEventScriptLine* head) {
    TSwitchFields f = rememberedSwitch().Value();
    if (head) {
        f.Target.Load(head->Param(0), head->Param(1), head->Param(2));
        f.Operation = head->Param(3);
    }
    mTarget->SetValue(f.Target);
    mOperation->SetIndex(f.Operation);
}

void TFormEvCmd10210::SaveCommand() {
    TSwitchFields f{mTarget->Value(), mOperation->Index()};
    rememberedSwitch().Set(f);
    WriteLine({Code(), 0, {}, {f.Target.Mode, f.Target.First(), f.Target.Second(), f.Operation}});
}

// ---- TFormEvCmd10220

namespace {

struct TVariableFields {
    TIdTarget Target;
    int32_t Operation = 0;
    int32_t Kind = TFormEvCmd10220::okConstant;
    int32_t Constant = 0;
    int32_t Variable = 1;
    int32_t Indirect = 1;
    int32_t RandomLow = 0;
    int32_t RandomHigh = 0;
    int32_t Item = 1;
    int32_t ItemCount = 0;
    int32_t Hero = 1;
    int32_t HeroProperty = 0;
    int32_t Character = CharacterHero;
    int32_t CharacterProperty = 0;
    int32_t Member = 0;
    int32_t MemberProperty = 0;
    int32_t Other = 0;
};

TEvCmdOption<TVariableFields>& rememberedVariable() {
    static TEvCmdOption<TVariableFields> option{TVariableFields{}};
    return option;
}

// Where each operand kind keeps its value (p5) and its second value (p6), if it has one.
struct TOperandFields {
    int32_t TVariableFields::*value;
    int32_t TVariableFields::*detail;
};

const TOperandFields& operandFields(int32_t kind) {
    static const TOperandFields fields[] = {
        {&TVariableFields::Constant, nullptr},
        {&TVariableFields::Variable, nullptr},
        {&TVariableFields::Indirect, nullptr},
        {&TVariableFields::RandomLow, &TVariableFields::RandomHigh},
        {&TVariableFields::Item, &TVariableFields::ItemCount},
        {&TVariableFields::Hero, &TVariableFields::HeroProperty},
        {&TVariableFields::Character, &TVariableFields::CharacterProperty},
        {&TVariableFields::Other, nullptr},
        {&TVariableFields::Member, &TVariableFields::MemberProperty},
    };
    return fields[std::clamp(kind, 0, int32_t(TFormEvCmd10220::okEnemy))];
}

const QStringList heroProperties = {"Level",    "Experience cost", "HP",           "MP",         "Max HP",
                                    "Max MP",   "Attack Pow.",     "Defense Pow.", "Mind Force", "Agility",
                                    "Arms No.", "Shield No.",      "Armor No.",    "Helmet No.", "Other No."};
const QStringList characterProperties = {"Map ID",        "X coordinate", "Y coordinate",
                                         "Beyond facing", "Scene X",      "Scene Y"};
const QStringList enemyProperties = {"HP", "MP", "Max HP", "Max MP", "Attack", "Defence", "Mind", "Agility"};
const QStringList otherValues = {"Money",
                                 "Timer Seconds Left",
                                 "Party Size",
                                 "Number of Saves",
                                 "Number of Battles",
                                 "Number of Victory",
                                 "Number of Defeats",
                                 "Number of Escapes",
                                 "MIDI Play Pos.(Tick)"};

constexpr int ConstantLimit = 999999;

QSpinBox* constantSpin(QWidget* parent, const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(-ConstantLimit, ConstantLimit);
    return spin;
}

QComboBox* wordCombo(const QStringList& words, QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(words);
    combo->setMaxVisibleItems(20);
    return combo;
}

// A word list's index; a stored value outside the list selects its first word.
void setWord(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

} // namespace

TFormEvCmd10220::TFormEvCmd10220(QWidget* owner)
    : TFormEvCmdBase(owner, 10220, "Variable Management"),
      mTarget(new TIdTargetEdit(TIdKind::Variable, this)),
      mOperation(new TRadioGroup("Operation", {"Set", "+", "-", "*", "/", "Surplus"}, Qt::Vertical, this)) {
    TQelDataBase* db = QelDataBase();
    mOperation->setObjectName("GroupOperation");
    auto* operand = new QGroupBox("Operand", this);
    auto* grid = new QGridLayout(operand);
    const char* captions[OperandRows] = {"Set",   "Variable", "Variable",  "Rand.",
                                         "Items", "Hero",     "Character", "Other"};
    for (int row = 0; row < OperandRows; ++row) {
        auto* radio = new QRadioButton(captions[row], operand);
        radio->setObjectName(QStringLiteral("RadioKind%1").arg(row));
        mKinds[size_t(row)] = radio;
        grid->addWidget(radio, row, 0);
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !Updating()) enableOperands();
        });
    }
    mConstant = constantSpin(operand, "SpinConstant");
    mVariable = new TSwitchVariableBox(TIdKind::Variable, operand);
    mVariable->setObjectName("BoxOperandVariable");
    mIndirect = new TSwitchVariableBox(TIdKind::Variable, operand);
    mIndirect->setObjectName("BoxIndirect");
    // Both operand buttons read "Variable"; the second takes the variable that this one names.
    mIndirect->setToolTip("The variable whose ID this variable holds");
    mKinds[okIndirect]->setToolTip(mIndirect->toolTip());
    mRandomLow = constantSpin(operand, "SpinRandomLow");
    mRandomHigh = constantSpin(operand, "SpinRandomHigh");
    mItem = new TRecordCombo(db ? &db->Items() : nullptr, operand);
    mItem->setObjectName("ComboItem");
    mItemCount = new TRadioGroup({}, {"Owning Number", "Equipment Number"}, Qt::Horizontal, operand);
    mItemCount->setObjectName("GroupItemCount");
    mHero = new TRecordCombo(db ? &db->Heroes() : nullptr, operand);
    mHero->setObjectName("ComboHero");
    mHeroProperty = wordCombo(heroProperties, operand, "ComboHeroProperty");
    mCharacter = new TCharacterCombo(operand);
    mCharacter->setObjectName("ComboCharacter");
    mCharacterProperty = wordCombo(characterProperties, operand, "ComboCharacterProperty");
    mOther = wordCombo(otherValues, operand, "ComboOther");

    auto place = [&](int row, QWidget* control, int column, int span = 1) {
        grid->addWidget(control, row, column, 1, span);
        mRowControls[size_t(row)].push_back(control);
    };
    place(okConstant, mConstant, 1);
    place(okVariable, mVariable, 1, 3);
    place(okIndirect, mIndirect, 1, 3);
    place(okRandom, mRandomLow, 1);
    auto* tilde = new QLabel("~", operand);
    tilde->setAlignment(Qt::AlignCenter);
    place(okRandom, tilde, 2);
    place(okRandom, mRandomHigh, 3);
    place(okItem, mItem, 1);
    place(okItem, mItemCount, 2, 2);
    place(okHero, mHero, 1);
    place(okHero, mHeroProperty, 2, 2);
    place(okCharacter, mCharacter, 1);
    place(okCharacter, mCharacterProperty, 2, 2);
    place(okOther, mOther, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(mTarget);
    top->addWidget(mOperation);
    Body()->addLayout(top);
    Body()->addWidget(operand);
}

int TFormEvCmd10220::OperandKind() const {
    for (int row = 0; row < OperandRows; ++row)
        if (mKinds[size_t(row)]->isChecked())
            return row == okCharacter && mCharacter->IsBattle() ? int(okEnemy) : row;
    return okConstant;
}

void TFormEvCmd10220::enableOperands() {
    for (int row = 0; row < OperandRows; ++row)
        for (QWidget* control : mRowControls[size_t(row)])
            control->setEnabled(mKinds[size_t(row)]->isChecked());
}

void TFormEvCmd10220::fillCharacterRow() {
    // The same row holds the map's characters or, in battle, the group's members.
    mCharacter->Fill(Context());
    mCharacterProperty->clear();
    if (mCharacter->IsBattle()) {
        mKinds[okCharacter]->setText("Enemy Chara");
        mCharacterProperty->addItems(enemyProperties);
    } else {
        mKinds[okCharacter]->setText("Character");
        mCharacterProperty->addItems(characterProperties);
    }
}

void TFormEvCmd10220::LoadCommand(const TQelEventScriptLine* head) {
    TVariableFields f = rememberedVariable().Value();
    if (head) {
        f.Target.Load(head->Param(0), head->Param(1), head->Param(2));
        f.Operation = head->Param(3);
        f.Kind = std::clamp(head->Param(4), 0, int32_t(okEnemy));
        const TOperandFields& where = operandFields(f.Kind);
        f.*where.value = head->Param(5);
        if (where.detail) f.*where.detail = head->Param(6);
    }
    fillCharacterRow();
    mTarget->SetValue(f.Target);
    mOperation->SetIndex(f.Operation);
    mConstant->setValue(f.Constant);
    mVariable->SetValue(f.Variable);
    mIndirect->SetValue(f.Indirect);
    mRandomLow->setValue(f.RandomLow);
    mRandomHigh->setValue(f.RandomHigh);
    mItem->SetID(f.Item);
    mItemCount->SetIndex(f.ItemCount);
    mHero->SetID(f.Hero);
    setWord(mHeroProperty, f.HeroProperty);
    if (mCharacter->IsBattle()) {
        mCharacter->SetValue(f.Member);
        setWord(mCharacterProperty, f.MemberProperty);
    } else {
        mCharacter->SetValue(f.Character);
        setWord(mCharacterProperty, f.CharacterProperty);
    }
    setWord(mOther, f.Other);
    // Both character kinds use the one row, in the form the script calls for.
    int row = f.Kind == okEnemy ? int(okCharacter) : int(f.Kind);
    mKinds[size_t(row)]->setChecked(true);
    enableOperands();
}

void TFormEvCmd10220::SaveCommand() {
    TVariableFields f = rememberedVariable().Value();
    f.Target = mTarget->Value();
    f.Operation = mOperation->Index();
    f.Kind = OperandKind();
    f.Constant = mConstant->value();
    f.Variable = mVariable->Value();
    f.Indirect = mIndirect->Value();
    f.RandomLow = mRandomLow->value();
    f.RandomHigh = mRandomHigh->value();
    f.Item = mItem->ID();
    f.ItemCount = mItemCount->Index();
    f.Hero = mHero->ID();
    f.HeroProperty = mHeroProperty->currentIndex();
    (mCharacter->IsBattle() ? f.Member : f.Character) = mCharacter->Value();
    (mCharacter->IsBattle() ? f.MemberProperty : f.CharacterProperty) = mCharacterProperty->currentIndex();
    f.Other = mOther->currentIndex();
    rememberedVariable().Set(f);

    // The second value only for the kinds that have one.
    const TOperandFields& where = operandFields(f.Kind);
    int32_t value = f.*where.value;
    int32_t detail = where.detail ? f.*where.detail : 0;
    WriteLine({Code(),
               0,
               {},
               {f.Target.Mode, f.Target.First(), f.Target.Second(), f.Operation, f.Kind, value, detail}});
}

// ---- TFormEvCmd10230

namespace {

struct TTimerFields {
    int32_t Operation = 0;
    int32_t Mode = 0;
    int32_t Minutes = 0;
    int32_t Seconds = 0;
    int32_t Variable = 1;
    bool Show = false;
    bool InBattle = false;
};

TEvCmdOption<TTimerFields>& rememberedTimer() {
    static TEvCmdOption<TTimerFields> option{TTimerFields{}};
    return option;
}

enum { timerSet, timerStart, timerStop };

} // namespace

TFormEvCmd10230::TFormEvCmd10230(QWidget* owner)
    : TFormEvCmdBase(owner, 10230, "Timer Management"),
      mOperation(new TRadioGroup("Operation", {"Set", "Start", "Stop"}, Qt::Horizontal, this)) {
    mOperation->setObjectName("GroupOperation");
    auto* time = new QGroupBox("Time", this);
    auto* grid = new QGridLayout(time);
    mRadioConstant = new QRadioButton("Constant", time);
    mRadioConstant->setObjectName("RadioConstant");
    mRadioVariable = new QRadioButton("Variable", time);
    mRadioVariable->setObjectName("RadioVariable");
    mMinutes = new QSpinBox(time);
    mMinutes->setObjectName("SpinMinutes");
    mMinutes->setRange(0, 99);
    mMinutes->setSuffix(" min.");
    mSeconds = new QSpinBox(time);
    mSeconds->setObjectName("SpinSeconds");
    mSeconds->setRange(0, 59);
    mSeconds->setSuffix(" sec.");
    mVariable = new TSwitchVariableBox(TIdKind::Variable, time);
    mVariable->setObjectName("BoxVariable");
    grid->addWidget(mRadioConstant, 0, 0);
    grid->addWidget(mMinutes, 0, 1);
    grid->addWidget(mSeconds, 0, 2);
    grid->addWidget(mRadioVariable, 1, 0);
    grid->addWidget(mVariable, 1, 1, 1, 2);
    auto* options = new QGroupBox("Timer", this);
    auto* column = new QVBoxLayout(options);
    mShow = new QCheckBox("Display Timer", options);
    mShow->setObjectName("CheckShow");
    mInBattle = new QCheckBox("Available in Battle", options);
    mInBattle->setObjectName("CheckInBattle");
    column->addWidget(mShow);
    column->addWidget(mInBattle);
    Body()->addWidget(mOperation);
    Body()->addWidget(time);
    Body()->addWidget(options);
    connect(mOperation, &TRadioGroup::indexChanged, this, &TFormEvCmd10230::enableByMode);
    connect(mRadioConstant, &QRadioButton::toggled, this, &TFormEvCmd10230::enableByMode);
}

void TFormEvCmd10230::enableByMode() {
    // Setting takes a time; starting decides how the timer runs; stopping takes nothing.
    bool set = mOperation->Index() == timerSet;
    mRadioConstant->setEnabled(set);
    mRadioVariable->setEnabled(set);
    mMinutes->setEnabled(set && mRadioConstant->isChecked());
    mSeconds->setEnabled(set && mRadioConstant->isChecked());
    mVariable->setEnabled(set && mRadioVariable->isChecked());
    bool start = mOperation->Index() == timerStart;
    mShow->setEnabled(start);
    mInBattle->setEnabled(start);
}

void TFormEvCmd10230::LoadCommand(const TQelEventScriptLine* head) {
    TTimerFields f = rememberedTimer().Value();
    if (head) {
        f.Operation = head->Param(0);
        if (f.Operation == timerSet) {
            f.Mode = head->Param(1) == 1 ? 1 : 0;
            if (f.Mode == 0) {
                int32_t seconds = std::clamp(head->Param(2), 0, 99 * 60 + 59);
                f.Minutes = seconds / 60;
                f.Seconds = seconds % 60;
            } else {
                f.Variable = head->Param(2);
            }
        }
        if (f.Operation == timerStart) {
            f.Show = head->Param(3) == 1;
            f.InBattle = head->Param(4) == 1;
        }
    }
    mOperation->SetIndex(f.Operation);
    (f.Mode == 1 ? mRadioVariable : mRadioConstant)->setChecked(true);
    mMinutes->setValue(f.Minutes);
    mSeconds->setValue(f.Seconds);
    mVariable->SetValue(f.Variable);
    mShow->setChecked(f.Show);
    mInBattle->setChecked(f.InBattle);
    enableByMode();
}

void TFormEvCmd10230::SaveCommand() {
    TTimerFields f{mOperation->Index(),   mRadioVariable->isChecked() ? 1 : 0,
                   mMinutes->value(),     mSeconds->value(),
                   mVariable->Value(),    mShow->isChecked(),
                   mInBattle->isChecked()};
    rememberedTimer().Set(f);
    std::vector<int32_t> params(5, 0);
    params[0] = f.Operation;
    if (f.Operation == timerSet) {
        params[1] = f.Mode;
        params[2] = f.Mode == 0 ? f.Minutes * 60 + f.Seconds : f.Variable;
    }
    if (f.Operation == timerStart) {
        params[3] = f.Show;
        params[4] = f.InBattle;
    }
    WriteLine({Code(), 0, {}, params});
}

} // namespace tarvel
