#include "DataMultiCopy.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvel {

TFormDataMultiCopy::TFormDataMultiCopy(QWidget* parent, int maximum)
    : TFormQelBase(parent), mSpin(new QSpinBox(this)) {
    setObjectName("FormDataMultiCopy");
    setWindowTitle("Multi Copy");
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* form = new QFormLayout;
    mSpin->setObjectName("SpinCount");
    mSpin->setRange(1, std::max(1, maximum));
    mSpin->setValue(std::max(1, maximum));
    mSpin->setMinimumWidth(80);
    mSpin->selectAll();
    form->addRow("How many", mSpin);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ButtonOk");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("ButtonCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        mSpin->interpretText();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int TFormDataMultiCopy::Value() const {
    return mSpin->value();
}

} // namespace tarvel
