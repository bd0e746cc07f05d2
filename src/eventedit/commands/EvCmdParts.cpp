#include "EvCmdParts.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "EvCmdWidgets.h"

namespace tarvel {

QComboBox* WordCombo(const QStringList& words, QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(words);
    combo->setMaxVisibleItems(22);
    return combo;
}

void SetWord(QComboBox* combo, int row) {
    combo->setCurrentIndex(row >= 0 && row < combo->count() ? row : 0);
}

QSpinBox* RangeSpin(int minimum, int maximum, QWidget* parent, const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    return spin;
}

void AddOkCancel(QDialog* dialog, QVBoxLayout* layout) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton("&Ok", dialog);
    ok->setObjectName("ButtonOk");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", dialog);
    cancel->setObjectName("ButtonCancel");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

// ---- TValueSlider

TValueSlider::TValueSlider(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), mSlider(new QSlider(Qt::Horizontal, this)), mSpin(new QSpinBox(this)) {
    mSlider->setRange(minimum, maximum);
    mSpin->setRange(minimum, maximum);
    mSlider->setMinimumWidth(120);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mSlider, 1);
    layout->addWidget(mSpin);
    connect(mSlider, &QSlider::valueChanged, this, [this](int value) {
        if (mSpin->value() != value) mSpin->setValue(value);
        emit valueChanged(value);
    });
    connect(mSpin, &QSpinBox::valueChanged, mSlider, &QSlider::setValue);
}

int TValueSlider::Value() const {
    return mSlider->value();
}

void TValueSlider::SetValue(int value) {
    mSlider->setValue(std::clamp(value, mSlider->minimum(), mSlider->maximum()));
    mSpin->setValue(mSlider->value());
}

// ---- TColourSliders

TColourSliders::TColourSliders(const QString& title, const QStringList& labels, int minimum, int maximum,
                               QWidget* parent)
    : QGroupBox(title, parent) {
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < labels.size(); ++i) {
        auto* slider = new TValueSlider(minimum, maximum, this);
        slider->setObjectName(QStringLiteral("Slider%1").arg(i));
        grid->addWidget(new QLabel(labels[i], this), i, 0);
        grid->addWidget(slider, i, 1);
        mSliders.push_back(slider);
    }
    grid->setColumnStretch(1, 1);
}

std::vector<int32_t> TColourSliders::Values() const {
    std::vector<int32_t> values;
    for (const TValueSlider* slider : mSliders)
        values.push_back(slider->Value());
    return values;
}

void TColourSliders::SetValues(const std::vector<int32_t>& values) {
    for (size_t i = 0; i < mSliders.size() && i < values.size(); ++i)
        mSliders[i]->SetValue(values[i]);
}

// ---- TPositionEdit

void TPosition::Load(int32_t mode, int32_t x, int32_t y) {
    Mode = mode == 1 ? 1 : 0;
    (Mode == 1 ? VariableX : X) = x;
    (Mode == 1 ? VariableY : Y) = y;
}

TPositionEdit::TPositionEdit(const QString& title, int maxX, int maxY, int minX, int minY, QWidget* parent)
    : QGroupBox(title, parent), mRadioFixed(new QRadioButton("Specific", this)),
      mRadioVariable(new QRadioButton("Variable", this)), mX(RangeSpin(minX, maxX, this, "SpinX")),
      mY(RangeSpin(minY, maxY, this, "SpinY")), mVariableX(new TSwitchVariableBox(TIdKind::Variable, this)),
      mVariableY(new TSwitchVariableBox(TIdKind::Variable, this)) {
    mRadioFixed->setObjectName("RadioPositionFixed");
    mRadioVariable->setObjectName("RadioPositionVariable");
    mVariableX->setObjectName("BoxVariableX");
    mVariableY->setObjectName("BoxVariableY");
    auto* grid = new QGridLayout(this);
    grid->addWidget(mRadioFixed, 0, 0);
    grid->addWidget(new QLabel("X", this), 0, 1);
    grid->addWidget(mX, 0, 2);
    grid->addWidget(new QLabel("Y", this), 0, 3);
    grid->addWidget(mY, 0, 4);
    grid->addWidget(mRadioVariable, 1, 0);
    grid->addWidget(new QLabel("X", this), 1, 1);
    grid->addWidget(mVariableX, 1, 2);
    grid->addWidget(new QLabel("Y", this), 1, 3);
    grid->addWidget(mVariableY, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    mRadioFixed->setChecked(true);
    connect(mRadioFixed, &QRadioButton::toggled, this, [this] {
        enableByMode();
        emit changed();
    });
    for (QSpinBox* spin : {mX, mY})
        connect(spin, &QSpinBox::valueChanged, this, &TPositionEdit::changed);
    for (TSwitchVariableBox* box : {mVariableX, mVariableY})
        connect(box, &TPickerBox::changed, this, &TPositionEdit::changed);
    enableByMode();
}

TPosition TPositionEdit::Value() const {
    return {mRadioVariable->isChecked() ? 1 : 0, mX->value(), mY->value(), mVariableX->Value(),
            mVariableY->Value()};
}

void TPositionEdit::SetValue(const TPosition& value) {
    mX->setValue(value.X);
    mY->setValue(value.Y);
    mVariableX->SetValue(value.VariableX);
    mVariableY->SetValue(value.VariableY);
    (value.Mode == 1 ? mRadioVariable : mRadioFixed)->setChecked(true);
    enableByMode();
}

void TPositionEdit::enableByMode() {
    const bool fixed = mRadioFixed->isChecked();
    mX->setEnabled(fixed);
    mY->setEnabled(fixed);
    mVariableX->setEnabled(!fixed);
    mVariableY->setEnabled(!fixed);
}

} // namespace tarvel
