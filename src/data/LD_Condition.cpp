#include "LD_Condition.h"

namespace tarvel {

void TQelStatusItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id >= 31 && id <= 34) return v.SetBoolean(&HalfParameters[id - 31], false);
    if (id >= 51 && id <= 55) return v.SetString(&Messages[id - 51], true);
    if (id >= 61 && id <= 68) return v.SetInteger(&Losses[id - 61], 0);
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetField(vkBlock, &StatusType, 1);
        break;
    // Condition 1 resets to other values; comparing it against those keeps a colour of 6 or a
    // priority of 50 from being left out and read back as condition 1's 5 and 100.
    case 3:
        v.SetInteger(&Colour, ID == 1 ? 5 : 6);
        break;
    case 4:
        v.SetInteger(&Priority, ID == 1 ? 100 : 50);
        break;
    case 5:
        v.SetField(vkBlock, &Restriction, 1);
        break;
    case 11:
        v.SetInteger(&RateA, 100);
        break;
    case 12:
        v.SetInteger(&RateB, 80);
        break;
    case 13:
        v.SetInteger(&RateC, 60);
        break;
    case 14:
        v.SetInteger(&RateD, 30);
        break;
    case 15:
        v.SetInteger(&RateE, 0);
        break;
    case 21:
        v.SetInteger(&CureTurns, 0);
        break;
    case 22:
        v.SetInteger(&CureRate, 0);
        break;
    case 23:
        v.SetInteger(&ShockCureRate, 0);
        break;
    case 35:
        v.SetInteger(&HitRateChange, 100);
        break;
    case 41:
        v.SetBoolean(&SkillLimitOn1, false);
        break;
    case 42:
        v.SetInteger(&SkillLimit1, 0);
        break;
    case 43:
        v.SetBoolean(&SkillLimitOn2, false);
        break;
    case 44:
        v.SetInteger(&SkillLimit2, 0);
        break;
    }
}

void TQelStatusItem::Reset() {
    bool first = ID == 1;
    Name.clear();
    StatusType = first ? 1 : 0;
    Colour = first ? 5 : 6;
    Priority = first ? 100 : 50;
    Restriction = first ? 1 : 0;
    RateA = 100;
    RateB = 80;
    RateC = 60;
    RateD = 30;
    RateE = 0;
    CureTurns = CureRate = ShockCureRate = 0;
    for (bool& half : HalfParameters)
        half = false;
    HitRateChange = 100;
    SkillLimitOn1 = SkillLimitOn2 = false;
    SkillLimit1 = SkillLimit2 = 0;
    for (auto& message : Messages)
        message.clear();
    for (int32_t& loss : Losses)
        loss = 0;
}

const std::vector<TFieldName>& TQelStatusItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {2, "StatusType"},
        {3, "Colour"},
        {4, "Priority"},
        {5, "Restriction"},
        {11, "RateA"},
        {12, "RateB"},
        {13, "RateC"},
        {14, "RateD"},
        {15, "RateE"},
        {21, "CureTurns"},
        {22, "CureRate"},
        {23, "ShockCureRate"},
        {31, "HalfAttack"},
        {32, "HalfDefense"},
        {33, "HalfMind"},
        {34, "HalfAgility"},
        {35, "HitRateChange"},
        {41, "SkillLimitOn1"},
        {42, "SkillLimit1"},
        {43, "SkillLimitOn2"},
        {44, "SkillLimit2"},
        {51, "AllyMessage"},
        {52, "EnemyMessage"},
        {53, "AlreadyMessage"},
        {54, "AffectedMessage"},
        {55, "RecoveryMessage"},
        {61, "BattleHPLossRate"},
        {62, "BattleHPLossPoints"},
        {63, "MapHPLossSteps"},
        {64, "MapHPLossPoints"},
        {65, "BattleMPLossRate"},
        {66, "BattleMPLossPoints"},
        {67, "MapMPLossSteps"},
        {68, "MapMPLossPoints"},
    };
    return names;
}

} // namespace tarvel
