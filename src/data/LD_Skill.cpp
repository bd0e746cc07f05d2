#include "LD_Skill.h"

namespace tarvel {

void TQelSkillItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id >= 31 && id < 31 + SkillEffectCount) {
        v.SetBoolean(&Effects[id - 31], false);
        return;
    }
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetString(&Description, true);
        break;
    case 3:
        v.SetString(&UseMessage1, true);
        break;
    case 4:
        v.SetString(&UseMessage2, true);
        break;
    case 7:
        v.SetInteger(&FailureMessage, 0);
        break;
    case 8:
        v.SetField(vkBlock, &SkillType, 1);
        break;
    case 11:
        v.SetInteger(&MPCost, 0);
        break;
    case 12:
        v.SetField(vkBlock, &Scope, 1);
        break;
    case 13:
        v.SetInteger(&SwitchID, 1);
        break;
    case 14:
        v.SetInteger(&AnimationID, 1);
        break;
    case 16:
        v.SetField(vkRecord, static_cast<TStreamable*>(&Sound), 0);
        break;
    case 18:
        v.SetBoolean(&UsableInField, true);
        break;
    case 19:
        v.SetBoolean(&UsableInBattle, false);
        break;
    case 21:
        v.SetInteger(&AttackInfluence, 0);
        break;
    case 22:
        v.SetInteger(&MindInfluence, 3);
        break;
    case 23:
        v.SetInteger(&Variance, 4);
        break;
    case 24:
        v.SetInteger(&BaseEffect, 0);
        break;
    case 25:
        v.SetInteger(&HitRate, 100);
        break;
    case 41:
        v.SetInteger(&ConditionCount, 0);
        break;
    case 42:
        v.SetField(vkBuffer, &Conditions, ConditionCount);
        break;
    case 43:
        v.SetInteger(&AttributeCount, 0);
        break;
    case 44:
        v.SetField(vkBuffer, &Attributes, AttributeCount);
        break;
    case 45:
        v.SetBoolean(&AffectDefense, false);
        break;
    }
}

void TQelSkillItem::Reset() {
    Name.clear();
    Description.clear();
    UseMessage1.clear();
    UseMessage2.clear();
    FailureMessage = 0;
    SkillType = 0;
    MPCost = 0;
    Scope = 0;
    SwitchID = 1;
    AnimationID = 1;
    Sound.Reset();
    UsableInField = true;
    UsableInBattle = false;
    AttackInfluence = 0;
    MindInfluence = 3;
    Variance = 4;
    BaseEffect = 0;
    HitRate = 100;
    for (bool& effect : Effects)
        effect = false;
    ConditionCount = 0;
    Conditions.clear();
    AttributeCount = 0;
    Attributes.clear();
    AffectDefense = false;
}

void TQelSkillItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    RecordTable::Normalize(Conditions, ConditionCount);
    RecordTable::Normalize(Attributes, AttributeCount);
}

void TQelSkillItem::SaveToStream(TMemoryStream& stream) const {
    auto* self = const_cast<TQelSkillItem*>(this);
    RecordTable::Trim(self->Conditions, self->ConditionCount, 0, DataBaseConditionCount());
    RecordTable::Trim(self->Attributes, self->AttributeCount, 0, DataBaseAttributeCount());
    TCatalogItem::SaveToStream(stream);
}

const std::vector<TFieldName>& TQelSkillItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {2, "Description"},
        {3, "UseMessage1"},
        {4, "UseMessage2"},
        {7, "FailureMessage"},
        {8, "SkillType"},
        {11, "MPCost"},
        {12, "Scope"},
        {13, "SwitchID"},
        {14, "AnimationID"},
        {16, "Sound"},
        {18, "UsableInField"},
        {19, "UsableInBattle"},
        {21, "AttackInfluence"},
        {22, "MindInfluence"},
        {23, "Variance"},
        {24, "BaseEffect"},
        {25, "HitRate"},
        {31, "ChangeHP"},
        {32, "ChangeMP"},
        {33, "ChangeAttack"},
        {34, "ChangeDefense"},
        {35, "ChangeMind"},
        {36, "ChangeAgility"},
        {37, "Absorb"},
        {38, "IgnoreDefense"},
        {41, "ConditionCount", TFieldForm::Hidden},
        {42, "Conditions", TFieldForm::Bytes, 41},
        {43, "AttributeCount", TFieldForm::Hidden},
        {44, "Attributes", TFieldForm::Bytes, 43},
        {45, "AffectDefense"},
    };
    return names;
}

} // namespace tarvel
