#include "PrismPng.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <zlib.h>

namespace tarvel {

namespace {

const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t readBE32(TMemoryStream& stream) {
    uint8_t b[4];
    stream.ReadBuffer(b, 4);
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}

void putBE32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

bool isType(const char type[4], const char* name) {
    return std::memcmp(type, name, 4) == 0;
}

// Moves past a chunk's data without copying it; a length beyond the end of the file is the
// stream's read error, never an allocation.
const uint8_t* takeChunkData(TMemoryStream& stream, uint32_t length) {
    if (int64_t(length) > stream.Remaining()) throw EReadError();
    const uint8_t* data = stream.Data() + stream.Position();
    stream.SetPosition(stream.Position() + length);
    return data;
}

struct InflateGuard {
    z_stream* z;
    ~InflateGuard() { inflateEnd(z); }
};
struct DeflateGuard {
    z_stream* z;
    ~DeflateGuard() { deflateEnd(z); }
};

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    if (pb <= pc) return b;
    return c;
}

// Undoes the filter of one row in place. row[0] is the filter byte; prior is the previous row
// (zeros for the first).
void unfilterRow(uint8_t* row, const uint8_t* prior, size_t length, int bpp) {
    uint8_t* cur = row + 1;
    const uint8_t* up = prior + 1;
    switch (row[0]) {
    case 0:
        break;
    case 1:
        for (size_t i = size_t(bpp); i < length; ++i)
            cur[i] = uint8_t(cur[i] + cur[i - bpp]);
        break;
    case 2:
        for (size_t i = 0; i < length; ++i)
            cur[i] = uint8_t(cur[i] + up[i]);
        break;
    case 3:
        for (size_t i = 0; i < length; ++i) {
            const int left = i >= size_t(bpp) ? cur[i - bpp] : 0;
            cur[i] = uint8_t(cur[i] + ((left + up[i]) >> 1));
        }
        break;
    case 4:
        for (size_t i = 0; i < length; ++i) {
            const int left = i >= size_t(bpp) ? cur[i - bpp] : 0;
            const int upLeft = i >= size_t(bpp) ? up[i - bpp] : 0;
            cur[i] = uint8_t(cur[i] + paeth(left, up[i], upLeft));
        }
        break;
    default:
        // Not one of the five filters PNG defines: the data are damaged.
        throw EPictureError("Invalid PNG Image");
    }
}

// The row-by-row decoding state, kept across IDAT chunks.
struct PngDecoder {
    explicit PngDecoder(TBitmap& target) : bitmap(target) {}
    TBitmap& bitmap;
    z_stream z{};
    bool haveHeader = false;
    int bytesPerPixel = 1;
    size_t rowLength = 0; // without the filter byte
    std::vector<uint8_t> current, prior;
    size_t filled = 0; // bytes of the current row (with its filter byte) inflated so far
    int row = 0;
    bool dataEnded = false;

    void header(TMemoryStream& stream, uint32_t length) {
        // A shorter header would take its fields from the next chunk, a second one would resize the
        // picture halfway through: both are damaged files.
        if (length != 13 || haveHeader) throw EPictureError("Invalid PNG Image");
        const uint32_t width = readBE32(stream), height = readBE32(stream);
        uint8_t f[5];
        stream.ReadBuffer(f, 5);
        const int depth = f[0], colourType = f[1], interlace = f[4];
        TPixelFormat format;
        if (colourType == 2 && depth == 8) {
            format = TPixelFormat::pf24bit;
            bytesPerPixel = 3;
        } else if (colourType == 3 && depth == 8) {
            format = TPixelFormat::pf8bit;
            bytesPerPixel = 1;
        } else {
            throw EPictureError("Unsupported PNG Image");
        }
        if (interlace != 0) throw EPictureError("Unsupported PNG Image");
        if (!PictureSizeAcceptable(width, height)) throw EPictureError("Invalid PNG Image");
        bitmap.Reset(format, int(width), int(height));
        rowLength = size_t(width) * size_t(bytesPerPixel);
        current.assign(rowLength + 1, 0);
        prior.assign(rowLength + 1, 0);
        haveHeader = true;
    }

    void finishRow() {
        unfilterRow(current.data(), prior.data(), rowLength, bytesPerPixel);
        uint8_t* target = bitmap.ScanLine(row);
        if (rowLength) std::memcpy(target, current.data() + 1, rowLength);
        if (bytesPerPixel == 3)
            for (size_t i = 0; i + 2 < rowLength; i += 3)
                std::swap(target[i], target[i + 2]);
        std::swap(current, prior);
        filled = 0;
        ++row;
    }

    void imageData(TMemoryStream& stream, uint32_t length) {
        if (!haveHeader) throw EPictureError("Invalid PNG Image");
        const uint8_t* data = takeChunkData(stream, length);
        // Once every row is complete (or the compressed data have ended) later IDATs decode nothing.
        if (row >= bitmap.Height() || dataEnded) return;
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = length;
        while (row < bitmap.Height()) {
            z.next_out = current.data() + filled;
            z.avail_out = uInt(current.size() - filled);
            const int result = inflate(&z, Z_NO_FLUSH);
            if (result == Z_NEED_DICT || (result < 0 && result != Z_BUF_ERROR))
                throw EPictureError("Zlib Error");
            filled = current.size() - z.avail_out;
            if (filled == current.size()) {
                finishRow();
                continue;
            }
            if (result == Z_STREAM_END) {
                // The compressed data end before the picture does: the missing rows stay index 0.
                dataEnded = true;
                return;
            }
            if (z.avail_in == 0) {
                // At a row boundary the chunk loop resumes (ancillary chunks may stand between);
                // inside a row the data must go on in the very next chunk.
                if (filled == 0) return;
                const int64_t crcAt = stream.Position();
                readBE32(stream); // CRC, not verified
                const uint32_t nextLength = readBE32(stream);
                char type[4];
                stream.ReadBuffer(type, 4);
                if (isType(type, "IEND")) {
                    // The data stop inside a row: that row and the rest stay index 0, like an XYZ
                    // picture whose data end early. The chunk loop reads the IEND itself.
                    stream.SetPosition(crcAt);
                    dataEnded = true;
                    return;
                }
                if (!isType(type, "IDAT")) throw EPictureError("Invalid PNG Image");
                z.next_in = const_cast<Bytef*>(takeChunkData(stream, nextLength));
                z.avail_in = nextLength;
                continue;
            }
            // Input and room left, yet no progress: zlib cannot go on.
            if (result == Z_BUF_ERROR) throw EPictureError("Zlib Error");
        }
    }
};

void writeChunk(TMemoryStream& stream, const char* type, const uint8_t* data, size_t length) {
    uint8_t head[8];
    putBE32(head, uint32_t(length));
    std::memcpy(head + 4, type, 4);
    stream.Write(head, 8);
    if (length) stream.Write(data, length);
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    if (length) crc = crc32(crc, data, uInt(length));
    uint8_t tail[4];
    putBE32(tail, uint32_t(crc));
    stream.Write(tail, 4);
}

} // namespace

void ReadPngStream(TBitmap& bitmap, TMemoryStream& stream) {
    uint8_t signature[8];
    if (stream.Read(signature, 8) != 8 || std::memcmp(signature, kPngSignature, 8) != 0)
        throw EPictureError("Invalid PNG Image");
    PngDecoder decoder(bitmap);
    if (inflateInit(&decoder.z) != Z_OK) throw EPictureError("Zlib Error");
    InflateGuard guard{&decoder.z};
    uint8_t palette[768] = {};
    bitmap.Palette() = TPalette{};

    for (;;) {
        const uint32_t length = readBE32(stream);
        char type[4];
        stream.ReadBuffer(type, 4);
        if (isType(type, "IHDR")) {
            decoder.header(stream, length);
        } else if (isType(type, "PLTE")) {
            if (length > 768) throw EPictureError("Invalid PNG Image");
            stream.ReadBuffer(palette, length);
            for (int i = 0; i < 256; ++i)
                bitmap.Palette()[i] = {palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2], 0};
        } else if (isType(type, "IDAT")) {
            decoder.imageData(stream, length);
        } else if (isType(type, "IEND")) {
            if (length != 0) throw EPictureError("Invalid PNG Image");
            // The CRC of IEND is skipped when present; a file cut right after IEND still loads.
            stream.SetPosition(std::min(stream.Size(), stream.Position() + 4));
            break;
        } else {
            takeChunkData(stream, length);
        }
        readBE32(stream); // CRC, not verified
    }
}

void WritePngStream(const TBitmap& bitmap, TMemoryStream& stream) {
    TBitmap picture = bitmap;
    const bool indexed = IsIndexed(picture.PixelFormat());
    picture.SetPixelFormat(indexed ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);

    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) throw EPictureError("Zlib Error");
    DeflateGuard guard{&z};

    stream.Write(kPngSignature, 8);
    uint8_t header[13];
    putBE32(header, uint32_t(picture.Width()));
    putBE32(header + 4, uint32_t(picture.Height()));
    header[8] = 8;
    header[9] = indexed ? 3 : 2;
    header[10] = header[11] = header[12] = 0;
    writeChunk(stream, "IHDR", header, 13);
    if (indexed) {
        uint8_t palette[768];
        for (int i = 0; i < 256; ++i) {
            palette[i * 3] = picture.Palette()[i].red;
            palette[i * 3 + 1] = picture.Palette()[i].green;
            palette[i * 3 + 2] = picture.Palette()[i].blue;
        }
        writeChunk(stream, "PLTE", palette, 768);
    }

    std::vector<uint8_t> output(kPngIdatSize);
    z.next_out = output.data();
    z.avail_out = uInt(output.size());
    auto flushFull = [&] {
        if (z.avail_out == 0) {
            writeChunk(stream, "IDAT", output.data(), output.size());
            z.next_out = output.data();
            z.avail_out = uInt(output.size());
        }
    };

    const size_t rowLength = picture.RowBytes();
    std::vector<uint8_t> row(rowLength + 1);
    for (int y = 0; y < picture.Height(); ++y) {
        row[0] = 0;
        if (rowLength) std::memcpy(row.data() + 1, picture.ScanLine(y), rowLength);
        if (!indexed)
            for (size_t i = 1; i + 2 <= rowLength; i += 3)
                std::swap(row[i], row[i + 2]);
        z.next_in = row.data();
        z.avail_in = uInt(row.size());
        while (z.avail_in > 0) {
            if (deflate(&z, Z_NO_FLUSH) < 0) throw EPictureError("Zlib Error");
            flushFull();
        }
    }
    for (;;) {
        const int result = deflate(&z, Z_FINISH);
        if (result < 0) throw EPictureError("Zlib Error");
        flushFull();
        if (result == Z_STREAM_END) break;
    }
    const size_t rest = output.size() - z.avail_out;
    if (rest > 0) writeChunk(stream, "IDAT", output.data(), rest);
    writeChunk(stream, "IEND", nullptr, 0);
}

void ReadPngFile(TBitmap& bitmap, const std::string& fileName) {
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    ReadPngStream(bitmap, stream);
}

void WritePngFile(const TBitmap& bitmap, const std::string& fileName) {
    TMemoryStream stream;
    WritePngStream(bitmap, stream);
    stream.SaveToFile(fileName);
}

} // namespace tarvel
