#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PrismSheet.h"

namespace tarvel {

// Chip numbers, as the map layers hold them:
//   0..2999      water A, water B, deep water: kind x 1000 + junction mask x 50 + variant
//   3000..3100   animated chips 1..3 (3000 + 50 k)
//   4000..4599   ground autotiles 1..12: 4000 + 50 x (kind - 6) + variant
//   5000..5143   plain lower chips
//   10000..19999 upper chips (10000 + index, index clamped to 143); 20000 and above draw nothing
constexpr int kLowerChipKinds = 162;
constexpr int kUpperChips = 144;
constexpr int kChipSetWidth = 480;
constexpr int kChipSetHeight = 256;
constexpr int kPaletteVariant = 49;

// The family (kind 0..161) of a lower chip number; -1 for a negative number.
int ChipKind(int number);
// The first number of a kind: kind x 1000 for water, the animated chip, variant 0 of an
// autotile, or the plain chip itself.
int KindBaseChip(int kind);

// What the chipset renderer reads from the chipset record it draws. The data layer's chipset
// record is shown to the renderer through this (the animation fields are read at every draw, so
// changing them needs no reload).
class ChipSetRecordPort {
public:
    virtual ~ChipSetRecordPort() = default;
    virtual std::string GraphicName() const = 0;
    // 0: frames 1-2-3-2, 1: frames 1-2-3.
    virtual int SeaAnimation() const = 0;
    // 0: slow (a frame every 24 time units), 1: fast (every 12).
    virtual int SeaSpeed() const = 0;
};

// A chipset record held by value, for tools and tests.
struct TChipSetLook : ChipSetRecordPort {
    std::string graphicName;
    int seaAnimation = 0;
    int seaSpeed = 0;
    std::string GraphicName() const override { return graphicName; }
    int SeaAnimation() const override { return seaAnimation; }
    int SeaSpeed() const override { return seaSpeed; }
};

// Facts about one chip family, computed once per chipset picture.
struct TQelChipRecord {
    // 8-pixel units: x in the low byte, y in the high byte (block origin for kinds 0..17, the
    // cell of a plain or upper chip).
    uint16_t origin = 0;
    // Ground autotiles: the kind whose palette form equals this one's link cell, or -1.
    int link = -1;
    // Every pixel of the cell is index 0 (plain and upper chips).
    bool transparent = false;
    // No pixel of the chip's whole area is index 0.
    bool opaque = false;
    int OriginX() const { return origin & 0xFF; }
    int OriginY() const { return origin >> 8; }
};

// Draws chip numbers from one chipset picture (480 x 256, 8 bits, index 0 transparent), held
// twice: as it is and dimmed. Water and ground autotiles are composed of four 8 x 8 quarters
// chosen by the number's variant; water and animated chips cycle through frames by the time.
class TQelChipSetGraphic {
public:
    TQelChipSetGraphic();

    // Forgets the image name and the record; both sheets blank.
    void Reset();
    // Remembers the record (not owned; may be null) and loads its picture.
    void SetChipSet(const ChipSetRecordPort* record);
    const ChipSetRecordPort* ChipSet() const { return mRecord; }
    // Loads the picture of that name from the "ChipSet" material folder unless it is the one
    // loaded. A missing or unreadable picture leaves blank sheets.
    void SetImage(const std::string& name);
    const std::string& ImageName() const { return mImageName; }

    // The link of an autotile kind; -1 for any other kind.
    int GetLink(int kind) const;
    // Lower layers are drawn with transparency off, upper layers and overlays with it on.
    void SetTransparent(bool on);
    // Opacity of both sheets = 255 - 30 x level.
    void SetFade(int level);

    // Draws one chip with its top-left at (x, y), scaled to size x size pixels (16 is natural).
    // time is the animation counter (0 shows the first frame). Numbers that name no chip
    // (negative, 3150..3999, 4600..4999, 5144..9999, 20000 and above) draw nothing.
    void DrawChip(TPrismBoard& board, int x, int time, int chip, bool dimmed, int size, int y);

    // The facts of lower kind 0..161 and upper chip 0..143 (out of range: internal error).
    const TQelChipRecord& ChipRecord(int kind) const;
    const TQelChipRecord& UpperChipRecord(int index) const;

    // The two sheets, for their colour effects, opacity and transparency. Chips are composed from
    // their pixels once per picture load and size, so the pixels are only changed by loading.
    TPrismSheet& Sheet() { return *mSheet; }
    TPrismSheet& DimmedSheet() { return *mDimmed; }

private:
    // Chips composed at one even size up to kMaxComposedSize, as palette indices of one sheet,
    // each built when first drawn.
    static constexpr int kMaxComposedSize = 64;
    struct ComposedChips {
        std::vector<int32_t> offsets; // by chip key; -1 until built
        std::vector<uint8_t> pixels;
    };

    void computeFacts();
    void compose(TPrismBoard& board, TPrismSheet& sheet, int x, int y, int size, const TPoint quarters[4]);
    void drawCell(TPrismBoard& board, TPrismSheet& sheet, bool dimmed, int x, int y, int size,
                  const TQelChipRecord& record, int key);
    // Draws a chip through its composed block when the size allows one: an even size up to 64
    // whose block is exactly what the blits would draw. False when it must be blitted instead.
    bool drawComposed(TPrismBoard& board, TPrismSheet& sheet, bool dimmed, int x, int y, int size, int key,
                      const TPoint quarters[4]);
    ComposedChips& composedChips(bool dimmed, int size);

    const ChipSetRecordPort* mRecord = nullptr;
    std::string mImageName;
    std::unique_ptr<TPrismSheet> mSheet, mDimmed;
    std::array<TQelChipRecord, kLowerChipKinds> mChips{};
    std::array<TQelChipRecord, kUpperChips> mUpperChips{};
    // By dimmed, then by size / 2.
    std::array<std::array<ComposedChips, kMaxComposedSize / 2 + 1>, 2> mComposed;
};

// The quarter pieces of the variant table, exposed for the chipset editor and tests: the source
// quarter (8-pixel units, relative to the block origin) of quarter q (0 top-left, 1 top-right,
// 2 bottom-left, 3 bottom-right) of a ground autotile variant 0..49, and the absolute unit of a
// water kind 0..2 for a variant and junction mask at animation step 0.
TPoint GroundQuarter(int variant, int quarter);
TPoint WaterQuarter(int kind, int variant, int mask, int quarter);

} // namespace tarvel
