#pragma once

// A project folder to pack, stand-ins for the floppy drive and the person at the screen, and an
// archiver that writes an archive of a chosen size, shared by the game disk tests.

#include <QDir>
#include <QDirIterator>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <map>

#include "TestEnvironment.h"
#include "platform/Material.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"
#include "project/ProjPack.h"

namespace tarvel::test {

// A project folder as the editor makes it, with a file in some material folders, two maps and
// files that are no part of a game (they must stay out of the archive).
struct PackProject {
    QString base = MakeTempFolder("projects");
    QString name = "Quest";
    QString path = base + "/" + name + "/";
    PackProject() {
        for (const MaterialFolderInfo& folder : MaterialFolders())
            QDir().mkpath(path + folder.name);
        WriteFile(path + "QUORIN.exe", "#!/bin/sh\necho game\n");
        QFile::setPermissions(path + "QUORIN.exe", QFile::permissions(path + "QUORIN.exe") | QFile::ExeOwner);
        WriteFile(path + "QUORIN.qdb", QByteArray("QelDataBase") + QByteArray(3000, 'd'));
        WriteFile(path + "QUORIN.qmt", "QelMapTree");
        WriteFile(path + "QUORIN.ini", "[QUORIN]\nGameTitle=The Quest\n");
        WriteFile(path + "Map0001.qmu", QByteArray("QelMapUnit") + QByteArray(20000, '\1'));
        WriteFile(path + "Map0002.qmu", "QelMapUnit2");
        WriteFile(path + "CharSet/Hero.png", QByteArray(500, 'h'));
        WriteFile(path + "Music/Town.mid", "MThd");
        WriteFile(path + "notes.txt", "not part of the game");
        WriteFile(path + "Map01.qmu", "not a map file name");
        SetProjectPath(path);
    }
    ~PackProject() { SetProjectPath({}); }
};

// The runtime package's material (a file the project shadows, one it lacks).
inline QString MakeRuntimePackage(bool withSoundLibrary) {
    QString rtp = MakeTempFolder("rtp") + "/";
    for (const MaterialFolderInfo& folder : MaterialFolders())
        QDir().mkpath(rtp + folder.name);
    WriteFile(rtp + "CharSet/Hero.png", QByteArray(400, 'r'));
    WriteFile(rtp + "Music/Field1.mid", "MThd-rtp");
    if (withSoundLibrary) WriteFile(rtp + SoundLibraryFileName, "sound library of the package");
    return rtp;
}

// The editor's files a disk takes: the installer, the archiver library and its note, as the
// build puts them beside the programs.
inline QString EditorFolder() {
    return BuildBinFolder() + "/";
}

inline UnlhaLibrary::UnlhaFunction RealArchiver() {
    static UnlhaLibrary library;
    if (!library.IsLoaded()) library.Load(BuildBinFolder());
    return library.Unlha();
}

// An archiver that writes an archive of FakeArchiveSize bytes (counting bytes 0, 1, 2, ...) to the
// quoted path of its command line and reports FakeArchiverResult.
inline qint64 FakeArchiveSize = 0;
inline int FakeArchiverResult = 0;
inline int FakeArchiver(void*, const char* commandLine, char*, unsigned long) {
    QString line = QString::fromUtf8(commandLine);
    QString archive = line.section('"', 1, 1);
    QByteArray bytes(int(FakeArchiveSize), '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + i / 1000);
    WriteFile(archive, bytes);
    return FakeArchiverResult;
}

inline GameDiskJob MakeJob(const PackProject& project, const QString& target, bool includeRtp,
                           const QString& rtp = {}) {
    GameDiskJob job;
    job.projectPath = project.path;
    job.projectName = project.name;
    job.gameTitle = "The Quest";
    job.runtimePackagePath = rtp;
    job.soundLibraryFile = BuildBinFolder() + "/" + SoundLibraryFileName;
    job.includeRtp = includeRtp;
    job.target = IncludeTrailingPathDelimiter(target);
    job.editorFolder = EditorFolder();
    job.stagingFolder = TempWorkFolder() + "/GameDisk";
    job.archiver = RealArchiver();
    return job;
}

// A floppy drive whose root is a folder of the test; everything else is a hard disk.
class FakeDrives : public GameDiskDrives {
public:
    QString floppyRoot; // with a trailing "/"
    QString cdRomRoot;
    QString notReadyRoot;
    // How many times in a row the medium check fails before it succeeds (a disk not yet in).
    mutable int missingMedium = 0;
    mutable int mediumChecks = 0;

    bool IsFloppyDrive(const QString& path) const override {
        return !floppyRoot.isEmpty() && IncludeTrailingPathDelimiter(path).startsWith(floppyRoot);
    }
    bool IsCdRomDrive(const QString& path) const override {
        return !cdRomRoot.isEmpty() && IncludeTrailingPathDelimiter(path).startsWith(cdRomRoot);
    }
    bool IsDriveReady(const QString& path) const override {
        return notReadyRoot.isEmpty() || !IncludeTrailingPathDelimiter(path).startsWith(notReadyRoot);
    }
    bool HasMedium(const QString&) const override {
        ++mediumChecks;
        if (missingMedium > 0) {
            --missingMedium;
            return false;
        }
        return true;
    }
    QString DriveRoot(const QString& path) const override {
        if (IsFloppyDrive(path)) return floppyRoot;
        if (IsCdRomDrive(path)) return cdRomRoot;
        return "/";
    }
    QString FindFloppyDrive() const override { return floppyRoot; }
};

// Relative path -> bytes of every file under a folder ("<folder>" for folders).
inline std::map<QString, QByteArray> FolderContents(const QString& folder) {
    std::map<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = it.next();
        tree[QDir(folder).relativeFilePath(path)] =
            it.fileInfo().isDir() ? QByteArray("<folder>") : ReadFile(path);
    }
    return tree;
}

inline QStringList FileNames(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

inline ProcessResult Lhasa(const QStringList& arguments) {
    QString program = QStandardPaths::findExecutable("lhasa");
    if (program.isEmpty()) ADD_FAILURE() << "lhasa is not installed (scripts/install-deps.sh installs it)";
    return RunProgram(program, arguments);
}

// Checks every CRC with lhasa and extracts the archive into a new folder.
inline QString ExtractWithLhasa(const QString& archive) {
    ProcessResult check = Lhasa({"t", archive});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();
    QString folder = MakeTempFolder("lhasa");
    ProcessResult result = Lhasa({"xfw=" + folder, archive});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return folder;
}

} // namespace tarvel::test
