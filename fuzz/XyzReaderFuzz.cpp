// The XYZ reader over arbitrary bytes: it must never crash or read outside its buffers, and a
// picture it reads must write and read back to the same pixels and palette.
#include <cstdlib>
#include <cstring>

#include "graphics/PrismXyz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    // Large pictures that the reader accepts are allocated correctly and only slow the fuzzer;
    // sizes beyond its limit still go in, to be refused.
    if (size >= 8) {
        const uint64_t w = uint64_t(data[4] | data[5] << 8), h = uint64_t(data[6] | data[7] << 8);
        if (PictureSizeAcceptable(w, h) && w * h > (uint64_t(1) << 22)) return 0;
    }
    TBitmap picture;
    try {
        TMemoryStream stream(data, size);
        ReadXyzStream(picture, stream);
    } catch (const EPictureError&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    TMemoryStream written;
    WriteXyzStream(picture, written);
    written.SetPosition(0);
    TBitmap again;
    ReadXyzStream(again, written);
    if (again.Width() != picture.Width() || again.Height() != picture.Height() ||
        again.Palette() != picture.Palette())
        std::abort();
    for (int y = 0; y < picture.Height(); ++y)
        if (picture.RowBytes() &&
            std::memcmp(again.ScanLine(y), picture.ScanLine(y), picture.RowBytes()) != 0)
            std::abort();
    return 0;
}
