#include "LD_Monster.h"

namespace tarvel {

void TQelMonsterActItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.Block(&ActKind, 1, "ActKind");
        break;
    case 2:
        v.Block(&BasicAction, 1, "BasicAction");
        break;
    case 3:
        v.Integer(&SkillID, 1, "SkillID");
        break;
    case 4:
        v.Integer(&TransformID, 1, "TransformID");
        break;
    case 5:
        v.Block(&ConditionType, 1, "ConditionType");
        break;
    case 6:
        v.Integer(&ConditionParam1, 0, "ConditionParam1");
        break;
    case 7:
        v.Integer(&ConditionParam2, 0, "ConditionParam2");
        break;
    case 8:
        v.Integer(&ConditionSwitch, 1, "ConditionSwitch");
        break;
    case 9:
        v.Boolean(&SwitchOnFlag, false, "SwitchOnFlag");
        break;
    case 10:
        v.Integer(&SwitchOnID, 1, "SwitchOnID");
        break;
    case 11:
        v.Boolean(&SwitchOffFlag, false, "SwitchOffFlag");
        break;
    case 12:
        v.Integer(&SwitchOffID, 1, "SwitchOffID");
        break;
    case 13:
        v.Integer(&Rating, 50, "Rating");
        break;
    }
}

void TQelMonsterItem::DescribeField(int id, TCatalogVarData& v, bool) {
    static const char* const parameterNames[] = {"MaxHP", "MaxMP", "Attack", "Defense", "Mind", "Agility"};
    if (id >= 4 && id <= 9) {
        v.Integer(&Parameters[id - 4], 10, parameterNames[id - 4]);
        return;
    }
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.String(&GraphicName, "GraphicName");
        break;
    case 3:
        v.Integer(&GraphicHue, 0, "GraphicHue");
        break;
    case 10:
        v.Boolean(&Transparent, false, "Transparent");
        break;
    case 11:
        v.Integer(&Experience, 0, "Experience");
        break;
    case 12:
        v.Integer(&Money, 0, "Money");
        break;
    case 13:
        v.Integer(&DropItemID, 0, "DropItemID");
        break;
    case 14:
        v.Integer(&DropRate, 100, "DropRate");
        break;
    case 21:
        v.Boolean(&CanCritical, false, "CanCritical");
        break;
    case 22:
        v.Integer(&CriticalRate, 30, "CriticalRate");
        break;
    case 26:
        v.Boolean(&AttackMiss, false, "AttackMiss");
        break;
    case 28:
        v.Boolean(&Flying, false, "Flying");
        break;
    case 31:
        v.Integer(&ConditionCount, 0, "ConditionCount").Hidden();
        break;
    case 32:
        v.Buffer(&ConditionRates, ConditionCount, "ConditionRates", TFieldForm::Bytes, 31);
        break;
    case 33:
        v.Integer(&AttributeCount, 0, "AttributeCount").Hidden();
        break;
    case 34:
        v.Buffer(&AttributeRates, AttributeCount, "AttributeRates", TFieldForm::Bytes, 33);
        break;
    case 42:
        v.List(&Actions, "Actions");
        break;
    }
}

void TQelMonsterItem::Reset() {
    TCatalogItem::Reset();
    // A new monster has one action: a standard action, "Usually", preference 50.
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

} // namespace tarvel
