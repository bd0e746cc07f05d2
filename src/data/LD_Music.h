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
    int32_t FadeIn = 0;   // milliseconds
    int32_t Volume = 100; // percent
    int32_t Tempo = 100;  // percent, 50..150
    int32_t Balance = 50; // 0 left, 50 centre, 100 right

    TQelMusic() { Reset(); }
    // Copies the fields directly from another music reference; any other source changes nothing.
    void Assign(const TCatalogBaseItem& source) override;
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    const std::vector<TFieldName>& FieldNames() const override;
};

// A sound reference: a music reference without the fade-in (there is no chunk 2).
class TQelSound : public TCatalogBaseItem {
public:
    std::string FileName; // in the material folder "Sound"; always written
    int32_t Volume = 100;
    int32_t Tempo = 100;
    int32_t Balance = 50;

    TQelSound() { Reset(); }
    void Assign(const TCatalogBaseItem& source) override;
    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    void Reset() override;
    const std::vector<TFieldName>& FieldNames() const override;
};

} // namespace tarvel
