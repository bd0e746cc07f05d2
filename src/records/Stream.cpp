#include "Stream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace tarvel {

void TMemoryStream::SetPosition(int64_t position) {
    if (position < 0) position = 0;
    mPosition = static_cast<size_t>(position);
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0) size = 0;
    mBytes.resize(static_cast<size_t>(size));
    if (mPosition > mBytes.size()) mPosition = mBytes.size();
}

void TMemoryStream::Clear() {
    mBytes.clear();
    mPosition = 0;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (mPosition >= mBytes.size()) return 0;
    size_t available = mBytes.size() - mPosition;
    if (count > available) count = available;
    if (count) std::memcpy(buffer, mBytes.data() + mPosition, count);
    mPosition += count;
    return count;
}

void TMemoryStream::ReadBuffer(void* buffer, size_t count) {
    if (mPosition > mBytes.size() || count > mBytes.size() - mPosition) throw EReadError();
    if (count) std::memcpy(buffer, mBytes.data() + mPosition, count);
    mPosition += count;
}

uint8_t TMemoryStream::ReadByte() {
    if (mPosition >= mBytes.size()) throw EReadError();
    return mBytes[mPosition++];
}

uint32_t TMemoryStream::ReadUInt32LE() {
    uint8_t b[4];
    ReadBuffer(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

uint16_t TMemoryStream::ReadUInt16LE() {
    uint8_t b[2];
    ReadBuffer(b, 2);
    return uint16_t(b[0] | b[1] << 8);
}

void TMemoryStream::Write(const void* buffer, size_t count) {
    if (!count) return;
    size_t end = mPosition + count;
    if (end > mBytes.size()) mBytes.resize(end);
    std::memcpy(mBytes.data() + mPosition, buffer, count);
    mPosition = end;
}

void TMemoryStream::WriteByte(uint8_t value) {
    if (mPosition == mBytes.size()) {
        mBytes.push_back(value);
        ++mPosition;
        return;
    }
    Write(&value, 1);
}

void TMemoryStream::WriteUInt32LE(uint32_t value) {
    uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    Write(b, 4);
}

void TMemoryStream::WriteUInt16LE(uint16_t value) {
    uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    Write(b, 2);
}

void TMemoryStream::CopyFrom(TMemoryStream& source, size_t count) {
    if (source.mPosition > source.mBytes.size() || count > source.mBytes.size() - source.mPosition)
        throw EReadError();
    Write(source.mBytes.data() + source.mPosition, count);
    source.mPosition += count;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
    mBytes = ReadWholeFile(path);
    mPosition = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
    WriteFileAtomically(path, mBytes.data(), mBytes.size());
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFileError("Cannot open file \"" + path + "\"");
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) throw EFileError("Cannot read file \"" + path + "\"");
    in.seekg(0, std::ios::beg);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
        throw EFileError("Cannot read file \"" + path + "\"");
    return bytes;
}

void WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    fs::path target(path);
    fs::path folder = target.parent_path();
    std::string tempName = target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                           std::to_string(std::random_device{}() & 0xFFFFFF);
    fs::path temp = folder.empty() ? fs::path(tempName) : folder / tempName;

    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw EFileError("Cannot create file \"" + path + "\": " + std::strerror(errno));
    size_t written = 0;
    while (written < size) {
        ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            throw EFileError("Cannot write file \"" + path + "\": " + std::strerror(err));
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        throw EFileError("Cannot write file \"" + path + "\": " + std::strerror(err));
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        throw EFileError("Cannot write file \"" + path + "\": " + std::strerror(err));
    }
}

} // namespace tarvel
