#include "LD_Terrain.h"

namespace tarvel {

void TQelGroundItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.Integer(&Damage, 0, "Damage");
        break;
    case 3:
        v.Integer(&EncounterRate, 100, "EncounterRate");
        break;
    case 4:
        v.String(&BattleBackName, "BattleBackName");
        break;
    case 5:
        v.Boolean(&BoatPass, false, "BoatPass");
        break;
    case 6:
        v.Boolean(&ShipPass, false, "ShipPass");
        break;
    case 7:
        v.Boolean(&AirshipPass, true, "AirshipPass");
        break;
    case 9:
        v.Boolean(&AirshipLand, true, "AirshipLand");
        break;
    case 11:
        v.Block(&CharDisplay, 1, "CharDisplay");
        break;
    }
}

} // namespace tarvel
