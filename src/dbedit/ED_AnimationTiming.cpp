#include "ED_AnimationTiming.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ED_Widgets.h"

namespace tarvel {

TProcessOption<int>& RememberedTimingFrame() {
    static TProcessOption<int> frame(1);
    return frame;
}

TFormAnimationTiming::TFormAnimationTiming(QWidget* parent, int frameCount)
    : QDialog(parent), mFrame(new QSpinBox(this)), mSound(new TMaterialBox(TMaterialBox::TKind::Sound, this)),
      mScope(new TRadioGroup("Flash", {"None", "Target", "Screen"}, Qt::Horizontal, this)), mSwatch(nullptr) {
    setObjectName("FormAnimationTiming");
    setWindowTitle("SE Animation Timing");
    mFrame->setObjectName("EditFrame");
    mFrame->setRange(1, std::max(frameCount, 1));
    mSound->setObjectName("SoundBox");
    mScope->setObjectName("RadioScope");

    auto* form = new QFormLayout;
    form->addRow("Frame", mFrame);
    form->addRow("Select Sound Effect", mSound);

    auto* colour = new QGroupBox("Flash Color", this);
    auto* flashLayout = new QFormLayout(colour);
    const char* captions[4] = {"Red", "Green", "Blue", "Strength"};
    for (int i = 0; i < 4; ++i) {
        mFlash[i] = new TSliderSpin(0, 31, colour);
        flashLayout->addRow(captions[i], mFlash[i]);
        connect(mFlash[i], &TSliderSpin::valueChanged, this,
                [this] { mSwatch->setPalette(QPalette(SwatchColor())); });
    }
    mSwatch = new QWidget(colour);
    mSwatch->setObjectName("Swatch");
    mSwatch->setFixedSize(48, 24);
    mSwatch->setAutoFillBackground(true);
    flashLayout->addRow("", mSwatch);
    connect(mScope, &TRadioGroup::indexChanged, this, &TFormAnimationTiming::ScopeChange);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mScope);
    layout->addWidget(colour);
    layout->addWidget(MakeOkCancelButtons(this));
    mScope->SetIndex(0);
    ScopeChange();
}

void TFormAnimationTiming::SetTiming(const TQelAnimationTimingItem& timing) {
    mFrame->setValue(timing.Frame);
    mSound->SetSound(timing.Sound);
    mScope->SetIndex(timing.FlashScope);
    mFlash[0]->SetValue(timing.FlashRed);
    mFlash[1]->SetValue(timing.FlashGreen);
    mFlash[2]->SetValue(timing.FlashBlue);
    mFlash[3]->SetValue(timing.FlashPower);
    ScopeChange();
}

void TFormAnimationTiming::GetTiming(TQelAnimationTimingItem& timing) const {
    timing.Frame = mFrame->value();
    timing.Sound.Assign(mSound->Sound());
    timing.FlashScope = uint8_t(mScope->Index());
    timing.FlashRed = mFlash[0]->Value();
    timing.FlashGreen = mFlash[1]->Value();
    timing.FlashBlue = mFlash[2]->Value();
    timing.FlashPower = mFlash[3]->Value();
}

QColor TFormAnimationTiming::SwatchColor() const {
    if (mScope->Index() == 0) return palette().color(QPalette::Button);
    return QColor(mFlash[0]->Value() * 8, mFlash[1]->Value() * 8, mFlash[2]->Value() * 8);
}

void TFormAnimationTiming::ScopeChange() {
    const bool flash = mScope->Index() != 0;
    for (TSliderSpin* f : mFlash)
        f->setEnabled(flash);
    mSwatch->setPalette(QPalette(SwatchColor()));
}

void TFormAnimationTiming::done(int result) {
    if (result == QDialog::Accepted) RememberedTimingFrame().Set(mFrame->value());
    QDialog::done(result);
}

} // namespace tarvel
