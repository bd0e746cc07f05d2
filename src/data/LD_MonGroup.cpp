#include "LD_MonGroup.h"

namespace tarvel {

void TQelMonGroupMonsterItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetInteger(&MonsterID, 1);
        break;
    case 2:
        v.SetInteger(&X, 0);
        break;
    case 3:
        v.SetInteger(&Y, 0);
        break;
    case 4:
        v.SetBoolean(&Invisible, false);
        break;
    }
}

void TQelMonGroupMonsterItem::Reset() {
    MonsterID = 1;
    X = 0;
    Y = 0;
    Invisible = false;
}

const std::vector<TFieldName>& TQelMonGroupMonsterItem::FieldNames() const {
    static const std::vector<TFieldName> names = {{1, "MonsterID"}, {2, "X"}, {3, "Y"}, {4, "Invisible"}};
    return names;
}

void TQelBattleEventTrigger::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetField(vkBlock, &Flags, 1);
        break;
    case 2:
        v.SetInteger(&SwitchA, 1);
        break;
    case 3:
        v.SetInteger(&SwitchB, 1);
        break;
    case 4:
        v.SetInteger(&VariableID, 1);
        break;
    case 5:
        v.SetInteger(&VariableValue, 0);
        break;
    case 6:
        v.SetInteger(&TurnA, 0);
        break;
    case 7:
        v.SetInteger(&TurnB, 0);
        break;
    case 8:
        v.SetInteger(&ExhaustionMin, 0);
        break;
    case 9:
        v.SetInteger(&ExhaustionMax, 100);
        break;
    case 10:
        v.SetInteger(&MonsterIndex, 0);
        break;
    case 11:
        v.SetInteger(&MonsterHPMin, 0);
        break;
    case 12:
        v.SetInteger(&MonsterHPMax, 100);
        break;
    case 13:
        v.SetInteger(&HeroID, 1);
        break;
    case 14:
        v.SetInteger(&HeroHPMin, 0);
        break;
    case 15:
        v.SetInteger(&HeroHPMax, 100);
        break;
    }
}

void TQelBattleEventTrigger::Reset() {
    Flags = 0;
    SwitchA = SwitchB = VariableID = 1;
    VariableValue = 0;
    TurnA = TurnB = 0;
    ExhaustionMin = 0;
    ExhaustionMax = 100;
    MonsterIndex = 0;
    MonsterHPMin = 0;
    MonsterHPMax = 100;
    HeroID = 1;
    HeroHPMin = 0;
    HeroHPMax = 100;
}

const std::vector<TFieldName>& TQelBattleEventTrigger::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Flags"},         {2, "SwitchA"},       {3, "SwitchB"},       {4, "VariableID"},
        {5, "VariableValue"}, {6, "TurnA"},         {7, "TurnB"},         {8, "ExhaustionMin"},
        {9, "ExhaustionMax"}, {10, "MonsterIndex"}, {11, "MonsterHPMin"}, {12, "MonsterHPMax"},
        {13, "HeroID"},       {14, "HeroHPMin"},    {15, "HeroHPMax"},
    };
    return names;
}

void TQelBattleEventPageItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 2)
        v.SetField(vkRecord, static_cast<TStreamable*>(&Trigger), 0);
    else
        DescribeScript(id, v, 11, 12);
}

void TQelBattleEventPageItem::Reset() {
    Trigger.Reset();
    ResetScript();
}

const std::vector<TFieldName>& TQelBattleEventPageItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {2, "Trigger"},
        {11, "ScriptSize", TFieldForm::Hidden},
        {12, "ScriptData", TFieldForm::Hidden},
    };
    return names;
}

void TQelMonGroupItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetField(vkList, static_cast<TStreamable*>(&Members), 0);
        break;
    case 4:
        v.SetInteger(&TerrainCount, 0);
        break;
    case 5:
        v.SetField(vkBuffer, &TerrainSet, TerrainCount);
        break;
    case 11:
        v.SetField(vkList, static_cast<TStreamable*>(&BattlePages), 0);
        break;
    }
}

void TQelMonGroupItem::Reset() {
    Name.clear();
    Members.Clear();
    TerrainCount = 0;
    TerrainSet.clear();
    BattlePages.Clear();
    BattlePages.FindOrCreate(1);
}

void TQelMonGroupItem::LoadFromStream(TMemoryStream& stream) {
    TCatalogItem::LoadFromStream(stream);
    RecordTable::Normalize(TerrainSet, TerrainCount);
}

void TQelMonGroupItem::SaveToStream(TMemoryStream& stream) const {
    auto* self = const_cast<TQelMonGroupItem*>(this);
    RecordTable::Fit(self->TerrainSet, self->TerrainCount, 1);
    TCatalogItem::SaveToStream(stream);
}

const std::vector<TFieldName>& TQelMonGroupItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {2, "Members"},
        {4, "TerrainCount", TFieldForm::Hidden},
        {5, "TerrainSet", TFieldForm::Bytes, 4},
        {11, "BattlePages"},
    };
    return names;
}

} // namespace tarvel
