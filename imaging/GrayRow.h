#pragma once

#include <cstdint>

// Turns `width` 24-bit pixels of one row to gray in place: each pixel's three
// bytes become (b0 + b1 + b2) / 3, truncated. The row must hold 3 * width bytes.
void GrayRow(std::uint8_t* row, int width);

// The plain kernel, one pixel at a time; the one the others must match.
void GrayRowReference(std::uint8_t* row, int width);

#if defined(__x86_64__) || defined(__i386__)
// 32 pixels at a time with AVX2; only on a processor for which CpuHasAvx2().
void GrayRowAvx2(std::uint8_t* row, int width);
#endif
