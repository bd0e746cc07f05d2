#include "MidiFile.h"

#include <cstring>

namespace tarvel::consort {

namespace {

// The synthesiser's player keeps at most this many tracks and counts ticks in an int.
constexpr int kMaxTracks = 128;
constexpr int64_t kMaxTicks = int64_t(1) << 28;

uint32_t bigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
int bigEndian16(const uint8_t* p) {
    return p[0] << 8 | p[1];
}

void putBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

void putVarLength(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7F;
    while (v >>= 7)
        bytes[n++] = 0x80 | (v & 0x7F);
    while (n)
        out.push_back(bytes[--n]);
}

bool fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

// Reads the events of one track chunk and writes them out again in the clean form; false with a
// reason when an event runs past the chunk or is not allowed in a file.
class TrackReader {
public:
    TrackReader(const uint8_t* data, size_t size, std::vector<uint8_t>& out)
        : mData(data), mSize(size), mOut(out) {}

    bool read(int64_t* lastTick, bool* hasNotes, std::string* error) {
        int64_t tick = 0;
        int runningStatus = 0;
        bool ended = false;
        while (mPos < mSize && !ended) {
            uint32_t delta = 0;
            if (!varLength(&delta)) return fail(error, "an event time runs past its track");
            tick += delta;
            if (tick > kMaxTicks) return fail(error, "the music is impossibly long");
            if (mPos >= mSize) return fail(error, "a track ends inside an event");
            int status = mData[mPos];
            if (status & 0x80) {
                ++mPos;
            } else {
                // A data byte first: the channel status of an earlier event repeats. Files rely on
                // it surviving meta events, so only a system exclusive message clears it.
                if (!runningStatus) return fail(error, "an event has no status");
                status = runningStatus;
            }
            putVarLength(mOut, delta);
            mOut.push_back(uint8_t(status));
            if (status < 0xF0) {
                runningStatus = status;
                int length = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
                if (mSize - mPos < size_t(length)) return fail(error, "a track ends inside an event");
                for (int i = 0; i < length; ++i)
                    if (mData[mPos + i] & 0x80) return fail(error, "a channel event has a bad data byte");
                if ((status & 0xF0) == 0x90 && mData[mPos + 1] > 0) *hasNotes = true;
                copy(length);
            } else if (status == 0xF0 || status == 0xF7) {
                runningStatus = 0;
                uint32_t length = 0;
                if (!varLength(&length) || mSize - mPos < length)
                    return fail(error, "a system exclusive message runs past its track");
                putVarLength(mOut, length);
                copy(length);
            } else if (status == 0xFF) {
                if (mPos >= mSize) return fail(error, "a track ends inside an event");
                int type = mData[mPos++];
                uint32_t length = 0;
                if (!varLength(&length) || mSize - mPos < length)
                    return fail(error, "a meta event runs past its track");
                if (!checkMeta(type, mData + mPos, length, error)) return false;
                mOut.push_back(uint8_t(type));
                putVarLength(mOut, length);
                copy(length);
                ended = type == 0x2F; // whatever follows the end of a track is not played
            } else {
                return fail(error, "a track holds a real-time message");
            }
        }
        if (!ended) mOut.insert(mOut.end(), {0x00, 0xFF, 0x2F, 0x00});
        if (tick > *lastTick) *lastTick = tick;
        return true;
    }

private:
    // The synthesiser refuses these meta events at any other length, and a zero tempo stops
    // its clock.
    static bool checkMeta(int type, const uint8_t* data, uint32_t length, std::string* error) {
        switch (type) {
        case 0x51:
            if (length != 3) return fail(error, "a tempo change has the wrong length");
            if (!data[0] && !data[1] && !data[2]) return fail(error, "a tempo change sets a zero tempo");
            return true;
        case 0x54:
            return length == 5 || fail(error, "an SMPTE offset has the wrong length");
        case 0x58:
            return length == 4 || fail(error, "a time signature has the wrong length");
        case 0x59:
            return length == 2 || fail(error, "a key signature has the wrong length");
        default:
            return true;
        }
    }

    bool varLength(uint32_t* value) {
        *value = 0;
        for (int i = 0; i < 4; ++i) {
            if (mPos >= mSize) return false;
            uint8_t byte = mData[mPos++];
            *value = (*value << 7) | (byte & 0x7F);
            if (!(byte & 0x80)) return true;
        }
        return false; // longer than four bytes
    }

    void copy(size_t length) {
        mOut.insert(mOut.end(), mData + mPos, mData + mPos + length);
        mPos += length;
    }

    const uint8_t* mData;
    size_t mSize;
    std::vector<uint8_t>& mOut;
    size_t mPos = 0;
};

} // namespace

bool LooksLikeMidi(const uint8_t* data, size_t size) {
    return size >= 4 && std::memcmp(data, "MThd", 4) == 0;
}

bool InspectMidiFile(const uint8_t* data, size_t size, MidiFileInfo* info, std::string* error,
                     std::vector<uint8_t>* cleanCopy) {
    MidiFileInfo found;
    if (!LooksLikeMidi(data, size)) return fail(error, "not a MIDI file");
    if (size < 14) return fail(error, "the MIDI header is cut short");
    uint32_t headerLength = bigEndian32(data + 4);
    if (headerLength < 6 || headerLength > size - 8) return fail(error, "the MIDI header has a bad length");
    found.format = bigEndian16(data + 8);
    found.trackCount = bigEndian16(data + 10);
    int division = bigEndian16(data + 12);
    if (found.format > 2) return fail(error, "unknown MIDI file format " + std::to_string(found.format));
    if (found.trackCount < 1 || found.trackCount > kMaxTracks)
        return fail(error, "a MIDI file with " + std::to_string(found.trackCount) + " tracks");
    if (division & 0x8000) return fail(error, "SMPTE timing is not supported");
    if (division == 0) return fail(error, "the MIDI header sets zero ticks per quarter note");
    found.ticksPerQuarter = division;

    std::vector<uint8_t> out(data, data + 14);
    out[7] = 6; // the header is cut to its six known bytes
    out[4] = out[5] = out[6] = 0;
    size_t pos = 8 + size_t(headerLength);
    int tracks = 0;
    while (tracks < found.trackCount) {
        if (size - pos < 8) return fail(error, "the MIDI file ends before its last track");
        uint32_t length = bigEndian32(data + pos + 4);
        if (length > size - pos - 8) return fail(error, "a MIDI track runs past the end of the file");
        if (std::memcmp(data + pos, "MTrk", 4) == 0) {
            size_t header = out.size();
            out.insert(out.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
            TrackReader reader(data + pos + 8, length, out);
            if (!reader.read(&found.lastTick, &found.hasNotes, error)) return false;
            std::vector<uint8_t> lengthBytes;
            putBigEndian32(lengthBytes, uint32_t(out.size() - header - 8));
            std::memcpy(out.data() + header + 4, lengthBytes.data(), 4);
            ++tracks;
        } else {
            // Chunks of other kinds are skipped, as long as they are named in plain letters.
            for (int i = 0; i < 4; ++i)
                if (data[pos + i] < 0x20 || data[pos + i] > 0x7E)
                    return fail(error, "a MIDI file holds garbage between its tracks");
        }
        pos += 8 + size_t(length);
    }
    if (info) *info = found;
    if (cleanCopy) *cleanCopy = std::move(out);
    return true;
}

} // namespace tarvel::consort
