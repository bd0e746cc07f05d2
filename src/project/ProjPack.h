#pragma once

// Making a game disk: the open project (optionally with the runtime package's material and the
// sound library) packed into one LHA archive by the archiver library, a "Setup.ini" that
// describes it, and the archive copied with the installer and the archiver's files to a folder,
// or cut into pieces across as many 1.44 MB floppy disks as it takes. Everything here is free of
// windows: the dialogs ("Pack Project", "Choose Disk Path") answer the questions through
// GameDiskDialogs, and the drives are asked through GameDiskDrives, so tests can stand in a floppy
// drive.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "platform/OutsideLibraries.h"

namespace tarvel {

// The messages of game disk making, as the user sees them.
namespace GameDiskMessage {
constexpr const char* AssignCreatePath = "Assign Create Path _?_";
constexpr const char* PrepareDevice = "Prepare Device _?_";
constexpr const char* AskMakeFolder = "Folder Exists. Make?";
constexpr const char* FolderMaking = "Folder Making quality _??_";
// Formatted with the number of disks (printf style, as the text stands).
constexpr const char* DisksNecessary = "There's %d of 1.44MB Floppy Disks Necessary";
// Formatted with the disk's number.
constexpr const char* PrepareDisk = "Prepare %d of formatted disks";
constexpr const char* Done = "Game Disk Making Done";
constexpr const char* Stopped = "Game Disk Making Stopped";
} // namespace GameDiskMessage

// The first floppy piece leaves room on disk 1 for the installer and its files.
constexpr qint64 FirstPieceSize = 640000;
constexpr qint64 PieceSize = 1440000;

// The drive questions of game disk making. The system's answers come from the mounted volumes;
// tests install a stand-in with SetGameDiskDrives.
class GameDiskDrives {
public:
    virtual ~GameDiskDrives() = default;
    virtual bool IsFloppyDrive(const QString& path) const;
    virtual bool IsCdRomDrive(const QString& path) const;
    virtual bool IsDriveReady(const QString& path) const;
    // A readable medium is in the floppy drive of the path (a floppy volume is mounted there).
    virtual bool HasMedium(const QString& path) const;
    // The root folder of the volume that holds the path, ending in "/".
    virtual QString DriveRoot(const QString& path) const;
    // The root of the first floppy volume, ending in "/", or empty.
    virtual QString FindFloppyDrive() const;
};
// The installed stand-in, else the system's drives.
const GameDiskDrives& DiskDrives();
// Installs a stand-in (not owned); nullptr restores the system's drives.
void SetGameDiskDrives(const GameDiskDrives* drives);

// The target "Pack Project" proposes: the first floppy drive's root, or (with no floppy drive,
// which is the rule on today's machines) the folder "GameDisks/<project folder name>/" in the
// user's home.
QString ProposedDiskTarget(const GameDiskDrives& drives, const QString& projectName);

// "Choose Disk Path": "&Ok" is enabled for an absolute path.
bool CanAcceptDiskPath(const QString& text);
// The text as a full path with a trailing "/".
QString FullDiskPath(const QString& text);
enum class DiskPathCheck {
    Accepted,
    AskToMake,   // "Folder Exists. Make?"
    RefusedPath, // "Assign Create Path _?_": a CD-ROM, or a folder below a floppy drive's root
    NotReady,    // "Prepare Device _?_"
};
// Judges a full path (with a trailing "/") as "Choose Disk Path" does on "&Ok".
DiskPathCheck CheckDiskPath(const QString& fullPath, const GameDiskDrives& drives);

// Everything one run of "Start Make" works with.
struct GameDiskJob {
    QString projectPath;        // the project folder, ending in "/"
    QString projectName;        // its folder name: the archive's name and Setup.ini's ProjectName
    QString gameTitle;          // the project's GameTitle
    QString runtimePackagePath; // ending in "/"; used only when the package is included
    // The sound library a disk with the runtime package carries: the package's own when it holds
    // one, else this file (the library the editor runs with).
    QString soundLibraryFile;
    bool includeRtp = false;
    QString target;        // ending in "/"
    QString editorFolder;  // where "Setup.exe.dat", the archiver library and "UNLHA32.TXT" are
    QString stagingFolder; // TempWorkFolder + "/GameDisk"
    UnlhaLibrary::UnlhaFunction archiver = nullptr;

    // A job for the open project: ProjectPath, its folder name and title, the runtime package,
    // the editor's folder, the loaded archiver and sound library.
    static GameDiskJob ForOpenProject(const QString& target, bool includeRtp);

    QString ArchivePath() const;  // staging + "/" + project name + ".lzh"
    QString ResponsePath() const; // staging + "/Response.lst"
    QString SetupIniPath() const; // staging + "/Setup.ini"
    // Piece k of a floppy set: staging + "/" + project name + ".%.3d".
    QString PiecePath(int piece) const;
};

// The file name of the sound library in a runtime package.
extern const QString SoundLibraryFileName;
// The archiver library beside the editor, and the name it has on a game disk.
extern const QString ArchiverLibraryFileName;
extern const QString ArchiverDiskName;

// The response file: with the runtime package, its quoted path and the 14 material folders;
// then the quoted project path, the 14 folders, "QUORIN.exe", "QUORIN.qdb", "QUORIN.ini",
// "QUORIN.qmt" and "Map????.qmu"; with the runtime package, the quoted folder of the sound
// library and its file name.
QStringList ResponseLines(const GameDiskJob& job);
// "a -+ -r2 -d "ARCHIVE" @RESPONSE". The response path is quoted only when it holds a blank,
// which would otherwise end the word.
QString ArchiverCommandLine(const QString& archive, const QString& response);
// "Setup.ini", section "Setup": ProjectName, GameTitle, DiskNumber. Raises EFileError.
void WriteSetupIni(const QString& path, const GameDiskJob& job, int diskNumber);

struct CopyItem {
    QString source;
    QString destination;
};
using CopyList = std::vector<CopyItem>;
// Setup.ini, the installer (as "Setup.exe"), the archiver library (as "UNLHA32.DLL") and
// "UNLHA32.TXT", each to the target.
CopyList SetupCopyList(const GameDiskJob& job);
qint64 CopyListBytes(const CopyList& list);
// Copies the list in order, each file over its destination, making the destination folders.
// progress is told the bytes done of the whole list and the file being copied, and may stop the
// copy by returning false. Returns false when stopped; raises EFileError when a file cannot be
// copied.
bool CopyFileList(const CopyList& list,
                  const std::function<bool(qint64 done, qint64 total, const QString& file)>& progress = {});

// What game disk making asks of the person at the screen.
class GameDiskDialogs {
public:
    virtual ~GameDiskDialogs() = default;
    virtual void Info(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    // "Prepare %d of formatted disks" with OK and Cancel; true for OK.
    virtual bool AskForDisk(int disk) = 0;
    // Copies the list with a progress display; false when the user aborted it or it failed (the
    // user has been told why).
    virtual bool CopyFiles(const CopyList& list) = 0;
};

// "Start Make": IncludeRtpOption written, the staging folder made anew, the response file, the
// project's FullPackageFlag set or deleted, the archive, for a floppy target the pieces and how
// many disks they take, Setup.ini, then the copies (to the folder, or disk by disk). Every failure
// or cancellation ends with "Game Disk Making Stopped"; success with "Game Disk Making Done".
// FullPackageFlag never stays in the project's ini. True when the disk set was made.
bool MakeGameDisk(const GameDiskJob& job, const GameDiskDrives& drives, GameDiskDialogs& dialogs);

} // namespace tarvel
