#pragma once

#include <memory>
#include <string>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace tarvel::consort {

// A General MIDI synthesiser with its soundfont loaded, rendering at kSampleRate with no audio
// driver of its own: the mixer pulls its samples, and rendering also advances the MIDI player.
// Not thread-safe; the mixer guards it.
class Synthesizer {
public:
    // Null with a reason in error when the soundfont cannot be loaded.
    static std::unique_ptr<Synthesizer> Create(const std::string& soundFontPath, std::string* error);
    ~Synthesizer();
    Synthesizer(const Synthesizer&) = delete;
    Synthesizer& operator=(const Synthesizer&) = delete;

    fluid_synth_t* synth() const { return mSynth; }
    const std::string& soundFontPath() const { return mSoundFontPath; }
    // How long creating the synthesiser and loading its soundfont took.
    double loadMilliseconds() const { return mLoadMilliseconds; }

    // Silences every voice, resets every channel and lets the reverb and chorus die away, so
    // nothing of the previous music clicks into the next.
    void Silence();
    void Render(float* left, float* right, int frames);

private:
    Synthesizer() = default;
    void previewInterpolation();
    fluid_settings_t* mSettings = nullptr;
    fluid_synth_t* mSynth = nullptr;
    std::string mSoundFontPath;
    double mLoadMilliseconds = 0;
};

} // namespace tarvel::consort
