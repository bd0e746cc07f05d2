// The installer's LHA reader over arbitrary bytes: listing and decoding must never crash, refuse
// only with LhaError, and every path it lists must stay inside the folder it is extracted into.
#include <cstdlib>
#include <string>

#include "LhaReader.h"

namespace {
// Decoding stops here: a few bytes may legitimately claim gigabytes.
constexpr uint64_t kOutputLimit = 4u << 20;
struct Enough {};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel::setup;
    std::vector<LhaEntry> entries;
    try {
        entries = ReadLhaDirectory(data, size);
    } catch (const LhaError&) {
        return 0;
    }
    for (const LhaEntry& entry : entries) {
        const std::string& path = entry.path;
        if (path.empty() || path.front() == '/' || path.back() == '/') std::abort();
        size_t start = 0;
        for (;;) {
            size_t slash = path.find('/', start);
            std::string part =
                path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
            if (part.empty() || part == "." || part == ".." || part.find('\\') != std::string::npos)
                std::abort();
            if (slash == std::string::npos) break;
            start = slash + 1;
        }
        if (entry.dataOffset > size || size - entry.dataOffset < entry.packedSize) std::abort();
        uint64_t produced = 0;
        try {
            DecodeLhaEntry(data, size, entry, [&](const uint8_t*, size_t count) {
                produced += count;
                if (produced > entry.originalSize) std::abort();
                if (produced > kOutputLimit) throw Enough{};
            });
        } catch (const LhaError&) {
        } catch (const Enough&) {
        }
    }
    return 0;
}
