#pragma once

// Attributes (database section 17): the kinds of attack and magic that heroes and monsters hold a
// rank A..E against.

#include <cstdint>
#include <vector>

#include "LD_Common.h"

namespace tarvel {

class TQelAttribItem : public TCatalogItem {
public:
    uint8_t AttribType = 0; // 0 "Arms Attribute", 1 "Magic Attribute"
    int32_t RateA = 300;    // "Rate of Effect" percent for ranks A..E
    int32_t RateB = 200;
    int32_t RateC = 100;
    int32_t RateD = 50;
    int32_t RateE = 0;

    explicit TQelAttribItem(int32_t id = 0) : TCatalogItem(id) { Reset(); }
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    const std::vector<TFieldName>& FieldNames() const override;
};

class TQelAttrib : public TQelList<TQelAttribItem> {
public:
    TQelAttrib() : TQelList("Invalid Attribute") {}
};

} // namespace tarvel
