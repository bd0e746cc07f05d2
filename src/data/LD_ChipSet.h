#pragma once

// Chipsets (database section 20): a chipset picture with the terrain of each lower chip, the
// passability of every chip and the sea animation.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

constexpr int LowerChipCount = 162;
constexpr int UpperChipCount = 144;

class TQelChipSetItem : public TCatalogItem {
public:
    std::string GraphicName; // folder "ChipSet"
    // The terrain ID of each lower chip, 16-bit little-endian.
    uint8_t Terrain[2 * LowerChipCount];
    // The passability byte of each lower and upper chip.
    uint8_t LowerPass[LowerChipCount];
    uint8_t UpperPass[UpperChipCount];
    int32_t SeaAnimation;
    int32_t SeaSpeed;

    explicit TQelChipSetItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }

    // Read 0 and ignore writes outside 0..161 (lower chips) and 0..143 (upper chips).
    int32_t ChipTerrain(int chip) const;
    void SetChipTerrain(int chip, int32_t terrainID);
    int32_t LowerChipPass(int chip) const;
    void SetLowerChipPass(int chip, int32_t flags);
    int32_t UpperChipPass(int chip) const;
    void SetUpperChipPass(int chip, int32_t flags);

    // The three tables are left out on save while they hold their reset values (upper chip 0,
    // the empty chip, is not compared) and always accepted on load.
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // Every lower chip on terrain 1 and passable from all sides, the upper chips likewise (the
    // empty upper chip 0 also lets the hero walk over it).
    void Reset() override;

private:
    bool terrainChanged() const;
    bool lowerPassChanged() const;
    bool upperPassChanged() const;
};

class TQelChipSet : public TQelList<TQelChipSetItem> {
public:
    TQelChipSet() : TQelList("Invalid ChipSet") {}
};

} // namespace tarvel
