#include "Lh5Decoder.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarvel::setup {

namespace {

constexpr int kMaxMatch = 256;
constexpr int kMinMatch = 3;
// Literals, then the match lengths 3..256.
constexpr int kCodeCount = 256 + kMaxMatch - kMinMatch + 1;
constexpr int kCodeCountBits = 9;
// Code lengths 0..16 of the literal table are themselves coded: 16 + 3 symbols.
constexpr int kLengthCount = 19;
constexpr int kLengthCountBits = 5;
constexpr int kMaxCodeLength = 16;

// Bits are taken from the most significant end of each byte. Reading beyond the data gives
// zeros for look-ahead, but taking them is an error: the stream ended early.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

    uint32_t Peek(int count) {
        fill();
        return count == 0 ? 0 : mBuffer >> (32 - count);
    }
    void Skip(int count) {
        fill();
        mBuffer <<= count;
        mCount -= count;
        if (mNext * 8 - static_cast<uint64_t>(mCount) > static_cast<uint64_t>(mSize) * 8)
            throw LhaError("compressed data end too early");
    }
    uint32_t Get(int count) {
        uint32_t value = Peek(count);
        Skip(count);
        return value;
    }

private:
    void fill() {
        while (mCount <= 24) {
            uint32_t byte = mNext < mSize ? mData[mNext] : 0;
            ++mNext;
            mBuffer |= byte << (24 - mCount);
            mCount += 8;
        }
    }

    const uint8_t* mData;
    size_t mSize;
    uint64_t mNext = 0;
    uint32_t mBuffer = 0;
    int mCount = 0;
};

// A canonical Huffman code looked up by the next 16 bits: shorter codes first, and within one
// length in symbol order, as LHA assigns them. A table may instead name one symbol for every code,
// which then takes no bits at all.
class HuffmanTable {
public:
    void SetSingle(int symbol) {
        mSingle = symbol;
        mLengths.clear();
    }

    void Build(const uint8_t* lengths, int count) {
        mSingle = -1;
        mLengths.assign(lengths, lengths + count);
        std::array<uint32_t, kMaxCodeLength + 2> perLength{};
        for (int i = 0; i < count; ++i)
            ++perLength[lengths[i]];
        uint32_t start[kMaxCodeLength + 2] = {};
        uint32_t total = 0;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            start[length] = total;
            total += perLength[length] << (kMaxCodeLength - length);
        }
        // Every 16-bit pattern must lead to exactly one symbol.
        if (total != (1u << kMaxCodeLength)) throw LhaError("bad Huffman table");
        mSymbols.resize(size_t(1) << kMaxCodeLength);
        for (int symbol = 0; symbol < count; ++symbol) {
            int length = lengths[symbol];
            if (length == 0) continue;
            uint32_t span = 1u << (kMaxCodeLength - length);
            std::fill_n(mSymbols.begin() + start[length], span, static_cast<uint16_t>(symbol));
            start[length] += span;
        }
    }

    int Decode(BitReader& bits) const {
        if (mSingle >= 0) return mSingle;
        int symbol = mSymbols[bits.Peek(kMaxCodeLength)];
        bits.Skip(mLengths[size_t(symbol)]);
        return symbol;
    }

private:
    int mSingle = 0;
    std::vector<uint8_t> mLengths;
    std::vector<uint16_t> mSymbols;
};

class LzhDecoder {
public:
    LzhDecoder(const LzhMethod& method, const uint8_t* packed, size_t packedSize)
        : mBits(packed, packedSize), mPositionCount(method.dictionaryBits + 1),
          mPositionBits(method.dictionaryBits >= 15 ? 5 : 4) {
        // lh4 shares lh5's distance table.
        if (method.dictionaryBits < 13) mPositionCount = 14;
    }

    // The next code: a literal (0..255) or a match length code (256..509).
    int NextCode() {
        if (mBlockLeft == 0) {
            mBlockLeft = mBits.Get(16);
            if (mBlockLeft == 0) throw LhaError("empty block in compressed data");
            readLengthTable(mLengthCodes, kLengthCount, kLengthCountBits, 3);
            readCodeTable();
            readLengthTable(mPositions, mPositionCount, mPositionBits, -1);
        }
        --mBlockLeft;
        return mCodes.Decode(mBits);
    }

    uint32_t NextDistance() {
        int bits = mPositions.Decode(mBits);
        if (bits == 0) return 0;
        return (1u << (bits - 1)) + mBits.Get(bits - 1);
    }

private:
    // The table of code lengths (kLengthCount symbols) or of distances (mPositionCount symbols).
    // A length of 7 or more is written as 7 followed by that many less 7 one-bits and a zero.
    // After the symbol at index `special` a 2-bit count of zero lengths follows.
    void readLengthTable(HuffmanTable& table, int symbols, int countBits, int special) {
        int count = static_cast<int>(mBits.Get(countBits));
        if (count == 0) {
            int symbol = static_cast<int>(mBits.Get(countBits));
            if (symbol >= symbols) throw LhaError("bad Huffman table");
            table.SetSingle(symbol);
            return;
        }
        if (count > symbols) throw LhaError("bad Huffman table");
        uint8_t lengths[32] = {};
        int i = 0;
        while (i < count) {
            int length = static_cast<int>(mBits.Get(3));
            if (length == 7) {
                while (mBits.Get(1) == 1) {
                    if (++length > kMaxCodeLength) throw LhaError("bad Huffman table");
                }
            }
            lengths[i++] = static_cast<uint8_t>(length);
            if (i == special) {
                int zeros = static_cast<int>(mBits.Get(2));
                while (zeros-- > 0 && i < count)
                    lengths[i++] = 0;
            }
        }
        table.Build(lengths, symbols);
    }

    // The literal and length table, its lengths coded with the table just read; symbols 0..2 of
    // that code stand for runs of zero lengths (1, 3..18, 20..531).
    void readCodeTable() {
        int count = static_cast<int>(mBits.Get(kCodeCountBits));
        if (count == 0) {
            int symbol = static_cast<int>(mBits.Get(kCodeCountBits));
            if (symbol >= kCodeCount) throw LhaError("bad Huffman table");
            mCodes.SetSingle(symbol);
            return;
        }
        if (count > kCodeCount) throw LhaError("bad Huffman table");
        std::array<uint8_t, kCodeCount> lengths{};
        int i = 0;
        while (i < count) {
            int code = mLengthCodes.Decode(mBits);
            if (code <= 2) {
                int zeros = code == 0   ? 1
                            : code == 1 ? static_cast<int>(mBits.Get(4)) + 3
                                        : static_cast<int>(mBits.Get(kCodeCountBits)) + 20;
                if (i + zeros > count) throw LhaError("bad Huffman table");
                i += zeros; // already zero
            } else {
                lengths[size_t(i++)] = static_cast<uint8_t>(code - 2);
            }
        }
        mCodes.Build(lengths.data(), kCodeCount);
    }

    BitReader mBits;
    int mPositionCount;
    int mPositionBits;
    uint32_t mBlockLeft = 0;
    HuffmanTable mLengthCodes;
    HuffmanTable mCodes;
    HuffmanTable mPositions;
};

} // namespace

bool LzhMethodOf(const std::string& name, LzhMethod& method) {
    static const struct {
        const char* name;
        int bits;
    } methods[] = {{"-lh4-", 12}, {"-lh5-", 13}, {"-lh6-", 15}, {"-lh7-", 16}};
    for (const auto& m : methods)
        if (name == m.name) {
            method.dictionaryBits = m.bits;
            return true;
        }
    return false;
}

void DecodeLzh(const LzhMethod& method, const uint8_t* packed, size_t packedSize, uint64_t originalSize,
               const ByteReceiver& receive) {
    const size_t dictionarySize = size_t(1) << method.dictionaryBits;
    const size_t mask = dictionarySize - 1;
    // Distances that reach before the start see blanks, as in every LHA decoder.
    std::vector<uint8_t> dictionary(dictionarySize, ' ');
    std::vector<uint8_t> chunk;
    chunk.reserve(65536);
    size_t at = 0;
    uint64_t left = originalSize;
    auto put = [&](uint8_t byte) {
        dictionary[at] = byte;
        at = (at + 1) & mask;
        chunk.push_back(byte);
        if (chunk.size() == 65536) {
            receive(chunk.data(), chunk.size());
            chunk.clear();
        }
    };

    LzhDecoder decoder(method, packed, packedSize);
    while (left > 0) {
        int code = decoder.NextCode();
        if (code < 256) {
            put(static_cast<uint8_t>(code));
            --left;
            continue;
        }
        uint64_t length = static_cast<uint64_t>(code - 256 + kMinMatch);
        size_t from = (at - decoder.NextDistance() - 1) & mask;
        if (length > left) throw LhaError("compressed data run past the end of the file");
        for (uint64_t i = 0; i < length; ++i) {
            put(dictionary[from]);
            from = (from + 1) & mask;
        }
        left -= length;
    }
    if (!chunk.empty()) receive(chunk.data(), chunk.size());
}

} // namespace tarvel::setup
