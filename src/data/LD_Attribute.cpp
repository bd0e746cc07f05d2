#include "LD_Attribute.h"

namespace tarvel {

void TQelAttribItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&Name, true);
        break;
    case 2:
        v.SetField(vkBlock, &AttribType, 1);
        break;
    case 11:
        v.SetInteger(&RateA, 300);
        break;
    case 12:
        v.SetInteger(&RateB, 200);
        break;
    case 13:
        v.SetInteger(&RateC, 100);
        break;
    case 14:
        v.SetInteger(&RateD, 50);
        break;
    case 15:
        v.SetInteger(&RateE, 0);
        break;
    }
}

void TQelAttribItem::Reset() {
    Name.clear();
    AttribType = 0;
    RateA = 300;
    RateB = 200;
    RateC = 100;
    RateD = 50;
    RateE = 0;
}

const std::vector<TFieldName>& TQelAttribItem::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "Name"},   {2, "AttribType"}, {11, "RateA"}, {12, "RateB"},
        {13, "RateC"}, {14, "RateD"},     {15, "RateE"},
    };
    return names;
}

} // namespace tarvel
