#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvel {

// The Adler-32 checksum that ends a zlib stream, continued from adler (1 for a new stream): the same
// value as zlib's adler32, computed sixteen bytes at a time where the processor allows.
uint32_t Adler32(uint32_t adler, const uint8_t* data, size_t length);

} // namespace tarvel
