#include "AudioOutput.h"

#include <SDL.h>
#include <dlfcn.h>

#include "Mixer.h"
#include "WaveClip.h"

namespace tarvel::consort {

namespace {

void pull(void* mixer, Uint8* stream, int length) {
    static_cast<Mixer*>(mixer)->Render(reinterpret_cast<float*>(stream), length / int(2 * sizeof(float)));
}

// On a machine without a sound card ALSA writes a page of complaints to standard error while SDL
// looks for a device; the library falls back to the silent driver anyway, so ALSA's own error
// printer is replaced by a silent one (ALSA is reached the way SDL reaches it: loaded by name).
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void quietAlsaErrors() {
    static bool done = false;
    if (done) return;
    done = true;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(ignoreAlsaError);
    // The library stays loaded: SDL uses the same one, and the handler must outlive it.
}

} // namespace

AudioOutput::~AudioOutput() {
    Close();
}

bool AudioOutput::openWithCurrentDriver(Mixer& mixer) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    mSubsystemStarted = true;
    SDL_AudioSpec wanted{};
    wanted.freq = kSampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = pull;
    wanted.userdata = &mixer;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    mDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (mDevice == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        mSubsystemStarted = false;
        return false;
    }
    mBufferFrames = obtained.samples;
    const char* driver = SDL_GetCurrentAudioDriver();
    mDriver = driver ? driver : "";
    SDL_PauseAudioDevice(mDevice, 0);
    return true;
}

bool AudioOutput::Open(Mixer& mixer) {
    if (IsOpen()) return true;
    // The editor handles its own signals; SDL would install handlers with its event subsystem.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    quietAlsaErrors();
    if (openWithCurrentDriver(mixer)) return true;
    // No device: the silent driver, chosen over whatever the environment names.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    bool opened = openWithCurrentDriver(mixer);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return opened;
}

void AudioOutput::Close() {
    if (mDevice) {
        SDL_CloseAudioDevice(mDevice);
        mDevice = 0;
    }
    if (mSubsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        mSubsystemStarted = false;
    }
    mDriver.clear();
    mBufferFrames = 0;
}

} // namespace tarvel::consort
