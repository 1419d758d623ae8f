#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "CacheLineAllocator.h"

class TMemoryStream;

// pfDevice is the depth of a new bitmap: 32 bits per pixel, as on a
// true-colour screen. pf24bit pixels are 3 bytes: blue, green, red.
enum TPixelFormat { pfDevice, pf24bit, pf32bit };

// A picture of Width x Height pixels, reached row by row through ScanLine.
// Row 0 is the top row; in memory the rows lie bottom-up, as in a bitmap
// file, so a bottom-up file loads in one copy. Copies are independent values.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(const TBitmap&) = default;
    TBitmap(TBitmap&&) noexcept = default;
    // A failed copy leaves the bitmap as it was.
    TBitmap& operator=(const TBitmap& other);
    TBitmap& operator=(TBitmap&&) noexcept = default;

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    TPixelFormat PixelFormat() const noexcept { return format_; }
    bool Empty() const noexcept { return width_ == 0 || height_ == 0; }
    int BytesPerPixel() const noexcept { return format_ == pf24bit ? 3 : 4; }
    // Bytes per stored row: rows are padded to a multiple of 4 bytes.
    std::size_t Stride() const noexcept { return stride_; }

    // Resizing keeps the pixels the old and new sizes share; new pixels are
    // black. A negative size or one over kMaxBitmapSide raises Exception.
    void SetWidth(int width);
    void SetHeight(int height);
    // Converts the pixels to the new depth, keeping their colours.
    void SetPixelFormat(TPixelFormat format);

    // Replaces size, depth and pixels with the bitmap file at the stream's
    // position, and moves the position past its pixel data. On any error
    // raises Exception and leaves the bitmap and the stream's position as they were.
    void LoadFromStream(TMemoryStream& stream);

    // The first byte of row `row`; a row outside 0 .. Height - 1 raises Exception.
    std::uint8_t* ScanLine(int row) {
        if (row < 0 || row >= height_) ThrowRowOutOfRange(row);
        return pixels_.data() + static_cast<std::size_t>(height_ - 1 - row) * stride_;
    }
    const std::uint8_t* ScanLine(int row) const { return const_cast<TBitmap*>(this)->ScanLine(row); }

    // Takes a copy of the other bitmap's size, depth and pixels.
    void Assign(const TBitmap& other);

private:
    void Reshape(int width, int height, TPixelFormat format);
    [[noreturn]] void ThrowRowOutOfRange(int row) const;

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pfDevice;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t, CacheLineAllocator<std::uint8_t>> pixels_;
};
