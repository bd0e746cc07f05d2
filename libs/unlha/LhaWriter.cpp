#include "LhaWriter.h"

#include <algorithm>
#include <stdexcept>

#include "Crc16.h"
#include "Lh5Encoder.h"

namespace tarvel::unlha {

namespace {

constexpr uint8_t kCommonHeader = 0x00; // CRC-16 of the whole header
constexpr uint8_t kFileNameHeader = 0x01;
constexpr uint8_t kFolderNameHeader = 0x02; // folder names, each followed by 0xFF
constexpr uint8_t kUnixModeHeader = 0x50;
constexpr uint8_t kUnixTimeHeader = 0x54;
constexpr size_t kBaseHeaderSize = 26;
constexpr uint32_t kMaxSize = 0xFFFFFFFFu;

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
void set16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

// An extended header: its type and data, then the size of the next one (patched when it comes).
void putExtended(std::vector<uint8_t>& header, uint8_t type, const std::string& data) {
    set16(header, header.size() - 2, static_cast<uint32_t>(1 + data.size() + 2));
    header.push_back(type);
    header.insert(header.end(), data.begin(), data.end());
    put16(header, 0);
}

std::string le16(uint32_t value) {
    return {char(value & 0xFF), char((value >> 8) & 0xFF)};
}
std::string le32(uint32_t value) {
    return le16(value & 0xFFFF) + le16(value >> 16);
}

uint32_t clampTime(int64_t mtime) {
    return static_cast<uint32_t>(std::clamp<int64_t>(mtime, 0, kMaxSize));
}

// Splits "a/b/c" into the folder part ("a\xFFb\xFF") and the name ("c").
void splitPath(const std::string& path, bool folder, std::string& folders, std::string& name) {
    if (path.empty() || path.front() == '/' || path.back() == '/')
        throw std::invalid_argument("invalid archive path \"" + path + "\"");
    if (path.find('\xFF') != std::string::npos || path.find('\0') != std::string::npos)
        throw std::invalid_argument("archive path \"" + path + "\" holds a byte LHA cannot store");
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('/', start);
        std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part.empty() || part == "." || part == "..")
            throw std::invalid_argument("invalid archive path \"" + path + "\"");
        parts.push_back(part);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    folders.clear();
    name.clear();
    if (!folder) {
        name = parts.back();
        parts.pop_back();
    }
    for (const std::string& part : parts)
        folders += part + '\xFF';
}

} // namespace

void LhaWriter::AddFolder(const std::string& path, uint32_t mode, int64_t mtime) {
    writeEntry("-lhd-", path, true, nullptr, 0, 0, 0, mode, mtime);
}

const char* LhaWriter::AddFile(const std::string& path, const uint8_t* data, size_t size, uint32_t mode,
                               int64_t mtime) {
    if (size > kMaxSize) throw std::length_error("\"" + path + "\" is 4 GiB or larger, too large for LHA");
    uint16_t crc = Crc16(data, size);
    if (size > 0 && CompressLh5(data, size, mPacked, size)) {
        writeEntry("-lh5-", path, false, mPacked.data(), mPacked.size(), size, crc, mode, mtime);
        return "-lh5-";
    }
    writeEntry("-lh0-", path, false, data, size, size, crc, mode, mtime);
    return "-lh0-";
}

void LhaWriter::Finish() {
    const uint8_t end = 0;
    mSink.Write(&end, 1);
    ++mPackedBytes;
}

void LhaWriter::writeEntry(const char* method, const std::string& path, bool folder, const uint8_t* data,
                           size_t packedSize, size_t originalSize, uint16_t crc, uint32_t mode,
                           int64_t mtime) {
    std::string folders, name;
    splitPath(path, folder, folders, name);

    std::vector<uint8_t> header;
    put16(header, 0); // total header size, set below
    header.insert(header.end(), method, method + 5);
    put32(header, static_cast<uint32_t>(packedSize));
    put32(header, static_cast<uint32_t>(originalSize));
    put32(header, clampTime(mtime));
    header.push_back(folder ? 0x10 : 0x20); // MS-DOS attribute: folder or archive bit
    header.push_back(2);                    // header level
    put16(header, crc);
    header.push_back('U'); // made on UNIX
    put16(header, 0);      // size of the first extended header

    putExtended(header, kCommonHeader, le16(0));
    const size_t headerCrcAt = kBaseHeaderSize + 1;
    if (!folder) putExtended(header, kFileNameHeader, name);
    if (!folders.empty()) putExtended(header, kFolderNameHeader, folders);
    putExtended(header, kUnixModeHeader, le16(mode & 0xFFFF));
    putExtended(header, kUnixTimeHeader, le32(clampTime(mtime)));
    // Old readers take a first byte of 0 for the end of the archive: pad such a size by one.
    if ((header.size() & 0xFF) == 0) header.push_back(0);
    if (header.size() > 0xFFFF) throw std::invalid_argument("archive path \"" + path + "\" is too long");
    set16(header, 0, static_cast<uint32_t>(header.size()));
    set16(header, headerCrcAt, Crc16(header.data(), header.size()));

    mSink.Write(header.data(), header.size());
    if (packedSize > 0) mSink.Write(data, packedSize);
    mOriginalBytes += originalSize;
    mPackedBytes += header.size() + packedSize;
}

} // namespace tarvel::unlha
