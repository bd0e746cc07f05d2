#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvel::rtp {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

using Palette256 = std::array<Rgb, 256>;

// An 8-bit paletted picture as the material folders hold them: width, height, a full 256-entry
// palette and one index per pixel, rows from the top. Index 0 is the transparent colour of every
// kind that has one. Writes outside the picture are ignored, so drawing code can overhang the edges.
class IndexedImage {
public:
    IndexedImage() = default;
    IndexedImage(int width, int height, uint8_t fill = 0);

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }

    uint8_t At(int x, int y) const { return Contains(x, y) ? mPixels[size_t(y) * mWidth + x] : 0; }
    void Set(int x, int y, uint8_t index) {
        if (Contains(x, y)) mPixels[size_t(y) * mWidth + x] = index;
    }
    // Sets only where the pixel is still index 0.
    void SetIfEmpty(int x, int y, uint8_t index) {
        if (Contains(x, y) && mPixels[size_t(y) * mWidth + x] == 0) mPixels[size_t(y) * mWidth + x] = index;
    }
    const uint8_t* Row(int y) const { return mPixels.data() + size_t(y) * mWidth; }
    const std::vector<uint8_t>& Pixels() const { return mPixels; }

    Palette256& Palette() { return mPalette; }
    const Palette256& Palette() const { return mPalette; }

    void Fill(uint8_t index);
    void FillRect(int x, int y, int w, int h, uint8_t index);
    // Copies a rectangle of another picture of the same palette; with skipZero index-0 pixels of
    // the source leave the target unchanged.
    void Blit(const IndexedImage& src, int sx, int sy, int w, int h, int dx, int dy, bool skipZero = false);
    void Blit(const IndexedImage& src, int dx, int dy, bool skipZero = true) {
        Blit(src, 0, 0, src.Width(), src.Height(), dx, dy, skipZero);
    }
    // Blit with a horizontal mirror of the source rectangle.
    void BlitMirrored(const IndexedImage& src, int sx, int sy, int w, int h, int dx, int dy, bool skipZero);
    IndexedImage Crop(int x, int y, int w, int h) const;
    // True when every pixel of the rectangle is index 0.
    bool IsBlank(int x, int y, int w, int h) const;

private:
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint8_t> mPixels;
    Palette256 mPalette{};
};

} // namespace tarvel::rtp
