#include "GR_ChipSet.h"

#include <algorithm>

#include "GraphicsPorts.h"
#include "PictureFile.h"
#include "records/QelAssert.h"

namespace tarvel {

int ChipKind(int number) {
    if (number < 0) return -1;
    if (number < 3000) return number / 1000;
    if (number < 4000) return (number - 3000) / 50 + 3;
    if (number < 5000) return (number - 4000) / 50 + 6;
    return number - 4982;
}

int KindBaseChip(int kind) {
    if (kind <= 2) return kind * 1000;
    if (kind <= 5) return 2850 + 50 * kind;
    if (kind <= 17) return 3700 + 50 * kind;
    return kind + 4982;
}

namespace {

// The state of each quarter (top-left, top-right, bottom-left, bottom-right) of a variant.
enum State : uint8_t { C, I, V, H, O, P };
const State kStates[50][4] = {
    {C, C, C, C}, {I, C, C, C}, {C, I, C, C}, {I, I, C, C}, {C, C, C, I}, {I, C, C, I}, {C, I, C, I},
    {I, I, C, I}, {C, C, I, C}, {I, C, I, C}, {C, I, I, C}, {I, I, I, C}, {C, C, I, I}, {I, C, I, I},
    {C, I, I, I}, {I, I, I, I}, {V, C, V, C}, {V, I, V, C}, {V, C, V, I}, {V, I, V, I}, {H, H, C, C},
    {H, H, C, I}, {H, H, I, C}, {H, H, I, I}, {C, V, C, V}, {C, V, I, V}, {I, V, C, V}, {I, V, I, V},
    {C, C, H, H}, {I, C, H, H}, {C, I, H, H}, {I, I, H, H}, {V, V, V, V}, {H, H, H, H}, {O, H, V, C},
    {O, H, V, I}, {H, O, C, V}, {H, O, I, V}, {C, V, H, O}, {I, V, H, O}, {V, C, O, H}, {V, I, O, H},
    {O, O, V, V}, {O, H, O, H}, {V, V, O, O}, {H, O, H, O}, {O, O, O, O}, {C, C, C, C}, {C, C, C, C},
    {P, P, P, P},
};

// Source quarters of ground autotiles, relative to the block origin, by variant.
const uint8_t kGround[50][8] = {
    {2, 4, 3, 4, 2, 5, 3, 5}, {4, 0, 3, 4, 2, 5, 3, 5}, {2, 4, 5, 0, 2, 5, 3, 5}, {4, 0, 5, 0, 2, 5, 3, 5},
    {2, 4, 3, 4, 2, 5, 5, 1}, {4, 0, 3, 4, 2, 5, 5, 1}, {2, 4, 5, 0, 2, 5, 5, 1}, {4, 0, 5, 0, 2, 5, 5, 1},
    {2, 4, 3, 4, 4, 1, 3, 5}, {4, 0, 3, 4, 4, 1, 3, 5}, {2, 4, 5, 0, 4, 1, 3, 5}, {4, 0, 5, 0, 4, 1, 3, 5},
    {2, 4, 3, 4, 4, 1, 5, 1}, {4, 0, 3, 4, 4, 1, 5, 1}, {2, 4, 5, 0, 4, 1, 5, 1}, {4, 0, 5, 0, 4, 1, 5, 1},
    {0, 4, 1, 4, 0, 5, 1, 5}, {0, 4, 5, 0, 0, 5, 1, 5}, {0, 4, 1, 4, 0, 5, 5, 1}, {0, 4, 5, 0, 0, 5, 5, 1},
    {2, 2, 3, 2, 2, 3, 3, 3}, {2, 2, 3, 2, 2, 3, 5, 1}, {2, 2, 3, 2, 4, 1, 3, 3}, {2, 2, 3, 2, 4, 1, 5, 1},
    {4, 4, 5, 4, 4, 5, 5, 5}, {4, 4, 5, 4, 4, 1, 5, 5}, {4, 0, 5, 4, 4, 5, 5, 5}, {4, 0, 5, 4, 4, 1, 5, 5},
    {2, 6, 3, 6, 2, 7, 3, 7}, {4, 0, 3, 6, 2, 7, 3, 7}, {2, 6, 5, 0, 2, 7, 3, 7}, {4, 0, 5, 0, 2, 7, 3, 7},
    {0, 4, 5, 4, 0, 5, 5, 5}, {2, 2, 3, 2, 2, 7, 3, 7}, {0, 2, 1, 2, 0, 3, 1, 3}, {0, 2, 1, 2, 0, 3, 5, 1},
    {4, 2, 5, 2, 4, 3, 5, 3}, {4, 2, 5, 2, 4, 1, 5, 3}, {4, 6, 5, 6, 4, 7, 5, 7}, {4, 0, 5, 6, 4, 7, 5, 7},
    {0, 6, 1, 6, 0, 7, 1, 7}, {0, 6, 5, 0, 0, 7, 1, 7}, {0, 2, 5, 2, 0, 3, 5, 3}, {0, 2, 1, 2, 0, 7, 1, 7},
    {0, 6, 5, 6, 0, 7, 5, 7}, {4, 2, 5, 2, 4, 7, 5, 7}, {0, 2, 5, 2, 0, 7, 5, 7}, {2, 4, 3, 4, 2, 5, 3, 5},
    {2, 4, 3, 4, 2, 5, 3, 5}, {0, 0, 1, 0, 0, 1, 1, 1},
};

// Top-left unit of each state's 2 x 2 area, per water kind; index 6 is the junction piece.
const TPoint kWater[3][7] = {
    // C       I       V       H       O       P        junction
    {{0, 8}, {0, 6}, {0, 2}, {0, 4}, {0, 0}, {0, 0}, {0, 10}},
    {{0, 8}, {6, 6}, {6, 2}, {6, 4}, {6, 0}, {6, 0}, {0, 10}},
    {{0, 14}, {0, 6}, {0, 2}, {0, 4}, {0, 0}, {0, 12}, {0, 12}},
};
const int kJunction = 6;

const TPoint kAnimatedOrigins[3] = {{6, 8}, {8, 8}, {10, 8}};
const TPoint kGroundOrigins[12] = {{0, 16}, {6, 16}, {0, 24},  {6, 24},  {12, 0},  {18, 0},
                                   {12, 8}, {18, 8}, {12, 16}, {18, 16}, {12, 24}, {18, 24}};

uint16_t packOrigin(int x, int y) {
    return uint16_t(x | y << 8);
}

TPoint plainLowerCell(int i) {
    return {24 + 12 * (i / 96) + 2 * (i % 6), 2 * ((i % 96) / 6)};
}
TPoint upperCell(int i) {
    const int k = i + 48;
    return {36 + 12 * (k / 96) + 2 * (k % 6), 2 * ((k % 96) / 6)};
}

TRect unitRect(int ux, int uy, int widthUnits, int heightUnits) {
    return Bounds(ux * 8, uy * 8, widthUnits * 8, heightUnits * 8);
}

} // namespace

TPoint GroundQuarter(int variant, int quarter) {
    const uint8_t* g = kGround[variant];
    return {g[quarter * 2], g[quarter * 2 + 1]};
}

TPoint WaterQuarter(int kind, int variant, int mask, int quarter) {
    const TPoint base =
        (mask & (1 << quarter)) ? kWater[kind][kJunction] : kWater[kind][kStates[variant][quarter]];
    return {base.x + (quarter & 1), base.y + (quarter >> 1)};
}

TQelChipSetGraphic::TQelChipSetGraphic()
    : mSheet(std::make_unique<TPrismSheet>()), mDimmed(std::make_unique<TPrismSheet>()) {
    mSheet->SetSize(kChipSetWidth, kChipSetHeight);
    mDimmed->SetSize(kChipSetWidth, kChipSetHeight);
    mDimmed->ColorControl1().SetColor(90, 90, 90, 60, true);
    computeFacts();
}

void TQelChipSetGraphic::Reset() {
    mImageName.clear();
    mRecord = nullptr;
    mSheet->Clear();
    mDimmed->Clear();
    computeFacts();
}

void TQelChipSetGraphic::SetChipSet(const ChipSetRecordPort* record) {
    mRecord = record;
    SetImage(record ? record->GraphicName() : std::string());
}

void TQelChipSetGraphic::SetImage(const std::string& name) {
    if (name == mImageName) return;
    mImageName = name;
    mSheet->Clear();
    mDimmed->Clear();
    if (!name.empty()) {
        try {
            TBitmap picture;
            LoadPictureFile(picture, MaterialLocator().Locate(name, "ChipSet"));
            mSheet->LoadFromBitmap(picture);
            mDimmed->LoadFromBitmap(picture);
        } catch (...) {
            // A missing or unreadable picture is no error: the chips draw blank.
            mSheet->Clear();
            mDimmed->Clear();
        }
    }
    mDimmed->ColorControl1().SetColor(90, 90, 90, 60, true);
    computeFacts();
}

void TQelChipSetGraphic::computeFacts() {
    for (auto& sizes : mComposed)
        for (ComposedChips& chips : sizes)
            chips = ComposedChips{};
    const TPrismSheet& s = *mSheet;
    const bool waterOpaque = s.IsOpaqueArea({0, 0, 96, 64}) && s.IsOpaqueArea({0, 64, 48, 128});
    for (int kind = 0; kind < 3; ++kind)
        mChips[kind] = {packOrigin(0, 0), -1, false, waterOpaque};
    for (int k = 0; k < 3; ++k) {
        const TPoint o = kAnimatedOrigins[k];
        mChips[3 + k] = {packOrigin(o.x, o.y), -1, false, s.IsOpaqueArea(unitRect(o.x, o.y, 2, 8))};
    }
    for (int i = 0; i < 12; ++i) {
        const TPoint o = kGroundOrigins[i];
        TQelChipRecord& r = mChips[6 + i];
        r.origin = packOrigin(o.x, o.y);
        r.transparent = false;
        r.opaque = s.IsOpaqueArea(unitRect(o.x, o.y, 6, 8));
        r.link = -1;
        const TRect linkCell = unitRect(o.x + 2, o.y, 2, 2);
        for (int j = 0; j < 12; ++j) {
            const TPoint p = kGroundOrigins[j];
            if (s.SameArea(unitRect(p.x, p.y, 2, 2), linkCell)) {
                r.link = 6 + j;
                break;
            }
        }
    }
    for (int i = 0; i < 144; ++i) {
        const TPoint c = plainLowerCell(i);
        const TRect cell = unitRect(c.x, c.y, 2, 2);
        mChips[18 + i] = {packOrigin(c.x, c.y), -1, s.IsTransparentArea(cell), s.IsOpaqueArea(cell)};
        const TPoint u = upperCell(i);
        const TRect upper = unitRect(u.x, u.y, 2, 2);
        mUpperChips[i] = {packOrigin(u.x, u.y), -1, s.IsTransparentArea(upper), s.IsOpaqueArea(upper)};
    }
}

int TQelChipSetGraphic::GetLink(int kind) const {
    if (kind < 0 || kind > 17) return -1;
    return mChips[kind].link;
}

void TQelChipSetGraphic::SetTransparent(bool on) {
    mSheet->SetTransparent(on);
    mDimmed->SetTransparent(on);
}

void TQelChipSetGraphic::SetFade(int level) {
    mSheet->SetOpacity(255 - 30 * level);
    mDimmed->SetOpacity(255 - 30 * level);
}

const TQelChipRecord& TQelChipSetGraphic::ChipRecord(int kind) const {
    QelAssert(kind >= 0, "GR_ChipSet", 488);
    QelAssert(kind < kLowerChipKinds, "GR_ChipSet", 583);
    return mChips[size_t(kind)];
}

const TQelChipRecord& TQelChipSetGraphic::UpperChipRecord(int index) const {
    return mUpperChips[size_t(std::clamp(index, 0, kUpperChips - 1))];
}

namespace {

// Keys of the composed chips: water by number and animation step, animated chips by kind and
// frame, then ground autotiles, plain lower chips and upper chips by number.
constexpr int kAnimatedKeys = 3 * 3000;
constexpr int kGroundKeys = kAnimatedKeys + 3 * 4;
constexpr int kPlainKeys = kGroundKeys + 600;
constexpr int kUpperKeys = kPlainKeys + 144;
constexpr int kComposedKeys = kUpperKeys + kUpperChips;

bool contiguous(const TPoint quarters[4]) {
    const TPoint tl = quarters[0];
    return quarters[1] == TPoint{tl.x + 1, tl.y} && quarters[2] == TPoint{tl.x, tl.y + 1} &&
           quarters[3] == TPoint{tl.x + 1, tl.y + 1};
}

// Nearest-neighbour scaling of a sheet rectangle into a block of indices, by the column and row
// maps of StretchDrawSheet.
void stretchIndices(const TPrismSheet& sheet, const TRect& source, uint8_t* out, int stride, int width,
                    int height) {
    const int sw = source.Width(), sh = source.Height();
    for (int j = 0; j < height; ++j) {
        const uint8_t* in = sheet.Row(source.top + j * sh / height) + source.left;
        for (int i = 0; i < width; ++i)
            out[j * stride + i] = in[i * sw / width];
    }
}

} // namespace

TQelChipSetGraphic::ComposedChips& TQelChipSetGraphic::composedChips(bool dimmed, int size) {
    ComposedChips& chips = mComposed[dimmed ? 1 : 0][size_t(size / 2)];
    if (chips.offsets.empty()) chips.offsets.assign(kComposedKeys, -1);
    return chips;
}

bool TQelChipSetGraphic::drawComposed(TPrismBoard& board, TPrismSheet& sheet, bool dimmed, int x, int y,
                                      int size, int key, const TPoint quarters[4]) {
    if (size < 2 || size > kMaxComposedSize || size % 2 != 0 || sheet.Width() < kChipSetWidth ||
        sheet.Height() < kChipSetHeight)
        return false;
    const bool whole = contiguous(quarters);
    // A whole cell at its own size is one plain blit already.
    if (whole && size == 16) return false;
    ComposedChips& chips = composedChips(dimmed, size);
    int32_t& offset = chips.offsets[size_t(key)];
    if (offset < 0) {
        offset = int32_t(chips.pixels.size());
        chips.pixels.resize(chips.pixels.size() + size_t(size) * size_t(size));
        uint8_t* block = chips.pixels.data() + offset;
        if (whole) {
            stretchIndices(sheet, unitRect(quarters[0].x, quarters[0].y, 2, 2), block, size, size, size);
        } else {
            const int q = size / 2;
            for (int i = 0; i < 4; ++i)
                stretchIndices(sheet, unitRect(quarters[i].x, quarters[i].y, 1, 1),
                               block + (i >> 1) * q * size + (i & 1) * q, size, q, q);
        }
    }
    board.DrawIndexBlock(x, y, size, size, chips.pixels.data() + offset, sheet);
    return true;
}

void TQelChipSetGraphic::compose(TPrismBoard& board, TPrismSheet& sheet, int x, int y, int size,
                                 const TPoint quarters[4]) {
    const int q = size / 2;
    const TPoint tl = quarters[0];
    if (quarters[1] == TPoint{tl.x + 1, tl.y} && quarters[2] == TPoint{tl.x, tl.y + 1} &&
        quarters[3] == TPoint{tl.x + 1, tl.y + 1}) {
        board.StretchDrawSheet(Bounds(x, y, 2 * q, 2 * q), sheet, unitRect(tl.x, tl.y, 2, 2));
        return;
    }
    for (int i = 0; i < 4; ++i)
        board.StretchDrawSheet(Bounds(x + (i & 1) * q, y + (i >> 1) * q, q, q), sheet,
                               unitRect(quarters[i].x, quarters[i].y, 1, 1));
}

void TQelChipSetGraphic::drawCell(TPrismBoard& board, TPrismSheet& sheet, bool dimmed, int x, int y, int size,
                                  const TQelChipRecord& record, int key) {
    if (record.transparent && sheet.Transparent()) return;
    const TPoint o{record.OriginX(), record.OriginY()};
    const TPoint quarters[4] = {o, {o.x + 1, o.y}, {o.x, o.y + 1}, {o.x + 1, o.y + 1}};
    if (drawComposed(board, sheet, dimmed, x, y, size, key, quarters)) return;
    board.StretchDrawSheet(Bounds(x, y, size, size), sheet,
                           unitRect(record.OriginX(), record.OriginY(), 2, 2));
}

void TQelChipSetGraphic::DrawChip(TPrismBoard& board, int x, int time, int chip, bool dimmed, int size,
                                  int y) {
    QelAssert(mRecord != nullptr, "GR_ChipSet", 489);
    TPrismSheet& sheet = dimmed ? *mDimmed : *mSheet;
    time = std::max(time, 0);
    if (chip < 0) return;
    if (chip < 3000) {
        const int kind = chip / 1000, variant = chip % 50, mask = (chip % 1000) / 50;
        const int t = mRecord->SeaSpeed() == 0 ? time / 24 : time / 12;
        int step = mRecord->SeaAnimation() == 0 ? t % 4 : t % 3;
        if (step == 3) step = 1;
        TPoint quarters[4];
        for (int i = 0; i < 4; ++i) {
            quarters[i] = WaterQuarter(kind, variant, mask, i);
            quarters[i].x += 2 * step;
        }
        if (!drawComposed(board, sheet, dimmed, x, y, size, chip * 3 + step, quarters))
            compose(board, sheet, x, y, size, quarters);
        return;
    }
    if (chip < 4000) {
        const int k = (chip - 3000) / 50;
        if (k > 2) return;
        const TQelChipRecord& r = mChips[size_t(3 + k)];
        const int frame = (time / 6) % 4;
        const TPoint o{r.OriginX(), r.OriginY() + 2 * frame};
        const TPoint quarters[4] = {o, {o.x + 1, o.y}, {o.x, o.y + 1}, {o.x + 1, o.y + 1}};
        if (drawComposed(board, sheet, dimmed, x, y, size, kAnimatedKeys + k * 4 + frame, quarters)) return;
        board.StretchDrawSheet(Bounds(x, y, size, size), sheet,
                               unitRect(r.OriginX(), r.OriginY() + 2 * frame, 2, 2));
        return;
    }
    if (chip < 5000) {
        const int kind = (chip - 4000) / 50 + 6, variant = chip % 50;
        if (kind > 17) return;
        const TQelChipRecord& r = mChips[size_t(kind)];
        TPoint quarters[4];
        for (int i = 0; i < 4; ++i) {
            const TPoint g = GroundQuarter(variant, i);
            quarters[i] = {r.OriginX() + g.x, r.OriginY() + g.y};
        }
        if (!drawComposed(board, sheet, dimmed, x, y, size, kGroundKeys + chip - 4000, quarters))
            compose(board, sheet, x, y, size, quarters);
        return;
    }
    if (chip < 5144) {
        drawCell(board, sheet, dimmed, x, y, size, mChips[size_t(chip - 4982)], kPlainKeys + chip - 5000);
        return;
    }
    if (chip < 10000 || chip >= 20000) return;
    const int index = std::clamp(chip - 10000, 0, kUpperChips - 1);
    drawCell(board, sheet, dimmed, x, y, size, UpperChipRecord(index), kUpperKeys + index);
}

} // namespace tarvel
