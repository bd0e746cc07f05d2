#include "SelMovie.h"

#include "platform/Material.h"
#include "ui_SelMovie.h"

namespace tarvel {

TFormSelMovie::TFormSelMovie(QWidget* parent)
    : TFormSelBase(parent, "Movie", MovieExtensions(), 4), ui(std::make_unique<Ui::TFormSelMovie>()) {
    ui->setupUi(this);
    AttachList(ui->DataList);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormSelMovie::~TFormSelMovie() = default;

} // namespace tarvel
