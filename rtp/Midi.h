#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::rtp {

// Builds standard MIDI files (format 1, 480 ticks per quarter note): a conductor track with tempo
// and metre, then one track per instrument.
class MidiSong {
public:
    static constexpr int kTicksPerQuarter = 480;

    MidiSong(const std::string& title, double bpm, int beatsPerBar, int beatUnit = 4);

    struct Track;
    // A new track on a channel (9 is the drum channel) with a General MIDI program (0..127),
    // volume and pan (0..127).
    Track& AddTrack(const std::string& name, int channel, int program, int volume = 100, int pan = 64,
                    int reverb = 40);

    struct Track {
        std::string name;
        int channel;
        int program;
        int volume, pan, reverb;
        struct Event {
            uint32_t tick;
            int order; // note-offs before note-ons at the same tick
            std::vector<uint8_t> bytes;
        };
        std::vector<Event> events;
        // A note from beat `start` (quarter notes from the beginning) lasting `length` beats.
        void Note(double start, double length, int key, int velocity);
    };

    // The length of the piece in quarter notes; the file ends exactly there, so it loops cleanly.
    void SetLength(double quarters) { mLength = quarters; }
    std::vector<uint8_t> Write() const;

private:
    std::string mTitle;
    double mBpm;
    int mBeatsPerBar, mBeatUnit;
    double mLength = 0;
    std::vector<Track> mTracks;
};

// Composing helpers. A melody is written as tokens: a note name with accidental and octave and a
// length ("C5q", "F#4e.", "Bb3h"; w whole, h half, q quarter, e eighth, s sixteenth, '.' dotted,
// 't' a triplet of the length) or a rest ("rq"); "|" marks bars and is ignored. Returns the
// length written in quarter notes.
double AddMelody(MidiSong::Track& track, double start, const std::string& notes, int velocity,
                 int transpose = 0);

// A chord progression: tokens "Am:4" (chord and length in quarter notes). Chords: root with
// accidental, then "", "m", "7", "maj7", "m7", "sus4", "dim" or "aug".
struct ChordSpan {
    int root;               // 0..11 (C = 0)
    std::vector<int> tones; // semitones above the root
    double start, length;
};
std::vector<ChordSpan> ParseChords(const std::string& text, double start = 0);

enum class BassStyle { Held, Roots, RootFifth, Eighths, Waltz, Walking };
enum class ChordStyle { Pad, Arpeggio, Stabs, Waltz, Strum, Offbeat };
enum class DrumStyle { Rock, Battle, March, Shanty, Waltz, Soft, Fanfare };

void AddBass(MidiSong::Track& track, const std::vector<ChordSpan>& chords, BassStyle style, int octave,
             int velocity);
void AddChords(MidiSong::Track& track, const std::vector<ChordSpan>& chords, ChordStyle style, int octave,
               int velocity, int beatsPerBar = 4);
void AddDrums(MidiSong::Track& track, double start, double length, DrumStyle style, int beatsPerBar = 4,
              bool fillAtEnd = true);

// The package's pieces: name and file bytes.
struct MusicPiece {
    std::string name;
    std::vector<uint8_t> bytes;
};
std::vector<MusicPiece> MakeMusic();

} // namespace tarvel::rtp
