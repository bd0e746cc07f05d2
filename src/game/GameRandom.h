#pragma once

#include <cstdint>

namespace tarvel::game {

// The game's one source of chance (random movement, random variables, encounters). It starts
// from a fixed seed with every new game and its state is saved with the game, so a run with the
// same keys always plays the same.
class TGameRandom {
public:
    static constexpr uint64_t kNewGameSeed = 0x9E3779B97F4A7C15ull;

    explicit TGameRandom(uint64_t seed = kNewGameSeed) { Seed(seed); }
    void Seed(uint64_t seed) { mState = seed ? seed : kNewGameSeed; }
    uint64_t State() const { return mState; }
    void SetState(uint64_t state) { Seed(state); }

    uint32_t Next() {
        // xorshift64*
        mState ^= mState >> 12;
        mState ^= mState << 25;
        mState ^= mState >> 27;
        return uint32_t((mState * 0x2545F4914F6CDD1Dull) >> 32);
    }
    // A whole number from lo to hi, both included (either order).
    int32_t Range(int32_t lo, int32_t hi) {
        if (hi < lo) {
            const int32_t t = lo;
            lo = hi;
            hi = t;
        }
        const uint64_t span = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
        return int32_t(int64_t(lo) + int64_t(Next() % span));
    }

private:
    uint64_t mState = kNewGameSeed;
};

} // namespace tarvel::game
