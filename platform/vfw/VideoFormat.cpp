#include "VideoFormat.h"

#include <cstring>

std::vector<FrameSize> StandardFrameSizes() { return {{160, 120}, {320, 240}, {640, 480}, {1280, 720}}; }

std::size_t DeliveredStride(const VideoFormat& format) {
    return (static_cast<std::size_t>(format.size.width) * format.bitCount + 31) / 32 * 4;
}

std::size_t DeliveredFrameBytes(const VideoFormat& format) {
    return DeliveredStride(format) * static_cast<std::size_t>(format.size.height);
}

BITMAPINFOHEADER FormatHeader(const VideoFormat& format) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = format.size.width;
    header.biHeight = format.size.height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(format.bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(DeliveredFrameBytes(format));
    return header;
}

std::string SizeLabel(FrameSize size) {
    return std::to_string(size.width) + " \u00d7 " + std::to_string(size.height);
}

void PackRowsBottomUp(const std::uint8_t* top, std::size_t sourceStride, const VideoFormat& format,
                      std::vector<std::uint8_t>& out) {
    const std::size_t stride = DeliveredStride(format);
    const std::size_t rowBytes = static_cast<std::size_t>(format.size.width) * format.bitCount / 8;
    const auto height = static_cast<std::size_t>(format.size.height);
    out.resize(stride * height);
    for (std::size_t row = 0; row < height; ++row) {
        std::uint8_t* target = out.data() + (height - 1 - row) * stride;
        std::memcpy(target, top + row * sourceStride, rowBytes);
        std::memset(target + rowBytes, 0, stride - rowBytes);
    }
}
