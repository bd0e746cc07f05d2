#pragma once

// Battle animations (database section 19): frames of cells drawn from a cell sheet, with sound and
// flash timings.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "LD_Common.h"
#include "LD_Music.h"

namespace tarvel {

// A sound and flash event at a frame of an animation.
class TQelAnimationTimingItem : public TCatalogItem {
public:
    int32_t Frame;
    TQelSound Sound;
    uint8_t FlashScope; // 0 "None", 1 "Target", 2 "Screen"
    int32_t FlashRed;   // 0..31 each
    int32_t FlashGreen;
    int32_t FlashBlue;
    int32_t FlashPower;
    int32_t Shake;

    explicit TQelAnimationTimingItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelAnimationTiming : public TCatalogOf<TQelAnimationTimingItem> {};

// One cell of a frame: a part of the cell sheet placed relative to the anchor.
class TQelAnimationCellItem : public TCatalogItem {
public:
    bool Visible;
    int32_t Pattern; // "Pattern Number", the cell of the sheet
    int32_t X;
    int32_t Y;
    int32_t Zoom; // "Magnification" percent
    int32_t Red;  // 0..200 percent each
    int32_t Green;
    int32_t Blue;
    int32_t Chroma;
    int32_t Transparency;

    explicit TQelAnimationCellItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelAnimationCell : public TCatalogOf<TQelAnimationCellItem> {};

// One frame.
class TQelAnimationPatternItem : public TCatalogItem {
public:
    TQelAnimationCell Cells;

    explicit TQelAnimationPatternItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override { Cells.Clear(); }
};

class TQelAnimationPattern : public TCatalogOf<TQelAnimationPatternItem> {};

constexpr int NewAnimationFrameCount = 20;

class TQelAnimationItem : public TCatalogItem {
public:
    std::string GraphicName; // folder "Battle"
    TQelAnimationTiming Timings;
    uint8_t Scope;    // 0 "Single", 1 "All"
    uint8_t Position; // 0 "Head", 1 "Center", 2 "At a feet"
    TQelAnimationPattern Frames;

    // Not stored: set whenever the item is loaded or saved through its list, so the drawing
    // code knows its cached drawn form (kept in DrawnCache) is out of date.
    bool Changed = false;
    std::shared_ptr<void> DrawnCache;

    explicit TQelAnimationItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // A new animation has 20 frames without cells and no timings.
    void Reset() override;
};

class TQelAnimation : public TQelList<TQelAnimationItem> {
public:
    TQelAnimation() : TQelList("Invalid Animation") {}
    void LoadItem(int index, TMemoryStream& stream) override;
    void SaveItem(int index, TMemoryStream& stream) const override;
    void LoadFromStream(TMemoryStream& stream) override;
};

} // namespace tarvel
