#include "ArchiveFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "UnlhaError.h"

namespace tarvel::unlha {

namespace {

constexpr size_t kBufferSize = 1u << 20;

[[noreturn]] void archiveError(const std::string& path, const std::string& why) {
    throw UnlhaError(UNLHA_ERROR_ARCHIVE, "Unlha: cannot write archive \"" + path + "\": " + why);
}

[[noreturn]] void archiveExists(const std::string& path) {
    throw UnlhaError(UNLHA_ERROR_ARCHIVE, "Unlha: \"" + path +
                                              "\" already exists; adding to an existing archive is not "
                                              "supported, nothing was changed");
}

// Renames without ever replacing a file of the target's name.
int renameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without that flag: a hard link fails just as well when the name is taken.
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP) return -1;
    // Nor hard links (FAT and the like): check, then rename.
    struct stat info {};
    if (::lstat(to, &info) == 0) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(from, to);
}

} // namespace

ArchiveFile::ArchiveFile(const std::string& path) : mPath(path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) archiveExists(path);
    // The temporary file is created with the usual permissions (0666 less the umask), so the
    // finished archive is a plain file like any other the user makes.
    auto seed = static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100 && mFd < 0; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".unlha-%d-%06lx", static_cast<int>(::getpid()),
                      (seed + static_cast<unsigned long>(attempt) * 7919u) & 0xFFFFFFu);
        mTempPath = path + suffix;
        mFd = ::open(mTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (mFd < 0 && errno != EEXIST) archiveError(path, std::strerror(errno));
    }
    if (mFd < 0) archiveError(path, "no free temporary name beside it");
    mBuffer.reserve(kBufferSize);
}

ArchiveFile::~ArchiveFile() {
    if (mFd >= 0) {
        ::close(mFd);
        ::unlink(mTempPath.c_str());
    }
}

void ArchiveFile::Write(const uint8_t* data, size_t size) {
    if (mFd < 0) archiveError(mPath, "already closed");
    while (size > 0) {
        size_t n = std::min(size, kBufferSize - mBuffer.size());
        mBuffer.insert(mBuffer.end(), data, data + n);
        data += n;
        size -= n;
        if (mBuffer.size() == kBufferSize) flush();
    }
}

void ArchiveFile::flush() {
    size_t written = 0;
    while (written < mBuffer.size()) {
        ssize_t n = ::write(mFd, mBuffer.data() + written, mBuffer.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        written += static_cast<size_t>(n);
    }
    mBuffer.clear();
}

void ArchiveFile::fail(int err) {
    ::close(mFd);
    ::unlink(mTempPath.c_str());
    mFd = -1;
    archiveError(mPath, std::strerror(err));
}

void ArchiveFile::Commit() {
    if (mFd < 0) archiveError(mPath, "already closed");
    flush();
    if (::fsync(mFd) != 0) fail(errno);
    int fd = mFd;
    mFd = -1;
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(mTempPath.c_str());
        archiveError(mPath, std::strerror(err));
    }
    if (renameNoReplace(mTempPath.c_str(), mPath.c_str()) != 0) {
        int err = errno;
        ::unlink(mTempPath.c_str());
        if (err == EEXIST) archiveExists(mPath);
        archiveError(mPath, std::strerror(err));
    }
}

} // namespace tarvel::unlha
