#pragma once

// The dialogs of the battle animation page that edit cells: "Cells Field Creation" for one cell,
// "Establition Cells All Together" for chosen cells of chosen frames at once.

#include <QDialog>

#include "data/AnimationEditRules.h"
#include "data/LD_Animation.h"
#include "pickers/ProcessOption.h"

class QCheckBox;
class QListWidget;
class QSpinBox;

namespace tarvel {

class TSliderSpin;

// The ranges the cell dialogs offer.
constexpr int AnimationPatternMax = 25; // pattern numbers 1..25 in the dialogs
constexpr int AnimationZoomMax = 800;
constexpr int AnimationColorMax = 200;

// "Cells Field Creation": every value of one cell.
class TFormAnimationCell : public QDialog {
    Q_OBJECT
public:
    explicit TFormAnimationCell(QWidget* parent = nullptr);
    void SetCell(const TQelAnimationCellItem& cell);
    // Writes the dialog's values into the cell (it stays valid).
    void GetCell(TQelAnimationCellItem& cell) const;

    QSpinBox* Pattern() const { return mPattern; }
    QSpinBox* X() const { return mX; }
    QSpinBox* Y() const { return mY; }
    QSpinBox* Zoom() const { return mZoom; }
    QSpinBox* Transparency() const { return mTransparency; }
    TSliderSpin* Color(int channel) const { return mColor[channel]; }

private:
    QSpinBox* mPattern;
    QSpinBox* mX;
    QSpinBox* mY;
    QSpinBox* mZoom;
    QSpinBox* mTransparency;
    TSliderSpin* mColor[4]; // red, green, blue, chroma
};

// Every choice of "Establition Cells All Together", kept for its next opening.
TProcessOption<TBatchCellSettings>& RememberedBatchCells();

// "Establition Cells All Together": frames marked in a list, cells 1..8 checked, and the settings
// to write, each with its own check box.
class TFormAnimationCellsAll : public QDialog {
    Q_OBJECT
public:
    TFormAnimationCellsAll(QWidget* parent, int frameCount);
    // The choices made; after OK they are also remembered.
    TBatchCellSettings Settings() const;

    QListWidget* FrameList() const { return mFrames; }
    QCheckBox* CellCheck(int cell) const { return mCells[cell]; }
    QCheckBox* PatternCheck() const { return mSetPattern; }
    QCheckBox* ZoomCheck() const { return mSetZoom; }
    QCheckBox* TransparencyCheck() const { return mSetTransparency; }
    QCheckBox* ColorCheck() const { return mSetColor; }
    QSpinBox* Pattern() const { return mPattern; }
    QSpinBox* Zoom() const { return mZoom; }
    QSpinBox* Transparency() const { return mTransparency; }
    TSliderSpin* Color(int channel) const { return mColor[channel]; }

    void done(int result) override;

private:
    QListWidget* mFrames;
    QCheckBox* mCells[AnimationMaxCells];
    QCheckBox* mSetPattern;
    QCheckBox* mSetZoom;
    QCheckBox* mSetTransparency;
    QCheckBox* mSetColor;
    QSpinBox* mPattern;
    QSpinBox* mZoom;
    QSpinBox* mTransparency;
    TSliderSpin* mColor[4];
    QWidget* mSample;
};

} // namespace tarvel
