#include "PictureFile.h"

#include <stdexcept>

#include "graphics/Bitmap.h"
#include "graphics/PrismPng.h"

namespace tarvel::rtp {

// The package's pictures are written by the editor's own PNG codec, so the material is exactly
// what the editor reads back.
void SaveIndexedPng(const std::string& path, const IndexedImage& image) {
    TBitmap bitmap;
    bitmap.Reset(TPixelFormat::pf8bit, image.Width(), image.Height());
    for (int i = 0; i < 256; ++i) {
        bitmap.Palette()[i].red = image.Palette()[i].r;
        bitmap.Palette()[i].green = image.Palette()[i].g;
        bitmap.Palette()[i].blue = image.Palette()[i].b;
    }
    for (int y = 0; y < image.Height(); ++y)
        std::copy(image.Row(y), image.Row(y) + image.Width(), bitmap.ScanLine(y));
    WritePngFile(bitmap, path);
}

IndexedImage LoadIndexedPng(const std::string& path) {
    TBitmap bitmap;
    ReadPngFile(bitmap, path);
    if (bitmap.PixelFormat() != TPixelFormat::pf8bit) throw std::runtime_error(path + " is not paletted");
    IndexedImage image(bitmap.Width(), bitmap.Height());
    for (int i = 0; i < 256; ++i)
        image.Palette()[i] = {bitmap.Palette()[i].red, bitmap.Palette()[i].green, bitmap.Palette()[i].blue};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) image.Set(x, y, bitmap.ScanLine(y)[x]);
    return image;
}

} // namespace tarvel::rtp
