#include "GameScreen.h"

#include <algorithm>
#include <cstdlib>

namespace tarvel::game {

namespace {

int Toward(int value, int target, int step) {
    if (value < target) return std::min(value + step, target);
    if (value > target) return std::max(value - step, target);
    return value;
}

} // namespace

void TGameScreen::Reset() {
    *this = TGameScreen();
}

void TGameScreen::StartTone(const TTone& tone, int frames) {
    mToneTarget = tone;
    if (frames <= 0) {
        mTone = tone;
        mToneFrames = 0;
        return;
    }
    mToneFine = {mTone.red * kFine, mTone.green * kFine, mTone.blue * kFine, mTone.saturation * kFine};
    mToneFrames = frames;
}

TTone TGameScreen::Tone() const {
    return mTone;
}

void TGameScreen::StartFlash(int red, int green, int blue, int strength, int frames) {
    mFlashRed = std::clamp(red, 0, 31);
    mFlashGreen = std::clamp(green, 0, 31);
    mFlashBlue = std::clamp(blue, 0, 31);
    mFlashStrength = std::clamp(strength, 0, 31);
    mFlashLength = std::max(frames, 1);
    mFlashFrames = std::max(frames, 1);
}

int TGameScreen::FlashStrength() const {
    if (mFlashFrames <= 0 || mFlashLength <= 0) return 0;
    return mFlashStrength * mFlashFrames / mFlashLength;
}

void TGameScreen::StartShake(int power, int speed, int frames) {
    mShakePower = std::clamp(power, 1, 9);
    mShakeSpeed = std::clamp(speed, 1, 9);
    mShakeFrames = std::max(frames, 0);
}

void TGameScreen::SetWeather(int weather, int strength) {
    mWeather = std::clamp(weather, 0, 2);
    mWeatherStrength = std::clamp(strength, 0, 2);
}

void TGameScreen::StartPan(int dx, int dy, int speed) {
    mPanTargetX += dx * kFine;
    mPanTargetY += dy * kFine;
    mPanSpeed = std::clamp(speed, 1, 6);
}

void TGameScreen::ReturnPan(int speed) {
    mPanTargetX = mPanTargetY = 0;
    mPanSpeed = std::clamp(speed, 1, 6);
}

void TGameScreen::StartTransition(bool erase, int type) {
    mTransition = TTransition();
    mTransition.erase = erase;
    mTransition.type = type;
    const bool instant = erase ? (type == erInstant || type == erNone) : type == erInstant;
    if (instant || type < 0 || type > (erase ? 20 : 19)) {
        // Done at once: an instant effect, or an effect no table knows.
        if (!(erase && type == erNone)) mErased = erase;
        return;
    }
    mTransition.active = true;
    mTransition.length = kTransitionFrames;
    if (!erase) mErased = false;
}

void TGameScreen::Update() {
    ++mTicks;
    if (mToneFrames > 0) {
        const int target[4] = {mToneTarget.red * kFine, mToneTarget.green * kFine, mToneTarget.blue * kFine,
                               mToneTarget.saturation * kFine};
        for (int i = 0; i < 4; ++i)
            mToneFine[size_t(i)] =
                mToneFrames <= 1 ? target[i]
                                 : mToneFine[size_t(i)] + (target[i] - mToneFine[size_t(i)]) / mToneFrames;
        --mToneFrames;
        mTone = {mToneFine[0] / kFine, mToneFine[1] / kFine, mToneFine[2] / kFine, mToneFine[3] / kFine};
    }
    if (mFlashFrames > 0) --mFlashFrames;
    if (mShakeFrames > 0 || mShakeOffset != 0) {
        // The picture swings between plus and minus twice the power, faster with the speed; when the
        // time is up it settles back.
        const int limit = mShakePower * 2;
        const int step = std::max(1, mShakeSpeed * mShakePower / 4);
        if (mShakeFrames > 0) {
            --mShakeFrames;
            mShakeOffset += mShakeDirection * step;
            if (mShakeOffset >= limit) mShakeDirection = -1;
            if (mShakeOffset <= -limit) mShakeDirection = 1;
        } else {
            mShakeOffset = Toward(mShakeOffset, 0, step);
        }
    }
    if (Panning()) {
        const int step = 1 << (mPanSpeed + 1); // sixteenths of a pixel, as a character walks
        mPanX = Toward(mPanX, mPanTargetX, step);
        mPanY = Toward(mPanY, mPanTargetY, step);
    }
    if (mTransition.active) {
        if (++mTransition.frame >= mTransition.length) {
            mTransition.active = false;
            mErased = mTransition.erase;
        }
    }
    for (TGamePicture& p : mPictures) {
        if (!p.shown) continue;
        if (p.moveFrames > 0) {
            for (TGlide* g : {&p.x, &p.y, &p.zoom, &p.transparency, &p.red, &p.green, &p.blue, &p.saturation,
                              &p.effectPower})
                g->Step(p.moveFrames);
            --p.moveFrames;
        }
        if (p.effect != 0) p.phase = (p.phase + p.effectPower.Whole()) % 3600;
    }
}

} // namespace tarvel::game
