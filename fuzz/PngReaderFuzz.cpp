// The PNG reader over arbitrary bytes: it must never crash or read outside its buffers, and a
// picture it reads must write and read back to the same pixels and palette.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "graphics/PrismPng.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    // Large pictures that the reader accepts are allocated correctly, which is slow and proves
    // nothing new: keep the fuzzer's time for structure (such a header in its usual place is
    // skipped; sizes beyond the reader's limit still go in, to be refused).
    if (size >= 24 && std::memcmp(data + 12, "IHDR", 4) == 0) {
        const uint64_t w =
            uint64_t(data[16]) << 24 | uint64_t(data[17]) << 16 | uint64_t(data[18]) << 8 | data[19];
        const uint64_t h =
            uint64_t(data[20]) << 24 | uint64_t(data[21]) << 16 | uint64_t(data[22]) << 8 | data[23];
        if (PictureSizeAcceptable(w, h) &&
            std::max<uint64_t>(w, 1) * std::max<uint64_t>(h, 1) > (uint64_t(1) << 22))
            return 0;
    }
    TBitmap picture;
    try {
        TMemoryStream stream(data, size);
        ReadPngStream(picture, stream);
    } catch (const EPictureError&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    TMemoryStream written;
    WritePngStream(picture, written);
    written.SetPosition(0);
    TBitmap again;
    ReadPngStream(again, written);
    if (again.Width() != picture.Width() || again.Height() != picture.Height() ||
        again.PixelFormat() != picture.PixelFormat())
        std::abort();
    if (picture.PixelFormat() == TPixelFormat::pf8bit && again.Palette() != picture.Palette()) std::abort();
    for (int y = 0; y < picture.Height(); ++y)
        if (picture.RowBytes() &&
            std::memcmp(again.ScanLine(y), picture.ScanLine(y), picture.RowBytes()) != 0)
            std::abort();
    return 0;
}
