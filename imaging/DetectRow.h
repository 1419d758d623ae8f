#pragma once

#include <cstdint>

// The background difference of one row of `width` 24-bit pixels. With c and b
// the first byte of the current and the background pixel: when |c - b| is
// greater than `threshold` the result pixel is black, otherwise all three of
// its bytes are b. Each row must hold 3 * width bytes; `result` must not
// overlap the inputs.
void DetectRow(const std::uint8_t* current, const std::uint8_t* background, std::uint8_t* result, int width,
               int threshold);

// The plain kernel, one pixel at a time; the one the others must match.
void DetectRowReference(const std::uint8_t* current, const std::uint8_t* background, std::uint8_t* result,
                        int width, int threshold);

#if defined(__x86_64__) || defined(__i386__)
// 32 pixels at a time with AVX2; only on a processor for which CpuHasAvx2().
void DetectRowAvx2(const std::uint8_t* current, const std::uint8_t* background, std::uint8_t* result,
                   int width, int threshold);
#endif
