// The PNG reader over arbitrary bytes: it must never crash or read outside its buffers, and a
// picture it reads must write and read back to the same pixels and palette.
#include <cstdlib>
#include <cstring>

#include "graphics/PrismPng.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    // Huge pictures are refused or allocated correctly, which is slow and proves nothing new: keep
    // the fuzzer's time for structure (a header in its usual place claiming more is skipped).
    if (size >= 24 && std::memcmp(data + 12, "IHDR", 4) == 0) {
        const uint64_t w = uint64_t(data[16]) << 24 | uint64_t(data[17]) << 16 | uint64_t(data[18]) << 8 | data[19];
        const uint64_t h = uint64_t(data[20]) << 24 | uint64_t(data[21]) << 16 | uint64_t(data[22]) << 8 | data[23];
        if (w * h > (uint64_t(1) << 22)) return 0;
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
        if (std::memcmp(again.ScanLine(y), picture.ScanLine(y), picture.RowBytes()) != 0) std::abort();
    return 0;
}
