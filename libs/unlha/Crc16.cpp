#include "Crc16.h"

#include <array>

namespace tarvel::unlha {

namespace {

std::array<uint16_t, 256> makeTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xA001u : value >> 1;
        table[i] = static_cast<uint16_t>(value);
    }
    return table;
}

} // namespace

uint16_t Crc16(const uint8_t* data, size_t size, uint16_t crc) {
    static const std::array<uint16_t, 256> table = makeTable();
    for (size_t i = 0; i < size; ++i)
        crc = static_cast<uint16_t>(table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8));
    return crc;
}

} // namespace tarvel::unlha
