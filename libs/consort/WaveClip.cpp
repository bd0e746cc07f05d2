#include "WaveClip.h"

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <sys/stat.h>

namespace tarvel::consort {

namespace {

constexpr size_t kMaxFrames = size_t(20) * 60 * kSampleRate;

bool fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

bool LooksLikeWave(const uint8_t* data, size_t size) {
    return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0;
}

std::shared_ptr<const WaveClip> DecodeWave(const uint8_t* data, size_t size, std::string* error) {
    if (!LooksLikeWave(data, size)) {
        fail(error, "not a WAVE file");
        return nullptr;
    }
    if (size > size_t(INT_MAX)) {
        fail(error, "the WAVE file is too large");
        return nullptr;
    }
    // Files whose RIFF size is wrong are common enough; the whole file is in memory, so every
    // chunk up to its end is searched.
    static std::once_flag lenient;
    std::call_once(lenient, [] { SDL_SetHint(SDL_HINT_WAVE_RIFF_CHUNK_SIZE, "maximum"); });
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(data, int(size)), 1, &spec, &buffer, &length)) {
        fail(error, std::string("unreadable WAVE file: ") + SDL_GetError());
        return nullptr;
    }
    std::unique_ptr<Uint8, void (*)(Uint8*)> owned(buffer, SDL_FreeWAV);

    size_t frameBytes = size_t(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
    if (frameBytes == 0 || spec.freq <= 0) {
        fail(error, "the WAVE file has no sample format");
        return nullptr;
    }
    size_t inFrames = length / frameBytes;
    if (double(inFrames) * kSampleRate / spec.freq > double(kMaxFrames)) {
        fail(error, "the WAVE file plays for more than twenty minutes");
        return nullptr;
    }
    auto clip = std::make_shared<WaveClip>();
    if (inFrames == 0) return clip;

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS, 2, kSampleRate) < 0) {
        fail(error, std::string("unplayable WAVE format: ") + SDL_GetError());
        return nullptr;
    }
    size_t inBytes = inFrames * frameBytes;
    size_t workBytes = inBytes * size_t(std::max(cvt.len_mult, 1));
    if (workBytes > size_t(INT_MAX)) {
        fail(error, "the WAVE file is too large to convert");
        return nullptr;
    }
    // The conversion works in place in a buffer large enough for its widest step.
    std::vector<Uint8> work(workBytes);
    std::memcpy(work.data(), buffer, inBytes);
    cvt.buf = work.data();
    cvt.len = int(inBytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) {
        fail(error, std::string("cannot convert the WAVE file: ") + SDL_GetError());
        return nullptr;
    }
    size_t outBytes = cvt.needed ? size_t(cvt.len_cvt) : inBytes;
    size_t outFrames = outBytes / (2 * sizeof(float));
    clip->samples.resize(outFrames * 2);
    std::memcpy(clip->samples.data(), work.data(), outFrames * 2 * sizeof(float));
    // A float file may carry values beyond full scale, or no numbers at all; summed in the mixer
    // those would overflow into noise.
    for (float& s : clip->samples)
        s = std::isfinite(s) ? std::clamp(s, -1.0f, 1.0f) : 0.0f;
    return clip;
}

std::vector<uint8_t> EncodeWave16(const float* interleaved, size_t frames) {
    const uint32_t dataBytes = uint32_t(frames * 4);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    putLittleEndian(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 2, 2);
    putLittleEndian(out, kSampleRate, 4);
    putLittleEndian(out, kSampleRate * 4, 4);
    putLittleEndian(out, 4, 2);
    putLittleEndian(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLittleEndian(out, dataBytes, 4);
    for (size_t i = 0; i < frames * 2; ++i) {
        float s = std::clamp(interleaved[i], -1.0f, 1.0f);
        putLittleEndian(out, uint16_t(int16_t(std::lrint(s * 32767.0f))), 2);
    }
    return out;
}

bool ReadSoundFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error,
                   size_t maxBytes) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return fail(error, "cannot open \"" + path + "\": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return fail(error, "\"" + path + "\" is not a file");
    if (size_t(info.st_size) > maxBytes) return fail(error, "\"" + path + "\" is too large");
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return fail(error, "cannot open \"" + path + "\": " + std::strerror(errno));
    bytes->clear();
    uint8_t chunk[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (bytes->size() + n > maxBytes) {
            ok = fail(error, "\"" + path + "\" is too large");
            break;
        }
        bytes->insert(bytes->end(), chunk, chunk + n);
    }
    if (ok && std::ferror(file)) ok = fail(error, "cannot read \"" + path + "\"");
    std::fclose(file);
    return ok;
}

} // namespace tarvel::consort
