#include "ED_Skill.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "data/LD_DataBase.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {
enum { SkillNorm, SkillTeleport, SkillEscape, SkillSwitch };
}

TFormEDSkill::TFormEDSkill(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Skills(), ClipboardFormat::Skills),
      mBinder(*this, [this] { return Current(); }) {
    setObjectName("FormEDSkill");
    // Two sub-pages: the skill with its effect, and the conditions and attributes it carries.
    auto* areaLayout = new QVBoxLayout(EditorArea());
    areaLayout->setContentsMargins(0, 0, 0, 0);
    mPages = new QTabWidget(EditorArea());
    mPages->setObjectName("SkillPages");
    areaLayout->addWidget(mPages);
    auto* skillPage = new QWidget(mPages);
    QWidget* editor = MakeScrolledEditor(skillPage);
    mPages->addTab(skillPage, "Skill");
    auto* columns = new QHBoxLayout(editor);
    auto* first = new QVBoxLayout;
    auto* second = new QVBoxLayout;
    columns->addLayout(first, 1);
    columns->addLayout(second, 1);
    using S = TQelSkillItem;

    // ---- the skill and its messages
    auto* general = new QGroupBox("Skill", editor);
    auto* form = new QFormLayout(general);
    form->addRow("Name", EditName());
    form->addRow("Description", mBinder.Text(new QLineEdit(general), &S::Description));
    mType = mBinder.Choice(MakeChoiceBox(general, {"Norm", "Teleport", "Escape", "Switch"}), &S::SkillType);
    form->addRow("Kind", mType);
    mMPCost = mBinder.Spin(new QSpinBox(general), 0, 999, &S::MPCost);
    form->addRow("MP Cost", mMPCost);
    form->addRow("Scope", mBinder.Choice(MakeChoiceBox(general, {"Single Enemy", "All Enemy", "User",
                                                                 "Single Ally", "Whole Party"}),
                                         &S::Scope));
    form->addRow("Message 1", mBinder.Text(new QLineEdit(general), &S::UseMessage1));
    form->addRow("Message 2", mBinder.Text(new QLineEdit(general), &S::UseMessage2));
    const TQelVocabulary& words = dataBase.Vocabulary();
    QStringList failures;
    for (int id : {voSkillFailureA, voSkillFailureB, voSkillFailureC})
        failures << QString("%1: %2")
                        .arg(QChar('A' + id - voSkillFailureA))
                        .arg(QString::fromStdString(words.Text(id)));
    form->addRow("Failure Message", mBinder.Choice(MakeChoiceBox(general, failures), &S::FailureMessage));
    auto* usable = new QHBoxLayout;
    usable->addWidget(mBinder.Check(new QCheckBox("Field", general), &S::UsableInField));
    usable->addWidget(mBinder.Check(new QCheckBox("Battle", general), &S::UsableInBattle));
    usable->addStretch(1);
    form->addRow("Usable in", usable);
    first->addWidget(general);

    // ---- the switch of switch skills, the sound of teleport, escape and switch skills
    mSwitchGroup = new QGroupBox("Switch", editor);
    auto* switchForm = new QFormLayout(mSwitchGroup);
    switchForm->addRow("Turned ON",
                       mBinder.Switch(new TSwitchVariableBox(TIdKind::Switch, mSwitchGroup), &S::SwitchID));
    first->addWidget(mSwitchGroup);
    mSoundGroup = new QGroupBox("Sound Effect", editor);
    auto* soundForm = new QFormLayout(mSoundGroup);
    mSound = mBinder.Sound(new TMaterialBox(TMaterialBox::TKind::Sound, mSoundGroup), &S::Sound);
    soundForm->addRow("Sound", mSound);
    first->addStretch(1);

    // ---- the effect of a normal skill
    mEffect = new QGroupBox("Effect", editor);
    auto* effectForm = new QFormLayout(mEffect);
    auto* animation = new TRecordComboBox(mEffect);
    animation->Fill(dataBase.Animations());
    effectForm->addRow("Battle Animation", mBinder.RecordChoice(animation, &S::AnimationID));
    effectForm->addRow("Base Effect", mBinder.Spin(new QSpinBox(mEffect), 0, 9999, &S::BaseEffect));
    effectForm->addRow("Attack Influence", mBinder.Spin(new QSpinBox(mEffect), 0, 10, &S::AttackInfluence));
    effectForm->addRow("Mind Influence", mBinder.Spin(new QSpinBox(mEffect), 0, 10, &S::MindInfluence));
    effectForm->addRow("Variance", mBinder.Spin(new QSpinBox(mEffect), 0, 10, &S::Variance));
    effectForm->addRow("Hit Rate", Percent(mBinder.Spin(new QSpinBox(mEffect), 0, 100, &S::HitRate)));
    second->addWidget(mEffect);

    mChanges = new QGroupBox("Changes", editor);
    auto* changes = new QGridLayout(mChanges);
    const char* const effectCaptions[SkillEffectCount] = {"HP",   "MP",      "Attack", "Defense",
                                                          "Mind", "Agility", "Absorb", "Ignore Defense"};
    for (int i = 0; i < SkillEffectCount; ++i)
        changes->addWidget(mBinder.Check(new QCheckBox(effectCaptions[i], mChanges),
                                         [i](S& r) -> bool& { return r.Effects[i]; }),
                           i / 2, i % 2);
    second->addWidget(mChanges);
    second->addWidget(mSoundGroup);
    second->addStretch(1);

    // ---- the conditions and attributes it carries
    auto* tablesPage = new QWidget(mPages);
    auto* tables = new QHBoxLayout(tablesPage);
    auto* conditions = new QGroupBox("Conditions", tablesPage);
    auto* conditionColumn = new QVBoxLayout(conditions);
    mConditions = new TRecordFlagList(conditions);
    mConditions->Fill(dataBase.Conditions());
    mBinder.ConditionFlags(mConditions);
    conditionColumn->addWidget(mConditions);
    tables->addWidget(conditions);
    auto* attributes = new QGroupBox("Attributes", tablesPage);
    auto* attributeColumn = new QVBoxLayout(attributes);
    mAttributes = new TRecordFlagList(attributes);
    mAttributes->Fill(dataBase.Attributes());
    mBinder.AttributeFlags(mAttributes);
    attributeColumn->addWidget(mAttributes);
    attributeColumn->addWidget(
        mBinder.Check(new QCheckBox("Lower the target's resistance", attributes), &S::AffectDefense));
    tables->addWidget(attributes);
    mPages->addTab(tablesPage, "Condition, Attribute");
}

void TFormEDSkill::RefreshDerived() {
    const int type = mType->currentIndex();
    mEffect->setEnabled(type == SkillNorm);
    mChanges->setEnabled(type == SkillNorm);
    mSwitchGroup->setEnabled(type == SkillSwitch);
    mSoundGroup->setEnabled(type != SkillNorm);
}

} // namespace tarvel
