#include "LD_MonGroup.h"

namespace tarvel {

void TQelMonGroupMonsterItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.Integer(&MonsterID, 1, "MonsterID");
        break;
    case 2:
        v.Integer(&X, 0, "X");
        break;
    case 3:
        v.Integer(&Y, 0, "Y");
        break;
    case 4:
        v.Boolean(&Invisible, false, "Invisible");
        break;
    }
}

void TQelBattleEventTrigger::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.Block(&Flags, 1, "Flags");
        break;
    case 2:
        v.Integer(&SwitchA, 1, "SwitchA");
        break;
    case 3:
        v.Integer(&SwitchB, 1, "SwitchB");
        break;
    case 4:
        v.Integer(&VariableID, 1, "VariableID");
        break;
    case 5:
        v.Integer(&VariableValue, 0, "VariableValue");
        break;
    case 6:
        v.Integer(&TurnA, 0, "TurnA");
        break;
    case 7:
        v.Integer(&TurnB, 0, "TurnB");
        break;
    case 8:
        v.Integer(&ExhaustionMin, 0, "ExhaustionMin");
        break;
    case 9:
        v.Integer(&ExhaustionMax, 100, "ExhaustionMax");
        break;
    case 10:
        v.Integer(&MonsterIndex, 0, "MonsterIndex");
        break;
    case 11:
        v.Integer(&MonsterHPMin, 0, "MonsterHPMin");
        break;
    case 12:
        v.Integer(&MonsterHPMax, 100, "MonsterHPMax");
        break;
    case 13:
        v.Integer(&HeroID, 1, "HeroID");
        break;
    case 14:
        v.Integer(&HeroHPMin, 0, "HeroHPMin");
        break;
    case 15:
        v.Integer(&HeroHPMax, 100, "HeroHPMax");
        break;
    }
}

void TQelBattleEventPageItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 2)
        v.Record(&Trigger, "Trigger");
    else
        DescribeScript(id, v, 11, 12);
}

void TQelMonGroupItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.List(&Members, "Members");
        break;
    case 4:
        v.Integer(&TerrainCount, 0, "TerrainCount").Hidden();
        break;
    case 5:
        v.Buffer(&TerrainSet, TerrainCount, "TerrainSet", TFieldForm::Bytes, 4);
        break;
    case 11:
        v.List(&BattlePages, "BattlePages");
        break;
    }
}

void TQelMonGroupItem::Reset() {
    TCatalogItem::Reset();
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

} // namespace tarvel
