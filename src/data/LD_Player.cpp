#include "LD_Player.h"

namespace tarvel {

const uint16_t DefaultHPCurve[MaxHeroLevel] = {
    40,  43,  49,  55,  60,  66,  72,  79,  85,  92,  98,  105, 112, 120, 127, 135, 143,
    151, 160, 168, 177, 186, 195, 205, 215, 225, 236, 247, 258, 269, 281, 293, 305, 318,
    331, 345, 359, 373, 388, 404, 419, 436, 453, 471, 489, 508, 527, 547, 568, 600,
};
const uint16_t DefaultAttackCurve[MaxHeroLevel] = {
    15, 16, 18, 19, 20,  22,  23,  25,  26,  28,  30,  31,  33,  35,  37,  38,  40,
    42, 44, 47, 49, 51,  53,  55,  58,  60,  63,  65,  68,  71,  74,  77,  80,  83,
    86, 89, 93, 96, 100, 103, 107, 111, 115, 119, 124, 128, 133, 138, 143, 150,
};
const uint16_t DefaultMindCurve[MaxHeroLevel] = {
    20,  22,  25,  28,  31,  34,  37,  40,  43,  46,  50,  53,  57,  61,  64,  68,  72,
    76,  81,  85,  89,  94,  98,  103, 108, 113, 119, 124, 129, 135, 141, 147, 153, 160,
    166, 173, 180, 187, 194, 202, 210, 218, 227, 236, 245, 254, 264, 274, 284, 300,
};

void TQelPlayerLearningItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.Integer(&Level, 1, "Level");
    if (id == 2) v.Integer(&SkillID, 1, "SkillID");
}

int32_t TQelPlayerItem::Curve(int p, int level) const {
    if (p < 0 || p >= ParameterCount || level < 1 || level > MaxHeroLevel) return 0;
    return BlockUInt16(Curves, p * MaxHeroLevel + level - 1);
}

void TQelPlayerItem::SetCurve(int p, int level, int32_t value) {
    if (p < 0 || p >= ParameterCount || level < 1 || level > MaxHeroLevel) return;
    SetBlockUInt16(Curves, p * MaxHeroLevel + level - 1, static_cast<uint16_t>(value));
}

int32_t TQelPlayerItem::InitialEquipment(int i) const {
    if (i < 0 || i >= 5) return 0;
    return BlockUInt16(InitialEquipmentData, i);
}

void TQelPlayerItem::SetInitialEquipment(int i, int32_t itemID) {
    if (i >= 0 && i < 5) SetBlockUInt16(InitialEquipmentData, i, static_cast<uint16_t>(itemID));
}

int32_t TQelPlayerItem::ConditionRate(int32_t id) const {
    return RecordTable::Get(ConditionRates, ConditionCount, id, NeutralRank);
}

void TQelPlayerItem::SetConditionRate(int32_t id, int32_t rank) {
    RecordTable::Set(ConditionRates, ConditionCount, id, static_cast<uint8_t>(rank));
}

void TQelPlayerItem::SetConditionCount(int32_t n) {
    RecordTable::Resize(ConditionRates, ConditionCount, n, NeutralRank);
}

int32_t TQelPlayerItem::AttributeRate(int32_t id) const {
    return RecordTable::Get(AttributeRates, AttributeCount, id, NeutralRank);
}

void TQelPlayerItem::SetAttributeRate(int32_t id, int32_t rank) {
    RecordTable::Set(AttributeRates, AttributeCount, id, static_cast<uint8_t>(rank));
}

void TQelPlayerItem::SetAttributeCount(int32_t n) {
    RecordTable::Resize(AttributeRates, AttributeCount, n, NeutralRank);
}

void TQelPlayerItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.String(&Title, "Title");
        break;
    case 3:
        v.String(&CharName, "CharName");
        break;
    case 4:
        v.Integer(&CharIndex, 0, "CharIndex");
        break;
    case 5:
        v.Boolean(&CharTransparent, false, "CharTransparent");
        break;
    case 7:
        v.Integer(&InitialLevel, 1, "InitialLevel");
        break;
    case 8:
        v.Integer(&MaxLevel, 50, "MaxLevel");
        break;
    case 9:
        v.Boolean(&CanCritical, true, "CanCritical");
        break;
    case 10:
        v.Integer(&CriticalRate, 30, "CriticalRate");
        break;
    case 15:
        v.String(&FaceName, "FaceName");
        break;
    case 16:
        v.Integer(&FaceIndex, 0, "FaceIndex");
        break;
    case 21:
        v.Boolean(&TwoSword, false, "TwoSword");
        break;
    case 22:
        v.Boolean(&FixEquipment, false, "FixEquipment");
        break;
    case 23:
        v.Boolean(&AutoBattle, false, "AutoBattle");
        break;
    case 24:
        v.Boolean(&StrongDefense, false, "StrongDefense");
        break;
    case 31:
        v.Block(Curves, sizeof Curves, "Curves", TFieldForm::UInt16Array);
        break;
    case 41:
        v.Integer(&ExpBase, 30, "ExpBase");
        break;
    case 42:
        v.Integer(&ExpIncrease, 30, "ExpIncrease");
        break;
    case 43:
        v.Integer(&ExpCorrection, 0, "ExpCorrection");
        break;
    case 51:
        v.Block(InitialEquipmentData, sizeof InitialEquipmentData, "InitialEquipment",
                TFieldForm::UInt16Array);
        break;
    case 56:
        v.Integer(&UnarmedAnimation, 1, "UnarmedAnimation");
        break;
    case 63:
        v.List(&Skills, "Skills");
        break;
    case 66:
        v.Boolean(&UseSkillSlotName, false, "UseSkillSlotName");
        break;
    case 67:
        v.String(&SkillSlotName, "SkillSlotName");
        break;
    case 71:
        v.Integer(&ConditionCount, 0, "ConditionCount").Hidden();
        break;
    case 72:
        v.Buffer(&ConditionRates, ConditionCount, "ConditionRates", TFieldForm::Bytes, 71);
        break;
    case 73:
        v.Integer(&AttributeCount, 0, "AttributeCount").Hidden();
        break;
    case 74:
        v.Buffer(&AttributeRates, AttributeCount, "AttributeRates", TFieldForm::Bytes, 73);
        break;
    }
}

void TQelPlayerItem::Reset() {
    TCatalogItem::Reset();
    for (int level = 1; level <= MaxHeroLevel; ++level) {
        uint16_t values[ParameterCount] = {DefaultHPCurve[level - 1],     DefaultHPCurve[level - 1],
                                           DefaultAttackCurve[level - 1], DefaultAttackCurve[level - 1],
                                           DefaultMindCurve[level - 1],   DefaultMindCurve[level - 1]};
        for (int p = 0; p < ParameterCount; ++p)
            SetCurve(p, level, values[p]);
    }
}

void TQelPlayerItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    RecordTable::Normalize(ConditionRates, ConditionCount);
    RecordTable::Normalize(AttributeRates, AttributeCount);
}

void TQelPlayerItem::SaveToStream(TMemoryStream& stream) const {
    auto* self = const_cast<TQelPlayerItem*>(this);
    RecordTable::Trim(self->ConditionRates, self->ConditionCount, NeutralRank, DataBaseConditionCount());
    RecordTable::Trim(self->AttributeRates, self->AttributeCount, NeutralRank, DataBaseAttributeCount());
    TCatalogItem::SaveToStream(stream);
}

} // namespace tarvel
