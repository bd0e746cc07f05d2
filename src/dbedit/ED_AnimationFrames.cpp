#include "ED_AnimationFrames.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ED_Widgets.h"

namespace tarvel {

namespace {

QSpinBox* frameSpin(QWidget* parent, int frameCount, int remembered) {
    auto* box = new QSpinBox(parent);
    box->setRange(1, std::max(frameCount, 1));
    box->setValue(remembered == LastFrame ? frameCount : std::clamp(remembered, 1, std::max(frameCount, 1)));
    return box;
}

// A frame number to remember: the last frame is kept as such.
int rememberFrame(int frame, int frameCount) {
    return frame == frameCount ? LastFrame : frame;
}

} // namespace

// ---- "Frame Number" ----

TFormFrameNumber::TFormFrameNumber(QWidget* parent, int count) : QDialog(parent), mCount(new QSpinBox(this)) {
    setObjectName("FormFrameNumber");
    setWindowTitle("Frame Number");
    mCount->setObjectName("EditCount");
    mCount->setRange(1, AnimationMaxFrames);
    mCount->setValue(std::clamp(count, 1, AnimationMaxFrames));
    auto* form = new QFormLayout;
    form->addRow("Frame No.", mCount);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancelButtons(this));
}

int TFormFrameNumber::Count() const {
    return mCount->value();
}

// ---- "Frame Managament" ----

TProcessOption<TFrameManageMemory>& RememberedFrameManage() {
    static TProcessOption<TFrameManageMemory> memory(TFrameManageMemory{});
    return memory;
}

TFormFrameManage::TFormFrameManage(QWidget* parent, int frameCount)
    : QDialog(parent), mFrameCount(frameCount) {
    setObjectName("FormFrameManage");
    setWindowTitle("Frame Managament");
    const TFrameManageMemory& m = RememberedFrameManage().Value();
    mA = frameSpin(this, frameCount, m.a);
    mB = frameSpin(this, frameCount, m.b);
    mDestination = frameSpin(this, frameCount, m.destination);
    auto* range = new QFormLayout;
    range->addRow("Frame", mA);
    range->addRow("to", mB);

    auto* work = new QGroupBox("Operation", this);
    mCopy = new QRadioButton("Copy", work);
    mClear = new QRadioButton("Clear", work);
    (m.clear ? mClear : mCopy)->setChecked(true);
    auto* workLayout = new QFormLayout(work);
    workLayout->addRow(mCopy);
    workLayout->addRow("Copy Before", mDestination);
    workLayout->addRow(mClear);
    connect(mCopy, &QRadioButton::toggled, mDestination, &QWidget::setEnabled);
    mDestination->setEnabled(mCopy->isChecked());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(work);
    layout->addWidget(MakeOkCancelButtons(this));
}

void TFormFrameManage::done(int result) {
    if (result == QDialog::Accepted) {
        int a = mA->value(), b = mB->value();
        if (b < a) std::swap(a, b);
        mA->setValue(a);
        mB->setValue(b);
        RememberedFrameManage().Set(
            {a, rememberFrame(b, mFrameCount), mDestination->value(), mClear->isChecked()});
    }
    QDialog::done(result);
}

void TFormFrameManage::Apply(TQelAnimationItem& animation) const {
    if (mClear->isChecked())
        ClearAnimationFrames(animation, mA->value(), mB->value());
    else
        CopyAnimationFrames(animation, mA->value(), mB->value(), mDestination->value());
}

// ---- "Animation Complement Editor" ----

TProcessOption<TComplementSettings>& RememberedComplement() {
    static TProcessOption<TComplementSettings> memory(
        TComplementSettings{1, LastFrame, 1, AnimationMaxCells, true, true, true});
    return memory;
}

TFormComplement::TFormComplement(QWidget* parent, int frameCount) : QDialog(parent), mFrameCount(frameCount) {
    setObjectName("FormComplement");
    setWindowTitle("Animation Complement Editor");
    const TComplementSettings& m = RememberedComplement().Value();
    mStart = frameSpin(this, frameCount, m.startFrame);
    mEnd = frameSpin(this, frameCount, m.endFrame);
    auto cellSpin = [this](int value) {
        auto* box = new QSpinBox(this);
        box->setRange(1, AnimationMaxCells);
        box->setValue(std::clamp(value, 1, AnimationMaxCells));
        return box;
    };
    mFirst = cellSpin(m.firstCell);
    mLast = cellSpin(m.lastCell);
    mPattern = new QCheckBox("Pattern Number", this);
    mMagnification = new QCheckBox("Magnification", this);
    mTransparency = new QCheckBox("Transparency", this);
    mPattern->setChecked(m.pattern);
    mMagnification->setChecked(m.magnification);
    mTransparency->setChecked(m.transparency);

    auto* form = new QFormLayout;
    form->addRow("Start Frame", mStart);
    form->addRow("End Frame", mEnd);
    form->addRow("First Cell", mFirst);
    form->addRow("Last Cell", mLast);
    auto* what = new QGroupBox("Complement", this);
    auto* whatLayout = new QVBoxLayout(what);
    whatLayout->addWidget(mPattern);
    whatLayout->addWidget(mMagnification);
    whatLayout->addWidget(mTransparency);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(what);
    layout->addWidget(MakeOkCancelButtons(this));
}

TComplementSettings TFormComplement::Settings() const {
    TComplementSettings s;
    s.startFrame = std::min(mStart->value(), mEnd->value());
    s.endFrame = std::max(mStart->value(), mEnd->value());
    s.firstCell = std::min(mFirst->value(), mLast->value());
    s.lastCell = std::max(mFirst->value(), mLast->value());
    s.pattern = mPattern->isChecked();
    s.magnification = mMagnification->isChecked();
    s.transparency = mTransparency->isChecked();
    return s;
}

void TFormComplement::done(int result) {
    if (result == QDialog::Accepted) {
        TComplementSettings s = Settings();
        s.endFrame = rememberFrame(s.endFrame, mFrameCount);
        RememberedComplement().Set(s);
    }
    QDialog::done(result);
}

} // namespace tarvel
