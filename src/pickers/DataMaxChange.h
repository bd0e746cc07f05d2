#pragma once

#include <memory>

#include "controls/FormQelBase.h"

namespace Ui {
class TFormDataMaxChange;
}

namespace tarvel {

// "Data Maximum": asks for a new number of records (1..5000), starting at the current one.
// Lowering it asks "Some Data will be lost ok?" first; No keeps the dialog open. The caller
// places the dialog and changes the records after OK.
class TFormDataMaxChange : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int MaxRecords = 5000;

    TFormDataMaxChange(QWidget* parent, int currentCount);
    ~TFormDataMaxChange() override;
    Ui::TFormDataMaxChange* form() const { return ui.get(); }

    int CurrentCount() const { return mCurrent; }
    // The accepted number.
    int Value() const;

private:
    void ButtonOkClick();

    std::unique_ptr<Ui::TFormDataMaxChange> ui;
    int mCurrent;
};

} // namespace tarvel
