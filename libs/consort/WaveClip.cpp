#include "WaveClip.h"

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
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

uint32_t littleEndian32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// A copy whose RIFF size and chunk sizes claim no more than the bytes present. The decoder
// allocates what a chunk claims before reading it, so a broken size would ask for gigabytes;
// and files whose RIFF size is simply wrong are common enough to deserve playing.
std::vector<uint8_t> trimmedSizes(const uint8_t* data, size_t size) {
    std::vector<uint8_t> copy(data, data + size);
    auto put = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            copy[at + i] = uint8_t(value >> (8 * i));
    };
    put(4, uint32_t(size - 8));
    for (size_t pos = 12; size - pos >= 8;) {
        uint64_t length = littleEndian32(data + pos + 4);
        if (length > size - pos - 8) {
            length = size - pos - 8;
            put(pos + 4, uint32_t(length));
        }
        pos += 8 + length + (length & 1);
        if (pos > size) break;
    }
    return copy;
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
    std::vector<uint8_t> trimmed = trimmedSizes(data, size);
    SDL_AudioSpec source;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(trimmed.data(), int(trimmed.size())), 1, &source, &buffer,
                        &length)) {
        fail(error, std::string("unreadable WAVE file: ") + SDL_GetError());
        return nullptr;
    }
    std::unique_ptr<Uint8, void (*)(Uint8*)> owned(buffer, SDL_FreeWAV);

    size_t frameBytes = size_t(SDL_AUDIO_BITSIZE(source.format) / 8) * source.channels;
    if (frameBytes == 0 || source.freq <= 0) {
        fail(error, "the WAVE file has no sample format");
        return nullptr;
    }
    size_t inFrames = length / frameBytes;
    if (double(inFrames) * kSampleRate / source.freq > double(kMaxFrames)) {
        fail(error, "the WAVE file plays for more than twenty minutes");
        return nullptr;
    }
    auto clip = std::make_shared<WaveClip>();
    if (inFrames == 0) return clip;

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, source.format, source.channels, source.freq, AUDIO_F32SYS, 2, kSampleRate) < 0) {
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
    std::vector<float> work((workBytes + sizeof(float) - 1) / sizeof(float));
    std::memcpy(work.data(), buffer, inBytes);
    cvt.buf = reinterpret_cast<Uint8*>(work.data());
    cvt.len = int(inBytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) {
        fail(error, std::string("cannot convert the WAVE file: ") + SDL_GetError());
        return nullptr;
    }
    size_t outBytes = cvt.needed ? size_t(cvt.len_cvt) : inBytes;
    size_t outFrames = outBytes / (2 * sizeof(float));
    clip->samples.assign(work.begin(), work.begin() + std::ptrdiff_t(outFrames * 2));
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
