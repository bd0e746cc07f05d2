#include "SetupInstall.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tarvel::setup {

namespace {

std::string trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return {};
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<uint8_t> readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open \"" + path + "\"");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read \"" + path + "\"");
    return bytes;
}

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

SetupInfo ReadSetupIni(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open \"" + path + "\"");
    SetupInfo info;
    bool inSetup = false;
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            inSetup = line.back() == ']' && sameText(trim(line.substr(1, line.size() - 2)), "Setup");
            continue;
        }
        size_t equals = line.find('=');
        if (!inSetup || equals == std::string::npos) continue;
        std::string key = trim(line.substr(0, equals));
        std::string value = trim(line.substr(equals + 1));
        if (sameText(key, "ProjectName")) {
            info.projectName = value;
        } else if (sameText(key, "GameTitle")) {
            info.gameTitle = value;
        } else if (sameText(key, "DiskNumber")) {
            try {
                info.diskNumber = std::max(0, std::stoi(value));
            } catch (const std::exception&) {
                info.diskNumber = 0;
            }
        }
    }
    if (info.projectName.empty()) throw std::runtime_error("\"" + path + "\" names no project");
    if (info.projectName.find_first_of("/\\") != std::string::npos || info.projectName == "." ||
        info.projectName == "..")
        throw std::runtime_error("\"" + path + "\" names a project that is no plain folder name");
    if (info.gameTitle.empty()) info.gameTitle = info.projectName;
    return info;
}

std::string ArchiveFileName(const SetupInfo& info) {
    return info.projectName + ".lzh";
}

std::string PieceFileName(const SetupInfo& info, int disk) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%.3d", disk);
    return info.projectName + suffix;
}

std::vector<uint8_t> GatherArchive(const SetupInfo& info, const std::string& sourceFolder,
                                   const DiskPrompt& nextDisk) {
    if (info.diskNumber == 0) return readWhole(inFolder(sourceFolder, ArchiveFileName(info)));
    std::vector<uint8_t> archive;
    for (int disk = 1; disk <= info.diskNumber; ++disk) {
        // The first piece lies beside the installer; every further one is on a disk the user
        // puts in when asked.
        std::string folder = disk == 1 ? sourceFolder : nextDisk(disk, info.diskNumber);
        if (folder.empty()) return {};
        std::vector<uint8_t> piece = readWhole(inFolder(folder, PieceFileName(info, disk)));
        archive.insert(archive.end(), piece.begin(), piece.end());
    }
    return archive;
}

std::string ProposedInstallFolder(const SetupInfo& info, const std::string& home) {
    return inFolder(home, info.projectName);
}

} // namespace tarvel::setup
