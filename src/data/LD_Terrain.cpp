#include "LD_Terrain.h"

namespace tarvel {

void TQelGroundItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetInteger(&Damage, 0);
        break;
    case 3:
        v.SetInteger(&EncounterRate, 100);
        break;
    case 4:
        v.SetString(&BattleBackName, true);
        break;
    case 5:
        v.SetBoolean(&BoatPass, false);
        break;
    case 6:
        v.SetBoolean(&ShipPass, false);
        break;
    case 7:
        v.SetBoolean(&AirshipPass, true);
        break;
    case 9:
        v.SetBoolean(&AirshipLand, true);
        break;
    case 11:
        v.SetField(vkBlock, &CharDisplay, 1);
        break;
    }
}

void TQelGroundItem::Reset() {
    Name.clear();
    Damage = 0;
    EncounterRate = 100;
    BattleBackName.clear();
    BoatPass = false;
    ShipPass = false;
    AirshipPass = true;
    AirshipLand = true;
    CharDisplay = 0;
}

const std::vector<TFieldName>& TQelGroundItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},     {2, "Damage"},      {3, "EncounterRate"}, {4, "BattleBackName"}, {5, "BoatPass"},
        {6, "ShipPass"}, {7, "AirshipPass"}, {9, "AirshipLand"},   {11, "CharDisplay"},
    };
    return names;
}

} // namespace tarvel
