#pragma once

// References to a music or sound file with their playback settings, used across the database and
// the map tree. "(OFF)" names no music or sound.

#include <cstdint>
#include <string>

#include "records/CatalogBase.h"

namespace tarvel {

// The file name that means "no music" or "no sound".
extern const char* const MusicOff;

class TQelMusic : public TCatalogBaseItem {
public:
    std::string FileName; // in the material folder "Music"; always written
    int32_t FadeIn;       // milliseconds
    int32_t Volume;       // percent
    int32_t Tempo;        // percent, 50..150
    int32_t Balance;      // 0 left, 50 centre, 100 right

    TQelMusic() { Reset(); }
    // Copies another music reference; any other source changes nothing.
    void Assign(const TCatalogBaseItem& source) override;
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

// A sound reference: a music reference without the fade-in (there is no chunk 2).
class TQelSound : public TCatalogBaseItem {
public:
    std::string FileName; // in the material folder "Sound"; always written
    int32_t Volume;
    int32_t Tempo;
    int32_t Balance;

    TQelSound() { Reset(); }
    // Copies another sound reference; any other source changes nothing.
    void Assign(const TCatalogBaseItem& source) override;
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
};

} // namespace tarvel
