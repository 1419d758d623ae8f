#include "ImagingFixture.h"

#include <algorithm>
#include <cstring>
#include <string>

using bmp_bytes::Bgr;
using bmp_bytes::PatternPixel;

namespace {

// A 24-bit image whose pixels carry `first` in byte 0 and other values in
// bytes 1 and 2, so a kernel that reads the wrong byte shows.
TBitmap FirstBytes(int width, int height, std::uint8_t first) {
    TBitmap image = PatternBitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.ScanLine(y)[3 * x] = first;
    }
    return image;
}

}  // namespace

struct DifferenceCase {
    int current, background, threshold;
    int expected;  // -1: black
};

void PrintTo(const DifferenceCase& c, std::ostream* os) {
    *os << "current " << c.current << ", background " << c.background << ", threshold " << c.threshold;
}

class DetectObjectsTable : public ImagingTest, public testing::WithParamInterface<DifferenceCase> {};

// Each case is placed at the four corners and in the middle of the working
// area, with distinct values elsewhere, so flipped rows or columns show too.
TEST_P(DetectObjectsTable, ComparesByteZeroStrictlyAgainstTheThreshold) {
    const DifferenceCase c = GetParam();
    CurrentImage = FirstBytes(320, 240, 50);
    BackgroundImage = FirstBytes(320, 240, 200);
    const int spots[][2] = {{0, 0}, {319, 0}, {0, 239}, {319, 239}, {161, 97}};
    for (const auto& s : spots) {
        CurrentImage.ScanLine(s[1])[3 * s[0]] = static_cast<std::uint8_t>(c.current);
        BackgroundImage.ScanLine(s[1])[3 * s[0]] = static_cast<std::uint8_t>(c.background);
    }
    Threshold = c.threshold;

    DetectObjects();

    const std::uint8_t v = c.expected < 0 ? 0 : static_cast<std::uint8_t>(c.expected);
    for (const auto& s : spots) {
        EXPECT_EQ(PixelAt(ResultImage, s[0], s[1]), (Bgr{v, v, v})) << "at " << s[0] << "," << s[1];
    }
    const std::uint8_t elsewhere = 150 > c.threshold ? 0 : 200;
    EXPECT_EQ(PixelAt(ResultImage, 1, 0), (Bgr{elsewhere, elsewhere, elsewhere}));
}

INSTANTIATE_TEST_SUITE_P(Thresholds, DetectObjectsTable,
                         testing::Values(DifferenceCase{100, 100, 0, 100}, DifferenceCase{110, 100, 10, 100},
                                         DifferenceCase{110, 100, 9, -1}, DifferenceCase{100, 110, 9, -1},
                                         DifferenceCase{0, 255, 254, -1}, DifferenceCase{0, 255, 255, 255},
                                         DifferenceCase{255, 0, 255, 0}, DifferenceCase{7, 8, 0, -1}),
                         [](const testing::TestParamInfo<DifferenceCase>& info) {
                             const DifferenceCase& c = info.param;
                             return "Current" + std::to_string(c.current) + "Background" +
                                    std::to_string(c.background) + "Threshold" + std::to_string(c.threshold);
                         });

TEST_F(ImagingTest, IdenticalImagesGiveTheBackgroundAtEveryThreshold) {
    TBitmap gray = FirstBytes(320, 240, 0);
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const auto g = static_cast<std::uint8_t>(PatternPixel(x, y).r);
            SetPixel(gray, x, y, {g, g, g});
        }
    }
    CurrentImage = gray;
    BackgroundImage = gray;
    for (const int threshold : {0, 1, 128, 255}) {
        Threshold = threshold;
        DetectObjects();
        for (int y = 0; y < 240; ++y) {
            ASSERT_EQ(std::memcmp(ResultImage.ScanLine(y), gray.ScanLine(y), 960), 0)
                << "row " << y << " at threshold " << threshold;
        }
    }
}

TEST_F(ImagingTest, LargerInputsAreComparedInTheirTopLeftCornerOnly) {
    CurrentImage = FirstBytes(640, 480, 10);
    BackgroundImage = FirstBytes(640, 480, 10);
    CurrentImage.ScanLine(300)[3 * 500] = 200;  // outside the working area
    CurrentImage.ScanLine(239)[3 * 319] = 200;  // inside it
    DetectObjects();
    ASSERT_EQ(ResultImage.Width(), 320);
    ASSERT_EQ(ResultImage.Height(), 240);
    EXPECT_EQ(ResultImage.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelAt(ResultImage, 319, 239), (Bgr{0, 0, 0}));
    EXPECT_EQ(PixelAt(ResultImage, 318, 239), (Bgr{10, 10, 10}));
}

TEST_F(ImagingTest, AnEmptyInputRaisesBeforeAnyResultPixelIsWritten) {
    const TBitmap earlier = PatternBitmap(320, 240);
    for (const bool currentEmpty : {true, false}) {
        ResultImage = earlier;
        CurrentImage = currentEmpty ? TBitmap() : FirstBytes(320, 240, 1);
        BackgroundImage = currentEmpty ? FirstBytes(320, 240, 1) : TBitmap();
        try {
            DetectObjects();
            FAIL() << "no error";
        } catch (const Exception& e) {
            const std::string name = currentEmpty ? "CurrentImage" : "BackgroundImage";
            EXPECT_EQ(e.Message(), name + ": scan line 0 is out of range: the bitmap has 0 rows");
        }
        EXPECT_EQ(PixelAt(ResultImage, 0, 0), PatternPixel(0, 0));
    }
}

// Rows 0 .. h - 1 are written, the rest of the result keeps what it had, and
// the error names the input whose scan line is fetched first at row h.
TEST_F(ImagingTest, ShortInputsFillTheirRowsThenRaiseAtTheFirstMissingRow) {
    const struct {
        int currentRows, backgroundRows;
        const char* message;
    } cases[] = {
        {100, 240, "CurrentImage: scan line 100 is out of range: the bitmap has 100 rows"},
        {240, 50, "BackgroundImage: scan line 50 is out of range: the bitmap has 50 rows"},
        {100, 50, "BackgroundImage: scan line 50 is out of range: the bitmap has 50 rows"},
        {70, 70, "CurrentImage: scan line 70 is out of range: the bitmap has 70 rows"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ResultImage = PatternBitmap(320, 240);
        CurrentImage = FirstBytes(320, c.currentRows, 30);
        BackgroundImage = FirstBytes(320, c.backgroundRows, 30);
        try {
            DetectObjects();
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        const int written = std::min(c.currentRows, c.backgroundRows);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                const Bgr expected = y < written ? Bgr{30, 30, 30} : PatternPixel(x, y);
                ASSERT_EQ(PixelAt(ResultImage, x, y), expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST_F(ImagingTest, ANarrowInputRaisesBeforeRowZeroIsTouched) {
    const struct {
        int currentWidth, backgroundWidth;
        const char* message;
    } cases[] = {
        {320, 300, "BackgroundImage is 300 pixels wide, narrower than the 320 that are compared"},
        {319, 300, "CurrentImage is 319 pixels wide, narrower than the 320 that are compared"},
    };
    for (const auto& c : cases) {
        ResultImage = PatternBitmap(320, 240);
        CurrentImage = FirstBytes(c.currentWidth, 240, 30);
        BackgroundImage = FirstBytes(c.backgroundWidth, 240, 30);
        try {
            DetectObjects();
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        for (int y = 0; y < 240; ++y) ASSERT_EQ(PixelAt(ResultImage, 0, y), PatternPixel(0, y));
    }
}
