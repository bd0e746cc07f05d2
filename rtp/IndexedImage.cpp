#include "IndexedImage.h"

#include <algorithm>

namespace tarvel::rtp {

IndexedImage::IndexedImage(int width, int height, uint8_t fill)
    : mWidth(std::max(0, width)), mHeight(std::max(0, height)), mPixels(size_t(mWidth) * mHeight, fill) {}

void IndexedImage::Fill(uint8_t index) {
    std::fill(mPixels.begin(), mPixels.end(), index);
}

void IndexedImage::FillRect(int x, int y, int w, int h, uint8_t index) {
    for (int yy = std::max(0, y); yy < std::min(mHeight, y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(mWidth, x + w); ++xx)
            mPixels[size_t(yy) * mWidth + xx] = index;
}

void IndexedImage::Blit(const IndexedImage& src, int sx, int sy, int w, int h, int dx, int dy,
                        bool skipZero) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!src.Contains(sx + x, sy + y)) continue;
            uint8_t v = src.At(sx + x, sy + y);
            if (skipZero && v == 0) continue;
            Set(dx + x, dy + y, v);
        }
}

void IndexedImage::BlitMirrored(const IndexedImage& src, int sx, int sy, int w, int h, int dx, int dy,
                                bool skipZero) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t v = src.At(sx + w - 1 - x, sy + y);
            if (skipZero && v == 0) continue;
            Set(dx + x, dy + y, v);
        }
}

IndexedImage IndexedImage::Crop(int x, int y, int w, int h) const {
    IndexedImage out(w, h);
    out.Blit(*this, x, y, w, h, 0, 0, false);
    out.mPalette = mPalette;
    return out;
}

bool IndexedImage::IsBlank(int x, int y, int w, int h) const {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            if (At(xx, yy) != 0) return false;
    return true;
}

} // namespace tarvel::rtp
