#pragma once

// Heroes (database section 11) with their parameter curves, initial equipment, learned skills and
// condition and attribute ranks.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

// The six parameters of a curve, in the order of the curve block.
enum TParameter { paMaxHP, paMaxMP, paAttack, paDefense, paMind, paAgility, ParameterCount };
constexpr int MaxHeroLevel = 50;

// One learned skill: the level at which the hero learns it.
class TQelPlayerLearningItem : public TCatalogItem {
public:
    int32_t Level;
    int32_t SkillID;

    explicit TQelPlayerLearningItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

// The skills a hero learns; accessed by position only. The hero editor keeps it sorted by level.
class TQelPlayerLearning : public TCatalogOf<TQelPlayerLearningItem> {};

class TQelPlayerItem : public TCatalogItem {
public:
    // Ranks A..E of the condition and attribute tables; 2 (C) is neutral.
    static constexpr uint8_t NeutralRank = 2;

    std::string Title; // second name shown with the hero
    std::string CharName;
    int32_t CharIndex;
    bool CharTransparent;
    int32_t InitialLevel;
    int32_t MaxLevel;
    bool CanCritical;
    int32_t CriticalRate;
    std::string FaceName;
    int32_t FaceIndex;
    bool TwoSword;
    bool FixEquipment;
    bool AutoBattle;
    bool StrongDefense;
    // Six arrays of 50 16-bit little-endian values: parameter p at level L at byte 2 * (p * 50 + L - 1).
    uint8_t Curves[2 * ParameterCount * MaxHeroLevel];
    int32_t ExpBase;
    int32_t ExpIncrease;
    int32_t ExpCorrection;
    // Five 16-bit item IDs: weapon, shield, armour, helmet, accessory.
    uint8_t InitialEquipmentData[10];
    int32_t UnarmedAnimation;
    TQelPlayerLearning Skills;
    bool UseSkillSlotName;
    std::string SkillSlotName;
    int32_t ConditionCount;
    std::vector<uint8_t> ConditionRates;
    int32_t AttributeCount;
    std::vector<uint8_t> AttributeRates;

    explicit TQelPlayerItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }

    // The curve value of parameter p (0..5) at level (1..50); 0 outside.
    int32_t Curve(int p, int level) const;
    // Ignored outside the curve.
    void SetCurve(int p, int level, int32_t value);
    // Initial equipment slot i (0..4); 0 outside.
    int32_t InitialEquipment(int i) const;
    void SetInitialEquipment(int i, int32_t itemID);

    // The rank for a condition or attribute ID; 2 outside the table.
    int32_t ConditionRate(int32_t id) const;
    void SetConditionRate(int32_t id, int32_t rank);
    void SetConditionCount(int32_t n);
    int32_t AttributeRate(int32_t id) const;
    void SetAttributeRate(int32_t id, int32_t rank);
    void SetAttributeCount(int32_t n);

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    void LoadFromStream(TMemoryStream& stream) override;
    // Trims the tables of trailing neutral ranks and caps them at the database's sections first.
    void SaveToStream(TMemoryStream& stream) const override;
};

class TQelPlayer : public TQelList<TQelPlayerItem> {
public:
    TQelPlayer() : TQelList("Invalid Hero") {}
};

// The built-in default curves, one value per level 1..50.
extern const uint16_t DefaultHPCurve[MaxHeroLevel];     // max HP and max MP
extern const uint16_t DefaultAttackCurve[MaxHeroLevel]; // attack and defense
extern const uint16_t DefaultMindCurve[MaxHeroLevel];   // mind and agility

} // namespace tarvel
