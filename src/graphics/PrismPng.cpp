#include "PrismPng.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <zlib.h>

#include "Adler32.h"

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

// zlib's states are large (about 270 KB to compress at the default level, 40 KB to decompress):
// each thread keeps one of each and resets it for the next picture, which gives the very bytes a
// new one would and spares the allocations and the page faults of fresh memory. The same holds for
// the buffers of rows.
class ThreadZlib {
public:
    ~ThreadZlib() {
        if (mDeflating) deflateEnd(&mDeflate);
        if (mInflating) inflateEnd(&mInflate);
    }
    z_stream& Deflater() {
        if (!mDeflating) {
            mDeflate = z_stream{};
            // Raw deflate: the zlib header and checksum are written around it (see WritePngStream).
            if (deflateInit2(&mDeflate, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                             Z_DEFAULT_STRATEGY) != Z_OK)
                throw EPictureError("Zlib Error");
            mDeflating = true;
        } else if (deflateReset(&mDeflate) != Z_OK) {
            throw EPictureError("Zlib Error");
        }
        return mDeflate;
    }
    z_stream& Inflater() {
        if (!mInflating) {
            mInflate = z_stream{};
            if (inflateInit(&mInflate) != Z_OK) throw EPictureError("Zlib Error");
            mInflating = true;
        } else if (inflateReset(&mInflate) != Z_OK) {
            throw EPictureError("Zlib Error");
        }
        return mInflate;
    }
    std::vector<uint8_t> rows, other;

    // Gives back buffers that a very wide picture made large.
    struct Trim {
        ThreadZlib& zlib;
        ~Trim() {
            for (std::vector<uint8_t>* buffer : {&zlib.rows, &zlib.other})
                if (buffer->capacity() > kKeptBufferBytes) std::vector<uint8_t>().swap(*buffer);
        }
    };

private:
    static constexpr size_t kKeptBufferBytes = 1024 * 1024;
    z_stream mDeflate{}, mInflate{};
    bool mDeflating = false, mInflating = false;
};

ThreadZlib& threadZlib() {
    thread_local ThreadZlib zlib;
    return zlib;
}

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    if (pb <= pc) return b;
    return c;
}

// Undoes the filter of one row in place. row[0] is the filter byte; prior is the previous row
// (zeros for the first). The first pixel of a row has no left neighbour, so it is done apart and
// the inner loops run without a test per byte.
void unfilterRow(uint8_t* row, const uint8_t* prior, size_t length, int bpp) {
    uint8_t* cur = row + 1;
    const uint8_t* up = prior + 1;
    const size_t first = std::min(length, size_t(bpp));
    switch (row[0]) {
    case 0:
        break;
    case 1:
        for (size_t i = first; i < length; ++i)
            cur[i] = uint8_t(cur[i] + cur[i - bpp]);
        break;
    case 2:
        for (size_t i = 0; i < length; ++i)
            cur[i] = uint8_t(cur[i] + up[i]);
        break;
    case 3:
        for (size_t i = 0; i < first; ++i)
            cur[i] = uint8_t(cur[i] + (up[i] >> 1));
        for (size_t i = first; i < length; ++i)
            cur[i] = uint8_t(cur[i] + ((cur[i - bpp] + up[i]) >> 1));
        break;
    case 4:
        for (size_t i = 0; i < first; ++i)
            cur[i] = uint8_t(cur[i] + up[i]);
        for (size_t i = first; i < length; ++i)
            cur[i] = uint8_t(cur[i] + paeth(cur[i - bpp], up[i], up[i - bpp]));
        break;
    default:
        // Not one of the five filters PNG defines: the data are damaged.
        throw EPictureError("Invalid PNG Image");
    }
}

// Copies red-green-blue pixels to blue-green-red ones.
void copySwapped(uint8_t* target, const uint8_t* source, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i, target += 3, source += 3) {
        target[0] = source[2];
        target[1] = source[1];
        target[2] = source[0];
    }
}

// About this many bytes of rows are inflated at a time: zlib decodes much faster into a large
// buffer than row by row.
constexpr size_t kInflateBatchBytes = 128 * 1024;

// The row-by-row decoding state, kept across IDAT chunks. Rows are inflated in batches into one
// buffer, unfiltered in place (each against the row before it in the buffer) and copied to the
// picture; a row cut by the end of a batch moves to the front of the buffer.
struct PngDecoder {
    PngDecoder(TBitmap& target, ThreadZlib& zlib)
        : bitmap(target), z(zlib.Inflater()), batch(zlib.rows), prior(zlib.other) {}
    TBitmap& bitmap;
    z_stream& z;
    bool haveHeader = false;
    int bytesPerPixel = 1;
    size_t rowLength = 0; // without the filter byte
    size_t rowSize = 0;   // with it
    std::vector<uint8_t>& batch;
    std::vector<uint8_t>& prior; // the last finished row of the previous batch, zeros at first
    size_t filled = 0;           // bytes of unfinished rows at the front of the batch
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
        rowSize = rowLength + 1;
        const size_t rows = std::max<size_t>(1, std::min<size_t>(kInflateBatchBytes / rowSize, height));
        batch.resize(rows * rowSize);
        prior.assign(rowSize, 0);
        haveHeader = true;
    }

    // Unfilters and stores the whole rows at the front of the batch; keeps the unfinished rest.
    void finishRows() {
        const size_t complete = filled / rowSize;
        if (complete == 0) return;
        for (size_t i = 0; i < complete; ++i) {
            uint8_t* current = batch.data() + i * rowSize;
            unfilterRow(current, i == 0 ? prior.data() : current - rowSize, rowLength, bytesPerPixel);
            uint8_t* target = bitmap.ScanLine(row + int(i));
            if (bytesPerPixel == 3)
                copySwapped(target, current + 1, rowLength / 3);
            else if (rowLength)
                std::memcpy(target, current + 1, rowLength);
        }
        const size_t done = complete * rowSize;
        std::memcpy(prior.data(), batch.data() + done - rowSize, rowSize);
        std::memmove(batch.data(), batch.data() + done, filled - done);
        filled -= done;
        row += int(complete);
    }

    void imageData(TMemoryStream& stream, uint32_t length) {
        if (!haveHeader) throw EPictureError("Invalid PNG Image");
        const uint8_t* data = takeChunkData(stream, length);
        // Once every row is complete (or the compressed data have ended) later IDATs decode nothing.
        if (row >= bitmap.Height() || dataEnded) return;
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = length;
        while (row < bitmap.Height()) {
            // Never more than the rows still missing, so the stream's end is never read into a row.
            const size_t room = std::min(batch.size(), size_t(bitmap.Height() - row) * rowSize);
            z.next_out = batch.data() + filled;
            z.avail_out = uInt(room - filled);
            const int result = inflate(&z, Z_NO_FLUSH);
            if (result == Z_NEED_DICT || (result < 0 && result != Z_BUF_ERROR))
                throw EPictureError("Zlib Error");
            const size_t before = filled;
            filled = room - z.avail_out;
            const bool progress = filled != before;
            finishRows();
            if (row >= bitmap.Height()) break;
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
            if (result == Z_BUF_ERROR && !progress) throw EPictureError("Zlib Error");
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
    ThreadZlib& zlib = threadZlib();
    ThreadZlib::Trim trim{zlib};
    PngDecoder decoder(bitmap, zlib);
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
    // A picture already in one of the two written layouts is read as it is; others are converted
    // on a copy, so the caller's picture never changes.
    const bool indexed = IsIndexed(bitmap.PixelFormat());
    const TPixelFormat format = indexed ? TPixelFormat::pf8bit : TPixelFormat::pf24bit;
    TBitmap converted;
    const TBitmap* source = &bitmap;
    if (bitmap.PixelFormat() != format) {
        converted = bitmap;
        converted.SetPixelFormat(format);
        source = &converted;
    }
    const TBitmap& picture = *source;

    ThreadZlib& zlib = threadZlib();
    ThreadZlib::Trim trim{zlib};
    z_stream& z = zlib.Deflater();

    const size_t rowLength = picture.RowBytes();
    const size_t rowSize = rowLength + 1;

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

    // The zlib stream is zlib's own at the default level, byte for byte: its two header bytes,
    // the raw deflate data, and the Adler-32 of the rows, which is computed here as the rows are
    // laid out rather than by zlib a byte at a time. zlib writes straight into the stream's memory,
    // each chunk's data between the room left for its length and type and its CRC.
    std::vector<uint8_t>& bytes = stream.Bytes();
    bytes.resize(size_t(stream.Position()));
    const size_t dataBound = deflateBound(&z, uLong(picture.Height()) * uLong(rowSize)) + 6;
    bytes.reserve(bytes.size() + dataBound + (dataBound / kPngIdatSize + 2) * 12);
    size_t chunkStart = 0;
    auto startChunk = [&] {
        chunkStart = bytes.size();
        bytes.resize(chunkStart + 8 + kPngIdatSize);
        z.next_out = bytes.data() + chunkStart + 8;
        z.avail_out = uInt(kPngIdatSize);
    };
    auto endChunk = [&] {
        const size_t length = kPngIdatSize - z.avail_out;
        bytes.resize(chunkStart + 8 + length);
        if (length == 0) {
            bytes.resize(chunkStart);
            return;
        }
        uint8_t* head = bytes.data() + chunkStart;
        putBE32(head, uint32_t(length));
        std::memcpy(head + 4, "IDAT", 4);
        uint8_t tail[4];
        putBE32(tail, uint32_t(crc32(0L, head + 4, uInt(length + 4))));
        bytes.insert(bytes.end(), tail, tail + 4);
    };
    auto flushFull = [&] {
        if (z.avail_out == 0) {
            endChunk();
            startChunk();
        }
    };
    auto put = [&](uint8_t byte) {
        *z.next_out++ = byte;
        --z.avail_out;
        flushFull();
    };
    auto compress = [&](const uint8_t* data, size_t length) {
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = uInt(length);
        while (z.avail_in > 0) {
            if (deflate(&z, Z_NO_FLUSH) < 0) throw EPictureError("Zlib Error");
            flushFull();
        }
    };
    startChunk();
    put(0x78); // deflate, 32K window
    put(0x9C); // default level; header check

    // Rows go to zlib many at a time, each with its filter byte 0 in front; without flushing,
    // zlib's output does not depend on how its input is split.
    uint32_t adler = 1;
    const size_t rowsPerBatch = std::max<size_t>(1, kInflateBatchBytes / rowSize);
    std::vector<uint8_t>& rows = zlib.rows;
    rows.resize(std::min<size_t>(rowsPerBatch, size_t(std::max(picture.Height(), 1))) * rowSize);
    for (int y = 0; y < picture.Height();) {
        const int count = std::min(int(rows.size() / rowSize), picture.Height() - y);
        uint8_t* out = rows.data();
        for (int i = 0; i < count; ++i, ++y, out += rowSize) {
            out[0] = 0;
            if (!indexed)
                copySwapped(out + 1, picture.ScanLine(y), rowLength / 3);
            else if (rowLength)
                std::memcpy(out + 1, picture.ScanLine(y), rowLength);
        }
        const size_t length = size_t(out - rows.data());
        adler = Adler32(adler, rows.data(), length);
        compress(rows.data(), length);
    }
    for (;;) {
        const int result = deflate(&z, Z_FINISH);
        if (result < 0) throw EPictureError("Zlib Error");
        flushFull();
        if (result == Z_STREAM_END) break;
    }
    for (int shift = 24; shift >= 0; shift -= 8)
        put(uint8_t(adler >> shift));
    endChunk();
    stream.SetPosition(int64_t(bytes.size()));
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
