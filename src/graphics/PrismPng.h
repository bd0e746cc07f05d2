#pragma once

#include <string>

#include "Bitmap.h"
#include "records/Stream.h"

namespace tarvel {

// The PNG subset the editor reads: 8-bit indexed (colour type 3) and 8-bit truecolour (type 2),
// not interlaced, the data in IDAT chunks in any split; every ancillary chunk is ignored and CRCs
// are not checked. Indexed pictures get a 256-entry palette (entries the PLTE lacks are black);
// truecolour ones become 24-bit. Rows whose data never arrive stay at index 0 (black).
// Raises EPictureError "Invalid PNG Image", "Unsupported PNG Image" or "Zlib Error", and the
// stream's read error when the file ends before its IEND.
void ReadPngStream(TBitmap& bitmap, TMemoryStream& stream);

// Writes the picture as PNG: a paletted picture (1, 4 or 8 bits) as 8-bit indexed with all 256
// palette entries, any other as 24-bit truecolour; rows unfiltered, IDAT chunks of 65536 bytes
// of compressed data (the last holds the rest), no ancillary chunk. The picture is not changed; the
// file replaces whatever the stream held after its position.
void WritePngStream(const TBitmap& bitmap, TMemoryStream& stream);

void ReadPngFile(TBitmap& bitmap, const std::string& fileName);
void WritePngFile(const TBitmap& bitmap, const std::string& fileName);

// The size of each full IDAT chunk the writer produces.
constexpr size_t kPngIdatSize = 65536;

// A picture that reads and writes its own stream as PNG.
class TPrismPng : public TBitmap {
public:
    void LoadFromStream(TMemoryStream& stream) { ReadPngStream(*this, stream); }
    void SaveToStream(TMemoryStream& stream) const { WritePngStream(*this, stream); }
};

} // namespace tarvel
