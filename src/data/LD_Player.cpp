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
    if (id == 1) v.SetInteger(&Level, 1);
    if (id == 2) v.SetInteger(&SkillID, 1);
}

void TQelPlayerLearningItem::Reset() {
    Level = 1;
    SkillID = 1;
}

const std::vector<TFieldName>& TQelPlayerLearningItem::FieldNames() const {
    static const std::vector<TFieldName> names = {{1, "Level"}, {2, "SkillID"}};
    return names;
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
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetString(&Title, true);
        break;
    case 3:
        v.SetString(&CharName, true);
        break;
    case 4:
        v.SetInteger(&CharIndex, 0);
        break;
    case 5:
        v.SetBoolean(&CharTransparent, false);
        break;
    case 7:
        v.SetInteger(&InitialLevel, 1);
        break;
    case 8:
        v.SetInteger(&MaxLevel, 50);
        break;
    case 9:
        v.SetBoolean(&CanCritical, true);
        break;
    case 10:
        v.SetInteger(&CriticalRate, 30);
        break;
    case 15:
        v.SetString(&FaceName, true);
        break;
    case 16:
        v.SetInteger(&FaceIndex, 0);
        break;
    case 21:
        v.SetBoolean(&TwoSword, false);
        break;
    case 22:
        v.SetBoolean(&FixEquipment, false);
        break;
    case 23:
        v.SetBoolean(&AutoBattle, false);
        break;
    case 24:
        v.SetBoolean(&StrongDefense, false);
        break;
    case 31:
        v.SetField(vkBlock, Curves, sizeof Curves);
        break;
    case 41:
        v.SetInteger(&ExpBase, 30);
        break;
    case 42:
        v.SetInteger(&ExpIncrease, 30);
        break;
    case 43:
        v.SetInteger(&ExpCorrection, 0);
        break;
    case 51:
        v.SetField(vkBlock, InitialEquipmentData, sizeof InitialEquipmentData);
        break;
    case 56:
        v.SetInteger(&UnarmedAnimation, 1);
        break;
    case 63:
        v.SetField(vkList, static_cast<TStreamable*>(&Skills), 0);
        break;
    case 66:
        v.SetBoolean(&UseSkillSlotName, false);
        break;
    case 67:
        v.SetString(&SkillSlotName, true);
        break;
    case 71:
        v.SetInteger(&ConditionCount, 0);
        break;
    case 72:
        v.SetField(vkBuffer, &ConditionRates, ConditionCount);
        break;
    case 73:
        v.SetInteger(&AttributeCount, 0);
        break;
    case 74:
        v.SetField(vkBuffer, &AttributeRates, AttributeCount);
        break;
    }
}

void TQelPlayerItem::Reset() {
    Name.clear();
    Title.clear();
    CharName.clear();
    CharIndex = 0;
    CharTransparent = false;
    InitialLevel = 1;
    MaxLevel = 50;
    CanCritical = true;
    CriticalRate = 30;
    FaceName.clear();
    FaceIndex = 0;
    TwoSword = FixEquipment = AutoBattle = StrongDefense = false;
    for (int level = 1; level <= MaxHeroLevel; ++level) {
        uint16_t values[ParameterCount] = {DefaultHPCurve[level - 1],     DefaultHPCurve[level - 1],
                                           DefaultAttackCurve[level - 1], DefaultAttackCurve[level - 1],
                                           DefaultMindCurve[level - 1],   DefaultMindCurve[level - 1]};
        for (int p = 0; p < ParameterCount; ++p)
            SetCurve(p, level, values[p]);
    }
    ExpBase = 30;
    ExpIncrease = 30;
    ExpCorrection = 0;
    for (uint8_t& b : InitialEquipmentData)
        b = 0;
    UnarmedAnimation = 1;
    Skills.Clear();
    UseSkillSlotName = false;
    SkillSlotName.clear();
    ConditionCount = 0;
    ConditionRates.clear();
    AttributeCount = 0;
    AttributeRates.clear();
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

const std::vector<TFieldName>& TQelPlayerItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {2, "Title"},
        {3, "CharName"},
        {4, "CharIndex"},
        {5, "CharTransparent"},
        {7, "InitialLevel"},
        {8, "MaxLevel"},
        {9, "CanCritical"},
        {10, "CriticalRate"},
        {15, "FaceName"},
        {16, "FaceIndex"},
        {21, "TwoSword"},
        {22, "FixEquipment"},
        {23, "AutoBattle"},
        {24, "StrongDefense"},
        {31, "Curves", TFieldForm::UInt16Array},
        {41, "ExpBase"},
        {42, "ExpIncrease"},
        {43, "ExpCorrection"},
        {51, "InitialEquipment", TFieldForm::UInt16Array},
        {56, "UnarmedAnimation"},
        {63, "Skills"},
        {66, "UseSkillSlotName"},
        {67, "SkillSlotName"},
        {71, "ConditionCount", TFieldForm::Hidden},
        {72, "ConditionRates", TFieldForm::Bytes, 71},
        {73, "AttributeCount", TFieldForm::Hidden},
        {74, "AttributeRates", TFieldForm::Bytes, 73},
    };
    return names;
}

} // namespace tarvel
