#pragma once

// Conditions (database section 18): states a hero or monster can be in. The first condition is
// the one a fallen hero has, and resets differently.

#include <cstdint>
#include <string>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

class TQelStatusItem : public TCatalogItem {
public:
    uint8_t StatusType; // 0 "Combat Effect", 1 "Move Effect"
    int32_t Colour;
    int32_t Priority;
    uint8_t Restriction; // "Action Limitation"
    int32_t RateA;       // "Plaque Rate" percent for ranks A..E
    int32_t RateB;
    int32_t RateC;
    int32_t RateD;
    int32_t RateE;
    // "Cure Method": natural recovery after turns, its "% Cure Probability", and the cure
    // probability on physical damage ("Shock From Healing") (chunks 21..23).
    int32_t CureTurns;
    int32_t CureRate;
    int32_t ShockCureRate;
    // "Half Ability Cost": attack, defense, mind, agility halved (chunks 31..34).
    bool HalfParameters[4];
    int32_t HitRateChange;
    // "Use Smart Chang.Skill": two flag and value pairs that bar skills above a value (41..44).
    bool SkillLimitOn1;
    int32_t SkillLimit1;
    bool SkillLimitOn2;
    int32_t SkillLimit2;
    // "Ally State Message", "Enemy State Message", "Already This State msg.(Blank for Miss)",
    // "State is Regular for One(Blank for Miss)", "Recovery State Message" (chunks 51..55).
    std::string Messages[5];
    // "Decr.HP" and "Decr.MP" (chunks 61..68): per battle turn percent and points, then on the
    // map every N steps and points; HP first, then MP.
    int32_t Losses[8];

    explicit TQelStatusItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // Condition 1 resets to "Move Effect", colour 5, priority 100 and restriction 1.
};

class TQelStatus : public TQelList<TQelStatusItem> {
public:
    TQelStatus() : TQelList("Invalid Condition State") {}
};

} // namespace tarvel
