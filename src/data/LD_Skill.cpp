#include "LD_Skill.h"

namespace tarvel {

void TQelSkillItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id >= 31 && id < 31 + SkillEffectCount) {
        static const char* const effectNames[SkillEffectCount] = {
            "ChangeHP",   "ChangeMP",      "ChangeAttack", "ChangeDefense",
            "ChangeMind", "ChangeAgility", "Absorb",       "IgnoreDefense"};
        v.Boolean(&Effects[id - 31], false, effectNames[id - 31]);
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
        v.String(&UseMessage1, "UseMessage1");
        break;
    case 4:
        v.String(&UseMessage2, "UseMessage2");
        break;
    case 7:
        v.Integer(&FailureMessage, 0, "FailureMessage");
        break;
    case 8:
        v.Block(&SkillType, 1, "SkillType");
        break;
    case 11:
        v.Integer(&MPCost, 0, "MPCost");
        break;
    case 12:
        v.Block(&Scope, 1, "Scope");
        break;
    case 13:
        v.Integer(&SwitchID, 1, "SwitchID");
        break;
    case 14:
        v.Integer(&AnimationID, 1, "AnimationID");
        break;
    case 16:
        v.Record(&Sound, "Sound");
        break;
    case 18:
        v.Boolean(&UsableInField, true, "UsableInField");
        break;
    case 19:
        v.Boolean(&UsableInBattle, false, "UsableInBattle");
        break;
    case 21:
        v.Integer(&AttackInfluence, 0, "AttackInfluence");
        break;
    case 22:
        v.Integer(&MindInfluence, 3, "MindInfluence");
        break;
    case 23:
        v.Integer(&Variance, 4, "Variance");
        break;
    case 24:
        v.Integer(&BaseEffect, 0, "BaseEffect");
        break;
    case 25:
        v.Integer(&HitRate, 100, "HitRate");
        break;
    case 41:
        v.Integer(&ConditionCount, 0, "ConditionCount").Hidden();
        break;
    case 42:
        v.Buffer(&Conditions, ConditionCount, "Conditions", TFieldForm::Bytes, 41);
        break;
    case 43:
        v.Integer(&AttributeCount, 0, "AttributeCount").Hidden();
        break;
    case 44:
        v.Buffer(&Attributes, AttributeCount, "Attributes", TFieldForm::Bytes, 43);
        break;
    case 45:
        v.Boolean(&AffectDefense, false, "AffectDefense");
        break;
    }
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

} // namespace tarvel
