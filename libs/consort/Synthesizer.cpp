#include "Synthesizer.h"

#include <chrono>
#include <fluidsynth.h>
#include <mutex>
#include <vector>

#include "WaveClip.h"

namespace tarvel::consort {

namespace {

// General MIDI's percussion channel (channel 10, counted from 0).
constexpr int kDrumChannel = 9;

// The synthesiser reports missing presets and the like on standard error; an editor has no use
// for that, and real errors reach the caller as results.
void quietLogs() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

} // namespace

std::unique_ptr<Synthesizer> Synthesizer::Create(const std::string& soundFontPath, std::string* error) {
    quietLogs();
    auto started = std::chrono::steady_clock::now();
    std::unique_ptr<Synthesizer> synthesizer(new Synthesizer);
    synthesizer->mSoundFontPath = soundFontPath;
    fluid_settings_t* settings = new_fluid_settings();
    synthesizer->mSettings = settings;
    if (!settings) {
        if (error) *error = "cannot create the synthesiser";
        return nullptr;
    }
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    // The player must count time in rendered samples, or an offline render would run by the
    // wall clock.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    // The whole soundfont is read at once: loading samples on demand would read files in the
    // audio thread.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 0);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    synthesizer->mSynth = new_fluid_synth(settings);
    if (!synthesizer->mSynth) {
        if (error) *error = "cannot create the synthesiser";
        return nullptr;
    }
    synthesizer->previewInterpolation();
    if (fluid_synth_sfload(synthesizer->mSynth, soundFontPath.c_str(), 1) == FLUID_FAILED) {
        if (error) *error = "cannot load the soundfont \"" + soundFontPath + "\"";
        return nullptr;
    }
    synthesizer->mLoadMilliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    return synthesizer;
}

Synthesizer::~Synthesizer() {
    if (mSynth) delete_fluid_synth(mSynth);
    if (mSettings) delete_fluid_settings(mSettings);
}

void Synthesizer::previewInterpolation() {
    // A preview of melodic channels needs no better than linear interpolation between samples,
    // which spares a seventh of the rendering. Drums keep the fourth-order default: cymbals and
    // hi-hats would lose a decibel above 5 kHz, where the linear one dulls them.
    fluid_synth_set_interp_method(mSynth, -1, FLUID_INTERP_LINEAR);
    fluid_synth_set_interp_method(mSynth, kDrumChannel, FLUID_INTERP_4THORDER);
}

void Synthesizer::Silence() {
    fluid_synth_system_reset(mSynth);
    // The reset gives every channel the default interpolation again.
    previewInterpolation();
    fluid_synth_all_sounds_off(mSynth, -1);
    // Voices just cut off still sound for one block; that block is rendered away here. The
    // reverb keeps a faint tail (about -60 dB of full scale) that nothing clears faster.
    std::vector<float> scratch(2 * 2048);
    Render(scratch.data(), scratch.data() + 2048, 2048);
}

void Synthesizer::Render(float* left, float* right, int frames) {
    fluid_synth_write_float(mSynth, frames, left, 0, 1, right, 0, 1);
}

} // namespace tarvel::consort
