#pragma once

#include <cstdint>

namespace tarvel {

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint& o) const { return x == o.x && y == o.y; }
};

// A rectangle of pixels or cells; right and bottom are exclusive.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const TRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const TRect& o) const { return !(*this == o); }
};

inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// A colour of 0..255 per channel, as the editor's dialogs name them.
struct TRGB {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const TRGB& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// A 5-6-5 board pixel of a colour, and back (channels widened by repeating their top bits, so
// full intensity stays 255).
inline uint16_t Pack565(TRGB c) {
    return uint16_t((c.red >> 3) << 11 | (c.green >> 2) << 5 | (c.blue >> 3));
}
inline TRGB Unpack565(uint16_t p) {
    const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    return {uint8_t(r << 3 | r >> 2), uint8_t(g << 2 | g >> 4), uint8_t(b << 3 | b >> 2)};
}

} // namespace tarvel
