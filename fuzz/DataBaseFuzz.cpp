// The database reader over arbitrary bytes: it must never crash, never allocate beyond what the
// bytes can hold, and whatever it reads must write and read back to the same bytes.
#include <cstdlib>

#include "data/LD_DataBase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    TQelDataBase db;
    try {
        TMemoryStream stream(data, size);
        db.ReadFromStream(stream);
    } catch (const EReadError&) {
        // What was read before the error stays; it must still write and read back cleanly.
    }
    TMemoryStream first;
    db.WriteToStream(first);

    TQelDataBase again;
    first.SetPosition(0);
    again.ReadFromStream(first);
    // Each write counts a save of the system record; undo the second one to compare.
    again.System().SaveCount -= 1;
    TMemoryStream second;
    again.WriteToStream(second);
    if (second.Bytes() != first.Bytes()) std::abort();
    return 0;
}
