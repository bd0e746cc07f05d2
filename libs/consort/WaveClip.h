#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvel::consort {

// Everything the mixer plays runs at this rate, in stereo.
inline constexpr int kSampleRate = 44100;

// A decoded sound: interleaved stereo float frames at kSampleRate.
struct WaveClip {
    std::vector<float> samples;
    size_t frames() const { return samples.size() / 2; }
};

// Decodes a WAVE file (PCM of 8 to 32 bits, float, ADPCM, a-law and mu-law, any rate, up to
// eight channels) into a clip. The conversion keeps the clip's exact length, so a sound ends
// when its last sample has played. Null with a reason in error for anything else, and for
// clips longer than twenty minutes.
std::shared_ptr<const WaveClip> DecodeWave(const uint8_t* data, size_t size, std::string* error);

// True when the bytes begin like a WAVE file ("RIFF" .... "WAVE").
bool LooksLikeWave(const uint8_t* data, size_t size);

// A 16-bit stereo WAVE file of the given interleaved frames at kSampleRate; samples beyond
// full scale are clipped.
std::vector<uint8_t> EncodeWave16(const float* interleaved, size_t frames);

// The whole file, or false with a reason (a missing file, a folder, a file beyond maxBytes).
bool ReadSoundFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error,
                   size_t maxBytes = size_t(512) << 20);

} // namespace tarvel::consort
