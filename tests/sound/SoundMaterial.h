#pragma once
// Sound material made on the spot for the sound tests and benchmarks: WAVE files of plain tones
// and small MIDI files, so no recording has to be kept in the repository.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tarvel::test::sound {

// A mono tone: a sine of the given frequency and peak level.
inline std::vector<float> Tone(double hertz, double seconds, float level, int rate = 44100) {
    std::vector<float> samples(size_t(std::lround(seconds * rate)));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = level * float(std::sin(2.0 * M_PI * hertz * double(i) / rate));
    return samples;
}

// Interleaves two mono signals of equal length.
inline std::vector<float> Stereo(const std::vector<float>& left, const std::vector<float>& right) {
    std::vector<float> out(left.size() * 2);
    for (size_t i = 0; i < left.size(); ++i) {
        out[2 * i] = left[i];
        out[2 * i + 1] = right[i];
    }
    return out;
}

// A PCM WAVE file of interleaved samples, 8 or 16 bits.
inline std::vector<uint8_t> WaveFile(const std::vector<float>& interleaved, int channels, int rate,
                                     int bits = 16) {
    auto put = [](std::vector<uint8_t>& out, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    const int sampleBytes = bits / 8;
    const uint32_t dataBytes = uint32_t(interleaved.size() * sampleBytes);
    std::vector<uint8_t> out{'R', 'I', 'F', 'F'};
    put(out, 36 + dataBytes, 4);
    for (char c : std::string("WAVEfmt "))
        out.push_back(uint8_t(c));
    put(out, 16, 4);
    put(out, 1, 2);
    put(out, uint32_t(channels), 2);
    put(out, uint32_t(rate), 4);
    put(out, uint32_t(rate * channels * sampleBytes), 4);
    put(out, uint32_t(channels * sampleBytes), 2);
    put(out, uint32_t(bits), 2);
    for (char c : std::string("data"))
        out.push_back(uint8_t(c));
    put(out, dataBytes, 4);
    for (float s : interleaved) {
        double v = std::max(-1.0f, std::min(1.0f, s));
        if (bits == 8)
            out.push_back(uint8_t(std::lround(v * 127.0) + 128));
        else
            put(out, uint16_t(int16_t(std::lround(v * 32767.0))), 2);
    }
    return out;
}

// One note of a MIDI piece; times in seconds at the file's tempo of 120 beats a minute.
struct Note {
    double start;
    double length;
    int key;
    int velocity = 100;
    int channel = 0;
};

// A MIDI file of division 480 at 120 beats a minute (960 ticks a second): one track per channel
// in use, each with its programme set at the start, and the piece ending at endSeconds (or with
// its last note).
struct MidiPiece {
    std::vector<Note> notes;
    std::vector<std::pair<int, int>> programs; // channel, programme
    double endSeconds = 0;
};

inline uint32_t SecondsToTicks(double seconds) {
    return uint32_t(std::lround(seconds * 960.0));
}

inline std::vector<uint8_t> MidiFile(const MidiPiece& piece) {
    struct Event {
        uint32_t tick;
        int order; // note-offs before note-ons at the same tick
        std::vector<uint8_t> bytes;
    };
    auto varLength = [](std::vector<uint8_t>& out, uint32_t v) {
        uint8_t b[5];
        int n = 0;
        b[n++] = v & 0x7F;
        while (v >>= 7)
            b[n++] = 0x80 | (v & 0x7F);
        while (n)
            out.push_back(b[--n]);
    };
    std::vector<int> channels;
    for (const auto& p : piece.programs)
        channels.push_back(p.first);
    for (const auto& n : piece.notes)
        if (std::find(channels.begin(), channels.end(), n.channel) == channels.end())
            channels.push_back(n.channel);
    uint32_t end = SecondsToTicks(piece.endSeconds);
    for (const auto& n : piece.notes)
        end = std::max(end, SecondsToTicks(n.start + n.length));

    std::vector<std::vector<uint8_t>> tracks;
    // The first track sets the tempo: 500000 microseconds a quarter note.
    tracks.push_back({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    for (int channel : channels) {
        std::vector<Event> events;
        for (const auto& p : piece.programs)
            if (p.first == channel) events.push_back({0, 0, {uint8_t(0xC0 | channel), uint8_t(p.second)}});
        for (const auto& n : piece.notes) {
            if (n.channel != channel) continue;
            events.push_back(
                {SecondsToTicks(n.start), 2, {uint8_t(0x90 | channel), uint8_t(n.key), uint8_t(n.velocity)}});
            events.push_back(
                {SecondsToTicks(n.start + n.length), 1, {uint8_t(0x80 | channel), uint8_t(n.key), 0}});
        }
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> track;
        uint32_t at = 0;
        for (const auto& e : events) {
            varLength(track, e.tick - at);
            at = e.tick;
            track.insert(track.end(), e.bytes.begin(), e.bytes.end());
        }
        varLength(track, end - at);
        track.insert(track.end(), {0xFF, 0x2F, 0x00});
        tracks.push_back(track);
    }
    tracks[0].insert(tracks[0].end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, uint8_t(tracks.size()), 0x01, 0xE0};
    for (const auto& t : tracks) {
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        for (int shift = 24; shift >= 0; shift -= 8)
            file.push_back(uint8_t(t.size() >> shift));
        file.insert(file.end(), t.begin(), t.end());
    }
    return file;
}

// A steady organ chord: a level that neither swells nor decays while it is held.
inline MidiPiece OrganChord(double seconds) {
    MidiPiece piece;
    piece.programs = {{0, 16}};
    for (int key : {60, 64, 67})
        piece.notes.push_back({0.0, seconds, key, 100, 0});
    piece.endSeconds = seconds;
    return piece;
}

// A busy piece for the benchmark: four bars of piano chords, bass, strings and drums.
inline MidiPiece BusyPiece(double seconds) {
    MidiPiece piece;
    piece.programs = {{0, 0}, {1, 33}, {2, 48}};
    for (double t = 0; t < seconds; t += 0.5) {
        int root = 48 + (int(t / 2.0) % 4) * 2;
        for (int k : {0, 4, 7, 12})
            piece.notes.push_back({t, 0.45, root + 12 + k, 90, 0});
        piece.notes.push_back({t, 0.5, root - 12, 100, 1});
        piece.notes.push_back({t, 0.25, 36, 110, 9});
        piece.notes.push_back({t + 0.25, 0.25, 42, 80, 9});
        if (std::fmod(t, 2.0) == 0.0)
            for (int k : {0, 3, 7})
                piece.notes.push_back({t, 2.0, root + k, 70, 2});
    }
    piece.endSeconds = seconds;
    return piece;
}

} // namespace tarvel::test::sound
