#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel {

// A picture file that cannot be read or written; the message is the system's own text
// ("Invalid PNG Image", "Zlib Error", "Empty Bitmap", ...).
class EPictureError : public std::runtime_error {
public:
    explicit EPictureError(const std::string& message) : std::runtime_error(message) {}
};

// A picture or drawing surface used in a way it cannot serve (a picture that is not 256 colours
// given to a sheet, a row outside a picture).
class EInvalidGraphic : public std::runtime_error {
public:
    explicit EInvalidGraphic(const std::string& message) : std::runtime_error(message) {}
};

// A drawing surface whose memory could not be had.
class EOutOfResources : public std::runtime_error {
public:
    explicit EOutOfResources(const std::string& message) : std::runtime_error(message) {}
};

// Pixel layouts of an in-memory picture. The paletted ones index a 256-entry palette (1 and 4 bits
// use its first 2 and 16 entries); 24 bits are blue-green-red bytes, 32 bits blue-green-red-unused.
enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat format);
bool IsIndexed(TPixelFormat format);

struct TPaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
    bool operator==(const TPaletteEntry& o) const {
        return red == o.red && green == o.green && blue == o.blue && flags == o.flags;
    }
    bool operator!=(const TPaletteEntry& o) const { return !(*this == o); }
};
using TPalette = std::array<TPaletteEntry, 256>;

// The largest picture the readers accept. A header may claim any size; anything above this is a
// damaged or hostile file, refused before a single pixel is allocated. It still leaves room for a
// panorama covering a 500 x 500 map at 16 pixels a cell (8000 x 8000).
constexpr uint64_t kMaxPicturePixels = uint64_t(1) << 27;

// True when a picture of this size fits under the limit above (a side of 0 counts as 1).
bool PictureSizeAcceptable(uint64_t width, uint64_t height);

// The in-memory picture every image file is read into and written from: a size, a pixel format,
// a palette and rows from the top row down, each row packed without padding.
class TBitmap {
public:
    TBitmap() = default;
    virtual ~TBitmap() = default;
    TBitmap(const TBitmap&) = default;
    TBitmap& operator=(const TBitmap&) = default;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    bool Empty() const { return mWidth <= 0 || mHeight <= 0; }
    TPixelFormat PixelFormat() const { return mFormat; }

    // Reallocates the pixels (all zero, that is palette index 0 or black) for a new size. Keeps the
    // palette.
    void SetSize(int width, int height);
    // Changes the pixel layout, converting the pixels: paletted to true colour by the palette,
    // true colour to paletted by ConvertTrueColorTo (the 256-colour reduction), paletted to a
    // smaller palette through true colour.
    void SetPixelFormat(TPixelFormat format);
    // Sets format and size at once without converting (all pixels zero).
    void Reset(TPixelFormat format, int width, int height);

    size_t RowBytes() const { return mRowBytes; }
    uint8_t* ScanLine(int y) { return mPixels.data() + size_t(y) * mRowBytes; }
    const uint8_t* ScanLine(int y) const { return mPixels.data() + size_t(y) * mRowBytes; }

    TPalette& Palette() { return mPalette; }
    const TPalette& Palette() const { return mPalette; }

    // The colour of pixel (x, y) as red, green, blue, whatever the layout.
    void PixelColor(int x, int y, uint8_t& red, uint8_t& green, uint8_t& blue) const;
    // The palette index of pixel (x, y) of a paletted picture.
    int PixelIndex(int x, int y) const;

private:
    void convertIndexedToTrueColor(TPixelFormat format);
    void convertToIndexed(TPixelFormat format);

    int mWidth = 0;
    int mHeight = 0;
    TPixelFormat mFormat = TPixelFormat::pf24bit;
    size_t mRowBytes = 0;
    std::vector<uint8_t> mPixels;
    TPalette mPalette{};
};

// The reduction of a true-colour picture (24 or 32 bits) to at most maxColors palette entries
// (2..256). A picture with no more colours than that keeps them exactly, in the order they first
// appear from the top-left (so the top-left colour becomes index 0, the transparent one); a picture
// with more is reduced by libimagequant with dithering. Unused palette entries are black.
void ReduceColors(const TBitmap& source, int maxColors, TBitmap& target);

} // namespace tarvel
