#include "LD_Monster.h"

namespace tarvel {

void TQelMonsterActItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetField(vkBlock, &ActKind, 1);
        break;
    case 2:
        v.SetField(vkBlock, &BasicAction, 1);
        break;
    case 3:
        v.SetInteger(&SkillID, 1);
        break;
    case 4:
        v.SetInteger(&TransformID, 1);
        break;
    case 5:
        v.SetField(vkBlock, &ConditionType, 1);
        break;
    case 6:
        v.SetInteger(&ConditionParam1, 0);
        break;
    case 7:
        v.SetInteger(&ConditionParam2, 0);
        break;
    case 8:
        v.SetInteger(&ConditionSwitch, 1);
        break;
    case 9:
        v.SetBoolean(&SwitchOnFlag, false);
        break;
    case 10:
        v.SetInteger(&SwitchOnID, 1);
        break;
    case 11:
        v.SetBoolean(&SwitchOffFlag, false);
        break;
    case 12:
        v.SetInteger(&SwitchOffID, 1);
        break;
    case 13:
        v.SetInteger(&Rating, 50);
        break;
    }
}

void TQelMonsterActItem::Reset() {
    ActKind = 0;
    BasicAction = 0;
    SkillID = 1;
    TransformID = 1;
    ConditionType = 0;
    ConditionParam1 = 0;
    ConditionParam2 = 0;
    ConditionSwitch = 1;
    SwitchOnFlag = false;
    SwitchOnID = 1;
    SwitchOffFlag = false;
    SwitchOffID = 1;
    Rating = 50;
}

const std::vector<TFieldName>& TQelMonsterActItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "ActKind"},       {2, "BasicAction"},     {3, "SkillID"},         {4, "TransformID"},
        {5, "ConditionType"}, {6, "ConditionParam1"}, {7, "ConditionParam2"}, {8, "ConditionSwitch"},
        {9, "SwitchOnFlag"},  {10, "SwitchOnID"},     {11, "SwitchOffFlag"},  {12, "SwitchOffID"},
        {13, "Rating"},
    };
    return names;
}

void TQelMonsterItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id >= 4 && id <= 9) return v.SetInteger(&Parameters[id - 4], 10);
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetString(&GraphicName, true);
        break;
    case 3:
        v.SetInteger(&GraphicHue, 0);
        break;
    case 10:
        v.SetBoolean(&Transparent, false);
        break;
    case 11:
        v.SetInteger(&Experience, 0);
        break;
    case 12:
        v.SetInteger(&Money, 0);
        break;
    case 13:
        v.SetInteger(&DropItemID, 0);
        break;
    case 14:
        v.SetInteger(&DropRate, 100);
        break;
    case 21:
        v.SetBoolean(&CanCritical, false);
        break;
    case 22:
        v.SetInteger(&CriticalRate, 30);
        break;
    case 26:
        v.SetBoolean(&AttackMiss, false);
        break;
    case 28:
        v.SetBoolean(&Flying, false);
        break;
    case 31:
        v.SetInteger(&ConditionCount, 0);
        break;
    case 32:
        v.SetField(vkBuffer, &ConditionRates, ConditionCount);
        break;
    case 33:
        v.SetInteger(&AttributeCount, 0);
        break;
    case 34:
        v.SetField(vkBuffer, &AttributeRates, AttributeCount);
        break;
    case 42:
        v.SetField(vkList, static_cast<TStreamable*>(&Actions), 0);
        break;
    }
}

void TQelMonsterItem::Reset() {
    Name.clear();
    GraphicName.clear();
    GraphicHue = 0;
    for (int32_t& p : Parameters)
        p = 10;
    Transparent = false;
    Experience = 0;
    Money = 0;
    DropItemID = 0;
    DropRate = 100;
    CanCritical = false;
    CriticalRate = 30;
    AttackMiss = false;
    Flying = false;
    ConditionCount = 0;
    ConditionRates.clear();
    AttributeCount = 0;
    AttributeRates.clear();
    // A new monster has one action: a standard action, "Usually", preference 50.
    Actions.Clear();
    Actions.FindOrCreate(1);
}

void TQelMonsterItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    RecordTable::Normalize(ConditionRates, ConditionCount);
    RecordTable::Normalize(AttributeRates, AttributeCount);
}

void TQelMonsterItem::SaveToStream(TMemoryStream& stream) const {
    auto* self = const_cast<TQelMonsterItem*>(this);
    RecordTable::Trim(self->ConditionRates, self->ConditionCount, NeutralConditionRank,
                      DataBaseConditionCount());
    RecordTable::Trim(self->AttributeRates, self->AttributeCount, NeutralAttributeRank,
                      DataBaseAttributeCount());
    TCatalogItem::SaveToStream(stream);
}

const std::vector<TFieldName>& TQelMonsterItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {2, "GraphicName"},
        {3, "GraphicHue"},
        {4, "MaxHP"},
        {5, "MaxMP"},
        {6, "Attack"},
        {7, "Defense"},
        {8, "Mind"},
        {9, "Agility"},
        {10, "Transparent"},
        {11, "Experience"},
        {12, "Money"},
        {13, "DropItemID"},
        {14, "DropRate"},
        {21, "CanCritical"},
        {22, "CriticalRate"},
        {26, "AttackMiss"},
        {28, "Flying"},
        {31, "ConditionCount", TFieldForm::Hidden},
        {32, "ConditionRates", TFieldForm::Bytes, 31},
        {33, "AttributeCount", TFieldForm::Hidden},
        {34, "AttributeRates", TFieldForm::Bytes, 33},
        {42, "Actions"},
    };
    return names;
}

} // namespace tarvel
