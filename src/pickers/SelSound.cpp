#include "controls/SoundNotice.h"
#include "SelSound.h"

#include <QKeyEvent>

#include "SelMusic.h"
#include "platform/Material.h"
#include "platform/OutsideLibraries.h"
#include "ui_SelSound.h"

namespace tarvel {

TFormSelSound::TFormSelSound(QWidget* parent)
    : TFormSelBase(parent, "Sound", SoundExtensions()), ui(std::make_unique<Ui::TFormSelSound>()) {
    ui->setupUi(this);
    AttachList(ui->DataList);
    mFileName = QString::fromLatin1(MusicOff);
    connect(ui->TrackVolume, &QSlider::valueChanged, this,
            [this](int position) { mVolume = TFormSelMusic::VolumeOfPosition(position); });
    connect(ui->TrackTempo, &QSlider::valueChanged, this,
            [this](int position) { mTempo = TFormSelMusic::TempoOfPosition(position); });
    connect(ui->TrackBalance, &QSlider::valueChanged, this,
            [this](int position) { mBalance = TFormSelMusic::BalanceOfPosition(position); });
    connect(ui->ButtonPlay, &QPushButton::clicked, this, &TFormSelSound::ButtonPlayClick);
    connect(ui->ButtonInterrupt, &QPushButton::clicked, this, &TFormSelSound::ButtonInterruptClick);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormSelSound::~TFormSelSound() = default;

QStringList TFormSelSound::LeadingRows() const {
    return {QString::fromLatin1(MusicOff)};
}

void TFormSelSound::SetSound(const TQelSound& sound) {
    mFileName = QString::fromStdString(sound.FileName);
    mVolume = sound.Volume;
    mTempo = sound.Tempo;
    mBalance = sound.Balance;
}

TQelSound TFormSelSound::Sound() const {
    TQelSound sound;
    sound.FileName = mFileName.toStdString();
    sound.Volume = mVolume;
    sound.Tempo = mTempo;
    sound.Balance = mBalance;
    return sound;
}

void TFormSelSound::showEvent(QShowEvent* event) {
    TFormSelBase::showEvent(event);
    const QSignalBlocker b1(ui->TrackVolume), b2(ui->TrackTempo), b3(ui->TrackBalance);
    ui->TrackVolume->setValue(mVolume / 10);
    ui->TrackTempo->setValue((mTempo - 50) / 10);
    ui->TrackBalance->setValue(mBalance / 10);
}

void TFormSelSound::ButtonPlayClick() {
    if (mFileName == QLatin1String(MusicOff) || mFileName.isEmpty()) {
        ButtonInterruptClick();
        return;
    }
    NoteSoundPreview(this);
    SoundLibrary().PlaySoundEx(ResolveMaterialFile(mFileName, Folder(), SoundExtensions()), mVolume, mTempo,
                               mBalance);
}

void TFormSelSound::ButtonInterruptClick() {
    SoundLibrary().StopSound();
}

void TFormSelSound::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ButtonPlayClick();
        event->accept();
        return;
    }
    TFormSelBase::keyPressEvent(event);
}

} // namespace tarvel
