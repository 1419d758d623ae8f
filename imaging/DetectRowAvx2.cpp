#include "DetectRow.h"

#if defined(__x86_64__) || defined(__i386__)

#include "Avx2Lanes.h"

namespace {

using avx2_lanes::Table;

// For register k of a 48-byte lane (bytes 16k..16k+15), the index of the first
// byte of each byte's pixel, counted from byte `origin`.
constexpr Table FirstByteOfPixel(int k, int origin) {
    Table table{};
    for (int m = 0; m < 16; ++m) {
        const int byte = 16 * k + m;
        table[m] = static_cast<std::uint8_t>(byte - byte % 3 - origin);
    }
    return table;
}

// Per byte: b where |c - b| <= threshold, else 0. Only the first byte of each
// pixel is kept in the end; computing all bytes costs no more than picking.
BGDIFF_AVX2 inline __m256i Keep(__m256i current, __m256i background, __m256i threshold) {
    const __m256i difference =
        _mm256_or_si256(_mm256_subs_epu8(current, background), _mm256_subs_epu8(background, current));
    const __m256i within = _mm256_cmpeq_epi8(_mm256_subs_epu8(difference, threshold), _mm256_setzero_si256());
    return _mm256_and_si256(within, background);
}

}  // namespace

BGDIFF_AVX2 void DetectRowAvx2(const std::uint8_t* current, const std::uint8_t* background,
                               std::uint8_t* result, int width, int threshold) {
    using avx2_lanes::Broadcast;
    using avx2_lanes::LoadBytes;
    using avx2_lanes::Split;
    using avx2_lanes::Store;

    // Byte compares cover thresholds 0..255; others are all-black or
    // all-background and rare enough for the plain kernel.
    if (threshold < 0 || threshold > 255) {
        DetectRowReference(current, background, result, width, threshold);
        return;
    }
    const __m256i limit = _mm256_set1_epi8(static_cast<char>(threshold));
    // Registers 1 and 2 start inside a pixel whose first byte lies 1 or 2 bytes
    // back, in the register before; alignr brings that byte in front.
    const __m256i spread0 = Broadcast(FirstByteOfPixel(0, 0));
    const __m256i spread1 = Broadcast(FirstByteOfPixel(1, 15));
    const __m256i spread2 = Broadcast(FirstByteOfPixel(2, 30));

    int x = 0;
    for (; x + 32 <= width; x += 32) {
        const std::size_t offset = 3 * static_cast<std::size_t>(x);
        // Keep works byte by byte, so it runs on the bytes as loaded and only
        // its result is regrouped into lanes.
        const avx2_lanes::Bytes c = LoadBytes(current + offset);
        const avx2_lanes::Bytes b = LoadBytes(background + offset);
        const avx2_lanes::Step v =
            Split({{Keep(c.y[0], b.y[0], limit), Keep(c.y[1], b.y[1], limit), Keep(c.y[2], b.y[2], limit)}});
        const __m256i v0 = v.r[0];
        const __m256i v1 = v.r[1];
        const __m256i v2 = v.r[2];
        Store(result + offset, {{_mm256_shuffle_epi8(v0, spread0),
                                 _mm256_shuffle_epi8(_mm256_alignr_epi8(v1, v0, 15), spread1),
                                 _mm256_shuffle_epi8(_mm256_alignr_epi8(v2, v1, 14), spread2)}});
    }
    const std::size_t done = 3 * static_cast<std::size_t>(x);
    DetectRowReference(current + done, background + done, result + done, width - x, threshold);
}

#endif
