// The chunk reader over arbitrary bytes: it must never crash, and whatever it reads must save and
// read back to the same bytes.
#include <cstdlib>

#include "SampleRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    test::SampleRecord record;
    try {
        record.LoadFromBytes(std::vector<uint8_t>(data, data + size));
    } catch (const EReadError&) {
        return 0;
    }
    std::vector<uint8_t> saved = record.SaveToBytes();
    test::SampleRecord again;
    again.LoadFromBytes(saved);
    if (again.SaveToBytes() != saved) std::abort();
    return 0;
}
