#include "EvCmdIf.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "EvCmdOptions.h"
#include "EvCmdParts.h"
#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"

namespace tarvel {

namespace {

enum THeroTest { htParty, htName, htLevel, htHP, htSkill, htItem, htCondition, HeroTestCount };

enum TForkKind {
    fkSwitch,
    fkVariable,
    fkTimer,
    fkMoney,
    fkItem,
    fkHero,
    fkCharacter,
    fkVehicle,
    fkDecisionKey,
    fkMusicOnce,
    ForkKindCount
};

// The battle fork's own kinds after switch and variable.
enum TBattleForkKind { bkHero = 2, bkMember = 3, BattleKindCount };

constexpr int ConstantLimit = 999999;

const TCatalog* listOf(TCatalog& (*section)(TQelDataBase&)) {
    TQelDataBase* db = QelDataBase();
    return db ? &section(*db) : nullptr;
}

TCatalog& skills(TQelDataBase& db) {
    return db.Skills();
}
TCatalog& items(TQelDataBase& db) {
    return db.Items();
}
TCatalog& conditions(TQelDataBase& db) {
    return db.Conditions();
}
TCatalog& heroes(TQelDataBase& db) {
    return db.Heroes();
}

QString recordName(TCatalog& (*section)(TQelDataBase&), int32_t id) {
    const TCatalog* list = listOf(section);
    const TCatalogItem* item = list ? list->Find(id) : nullptr;
    return item ? QString::fromStdString(item->Name) : QStringLiteral("?");
}

// A row of radio buttons without a frame of its own, for a condition's choices.
TRadioGroup* choices(const QStringList& captions, QWidget* parent, const char* name) {
    auto* group = new TRadioGroup({}, captions, Qt::Horizontal, parent);
    group->setObjectName(name);
    group->setFlat(true);
    group->layout()->setContentsMargins(0, 0, 0, 0);
    return group;
}

} // namespace

// ---- TFormEvCmdIf2

TFormEvCmdIf2::TFormEvCmdIf2(QWidget* owner)
    : TFormQelBase(owner), mTests(new QButtonGroup(this)), mName(new TByteLimitEdit(NameBytes, this)),
      mLevel(RangeSpin(1, 50, this, "SpinLevel")), mHP(RangeSpin(1, 999, this, "SpinHP")),
      mSkill(new TRecordCombo(listOf(skills), this)), mItem(new TRecordCombo(listOf(items), this)),
      mCondition(new TRecordCombo(listOf(conditions), this)) {
    setObjectName("FormEvCmdIf2");
    setWindowTitle("Hero Conditions");
    mName->setObjectName("EditName");
    mSkill->setObjectName("ComboSkill");
    mItem->setObjectName("ComboItem");
    mCondition->setObjectName("ComboCondition");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Condition", this);
    auto* grid = new QGridLayout(group);
    const char* captions[] = {"is in Party", "Name =", "Level", "HP", "Special Skill", "Item", "Condition"};
    QWidget* values[] = {nullptr, mName, mLevel, mHP, mSkill, mItem, mCondition};
    const char* after[] = {"", "", "above", "above", "can be used", "is equipped", "Is"};
    for (int test = 0; test < HeroTestCount; ++test) {
        auto* radio = new QRadioButton(captions[test], group);
        radio->setObjectName(QStringLiteral("RadioTest%1").arg(test));
        mTests->addButton(radio, test);
        grid->addWidget(radio, test, 0);
        if (values[test]) grid->addWidget(values[test], test, 1);
        if (*after[test]) grid->addWidget(new QLabel(after[test], group), test, 2);
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(group);
    AddOkCancel(this, layout);
    connect(mTests, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) enableByTest();
    });
    SetCondition({});
}

THeroCondition TFormEvCmdIf2::Condition() const {
    THeroCondition condition;
    condition.Test = std::max(mTests->checkedId(), 0);
    switch (condition.Test) {
    case htName:
        condition.Name = mName->Bytes();
        break;
    case htLevel:
        condition.Value = mLevel->value();
        break;
    case htHP:
        condition.Value = mHP->value();
        break;
    case htSkill:
        condition.Value = mSkill->ID();
        break;
    case htItem:
        condition.Value = mItem->ID();
        break;
    case htCondition:
        condition.Value = mCondition->ID();
        break;
    default:
        break;
    }
    return condition;
}

void TFormEvCmdIf2::SetCondition(const THeroCondition& condition) {
    const int test = condition.Test >= 0 && condition.Test < HeroTestCount ? condition.Test : htParty;
    mName->SetBytes(test == htName ? condition.Name : std::string());
    mLevel->setValue(test == htLevel ? condition.Value : 1);
    mHP->setValue(test == htHP ? condition.Value : 1);
    mSkill->SetID(test == htSkill ? condition.Value : 1);
    mItem->SetID(test == htItem ? condition.Value : 1);
    mCondition->SetID(test == htCondition ? condition.Value : 1);
    mTests->button(test)->setChecked(true);
    enableByTest();
}

void TFormEvCmdIf2::enableByTest() {
    const int test = mTests->checkedId();
    mName->setEnabled(test == htName);
    mLevel->setEnabled(test == htLevel);
    mHP->setEnabled(test == htHP);
    mSkill->setEnabled(test == htSkill);
    mItem->setEnabled(test == htItem);
    mCondition->setEnabled(test == htCondition);
}

// ---- THeroConditionBox

THeroConditionBox::THeroConditionBox(QWidget* parent) : TPickerBox(parent) {
    Refresh();
}

QString THeroConditionBox::Text(const THeroCondition& condition) {
    switch (condition.Test) {
    case htName:
        return "Name = " + QString::fromStdString(condition.Name);
    case htLevel:
        return QStringLiteral("Level %1 above").arg(condition.Value);
    case htHP:
        return QStringLiteral("HP %1 above").arg(condition.Value);
    case htSkill:
        return "Special Skill " + recordName(skills, condition.Value) + " can be used";
    case htItem:
        return "Item " + recordName(items, condition.Value) + " is equipped";
    case htCondition:
        return "Condition " + recordName(conditions, condition.Value) + " Is";
    default:
        return "is in Party";
    }
}

void THeroConditionBox::SetValue(const THeroCondition& condition) {
    mCondition = condition;
    Refresh();
}

void THeroConditionBox::Refresh() {
    showText(Text(mCondition));
}

void THeroConditionBox::Pick() {
    TFormEvCmdIf2 form(window());
    form.SetCondition(mCondition);
    CenterOnOwner(&form);
    if (form.exec() != QDialog::Accepted) return;
    SetValue(form.Condition());
    emit changed();
}

// ---- TForkFormBase

TForkFormBase::TForkFormBase(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption), mKinds(new QButtonGroup(this)),
      mElse(new QCheckBox(
          "Contents of management when it doesnt apply to the condition are established, too.", this)) {
    mElse->setObjectName("CheckElse");
    connect(mKinds, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) enableKinds();
    });
}

int TForkFormBase::Kind() const {
    return std::max(mKinds->checkedId(), 0);
}

QRadioButton* TForkFormBase::addKind(int kind, const QString& caption, QGridLayout* grid, int row,
                                     const std::vector<QWidget*>& controls, int span) {
    auto* radio = new QRadioButton(caption, grid->parentWidget());
    radio->setObjectName(QStringLiteral("RadioKind%1").arg(kind));
    mKinds->addButton(radio, kind);
    grid->addWidget(radio, row, 0, 1, span);
    if (mKindControls.size() <= size_t(kind)) mKindControls.resize(size_t(kind) + 1);
    mKindControls[size_t(kind)] = controls;
    return radio;
}

void TForkFormBase::addSwitchAndVariable(QGridLayout* grid, int& row, QWidget* parent) {
    mSwitch = new TSwitchVariableBox(TIdKind::Switch, parent);
    mSwitch->setObjectName("BoxSwitch");
    mSwitchState = choices({"ON", "OFF"}, parent, "GroupSwitchState");
    addKind(fkSwitch, "Switch", grid, row, {mSwitch, mSwitchState});
    grid->addWidget(mSwitch, row, 1);
    grid->addWidget(mSwitchState, row++, 2);

    mVariable = new TSwitchVariableBox(TIdKind::Variable, parent);
    mVariable->setObjectName("BoxVariableID");
    mOperand = new TOperandEdit({}, -ConstantLimit, ConstantLimit, parent);
    mOperand->setObjectName("Operand");
    mOperand->findChild<QRadioButton*>("RadioFixed")->setText("Set");
    mCompare = WordCombo({"same", "above", "below", "bigger", "smaller", "others"}, parent, "ComboCompare");
    addKind(fkVariable, "Variable", grid, row, {mVariable, mOperand, mCompare});
    grid->addWidget(mVariable, row++, 1);
    grid->addWidget(mOperand, row, 1);
    grid->addWidget(mCompare, row++, 2, Qt::AlignTop);
}

void TForkFormBase::setKind(int kind) {
    QAbstractButton* button = mKinds->button(kind);
    if (!button) button = mKinds->button(0);
    button->setChecked(true);
    enableKinds();
}

void TForkFormBase::enableKinds() {
    const int kind = Kind();
    for (size_t k = 0; k < mKindControls.size(); ++k)
        for (QWidget* control : mKindControls[k])
            control->setEnabled(int(k) == kind);
}

void TSwitchVariableCondition::Load(const TQelEventScriptLine& head) {
    if (head.Param(0) == fkSwitch) {
        Switch = head.Param(1);
        SwitchState = head.Param(2);
    }
    if (head.Param(0) == fkVariable) {
        Variable = head.Param(1);
        Operand.Load(head.Param(2), head.Param(3));
        Compare = head.Param(4);
    }
}

std::vector<int32_t> TSwitchVariableCondition::Params(int kind) const {
    if (kind == fkSwitch) return {Switch, SwitchState, 0, 0};
    return {Variable, Operand.Mode, Operand.Stored(), Compare};
}

void TForkFormBase::showSwitchAndVariable(const TSwitchVariableCondition& condition) {
    mSwitch->SetValue(condition.Switch);
    mSwitchState->SetIndex(condition.SwitchState);
    mVariable->SetValue(condition.Variable);
    mOperand->SetValue(condition.Operand);
    SetWord(mCompare, condition.Compare);
}

TSwitchVariableCondition TForkFormBase::switchAndVariable() const {
    return {mSwitch->Value(), mSwitchState->Index(), mVariable->Value(), mOperand->Value(),
            mCompare->currentIndex()};
}

void TForkFormBase::writeFork(int kind, const std::vector<int32_t>& values, const std::string& text) {
    std::vector<int32_t> params = {kind};
    params.insert(params.end(), values.begin(), values.end());
    params.push_back(mElse->isChecked() ? 1 : 0);
    WriteBlock({Code(), 0, text, params});
}

// ---- TFormEvCmd12010

namespace {

struct TForkFields {
    int32_t Kind = fkSwitch;
    TSwitchVariableCondition Common;
    int32_t Minutes = 0;
    int32_t Seconds = 0;
    int32_t TimerCompare = 0;
    int32_t Money = 0;
    int32_t MoneyCompare = 0;
    int32_t Item = 1;
    int32_t ItemHas = 0;
    int32_t Hero = 1;
    THeroCondition HeroCondition;
    int32_t Character = CharacterHero;
    int32_t Direction = 0;
    int32_t Vehicle = 0;
    bool Else = false;
};

TEvCmdOption<TForkFields>& rememberedFork() {
    static TEvCmdOption<TForkFields> option{TForkFields{}};
    return option;
}

// The kinds of page "1"; the others are on page "2".
constexpr int FirstPageKinds = 4;

} // namespace

TFormEvCmd12010::TFormEvCmd12010(QWidget* owner)
    : TForkFormBase(owner, 12010, "Forks Conditions"), mPages(new QTabWidget(this)) {
    mPages->setObjectName("Pages");
    auto* page1 = new QWidget;
    auto* grid1 = new QGridLayout(page1);
    int row = 0;
    addSwitchAndVariable(grid1, row, page1);
    mMinutes = RangeSpin(0, 99, page1, "SpinMinutes");
    mMinutes->setSuffix(" min.");
    mSeconds = RangeSpin(0, 59, page1, "SpinSeconds");
    mSeconds->setSuffix(" sec.");
    mTimerCompare = choices({"above", "below"}, page1, "GroupTimerCompare");
    auto* time = new QWidget(page1);
    auto* timeRow = new QHBoxLayout(time);
    timeRow->setContentsMargins(0, 0, 0, 0);
    timeRow->addWidget(mMinutes);
    timeRow->addWidget(mSeconds);
    addKind(fkTimer, "Timer", grid1, row, {mMinutes, mSeconds, mTimerCompare});
    grid1->addWidget(time, row, 1);
    grid1->addWidget(mTimerCompare, row++, 2);
    mMoney = RangeSpin(0, ConstantLimit, page1, "SpinMoney");
    mMoneyCompare = choices({"above", "below"}, page1, "GroupMoneyCompare");
    addKind(fkMoney, "Money", grid1, row, {mMoney, mMoneyCompare});
    grid1->addWidget(mMoney, row, 1);
    grid1->addWidget(mMoneyCompare, row++, 2);
    grid1->setRowStretch(row, 1);
    grid1->setColumnStretch(1, 1);

    auto* page2 = new QWidget;
    auto* grid2 = new QGridLayout(page2);
    row = 0;
    mItem = new TRecordCombo(listOf(items), page2);
    mItem->setObjectName("ComboItem");
    mItemHas = choices({"Has it", "Doesnt have it"}, page2, "GroupItemHas");
    addKind(fkItem, "Item", grid2, row, {mItem, mItemHas});
    grid2->addWidget(mItem, row, 1);
    grid2->addWidget(mItemHas, row++, 2);
    mHero = new TRecordCombo(listOf(heroes), page2);
    mHero->setObjectName("ComboHero");
    mHeroCondition = new THeroConditionBox(page2);
    mHeroCondition->setObjectName("BoxHeroCondition");
    addKind(fkHero, "Hero", grid2, row, {mHero, mHeroCondition});
    grid2->addWidget(mHero, row, 1);
    grid2->addWidget(mHeroCondition, row++, 2);
    mCharacter = new TCharacterCombo(page2);
    mCharacter->setObjectName("ComboCharacter");
    mDirection = choices({"Up", "Right", "Down", "Left"}, page2, "GroupDirection");
    addKind(fkCharacter, "Character", grid2, row, {mCharacter, mDirection});
    grid2->addWidget(mCharacter, row, 1);
    grid2->addWidget(mDirection, row++, 2);
    mVehicle = choices({"Boat", "Ship", "Airship"}, page2, "GroupVehicle");
    addKind(fkVehicle, "Vehicle", grid2, row, {mVehicle});
    grid2->addWidget(mVehicle, row++, 1, 1, 2);
    addKind(fkDecisionKey, "Started By Decision Key", grid2, row++, {}, 3);
    addKind(fkMusicOnce, "Play BGM Once", grid2, row++, {}, 3);
    grid2->setRowStretch(row, 1);
    grid2->setColumnStretch(1, 1);

    mPages->addTab(page1, "1");
    mPages->addTab(page2, "2");
    Body()->addWidget(mPages);
    Body()->addWidget(mElse);
}

void TFormEvCmd12010::LoadCommand(const TQelEventScriptLine* head) {
    TForkFields f = rememberedFork().Value();
    mCharacter->Fill(Context());
    if (head) {
        f.Kind = std::clamp(head->Param(0), 0, ForkKindCount - 1);
        f.Common.Load(*head);
        switch (f.Kind) {
        case fkTimer:
            f.Minutes = std::clamp(head->Param(1) / 60, 0, 99);
            f.Seconds = head->Param(1) % 60;
            f.TimerCompare = head->Param(2);
            break;
        case fkMoney:
            f.Money = head->Param(1);
            f.MoneyCompare = head->Param(2);
            break;
        case fkItem:
            f.Item = head->Param(1);
            f.ItemHas = head->Param(2);
            break;
        case fkHero:
            f.Hero = head->Param(1);
            f.HeroCondition = {head->Param(2), head->Text, head->Param(3)};
            break;
        case fkCharacter:
            f.Character = head->Param(1);
            f.Direction = head->Param(2);
            break;
        case fkVehicle:
            f.Vehicle = head->Param(1);
            break;
        default:
            break;
        }
        f.Else = head->Param(5) == 1;
    }
    showSwitchAndVariable(f.Common);
    mMinutes->setValue(f.Minutes);
    mSeconds->setValue(f.Seconds);
    mTimerCompare->SetIndex(f.TimerCompare);
    mMoney->setValue(f.Money);
    mMoneyCompare->SetIndex(f.MoneyCompare);
    mItem->SetID(f.Item);
    mItemHas->SetIndex(f.ItemHas);
    mHero->SetID(f.Hero);
    mHeroCondition->SetValue(f.HeroCondition);
    mCharacter->SetValue(f.Character);
    mDirection->SetIndex(f.Direction);
    mVehicle->SetIndex(f.Vehicle);
    mElse->setChecked(f.Else);
    setKind(f.Kind);
    mPages->setCurrentIndex(f.Kind < FirstPageKinds ? 0 : 1);
}

void TFormEvCmd12010::SaveCommand() {
    TForkFields f;
    f.Kind = Kind();
    f.Common = switchAndVariable();
    f.Minutes = mMinutes->value();
    f.Seconds = mSeconds->value();
    f.TimerCompare = mTimerCompare->Index();
    f.Money = mMoney->value();
    f.MoneyCompare = mMoneyCompare->Index();
    f.Item = mItem->ID();
    f.ItemHas = mItemHas->Index();
    f.Hero = mHero->ID();
    f.HeroCondition = mHeroCondition->Value();
    f.Character = mCharacter->Value();
    f.Direction = mDirection->Index();
    f.Vehicle = mVehicle->Index();
    f.Else = mElse->isChecked();
    rememberedFork().Set(f);

    std::vector<int32_t> values(4, 0);
    std::string text;
    switch (f.Kind) {
    case fkSwitch:
    case fkVariable:
        values = f.Common.Params(f.Kind);
        break;
    case fkTimer:
        values[0] = f.Minutes * 60 + f.Seconds;
        values[1] = f.TimerCompare;
        break;
    case fkMoney:
        values[0] = f.Money;
        values[1] = f.MoneyCompare;
        break;
    case fkItem:
        values[0] = f.Item;
        values[1] = f.ItemHas;
        break;
    case fkHero:
        values[0] = f.Hero;
        values[1] = f.HeroCondition.Test;
        values[2] = f.HeroCondition.Value;
        if (f.HeroCondition.Test == htName) text = f.HeroCondition.Name;
        break;
    case fkCharacter:
        values[0] = f.Character;
        values[1] = f.Direction;
        break;
    case fkVehicle:
        values[0] = f.Vehicle;
        break;
    default:
        break;
    }
    writeFork(f.Kind, values, text);
}

// ---- TFormEvCmd13310

namespace {

struct TBattleForkFields {
    int32_t Kind = fkSwitch;
    TSwitchVariableCondition Common;
    int32_t Hero = 1;
    int32_t Member = 0;
    bool Else = false;
};

TEvCmdOption<TBattleForkFields>& rememberedBattleFork() {
    static TEvCmdOption<TBattleForkFields> option{TBattleForkFields{}};
    return option;
}

} // namespace

TFormEvCmd13310::TFormEvCmd13310(QWidget* owner)
    : TForkFormBase(owner, 13310, "Fork Conditions"), mHero(new TRecordCombo(listOf(heroes), this)),
      mMember(new TCharacterCombo(this)) {
    mHero->setObjectName("ComboHero");
    mMember->setObjectName("ComboMember");
    auto* group = new QGroupBox("Condition", this);
    auto* grid = new QGridLayout(group);
    int row = 0;
    addSwitchAndVariable(grid, row, group);
    auto* heroLabel = new QLabel("Possible Behavior", group);
    addKind(bkHero, "Hero", grid, row, {mHero, heroLabel});
    grid->addWidget(mHero, row, 1);
    grid->addWidget(heroLabel, row++, 2);
    auto* memberLabel = new QLabel("Possible Behavior", group);
    addKind(bkMember, "Monsters", grid, row, {mMember, memberLabel});
    grid->addWidget(mMember, row, 1);
    grid->addWidget(memberLabel, row++, 2);
    grid->setColumnStretch(1, 1);
    Body()->addWidget(group);
    Body()->addWidget(mElse);
}

void TFormEvCmd13310::LoadCommand(const TQelEventScriptLine* head) {
    TBattleForkFields f = rememberedBattleFork().Value();
    mMember->Fill(Context());
    if (head) {
        f.Kind = std::clamp(head->Param(0), 0, BattleKindCount - 1);
        f.Common.Load(*head);
        if (f.Kind == bkHero) f.Hero = head->Param(1);
        if (f.Kind == bkMember) f.Member = head->Param(1);
        f.Else = head->Param(5) == 1;
    }
    showSwitchAndVariable(f.Common);
    mHero->SetID(f.Hero);
    mMember->SetValue(f.Member);
    mElse->setChecked(f.Else);
    setKind(f.Kind);
}

void TFormEvCmd13310::SaveCommand() {
    TBattleForkFields f;
    f.Kind = Kind();
    f.Common = switchAndVariable();
    f.Hero = mHero->ID();
    f.Member = mMember->Value();
    f.Else = mElse->isChecked();
    rememberedBattleFork().Set(f);

    std::vector<int32_t> values(4, 0);
    if (f.Kind == fkSwitch || f.Kind == fkVariable) values = f.Common.Params(f.Kind);
    if (f.Kind == bkHero) values[0] = f.Hero;
    if (f.Kind == bkMember) values[0] = f.Member;
    writeFork(f.Kind, values);
}

} // namespace tarvel
