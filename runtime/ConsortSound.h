#pragma once

#include <QLibrary>
#include <QTemporaryFile>
#include <memory>
#include <vector>

#include "game/Game.h"

namespace tarvel::runtime {

// The game's music and sounds through the sound library, each name looked up in the "Music" or
// "Sound" material folder of the project and then of the runtime package. Without the library
// the game plays silently.
class TConsortSound : public game::TGameSoundPort {
public:
    ~TConsortSound() override;
    // Loads the library (beside the game, from the system's library path, or beside the runtime
    // package) and opens its sound output; false when there is no library.
    bool Open();

    void PlayMusic(const TQelMusic& music) override;
    void FadeOutMusic(int milliseconds) override;
    void PlaySound(const TQelSound& sound) override;
    void StopSounds() override;
    void PlayWave(const std::vector<uint8_t>& wave) override;
    bool MusicPlayedOnce() const override;
    int32_t MusicTicks() const override;

private:
    bool mOpen = false;
    // The two queries the editor never makes, looked up here.
    QLibrary mQueries;
    int (*mLooping)() = nullptr;
    int (*mTick)() = nullptr;
    std::vector<std::unique_ptr<QTemporaryFile>> mWaves;
};

} // namespace tarvel::runtime
