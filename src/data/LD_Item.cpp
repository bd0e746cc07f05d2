#include "LD_Item.h"

namespace tarvel {

void TQelItemItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id >= 11 && id <= 14) return v.SetInteger(&Bonuses[id - 11], 0);
    if (id >= 21 && id <= 24) return v.SetBoolean(&WeaponFlags[id - 21], false);
    if (id >= 25 && id <= 28) return v.SetBoolean(&ArmorFlags[id - 25], false);
    if (id >= 32 && id <= 35) return v.SetInteger(&Recovery[id - 32], 0);
    if (id >= 41 && id <= 46) return v.SetInteger(&Increases[id - 41], 0);
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetString(&Description, true);
        break;
    case 3:
        v.SetField(vkBlock, &ItemType, 1);
        break;
    case 5:
        v.SetInteger(&Price, 0);
        break;
    case 6:
        v.SetInteger(&Uses, 1);
        break;
    case 15:
        v.SetField(vkBlock, &TwoHanded, 1);
        break;
    case 16:
        v.SetInteger(&MPCost, 0);
        break;
    case 17:
        v.SetInteger(&HitRate, 90);
        break;
    case 18:
        v.SetInteger(&CriticalRate, 0);
        break;
    case 20:
        v.SetInteger(&AnimationID, 1);
        break;
    case 31:
        v.SetField(vkBlock, &EntireParty, 1);
        break;
    case 37:
        v.SetBoolean(&FieldOnly, false);
        break;
    case 38:
        v.SetBoolean(&DeadOnly, false);
        break;
    case 51:
        v.SetField(vkBlock, &UsingMessage, 1);
        break;
    case 53:
        v.SetInteger(&SkillID, 1);
        break;
    case 55:
        v.SetInteger(&SwitchID, 1);
        break;
    case 57:
        v.SetBoolean(&UsableInField, true);
        break;
    case 58:
        v.SetBoolean(&UsableInBattle, false);
        break;
    case 61:
        v.SetInteger(&EquipCount, 0);
        break;
    case 62:
        v.SetField(vkBuffer, &EquipHeroes, EquipCount);
        break;
    case 63:
        v.SetInteger(&ConditionCount, 0);
        break;
    case 64:
        v.SetField(vkBuffer, &Conditions, ConditionCount);
        break;
    case 65:
        v.SetInteger(&AttributeCount, 0);
        break;
    case 66:
        v.SetField(vkBuffer, &Attributes, AttributeCount);
        break;
    case 67:
        v.SetInteger(&ConditionChance, 0);
        break;
    }
}

void TQelItemItem::Reset() {
    Name.clear();
    Description.clear();
    ItemType = itCommon;
    Price = 0;
    Uses = 1;
    for (int32_t& b : Bonuses)
        b = 0;
    TwoHanded = 0;
    MPCost = 0;
    HitRate = 90;
    CriticalRate = 0;
    AnimationID = 1;
    for (bool& f : WeaponFlags)
        f = false;
    for (bool& f : ArmorFlags)
        f = false;
    EntireParty = 0;
    for (int32_t& r : Recovery)
        r = 0;
    FieldOnly = false;
    DeadOnly = false;
    for (int32_t& i : Increases)
        i = 0;
    UsingMessage = 0;
    SkillID = 1;
    SwitchID = 1;
    UsableInField = true;
    UsableInBattle = false;
    EquipCount = 0;
    EquipHeroes.clear();
    ConditionCount = 0;
    Conditions.clear();
    AttributeCount = 0;
    Attributes.clear();
    ConditionChance = 0;
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

const std::vector<TFieldName>& TQelItemItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {2, "Description"},
        {3, "ItemType"},
        {5, "Price"},
        {6, "Uses"},
        {11, "AttackBonus"},
        {12, "DefenseBonus"},
        {13, "MindBonus"},
        {14, "AgilityBonus"},
        {15, "TwoHanded"},
        {16, "MPCost"},
        {17, "HitRate"},
        {18, "CriticalRate"},
        {20, "AnimationID"},
        {21, "FirstStrike"},
        {22, "DoubleAttack"},
        {23, "AttackAll"},
        {24, "IgnoreEvasion"},
        {25, "PreventCritical"},
        {26, "RaiseEvasion"},
        {27, "HalfMP"},
        {28, "NoTerrainDamage"},
        {31, "EntireParty"},
        {32, "HPRecoveryRate"},
        {33, "HPRecoveryPoints"},
        {34, "MPRecoveryRate"},
        {35, "MPRecoveryPoints"},
        {37, "FieldOnly"},
        {38, "DeadOnly"},
        {41, "MaxHPIncrease"},
        {42, "MaxMPIncrease"},
        {43, "AttackIncrease"},
        {44, "DefenseIncrease"},
        {45, "MindIncrease"},
        {46, "AgilityIncrease"},
        {51, "UsingMessage"},
        {53, "SkillID"},
        {55, "SwitchID"},
        {57, "UsableInField"},
        {58, "UsableInBattle"},
        {61, "EquipCount", TFieldForm::Hidden},
        {62, "EquipHeroes", TFieldForm::Bytes, 61},
        {63, "ConditionCount", TFieldForm::Hidden},
        {64, "Conditions", TFieldForm::Bytes, 63},
        {65, "AttributeCount", TFieldForm::Hidden},
        {66, "Attributes", TFieldForm::Bytes, 65},
        {67, "ConditionChance"},
    };
    return names;
}

} // namespace tarvel
