#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "WaveClip.h"

typedef struct _fluid_player_t fluid_player_t;

namespace tarvel::consort {

class Synthesizer;

// A peak limiter: it lowers the gain at once when a sample would go beyond the threshold and
// lets it recover over a fifth of a second, so loud material is held below full scale without
// the hard edges of clipping.
class Limiter {
public:
    explicit Limiter(float threshold) : mThreshold(threshold) {}
    void Process(float* left, float* right, int frames, int stride);
    void Reset() { mGain = 1.0f; }

private:
    float mThreshold;
    float mGain = 1.0f;
};

// One piece of music and any number of sound effects mixed into one stereo stream at
// kSampleRate. The editor's previews play through it: an audio device pulls Render from its own
// thread, while the offline renderer of tools and tests pulls it directly, so both hear exactly
// the same mix. Music is a MIDI file (through the General MIDI synthesiser, loaded on the first
// MIDI piece) or a WAVE file; it loops until stopped. Sound effects are WAVE files played once.
//
// Every call may come at any time and in any order; a file that cannot be played leaves silence.
// Volume, balance and fades are gains applied here, after the synthesiser: the MIDI file's own
// controllers would override a pan sent to the synthesiser.
class Mixer {
public:
    // An empty soundFontPath means the user's setting (SoundFontPath()), read when the
    // synthesiser is first needed.
    explicit Mixer(std::string soundFontPath = {});
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Starts the music at full level with the current volume, tempo and balance; the previous
    // music stops. False (and no music) when the file is missing, not a MIDI or WAVE file, or
    // broken; error tells why.
    bool PlayMusic(const std::string& path, std::string* error = nullptr);
    // The same for a file's bytes already in memory; name only appears in error texts.
    bool PlayMusicData(const std::vector<uint8_t>& bytes, const std::string& name,
                       std::string* error = nullptr);
    void StopMusic();
    // Stops the music only when it is a MIDI piece.
    void StopMidiMusic();
    // Restarts the music's level from silence, reaching full level after the given time.
    void FadeInMusic(int milliseconds);
    // Lowers the music from its current level to silence over the given time, then stops it.
    void FadeOutMusic(int milliseconds);
    // 0 to 100 percent of full level; the music keeps these for the next piece.
    void SetMusicVolume(int percent);
    // 50 to 150 percent: the speed of a MIDI piece, the playback rate of a WAVE piece.
    void SetMusicTempo(int percent);
    // 0 left only, 50 both sides at full level, 100 right only.
    void SetMusicBalance(int balance);
    bool MusicPlaying() const;
    // Whether the music has played through at least once.
    bool MusicLooped() const;
    // The MIDI player's position in ticks; 0 without MIDI music.
    int MidiTick() const;
    // New music waits for this many frames of output. A device pulls audio while the caller
    // still sends the fade-in, volume, tempo and balance that follow PlayMusic; the wait lets
    // them apply from the first sample.
    void SetMusicStartDelay(int frames);

    // Plays a WAVE file once, with volume 0 to 100, tempo 50 to 150 (playback rate) and balance
    // 0 to 100, over whatever already sounds. False when the file cannot be played.
    bool PlaySound(const std::string& path, int volume, int tempo, int balance, std::string* error = nullptr);
    void StopSounds();
    // Decodes a sound effect ahead of its first use (effects are kept decoded while they are
    // reused; a changed file is decoded again).
    bool CacheSound(const std::string& path, std::string* error = nullptr);
    // Stops the effects playing this file and forgets its decoded copy.
    void ForgetSound(const std::string& path);
    int SoundCount() const;

    // Mixes the next frames of output into interleaved stereo.
    void Render(float* interleaved, int frames);

    // Stops everything and frees the synthesiser and the decoded sounds.
    void FreeResources();
    // How long loading the soundfont took; 0 before the first MIDI piece.
    double SoundFontLoadMilliseconds() const;

private:
    struct Music;
    struct Voice;
    struct CachedClip {
        std::shared_ptr<const WaveClip> clip;
        int64_t size = 0;
        int64_t modified = 0;
        uint64_t lastUse = 0;
    };

    bool ensureSynthesizer(std::string* error);
    std::shared_ptr<const WaveClip> cachedClip(const std::string& path, std::string* error);
    // The callers hold mMutex.
    void stopMusicLocked();
    void updateTargetGains();
    void renderMusic(float* out, int frames);
    void renderVoices(float* out, int frames);
    static int onMidiTick(void* mixer, int tick);

    // mApiMutex keeps calls from several threads apart; mMutex guards everything that Render
    // touches and is held only briefly, never while a file is read.
    mutable std::mutex mApiMutex;
    mutable std::mutex mMutex;
    std::string mSoundFontPath;
    std::unique_ptr<Synthesizer> mSynthesizer;
    std::unique_ptr<Music> mMusic;
    std::vector<Voice> mVoices;
    std::map<std::string, CachedClip> mClipCache;
    uint64_t mUseCounter = 0;

    int mStartDelay = 0;
    float mVolume = 1.0f;
    int mBalance = 50;
    double mTempo = 1.0;
    float mTargetLeft = 1.0f, mTargetRight = 1.0f;
    float mGainLeft = 1.0f, mGainRight = 1.0f;
    double mFade = 1.0;
    double mFadeStep = 0.0;
    Limiter mMidiLimiter;
    Limiter mMasterLimiter;
    std::vector<float> mLeft, mRight;
};

} // namespace tarvel::consort
