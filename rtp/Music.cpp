// The package's music: short loopable pieces in distinct moods, each ending exactly on a bar line
// after a chord that leads back to its first bar. General MIDI programs are named where used.
#include <stdexcept>

#include "Midi.h"

namespace tarvel::rtp {

namespace {

// GM programs used here.
enum Program {
    Piano = 0,
    Harpsichord = 6,
    Celesta = 8,
    MusicBox = 10,
    Vibraphone = 11,
    Accordion = 21,
    NylonGuitar = 24,
    SteelGuitar = 25,
    AcousticBass = 32,
    FingerBass = 33,
    Violin = 40,
    Cello = 42,
    Contrabass = 43,
    Pizzicato = 45,
    Harp = 46,
    Strings = 48,
    SlowStrings = 49,
    Choir = 52,
    Trumpet = 56,
    Trombone = 57,
    FrenchHorn = 60,
    Brass = 61,
    Oboe = 68,
    Clarinet = 71,
    Flute = 73,
    WarmPad = 89
};

double checkedMelody(MidiSong::Track& t, double start, const std::string& notes, int velocity,
                     double expected, int transpose = 0) {
    double len = AddMelody(t, start, notes, velocity, transpose);
    if (len != expected) throw std::logic_error("melody of " + t.name + " has the wrong length");
    return len;
}

std::vector<uint8_t> title() {
    MidiSong song("Title1", 92, 4);
    auto chords = ParseChords("C:4 G:4 Am:4 Em:4 F:4 C:4 Dm:2 G:2 C:4 "
                              "F:4 G:4 Em:4 Am:4 F:4 G:4 Am:2 F:2 G:4");
    auto& horn = song.AddTrack("Horn", 0, FrenchHorn, 110, 56);
    checkedMelody(
        horn, 0,
        "G4h C5q. D5e | D5h B4h | C5q. B4e A4q C5q | B4w | A4q. G4e F4q A4q | G4h E5h | F5q E5q D5q B4q | "
        "C5w | "
        "A4q C5q F5h | D5q. E5e D5q B4q | G4q B4q E5h | C5q. D5e E5q A4q | F5q. E5e D5q C5q | D5h G4h | "
        "C5q E5q A5q F5q | G5h. D5q",
        92, 64);
    auto& strings = song.AddTrack("Strings", 1, Strings, 88, 70, 60);
    AddChords(strings, chords, ChordStyle::Pad, 4, 60);
    auto& harp = song.AddTrack("Harp", 2, Harp, 80, 80);
    AddChords(harp, chords, ChordStyle::Arpeggio, 3, 56);
    auto& bass = song.AddTrack("Cello", 3, Cello, 96, 50);
    AddBass(bass, chords, BassStyle::Held, 2, 76);
    auto& drums = song.AddTrack("Timpani", 9, 0, 80);
    AddDrums(drums, 0, 64, DrumStyle::Fanfare, 4, false);
    song.SetLength(64);
    return song.Write();
}

std::vector<uint8_t> town() {
    MidiSong song("Town1", 108, 3);
    auto chords = ParseChords("G:3 C:3 D:3 G:3 Em:3 C:3 Am:3 D:3 G:3 C:3 G:3 Em:3 C:3 D:3 G:3 D:3");
    auto& flute = song.AddTrack("Flute", 0, Flute, 100, 60);
    checkedMelody(
        flute, 0,
        "D5h B4q | C5q E5q G5q | F#5h E5q | D5h. | B4q. C5e D5q | E5h C5q | A4q B4q C5q | D5h. | "
        "G5h D5q | E5q D5q C5q | B4h D5q | G5q F#5q E5q | E5q. D5e C5q | A4h B4e C5e | B4h A4q | A4h.",
        88, 48);
    auto& guitar = song.AddTrack("Guitar", 1, NylonGuitar, 96, 76);
    AddChords(guitar, chords, ChordStyle::Waltz, 4, 62, 3);
    auto& bass = song.AddTrack("Bass", 2, AcousticBass, 100, 64);
    AddBass(bass, chords, BassStyle::Waltz, 2, 80);
    auto& drums = song.AddTrack("Drums", 9, 0, 60);
    AddDrums(drums, 0, 48, DrumStyle::Waltz, 3, false);
    song.SetLength(48);
    return song.Write();
}

std::vector<uint8_t> field() {
    MidiSong song("Field1", 124, 4);
    auto chords = ParseChords("D:4 A:4 Bm:4 G:4 D:4 A:4 G:2 A:2 D:4 G:4 D:4 Em:4 A:4 G:4 D:4 Em:2 A:2 A:4");
    auto& lead = song.AddTrack("Trumpet", 0, Trumpet, 96, 60);
    checkedMelody(
        lead, 0,
        "F#4q. A4e D5q F#5q | E5h. C#5q | D5q. C#5e B4q F#4q | G4h. B4q | A4q. D5e F#5q A5q | "
        "G5q F#5q E5q C#5q | D5q E5q C#5q A4q | D5w | B4q. D5e G5q B5q | A5h F#5q D5q | "
        "G5q. F#5e E5q B4q | C#5h A4h | B4q D5q G5q F#5q | F#5h D5q A4q | B4q. C#5e D5q E5q | C#5h. A4q",
        90, 64);
    auto& strings = song.AddTrack("Strings", 1, SlowStrings, 84, 72, 60);
    AddChords(strings, chords, ChordStyle::Pad, 4, 58);
    auto& guitar = song.AddTrack("Guitar", 2, SteelGuitar, 84, 84);
    AddChords(guitar, chords, ChordStyle::Strum, 3, 60);
    auto& bass = song.AddTrack("Bass", 3, FingerBass, 100, 64);
    AddBass(bass, chords, BassStyle::RootFifth, 2, 86);
    auto& drums = song.AddTrack("Drums", 9, 0, 72);
    AddDrums(drums, 0, 64, DrumStyle::Rock);
    song.SetLength(64);
    return song.Write();
}

std::vector<uint8_t> dungeon() {
    MidiSong song("Dungeon1", 76, 4);
    auto chords = ParseChords("Dm:4 Dm:4 Bb:4 A:4 Dm:4 Gm:4 Eb:4 A:4 Dm:4 Dm:4 Bb:4 A:4 Dm:4 Gm:4 Eb:4 A:4");
    const std::string theme =
        "rh A4q D5q | F5h E5h | D5q. C5e Bb4h | A4w | rq D5q F5q A5q | G5h. Bb4q | Bb4q. G4e Eb5h | C#5w";
    auto& bells = song.AddTrack("Celesta", 0, Celesta, 96, 70, 80);
    checkedMelody(bells, 0, theme, 80, 32);
    auto& choir = song.AddTrack("Choir", 1, Choir, 80, 50, 80);
    checkedMelody(choir, 32, theme, 70, 32, -12);
    auto& pad = song.AddTrack("Pad", 2, WarmPad, 80, 64, 70);
    AddChords(pad, chords, ChordStyle::Pad, 3, 54);
    auto& piano = song.AddTrack("Piano", 3, Piano, 76, 60);
    AddChords(piano, chords, ChordStyle::Arpeggio, 2, 48);
    auto& bass = song.AddTrack("Contrabass", 4, Contrabass, 96, 64);
    AddBass(bass, chords, BassStyle::Held, 1, 80);
    song.SetLength(64);
    return song.Write();
}

std::vector<uint8_t> battle() {
    MidiSong song("Battle1", 156, 4);
    auto chords = ParseChords("Am:4 F:4 G:4 E:4 Am:4 F:4 G:4 E:4 Dm:4 Am:4 Dm:4 E:4 F:4 G:4 Am:2 G:2 E:4");
    auto& lead = song.AddTrack("Strings", 0, Strings, 104, 60, 30);
    checkedMelody(
        lead, 0,
        "A4e C5e E5e A5e G5e E5e C5e E5e | F5q. E5e D5q C5q | B4e D5e G5e B5e A5e G5e D5e G5e | G#5h E5h | "
        "A5q. G5e E5q C5q | F5e E5e D5e C5e D5q F5q | G5q. F5e D5q B4q | E5w | "
        "D5q. E5e F5q A5q | E5h C5h | D5e F5e A5e D6e C6q A5q | G#5h. E5q | "
        "A5q. G5e F5q C5q | D5q. E5e F5q G5q | E5q C5q D5q B4q | E5h G#4h",
        96, 64);
    auto& brass = song.AddTrack("Brass", 1, Brass, 92, 76, 30);
    AddChords(brass, chords, ChordStyle::Stabs, 4, 70);
    auto& bass = song.AddTrack("Bass", 2, FingerBass, 110, 64, 10);
    AddBass(bass, chords, BassStyle::Eighths, 2, 96);
    auto& drums = song.AddTrack("Drums", 9, 0, 92);
    AddDrums(drums, 0, 64, DrumStyle::Battle);
    song.SetLength(64);
    return song.Write();
}

std::vector<uint8_t> boss() {
    MidiSong song("Boss1", 168, 4);
    auto chords =
        ParseChords("Cm:4 Cm:4 Ab:4 Bb:4 Cm:4 Cm:4 Ab:4 G:4 Fm:4 Cm:4 Ab:4 G:4 Fm:4 Db:4 Ab:2 Bb:2 G:4");
    auto& lead = song.AddTrack("Brass", 0, Brass, 108, 56, 30);
    checkedMelody(lead, 0,
                  "C5q. C5e Eb5q G5q | F#5h G5h | Ab5q. G5e F5q Eb5q | D5h Bb4h | C5e D5e Eb5e F5e G5q C6q | "
                  "B5q. G5e Eb5q C5q | Ab4q. C5e Eb5q Ab5q | G5w | F5q. G5e Ab5q C6q | G5h Eb5h | "
                  "Ab5e G5e F5e Eb5e F5q Ab5q | G5h. B4q | C5q. Db5e F5q Ab5q | Db6h Ab5h | C6q Ab5q D6q "
                  "Bb5q | B5h G5h",
                  100, 64);
    auto& strings = song.AddTrack("Strings", 1, Strings, 90, 72, 30);
    AddChords(strings, chords, ChordStyle::Arpeggio, 4, 62);
    auto& bass = song.AddTrack("Bass", 2, FingerBass, 112, 64, 10);
    AddBass(bass, chords, BassStyle::Eighths, 2, 100);
    auto& drums = song.AddTrack("Drums", 9, 0, 96);
    AddDrums(drums, 0, 64, DrumStyle::Battle);
    song.SetLength(64);
    return song.Write();
}

std::vector<uint8_t> victory() {
    MidiSong song("Victory1", 132, 4);
    auto chords = ParseChords("C:4 C:4 F:4 G:4 C:4 F:4 Dm:2 G:2 C:4");
    auto& trumpet = song.AddTrack("Trumpet", 0, Trumpet, 110, 60);
    checkedMelody(
        trumpet, 0,
        "G4et G4et G4et C5h E5q | G5q. E5e C5q E5q | F5q. A5e F5q C5q | D5h G5h | E5q. G5e C6q G5q | "
        "A5q. G5e F5q A5q | F5q E5q D5q B4q | C5h. rq",
        100, 32);
    auto& brass = song.AddTrack("Brass", 1, Brass, 92, 72);
    AddChords(brass, chords, ChordStyle::Strum, 4, 66);
    auto& bass = song.AddTrack("Trombone", 2, Trombone, 96, 56);
    AddBass(bass, chords, BassStyle::Roots, 2, 80);
    auto& drums = song.AddTrack("Drums", 9, 0, 84);
    AddDrums(drums, 0, 32, DrumStyle::March, 4, false);
    song.SetLength(32);
    return song.Write();
}

std::vector<uint8_t> inn() {
    // A short lullaby played once while the party rests.
    MidiSong song("Inn1", 92, 3);
    auto chords = ParseChords("F:3 C:3 Bb:3 F:3 Bb:3 F:3 C:3 F:3");
    auto& box = song.AddTrack("Music Box", 0, MusicBox, 104, 64, 70);
    checkedMelody(
        box, 0,
        "A4q C5q F5q | E5h G4q | D5q F5q Bb5q | A5h. | G5q F5q D5q | C5q A4q F4q | G4q. A4e Bb4q | F4h.", 86,
        24);
    auto& harp = song.AddTrack("Harp", 1, Harp, 84, 64, 70);
    AddChords(harp, chords, ChordStyle::Waltz, 3, 52, 3);
    auto& bass = song.AddTrack("Bass", 2, Harp, 80, 64, 70);
    AddBass(bass, chords, BassStyle::Waltz, 2, 60);
    song.SetLength(24);
    return song.Write();
}

std::vector<uint8_t> gameOver() {
    MidiSong song("GameOver1", 66, 4);
    auto chords = ParseChords("Am:4 F:4 Dm:4 E:4 Am:4 Dm:4 F:2 E:2 Am:4");
    auto& piano = song.AddTrack("Piano", 0, Piano, 104, 60, 70);
    checkedMelody(
        piano, 0,
        "E5h. D5q | C5h A4h | F5q. E5e D5q C5q | B4w | C5q. B4e A4q E5q | F5h D5h | C5q D5q B4q. G#4e | A4w",
        80, 32);
    AddChords(piano, chords, ChordStyle::Arpeggio, 3, 44);
    auto& strings = song.AddTrack("Strings", 1, SlowStrings, 84, 70, 80);
    AddChords(strings, chords, ChordStyle::Pad, 4, 50);
    auto& cello = song.AddTrack("Cello", 2, Cello, 90, 56, 70);
    AddBass(cello, chords, BassStyle::Held, 2, 64);
    song.SetLength(32);
    return song.Write();
}

std::vector<uint8_t> voyage() {
    MidiSong song("Voyage1", 132, 3);
    auto chords = ParseChords("Dm:3 Dm:3 C:3 C:3 Dm:3 Dm:3 A:3 A:3 Dm:3 F:3 C:3 A:3 Dm:3 Bb:3 A:3 Dm:3");
    auto& accordion = song.AddTrack("Accordion", 0, Accordion, 100, 60);
    checkedMelody(accordion, 0,
                  "A4q D5q D5q | D5q. E5e F5q | E5q C5q C5q | C5q. D5e E5q | F5q E5q D5q | A5q. G5e F5q | "
                  "E5q C#5q A4q | A4h. | A4q D5q F5q | A5h F5q | G5q E5q C5q | C#5h A4q | D5q. E5e F5q | "
                  "G5q F5q D5q | E5q. D5e C#5q | D5h.",
                  92, 48);
    auto& chordsTrack = song.AddTrack("Guitar", 1, NylonGuitar, 88, 76);
    AddChords(chordsTrack, chords, ChordStyle::Waltz, 4, 60, 3);
    auto& bass = song.AddTrack("Bass", 2, AcousticBass, 100, 60);
    AddBass(bass, chords, BassStyle::Waltz, 2, 84);
    auto& drums = song.AddTrack("Drums", 9, 0, 66);
    AddDrums(drums, 0, 48, DrumStyle::Shanty, 3, false);
    song.SetLength(48);
    return song.Write();
}

std::vector<uint8_t> airship() {
    MidiSong song("Airship1", 112, 4);
    auto chords =
        ParseChords("Bb:4 F:4 Gm:4 Eb:4 Bb:4 Eb:4 Cm:2 F:2 Bb:4 Bb:4 F:4 Gm:4 Eb:4 Bb:4 Eb:4 Cm:2 F:2 F:4");
    const std::string theme =
        "D5h. F5q | C5h A4h | Bb4q. C5e D5q G5q | G5h Eb5h | F5q. D5e Bb4q D5q | Eb5q G5q Bb5q G5q | "
        "F5q Eb5q C5q A4q";
    auto& strings = song.AddTrack("Strings", 0, Strings, 100, 56, 60);
    checkedMelody(strings, 0, theme + " | Bb4w", 86, 32);
    auto& flute = song.AddTrack("Flute", 1, Flute, 100, 72, 60);
    checkedMelody(flute, 32, theme + " | F5w", 86, 32, 12);
    auto& harp = song.AddTrack("Harp", 2, Harp, 80, 84);
    AddChords(harp, chords, ChordStyle::Arpeggio, 3, 54);
    auto& bass = song.AddTrack("Bass", 3, FingerBass, 96, 64);
    AddBass(bass, chords, BassStyle::RootFifth, 2, 80);
    auto& drums = song.AddTrack("Drums", 9, 0, 64);
    AddDrums(drums, 0, 64, DrumStyle::Soft);
    song.SetLength(64);
    return song.Write();
}

std::vector<uint8_t> castle() {
    MidiSong song("Castle1", 112, 3);
    auto chords = ParseChords("G:3 D:3 G:3 C:3 G:3 D:3 Em:3 D:3 G:3 C:3 Am:3 D:3 G:3 C:3 D:3 G:3");
    auto& harpsichord = song.AddTrack("Harpsichord", 0, Harpsichord, 104, 60);
    checkedMelody(
        harpsichord, 0,
        "D5q G4e A4e B4e C5e | D5q G4q G4q | E5q C5e D5e E5e F#5e | G5q G4q G4q | C5q D5e C5e B4e A4e | "
        "B4q C5e B4e A4e G4e | F#4q G4e A4e B4e G4e | A4h. | B4q G4e A4e B4e G4e | C5q E5e D5e C5e B4e | "
        "A4q. B4e C5q | D5h D4q | G4q. A4e B4q | C5q E5q G5q | F#5q E5q F#5q | G5h.",
        84, 48);
    AddChords(harpsichord, chords, ChordStyle::Waltz, 3, 52, 3);
    auto& bass = song.AddTrack("Cello", 1, Cello, 90, 60);
    AddBass(bass, chords, BassStyle::Waltz, 2, 70);
    auto& strings = song.AddTrack("Strings", 2, Pizzicato, 70, 80);
    AddChords(strings, chords, ChordStyle::Pad, 4, 40);
    song.SetLength(48);
    return song.Write();
}

} // namespace

std::vector<MusicPiece> MakeMusic() {
    return {{"Title1", title()},     {"Town1", town()},       {"Field1", field()},
            {"Dungeon1", dungeon()}, {"Battle1", battle()},   {"Boss1", boss()},
            {"Victory1", victory()}, {"Inn1", inn()},         {"GameOver1", gameOver()},
            {"Voyage1", voyage()},   {"Airship1", airship()}, {"Castle1", castle()}};
}

} // namespace tarvel::rtp
