#pragma once

#include <string>
#include <vector>

#include "Bitmap.h"
#include "records/Stream.h"

namespace tarvel {

// Reads a picture file whatever its name says: the first bytes decide (0x89 "PNG" the PNG reader,
// "XYZ1" the XYZ reader, anything else the BMP reader). A picture without pixels fails with
// "Empty Bitmap". A file that cannot be read raises EFileError.
void LoadPictureFile(TBitmap& bitmap, const std::string& fileName);
// Writes a picture in the format its file name's extension names (".png", ".xyz", case ignored;
// anything else BMP), through a temporary file and a rename.
void SavePictureFile(const TBitmap& bitmap, const std::string& fileName);

// BMP through the platform's codec. Paletted BMPs become 8-bit pictures with their colour table
// (entries it lacks are black), every other kind 24-bit. Raises EPictureError
// "Bitmap image is not valid" for bytes that are no BMP.
void ReadBmpStream(TBitmap& bitmap, TMemoryStream& stream);
void WriteBmpStream(const TBitmap& bitmap, TMemoryStream& stream);

// The picture formats an open-picture dialog offers beside BMP, registered once at start-up.
struct TPictureFormat {
    const char* extension;   // lower case, without the dot
    const char* description; // the text a file dialog shows
    void (*read)(TBitmap&, TMemoryStream&);
    void (*write)(const TBitmap&, TMemoryStream&);
};
void RegisterPictureFormats();
void UnregisterPictureFormats();
// The registered formats ("png", "xyz" after RegisterPictureFormats; none before).
const std::vector<TPictureFormat>& PictureFormats();

} // namespace tarvel
