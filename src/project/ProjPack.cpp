#include "ProjPack.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "FileCopy.h"
#include "platform/DiskSplit.h"
#include "platform/Drives.h"
#include "platform/IniFile.h"
#include "platform/Material.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "records/Stream.h"

namespace tarvel {

namespace {

const GameDiskDrives* gDrives = nullptr;

std::string utf8(const QString& text) {
    return text.toStdString();
}

QString quoted(const QString& path) {
    return "\"" + path + "\"";
}

// The nearest existing folder at or above the path: a folder still to be made lies on the
// volume of its nearest existing parent.
QString existingAncestor(const QString& path) {
    QString current = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo::exists(current)) {
        QString parent = QFileInfo(current).absolutePath();
        if (parent == current) break;
        current = parent;
    }
    return current;
}

QString formatNumber(const char* text, int number) {
    return QString::asprintf(text, number);
}

} // namespace

const QString SoundLibraryFileName = "libconsort.so";
const QString ArchiverLibraryFileName = "libunlha.so";
const QString ArchiverDiskName = "UNLHA32.DLL";

// ---- drives ----

bool GameDiskDrives::IsFloppyDrive(const QString& path) const {
    return tarvel::IsFloppyDrive(path);
}
bool GameDiskDrives::IsCdRomDrive(const QString& path) const {
    return tarvel::IsCdRomDrive(path);
}
bool GameDiskDrives::IsDriveReady(const QString& path) const {
    return tarvel::IsDriveReady(path);
}

bool GameDiskDrives::HasMedium(const QString& path) const {
    // A floppy drive without a disk has nothing mounted; the path then lies on another volume.
    // An empty, freshly formatted disk has a medium too.
    return IsFloppyDrive(path) && IsDriveReady(path);
}

QString GameDiskDrives::DriveRoot(const QString& path) const {
    return IncludeTrailingPathDelimiter(QStorageInfo(existingAncestor(path)).rootPath());
}

QString GameDiskDrives::FindFloppyDrive() const {
    QString root = tarvel::FindFloppyDrive();
    return root.isEmpty() ? root : IncludeTrailingPathDelimiter(root);
}

const GameDiskDrives& DiskDrives() {
    static const GameDiskDrives system;
    return gDrives ? *gDrives : system;
}

void SetGameDiskDrives(const GameDiskDrives* drives) {
    gDrives = drives;
}

QString ProposedDiskTarget(const GameDiskDrives& drives, const QString& projectName) {
    QString floppy = drives.FindFloppyDrive();
    if (!floppy.isEmpty()) return floppy;
    return IncludeTrailingPathDelimiter(QDir::homePath()) + "GameDisks/" + projectName + "/";
}

// ---- "Choose Disk Path" ----

bool CanAcceptDiskPath(const QString& text) {
    return text.startsWith('/');
}

QString FullDiskPath(const QString& text) {
    return IncludeTrailingPathDelimiter(QDir::cleanPath(QFileInfo(text).absoluteFilePath()));
}

DiskPathCheck CheckDiskPath(const QString& fullPath, const GameDiskDrives& drives) {
    if (drives.IsFloppyDrive(fullPath)) {
        // Disks are written at their root only, where the installer finds its pieces.
        if (fullPath != drives.DriveRoot(fullPath)) return DiskPathCheck::RefusedPath;
    } else if (drives.IsCdRomDrive(fullPath)) {
        return DiskPathCheck::RefusedPath;
    }
    if (!drives.IsDriveReady(fullPath)) return DiskPathCheck::NotReady;
    if (QFileInfo(fullPath).isDir()) return DiskPathCheck::Accepted;
    return DiskPathCheck::AskToMake;
}

// ---- the job ----

GameDiskJob GameDiskJob::ForOpenProject(const QString& target, bool includeRtp) {
    GameDiskJob job;
    job.projectPath = IncludeTrailingPathDelimiter(ProjectPath());
    job.projectName = QDir(job.projectPath).dirName();
    job.gameTitle = ProjectIni::GameTitle(job.projectPath);
    job.runtimePackagePath = RuntimePackagePath();
    job.soundLibraryFile =
        ConsortLib().IsLoaded() ? ConsortLib().FileName() : ApplicationFolder() + SoundLibraryFileName;
    job.includeRtp = includeRtp;
    job.target = IncludeTrailingPathDelimiter(target);
    job.editorFolder = ApplicationFolder();
    job.stagingFolder = TempWorkFolder() + "/GameDisk";
    job.archiver = UnlhaLib().Unlha();
    return job;
}

QString GameDiskJob::ArchivePath() const {
    return stagingFolder + "/" + projectName + ".lzh";
}
QString GameDiskJob::ResponsePath() const {
    return stagingFolder + "/Response.lst";
}
QString GameDiskJob::SetupIniPath() const {
    return stagingFolder + "/Setup.ini";
}
QString GameDiskJob::PiecePath(int piece) const {
    return stagingFolder + "/" + projectName + QString::asprintf(".%.3d", piece);
}

QStringList ResponseLines(const GameDiskJob& job) {
    QStringList folders;
    for (const MaterialFolderInfo& folder : MaterialFolders())
        folders << folder.name;
    QStringList lines;
    if (job.includeRtp) lines << quoted(job.runtimePackagePath) << folders;
    lines << quoted(job.projectPath) << folders;
    lines << "QUORIN.exe"
          << "QUORIN.qdb"
          << "QUORIN.ini"
          << "QUORIN.qmt"
          << "Map????.qmu";
    if (job.includeRtp) {
        // The package normally holds the sound library; a package without one (as installed
        // here) gets the library the editor runs with, so the game still has its sound.
        if (QFileInfo(job.runtimePackagePath + SoundLibraryFileName).isFile()) {
            lines << quoted(job.runtimePackagePath) << SoundLibraryFileName;
        } else if (QFileInfo(job.soundLibraryFile).isFile()) {
            QFileInfo library(job.soundLibraryFile);
            lines << quoted(IncludeTrailingPathDelimiter(library.absolutePath())) << library.fileName();
        }
    }
    return lines;
}

QString ArchiverCommandLine(const QString& archive, const QString& response) {
    QString responseWord = response.contains(' ') ? quoted(response) : response;
    return "a -+ -r2 -d " + quoted(archive) + " @" + responseWord;
}

void WriteSetupIni(const QString& path, const GameDiskJob& job, int diskNumber) {
    IniFile ini(utf8(path));
    ini.writeString("Setup", "ProjectName", utf8(job.projectName));
    ini.writeString("Setup", "GameTitle", utf8(job.gameTitle));
    ini.writeInteger("Setup", "DiskNumber", diskNumber);
    ini.save();
}

// ---- copying ----

CopyList SetupCopyList(const GameDiskJob& job) {
    const QString editor = IncludeTrailingPathDelimiter(job.editorFolder);
    return {
        {job.SetupIniPath(), job.target + "Setup.ini"},
        {editor + "Setup.exe.dat", job.target + "Setup.exe"},
        {editor + ArchiverLibraryFileName, job.target + ArchiverDiskName},
        {editor + "UNLHA32.TXT", job.target + "UNLHA32.TXT"},
    };
}

qint64 CopyListBytes(const CopyList& list) {
    qint64 total = 0;
    for (const CopyItem& item : list)
        total += QFileInfo(item.source).size();
    return total;
}

bool CopyFileList(const CopyList& list,
                  const std::function<bool(qint64 done, qint64 total, const QString& file)>& progress) {
    const qint64 total = CopyListBytes(list);
    qint64 before = 0;
    for (const CopyItem& item : list) {
        const QString folder = QFileInfo(item.destination).absolutePath();
        if (!QDir().mkpath(folder)) throw EFileError("Cannot create folder \"" + utf8(folder) + "\"");
        const QString name = QFileInfo(item.destination).fileName();
        if (progress && !progress(before, total, name)) return false;
        bool copied = CopyFileReplacing(item.source, item.destination, std::nullopt, [&](qint64 done) {
            return !progress || progress(before + done, total, name);
        });
        if (!copied) return false;
        before += QFileInfo(item.destination).size();
    }
    return true;
}

// ---- "Start Make" ----

bool MakeGameDisk(const GameDiskJob& job, const GameDiskDrives& drives, GameDiskDialogs& dialogs) {
    auto stopped = [&] {
        dialogs.Error(GameDiskMessage::Stopped);
        return false;
    };

    UserSettings::SetIncludeRtpOption(job.includeRtp);
    RecreateFolder(job.stagingFolder);

    // The archive, with the project's ini recording whether the runtime package is inside.
    int archived = -1;
    try {
        QByteArray response = ResponseLines(job).join('\n').toUtf8() + '\n';
        WriteFileAtomically(utf8(job.ResponsePath()), reinterpret_cast<const uint8_t*>(response.constData()),
                            size_t(response.size()));
        ProjectIni::SetFullPackageFlag(job.projectPath, job.includeRtp);
        if (job.archiver) {
            QByteArray command = ArchiverCommandLine(job.ArchivePath(), job.ResponsePath()).toUtf8();
            try {
                archived = job.archiver(nullptr, command.constData(), nullptr, 0);
            } catch (...) {
                archived = -1;
            }
        }
    } catch (const std::exception&) {
        archived = -1;
    }
    try {
        ProjectIni::SetFullPackageFlag(job.projectPath, false);
    } catch (const std::exception&) {
        // Nothing more can be done about an ini that cannot be written; the archive says it.
        archived = archived == 0 ? -1 : archived;
    }
    if (archived != 0) return stopped();

    const bool floppy = drives.IsFloppyDrive(job.target);
    int disks = 0;
    try {
        if (floppy) {
            disks = SplitFileForDisks(utf8(job.ArchivePath()), utf8(job.stagingFolder), FirstPieceSize,
                                      PieceSize);
            dialogs.Info(formatNumber(GameDiskMessage::DisksNecessary, disks));
        }
        WriteSetupIni(job.SetupIniPath(), job, disks);
    } catch (const std::exception& e) {
        dialogs.Error(QString::fromStdString(e.what()));
        return stopped();
    }

    CopyList list = SetupCopyList(job);
    if (!floppy) {
        list.push_back({job.ArchivePath(), job.target + QFileInfo(job.ArchivePath()).fileName()});
        if (!dialogs.CopyFiles(list)) return stopped();
    } else {
        for (int disk = 1; disk <= disks; ++disk) {
            do {
                if (!dialogs.AskForDisk(disk)) return stopped();
            } while (!drives.HasMedium(job.target));
            // The installer and its files go onto the first disk only.
            if (disk >= 2) list.clear();
            const QString piece = job.PiecePath(disk);
            list.push_back({piece, job.target + QFileInfo(piece).fileName()});
            if (!dialogs.CopyFiles(list)) return stopped();
        }
    }
    dialogs.Info(GameDiskMessage::Done);
    return true;
}

} // namespace tarvel
