#include "PrismXyz.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace tarvel {

namespace {

const char kXyzMagic[4] = {'X', 'Y', 'Z', '1'};

// Ends the zlib state on every path out of a reader or writer.
struct InflateGuard {
    z_stream* z;
    ~InflateGuard() { inflateEnd(z); }
};
struct DeflateGuard {
    z_stream* z;
    ~DeflateGuard() { deflateEnd(z); }
};

} // namespace

void ReadXyzStream(TBitmap& bitmap, TMemoryStream& stream) {
    char magic[4];
    if (stream.Read(magic, 4) != 4 || std::memcmp(magic, kXyzMagic, 4) != 0)
        throw EPictureError("Invalid XYZ Image");
    const int width = stream.ReadUInt16LE();
    const int height = stream.ReadUInt16LE();
    // A 65535 x 65535 header is a damaged file; refuse it before allocating anything.
    if (!PictureSizeAcceptable(uint64_t(width), uint64_t(height))) throw EPictureError("Invalid XYZ Image");
    bitmap.Reset(TPixelFormat::pf8bit, width, height);

    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw EPictureError("Zlib Error");
    InflateGuard guard{&z};

    const size_t pixels = size_t(width) * size_t(height);
    std::vector<uint8_t> output(768 + pixels, 0);
    const int64_t remaining = stream.Remaining();
    const uint8_t* input = stream.Data() + stream.Position();
    z.next_out = output.data();
    z.avail_out = uInt(output.size());
    // zlib counts in 32 bits: the input is fed in parts (the output always fits under the size limit).
    int64_t fed = 0;
    while (fed < remaining && z.avail_out > 0) {
        const uInt part = uInt(std::min<int64_t>(remaining - fed, int64_t(1) << 30));
        z.next_in = const_cast<Bytef*>(input + fed);
        z.avail_in = part;
        const int result = inflate(&z, Z_NO_FLUSH);
        fed += part - z.avail_in;
        if (result == Z_STREAM_END) break;
        if (result == Z_NEED_DICT || (result < 0 && result != Z_BUF_ERROR)) throw EPictureError("Zlib Error");
        // No progress: the data ended before the picture did, and the rest stays index 0.
        if (result == Z_BUF_ERROR) break;
    }
    stream.SetPosition(stream.Size());

    TPalette& palette = bitmap.Palette();
    for (int i = 0; i < 256; ++i)
        palette[i] = {output[i * 3], output[i * 3 + 1], output[i * 3 + 2], 0};
    for (int y = 0; y < height; ++y)
        if (width > 0)
            std::memcpy(bitmap.ScanLine(y), output.data() + 768 + size_t(y) * size_t(width), size_t(width));
}

void WriteXyzStream(const TBitmap& bitmap, TMemoryStream& stream) {
    const TBitmap* picture = &bitmap;
    TBitmap converted;
    if (bitmap.PixelFormat() != TPixelFormat::pf8bit) {
        converted = bitmap;
        converted.SetPixelFormat(TPixelFormat::pf8bit);
        picture = &converted;
    }
    const int width = picture->Width(), height = picture->Height();
    // The header holds 16-bit sizes; a larger picture would be written with a wrong size.
    if (width > 0xFFFF || height > 0xFFFF) throw EPictureError("Invalid XYZ Image");

    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) throw EPictureError("Zlib Error");
    DeflateGuard guard{&z};

    stream.Write(kXyzMagic, 4);
    stream.WriteUInt16LE(uint16_t(width));
    stream.WriteUInt16LE(uint16_t(height));

    std::vector<uint8_t> input(768 + size_t(width) * size_t(height));
    for (int i = 0; i < 256; ++i) {
        input[i * 3] = picture->Palette()[i].red;
        input[i * 3 + 1] = picture->Palette()[i].green;
        input[i * 3 + 2] = picture->Palette()[i].blue;
    }
    for (int y = 0; y < height; ++y)
        if (width > 0)
            std::memcpy(input.data() + 768 + size_t(y) * size_t(width), picture->ScanLine(y), size_t(width));

    std::vector<uint8_t> output(std::max<size_t>(input.size() * 2, deflateBound(&z, uLong(input.size()))));
    z.next_in = input.data();
    z.avail_in = uInt(input.size());
    z.next_out = output.data();
    z.avail_out = uInt(output.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END) throw EPictureError("Zlib Error");
    stream.Write(output.data(), output.size() - z.avail_out);
}

void ReadXyzFile(TBitmap& bitmap, const std::string& fileName) {
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    ReadXyzStream(bitmap, stream);
}

void WriteXyzFile(const TBitmap& bitmap, const std::string& fileName) {
    TMemoryStream stream;
    WriteXyzStream(bitmap, stream);
    stream.SaveToFile(fileName);
}

} // namespace tarvel
