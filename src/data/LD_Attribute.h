#pragma once

// Attributes (database section 17): the kinds of attack and magic that heroes and monsters hold a
// rank A..E against.

#include <cstdint>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

class TQelAttribItem : public TCatalogItem {
public:
    uint8_t AttribType; // 0 "Arms Attribute", 1 "Magic Attribute"
    int32_t RateA;      // "Rate of Effect" percent for ranks A..E
    int32_t RateB;
    int32_t RateC;
    int32_t RateD;
    int32_t RateE;

    explicit TQelAttribItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

class TQelAttrib : public TQelList<TQelAttribItem> {
public:
    TQelAttrib() : TQelList("Invalid Attribute") {}
};

} // namespace tarvel
