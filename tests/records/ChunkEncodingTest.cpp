#include <gtest/gtest.h>
#include <map>

#include "SampleRecords.h"
#include "records/CatalogBase.h"
#include "records/ClipboardPort.h"
#include "records/QelAssert.h"

using namespace tarvel;
using tarvel::test::SampleRecord;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes varint(uint32_t value, bool withLength = false) {
    TMemoryStream s;
    WriteVarInt(s, value, withLength);
    return s.Bytes();
}

Bytes save(const TCatalogBaseItem& record) {
    return record.SaveToBytes();
}

// The bytes of a SampleRecord: its always-written fields at their reset values, with some fields
// replaced or added. Each entry is a field ID and its length and payload bytes.
Bytes recordBytes(std::map<int, Bytes> fields = {}) {
    std::map<int, Bytes> all = {
        {4, {0x00}}, {5, {0x04, 0, 0, 0, 0}}, {6, {0x00}}, {7, {0x01, 0x00}}, {9, {0x01, 0x00}},
    };
    for (auto& [id, bytes] : fields)
        all[id] = bytes;
    Bytes out;
    for (auto& [id, bytes] : all) {
        out.push_back(static_cast<uint8_t>(id));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(0x00);
    return out;
}

} // namespace

TEST(VarInt, WorkedValues) {
    struct Case {
        int64_t value;
        Bytes bytes;
    } cases[] = {
        {0, {0x00}},
        {127, {0x7F}},
        {128, {0x81, 0x00}},
        {300, {0x82, 0x2C}},
        {5000, {0xA7, 0x08}},
        {16383, {0xFF, 0x7F}},
        {16384, {0x81, 0x80, 0x00}},
        {2097151, {0xFF, 0xFF, 0x7F}},
        {2097152, {0x81, 0x80, 0x80, 0x00}},
        {268435455, {0xFF, 0xFF, 0xFF, 0x7F}},
        {268435456, {0x81, 0x80, 0x80, 0x80, 0x00}},
        {-1, {0x8F, 0xFF, 0xFF, 0xFF, 0x7F}},
        {-2, {0x8F, 0xFF, 0xFF, 0xFF, 0x7E}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        uint32_t value = static_cast<uint32_t>(c.value);
        EXPECT_EQ(varint(value), c.bytes);
        EXPECT_EQ(VarIntSize(value), static_cast<int>(c.bytes.size()));
        TMemoryStream in(c.bytes);
        EXPECT_EQ(ReadVarInt(in), value);
        EXPECT_EQ(in.Position(), static_cast<int64_t>(c.bytes.size()));
    }
}

TEST(VarInt, CountedFormAndLongRuns) {
    EXPECT_EQ(varint(300, true), (Bytes{0x02, 0x82, 0x2C}));
    EXPECT_EQ(varint(0, true), (Bytes{0x01, 0x00}));
    EXPECT_EQ(varint(static_cast<uint32_t>(-1), true), (Bytes{0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));

    // The reader sets no byte limit: a longer run keeps only the low 32 bits.
    TMemoryStream longRun(Bytes{0xFF, 0x81, 0x80, 0x80, 0x80, 0x05});
    EXPECT_EQ(ReadVarInt(longRun), (1u << 28) + 5u);

    TMemoryStream unfinished(Bytes{0x81, 0x80});
    EXPECT_THROW(ReadVarInt(unfinished), EReadError);
}

TEST(CountedString, WritesLengthThenBytesAndRefusesLengthsBeyondTheStream) {
    TMemoryStream s;
    WriteVarString(s, "Hero");
    WriteVarString(s, "");
    EXPECT_EQ(s.Bytes(), (Bytes{0x04, 'H', 'e', 'r', 'o', 0x00}));
    s.SetPosition(0);
    EXPECT_EQ(ReadVarString(s), "Hero");
    EXPECT_EQ(ReadVarString(s), "");

    // A length of 2^28 in a six-byte stream is a read error, not a huge allocation.
    TMemoryStream huge(Bytes{0x81, 0x80, 0x80, 0x80, 0x00, 'x'});
    EXPECT_THROW(ReadVarString(huge), EReadError);
}

TEST(ChunkRecord, FieldsAtTheirDefaultsWriteNothing) {
    tarvel::test::SampleNested nested;
    EXPECT_EQ(save(nested), (Bytes{0x00}));
    SampleRecord record;
    EXPECT_EQ(save(record), recordBytes());
}

TEST(ChunkRecord, EachFieldKindSavesAsSpecified) {
    struct Case {
        const char* name;
        void (*edit)(SampleRecord&);
        Bytes expected;
    } cases[] = {
        {"string skipped when empty, written when not", [](SampleRecord& r) { r.Name = "Hero"; },
         recordBytes({{1, {0x04, 'H', 'e', 'r', 'o'}}})},
        {"integer 300", [](SampleRecord& r) { r.Number = 300; }, recordBytes({{2, {0x02, 0x82, 0x2C}}})},
        {"integer -1", [](SampleRecord& r) { r.Number = -1; },
         recordBytes({{2, {0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}}})},
        {"boolean true, default false", [](SampleRecord& r) { r.Flag = true; },
         recordBytes({{3, {0x01, 0x01}}})},
        {"boolean false, default true", [](SampleRecord& r) { r.OnByDefault = false; },
         recordBytes({{10, {0x01, 0x00}}})},
        {"block of four bytes",
         [](SampleRecord& r) {
             r.Block[0] = 1;
             r.Block[3] = 0xFE;
         },
         recordBytes({{5, {0x04, 0x01, 0x00, 0x00, 0xFE}}})},
        {"integer without a default written even at the largest value",
         [](SampleRecord& r) { r.Counter = 2147483647; },
         recordBytes({{9, {0x05, 0x87, 0xFF, 0xFF, 0xFF, 0x7F}}})},
        {"nested record", [](SampleRecord& r) { r.Nested.Value = 5; },
         recordBytes({{7, {0x04, 0x01, 0x01, 0x05, 0x00}}})},
        {"field declined on save while it holds its reset value, written once it does not",
         [](SampleRecord& r) { r.Table[1] = 9; }, recordBytes({{20, {0x03, 0x00, 0x09, 0x00}}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SampleRecord record;
        c.edit(record);
        Bytes bytes = save(record);
        EXPECT_EQ(bytes, c.expected);
        SampleRecord loaded;
        loaded.LoadFromBytes(bytes);
        EXPECT_EQ(save(loaded), bytes);
    }
}

TEST(ChunkRecord, BufferWritesItsDeclaredSizeWithoutReadingPastTheBuffer) {
    class ShortBuffer : public TCatalogBaseItem {
    public:
        std::vector<uint8_t> Buffer{7, 8};
        void DescribeField(int id, TCatalogVarData& v, bool) override {
            if (id == 1) v.Buffer(&Buffer, 4, "Buffer");
        }
    } record;
    EXPECT_EQ(save(record), (Bytes{0x01, 0x04, 7, 8, 0, 0, 0x00}));
}

TEST(ChunkRecord, ReaderAbsorbsWhatItDoesNotUnderstand) {
    struct Case {
        const char* name;
        Bytes input;
        void (*check)(const SampleRecord&);
    } cases[] = {
        {"unknown ID 77 between known chunks is skipped",
         {0x02, 0x01, 0x05, 0x4D, 0x03, 0xAA, 0xBB, 0xCC, 0x03, 0x01, 0x01, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Number, 5);
             EXPECT_TRUE(r.Flag);
         }},
        {"block of the wrong length keeps its reset contents",
         {0x05, 0x03, 0x01, 0x02, 0x03, 0x02, 0x01, 0x09, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Block[0], 0);
             EXPECT_EQ(r.Number, 9);
         }},
        {"integer chunk longer than its varint resumes after the chunk",
         {0x02, 0x03, 0x82, 0x2C, 0xEE, 0x03, 0x01, 0x01, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Number, 300);
             EXPECT_TRUE(r.Flag);
         }},
        {"integer chunk of length 0 keeps its reset value instead of reading the next chunk",
         {0x02, 0x00, 0x03, 0x01, 0x01, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Number, 0);
             EXPECT_TRUE(r.Flag);
         }},
        {"integer varint running past its chunk keeps the reset value",
         {0x02, 0x01, 0x82, 0x03, 0x01, 0x01, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Number, 0);
             EXPECT_TRUE(r.Flag);
         }},
        {"nested record ending before its chunk does not disturb the outer record",
         {0x07, 0x06, 0x01, 0x01, 0x04, 0x00, 0x99, 0x99, 0x02, 0x01, 0x07, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Nested.Value, 4);
             EXPECT_EQ(r.Number, 7);
         }},
        {"later duplicate overwrites the earlier one; order does not matter",
         {0x03, 0x01, 0x01, 0x02, 0x01, 0x01, 0x02, 0x01, 0x02, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Number, 2);
             EXPECT_TRUE(r.Flag);
         }},
        {"absent fields take their defaults",
         {0x00},
         [](const SampleRecord& r) {
             EXPECT_TRUE(r.OnByDefault);
             EXPECT_EQ(r.Name, "");
         }},
        {"boolean chunk of the wrong length is skipped",
         {0x0A, 0x02, 0x00, 0x00, 0x00},
         [](const SampleRecord& r) { EXPECT_TRUE(r.OnByDefault); }},
        {"buffer takes the chunk's length",
         {0x06, 0x03, 0x01, 0x02, 0x03, 0x00},
         [](const SampleRecord& r) {
             EXPECT_EQ(r.Buffer, (Bytes{1, 2, 3}));
         }},
        {"real of eight bytes",
         {0x08, 0x08, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x00},
         [](const SampleRecord& r) { EXPECT_EQ(r.Real, 1.5); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SampleRecord record;
        record.Number = 1234; // loading starts from Reset
        record.LoadFromBytes(c.input);
        c.check(record);
    }
}

TEST(ChunkRecord, ReadingPastTheEndRaisesAndKeepsWhatWasRead) {
    struct Case {
        const char* name;
        Bytes input;
    } cases[] = {
        {"no terminator", {0x02, 0x01, 0x05}},
        {"chunk length beyond the stream", {0x02, 0x01, 0x05, 0x04, 0x7F, 'a'}},
        {"huge buffer length in a short file", {0x02, 0x01, 0x05, 0x06, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}},
        {"cut inside a varint", {0x02, 0x01, 0x05, 0x02, 0x82}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SampleRecord record;
        EXPECT_THROW(record.LoadFromBytes(c.input), EReadError);
        EXPECT_EQ(record.Number, 5);
    }
}

TEST(ChunkRecord, AssignCopiesDescribedFieldsThroughTheEncoding) {
    SampleRecord source;
    source.Name = "Slime";
    source.Number = -7;
    source.Buffer = {1, 2};
    source.Nested.Text = "inner";
    SampleRecord target;
    target.Flag = true;
    target.Assign(source);
    EXPECT_EQ(target.Name, "Slime");
    EXPECT_EQ(target.Number, -7);
    EXPECT_FALSE(target.Flag);
    EXPECT_EQ(target.Buffer, (Bytes{1, 2}));
    EXPECT_EQ(target.Nested.Text, "inner");
}

TEST(ChunkClipboard, CopyPutsOneRecordBehindAnEightByteHeader) {
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    SampleRecord record;
    record.Number = 300;
    record.CopyToClipboard(ClipboardFormat::Heroes);
    Bytes recordBytes = save(record);
    Bytes expected = {static_cast<uint8_t>(recordBytes.size()), 0, 0, 0, 1, 0, 0, 0};
    expected.insert(expected.end(), recordBytes.begin(), recordBytes.end());
    EXPECT_EQ(*clipboard.get(ClipboardFormat::Heroes), expected);

    SampleRecord pasted;
    EXPECT_TRUE(pasted.PasteFromClipboard(ClipboardFormat::Heroes));
    EXPECT_EQ(pasted.Number, 300);
    SetClipboardPort(nullptr);
}

TEST(ChunkClipboard, PasteLeavesTheRecordAloneWithoutAUsableBlock) {
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    struct Case {
        const char* name;
        int format;
        Bytes block;
    } cases[] = {
        {"another format", ClipboardFormat::Skills, {2, 0, 0, 0, 1, 0, 0, 0, 0x00, 0x00}},
        {"block shorter than its header", ClipboardFormat::Heroes, {2, 0, 0}},
        {"size beyond the block", ClipboardFormat::Heroes, {0x40, 0, 0, 0, 1, 0, 0, 0, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clipboard.set(c.format, c.block);
        SampleRecord record;
        record.Number = 42;
        EXPECT_FALSE(record.PasteFromClipboard(ClipboardFormat::Heroes));
        EXPECT_EQ(record.Number, 42);
    }
    SetClipboardPort(nullptr);
}

TEST(QelAssert, NamesUnitAndLine) {
    try {
        QelAssert(false, "GR_ChipSet", 488);
        FAIL() << "no exception";
    } catch (const EQelInternalError& e) {
        EXPECT_EQ(e.unit(), "GR_ChipSet");
        EXPECT_EQ(e.line(), 488);
        EXPECT_NE(std::string(e.what()).find("GR_ChipSet"), std::string::npos);
    }
    EXPECT_NO_THROW(QelAssert(true, "MapEditUtils", 228));
}

TEST(MemoryStream, SaveToFileReplacesTheTargetWhole) {
    std::string path = std::string(std::getenv("TMPDIR")) + "/stream-test.bin";
    TMemoryStream first(Bytes{1, 2, 3, 4});
    first.SaveToFile(path);
    TMemoryStream second(Bytes{9});
    second.SaveToFile(path);
    TMemoryStream read;
    read.LoadFromFile(path);
    EXPECT_EQ(read.Bytes(), (Bytes{9}));
    EXPECT_THROW(read.LoadFromFile(path + ".missing"), EFileError);
    EXPECT_THROW(first.SaveToFile("/nonexistent-folder/x.bin"), EFileError);
}
