#include "EvCmdBattle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

#include "EvCmdOptions.h"
#include "EvCmdWidgets.h"
#include "data/LD_DataBase.h"

namespace tarvel {

// ---- TEnemyForm

TEnemyForm::TEnemyForm(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption), mMember(new TCharacterCombo(this)) {
    mMember->setObjectName("ComboMember");
    auto* group = new QGroupBox("Monsters", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mMember, 1);
    Body()->addWidget(group);
}

void TEnemyForm::loadMember(const TQelEventScriptLine* head) {
    mMember->Fill(Context());
    mMember->SetValue(head ? head->Param(0) : SharedMemberIndex().Value());
}

int32_t TEnemyForm::saveMember() {
    const int32_t member = mMember->Value();
    SharedMemberIndex().Set(member);
    return member;
}

// ---- TEnemyPointsForm

namespace {

struct TEnemyPointsFields {
    int32_t Operation = 0;
    TFixedOrVariable Operand;
    bool Defeat = false;
};

TEvCmdOption<TEnemyPointsFields>& rememberedEnemyPoints(int32_t code) {
    static TEvCmdOption<TEnemyPointsFields> hp{TEnemyPointsFields{}};
    static TEvCmdOption<TEnemyPointsFields> mp{TEnemyPointsFields{}};
    return code == 13110 ? hp : mp;
}

} // namespace

TEnemyPointsForm::TEnemyPointsForm(QWidget* owner, int32_t code, const QString& caption, int maximum)
    : TEnemyForm(owner, code, caption),
      mOperation(new TRadioGroup("Operation", {"Recovery", "Decrease"}, Qt::Horizontal, this)),
      mOperand(new TOperandEdit("Amount", 1, maximum, this)) {
    mOperation->setObjectName("GroupOperation");
    mOperand->setObjectName("Operand");
    Body()->addWidget(mOperation);
    Body()->addWidget(mOperand);
    if (code == 13110) {
        mDefeat = new QCheckBox("Battle Incomplete to approve??", this);
        mDefeat->setObjectName("CheckDefeat");
        Body()->addWidget(mDefeat);
        connect(mOperation, &TRadioGroup::indexChanged, this, &TEnemyPointsForm::enableDefeat);
    }
}

void TEnemyPointsForm::enableDefeat() {
    if (mDefeat) mDefeat->setEnabled(mOperation->Index() == 1);
}

void TEnemyPointsForm::LoadCommand(const TQelEventScriptLine* head) {
    loadMember(head);
    TEnemyPointsFields f = rememberedEnemyPoints(Code()).Value();
    if (head) {
        f.Operation = head->Param(1);
        f.Operand.Load(head->Param(2), head->Param(3));
        f.Defeat = head->Param(4) == 1;
    }
    mOperation->SetIndex(f.Operation);
    mOperand->SetValue(f.Operand);
    if (mDefeat) mDefeat->setChecked(f.Defeat);
    enableDefeat();
}

void TEnemyPointsForm::SaveCommand() {
    const int32_t member = saveMember();
    TEnemyPointsFields f{mOperation->Index(), mOperand->Value(), mDefeat && mDefeat->isChecked()};
    rememberedEnemyPoints(Code()).Set(f);
    std::vector<int32_t> params = {member, f.Operation, f.Operand.Mode, f.Operand.Stored()};
    // Only a reduction can defeat the monster.
    if (mDefeat) params.push_back(f.Operation == 1 && f.Defeat ? 1 : 0);
    WriteLine({Code(), 0, {}, params});
}

// ---- TFormEvCmd13130

namespace {

struct TEnemyConditionFields {
    int32_t Operation = 0;
    int32_t Condition = 1;
};

TEvCmdOption<TEnemyConditionFields>& rememberedEnemyCondition() {
    static TEvCmdOption<TEnemyConditionFields> option{TEnemyConditionFields{}};
    return option;
}

} // namespace

TFormEvCmd13130::TFormEvCmd13130(QWidget* owner)
    : TEnemyForm(owner, 13130, "Change Enemy Condition"),
      mOperation(new TRadioGroup("Operation", {"Add Condition", "Cancel Condition"}, Qt::Horizontal, this)),
      mCondition(new TRecordCombo(QelDataBase() ? &QelDataBase()->Conditions() : nullptr, this)) {
    mOperation->setObjectName("GroupOperation");
    mCondition->setObjectName("ComboCondition");
    Body()->addWidget(mOperation);
    auto* group = new QGroupBox("Condition", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mCondition, 1);
    Body()->addWidget(group);
}

void TFormEvCmd13130::LoadCommand(const TQelEventScriptLine* head) {
    loadMember(head);
    TEnemyConditionFields f = rememberedEnemyCondition().Value();
    if (head) f = {head->Param(1), head->Param(2)};
    mOperation->SetIndex(f.Operation);
    mCondition->SetID(f.Condition);
}

void TFormEvCmd13130::SaveCommand() {
    const int32_t member = saveMember();
    TEnemyConditionFields f{mOperation->Index(), mCondition->ID()};
    rememberedEnemyCondition().Set(f);
    WriteLine({Code(), 0, {}, {member, f.Operation, f.Condition}});
}

// ---- TFormEvCmd13150

void TFormEvCmd13150::SaveCommand() {
    WriteLine({Code(), 0, {}, {saveMember()}});
}

} // namespace tarvel
