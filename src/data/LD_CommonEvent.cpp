#include "LD_CommonEvent.h"

namespace tarvel {

void TQelCommonEventItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 11:
        v.Block(&Trigger, 1, "Trigger").ResetTo(5);
        break;
    case 12:
        v.Boolean(&UseSwitch, false, "UseSwitch");
        break;
    case 13:
        v.Integer(&SwitchID, 1, "SwitchID");
        break;
    default:
        DescribeScript(id, v, 21, 22);
    }
}

} // namespace tarvel
