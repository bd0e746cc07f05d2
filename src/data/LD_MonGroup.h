#pragma once

// Monster groups (database section 15): the formations met in encounters and battle tests, with
// their battle event pages.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"
#include "LD_Event.h"

namespace tarvel {

// One member of a group; ID is its position.
class TQelMonGroupMonsterItem : public TCatalogItem {
public:
    int32_t MonsterID;
    int32_t X; // place on the battle screen, in pixels
    int32_t Y;
    bool Invisible; // enters the battle later

    explicit TQelMonGroupMonsterItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelMonGroupMonster : public TCatalogOf<TQelMonGroupMonsterItem> {};

// The condition of a battle event page ("Battle Group EventTrigger").
class TQelBattleEventTrigger : public TCatalogBaseItem {
public:
    enum : uint8_t {
        tfSwitchA = 1,
        tfSwitchB = 2,
        tfVariable = 4,
        tfTurn = 8,
        tfExhaustion = 16,
        tfMonsterHP = 32,
        tfHeroHP = 64,
    };

    uint8_t Flags;
    int32_t SwitchA;
    int32_t SwitchB;
    int32_t VariableID;
    int32_t VariableValue;
    int32_t TurnA; // turn A + B * X
    int32_t TurnB;
    int32_t ExhaustionMin;
    int32_t ExhaustionMax;
    int32_t MonsterIndex;
    int32_t MonsterHPMin;
    int32_t MonsterHPMax;
    int32_t HeroID;
    int32_t HeroHPMin;
    int32_t HeroHPMax;

    TQelBattleEventTrigger() { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelBattleEventPageItem : public TQelBaseEventPageItem {
public:
    TQelBattleEventTrigger Trigger;

    explicit TQelBattleEventPageItem(int32_t id = 0) : TQelBaseEventPageItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

// The battle event pages of a group; inserted and removed with Insert and Remove so page numbers
// stay 1..N.
class TQelBattleEventPage : public TCatalogOf<TQelBattleEventPageItem> {};

class TQelMonGroupItem : public TCatalogItem {
public:
    TQelMonGroupMonster Members;
    int32_t TerrainCount;
    std::vector<uint8_t> TerrainSet; // 1 when the group can be met on the terrain
    TQelBattleEventPage BattlePages;

    explicit TQelMonGroupItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }

    // A terrain beyond the table counts as one the group can be met on, as do new entries.
    bool OnTerrain(int32_t terrainID) const {
        return RecordTable::Get(TerrainSet, TerrainCount, terrainID, 1) != 0;
    }
    void SetOnTerrain(int32_t terrainID, bool on) {
        RecordTable::Set(TerrainSet, TerrainCount, terrainID, on ? 1 : 0);
    }
    void SetTerrainCount(int32_t n) { RecordTable::Resize(TerrainSet, TerrainCount, n, 1); }

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    void LoadFromStream(TMemoryStream& stream) override;
    void SaveToStream(TMemoryStream& stream) const override;
};

class TQelMonGroup : public TQelList<TQelMonGroupItem> {
public:
    TQelMonGroup() : TQelList("Invalid Monsters Group") {}
};

} // namespace tarvel
