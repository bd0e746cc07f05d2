#pragma once

#include "DataBaseControls.h"
#include "DataBaseList.h"
#include "data/LD_Skill.h"

class QGroupBox;
class QTabWidget;

namespace tarvel {

// "Skills": what a skill costs, whom it reaches and what it does. The kind decides which settings
// count: a normal skill works by its effect, a teleport or escape skill plays its sound, a
// switch skill turns its switch on; the others stay as they are and are kept.
class TFormEDSkill : public TFormDataBaseListOf<TQelSkillItem> {
    Q_OBJECT
public:
    TFormEDSkill(QWidget* parent, TQelDataBase& dataBase);

    QTabWidget* Pages() const { return mPages; }
    QComboBox* ComboType() const { return mType; }
    QSpinBox* SpinMPCost() const { return mMPCost; }
    QGroupBox* EffectGroup() const { return mEffect; }
    QGroupBox* SwitchGroup() const { return mSwitchGroup; }
    TMaterialBox* SoundBox() const { return mSound; }
    TRecordFlagList* Conditions() const { return mConditions; }
    TRecordFlagList* Attributes() const { return mAttributes; }

protected:
    void LoadRecord() override { mBinder.Load(); }
    void RefreshDerived() override;

private:
    TFieldBinder<TQelSkillItem> mBinder;
    QTabWidget* mPages = nullptr;
    QComboBox* mType = nullptr;
    QSpinBox* mMPCost = nullptr;
    QGroupBox* mEffect = nullptr;
    QGroupBox* mChanges = nullptr;
    QGroupBox* mSwitchGroup = nullptr;
    QGroupBox* mSoundGroup = nullptr;
    TMaterialBox* mSound = nullptr;
    TRecordFlagList* mConditions = nullptr;
    TRecordFlagList* mAttributes = nullptr;
};

} // namespace tarvel
