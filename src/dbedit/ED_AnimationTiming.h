#pragma once

// "SE Animation Timing": one entry of a battle animation's timing list, a sound effect and a
// flash of the target or the screen at a frame.

#include <QDialog>

#include "data/LD_Animation.h"
#include "pickers/ProcessOption.h"

class QSpinBox;

namespace tarvel {

class TMaterialBox;
class TRadioGroup;
class TSliderSpin;

// The frame of the entry edited last: where a new entry starts.
TProcessOption<int>& RememberedTimingFrame();

class TFormAnimationTiming : public QDialog {
    Q_OBJECT
public:
    TFormAnimationTiming(QWidget* parent, int frameCount);
    void SetTiming(const TQelAnimationTimingItem& timing);
    // The dialog's values written into the entry (its shake value is kept).
    void GetTiming(TQelAnimationTimingItem& timing) const;

    QSpinBox* Frame() const { return mFrame; }
    TMaterialBox* SoundBox() const { return mSound; }
    TRadioGroup* Scope() const { return mScope; }
    // 0 red, 1 green, 2 blue, 3 strength.
    TSliderSpin* Flash(int channel) const { return mFlash[channel]; }
    QWidget* Swatch() const { return mSwatch; }
    // The colour the swatch shows: each component x 8, or the button face without a flash.
    QColor SwatchColor() const;

    void done(int result) override;

private:
    void ScopeChange();

    QSpinBox* mFrame;
    TMaterialBox* mSound;
    TRadioGroup* mScope;
    TSliderSpin* mFlash[4];
    QWidget* mSwatch;
};

} // namespace tarvel
