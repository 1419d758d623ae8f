#include "Bitmap.h"
#include "BmpBytes.h"
#include "Exception.h"
#include "LittleEndian.h"
#include "MemoryStream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using bmp_bytes::Bgr;
using bmp_bytes::File;
using bmp_bytes::Info24;
using bmp_bytes::PatternPixel;
using bmp_bytes::PatternRows;

namespace {

void Fill(TMemoryStream& stream, const std::vector<std::uint8_t>& bytes) {
    stream.SetSize(0);
    stream.Write(bytes.data(), bytes.size());
    stream.SetPosition(0);
}

Bgr PixelAt(const TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

void ExpectPattern(const TBitmap& bitmap, int width, int height) {
    ASSERT_EQ(bitmap.Width(), width);
    ASSERT_EQ(bitmap.Height(), height);
    ASSERT_EQ(bitmap.PixelFormat(), pf24bit);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(PixelAt(bitmap, x, y), PatternPixel(x, y)) << "at " << x << "," << y;
        }
    }
}

std::vector<std::uint8_t> GoodFile(int width = 5, int height = 3) {
    const BITMAPINFOHEADER info = Info24(width, height);
    return File(info, PatternRows(info));
}

}  // namespace

// Width 5 gives 15 bytes a row plus 1 byte of padding: a reader that ignores
// padding or reads rows in the wrong order shows on the asymmetric pattern.
TEST(LoadFromStream, ReadsBottomUpAndTopDownRowsWithPadding) {
    for (const int height : {3, -3}) {
        const BITMAPINFOHEADER info = Info24(5, height);
        TMemoryStream stream;
        Fill(stream, File(info, PatternRows(info)));
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        ExpectPattern(bitmap, 5, 3);
        EXPECT_EQ(stream.Position(), stream.Size());
    }
}

TEST(LoadFromStream, ReadsFromTheStreamPositionAndHonoursTheOffset) {
    const BITMAPINFOHEADER info = Info24(4, 2);
    const std::vector<std::uint8_t> file = File(info, PatternRows(info), 70);
    TMemoryStream stream;
    stream.Write("junk", 4);
    stream.Write(file.data(), file.size());
    stream.SetPosition(4);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    ExpectPattern(bitmap, 4, 2);
}

TEST(LoadFromStream, ReplacesSizeDepthAndPixelsOfAnEarlierPicture) {
    TBitmap bitmap;
    bitmap.SetWidth(320);
    bitmap.SetHeight(240);
    TMemoryStream stream;
    Fill(stream, GoodFile(5, 3));
    bitmap.LoadFromStream(stream);
    ExpectPattern(bitmap, 5, 3);
}

struct BadFile {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> spoil;
    const char* messagePart;  // what the message must name
};

class LoadFromStreamRejects : public testing::TestWithParam<BadFile> {};

// Every bad file raises a message naming the value, and leaves both the
// bitmap and the stream's position exactly as they were.
TEST_P(LoadFromStreamRejects, WithAMessageAndNoChange) {
    std::vector<std::uint8_t> bytes = GoodFile();
    GetParam().spoil(bytes);

    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetWidth(2);
    bitmap.SetHeight(2);
    bitmap.ScanLine(1)[5] = 0x5A;
    const TBitmap before = bitmap;

    TMemoryStream stream;
    stream.Write("xx", 2);
    stream.Write(bytes.data(), bytes.size());
    stream.SetPosition(2);
    try {
        bitmap.LoadFromStream(stream);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(GetParam().messagePart), std::string::npos) << e.Message();
    }
    EXPECT_EQ(stream.Position(), 2u);
    ASSERT_EQ(bitmap.Width(), 2);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(std::memcmp(bitmap.ScanLine(y), before.ScanLine(y), 6), 0);
    }
}

namespace {

using little_endian::WriteU16;
using little_endian::WriteU32;

// Offsets of the fields in the file.
constexpr int kType = 0, kOffBits = 10, kBiSize = 14, kWidth = 18, kHeight = 22, kPlanes = 26, kBitCount = 28,
              kCompression = 30;

auto Set32(int offset, std::uint32_t value) {
    return [=](std::vector<std::uint8_t>& b) { WriteU32(b.data() + offset, value); };
}
auto Set16(int offset, std::uint16_t value) {
    return [=](std::vector<std::uint8_t>& b) { WriteU16(b.data() + offset, value); };
}
auto Truncate(std::size_t size) {
    return [=](std::vector<std::uint8_t>& b) { b.resize(size); };
}
// Replaces the pixels by a header claiming width x height and `pixelBytes` bytes.
auto Claim(std::int32_t width, std::int32_t height, std::size_t pixelBytes) {
    return [=](std::vector<std::uint8_t>& b) {
        b.resize(54 + pixelBytes);
        WriteU32(b.data() + kWidth, static_cast<std::uint32_t>(width));
        WriteU32(b.data() + kHeight, static_cast<std::uint32_t>(height));
    };
}

const BadFile kBadFiles[] = {
    {"EmptyStream", Truncate(0), "holds 0 bytes"},
    {"ShorterThanHeaders", Truncate(53), "holds 53 bytes"},
    {"TypeNotBM", Set16(kType, 0x4142), "0x4142"},
    {"InfoHeaderUnder40", Set32(kBiSize, 12), "info header size is 12"},
    {"InfoHeaderPastEnd", Set32(kBiSize, 4000), "info header size is 4000"},
    {"ZeroWidth", Set32(kWidth, 0), "width is 0"},
    {"NegativeWidth", Set32(kWidth, static_cast<std::uint32_t>(-5)), "width is -5"},
    {"ZeroHeight", Set32(kHeight, 0), "height is 0"},
    {"HeightIntMin", Set32(kHeight, 0x80000000u), "height is -2147483648"},
    {"TwoPlanes", Set16(kPlanes, 2), "plane count is 2"},
    {"Depth16", Set16(kBitCount, 16), "depth is 16 bits"},
    {"Depth32", Set16(kBitCount, 32), "depth is 32 bits"},
    {"Depth8WithPalette", Set16(kBitCount, 8), "depth is 8 bits"},
    {"CompressionRle", Set32(kCompression, 1), "compression is 0x1"},
    {"CompressionMjpg", Set32(kCompression, 0x47504A4D), "'MJPG'"},
    {"CompressionYuy2", Set32(kCompression, 0x32595559), "'YUY2'"},
    {"WidthOverCap", Claim(32769, 1, 0), "32769 x 1"},
    {"HeightOverCap", Claim(1, -40000, 0), "1 x 40000"},
    {"HugeBothWays", Claim(INT_MAX, INT_MAX, 0), "2147483647 x 2147483647"},
    {"OffsetInsideHeaders", Set32(kOffBits, 53), "offset is 53"},
    {"OffsetPastEnd", Set32(kOffBits, 1000), "offset is 1000"},
    {"PixelsOneByteShort", Truncate(54 + 48 - 1), "holds 47 bytes"},
    {"NoPixelsAtAll", Truncate(54), "holds 0 bytes; 5 x 3 pixels at 24 bits need 48"},
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(BadFiles, LoadFromStreamRejects, testing::ValuesIn(kBadFiles),
                         [](const testing::TestParamInfo<BadFile>& info) { return info.param.name; });

TEST(LoadFromStream, AcceptsALongerInfoHeaderWithPixelsAfterIt) {
    std::vector<std::uint8_t> bytes = GoodFile();
    const std::vector<std::uint8_t> pixels(bytes.begin() + 54, bytes.end());
    bytes.resize(54);
    bytes.insert(bytes.end(), 68, 0);  // a 108-byte header
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    little_endian::WriteU32(bytes.data() + kBiSize, 108);
    little_endian::WriteU32(bytes.data() + kOffBits, 14 + 108);
    TMemoryStream stream;
    Fill(stream, bytes);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    ExpectPattern(bitmap, 5, 3);
}
