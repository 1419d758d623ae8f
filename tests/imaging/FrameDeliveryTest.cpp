#include "FakeCaptureWindow.h"
#include "FrameStream.h"
#include "ImagingFixture.h"
#include "LittleEndian.h"

#include <cstring>
#include <stdexcept>
#include <string>

using bmp_bytes::Bgr;
using bmp_bytes::FormatBytes;
using bmp_bytes::Info24;
using bmp_bytes::PatternPixel;
using bmp_bytes::PatternRows;

namespace {

// A frame's bytes and the header that a capture window hands over with them.
struct Frame {
    explicit Frame(std::vector<std::uint8_t> frameBytes) : bytes(std::move(frameBytes)) {
        header.lpData = bytes.data();
        header.dwBufferLength = static_cast<DWORD>(bytes.size());
        header.dwBytesUsed = static_cast<DWORD>(bytes.size());
    }
    std::vector<std::uint8_t> bytes;
    VIDEOHDR header;
};

// The stored bytes of pixel (x, y) of a bottom-up 24-bit frame.
std::uint8_t* StoredPixel(std::vector<std::uint8_t>& rows, const BITMAPINFOHEADER& info, int x, int y) {
    return rows.data() + (info.biHeight - 1 - y) * bmp_bytes::Stride24(info.biWidth) + 3 * x;
}

Bgr Gray(Bgr p) {
    const auto g = static_cast<std::uint8_t>((p.b + p.g + p.r) / 3);
    return {g, g, g};
}

bool SameFormat(const BITMAPINFOHEADER& a, const BITMAPINFOHEADER& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

const BITMAPINFOHEADER kFormat320 = Info24(FrameWidth, FrameHeight);

}  // namespace

TEST(PackFrame, BuildsAFileHeaderTheFormatAndTheFrameBytes) {
    BITMAPINFOHEADER format = kFormat320;
    format.biXPelsPerMeter = 2835;
    format.biClrImportant = 7;
    const Frame frame(PatternRows(format));
    TMemoryStream stream;
    PackFrame(stream, format, frame.header);

    ASSERT_EQ(stream.Size(), 54u + 230400u);
    const auto* bytes = static_cast<const std::uint8_t*>(stream.Memory());
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(little_endian::ReadU32(bytes + 2), 230454u);
    EXPECT_EQ(little_endian::ReadU32(bytes + 6), 0u) << "both reserved fields";
    EXPECT_EQ(little_endian::ReadU32(bytes + 10), 54u);
    EXPECT_EQ(std::memcmp(bytes + 14, &format, 40), 0);
    EXPECT_EQ(std::memcmp(bytes + 54, frame.bytes.data(), frame.bytes.size()), 0);
}

// Bottom-up and top-down frames: the header reaches the load as the driver
// gave it, so both come out the right way up.
TEST_F(ImagingTest, DeliveryLoadsTheFrameTurnsItGrayAndDisarms) {
    for (const int height : {240, -240}) {
        SCOPED_TRACE(height);
        const BITMAPINFOHEADER format = Info24(FrameWidth, height);
        FakeCaptureWindow window(FormatBytes(format));
        Frame frame(PatternRows(format));
        const std::uint64_t deliveredBefore = SuccessfulDeliveries();

        EXPECT_EQ(FrameCallback(window.Handle(), &frame.header), 0);

        EXPECT_TRUE(errors.empty()) << errors.front();
        EXPECT_EQ(SuccessfulDeliveries(), deliveredBefore + 1);
        EXPECT_TRUE(SameFormat(FrameFormat, format));
        ASSERT_EQ(FrameImage.Width(), 320);
        ASSERT_EQ(FrameImage.Height(), 240);
        EXPECT_EQ(FrameImage.PixelFormat(), pf24bit);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                ASSERT_EQ(PixelAt(FrameImage, x, y), Gray(PatternPixel(x, y))) << "at " << x << "," << y;
            }
        }
        ASSERT_EQ(window.messages.size(), 3u);
        EXPECT_EQ(window.messages[0].message, WM_CAP_GET_VIDEOFORMAT);
        EXPECT_EQ(window.messages[0].wParam, 0u);
        EXPECT_EQ(window.messages[0].lParam, 0);
        EXPECT_EQ(window.messages[1].message, WM_CAP_GET_VIDEOFORMAT);
        EXPECT_EQ(window.messages[1].wParam, 40u);
        EXPECT_NE(window.messages[1].lParam, 0);
        EXPECT_EQ(window.messages[2].message, WM_CAP_SET_CALLBACK_FRAME);
        EXPECT_EQ(window.messages[2].wParam, 0u);
        EXPECT_EQ(window.messages[2].lParam, 0);
    }
}

TEST_F(ImagingTest, GrayIsTheTruncatedMeanOfThePixelsThreeBytes) {
    const struct {
        int x, y;
        Bgr in;
        std::uint8_t gray;
    } cases[] = {
        {0, 0, {10, 20, 31}, 20},         {319, 0, {0, 0, 2}, 0}, {0, 239, {255, 255, 255}, 255},
        {319, 239, {254, 255, 255}, 254}, {17, 3, {0, 1, 1}, 0},  {5, 200, {3, 0, 0}, 1},
    };
    std::vector<std::uint8_t> rows = PatternRows(kFormat320);
    for (const auto& c : cases) {
        std::uint8_t* p = StoredPixel(rows, kFormat320, c.x, c.y);
        p[0] = c.in.b;
        p[1] = c.in.g;
        p[2] = c.in.r;
    }
    FakeCaptureWindow window(FormatBytes(kFormat320));
    Frame frame(rows);
    FrameCallback(window.Handle(), &frame.header);
    for (const auto& c : cases) {
        EXPECT_EQ(PixelAt(FrameImage, c.x, c.y), (Bgr{c.gray, c.gray, c.gray})) << "at " << c.x << "," << c.y;
    }
}

TEST_F(ImagingTest, ALargerFrameIsLoadedWholeAndTurnsGrayOnlyInItsTopLeftCorner) {
    const BITMAPINFOHEADER format = Info24(640, 480);
    FakeCaptureWindow window(FormatBytes(format));
    Frame frame(PatternRows(format));
    FrameCallback(window.Handle(), &frame.header);

    ASSERT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(FrameImage.Width(), 640);
    ASSERT_EQ(FrameImage.Height(), 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const Bgr expected = x < 320 && y < 240 ? Gray(PatternPixel(x, y)) : PatternPixel(x, y);
            ASSERT_EQ(PixelAt(FrameImage, x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST_F(ImagingTest, AFormatLongerThan40BytesIsReadWholeAndOnlyItsHeaderKept) {
    std::vector<std::uint8_t> format = FormatBytes(kFormat320);
    format.insert(format.end(), 1024, 0xEE);  // a colour table the stream must not carry
    FakeCaptureWindow window(format);
    Frame frame(PatternRows(kFormat320));
    FrameCallback(window.Handle(), &frame.header);

    ASSERT_GE(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].wParam, 1064u);
    EXPECT_TRUE(SameFormat(FrameFormat, kFormat320));
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(PixelAt(FrameImage, 1, 2), Gray(PatternPixel(1, 2)));
}

TEST_F(ImagingTest, AFormatShorterThan40BytesKeepsTheRestOfThePreviousFormat) {
    for (const std::size_t length : {std::size_t{8}, std::size_t{0}}) {
        FrameFormat = kFormat320;
        BITMAPINFOHEADER changed = kFormat320;
        changed.biSize = 41;  // only the first 8 bytes ever reach FrameFormat
        changed.biWidth = 999;
        std::vector<std::uint8_t> format = FormatBytes(changed);
        format.resize(length);
        FakeCaptureWindow window(format);
        Frame frame(PatternRows(kFormat320));
        FrameCallback(window.Handle(), &frame.header);

        ASSERT_GE(window.messages.size(), 2u);
        EXPECT_EQ(window.messages[1].message, WM_CAP_GET_VIDEOFORMAT);
        EXPECT_EQ(window.messages[1].wParam, length);
        ASSERT_EQ(window.buffersBeforeRead.size(), 1u);
        EXPECT_EQ(std::memcmp(window.buffersBeforeRead[0].data(), &kFormat320, 40), 0)
            << "the buffer starts out as the previous format";
        EXPECT_EQ(FrameFormat.biSize, length == 8 ? 41u : 40u);
        EXPECT_EQ(FrameFormat.biWidth, length == 8 ? 999 : 320);
        EXPECT_EQ(FrameFormat.biSizeImage, 230400u);
    }
}

TEST_F(ImagingTest, AVanishedWindowGetsNoMessageAndThePreviousFormatIsUsed) {
    FrameFormat = kFormat320;
    FakeCaptureWindow window(FormatBytes(Info24(8, 8)));
    window.Destroy();
    Frame frame(PatternRows(kFormat320));

    EXPECT_EQ(FrameCallback(window.Handle(), &frame.header), 0);

    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_TRUE(SameFormat(FrameFormat, kFormat320));
    EXPECT_EQ(PixelAt(FrameImage, 319, 239), Gray(PatternPixel(319, 239)));
}

TEST_F(ImagingTest, AWindowThatVanishesDuringTheSizeQueryGetsNoFurtherMessage) {
    FrameFormat = kFormat320;
    FakeCaptureWindow window(FormatBytes(Info24(8, 8)));
    window.onMessage = [&](const FakeCaptureWindow::Message&) { window.Destroy(); };
    Frame frame(PatternRows(kFormat320));
    FrameCallback(window.Handle(), &frame.header);

    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(SameFormat(FrameFormat, kFormat320));
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(ImagingTest, BackgroundTakenFromAFrameStaysWhenTheNextFrameArrives) {
    FakeCaptureWindow window(FormatBytes(kFormat320));
    Frame first(PatternRows(kFormat320));
    FrameCallback(window.Handle(), &first.header);
    BackgroundImage.Assign(FrameImage);
    const TBitmap kept = BackgroundImage;

    Frame second(std::vector<std::uint8_t>(230400, 0x40));
    FrameCallback(window.Handle(), &second.header);
    ASSERT_EQ(PixelAt(FrameImage, 0, 0), (Bgr{0x40, 0x40, 0x40}));
    for (int y = 0; y < 240; ++y) {
        ASSERT_EQ(std::memcmp(BackgroundImage.ScanLine(y), kept.ScanLine(y), 960), 0) << "row " << y;
    }
}

// A failed delivery reports once, still disarms, returns 0, and leaves
// FrameImage as prepared for the frame: 320 x 240 at 24 bits, the earlier
// picture's pixels kept where they overlap, nothing loaded and nothing gray.
struct FailedDelivery {
    const char* name;
    BITMAPINFOHEADER format;
    std::size_t frameBytes;
    DWORD bytesUsedOverride;  // replaces dwBytesUsed when not ~0
    bool nullHeader;
    LRESULT reportedSize;  // replaces the size answer when not 0
    const char* messagePart;
};

void PrintTo(const FailedDelivery& c, std::ostream* os) { *os << c.name; }

class ImagingFailureTest : public ImagingTest, public testing::WithParamInterface<FailedDelivery> {};

TEST_P(ImagingFailureTest, ReportsOnceDisarmsAndLoadsNothing) {
    const FailedDelivery& c = GetParam();
    FrameImage = PatternBitmap(8, 8);
    FakeCaptureWindow window(FormatBytes(c.format));
    if (c.reportedSize != 0) window.reportedSize = c.reportedSize;
    Frame frame(std::vector<std::uint8_t>(c.frameBytes, 0x77));
    if (c.bytesUsedOverride != ~DWORD{0}) frame.header.dwBytesUsed = c.bytesUsedOverride;
    const std::uint64_t deliveredBefore = SuccessfulDeliveries();

    EXPECT_EQ(FrameCallback(window.Handle(), c.nullHeader ? nullptr : &frame.header), 0);

    EXPECT_EQ(SuccessfulDeliveries(), deliveredBefore) << "a failure is not counted as a delivery";
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(c.messagePart), std::string::npos) << errors[0];
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(window.messages.back().message, WM_CAP_SET_CALLBACK_FRAME);
    EXPECT_EQ(window.messages.back().lParam, 0);
    ASSERT_EQ(FrameImage.Width(), 320);
    ASSERT_EQ(FrameImage.Height(), 240);
    EXPECT_EQ(FrameImage.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelAt(FrameImage, 7, 7), PatternPixel(7, 7));
    EXPECT_EQ(PixelAt(FrameImage, 8, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(FrameImage, 319, 239), (Bgr{0, 0, 0}));
}

namespace {

BITMAPINFOHEADER With(BITMAPINFOHEADER info, DWORD compression, DWORD sizeImage) {
    info.biCompression = compression;
    info.biSizeImage = sizeImage;
    return info;
}

constexpr DWORD kKeep = ~DWORD{0};

const FailedDelivery kFailedDeliveries[] = {
    {"CompressedFormat", With(kFormat320, 0x47504A4D, 5000), 5000, kKeep, false, 0, "'MJPG'"},
    {"FrameShorterThanFormat", kFormat320, 230399, kKeep, false, 0,
     "the frame holds 230399 bytes, fewer than the 230400"},
    {"BufferShorterWhenBytesUsedIsZero", kFormat320, 1000, 0, false, 0, "holds 1000 bytes"},
    {"BytesUsedShorterThanBuffer", kFormat320, 230400, 100, false, 0, "holds 100 bytes"},
    {"SizeImageNearDwordMax", With(kFormat320, 0, 0xFFFFFFF0u), 16, kKeep, false, 0,
     "4294967280 bytes per frame (biSizeImage), more than the 3221225472"},
    {"SizeImageJustOverTheCap", With(kFormat320, 0, 3221225473u), 16, kKeep, false, 0,
     "3221225473 bytes per frame (biSizeImage), more than the 3221225472"},
    {"SizeImageAtTheCapOverAShortFrame", With(kFormat320, 0, 3221225472u), 16, kKeep, false, 0,
     "the frame holds 16 bytes, fewer than the 3221225472"},
    {"BytesUsedBeyondTheBuffer", kFormat320, 1000, 0xFFFFFFFFu, false, 0, "the frame holds 1000 bytes"},
    {"NoPixelData", With(kFormat320, 0, 0), 0, kKeep, false, 0, "pixel data holds 0 bytes"},
    {"NoFrameHeader", kFormat320, 230400, kKeep, true, 0, "no frame header"},
    {"NegativeFormatSize", kFormat320, 230400, kKeep, false, -1, "video format of -1 bytes"},
    {"HugeFormatSize", kFormat320, 230400, kKeep, false, LRESULT{1} << 40, "1099511627776"},
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Failures, ImagingFailureTest, testing::ValuesIn(kFailedDeliveries),
                         [](const testing::TestParamInfo<FailedDelivery>& info) { return info.param.name; });

TEST_F(ImagingTest, AFrameNarrowerThanTheWorkingAreaIsLoadedButNeverTouched) {
    const BITMAPINFOHEADER format = Info24(160, 120);
    FakeCaptureWindow window(FormatBytes(format));
    Frame frame(PatternRows(format));
    FrameCallback(window.Handle(), &frame.header);

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("FrameImage is 160 pixels wide"), std::string::npos) << errors[0];
    ASSERT_EQ(FrameImage.Width(), 160);
    ASSERT_EQ(FrameImage.Height(), 120);
    EXPECT_EQ(PixelAt(FrameImage, 0, 0), PatternPixel(0, 0)) << "row 0 must not be converted";
    EXPECT_EQ(window.messages.back().message, WM_CAP_SET_CALLBACK_FRAME);
}

TEST_F(ImagingTest, AFrameWithFewerRowsIsGrayUpToItsLastRow) {
    const BITMAPINFOHEADER format = Info24(320, 100);
    FakeCaptureWindow window(FormatBytes(format));
    Frame frame(PatternRows(format));
    FrameCallback(window.Handle(), &frame.header);

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "FrameImage: scan line 100 is out of range: the bitmap has 100 rows");
    ASSERT_EQ(FrameImage.Height(), 100);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 320; ++x) {
            ASSERT_EQ(PixelAt(FrameImage, x, y), Gray(PatternPixel(x, y))) << "at " << x << "," << y;
        }
    }
}

TEST_F(ImagingTest, ErrorsOfTheWindowAndOfTheReporterNeverLeaveTheCallback) {
    FakeCaptureWindow window(FormatBytes(kFormat320));
    window.onMessage = [](const FakeCaptureWindow::Message&) { throw std::runtime_error("driver gone"); };
    Frame frame(PatternRows(kFormat320));
    EXPECT_EQ(FrameCallback(window.Handle(), &frame.header), 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("driver gone"), std::string::npos) << errors[0];
    EXPECT_EQ(window.messages.back().message, WM_CAP_SET_CALLBACK_FRAME) << "disarm still tried";

    SetFrameErrorReporter([](const Exception&) { throw std::runtime_error("reporter broke"); });
    EXPECT_EQ(FrameCallback(window.Handle(), &frame.header), 0);
}
