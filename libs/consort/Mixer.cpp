#include "Mixer.h"

#include <algorithm>
#include <cmath>
#include <fluidsynth.h>
#include <sys/stat.h>

#include "MidiFile.h"
#include "SoundFontSetting.h"
#include "Synthesizer.h"

namespace tarvel::consort {

namespace {

constexpr int kBlockFrames = 512;
// A General MIDI piece at the synthesiser's own gain is about ten times quieter than WAVE
// material; it is raised by this much and held below full scale by a limiter.
constexpr float kMidiGain = 5.0f;
// Volume and balance changes during playback glide over 20 ms instead of stepping (a step
// clicks).
constexpr float kGainGlidePerFrame = 1.0f / (0.020f * kSampleRate);
// Beyond this many overlapping effects the oldest one stops.
constexpr size_t kMaxVoices = 32;
// Decoded effects kept for reuse.
constexpr size_t kMaxCachedClips = 32;
const float kLimiterRelease = 1.0f - std::exp(-1.0f / (0.2f * kSampleRate));

// Balance keeps the nearer side at full level: 0 is left only, 50 both, 100 right only.
float balanceLeft(int balance) {
    return std::min(1.0f, (100 - balance) / 50.0f);
}
float balanceRight(int balance) {
    return std::min(1.0f, balance / 50.0f);
}

double framesFor(int milliseconds) {
    return double(milliseconds) * kSampleRate / 1000.0;
}

constexpr size_t kSilence = size_t(-1);

// Linear interpolation in a clip between frame i and frame next (kSilence: silence follows).
inline void sampleAt(const float* s, size_t i, size_t next, double frac, float& left, float& right) {
    float l0 = s[2 * i], r0 = s[2 * i + 1];
    float l1 = next == kSilence ? 0.0f : s[2 * next];
    float r1 = next == kSilence ? 0.0f : s[2 * next + 1];
    left = l0 + float(frac) * (l1 - l0);
    right = r0 + float(frac) * (r1 - r0);
}

} // namespace

void Limiter::Process(float* left, float* right, int frames, int stride) {
    for (int i = 0; i < frames; ++i) {
        float& l = left[i * stride];
        float& r = right[i * stride];
        float peak = std::max(std::fabs(l), std::fabs(r));
        float needed = peak > mThreshold ? mThreshold / peak : 1.0f;
        mGain = std::min(needed, mGain + (1.0f - mGain) * kLimiterRelease);
        l *= mGain;
        r *= mGain;
    }
}

struct Mixer::Music {
    enum class Kind { Wave, Midi } kind = Kind::Wave;
    std::shared_ptr<const WaveClip> clip;
    double position = 0;
    fluid_player_t* player = nullptr;
    // The piece's length in ticks, once the player has read it (0 until then).
    int totalTicks = 0;
    std::vector<uint8_t> midiData;
    bool looped = false;
    bool started = false;
    bool fadingOut = false;
    int delayFrames = 0;
};

struct Mixer::Voice {
    std::string path;
    std::shared_ptr<const WaveClip> clip;
    double position = 0;
    double step = 1.0;
    float left = 1.0f, right = 1.0f;
};

Mixer::Mixer(std::string soundFontPath)
    : mSoundFontPath(std::move(soundFontPath)), mMidiLimiter(0.9f), mMasterLimiter(0.98f),
      mLeft(kBlockFrames), mRight(kBlockFrames) {}

Mixer::~Mixer() {
    FreeResources();
}

bool Mixer::ensureSynthesizer(std::string* error) {
    if (mSynthesizer) return true;
    // Loading the soundfont reads a few megabytes; the audio thread keeps running meanwhile, as
    // nothing it touches changes until the synthesiser is handed over below.
    auto synthesizer = Synthesizer::Create(mSoundFontPath.empty() ? SoundFontPath() : mSoundFontPath, error);
    if (!synthesizer) return false;
    std::lock_guard<std::mutex> lock(mMutex);
    mSynthesizer = std::move(synthesizer);
    return true;
}

bool Mixer::PlayMusic(const std::string& path, std::string* error) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadSoundFile(path, &bytes, &why)) {
        StopMusic();
        if (error) *error = why;
        return false;
    }
    return PlayMusicData(bytes, path, error);
}

bool Mixer::PlayMusicData(const std::vector<uint8_t>& bytes, const std::string& name, std::string* error) {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::string why;
    auto music = std::make_unique<Music>();
    bool ok = true;
    if (LooksLikeMidi(bytes.data(), bytes.size())) {
        music->kind = Music::Kind::Midi;
        MidiFileInfo info;
        ok = InspectMidiFile(bytes.data(), bytes.size(), &info, &why, &music->midiData);
        if (!ok) why = "\"" + name + "\": " + why;
        ok = ok && ensureSynthesizer(&why);
    } else if (LooksLikeWave(bytes.data(), bytes.size())) {
        music->clip = DecodeWave(bytes.data(), bytes.size(), &why);
        ok = music->clip != nullptr;
        if (!ok) why = "\"" + name + "\": " + why;
    } else {
        ok = false;
        why = "\"" + name + "\" is neither a MIDI nor a WAVE file";
    }

    std::lock_guard<std::mutex> lock(mMutex);
    stopMusicLocked();
    if (!ok) {
        if (error) *error = why;
        return false;
    }
    if (music->kind == Music::Kind::Midi) {
        // Old notes and reverb tails would otherwise sound into the new piece.
        mSynthesizer->Silence();
        music->player = new_fluid_player(mSynthesizer->synth());
        if (!music->player ||
            fluid_player_add_mem(music->player, music->midiData.data(), music->midiData.size()) != FLUID_OK) {
            if (music->player) delete_fluid_player(music->player);
            if (error) *error = "the synthesiser does not take \"" + name + "\"";
            return false;
        }
        // The player's own looping pauses at the loop point; the tick callback loops instead.
        fluid_player_set_tick_callback(music->player, &Mixer::onMidiTick, this);
        fluid_player_set_tempo(music->player, FLUID_PLAYER_TEMPO_INTERNAL, mTempo);
        fluid_player_play(music->player);
        mMidiLimiter.Reset();
    }
    music->delayFrames = mStartDelay;
    mMusic = std::move(music);
    mFade = 1.0;
    mFadeStep = 0.0;
    return true;
}

int Mixer::onMidiTick(void* data, int tick) {
    // Called from within the synthesiser's rendering, so mMutex is held.
    auto* mixer = static_cast<Mixer*>(data);
    Music* music = mixer->mMusic.get();
    if (!music || !music->player) return FLUID_OK;
    // The player walks every event of every track to find the length, and this runs for every
    // block of 64 samples: the length is taken once.
    if (music->totalTicks <= 0) music->totalTicks = fluid_player_get_total_ticks(music->player);
    const int last = music->totalTicks;
    if (last > 0 && tick >= last) {
        music->looped = true;
        return fluid_player_seek(music->player, 0);
    }
    return FLUID_OK;
}

void Mixer::stopMusicLocked() {
    if (!mMusic) return;
    if (mMusic->player) {
        fluid_player_stop(mMusic->player);
        delete_fluid_player(mMusic->player);
        fluid_synth_all_sounds_off(mSynthesizer->synth(), -1);
    }
    mMusic.reset();
}

void Mixer::StopMusic() {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    stopMusicLocked();
}

void Mixer::StopMidiMusic() {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    if (mMusic && mMusic->kind == Music::Kind::Midi) stopMusicLocked();
}

void Mixer::FadeInMusic(int milliseconds) {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    if (!mMusic || mMusic->fadingOut) return;
    milliseconds = std::clamp(milliseconds, 0, 60000);
    mFade = milliseconds > 0 ? 0.0 : 1.0;
    mFadeStep = milliseconds > 0 ? 1.0 / framesFor(milliseconds) : 0.0;
}

void Mixer::FadeOutMusic(int milliseconds) {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    if (!mMusic) return;
    milliseconds = std::clamp(milliseconds, 0, 60000);
    if (milliseconds == 0 || mFade <= 0.0) {
        stopMusicLocked();
        return;
    }
    mMusic->fadingOut = true;
    mFadeStep = -mFade / framesFor(milliseconds);
}

void Mixer::updateTargetGains() {
    mTargetLeft = mVolume * balanceLeft(mBalance);
    mTargetRight = mVolume * balanceRight(mBalance);
}

void Mixer::SetMusicVolume(int percent) {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    mVolume = std::clamp(percent, 0, 100) / 100.0f;
    updateTargetGains();
}

void Mixer::SetMusicBalance(int balance) {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    mBalance = std::clamp(balance, 0, 100);
    updateTargetGains();
}

void Mixer::SetMusicTempo(int percent) {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    mTempo = std::clamp(percent, 50, 150) / 100.0;
    if (mMusic && mMusic->player) fluid_player_set_tempo(mMusic->player, FLUID_PLAYER_TEMPO_INTERNAL, mTempo);
}

void Mixer::SetMusicStartDelay(int frames) {
    std::lock_guard<std::mutex> lock(mMutex);
    mStartDelay = std::max(0, frames);
}

bool Mixer::MusicPlaying() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mMusic != nullptr;
}

bool Mixer::MusicLooped() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mMusic && mMusic->looped;
}

int Mixer::MidiTick() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mMusic && mMusic->player ? fluid_player_get_current_tick(mMusic->player) : 0;
}

std::shared_ptr<const WaveClip> Mixer::cachedClip(const std::string& path, std::string* error) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        auto it = mClipCache.find(path);
        int64_t modified = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        if (it != mClipCache.end() && it->second.size == int64_t(info.st_size) &&
            it->second.modified == modified) {
            it->second.lastUse = ++mUseCounter;
            return it->second.clip;
        }
    }
    std::vector<uint8_t> bytes;
    if (!ReadSoundFile(path, &bytes, error)) return nullptr;
    std::string why;
    auto clip = DecodeWave(bytes.data(), bytes.size(), &why);
    if (!clip) {
        if (error) *error = "\"" + path + "\": " + why;
        return nullptr;
    }
    if (mClipCache.size() >= kMaxCachedClips && !mClipCache.count(path)) {
        auto oldest =
            std::min_element(mClipCache.begin(), mClipCache.end(), [](const auto& a, const auto& b) {
                return a.second.lastUse < b.second.lastUse;
            });
        mClipCache.erase(oldest);
    }
    CachedClip& entry = mClipCache[path];
    entry.clip = clip;
    entry.size = int64_t(info.st_size);
    entry.modified = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    entry.lastUse = ++mUseCounter;
    return clip;
}

bool Mixer::PlaySound(const std::string& path, int volume, int tempo, int balance, std::string* error) {
    std::lock_guard<std::mutex> api(mApiMutex);
    auto clip = cachedClip(path, error);
    if (!clip) return false;
    Voice voice;
    voice.path = path;
    voice.clip = std::move(clip);
    voice.step = std::clamp(tempo, 50, 150) / 100.0;
    float gain = std::clamp(volume, 0, 100) / 100.0f;
    balance = std::clamp(balance, 0, 100);
    voice.left = gain * balanceLeft(balance);
    voice.right = gain * balanceRight(balance);
    std::lock_guard<std::mutex> lock(mMutex);
    if (mVoices.size() >= kMaxVoices) mVoices.erase(mVoices.begin());
    mVoices.push_back(std::move(voice));
    return true;
}

void Mixer::StopSounds() {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::lock_guard<std::mutex> lock(mMutex);
    mVoices.clear();
}

bool Mixer::CacheSound(const std::string& path, std::string* error) {
    std::lock_guard<std::mutex> api(mApiMutex);
    return cachedClip(path, error) != nullptr;
}

void Mixer::ForgetSound(const std::string& path) {
    std::lock_guard<std::mutex> api(mApiMutex);
    mClipCache.erase(path);
    std::lock_guard<std::mutex> lock(mMutex);
    mVoices.erase(
        std::remove_if(mVoices.begin(), mVoices.end(), [&](const Voice& v) { return v.path == path; }),
        mVoices.end());
}

int Mixer::SoundCount() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return int(mVoices.size());
}

void Mixer::FreeResources() {
    std::lock_guard<std::mutex> api(mApiMutex);
    std::unique_ptr<Synthesizer> synthesizer;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        stopMusicLocked();
        mVoices.clear();
        synthesizer = std::move(mSynthesizer);
    }
    mClipCache.clear();
}

double Mixer::SoundFontLoadMilliseconds() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mSynthesizer ? mSynthesizer->loadMilliseconds() : 0.0;
}

void Mixer::Render(float* interleaved, int frames) {
    std::lock_guard<std::mutex> lock(mMutex);
    std::fill(interleaved, interleaved + 2 * size_t(std::max(frames, 0)), 0.0f);
    for (int done = 0; done < frames;) {
        int n = std::min(kBlockFrames, frames - done);
        renderMusic(interleaved + 2 * done, n);
        renderVoices(interleaved + 2 * done, n);
        done += n;
    }
    if (frames > 0) mMasterLimiter.Process(interleaved, interleaved + 1, frames, 2);
}

void Mixer::renderMusic(float* out, int frames) {
    if (!mMusic) return;
    Music& music = *mMusic;
    int wait = std::min(music.delayFrames, frames);
    music.delayFrames -= wait;
    out += 2 * wait;
    frames -= wait;
    if (frames == 0) return;
    if (!music.started) {
        // The first sample plays at the settings given so far, without a glide from old ones.
        music.started = true;
        mGainLeft = mTargetLeft;
        mGainRight = mTargetRight;
    }

    float* left = mLeft.data();
    float* right = mRight.data();
    if (music.kind == Music::Kind::Midi) {
        mSynthesizer->Render(left, right, frames);
        for (int i = 0; i < frames; ++i) {
            left[i] *= kMidiGain;
            right[i] *= kMidiGain;
        }
        mMidiLimiter.Process(left, right, frames, 1);
    } else {
        const WaveClip& clip = *music.clip;
        const size_t length = clip.frames();
        if (length == 0) {
            std::fill(left, left + frames, 0.0f);
            std::fill(right, right + frames, 0.0f);
        } else {
            const float* s = clip.samples.data();
            for (int i = 0; i < frames; ++i) {
                size_t at = size_t(music.position);
                double frac = music.position - double(at);
                size_t next = at + 1 < length ? at + 1 : 0; // the music loops
                sampleAt(s, at, next, frac, left[i], right[i]);
                music.position += mTempo;
                if (music.position >= double(length)) {
                    music.position = std::fmod(music.position, double(length));
                    music.looped = true;
                }
            }
        }
    }

    bool faded = false;
    for (int i = 0; i < frames; ++i) {
        if (mGainLeft != mTargetLeft)
            mGainLeft += std::clamp(mTargetLeft - mGainLeft, -kGainGlidePerFrame, kGainGlidePerFrame);
        if (mGainRight != mTargetRight)
            mGainRight += std::clamp(mTargetRight - mGainRight, -kGainGlidePerFrame, kGainGlidePerFrame);
        if (mFadeStep != 0.0) {
            mFade += mFadeStep;
            if (mFade >= 1.0) {
                mFade = 1.0;
                mFadeStep = 0.0;
            } else if (mFade <= 0.0) {
                mFade = 0.0;
                mFadeStep = 0.0;
                faded = music.fadingOut;
            }
        }
        float fade = float(mFade);
        out[2 * i] += left[i] * mGainLeft * fade;
        out[2 * i + 1] += right[i] * mGainRight * fade;
    }
    if (faded) {
        // Faded out: the music ends here.
        stopMusicLocked();
        mFade = 1.0;
    }
}

void Mixer::renderVoices(float* out, int frames) {
    for (auto voice = mVoices.begin(); voice != mVoices.end();) {
        const WaveClip& clip = *voice->clip;
        const size_t length = clip.frames();
        const float* s = clip.samples.data();
        int i = 0;
        for (; i < frames && voice->position < double(length); ++i) {
            size_t at = size_t(voice->position);
            double frac = voice->position - double(at);
            float l, r;
            // Past its last sample an effect is silent.
            sampleAt(s, at, at + 1 < length ? at + 1 : kSilence, frac, l, r);
            out[2 * i] += l * voice->left;
            out[2 * i + 1] += r * voice->right;
            voice->position += voice->step;
        }
        if (voice->position >= double(length))
            voice = mVoices.erase(voice);
        else
            ++voice;
    }
}

} // namespace tarvel::consort
