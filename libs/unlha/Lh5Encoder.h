#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvel::unlha {

// The -lh5- method: LZSS over an 8 KiB dictionary whose literals, match lengths and match
// positions are coded with static Huffman tables sent at the start of every block.
constexpr int kDictionaryBits = 13;
constexpr size_t kDictionarySize = size_t(1) << kDictionaryBits;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
// Codes (literals and matches) per Huffman block; the block header stores the count in 16 bits.
constexpr size_t kBlockCodes = 16384;

// How hard the match finder looks: longer hash chains find longer matches, more slowly.
struct Lh5Effort {
    int maxChain = 128;
    // A match at least this long is taken at once, without looking one byte further for a
    // longer one.
    int lazyLimit = 64;
};

// Compresses size bytes into out (replacing its contents). Gives up and returns false as soon
// as the output reaches giveUpAt bytes, so data that does not shrink costs little; returns true
// when out holds the complete stream.
bool CompressLh5(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t giveUpAt = SIZE_MAX,
                 const Lh5Effort& effort = {});

} // namespace tarvel::unlha
