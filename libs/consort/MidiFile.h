#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::consort {

// What a look through a Standard MIDI File found.
struct MidiFileInfo {
    int format = 0;
    int trackCount = 0;
    int ticksPerQuarter = 0;
    // The tick of the last event of the longest track: where the music loops.
    int64_t lastTick = 0;
    // Whether any note sounds at all.
    bool hasNotes = false;
};

// Walks every event of every track of a Standard MIDI File and accepts it only when it is well
// formed to its last byte. The synthesiser's own reader runs in the audio thread and takes a
// broken file badly (a zero tempo or a zero tick division stalls it), so it only ever reads the
// clean copy made here: a six-byte header, the tracks alone, every event with its status byte
// written out (no running status), every track closed by an end-of-track event, nothing after it.
// False with a reason in error when the file is refused.
bool InspectMidiFile(const uint8_t* data, size_t size, MidiFileInfo* info, std::string* error,
                     std::vector<uint8_t>* cleanCopy = nullptr);

// True when the bytes begin like a Standard MIDI File ("MThd").
bool LooksLikeMidi(const uint8_t* data, size_t size);

} // namespace tarvel::consort
