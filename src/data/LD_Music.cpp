#include "LD_Music.h"

namespace tarvel {

const char* const MusicOff = "(OFF)";

void TQelMusic::Assign(const TCatalogBaseItem& source) {
    auto* music = dynamic_cast<const TQelMusic*>(&source);
    if (!music || music == this) return;
    FileName = music->FileName;
    FadeIn = music->FadeIn;
    Volume = music->Volume;
    Tempo = music->Tempo;
    Balance = music->Balance;
}

void TQelMusic::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&FileName, false);
        break;
    case 2:
        v.SetInteger(&FadeIn, 0);
        break;
    case 3:
        v.SetInteger(&Volume, 100);
        break;
    case 4:
        v.SetInteger(&Tempo, 100);
        break;
    case 5:
        v.SetInteger(&Balance, 50);
        break;
    }
}

void TQelMusic::Reset() {
    FileName = MusicOff;
    FadeIn = 0;
    Volume = 100;
    Tempo = 100;
    Balance = 50;
}

const std::vector<TFieldName>& TQelMusic::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "FileName"}, {2, "FadeIn"}, {3, "Volume"}, {4, "Tempo"}, {5, "Balance"},
    };
    return names;
}

void TQelSound::Assign(const TCatalogBaseItem& source) {
    auto* sound = dynamic_cast<const TQelSound*>(&source);
    if (!sound || sound == this) return;
    FileName = sound->FileName;
    Volume = sound->Volume;
    Tempo = sound->Tempo;
    Balance = sound->Balance;
}

void TQelSound::DescribeField(int id, TCatalogVarData& v, bool) {
    switch (id) {
    case 1:
        v.SetString(&FileName, false);
        break;
    case 3:
        v.SetInteger(&Volume, 100);
        break;
    case 4:
        v.SetInteger(&Tempo, 100);
        break;
    case 5:
        v.SetInteger(&Balance, 50);
        break;
    }
}

void TQelSound::Reset() {
    FileName = MusicOff;
    Volume = 100;
    Tempo = 100;
    Balance = 50;
}

const std::vector<TFieldName>& TQelSound::FieldNames() const {
    static const std::vector<TFieldName> names = {
        {1, "FileName"},
        {3, "Volume"},
        {4, "Tempo"},
        {5, "Balance"},
    };
    return names;
}

} // namespace tarvel
