#pragma once

// Switches and variables (database sections 23 and 24): numbered names, nothing more. Their lists
// are sized by the switch and variable pickers.

#include <string>

#include "LD_Common.h"

namespace tarvel {

// The label a switch or variable is listed with: "%.4d:%s" of ID and name, or "%.4d" of the ID
// alone when the name is empty (switch 7 named Door reads 0007:Door).
std::string NumberedNameLabel(int32_t id, const std::string& name);

class TQelSwitchItem : public TCatalogItem {
public:
    explicit TQelSwitchItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    std::string DisplayLabel() const { return NumberedNameLabel(ID, Name); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelSwitch : public TQelList<TQelSwitchItem> {
public:
    TQelSwitch() : TQelList("Invalid Switch") {}
};

class TQelVariableItem : public TCatalogItem {
public:
    explicit TQelVariableItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    std::string DisplayLabel() const { return NumberedNameLabel(ID, Name); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelVariable : public TQelList<TQelVariableItem> {
public:
    TQelVariable() : TQelList("Invalid Variable") {}
};

} // namespace tarvel
