#pragma once

#include "DataBaseControls.h"
#include "DataBaseList.h"
#include "data/LD_Condition.h"

class QTabWidget;

namespace tarvel {

// "Conditions": the states a hero or monster can be in, how likely each rank catches them, what
// they stop and weaken, how they are cured, what they cost every turn or step, and the battle
// messages that go with them.
class TFormEDStatus : public TFormDataBaseListOf<TQelStatusItem> {
    Q_OBJECT
public:
    TFormEDStatus(QWidget* parent, TQelDataBase& dataBase);

    QTabWidget* Pages() const { return mPages; }
    QSpinBox* SpinPriority() const { return mPriority; }
    QComboBox* ComboRestriction() const { return mRestriction; }
    QLineEdit* EditMessage(int index) const { return mMessages[index]; }
    QSpinBox* SpinLoss(int index) const { return mLosses[index]; }

protected:
    void LoadRecord() override { mBinder.Load(); }
    void RefreshDerived() override;

private:
    TFieldBinder<TQelStatusItem> mBinder;
    QTabWidget* mPages = nullptr;
    QSpinBox* mPriority = nullptr;
    QComboBox* mRestriction = nullptr;
    QCheckBox* mLimitOn[2] = {};
    QSpinBox* mLimit[2] = {};
    QLineEdit* mMessages[5] = {};
    QSpinBox* mLosses[8] = {};
};

} // namespace tarvel
