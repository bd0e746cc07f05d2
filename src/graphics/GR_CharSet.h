#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PrismSheet.h"

namespace tarvel {

constexpr int kCharSetWidth = 288;
constexpr int kCharSetHeight = 256;

// The top-left pixel of the 24 x 32 frame of character c (0..7), pattern p (0..2) and direction
// d (0 up, 1 right, 2 down, 3 left) in a character-set picture.
TPoint CharSetFrameOrigin(int character, int pattern, int direction);

// A map's cache of character-set pictures (the sprites of its events), loaded by name and trimmed
// when another map is loaded. The map marks the names its events use; unused pictures are dropped
// only once 20 or more are held, so switching between maps rarely reloads.
class TQelCharSetGraphic {
public:
    void Clear();
    void ClearMarks();
    // The index of the name's sheet, marked used; a new name gets a 288 x 256 sheet loaded from the
    // "CharSet" material folder (blank when the picture is missing or unreadable).
    int Acquire(const std::string& name);
    int IndexOf(const std::string& name) const;
    TPrismSheet& Sheet(int index) { return *mSheets[size_t(index)]; }
    int Count() const { return int(mNames.size()); }
    const std::string& Name(int index) const { return mNames[size_t(index)]; }
    bool Used(int index) const { return mUsed[size_t(index)]; }
    // Walks from the start: used entries stay; an unused one is removed while 20 or more names are
    // held, and the walk stops at the first unused entry once fewer remain. The last entry is never
    // examined.
    void Trim();

private:
    std::vector<std::string> mNames;
    std::vector<std::unique_ptr<TPrismSheet>> mSheets;
    std::vector<bool> mUsed;
};

} // namespace tarvel
