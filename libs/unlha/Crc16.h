#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvel::unlha {

// The CRC-16 that LHA archives carry for file data and headers (polynomial 0x8005 reflected,
// initial value 0). Pass the previous result to continue over further bytes.
uint16_t Crc16(const uint8_t* data, size_t size, uint16_t crc = 0);

} // namespace tarvel::unlha
