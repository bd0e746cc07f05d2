#include "LD_Switch.h"

#include <cstdio>

namespace tarvel {

std::string NumberedNameLabel(int32_t id, const std::string& name) {
    char number[16];
    std::snprintf(number, sizeof number, "%.4d", id);
    return name.empty() ? std::string(number) : std::string(number) + ":" + name;
}

namespace {
const std::vector<TFieldName>& nameOnly() {
    static const std::vector<TFieldName> names = {{1, "Name"}};
    return names;
}
} // namespace

void TQelSwitchItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.SetString(&Name, true);
}

const std::vector<TFieldName>& TQelSwitchItem::FieldNames() const {
    return nameOnly();
}

void TQelVariableItem::DescribeField(int id, TCatalogVarData& v, bool) {
    if (id == 1) v.SetString(&Name, true);
}

const std::vector<TFieldName>& TQelVariableItem::FieldNames() const {
    return nameOnly();
}

} // namespace tarvel
