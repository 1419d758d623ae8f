#pragma once

#include "BaseTypes.h"

#include <bit>
#include <cstddef>

// The leading 40 bytes of a video format and of a bitmap file's info header.
// Held in memory exactly as it is stored in a file: the fields are naturally
// aligned, so the struct has no padding, and the hosts we build for are
// little-endian.
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: rows stored bottom-up; negative: top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;  // bytes of pixel data in one frame
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(offsetof(BITMAPINFOHEADER, biSizeImage) == 20);
static_assert(offsetof(BITMAPINFOHEADER, biClrImportant) == 36);
static_assert(std::endian::native == std::endian::little,
              "BITMAPINFOHEADER is copied to and from little-endian bytes as it stands");

inline constexpr DWORD BI_RGB = 0;
