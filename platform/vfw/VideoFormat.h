#pragma once

#include "BitmapInfoHeader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A frame size a source offers.
struct FrameSize {
    int width = 0;
    int height = 0;
    bool operator==(const FrameSize&) const = default;
    auto operator<=>(const FrameSize&) const = default;
};

// The frame format a capture window delivers: size and bits per pixel
// (24, 32 or 16), rows bottom-up, each padded to four bytes.
struct VideoFormat {
    FrameSize size{320, 240};
    int bitCount = 24;
    bool operator==(const VideoFormat&) const = default;
};

inline constexpr int kDepths[] = {24, 32, 16};

// Sizes offered when a source does not list its own.
std::vector<FrameSize> StandardFrameSizes();

// Bytes of one delivered row and of one delivered frame.
std::size_t DeliveredStride(const VideoFormat& format);
std::size_t DeliveredFrameBytes(const VideoFormat& format);

// The format header that describes a delivered frame exactly.
BITMAPINFOHEADER FormatHeader(const VideoFormat& format);

// "320 × 240" for a size.
std::string SizeLabel(FrameSize size);

// Copies `height` top-down rows of `rowBytes` bytes, `sourceStride` apart,
// into `out` as bottom-up rows `DeliveredStride` apart with zeroed padding.
void PackRowsBottomUp(const std::uint8_t* top, std::size_t sourceStride, const VideoFormat& format,
                      std::vector<std::uint8_t>& out);
