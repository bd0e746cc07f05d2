#include "Midi.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace tarvel::rtp {

namespace {

void putVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = value & 0x7F;
    while (value >>= 7)
        bytes[n++] = 0x80 | (value & 0x7F);
    while (n)
        out.push_back(bytes[--n]);
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    out.insert(out.end(), type, type + 4);
    put32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

void putMeta(std::vector<uint8_t>& out, uint8_t type, const std::vector<uint8_t>& data) {
    out.push_back(0xFF);
    out.push_back(type);
    putVarLen(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

std::vector<uint8_t> textBytes(const std::string& s) {
    return {s.begin(), s.end()};
}

uint32_t ticks(double quarters) {
    return uint32_t(std::lround(quarters * MidiSong::kTicksPerQuarter));
}

int noteClass(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    }
    throw std::invalid_argument(std::string("bad note letter ") + letter);
}

// Parses a length ("q", "e.", "qt") at position i of a token.
double parseLength(const std::string& token, size_t i) {
    if (i >= token.size()) throw std::invalid_argument("missing length in " + token);
    double len = 0;
    switch (token[i]) {
    case 'w':
        len = 4;
        break;
    case 'h':
        len = 2;
        break;
    case 'q':
        len = 1;
        break;
    case 'e':
        len = 0.5;
        break;
    case 's':
        len = 0.25;
        break;
    default:
        throw std::invalid_argument("bad length in " + token);
    }
    for (size_t k = i + 1; k < token.size(); ++k) {
        if (token[k] == '.')
            len *= 1.5;
        else if (token[k] == 't')
            len *= 2.0 / 3.0;
        else
            throw std::invalid_argument("bad length in " + token);
    }
    return len;
}

} // namespace

MidiSong::MidiSong(const std::string& title, double bpm, int beatsPerBar, int beatUnit)
    : mTitle(title), mBpm(bpm), mBeatsPerBar(beatsPerBar), mBeatUnit(beatUnit) {}

MidiSong::Track& MidiSong::AddTrack(const std::string& name, int channel, int program, int volume, int pan,
                                    int reverb) {
    mTracks.push_back(Track{name, channel, program, volume, pan, reverb, {}});
    return mTracks.back();
}

void MidiSong::Track::Note(double start, double length, int key, int velocity) {
    if (key < 0 || key > 127 || length <= 0) return;
    velocity = std::clamp(velocity, 1, 127);
    uint8_t ch = uint8_t(channel & 0x0F);
    events.push_back({ticks(start), 1, {uint8_t(0x90 | ch), uint8_t(key), uint8_t(velocity)}});
    // A note ends a few ticks early so that a repeated key is struck again.
    uint32_t end = std::max(ticks(start) + 1, ticks(start + length) - 8);
    events.push_back({end, 0, {uint8_t(0x80 | ch), uint8_t(key), 0}});
}

std::vector<uint8_t> MidiSong::Write() const {
    std::vector<uint8_t> file;
    std::vector<uint8_t> header; // format 1, track count, division
    header.push_back(0);
    header.push_back(1);
    uint16_t count = uint16_t(mTracks.size() + 1);
    header.push_back(uint8_t(count >> 8));
    header.push_back(uint8_t(count));
    header.push_back(uint8_t(kTicksPerQuarter >> 8));
    header.push_back(uint8_t(kTicksPerQuarter & 0xFF));
    putChunk(file, "MThd", header);

    uint32_t end = ticks(mLength);
    {
        std::vector<uint8_t> t;
        putVarLen(t, 0);
        putMeta(t, 0x03, textBytes(mTitle));
        putVarLen(t, 0);
        uint32_t micros = uint32_t(std::lround(60000000.0 / mBpm));
        putMeta(t, 0x51, {uint8_t(micros >> 16), uint8_t(micros >> 8), uint8_t(micros)});
        putVarLen(t, 0);
        int denomPower = mBeatUnit == 8 ? 3 : 2;
        putMeta(t, 0x58, {uint8_t(mBeatsPerBar), uint8_t(denomPower), 24, 8});
        putVarLen(t, end);
        putMeta(t, 0x2F, {});
        putChunk(file, "MTrk", t);
    }
    for (const Track& track : mTracks) {
        std::vector<uint8_t> t;
        uint8_t ch = uint8_t(track.channel & 0x0F);
        putVarLen(t, 0);
        putMeta(t, 0x03, textBytes(track.name));
        const uint8_t setup[][3] = {{uint8_t(0xB0 | ch), 7, uint8_t(track.volume)},
                                    {uint8_t(0xB0 | ch), 10, uint8_t(track.pan)},
                                    {uint8_t(0xB0 | ch), 91, uint8_t(track.reverb)}};
        for (const auto& e : setup) {
            putVarLen(t, 0);
            t.insert(t.end(), e, e + 3);
        }
        if (track.channel != 9) {
            putVarLen(t, 0);
            t.push_back(uint8_t(0xC0 | ch));
            t.push_back(uint8_t(track.program));
        }
        std::vector<Track::Event> events = track.events;
        std::stable_sort(events.begin(), events.end(), [](const Track::Event& a, const Track::Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        uint32_t now = 0;
        for (const Track::Event& e : events) {
            uint32_t at = std::min(e.tick, end);
            putVarLen(t, at - now);
            t.insert(t.end(), e.bytes.begin(), e.bytes.end());
            now = at;
        }
        putVarLen(t, end - now);
        putMeta(t, 0x2F, {});
        putChunk(file, "MTrk", t);
    }
    return file;
}

double AddMelody(MidiSong::Track& track, double start, const std::string& notes, int velocity,
                 int transpose) {
    std::istringstream in(notes);
    std::string token;
    double at = start;
    int beatInBar = 0;
    while (in >> token) {
        if (token == "|") continue;
        if (token[0] == 'r') {
            at += parseLength(token, 1);
            continue;
        }
        size_t i = 0;
        int pc = noteClass(token[i++]);
        if (i < token.size() && token[i] == '#')
            ++pc, ++i;
        else if (i < token.size() && token[i] == 'b')
            --pc, ++i;
        if (i >= token.size() || !std::isdigit(static_cast<unsigned char>(token[i])))
            throw std::invalid_argument("missing octave in " + token);
        int octave = token[i++] - '0';
        double len = parseLength(token, i);
        // Accent the first note of each beat a little.
        int accent = (std::fmod(at, 1.0) < 0.01) ? 6 : 0;
        track.Note(at, len, 12 * (octave + 1) + pc + transpose, velocity + accent - (beatInBar++ % 2) * 2);
        at += len;
    }
    return at - start;
}

std::vector<ChordSpan> ParseChords(const std::string& text, double start) {
    std::istringstream in(text);
    std::string token;
    std::vector<ChordSpan> out;
    double at = start;
    while (in >> token) {
        if (token == "|") continue;
        size_t colon = token.find(':');
        if (colon == std::string::npos) throw std::invalid_argument("chord without length: " + token);
        std::string name = token.substr(0, colon);
        double len = std::stod(token.substr(colon + 1));
        size_t i = 0;
        int root = noteClass(name[i++]);
        if (i < name.size() && name[i] == '#')
            ++root, ++i;
        else if (i < name.size() && name[i] == 'b')
            --root, ++i;
        root = (root + 12) % 12;
        std::string q = name.substr(i);
        std::vector<int> tones;
        if (q.empty())
            tones = {0, 4, 7};
        else if (q == "m")
            tones = {0, 3, 7};
        else if (q == "7")
            tones = {0, 4, 7, 10};
        else if (q == "maj7")
            tones = {0, 4, 7, 11};
        else if (q == "m7")
            tones = {0, 3, 7, 10};
        else if (q == "sus4")
            tones = {0, 5, 7};
        else if (q == "dim")
            tones = {0, 3, 6};
        else if (q == "aug")
            tones = {0, 4, 8};
        else
            throw std::invalid_argument("unknown chord " + name);
        out.push_back({root, tones, at, len});
        at += len;
    }
    return out;
}

void AddBass(MidiSong::Track& track, const std::vector<ChordSpan>& chords, BassStyle style, int octave,
             int velocity) {
    int base = 12 * (octave + 1);
    for (size_t c = 0; c < chords.size(); ++c) {
        const ChordSpan& ch = chords[c];
        int root = base + ch.root;
        int fifth = root + 7 > base + 17 ? root - 5 : root + 7;
        switch (style) {
        case BassStyle::Held:
            track.Note(ch.start, ch.length, root, velocity);
            break;
        case BassStyle::Roots:
            for (double b = 0; b < ch.length; b += 1)
                track.Note(ch.start + b, 1, root, velocity - (int(b) % 2) * 8);
            break;
        case BassStyle::RootFifth:
            for (double b = 0; b < ch.length; b += 1)
                track.Note(ch.start + b, 1, int(b) % 2 ? fifth : root, velocity);
            break;
        case BassStyle::Eighths:
            for (double b = 0; b < ch.length; b += 0.5)
                track.Note(ch.start + b, 0.5, (int(b * 2) % 8 == 6) ? fifth : root,
                           velocity - (int(b * 2) % 2) * 12);
            break;
        case BassStyle::Waltz:
            for (double b = 0; b < ch.length; b += 3)
                track.Note(ch.start + b, 1, int(b / 3) % 2 ? fifth : root, velocity);
            break;
        case BassStyle::Walking: {
            int next = c + 1 < chords.size() ? base + chords[c + 1].root : root;
            int steps[4] = {root, root + ch.tones[1], fifth, next + (next > root ? -1 : 1)};
            for (double b = 0; b < ch.length; b += 1)
                track.Note(ch.start + b, 1, steps[int(b) % 4], velocity);
            break;
        }
        }
    }
}

void AddChords(MidiSong::Track& track, const std::vector<ChordSpan>& chords, ChordStyle style, int octave,
               int velocity, int beatsPerBar) {
    int base = 12 * (octave + 1);
    for (const ChordSpan& ch : chords) {
        std::vector<int> keys;
        for (int t : ch.tones)
            keys.push_back(base + ch.root + t);
        switch (style) {
        case ChordStyle::Pad:
            for (int k : keys)
                track.Note(ch.start, ch.length, k, velocity);
            break;
        case ChordStyle::Arpeggio: {
            std::vector<int> pattern = {keys[0], keys[1], keys[2], keys[0] + 12,
                                        keys[2], keys[1], keys[2], keys[0] + 12};
            for (double b = 0; b < ch.length; b += 0.5)
                track.Note(ch.start + b, 0.5, pattern[size_t(b * 2) % pattern.size()], velocity);
            break;
        }
        case ChordStyle::Stabs:
            for (double b = 0; b < ch.length; b += 1)
                for (int k : keys)
                    track.Note(ch.start + b + 0.5, 0.35, k, velocity);
            break;
        case ChordStyle::Waltz:
            for (double b = 0; b < ch.length; b += beatsPerBar)
                for (int beat = 1; beat < beatsPerBar; ++beat)
                    for (size_t i = 1; i < keys.size(); ++i)
                        track.Note(ch.start + b + beat, 0.8, keys[i], velocity);
            break;
        case ChordStyle::Strum:
            for (double b = 0; b < ch.length; b += 1)
                for (size_t i = 0; i < keys.size(); ++i)
                    track.Note(ch.start + b + i * 0.03, 0.9 - i * 0.03, keys[i],
                               velocity - (int(b) % 2) * 10);
            break;
        case ChordStyle::Offbeat:
            for (double b = 0; b < ch.length; b += 1)
                for (int k : keys)
                    track.Note(ch.start + b + 0.5, 0.4, k, velocity);
            break;
        }
    }
}

void AddDrums(MidiSong::Track& track, double start, double length, DrumStyle style, int beatsPerBar,
              bool fillAtEnd) {
    const int kick = 36, snare = 38, hat = 42, openHat = 46, crash = 49, tomLow = 45, tomMid = 47,
              tomHigh = 50, ride = 51, tambourine = 54, timpani = 41;
    double bars = length / beatsPerBar;
    for (int bar = 0; bar < int(bars + 0.5); ++bar) {
        double b0 = start + bar * beatsPerBar;
        bool last = fillAtEnd && bar == int(bars + 0.5) - 1;
        switch (style) {
        case DrumStyle::Rock:
            for (int beat = 0; beat < beatsPerBar; ++beat) {
                if (beat % 2 == 0)
                    track.Note(b0 + beat, 0.5, kick, 100);
                else
                    track.Note(b0 + beat, 0.5, snare, 90);
                track.Note(b0 + beat, 0.25, hat, 70);
                track.Note(b0 + beat + 0.5, 0.25, hat, 55);
            }
            break;
        case DrumStyle::Battle:
            for (int beat = 0; beat < beatsPerBar; ++beat) {
                track.Note(b0 + beat, 0.25, kick, 110);
                if (beat % 2 == 1) track.Note(b0 + beat, 0.5, snare, 100);
                if (beat == 3) track.Note(b0 + beat + 0.5, 0.25, kick, 90);
                track.Note(b0 + beat, 0.25, hat, 75);
                track.Note(b0 + beat + 0.5, 0.25, hat, 60);
            }
            if (bar % 4 == 0) track.Note(b0, 1, crash, 90);
            break;
        case DrumStyle::March:
            for (int beat = 0; beat < beatsPerBar; ++beat) {
                track.Note(b0 + beat, 0.5, beat == 0 ? timpani : snare, beat == 0 ? 100 : 70);
                track.Note(b0 + beat + 0.5, 0.25, snare, 50);
                if (beat == beatsPerBar - 1) track.Note(b0 + beat + 0.75, 0.25, snare, 55);
            }
            break;
        case DrumStyle::Shanty:
            for (int beat = 0; beat < beatsPerBar; ++beat)
                track.Note(b0 + beat, 0.4, beat % 3 == 0 ? kick : tambourine, beat % 3 == 0 ? 90 : 60);
            break;
        case DrumStyle::Waltz:
            track.Note(b0, 0.5, kick, 80);
            for (int beat = 1; beat < beatsPerBar; ++beat)
                track.Note(b0 + beat, 0.3, tambourine, 45);
            break;
        case DrumStyle::Soft:
            track.Note(b0, 0.5, kick, 70);
            for (int beat = 0; beat < beatsPerBar; ++beat)
                track.Note(b0 + beat + 0.5, 0.25, ride, 45);
            if (beatsPerBar >= 4) track.Note(b0 + 2, 0.5, 37, 50); // side stick
            break;
        case DrumStyle::Fanfare:
            track.Note(b0, 1, timpani, 100);
            track.Note(b0 + 2, 1, timpani, 85);
            if (bar == 0) track.Note(b0, 2, crash, 100);
            break;
        }
        if (last && (style == DrumStyle::Rock || style == DrumStyle::Battle)) {
            // A tom fill leads back to the start.
            int toms[4] = {tomHigh, tomHigh, tomMid, tomLow};
            for (int i = 0; i < 4; ++i)
                track.Note(b0 + beatsPerBar - 1 + i * 0.25, 0.25, toms[i], 95);
        }
        (void)openHat;
    }
}

} // namespace tarvel::rtp
