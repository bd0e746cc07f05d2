// Music is standard MIDI that loops on a bar line; sound effects are PCM WAVE files that start and
// end in silence.
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include <map>

#include "RtpCatalog.h"
#include "RtpTestSupport.h"
#include "TestEnvironment.h"

namespace tarvel::test::rtp {
namespace {

struct ParsedMidi {
    int format = -1, tracks = 0, division = 0;
    std::vector<uint32_t> trackEnds;   // tick of each track's end-of-track event
    int beatsPerBar = 4, beatUnit = 4; // from the time signature
    int notes = 0;
    std::string error;
};

uint32_t be32(const QByteArray& b, int i) {
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(b.constData() + i));
}
uint16_t be16(const QByteArray& b, int i) {
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(b.constData() + i));
}

// A strict reader of standard MIDI files: chunk structure, variable-length deltas, running status,
// meta and system-exclusive events, and note-ons matched by note-offs.
ParsedMidi parseMidi(const QByteArray& b) {
    ParsedMidi m;
    if (b.size() < 14 || b.left(4) != "MThd" || be32(b, 4) != 6) return m.error = "no MThd of 6 bytes", m;
    m.format = be16(b, 8);
    int declared = be16(b, 10);
    m.division = be16(b, 12);
    int pos = 14;
    while (pos < b.size()) {
        if (pos + 8 > b.size() || b.mid(pos, 4) != "MTrk")
            return m.error = "bad chunk at " + std::to_string(pos), m;
        int end = pos + 8 + int(be32(b, pos + 4));
        if (end > b.size()) return m.error = "track runs past the file", m;
        int i = pos + 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        bool ended = false;
        std::map<int, int> open;
        while (i < end && !ended) {
            uint32_t delta = 0;
            for (int n = 0;; ++n) {
                if (i >= end || n > 3) return m.error = "bad delta", m;
                uint8_t c = uint8_t(b[i++]);
                delta = (delta << 7) | (c & 0x7F);
                if (!(c & 0x80)) break;
            }
            tick += delta;
            uint8_t c = uint8_t(b[i]);
            if (c == 0xFF) {
                uint8_t type = uint8_t(b[i + 1]);
                i += 2;
                uint32_t len = 0;
                for (;;) {
                    uint8_t v = uint8_t(b[i++]);
                    len = (len << 7) | (v & 0x7F);
                    if (!(v & 0x80)) break;
                }
                if (type == 0x58 && len == 4)
                    m.beatsPerBar = uint8_t(b[i]), m.beatUnit = 1 << uint8_t(b[i + 1]);
                if (type == 0x2F) ended = true;
                i += int(len);
                continue;
            }
            if (c == 0xF0 || c == 0xF7) return m.error = "system exclusive not expected", m;
            if (c & 0x80) status = c, ++i;
            if (!status) return m.error = "running status without a status", m;
            int kind = status & 0xF0;
            int key = uint8_t(b[i]);
            int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            int velocity = dataBytes == 2 ? uint8_t(b[i + 1]) : 0;
            if (key > 127 || velocity > 127) return m.error = "data byte above 127", m;
            if (kind == 0x90 && velocity > 0) ++open[(status & 0x0F) * 128 + key], ++m.notes;
            if (kind == 0x80 || (kind == 0x90 && velocity == 0)) --open[(status & 0x0F) * 128 + key];
            i += dataBytes;
        }
        if (!ended) return m.error = "track without end-of-track", m;
        if (i != end) return m.error = "bytes after end-of-track", m;
        for (auto [k, n] : open)
            if (n != 0) return m.error = "note " + std::to_string(k % 128) + " left sounding", m;
        m.trackEnds.push_back(tick);
        ++m.tracks;
        pos = end;
    }
    if (m.tracks != declared) m.error = "header declares " + std::to_string(declared) + " tracks";
    return m;
}

TEST(RtpMusic, EverySystemAndMapPieceExists) {
    using namespace tarvel::rtp::catalog;
    std::vector<std::string> needed = {kFieldMusic, kTownMusic, kDungeonMusic, kCastleMusic, kBossMusic};
    for (const SystemSlot& s : SystemMusic())
        needed.push_back(s.name);
    for (const std::string& name : needed)
        EXPECT_TRUE(QFile::exists(PackageFile("Music", QString::fromStdString(name), "mid"))) << name;
}

TEST(RtpMusic, PiecesAreStandardMidiFilesThatLoopOnABarLine) {
    QStringList names = PackageNames("Music", "mid");
    EXPECT_GE(names.size(), 7);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ParsedMidi m = parseMidi(ReadFile(PackageFile("Music", name, "mid")));
        ASSERT_EQ(m.error, "");
        EXPECT_EQ(m.format, 1);
        EXPECT_GE(m.tracks, 3);
        EXPECT_GT(m.division, 0);
        EXPECT_GT(m.notes, 40);
        // Every track ends at the same tick, a whole number of bars from the start.
        uint32_t bar = uint32_t(m.division * m.beatsPerBar * 4 / m.beatUnit);
        for (uint32_t end : m.trackEnds)
            EXPECT_EQ(end, m.trackEnds[0]);
        EXPECT_EQ(m.trackEnds[0] % bar, 0u);
        EXPECT_GE(m.trackEnds[0] / bar, 8u);
    }
}

TEST(RtpMusic, TheReaderRejectsBrokenFiles) {
    QByteArray good = ReadFile(PackageFile("Music", "Inn1", "mid"));
    ASSERT_EQ(parseMidi(good).error, "");
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    QByteArray noEnd = good;
    noEnd.chop(3); // drop the last end-of-track event of the last track
    QByteArray badHeader = good;
    badHeader[0] = 'X';
    QByteArray shortTrack = good.left(30);
    for (const Case& c :
         {Case{"no end of track", noEnd}, Case{"bad header", badHeader}, Case{"cut short", shortTrack}})
        EXPECT_NE(parseMidi(c.bytes).error, "") << c.what;
}

struct ParsedWav {
    int format = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0, byteRate = 0;
    std::vector<int16_t> samples;
    std::string error;
};

ParsedWav parseWav(const QByteArray& b) {
    ParsedWav w;
    auto le32 = [&](int i) {
        return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData() + i));
    };
    auto le16 = [&](int i) {
        return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(b.constData() + i));
    };
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") return w.error = "not RIFF WAVE", w;
    if (int(le32(4)) != b.size() - 8) return w.error = "RIFF size does not match the file", w;
    int pos = 12;
    bool fmt = false;
    while (pos + 8 <= b.size()) {
        QByteArray id = b.mid(pos, 4);
        int len = int(le32(pos + 4));
        if (pos + 8 + len > b.size()) return w.error = "chunk runs past the file", w;
        if (id == "fmt ") {
            w.format = le16(pos + 8), w.channels = le16(pos + 10), w.rate = int(le32(pos + 12));
            w.byteRate = int(le32(pos + 16)), w.blockAlign = le16(pos + 20), w.bits = le16(pos + 22);
            fmt = true;
        } else if (id == "data") {
            if (!fmt) return w.error = "data before fmt", w;
            for (int i = 0; i + 1 < len; i += 2)
                w.samples.push_back(int16_t(le16(pos + 8 + i)));
        }
        pos += 8 + len + (len & 1);
    }
    if (!fmt || w.samples.empty()) w.error = "missing fmt or data";
    return w;
}

TEST(RtpSounds, EverySystemSoundAndAnimationSoundExists) {
    using namespace tarvel::rtp::catalog;
    EXPECT_EQ(SystemSounds().size(), 12u);
    for (const SystemSlot& s : SystemSounds())
        EXPECT_TRUE(QFile::exists(PackageFile("Sound", s.name, "wav"))) << s.slot;
    for (const Animation& a : Animations())
        EXPECT_TRUE(QFile::exists(PackageFile("Sound", a.sound, "wav"))) << a.name;
}

TEST(RtpSounds, EffectsAreValidPcmThatStartAndEndInSilence) {
    for (const QString& name : PackageNames("Sound", "wav")) {
        SCOPED_TRACE(name.toStdString());
        ParsedWav w = parseWav(ReadFile(PackageFile("Sound", name, "wav")));
        ASSERT_EQ(w.error, "");
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.blockAlign, w.channels * w.bits / 8);
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
        EXPECT_GE(w.rate, 11025);
        int peak = 0;
        for (int16_t s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 8000) << "too quiet to hear";
        EXPECT_LT(peak, 32767) << "clipped";
        // No click at either end.
        EXPECT_LT(std::abs(int(w.samples.front())), 2000);
        EXPECT_LT(std::abs(int(w.samples.back())), 2000);
        EXPECT_LT(w.samples.size(), size_t(w.rate * 3)) << "an effect, not a piece";
    }
}

} // namespace
} // namespace tarvel::test::rtp
