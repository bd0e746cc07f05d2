#include "HighColorDIB.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "Bitmap.h"

namespace tarvel {

void THighColorDIB::SetSize(int width, int height) {
    if (width == mWidth && height == mHeight) return;
    Free();
    if (width <= 0 || height <= 0) return;
    if (!PictureSizeAcceptable(uint64_t(width), uint64_t(height)))
        throw EOutOfResources("Not enough memory for a picture of this size");
    const int stride = (width * 2 + 3) & ~3;
    try {
        mBits.assign(size_t(stride) * size_t(height), 0);
    } catch (const std::bad_alloc&) {
        throw EOutOfResources("Not enough memory for a picture of this size");
    }
    mWidth = width;
    mHeight = height;
    mStride = stride;
}

void THighColorDIB::Free() {
    mBits.clear();
    mBits.shrink_to_fit();
    mWidth = mHeight = mStride = 0;
}

void THighColorDIB::Clear() {
    std::fill(mBits.begin(), mBits.end(), uint8_t(0));
}

uint16_t* THighColorDIB::Row(int y) {
    if (y < 0 || y >= mHeight) throw EInvalidGraphic("Row outside the picture");
    return reinterpret_cast<uint16_t*>(mBits.data() + size_t(y) * size_t(mStride));
}

const uint16_t* THighColorDIB::Row(int y) const {
    if (y < 0 || y >= mHeight) throw EInvalidGraphic("Row outside the picture");
    return reinterpret_cast<const uint16_t*>(mBits.data() + size_t(y) * size_t(mStride));
}

void THighColorDIB::FillRect(const TRect& rect, uint16_t pixel) {
    const int left = std::max(rect.left, 0), right = std::min(rect.right, mWidth);
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, mHeight); ++y)
        if (right > left) std::fill(Row(y) + left, Row(y) + right, pixel);
}

void THighColorDIB::FillEllipse(const TRect& rect, uint16_t pixel) {
    if (rect.IsEmpty()) return;
    // A pixel is inside when its centre is: the usual scan conversion of a filled ellipse.
    const double cx = (rect.left + rect.right) / 2.0, cy = (rect.top + rect.bottom) / 2.0;
    const double rx = rect.Width() / 2.0, ry = rect.Height() / 2.0;
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, mHeight); ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (std::fabs(dy) > 1) continue;
        const double half = rx * std::sqrt(1 - dy * dy);
        const int from = std::max(int(std::ceil(cx - half - 0.5)), std::max(rect.left, 0));
        const int to = std::min(int(std::floor(cx + half - 0.5)), std::min(rect.right, mWidth) - 1);
        uint16_t* row = Row(y);
        for (int x = from; x <= to; ++x)
            row[x] = pixel;
    }
}

} // namespace tarvel
