#include "ED_Item.h"

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

namespace {

bool isEquipment(int type) {
    return type >= itWeapon && type <= itAccessory;
}

// Items that are used up.
bool isUsable(int type) {
    return type >= itMedicine && type <= itSwitch;
}

} // namespace

TFormEDItem::TFormEDItem(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Items(), ClipboardFormat::Items),
      mBinder(*this, [this] { return Current(); }) {
    setObjectName("FormEDItem");
    QWidget* editor = MakeScrolledEditor(EditorArea());
    // The item on the top left; the settings of its kind beside it and below it; the per-record
    // tables on the bottom right; medicine's long usage flags across the bottom.
    auto* grid = new QGridLayout(editor);
    auto* topRight = new QVBoxLayout;
    auto* bottomLeft = new QVBoxLayout;
    grid->addLayout(topRight, 0, 1);
    grid->addLayout(bottomLeft, 1, 0);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    using I = TQelItemItem;

    // ---- what every item has
    auto* general = new QGroupBox("Item", editor);
    auto* form = new QFormLayout(general);
    form->addRow("Name", EditName());
    form->addRow("Explanation", mBinder.Text(new QLineEdit(general), &I::Description));
    mType =
        mBinder.Choice(MakeChoiceBox(general, {"Common Goods", "Arms", "Shield", "Armor", "Helmet", "Other",
                                               "Medicine", "Book", "Material", "Unique", "Switch"}),
                       &I::ItemType);
    form->addRow("Kind", mType);
    mPrice = mBinder.Spin(new QSpinBox(general), 0, 999999, &I::Price);
    form->addRow("Price", mPrice);
    mUses = mBinder.Choice(MakeChoiceBox(general, {"Limitless", "1 (Normal)", "2", "3", "4", "5"}), &I::Uses);
    mUsesLabel = new QLabel("Use number of times", general);
    form->addRow(mUsesLabel, mUses);
    grid->addWidget(general, 0, 0);

    // ---- equipment
    mEquip = new QGroupBox("# of Ability Change", editor);
    auto* equipForm = new QFormLayout(mEquip);
    const char* const bonuses[4] = {"Attack", "Defense", "Mind", "Agility"};
    for (int i = 0; i < 4; ++i)
        equipForm->addRow(bonuses[i], mBinder.Spin(new QSpinBox(mEquip), -999, 999,
                                                   [i](I& r) -> int32_t& { return r.Bonuses[i]; }));
    bottomLeft->addWidget(mEquip);

    mWeapon = new QGroupBox("Arms", editor);
    auto* weaponForm = new QFormLayout(mWeapon);
    auto* hands = new QHBoxLayout;
    mBinder.Radio(MakeRadioGroup(mWeapon, hands, {"One", "Both"}), &I::TwoHanded);
    weaponForm->addRow("Wear Hand", hands);
    auto* animation = new TRecordComboBox(mWeapon);
    animation->Fill(dataBase.Animations());
    weaponForm->addRow("Battle Animation", mBinder.RecordChoice(animation, &I::AnimationID));
    weaponForm->addRow("MP Cost", mBinder.Spin(new QSpinBox(mWeapon), 0, 999, &I::MPCost));
    mHitRate = Percent(mBinder.Spin(new QSpinBox(mWeapon), 0, 100, &I::HitRate));
    weaponForm->addRow("Basis Hit Rate", mHitRate);
    weaponForm->addRow("Rise Kill Probability",
                       Percent(mBinder.Spin(new QSpinBox(mWeapon), 0, 100, &I::CriticalRate)));
    const char* const weaponFlags[4] = {"First Turn Strike", "2 Counter Attack", "Attack All Enemy",
                                        "Ignore Evasion Rate"};
    auto* weaponChecks = new QGridLayout;
    for (int i = 0; i < 4; ++i)
        weaponChecks->addWidget(mBinder.Check(new QCheckBox(weaponFlags[i], mWeapon),
                                              [i](I& r) -> bool& { return r.WeaponFlags[i]; }),
                                i / 2, i % 2);
    weaponForm->addRow(weaponChecks);
    topRight->addWidget(mWeapon);

    mArmor = new QGroupBox("Protection", editor);
    auto* armorColumn = new QVBoxLayout(mArmor);
    const char* const armorFlags[4] = {"Certain Kill (Regretful Hit)", "Mind Att.Avoid Up", "Half MP",
                                       "No Terrain Damage"};
    for (int i = 0; i < 4; ++i)
        armorColumn->addWidget(mBinder.Check(new QCheckBox(armorFlags[i], mArmor),
                                             [i](I& r) -> bool& { return r.ArmorFlags[i]; }));
    topRight->addWidget(mArmor);

    // ---- used-up items
    mMedicine = new QGroupBox("Medicine", editor);
    auto* medicineForm = new QFormLayout(mMedicine);
    auto* scope = new QVBoxLayout;
    mBinder.Radio(MakeRadioGroup(mMedicine, scope, {"Single Ally", "Whole Party"}), &I::EntireParty);
    medicineForm->addRow("Scope", scope);
    const char* const recovery[4] = {"HP Recovery", "HP Recovery", "MP Recovery", "MP Recovery"};
    for (int i = 0; i < 4; ++i) {
        mRecovery[i] = mBinder.Spin(new QSpinBox(mMedicine), 0, i % 2 == 0 ? 100 : 9999,
                                    [i](I& r) -> int32_t& { return r.Recovery[i]; });
        mRecovery[i]->setSuffix(i % 2 == 0 ? " %" : " points");
        medicineForm->addRow(recovery[i], mRecovery[i]);
    }
    topRight->addWidget(mMedicine);
    mMedicineUse = new QGroupBox("Use", editor);
    auto* useColumn = new QVBoxLayout(mMedicineUse);
    useColumn->addWidget(mBinder.Check(
        new QCheckBox("You may use it only in the field (menu screen).", mMedicineUse), &I::FieldOnly));
    useColumn->addWidget(
        mBinder.Check(new QCheckBox("It is effective only against impossible chara of battle.", mMedicineUse),
                      &I::DeadOnly));
    grid->addWidget(mMedicineUse, 2, 0, 1, 2);

    mSkill = new QGroupBox("Skill", editor);
    auto* skillForm = new QFormLayout(mSkill);
    auto* skill = new TRecordComboBox(mSkill);
    skill->Fill(dataBase.Skills());
    skillForm->addRow("Skill", mBinder.RecordChoice(skill, &I::SkillID));
    auto* message = new QWidget(mSkill);
    auto* messageRow = new QHBoxLayout(message);
    messageRow->setContentsMargins(0, 0, 0, 0);
    mBinder.Radio(MakeRadioGroup(message, messageRow, {"Common Item", "Unique TechSkill"}), &I::UsingMessage);
    mUsingMessage = message;
    mUsingMessageLabel = new QLabel("Message", mSkill);
    skillForm->addRow(mUsingMessageLabel, mUsingMessage);
    topRight->addWidget(mSkill);

    mMaterial = new QGroupBox("Ability Increase", editor);
    auto* materialForm = new QFormLayout(mMaterial);
    const char* const increases[6] = {"Max HP", "Max MP", "Attack", "Defense", "Mind", "Agility"};
    for (int i = 0; i < 6; ++i)
        materialForm->addRow(increases[i], mBinder.Spin(new QSpinBox(mMaterial), 0, 999,
                                                        [i](I& r) -> int32_t& { return r.Increases[i]; }));
    topRight->addWidget(mMaterial);

    mSwitch = new QGroupBox("Switch", editor);
    auto* switchForm = new QFormLayout(mSwitch);
    switchForm->addRow("Turned ON",
                       mBinder.Switch(new TSwitchVariableBox(TIdKind::Switch, mSwitch), &I::SwitchID));
    auto* usable = new QHBoxLayout;
    usable->addWidget(mBinder.Check(new QCheckBox("Field", mSwitch), &I::UsableInField));
    usable->addWidget(mBinder.Check(new QCheckBox("Battle", mSwitch), &I::UsableInBattle));
    usable->addStretch(1);
    switchForm->addRow("Usable in", usable);
    topRight->addWidget(mSwitch);

    // ---- per-record tables
    mTables = new QTabWidget(editor);
    mTables->setObjectName("Tables");
    mHeroes = new TRecordFlagList(mTables);
    mHeroes->Fill(dataBase.Heroes());
    mBinder.Flags(
        mHeroes, [](I& r, int id) { return r.CanEquip(id); },
        [](I& r, int id, bool on) {
            // Heroes beyond the table may equip the item; the table grows keeping that meaning.
            const int old = r.EquipCount;
            if (id > old) {
                r.SetEquipCount(id);
                for (int other = old + 1; other <= id; ++other)
                    r.SetCanEquip(other, true);
            }
            r.SetCanEquip(id, on);
        });
    mTables->addTab(mHeroes, "Could Equip");

    mAttributes = new TRecordFlagList(mTables);
    mAttributes->Fill(dataBase.Attributes());
    mBinder.AttributeFlags(mAttributes);
    mTables->addTab(mAttributes, "Attack Attributes");

    auto* conditions = new QWidget(mTables);
    auto* conditionColumn = new QVBoxLayout(conditions);
    conditionColumn->setContentsMargins(0, 0, 0, 0);
    mConditions = new TRecordFlagList(conditions);
    mConditions->Fill(dataBase.Conditions());
    mBinder.ConditionFlags(mConditions);
    conditionColumn->addWidget(mConditions);
    mChanceRow = new QWidget(conditions);
    auto* chanceForm = new QFormLayout(mChanceRow);
    chanceForm->setContentsMargins(4, 0, 4, 4);
    chanceForm->addRow("Condition change probability",
                       Percent(mBinder.Spin(new QSpinBox(mChanceRow), 0, 100, &I::ConditionChance)));
    conditionColumn->addWidget(mChanceRow);
    mTables->addTab(conditions, "Ghost Condition");
    grid->addWidget(mTables, 1, 1);

    topRight->addStretch(1);
    bottomLeft->addStretch(1);
    grid->setRowStretch(1, 1);
}

void TFormEDItem::RefreshDerived() {
    const int type = mType->currentIndex();
    const bool equipment = isEquipment(type);
    mUses->setVisible(isUsable(type));
    mUsesLabel->setVisible(isUsable(type));
    mEquip->setVisible(equipment);
    mWeapon->setVisible(type == itWeapon);
    mArmor->setVisible(equipment && type != itWeapon);
    mMedicine->setVisible(type == itMedicine);
    mMedicineUse->setVisible(type == itMedicine);
    mSkill->setVisible(type == itBook || type == itUnique);
    mUsingMessage->setVisible(type == itUnique);
    mUsingMessageLabel->setVisible(type == itUnique);
    mMaterial->setVisible(type == itMaterial);
    mSwitch->setVisible(type == itSwitch);
    // Equipment has all three tables; medicine only the conditions it treats.
    mTables->setVisible(equipment || type == itMedicine);
    mTables->setTabVisible(HeroTab, equipment);
    mTables->setTabVisible(AttributeTab, equipment);
    mTables->setTabVisible(ConditionTab, equipment || type == itMedicine);
    mTables->setTabText(ConditionTab, type == itMedicine ? "Treatment for condition" : "Ghost Condition");
    if (type == itMedicine) mTables->setCurrentIndex(ConditionTab);
    mChanceRow->setVisible(equipment);
}

} // namespace tarvel
