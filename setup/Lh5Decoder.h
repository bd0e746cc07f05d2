#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace tarvel::setup {

// An archive the installer cannot read: damaged, cut short, or of a kind it does not know.
class LhaError : public std::runtime_error {
public:
    explicit LhaError(const std::string& message) : std::runtime_error(message) {}
};

// Receives decoded bytes in order, in pieces of any size.
using ByteReceiver = std::function<void(const uint8_t* data, size_t size)>;

// The sliding-dictionary methods of LHA: LZSS whose literals, match lengths and match distances
// are coded with Huffman tables sent at the start of every block. They differ only in the size
// of the dictionary (and so in how many distance codes there are).
struct LzhMethod {
    int dictionaryBits; // 12 for -lh4-, 13 for -lh5-, 15 for -lh6-, 16 for -lh7-
};

// The method of a "-lhN-" name, or false for a name that is no sliding-dictionary method.
bool LzhMethodOf(const std::string& name, LzhMethod& method);

// Decodes packed data into exactly originalSize bytes, handed to receive in order. Raises
// LhaError for data that are damaged or end before originalSize bytes are made.
void DecodeLzh(const LzhMethod& method, const uint8_t* packed, size_t packedSize, uint64_t originalSize,
               const ByteReceiver& receive);

} // namespace tarvel::setup
