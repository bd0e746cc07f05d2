#include "controls/SoundNotice.h"
#include "SelMusic.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/Material.h"
#include "platform/OutsideLibraries.h"
#include "ui_SelMusic.h"

namespace tarvel {

namespace {
constexpr int kFadeOutMilliseconds = 5000;
}

TProcessOption<TPreviewMusic>& RememberedMusic() {
    static TProcessOption<TPreviewMusic> option{TPreviewMusic{}};
    return option;
}

TFormSelMusic::TFormSelMusic(QWidget* parent)
    : TFormSelBase(parent, "Music", MusicExtensions()), ui(std::make_unique<Ui::TFormSelMusic>()) {
    ui->setupUi(this);
    AttachList(ui->DataList);
    const TPreviewMusic& remembered = RememberedMusic().Value();
    mFileName = remembered.name;
    mFadeIn = remembered.fadeIn;
    mVolume = remembered.volume;
    mTempo = remembered.tempo;
    mBalance = remembered.balance;

    connect(ui->TrackFadeIn, &QSlider::valueChanged, this, &TFormSelMusic::TrackFadeInChange);
    connect(ui->TrackVolume, &QSlider::valueChanged, this, &TFormSelMusic::TrackVolumeChange);
    connect(ui->TrackTempo, &QSlider::valueChanged, this, &TFormSelMusic::TrackTempoChange);
    connect(ui->TrackBalance, &QSlider::valueChanged, this, &TFormSelMusic::TrackBalanceChange);
    connect(ui->ButtonPlay, &QPushButton::clicked, this, &TFormSelMusic::ButtonPlayClick);
    connect(ui->ButtonInterrupt, &QPushButton::clicked, this, &TFormSelMusic::ButtonInterruptClick);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A click's Shift key is read from the click itself.
    ui->ButtonPlay->installEventFilter(this);
    ui->ButtonInterrupt->installEventFilter(this);
}

TFormSelMusic::~TFormSelMusic() = default;

QStringList TFormSelMusic::LeadingRows() const {
    return {QString::fromLatin1(MusicOff)};
}

void TFormSelMusic::SetMusic(const TQelMusic& music) {
    mFileName = QString::fromStdString(music.FileName);
    mFadeIn = music.FadeIn;
    mVolume = music.Volume;
    mTempo = music.Tempo;
    mBalance = music.Balance;
}

TQelMusic TFormSelMusic::Music() const {
    TQelMusic music;
    music.FileName = mFileName.toStdString();
    music.FadeIn = mFadeIn;
    music.Volume = mVolume;
    music.Tempo = mTempo;
    music.Balance = mBalance;
    return music;
}

void TFormSelMusic::SetListenOnly(bool on) {
    ui->ButtonOk->setVisible(!on);
    ui->ButtonCancel->setText(on ? QStringLiteral("&Cansel") : QStringLiteral("Cancel"));
}

void TFormSelMusic::showEvent(QShowEvent* event) {
    TFormSelBase::showEvent(event);
    setSliders();
    // Only a real piece can be playing: "(OFF)" remembered and "(OFF)" edited means silence.
    mPlaying = mFileName == RememberedMusic().Value().name && mFileName != QLatin1String(MusicOff);
}

void TFormSelMusic::setSliders() {
    // The sliders show the nearest step below each value; the value itself stays as it is until
    // its slider is moved.
    const QSignalBlocker b1(ui->TrackFadeIn), b2(ui->TrackVolume), b3(ui->TrackTempo), b4(ui->TrackBalance);
    ui->TrackFadeIn->setValue(mFadeIn / 1000);
    ui->TrackVolume->setValue(mVolume / 10);
    ui->TrackTempo->setValue((mTempo - 50) / 10);
    ui->TrackBalance->setValue(mBalance / 10);
}

void TFormSelMusic::TrackFadeInChange(int position) {
    mFadeIn = FadeInOfPosition(position);
}

void TFormSelMusic::TrackVolumeChange(int position) {
    mVolume = VolumeOfPosition(position);
    TPreviewMusic remembered = RememberedMusic().Value();
    remembered.volume = mVolume;
    RememberedMusic().Set(remembered);
    if (mPlaying) SoundLibrary().SetMusicVolume(mVolume);
}

void TFormSelMusic::TrackTempoChange(int position) {
    mTempo = TempoOfPosition(position);
    TPreviewMusic remembered = RememberedMusic().Value();
    remembered.tempo = mTempo;
    RememberedMusic().Set(remembered);
    if (mPlaying) SoundLibrary().SetMusicSpeed(mTempo);
}

void TFormSelMusic::TrackBalanceChange(int position) {
    mBalance = BalanceOfPosition(position);
    TPreviewMusic remembered = RememberedMusic().Value();
    remembered.balance = mBalance;
    RememberedMusic().Set(remembered);
    if (mPlaying) SoundLibrary().SetMusicPanpot(mBalance);
}

void TFormSelMusic::ButtonPlayClick() {
    bool shift = takeShift();
    if (mFileName == QLatin1String(MusicOff) || mFileName.isEmpty()) {
        interrupt(shift);
        return;
    }
    NoteSoundPreview(this);
    TBusyCursor busy;
    SoundLibraryPort& library = SoundLibrary();
    library.InitMidi();
    library.PlayMusic(ResolveMaterialFile(mFileName, Folder(), MusicExtensions()));
    library.FadeInMusic(mFadeIn);
    library.SetMusicVolume(mVolume);
    library.SetMusicSpeed(mTempo);
    library.SetMusicPanpot(mBalance);
    RememberedMusic().Set(TPreviewMusic{mFileName, mFadeIn, mVolume, mTempo, mBalance});
    mPlaying = true;
}

void TFormSelMusic::ButtonInterruptClick() {
    interrupt(takeShift());
}

void TFormSelMusic::interrupt(bool fadeOut) {
    if (fadeOut) {
        SoundLibrary().FadeOutMusic(kFadeOutMilliseconds);
    } else {
        SoundLibrary().StopMusic();
        SoundLibrary().TermMidi();
        RememberedMusic().Set(TPreviewMusic{});
    }
    // A fading piece is on its way out: slider moves no longer reach it.
    mPlaying = false;
}

bool TFormSelMusic::takeShift() {
    bool held = (mButtonModifiers | QApplication::keyboardModifiers()) & Qt::ShiftModifier;
    mButtonModifiers = {};
    return held;
}

bool TFormSelMusic::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        mButtonModifiers = static_cast<QMouseEvent*>(event)->modifiers();
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        mButtonModifiers = static_cast<QKeyEvent*>(event)->modifiers();
        break;
    default:
        break;
    }
    return TFormSelBase::eventFilter(watched, event);
}

void TFormSelMusic::keyPressEvent(QKeyEvent* event) {
    // Enter plays, as a double-click does; it never closes the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        mButtonModifiers = event->modifiers();
        ButtonPlayClick();
        event->accept();
        return;
    }
    TFormSelBase::keyPressEvent(event);
}

} // namespace tarvel
