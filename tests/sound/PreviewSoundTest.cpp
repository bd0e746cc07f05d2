// What a MIDI preview sounds like, against the recording of the same piece made by the renderer
// before its speed settings (interpolation, effects, blocks) were tuned: the spectrum may not move
// by more than 1 dB in any octave band from 63 Hz to 8 kHz.
#include <gtest/gtest.h>

#include <complex>

#include "SoundTestSupport.h"
#include "WaveClip.h"

using namespace tarvel::consort;
using namespace tarvel::test;
using namespace tarvel::test::sound;

namespace {

// The energy of a mono signal in each octave band (centre 63 Hz to 8 kHz), in dB, through one FFT
// of the whole signal.
std::vector<double> octaveBandLevels(const std::vector<double>& mono) {
    size_t n = 1;
    while (n < mono.size())
        n <<= 1;
    std::vector<std::complex<double>> x(n);
    for (size_t i = 0; i < mono.size(); ++i)
        x[i] = mono[i];
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * M_PI / double(length));
        for (size_t i = 0; i < n; i += length) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < length / 2; ++k, w *= step) {
                const std::complex<double> u = x[i + k], v = x[i + k + length / 2] * w;
                x[i + k] = u + v;
                x[i + k + length / 2] = u - v;
            }
        }
    }
    std::vector<double> levels;
    for (double centre : {62.5, 125.0, 250.0, 500.0, 1000.0, 2000.0, 4000.0, 8000.0}) {
        const size_t from = size_t(centre / std::sqrt(2.0) * double(n) / kSampleRate);
        const size_t to = size_t(centre * std::sqrt(2.0) * double(n) / kSampleRate);
        double energy = 1e-30;
        for (size_t k = from; k < to; ++k)
            energy += std::norm(x[k]);
        levels.push_back(10 * std::log10(energy));
    }
    return levels;
}

std::vector<double> mono(const std::vector<float>& interleaved) {
    std::vector<double> out(interleaved.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = (double(interleaved[2 * i]) + interleaved[2 * i + 1]) / 2;
    return out;
}

} // namespace

TEST(MidiPreview, SpectrumOfABusyPieceAsBeforeWithin1DbInEveryOctave) {
    // Piano chords, bass, strings and drums for four seconds, as the editor previews them.
    const std::string piece = WriteMaterial("busy-preview.mid", MidiFile(BusyPiece(4.0)));
    Mixer mixer;
    std::string error;
    ASSERT_TRUE(mixer.PlayMusic(piece, &error)) << error;
    mixer.FadeInMusic(0);
    mixer.SetMusicVolume(100);
    mixer.SetMusicTempo(100);
    mixer.SetMusicBalance(50);
    const Audio now = Render(mixer, 4.0);

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadSoundFile(std::string(TARVEL_SOUND_FIXTURES) + "/busy-piece-preview.wav", &bytes, &error))
        << error;
    const auto before = DecodeWave(bytes.data(), bytes.size(), &error);
    ASSERT_TRUE(before) << error;
    ASSERT_EQ(before->frames(), now.frames());

    const std::vector<double> levelsNow = octaveBandLevels(mono(now.samples));
    const std::vector<double> levelsBefore = octaveBandLevels(mono(before->samples));
    const char* names[] = {"63 Hz", "125 Hz", "250 Hz", "500 Hz", "1 kHz", "2 kHz", "4 kHz", "8 kHz"};
    for (size_t band = 0; band < levelsNow.size(); ++band)
        EXPECT_NEAR(levelsNow[band], levelsBefore[band], 1.0) << names[band];

    // The piece sounds in every band: a silent render would pass nothing above.
    for (size_t band = 0; band + 1 < levelsNow.size(); ++band)
        EXPECT_GT(levelsNow[band], levelsNow.back() - 60) << names[band];
}
