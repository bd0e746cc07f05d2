#include "LD_Music.h"

namespace tarvel {

const char* const MusicOff = "(OFF)";

void TQelMusic::Assign(const TCatalogBaseItem& source) {
    if (dynamic_cast<const TQelMusic*>(&source) && &source != this) TCatalogBaseItem::Assign(source);
}

void TQelMusic::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&FileName, "FileName", false).ResetTo(MusicOff);
        break;
    case 2:
        v.Integer(&FadeIn, 0, "FadeIn");
        break;
    case 3:
        v.Integer(&Volume, 100, "Volume");
        break;
    case 4:
        v.Integer(&Tempo, 100, "Tempo");
        break;
    case 5:
        v.Integer(&Balance, 50, "Balance");
        break;
    }
}

void TQelSound::Assign(const TCatalogBaseItem& source) {
    if (dynamic_cast<const TQelSound*>(&source) && &source != this) TCatalogBaseItem::Assign(source);
}

void TQelSound::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.String(&FileName, "FileName", false).ResetTo(MusicOff);
        break;
    case 3:
        v.Integer(&Volume, 100, "Volume");
        break;
    case 4:
        v.Integer(&Tempo, 100, "Tempo");
        break;
    case 5:
        v.Integer(&Balance, 50, "Balance");
        break;
    }
}

} // namespace tarvel
