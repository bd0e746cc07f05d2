#include <QDataStream>
#include <gtest/gtest.h>

#include "SoundTestSupport.h"

using namespace tarvel::test;
using namespace tarvel::test::sound;

namespace {

// Reads a 16-bit stereo 44100 Hz WAVE file as written by the tool; fails the test otherwise.
Audio readWave(const QString& path) {
    QByteArray bytes = ReadFile(path);
    Audio audio;
    EXPECT_GE(bytes.size(), 44);
    if (bytes.size() < 44) return audio;
    auto u16 = [&](int at) { return int(uint8_t(bytes[at])) | int(uint8_t(bytes[at + 1])) << 8; };
    auto u32 = [&](int at) { return uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16; };
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u16(20), 1); // PCM
    EXPECT_EQ(u16(22), 2); // stereo
    EXPECT_EQ(u32(24), 44100u);
    EXPECT_EQ(u16(34), 16);
    EXPECT_EQ(bytes.mid(36, 4), "data");
    EXPECT_EQ(u32(40), uint32_t(bytes.size() - 44));
    EXPECT_EQ(u32(4), uint32_t(bytes.size() - 8));
    for (int at = 44; at + 1 < bytes.size(); at += 2)
        audio.samples.push_back(int16_t(u16(at)) / 32767.0f);
    return audio;
}

} // namespace

TEST(CliSound, RendersWhatAPreviewSoundsLike) {
    QString out = MakeTempFolder("render");
    QString tone = QString::fromStdString(TonePath());

    auto music = RunCli(
        {"sound", "render", QString::fromStdString(OrganPath()), out + "/organ.wav", "--seconds", "1.5"},
        60000);
    ASSERT_EQ(music.exitCode, 0) << music.err.toStdString();
    Audio organ = readWave(out + "/organ.wav");
    EXPECT_EQ(organ.frames(), 66150u);
    EXPECT_GT(organ.rms(0, 0.5, 1.5), 0.05);

    // Music options in the editor's ranges: a fade-in from silence, a right-only balance, a
    // faster (higher) playback, less volume.
    auto shaped = RunCli({"sound", "render", tone, out + "/shaped.wav", "--seconds", "1", "--fade-in", "500",
                          "--volume", "50", "--tempo", "150", "--balance", "100"},
                         60000);
    ASSERT_EQ(shaped.exitCode, 0) << shaped.err.toStdString();
    Audio s = readWave(out + "/shaped.wav");
    EXPECT_EQ(s.frames(), 44100u);
    EXPECT_EQ(s.peak(0), 0.0);
    EXPECT_LT(s.peak(1, 0, 0.01), 0.01);
    EXPECT_NEAR(s.rms(1, 0.6, 1.0), 0.25 / std::sqrt(2.0), 0.01);

    // An effect plays once: at tempo 150 the two-second tone ends after 1.33 s.
    auto effect =
        RunCli({"sound", "render", tone, out + "/effect.wav", "--seconds", "2", "--effect", "--tempo", "150"},
               60000);
    ASSERT_EQ(effect.exitCode, 0) << effect.err.toStdString();
    Audio e = readWave(out + "/effect.wav");
    EXPECT_GT(e.rms(0, 1.2, 1.3), 0.2);
    EXPECT_EQ(e.peak(0, 1.34), 0.0);
}

TEST(CliSound, ErrorsAndUsage) {
    QString out = MakeTempFolder("render") + "/out.wav";
    QString tone = QString::fromStdString(TonePath());
    QString text = MakeTempFolder("text") + "/notes.mid";
    WriteFile(text, "not music at all");
    struct Case {
        QStringList args;
        int exitCode;
        QByteArray errStart;
    } cases[] = {
        {{"sound", "render", "/nowhere/Town.mid", out, "--seconds", "1"},
         1,
         "tarvel-cli: sound: cannot open \"/nowhere/Town.mid\""},
        {{"sound", "render", text, out, "--seconds", "1"}, 1, "tarvel-cli: sound: "},
        {{"sound", "render", tone, "/nowhere/out.wav", "--seconds", "1"}, 1, "tarvel-cli: sound: "},
        {{"sound", "render", tone, out}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, out, "--seconds", "0"}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, out, "--seconds", "ten"}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, out, "--seconds", "1", "--volume", "101"}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, out, "--seconds", "1", "--tempo", "49"}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, out, "--seconds", "1", "--balance", "5x"}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, out, "--seconds", "1", "--fade-in", "-1"}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, out, "--seconds", "1", "--effect", "--fade-in", "100"},
         2,
         "tarvel-cli: usage: "},
        {{"sound", "play", tone, out, "--seconds", "1"}, 2, "tarvel-cli: usage: "},
        {{"sound", "render", tone, "--seconds", "1"}, 2, "tarvel-cli: usage: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        auto result = RunCli(c.args, 60000);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(result.err.startsWith(c.errStart)) << result.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}
