#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::rtp {

// A mono 16-bit PCM WAVE file ("RIFF" / "WAVE", a "fmt " chunk of 16 bytes, a "data" chunk) of
// samples in -1..1, clipped.
std::vector<uint8_t> WriteWav(const std::vector<float>& samples, int sampleRate);

struct SoundEffect {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The package's sound effects, synthesised: the twelve system sounds and the sounds of the
// battle animations and common events.
std::vector<SoundEffect> MakeSounds();

} // namespace tarvel::rtp
