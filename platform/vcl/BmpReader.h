#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Where the pixels of a bitmap file lie and how they are laid out. Only the
// uncompressed 24-bit form is described: 3 bytes per pixel (blue, green, red),
// rows padded to a multiple of 4 bytes.
struct BmpLayout {
    int width = 0;
    int height = 0;               // number of rows, always positive
    bool topDown = false;         // true when the file's first row is the top row
    std::size_t pixelOffset = 0;  // from the start of the file
    std::size_t stride = 0;       // bytes per stored row, padding included
};

// The largest width or height a bitmap may have.
inline constexpr int kMaxBitmapSide = 32768;

// Checks the 14-byte file header and the info header of the bitmap file that
// `file` starts with, and that all of its pixel rows are present. Raises
// Exception naming the field and value at the first thing that is wrong.
BmpLayout ReadBmpLayout(std::span<const std::uint8_t> file);
