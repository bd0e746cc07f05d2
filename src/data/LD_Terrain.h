#pragma once

// Terrain (database section 16): what each lower chip of a chipset stands on.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

class TQelGroundItem : public TCatalogItem {
public:
    int32_t Damage;
    int32_t EncounterRate;      // "Enemy Magnify Appearance" percent
    std::string BattleBackName; // folder "Backdrop"
    bool BoatPass;
    bool ShipPass;
    bool AirshipPass;
    bool AirshipLand;
    uint8_t CharDisplay; // 0 "Normal" .. 3 "Semi-Tranparent Body"

    explicit TQelGroundItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelGround : public TQelList<TQelGroundItem> {
public:
    TQelGround() : TQelList("Invalid Terrain Designed") {}
};

} // namespace tarvel
