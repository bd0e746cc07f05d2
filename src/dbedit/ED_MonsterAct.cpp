#include "ED_MonsterAct.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "DataBaseControls.h"
#include "data/LD_DataBase.h"

namespace tarvel {

namespace {

QString recordName(const TCatalog& records, int32_t id) {
    const TCatalogItem* item = records.Find(id);
    return QString::asprintf("%.4d:", id) + (item ? QString::fromStdString(item->Name) : QString());
}

struct TParamShape {
    const char* label;
    const char* join;
    const char* tail;
    int minimum;
    int maximum;
};

// What the two numbers of each condition look like in the dialog.
TParamShape paramShape(int condition) {
    switch (condition) {
    case acTurnNumber:
        return {"Turn", " + ", " X", 0, 9999};
    case acGroupCount:
        return {"Members", " to ", "", 0, 8};
    case acOwnHP:
    case acOwnMP:
    case acPartyExhaustion:
        return {"From", " % to ", " %", 0, 100};
    case acPartyLevel:
        return {"Level", " to ", "", 1, 99};
    default:
        return {"", "", "", 0, 0};
    }
}

} // namespace

const QStringList& TFormEDMonsterAct::BasicActionNames() {
    static const QStringList names = {"Attack",    "Double Attack", "Defense", "Observe",
                                      "Charge Up", "Self-Destruct", "Escape",  "No Action"};
    return names;
}

const QStringList& TFormEDMonsterAct::ConditionNames() {
    static const QStringList names = {
        "Usually",    "Switch",     "Turn Number",        "Group Individual Number",
        "Oneself HP", "Oneself MP", "Hero Balance Level", "Hero Exaustion Times"};
    return names;
}

QString TFormEDMonsterAct::ActionText(const TQelMonsterActItem& action, const TQelDataBase& dataBase) {
    switch (action.ActKind) {
    case 0:
        return action.BasicAction < BasicActionNames().size() ? BasicActionNames()[action.BasicAction]
                                                              : QString("Action %1").arg(action.BasicAction);
    case 1:
        return "Skill " + recordName(dataBase.Skills(), action.SkillID);
    case 2:
        return "Transform " + recordName(dataBase.Monsters(), action.TransformID);
    default:
        return QString("Kind %1").arg(action.ActKind);
    }
}

QString TFormEDMonsterAct::ConditionText(const TQelMonsterActItem& action, const TQelDataBase& dataBase) {
    const int a = action.ConditionParam1;
    const int b = action.ConditionParam2;
    switch (action.ConditionType) {
    case acUsually:
        return "Usually";
    case acSwitch:
        return "Switch " + TSwitchVariableBox::Label(TIdKind::Switch, action.ConditionSwitch);
    case acTurnNumber:
        return QString("Turn %1 + %2 X").arg(a).arg(b);
    case acGroupCount:
        return QString("Members %1 - %2").arg(a).arg(b);
    case acOwnHP:
        return QString("HP %1 - %2 %").arg(a).arg(b);
    case acOwnMP:
        return QString("MP %1 - %2 %").arg(a).arg(b);
    case acPartyLevel:
        return QString("Hero Level %1 - %2").arg(a).arg(b);
    case acPartyExhaustion:
        return QString("Hero Exaustion %1 - %2 %").arg(a).arg(b);
    default:
        return QString("Condition %1").arg(action.ConditionType);
    }
}

TFormEDMonsterAct::TFormEDMonsterAct(QWidget* parent, TQelDataBase& dataBase)
    : TFormQelBase(parent), mDataBase(dataBase), mKind(new QButtonGroup(this)), mBasic(new QComboBox(this)),
      mSkill(new TRecordComboBox(this)), mTransform(new TRecordComboBox(this)),
      mCondition(new QComboBox(this)) {
    setObjectName("FormEDMonsterAct");
    setWindowTitle("Action Pattern");
    auto* layout = new QVBoxLayout(this);

    auto* subject = new QGroupBox("Action Subject", this);
    auto* subjectGrid = new QGridLayout(subject);
    const char* const kinds[3] = {"Standard Action", "Skills", "Transformation"};
    QWidget* choices[3] = {mBasic, mSkill, mTransform};
    mBasic->addItems(BasicActionNames());
    mSkill->Fill(dataBase.Skills());
    mTransform->Fill(dataBase.Monsters());
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(kinds[i], subject);
        mKind->addButton(radio, i);
        subjectGrid->addWidget(radio, i, 0);
        choices[i]->setParent(subject);
        subjectGrid->addWidget(choices[i], i, 1);
    }
    subjectGrid->setColumnStretch(1, 1);
    layout->addWidget(subject);

    auto* condition = new QGroupBox("Action Conditions", this);
    auto* conditionForm = new QFormLayout(condition);
    mCondition->setParent(condition);
    mCondition->addItems(ConditionNames());
    conditionForm->addRow("Condition", mCondition);
    mParamRow = new QWidget(condition);
    auto* paramLayout = new QHBoxLayout(mParamRow);
    paramLayout->setContentsMargins(0, 0, 0, 0);
    mParamLabel = new QLabel(mParamRow);
    mParamJoin = new QLabel(mParamRow);
    mParamTail = new QLabel(mParamRow);
    for (int i = 0; i < 2; ++i)
        mParams[i] = new QSpinBox(mParamRow);
    paramLayout->addWidget(mParamLabel);
    paramLayout->addWidget(mParams[0]);
    paramLayout->addWidget(mParamJoin);
    paramLayout->addWidget(mParams[1]);
    paramLayout->addWidget(mParamTail);
    paramLayout->addStretch(1);
    conditionForm->addRow(mParamRow);
    mConditionSwitchRow = new QWidget(condition);
    auto* switchRow = new QHBoxLayout(mConditionSwitchRow);
    switchRow->setContentsMargins(0, 0, 0, 0);
    switchRow->addWidget(new QLabel("Switch", mConditionSwitchRow));
    mConditionSwitch = new TSwitchVariableBox(TIdKind::Switch, mConditionSwitchRow);
    switchRow->addWidget(mConditionSwitch, 1);
    switchRow->addWidget(new QLabel("ON", mConditionSwitchRow));
    conditionForm->addRow(mConditionSwitchRow);
    layout->addWidget(condition);

    auto* after = new QGroupBox("Switches", this);
    auto* afterForm = new QFormLayout(after);
    mSwitchOn = new QCheckBox("Action to ON Switch", after);
    mSwitchOnBox = new TSwitchVariableBox(TIdKind::Switch, after);
    mSwitchOff = new QCheckBox("Action to OFF Switch", after);
    mSwitchOffBox = new TSwitchVariableBox(TIdKind::Switch, after);
    afterForm->addRow(mSwitchOn, mSwitchOnBox);
    afterForm->addRow(mSwitchOff, mSwitchOffBox);
    layout->addWidget(after);

    auto* ratingForm = new QFormLayout;
    mRating = new QSpinBox(this);
    mRating->setRange(1, 100);
    ratingForm->addRow("Preference", mRating);
    layout->addLayout(ratingForm);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ButtonOk");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("ButtonCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    auto changed = [this] {
        if (mLoading) return;
        store();
        refresh();
    };
    connect(mKind, &QButtonGroup::idToggled, this, changed);
    for (QComboBox* box :
         {mBasic, static_cast<QComboBox*>(mSkill), static_cast<QComboBox*>(mTransform), mCondition})
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    for (QSpinBox* box : {mParams[0], mParams[1], mRating})
        connect(box, &QSpinBox::valueChanged, this, changed);
    for (QCheckBox* box : {mSwitchOn, mSwitchOff})
        connect(box, &QCheckBox::toggled, this, changed);
    for (TSwitchVariableBox* box : {mConditionSwitch, mSwitchOnBox, mSwitchOffBox})
        connect(box, &TPickerBox::changed, this, changed);
    setMinimumWidth(420);
}

TFormEDMonsterAct::~TFormEDMonsterAct() = default;

void TFormEDMonsterAct::SetAction(const TQelMonsterActItem& action) {
    mAction.Assign(action);
    mAction.SetID(action.ID);
    load();
}

void TFormEDMonsterAct::load() {
    mLoading = true;
    if (QAbstractButton* kind = mKind->button(mAction.ActKind)) kind->setChecked(true);
    mBasic->setCurrentIndex(mAction.BasicAction < mBasic->count() ? mAction.BasicAction : -1);
    mSkill->SetID(mAction.SkillID);
    mTransform->SetID(mAction.TransformID);
    mCondition->setCurrentIndex(mAction.ConditionType < mCondition->count() ? mAction.ConditionType : -1);
    mRating->setValue(mAction.Rating);
    mSwitchOn->setChecked(mAction.SwitchOnFlag);
    mSwitchOff->setChecked(mAction.SwitchOffFlag);
    mConditionSwitch->SetValue(mAction.ConditionSwitch);
    mSwitchOnBox->SetValue(mAction.SwitchOnID);
    mSwitchOffBox->SetValue(mAction.SwitchOffID);
    refresh();
    mLoading = false;
}

void TFormEDMonsterAct::store() {
    if (mKind->checkedId() >= 0) mAction.ActKind = uint8_t(mKind->checkedId());
    if (mBasic->currentIndex() >= 0) mAction.BasicAction = uint8_t(mBasic->currentIndex());
    mAction.SkillID = mSkill->ID();
    mAction.TransformID = mTransform->ID();
    if (mCondition->currentIndex() >= 0) mAction.ConditionType = uint8_t(mCondition->currentIndex());
    const TParamShape shape = paramShape(mAction.ConditionType);
    if (shape.maximum > 0) {
        mAction.ConditionParam1 = mParams[0]->value();
        mAction.ConditionParam2 = mParams[1]->value();
    }
    mAction.Rating = mRating->value();
    mAction.SwitchOnFlag = mSwitchOn->isChecked();
    mAction.SwitchOffFlag = mSwitchOff->isChecked();
    mAction.ConditionSwitch = mConditionSwitch->Value();
    mAction.SwitchOnID = mSwitchOnBox->Value();
    mAction.SwitchOffID = mSwitchOffBox->Value();
}

void TFormEDMonsterAct::refresh() {
    const bool wasLoading = mLoading;
    mLoading = true;
    mBasic->setEnabled(mAction.ActKind == 0);
    mSkill->setEnabled(mAction.ActKind == 1);
    mTransform->setEnabled(mAction.ActKind == 2);
    // The numbers show in the shape of the chosen condition; they change only when edited.
    const TParamShape shape = paramShape(mAction.ConditionType);
    mParamRow->setVisible(shape.maximum > 0);
    mParamLabel->setText(shape.label);
    mParamJoin->setText(shape.join);
    mParamTail->setText(shape.tail);
    for (int i = 0; i < 2; ++i)
        mParams[i]->setRange(shape.minimum, std::max(shape.maximum, shape.minimum));
    mParams[0]->setValue(mAction.ConditionParam1);
    mParams[1]->setValue(mAction.ConditionParam2);
    // A stored number outside the range is shown at its nearest end and kept until the user
    // changes something; once the user chose another condition, what shows is what is stored.
    if (!wasLoading && shape.maximum > 0) {
        mAction.ConditionParam1 = mParams[0]->value();
        mAction.ConditionParam2 = mParams[1]->value();
    }
    mConditionSwitchRow->setVisible(mAction.ConditionType == acSwitch);
    mSwitchOnBox->setEnabled(mAction.SwitchOnFlag);
    mSwitchOffBox->setEnabled(mAction.SwitchOffFlag);
    mLoading = wasLoading;
}

} // namespace tarvel
