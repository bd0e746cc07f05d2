#include "LD_Attribute.h"

namespace tarvel {

void TQelAttribItem::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&Name, "Name");
        break;
    case 2:
        v.Block(&AttribType, 1, "AttribType");
        break;
    case 11:
        v.Integer(&RateA, 300, "RateA");
        break;
    case 12:
        v.Integer(&RateB, 200, "RateB");
        break;
    case 13:
        v.Integer(&RateC, 100, "RateC");
        break;
    case 14:
        v.Integer(&RateD, 50, "RateD");
        break;
    case 15:
        v.Integer(&RateE, 0, "RateE");
        break;
    }
}

} // namespace tarvel
