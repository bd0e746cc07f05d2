// tarvel-cli sound render: what a preview of a music or sound file sounds like, rendered offline
// by the sound library's own mixer into a 16-bit stereo WAVE file.
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "CliCommon.h"
#include "Mixer.h"
#include "WaveClip.h"
#include "records/Stream.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "sound render INPUT OUT.wav --seconds S [--fade-in MS] [--volume V] [--tempo T] "
                           "[--balance B] [--effect]";

// A whole decimal number within the range, else wrong usage.
int integerOption(Arguments& args, const std::string& name, int fallback, int low, int high) {
    if (!args.hasOption(name)) return fallback;
    std::string text = args.takeOption(name);
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || errno || value < low || value > high)
        throw UsageError(name + " takes a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ": " + kUsage);
    return int(value);
}

double secondsOption(Arguments& args) {
    if (!args.hasOption("--seconds")) throw UsageError(kUsage);
    std::string text = args.takeOption("--seconds");
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !std::isfinite(value) || value <= 0 || value > 3600)
        throw UsageError(std::string("--seconds takes a number above 0 and up to 3600: ") + kUsage);
    return value;
}

int RunSound(Arguments& args) {
    const bool effect = args.takeFlag("--effect");
    const bool hasFadeIn = args.hasOption("--fade-in");
    const double seconds = secondsOption(args);
    const int fadeIn = integerOption(args, "--fade-in", 0, 0, 10000);
    const int volume = integerOption(args, "--volume", 100, 0, 100);
    const int tempo = integerOption(args, "--tempo", 100, 50, 150);
    const int balance = integerOption(args, "--balance", 50, 0, 100);
    std::vector<std::string> words = args.positional(3);
    if (words[0] != "render") throw UsageError(kUsage);
    if (effect && hasFadeIn) throw UsageError(std::string("a sound effect has no fade-in: ") + kUsage);
    const std::string& input = words[1];
    const std::string& output = words[2];

    consort::Mixer mixer;
    std::string error;
    if (effect) {
        if (!mixer.PlaySound(input, volume, tempo, balance, &error)) throw CommandError("sound", error);
    } else {
        // The editor's order of calls for a music preview.
        if (!mixer.PlayMusic(input, &error)) throw CommandError("sound", error);
        mixer.FadeInMusic(fadeIn);
        mixer.SetMusicVolume(volume);
        mixer.SetMusicTempo(tempo);
        mixer.SetMusicBalance(balance);
    }
    const size_t frames = size_t(std::llround(seconds * consort::kSampleRate));
    std::vector<float> samples(frames * 2);
    for (size_t done = 0; done < frames;) {
        int n = int(std::min<size_t>(4096, frames - done));
        mixer.Render(samples.data() + 2 * done, n);
        done += size_t(n);
    }
    std::vector<uint8_t> wave = consort::EncodeWave16(samples.data(), frames);
    try {
        WriteFileAtomically(output, wave.data(), wave.size());
    } catch (const EFileError& e) {
        throw CommandError("sound", e.what());
    }
    return 0;
}

const Command kSoundCommand{"sound", kUsage, RunSound};
const RegisterCommand kRegistered{kSoundCommand};

} // namespace

} // namespace tarvel::cli
