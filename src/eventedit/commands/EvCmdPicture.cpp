#include "EvCmdPicture.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "EvCmdOptions.h"
#include "EvCmdParts.h"
#include "EvCmdScreen.h"
#include "EvCmdWidgets.h"
#include "controls/DialogPlacement.h"

namespace tarvel {

namespace {

constexpr int PictureCount = 20;
// The centre of a picture given directly, in screen pixels.
constexpr int MinX = -640, MaxX = 960, MinY = -480, MaxY = 720;
constexpr int DefaultX = 160, DefaultY = 120;

TPosition defaultPosition() {
    TPosition position;
    position.X = DefaultX;
    position.Y = DefaultY;
    return position;
}

} // namespace

// ---- TPictureLook

std::vector<int32_t> TPictureLook::Stored() const {
    std::vector<int32_t> values = Tone;
    values.push_back(Effect);
    values.push_back(Effect == 0 ? 0 : Power);
    return values;
}

void TPictureLook::Load(const TQelEventScriptLine& head) {
    Tone = {head.Param(8), head.Param(9), head.Param(10), head.Param(11)};
    Effect = head.Param(12);
    if (Effect != 0) Power = head.Param(13);
}

// ---- TFormEvCmdPicAttr

TFormEvCmdPicAttr::TFormEvCmdPicAttr(QWidget* owner)
    : TFormQelBase(owner),
      mTone(new TColourSliders("Colour", {"Red", "Green", "Blue", "Saturation"}, 0, 200, this)),
      mEffect(new TRadioGroup("Effect", {"None", "Rotation", "Ripple"}, Qt::Horizontal, this)),
      mPower(RangeSpin(1, 10, this, "SpinPower")) {
    setObjectName("FormEvCmdPicAttr");
    setWindowTitle("Other Attribute display");
    mTone->setObjectName("Tone");
    mEffect->setObjectName("GroupEffect");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mTone);
    auto* effectRow = new QHBoxLayout;
    effectRow->addWidget(mEffect, 1);
    effectRow->addWidget(new QLabel("Speed / Strength", this));
    effectRow->addWidget(mPower);
    layout->addLayout(effectRow);
    AddOkCancel(this, layout);
    connect(mEffect, &TRadioGroup::indexChanged, this, &TFormEvCmdPicAttr::enableByEffect);
}

TPictureLook TFormEvCmdPicAttr::Look() const {
    return {mTone->Values(), mEffect->Index(), mPower->value()};
}

void TFormEvCmdPicAttr::SetLook(const TPictureLook& look) {
    mTone->SetValues(look.Tone);
    mEffect->SetIndex(look.Effect);
    mPower->setValue(look.Power);
    enableByEffect();
}

void TFormEvCmdPicAttr::enableByEffect() {
    mPower->setEnabled(mEffect->Index() != 0);
}

// ---- TPictureForm

TPictureForm::TPictureForm(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption), mNumber(RangeSpin(1, PictureCount, this, "SpinNumber")),
      mPosition(new TPositionEdit("Centre Position", MaxX, MaxY, MinX, MinY, this)),
      mZoom(RangeSpin(0, 2000, this, "SpinZoom")), mTransparency(RangeSpin(0, 100, this, "SpinTransparency")),
      mAttributes(new QPushButton("Other Attribute display...", this)) {
    mPosition->setObjectName("Position");
    mZoom->setSuffix(" %");
    mTransparency->setSuffix(" %");
    mAttributes->setObjectName("ButtonAttributes");
    mAttributes->setAutoDefault(false);
    connect(mAttributes, &QPushButton::clicked, this, &TPictureForm::ButtonAttributesClick);
}

void TPictureForm::ButtonAttributesClick() {
    TFormEvCmdPicAttr form(this);
    form.SetLook(mLook);
    CenterOnOwner(&form);
    if (form.exec() == QDialog::Accepted) mLook = form.Look();
}

// ---- TFormEvCmd11110

namespace {

struct TShowPictureFields {
    int32_t Number = 1;
    std::string Name;
    TPosition Position = defaultPosition();
    bool Scroll = false;
    int32_t Zoom = 100;
    int32_t Transparency = 0;
    bool Key = true;
    TPictureLook Look;
};

TEvCmdOption<TShowPictureFields>& rememberedShowPicture() {
    static TEvCmdOption<TShowPictureFields> option{TShowPictureFields{}};
    return option;
}

// The rows of magnification and transparency, with what else a dialog puts beside them.
QGroupBox* sizeGroup(QWidget* parent, QSpinBox* zoom, QSpinBox* transparency) {
    auto* group = new QGroupBox("Display", parent);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Magnification", group), 0, 0);
    grid->addWidget(zoom, 0, 1);
    grid->addWidget(new QLabel("Transparency", group), 1, 0);
    grid->addWidget(transparency, 1, 1);
    grid->setColumnStretch(2, 1);
    return group;
}

} // namespace

TFormEvCmd11110::TFormEvCmd11110(QWidget* owner)
    : TPictureForm(owner, 11110, "Show Pic"), mPicture(new TMaterialBox(TMaterialBox::TKind::Picture, this)),
      mScroll(new QCheckBox("Scroll with Map", this)),
      mKey(new TRadioGroup("Transparent Colour", {"Stir", "None"}, Qt::Horizontal, this)) {
    mPicture->setObjectName("BoxPicture");
    mScroll->setObjectName("CheckScroll");
    mKey->setObjectName("GroupKey");
    auto* top = new QGridLayout;
    top->addWidget(new QLabel("Picture Number", this), 0, 0);
    top->addWidget(mNumber, 0, 1);
    top->addWidget(new QLabel("Picture", this), 1, 0);
    top->addWidget(mPicture, 1, 1, 1, 2);
    top->setColumnStretch(2, 1);
    Body()->addLayout(top);
    Body()->addWidget(mPosition);
    Body()->addWidget(mScroll);
    auto* looks = new QHBoxLayout;
    looks->addWidget(sizeGroup(this, mZoom, mTransparency));
    looks->addWidget(mKey, 0, Qt::AlignTop);
    Body()->addLayout(looks);
    Body()->addWidget(mAttributes, 0, Qt::AlignLeft);
    connect(mPicture, &TPickerBox::changed, this, &TFormEvCmd11110::enableOk);
}

void TFormEvCmd11110::enableOk() {
    ButtonOk()->setEnabled(!mPicture->FileName().empty());
}

void TFormEvCmd11110::LoadCommand(const TQelEventScriptLine* head) {
    TShowPictureFields f = rememberedShowPicture().Value();
    if (head) {
        f.Number = head->Param(0);
        f.Name = head->Text;
        f.Position.Load(head->Param(1), head->Param(2), head->Param(3));
        f.Scroll = head->Param(4) == 1;
        f.Zoom = head->Param(5);
        f.Transparency = head->Param(6);
        f.Key = head->Param(7) == 1;
        f.Look.Load(*head);
    }
    mNumber->setValue(f.Number);
    mPicture->SetFileName(f.Name);
    mPosition->SetValue(f.Position);
    mScroll->setChecked(f.Scroll);
    mZoom->setValue(f.Zoom);
    mTransparency->setValue(f.Transparency);
    mKey->SetIndex(f.Key ? 0 : 1);
    mLook = f.Look;
    enableOk();
}

void TFormEvCmd11110::SaveCommand() {
    TShowPictureFields f{mNumber->value(), mPicture->FileName(),   mPosition->Value(), mScroll->isChecked(),
                         mZoom->value(),   mTransparency->value(), mKey->Index() == 0, mLook};
    rememberedShowPicture().Set(f);
    std::vector<int32_t> params = {
        f.Number,         f.Position.Mode, f.Position.StoredX(), f.Position.StoredY(),
        f.Scroll ? 1 : 0, f.Zoom,          f.Transparency,       f.Key ? 1 : 0};
    for (int32_t v : f.Look.Stored())
        params.push_back(v);
    WriteLine({Code(), 0, f.Name, params});
}

// ---- TFormEvCmd11120

namespace {

struct TMovePictureFields {
    int32_t Number = 1;
    TPosition Position = defaultPosition();
    int32_t Zoom = 100;
    int32_t Transparency = 0;
    TPictureLook Look;
    int32_t Time = TTenthsSpin::DefaultTenths;
};

TEvCmdOption<TMovePictureFields>& rememberedMovePicture() {
    static TEvCmdOption<TMovePictureFields> option{TMovePictureFields{}};
    return option;
}

} // namespace

TFormEvCmd11120::TFormEvCmd11120(QWidget* owner)
    : TPictureForm(owner, 11120, "Move Pic"), mTime(new TTimeAndWait(this)) {
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Picture Number", this));
    top->addWidget(mNumber);
    top->addStretch(1);
    Body()->addLayout(top);
    Body()->addWidget(mPosition);
    Body()->addWidget(sizeGroup(this, mZoom, mTransparency));
    Body()->addWidget(mAttributes, 0, Qt::AlignLeft);
    Body()->addWidget(mTime);
}

void TFormEvCmd11120::LoadCommand(const TQelEventScriptLine* head) {
    TMovePictureFields f = rememberedMovePicture().Value();
    if (head) {
        f.Number = head->Param(0);
        f.Position.Load(head->Param(1), head->Param(2), head->Param(3));
        f.Zoom = head->Param(5);
        f.Transparency = head->Param(6);
        f.Look.Load(*head);
    }
    mNumber->setValue(f.Number);
    mPosition->SetValue(f.Position);
    mZoom->setValue(f.Zoom);
    mTransparency->setValue(f.Transparency);
    mLook = f.Look;
    mTime->Load(head, 14, 15, f.Time);
}

void TFormEvCmd11120::SaveCommand() {
    TMovePictureFields f{
        mNumber->value(),      mPosition->Value(), mZoom->value(), mTransparency->value(), mLook,
        mTime->Time()->value()};
    rememberedMovePicture().Set(f);
    mTime->Wait()->Remember();
    // A moved picture keeps whether it scrolls and its transparent colour: both are written as 0.
    std::vector<int32_t> params = {f.Number, f.Position.Mode, f.Position.StoredX(), f.Position.StoredY(),
                                   0,        f.Zoom,          f.Transparency,       0};
    for (int32_t v : f.Look.Stored())
        params.push_back(v);
    params.push_back(f.Time);
    params.push_back(mTime->Wait()->isChecked() ? 1 : 0);
    WriteLine({Code(), 0, {}, params});
}

// ---- TFormEvCmd11130

namespace {

TEvCmdOption<int32_t>& rememberedErasePicture() {
    static TEvCmdOption<int32_t> option{1};
    return option;
}

} // namespace

TFormEvCmd11130::TFormEvCmd11130(QWidget* owner)
    : TFormEvCmdBase(owner, 11130, "Erase Pic"), mNumber(RangeSpin(1, PictureCount, this, "SpinNumber")) {
    auto* group = new QGroupBox("Picture Number", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mNumber, 1);
    Body()->addWidget(group);
}

void TFormEvCmd11130::LoadCommand(const TQelEventScriptLine* head) {
    mNumber->setValue(head ? head->Param(0) : rememberedErasePicture().Value());
}

void TFormEvCmd11130::SaveCommand() {
    rememberedErasePicture().Set(mNumber->value());
    WriteLine({Code(), 0, {}, {mNumber->value()}});
}

} // namespace tarvel
