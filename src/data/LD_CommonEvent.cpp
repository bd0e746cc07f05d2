#include "LD_CommonEvent.h"

namespace tarvel {

void TQelCommonEventItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 11:
        v.SetField(vkBlock, &Trigger, 1);
        break;
    case 12:
        v.SetBoolean(&UseSwitch, false);
        break;
    case 13:
        v.SetInteger(&SwitchID, 1);
        break;
    default:
        DescribeScript(id, v, 21, 22);
    }
}

void TQelCommonEventItem::Reset() {
    Name.clear();
    Trigger = 5;
    UseSwitch = false;
    SwitchID = 1;
    ResetScript();
}

const std::vector<TFieldName>& TQelCommonEventItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},
        {11, "Trigger"},
        {12, "UseSwitch"},
        {13, "SwitchID"},
        {21, "ScriptSize", TFieldForm::Hidden},
        {22, "ScriptData", TFieldForm::Hidden},
    };
    return names;
}

} // namespace tarvel
