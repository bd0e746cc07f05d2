#pragma once

#include "controls/FormQelBase.h"

class QSpinBox;

namespace tarvel {

// "Multi Copy": how many records, from the current one on, go to the clipboard. The box "How
// many" accepts 1 to the number of records from the current one to the end and starts there.
class TFormDataMultiCopy : public TFormQelBase {
    Q_OBJECT
public:
    TFormDataMultiCopy(QWidget* parent, int maximum);

    int Value() const;
    QSpinBox* SpinCount() const { return mSpin; }

private:
    QSpinBox* mSpin;
};

} // namespace tarvel
