#pragma once
// Shared pieces of the sound tests: material files written once per run, and measurements of
// rendered audio.

#include <QByteArray>
#include <QString>
#include <cmath>
#include <string>
#include <vector>

#include "Mixer.h"
#include "SoundMaterial.h"
#include "TestEnvironment.h"

namespace tarvel::test::sound {

inline std::string WriteMaterial(const QString& name, const std::vector<uint8_t>& bytes) {
    static const QString folder = MakeTempFolder("material");
    QString path = folder + "/" + name;
    WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));
    return path.toStdString();
}

// A 440 Hz tone of two seconds at half level, mono 16-bit at 22050 Hz (so it is converted).
inline const std::string& TonePath() {
    static const std::string path =
        WriteMaterial("tone.wav", WaveFile(Tone(440, 2.0, 0.5f, 22050), 1, 22050));
    return path;
}

// A steady organ chord of two seconds.
inline const std::string& OrganPath() {
    static const std::string path = WriteMaterial("organ.mid", MidiFile(OrganChord(2.0)));
    return path;
}

// One organ note at 1.0 s for half a second; the piece ends at 2.0 s.
inline const std::string& LateNotePath() {
    static const std::string path = [] {
        MidiPiece piece;
        piece.programs = {{0, 16}};
        piece.notes = {{1.0, 0.5, 69, 110, 0}};
        piece.endSeconds = 2.0;
        return WriteMaterial("late.mid", MidiFile(piece));
    }();
    return path;
}

// Rendered interleaved stereo with measurements over time windows given in seconds.
struct Audio {
    std::vector<float> samples;

    size_t frames() const { return samples.size() / 2; }
    static size_t frameAt(double seconds) { return size_t(std::lround(seconds * consort::kSampleRate)); }
    double rms(int channel, double from, double to) const {
        size_t a = frameAt(from), b = std::min(frameAt(to), frames());
        double sum = 0;
        for (size_t i = a; i < b; ++i)
            sum += double(samples[2 * i + channel]) * samples[2 * i + channel];
        return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
    }
    double peak(int channel, double from = 0, double to = 1e9) const {
        size_t a = frameAt(from), b = std::min(frameAt(to), frames());
        double p = 0;
        for (size_t i = a; i < b; ++i)
            p = std::max(p, double(std::fabs(samples[2 * i + channel])));
        return p;
    }
    double peak() const { return std::max(peak(0), peak(1)); }
    // The time of the first sample above the level on either channel, or -1.
    double onset(double level) const {
        for (size_t i = 0; i < samples.size(); ++i)
            if (std::fabs(samples[i]) > level) return double(i / 2) / consort::kSampleRate;
        return -1;
    }
};

// Renders the way a device pulls: in blocks of 1024 frames.
inline Audio Render(consort::Mixer& mixer, double seconds) {
    Audio audio;
    audio.samples.resize(Audio::frameAt(seconds) * 2);
    for (size_t done = 0; done < audio.frames();) {
        int n = int(std::min<size_t>(1024, audio.frames() - done));
        mixer.Render(audio.samples.data() + 2 * done, n);
        done += size_t(n);
    }
    return audio;
}

} // namespace tarvel::test::sound
