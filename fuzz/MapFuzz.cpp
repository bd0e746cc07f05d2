// The map file reader over arbitrary bytes: it must never crash, whatever it read must leave
// layers that match the map's size, and what it read must save to a file that reads back to the
// same bytes.
#include <cstdlib>

#include "data/LD_Map.h"

namespace {

std::vector<uint8_t> fileBytes(const tarvel::TQelMap& map) {
    tarvel::TMemoryStream stream;
    map.SaveToFileStream(stream);
    return std::move(stream.Bytes());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    TQelMap map;
    TMemoryStream input(data, size);
    try {
        map.LoadFromFileStream(input);
    } catch (const EReadError&) {
        // A failed read still leaves a map of a size a map can have, with layers to match, so
        // the editor (which keeps what was read) can go on with it.
    }
    size_t cells = static_cast<size_t>(map.Width) * static_cast<size_t>(map.Height);
    if (map.Width < MinMapSize || map.Width > MaxMapSize || map.Height < MinMapSize ||
        map.Height > MaxMapSize)
        std::abort();
    if (map.LowerLayer.Cells.size() != cells || map.UpperLayer.Cells.size() != cells) std::abort();

    std::vector<uint8_t> saved = fileBytes(map);
    TQelMap again;
    TMemoryStream stream(saved);
    try {
        again.LoadFromFileStream(stream);
    } catch (const EReadError&) {
        std::abort();
    }
    if (fileBytes(again) != saved) std::abort();
    return 0;
}
