#include "EvCmdScreen.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

#include "EvCmdOptions.h"
#include "EvCmdParts.h"
#include "EvCmdWidgets.h"

namespace tarvel {

const QStringList& EraseEffectNames() {
    static const QStringList names = {"Fade-out",
                                      "Whole Random Blocks",
                                      "Random Block Up",
                                      "Random Block Down",
                                      "Blind Close",
                                      "Hi-Low Stripe",
                                      "Left-Right Stripe",
                                      "Outside-Inside",
                                      "Inside-Outside",
                                      "Scroll Up",
                                      "Scroll Down",
                                      "Scroll Left",
                                      "Scroll Right",
                                      "High and Low Division",
                                      "Left-Right Division",
                                      "Hi-Low + Left-Right Division",
                                      "Zoom In",
                                      "Mosaic",
                                      "Roster Scroll",
                                      "Instant Erase",
                                      "Do Not Erase"};
    return names;
}

const QStringList& ShowEffectNames() {
    static const QStringList names = {"Fade-In",
                                      "Whole Random Blocks",
                                      "Random Block Up",
                                      "Random Block Down",
                                      "Blind Open",
                                      "Hi-Low Stripe",
                                      "Left-Right Stripe",
                                      "Outside-Inside",
                                      "Inside-Outside",
                                      "Scroll Down",
                                      "Scroll Up",
                                      "Scroll Right",
                                      "Scroll Left",
                                      "Hi-Low Combine",
                                      "Left-Right Combine",
                                      "Hi-Low + Left-Right Combine",
                                      "Zoom Out",
                                      "Mosaic",
                                      "Roster Scroll",
                                      "Instant Display"};
    return names;
}

namespace {

// Each of the two effect dialogs remembers its own choice (stored form, -1 the exchange style's).
TEvCmdOption<int32_t>& rememberedEffect(int32_t code) {
    static TEvCmdOption<int32_t> erase{-1};
    static TEvCmdOption<int32_t> show{-1};
    return code == 11010 ? erase : show;
}

// The effects the two commands take (both stop before "Do Not Erase").
constexpr int EffectCount = 20;

} // namespace

// ---- TScreenEffectForm

TScreenEffectForm::TScreenEffectForm(QWidget* owner, int32_t code, const QString& caption,
                                     const QStringList& effects)
    : TFormEvCmdBase(owner, code, caption) {
    QStringList words = {"As in Screen Exchange Style"};
    words += effects.mid(0, EffectCount);
    mEffect = WordCombo(words, this, "ComboEffect");
    auto* group = new QGroupBox("Effect", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mEffect, 1);
    Body()->addWidget(group);
}

void TScreenEffectForm::LoadCommand(const TQelEventScriptLine* head) {
    int32_t effect = head ? head->Param(0) : rememberedEffect(Code()).Value();
    SetWord(mEffect, effect + 1);
}

void TScreenEffectForm::SaveCommand() {
    const int32_t effect = mEffect->currentIndex() - 1;
    rememberedEffect(Code()).Set(effect);
    WriteLine({Code(), 0, {}, {effect}});
}

TFormEvCmd11010::TFormEvCmd11010(QWidget* owner)
    : TScreenEffectForm(owner, 11010, "Screen Erase", EraseEffectNames()) {}

TFormEvCmd11020::TFormEvCmd11020(QWidget* owner)
    : TScreenEffectForm(owner, 11020, "Screen Display", ShowEffectNames()) {}

// ---- TTimeAndWait

TTimeAndWait::TTimeAndWait(QWidget* parent)
    : QWidget(parent), mTime(new TTenthsSpin(this)), mWait(new TWaitCheckBox(this)) {
    mTime->setObjectName("SpinTime");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel("Time", this));
    row->addWidget(mTime);
    row->addSpacing(12);
    row->addWidget(mWait);
    row->addStretch(1);
}

void TTimeAndWait::Load(const TQelEventScriptLine* head, int timeIndex, int waitIndex,
                        int32_t rememberedTime) {
    mWait->LoadRemembered();
    mTime->setValue(rememberedTime);
    if (!head) return;
    mTime->setValue(head->Param(timeIndex));
    mWait->setChecked(head->Param(waitIndex) == 1);
}

// ---- TEffectSlidersForm (11030, 11040, 11050)

namespace {

struct TSliderFields {
    std::vector<int32_t> Values;
    int32_t Time = TTenthsSpin::DefaultTenths;
};

// Each dialog remembers its own; the tone starts unchanged, the flash white at full power, the
// shake in the middle.
TEvCmdOption<TSliderFields>& rememberedSliders(int32_t code) {
    static TEvCmdOption<TSliderFields> tone{{{100, 100, 100, 100}}};
    static TEvCmdOption<TSliderFields> flash{{{31, 31, 31, 31}}};
    static TEvCmdOption<TSliderFields> shake{{{5, 5}}};
    return code == 11030 ? tone : code == 11040 ? flash : shake;
}

std::vector<int32_t> paramsFrom(const TQelEventScriptLine& head, int first, int count) {
    std::vector<int32_t> values;
    for (int i = first; i < first + count; ++i)
        values.push_back(head.Param(i));
    return values;
}

const QStringList flashLabels = {"Red", "Green", "Blue", "Power"};

} // namespace

TEffectSlidersForm::TEffectSlidersForm(QWidget* owner, int32_t code, const QString& caption, const char* name,
                                       const QStringList& labels, int minimum, int maximum)
    : TFormEvCmdBase(owner, code, caption),
      mSliders(new TColourSliders(name, labels, minimum, maximum, this)), mTime(new TTimeAndWait(this)) {
    mSliders->setObjectName(name);
    Body()->addWidget(mSliders);
    Body()->addWidget(mTime);
}

void TEffectSlidersForm::LoadCommand(const TQelEventScriptLine* head) {
    TSliderFields f = rememberedSliders(Code()).Value();
    if (head) f.Values = paramsFrom(*head, 0, mSliders->Count());
    mSliders->SetValues(f.Values);
    mTime->Load(head, mSliders->Count(), mSliders->Count() + 1, f.Time);
}

void TEffectSlidersForm::SaveCommand() {
    TSliderFields f{mSliders->Values(), mTime->Time()->value()};
    rememberedSliders(Code()).Set(f);
    mTime->Wait()->Remember();
    std::vector<int32_t> params = f.Values;
    params.push_back(f.Time);
    params.push_back(mTime->Wait()->isChecked() ? 1 : 0);
    WriteLine({Code(), 0, {}, params});
}

TFormEvCmd11030::TFormEvCmd11030(QWidget* owner)
    : TEffectSlidersForm(owner, 11030, "Screen Colour", "Tone", {"Red", "Green", "Blue", "Saturation"}, 0,
                         200) {}

TFormEvCmd11040::TFormEvCmd11040(QWidget* owner)
    : TEffectSlidersForm(owner, 11040, "Screen Flash", "Flash", flashLabels, 0, 31) {}

TFormEvCmd11050::TFormEvCmd11050(QWidget* owner)
    : TEffectSlidersForm(owner, 11050, "Shake Screen", "Shake", {"Power", "Speed"}, 1, 9) {}

// ---- TFormEvCmd11060

namespace {

enum TPanMode { pmFix, pmUnfix, pmMove, pmReturn };

struct TPanFields {
    int32_t Mode = pmFix;
    int32_t Direction = 0;
    int32_t Tiles = 1;
    int32_t Speed = 4;
};

TEvCmdOption<TPanFields>& rememberedPan() {
    static TEvCmdOption<TPanFields> option{TPanFields{}};
    return option;
}

const QStringList panSpeeds = {"1: 1/8 Speed",      "2: 1/4 Speed",    "3: 1/2 Speed",
                               "4: Standard Speed", "5: Double Speed", "6: Quadruple Speed"};

} // namespace

TFormEvCmd11060::TFormEvCmd11060(QWidget* owner)
    : TFormEvCmdBase(owner, 11060, "Screen Pan"),
      mMode(new TRadioGroup("Operation", {"Fixed", "Cancel Fixation", "Move Pos.", "Return Pos."},
                            Qt::Horizontal, this)),
      mTiles(RangeSpin(1, 100, this, "SpinTiles")), mSpeed(WordCombo(panSpeeds, this, "ComboSpeed")),
      mWait(new TWaitCheckBox(this)) {
    mMode->setObjectName("GroupMode");
    Body()->addWidget(mMode);

    auto* move = new QGroupBox("Move", this);
    auto* grid = new QGridLayout(move);
    // The four directions as a cross around the middle of a 3 x 3 grid.
    auto* cross = new QGridLayout;
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"Up", "Right", "Down", "Left"};
    const int rows[] = {0, 1, 2, 1};
    const int columns[] = {1, 2, 1, 0};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QToolButton(move);
        button->setText(captions[i]);
        button->setObjectName(QStringLiteral("ButtonDirection%1").arg(i));
        button->setCheckable(true);
        button->setMinimumWidth(56);
        group->addButton(button, i);
        cross->addWidget(button, rows[i], columns[i]);
        mDirections[size_t(i)] = button;
    }
    group->setExclusive(true);
    grid->addLayout(cross, 0, 0, 3, 1);
    grid->addWidget(new QLabel("Tiles", move), 0, 1);
    grid->addWidget(mTiles, 0, 2);
    grid->addWidget(new QLabel("Speed", move), 1, 1);
    grid->addWidget(mSpeed, 1, 2);
    grid->addWidget(mWait, 2, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    Body()->addWidget(move);
    connect(mMode, &TRadioGroup::indexChanged, this, &TFormEvCmd11060::enableByMode);
}

int TFormEvCmd11060::Direction() const {
    for (int i = 0; i < 4; ++i)
        if (mDirections[size_t(i)]->isChecked()) return i;
    return 0;
}

void TFormEvCmd11060::enableByMode() {
    const int mode = mMode->Index();
    for (QToolButton* button : mDirections)
        button->setEnabled(mode == pmMove);
    mTiles->setEnabled(mode == pmMove);
    mSpeed->setEnabled(mode >= pmMove);
    mWait->setEnabled(mode >= pmMove);
}

void TFormEvCmd11060::LoadCommand(const TQelEventScriptLine* head) {
    TPanFields f = rememberedPan().Value();
    mWait->LoadRemembered();
    if (head) {
        f.Mode = head->Param(0);
        if (f.Mode == pmMove) {
            f.Direction = head->Param(1);
            f.Tiles = head->Param(2);
        }
        if (f.Mode >= pmMove) {
            f.Speed = head->Param(3);
            mWait->setChecked(head->Param(4) == 1);
        }
    }
    mMode->SetIndex(f.Mode);
    mDirections[size_t(f.Direction >= 0 && f.Direction < 4 ? f.Direction : 0)]->setChecked(true);
    mTiles->setValue(f.Tiles);
    SetWord(mSpeed, f.Speed - 1);
    enableByMode();
}

void TFormEvCmd11060::SaveCommand() {
    TPanFields f{mMode->Index(), Direction(), mTiles->value(), mSpeed->currentIndex() + 1};
    rememberedPan().Set(f);
    std::vector<int32_t> params = {f.Mode, 0, 0, 0, 0};
    if (f.Mode == pmMove) {
        params[1] = f.Direction;
        params[2] = f.Tiles;
    }
    if (f.Mode >= pmMove) {
        mWait->Remember();
        params[3] = f.Speed;
        params[4] = mWait->isChecked() ? 1 : 0;
    }
    WriteLine({Code(), 0, {}, params});
}

// ---- TFormEvCmd11070

namespace {

struct TWeatherFields {
    int32_t Weather = 0;
    int32_t Strength = 0;
};

TEvCmdOption<TWeatherFields>& rememberedWeather() {
    static TEvCmdOption<TWeatherFields> option{TWeatherFields{}};
    return option;
}

} // namespace

TFormEvCmd11070::TFormEvCmd11070(QWidget* owner)
    : TFormEvCmdBase(owner, 11070, "Weather Screen Effects"),
      mWeather(new TRadioGroup("Weather", {"None", "Rain", "Snow"}, Qt::Horizontal, this)),
      mStrength(new TRadioGroup("Strength", {"Low", "Mid", "High"}, Qt::Horizontal, this)) {
    mWeather->setObjectName("GroupWeather");
    mStrength->setObjectName("GroupStrength");
    Body()->addWidget(mWeather);
    Body()->addWidget(mStrength);
    connect(mWeather, &TRadioGroup::indexChanged, this,
            [this](int weather) { mStrength->setEnabled(weather != 0); });
}

void TFormEvCmd11070::LoadCommand(const TQelEventScriptLine* head) {
    TWeatherFields f = rememberedWeather().Value();
    if (head) {
        f.Weather = head->Param(0);
        if (f.Weather != 0) f.Strength = head->Param(1);
    }
    mWeather->SetIndex(f.Weather);
    mStrength->SetIndex(f.Strength);
    mStrength->setEnabled(mWeather->Index() != 0);
}

void TFormEvCmd11070::SaveCommand() {
    TWeatherFields f{mWeather->Index(), mStrength->Index()};
    rememberedWeather().Set(f);
    WriteLine({Code(), 0, {}, {f.Weather, f.Weather == 0 ? 0 : f.Strength}});
}

// ---- TFormEvCmd11310

namespace {

TEvCmdOption<int32_t>& rememberedOpacity() {
    static TEvCmdOption<int32_t> option{0};
    return option;
}

} // namespace

TFormEvCmd11310::TFormEvCmd11310(QWidget* owner)
    : TFormEvCmdBase(owner, 11310, "Change Hero Transparency"),
      mOpacity(new TRadioGroup("Hero", {"Transparent", "Normal"}, Qt::Horizontal, this)) {
    mOpacity->setObjectName("GroupOpacity");
    Body()->addWidget(mOpacity);
}

void TFormEvCmd11310::LoadCommand(const TQelEventScriptLine* head) {
    mOpacity->SetIndex(head ? head->Param(0) : rememberedOpacity().Value());
}

void TFormEvCmd11310::SaveCommand() {
    rememberedOpacity().Set(mOpacity->Index());
    WriteLine({Code(), 0, {}, {mOpacity->Index()}});
}

// ---- TFormEvCmd11320

namespace {

struct TCharacterFlashFields {
    int32_t Character = CharacterHero;
    TSliderFields Flash{{31, 31, 31, 31}};
};

TEvCmdOption<TCharacterFlashFields>& rememberedCharacterFlash() {
    static TEvCmdOption<TCharacterFlashFields> option{TCharacterFlashFields{}};
    return option;
}

} // namespace

TFormEvCmd11320::TFormEvCmd11320(QWidget* owner)
    : TFormEvCmdBase(owner, 11320, "Flash Character"), mCharacter(new TCharacterCombo(this)),
      mFlash(new TColourSliders("Colour", flashLabels, 0, 31, this)), mTime(new TTimeAndWait(this)) {
    mCharacter->setObjectName("ComboCharacter");
    mFlash->setObjectName("Flash");
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Character", this));
    row->addWidget(mCharacter, 1);
    Body()->addLayout(row);
    Body()->addWidget(mFlash);
    Body()->addWidget(mTime);
}

void TFormEvCmd11320::LoadCommand(const TQelEventScriptLine* head) {
    TCharacterFlashFields f = rememberedCharacterFlash().Value();
    if (head) {
        f.Character = head->Param(0);
        f.Flash.Values = paramsFrom(*head, 1, 4);
    }
    mCharacter->Fill(Context());
    mCharacter->SetValue(f.Character);
    mFlash->SetValues(f.Flash.Values);
    mTime->Load(head, 5, 6, f.Flash.Time);
}

void TFormEvCmd11320::SaveCommand() {
    TCharacterFlashFields f{mCharacter->Value(), {mFlash->Values(), mTime->Time()->value()}};
    rememberedCharacterFlash().Set(f);
    mTime->Wait()->Remember();
    std::vector<int32_t> params = {f.Character};
    for (int32_t v : f.Flash.Values)
        params.push_back(v);
    params.push_back(f.Flash.Time);
    params.push_back(mTime->Wait()->isChecked() ? 1 : 0);
    WriteLine({Code(), 0, {}, params});
}

// ---- TFormEvCmd11410

namespace {

TEvCmdOption<int32_t>& rememberedWait() {
    static TEvCmdOption<int32_t> option{TTenthsSpin::DefaultTenths};
    return option;
}

} // namespace

TFormEvCmd11410::TFormEvCmd11410(QWidget* owner)
    : TFormEvCmdBase(owner, 11410, "Wait"), mTime(new TTenthsSpin(this)) {
    mTime->setObjectName("SpinTime");
    auto* group = new QGroupBox("Time", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mTime, 1);
    Body()->addWidget(group);
}

void TFormEvCmd11410::LoadCommand(const TQelEventScriptLine* head) {
    mTime->setValue(head ? head->Param(0) : rememberedWait().Value());
}

void TFormEvCmd11410::SaveCommand() {
    rememberedWait().Set(mTime->value());
    WriteLine({Code(), 0, {}, {mTime->value()}});
}

} // namespace tarvel
