// The XYZ reader over arbitrary bytes: it must never crash or read outside its buffers, and a
// picture it reads must write and read back to the same pixels and palette.
#include <cstdlib>
#include <cstring>

#include "graphics/PrismXyz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    // Sizes up to 65535 x 65535 are refused or allocated correctly; large ones only slow the fuzzer.
    if (size >= 8 && uint64_t(data[4] | data[5] << 8) * uint64_t(data[6] | data[7] << 8) > (uint64_t(1) << 22))
        return 0;
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
    if (again.Width() != picture.Width() || again.Height() != picture.Height() || again.Palette() != picture.Palette())
        std::abort();
    for (int y = 0; y < picture.Height(); ++y)
        if (std::memcmp(again.ScanLine(y), picture.ScanLine(y), picture.RowBytes()) != 0) std::abort();
    return 0;
}
