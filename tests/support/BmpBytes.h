#pragma once

#include "BitmapInfoHeader.h"

#include <cstdint>
#include <span>
#include <vector>

// Builders of real bitmap file bytes for tests, fuzz seeds and benchmarks.
namespace bmp_bytes {

struct Bgr {
    std::uint8_t b, g, r;
    bool operator==(const Bgr&) const = default;
};

// A picture with no symmetry: every pixel differs from its mirror images and
// its three bytes differ from each other, so a flip or a byte swap shows.
Bgr PatternPixel(int x, int y);

// Bytes per stored row of a 24-bit picture, padding included.
std::size_t Stride24(int width);

// An uncompressed 24-bit info header; `height` < 0 means top-down rows.
BITMAPINFOHEADER Info24(int width, int height);

// The stored pixel rows of the pattern for `info` (its width and the sign of
// its height), padding bytes zero.
std::vector<std::uint8_t> PatternRows(const BITMAPINFOHEADER& info);

// A file: 14-byte file header with `offBits`, the 40-byte `info`, zeros up to
// `offBits`, then `pixels`. `offBits` 0 means right after the headers.
std::vector<std::uint8_t> File(const BITMAPINFOHEADER& info, std::span<const std::uint8_t> pixels,
                               std::uint32_t offBits = 0);

// The format header's 40 bytes as a capture driver hands them over.
std::vector<std::uint8_t> FormatBytes(const BITMAPINFOHEADER& info);

}  // namespace bmp_bytes
