#include "EvCmdSystem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

#include "EvCmdOptions.h"
#include "EvCmdScreen.h"
#include "EvCmdWidgets.h"
#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"
#include "pickers/SelSystem.h"

namespace tarvel {

namespace {

const TCatalog* heroes() {
    return QelDataBase() ? &QelDataBase()->Heroes() : nullptr;
}

// A labelled row: the label, then the control stretched.
void addRow(QGridLayout* grid, const QString& label, QWidget* control) {
    int row = grid->rowCount();
    grid->addWidget(new QLabel(label, control->parentWidget()), row, 0);
    grid->addWidget(control, row, 1);
}

} // namespace

// ---- TFormEvCmdHeroText

namespace {

struct THeroTextFields {
    int32_t Hero = 1;
    std::string Text;
};

} // namespace

TFormEvCmdHeroText::TFormEvCmdHeroText(QWidget* owner, int32_t code, const QString& caption,
                                       const QString& label)
    : TFormEvCmdBase(owner, code, caption), mHero(new TRecordCombo(heroes(), this)),
      mText(new TByteLimitEdit(TextBytes, this)) {
    mHero->setObjectName("ComboHero");
    mText->setObjectName("EditText");
    mText->setMinimumWidth(180);
    auto* grid = new QGridLayout;
    addRow(grid, "Hero", mHero);
    addRow(grid, label, mText);
    Body()->addLayout(grid);
}

void TFormEvCmdHeroText::LoadCommand(const TQelEventScriptLine* head) {
    THeroTextFields f = RememberedOfCode<THeroTextFields>(Code()).Value();
    if (head) f = {head->Param(0), head->Text};
    mHero->SetID(f.Hero);
    mText->SetBytes(f.Text);
}

void TFormEvCmdHeroText::SaveCommand() {
    THeroTextFields f{mHero->ID(), mText->Bytes()};
    RememberedOfCode<THeroTextFields>(Code()).Set(f);
    WriteLine({Code(), 0, f.Text, {f.Hero}});
}

TFormEvCmd10610::TFormEvCmd10610(QWidget* owner)
    : TFormEvCmdHeroText(owner, 10610, "Change Hero Name", "Name") {}

TFormEvCmd10620::TFormEvCmd10620(QWidget* owner)
    : TFormEvCmdHeroText(owner, 10620, "Change Hero Degree", "Degree") {}

// ---- TFormEvCmdHeroGraphic

namespace {

struct TGraphicFields {
    int32_t Hero = 1;
    std::string Name;
    int32_t Index = 0;
    bool Transparent = false;
};

} // namespace

TFormEvCmdHeroGraphic::TFormEvCmdHeroGraphic(QWidget* owner, int32_t code, const QString& caption,
                                             bool walkGraphic)
    : TFormEvCmdBase(owner, code, caption), mHero(new TRecordCombo(heroes(), this)),
      mGraphic(
          new TMaterialBox(walkGraphic ? TMaterialBox::TKind::CharSet : TMaterialBox::TKind::Face, this)) {
    mHero->setObjectName("ComboHero");
    mGraphic->setObjectName("BoxGraphic");
    auto* grid = new QGridLayout;
    addRow(grid, "Hero", mHero);
    addRow(grid, walkGraphic ? "Walk Graphic" : "Face Graphic", mGraphic);
    Body()->addLayout(grid);
    if (walkGraphic) {
        mTransparent = new QCheckBox("Transp.", this);
        mTransparent->setObjectName("CheckTransparent");
        Body()->addWidget(mTransparent);
    }
}

void TFormEvCmdHeroGraphic::LoadCommand(const TQelEventScriptLine* head) {
    TGraphicFields f = RememberedOfCode<TGraphicFields>(Code()).Value();
    if (head) f = {head->Param(0), head->Text, head->Param(1), head->Param(2) == 1};
    mHero->SetID(f.Hero);
    mGraphic->SetFileName(f.Name);
    mGraphic->SetIndex(f.Index);
    if (mTransparent) mTransparent->setChecked(f.Transparent);
}

void TFormEvCmdHeroGraphic::SaveCommand() {
    TGraphicFields f{mHero->ID(), mGraphic->FileName(), mGraphic->Index(),
                     mTransparent && mTransparent->isChecked()};
    RememberedOfCode<TGraphicFields>(Code()).Set(f);
    std::vector<int32_t> params = {f.Hero, f.Index};
    if (mTransparent) params.push_back(f.Transparent);
    WriteLine({Code(), 0, f.Name, params});
}

TFormEvCmd10630::TFormEvCmd10630(QWidget* owner)
    : TFormEvCmdHeroGraphic(owner, 10630, "Change Hero Walking GFX", true) {}

TFormEvCmd10640::TFormEvCmd10640(QWidget* owner)
    : TFormEvCmdHeroGraphic(owner, 10640, "Change Hero Face", false) {}

// ---- TFormEvCmd10650

namespace {

struct TVehicleFields {
    int32_t Vehicle = 0;
    std::string Name;
    int32_t Index = 0;
};

TEvCmdOption<TVehicleFields>& rememberedVehicle() {
    static TEvCmdOption<TVehicleFields> option{TVehicleFields{}};
    return option;
}

} // namespace

TFormEvCmd10650::TFormEvCmd10650(QWidget* owner)
    : TFormEvCmdBase(owner, 10650, "Change Vehicle Graphic"),
      mVehicle(new TRadioGroup("Vehicle", {"Boat", "Ship", "Airship"}, Qt::Horizontal, this)),
      mGraphic(new TMaterialBox(TMaterialBox::TKind::CharSet, this)) {
    mVehicle->setObjectName("GroupVehicle");
    mGraphic->setObjectName("BoxGraphic");
    auto* grid = new QGridLayout;
    addRow(grid, "Walk Graphic", mGraphic);
    Body()->addWidget(mVehicle);
    Body()->addLayout(grid);
}

void TFormEvCmd10650::LoadCommand(const TQelEventScriptLine* head) {
    TVehicleFields f = rememberedVehicle().Value();
    if (head) f = {head->Param(0), head->Text, head->Param(1)};
    mVehicle->SetIndex(f.Vehicle);
    mGraphic->SetFileName(f.Name);
    mGraphic->SetIndex(f.Index);
}

void TFormEvCmd10650::SaveCommand() {
    TVehicleFields f{mVehicle->Index(), mGraphic->FileName(), mGraphic->Index()};
    rememberedVehicle().Set(f);
    WriteLine({Code(), 0, f.Name, {f.Vehicle, f.Index}});
}

// ---- TFormEvCmd10660

namespace {

struct TSystemMusicFields {
    int32_t Which = 0;
    TQelMusic Music;
};

TEvCmdOption<TSystemMusicFields>& rememberedSystemMusic() {
    static TEvCmdOption<TSystemMusicFields> option{TSystemMusicFields{}};
    return option;
}

} // namespace

TFormEvCmd10660::TFormEvCmd10660(QWidget* owner)
    : TFormEvCmdBase(owner, 10660, "Change BGM"),
      mWhich(new TRadioGroup("Situation",
                             {"Battle", "Battle End", "Inn", "Boat", "Ship", "Airship", "Game Over"},
                             Qt::Vertical, this)),
      mMusic(new TMaterialBox(TMaterialBox::TKind::Music, this)) {
    mWhich->setObjectName("GroupWhich");
    mMusic->setObjectName("BoxMusic");
    auto* music = new QGroupBox("Music", this);
    auto* row = new QHBoxLayout(music);
    row->addWidget(mMusic);
    auto* line = new QHBoxLayout;
    line->addWidget(mWhich);
    line->addWidget(music, 1, Qt::AlignTop);
    Body()->addLayout(line);
}

void TFormEvCmd10660::LoadCommand(const TQelEventScriptLine* head) {
    TSystemMusicFields f = rememberedSystemMusic().Value();
    if (head) {
        f.Which = head->Param(0);
        f.Music.FileName = head->Text;
        f.Music.FadeIn = head->Param(1);
        f.Music.Volume = head->Param(2);
        f.Music.Tempo = head->Param(3);
        f.Music.Balance = head->Param(4);
    }
    mWhich->SetIndex(f.Which);
    mMusic->SetMusic(f.Music);
}

void TFormEvCmd10660::SaveCommand() {
    TSystemMusicFields f{mWhich->Index(), mMusic->Music()};
    rememberedSystemMusic().Set(f);
    const TQelMusic& m = f.Music;
    WriteLine({Code(), 0, m.FileName, {f.Which, m.FadeIn, m.Volume, m.Tempo, m.Balance}});
}

// ---- TFormEvCmd10670

namespace {

struct TSystemSoundFields {
    int32_t Which = 0;
    TQelSound Sound;
};

TEvCmdOption<TSystemSoundFields>& rememberedSystemSound() {
    static TEvCmdOption<TSystemSoundFields> option{TSystemSoundFields{}};
    return option;
}

const QStringList systemSounds = {"Cursor Movement", "Decision", "Cancel",       "Buzzer",
                                  "Start Battle",    "Escape",   "Enemy Attack", "Enemys Damage",
                                  "Friends Damage",  "Evasion",  "Enemy Die",    "Item Use"};

} // namespace

TFormEvCmd10670::TFormEvCmd10670(QWidget* owner)
    : TFormEvCmdBase(owner, 10670, "Change Sound Effect"), mWhich(new QComboBox(this)),
      mSound(new TMaterialBox(TMaterialBox::TKind::Sound, this)) {
    mWhich->setObjectName("ComboWhich");
    mWhich->addItems(systemSounds);
    mWhich->setMaxVisibleItems(12);
    mSound->setObjectName("BoxSound");
    auto* grid = new QGridLayout;
    addRow(grid, "Sound", mWhich);
    addRow(grid, "Sound Effect", mSound);
    Body()->addLayout(grid);
}

void TFormEvCmd10670::LoadCommand(const TQelEventScriptLine* head) {
    TSystemSoundFields f = rememberedSystemSound().Value();
    if (head) {
        f.Which = head->Param(0);
        f.Sound.FileName = head->Text;
        f.Sound.Volume = head->Param(1);
        f.Sound.Tempo = head->Param(2);
        f.Sound.Balance = head->Param(3);
    }
    mWhich->setCurrentIndex(f.Which >= 0 && f.Which < mWhich->count() ? f.Which : 0);
    mSound->SetSound(f.Sound);
}

void TFormEvCmd10670::SaveCommand() {
    TSystemSoundFields f{mWhich->currentIndex(), mSound->Sound()};
    rememberedSystemSound().Set(f);
    const TQelSound& s = f.Sound;
    WriteLine({Code(), 0, s.FileName, {f.Which, s.Volume, s.Tempo, s.Balance}});
}

// ---- TFormEvCmd10680

namespace {

struct TSystemGraphicFields {
    std::string Name;
    int32_t Wallpaper = 0;
    int32_t Font = 0;
};

TEvCmdOption<TSystemGraphicFields>& rememberedSystemGraphic() {
    static TEvCmdOption<TSystemGraphicFields> option{TSystemGraphicFields{}};
    return option;
}

} // namespace

TFormEvCmd10680::TFormEvCmd10680(QWidget* owner) : TFormEvCmdBase(owner, 10680) {}

bool TFormEvCmd10680::Run() {
    TSystemGraphicFields f = rememberedSystemGraphic().Value();
    if (const TQelEventScriptLine* head = Lines().Line(0)) f = {head->Text, head->Param(0), head->Param(1)};
    TFormSelSystem picker(parentWidget());
    picker.SetFileName(QString::fromStdString(f.Name));
    picker.SetWallpaperMode(f.Wallpaper);
    picker.SetGameFont(f.Font);
    if (parentWidget()) CenterOnOwner(&picker);
    if (picker.exec() != QDialog::Accepted) return false;
    f = {picker.FileName().toStdString(), picker.WallpaperMode(), picker.GameFont()};
    rememberedSystemGraphic().Set(f);
    WriteLine({Code(), 0, f.Name, {f.Wallpaper, f.Font}});
    return true;
}

// ---- TFormEvCmd10690

namespace {

// Even situations erase the screen, odd ones show it.
const QStringList& typesOf(int situation) {
    return situation % 2 == 0 ? EraseEffectNames() : ShowEffectNames();
}

struct TTransitionFields {
    int32_t Situation = 0;
    std::array<int32_t, TFormEvCmd10690::Situations> Types{};
};

TEvCmdOption<TTransitionFields>& rememberedTransition() {
    static TEvCmdOption<TTransitionFields> option{TTransitionFields{}};
    return option;
}

} // namespace

TFormEvCmd10690::TFormEvCmd10690(QWidget* owner)
    : TFormEvCmdBase(owner, 10690, "Change Switch Screen Method"),
      mSituation(new TRadioGroup("Situation",
                                 {"Teleport: Erase", "Teleport: Show", "Battle Start: Erase",
                                  "Battle Start: Show", "Battle End: Erase", "Battle End: Show"},
                                 Qt::Vertical, this)),
      mType(new QComboBox(this)) {
    mSituation->setObjectName("GroupSituation");
    mType->setObjectName("ComboType");
    mType->setMaxVisibleItems(21);
    auto* type = new QGroupBox("Transition", this);
    auto* column = new QVBoxLayout(type);
    column->addWidget(mType);
    column->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(mSituation);
    row->addWidget(type, 1);
    Body()->addLayout(row);
    connect(mSituation, &TRadioGroup::indexChanged, this, &TFormEvCmd10690::showTypes);
    connect(mType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!Updating() && mShown >= 0 && index >= 0) mTypes[size_t(mShown)] = index;
    });
}

void TFormEvCmd10690::showTypes(int situation) {
    TUpdating updating(*this);
    mShown = situation;
    mType->clear();
    mType->addItems(typesOf(situation));
    int32_t type = mTypes[size_t(situation)];
    mType->setCurrentIndex(type >= 0 && type < mType->count() ? type : 0);
}

void TFormEvCmd10690::LoadCommand(const TQelEventScriptLine* head) {
    TTransitionFields f = rememberedTransition().Value();
    if (head && head->Param(0) >= 0 && head->Param(0) < Situations) {
        f.Situation = head->Param(0);
        f.Types[size_t(f.Situation)] = head->Param(1);
    }
    mTypes = f.Types;
    mSituation->SetIndex(f.Situation);
    showTypes(mSituation->Index());
}

void TFormEvCmd10690::SaveCommand() {
    TTransitionFields f{mSituation->Index(), mTypes};
    f.Types[size_t(f.Situation)] = mType->currentIndex();
    rememberedTransition().Set(f);
    WriteLine({Code(), 0, {}, {f.Situation, f.Types[size_t(f.Situation)]}});
}

} // namespace tarvel
