#include "RecordCompare.h"

#include <cstring>

namespace tarvel::cli {

bool SameFields(const TCatalogBaseItem& constA, const TCatalogBaseItem& constB) {
    // Describing a field for reading only points at it.
    auto& a = const_cast<TCatalogBaseItem&>(constA);
    auto& b = const_cast<TCatalogBaseItem&>(constB);
    const auto& names = a.FieldNames();
    // A record without named fields is compared by its bytes.
    if (names.empty()) return a.SaveToBytes() == b.SaveToBytes();
    for (const TFieldName& field : names) {
        TCatalogVarData va, vb;
        a.DescribeField(field.id, va, true);
        b.DescribeField(field.id, vb, true);
        if (va.Kind != vb.Kind) return false;
        bool same = true;
        switch (va.Kind) {
        case vkInteger:
            same = *static_cast<const int32_t*>(va.Data) == *static_cast<const int32_t*>(vb.Data);
            break;
        case vkBoolean:
            same = *static_cast<const uint8_t*>(va.Data) == *static_cast<const uint8_t*>(vb.Data);
            break;
        case vkReal:
            same = *static_cast<const double*>(va.Data) == *static_cast<const double*>(vb.Data);
            break;
        case vkString:
            same = *static_cast<const std::string*>(va.Data) == *static_cast<const std::string*>(vb.Data);
            break;
        case vkBlock:
            same = va.Size == vb.Size && std::memcmp(va.Data, vb.Data, static_cast<size_t>(va.Size)) == 0;
            break;
        case vkBuffer:
            same = *static_cast<const std::vector<uint8_t>*>(va.Data) ==
                   *static_cast<const std::vector<uint8_t>*>(vb.Data);
            break;
        case vkRecord:
            same =
                SameFields(*static_cast<const TCatalogBaseItem*>(static_cast<const TStreamable*>(va.Data)),
                           *static_cast<const TCatalogBaseItem*>(static_cast<const TStreamable*>(vb.Data)));
            break;
        case vkList:
            same = SameItems(*static_cast<const TCatalog*>(static_cast<const TStreamable*>(va.Data)),
                             *static_cast<const TCatalog*>(static_cast<const TStreamable*>(vb.Data)));
            break;
        case vkNone:
            break;
        }
        if (!same) return false;
    }
    return true;
}

bool SameItems(const TCatalog& a, const TCatalog& b) {
    if (a.Count() != b.Count()) return false;
    for (auto ia = a.begin(), ib = b.begin(); ia != a.end(); ++ia, ++ib)
        if ((*ia)->ID != (*ib)->ID || !SameFields(**ia, **ib)) return false;
    return true;
}

} // namespace tarvel::cli
