#pragma once

#include "ProcessOption.h"
#include "SelBase.h"
#include "data/LD_Music.h"

class QAbstractButton;

namespace Ui {
class TFormSelMusic;
}

namespace tarvel {

// The music last started from a picker, with its four values: where a new music picker starts
// and what tells whether the music being edited is the one playing.
struct TPreviewMusic {
    QString name = QString::fromLatin1(MusicOff);
    int fadeIn = 0;
    int volume = 100;
    int tempo = 100;
    int balance = 50;
};
TProcessOption<TPreviewMusic>& RememberedMusic();

// Chooses a music file with its fade-in, volume, tempo and balance, and plays it through the
// sound library. The list starts with "(OFF)". Used only to listen (the database window's music
// button), OK is hidden and Cancel reads "&Cansel".
class TFormSelMusic : public TFormSelBase {
    Q_OBJECT
public:
    // Starts from the remembered music.
    explicit TFormSelMusic(QWidget* parent = nullptr);
    ~TFormSelMusic() override;
    Ui::TFormSelMusic* form() const { return ui.get(); }

    void SetMusic(const TQelMusic& music);
    TQelMusic Music() const;
    void SetListenOnly(bool on);
    // The music being edited is the one the library plays, so slider moves are heard.
    bool Playing() const { return mPlaying; }

    // The sliders' scales (positions 0..10).
    static int FadeInOfPosition(int position) { return position * 1000; }
    static int VolumeOfPosition(int position) { return position * 10; }
    static int TempoOfPosition(int position) { return position * 10 + 50; }
    static int BalanceOfPosition(int position) { return position * 10; }

    void ButtonPlayClick();
    void ButtonInterruptClick();

protected:
    QStringList LeadingRows() const override;
    void DataListDoubleClick() override { ButtonPlayClick(); }
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TrackFadeInChange(int position);
    void TrackVolumeChange(int position);
    void TrackTempoChange(int position);
    void TrackBalanceChange(int position);
    void setSliders();
    void interrupt(bool fadeOut);
    // Whether Shift was held for the click or key being handled.
    bool takeShift();

    std::unique_ptr<Ui::TFormSelMusic> ui;
    int mFadeIn = 0;
    int mVolume = 100;
    int mTempo = 100;
    int mBalance = 50;
    bool mPlaying = false;
    Qt::KeyboardModifiers mButtonModifiers;
};

} // namespace tarvel
