#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Geometry.h"

namespace tarvel {

class TPrismSheet;

// Rounds to the nearest integer, halves to the even neighbour (the rounding every drawing rule
// of the editor uses).
int RoundHalfEven(double value);

// One set of colour effects of a sheet: channel percentages, saturation and a tone colour blended
// in. A sheet has two; their percentages add. Changing one rebuilds the owner's colour table when
// asked to, and never when the values are already held.
class TPrismColorControl {
public:
    explicit TPrismColorControl(TPrismSheet& owner) : mOwner(owner) {}

    int Red() const { return mRed; }
    int Green() const { return mGreen; }
    int Blue() const { return mBlue; }
    int Saturation() const { return mSaturation; }
    int ToneRed() const { return mToneRed; }
    int ToneGreen() const { return mToneGreen; }
    int ToneBlue() const { return mToneBlue; }
    int ToneStrength() const { return mToneStrength; }

    void SetNeutral(bool update);
    void SetColor(int red, int green, int blue, int saturation, bool update);
    // Tone channels in 5-bit units (0..31), strength 0..32 (32 replaces the colour entirely).
    void SetTone(int red, int green, int blue, int strength, bool update);
    void SetAll(int red, int green, int blue, int saturation, int toneRed, int toneGreen, int toneBlue,
                int strength, bool update);

private:
    TPrismSheet& mOwner;
    int mRed = 100, mGreen = 100, mBlue = 100, mSaturation = 100;
    int mToneRed = 0, mToneGreen = 0, mToneBlue = 0, mToneStrength = 0;
};

// A 256-colour picture ready for drawing: 8-bit pixels, the palette they index, and the table of
// 5-6-5 colours derived from the palette after every colour effect. Index 0 is the transparent
// colour of material pictures.
class TPrismSheet {
public:
    TPrismSheet();
    TPrismSheet(const TPrismSheet&) = delete;
    TPrismSheet& operator=(const TPrismSheet&) = delete;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    TRect BoundsRect() const { return {0, 0, mWidth, mHeight}; }
    uint8_t* Row(int y) { return mPixels.data() + size_t(y) * size_t(mWidth); }
    const uint8_t* Row(int y) const { return mPixels.data() + size_t(y) * size_t(mWidth); }

    TPalette& Palette() { return mPalette; }
    const TPalette& Palette() const { return mPalette; }
    const std::array<uint16_t, 256>& ColorTable() const { return mColorTable; }

    bool Transparent() const { return mTransparent; }
    void SetTransparent(bool on) { mTransparent = on; }
    // 255 draws opaquely, below blends (clamped to 0..255).
    int Opacity() const { return mOpacity; }
    void SetOpacity(int opacity) { mOpacity = opacity < 0 ? 0 : opacity > 255 ? 255 : opacity; }
    bool AutoSize() const { return mAutoSize; }
    void SetAutoSize(bool on) { mAutoSize = on; }
    int Brightness() const { return mBrightness; }
    // Rebuilds the table when the value changes.
    void SetBrightness(int percent);

    TPrismColorControl& ColorControl1() { return *mControl1; }
    TPrismColorControl& ColorControl2() { return *mControl2; }

    // Nothing when the size is unchanged; otherwise new zeroed pixels.
    void SetSize(int width, int height);
    // Zeroes the pixels, the palette and the colour table.
    void Clear();
    void FreePixels();
    void UpdateColorTable();
    // Rotates the hue of palette entries 1..255 (entry 0, the transparent colour, never changes);
    // 0 degrees does nothing at all.
    void RotateHue(int degrees);

    // Takes the pixels of an 8-bit picture from (offset x, offset y) and its palette; raises
    // EInvalidGraphic for any other pixel format.
    void LoadFromBitmap(const TBitmap& picture, TPoint offset = {});
    // Clears, then loads the picture file (any format LoadPictureFile reads). Failures are raised
    // only when asked; otherwise the sheet stays cleared.
    void LoadFromFile(const std::string& fileName, TPoint offset, bool raiseErrors);
    void LoadFromFile(const std::string& fileName, bool raiseErrors) {
        LoadFromFile(fileName, {}, raiseErrors);
    }

    void MirrorHorizontal();
    // Both rectangles the same size with identical pixels (empty equals empty).
    bool SameArea(const TRect& a, const TRect& b) const;
    // Every pixel index 0 (true for an empty rectangle).
    bool IsTransparentArea(const TRect& rect) const;
    // No pixel index 0 (true for an empty rectangle).
    bool IsOpaqueArea(const TRect& rect) const;

private:
    std::unique_ptr<TPrismColorControl> mControl1, mControl2;
    TPalette mPalette{};
    std::array<uint16_t, 256> mColorTable{};
    int mWidth = 0, mHeight = 0;
    std::vector<uint8_t> mPixels;
    bool mTransparent = false;
    int mOpacity = 255;
    bool mAutoSize = false;
    int mBrightness = 100;
};

// A 16-bit (5-6-5) off-screen picture that sheets are drawn into. Rows run top down; each row
// starts at a multiple of 4 bytes, so the UI can show the memory as a QImage (Format_RGB16).
class TPrismBoard {
public:
    TPrismBoard() = default;
    TPrismBoard(const TPrismBoard&) = delete;
    TPrismBoard& operator=(const TPrismBoard&) = delete;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    // Resizing keeps the pixels that still fit; new pixels are black.
    void SetWidth(int width) { resize(width, mHeight); }
    void SetHeight(int height) { resize(mWidth, height); }
    // Byte distance from one row to the next.
    int RowStride() const { return mStridePixels * 2; }
    uint16_t* Row(int y) { return mPixels.data() + size_t(y) * size_t(mStridePixels); }
    const uint16_t* Row(int y) const { return mPixels.data() + size_t(y) * size_t(mStridePixels); }
    uint8_t* Bits() { return reinterpret_cast<uint8_t*>(mPixels.data()); }
    uint16_t Pixel(int x, int y) const { return Row(y)[x]; }

    int Brightness() const { return mBrightness; }
    void SetBrightness(int percent) { mBrightness = percent; }

    // Only clears when the size is already width x height.
    void SetSize(int width, int height);
    // Every pixel 0 (black).
    void Clear();

    // Plain copy of a rectangle of another board to (x, y), clipped to both boards.
    void CopyBoard(int x, int y, const TRect& source, const TPrismBoard& board);
    // Draws a rectangle of a sheet at (x, y), unscaled, clipped: source x against the sheet width,
    // source y against its height, then destination x and y against the board.
    void DrawSheet(int x, int y, const TRect& source, TPrismSheet& sheet);
    // Draws a width x height block of the sheet's palette indices (row by row) at (x, y), clipped,
    // exactly as DrawSheet draws the sheet's own pixels: for chips composed once and drawn often.
    void DrawIndexBlock(int x, int y, int width, int height, const uint8_t* indices, TPrismSheet& sheet);
    // Draws a rectangle of a sheet scaled (nearest neighbour) into dest; equal sizes draw unscaled.
    void StretchDrawSheet(const TRect& dest, TPrismSheet& sheet, const TRect& source);
    // Draws the source centred at (centre x, centre y): unscaled for zoom 1, otherwise stretched to
    // zoom times the half sizes around the centre.
    void DrawSheetZoomed(int centreX, int centreY, double zoom, int halfHeight, int halfWidth,
                         const TRect& source, TPrismSheet& sheet);

private:
    void resize(int width, int height);
    void applyBrightness(TPrismSheet& sheet) const;
    // Draws w x h sheet indices (rows stride bytes apart, clipped already) at (x, y).
    void drawIndices(int x, int y, int w, int h, const uint8_t* first, size_t stride, TPrismSheet& sheet);

    int mWidth = 0, mHeight = 0, mStridePixels = 0;
    std::vector<uint16_t> mPixels;
    int mBrightness = 100;
    std::vector<int> mColumnMap; // scratch of StretchDrawSheet, kept to spare an allocation per chip
};

// The board as a 24-bit picture, each 5-6-5 pixel widened to 8 bits a channel (the form in which
// tools write what the editor shows).
TBitmap BoardToBitmap(const TPrismBoard& board);

// Pen styles of DrawMarchingRect: dashes, dots and their mixes repeat every 24 pixels.
enum class TPenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

// Drawing helpers on a board. Everything is clipped to the board.
void FillRect(TPrismBoard& board, const TRect& rect, TRGB colour);
// A 1-pixel outline just inside rect.
void FrameRect(TPrismBoard& board, const TRect& rect, TRGB colour);
// The 4-pixel frame that marks a cursor or a drag target: black, colour, white, black from the
// outside in.
void DrawSelectionFrame(TPrismBoard& board, TRGB colour, const TRect& rect);
TRect ScaleRect(const TRect& rect, int factor);
// The cells from a to b, both included, in either order.
TRect CellRect(TPoint a, TPoint b);
// The picture (width = right, height = bottom of picture) scaled down to fit the area if it is
// larger, keeping its aspect, and centred in the area. Never enlarged.
TRect FitRect(const TRect& area, const TRect& picture);
// Fills clip with an 8 x 8 pattern: shadow crossed by a diagonal cross-hatch in face; the pattern
// is moved by the offsets so that it scrolls with the content.
void PaintHatchedBackground(TPrismBoard& board, const TRect& clip, int xOffset, int yOffset,
                            TRGB shadow = {128, 128, 128}, TRGB face = {192, 192, 192});
// The crawling dashed outline of a selection: the pattern of each edge starts (phase x scale /
// 1024) mod 96 pixels outside the rectangle and is clipped to it, so it moves as the phase grows.
// Gaps of the pen pattern take the brush colour.
void DrawMarchingRect(TPrismBoard& board, int64_t phase, int phaseScale, TRGB brush, TRGB pen,
                      TPenStyle style, const TRect& rect);

} // namespace tarvel
