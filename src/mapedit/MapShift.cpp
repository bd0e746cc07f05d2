#include "MapShift.h"

#include "ui_MapShift.h"
#include "ui_MapShipPos.h"

namespace tarvel {

namespace {
// The last choice, kept until the editor exits.
TFormMapShift::Direction gLastDirection = TFormMapShift::Up;
int gLastAmount = 1;
} // namespace

TFormMapShift::TFormMapShift(QWidget* parent, int mapWidth, int mapHeight)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormMapShift>()), mWidth(mapWidth), mHeight(mapHeight) {
    ui->setupUi(this);
    QRadioButton* radios[] = {ui->RadioUp, ui->RadioLeft, ui->RadioRight, ui->RadioDown};
    radios[gLastDirection]->setChecked(true);
    updateRange();
    ui->SpinAmount->setValue(gLastAmount);
    for (QRadioButton* radio : radios)
        connect(radio, &QRadioButton::toggled, this, &TFormMapShift::updateRange);
    connect(ui->ButtonOk, &QPushButton::clicked, this, [this] {
        gLastDirection = direction();
        gLastAmount = ui->SpinAmount->value();
        accept();
    });
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormMapShift::~TFormMapShift() = default;

TFormMapShift::Direction TFormMapShift::direction() const {
    if (ui->RadioLeft->isChecked()) return Left;
    if (ui->RadioRight->isChecked()) return Right;
    if (ui->RadioDown->isChecked()) return Down;
    return Up;
}

void TFormMapShift::updateRange() {
    Direction d = direction();
    ui->SpinAmount->setMaximum(std::max(1, d == Up || d == Down ? mHeight : mWidth));
}

void TFormMapShift::Offset(int& dx, int& dy) const {
    int n = ui->SpinAmount->value();
    dx = dy = 0;
    switch (direction()) {
    case Up:
        dy = -n;
        break;
    case Left:
        dx = -n;
        break;
    case Right:
        dx = n;
        break;
    case Down:
        dy = n;
        break;
    }
}

TFormMapShipPos::TFormMapShipPos(QWidget* parent)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormMapShipPos>()) {
    ui->setupUi(this);
    ui->ListVehicles->setCurrentRow(0);
    connect(ui->ListVehicles, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormMapShipPos::~TFormMapShipPos() = default;

int TFormMapShipPos::Vehicle() const {
    return ui->ListVehicles->currentRow() + 1;
}

} // namespace tarvel
