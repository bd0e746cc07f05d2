// Making a game disk without its windows: the response file and command line, the archive made by
// the real archiver and read back with lhasa, the project's ini before and after, the files of a
// hard-disk target, floppy sets through a stand-in drive, and every way a run stops.
#include <QFile>
#include <gtest/gtest.h>

#include "DiskTestSupport.h"
#include "platform/IniFile.h"
#include "platform/Settings.h"
#include "records/Stream.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

const QStringList kFolders = {"Backdrop", "Battle", "CharSet",  "ChipSet", "FaceSet", "GameOver", "Monster",
                              "Movie",    "Music",  "Panorama", "Picture", "Sound",   "System",   "Title"};
const QStringList kProjectFiles = {"QUORIN.exe", "QUORIN.qdb", "QUORIN.ini", "QUORIN.qmt", "Map????.qmu"};

// Answers like the person at the screen and copies for real. Every disk prompt stands for a disk
// change: whatever the target holds is put away as the previous disk's contents.
class RecordingDialogs : public GameDiskDialogs {
public:
    explicit RecordingDialogs(QString target) : mTarget(std::move(target)) {}
    QStringList said;
    std::vector<std::map<QString, QByteArray>> disks;
    int cancelAtDisk = 0;
    bool abortCopies = false;

    void Info(const QString& text) override { said << "info: " + text; }
    void Error(const QString& text) override { said << "error: " + text; }
    bool AskForDisk(int disk) override {
        said << QString::asprintf(GameDiskMessage::PrepareDisk, disk);
        takeOutDisk();
        return disk != cancelAtDisk;
    }
    bool CopyFiles(const CopyList& list) override {
        if (abortCopies) return false;
        return CopyFileList(list);
    }
    void takeOutDisk() {
        auto contents = FolderContents(mTarget);
        if (contents.empty()) return;
        disks.push_back(contents);
        for (const QString& name : FileNames(mTarget))
            QFile::remove(mTarget + "/" + name);
    }

private:
    QString mTarget;
};

std::map<QString, QString> SetupIniOf(const QString& file) {
    IniFile ini(file.toStdString());
    std::map<QString, QString> values;
    for (const char* key : {"ProjectName", "GameTitle", "DiskNumber"})
        values[key] = QString::fromStdString(ini.readString("Setup", key, "<none>"));
    return values;
}

QStringList Keys(const std::map<QString, QByteArray>& tree) {
    QStringList keys;
    for (const auto& entry : tree)
        keys << entry.first;
    return keys;
}

// The files of the project that belong in its archive, as the archive holds them.
std::map<QString, QByteArray> ArchivedProject(const PackProject& project) {
    std::map<QString, QByteArray> expected;
    for (const QString& folder : kFolders)
        expected[folder] = "<folder>";
    for (const char* file : {"QUORIN.exe", "QUORIN.qdb", "QUORIN.qmt", "Map0001.qmu", "Map0002.qmu",
                             "CharSet/Hero.png", "Music/Town.mid"})
        expected[file] = ReadFile(project.path + file);
    return expected;
}

} // namespace

TEST(GameDiskResponse, ListsTheProjectAndThePackageWhenIncluded) {
    PackProject project;
    const QString withLibrary = MakeRuntimePackage(true);
    const QString withoutLibrary = MakeRuntimePackage(false);
    const QString projectLine = "\"" + project.path + "\"";
    struct Case {
        const char* what;
        bool include;
        QString rtp;
        QStringList expected;
    } cases[] = {
        {"project alone", false, withLibrary, QStringList{projectLine} + kFolders + kProjectFiles},
        {"with the package", true, withLibrary,
         QStringList{"\"" + withLibrary + "\""} + kFolders + QStringList{projectLine} + kFolders +
             kProjectFiles + QStringList{"\"" + withLibrary + "\"", "libconsort.so"}},
        // A package without a sound library gets the one the editor runs with.
        {"package without a sound library", true, withoutLibrary,
         QStringList{"\"" + withoutLibrary + "\""} + kFolders + QStringList{projectLine} + kFolders +
             kProjectFiles + QStringList{"\"" + BuildBinFolder() + "/\"", "libconsort.so"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameDiskJob job = MakeJob(project, "/media/target", c.include, c.rtp);
        EXPECT_EQ(ResponseLines(job), c.expected);
    }

    EXPECT_EQ(
        ArchiverCommandLine("/tmp/TARVEL_TEMP/GameDisk/Quest.lzh", "/tmp/TARVEL_TEMP/GameDisk/Response.lst"),
        "a -+ -r2 -d \"/tmp/TARVEL_TEMP/GameDisk/Quest.lzh\" @/tmp/TARVEL_TEMP/GameDisk/Response.lst");
    // A blank would end the word of the response file: such a path is quoted.
    EXPECT_EQ(ArchiverCommandLine("/tmp/my temp/Quest.lzh", "/tmp/my temp/Response.lst"),
              "a -+ -r2 -d \"/tmp/my temp/Quest.lzh\" @\"/tmp/my temp/Response.lst\"");
}

TEST(GameDiskMaking, HardDiskTargetGetsTheInstallerItsFilesAndTheArchive) {
    PackProject project;
    // A flag left by an interrupted run is gone afterwards too.
    WriteFile(project.path + "QUORIN.ini", "[QUORIN]\nGameTitle=The Quest\nFullPackageFlag=true\n");
    UserSettings::SetIncludeRtpOption(true);
    const QString target = MakeTempFolder("harddisk");
    FakeDrives drives;
    RecordingDialogs dialogs(target);

    ASSERT_TRUE(MakeGameDisk(MakeJob(project, target, false, MakeRuntimePackage(true)), drives, dialogs));
    EXPECT_EQ(dialogs.said, QStringList{"info: Game Disk Making Done"});
    EXPECT_EQ(FileNames(target),
              (QStringList{"Quest.lzh", "Setup.exe", "Setup.ini", "UNLHA32.DLL", "UNLHA32.TXT"}));
    EXPECT_EQ(ReadFile(target + "/Setup.exe"), ReadFile(BuildBinFolder() + "/Setup.exe.dat"));
    EXPECT_TRUE(QFileInfo(target + "/Setup.exe").isExecutable());
    EXPECT_EQ(ReadFile(target + "/UNLHA32.DLL"), ReadFile(BuildBinFolder() + "/libunlha.so"));
    EXPECT_EQ(ReadFile(target + "/UNLHA32.TXT"), ReadFile(BuildBinFolder() + "/UNLHA32.TXT"));
    EXPECT_EQ(SetupIniOf(target + "/Setup.ini"), (std::map<QString, QString>{
                                                     {"ProjectName", "Quest"},
                                                     {"GameTitle", "The Quest"},
                                                     {"DiskNumber", "0"},
                                                 }));
    EXPECT_FALSE(ProjectIni::HasFullPackageFlag(project.path));
    EXPECT_FALSE(UserSettings::IncludeRtpOption());

    // The archive holds the project's game files with their folders, nothing else of the folder
    // and nothing of the package.
    auto archived = FolderContents(ExtractWithLhasa(target + "/Quest.lzh"));
    auto expected = ArchivedProject(project);
    expected["QUORIN.ini"] = ReadFile(project.path + "QUORIN.ini");
    EXPECT_EQ(Keys(archived), Keys(expected));
    EXPECT_TRUE(archived == expected);
    EXPECT_FALSE(archived["QUORIN.ini"].contains("FullPackageFlag"));
}

TEST(GameDiskMaking, RuntimePackageGoesInAndTheArchivedIniSaysSo) {
    PackProject project;
    const QString rtp = MakeRuntimePackage(true);
    const QString target = MakeTempFolder("harddisk");
    FakeDrives drives;
    RecordingDialogs dialogs(target);

    ASSERT_TRUE(MakeGameDisk(MakeJob(project, target, true, rtp), drives, dialogs));
    EXPECT_TRUE(UserSettings::IncludeRtpOption());
    EXPECT_FALSE(ProjectIni::HasFullPackageFlag(project.path));

    auto archived = FolderContents(ExtractWithLhasa(target + "/Quest.lzh"));
    auto expected = ArchivedProject(project);
    // The package's own material and sound library come along; the project's Hero.png wins over
    // the package's.
    expected["Music/Field1.mid"] = ReadFile(rtp + "Music/Field1.mid");
    expected["libconsort.so"] = ReadFile(rtp + "libconsort.so");
    expected["QUORIN.ini"] = archived["QUORIN.ini"];
    EXPECT_EQ(Keys(archived), Keys(expected));
    EXPECT_TRUE(archived == expected);
    IniFile archivedIni;
    archivedIni.parse(archived["QUORIN.ini"].toStdString());
    EXPECT_TRUE(archivedIni.readBool("QUORIN", "FullPackageFlag", false))
        << archived["QUORIN.ini"].toStdString();
    EXPECT_EQ(archivedIni.readString("QUORIN", "GameTitle", ""), "The Quest");
}

TEST(GameDiskMaking, FloppyTargetsAreCutIntoPiecesOneDiskEach) {
    struct Case {
        qint64 archiveSize;
        std::vector<qint64> pieces;
    } cases[] = {
        {2000000, {640000, 1360000}},
        {640000, {640000}},
        {640001, {640000, 1}},
        {3520001, {640000, 1440000, 1440000, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archiveSize);
        PackProject project;
        const QString floppy = MakeTempFolder("floppy") + "/";
        FakeDrives drives;
        drives.floppyRoot = floppy;
        RecordingDialogs dialogs(floppy);
        FakeArchiveSize = c.archiveSize;
        FakeArchiverResult = 0;
        GameDiskJob job = MakeJob(project, floppy, false);
        job.archiver = FakeArchiver;

        ASSERT_TRUE(MakeGameDisk(job, drives, dialogs));
        dialogs.takeOutDisk();

        const int n = int(c.pieces.size());
        QStringList expectedSaid{QString("info: There's %1 of 1.44MB Floppy Disks Necessary").arg(n)};
        for (int disk = 1; disk <= n; ++disk)
            expectedSaid << QString("Prepare %1 of formatted disks").arg(disk);
        expectedSaid << "info: Game Disk Making Done";
        EXPECT_EQ(dialogs.said, expectedSaid);

        ASSERT_EQ(int(dialogs.disks.size()), n);
        EXPECT_EQ(Keys(dialogs.disks[0]),
                  (QStringList{"Quest.001", "Setup.exe", "Setup.ini", "UNLHA32.DLL", "UNLHA32.TXT"}));
        QByteArray joined;
        for (int disk = 1; disk <= n; ++disk) {
            const QString piece = QString::asprintf("Quest.%.3d", disk);
            if (disk > 1) {
                EXPECT_EQ(Keys(dialogs.disks[size_t(disk - 1)]), QStringList{piece});
            }
            const QByteArray bytes = dialogs.disks[size_t(disk - 1)][piece];
            EXPECT_EQ(bytes.size(), c.pieces[size_t(disk - 1)]);
            joined += bytes;
        }
        EXPECT_EQ(joined, ReadFile(job.ArchivePath()));
        EXPECT_EQ(joined.size(), c.archiveSize);
        EXPECT_EQ(QString(dialogs.disks[0]["Setup.ini"]).contains(QString("DiskNumber=%1").arg(n)), true);
    }
}

TEST(GameDiskMaking, AsksAgainUntilADiskIsInTheDrive) {
    PackProject project;
    const QString floppy = MakeTempFolder("floppy") + "/";
    FakeDrives drives;
    drives.floppyRoot = floppy;
    drives.missingMedium = 2;
    RecordingDialogs dialogs(floppy);
    FakeArchiveSize = 1000;
    FakeArchiverResult = 0;
    GameDiskJob job = MakeJob(project, floppy, false);
    job.archiver = FakeArchiver;

    ASSERT_TRUE(MakeGameDisk(job, drives, dialogs));
    EXPECT_EQ(dialogs.said, (QStringList{"info: There's 1 of 1.44MB Floppy Disks Necessary",
                                         "Prepare 1 of formatted disks", "Prepare 1 of formatted disks",
                                         "Prepare 1 of formatted disks", "info: Game Disk Making Done"}));
    EXPECT_EQ(drives.mediumChecks, 3);
}

TEST(GameDiskMaking, EveryFailureStopsWithTheSameMessage) {
    enum What { ArchiverFails, NoArchiver, MissingFolder, CancelSecondDisk, CopyAborted };
    struct Case {
        const char* what;
        What kind;
        bool floppy;
        QStringList said;
        QStringList targetFiles; // what the target holds afterwards
    } cases[] = {
        {"archiver fails", ArchiverFails, false, {"error: Game Disk Making Stopped"}, {}},
        {"no archiver library", NoArchiver, false, {"error: Game Disk Making Stopped"}, {}},
        {"a material folder is missing", MissingFolder, false, {"error: Game Disk Making Stopped"}, {}},
        {"cancel at the second disk",
         CancelSecondDisk,
         true,
         {"info: There's 2 of 1.44MB Floppy Disks Necessary", "Prepare 1 of formatted disks",
          "Prepare 2 of formatted disks", "error: Game Disk Making Stopped"},
         {}},
        {"copy aborted", CopyAborted, false, {"error: Game Disk Making Stopped"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackProject project;
        const QString target = MakeTempFolder("target") + "/";
        FakeDrives drives;
        if (c.floppy) drives.floppyRoot = target;
        RecordingDialogs dialogs(target);
        GameDiskJob job = MakeJob(project, target, true, MakeRuntimePackage(true));
        FakeArchiverResult = 0;
        FakeArchiveSize = 700000;
        switch (c.kind) {
        case ArchiverFails:
            job.archiver = FakeArchiver;
            FakeArchiverResult = 3;
            break;
        case NoArchiver:
            job.archiver = nullptr;
            break;
        case MissingFolder:
            QDir(project.path + "Title").removeRecursively();
            break;
        case CancelSecondDisk:
            job.archiver = FakeArchiver;
            dialogs.cancelAtDisk = 2;
            break;
        case CopyAborted:
            dialogs.abortCopies = true;
            break;
        default:
            break;
        }
        EXPECT_FALSE(MakeGameDisk(job, drives, dialogs));
        EXPECT_EQ(dialogs.said, c.said);
        EXPECT_EQ(FileNames(target), c.targetFiles);
        // The flag was set for the archive (the package was included) and is gone again.
        EXPECT_FALSE(ProjectIni::HasFullPackageFlag(project.path));
        if (c.kind == CancelSecondDisk) {
            // The first disk was written and stays as it is.
            ASSERT_EQ(dialogs.disks.size(), 1u);
            EXPECT_EQ(Keys(dialogs.disks[0]),
                      (QStringList{"Quest.001", "Setup.exe", "Setup.ini", "UNLHA32.DLL", "UNLHA32.TXT"}));
        }
    }
}

TEST(GameDiskMaking, AMissingInstallerStopsTheCopyAndSaysWhy) {
    PackProject project;
    const QString target = MakeTempFolder("target") + "/";
    const QString editor = MakeTempFolder("editor") + "/";
    // An editor folder without "Setup.exe.dat": the copy cannot be completed.
    QFile::copy(BuildBinFolder() + "/libunlha.so", editor + "libunlha.so");
    QFile::copy(BuildBinFolder() + "/UNLHA32.TXT", editor + "UNLHA32.TXT");
    FakeDrives drives;
    RecordingDialogs dialogs(target);
    GameDiskJob job = MakeJob(project, target, false);
    job.editorFolder = editor;
    EXPECT_THROW(CopyFileList(SetupCopyList(job)), EFileError);
    // Through the dialogs' copy, which tells the user and reports a stop.
    class Telling : public RecordingDialogs {
    public:
        using RecordingDialogs::RecordingDialogs;
        bool CopyFiles(const CopyList& list) override {
            try {
                return CopyFileList(list);
            } catch (const EFileError& e) {
                Error(QString::fromStdString(e.what()));
                return false;
            }
        }
    } telling(target);
    EXPECT_FALSE(MakeGameDisk(job, drives, telling));
    ASSERT_EQ(telling.said.size(), 2);
    EXPECT_TRUE(telling.said[0].contains("Setup.exe.dat")) << telling.said[0].toStdString();
    EXPECT_EQ(telling.said[1], "error: Game Disk Making Stopped");
}

TEST(GameDiskPath, ChecksTheTargetAsTheChooserDoes) {
    FakeDrives drives;
    const QString home = MakeTempFolder("drives");
    drives.floppyRoot = home + "/floppy/";
    drives.cdRomRoot = home + "/cdrom/";
    drives.notReadyRoot = home + "/gone/";
    QDir().mkpath(home + "/floppy/sub");
    QDir().mkpath(home + "/disks");
    struct Case {
        QString path;
        DiskPathCheck expected;
    } cases[] = {
        {home + "/floppy/", DiskPathCheck::Accepted},   {home + "/floppy/sub/", DiskPathCheck::RefusedPath},
        {home + "/cdrom/", DiskPathCheck::RefusedPath}, {home + "/gone/x/", DiskPathCheck::NotReady},
        {home + "/disks/", DiskPathCheck::Accepted},    {home + "/disks/new/", DiskPathCheck::AskToMake},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(CheckDiskPath(c.path, drives), c.expected);
    }
    EXPECT_EQ(FullDiskPath(home + "/disks/../disks"), home + "/disks/");
    EXPECT_TRUE(CanAcceptDiskPath("/media/floppy"));
    EXPECT_FALSE(CanAcceptDiskPath("media/floppy"));
    EXPECT_FALSE(CanAcceptDiskPath(""));

    EXPECT_EQ(ProposedDiskTarget(drives, "Quest"), home + "/floppy/");
    EXPECT_EQ(ProposedDiskTarget(FakeDrives(), "Quest"), QDir::homePath() + "/GameDisks/Quest/");
}
