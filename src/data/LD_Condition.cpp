#include "LD_Condition.h"

namespace tarvel {

void TQelStatusItem::DescribeField(int id, TCatalogVarData& v, bool) {
    static const char* const halfNames[] = {"HalfAttack", "HalfDefense", "HalfMind", "HalfAgility"};
    static const char* const messageNames[] = {"AllyMessage", "EnemyMessage", "AlreadyMessage",
                                               "AffectedMessage", "RecoveryMessage"};
    static const char* const lossNames[] = {"BattleHPLossRate", "BattleHPLossPoints", "MapHPLossSteps",
                                            "MapHPLossPoints",  "BattleMPLossRate",   "BattleMPLossPoints",
                                            "MapMPLossSteps",   "MapMPLossPoints"};
    if (id >= 31 && id <= 34) {
        v.Boolean(&HalfParameters[id - 31], false, halfNames[id - 31]);
        return;
    }
    if (id >= 51 && id <= 55) {
        v.String(&Messages[id - 51], messageNames[id - 51]);
        return;
    }
    if (id >= 61 && id <= 68) {
        v.Integer(&Losses[id - 61], 0, lossNames[id - 61]);
        return;
    }
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.Block(&StatusType, 1, "StatusType").ResetTo(ID == 1 ? 1 : 0);
        break;
    // Condition 1 resets to other values; comparing it against those keeps a colour of 6 or a
    // priority of 50 from being left out and read back as condition 1's 5 and 100.
    case 3:
        v.Integer(&Colour, ID == 1 ? 5 : 6, "Colour");
        break;
    case 4:
        v.Integer(&Priority, ID == 1 ? 100 : 50, "Priority");
        break;
    case 5:
        v.Block(&Restriction, 1, "Restriction").ResetTo(ID == 1 ? 1 : 0);
        break;
    case 11:
        v.Integer(&RateA, 100, "RateA");
        break;
    case 12:
        v.Integer(&RateB, 80, "RateB");
        break;
    case 13:
        v.Integer(&RateC, 60, "RateC");
        break;
    case 14:
        v.Integer(&RateD, 30, "RateD");
        break;
    case 15:
        v.Integer(&RateE, 0, "RateE");
        break;
    case 21:
        v.Integer(&CureTurns, 0, "CureTurns");
        break;
    case 22:
        v.Integer(&CureRate, 0, "CureRate");
        break;
    case 23:
        v.Integer(&ShockCureRate, 0, "ShockCureRate");
        break;
    case 35:
        v.Integer(&HitRateChange, 100, "HitRateChange");
        break;
    case 41:
        v.Boolean(&SkillLimitOn1, false, "SkillLimitOn1");
        break;
    case 42:
        v.Integer(&SkillLimit1, 0, "SkillLimit1");
        break;
    case 43:
        v.Boolean(&SkillLimitOn2, false, "SkillLimitOn2");
        break;
    case 44:
        v.Integer(&SkillLimit2, 0, "SkillLimit2");
        break;
    }
}

} // namespace tarvel
