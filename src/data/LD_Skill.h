#pragma once

// Skills (database section 12).

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"
#include "LD_Music.h"

namespace tarvel {

// Which values a skill changes (chunks 31..38).
enum TSkillEffect {
    seHP,
    seMP,
    seAttack,
    seDefense,
    seMind,
    seAgility,
    seAbsorb,
    seIgnoreDefense,
    SkillEffectCount
};

class TQelSkillItem : public TCatalogItem {
public:
    std::string Description;
    std::string UseMessage1;
    std::string UseMessage2;
    int32_t FailureMessage; // 0..2: the vocabulary's skill failure messages A..C
    uint8_t SkillType;      // 0 "Norm", 1 "Teleport", 2 "Escape", 3 "Switch"
    int32_t MPCost;
    uint8_t Scope; // 0 "Single Enemy" .. 4 "Whole Party"
    int32_t SwitchID;
    int32_t AnimationID;
    TQelSound Sound;
    bool UsableInField;
    bool UsableInBattle;
    int32_t AttackInfluence;
    int32_t MindInfluence;
    int32_t Variance;
    int32_t BaseEffect;
    int32_t HitRate;
    bool Effects[SkillEffectCount];
    int32_t ConditionCount;
    std::vector<uint8_t> Conditions; // 1 when the skill inflicts or cures the condition
    int32_t AttributeCount;
    std::vector<uint8_t> Attributes; // 1 when the skill has the attribute
    bool AffectDefense;

    explicit TQelSkillItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }

    // 0 outside the tables.
    bool Condition(int32_t id) const { return RecordTable::Get(Conditions, ConditionCount, id, 0) != 0; }
    void SetCondition(int32_t id, bool on) { RecordTable::Set(Conditions, ConditionCount, id, on ? 1 : 0); }
    void SetConditionCount(int32_t n) { RecordTable::Resize(Conditions, ConditionCount, n, 0); }
    bool Attribute(int32_t id) const { return RecordTable::Get(Attributes, AttributeCount, id, 0) != 0; }
    void SetAttribute(int32_t id, bool on) { RecordTable::Set(Attributes, AttributeCount, id, on ? 1 : 0); }
    void SetAttributeCount(int32_t n) { RecordTable::Resize(Attributes, AttributeCount, n, 0); }

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void LoadFromStream(TMemoryStream& stream) override;
    void SaveToStream(TMemoryStream& stream) const override;
};

class TQelSkill : public TQelList<TQelSkillItem> {
public:
    TQelSkill() : TQelList("Invalid Tech Skill") {}
};

} // namespace tarvel
