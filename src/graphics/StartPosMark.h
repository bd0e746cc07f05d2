#pragma once

#include <array>
#include <memory>

#include "PrismSheet.h"

namespace tarvel {

// The marks the map views draw on start positions and, when zoomed out, on events: four pictures
// "STARTPOS1".."STARTPOS4" for cell sizes 32, 16, 8 and 4, each a strip of five square marks
// (0 party, 1 boat, 2 ship, 3 airship, 4 event). The pictures are drawn by code at construction.
class TStartPosMark {
public:
    static constexpr int MarkCount = 5;
    static constexpr int Party = 0, Boat = 1, Ship = 2, Airship = 3, Event = 4;

    TStartPosMark();
    // Draws mark number mark of the strip for the cell size with its top-left at (x, y): at opacity
    // 128 when dimmed, 255 otherwise. Any other size, or a mark outside 0..4, draws nothing.
    void Draw(TPrismBoard& board, int x, int y, bool dimmed, int size, int mark);

    // Strip i (0..3): "STARTPOS1".."STARTPOS4", 5 x size by size pixels for size 32 >> i.
    TPrismSheet& Strip(int i) { return *mStrips[size_t(i)]; }
    static const char* StripName(int i);

private:
    std::array<std::unique_ptr<TPrismSheet>, 4> mStrips;
};

} // namespace tarvel
