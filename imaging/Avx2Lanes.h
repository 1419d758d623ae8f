#pragma once

// Helpers of the AVX2 row kernels. A kernel step covers 96 bytes (32 pixels
// of 3 bytes): the low 128-bit lane of each register carries bytes 0..47 and
// the high lane bytes 48..95, so each lane starts on a pixel boundary and the
// in-lane byte shuffles never have to cross lanes. Only for x86 and only to be
// included by the files of AVX2 kernels.

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <array>
#include <cstdint>

#define BGDIFF_AVX2 __attribute__((target("avx2")))

namespace avx2_lanes {

using Table = std::array<std::uint8_t, 16>;
inline constexpr std::uint8_t kZero = 0x80;  // a shuffle index that yields 0

// Register k (0..2) of a step: bytes 16k..16k+15 of each 48-byte half.
BGDIFF_AVX2 static inline __m256i Load(const std::uint8_t* step, int k) {
    const auto* low = reinterpret_cast<const __m128i*>(step + 16 * k);
    const auto* high = reinterpret_cast<const __m128i*>(step + 48 + 16 * k);
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(low)),
                                   _mm_loadu_si128(high), 1);
}

BGDIFF_AVX2 static inline void Store(std::uint8_t* step, int k, __m256i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(step + 16 * k), _mm256_castsi256_si128(value));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(step + 48 + 16 * k),
                     _mm256_extracti128_si256(value, 1));
}

// The same 16-byte shuffle table in both lanes.
BGDIFF_AVX2 static inline __m256i Broadcast(const Table& table) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table.data())));
}

}  // namespace avx2_lanes

#endif
