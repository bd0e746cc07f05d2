#pragma once

#include "DataBaseControls.h"
#include "DataBaseList.h"
#include "data/LD_Item.h"

class QGroupBox;
class QLabel;
class QTabWidget;

namespace tarvel {

// "Items": what an item costs and does. Its kind decides which settings show: equipment has its
// ability changes and who may equip it, weapons and armour their own flags, medicine what it
// recovers and cures, books and unique items a skill, material items the abilities they raise,
// switch items their switch. Settings a kind does not use keep their values.
class TFormEDItem : public TFormDataBaseListOf<TQelItemItem> {
    Q_OBJECT
public:
    TFormEDItem(QWidget* parent, TQelDataBase& dataBase);

    QComboBox* ComboType() const { return mType; }
    QSpinBox* SpinPrice() const { return mPrice; }
    QGroupBox* EquipGroup() const { return mEquip; }
    QGroupBox* WeaponGroup() const { return mWeapon; }
    QGroupBox* ArmorGroup() const { return mArmor; }
    QGroupBox* MedicineGroup() const { return mMedicine; }
    QGroupBox* SkillGroup() const { return mSkill; }
    QGroupBox* MaterialGroup() const { return mMaterial; }
    QGroupBox* SwitchGroup() const { return mSwitch; }
    QGroupBox* MedicineUseGroup() const { return mMedicineUse; }
    // The tables: "Could Equip", "Attack Attributes" and the conditions.
    enum { HeroTab, AttributeTab, ConditionTab };
    QTabWidget* Tables() const { return mTables; }
    TRecordFlagList* Heroes() const { return mHeroes; }
    TRecordFlagList* Conditions() const { return mConditions; }
    QSpinBox* SpinHitRate() const { return mHitRate; }
    QSpinBox* SpinRecovery(int index) const { return mRecovery[index]; }

protected:
    void LoadRecord() override { mBinder.Load(); }
    void RefreshDerived() override;

private:
    TFieldBinder<TQelItemItem> mBinder;
    QComboBox* mType = nullptr;
    QSpinBox* mPrice = nullptr;
    QComboBox* mUses = nullptr;
    QLabel* mUsesLabel = nullptr;
    QGroupBox* mEquip = nullptr;
    QGroupBox* mWeapon = nullptr;
    QGroupBox* mArmor = nullptr;
    QGroupBox* mMedicine = nullptr;
    QGroupBox* mSkill = nullptr;
    QWidget* mUsingMessage = nullptr;
    QLabel* mUsingMessageLabel = nullptr;
    QGroupBox* mMaterial = nullptr;
    QGroupBox* mSwitch = nullptr;
    QGroupBox* mMedicineUse = nullptr;
    QTabWidget* mTables = nullptr;
    QWidget* mChanceRow = nullptr;
    TRecordFlagList* mHeroes = nullptr;
    TRecordFlagList* mConditions = nullptr;
    TRecordFlagList* mAttributes = nullptr;
    QSpinBox* mHitRate = nullptr;
    QSpinBox* mRecovery[4] = {};
};

} // namespace tarvel
