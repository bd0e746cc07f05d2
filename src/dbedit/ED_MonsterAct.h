#pragma once

#include "controls/FormQelBase.h"
#include "data/LD_Monster.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace tarvel {

class TSwitchVariableBox;
class TQelDataBase;
class TRecordComboBox;

// One entry of a monster's "Action Pattern": what the monster does, when, how much it prefers it
// and the switches it sets afterwards. Edits a copy; the caller takes it back after OK.
class TFormEDMonsterAct : public TFormQelBase {
    Q_OBJECT
public:
    TFormEDMonsterAct(QWidget* parent, TQelDataBase& dataBase);
    ~TFormEDMonsterAct() override;

    void SetAction(const TQelMonsterActItem& action);
    const TQelMonsterActItem& Action() const { return mAction; }

    QButtonGroup* KindGroup() const { return mKind; }
    QComboBox* ComboBasic() const { return mBasic; }
    TRecordComboBox* ComboSkill() const { return mSkill; }
    TRecordComboBox* ComboTransform() const { return mTransform; }
    QComboBox* ComboCondition() const { return mCondition; }
    QSpinBox* SpinParam(int index) const { return mParams[index]; }
    QSpinBox* SpinRating() const { return mRating; }

    // The line texts of an action in the pattern list: what it does and when.
    static QString ActionText(const TQelMonsterActItem& action, const TQelDataBase& dataBase);
    static QString ConditionText(const TQelMonsterActItem& action, const TQelDataBase& dataBase);
    static const QStringList& BasicActionNames();
    static const QStringList& ConditionNames();

private:
    void load();
    void store();
    void refresh();

    TQelDataBase& mDataBase;
    TQelMonsterActItem mAction;
    bool mLoading = false;
    QButtonGroup* mKind;
    QComboBox* mBasic;
    TRecordComboBox* mSkill;
    TRecordComboBox* mTransform;
    QComboBox* mCondition;
    QLabel* mParamLabel;
    QSpinBox* mParams[2];
    QLabel* mParamJoin;
    QLabel* mParamTail;
    QWidget* mParamRow;
    TSwitchVariableBox* mConditionSwitch;
    QWidget* mConditionSwitchRow;
    QSpinBox* mRating;
    QCheckBox* mSwitchOn;
    TSwitchVariableBox* mSwitchOnBox;
    QCheckBox* mSwitchOff;
    TSwitchVariableBox* mSwitchOffBox;
};

} // namespace tarvel
