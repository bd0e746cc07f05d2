#include "Adler32.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarvel {

namespace {

constexpr uint32_t kBase = 65521;

void addBytes(uint32_t& a, uint32_t& b, const uint8_t* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        a += data[i];
        b += a;
    }
}

} // namespace

uint32_t Adler32(uint32_t adler, const uint8_t* data, size_t length) {
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
#if defined(__SSE2__)
    // Per block of 16 bytes x0..x15: a grows by their sum, b by 16 times a before the block plus
    // 16 x0 + 15 x1 + ... + 1 x15. Blocks are summed in vectors and folded in every few thousand
    // bytes, before any lane can overflow.
    const __m128i zero = _mm_setzero_si128();
    const __m128i weightsLow = _mm_set_epi16(9, 10, 11, 12, 13, 14, 15, 16);
    const __m128i weightsHigh = _mm_set_epi16(1, 2, 3, 4, 5, 6, 7, 8);
    constexpr size_t kBlocksPerFold = 346;
    while (length >= 16) {
        const size_t blocks = std::min<size_t>(length / 16, kBlocksPerFold);
        __m128i sums = zero, sumsBefore = zero, weighted = zero;
        for (size_t i = 0; i < blocks; ++i, data += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
            sumsBefore = _mm_add_epi32(sumsBefore, sums);
            sums = _mm_add_epi32(sums, _mm_sad_epu8(v, zero));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(v, zero), weightsLow));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(v, zero), weightsHigh));
        }
        alignas(16) uint32_t lanes[3][4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes[0]), sums);
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes[1]), sumsBefore);
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes[2]), weighted);
        const uint64_t sum = uint64_t(lanes[0][0]) + lanes[0][2];
        const uint64_t before = uint64_t(lanes[1][0]) + lanes[1][2];
        const uint64_t weight = uint64_t(lanes[2][0]) + lanes[2][1] + lanes[2][2] + lanes[2][3];
        b = uint32_t((b + uint64_t(blocks) * 16 * a + 16 * before + weight) % kBase);
        a = uint32_t((a + sum) % kBase);
        length -= blocks * 16;
    }
#endif
    while (length > 0) {
        // 5552 bytes is the most that keeps b within 32 bits before the modulo.
        const size_t n = length < 5552 ? length : 5552;
        addBytes(a, b, data, n);
        a %= kBase;
        b %= kBase;
        data += n;
        length -= n;
    }
    return b << 16 | a;
}

} // namespace tarvel
