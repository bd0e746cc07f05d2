#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

#include "BytesHelper.h"
#include "SampleDataBase.h"
#include "data/LD_DataBase.h"

using namespace tarvel;
using namespace tarvel::test;
namespace fs = std::filesystem;

namespace {

fs::path newFolder() {
    static int count = 0;
    fs::path folder = fs::temp_directory_path() / ("db" + std::to_string(++count));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

Bytes readFile(const fs::path& path) {
    return ReadWholeFile(path.string());
}

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes header() {
    Bytes out = {0x0B};
    for (char c : std::string("QelDataBase"))
        out.push_back(static_cast<uint8_t>(c));
    return out;
}

// Appends a section chunk (ID, length, payload).
void section(Bytes& file, int id, const Bytes& payload) {
    TMemoryStream stream;
    WriteVarInt(stream, static_cast<uint32_t>(id));
    WriteVarInt(stream, static_cast<uint32_t>(payload.size()));
    stream.Write(payload.data(), payload.size());
    file.insert(file.end(), stream.Bytes().begin(), stream.Bytes().end());
}

// The sections of a database file as (ID, payload start, payload length).
struct SectionSpan {
    int id;
    size_t start;
    size_t length;
};
std::vector<SectionSpan> sections(const Bytes& file) {
    std::vector<SectionSpan> out;
    TMemoryStream stream(file);
    ReadVarString(stream);
    while (stream.Position() < stream.Size()) {
        int id = static_cast<int>(ReadVarInt(stream));
        size_t length = ReadVarInt(stream);
        out.push_back({id, static_cast<size_t>(stream.Position()), length});
        stream.SetPosition(stream.Position() + static_cast<int64_t>(length));
    }
    return out;
}

Bytes fileOf(TQelDataBase& db) {
    TMemoryStream stream;
    db.WriteToStream(stream);
    return stream.Bytes();
}

// A database with named heroes, skills, items and switches, to see which sections a load kept.
void nameRecords(TQelDataBase& db, const std::string& tag) {
    TQelDataBase::ResetList(db.Heroes(), 2);
    db.Heroes().Find(2)->Name = "Hero " + tag;
    db.Skills().Find(1)->Name = "Skill " + tag;
    db.Items().Find(1)->Name = "Item " + tag;
    db.Switches().Find(1)->Name = "Switch " + tag;
    db.CommonEvents().Find(1)->Name = "Common " + tag;
}

} // namespace

TEST(DataBaseFile, FreshDatabaseLayout) {
    TQelDataBase db;
    Bytes file = fileOf(db);
    ASSERT_GE(file.size(), 12u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 12), header());
    EXPECT_EQ(file[12], 0x0B);
    std::vector<int> ids;
    for (const auto& s : sections(file))
        ids.push_back(s.id);
    EXPECT_EQ(ids, (std::vector<int>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
    // Each list section holds one default record: count 1, ID 1, the record.
    auto spans = sections(file);
    EXPECT_EQ(ToHex(Bytes(file.begin() + spans[9].start, file.begin() + spans[9].start + spans[9].length)),
              "01 01 00"); // chipsets
    EXPECT_EQ(ToHex(Bytes(file.begin() + spans[12].start, file.begin() + spans[12].start + spans[12].length)),
              "01 01 00"); // switches
}

TEST(DataBaseFile, EveryFieldRoundTrips) {
    TQelDataBase db;
    FillSampleDataBase(db, 3);
    Bytes first = fileOf(db);

    TQelDataBase loaded;
    TMemoryStream stream(first);
    loaded.ReadFromStream(stream);
    // The save that writes the copy counts once more; with that undone the bytes are the same.
    loaded.System().SaveCount -= 1;
    Bytes second = fileOf(loaded);
    size_t at = std::mismatch(first.begin(), first.end(), second.begin(), second.end()).first - first.begin();
    EXPECT_EQ(at, first.size()) << "first difference at byte " << at << " of " << first.size() << ": "
                                << ToHex(Bytes(first.begin() + static_cast<long>(std::min(at, first.size())),
                                               first.begin() +
                                                   static_cast<long>(std::min(at + 16, first.size()))));
    EXPECT_EQ(second.size(), first.size());
    auto a = sections(first), b = sections(second);
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        EXPECT_EQ(a[i].length, b[i].length) << "section " << a[i].id;
    EXPECT_EQ(loaded.CommonEvents().Find(3)->Script.Count(), 6);
}

TEST(DataBaseFile, ReadingSections) {
    TQelDataBase source;
    nameRecords(source, "S");
    Bytes full = fileOf(source);
    auto spans = sections(full);

    // An unknown section 30 between sections 12 and 13 is skipped.
    Bytes withUnknown(full.begin(), full.begin() + static_cast<long>(spans[2].start) - 2);
    section(withUnknown, 30, Hex("01 02 03 04 05"));
    withUnknown.insert(withUnknown.end(), full.begin() + static_cast<long>(spans[2].start) - 2, full.end());
    TQelDataBase db;
    TMemoryStream unknown(withUnknown);
    db.ReadFromStream(unknown);
    EXPECT_EQ(db.Items().Find(1)->Name, "Item S");
    EXPECT_EQ(db.Switches().Find(1)->Name, "Switch S");

    // Records out of ID order come out sorted; a repeated ID keeps the later record.
    Bytes switches = header();
    section(switches, dsSwitches, Hex("03 03 01 01 41 00 01 01 01 42 00 03 01 01 43 00"));
    TMemoryStream unordered(switches);
    db.ReadFromStream(unordered);
    ASSERT_EQ(db.Switches().Count(), 2);
    EXPECT_EQ(db.Switches().Items(0)->Name, "B");
    EXPECT_EQ(db.Switches().Items(1)->Name, "C");
    EXPECT_EQ(db.Items().Find(1)->Name, "Item S"); // absent sections keep what they held

    // A section that reads less than its length is realigned by the length.
    Bytes padded = header();
    section(padded, dsSwitches, Hex("01 01 01 01 44 00 FF FF"));
    section(padded, dsVariables, Hex("01 01 01 01 45 00"));
    TMemoryStream paddedStream(padded);
    db.ReadFromStream(paddedStream);
    EXPECT_EQ(db.Switches().Items(0)->Name, "D");
    EXPECT_EQ(db.Variables().Items(0)->Name, "E");
}

TEST(DataBaseFile, BrokenFiles) {
    TQelDataBase source;
    nameRecords(source, "S");
    Bytes full = fileOf(source);
    auto spans = sections(full);

    Bytes wrongHeader = full;
    wrongHeader[11] = 'x';
    Bytes cutInItems(full.begin(), full.begin() + static_cast<long>(spans[2].start + spans[2].length / 2));
    Bytes lengthPastEnd = header();
    section(lengthPastEnd, dsSwitches, Hex("01 01 01 01 44 00"));
    lengthPastEnd[lengthPastEnd.size() - 7] = 0x20; // the section claims 32 bytes

    struct Case {
        const char* name;
        Bytes bytes;
        const char* heroName;  // hero 2 after the load ("" when none)
        const char* skillName; // skill 1
        int itemCount;
        const char* switchName;
    } cases[] = {
        // Nothing changes at all: the file is not a database.
        {"wrong header", wrongHeader, "Hero old", "Skill old", 1, "Switch old"},
        // Sections before the cut are loaded, the list being read is empty, later ones are reset.
        {"cut inside the items", cutInItems, "Hero S", "Skill S", 0, ""},
        {"section length past the end", lengthPastEnd, "", "", 1, "D"},
    };
    fs::path folder = newFolder();
    for (const auto& c : cases) {
        for (bool editor : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (editor ? " (editor running)" : ""));
            EditorRunningScope scope(editor);
            fs::path file = folder / "QUORIN.qdb";
            writeFile(file, c.bytes);
            TQelDataBase db;
            nameRecords(db, "old");
            if (editor)
                EXPECT_NO_THROW(db.LoadFromFile(file.string()));
            else
                EXPECT_THROW(db.LoadFromFile(file.string()), EReadError);
            EXPECT_TRUE(db.LoadFailed());
            EXPECT_FALSE(db.LoadError().empty());
            auto* hero = db.Heroes().Find(2);
            EXPECT_EQ(hero ? hero->Name : "", c.heroName);
            EXPECT_EQ(db.Skills().Find(1)->Name, c.skillName);
            EXPECT_EQ(db.Items().Count(), c.itemCount);
            EXPECT_EQ(db.Switches().Find(1)->Name, c.switchName);
        }
    }
}

TEST(DataBaseFile, UnchangedFileIsNotResetFirst) {
    fs::path folder = newFolder();
    fs::path file = folder / "QUORIN.qdb";
    Bytes onlySwitches = header();
    section(onlySwitches, dsSwitches, Hex("01 01 01 01 41 00"));
    writeFile(file, onlySwitches);

    TQelDataBase db;
    nameRecords(db, "old");
    db.LoadFromFile(file.string());
    // The file differs from the one last loaded: everything else is one default record.
    EXPECT_EQ(db.Heroes().Count(), 1);
    EXPECT_EQ(db.Skills().Find(1)->Name, "");
    EXPECT_EQ(db.Switches().Find(1)->Name, "A");
    EXPECT_EQ(db.LastSize, static_cast<int32_t>(onlySwitches.size()));
    EXPECT_EQ(db.LastAge, FileAge(file.string()));

    // The same file again: no reset first, but the switches are replaced.
    db.Heroes().Append()->Name = "kept";
    db.Switches().Find(1)->Name = "changed";
    db.LoadFromFile(file.string());
    EXPECT_EQ(db.Heroes().Count(), 2);
    EXPECT_EQ(db.Switches().Find(1)->Name, "A");

    // A file of the same size written again has another time-stamp: the sections are reset.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    writeFile(file, onlySwitches);
    db.LoadFromFile(file.string());
    EXPECT_EQ(db.Heroes().Count(), 1);
}

TEST(DataBaseFile, SavingKeepsAPartlyReadFile) {
    fs::path folder = newFolder();
    fs::path file = folder / "QUORIN.qdb";
    TQelDataBase source;
    nameRecords(source, "S");
    Bytes full = fileOf(source);
    Bytes broken(full.begin(), full.end() - 3);
    writeFile(file, broken);

    EditorRunningScope editor(true);
    TQelDataBase db;
    db.LoadFromFile(file.string());
    ASSERT_TRUE(db.LoadFailed());
    db.Save(folder.string());
    EXPECT_FALSE(db.LoadFailed());
    EXPECT_EQ(readFile(folder / "QUORIN.qdb.bak"), broken);
    Bytes saved = readFile(file);
    EXPECT_EQ(db.LastSize, static_cast<int32_t>(saved.size()));
    EXPECT_EQ(db.LastAge, FileAge(file.string()));

    // Later saves leave the kept file alone; only the database and its copy are in the folder.
    db.Heroes().Find(2)->Name = "again";
    db.Save(folder.string());
    EXPECT_EQ(readFile(folder / "QUORIN.qdb.bak"), broken);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);

    // A database that loaded cleanly is saved without a copy.
    fs::path cleanFolder = newFolder();
    writeFile(cleanFolder / "QUORIN.qdb", full);
    TQelDataBase clean;
    clean.Load(cleanFolder.string());
    EXPECT_FALSE(clean.LoadFailed());
    EXPECT_EQ(clean.Heroes().Find(2)->Name, "Hero S");
    clean.Save(cleanFolder.string());
    EXPECT_FALSE(fs::exists(cleanFolder / "QUORIN.qdb.bak"));
}

TEST(DataBaseFile, MissingFileAndUnwritableFolder) {
    fs::path folder = newFolder();
    TQelDataBase db;
    EXPECT_THROW(db.LoadFromFile((folder / "none.qdb").string()), EFileError);
    {
        EditorRunningScope editor(true);
        EXPECT_NO_THROW(db.LoadFromFile((folder / "none.qdb").string()));
        EXPECT_TRUE(db.LoadFailed());
    }
    EXPECT_THROW(db.SaveToFile((folder / "no-such-folder" / "QUORIN.qdb").string()), EFileError);
}

TEST(DataBaseFile, RecordsCapTablesAtTheDatabaseTheyAreWrittenWith) {
    // The database being written decides the cap, even when a newer database exists.
    TQelDataBase db;
    TQelDataBase::ResetList(db.Conditions(), 2);
    auto* hero = db.Heroes().Find(1);
    hero->SetConditionCount(4);
    for (int id = 1; id <= 4; ++id)
        hero->SetConditionRate(id, 0);
    TQelDataBase newer;
    TQelDataBase::ResetList(newer.Conditions(), 4);
    fileOf(db);
    EXPECT_EQ(hero->ConditionCount, 2);
    EXPECT_EQ(QelDataBase(), &newer);
}
