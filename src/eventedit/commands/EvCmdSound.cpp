#include "EvCmdSound.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "EvCmdOptions.h"
#include "EvCmdParts.h"
#include "EvCmdWidgets.h"
#include "controls/DialogPlacement.h"
#include "pickers/SelBackdrop.h"
#include "pickers/SelMusic.h"
#include "pickers/SelSound.h"

namespace tarvel {

namespace {

// Shows a picker centred on the command's owner.
bool runPicker(QDialog& picker, QWidget* owner) {
    if (owner) CenterOnOwner(&picker);
    return picker.exec() == QDialog::Accepted;
}

} // namespace

// ---- TFormEvCmd11510

bool TFormEvCmd11510::Run() {
    Open();
    TFormSelMusic picker(parentWidget());
    if (const TQelEventScriptLine* head = Lines().Line(0)) {
        TQelMusic music;
        music.FileName = head->Text;
        music.FadeIn = head->Param(0);
        music.Volume = head->Param(1);
        music.Tempo = head->Param(2);
        music.Balance = head->Param(3);
        picker.SetMusic(music);
    }
    if (!runPicker(picker, parentWidget())) return false;
    const TQelMusic music = picker.Music();
    WriteLine({Code(), 0, music.FileName, {music.FadeIn, music.Volume, music.Tempo, music.Balance}});
    return true;
}

// ---- TFormEvCmd11520

namespace {

constexpr int MaxFadeSeconds = 20;

TEvCmdOption<int32_t>& rememberedFade() {
    static TEvCmdOption<int32_t> option{0};
    return option;
}

} // namespace

TFormEvCmd11520::TFormEvCmd11520(QWidget* owner)
    : TFormEvCmdBase(owner, 11520, "Fade BGM Out"), mSeconds(new TValueSlider(0, MaxFadeSeconds, this)) {
    mSeconds->setObjectName("SliderSeconds");
    mSeconds->Spin()->setSuffix(" sec.");
    auto* group = new QGroupBox("Fade Time", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mSeconds, 1);
    Body()->addWidget(group);
}

void TFormEvCmd11520::LoadCommand(const TQelEventScriptLine* head) {
    mSeconds->SetValue(head ? head->Param(0) / 1000 : rememberedFade().Value());
}

void TFormEvCmd11520::SaveCommand() {
    rememberedFade().Set(mSeconds->Value());
    WriteLine({Code(), 0, {}, {mSeconds->Value() * 1000}});
}

// ---- TFormEvCmd11550

namespace {

struct TSoundFields {
    std::string Name = MusicOff;
    int32_t Volume = 100;
    int32_t Tempo = 100;
    int32_t Balance = 50;
};

TEvCmdOption<TSoundFields>& rememberedSound() {
    static TEvCmdOption<TSoundFields> option{TSoundFields{}};
    return option;
}

} // namespace

bool TFormEvCmd11550::Run() {
    Open();
    TSoundFields f = rememberedSound().Value();
    if (const TQelEventScriptLine* head = Lines().Line(0))
        f = {head->Text, head->Param(0), head->Param(1), head->Param(2)};
    TQelSound sound;
    sound.FileName = f.Name;
    sound.Volume = f.Volume;
    sound.Tempo = f.Tempo;
    sound.Balance = f.Balance;
    TFormSelSound picker(parentWidget());
    picker.SetSound(sound);
    if (!runPicker(picker, parentWidget())) return false;
    sound.Assign(picker.Sound());
    rememberedSound().Set({sound.FileName, sound.Volume, sound.Tempo, sound.Balance});
    WriteLine({Code(), 0, sound.FileName, {sound.Volume, sound.Tempo, sound.Balance}});
    return true;
}

// ---- TFormEvCmd11560

namespace {

constexpr int ScreenWidth = 320, ScreenHeight = 240;

struct TMovieFields {
    std::string Name;
    TPosition Position;
    int32_t Width = ScreenWidth;
    int32_t Height = ScreenHeight;
};

TEvCmdOption<TMovieFields>& rememberedMovie() {
    static TEvCmdOption<TMovieFields> option{TMovieFields{}};
    return option;
}

} // namespace

TFormEvCmd11560::TFormEvCmd11560(QWidget* owner)
    : TFormEvCmdBase(owner, 11560, "Play Movie"), mMovie(new TMaterialBox(TMaterialBox::TKind::Movie, this)),
      mPosition(new TPositionEdit("Position", ScreenWidth, ScreenHeight, 0, 0, this)),
      mWidth(RangeSpin(1, ScreenWidth, this, "SpinWidth")),
      mHeight(RangeSpin(1, ScreenHeight, this, "SpinHeight")) {
    mMovie->setObjectName("BoxMovie");
    mPosition->setObjectName("Position");
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Movie", this));
    top->addWidget(mMovie, 1);
    Body()->addLayout(top);
    Body()->addWidget(mPosition);
    auto* size = new QGroupBox("Size", this);
    auto* grid = new QGridLayout(size);
    grid->addWidget(new QLabel("Width", size), 0, 0);
    grid->addWidget(mWidth, 0, 1);
    grid->addWidget(new QLabel("Height", size), 0, 2);
    grid->addWidget(mHeight, 0, 3);
    Body()->addWidget(size);
    connect(mMovie, &TPickerBox::changed, this, &TFormEvCmd11560::enableOk);
}

void TFormEvCmd11560::enableOk() {
    ButtonOk()->setEnabled(!mMovie->FileName().empty());
}

void TFormEvCmd11560::LoadCommand(const TQelEventScriptLine* head) {
    TMovieFields f = rememberedMovie().Value();
    if (head) {
        f.Name = head->Text;
        f.Position.Load(head->Param(0), head->Param(1), head->Param(2));
        f.Width = head->Param(3);
        f.Height = head->Param(4);
    }
    mMovie->SetFileName(f.Name);
    mPosition->SetValue(f.Position);
    mWidth->setValue(f.Width);
    mHeight->setValue(f.Height);
    enableOk();
}

void TFormEvCmd11560::SaveCommand() {
    TMovieFields f{mMovie->FileName(), mPosition->Value(), mWidth->value(), mHeight->value()};
    rememberedMovie().Set(f);
    WriteLine({Code(),
               0,
               f.Name,
               {f.Position.Mode, f.Position.StoredX(), f.Position.StoredY(), f.Width, f.Height}});
}

// ---- TFormEvCmd13210

bool TFormEvCmd13210::Run() {
    Open();
    TFormSelBackdrop picker(parentWidget());
    if (const TQelEventScriptLine* head = Lines().Line(0))
        picker.SetFileName(QString::fromStdString(head->Text));
    if (!runPicker(picker, parentWidget())) return false;
    WriteLine({Code(), 0, picker.FileName().toStdString(), {}});
    return true;
}

} // namespace tarvel
