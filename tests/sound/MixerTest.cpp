#include <gtest/gtest.h>

#include "SoundTestSupport.h"

using namespace tarvel::consort;
using namespace tarvel::test;
using namespace tarvel::test::sound;

namespace {

// The three ways the editor previews material.
enum class Preview { WaveMusic, MidiMusic, Effect };

const char* name(Preview p) {
    switch (p) {
    case Preview::WaveMusic:
        return "WAVE music";
    case Preview::MidiMusic:
        return "MIDI music";
    case Preview::Effect:
        return "sound effect";
    }
    return "";
}

// Starts a preview in the editor's order of calls.
void start(Mixer& mixer, Preview preview, int volume = 100, int tempo = 100, int balance = 50,
           int fadeIn = 0) {
    if (preview == Preview::Effect) {
        ASSERT_TRUE(mixer.PlaySound(TonePath(), volume, tempo, balance));
        return;
    }
    std::string error;
    ASSERT_TRUE(mixer.PlayMusic(preview == Preview::WaveMusic ? TonePath() : OrganPath(), &error)) << error;
    mixer.FadeInMusic(fadeIn);
    mixer.SetMusicVolume(volume);
    mixer.SetMusicTempo(tempo);
    mixer.SetMusicBalance(balance);
}

const Preview kAllPreviews[] = {Preview::WaveMusic, Preview::MidiMusic, Preview::Effect};

} // namespace

TEST(Mixer, VolumeAndBalanceShapeEveryPreview) {
    for (Preview preview : kAllPreviews) {
        SCOPED_TRACE(name(preview));
        Mixer full, half, silent, left, right;
        start(full, preview);
        start(half, preview, 50);
        start(silent, preview, 0);
        start(left, preview, 100, 100, 0);
        start(right, preview, 100, 100, 100);
        Audio a = Render(full, 1.0), h = Render(half, 1.0), s = Render(silent, 1.0), l = Render(left, 1.0),
              r = Render(right, 1.0);

        EXPECT_GT(a.rms(0, 0.1, 0.9), 0.05);
        EXPECT_GT(a.rms(1, 0.1, 0.9), 0.05);
        EXPECT_LE(a.peak(), 0.98f) << "material is held below full scale";
        EXPECT_NEAR(h.rms(0, 0.1, 0.9) / a.rms(0, 0.1, 0.9), 0.5, 0.01);
        EXPECT_EQ(s.peak(), 0.0);
        // The far side is silent; the near side keeps full level.
        EXPECT_EQ(l.peak(1), 0.0);
        EXPECT_NEAR(l.rms(0, 0.1, 0.9), a.rms(0, 0.1, 0.9), 1e-6);
        EXPECT_EQ(r.peak(0), 0.0);
        EXPECT_NEAR(r.rms(1, 0.1, 0.9), a.rms(1, 0.1, 0.9), 1e-6);
    }
}

TEST(Mixer, VolumeAndBalanceChangesDuringMusicGlideWithoutAStep) {
    Mixer mixer;
    start(mixer, Preview::WaveMusic);
    Audio before = Render(mixer, 0.5);
    mixer.SetMusicVolume(0);
    mixer.SetMusicBalance(0);
    Audio after = Render(mixer, 0.5);
    // 20 ms later the new settings hold, and the first samples still carry the old level.
    EXPECT_GT(after.peak(1, 0, 0.005), 0.2);
    EXPECT_EQ(after.peak(0, 0.021, 0.5), 0.0);
    EXPECT_EQ(after.peak(1, 0.021, 0.5), 0.0);
    EXPECT_GT(before.rms(0, 0, 0.5), 0.3);
}

TEST(Mixer, FadeInStartsNearSilenceAndReachesFullLevelAtItsEnd) {
    for (Preview preview : {Preview::WaveMusic, Preview::MidiMusic}) {
        SCOPED_TRACE(name(preview));
        Mixer plain, faded;
        start(plain, preview);
        start(faded, preview, 100, 100, 50, 1000);
        Audio p = Render(plain, 1.8), f = Render(faded, 1.8);
        auto ratio = [&](double from, double to) { return f.rms(0, from, to) / p.rms(0, from, to); };
        EXPECT_LT(ratio(0.0, 0.03), 0.03);
        EXPECT_NEAR(ratio(0.49, 0.51), 0.5, 0.03);
        EXPECT_NEAR(ratio(0.9, 0.95), 0.925, 0.03);
        EXPECT_NEAR(ratio(1.0, 1.8), 1.0, 1e-6);
    }
}

TEST(Mixer, FadeOutReachesSilenceAfterFiveSecondsAndEndsTheMusic) {
    for (Preview preview : {Preview::WaveMusic, Preview::MidiMusic}) {
        SCOPED_TRACE(name(preview));
        Mixer plain, fading;
        start(plain, preview);
        start(fading, preview);
        Render(plain, 1.0);
        Render(fading, 1.0);
        fading.FadeOutMusic(5000);
        Audio p = Render(plain, 6.0), f = Render(fading, 6.0);
        auto ratio = [&](double from, double to) { return f.rms(0, from, to) / p.rms(0, from, to); };
        EXPECT_NEAR(ratio(0.0, 0.02), 1.0, 0.01);
        EXPECT_NEAR(ratio(2.48, 2.52), 0.5, 0.03);
        EXPECT_LT(ratio(4.9, 4.95), 0.03);
        EXPECT_EQ(f.peak(0, 5.0), 0.0);
        EXPECT_EQ(f.peak(1, 5.0), 0.0);
        EXPECT_FALSE(fading.MusicPlaying());
        EXPECT_TRUE(plain.MusicPlaying());
    }
}

TEST(Mixer, SoundTempoIsPlaybackRateAndSetsHowLongItLasts) {
    // The tone lasts 2.0 s at tempo 100.
    struct Case {
        int tempo;
        double endSeconds;
    } cases[] = {{50, 4.0}, {100, 2.0}, {150, 2.0 * 2 / 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tempo);
        Mixer mixer;
        ASSERT_TRUE(mixer.PlaySound(TonePath(), 100, c.tempo, 50));
        Audio a = Render(mixer, 4.5);
        EXPECT_GT(a.rms(0, c.endSeconds - 0.05, c.endSeconds - 0.002), 0.2);
        EXPECT_EQ(a.peak(0, c.endSeconds + 0.001), 0.0);
        EXPECT_EQ(mixer.SoundCount(), 0);
    }
}

TEST(Mixer, WaveMusicTempoIsPlaybackRateAndTheMusicLoops) {
    auto crossings = [](const Audio& a, double from, double to) {
        int n = 0;
        for (size_t i = Audio::frameAt(from) + 1; i < Audio::frameAt(to); ++i)
            if ((a.samples[2 * i - 2] < 0) != (a.samples[2 * i] < 0)) ++n;
        return n;
    };
    Mixer mixer;
    start(mixer, Preview::WaveMusic, 100, 150);
    Audio a = Render(mixer, 3.0);
    // 440 Hz played at 150 % sounds at 660 Hz: 1320 zero crossings a second.
    EXPECT_NEAR(crossings(a, 0.5, 1.0), 660, 3);
    // The two seconds of material end after 1.33 s and start again without a gap.
    EXPECT_TRUE(mixer.MusicLooped());
    EXPECT_NEAR(crossings(a, 1.5, 2.0), 660, 3);
    EXPECT_GT(a.rms(0, 1.3, 1.4), 0.3);
}

TEST(Mixer, MidiTempoMovesTheNotesAndTheMusicLoops) {
    struct Case {
        int tempo;
        double noteSeconds;
    } cases[] = {{50, 2.0}, {100, 1.0}, {150, 1.0 / 1.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tempo);
        Mixer mixer;
        ASSERT_TRUE(mixer.PlayMusic(LateNotePath()));
        mixer.SetMusicTempo(c.tempo);
        Audio a = Render(mixer, c.noteSeconds + 0.2);
        EXPECT_NEAR(a.onset(0.01), c.noteSeconds, 0.02);
    }

    // The piece ends at 2.0 s; its note sounds again at 3.0 s.
    Mixer mixer;
    ASSERT_TRUE(mixer.PlayMusic(LateNotePath()));
    Audio a = Render(mixer, 3.2);
    EXPECT_TRUE(mixer.MusicLooped());
    EXPECT_LT(a.peak(0, 2.0, 2.95), 0.01);
    EXPECT_GT(a.rms(0, 3.05, 3.2), 0.05);
    EXPECT_NEAR(mixer.MidiTick(), 1.2 * 960, 20);
}

TEST(Mixer, OverlappingEffectsMix) {
    std::string high =
        WriteMaterial("high.wav", WaveFile(Stereo(Tone(660, 1.0, 0.3f), Tone(990, 1.0, 0.2f)), 2, 44100));
    Mixer first, second, both;
    ASSERT_TRUE(first.PlaySound(TonePath(), 80, 100, 20));
    ASSERT_TRUE(second.PlaySound(high, 60, 150, 70));
    ASSERT_TRUE(both.PlaySound(TonePath(), 80, 100, 20));
    ASSERT_TRUE(both.PlaySound(high, 60, 150, 70));
    EXPECT_EQ(both.SoundCount(), 2);
    Audio a = Render(first, 2.5), b = Render(second, 2.5), ab = Render(both, 2.5);
    for (size_t i = 0; i < ab.samples.size(); ++i)
        ASSERT_NEAR(ab.samples[i], a.samples[i] + b.samples[i], 1e-6) << "sample " << i;
    // Each with its own volume, balance and tempo.
    EXPECT_NEAR(b.rms(0, 0.1, 0.6), 0.3 * 0.6 * 0.6 / std::sqrt(2.0), 0.005);
    EXPECT_NEAR(b.rms(1, 0.1, 0.6), 0.2 * 0.6 / std::sqrt(2.0), 0.005);
    EXPECT_GT(b.rms(1, 0.6, 0.66), 0.05);
    EXPECT_EQ(b.peak(1, 0.67), 0.0);

    // The effects play over music, and stopping them leaves the music.
    Mixer mixed;
    start(mixed, Preview::WaveMusic);
    ASSERT_TRUE(mixed.PlaySound(high, 100, 100, 50));
    mixed.StopSounds();
    EXPECT_EQ(mixed.SoundCount(), 0);
    EXPECT_TRUE(mixed.MusicPlaying());
}

TEST(Mixer, NewMusicStartsWithoutTheOldOnesNotesOrEcho) {
    Mixer mixer;
    start(mixer, Preview::MidiMusic);
    ASSERT_GT(Render(mixer, 1.0).rms(0, 0.5, 1.0), 0.05);
    ASSERT_TRUE(mixer.PlayMusic(LateNotePath()));
    Audio a = Render(mixer, 1.2);
    EXPECT_LT(a.peak(0, 0, 0.95), 0.002);
    EXPECT_NEAR(a.onset(0.01), 1.0, 0.02);
}

TEST(Mixer, StartDelayHoldsNewMusicBackSoFollowingSettingsApplyFromTheStart) {
    Mixer mixer;
    mixer.SetMusicStartDelay(4410);
    start(mixer, Preview::WaveMusic, 100, 100, 0, 1000);
    Audio a = Render(mixer, 1.2);
    EXPECT_EQ(a.peak(0, 0, 0.1), 0.0);
    EXPECT_LT(a.peak(0, 0.1, 0.11), 0.01);
    EXPECT_EQ(a.peak(1), 0.0);
    EXPECT_GT(a.rms(0, 1.1, 1.2), 0.3);
}

TEST(Mixer, BrokenOrMissingFilesPlayNothingAndHarmNothing) {
    auto bytes = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
    std::vector<uint8_t> goodWave = WaveFile(Tone(440, 0.5, 0.5f), 1, 44100);
    std::vector<uint8_t> noChannels = goodWave;
    noChannels[22] = 0;
    std::vector<uint8_t> cutWave(goodWave.begin(), goodWave.begin() + 30);
    std::vector<uint8_t> midi = MidiFile(OrganChord(1.0));
    std::vector<uint8_t> zeroDivision = midi;
    zeroDivision[12] = zeroDivision[13] = 0;
    std::vector<uint8_t> cutMidi(midi.begin(), midi.end() - 5);
    std::vector<uint8_t> zeroTempo = midi;
    zeroTempo[22 + 4] = zeroTempo[22 + 5] = zeroTempo[22 + 6] = 0; // the first track's tempo

    struct Case {
        const char* what;
        std::string path;
    } cases[] = {
        {"a missing file", MakeTempFolder("gone").toStdString() + "/nothing.mid"},
        {"a folder", MakeTempFolder("folder").toStdString()},
        {"an empty file", WriteMaterial("empty.wav", {})},
        {"text", WriteMaterial("text.mid", bytes("just some words, not music"))},
        {"a bare MIDI mark", WriteMaterial("mthd.mid", bytes("MThd"))},
        {"a MIDI file with zero ticks per quarter", WriteMaterial("division.mid", zeroDivision)},
        {"a cut MIDI file", WriteMaterial("cut.mid", cutMidi)},
        {"a MIDI file with a zero tempo", WriteMaterial("tempo.mid", zeroTempo)},
        {"a WAVE file with no channels", WriteMaterial("nochannels.wav", noChannels)},
        {"a cut WAVE header", WriteMaterial("cut.wav", cutWave)},
    };
    Mixer mixer;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start(mixer, Preview::WaveMusic);
        std::string error;
        EXPECT_FALSE(mixer.PlayMusic(c.path, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(mixer.MusicPlaying()) << "the previous music stops too";
        EXPECT_FALSE(mixer.PlaySound(c.path, 100, 100, 50, &error));
        EXPECT_EQ(Render(mixer, 0.2).peak(), 0.0);
    }
    // Nothing playing: every stop, fade and setting is harmless.
    mixer.StopMusic();
    mixer.StopMidiMusic();
    mixer.StopSounds();
    mixer.FadeOutMusic(5000);
    mixer.FadeInMusic(1000);
    mixer.SetMusicTempo(1000);
    mixer.SetMusicVolume(-5);
    mixer.ForgetSound("/nowhere.wav");
    EXPECT_EQ(mixer.MidiTick(), 0);
    EXPECT_EQ(Render(mixer, 0.2).peak(), 0.0);
    // And the mixer still plays what it can.
    mixer.SetMusicVolume(100);
    ASSERT_TRUE(mixer.PlayMusic(OrganPath()));
    EXPECT_GT(Render(mixer, 0.5).rms(0, 0.2, 0.5), 0.05);
}

TEST(Mixer, AChangedEffectFileIsDecodedAgain) {
    std::string path = WriteMaterial("changing.wav", WaveFile(Tone(440, 0.5, 0.5f), 1, 44100));
    Mixer mixer;
    ASSERT_TRUE(mixer.PlaySound(path, 100, 100, 50));
    EXPECT_NEAR(Render(mixer, 0.6).rms(0, 0.1, 0.4), 0.5 / std::sqrt(2.0), 0.01);
    WriteMaterial("changing.wav", WaveFile(Tone(440, 0.4, 0.1f), 1, 44100));
    ASSERT_TRUE(mixer.PlaySound(path, 100, 100, 50));
    EXPECT_NEAR(Render(mixer, 0.6).rms(0, 0.1, 0.3), 0.1 / std::sqrt(2.0), 0.01);
}

TEST(Mixer, WaveFormatsConvertToTheSameSound) {
    // A size field of a WAVE file changed.
    auto withSizes = [](std::vector<uint8_t> file, size_t at, uint32_t size) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = uint8_t(size >> (8 * i));
        return file;
    };
    // One tone in several layouts: each plays at the same pitch, length and level.
    std::vector<float> tone = Tone(441, 0.5, 0.5f, 22050);
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
    } cases[] = {
        {"16-bit mono 22050 Hz", WaveFile(tone, 1, 22050)},
        {"8-bit mono 22050 Hz", WaveFile(tone, 1, 22050, 8)},
        {"16-bit stereo 44100 Hz", WaveFile(Stereo(Tone(441, 0.5, 0.5f), Tone(441, 0.5, 0.5f)), 2, 44100)},
        {"16-bit mono 11025 Hz", WaveFile(Tone(441, 0.5, 0.5f, 11025), 1, 11025)},
        {"a RIFF size too small", withSizes(WaveFile(tone, 1, 22050), 4, 12)},
        {"sizes claiming four gigabytes",
         withSizes(withSizes(WaveFile(tone, 1, 22050), 4, 0xFFFFFFF0), 40, 0xFFFFFF00)},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Mixer mixer;
        ASSERT_TRUE(
            mixer.PlaySound(WriteMaterial(QString("format%1.wav").arg(++index), c.file), 100, 100, 50));
        Audio a = Render(mixer, 0.7);
        EXPECT_NEAR(a.rms(0, 0.05, 0.45), 0.5 / std::sqrt(2.0), 0.02);
        EXPECT_NEAR(a.rms(1, 0.05, 0.45), 0.5 / std::sqrt(2.0), 0.02);
        EXPECT_GT(a.rms(0, 0.49, 0.4995), 0.1);
        EXPECT_LT(a.peak(0, 0.502), 0.02);
    }
}
