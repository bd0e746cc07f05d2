#include "ED_Status.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "data/LD_DataBase.h"
#include "records/ClipboardPort.h"

namespace tarvel {

TFormEDStatus::TFormEDStatus(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Conditions(), ClipboardFormat::Conditions),
      mBinder(*this, [this] { return Current(); }) {
    setObjectName("FormEDStatus");
    // Two sub-pages: the condition with its effects, and what it costs with its messages.
    auto* areaLayout = new QVBoxLayout(EditorArea());
    areaLayout->setContentsMargins(0, 0, 0, 0);
    mPages = new QTabWidget(EditorArea());
    mPages->setObjectName("ConditionPages");
    areaLayout->addWidget(mPages);
    auto* firstPage = new QWidget(mPages);
    QWidget* editor = MakeScrolledEditor(firstPage);
    auto* columns = new QHBoxLayout(editor);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    mPages->addTab(firstPage, "Condition");
    auto* secondPage = new QWidget(mPages);
    QWidget* secondEditor = MakeScrolledEditor(secondPage);
    auto* secondColumn = new QVBoxLayout(secondEditor);
    mPages->addTab(secondPage, "Decrease, Messages");
    using S = TQelStatusItem;

    // ---- the condition itself
    auto* general = new QGroupBox("Condition", editor);
    auto* form = new QFormLayout(general);
    form->addRow("Name", EditName());
    auto* typeRow = new QVBoxLayout;
    mBinder.Radio(MakeRadioGroup(general, typeRow, {"Combat Effect", "Move Effect"}), &S::StatusType);
    form->addRow("Classification", typeRow);
    form->addRow("Colour", mBinder.Spin(new QSpinBox(general), 0, 19, &S::Colour));
    mPriority = mBinder.Spin(new QSpinBox(general), 0, 100, &S::Priority);
    form->addRow("Preference", mPriority);
    mRestriction = mBinder.Choice(
        MakeChoiceBox(general, {"Restriction", "Action Inside", "Common Enemy Attack", "Common Ally Attack"}),
        &S::Restriction);
    form->addRow("Action Limitation", mRestriction);
    left->addWidget(general);

    // ---- ranks
    auto* rates = new QGroupBox("Plaque Rate", editor);
    auto* ratesForm = new QFormLayout(rates);
    int32_t S::*const rateFields[5] = {&S::RateA, &S::RateB, &S::RateC, &S::RateD, &S::RateE};
    for (int rank = 0; rank < 5; ++rank)
        ratesForm->addRow(QString("Rank %1").arg(QChar('A' + rank)),
                          Percent(mBinder.Spin(new QSpinBox(rates), 0, 100, rateFields[rank])));
    right->addWidget(rates);

    // ---- cure
    auto* cure = new QGroupBox("Cure Method", editor);
    auto* cureForm = new QFormLayout(cure);
    cureForm->addRow("Recovery after turns", mBinder.Spin(new QSpinBox(cure), 0, 999, &S::CureTurns));
    cureForm->addRow("% Cure Probability", Percent(mBinder.Spin(new QSpinBox(cure), 0, 100, &S::CureRate)));
    cureForm->addRow("Shock From Healing",
                     Percent(mBinder.Spin(new QSpinBox(cure), 0, 100, &S::ShockCureRate)));
    right->addWidget(cure);

    // ---- what it weakens
    auto* ability = new QGroupBox("Half Ability Cost", editor);
    auto* abilityColumn = new QVBoxLayout(ability);
    auto* halfGrid = new QGridLayout;
    const char* const halves[4] = {"Attack", "Defense", "Mind", "Agility"};
    for (int i = 0; i < 4; ++i)
        halfGrid->addWidget(mBinder.Check(new QCheckBox(halves[i], ability),
                                          [i](S& r) -> bool& { return r.HalfParameters[i]; }),
                            i / 2, i % 2);
    abilityColumn->addLayout(halfGrid);
    auto* hitForm = new QFormLayout;
    hitForm->addRow("Change Hit Rate Cost",
                    Percent(mBinder.Spin(new QSpinBox(ability), 0, 100, &S::HitRateChange)));
    abilityColumn->addLayout(hitForm);
    abilityColumn->addStretch(1);
    left->addWidget(ability);
    left->addStretch(1);

    auto* skills = new QGroupBox("Use Smart Chang.Skill", editor);
    auto* skillsForm = new QFormLayout(skills);
    mLimitOn[0] = mBinder.Check(new QCheckBox("More than TechSkill", skills), &S::SkillLimitOn1);
    mLimit[0] = mBinder.Spin(new QSpinBox(skills), 0, 999, &S::SkillLimit1);
    mLimitOn[1] = mBinder.Check(new QCheckBox("More than TechSkill", skills), &S::SkillLimitOn2);
    mLimit[1] = mBinder.Spin(new QSpinBox(skills), 0, 999, &S::SkillLimit2);
    for (int i = 0; i < 2; ++i)
        skillsForm->addRow(mLimitOn[i], mLimit[i]);
    right->addWidget(skills);
    right->addStretch(1);

    // ---- losses per battle turn and on the map
    auto* losses = new QGroupBox("Decr.HP / Decr.MP", editor);
    auto* lossGrid = new QGridLayout(losses);
    lossGrid->addWidget(new QLabel("HP", losses), 0, 1);
    lossGrid->addWidget(new QLabel("MP", losses), 0, 2);
    const char* const lossRows[4] = {"Each turn, %", "Each turn, points", "On the map, every N steps",
                                     "On the map, points"};
    for (int row = 0; row < 4; ++row) {
        lossGrid->addWidget(new QLabel(lossRows[row], losses), row + 1, 0);
        for (int side = 0; side < 2; ++side) {
            const int index = side * 4 + row;
            mLosses[index] = mBinder.Spin(new QSpinBox(losses), 0, row == 0 ? 100 : 999,
                                          [index](S& r) -> int32_t& { return r.Losses[index]; });
            lossGrid->addWidget(mLosses[index], row + 1, side + 1);
        }
    }
    // The boxes stand beside their captions, the room left over goes to the right.
    lossGrid->setColumnStretch(3, 1);
    secondColumn->addWidget(losses);

    // ---- messages
    auto* messages = new QGroupBox("Messages", editor);
    auto* messageForm = new QFormLayout(messages);
    const char* const captions[5] = {"Ally State Message", "Enemy State Message",
                                     "Already This State msg.(Blank for Miss)",
                                     "State is Regular for One(Blank for Miss)", "Recovery State Message"};
    for (int i = 0; i < 5; ++i) {
        mMessages[i] =
            mBinder.Text(new QLineEdit(messages), [i](S& r) -> std::string& { return r.Messages[i]; });
        messageForm->addRow(captions[i], mMessages[i]);
    }
    secondColumn->addWidget(messages);
    secondColumn->addStretch(1);
}

void TFormEDStatus::RefreshDerived() {
    // A limit's value counts only while its box is ticked.
    for (int i = 0; i < 2; ++i)
        mLimit[i]->setEnabled(mLimitOn[i]->isChecked());
}

} // namespace tarvel
