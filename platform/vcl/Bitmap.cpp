#include "Bitmap.h"

#include "BmpReader.h"
#include "Exception.h"
#include "MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

namespace {

int BytesPerPixelOf(TPixelFormat format) { return format == pf24bit ? 3 : 4; }

std::size_t StrideOf(int width, TPixelFormat format) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * BytesPerPixelOf(format);
    return (rowBytes + 3) & ~std::size_t{3};
}

void CheckSide(const char* name, int value) {
    if (value < 0 || value > kMaxBitmapSide) {
        throw Exception(std::string("bitmap ") + name + " " + std::to_string(value) + " is outside 0 to " +
                        std::to_string(kMaxBitmapSide));
    }
}

}  // namespace

void TBitmap::SetWidth(int width) {
    CheckSide("width", width);
    Reshape(width, height_, format_);
}

void TBitmap::SetHeight(int height) {
    CheckSide("height", height);
    Reshape(width_, height, format_);
}

void TBitmap::SetPixelFormat(TPixelFormat format) { Reshape(width_, height_, format); }

// Builds the new pixel block beside the old one, so that an allocation
// failure leaves the bitmap untouched, then copies what both shapes share.
void TBitmap::Reshape(int width, int height, TPixelFormat format) {
    if (width == width_ && height == height_ && format == format_) return;
    const std::size_t stride = StrideOf(width, format);
    decltype(pixels_) pixels(stride * static_cast<std::size_t>(height), 0);
    const int columns = std::min(width, width_);
    const int rows = columns > 0 ? std::min(height, height_) : 0;
    const int oldBpp = BytesPerPixel();
    const int newBpp = BytesPerPixelOf(format);
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* from = ScanLine(y);
        std::uint8_t* to = pixels.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        if (oldBpp == newBpp) {
            std::memcpy(to, from, static_cast<std::size_t>(columns) * newBpp);
            continue;
        }
        // Between 3 and 4 bytes per pixel the colour bytes are kept and the
        // fourth byte is dropped or left zero.
        for (int x = 0; x < columns; ++x) std::memcpy(to + x * newBpp, from + x * oldBpp, 3);
    }
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
    format_ = format;
    stride_ = stride;
}

void TBitmap::LoadFromStream(TMemoryStream& stream) {
    const std::size_t position = std::min(stream.Position(), stream.Size());
    const auto* start = static_cast<const std::uint8_t*>(stream.Memory());
    const std::span<const std::uint8_t> file =
        start ? std::span<const std::uint8_t>(start + position, stream.Size() - position)
              : std::span<const std::uint8_t>();
    const BmpLayout layout = ReadBmpLayout(file);

    // Everything that can fail is behind us but the allocation; the bitmap's
    // own storage is reused when the shape stays, which is the common case
    // of one frame after another.
    const std::size_t bytes = layout.stride * static_cast<std::size_t>(layout.height);
    if (pixels_.size() != bytes) {
        decltype(pixels_) pixels(bytes);
        pixels_ = std::move(pixels);
    }
    const std::uint8_t* source = file.data() + layout.pixelOffset;
    if (!layout.topDown) {
        std::memcpy(pixels_.data(), source, bytes);
    } else {
        for (int y = 0; y < layout.height; ++y) {
            std::memcpy(pixels_.data() + static_cast<std::size_t>(layout.height - 1 - y) * layout.stride,
                        source + static_cast<std::size_t>(y) * layout.stride, layout.stride);
        }
    }
    width_ = layout.width;
    height_ = layout.height;
    format_ = pf24bit;
    stride_ = layout.stride;
    stream.SetPosition(position + layout.pixelOffset + bytes);
}

void TBitmap::ThrowRowOutOfRange(int row) const {
    throw Exception("scan line " + std::to_string(row) + " is out of range: the bitmap has " +
                    std::to_string(height_) + " rows");
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) {
        TBitmap copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void TBitmap::Assign(const TBitmap& other) { *this = other; }
