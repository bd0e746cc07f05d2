#include "Lh5Encoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tarvel::unlha {

namespace {

// Alphabet sizes of the three Huffman tables of a block.
constexpr int kCodeCount = 256 + kMaxMatch - kMinMatch + 1; // literals, then match lengths (510)
constexpr int kCodeBits = 9;                                // bits of the literal/length table size
constexpr int kPositionCount = kDictionaryBits + 1;         // bit lengths of a match offset (14)
constexpr int kPositionBits = 4;
constexpr int kLengthCount = 16 + 3; // code lengths 0..16 plus three run codes for zero lengths
constexpr int kLengthBits = 5;
constexpr int kMaxCodeLength = 16;

constexpr int kHashBits = 15;
constexpr size_t kHashSize = size_t(1) << kHashBits;
// Twice the dictionary, so a chain link is never overwritten while it is still in reach.
constexpr size_t kChainSize = kDictionarySize * 2;
// A 3-byte match further back than this costs more bits than three literals.
constexpr size_t kTooFarForMinMatch = 4096;

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : mOut(out) {}

    // Writes the low count bits of value, most significant first (count <= 16).
    void Put(int count, uint32_t value) {
        if (count == 0) return;
        mBuffer = (mBuffer << count) | (value & ((1u << count) - 1));
        mCount += count;
        while (mCount >= 8) {
            mCount -= 8;
            mOut.push_back(static_cast<uint8_t>(mBuffer >> mCount));
        }
        mBuffer &= (1u << mCount) - 1;
    }
    void Flush() {
        if (mCount > 0) mOut.push_back(static_cast<uint8_t>(mBuffer << (8 - mCount)));
        mBuffer = 0;
        mCount = 0;
    }

private:
    std::vector<uint8_t>& mOut;
    uint32_t mBuffer = 0;
    int mCount = 0;
};

// Huffman code lengths (at most 16 bits, a complete code) for the symbols with a non-zero
// frequency. Returns how many symbols are used; when fewer than two are, every length is 0 and
// single receives the one used symbol (or 0), which the block then names instead of a table.
int BuildLengths(const uint32_t* freq, int n, uint8_t* lengths, int& single) {
    std::fill(lengths, lengths + n, uint8_t(0));
    std::array<int, kCodeCount> symbols{};
    int used = 0;
    for (int i = 0; i < n; ++i)
        if (freq[i] != 0) symbols[used++] = i;
    single = used == 1 ? symbols[0] : 0;
    if (used < 2) return used;

    // Leaves sorted by frequency, merged with the two-queue method; parents give the depths.
    std::sort(symbols.begin(), symbols.begin() + used,
              [freq](int a, int b) { return freq[a] != freq[b] ? freq[a] < freq[b] : a < b; });
    const int nodeCount = 2 * used - 1;
    std::array<uint64_t, 2 * kCodeCount> weight{};
    std::array<int, 2 * kCodeCount> parent{};
    for (int i = 0; i < used; ++i)
        weight[i] = freq[symbols[i]];
    int leaf = 0, inner = used, next = used;
    auto takeSmallest = [&]() {
        if (leaf < used && (inner >= next || weight[leaf] <= weight[inner])) return leaf++;
        return inner++;
    };
    while (next < nodeCount) {
        int a = takeSmallest();
        int b = takeSmallest();
        weight[next] = weight[a] + weight[b];
        parent[a] = parent[b] = next;
        ++next;
    }
    std::array<int, 2 * kCodeCount> depth{};
    depth[nodeCount - 1] = 0;
    for (int i = nodeCount - 2; i >= 0; --i)
        depth[i] = depth[parent[i]] + 1;

    // Count leaves per length, clamping to 16 bits; then restore a complete code by moving
    // leaves down from the deepest level until the lengths add up again.
    std::array<int, kMaxCodeLength + 2> count{};
    for (int i = 0; i < used; ++i)
        ++count[std::min(depth[i], kMaxCodeLength)];
    uint64_t kraft = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        kraft += uint64_t(count[len]) << (kMaxCodeLength - len);
    while (kraft > (uint64_t(1) << kMaxCodeLength)) {
        --count[kMaxCodeLength];
        for (int len = kMaxCodeLength - 1; len > 0; --len) {
            if (count[len] != 0) {
                --count[len];
                count[len + 1] += 2;
                break;
            }
        }
        --kraft;
    }
    // The shortest codes go to the most frequent symbols.
    int index = used - 1;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        for (int k = 0; k < count[len]; ++k)
            lengths[symbols[index--]] = static_cast<uint8_t>(len);
    return used;
}

// Canonical codes: shorter codes first, equal lengths in symbol order.
void BuildCodes(const uint8_t* lengths, int n, uint16_t* codes) {
    std::array<uint32_t, kMaxCodeLength + 2> count{}, start{};
    for (int i = 0; i < n; ++i)
        ++count[lengths[i]];
    start[1] = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        start[len + 1] = (start[len] + count[len]) << 1;
    for (int i = 0; i < n; ++i)
        codes[i] = lengths[i] ? static_cast<uint16_t>(start[lengths[i]]++) : 0;
}

struct Token {
    uint16_t code;   // literal byte, or 256 + length - 3
    uint16_t offset; // distance - 1 for a match
};

class BlockEncoder {
public:
    explicit BlockEncoder(std::vector<uint8_t>& out) : mBits(out) {}

    void Literal(uint8_t byte) { push({byte, 0}); }
    void Match(int length, size_t distance) {
        push({static_cast<uint16_t>(256 + length - kMinMatch), static_cast<uint16_t>(distance - 1)});
    }
    void Finish() {
        if (!mTokens.empty()) sendBlock();
        mBits.Flush();
    }

private:
    void push(Token token) {
        mTokens.push_back(token);
        if (mTokens.size() == kBlockCodes) sendBlock();
    }

    static int offsetBits(unsigned offset) {
        int bits = 0;
        while (offset) {
            offset >>= 1;
            ++bits;
        }
        return bits;
    }

    // Lengths of the literal/length table are sent through the small length table: runs of zero
    // lengths as codes 0 (one zero), 1 (3..18 zeros), 2 (20 and more), a length k as code k + 2.
    template <typename Visit>
    void forEachLengthCode(int n, Visit visit) const {
        int i = 0;
        while (i < n) {
            int k = mCodeLengths[i++];
            if (k != 0) {
                visit(k + 2, -1, 0);
                continue;
            }
            int count = 1;
            while (i < n && mCodeLengths[i] == 0) {
                ++i;
                ++count;
            }
            if (count <= 2) {
                for (int j = 0; j < count; ++j)
                    visit(0, -1, 0);
            } else if (count <= 18) {
                visit(1, 4, count - 3);
            } else if (count == 19) {
                visit(0, -1, 0);
                visit(1, 4, 15);
            } else {
                visit(2, kCodeBits, count - 20);
            }
        }
    }

    // A table of code lengths: 3 bits each, lengths above 6 as 7 followed by ones and a zero.
    // After entry special - 1 (the length table only), two bits skip up to three zero entries.
    void writeLengths(const uint8_t* lengths, int n, int countBits, int special) {
        while (n > 0 && lengths[n - 1] == 0)
            --n;
        mBits.Put(countBits, static_cast<uint32_t>(n));
        int i = 0;
        while (i < n) {
            int k = lengths[i++];
            if (k <= 6)
                mBits.Put(3, static_cast<uint32_t>(k));
            else
                mBits.Put(k - 3, (1u << (k - 3)) - 2);
            if (i == special) {
                while (i < 6 && lengths[i] == 0)
                    ++i;
                mBits.Put(2, static_cast<uint32_t>(i - 3));
            }
        }
    }

    void sendBlock() {
        std::array<uint32_t, kCodeCount> codeFreq{};
        std::array<uint32_t, kPositionCount> positionFreq{};
        for (const Token& t : mTokens) {
            ++codeFreq[t.code];
            if (t.code >= 256) ++positionFreq[offsetBits(t.offset)];
        }
        std::array<uint16_t, kCodeCount> codes{};
        int single = 0;
        mBits.Put(16, static_cast<uint32_t>(mTokens.size()));
        if (BuildLengths(codeFreq.data(), kCodeCount, mCodeLengths.data(), single) >= 2) {
            int n = kCodeCount;
            while (n > 0 && mCodeLengths[n - 1] == 0)
                --n;
            std::array<uint32_t, kLengthCount> lengthFreq{};
            forEachLengthCode(n, [&](int code, int, int) { ++lengthFreq[code]; });
            std::array<uint8_t, kLengthCount> lengthLengths{};
            std::array<uint16_t, kLengthCount> lengthCodes{};
            int lengthSingle = 0;
            if (BuildLengths(lengthFreq.data(), kLengthCount, lengthLengths.data(), lengthSingle) >= 2) {
                writeLengths(lengthLengths.data(), kLengthCount, kLengthBits, 3);
            } else {
                mBits.Put(kLengthBits, 0);
                mBits.Put(kLengthBits, static_cast<uint32_t>(lengthSingle));
            }
            BuildCodes(lengthLengths.data(), kLengthCount, lengthCodes.data());
            mBits.Put(kCodeBits, static_cast<uint32_t>(n));
            forEachLengthCode(n, [&](int code, int extraBits, int extra) {
                mBits.Put(lengthLengths[code], lengthCodes[code]);
                if (extraBits > 0) mBits.Put(extraBits, static_cast<uint32_t>(extra));
            });
            BuildCodes(mCodeLengths.data(), kCodeCount, codes.data());
        } else {
            mBits.Put(kLengthBits, 0);
            mBits.Put(kLengthBits, 0);
            mBits.Put(kCodeBits, 0);
            mBits.Put(kCodeBits, static_cast<uint32_t>(single));
        }

        std::array<uint8_t, kPositionCount> positionLengths{};
        std::array<uint16_t, kPositionCount> positionCodes{};
        if (BuildLengths(positionFreq.data(), kPositionCount, positionLengths.data(), single) >= 2) {
            writeLengths(positionLengths.data(), kPositionCount, kPositionBits, -1);
        } else {
            mBits.Put(kPositionBits, 0);
            mBits.Put(kPositionBits, static_cast<uint32_t>(single));
        }
        BuildCodes(positionLengths.data(), kPositionCount, positionCodes.data());

        for (const Token& t : mTokens) {
            mBits.Put(mCodeLengths[t.code], codes[t.code]);
            if (t.code < 256) continue;
            int bits = offsetBits(t.offset);
            mBits.Put(positionLengths[bits], positionCodes[bits]);
            if (bits > 1) mBits.Put(bits - 1, t.offset);
        }
        mTokens.clear();
    }

    BitWriter mBits;
    std::vector<Token> mTokens;
    std::array<uint8_t, kCodeCount> mCodeLengths{};
};

// Hash chains over the positions of the last 8 KiB.
class MatchFinder {
public:
    MatchFinder(const uint8_t* data, size_t size, const Lh5Effort& effort)
        : mData(data), mSize(size), mMaxChain(std::max(1, effort.maxChain)), mHead(kHashSize, -1),
          mChain(kChainSize, -1) {}

    struct Match {
        int length = 0;
        size_t distance = 0;
    };

    // The longest match for pos among earlier positions in reach (every earlier position is
    // entered in the chains first).
    Match Find(size_t pos) {
        while (mInserted < pos)
            insert(mInserted++);
        Match best;
        if (pos + kMinMatch > mSize) return best;
        const size_t maxLength = std::min<size_t>(kMaxMatch, mSize - pos);
        const size_t lowest = pos > kDictionarySize ? pos - kDictionarySize : 0;
        int64_t candidate = mHead[hash(pos)];
        int chain = mMaxChain;
        while (candidate >= static_cast<int64_t>(lowest) && chain-- > 0) {
            size_t from = static_cast<size_t>(candidate);
            if (mData[from + best.length] == mData[pos + best.length]) {
                size_t length = matchLength(from, pos, maxLength);
                if (length > static_cast<size_t>(best.length)) {
                    best.length = static_cast<int>(length);
                    best.distance = pos - from;
                    if (length == maxLength) break;
                }
            }
            int64_t next = mChain[from % kChainSize];
            if (next >= candidate) break;
            candidate = next;
        }
        if (best.length < kMinMatch || (best.length == kMinMatch && best.distance > kTooFarForMinMatch))
            best = Match{};
        return best;
    }

private:
    uint32_t hash(size_t pos) const {
        return ((uint32_t(mData[pos]) << 10) ^ (uint32_t(mData[pos + 1]) << 5) ^ mData[pos + 2]) &
               (kHashSize - 1);
    }
    void insert(size_t pos) {
        if (pos + kMinMatch > mSize) return;
        uint32_t h = hash(pos);
        mChain[pos % kChainSize] = mHead[h];
        mHead[h] = static_cast<int64_t>(pos);
    }
    size_t matchLength(size_t from, size_t pos, size_t maxLength) const {
        size_t length = 0;
        while (length + 8 <= maxLength) {
            uint64_t a, b;
            std::memcpy(&a, mData + from + length, 8);
            std::memcpy(&b, mData + pos + length, 8);
            if (a != b) return length + static_cast<size_t>(__builtin_ctzll(a ^ b) / 8);
            length += 8;
        }
        while (length < maxLength && mData[from + length] == mData[pos + length])
            ++length;
        return length;
    }

    const uint8_t* mData;
    size_t mSize;
    int mMaxChain;
    size_t mInserted = 0;
    std::vector<int64_t> mHead;
    std::vector<int64_t> mChain;
};

} // namespace

bool CompressLh5(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t giveUpAt,
                 const Lh5Effort& effort) {
    out.clear();
    BlockEncoder encoder(out);
    MatchFinder finder(data, size, effort);
    size_t pos = 0;
    MatchFinder::Match current = size > 0 ? finder.Find(0) : MatchFinder::Match{};
    while (pos < size) {
        if (out.size() >= giveUpAt) return false;
        if (current.length == 0) {
            encoder.Literal(data[pos]);
            ++pos;
            if (pos < size) current = finder.Find(pos);
            continue;
        }
        // One step of lazy matching: a longer match one byte on wins over this one.
        if (current.length < effort.lazyLimit && pos + 1 < size) {
            MatchFinder::Match next = finder.Find(pos + 1);
            if (next.length > current.length) {
                encoder.Literal(data[pos]);
                ++pos;
                current = next;
                continue;
            }
        }
        encoder.Match(current.length, current.distance);
        pos += static_cast<size_t>(current.length);
        current = pos < size ? finder.Find(pos) : MatchFinder::Match{};
    }
    encoder.Finish();
    return out.size() < giveUpAt;
}

} // namespace tarvel::unlha
