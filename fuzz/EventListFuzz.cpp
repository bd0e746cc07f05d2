// The reader of a map's event list (events, pages, conditions, move routes, scripts) over
// arbitrary bytes: never a crash, and what it reads writes and reads back to the same bytes.
#include <cstdlib>

#include "data/LD_Event.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    TQelEvent events;
    try {
        TMemoryStream stream(data, size);
        events.LoadFromStream(stream);
    } catch (const EReadError&) {
        return 0; // a list that fails to read is empty
    }
    TMemoryStream first;
    events.SaveToStream(first);
    TQelEvent again;
    first.SetPosition(0);
    again.LoadFromStream(first);
    TMemoryStream second;
    again.SaveToStream(second);
    if (second.Bytes() != first.Bytes()) std::abort();
    return 0;
}
