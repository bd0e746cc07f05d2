#include "ArchiveCommand.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ArchiveFile.h"
#include "CommandLine.h"
#include "LhaWriter.h"
#include "SourceCollector.h"
#include "UnlhaError.h"

namespace tarvel::unlha {

namespace {

constexpr uint64_t kMaxFileSize = 0xFFFFFFFFu;

[[noreturn]] void readError(const std::string& path, const std::string& why) {
    throw UnlhaError(UNLHA_ERROR_SOURCE, "Unlha: cannot read \"" + path + "\": " + why);
}

// Reads a whole regular file, with its mode and modification time.
void readSource(const std::string& path, std::vector<uint8_t>& data, struct stat& info) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) readError(path, std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &info) != 0) readError(path, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) readError(path, "not a regular file");
    if (static_cast<uint64_t>(info.st_size) > kMaxFileSize)
        readError(path, "4 GiB or larger, too large for an LHA archive");
    data.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::read(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) readError(path, std::strerror(errno));
        if (n == 0) break; // shrank while being read: archive what is there
        done += static_cast<size_t>(n);
    }
    data.resize(done);
}

std::string plural(uint64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string runCommand(const char* text) {
    if (!text) throw UnlhaError(UNLHA_ERROR_COMMAND_LINE, "Unlha: no command line given");
    CommandLine command = ParseCommandLine(text);

    std::vector<SourceGroup> groups;
    if (!command.names.empty()) groups.push_back({std::string(), command.names});
    for (const std::string& file : command.responseFiles) {
        std::vector<SourceGroup> listed = ParseResponseText(ReadResponseFile(file), file);
        groups.insert(groups.end(), listed.begin(), listed.end());
    }
    std::vector<ArchiveMember> members = CollectMembers(groups, command.recursion, command.storeFolders);

    ArchiveFile archive(command.archive);
    LhaWriter writer(archive);
    std::vector<uint8_t> data;
    uint64_t files = 0, folders = 0;
    for (const ArchiveMember& member : members) {
        try {
            if (member.folder) {
                writer.AddFolder(member.archivePath, member.mode, member.mtime);
                ++folders;
                continue;
            }
            struct stat info {};
            readSource(member.source, data, info);
            writer.AddFile(member.archivePath, data.data(), data.size(), static_cast<uint32_t>(info.st_mode),
                           info.st_mtime);
            ++files;
        } catch (const std::invalid_argument& e) {
            throw UnlhaError(UNLHA_ERROR_SOURCE, std::string("Unlha: ") + e.what());
        }
    }
    writer.Finish();
    archive.Commit();
    return "Unlha: " + plural(files, "file", "files") + " and " + plural(folders, "folder", "folders") +
           " archived into \"" + command.archive + "\" (" + std::to_string(writer.OriginalBytes()) +
           " bytes packed to " + std::to_string(writer.PackedBytes()) + ")";
}

} // namespace

int RunUnlhaCommand(const char* commandLine, std::string& message) {
    try {
        message = runCommand(commandLine);
        return UNLHA_OK;
    } catch (const UnlhaError& e) {
        message = e.what();
        return e.Code();
    } catch (const std::bad_alloc&) {
        message = "Unlha: out of memory";
    } catch (const std::exception& e) {
        message = std::string("Unlha: ") + e.what();
    } catch (...) {
        message = "Unlha: unexpected failure";
    }
    return UNLHA_ERROR_INTERNAL;
}

} // namespace tarvel::unlha
