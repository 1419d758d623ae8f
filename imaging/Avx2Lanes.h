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

// The three registers of a step, register k holding bytes 16k..16k+15 of
// each 48-byte half. Whole 32-byte loads regrouped by a blend, a lane swap
// and a blend cost fewer shuffles than six 16-byte loads into lanes.
struct Step {
    __m256i r[3];
};

// The 96 bytes of a step in memory order: bytes 0..31, 32..63, 64..95.
struct Bytes {
    __m256i y[3];
};

BGDIFF_AVX2 static inline Bytes LoadBytes(const std::uint8_t* step) {
    const auto* p = reinterpret_cast<const __m256i*>(step);
    return {{_mm256_loadu_si256(p), _mm256_loadu_si256(p + 1), _mm256_loadu_si256(p + 2)}};
}

BGDIFF_AVX2 static inline Step Split(const Bytes& b) {
    return {{_mm256_blend_epi32(b.y[0], b.y[1], 0xF0), _mm256_permute2x128_si256(b.y[0], b.y[2], 0x21),
             _mm256_blend_epi32(b.y[1], b.y[2], 0xF0)}};
}

BGDIFF_AVX2 static inline Step Load(const std::uint8_t* step) { return Split(LoadBytes(step)); }

BGDIFF_AVX2 static inline void Store(std::uint8_t* step, const Step& s) {
    auto* p = reinterpret_cast<__m256i*>(step);
    _mm256_storeu_si256(p, _mm256_permute2x128_si256(s.r[0], s.r[1], 0x20));
    _mm256_storeu_si256(p + 1, _mm256_blend_epi32(s.r[2], s.r[0], 0xF0));
    _mm256_storeu_si256(p + 2, _mm256_permute2x128_si256(s.r[1], s.r[2], 0x31));
}

// The same 16-byte shuffle table in both lanes.
BGDIFF_AVX2 static inline __m256i Broadcast(const Table& table) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table.data())));
}

}  // namespace avx2_lanes

#endif
