#pragma once

// Items (database section 13). Which fields an item uses depends on its type; the others keep
// their values and are stored all the same.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

enum TItemType : uint8_t {
    itCommon,
    itWeapon,
    itShield,
    itArmor,
    itHelmet,
    itAccessory,
    itMedicine,
    itBook,
    itMaterial,
    itUnique,
    itSwitch,
};

class TQelItemItem : public TCatalogItem {
public:
    std::string Description; // "Explanation"
    uint8_t ItemType;
    int32_t Price;
    int32_t Uses; // 0 "Limitless"
    // Parameter changes while equipped: attack, defense, mind, agility (chunks 11..14).
    int32_t Bonuses[4];
    uint8_t TwoHanded;
    int32_t MPCost;
    int32_t HitRate;
    int32_t CriticalRate;
    int32_t AnimationID;
    // Weapons: "First Turn Strike", "2 Counter Attack", "Attack All Enemy", "Ignore Evasion Rate".
    bool WeaponFlags[4];
    // Shields, armour, helmets, accessories: "Certain Kill (Regretful Hit)", "Mind Att.Avoid Up",
    // "Half MP", "No Terrain Damage".
    bool ArmorFlags[4];
    uint8_t EntireParty;
    // Medicine: HP recovery percent, HP points, MP percent, MP points (chunks 32..35).
    int32_t Recovery[4];
    bool FieldOnly;
    bool DeadOnly;
    // Material items: permanent increase of max HP, max MP, attack, defense, mind, agility.
    int32_t Increases[6];
    uint8_t UsingMessage;
    int32_t SkillID;
    int32_t SwitchID;
    bool UsableInField;
    bool UsableInBattle;
    int32_t EquipCount;
    std::vector<uint8_t> EquipHeroes; // 1 when the hero "Could Equip" the item
    int32_t ConditionCount;
    std::vector<uint8_t> Conditions;
    int32_t AttributeCount;
    std::vector<uint8_t> Attributes;
    int32_t ConditionChance;

    explicit TQelItemItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }

    // A hero beyond the table may equip the item; growing the table adds heroes who may not.
    bool CanEquip(int32_t heroID) const { return RecordTable::Get(EquipHeroes, EquipCount, heroID, 1) != 0; }
    void SetCanEquip(int32_t heroID, bool on) {
        RecordTable::Set(EquipHeroes, EquipCount, heroID, on ? 1 : 0);
    }
    void SetEquipCount(int32_t n) { RecordTable::Resize(EquipHeroes, EquipCount, n, 0); }
    bool Condition(int32_t id) const { return RecordTable::Get(Conditions, ConditionCount, id, 0) != 0; }
    void SetCondition(int32_t id, bool on) { RecordTable::Set(Conditions, ConditionCount, id, on ? 1 : 0); }
    void SetConditionCount(int32_t n) { RecordTable::Resize(Conditions, ConditionCount, n, 0); }
    bool Attribute(int32_t id) const { return RecordTable::Get(Attributes, AttributeCount, id, 0) != 0; }
    void SetAttribute(int32_t id, bool on) { RecordTable::Set(Attributes, AttributeCount, id, on ? 1 : 0); }
    void SetAttributeCount(int32_t n) { RecordTable::Resize(Attributes, AttributeCount, n, 0); }

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void LoadFromStream(TMemoryStream& stream) override;
    // Trims the condition and attribute tables (not the equip table) before writing.
    void SaveToStream(TMemoryStream& stream) const override;
};

class TQelItem : public TQelList<TQelItemItem> {
public:
    TQelItem() : TQelList("Invalid Item Designed") {}
};

} // namespace tarvel
