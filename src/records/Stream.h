#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel {

// Raised when a reader asks for bytes beyond the end of a stream; the caller decides what of the
// partly read data survives.
class EReadError : public std::runtime_error {
public:
    EReadError() : std::runtime_error("Stream read error") {}
    explicit EReadError(const std::string& what) : std::runtime_error(what) {}
};

// Raised when a file cannot be opened, read or written.
class EFileError : public std::runtime_error {
public:
    explicit EFileError(const std::string& what) : std::runtime_error(what) {}
};

// A positionable byte stream held in memory. Every file of a project is read whole into one of
// these and written from one in a single piece, so readers and writers never touch the disk
// field by field.
class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : mBytes(std::move(bytes)) {}
    TMemoryStream(const uint8_t* data, size_t size) : mBytes(data, data + size) {}

    int64_t Position() const { return static_cast<int64_t>(mPosition); }
    void SetPosition(int64_t position);
    int64_t Size() const { return static_cast<int64_t>(mBytes.size()); }
    int64_t Remaining() const { return Size() - Position(); }
    // Truncates or extends (zero-filled) the stream; the position is clamped to the new size.
    void SetSize(int64_t size);
    void Clear();

    // Reads up to count bytes and returns how many were read.
    size_t Read(void* buffer, size_t count);
    // Reads exactly count bytes or raises EReadError (leaving the position where it was).
    void ReadBuffer(void* buffer, size_t count);
    uint8_t ReadByte();
    uint32_t ReadUInt32LE();
    uint16_t ReadUInt16LE();
    // Writes at the position, growing the stream as needed.
    void Write(const void* buffer, size_t count);
    void WriteByte(uint8_t value);
    void WriteUInt32LE(uint32_t value);
    void WriteUInt16LE(uint16_t value);
    // Copies count bytes from the other stream's position into this one.
    void CopyFrom(TMemoryStream& source, size_t count);

    const std::vector<uint8_t>& Bytes() const { return mBytes; }
    std::vector<uint8_t>& Bytes() { return mBytes; }
    const uint8_t* Data() const { return mBytes.data(); }

    void LoadFromFile(const std::string& path);
    // Writes the whole stream through a temporary file in the same folder that is renamed over
    // the target, so a crash or a full disk never leaves a half-written file behind.
    void SaveToFile(const std::string& path) const;

private:
    std::vector<uint8_t> mBytes;
    size_t mPosition = 0;
};

// Reads a whole file; raises EFileError when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// Writes a whole file through a temporary file and a rename; raises EFileError on failure.
void WriteFileAtomically(const std::string& path, const uint8_t* data, size_t size);

} // namespace tarvel
