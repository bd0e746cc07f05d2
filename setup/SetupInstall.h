#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvel::setup {

// What "Setup.ini" beside the installer says about the game disk, section "Setup".
struct SetupInfo {
    std::string projectName; // the archive is projectName + ".lzh"
    std::string gameTitle;
    int diskNumber = 0; // floppy pieces; 0 when the whole archive lies beside the installer
};

// Reads "Setup.ini". Raises std::runtime_error when the file cannot be read or its ProjectName
// is missing or could name a file in another folder.
SetupInfo ReadSetupIni(const std::string& path);

// "Quest.lzh"; the pieces of a floppy set are "Quest.001", "Quest.002", ...
std::string ArchiveFileName(const SetupInfo& info);
std::string PieceFileName(const SetupInfo& info, int disk);

// Where piece `disk` of `count` can be read: a folder, or empty when the user gave up. Called
// once per piece, in order; the installer's window asks for the next disk here.
using DiskPrompt = std::function<std::string(int disk, int count)>;

// The whole archive of a game disk: the ".lzh" in sourceFolder, or the pieces of a floppy set
// joined in order (each read at once, so the disk can be changed afterwards). Raises
// std::runtime_error naming the file that is missing or unreadable. An empty result means the
// user stopped at a disk prompt.
std::vector<uint8_t> GatherArchive(const SetupInfo& info, const std::string& sourceFolder,
                                   const DiskPrompt& nextDisk);

// The folder a game is proposed to go to: home + "/" + project name.
std::string ProposedInstallFolder(const SetupInfo& info, const std::string& home);

} // namespace tarvel::setup
