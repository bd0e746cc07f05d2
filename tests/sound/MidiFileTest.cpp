#include <gtest/gtest.h>

#include "MidiFile.h"
#include "SoundMaterial.h"

using namespace tarvel::consort;

namespace {

using Bytes = std::vector<uint8_t>;

// A file of format 1 and division 96 around the given track bodies.
Bytes midiWith(std::initializer_list<Bytes> tracks, int division = 96) {
    Bytes file{'M',
               'T',
               'h',
               'd',
               0,
               0,
               0,
               6,
               0,
               1,
               0,
               uint8_t(tracks.size()),
               uint8_t(division >> 8),
               uint8_t(division)};
    for (const Bytes& t : tracks) {
        file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, uint8_t(t.size() >> 8), uint8_t(t.size())});
        file.insert(file.end(), t.begin(), t.end());
    }
    return file;
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kEnd{0x00, 0xFF, 0x2F, 0x00};

} // namespace

TEST(MidiFile, AcceptsWellFormedFilesAndFindsTheirLength) {
    struct Case {
        const char* what;
        Bytes file;
        int64_t lastTick;
        bool hasNotes;
    } cases[] = {
        {"a note", midiWith({{0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}}), 96, true},
        {"running status, also across a meta event",
         midiWith({{0x00, 0x90, 60, 100, 0x10, 62, 100, 0x00, 0xFF, 0x01, 0x01,
                    'x',  0x10, 60, 0,   0x10, 62, 0,   0x00, 0xFF, 0x2F, 0x00}}),
         48, true},
        {"the longest of several tracks",
         midiWith({concat({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}, kEnd),
                   {0x81, 0x00, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00}}),
         128, false},
        {"a system exclusive message and a four-byte time",
         midiWith({{0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x81, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0x00}}), 0x200000,
         false},
        {"no end of track", midiWith({{0x00, 0xC0, 5, 0x20, 0xB0, 7, 100}}), 32, false},
        {"a zero velocity note-on only", midiWith({{0x00, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00}}), 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MidiFileInfo info;
        std::string error;
        Bytes clean;
        ASSERT_TRUE(InspectMidiFile(c.file.data(), c.file.size(), &info, &error, &clean)) << error;
        EXPECT_EQ(info.lastTick, c.lastTick);
        EXPECT_EQ(info.hasNotes, c.hasNotes);
        EXPECT_EQ(info.ticksPerQuarter, 96);
        // The clean copy reads the same and is its own clean copy.
        MidiFileInfo again;
        Bytes cleanAgain;
        ASSERT_TRUE(InspectMidiFile(clean.data(), clean.size(), &again, &error, &cleanAgain)) << error;
        EXPECT_EQ(again.lastTick, info.lastTick);
        EXPECT_EQ(cleanAgain, clean);
    }
}

TEST(MidiFile, CleanCopySpellsOutEveryEventAndEndsEveryTrack) {
    Bytes file{'M', 'T',  'h',  'd', 0,   0,   0,   8, 0, 0, 0, 1, 0,
               96,  0xAA, 0xBB, 'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2};
    Bytes track{0x00, 0x90, 60, 100, 0x10, 60, 0, 0x00, 0xFF, 0x2F, 0x00, 0x55, 0x66};
    file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(track.size())});
    file.insert(file.end(), track.begin(), track.end());
    Bytes clean;
    ASSERT_TRUE(InspectMidiFile(file.data(), file.size(), nullptr, nullptr, &clean));
    Bytes expected = {'M', 'T', 'h', 'd', 0,  0,    0,    6,  0,   0,    0,    1,  0, 96,   'M',  'T',  'r',
                      'k', 0,   0,   0,   12, 0x00, 0x90, 60, 100, 0x10, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(clean, expected);

    Bytes open = midiWith({{0x00, 0x90, 60, 100}});
    ASSERT_TRUE(InspectMidiFile(open.data(), open.size(), nullptr, nullptr, &clean));
    EXPECT_EQ(Bytes(clean.end() - 8, clean.end()), (Bytes{0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00}));
}

TEST(MidiFile, RefusesWhatTheSynthesiserWouldChokeOn) {
    Bytes good = midiWith({{0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}});
    Bytes header(good.begin(), good.begin() + 14);
    auto withHeader = [&](size_t at, uint8_t value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"nothing", {}},
        {"not MIDI", {'R', 'I', 'F', 'F', 0, 0, 0, 0}},
        {"a bare mark", {'M', 'T', 'h', 'd'}},
        {"a header alone", header},
        {"a short header length", withHeader(7, 5)},
        {"a header length past the end", withHeader(6, 0x10)},
        {"format 3", withHeader(9, 3)},
        {"no tracks", withHeader(11, 0)},
        {"more tracks than the file holds", withHeader(11, 2)},
        {"zero ticks per quarter", withHeader(13, 0)},
        {"SMPTE timing", withHeader(12, 0xE7)},
        {"a track length past the end", withHeader(21, 0x40)},
        {"garbage between tracks", withHeader(14, 0x01)},
        {"running status with nothing to repeat", midiWith({{0x00, 60, 100}})},
        {"an event cut by the track's end", midiWith({{0x00, 0x90, 60}})},
        {"a data byte with its top bit", midiWith({{0x00, 0x90, 0xBC, 100}})},
        {"a five-byte time", midiWith({{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}})},
        {"a time cut by the track's end", midiWith({{0x81}})},
        {"a real-time message", midiWith({{0x00, 0xF8}})},
        {"a meta event past its track", midiWith({{0x00, 0xFF, 0x01, 0x05, 'a'}})},
        {"a system exclusive message past its track", midiWith({{0x00, 0xF0, 0x7F, 0x01}})},
        {"a zero tempo", midiWith({{0x00, 0xFF, 0x51, 0x03, 0, 0, 0}})},
        {"a tempo of two bytes", midiWith({{0x00, 0xFF, 0x51, 0x02, 1, 0}})},
        {"a time signature of three bytes", midiWith({{0x00, 0xFF, 0x58, 0x03, 4, 2, 24}})},
        {"a key signature of one byte", midiWith({{0x00, 0xFF, 0x59, 0x01, 0}})},
        {"an SMPTE offset of four bytes", midiWith({{0x00, 0xFF, 0x54, 0x04, 0, 0, 0, 0}})},
        {"an impossibly long piece", midiWith({{0xFF, 0xFF, 0xFF, 0x7F, 0xC0, 0x05, 0xFF, 0xFF, 0xFF, 0x7F,
                                                0xC0, 0x05, 0x00, 0xFF, 0x2F, 0x00}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        Bytes clean{1, 2, 3};
        EXPECT_FALSE(InspectMidiFile(c.file.data(), c.file.size(), nullptr, &error, &clean));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(clean, (Bytes{1, 2, 3})) << "a refused file leaves no copy";
    }
}

TEST(MidiFile, TheTestMaterialIsWellFormed) {
    using namespace tarvel::test::sound;
    Bytes file = MidiFile(BusyPiece(8.0));
    MidiFileInfo info;
    std::string error;
    ASSERT_TRUE(InspectMidiFile(file.data(), file.size(), &info, &error)) << error;
    EXPECT_EQ(info.trackCount, 5);
    EXPECT_EQ(info.lastTick, 8 * 960);
    EXPECT_TRUE(info.hasNotes);
}
