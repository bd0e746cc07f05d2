#pragma once

#include "DataBaseControls.h"
#include "DataBaseList.h"
#include "data/LD_Attribute.h"

namespace tarvel {

// "Attributes": the kind of each attribute and how strongly it works on each of the five ranks
// that heroes and monsters hold against it.
class TFormEDAttrib : public TFormDataBaseListOf<TQelAttribItem> {
    Q_OBJECT
public:
    TFormEDAttrib(QWidget* parent, TQelDataBase& dataBase);

    QButtonGroup* TypeGroup() const { return mType; }
    QSpinBox* RateSpin(int rank) const { return mRates[rank]; }

protected:
    void LoadRecord() override { mBinder.Load(); }

private:
    TFieldBinder<TQelAttribItem> mBinder;
    QButtonGroup* mType = nullptr;
    QSpinBox* mRates[5] = {};
};

} // namespace tarvel
