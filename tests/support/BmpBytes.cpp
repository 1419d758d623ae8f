#include "BmpBytes.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace bmp_bytes {

Bgr PatternPixel(int x, int y) {
    return {static_cast<std::uint8_t>(7 * x + 3 * y + 1), static_cast<std::uint8_t>(5 * x + 11 * y + 60),
            static_cast<std::uint8_t>(2 * x + 13 * y * y + 130)};
}

std::size_t Stride24(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

BITMAPINFOHEADER Info24(int width, int height) {
    BITMAPINFOHEADER info{};
    info.biSize = 40;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage =
        static_cast<DWORD>(Stride24(width) * static_cast<std::size_t>(height < 0 ? -height : height));
    return info;
}

std::vector<std::uint8_t> PatternRows(const BITMAPINFOHEADER& info) {
    const int width = info.biWidth;
    const int rows = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    const std::size_t stride = Stride24(width);
    std::vector<std::uint8_t> bytes(stride * rows, 0);
    for (int y = 0; y < rows; ++y) {
        const int stored = info.biHeight < 0 ? y : rows - 1 - y;
        for (int x = 0; x < width; ++x) {
            const Bgr p = PatternPixel(x, y);
            std::uint8_t* at = bytes.data() + stored * stride + 3 * x;
            at[0] = p.b;
            at[1] = p.g;
            at[2] = p.r;
        }
    }
    return bytes;
}

std::vector<std::uint8_t> File(const BITMAPINFOHEADER& info, std::span<const std::uint8_t> pixels,
                               std::uint32_t offBits) {
    if (offBits == 0) offBits = 54;
    std::vector<std::uint8_t> bytes(std::max<std::size_t>(offBits, 54) + pixels.size(), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    little_endian::WriteU32(bytes.data() + 2, static_cast<std::uint32_t>(bytes.size()));
    little_endian::WriteU32(bytes.data() + 10, offBits);
    std::memcpy(bytes.data() + 14, &info, sizeof info);
    std::copy(pixels.begin(), pixels.end(), bytes.end() - static_cast<std::ptrdiff_t>(pixels.size()));
    return bytes;
}

std::vector<std::uint8_t> FormatBytes(const BITMAPINFOHEADER& info) {
    std::vector<std::uint8_t> bytes(sizeof info);
    std::memcpy(bytes.data(), &info, sizeof info);
    return bytes;
}

}  // namespace bmp_bytes
