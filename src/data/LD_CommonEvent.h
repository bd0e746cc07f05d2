#pragma once

// Common events (database section 25): scripts that are not placed on a map, started
// automatically, in parallel or by a call.

#include "LD_Event.h"

namespace tarvel {

class TQelCommonEventItem : public TQelBaseEventPageItem {
public:
    uint8_t Trigger; // 3 "Auto Start", 4 "Parallel Process", 5 "Call"
    bool UseSwitch;  // "Appearance Conditions Switch"
    int32_t SwitchID;

    explicit TQelCommonEventItem(int32_t id = 0) : TQelBaseEventPageItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelCommonEvent : public TQelList<TQelCommonEventItem> {
public:
    TQelCommonEvent() : TQelList("Invalid Common Event") {}
};

} // namespace tarvel
