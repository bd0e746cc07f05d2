#pragma once

#include <string>

#include "Bitmap.h"
#include "records/Stream.h"

namespace tarvel {

// The system's own compressed picture format: "XYZ1", width and height (16 bits each, little
// endian), then one zlib stream of the 256-entry palette (red, green, blue) and width x height
// palette indices, top row first. Always 8 bits per pixel.

// Reads an XYZ picture from the stream's position. A stream whose compressed data end early leaves
// the missing pixels at index 0. Raises EPictureError "Invalid XYZ Image" or "Zlib Error".
void ReadXyzStream(TBitmap& bitmap, TMemoryStream& stream);
// Writes the picture as XYZ (a copy reduced to 8 bits when it has another format).
void WriteXyzStream(const TBitmap& bitmap, TMemoryStream& stream);

void ReadXyzFile(TBitmap& bitmap, const std::string& fileName);
void WriteXyzFile(const TBitmap& bitmap, const std::string& fileName);

// A picture that reads and writes its own stream as XYZ.
class TPrismXyz : public TBitmap {
public:
    void LoadFromStream(TMemoryStream& stream) { ReadXyzStream(*this, stream); }
    void SaveToStream(TMemoryStream& stream) const { WriteXyzStream(*this, stream); }
};

} // namespace tarvel
