#include "LD_Switch.h"

#include <cstdio>

namespace tarvel {

std::string NumberedNameLabel(int32_t id, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%.4d", id);
    return name.empty() ? std::string(number) : std::string(number) + ":" + name;
}

void TQelSwitchItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.String(&Name, "Name");
}

void TQelVariableItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.String(&Name, "Name");
}

} // namespace tarvel
