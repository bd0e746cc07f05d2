#pragma once

// Monsters (database section 14) with their action patterns.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

// How the standard actions of an action pattern are numbered, as the monster page and the runtime
// read them (BasicAction).
enum TBasicAction : uint8_t {
    baAttack,
    baDoubleAttack,
    baDefend,
    baObserve,
    baChargeUp,
    baSelfDestruct,
    baEscape,
    baNothing,
    BasicActionCount
};

// The "Action Conditions" (ConditionType) and what their two numbers mean.
enum TActCondition : uint8_t {
    acUsually,         // always
    acSwitch,          // ConditionSwitch is on
    acTurnNumber,      // turn Param1 + Param2 x N (N = 0, 1, ...)
    acGroupCount,      // Param1 to Param2 members of the group left
    acOwnHP,           // own HP from Param1 to Param2 percent
    acOwnMP,           // own MP from Param1 to Param2 percent
    acPartyLevel,      // the party's average level from Param1 to Param2
    acPartyExhaustion, // the party's exhaustion from Param1 to Param2 percent
    ActConditionCount
};

// One entry of a monster's "Action Pattern"; ID is its position.
class TQelMonsterActItem : public TCatalogItem {
public:
    uint8_t ActKind; // 0 "Standard Action", 1 "Skills", 2 "Transformation"
    uint8_t BasicAction;
    int32_t SkillID;
    int32_t TransformID;
    uint8_t ConditionType; // 0 "Usually" .. 7 "Hero Exaustion Times"
    int32_t ConditionParam1;
    int32_t ConditionParam2;
    int32_t ConditionSwitch;
    bool SwitchOnFlag;
    int32_t SwitchOnID;
    bool SwitchOffFlag;
    int32_t SwitchOffID;
    int32_t Rating; // "Preference"

    explicit TQelMonsterActItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelMonsterAct : public TCatalogOf<TQelMonsterActItem> {};

class TQelMonsterItem : public TCatalogItem {
public:
    // Neutral ranks: conditions 1, attributes 2.
    static constexpr uint8_t NeutralConditionRank = 1;
    static constexpr uint8_t NeutralAttributeRank = 2;

    std::string GraphicName; // folder "Monster"
    int32_t GraphicHue;
    // "Ability value": max HP, max MP, attack, defense, mind, agility (chunks 4..9).
    int32_t Parameters[6];
    bool Transparent;
    int32_t Experience;
    int32_t Money;
    int32_t DropItemID;
    int32_t DropRate;
    bool CanCritical;
    int32_t CriticalRate;
    bool AttackMiss;
    bool Flying;
    int32_t ConditionCount;
    std::vector<uint8_t> ConditionRates;
    int32_t AttributeCount;
    std::vector<uint8_t> AttributeRates;
    TQelMonsterAct Actions;

    explicit TQelMonsterItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }

    int32_t ConditionRate(int32_t id) const {
        return RecordTable::Get(ConditionRates, ConditionCount, id, NeutralConditionRank);
    }
    void SetConditionRate(int32_t id, int32_t rank) {
        RecordTable::Set(ConditionRates, ConditionCount, id, static_cast<uint8_t>(rank));
    }
    void SetConditionCount(int32_t n) {
        RecordTable::Resize(ConditionRates, ConditionCount, n, NeutralConditionRank);
    }
    int32_t AttributeRate(int32_t id) const {
        return RecordTable::Get(AttributeRates, AttributeCount, id, NeutralAttributeRank);
    }
    void SetAttributeRate(int32_t id, int32_t rank) {
        RecordTable::Set(AttributeRates, AttributeCount, id, static_cast<uint8_t>(rank));
    }
    void SetAttributeCount(int32_t n) {
        RecordTable::Resize(AttributeRates, AttributeCount, n, NeutralAttributeRank);
    }

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    void LoadFromStream(TMemoryStream& stream) override;
    void SaveToStream(TMemoryStream& stream) const override;
};

class TQelMonster : public TQelList<TQelMonsterItem> {
public:
    TQelMonster() : TQelList("Invalid Enemy Chara") {}
};

} // namespace tarvel
