#pragma once

// Everything that stands and walks on the map (the hero, the vehicles, the events): its cell, its
// place between cells while it steps, its facing and walking animation, its speed and frequency,
// and the move route it follows. Where it may go is asked of the world it lives in.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/LD_MoveRoute.h"

namespace tarvel::game {

class TGameRandom;
class TGameCharacter;
class TGameEvent;

// Directions as the data stores them.
enum TDirection : int { dirUp = 0, dirRight = 1, dirDown = 2, dirLeft = 3 };
// A cell is this many position units wide, so a step of any speed moves a whole number of units.
constexpr int kCellUnits = 256;
constexpr int kCellPixels = 16;

inline int DirectionDX(int dir) {
    return dir == dirRight ? 1 : dir == dirLeft ? -1 : 0;
}
inline int DirectionDY(int dir) {
    return dir == dirDown ? 1 : dir == dirUp ? -1 : 0;
}
inline int ReverseDirection(int dir) {
    return (dir + 2) & 3;
}

// Drawing levels of the event pages: below the characters, with them, above them.
enum TLayer : int { layerBelow = 0, layerSame = 1, layerAbove = 2 };

// How a page animates: 0 steps while moving, 1 steps always, 2 never steps, 3 keeps its facing,
// 4 keeps facing and pattern, 5 spins.
enum TAnimType : int {
    animWalk = 0,
    animStepAlways = 1,
    animNoStep = 2,
    animFixedDirection = 3,
    animFixedGraphic = 4,
    animSpin = 5
};

// The world as a character needs it.
class TCharacterWorld {
public:
    virtual ~TCharacterWorld() = default;
    // Whether the character may step from cell (x, y) in the direction.
    virtual bool CanStep(const TGameCharacter& c, int x, int y, int dir) const = 0;
    // Whether a jump may end on the cell.
    virtual bool CanLand(const TGameCharacter& c, int x, int y) const = 0;
    // Brings a cell of a looping map back into the map; false when it lies outside a map that
    // does not loop there.
    virtual bool WrapCell(int& x, int& y) const = 0;
    // Map size in cells (for looping distances).
    virtual int MapWidth() const = 0;
    virtual int MapHeight() const = 0;
    virtual bool LoopsX() const = 0;
    virtual bool LoopsY() const = 0;
    virtual const TGameCharacter& HeroCharacter() const = 0;
    virtual TGameRandom& Random() = 0;
    // Route commands that reach beyond the character.
    virtual void RouteSwitch(int32_t switchID, bool on) = 0;
    virtual void RouteSound(const TQelMoveRouteItem& command) = 0;
    // The character's cell changed (old cell given).
    virtual void CharacterMoved(TGameCharacter& c, int oldX, int oldY) = 0;
    // A step was refused (the cell it wanted given), for the triggers that start on touch.
    virtual void CharacterBlocked(TGameCharacter& c, int x, int y) = 0;
};

// A move route being followed.
struct TGameRoute {
    std::vector<TQelMoveRouteItem> commands;
    bool repeat = true;
    bool skippable = false;
    int index = 0;
    // Steps gathered between a start and an end of a jump.
    bool inJump = false;
    int jumpDX = 0;
    int jumpDY = 0;
    bool done = false;
};
TGameRoute MakeRoute(const TQelMoveRoute& route);

class TGameCharacter {
public:
    virtual ~TGameCharacter() = default;

    // The event this character is, or nullptr (the hero, a vehicle).
    virtual TGameEvent* AsEvent() { return nullptr; }

    void SetWorld(TCharacterWorld* world) { mWorld = world; }

    int X() const { return mX; }
    int Y() const { return mY; }
    // Places the character on a cell at once (no step).
    void MoveTo(int x, int y);
    // Position in units (kCellUnits a cell), between cells while stepping.
    int RealX() const { return mRealX; }
    int RealY() const { return mRealY; }
    bool Moving() const { return mRealX != mX * kCellUnits || mRealY != mY * kCellUnits; }
    bool Jumping() const { return mJumpFrames > 0; }
    // Pixels the character is lifted by a jump.
    int JumpHeight() const;

    int Direction() const { return mDirection; }
    void SetDirection(int dir);
    // Turns even when the facing is fixed (a page's own facing, a script's turn of the hero).
    void ForceDirection(int dir) { mDirection = dir & 3; }
    int Pattern() const { return mPattern; }
    // The pattern shown while standing (a page's own pattern); walking steps around it.
    void SetPattern(int pattern) { mPattern = mStandPattern = pattern < 0 ? 0 : pattern > 2 ? 2 : pattern; }

    int Speed() const { return mSpeed; }
    void SetSpeed(int speed);
    int Frequency() const { return mFrequency; }
    void SetFrequency(int frequency);
    int AnimType() const { return mAnimType; }
    void SetAnimType(int type) { mAnimType = type; }
    bool Through() const { return mThrough; }
    void SetThrough(bool on) { mThrough = on; }
    bool DirectionFixed() const {
        return mDirectionFixed || mAnimType == animFixedDirection || mAnimType == animFixedGraphic;
    }
    void SetDirectionFixed(bool on) { mDirectionFixed = on; }
    bool AnimationStopped() const { return mAnimationStopped; }
    // Transparency 0 (opaque) .. 7.
    int Transparency() const { return mTransparency; }
    void SetTransparency(int t) { mTransparency = t < 0 ? 0 : t > 7 ? 7 : t; }

    // The graphic: a character of a set, or (empty name) an upper chip.
    const std::string& CharName() const { return mCharName; }
    int CharIndex() const { return mCharIndex; }
    void SetGraphic(const std::string& name, int index);

    int Layer() const { return mLayer; }
    void SetLayer(int layer) { mLayer = layer; }

    // Tries one step in a direction, turning to it first; false when the way is blocked.
    bool Step(int dir);
    // Tries a diagonal step (route commands 4..7): horizontal and vertical direction.
    bool StepDiagonal(int horizontal, int vertical);
    // Starts a jump by (dx, dy) cells, landing where it may; false when the landing cell is barred.
    bool Jump(int dx, int dy);
    // Turns toward or away from the hero.
    void TurnTowardHero();
    void TurnAwayFromHero();
    // The direction that leads toward the hero (the longer way first), on a looping map the short
    // way around.
    int DirectionToHero(bool away) const;

    // A route that the character follows instead of its own movement (from a script); it
    // follows it once or forever, and Forced() is false again when it ends.
    void SetForcedRoute(TGameRoute route, int frequency);
    void CancelForcedRoute();
    bool Forced() const { return mForced.has_value(); }
    // The character's own route (a page that moves by its route).
    void SetOwnRoute(TGameRoute route) { mOwnRoute = std::move(route); }

    // A colour flash over the character: 5-bit colour, strength 0..31, fading over the frames.
    void Flash(int red, int green, int blue, int strength, int frames);
    // Strength of the flash now (0 none) and its colour.
    int FlashStrength() const;
    int FlashRed() const { return mFlashRed; }
    int FlashGreen() const { return mFlashGreen; }
    int FlashBlue() const { return mFlashBlue; }

    // One frame: stepping, jumping, animation, then (when it stands) its route or movement.
    void Update();

    // Frames from one cell to the next at a speed (1..6).
    static int FramesPerCell(int speed);
    // Frames a character rests between moves at a movement frequency (1..8).
    static int PauseFrames(int frequency);

protected:
    // The character's own wish to move once it stands still (the hero's keys, an event's
    // movement type); the base does nothing.
    virtual void Autonomous() {}
    // Whether the character moves at all this frame (an event that runs its script stands).
    virtual bool MayMove() const { return true; }
    // Whether this character steps its animation while standing.
    bool StepsWhileStanding() const { return mAnimType == animStepAlways; }
    // Stood long enough since the last move for the movement frequency.
    bool Rested() const { return mStopCount >= PauseFrames(mFrequency); }

    // Takes the cell (brought into a looping map) as the character's, the position following
    // from where it stands.
    void enterCell(int x, int y);
    void runRoute(TGameRoute& route);
    // Carries out one route command; false when a step could not be made.
    bool runRouteCommand(TGameRoute& route, const TQelMoveRouteItem& command, bool& instant);
    void animate(bool moving);

    TCharacterWorld* mWorld = nullptr;
    int mX = 0, mY = 0;
    int mRealX = 0, mRealY = 0;
    int mDirection = dirDown;
    int mPattern = 1;
    int mStandPattern = 1;
    int mAnimCounter = 0;
    int mAnimStep = 0;
    int mSpeed = 4;
    int mFrequency = 6;
    int mAnimType = animWalk;
    bool mThrough = false;
    bool mDirectionFixed = false;
    bool mAnimationStopped = false;
    int mTransparency = 0;
    std::string mCharName;
    int mCharIndex = 0;
    int mLayer = layerSame;
    // Frames stood since the last move, and the frames a route's wait still lasts.
    int mStopCount = 0;
    int mWaitCount = 0;
    // A jump in progress: frames left of its length.
    int mJumpFrames = 0;
    int mJumpLength = 0;
    int mJumpStartX = 0, mJumpStartY = 0;
    int mJumpPeak = 0;
    // Frequency to go back to after a forced route.
    int mSavedFrequency = 0;
    std::optional<TGameRoute> mForced;
    TGameRoute mOwnRoute;
    bool mFollowsOwnRoute = false;
    int mFlashRed = 31, mFlashGreen = 31, mFlashBlue = 31, mFlashStrength = 0;
    int mFlashFrames = 0, mFlashLength = 0;

    friend class TGameSaver;
};

} // namespace tarvel::game
