#include "DataMaxChange.h"

#include "controls/MessageBoxes.h"
#include "ui_DataMaxChange.h"

namespace tarvel {

TFormDataMaxChange::TFormDataMaxChange(QWidget* parent, int currentCount)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormDataMaxChange>()), mCurrent(currentCount) {
    ui->setupUi(this);
    ui->SpinMax->setRange(1, MaxRecords);
    ui->SpinMax->setValue(currentCount);
    ui->SpinMax->selectAll();
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormDataMaxChange::ButtonOkClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormDataMaxChange::~TFormDataMaxChange() = default;

int TFormDataMaxChange::Value() const {
    return ui->SpinMax->value();
}

void TFormDataMaxChange::ButtonOkClick() {
    // A value typed but not yet confirmed still counts.
    ui->SpinMax->interpretText();
    if (Value() < mCurrent && AskBox("Some Data will be lost ok?", QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Warning, this) != QMessageBox::Yes)
        return;
    accept();
}

} // namespace tarvel
