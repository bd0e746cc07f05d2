#include "PictureFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "PrismPng.h"
#include "PrismXyz.h"

namespace tarvel {

void LoadPictureFile(TBitmap& bitmap, const std::string& fileName) {
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    const auto& bytes = stream.Bytes();
    const uint8_t pngStart[4] = {0x89, 'P', 'N', 'G'};
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), pngStart, 4) == 0)
        ReadPngStream(bitmap, stream);
    else if (bytes.size() >= 4 && std::memcmp(bytes.data(), "XYZ1", 4) == 0)
        ReadXyzStream(bitmap, stream);
    else
        ReadBmpStream(bitmap, stream);
    if (bitmap.Empty()) throw EPictureError("Empty Bitmap");
}

void SavePictureFile(const TBitmap& bitmap, const std::string& fileName) {
    std::string extension;
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        extension = fileName.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    TMemoryStream stream;
    if (extension == ".png")
        WritePngStream(bitmap, stream);
    else if (extension == ".xyz")
        WriteXyzStream(bitmap, stream);
    else
        WriteBmpStream(bitmap, stream);
    stream.SaveToFile(fileName);
}

namespace {
std::vector<TPictureFormat>& registry() {
    static std::vector<TPictureFormat> formats;
    return formats;
}
} // namespace

void RegisterPictureFormats() {
    UnregisterPictureFormats();
    registry().push_back({"png", "Portable Network Graphics", ReadPngStream, WritePngStream});
    registry().push_back({"xyz", "Original Graphics Format", ReadXyzStream, WriteXyzStream});
}

void UnregisterPictureFormats() {
    registry().clear();
}

const std::vector<TPictureFormat>& PictureFormats() {
    return registry();
}

} // namespace tarvel
