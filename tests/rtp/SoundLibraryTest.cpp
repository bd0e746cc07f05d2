// The sound library the editor previews material with accepts every piece and effect of the
// package, and the pieces sound from their first bar.
#include <QFile>
#include <gtest/gtest.h>

#include <cmath>

#include "MidiFile.h"
#include "Mixer.h"
#include "RtpTestSupport.h"
#include "SoundFontSetting.h"
#include "TestEnvironment.h"
#include "WaveClip.h"

namespace tarvel::test::rtp {
namespace {

TEST(RtpSoundLibrary, AcceptsEveryPieceAndEffect) {
    for (const QString& name : PackageNames("Music", "mid")) {
        QByteArray bytes = ReadFile(PackageFile("Music", name, "mid"));
        tarvel::consort::MidiFileInfo info;
        std::string error;
        EXPECT_TRUE(tarvel::consort::InspectMidiFile(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                     size_t(bytes.size()), &info, &error))
            << name.toStdString() << ": " << error;
        EXPECT_TRUE(info.hasNotes) << name.toStdString();
        EXPECT_EQ(info.format, 1) << name.toStdString();
    }
    for (const QString& name : PackageNames("Sound", "wav")) {
        QByteArray bytes = ReadFile(PackageFile("Sound", name, "wav"));
        std::string error;
        auto clip = tarvel::consort::DecodeWave(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                size_t(bytes.size()), &error);
        ASSERT_TRUE(clip) << name.toStdString() << ": " << error;
        // 16-bit mono at 22050 Hz: two output frames for every stored sample.
        EXPECT_EQ(clip->frames(), size_t(bytes.size() - 44) / 2 * 2) << name.toStdString();
    }
}

TEST(RtpSoundLibrary, EveryPieceSoundsThroughTheSynthesiserFromItsFirstBar) {
    if (!QFile::exists(tarvel::consort::kDefaultSoundFontPath)) GTEST_SKIP() << "no General MIDI soundfont";
    for (const QString& name : PackageNames("Music", "mid")) {
        tarvel::consort::Mixer mixer(tarvel::consort::kDefaultSoundFontPath);
        std::string error;
        ASSERT_TRUE(mixer.PlayMusic(PackageFile("Music", name, "mid").toStdString(), &error))
            << name.toStdString() << ": " << error;
        // Three seconds in half-second windows: none of them silent, none at full scale.
        const int window = tarvel::consort::kSampleRate / 2;
        std::vector<float> buffer(size_t(window) * 2);
        for (int w = 0; w < 6; ++w) {
            mixer.Render(buffer.data(), window);
            double sum = 0;
            float peak = 0;
            for (float s : buffer)
                sum += double(s) * s, peak = std::max(peak, std::fabs(s));
            double rms = std::sqrt(sum / double(buffer.size()));
            EXPECT_GT(rms, 0.004) << name.toStdString() << " window " << w;
            EXPECT_LT(peak, 1.0f) << name.toStdString() << " window " << w;
        }
    }
}

} // namespace
} // namespace tarvel::test::rtp
