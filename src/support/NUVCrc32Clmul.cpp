// CRC-32 by folding with carry-less multiplication: four 128-bit lanes take 64 bytes per step,
// then fold into one lane, reduce to 64 bits and finish with a Barrett reduction. The
// constants are powers of x modulo the (bit-reflected) polynomial.
#include "support/NUVCrc32Impl.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define NUV_CRC_TARGET __attribute__((target("pclmul,sse4.1")))
#endif

namespace kelvane::crc32 {

#if defined(__x86_64__) || defined(__i386__)

namespace {

alignas(16) constexpr std::uint64_t kK1K2[2] = {0x0154442bd4, 0x01c6e41596};
alignas(16) constexpr std::uint64_t kK3K4[2] = {0x01751997d0, 0x00ccaa009e};
alignas(16) constexpr std::uint64_t kK5K0[2] = {0x0163cd6124, 0x0000000000};
alignas(16) constexpr std::uint64_t kPoly[2] = {0x01db710641, 0x01f7011641};

NUV_CRC_TARGET __m128i Load(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

NUV_CRC_TARGET __m128i Fold(__m128i lane, __m128i k, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(lane, k, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

// `length` is at least 64 and a multiple of 16.
NUV_CRC_TARGET std::uint32_t FoldBlocks(std::uint32_t state, const unsigned char* data,
                                        std::size_t length) {
    __m128i x1 = _mm_xor_si128(Load(data), _mm_cvtsi32_si128(static_cast<int>(state)));
    __m128i x2 = Load(data + 16);
    __m128i x3 = Load(data + 32);
    __m128i x4 = Load(data + 48);
    data += 64;
    length -= 64;

    const __m128i k1k2 = _mm_load_si128(reinterpret_cast<const __m128i*>(kK1K2));
    while (length >= 64) {
        x1 = Fold(x1, k1k2, Load(data));
        x2 = Fold(x2, k1k2, Load(data + 16));
        x3 = Fold(x3, k1k2, Load(data + 32));
        x4 = Fold(x4, k1k2, Load(data + 48));
        data += 64;
        length -= 64;
    }

    const __m128i k3k4 = _mm_load_si128(reinterpret_cast<const __m128i*>(kK3K4));
    x1 = Fold(x1, k3k4, x2);
    x1 = Fold(x1, k3k4, x3);
    x1 = Fold(x1, k3k4, x4);
    while (length >= 16) {
        x1 = Fold(x1, k3k4, Load(data));
        data += 16;
        length -= 16;
    }

    // 128 bits to 64.
    const __m128i mask32 = _mm_setr_epi32(~0, 0, ~0, 0);
    __m128i x2b = _mm_clmulepi64_si128(x1, k3k4, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2b);
    const __m128i k5k0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kK5K0));
    x2b = _mm_srli_si128(x1, 4);
    x1 = _mm_clmulepi64_si128(_mm_and_si128(x1, mask32), k5k0, 0x00);
    x1 = _mm_xor_si128(x1, x2b);

    // Barrett reduction to 32 bits.
    const __m128i poly = _mm_load_si128(reinterpret_cast<const __m128i*>(kPoly));
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, mask32), poly, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, mask32), poly, 0x00);
    x1 = _mm_xor_si128(x1, t);
    return static_cast<std::uint32_t>(_mm_extract_epi32(x1, 1));
}

}  // namespace

bool ClmulAvailable() {
    static const bool available =
        __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return available;
}

std::uint32_t UpdateClmul(std::uint32_t state, const unsigned char* data, std::size_t length) {
    if (length >= 64) {
        const std::size_t folded = length & ~static_cast<std::size_t>(15);
        state = FoldBlocks(state, data, folded);
        data += folded;
        length -= folded;
    }
    return UpdateTables(state, data, length);
}

#else

bool ClmulAvailable() {
    return false;
}

std::uint32_t UpdateClmul(std::uint32_t state, const unsigned char* data, std::size_t length) {
    return UpdateTables(state, data, length);
}

#endif

}  // namespace kelvane::crc32
