#pragma once

// The six keys the game is played with, the input of one frame (which keys are held, which went
// down just now, which repeat while held) and the key files of the headless mode: one line per
// change, "FRAME KEY down" or "FRAME KEY up".

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel::game {

enum class TGameKey : uint8_t { Up, Down, Left, Right, Decide, Cancel };
constexpr int kGameKeyCount = 6;

// The word of a key in a key file ("up", "down", "left", "right", "decide", "cancel").
const char* GameKeyWord(TGameKey key);

// Which keys are held during one frame.
struct TKeyState {
    std::array<bool, kGameKeyCount> held{};
    bool Held(TGameKey key) const { return held[size_t(key)]; }
    void Set(TGameKey key, bool down) { held[size_t(key)] = down; }
    bool operator==(const TKeyState& o) const { return held == o.held; }
};

// The keys as the game reads them in a frame. A key pressed and held repeats after a while, so a
// cursor keeps moving; the arrow held last is the direction the hero walks.
class TGameInput {
public:
    // Frames before a held key first repeats, and between repeats.
    static constexpr int kRepeatDelay = 24;
    static constexpr int kRepeatInterval = 6;

    // Takes the keys of the next frame.
    void Update(const TKeyState& keys);
    // Forgets every key, so a key held across a scene change does not act twice.
    void Clear();

    bool Held(TGameKey key) const { return mKeys.Held(key); }
    // Went down in this frame.
    bool Pressed(TGameKey key) const { return mFrames[size_t(key)] == 1; }
    // Went down in this frame, or has been held long enough to repeat now.
    bool Repeated(TGameKey key) const;
    // The direction of the arrow held most recently (0 up, 1 right, 2 down, 3 left), -1 for none.
    int Direction() const;

private:
    TKeyState mKeys;
    std::array<int, kGameKeyCount> mFrames{}; // frames each key has been held, 0 when up
    std::array<int64_t, 4> mArrowOrder{};     // when each arrow went down, for Direction
    int64_t mTick = 0;
};

// A key file that cannot be read: the line (1-based) and what is wrong with it.
class EKeyScriptError : public std::runtime_error {
public:
    EKeyScriptError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), mLine(line) {}
    int Line() const { return mLine; }

private:
    int mLine;
};

// One line of a key file: from this frame on the key is down (or up).
struct TKeyChange {
    int64_t frame = 0;
    TGameKey key = TGameKey::Up;
    bool down = false;
};

// The changes of a key file, in frame order (lines of the same frame keep their file order).
// Frames count from 0, the first frame the game steps; a key is held from its "down" frame up to,
// not including, its "up" frame. Blank lines and lines starting with "#" are skipped.
std::vector<TKeyChange> ParseKeyScript(const std::string& text);

// Plays a key file frame by frame.
class TKeyScriptPlayer {
public:
    explicit TKeyScriptPlayer(std::vector<TKeyChange> changes);
    // The keys held during the frame; frames are asked for in increasing order.
    TKeyState KeysAt(int64_t frame);

private:
    std::vector<TKeyChange> mChanges;
    size_t mNext = 0;
    TKeyState mKeys;
};

} // namespace tarvel::game
