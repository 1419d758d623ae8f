#include "FramePipeline.h"
#include "VideoFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FormatCase {
    VideoFormat format;
    std::size_t stride;
};

TEST(VideoFormat, HeaderDescribesBottomUpRowsPaddedToFourBytes) {
    const FormatCase cases[] = {
        {{{320, 240}, 24}, 960}, {{{161, 3}, 24}, 484}, {{{161, 3}, 32}, 644},
        {{{161, 3}, 16}, 324},   {{{1280, 720}, 16}, 2560},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(SizeLabel(c.format.size) + " at " + std::to_string(c.format.bitCount));
        const BITMAPINFOHEADER header = FormatHeader(c.format);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, c.format.size.width);
        EXPECT_EQ(header.biHeight, c.format.size.height) << "positive: bottom-up";
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, c.format.bitCount);
        EXPECT_EQ(header.biCompression, BI_RGB);
        EXPECT_EQ(DeliveredStride(c.format), c.stride);
        EXPECT_EQ(header.biSizeImage, c.stride * c.format.size.height);
    }
}

// Three rows of five 24-bit pixels, every byte distinct, source rows padded
// with 0xEE beyond the picture: the delivered rows come out in the opposite
// order with zero padding.
TEST(VideoFormat, PackingTurnsTopDownRowsBottomUpAndZeroesThePadding) {
    const VideoFormat format{{5, 3}, 24};
    const std::size_t sourceStride = 20;
    std::vector<std::uint8_t> source(sourceStride * 3, 0xEE);
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t i = 0; i < 15; ++i) source[row * sourceStride + i] = static_cast<std::uint8_t>(row * 16 + i);
    }
    std::vector<std::uint8_t> out(7, 0x55);

    PackRowsBottomUp(source.data(), sourceStride, format, out);

    ASSERT_EQ(out.size(), 48u);
    for (std::size_t row = 0; row < 3; ++row) {
        const std::uint8_t* delivered = out.data() + (2 - row) * 16;
        for (std::size_t i = 0; i < 15; ++i) EXPECT_EQ(delivered[i], row * 16 + i) << row << "," << i;
        EXPECT_EQ(delivered[15], 0) << "padding of row " << row;
    }
}

TEST(VideoFormat, OnlyWholeUncorruptedFramesOfTheAskedFormatAreAccepted) {
    const VideoFormat asked{{320, 240}, 24};
    struct Case {
        const char* name;
        bool corrupted;
        std::size_t bytes;
        VideoFormat negotiated;
        bool accepted;
    };
    const Case cases[] = {
        {"whole frame", false, 230400, asked, true},
        {"flagged corrupted", true, 230400, asked, false},
        {"short buffer", false, 230399, asked, false},
        {"long buffer", false, 230401, asked, false},
        {"other size", false, 230400, {{240, 320}, 24}, false},
        {"other depth", false, 230400, {{320, 240}, 32}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AcceptableFrame(c.corrupted, c.bytes, 230400, c.negotiated, asked), c.accepted) << c.name;
    }
}

}  // namespace
