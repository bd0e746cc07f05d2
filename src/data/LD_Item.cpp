#include "LD_Item.h"

namespace tarvel {

void TQelItemItem::DescribeField(int id, TCatalogVarData& v, bool) {
    static const char* const bonusNames[] = {"AttackBonus", "DefenseBonus", "MindBonus", "AgilityBonus"};
    static const char* const weaponNames[] = {"FirstStrike", "DoubleAttack", "AttackAll", "IgnoreEvasion"};
    static const char* const armorNames[] = {"PreventCritical", "RaiseEvasion", "HalfMP", "NoTerrainDamage"};
    static const char* const recoveryNames[] = {"HPRecoveryRate", "HPRecoveryPoints", "MPRecoveryRate",
                                                "MPRecoveryPoints"};
    static const char* const increaseNames[] = {"MaxHPIncrease",   "MaxMPIncrease", "AttackIncrease",
                                                "DefenseIncrease", "MindIncrease",  "AgilityIncrease"};
    if (id >= 11 && id <= 14) {
        v.Integer(&Bonuses[id - 11], 0, bonusNames[id - 11]);
        return;
    }
    if (id >= 21 && id <= 24) {
        v.Boolean(&WeaponFlags[id - 21], false, weaponNames[id - 21]);
        return;
    }
    if (id >= 25 && id <= 28) {
        v.Boolean(&ArmorFlags[id - 25], false, armorNames[id - 25]);
        return;
    }
    if (id >= 32 && id <= 35) {
        v.Integer(&Recovery[id - 32], 0, recoveryNames[id - 32]);
        return;
    }
    if (id >= 41 && id <= 46) {
        v.Integer(&Increases[id - 41], 0, increaseNames[id - 41]);
        return;
    }
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.String(&Description, "Description");
        break;
    case 3:
        v.Block(&ItemType, 1, "ItemType");
        break;
    case 5:
        v.Integer(&Price, 0, "Price");
        break;
    case 6:
        v.Integer(&Uses, 1, "Uses");
        break;
    case 15:
        v.Block(&TwoHanded, 1, "TwoHanded");
        break;
    case 16:
        v.Integer(&MPCost, 0, "MPCost");
        break;
    case 17:
        v.Integer(&HitRate, 90, "HitRate");
        break;
    case 18:
        v.Integer(&CriticalRate, 0, "CriticalRate");
        break;
    case 20:
        v.Integer(&AnimationID, 1, "AnimationID");
        break;
    case 31:
        v.Block(&EntireParty, 1, "EntireParty");
        break;
    case 37:
        v.Boolean(&FieldOnly, false, "FieldOnly");
        break;
    case 38:
        v.Boolean(&DeadOnly, false, "DeadOnly");
        break;
    case 51:
        v.Block(&UsingMessage, 1, "UsingMessage");
        break;
    case 53:
        v.Integer(&SkillID, 1, "SkillID");
        break;
    case 55:
        v.Integer(&SwitchID, 1, "SwitchID");
        break;
    case 57:
        v.Boolean(&UsableInField, true, "UsableInField");
        break;
    case 58:
        v.Boolean(&UsableInBattle, false, "UsableInBattle");
        break;
    case 61:
        v.Integer(&EquipCount, 0, "EquipCount").Hidden();
        break;
    case 62:
        v.Buffer(&EquipHeroes, EquipCount, "EquipHeroes", TFieldForm::Bytes, 61);
        break;
    case 63:
        v.Integer(&ConditionCount, 0, "ConditionCount").Hidden();
        break;
    case 64:
        v.Buffer(&Conditions, ConditionCount, "Conditions", TFieldForm::Bytes, 63);
        break;
    case 65:
        v.Integer(&AttributeCount, 0, "AttributeCount").Hidden();
        break;
    case 66:
        v.Buffer(&Attributes, AttributeCount, "Attributes", TFieldForm::Bytes, 65);
        break;
    case 67:
        v.Integer(&ConditionChance, 0, "ConditionChance");
        break;
    }
}

void TQelItemItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    RecordTable::Normalize(EquipHeroes, EquipCount);
    RecordTable::Normalize(Conditions, ConditionCount);
    RecordTable::Normalize(Attributes, AttributeCount);
}

void TQelItemItem::SaveToStream(TMemoryStream& stream) const {
    auto* self = const_cast<TQelItemItem*>(this);
    // Heroes the buffer lacks may equip the item, so they are written as such.
    RecordTable::Fit(self->EquipHeroes, self->EquipCount, 1);
    RecordTable::Trim(self->Conditions, self->ConditionCount, 0, DataBaseConditionCount());
    RecordTable::Trim(self->Attributes, self->AttributeCount, 0, DataBaseAttributeCount());
    TCatalogItem::SaveToStream(stream);
}

} // namespace tarvel
