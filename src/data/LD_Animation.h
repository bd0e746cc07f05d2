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
    int32_t Frame = 0;
    TQelSound Sound;
    uint8_t FlashScope = 0; // 0 "None", 1 "Target", 2 "Screen"
    int32_t FlashRed = 31;  // 0..31 each
    int32_t FlashGreen = 31;
    int32_t FlashBlue = 31;
    int32_t FlashPower = 31;
    int32_t Shake = 0;

    explicit TQelAnimationTimingItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    const std::vector<TFieldName>& FieldNames() const override;
};

class TQelAnimationTiming : public TCatalogOf<TQelAnimationTimingItem> {};

// One cell of a frame: a part of the cell sheet placed relative to the anchor.
class TQelAnimationCellItem : public TCatalogItem {
public:
    bool Visible = true;
    int32_t Pattern = 0; // "Pattern Number", the cell of the sheet
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Zoom = 100; // "Magnification" percent
    int32_t Red = 100;  // 0..200 percent each
    int32_t Green = 100;
    int32_t Blue = 100;
    int32_t Chroma = 100;
    int32_t Transparency = 0;

    explicit TQelAnimationCellItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    const std::vector<TFieldName>& FieldNames() const override;
};

class TQelAnimationCell : public TCatalogOf<TQelAnimationCellItem> {};

// One frame.
class TQelAnimationPatternItem : public TCatalogItem {
public:
    TQelAnimationCell Cells;

    explicit TQelAnimationPatternItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override { Cells.Clear(); }
    const std::vector<TFieldName>& FieldNames() const override;
};

class TQelAnimationPattern : public TCatalogOf<TQelAnimationPatternItem> {};

constexpr int NewAnimationFrameCount = 20;

class TQelAnimationItem : public TCatalogItem {
public:
    std::string GraphicName; // folder "Battle"
    TQelAnimationTiming Timings;
    uint8_t Scope = 0;    // 0 "Single", 1 "All"
    uint8_t Position = 2; // 0 "Head", 1 "Center", 2 "At a feet"
    TQelAnimationPattern Frames;

    // Not stored: set whenever the item is loaded or saved through its list, so the drawing
    // code knows its cached drawn form (kept in DrawnCache) is out of date.
    bool Changed = false;
    std::shared_ptr<void> DrawnCache;

    explicit TQelAnimationItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // A new animation has 20 frames without cells and no timings.
    void Reset() override;
    const std::vector<TFieldName>& FieldNames() const override;
};

class TQelAnimation : public TQelList<TQelAnimationItem> {
public:
    TQelAnimation() : TQelList("Invalid Animation") {}
    void LoadItem(int index, TMemoryStream& stream) override;
    void SaveItem(int index, TMemoryStream& stream) const override;
    void LoadFromStream(TMemoryStream& stream) override;
};

} // namespace tarvel
