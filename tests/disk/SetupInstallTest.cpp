// The installer: its LHA reader against archives of the editor's archiver (checked against lhasa,
// an independent reader), damaged and hostile archives, Setup.ini, and the built "Setup.exe" run
// on the game disks that "Make Game disk..." makes.
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "Crc16.h"
#include "DiskTestSupport.h"
#include "LhaReader.h"
#include "SetupInstall.h"

using namespace tarvel;
using namespace tarvel::test;
using tarvel::setup::LhaEntry;
using tarvel::setup::LhaError;

namespace {

QByteArray RandomBytes(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(random.bounded(256));
    return bytes;
}

QByteArray Text(int size, quint32 seed) {
    static const char* words[] = {"the ",  "hero ", "walks ",  "into ",    "a ",       "dark ",   "cave\n",
                                  "gold ", "then ", "fights ", "slimes. ", "Map0001 ", "potion ", "sword "};
    QRandomGenerator random(seed);
    QByteArray text;
    while (text.size() < size)
        text += words[random.bounded(int(std::size(words)))];
    return text.left(size);
}

// Archives a folder's contents (everything under it, with folder entries) with the editor's
// archiver, as "Make Game disk..." calls it.
QString ArchiveFolder(const QString& folder, const QStringList& names) {
    const QString staging = MakeTempFolder("staging");
    WriteFile(staging + "/Response.lst", (QStringList{"\"" + folder + "/\""} + names).join('\n').toUtf8());
    const QString archive = staging + "/Test.lzh";
    QByteArray command = ArchiverCommandLine(archive, staging + "/Response.lst").toUtf8();
    auto archiver = RealArchiver();
    EXPECT_TRUE(archiver);
    if (archiver) {
        EXPECT_EQ(archiver(nullptr, command.constData(), nullptr, 0), 0);
    }
    return archive;
}

std::vector<uint8_t> Bytes(const QByteArray& data) {
    return std::vector<uint8_t>(data.begin(), data.end());
}

// Path -> method, from lhasa's verbose listing.
std::map<QString, QString> LhasaListing(const QString& archive) {
    auto result = Lhasa({"v", archive});
    EXPECT_EQ(result.exitCode, 0);
    static const QRegularExpression row(R"((-lh[0-9a-z]-)\s+[0-9a-f]{4}\s+\w{3}\s+\d+\s+[\d:]+\s+(.+)$)");
    std::map<QString, QString> entries;
    for (const QString& line : QString::fromUtf8(result.out).split('\n')) {
        auto match = row.match(line);
        if (match.hasMatch()) entries[match.captured(2)] = match.captured(1);
    }
    return entries;
}

// Installs with the installer's own reader into a new folder.
QString ExtractOurs(const std::vector<uint8_t>& archive) {
    QString folder = MakeTempFolder("ours");
    setup::ExtractLhaArchive(archive.data(), archive.size(), folder.toStdString());
    return folder;
}

void RewriteHeaderCrc(std::vector<uint8_t>& archive, size_t headerAt) {
    const size_t size = archive[headerAt] | size_t(archive[headerAt + 1]) << 8;
    const size_t crcAt = headerAt + 27; // the first extended header holds the header's CRC
    archive[crcAt] = archive[crcAt + 1] = 0;
    uint16_t crc = unlha::Crc16(archive.data() + headerAt, size);
    archive[crcAt] = uint8_t(crc);
    archive[crcAt + 1] = uint8_t(crc >> 8);
}

} // namespace

TEST(LhaReader, ReadsWhatTheArchiverWritesAsLhasaDoes) {
    const QString source = MakeTempFolder("source");
    QByteArray mixed;
    for (int i = 0; i < 6; ++i)
        mixed += Text(40000, 10 + i) + RandomBytes(9000, 30 + i) + QByteArray(7000, char(i));
    const std::map<QString, QByteArray> files = {
        {"random.bin", RandomBytes(50000, 1)},            // stored
        {"text.txt", Text(200000, 2)},                    // several Huffman blocks
        {"zeros.dat", QByteArray(100000, '\0')},          // long matches only
        {"empty.dat", {}},                                // stored, no data
        {"window.dat", RandomBytes(8192, 3).repeated(3)}, // matches at the dictionary's far edge
        {"Deep/A/B/mixed.bin", mixed},
        {"Deep/with space/Über.txt", Text(3000, 4)},
    };
    for (const auto& [name, bytes] : files)
        WriteFile(source + "/" + name, bytes);
    QDir().mkpath(source + "/Deep/Empty");
    QFile::setPermissions(source + "/text.txt", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                    QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);

    const QString archive =
        ArchiveFolder(source, {"random.bin", "text.txt", "zeros.dat", "empty.dat", "window.dat", "Deep"});
    const std::vector<uint8_t> bytes = Bytes(ReadFile(archive));

    // The same entries with the same methods as lhasa lists them (lhasa shows names outside ASCII
    // with "?", so those are compared by the extracted tree below).
    std::map<QString, QString> ours;
    for (const LhaEntry& entry : setup::ReadLhaDirectory(bytes.data(), bytes.size()))
        ours[QString::fromStdString(entry.path) + (entry.folder ? "/" : "")] =
            QString::fromStdString(entry.method);
    auto theirs = LhasaListing(archive);
    EXPECT_EQ(ours.size(), theirs.size());
    for (const auto& [path, method] : theirs)
        if (!path.contains('?')) {
            EXPECT_EQ(ours[path], method) << path.toStdString();
        }
    EXPECT_EQ(ours["random.bin"], "-lh0-");
    EXPECT_EQ(ours["text.txt"], "-lh5-");

    const QString extracted = ExtractOurs(bytes);
    EXPECT_TRUE(FolderContents(extracted) == FolderContents(ExtractWithLhasa(archive)));
    EXPECT_TRUE(FolderContents(extracted) == FolderContents(source));
    EXPECT_TRUE(QFileInfo(extracted + "/text.txt").isExecutable());
    EXPECT_FALSE(QFileInfo(extracted + "/random.bin").isExecutable());
    EXPECT_EQ(QFileInfo(extracted + "/text.txt").lastModified().toSecsSinceEpoch(),
              QFileInfo(source + "/text.txt").lastModified().toSecsSinceEpoch());
}

TEST(LhaReader, RefusesDamagedCutAndHostileArchives) {
    const QString source = MakeTempFolder("source");
    WriteFile(source + "/xx/story.txt", Text(60000, 5));
    const std::vector<uint8_t> good = Bytes(ReadFile(ArchiveFolder(source, {"xx"})));
    const auto entries = setup::ReadLhaDirectory(good.data(), good.size());
    ASSERT_EQ(entries.size(), 2u); // the folder, then the file
    const LhaEntry& story = entries[1];
    ASSERT_EQ(story.method, "-lh5-");
    const size_t storyHeader = entries[0].dataOffset;

    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        const char* message;
    } cases[] = {
        {"a changed byte in the packed data",
         [&](std::vector<uint8_t>& a) { a[story.dataOffset + story.packedSize / 2] ^= 0x10; }, nullptr},
        {"the packed data cut in the middle",
         [&](std::vector<uint8_t>& a) { a.resize(story.dataOffset + 100); },
         "archive is cut short in the data of xx/story.txt"},
        {"no end mark", [&](std::vector<uint8_t>& a) { a.pop_back(); },
         "archive ends without its end mark (a disk may be missing)"},
        {"a header cut short", [&](std::vector<uint8_t>& a) { a.resize(storyHeader + 10); },
         "archive is cut short in the entry at byte"},
        {"a changed name",
         [&](std::vector<uint8_t>& a) {
             const uint8_t name[] = {'s', 't', 'o', 'r', 'y'};
             *std::search(a.begin() + long(storyHeader), a.end(), std::begin(name), std::end(name)) = 'S';
         },
         "has a damaged header"},
        {"an old header level", [&](std::vector<uint8_t>& a) { a[20] = 0; }, "only level 2 is read"},
        {"a folder that leaves the target",
         [&](std::vector<uint8_t>& a) {
             for (size_t header : {size_t(0), storyHeader}) {
                 const uint8_t folderName[] = {'x', 'x', 0xFF};
                 auto at = std::search(a.begin() + long(header), a.end(), std::begin(folderName),
                                       std::end(folderName));
                 at[0] = at[1] = '.';
                 RewriteHeaderCrc(a, header);
             }
         },
         "would be written outside its folder"},
        {"an unknown method",
         [&](std::vector<uint8_t>& a) {
             a[storyHeader + 5] = 'x';
             RewriteHeaderCrc(a, storyHeader);
         },
         "-lhx-, which the installer cannot read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> archive = good;
        c.damage(archive);
        const QString parent = MakeTempFolder("parent");
        const QString folder = parent + "/target";
        try {
            setup::ExtractLhaArchive(archive.data(), archive.size(), folder.toStdString());
            ADD_FAILURE() << "extracted";
        } catch (const LhaError& e) {
            if (c.message) {
                EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            }
        }
        // Nothing outside the target, no half-written or temporary file inside it.
        EXPECT_EQ(QDir(parent).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QDir(folder).exists() ? QStringList{"target"} : QStringList{});
        for (const auto& [path, bytes] : FolderContents(folder))
            EXPECT_EQ(bytes, "<folder>") << path.toStdString();
    }
}

TEST(SetupIni, ReadsWhatTheEditorWrites) {
    const QString folder = MakeTempFolder("ini");
    PackProject project;
    GameDiskJob job = MakeJob(project, folder, false);
    job.projectName = "My Quest";
    job.gameTitle = "Über Quest";
    WriteSetupIni(folder + "/Setup.ini", job, 3);
    setup::SetupInfo info = setup::ReadSetupIni((folder + "/Setup.ini").toStdString());
    EXPECT_EQ(info.projectName, "My Quest");
    EXPECT_EQ(info.gameTitle, "Über Quest");
    EXPECT_EQ(info.diskNumber, 3);
    EXPECT_EQ(setup::PieceFileName(info, 2), "My Quest.002");
    EXPECT_EQ(setup::ArchiveFileName(info), "My Quest.lzh");

    struct Case {
        const char* text;
        const char* error; // nullptr: read, with these values
        int disks;
    } cases[] = {
        {"[setup]\r\nprojectname = Quest\r\nDiskNumber=x\r\n", nullptr, 0},
        {"[Other]\nProjectName=Quest\n", "names no project", 0},
        {"[Setup]\nProjectName=../Quest\n", "no plain folder name", 0},
        {"[Setup]\nProjectName=Quest\nDiskNumber=-4\n", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WriteFile(folder + "/Case.ini", c.text);
        try {
            info = setup::ReadSetupIni((folder + "/Case.ini").toStdString());
            EXPECT_EQ(c.error, nullptr);
            EXPECT_EQ(info.projectName, "Quest");
            EXPECT_EQ(info.gameTitle, "Quest");
            EXPECT_EQ(info.diskNumber, c.disks);
        } catch (const std::runtime_error& e) {
            ASSERT_NE(c.error, nullptr) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
    }
}

TEST(SetupProgram, InstallsAGameDiskFromAFolderAndFromFloppies) {
    PackProject project;
    // Enough that does not shrink for two floppies.
    WriteFile(project.path + "Movie/Opening.avi", RandomBytes(900000, 9));
    const QString installer = BuildBinFolder() + "/Setup.exe.dat";
    ASSERT_TRUE(QFileInfo(installer).isExecutable());

    // A folder target: the installer beside its archive.
    const QString disk = MakeTempFolder("disk") + "/";
    class Quiet : public GameDiskDialogs {
    public:
        void Info(const QString&) override {}
        void Error(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
        bool AskForDisk(int) override { return true; }
        bool CopyFiles(const CopyList& list) override { return CopyFileList(list); }
    } quiet;
    ASSERT_TRUE(MakeGameDisk(MakeJob(project, disk, false), FakeDrives(), quiet));
    const auto expected = FolderContents(ExtractWithLhasa(disk + "Quest.lzh"));

    const QString installed = MakeTempFolder("games") + "/Quest";
    ProcessResult result = RunProgram(disk + "Setup.exe", {"--target", installed});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(FolderContents(installed) == expected);
    EXPECT_TRUE(QFileInfo(installed + "/QUORIN.exe").isExecutable());

    // A floppy set: each disk's files gathered in one folder, as a user copying the disks would.
    const QString floppy = MakeTempFolder("floppy") + "/";
    FakeDrives drives;
    drives.floppyRoot = floppy;
    const QString gathered = MakeTempFolder("gathered") + "/";
    class Swapping : public GameDiskDialogs {
    public:
        QString floppy, gathered;
        int disks = 0;
        // The last disk is taken out too once the set is made.
        void gather() {
            for (const QString& name : FileNames(floppy))
                QFile::rename(floppy + name, gathered + name);
        }
        void Info(const QString&) override {}
        void Error(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
        bool AskForDisk(int disk) override {
            disks = disk;
            gather();
            return true;
        }
        bool CopyFiles(const CopyList& list) override { return CopyFileList(list); }
    } swapping;
    swapping.floppy = floppy;
    swapping.gathered = gathered;
    ASSERT_TRUE(MakeGameDisk(MakeJob(project, floppy, false), drives, swapping));
    swapping.gather();
    ASSERT_EQ(swapping.disks, 2);
    EXPECT_EQ(FileNames(gathered), (QStringList{"Quest.001", "Quest.002", "Setup.exe", "Setup.ini",
                                                "UNLHA32.DLL", "UNLHA32.TXT"}));

    const QString fromFloppies = MakeTempFolder("games") + "/Quest";
    result = RunProgram(gathered + "Setup.exe", {"--target", fromFloppies});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(FolderContents(fromFloppies) == expected);

    // A disk that is missing is named, and nothing is installed.
    QFile::remove(gathered + "Quest.002");
    const QString incomplete = MakeTempFolder("games") + "/Quest";
    result = RunProgram(gathered + "Setup.exe", {"--target", incomplete});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("Quest.002")) << result.err.toStdString();
    EXPECT_TRUE(FolderContents(incomplete).empty());
}
