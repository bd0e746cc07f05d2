#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PrismSheet.h"

namespace tarvel {

// A battle-animation picture holds cells of 96 x 96 pixels in rows of 5.
constexpr int kAnimationCellSize = 96;
TRect AnimationPictureCell(int n);

// One cell of a frame as the renderer reads it: picture cell Pattern at offset (X, Y) from the
// anchor, magnified by Zoom percent, tinted by Red, Green, Blue and Chroma (saturation) percent and
// made Transparency percent transparent.
struct TAnimationCellLook {
    bool Visible = true;
    int Pattern = 0;
    int X = 0;
    int Y = 0;
    int Zoom = 100;
    int Red = 100;
    int Green = 100;
    int Blue = 100;
    int Chroma = 100;
    int Transparency = 0;
};

// One timing entry: at Frame (1-based) a sound and a flash of the target (scope 1) or the screen
// (scope 2) in 5-bit colour with FlashPower 0..31.
struct TAnimationTimingLook {
    int Frame = 0;
    std::string SoundName = "(OFF)";
    int Volume = 100;
    int Tempo = 100;
    int Balance = 50;
    int FlashScope = 0;
    int FlashRed = 31;
    int FlashGreen = 31;
    int FlashBlue = 31;
    int FlashPower = 31;
};

// What the animation renderer reads from the battle animation record it draws. The data layer
// shows its record through this, so the editor's live changes are drawn without copying.
class AnimationRecordPort {
public:
    virtual ~AnimationRecordPort() = default;
    virtual std::string GraphicName() const = 0;
    virtual int FrameCount() const = 0;
    virtual int CellCount(int frame) const = 0;
    virtual TAnimationCellLook Cell(int frame, int index) const = 0;
    virtual int TimingCount() const = 0;
    virtual TAnimationTimingLook Timing(int index) const = 0;
};

// An animation held by value, for tools and tests.
struct TAnimationLook : AnimationRecordPort {
    std::string graphicName;
    std::vector<std::vector<TAnimationCellLook>> frames;
    std::vector<TAnimationTimingLook> timings;
    std::string GraphicName() const override { return graphicName; }
    int FrameCount() const override { return int(frames.size()); }
    int CellCount(int frame) const override { return int(frames[size_t(frame)].size()); }
    TAnimationCellLook Cell(int frame, int index) const override {
        return frames[size_t(frame)][size_t(index)];
    }
    int TimingCount() const override { return int(timings.size()); }
    TAnimationTimingLook Timing(int index) const override { return timings[size_t(index)]; }
};

// A flash colour in 5-bit units with its strength (0..31).
struct TFlash {
    int red = 0;
    int green = 0;
    int blue = 0;
    int strength = 0;
    bool operator==(const TFlash& o) const {
        return red == o.red && green == o.green && blue == o.blue && strength == o.strength;
    }
};

// Draws the cells of a battle animation with their zoom, colour, saturation and transparency,
// keeps the per-frame flash colours of its timing list and plays the sounds of a frame.
class TQelAnimationGraphic {
public:
    TQelAnimationGraphic();

    // Stores the record (not owned; may be null), loads its picture and builds the flash tables.
    void SetAnimation(const AnimationRecordPort* record, bool noFlash);
    const AnimationRecordPort* Animation() const { return mAnimation; }
    // Loads the picture from the "Battle" material folder unless it is the one loaded (blank when
    // missing or unreadable).
    void SetImage(const std::string& name);
    const std::string& ImageName() const { return mImageName; }
    // Both tables get frame count + 10 entries. Each flash starts at 7/6 of its strength (capped at
    // 31) and fades by a sixth over six frames; later entries win where they overlap.
    void BuildFlashes(bool noFlash);
    int FlashCount() const { return int(mTargetFlash.size()); }
    const TFlash& TargetFlash(int frame) const { return mTargetFlash[size_t(frame)]; }
    const TFlash& ScreenFlash(int frame) const { return mScreenFlash[size_t(frame)]; }

    // The picture's palette colour 0, the backdrop behind its cells.
    TRGB BackgroundColor() const;
    // Opacity 255, both colour controls neutral, table rebuilt.
    void ResetColors();
    // Picture cell n unscaled with its top-left at (x, y).
    void DrawPictureCell(TPrismBoard& board, int x, int n, int y);
    // Tone of colour control 1 (target) or 2 (screen) of any sheet from the table entry of the
    // frame; a frame outside the table sets the control neutral.
    void ApplyTargetFlash(TPrismSheet& sheet, int frame) const;
    void ApplyScreenFlash(TPrismSheet& sheet, int frame) const;
    // Cell k of the frame, centred at (x + X, y + Y).
    void DrawCell(TPrismBoard& board, int x, bool withScreenFlash, int cellIndex, int frame, int y);
    // Every visible cell of the frame, in list order, with the screen flash.
    void DrawFrame(TPrismBoard& board, int x, int frame, int y);
    // The sounds of the timing entries of frame + 1 through the sound player, each file looked up
    // in the "Sound" material folder; "(OFF)" plays nothing.
    void PlayFrameSounds(int frame) const;

    TPrismSheet& Sheet() { return *mSheet; }

private:
    const AnimationRecordPort* mAnimation = nullptr;
    std::string mImageName;
    std::unique_ptr<TPrismSheet> mSheet;
    std::vector<TFlash> mTargetFlash, mScreenFlash;
};

} // namespace tarvel
