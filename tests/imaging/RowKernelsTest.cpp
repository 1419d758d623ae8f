#include "CpuFeatures.h"
#include "DetectRow.h"
#include "GrayRow.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int kWidths[] = {0, 1, 2, 31, 32, 33, 63, 64, 65, 95, 320, 1001};

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

using GrayKernel = void (*)(std::uint8_t*, int);
using DetectKernel = void (*)(const std::uint8_t*, const std::uint8_t*, std::uint8_t*, int, int);

// Runs `kernel` and the reference on the same random rows, with guard bytes
// after the row that no kernel may change.
void ExpectGrayMatchesReference(GrayKernel kernel) {
    std::mt19937 random(1234);
    for (const int width : kWidths) {
        for (int round = 0; round < 20; ++round) {
            std::vector<std::uint8_t> expected = RandomBytes(random, 3 * width + 16);
            std::vector<std::uint8_t> actual = expected;
            GrayRowReference(expected.data(), width);
            kernel(actual.data(), width);
            ASSERT_EQ(actual, expected) << "width " << width;
        }
    }
    // Every sum of three bytes, 0 to 765, once.
    std::vector<std::uint8_t> sums;
    for (int s = 0; s <= 765; ++s) {
        const int b = std::min(s, 255);
        const int g = std::min(s - b, 255);
        sums.insert(sums.end(), {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                                 static_cast<std::uint8_t>(s - b - g)});
    }
    std::vector<std::uint8_t> expected = sums;
    GrayRowReference(expected.data(), 766);
    kernel(sums.data(), 766);
    EXPECT_EQ(sums, expected);
}

void ExpectDetectMatchesReference(DetectKernel kernel) {
    std::mt19937 random(99);
    for (const int width : kWidths) {
        for (const int threshold : {-1, 0, 1, 7, 100, 254, 255, 256}) {
            const std::size_t n = 3 * width + 16;
            const std::vector<std::uint8_t> current = RandomBytes(random, n);
            std::vector<std::uint8_t> background = RandomBytes(random, n);
            // Bring some pixels close, so both sides of small thresholds occur.
            for (std::size_t i = 0; i + 3 <= n; i += 6) {
                background[i] = static_cast<std::uint8_t>(current[i] + (random() % 5) - 2);
            }
            std::vector<std::uint8_t> expected = RandomBytes(random, n);
            std::vector<std::uint8_t> actual = expected;
            DetectRowReference(current.data(), background.data(), expected.data(), width, threshold);
            kernel(current.data(), background.data(), actual.data(), width, threshold);
            ASSERT_EQ(actual, expected) << "width " << width << ", threshold " << threshold;
        }
    }
}

}  // namespace

TEST(RowKernels, DispatchedKernelsMatchTheReference) {
    ExpectGrayMatchesReference(GrayRow);
    ExpectDetectMatchesReference(DetectRow);
}

#if defined(__x86_64__) || defined(__i386__)
TEST(RowKernels, Avx2KernelsMatchTheReference) {
    if (!CpuHasAvx2()) GTEST_SKIP() << "this processor has no AVX2";
    ExpectGrayMatchesReference(GrayRowAvx2);
    ExpectDetectMatchesReference(DetectRowAvx2);
}
#endif
