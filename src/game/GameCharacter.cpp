#include "GameCharacter.h"

#include <algorithm>
#include <cstdlib>

#include "GameRandom.h"
#include "records/Stream.h"

namespace tarvel::game {

namespace {

// The walking cycle: middle, right foot, middle, left foot.
const int kWalkCycle[4] = {1, 2, 1, 0};
// Frames a route's "wait" command stands.
constexpr int kRouteWaitFrames = 20;
// Frames between two turns of a spinning character.
constexpr int kSpinFrames = 8;

int Toward(int value, int target, int step) {
    if (value < target) return std::min(value + step, target);
    if (value > target) return std::max(value - step, target);
    return value;
}

// The shortest distance from a to b on a line of the given length that loops (or not).
int LoopDelta(int a, int b, int length, bool loops) {
    int d = b - a;
    if (loops && length > 0) {
        d %= length;
        if (d > length / 2) d -= length;
        if (d < -length / 2) d += length;
    }
    return d;
}

} // namespace

TGameRoute MakeRoute(const TQelMoveRoute& route) {
    TGameRoute r;
    for (int i = 0; i < route.Count(); ++i)
        r.commands.push_back(*route.Command(i));
    r.repeat = route.Repeat;
    r.skippable = route.Skippable;
    return r;
}

int TGameCharacter::FramesPerCell(int speed) {
    speed = std::clamp(speed, 1, 6);
    return kCellUnits / (1 << (speed + 1));
}

int TGameCharacter::PauseFrames(int frequency) {
    frequency = std::clamp(frequency, 1, 8);
    return frequency >= 8 ? 0 : 1 << (8 - frequency);
}

void TGameCharacter::MoveTo(int x, int y) {
    const int oldX = mX, oldY = mY;
    mX = x;
    mY = y;
    mRealX = x * kCellUnits;
    mRealY = y * kCellUnits;
    mJumpFrames = 0;
    if (mWorld && (oldX != x || oldY != y)) mWorld->CharacterMoved(*this, oldX, oldY);
}

int TGameCharacter::JumpHeight() const {
    if (mJumpFrames <= 0 || mJumpLength <= 0) return 0;
    const int done = mJumpLength - mJumpFrames;
    return mJumpPeak * 4 * done * mJumpFrames / (mJumpLength * mJumpLength);
}

void TGameCharacter::SetDirection(int dir) {
    if (!DirectionFixed()) mDirection = dir & 3;
}

void TGameCharacter::SetSpeed(int speed) {
    mSpeed = std::clamp(speed, 1, 6);
}

void TGameCharacter::SetFrequency(int frequency) {
    mFrequency = std::clamp(frequency, 1, 8);
}

void TGameCharacter::SetGraphic(const std::string& name, int index) {
    mCharName = name;
    mCharIndex = index;
}

void TGameCharacter::enterCell(int nx, int ny) {
    const int wantX = nx, wantY = ny;
    mWorld->WrapCell(nx, ny);
    // Stepping over the edge of a looping map: the position jumps by the map's size with the
    // cell, so the step itself still runs smoothly to the neighbour.
    mRealX += (nx - wantX) * kCellUnits;
    mRealY += (ny - wantY) * kCellUnits;
    const int oldX = mX, oldY = mY;
    mX = nx;
    mY = ny;
    mStopCount = 0;
    if (oldX != mX || oldY != mY) mWorld->CharacterMoved(*this, oldX, oldY);
}

bool TGameCharacter::Step(int dir) {
    if (Moving() || Jumping()) return false;
    SetDirection(dir);
    const int nx = mX + DirectionDX(dir), ny = mY + DirectionDY(dir);
    if (!mWorld || !mWorld->CanStep(*this, mX, mY, dir)) {
        int bx = nx, by = ny;
        if (mWorld && mWorld->WrapCell(bx, by)) mWorld->CharacterBlocked(*this, bx, by);
        return false;
    }
    enterCell(nx, ny);
    return true;
}

bool TGameCharacter::StepDiagonal(int horizontal, int vertical) {
    if (Moving() || Jumping() || !mWorld) return false;
    // Facing: the way it already faces when that is one of the two, else the horizontal one.
    if (mDirection != horizontal && mDirection != vertical) SetDirection(horizontal);
    int midX = mX + DirectionDX(horizontal), midY = mY;
    int otherX = mX, otherY = mY + DirectionDY(vertical);
    bool byHorizontal = mWorld->CanStep(*this, mX, mY, horizontal) && mWorld->WrapCell(midX, midY) &&
                        mWorld->CanStep(*this, midX, midY, vertical);
    bool byVertical = mWorld->CanStep(*this, mX, mY, vertical) && mWorld->WrapCell(otherX, otherY) &&
                      mWorld->CanStep(*this, otherX, otherY, horizontal);
    const int nx = mX + DirectionDX(horizontal), ny = mY + DirectionDY(vertical);
    if (!byHorizontal && !byVertical) {
        int bx = nx, by = ny;
        if (mWorld->WrapCell(bx, by)) mWorld->CharacterBlocked(*this, bx, by);
        return false;
    }
    enterCell(nx, ny);
    return true;
}

bool TGameCharacter::Jump(int dx, int dy) {
    if (Moving() || Jumping() || !mWorld) return false;
    int landX = mX + dx, landY = mY + dy;
    if (!mWorld->WrapCell(landX, landY)) return false;
    if ((dx != 0 || dy != 0) && !mWorld->CanLand(*this, landX, landY)) return false;
    if (std::abs(dx) > std::abs(dy))
        SetDirection(dx > 0 ? dirRight : dirLeft);
    else if (dy != 0)
        SetDirection(dy > 0 ? dirDown : dirUp);
    enterCell(mX + dx, mY + dy);
    mJumpStartX = mRealX;
    mJumpStartY = mRealY;
    const int distance = std::max(std::abs(dx), std::abs(dy));
    mJumpLength = FramesPerCell(mSpeed) * 2 + 8 + 2 * distance;
    mJumpFrames = mJumpLength;
    mJumpPeak = 10 + 2 * distance;
    return true;
}

int TGameCharacter::DirectionToHero(bool away) const {
    if (!mWorld) return mDirection;
    const TGameCharacter& hero = mWorld->HeroCharacter();
    const int dx = LoopDelta(mX, hero.X(), mWorld->MapWidth(), mWorld->LoopsX());
    const int dy = LoopDelta(mY, hero.Y(), mWorld->MapHeight(), mWorld->LoopsY());
    int dir = mDirection;
    if (dx == 0 && dy == 0) return away ? ReverseDirection(dir) : dir;
    if (std::abs(dx) > std::abs(dy))
        dir = dx > 0 ? dirRight : dirLeft;
    else
        dir = dy > 0 ? dirDown : dirUp;
    return away ? ReverseDirection(dir) : dir;
}

void TGameCharacter::TurnTowardHero() {
    SetDirection(DirectionToHero(false));
}

void TGameCharacter::TurnAwayFromHero() {
    SetDirection(DirectionToHero(true));
}

void TGameCharacter::SetForcedRoute(TGameRoute route, int frequency) {
    if (!mForced) mSavedFrequency = mFrequency;
    route.index = 0;
    route.done = false;
    mForced = std::move(route);
    SetFrequency(frequency);
    mStopCount = PauseFrames(mFrequency);
    mWaitCount = 0;
}

void TGameCharacter::CancelForcedRoute() {
    if (!mForced) return;
    mForced.reset();
    SetFrequency(mSavedFrequency);
}

void TGameCharacter::Flash(int red, int green, int blue, int strength, int frames) {
    mFlashRed = red;
    mFlashGreen = green;
    mFlashBlue = blue;
    mFlashStrength = std::clamp(strength, 0, 31);
    mFlashLength = std::max(frames, 1);
    mFlashFrames = frames;
    if (frames <= 0) mFlashStrength = 0;
}

int TGameCharacter::FlashStrength() const {
    if (mFlashFrames <= 0 || mFlashLength <= 0) return 0;
    return mFlashStrength * mFlashFrames / mFlashLength;
}

void TGameCharacter::animate(bool moving) {
    if (mAnimationStopped || mAnimType == animFixedGraphic) return;
    if (mAnimType == animSpin) {
        if (++mAnimCounter >= kSpinFrames) {
            mAnimCounter = 0;
            mDirection = (mDirection + 1) & 3;
        }
        return;
    }
    const bool stepping = moving ? mAnimType != animNoStep : mAnimType == animStepAlways;
    const int interval = moving ? std::max(2, FramesPerCell(mSpeed) / 2) : 12;
    if (stepping) {
        if (++mAnimCounter >= interval) {
            mAnimCounter = 0;
            mAnimStep = (mAnimStep + 1) & 3;
            mPattern = kWalkCycle[mAnimStep] == 1 ? mStandPattern : kWalkCycle[mAnimStep];
        }
    } else if (!moving && mPattern != mStandPattern) {
        // Back to standing once a step has had its time.
        if (++mAnimCounter >= interval) {
            mAnimCounter = 0;
            mAnimStep = 0;
            mPattern = mStandPattern;
        }
    }
}

void TGameCharacter::Update() {
    if (mFlashFrames > 0) --mFlashFrames;
    if (mJumpFrames > 0) {
        --mJumpFrames;
        const int done = mJumpLength - mJumpFrames;
        mRealX = mJumpStartX + (mX * kCellUnits - mJumpStartX) * done / mJumpLength;
        mRealY = mJumpStartY + (mY * kCellUnits - mJumpStartY) * done / mJumpLength;
        if (mJumpFrames == 0) {
            mRealX = mX * kCellUnits;
            mRealY = mY * kCellUnits;
        }
        animate(false);
        return;
    }
    if (Moving()) {
        const int step = kCellUnits / FramesPerCell(mSpeed);
        mRealX = Toward(mRealX, mX * kCellUnits, step);
        mRealY = Toward(mRealY, mY * kCellUnits, step);
        animate(true);
        if (Moving()) return;
    } else {
        animate(false);
        ++mStopCount;
    }
    if (mWaitCount > 0) {
        --mWaitCount;
        return;
    }
    if (mForced) {
        if (mForced->done) {
            CancelForcedRoute();
        } else {
            if (Rested()) runRoute(*mForced);
            if (mForced && mForced->done && !Moving() && !Jumping() && mWaitCount == 0) CancelForcedRoute();
            return;
        }
    }
    if (!MayMove()) return;
    if (mFollowsOwnRoute) {
        if (Rested()) runRoute(mOwnRoute);
        return;
    }
    Autonomous();
}

void TGameCharacter::runRoute(TGameRoute& route) {
    const int count = int(route.commands.size());
    if (count == 0) {
        route.done = true;
        return;
    }
    // Commands that take no time run on at once; a route of nothing else runs once a frame.
    for (int guard = 0; guard <= count; ++guard) {
        if (route.index >= count) {
            if (!route.repeat) {
                route.done = true;
                return;
            }
            route.index = 0;
        }
        bool instant = false;
        const bool ok = runRouteCommand(route, route.commands[size_t(route.index)], instant);
        if (!ok) {
            // Blocked: tried again the next time unless the route skips what cannot be done.
            if (route.skippable) ++route.index;
            mStopCount = 0;
            break;
        }
        ++route.index;
        if (!instant) {
            mStopCount = 0;
            break;
        }
    }
    if (route.index >= count && !route.repeat) route.done = true;
}

bool TGameCharacter::runRouteCommand(TGameRoute& route, const TQelMoveRouteItem& command, bool& instant) {
    const int code = command.Code;
    if (route.inJump && code <= mcForward) {
        // Between the start and the end of a jump steps only add up to where it lands.
        int dir = -1, dx = 0, dy = 0;
        switch (code) {
        case mcRightUp:
            dx = 1, dy = -1;
            break;
        case mcRightDown:
            dx = 1, dy = 1;
            break;
        case mcLeftDown:
            dx = -1, dy = 1;
            break;
        case mcLeftUp:
            dx = -1, dy = -1;
            break;
        case mcRandomStep:
            dir = int(mWorld->Random().Range(0, 3));
            break;
        case mcTowardHero:
            dir = DirectionToHero(false);
            break;
        case mcAwayFromHero:
            dir = DirectionToHero(true);
            break;
        case mcForward:
            dir = mDirection;
            break;
        default:
            dir = code;
            break;
        }
        if (dir >= 0) dx = DirectionDX(dir), dy = DirectionDY(dir);
        route.jumpDX += dx;
        route.jumpDY += dy;
        instant = true;
        return true;
    }
    instant = false;
    switch (code) {
    case mcUp:
    case mcRight:
    case mcDown:
    case mcLeft:
        return Step(code);
    case mcRightUp:
        return StepDiagonal(dirRight, dirUp);
    case mcRightDown:
        return StepDiagonal(dirRight, dirDown);
    case mcLeftDown:
        return StepDiagonal(dirLeft, dirDown);
    case mcLeftUp:
        return StepDiagonal(dirLeft, dirUp);
    case mcRandomStep:
        return Step(int(mWorld->Random().Range(0, 3)));
    case mcTowardHero:
        return Step(DirectionToHero(false));
    case mcAwayFromHero:
        return Step(DirectionToHero(true));
    case mcForward:
        return Step(mDirection);
    case mcFaceUp:
    case mcFaceRight:
    case mcFaceDown:
    case mcFaceLeft:
        SetDirection(code - mcFaceUp);
        return true;
    case mcTurnRight:
        SetDirection(mDirection + 1);
        return true;
    case mcTurnLeft:
        SetDirection(mDirection + 3);
        return true;
    case mcTurnAround:
        SetDirection(mDirection + 2);
        return true;
    case mcTurnRightOrLeft:
        SetDirection(mDirection + (mWorld->Random().Range(0, 1) ? 1 : 3));
        return true;
    case mcTurnRandom:
        SetDirection(int(mWorld->Random().Range(0, 3)));
        return true;
    case mcFaceHero:
        TurnTowardHero();
        return true;
    case mcFaceAwayFromHero:
        TurnAwayFromHero();
        return true;
    case mcWait:
        mWaitCount = kRouteWaitFrames;
        return true;
    case mcStartJump:
        route.inJump = true;
        route.jumpDX = route.jumpDY = 0;
        instant = true;
        return true;
    case mcEndJump:
        if (!Jump(route.inJump ? route.jumpDX : 0, route.inJump ? route.jumpDY : 0)) {
            if (route.skippable) route.inJump = false;
            return false;
        }
        route.inJump = false;
        return true;
    default:
        break;
    }
    instant = true;
    switch (code) {
    case mcFixDirection:
        mDirectionFixed = true;
        break;
    case mcReleaseDirection:
        mDirectionFixed = false;
        break;
    case mcSpeedUp:
        SetSpeed(mSpeed + 1);
        break;
    case mcSpeedDown:
        SetSpeed(mSpeed - 1);
        break;
    case mcFrequencyUp:
        SetFrequency(mFrequency + 1);
        break;
    case mcFrequencyDown:
        SetFrequency(mFrequency - 1);
        break;
    case mcSwitchOn:
        mWorld->RouteSwitch(command.SwitchID, true);
        break;
    case mcSwitchOff:
        mWorld->RouteSwitch(command.SwitchID, false);
        break;
    case mcChangeGraphic:
        SetGraphic(command.GraphicName, command.GraphicIndex);
        break;
    case mcPlaySound:
        mWorld->RouteSound(command);
        break;
    case mcStartSlipThrough:
        mThrough = true;
        break;
    case mcStopSlipThrough:
        mThrough = false;
        break;
    case mcStopAnimation:
        mAnimationStopped = true;
        break;
    case mcResumeAnimation:
        mAnimationStopped = false;
        break;
    case mcTransparencyUp:
        SetTransparency(mTransparency + 1);
        break;
    case mcTransparencyDown:
        SetTransparency(mTransparency - 1);
        break;
    default:
        break; // a code the route editor never writes: nothing
    }
    return true;
}

} // namespace tarvel::game
