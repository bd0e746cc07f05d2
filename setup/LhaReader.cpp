#include "LhaReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "Crc16.h"

namespace tarvel::setup {

namespace {

constexpr size_t kBaseHeaderSize = 26;
constexpr uint8_t kCommonHeader = 0x00;
constexpr uint8_t kFileNameHeader = 0x01;
constexpr uint8_t kFolderNameHeader = 0x02;
constexpr uint8_t kUnixModeHeader = 0x50;
constexpr uint8_t kUnixTimeHeader = 0x54;
constexpr uint32_t kFileTypeMask = 0170000;
constexpr uint32_t kSymbolicLink = 0120000;

uint32_t le16(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
uint32_t le32(const uint8_t* p) {
    return le16(p) | le16(p + 2) << 16;
}

// The stored folder and file names joined into a relative path. Folder names are separated by
// 0xFF; "/" and "\" are taken as separators too, so no part can hide one.
std::string joinPath(const std::string& folders, const std::string& name, size_t headerAt) {
    std::string all = folders;
    if (!name.empty()) all += '\xFF' + name;
    std::string path;
    std::string part;
    auto endPart = [&] {
        if (part.empty()) return;
        if (part == "." || part == "..")
            throw LhaError("entry at byte " + std::to_string(headerAt) +
                           " would be written outside its folder");
        if (!path.empty()) path += '/';
        path += part;
        part.clear();
    };
    for (char c : all) {
        if (c == '\xFF' || c == '/' || c == '\\') {
            endPart();
        } else if (c == '\0') {
            throw LhaError("entry at byte " + std::to_string(headerAt) + " has a name with a zero byte");
        } else {
            part += c;
        }
    }
    endPart();
    if (path.empty()) throw LhaError("entry at byte " + std::to_string(headerAt) + " has no name");
    return path;
}

// Parses one level-2 header at pos; returns its size.
size_t readHeader(const uint8_t* archive, size_t size, size_t pos, LhaEntry& entry) {
    const std::string where = "entry at byte " + std::to_string(pos);
    if (size - pos < kBaseHeaderSize) throw LhaError("archive is cut short in the " + where);
    const uint8_t* h = archive + pos;
    if (h[20] != 2)
        throw LhaError(where + " has header level " + std::to_string(h[20]) + "; only level 2 is read");
    size_t headerSize = le16(h);
    if (headerSize < kBaseHeaderSize) throw LhaError(where + " has a broken header");
    if (size - pos < headerSize) throw LhaError("archive is cut short in the " + where);

    entry.method.assign(reinterpret_cast<const char*>(h + 2), 5);
    entry.packedSize = le32(h + 7);
    entry.originalSize = le32(h + 11);
    entry.mtime = le32(h + 15);
    entry.crc = static_cast<uint16_t>(le16(h + 21));
    entry.folder = entry.method == "-lhd-";

    std::string folders, name;
    bool hasHeaderCrc = false;
    uint16_t headerCrc = 0;
    size_t headerCrcAt = 0;
    size_t at = kBaseHeaderSize;
    size_t next = le16(h + 24);
    while (next != 0) {
        if (next < 3 || headerSize - at < next) throw LhaError(where + " has a broken extended header");
        const uint8_t type = h[at];
        const uint8_t* data = h + at + 1;
        const size_t dataSize = next - 3;
        switch (type) {
        case kCommonHeader:
            if (dataSize >= 2) {
                hasHeaderCrc = true;
                headerCrc = static_cast<uint16_t>(le16(data));
                headerCrcAt = at + 1;
            }
            break;
        case kFileNameHeader:
            name.assign(reinterpret_cast<const char*>(data), dataSize);
            break;
        case kFolderNameHeader:
            folders.assign(reinterpret_cast<const char*>(data), dataSize);
            break;
        case kUnixModeHeader:
            if (dataSize >= 2) {
                entry.hasMode = true;
                entry.mode = le16(data);
            }
            break;
        case kUnixTimeHeader:
            if (dataSize >= 4) entry.mtime = le32(data);
            break;
        default:
            break; // other extended headers (owner, comments, ...) are not needed to install
        }
        at += next;
        next = le16(h + at - 2);
    }
    if (hasHeaderCrc) {
        std::vector<uint8_t> copy(h, h + headerSize);
        copy[headerCrcAt] = copy[headerCrcAt + 1] = 0;
        if (unlha::Crc16(copy.data(), copy.size()) != headerCrc)
            throw LhaError(where + " has a damaged header");
    }
    if (entry.hasMode && (entry.mode & kFileTypeMask) == kSymbolicLink)
        throw LhaError(where + " is a symbolic link, which is not installed");
    entry.path = joinPath(folders, entry.folder ? std::string() : name, pos);
    if (!entry.folder && name.empty()) throw LhaError(where + " is a file without a name");
    entry.dataOffset = pos + headerSize;
    if (entry.folder && entry.packedSize != 0) throw LhaError(where + " is a folder with data");
    if (size - entry.dataOffset < entry.packedSize)
        throw LhaError("archive is cut short in the data of " + entry.path);
    return headerSize;
}

// Writes a file through a temporary file in its folder and a rename, so a file is either all
// there or as it was.
class FileWriter {
public:
    FileWriter(const std::filesystem::path& target) : mTarget(target) {
        std::string pattern =
            (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        mTemp.assign(pattern.begin(), pattern.end());
        mTemp.push_back('\0');
        mFd = ::mkstemp(mTemp.data());
        if (mFd < 0) fail("cannot create");
    }
    ~FileWriter() {
        if (mFd >= 0) ::close(mFd);
        if (!mDone) ::unlink(mTemp.data());
    }
    void Write(const uint8_t* data, size_t size) {
        while (size > 0) {
            ssize_t written = ::write(mFd, data, size);
            if (written < 0) {
                if (errno == EINTR) continue;
                fail("cannot write");
            }
            data += written;
            size -= size_t(written);
        }
    }
    void Finish(uint32_t mode, int64_t mtime) {
        ::fchmod(mFd, mode);
        struct timespec times[2] = {{static_cast<time_t>(mtime), 0}, {static_cast<time_t>(mtime), 0}};
        ::futimens(mFd, times);
        if (::close(mFd) != 0) {
            mFd = -1;
            fail("cannot write");
        }
        mFd = -1;
        if (::rename(mTemp.data(), mTarget.c_str()) != 0) fail("cannot replace");
        mDone = true;
    }

private:
    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string(what) + " \"" + mTarget.string() +
                                 "\": " + std::strerror(errno));
    }
    std::filesystem::path mTarget;
    std::vector<char> mTemp;
    int mFd = -1;
    bool mDone = false;
};

} // namespace

std::vector<LhaEntry> ReadLhaDirectory(const uint8_t* archive, size_t size) {
    std::vector<LhaEntry> entries;
    size_t pos = 0;
    for (;;) {
        if (pos >= size) throw LhaError("archive ends without its end mark (a disk may be missing)");
        if (archive[pos] == 0) break;
        LhaEntry entry;
        size_t headerSize = readHeader(archive, size, pos, entry);
        pos = entry.dataOffset + entry.packedSize;
        (void)headerSize;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void DecodeLhaEntry(const uint8_t* archive, size_t size, const LhaEntry& entry, const ByteReceiver& receive) {
    if (entry.folder) return;
    if (entry.dataOffset > size || size - entry.dataOffset < entry.packedSize)
        throw LhaError("archive is cut short in the data of " + entry.path);
    const uint8_t* packed = archive + entry.dataOffset;
    uint16_t crc = 0;
    uint64_t produced = 0;
    auto take = [&](const uint8_t* data, size_t count) {
        crc = unlha::Crc16(data, count, crc);
        produced += count;
        receive(data, count);
    };
    LzhMethod method;
    if (entry.method == "-lh0-") {
        if (entry.packedSize != entry.originalSize)
            throw LhaError(entry.path + " is stored with a wrong size");
        take(packed, static_cast<size_t>(entry.packedSize));
    } else if (LzhMethodOf(entry.method, method)) {
        DecodeLzh(method, packed, static_cast<size_t>(entry.packedSize), entry.originalSize, take);
    } else {
        throw LhaError(entry.path + " is packed with " + entry.method + ", which the installer cannot read");
    }
    if (produced != entry.originalSize || crc != entry.crc)
        throw LhaError(entry.path + " is damaged (CRC error)");
}

bool ExtractLhaArchive(const uint8_t* archive, size_t size, const std::string& folder,
                       const ExtractProgress& progress) {
    namespace fs = std::filesystem;
    const std::vector<LhaEntry> entries = ReadLhaDirectory(archive, size);
    const fs::path base(folder);
    fs::create_directories(base);
    for (size_t i = 0; i < entries.size(); ++i) {
        const LhaEntry& entry = entries[i];
        if (progress && !progress(i, entries.size(), entry)) return false;
        const fs::path target = base / fs::u8path(entry.path);
        // Owner access is always kept, so the installed game can be updated and removed.
        const uint32_t stored = entry.hasMode ? entry.mode & 0777 : (entry.folder ? 0755 : 0644);
        if (entry.folder) {
            fs::create_directories(target);
            ::chmod(target.c_str(), stored | 0700);
            continue;
        }
        fs::create_directories(target.parent_path());
        FileWriter writer(target);
        DecodeLhaEntry(archive, size, entry,
                       [&](const uint8_t* data, size_t count) { writer.Write(data, count); });
        writer.Finish(stored | 0600, entry.mtime);
    }
    return true;
}

} // namespace tarvel::setup
