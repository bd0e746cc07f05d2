#include "PrismSheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "PictureFile.h"

namespace tarvel {

int RoundHalfEven(double value) {
    return int(std::nearbyint(value));
}

namespace {
int clampInt(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}
} // namespace

// ---- colour control --------------------------------------------------------------------------

void TPrismColorControl::SetNeutral(bool update) {
    SetAll(100, 100, 100, 100, 0, 0, 0, 0, update);
}

void TPrismColorControl::SetColor(int red, int green, int blue, int saturation, bool update) {
    SetAll(red, green, blue, saturation, mToneRed, mToneGreen, mToneBlue, mToneStrength, update);
}

void TPrismColorControl::SetTone(int red, int green, int blue, int strength, bool update) {
    SetAll(mRed, mGreen, mBlue, mSaturation, red, green, blue, strength, update);
}

void TPrismColorControl::SetAll(int red, int green, int blue, int saturation, int toneRed, int toneGreen,
                                int toneBlue, int strength, bool update) {
    if (red == mRed && green == mGreen && blue == mBlue && saturation == mSaturation && toneRed == mToneRed &&
        toneGreen == mToneGreen && toneBlue == mToneBlue && strength == mToneStrength)
        return;
    mRed = red;
    mGreen = green;
    mBlue = blue;
    mSaturation = saturation;
    mToneRed = toneRed;
    mToneGreen = toneGreen;
    mToneBlue = toneBlue;
    mToneStrength = strength;
    if (update) mOwner.UpdateColorTable();
}

// ---- sheet -----------------------------------------------------------------------------------

TPrismSheet::TPrismSheet()
    : mControl1(std::make_unique<TPrismColorControl>(*this)),
      mControl2(std::make_unique<TPrismColorControl>(*this)) {}

void TPrismSheet::SetBrightness(int percent) {
    if (percent == mBrightness) return;
    mBrightness = percent;
    UpdateColorTable();
}

void TPrismSheet::SetSize(int width, int height) {
    if (width == mWidth && height == mHeight) return;
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid sheet size");
    mPixels.assign(size_t(width) * size_t(height), 0);
    mWidth = width;
    mHeight = height;
}

void TPrismSheet::Clear() {
    std::fill(mPixels.begin(), mPixels.end(), 0);
    mPalette = TPalette{};
    mColorTable.fill(0);
}

void TPrismSheet::FreePixels() {
    mPixels.clear();
    mPixels.shrink_to_fit();
    mWidth = mHeight = 0;
}

void TPrismSheet::UpdateColorTable() {
    const TPrismColorControl& c1 = *mControl1;
    const TPrismColorControl& c2 = *mControl2;
    const int R = clampInt(c1.Red() + c2.Red() - 100, 0, 200);
    const int G = clampInt(c1.Green() + c2.Green() - 100, 0, 200);
    const int B = clampInt(c1.Blue() + c2.Blue() - 100, 0, 200);
    const int S = clampInt(c1.Saturation() + c2.Saturation() - 100, 0, 200);
    const int L = mBrightness;
    const TPrismColorControl* tones[2] = {&c1, &c2};

    for (int i = 0; i < 256; ++i) {
        int r = mPalette[i].red >> 3, g = mPalette[i].green >> 2, b = mPalette[i].blue >> 3;

        const int lum = (3 * r + 3 * g + b) / 10;
        if (S < 100) {
            r = (lum * (100 - S) + S * r) / 100;
            g = ((100 - S) * 2 * lum + S * g) / 100;
            b = (lum * (100 - S) + S * b) / 100;
        } else if (S > 100) {
            const int w = 200 - S, k = S - 100;
            r = clampInt((w * r + k * (3 * r - 2 * lum)) / 100, 0, 31);
            g = clampInt((w * g + k * (3 * g - 4 * lum)) / 100, 0, 63);
            b = clampInt((w * b + k * (3 * b - 2 * lum)) / 100, 0, 31);
        }

        auto percent = [](int c, int max, int p) {
            if (p > 100) return c + (p - 100) * (max - c) / 100;
            if (p < 100) return p * c / 100;
            return c;
        };
        r = percent(r, 31, R);
        g = percent(g, 63, G);
        b = percent(b, 31, B);

        for (const TPrismColorControl* t : tones) {
            const int s = t->ToneStrength();
            if (s <= 0) continue;
            r = (s * t->ToneRed() + (32 - s) * r) >> 5;
            g = (s * 2 * t->ToneGreen() + (32 - s) * g) >> 5;
            b = (s * t->ToneBlue() + (32 - s) * b) >> 5;
        }

        if (L < 100) {
            r = L * r / 100;
            g = L * g / 100;
            b = L * b / 100;
        } else if (L > 100) {
            r = r + (L - 100) * (31 - r) / 100;
            g = g + (L - 100) * (63 - g) / 100;
            b = b + (L - 100) * (31 - b) / 100;
        }
        // Within the documented ranges this changes nothing; a brightness or tone beyond them must
        // not spill one channel into the next.
        r = clampInt(r, 0, 31);
        g = clampInt(g, 0, 63);
        b = clampInt(b, 0, 31);
        mColorTable[i] = uint16_t(r << 11 | g << 5 | b);
    }
}

void TPrismSheet::RotateHue(int degrees) {
    if (degrees == 0) return;
    for (int i = 1; i < 256; ++i) {
        TPaletteEntry& e = mPalette[i];
        const int red = e.red, green = e.green, blue = e.blue;
        const int maxC = std::max({red, green, blue}), minC = std::min({red, green, blue});
        const int delta = maxC - minC;
        const int value = maxC;
        const int saturation = maxC == 0 ? 0 : delta * 255 / maxC;
        double hue = 0;
        if (saturation != 0) {
            if (red == maxC)
                hue = 60.0 * (green - blue) / delta;
            else if (green == maxC)
                hue = 60.0 * (2.0 + double(blue - red) / delta);
            else
                hue = 60.0 * (4.0 + double(red - green) / delta);
            if (hue < 0) hue += 360;
        }
        const int newHue = ((RoundHalfEven(hue + degrees) % 360) + 360) % 360;

        double r, g, b;
        if (saturation == 0) {
            r = g = b = value;
        } else {
            const int sector = newHue / 60;
            const double f = (newHue % 60) / 60.0;
            const double chroma = double(saturation) * value / 255.0;
            const double low = value - chroma;
            const double m = RoundHalfEven(f * chroma);
            switch (sector) {
            case 0:
                r = value, g = low + m, b = low;
                break;
            case 1:
                r = value - m, g = value, b = low;
                break;
            case 2:
                r = low, g = value, b = low + m;
                break;
            case 3:
                r = low, g = value - m, b = value;
                break;
            case 4:
                r = low + m, g = low, b = value;
                break;
            default:
                r = value, g = low, b = value - m;
                break;
            }
        }
        e.red = uint8_t(clampInt(RoundHalfEven(r), 0, 255));
        e.green = uint8_t(clampInt(RoundHalfEven(g), 0, 255));
        e.blue = uint8_t(clampInt(RoundHalfEven(b), 0, 255));
    }
    UpdateColorTable();
}

void TPrismSheet::LoadFromBitmap(const TBitmap& picture, TPoint offset) {
    if (picture.PixelFormat() != TPixelFormat::pf8bit)
        throw EInvalidGraphic("The picture is not 256 colours");
    if (mAutoSize) SetSize(picture.Width(), picture.Height());
    const int columns = std::min(picture.Width() - offset.x, mWidth);
    const int rows = std::min(picture.Height() - offset.y, mHeight);
    // A negative offset leaves the sheet's first rows and columns as they are instead of reading
    // before the picture.
    const int firstColumn = std::max(0, -offset.x), firstRow = std::max(0, -offset.y);
    for (int y = firstRow; y < rows; ++y)
        if (columns > firstColumn)
            std::memcpy(Row(y) + firstColumn, picture.ScanLine(y + offset.y) + offset.x + firstColumn,
                        size_t(columns - firstColumn));
    mPalette = picture.Palette();
    UpdateColorTable();
}

void TPrismSheet::LoadFromFile(const std::string& fileName, TPoint offset, bool raiseErrors) {
    Clear();
    if (fileName.empty()) return;
    try {
        TBitmap picture;
        LoadPictureFile(picture, fileName);
        LoadFromBitmap(picture, offset);
    } catch (...) {
        Clear();
        if (raiseErrors) throw;
    }
}

void TPrismSheet::MirrorHorizontal() {
    for (int y = 0; y < mHeight; ++y)
        std::reverse(Row(y), Row(y) + mWidth);
}

namespace {
// The part of rect inside the sheet; false when a rectangle reaches outside it.
bool inside(const TRect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}
} // namespace

bool TPrismSheet::SameArea(const TRect& a, const TRect& b) const {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return a.IsEmpty() && b.IsEmpty();
    if (a.IsEmpty()) return true;
    if (!inside(a, mWidth, mHeight) || !inside(b, mWidth, mHeight)) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(Row(a.top + y) + a.left, Row(b.top + y) + b.left, size_t(a.Width())) != 0)
            return false;
    return true;
}

bool TPrismSheet::IsTransparentArea(const TRect& rect) const {
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, mHeight); ++y)
        for (int x = std::max(rect.left, 0); x < std::min(rect.right, mWidth); ++x)
            if (Row(y)[x] != 0) return false;
    return true;
}

bool TPrismSheet::IsOpaqueArea(const TRect& rect) const {
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, mHeight); ++y)
        for (int x = std::max(rect.left, 0); x < std::min(rect.right, mWidth); ++x)
            if (Row(y)[x] == 0) return false;
    return true;
}

// ---- board -----------------------------------------------------------------------------------

void TPrismBoard::resize(int width, int height) {
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid board size");
    if (width == mWidth && height == mHeight) return;
    const int stride = (width + 1) & ~1;
    std::vector<uint16_t> pixels(size_t(stride) * size_t(height), 0);
    const int keepWidth = std::min(width, mWidth), keepHeight = std::min(height, mHeight);
    for (int y = 0; y < keepHeight; ++y)
        if (keepWidth > 0)
            std::memcpy(pixels.data() + size_t(y) * size_t(stride), Row(y), size_t(keepWidth) * 2);
    mPixels = std::move(pixels);
    mWidth = width;
    mHeight = height;
    mStridePixels = stride;
}

void TPrismBoard::SetSize(int width, int height) {
    if (width != mWidth || height != mHeight) {
        resize(0, 0);
        resize(width, height);
    }
    Clear();
}

void TPrismBoard::Clear() {
    std::fill(mPixels.begin(), mPixels.end(), uint16_t(0));
}

void TPrismBoard::applyBrightness(TPrismSheet& sheet) const {
    if (sheet.Brightness() != mBrightness) sheet.SetBrightness(mBrightness);
}

namespace {

// Unscaled clipping of one axis: a position below 0 shrinks the extent and moves the partner by
// the same amount; an extent past the limit is cut.
void clipPlain(int& pos, int& extent, int& partner, int limit) {
    if (pos < 0) {
        extent += pos;
        partner -= pos;
        pos = 0;
    }
    if (pos + extent > limit) extent = limit - pos;
}

// Proportional clipping of one axis of a stretched blit.
void clipScaled(int& pos, int& extent, int& partnerPos, int& partnerExtent, int limit) {
    if (extent <= 0) return;
    if (pos < 0) {
        const int64_t shrink = -int64_t(pos);
        const int64_t newExtent = extent - shrink;
        if (newExtent <= 0) {
            extent = 0;
            return;
        }
        partnerPos += int(int64_t(partnerExtent) * shrink / extent);
        partnerExtent = int(int64_t(partnerExtent) * newExtent / extent);
        extent = int(newExtent);
        pos = 0;
    }
    if (int64_t(pos) + extent > limit) {
        const int newExtent = limit - pos;
        if (newExtent <= 0) {
            extent = 0;
            return;
        }
        partnerExtent = std::max(1, int(int64_t(partnerExtent) * newExtent / extent));
        extent = newExtent;
    }
}

inline uint16_t blend565(uint16_t source, uint16_t dest, int a) {
    const int b = 257 - a;
    const int r = ((source >> 11) * a + (dest >> 11) * b) >> 8;
    const int g = (((source >> 5) & 63) * a + ((dest >> 5) & 63) * b) >> 8;
    const int bl = ((source & 31) * a + (dest & 31) * b) >> 8;
    return uint16_t(r << 11 | g << 5 | bl);
}

enum class Mode { Opaque, Transparent, Blend };

Mode modeOf(const TPrismSheet& sheet) {
    if (sheet.Opacity() < 255) return Mode::Blend;
    return sheet.Transparent() ? Mode::Transparent : Mode::Opaque;
}

} // namespace

void TPrismBoard::CopyBoard(int x, int y, const TRect& source, const TPrismBoard& board) {
    int sx = source.left, sy = source.top, w = source.Width(), h = source.Height();
    clipPlain(sx, w, x, board.Width());
    clipPlain(sy, h, y, board.Height());
    clipPlain(x, w, sx, mWidth);
    clipPlain(y, h, sy, mHeight);
    if (w <= 0 || h <= 0) return;
    if (&board == this) {
        // Scrolling copies within one board: move rows in the order that never overwrites a source.
        if (y > sy)
            for (int row = h - 1; row >= 0; --row)
                std::memmove(Row(y + row) + x, Row(sy + row) + sx, size_t(w) * 2);
        else
            for (int row = 0; row < h; ++row)
                std::memmove(Row(y + row) + x, Row(sy + row) + sx, size_t(w) * 2);
        return;
    }
    for (int row = 0; row < h; ++row)
        std::memcpy(Row(y + row) + x, board.Row(sy + row) + sx, size_t(w) * 2);
}

namespace {

// One row of sheet indices onto board pixels in the sheet's drawing mode.
inline void drawIndexRow(uint16_t* out, const uint8_t* in, int w, const uint16_t* table, Mode mode, int a) {
    switch (mode) {
    case Mode::Opaque:
        for (int i = 0; i < w; ++i)
            out[i] = table[in[i]];
        break;
    case Mode::Transparent:
        for (int i = 0; i < w; ++i)
            if (in[i]) out[i] = table[in[i]];
        break;
    case Mode::Blend:
        for (int i = 0; i < w; ++i)
            if (in[i]) out[i] = blend565(table[in[i]], out[i], a);
        break;
    }
}

} // namespace

void TPrismBoard::DrawSheet(int x, int y, const TRect& source, TPrismSheet& sheet) {
    int sx = source.left, sy = source.top, w = source.Width(), h = source.Height();
    clipPlain(sx, w, x, sheet.Width());
    clipPlain(sy, h, y, sheet.Height());
    clipPlain(x, w, sx, mWidth);
    clipPlain(y, h, sy, mHeight);
    if (w <= 0 || h <= 0) return;
    drawIndices(x, y, w, h, sheet.Row(sy) + sx, size_t(sheet.Width()), sheet);
}

void TPrismBoard::DrawIndexBlock(int x, int y, int width, int height, const uint8_t* indices,
                                 TPrismSheet& sheet) {
    int sx = 0, sy = 0, w = width, h = height;
    clipPlain(x, w, sx, mWidth);
    clipPlain(y, h, sy, mHeight);
    if (w <= 0 || h <= 0) return;
    drawIndices(x, y, w, h, indices + size_t(sy) * size_t(width) + sx, size_t(width), sheet);
}

void TPrismBoard::drawIndices(int x, int y, int w, int h, const uint8_t* first, size_t stride,
                              TPrismSheet& sheet) {
    applyBrightness(sheet);
    const uint16_t* table = sheet.ColorTable().data();
    const Mode mode = modeOf(sheet);
    const int a = sheet.Opacity() + 1;
    for (int row = 0; row < h; ++row)
        drawIndexRow(Row(y + row) + x, first + size_t(row) * stride, w, table, mode, a);
}

void TPrismBoard::StretchDrawSheet(const TRect& dest, TPrismSheet& sheet, const TRect& source) {
    const int dw = dest.Width(), dh = dest.Height(), sw = source.Width(), sh = source.Height();
    if (dw == sw && dh == sh) {
        DrawSheet(dest.left, dest.top, source, sheet);
        return;
    }
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    int sx = source.left, sy = source.top, csw = sw, csh = sh;
    int dx = dest.left, dy = dest.top, cdw = dw, cdh = dh;
    clipScaled(sx, csw, dx, cdw, sheet.Width());
    clipScaled(sy, csh, dy, cdh, sheet.Height());
    if (csw <= 0 || csh <= 0) return;
    clipScaled(dx, cdw, sx, csw, mWidth);
    clipScaled(dy, cdh, sy, csh, mHeight);
    if (cdw <= 0 || cdh <= 0) return;
    applyBrightness(sheet);

    // The maps come from the rectangles as given, so a clipped blit shows exactly the pixels it
    // would have shown unclipped. A column whose source lies outside the sheet (possible only at a
    // clipped edge through rounding) is left alone.
    mColumnMap.resize(size_t(cdw));
    // The map never decreases, so the columns to leave alone can only lie at either end.
    int first = 0, last = cdw;
    for (int i = 0; i < cdw; ++i) {
        const int column = source.left + int(int64_t(dx + i - dest.left) * sw / dw);
        mColumnMap[size_t(i)] = column;
        if (column < 0) first = i + 1;
        if (column >= sheet.Width() && last == cdw) last = i;
    }
    if (first >= last) return;
    const uint16_t* table = sheet.ColorTable().data();
    const Mode mode = modeOf(sheet);
    const int a = sheet.Opacity() + 1;
    const int* map = mColumnMap.data();
    for (int row = 0; row < cdh; ++row) {
        const int sourceRow = source.top + int(int64_t(dy + row - dest.top) * sh / dh);
        if (sourceRow < 0 || sourceRow >= sheet.Height()) continue;
        const uint8_t* in = sheet.Row(sourceRow);
        uint16_t* out = Row(dy + row) + dx;
        switch (mode) {
        case Mode::Opaque:
            for (int i = first; i < last; ++i)
                out[i] = table[in[map[i]]];
            break;
        case Mode::Transparent:
            for (int i = first; i < last; ++i)
                if (const uint8_t index = in[map[i]]) out[i] = table[index];
            break;
        case Mode::Blend:
            for (int i = first; i < last; ++i)
                if (const uint8_t index = in[map[i]]) out[i] = blend565(table[index], out[i], a);
            break;
        }
    }
}

void TPrismBoard::DrawSheetZoomed(int centreX, int centreY, double zoom, int halfHeight, int halfWidth,
                                  const TRect& source, TPrismSheet& sheet) {
    if (zoom == 1.0) {
        DrawSheet(centreX - halfWidth, centreY - halfHeight, source, sheet);
        return;
    }
    const TRect dest{RoundHalfEven(centreX - zoom * halfWidth), RoundHalfEven(centreY - zoom * halfHeight),
                     RoundHalfEven(centreX + zoom * halfWidth), RoundHalfEven(centreY + zoom * halfHeight)};
    StretchDrawSheet(dest, sheet, source);
}

TBitmap BoardToBitmap(const TPrismBoard& board) {
    TBitmap picture;
    picture.Reset(TPixelFormat::pf24bit, board.Width(), board.Height());
    for (int y = 0; y < board.Height(); ++y) {
        uint8_t* out = picture.ScanLine(y);
        for (int x = 0; x < board.Width(); ++x, out += 3) {
            const TRGB c = Unpack565(board.Pixel(x, y));
            out[0] = c.blue;
            out[1] = c.green;
            out[2] = c.red;
        }
    }
    return picture;
}

// ---- helpers ---------------------------------------------------------------------------------

void FillRect(TPrismBoard& board, const TRect& rect, TRGB colour) {
    const uint16_t pixel = Pack565(colour);
    const int left = std::max(rect.left, 0), right = std::min(rect.right, board.Width());
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, board.Height()); ++y)
        if (right > left) std::fill(board.Row(y) + left, board.Row(y) + right, pixel);
}

void FrameRect(TPrismBoard& board, const TRect& rect, TRGB colour) {
    if (rect.IsEmpty()) return;
    FillRect(board, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillRect(board, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillRect(board, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    FillRect(board, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void DrawSelectionFrame(TPrismBoard& board, TRGB colour, const TRect& rect) {
    auto shrink = [&](int n) { return TRect{rect.left + n, rect.top + n, rect.right - n, rect.bottom - n}; };
    FrameRect(board, rect, {0, 0, 0});
    FrameRect(board, shrink(3), {0, 0, 0});
    FrameRect(board, shrink(2), {255, 255, 255});
    FrameRect(board, shrink(1), colour);
}

TRect ScaleRect(const TRect& rect, int factor) {
    return {rect.left * factor, rect.top * factor, rect.right * factor, rect.bottom * factor};
}

TRect CellRect(TPoint a, TPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

TRect FitRect(const TRect& area, const TRect& picture) {
    const int64_t areaWidth = area.Width(), areaHeight = area.Height();
    int64_t width = picture.right, height = picture.bottom;
    if (width > areaWidth || height > areaHeight) {
        // The side that overflows more decides: width / areaWidth against height / areaHeight.
        if (width * areaHeight > height * areaWidth) {
            height = width > 0 ? height * areaWidth / width : 0;
            width = areaWidth;
        } else {
            width = height > 0 ? width * areaHeight / height : 0;
            height = areaHeight;
        }
    }
    const int left = area.left + int((areaWidth - width) / 2);
    const int top = area.top + int((areaHeight - height) / 2);
    return {left, top, left + int(width), top + int(height)};
}

void PaintHatchedBackground(TPrismBoard& board, const TRect& clip, int xOffset, int yOffset, TRGB shadow,
                            TRGB face) {
    const uint16_t back = Pack565(shadow), line = Pack565(face);
    const int left = std::max(clip.left, 0), right = std::min(clip.right, board.Width());
    for (int y = std::max(clip.top, 0); y < std::min(clip.bottom, board.Height()); ++y) {
        uint16_t* out = board.Row(y);
        const int py = (y + yOffset) & 7;
        for (int x = left; x < right; ++x) {
            const int px = (x + xOffset) & 7;
            out[x] = (px == py || px == 7 - py) ? line : back;
        }
    }
}

namespace {

const std::vector<int>& penPattern(TPenStyle style) {
    static const std::vector<int> solid{24}, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6},
        dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case TPenStyle::Dash:
        return dash;
    case TPenStyle::Dot:
        return dot;
    case TPenStyle::DashDot:
        return dashDot;
    case TPenStyle::DashDotDot:
        return dashDotDot;
    default:
        return solid;
    }
}

// A styled line from (x0, y0) towards (x1, y1), horizontal or vertical, without its end point, the
// pattern starting at (x0, y0); only pixels inside clip are set.
void styledLine(TPrismBoard& board, int x0, int y0, int x1, int y1, const std::vector<int>& pattern,
                uint16_t pen, uint16_t brush, const TRect& clip) {
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0, dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    const int length = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    size_t segment = 0;
    int left = pattern[0];
    for (int i = 0, x = x0, y = y0; i < length; ++i, x += dx, y += dy) {
        if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom && x >= 0 && y >= 0 &&
            x < board.Width() && y < board.Height())
            board.Row(y)[x] = (segment % 2 == 0) ? pen : brush;
        if (--left == 0) {
            segment = (segment + 1) % pattern.size();
            left = pattern[segment];
        }
    }
}

} // namespace

void DrawMarchingRect(TPrismBoard& board, int64_t phase, int phaseScale, TRGB brush, TRGB pen,
                      TPenStyle style, const TRect& rect) {
    if (rect.IsEmpty()) return;
    const int offset = int(((int64_t(std::llrint(double(phase) * phaseScale / 1024.0)) % 96) + 96) % 96);
    const auto& pattern = penPattern(style);
    const uint16_t p = Pack565(pen), b = Pack565(brush);
    const int l = rect.left, t = rect.top, r = rect.right, bo = rect.bottom;
    styledLine(board, r - 1 + offset, t, l, t, pattern, p, b, rect);
    styledLine(board, r - 1, bo - 1 + offset, r - 1, t, pattern, p, b, rect);
    styledLine(board, l - offset, bo - 1, r - 1, bo - 1, pattern, p, b, rect);
    styledLine(board, l, t - offset, l, bo - 1, pattern, p, b, rect);
}

} // namespace tarvel
