#include "SelSystem.h"

#include <QRadioButton>

#include "ui_SelSystem.h"

namespace tarvel {

namespace {

void checkByTag(std::initializer_list<QRadioButton*> buttons, int value) {
    for (QRadioButton* button : buttons)
        if (button->property("tag").toInt() == value) button->setChecked(true);
}

} // namespace

TFormSelSystem::TFormSelSystem(QWidget* parent)
    : TFormSelImageBase(parent, "System", QSize(160, 128)), ui(std::make_unique<Ui::TFormSelSystem>()) {
    ui->setupUi(this);
    AttachList(ui->DataList);
    AttachPreview(ui->PaintBox, QSize(160, 128));
    // Each radio button stores the value of its tag.
    for (QRadioButton* button : {ui->RadioEnlarge, ui->RadioTile})
        connect(button, &QRadioButton::toggled, this, [this, button](bool on) {
            if (on) mWallpaperMode = button->property("tag").toInt();
        });
    for (QRadioButton* button : {ui->RadioFont1, ui->RadioFont2})
        connect(button, &QRadioButton::toggled, this, [this, button](bool on) {
            if (on) mGameFont = button->property("tag").toInt();
        });
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormSelSystem::~TFormSelSystem() = default;

void TFormSelSystem::SetWallpaperMode(int mode) {
    mWallpaperMode = mode;
    checkByTag({ui->RadioEnlarge, ui->RadioTile}, mode);
}

void TFormSelSystem::SetGameFont(int font) {
    mGameFont = font;
    checkByTag({ui->RadioFont1, ui->RadioFont2}, font);
}

} // namespace tarvel
