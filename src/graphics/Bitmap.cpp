#include "Bitmap.h"

#include <algorithm>
#include <libimagequant.h>
#include <memory>
#include <unordered_map>

namespace tarvel {

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit:
        return 1;
    case TPixelFormat::pf4bit:
        return 4;
    case TPixelFormat::pf8bit:
        return 8;
    case TPixelFormat::pf24bit:
        return 24;
    case TPixelFormat::pf32bit:
        return 32;
    }
    return 24;
}

bool IsIndexed(TPixelFormat format) {
    return BitsPerPixel(format) <= 8;
}

bool PictureSizeAcceptable(uint64_t width, uint64_t height) {
    // A picture without rows still has rows of its width allocated while it is read, so a zero
    // side counts as one.
    return std::max<uint64_t>(width, 1) <= kMaxPicturePixels &&
           std::max<uint64_t>(height, 1) <= kMaxPicturePixels &&
           std::max<uint64_t>(width, 1) * std::max<uint64_t>(height, 1) <= kMaxPicturePixels;
}

void TBitmap::Reset(TPixelFormat format, int width, int height) {
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid picture size");
    mFormat = format;
    mWidth = width;
    mHeight = height;
    mRowBytes = (size_t(width) * size_t(BitsPerPixel(format)) + 7) / 8;
    mPixels.assign(mRowBytes * size_t(height), 0);
}

void TBitmap::SetSize(int width, int height) {
    Reset(mFormat, width, height);
}

int TBitmap::PixelIndex(int x, int y) const {
    const uint8_t* row = ScanLine(y);
    switch (mFormat) {
    case TPixelFormat::pf1bit:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case TPixelFormat::pf4bit:
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case TPixelFormat::pf8bit:
        return row[x];
    default:
        return 0;
    }
}

void TBitmap::PixelColor(int x, int y, uint8_t& red, uint8_t& green, uint8_t& blue) const {
    if (IsIndexed(mFormat)) {
        const TPaletteEntry& e = mPalette[PixelIndex(x, y)];
        red = e.red;
        green = e.green;
        blue = e.blue;
        return;
    }
    const uint8_t* p = ScanLine(y) + size_t(x) * (BitsPerPixel(mFormat) / 8);
    blue = p[0];
    green = p[1];
    red = p[2];
}

void TBitmap::convertIndexedToTrueColor(TPixelFormat format) {
    TBitmap target;
    target.Reset(format, mWidth, mHeight);
    const int step = BitsPerPixel(format) / 8;
    for (int y = 0; y < mHeight; ++y) {
        uint8_t* out = target.ScanLine(y);
        for (int x = 0; x < mWidth; ++x, out += step) {
            const TPaletteEntry& e = mPalette[PixelIndex(x, y)];
            out[0] = e.blue;
            out[1] = e.green;
            out[2] = e.red;
            if (step == 4) out[3] = 255;
        }
    }
    target.mPalette = mPalette;
    *this = std::move(target);
}

void TBitmap::convertToIndexed(TPixelFormat format) {
    const int maxColors = format == TPixelFormat::pf1bit ? 2 : format == TPixelFormat::pf4bit ? 16 : 256;
    TBitmap reduced;
    if (IsIndexed(mFormat)) {
        // Widening (1 or 4 bits to 8) keeps every index; narrowing goes through true colour.
        if (BitsPerPixel(mFormat) < BitsPerPixel(format)) {
            reduced.Reset(TPixelFormat::pf8bit, mWidth, mHeight);
            for (int y = 0; y < mHeight; ++y)
                for (int x = 0; x < mWidth; ++x)
                    reduced.ScanLine(y)[x] = uint8_t(PixelIndex(x, y));
            reduced.mPalette = mPalette;
        } else {
            TBitmap trueColor = *this;
            trueColor.convertIndexedToTrueColor(TPixelFormat::pf24bit);
            ReduceColors(trueColor, maxColors, reduced);
        }
    } else {
        ReduceColors(*this, maxColors, reduced);
    }
    if (format == TPixelFormat::pf8bit) {
        *this = std::move(reduced);
        return;
    }
    TBitmap packed;
    packed.Reset(format, mWidth, mHeight);
    packed.mPalette = reduced.mPalette;
    const int bits = BitsPerPixel(format);
    for (int y = 0; y < mHeight; ++y) {
        uint8_t* out = packed.ScanLine(y);
        const uint8_t* in = reduced.ScanLine(y);
        for (int x = 0; x < mWidth; ++x) {
            const int index = in[x] & (maxColors - 1);
            if (bits == 1)
                out[x >> 3] |= uint8_t(index << (7 - (x & 7)));
            else
                out[x >> 1] |= uint8_t((x & 1) ? index : index << 4);
        }
    }
    *this = std::move(packed);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == mFormat) return;
    if (IsIndexed(format)) {
        convertToIndexed(format);
        return;
    }
    if (IsIndexed(mFormat)) {
        convertIndexedToTrueColor(format);
        return;
    }
    // 24 <-> 32 bits: the same colours with or without the unused fourth byte.
    TBitmap target;
    target.Reset(format, mWidth, mHeight);
    const int inStep = BitsPerPixel(mFormat) / 8, outStep = BitsPerPixel(format) / 8;
    for (int y = 0; y < mHeight; ++y) {
        const uint8_t* in = ScanLine(y);
        uint8_t* out = target.ScanLine(y);
        for (int x = 0; x < mWidth; ++x, in += inStep, out += outStep) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            if (outStep == 4) out[3] = 255;
        }
    }
    target.mPalette = mPalette;
    *this = std::move(target);
}

namespace {

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

// More colours than fit: libimagequant picks the palette and dithers.
void quantize(const std::vector<uint8_t>& rgba, int width, int height, int maxColors, TBitmap& target) {
    std::unique_ptr<liq_attr, LiqDeleter> attr(liq_attr_create());
    if (!attr) throw EOutOfResources("Out of memory reducing colours");
    liq_set_max_colors(attr.get(), maxColors);
    std::unique_ptr<liq_image, LiqDeleter> image(
        liq_image_create_rgba(attr.get(), rgba.data(), width, height, 0));
    if (!image) throw EOutOfResources("Out of memory reducing colours");
    liq_result* raw = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK || !raw)
        throw EInvalidGraphic("The picture could not be reduced to 256 colours");
    std::unique_ptr<liq_result, LiqDeleter> result(raw);
    liq_set_dithering_level(result.get(), 1.0f);
    std::vector<uint8_t> indices(size_t(width) * size_t(height));
    if (liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size()) != LIQ_OK)
        throw EInvalidGraphic("The picture could not be reduced to 256 colours");
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count && i < 256; ++i)
        target.Palette()[i] = {palette->entries[i].r, palette->entries[i].g, palette->entries[i].b, 0};
    for (int y = 0; y < height; ++y)
        std::copy_n(indices.data() + size_t(y) * size_t(width), size_t(width), target.ScanLine(y));
}

} // namespace

void ReduceColors(const TBitmap& source, int maxColors, TBitmap& target) {
    const int width = source.Width(), height = source.Height();
    TBitmap result;
    result.Reset(TPixelFormat::pf8bit, width, height);
    if (source.Empty()) {
        target = std::move(result);
        return;
    }
    // First try an exact palette; most material is drawn with few colours and must keep them.
    std::unordered_map<uint32_t, uint8_t> exact;
    bool fits = true;
    for (int y = 0; y < height && fits; ++y) {
        uint8_t* out = result.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            uint8_t r, g, b;
            source.PixelColor(x, y, r, g, b);
            const uint32_t key = uint32_t(r) << 16 | uint32_t(g) << 8 | b;
            auto it = exact.find(key);
            if (it == exact.end()) {
                if (int(exact.size()) == maxColors) {
                    fits = false;
                    break;
                }
                const uint8_t index = uint8_t(exact.size());
                it = exact.emplace(key, index).first;
                result.Palette()[index] = {r, g, b, 0};
            }
            out[x] = it->second;
        }
    }
    if (!fits) {
        result.Palette() = TPalette{};
        std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
        uint8_t* p = rgba.data();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x, p += 4) {
                source.PixelColor(x, y, p[0], p[1], p[2]);
                p[3] = 255;
            }
        quantize(rgba, width, height, maxColors, result);
    }
    target = std::move(result);
}

} // namespace tarvel
