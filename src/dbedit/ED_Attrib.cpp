#include "ED_Attrib.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "data/LD_DataBase.h"
#include "records/ClipboardPort.h"

namespace tarvel {

TFormEDAttrib::TFormEDAttrib(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Attributes(), ClipboardFormat::Attributes),
      mBinder(*this, [this] { return Current(); }) {
    setObjectName("FormEDAttrib");
    QWidget* editor = MakeScrolledEditor(EditorArea());
    auto* column = new QVBoxLayout(editor);

    auto* general = new QGroupBox("Attribute", editor);
    auto* generalForm = new QFormLayout(general);
    generalForm->addRow("Name", EditName());
    auto* typeRow = new QVBoxLayout;
    mType = mBinder.Radio(MakeRadioGroup(general, typeRow, {"Arms Attribute", "Magic Attribute"}),
                          &TQelAttribItem::AttribType);
    generalForm->addRow("Type", typeRow);
    column->addWidget(general);

    auto* rates = new QGroupBox("Rate of Effect", editor);
    auto* ratesForm = new QFormLayout(rates);
    int32_t TQelAttribItem::*const fields[5] = {&TQelAttribItem::RateA, &TQelAttribItem::RateB,
                                                &TQelAttribItem::RateC, &TQelAttribItem::RateD,
                                                &TQelAttribItem::RateE};
    for (int rank = 0; rank < 5; ++rank) {
        mRates[rank] = Percent(mBinder.Spin(new QSpinBox(rates), -1000, 1000, fields[rank]));
        ratesForm->addRow(QString("Rank %1").arg(QChar('A' + rank)), mRates[rank]);
    }
    column->addWidget(rates);
    column->addStretch(1);
}

} // namespace tarvel
