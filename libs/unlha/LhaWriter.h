#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::unlha {

// Where the archive bytes go: the archive file, or memory in tests and benchmarks.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(const uint8_t* data, size_t size) = 0;
};

class VectorSink : public ByteSink {
public:
    void Write(const uint8_t* data, size_t size) override { Bytes.insert(Bytes.end(), data, data + size); }
    std::vector<uint8_t> Bytes;
};

// Writes LHA archive entries with level-2 headers: a file as -lh5- when that is smaller than the
// data, else stored as -lh0-; a folder as -lhd-. Each header carries the CRC-16 of the data, the
// path (folders separated by 0xFF), the UNIX permissions and the modification time, and a CRC of
// the header itself. Paths are relative and separated by "/"; a path that an extractor would
// place outside its folder ("..", absolute, empty parts) is refused with std::invalid_argument.
class LhaWriter {
public:
    explicit LhaWriter(ByteSink& sink) : mSink(sink) {}

    void AddFolder(const std::string& path, uint32_t mode, int64_t mtime);
    // Returns the method used ("-lh5-" or "-lh0-").
    const char* AddFile(const std::string& path, const uint8_t* data, size_t size, uint32_t mode,
                        int64_t mtime);
    // The end mark; nothing may be added afterwards.
    void Finish();

    uint64_t OriginalBytes() const { return mOriginalBytes; }
    uint64_t PackedBytes() const { return mPackedBytes; }

private:
    void writeEntry(const char* method, const std::string& path, bool folder, const uint8_t* data,
                    size_t packedSize, size_t originalSize, uint16_t crc, uint32_t mode, int64_t mtime);

    ByteSink& mSink;
    std::vector<uint8_t> mPacked;
    uint64_t mOriginalBytes = 0;
    uint64_t mPackedBytes = 0;
};

} // namespace tarvel::unlha
