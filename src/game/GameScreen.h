#pragma once

// What scripts do to the screen as a whole: its tone, flashes, shaking, the weather, panning,
// erasing and showing it with a transition, the twenty pictures and battle animations played on
// the map. Values that move over time are held in sixteenths, so every step is whole numbers.

#include <array>
#include <cstdint>
#include <string>

namespace tarvel::game {

constexpr int kPictureCount = 20;
// Values that glide (picture places and sizes, tones) are held in these fractions.
constexpr int kFine = 16;

struct TTone {
    int red = 100, green = 100, blue = 100, saturation = 100; // percent, 0..200
    bool Neutral() const { return red == 100 && green == 100 && blue == 100 && saturation == 100; }
    bool operator==(const TTone& o) const {
        return red == o.red && green == o.green && blue == o.blue && saturation == o.saturation;
    }
};

// A value moving to a target over a number of frames.
struct TGlide {
    int value = 0;  // in sixteenths
    int target = 0; // in sixteenths
    void Set(int v) { value = target = v * kFine; }
    int Whole() const { return value / kFine; }
    // One frame nearer to the target, with framesLeft frames to go (the last one lands on it).
    void Step(int framesLeft) { value = framesLeft <= 1 ? target : value + (target - value) / framesLeft; }
};

struct TGamePicture {
    bool shown = false;
    std::string name;
    bool scrolls = false; // moves with the map
    bool useKey = true;   // colour 0 is transparent
    int effect = 0;       // 0 none, 1 rotation, 2 ripple
    TGlide x, y;          // centre on the screen
    TGlide zoom;          // percent
    TGlide transparency;  // percent
    TGlide red, green, blue, saturation;
    TGlide effectPower;
    int moveFrames = 0; // frames a move still lasts
    // Where the view was when a picture that moves with the map was shown.
    int viewX = 0, viewY = 0;
    int phase = 0; // rotation angle or ripple phase, advanced by the effect power
};

// Erase and show effects of the system record (erase 0..20, show 0..19).
enum TEraseType : int { erFade = 0, erInstant = 19, erNone = 20 };

struct TTransition {
    bool active = false;
    bool erase = true; // erasing (else showing)
    int type = 0;
    int frame = 0;
    int length = 0;
    // How far it is, 0 (nothing done) .. 256 (done).
    int Progress() const { return length <= 0 ? 256 : frame * 256 / length; }
};

// A battle animation played on the map.
struct TMapAnimation {
    bool active = false;
    int32_t animationID = 0;
    int32_t target = 0;  // character designator
    bool global = false; // over the whole screen
    int frame = 0;       // the animation's frame shown
    int tick = 0;        // game frames within it
};

class TGameScreen {
public:
    // Frames a transition lasts (fade and the others), and game frames per animation frame.
    static constexpr int kTransitionFrames = 32;
    static constexpr int kFramesPerAnimationFrame = 2;

    void Reset();

    // Tone: glides to the new tone over the frames.
    void StartTone(const TTone& tone, int frames);
    TTone Tone() const;
    bool ToneMoving() const { return mToneFrames > 0; }

    // Flash: 5-bit colour and strength 0..31, fading over the frames.
    void StartFlash(int red, int green, int blue, int strength, int frames);
    int FlashStrength() const;
    int FlashRed() const { return mFlashRed; }
    int FlashGreen() const { return mFlashGreen; }
    int FlashBlue() const { return mFlashBlue; }
    bool Flashing() const { return mFlashFrames > 0; }

    // Shake: power and speed 1..9 for the frames.
    void StartShake(int power, int speed, int frames);
    int ShakeOffset() const { return mShakeOffset; }
    bool Shaking() const { return mShakeFrames > 0 || mShakeOffset != 0; }

    // Weather 0 none, 1 rain, 2 snow; strength 0..2.
    void SetWeather(int weather, int strength);
    int Weather() const { return mWeather; }
    int WeatherStrength() const { return mWeatherStrength; }

    // Pan: the view is held (locked) or follows the hero; a move glides the view's offset from the
    // hero, in pixels, at a speed 1..6.
    bool PanLocked() const { return mPanLocked; }
    void SetPanLocked(bool locked) { mPanLocked = locked; }
    void StartPan(int dx, int dy, int speed);
    void ReturnPan(int speed);
    bool Panning() const { return mPanX != mPanTargetX || mPanY != mPanTargetY; }
    int PanX() const { return mPanX / kFine; }
    int PanY() const { return mPanY / kFine; }

    // Erasing and showing the screen.
    void StartTransition(bool erase, int type);
    const TTransition& Transition() const { return mTransition; }
    bool InTransition() const { return mTransition.active; }
    // The screen is erased: only what lies above the map shows.
    bool Erased() const { return mErased; }
    void SetErased(bool erased) { mErased = erased; }

    std::array<TGamePicture, kPictureCount>& Pictures() { return mPictures; }
    const std::array<TGamePicture, kPictureCount>& Pictures() const { return mPictures; }
    TMapAnimation& Animation() { return mAnimation; }
    const TMapAnimation& Animation() const { return mAnimation; }

    // One frame of everything that moves.
    void Update();
    // Frames since the game started, for the weather and the water.
    int64_t Ticks() const { return mTicks; }

private:
    friend class TGameSaver;
    TTone mTone, mToneTarget;
    std::array<int, 4> mToneFine{}; // the tone in sixteenths while it glides
    int mToneFrames = 0;
    int mFlashRed = 31, mFlashGreen = 31, mFlashBlue = 31, mFlashStrength = 0;
    int mFlashFrames = 0, mFlashLength = 0;
    int mShakePower = 0, mShakeSpeed = 0, mShakeFrames = 0, mShakeOffset = 0, mShakeDirection = 1;
    int mWeather = 0, mWeatherStrength = 0;
    bool mPanLocked = false;
    int mPanX = 0, mPanY = 0, mPanTargetX = 0, mPanTargetY = 0, mPanSpeed = 0;
    TTransition mTransition;
    bool mErased = false;
    std::array<TGamePicture, kPictureCount> mPictures;
    TMapAnimation mAnimation;
    int64_t mTicks = 0;
};

} // namespace tarvel::game
