#include "BmpReader.h"

#include "Exception.h"
#include "LittleEndian.h"

#include <climits>
#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;

[[noreturn]] void Fail(const std::string& what) { throw Exception("cannot load bitmap: " + what); }

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// A compression field is often a FourCC such as 'MJPG'; show it as one when
// all four bytes are printable, so the message names the driver's format.
std::string DescribeCompression(std::uint32_t compression) {
    std::string text = Hex(compression);
    std::string fourcc;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>(compression >> (8 * i));
        if (c < 0x20 || c > 0x7E) return text;
        fourcc += c;
    }
    return text + " ('" + fourcc + "')";
}

}  // namespace

BmpLayout ReadBmpLayout(std::span<const std::uint8_t> file) {
    using little_endian::ReadI32;
    using little_endian::ReadU16;
    using little_endian::ReadU32;

    if (file.size() < kFileHeaderSize + kInfoHeaderSize) {
        Fail("the stream holds " + std::to_string(file.size()) +
             " bytes, fewer than the 54 of a file header and an info header");
    }
    const std::uint8_t* p = file.data();
    if (p[0] != 'B' || p[1] != 'M') {
        Fail("the file type is " + Hex(ReadU16(p)) + ", not \"BM\" (0x4D42)");
    }
    const std::uint32_t offBits = ReadU32(p + 10);
    const std::uint8_t* info = p + kFileHeaderSize;
    const std::uint32_t biSize = ReadU32(info);
    const std::int32_t width = ReadI32(info + 4);
    const std::int32_t height = ReadI32(info + 8);
    const std::uint16_t planes = ReadU16(info + 12);
    const std::uint16_t bitCount = ReadU16(info + 14);
    const std::uint32_t compression = ReadU32(info + 16);

    if (biSize < kInfoHeaderSize) {
        Fail("the info header size is " + std::to_string(biSize) + ", less than 40");
    }
    if (biSize > file.size() - kFileHeaderSize) {
        Fail("the info header size is " + std::to_string(biSize) + ", longer than the " +
             std::to_string(file.size() - kFileHeaderSize) + " bytes after the file header");
    }
    if (width <= 0) Fail("the width is " + std::to_string(width) + "; it must be positive");
    if (height == 0 || height == INT_MIN) {
        Fail("the height is " + std::to_string(height) + "; it must be nonzero and at most " +
             std::to_string(kMaxBitmapSide) + " either way");
    }
    if (planes != 1) Fail("the plane count is " + std::to_string(planes) + "; it must be 1");
    if (bitCount != 24) {
        Fail("the pixel depth is " + std::to_string(bitCount) + " bits; only 24 is supported");
    }
    if (compression != kBiRgb) {
        Fail("the compression is " + DescribeCompression(compression) +
             "; only uncompressed BI_RGB (0) is supported");
    }
    const std::int32_t rows = height < 0 ? -height : height;
    if (width > kMaxBitmapSide || rows > kMaxBitmapSide) {
        Fail("the size is " + std::to_string(width) + " x " + std::to_string(rows) +
             " pixels; neither side may exceed " + std::to_string(kMaxBitmapSide));
    }

    const std::size_t headersEnd = kFileHeaderSize + biSize;
    if (offBits < headersEnd) {
        Fail("the pixel data offset is " + std::to_string(offBits) + ", inside the headers that end at " +
             std::to_string(headersEnd));
    }
    if (offBits > file.size()) {
        Fail("the pixel data offset is " + std::to_string(offBits) + ", past the end of the " +
             std::to_string(file.size()) + "-byte stream");
    }

    // Both sides are capped above, but the products are still checked so the
    // arithmetic stays sound whatever the caps become.
    std::size_t rowBytes = 0;
    std::size_t pixelBytes = 0;
    if (__builtin_mul_overflow(static_cast<std::size_t>(width), std::size_t{3}, &rowBytes) ||
        __builtin_mul_overflow((rowBytes + 3) & ~std::size_t{3}, static_cast<std::size_t>(rows),
                               &pixelBytes)) {
        Fail("the size " + std::to_string(width) + " x " + std::to_string(rows) +
             " overflows the pixel byte count");
    }
    const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
    const std::size_t available = file.size() - offBits;
    if (available < pixelBytes) {
        Fail("the pixel data holds " + std::to_string(available) + " bytes; " + std::to_string(width) +
             " x " + std::to_string(rows) + " pixels at 24 bits need " + std::to_string(pixelBytes));
    }

    BmpLayout layout;
    layout.width = width;
    layout.height = rows;
    layout.topDown = height < 0;
    layout.pixelOffset = offBits;
    layout.stride = stride;
    return layout;
}
