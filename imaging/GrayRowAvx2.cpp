#include "GrayRow.h"

#if defined(__x86_64__) || defined(__i386__)

#include "Avx2Lanes.h"

namespace {

using avx2_lanes::kZero;
using avx2_lanes::Table;

// Gathers, for the eight pixels 8 * half .. 8 * half + 7 of a 48-byte lane,
// byte `first` and byte `second` (or zero when `second` < 0) of each pixel
// into one 16-bit word, taking only the bytes that register k holds.
constexpr Table Gather(int half, int k, int first, int second) {
    Table table{};
    for (int i = 0; i < 8; ++i) {
        const int pixel = 3 * (8 * half + i);
        const int low = pixel + first - 16 * k;
        const int high = second < 0 ? -1 : pixel + second - 16 * k;
        table[2 * i] = low >= 0 && low < 16 ? static_cast<std::uint8_t>(low) : kZero;
        table[2 * i + 1] = high >= 0 && high < 16 ? static_cast<std::uint8_t>(high) : kZero;
    }
    return table;
}

// Spreads 16 gray bytes over the 48 bytes of their pixels; register k gets bytes
// 16k..16k+15.
constexpr Table Spread(int k) {
    Table table{};
    for (int m = 0; m < 16; ++m) table[m] = static_cast<std::uint8_t>((16 * k + m) / 3);
    return table;
}

// Sums of the three bytes of eight pixels as 16-bit words: blue and green are
// paired and added by one multiply-add, red joins as a word of its own.
BGDIFF_AVX2 inline __m256i PixelSums(__m256i a, __m256i b, const __m256i* masks) {
    const __m256i blueGreen =
        _mm256_or_si256(_mm256_shuffle_epi8(a, masks[0]), _mm256_shuffle_epi8(b, masks[1]));
    const __m256i red = _mm256_or_si256(_mm256_shuffle_epi8(a, masks[2]), _mm256_shuffle_epi8(b, masks[3]));
    return _mm256_add_epi16(_mm256_maddubs_epi16(blueGreen, _mm256_set1_epi8(1)), red);
}

}  // namespace

// Division by 3 is a high multiply: (sum * 21846) >> 16 equals sum / 3 for
// every sum up to 3 * 255, because 21846 = (2^16 + 2) / 3 and the excess
// 2 * sum / (3 * 2^16) stays below 1/3.
BGDIFF_AVX2 void GrayRowAvx2(std::uint8_t* row, int width) {
    using avx2_lanes::Broadcast;
    using avx2_lanes::Load;
    using avx2_lanes::Store;

    const __m256i low[4] = {Broadcast(Gather(0, 0, 0, 1)), Broadcast(Gather(0, 1, 0, 1)),
                            Broadcast(Gather(0, 0, 2, -1)), Broadcast(Gather(0, 1, 2, -1))};
    const __m256i high[4] = {Broadcast(Gather(1, 1, 0, 1)), Broadcast(Gather(1, 2, 0, 1)),
                             Broadcast(Gather(1, 1, 2, -1)), Broadcast(Gather(1, 2, 2, -1))};
    const __m256i spread[3] = {Broadcast(Spread(0)), Broadcast(Spread(1)), Broadcast(Spread(2))};
    const __m256i third = _mm256_set1_epi16(21846);

    int x = 0;
    for (; x + 32 <= width; x += 32) {
        std::uint8_t* step = row + 3 * x;
        const avx2_lanes::Step in = Load(step);
        const __m256i grayLow = _mm256_mulhi_epu16(PixelSums(in.r[0], in.r[1], low), third);
        const __m256i grayHigh = _mm256_mulhi_epu16(PixelSums(in.r[1], in.r[2], high), third);
        const __m256i gray = _mm256_packus_epi16(grayLow, grayHigh);
        Store(step, {{_mm256_shuffle_epi8(gray, spread[0]), _mm256_shuffle_epi8(gray, spread[1]),
                      _mm256_shuffle_epi8(gray, spread[2])}});
    }
    GrayRowReference(row + 3 * x, width - x);
}

#endif
