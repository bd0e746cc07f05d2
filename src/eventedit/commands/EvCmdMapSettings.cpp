#include "EvCmdMapSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "EvCmdOptions.h"
#include "EvCmdParts.h"
#include "EvCmdWidgets.h"
#include "controls/BoardView.h"
#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "mapedit_core/MapGraphics.h"
#include "pickers/SelReplChip.h"

namespace tarvel {

// ---- TFormEvCmd11610

namespace {

struct TPasswordFields {
    int32_t Variable = 1;
    bool Wait = true;
    std::array<bool, 3> Keys = {true, true, true};
};

TEvCmdOption<TPasswordFields>& rememberedPassword() {
    static TEvCmdOption<TPasswordFields> option{TPasswordFields{}};
    return option;
}

} // namespace

TFormEvCmd11610::TFormEvCmd11610(QWidget* owner)
    : TFormEvCmdBase(owner, 11610, "Enter Password"),
      mVariable(new TSwitchVariableBox(TIdKind::Variable, this)),
      mWait(new QCheckBox("Wait untill key hit", this)) {
    mVariable->setObjectName("BoxVariable");
    mWait->setObjectName("CheckWaitKey");
    auto* variable = new QGroupBox("Store the Key in", this);
    auto* row = new QHBoxLayout(variable);
    row->addWidget(mVariable, 1);
    Body()->addWidget(variable);
    Body()->addWidget(mWait);
    auto* keys = new QGroupBox("Keys", this);
    auto* column = new QVBoxLayout(keys);
    const char* captions[] = {"Direction Keys (1-4)", "Decision Key (5)", "Cancel Key (6)"};
    for (size_t i = 0; i < mKeys.size(); ++i) {
        mKeys[i] = new QCheckBox(captions[i], keys);
        mKeys[i]->setObjectName(QStringLiteral("CheckKey%1").arg(i));
        column->addWidget(mKeys[i]);
    }
    Body()->addWidget(keys);
}

void TFormEvCmd11610::LoadCommand(const TQelEventScriptLine* head) {
    TPasswordFields f = rememberedPassword().Value();
    if (head) {
        f.Variable = head->Param(0);
        f.Wait = head->Param(1) == 1;
        for (size_t i = 0; i < f.Keys.size(); ++i)
            f.Keys[i] = head->Param(int(i) + 2) == 1;
    }
    mVariable->SetValue(f.Variable);
    mWait->setChecked(f.Wait);
    for (size_t i = 0; i < mKeys.size(); ++i)
        mKeys[i]->setChecked(f.Keys[i]);
}

void TFormEvCmd11610::SaveCommand() {
    TPasswordFields f;
    f.Variable = mVariable->Value();
    f.Wait = mWait->isChecked();
    for (size_t i = 0; i < mKeys.size(); ++i)
        f.Keys[i] = mKeys[i]->isChecked();
    rememberedPassword().Set(f);
    WriteLine({Code(),
               0,
               {},
               {f.Variable, f.Wait ? 1 : 0, f.Keys[0] ? 1 : 0, f.Keys[1] ? 1 : 0, f.Keys[2] ? 1 : 0}});
}

// ---- TFormEvCmd11710

namespace {

TEvCmdOption<int32_t>& rememberedChipSet() {
    static TEvCmdOption<int32_t> option{1};
    return option;
}

} // namespace

TFormEvCmd11710::TFormEvCmd11710(QWidget* owner)
    : TFormEvCmdBase(owner, 11710, "Change ChipSet"),
      mChipSet(new TRecordCombo(QelDataBase() ? &QelDataBase()->ChipSets() : nullptr, this)) {
    mChipSet->setObjectName("ComboChipSet");
    auto* group = new QGroupBox("ChipSet", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mChipSet, 1);
    Body()->addWidget(group);
}

void TFormEvCmd11710::LoadCommand(const TQelEventScriptLine* head) {
    mChipSet->SetID(head ? head->Param(0) : rememberedChipSet().Value());
}

void TFormEvCmd11710::SaveCommand() {
    rememberedChipSet().Set(mChipSet->ID());
    WriteLine({Code(), 0, {}, {mChipSet->ID()}});
}

// ---- TFormEvCmd11720

namespace {

constexpr int MaxScrollSpeed = 8;

struct TPanoramaFields {
    std::string Name;
    bool HorzLoop = false;
    bool HorzAuto = false;
    int32_t HorzSpeed = 0;
    bool VertLoop = false;
    bool VertAuto = false;
    int32_t VertSpeed = 0;
};

TEvCmdOption<TPanoramaFields>& rememberedPanorama() {
    static TEvCmdOption<TPanoramaFields> option{TPanoramaFields{}};
    return option;
}

} // namespace

TFormEvCmd11720::TFormEvCmd11720(QWidget* owner)
    : TFormEvCmdBase(owner, 11720, "Change Parallax Background"),
      mPanorama(new TMaterialBox(TMaterialBox::TKind::Panorama, this)),
      mHorizontal(makeAxis("Horizontal Loop", "Horz")), mVertical(makeAxis("Vertical Loop", "Vert")) {
    mPanorama->setObjectName("BoxPanorama");
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Background", this));
    top->addWidget(mPanorama, 1);
    Body()->addLayout(top);
    auto* axes = new QHBoxLayout;
    for (const TAxis* axis : {&mHorizontal, &mVertical}) {
        auto* group = new QGroupBox(this);
        auto* grid = new QGridLayout(group);
        grid->addWidget(axis->Loop, 0, 0, 1, 2);
        grid->addWidget(axis->Auto, 1, 0, 1, 2);
        grid->addWidget(new QLabel("Speed", group), 2, 0);
        grid->addWidget(axis->Speed, 2, 1);
        axes->addWidget(group);
    }
    Body()->addLayout(axes);
    connect(mPanorama, &TPickerBox::changed, this, &TFormEvCmd11720::enableControls);
}

TFormEvCmd11720::TAxis TFormEvCmd11720::makeAxis(const QString& title, const char* prefix) {
    TAxis axis{new QCheckBox(title, this), new QCheckBox("Auto Scroll", this),
               RangeSpin(-MaxScrollSpeed, MaxScrollSpeed, this, "")};
    axis.Loop->setObjectName(QStringLiteral("Check%1Loop").arg(prefix));
    axis.Auto->setObjectName(QStringLiteral("Check%1Auto").arg(prefix));
    axis.Speed->setObjectName(QStringLiteral("Spin%1Speed").arg(prefix));
    connect(axis.Loop, &QCheckBox::toggled, this, &TFormEvCmd11720::enableControls);
    connect(axis.Auto, &QCheckBox::toggled, this, &TFormEvCmd11720::enableControls);
    return axis;
}

void TFormEvCmd11720::enableControls() {
    for (const TAxis* axis : {&mHorizontal, &mVertical}) {
        axis->Auto->setEnabled(axis->Loop->isChecked());
        axis->Speed->setEnabled(axis->Loop->isChecked() && axis->Auto->isChecked());
    }
    ButtonOk()->setEnabled(!mPanorama->FileName().empty());
}

void TFormEvCmd11720::LoadCommand(const TQelEventScriptLine* head) {
    TPanoramaFields f = rememberedPanorama().Value();
    if (head) {
        f = {head->Text,          head->Param(0) == 1, head->Param(2) == 1, head->Param(3),
             head->Param(1) == 1, head->Param(4) == 1, head->Param(5)};
    }
    mPanorama->SetFileName(f.Name);
    mHorizontal.Loop->setChecked(f.HorzLoop);
    mHorizontal.Auto->setChecked(f.HorzAuto);
    mHorizontal.Speed->setValue(f.HorzSpeed);
    mVertical.Loop->setChecked(f.VertLoop);
    mVertical.Auto->setChecked(f.VertAuto);
    mVertical.Speed->setValue(f.VertSpeed);
    enableControls();
}

void TFormEvCmd11720::SaveCommand() {
    TPanoramaFields f{mPanorama->FileName(),         mHorizontal.Loop->isChecked(),
                      mHorizontal.Auto->isChecked(), mHorizontal.Speed->value(),
                      mVertical.Loop->isChecked(),   mVertical.Auto->isChecked(),
                      mVertical.Speed->value()};
    rememberedPanorama().Set(f);
    // Auto-scroll belongs to its loop and the speed to auto-scroll: what is not offered is 0.
    const bool horzAuto = f.HorzLoop && f.HorzAuto;
    const bool vertAuto = f.VertLoop && f.VertAuto;
    WriteLine({Code(),
               0,
               f.Name,
               {f.HorzLoop ? 1 : 0, f.VertLoop ? 1 : 0, horzAuto ? 1 : 0, horzAuto ? f.HorzSpeed : 0,
                vertAuto ? 1 : 0, vertAuto ? f.VertSpeed : 0}});
}

// ---- TFormEvCmd11740

namespace {

TEvCmdOption<int32_t>& rememberedEncounter() {
    static TEvCmdOption<int32_t> option{25};
    return option;
}

} // namespace

TFormEvCmd11740::TFormEvCmd11740(QWidget* owner)
    : TFormEvCmdBase(owner, 11740, "Change Enemy Encounter"), mSteps(RangeSpin(0, 999, this, "SpinSteps")) {
    auto* group = new QGroupBox("Encount.Steps:", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mSteps, 1);
    Body()->addWidget(group);
}

void TFormEvCmd11740::LoadCommand(const TQelEventScriptLine* head) {
    mSteps->setValue(head ? head->Param(0) : rememberedEncounter().Value());
}

void TFormEvCmd11740::SaveCommand() {
    rememberedEncounter().Set(mSteps->value());
    WriteLine({Code(), 0, {}, {mSteps->value()}});
}

// ---- TFormEvCmd11750

namespace {

struct TChipFields {
    int32_t Layer = 0;
    std::array<std::array<int32_t, 2>, 2> Chips{};
};

TEvCmdOption<TChipFields>& rememberedChip() {
    static TEvCmdOption<TChipFields> option{TChipFields{}};
    return option;
}

int chipBase(int layer) {
    return layer == 0 ? TFormSelReplChip::LowerBase : TFormSelReplChip::UpperBase;
}

TQelChipSetGraphic* chipSetOf(const TEvCmdContext& context) {
    TMapGraphics* graphics = context.Map ? MapGraphicsOf(*context.Map) : nullptr;
    return graphics ? &graphics->ChipSet() : nullptr;
}

} // namespace

TFormEvCmd11750::TFormEvCmd11750(QWidget* owner)
    : TFormEvCmdBase(owner, 11750, "Change Chip"),
      mLayer(new TRadioGroup("Layer", {"Lower Chip", "Chip Above"}, Qt::Horizontal, this)) {
    mLayer->setObjectName("GroupLayer");
    Body()->addWidget(mLayer);
    auto* group = new QGroupBox("Chips", this);
    auto* grid = new QGridLayout(group);
    const char* captions[] = {"Replace", "With"};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(group);
        button->setObjectName(QStringLiteral("ButtonChip%1").arg(i));
        button->setAutoDefault(false);
        button->setIconSize({TFormSelReplChip::ChipCell, TFormSelReplChip::ChipCell});
        grid->addWidget(new QLabel(captions[i], group), 0, i * 2);
        grid->addWidget(button, 0, i * 2 + 1);
        connect(button, &QPushButton::clicked, this, [this, i] { ButtonChipClick(i); });
        mButtons[size_t(i)] = button;
    }
    Body()->addWidget(group);
    connect(mLayer, &TRadioGroup::indexChanged, this, &TFormEvCmd11750::showChips);
}

void TFormEvCmd11750::showChips() {
    const int layer = mLayer->Index();
    TQelChipSetGraphic* chipSet = chipSetOf(Context());
    for (size_t i = 0; i < mButtons.size(); ++i) {
        const int32_t index = mChips[size_t(layer)][i];
        mButtons[i]->setText(QStringLiteral("%1").arg(index + 1, 3, 10, QChar('0')));
        if (!chipSet || !chipSet->ChipSet()) {
            mButtons[i]->setIcon({});
            continue;
        }
        TPrismBoard board;
        board.SetSize(TFormSelReplChip::ChipCell, TFormSelReplChip::ChipCell);
        const bool wasTransparent = chipSet->Sheet().Transparent();
        chipSet->SetTransparent(false);
        chipSet->DrawChip(board, 0, 0, chipBase(layer) + index, false, TFormSelReplChip::ChipCell, 0);
        chipSet->SetTransparent(wasTransparent);
        mButtons[i]->setIcon(QPixmap::fromImage(BoardView::ImageOf(board).copy()));
    }
}

void TFormEvCmd11750::ButtonChipClick(int which) {
    const int layer = mLayer->Index();
    TFormSelReplChip picker(this, chipSetOf(Context()), layer == 1);
    picker.SetChip(chipBase(layer) + mChips[size_t(layer)][size_t(which)]);
    CenterOnOwner(&picker);
    if (picker.exec() != QDialog::Accepted) return;
    mChips[size_t(layer)][size_t(which)] = picker.Chip() - chipBase(layer);
    showChips();
}

void TFormEvCmd11750::LoadCommand(const TQelEventScriptLine* head) {
    TChipFields f = rememberedChip().Value();
    if (head) {
        f.Layer = head->Param(0) == 1 ? 1 : 0;
        f.Chips[size_t(f.Layer)] = {head->Param(1), head->Param(2)};
    }
    mChips = f.Chips;
    mLayer->SetIndex(f.Layer);
    showChips();
}

void TFormEvCmd11750::SaveCommand() {
    TChipFields f{mLayer->Index(), mChips};
    rememberedChip().Set(f);
    const auto& pair = mChips[size_t(f.Layer)];
    WriteLine({Code(), 0, {}, {f.Layer, pair[0], pair[1]}});
}

// ---- TEnableForm

namespace {

TEvCmdOption<int32_t>& rememberedEnable(int32_t code) {
    static TEvCmdOption<int32_t> teleport{0}, escape{0}, save{0}, menu{0};
    switch (code) {
    case 11820:
        return teleport;
    case 11840:
        return escape;
    case 11930:
        return save;
    default:
        return menu;
    }
}

} // namespace

TEnableForm::TEnableForm(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption),
      mEnable(new TRadioGroup("Operation", {"Disable", "Enable"}, Qt::Horizontal, this)) {
    mEnable->setObjectName("GroupEnable");
    Body()->addWidget(mEnable);
}

void TEnableForm::LoadCommand(const TQelEventScriptLine* head) {
    mEnable->SetIndex(head ? head->Param(0) : rememberedEnable(Code()).Value());
}

void TEnableForm::SaveCommand() {
    rememberedEnable(Code()).Set(mEnable->Index());
    WriteLine({Code(), 0, {}, {mEnable->Index()}});
}

} // namespace tarvel
