#include "ED_Widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace tarvel {

TFieldBox::TFieldBox(TPick pick, QWidget* parent) : TPickerBox(parent), mPick(std::move(pick)) {
    Refresh();
}

void TFieldBox::SetValue(const std::string& value) {
    mValue = value;
    Refresh();
}

void TFieldBox::Refresh() {
    showText(mValue.empty() ? QStringLiteral("(None)") : QString::fromStdString(mValue));
}

void TFieldBox::Pick() {
    std::string value = mValue;
    if (!mPick || !mPick(value)) return;
    SetValue(value);
    emit changed();
}

TSliderSpin::TSliderSpin(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), mSlider(new QSlider(Qt::Horizontal, this)), mSpin(new QSpinBox(this)) {
    mSlider->setRange(minimum, maximum);
    mSpin->setRange(minimum, maximum);
    mSlider->setMinimumWidth(100);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mSlider, 1);
    layout->addWidget(mSpin);
    connect(mSlider, &QSlider::valueChanged, mSpin, &QSpinBox::setValue);
    connect(mSpin, &QSpinBox::valueChanged, mSlider, &QSlider::setValue);
    connect(mSpin, &QSpinBox::valueChanged, this, &TSliderSpin::valueChanged);
}

int TSliderSpin::Value() const {
    return mSpin->value();
}

void TSliderSpin::SetValue(int value) {
    mSpin->setValue(value);
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ButtonOk");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("ButtonCancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace tarvel
