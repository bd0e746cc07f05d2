// The sound library's exported entry points. The editor loads this library by name at start-up
// and looks every entry up by its name; everything else in the library stays hidden.
#include "consort.h"

#include <memory>
#include <mutex>

#include "AudioOutput.h"
#include "MidiFile.h"
#include "Mixer.h"
#include "WaveClip.h"

using tarvel::consort::AudioOutput;
using tarvel::consort::Mixer;

namespace {

// New music waits this long before its first sample, so the settings sent right after the
// play call apply from the start (see Mixer::SetMusicStartDelay).
constexpr int kMusicStartDelayFrames = tarvel::consort::kSampleRate * 30 / 1000;

// The library's one sound object: a mixer between ConsortCreate and ConsortRelease, and the
// device it plays through between ConsortInitWave and ConsortTermWave.
struct Library {
    std::mutex mutex;
    std::unique_ptr<Mixer> mixer; // declared first, so the device closes before it goes
    AudioOutput output;

    ~Library() {
        output.Close();
        mixer.reset();
    }
};

Library& library() {
    static Library instance;
    return instance;
}

// Runs a call on the mixer when there is one; without it (before ConsortCreate, after
// ConsortRelease) the call does nothing and reports -1.
template <typename F>
int withMixer(F call) {
    Library& lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (!lib.mixer) return -1;
    return call(*lib.mixer);
}

bool fileIsPlayable(const char* path, bool midi) {
    if (!path) return false;
    std::vector<uint8_t> bytes;
    if (!tarvel::consort::ReadSoundFile(path, &bytes, nullptr)) return false;
    if (midi) return tarvel::consort::InspectMidiFile(bytes.data(), bytes.size(), nullptr, nullptr);
    return tarvel::consort::DecodeWave(bytes.data(), bytes.size(), nullptr) != nullptr;
}

} // namespace

extern "C" {

int ConsortGetVersion(void) {
    return 0x0100;
}

int ConsortCreate(void) {
    Library& lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (!lib.mixer) lib.mixer = std::make_unique<Mixer>();
    return 0;
}

int ConsortRelease(void) {
    Library& lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    // The device closes first: closing waits for the audio thread, which uses the mixer.
    lib.output.Close();
    lib.mixer.reset();
    return 0;
}

int ConsortInitWave(void) {
    Library& lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (!lib.mixer) return -1;
    if (!lib.output.Open(*lib.mixer)) return -1;
    lib.mixer->SetMusicStartDelay(kMusicStartDelayFrames);
    return 0;
}

int ConsortGetSilentOutput(void) {
    Library& lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    return lib.output.IsOpen() && lib.output.DriverName() == "dummy" ? 1 : 0;
}

int ConsortTermWave(void) {
    Library& lib = library();
    std::lock_guard<std::mutex> lock(lib.mutex);
    lib.output.Close();
    return 0;
}

// The synthesiser loads with the first MIDI piece, so there is nothing to prepare here.
int ConsortInitMidi(void) {
    return withMixer([](Mixer&) { return 0; });
}

int ConsortTermMidi(void) {
    return withMixer([](Mixer& m) {
        m.StopMidiMusic();
        return 0;
    });
}

int ConsortCheckValidMidi(const char* path) {
    return fileIsPlayable(path, true) ? 1 : 0;
}
int ConsortCheckValidWave(const char* path) {
    return fileIsPlayable(path, false) ? 1 : 0;
}

int ConsortPlayMusic(const char* path) {
    return withMixer([&](Mixer& m) {
        if (!path) {
            m.StopMusic();
            return -1;
        }
        return m.PlayMusic(path) ? 0 : -1;
    });
}

int ConsortStopMusic(void) {
    return withMixer([](Mixer& m) {
        m.StopMusic();
        return 0;
    });
}

int ConsortFadeInMusic(int milliseconds) {
    return withMixer([&](Mixer& m) {
        m.FadeInMusic(milliseconds);
        return 0;
    });
}

int ConsortFadeOutMusic(int milliseconds) {
    return withMixer([&](Mixer& m) {
        m.FadeOutMusic(milliseconds);
        return 0;
    });
}

int ConsortSetMusicVolume(int percent) {
    return withMixer([&](Mixer& m) {
        m.SetMusicVolume(percent);
        return 0;
    });
}

int ConsortSetMusicSpeed(int percent) {
    return withMixer([&](Mixer& m) {
        m.SetMusicTempo(percent);
        return 0;
    });
}

int ConsortSetMusicPanpot(int balance) {
    return withMixer([&](Mixer& m) {
        m.SetMusicBalance(balance);
        return 0;
    });
}

int ConsortGetMusicPlaying(void) {
    return withMixer([](Mixer& m) { return m.MusicPlaying() ? 1 : 0; }) == 1 ? 1 : 0;
}

int ConsortGetMusicLooping(void) {
    return withMixer([](Mixer& m) { return m.MusicLooped() ? 1 : 0; }) == 1 ? 1 : 0;
}

int ConsortPlaySound(const char* path) {
    return ConsortPlaySoundEx(path, 100, 100, 50);
}

int ConsortPlaySoundEx(const char* path, int volume, int tempo, int balance) {
    return withMixer([&](Mixer& m) { return path && m.PlaySound(path, volume, tempo, balance) ? 0 : -1; });
}

int ConsortStopSound(void) {
    return withMixer([](Mixer& m) {
        m.StopSounds();
        return 0;
    });
}

int ConsortCacheSound(const char* path) {
    return withMixer([&](Mixer& m) { return path && m.CacheSound(path) ? 0 : -1; });
}

int ConsortReserveSound(const char* path) {
    return ConsortCacheSound(path);
}

int ConsortCancelSound(const char* path) {
    return withMixer([&](Mixer& m) {
        if (path) m.ForgetSound(path);
        return 0;
    });
}

int ConsortGetMidiTick(void) {
    int tick = withMixer([](Mixer& m) { return m.MidiTick(); });
    return tick < 0 ? 0 : tick;
}

} // extern "C"
