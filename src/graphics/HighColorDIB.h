#pragma once

#include <cstdint>
#include <vector>

#include "Geometry.h"

namespace tarvel {

// A plain 16-bit picture (5 bits each of red, green and blue) with row access; the map editor
// keeps one pixel per map cell in it as the mask of a shape being drawn. Rows are stored top down,
// each (width x 2 + 3) rounded down to a multiple of 4 bytes long, so the UI can paint on the
// memory through a QImage (Format_RGB555) when it needs more than the fills below.
class THighColorDIB {
public:
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    int RowStride() const { return mStride; }
    // Nothing when unchanged; otherwise a new picture, all pixels 0 (none for an empty area).
    // Raises EOutOfResources when the memory cannot be had.
    void SetSize(int width, int height);
    void Free();
    void Clear();
    // Row y counted from the top; raises EInvalidGraphic for a row outside the picture.
    uint16_t* Row(int y);
    const uint16_t* Row(int y) const;
    uint8_t* Bits() { return mBits.data(); }

    // Drawing on the picture, clipped to it.
    void FillRect(const TRect& rect, uint16_t pixel);
    // A filled ellipse inscribed in rect (right and bottom exclusive).
    void FillEllipse(const TRect& rect, uint16_t pixel);

    static constexpr uint16_t White = 0x7FFF;

private:
    int mWidth = 0, mHeight = 0, mStride = 0;
    std::vector<uint8_t> mBits;
};

} // namespace tarvel
