#pragma once

// The dialogs of the battle animation page that work on frames: "Frame Number" (how many),
// "Frame Managament" (copy or clear a range) and "Animation Complement Editor" (interpolate cells
// between two frames).

#include <QDialog>

#include "data/AnimationEditRules.h"
#include "pickers/ProcessOption.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace tarvel {

// A frame number a dialog remembers: "the last frame" follows the count of the next animation.
constexpr int LastFrame = -1;

// "Frame Number": the number of frames, 1..99.
class TFormFrameNumber : public QDialog {
    Q_OBJECT
public:
    TFormFrameNumber(QWidget* parent, int count);
    int Count() const;
    QSpinBox* CountBox() const { return mCount; }

private:
    QSpinBox* mCount;
};

// What "Frame Managament" remembers for its next opening.
struct TFrameManageMemory {
    int a = 1;
    int b = LastFrame;
    int destination = 1;
    bool clear = false;
};
TProcessOption<TFrameManageMemory>& RememberedFrameManage();

// "Frame Managament": frames A..B copied to "Copy Before" D, or cleared.
class TFormFrameManage : public QDialog {
    Q_OBJECT
public:
    TFormFrameManage(QWidget* parent, int frameCount);
    QSpinBox* FrameA() const { return mA; }
    QSpinBox* FrameB() const { return mB; }
    QSpinBox* Destination() const { return mDestination; }
    QRadioButton* CopyButton() const { return mCopy; }
    QRadioButton* ClearButton() const { return mClear; }
    // After OK: A and B in order, remembered, and the work done on the animation.
    void Apply(TQelAnimationItem& animation) const;
    void done(int result) override;

private:
    int mFrameCount;
    QSpinBox* mA;
    QSpinBox* mB;
    QSpinBox* mDestination;
    QRadioButton* mCopy;
    QRadioButton* mClear;
};

// What "Animation Complement Editor" remembers (the end frame as LastFrame when it was the last).
TProcessOption<TComplementSettings>& RememberedComplement();

// "Animation Complement Editor": start and end frame, first and last cell, and what is stepped.
class TFormComplement : public QDialog {
    Q_OBJECT
public:
    TFormComplement(QWidget* parent, int frameCount);
    TComplementSettings Settings() const;
    QSpinBox* StartFrame() const { return mStart; }
    QSpinBox* EndFrame() const { return mEnd; }
    QSpinBox* FirstCell() const { return mFirst; }
    QSpinBox* LastCell() const { return mLast; }
    QCheckBox* PatternCheck() const { return mPattern; }
    QCheckBox* MagnificationCheck() const { return mMagnification; }
    QCheckBox* TransparencyCheck() const { return mTransparency; }
    void done(int result) override;

private:
    int mFrameCount;
    QSpinBox* mStart;
    QSpinBox* mEnd;
    QSpinBox* mFirst;
    QSpinBox* mLast;
    QCheckBox* mPattern;
    QCheckBox* mMagnification;
    QCheckBox* mTransparency;
};

} // namespace tarvel
