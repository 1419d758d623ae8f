#include "Bitmap.h"
#include "BmpBytes.h"
#include "Exception.h"

#include <gtest/gtest.h>

using bmp_bytes::Bgr;
using bmp_bytes::PatternPixel;

namespace {

Bgr PixelAt(const TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    return {p[0], p[1], p[2]};
}

TBitmap Pattern24(int width, int height) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Bgr p = PatternPixel(x, y);
            std::uint8_t* at = bitmap.ScanLine(y) + 3 * x;
            at[0] = p.b;
            at[1] = p.g;
            at[2] = p.r;
        }
    }
    return bitmap;
}

}  // namespace

TEST(Bitmap, NewBitmapIsEmpty) {
    const TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(Bitmap, ResizingKeepsSharedPixelsAndBlackensNewOnes) {
    TBitmap bitmap = Pattern24(5, 4);
    bitmap.SetWidth(7);
    bitmap.SetHeight(3);
    ASSERT_EQ(bitmap.Width(), 7);
    ASSERT_EQ(bitmap.Height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            const Bgr expected = x < 5 ? PatternPixel(x, y) : Bgr{0, 0, 0};
            EXPECT_EQ(PixelAt(bitmap, x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST(Bitmap, ChangingDepthKeepsColours) {
    TBitmap bitmap = Pattern24(3, 2);
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(bitmap.BytesPerPixel(), 4);
    bitmap.SetPixelFormat(pf24bit);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(bitmap, x, y), PatternPixel(x, y));
    }
}

TEST(Bitmap, RowsArePaddedToFourBytesAndStoredBottomUp) {
    const TBitmap bitmap = Pattern24(3, 2);
    EXPECT_EQ(bitmap.Stride(), 12u);
    EXPECT_EQ(bitmap.ScanLine(0) - bitmap.ScanLine(1), 12);
}

TEST(Bitmap, ScanLineOutsideTheRowsNamesRowAndHeight) {
    const TBitmap sized = Pattern24(4, 240);
    const TBitmap empty;
    const struct {
        const TBitmap* bitmap;
        int row;
        const char* expected;
    } cases[] = {{&sized, 240, "scan line 240 is out of range: the bitmap has 240 rows"},
                 {&sized, -1, "scan line -1 is out of range: the bitmap has 240 rows"},
                 {&empty, 0, "scan line 0 is out of range: the bitmap has 0 rows"}};
    for (const auto& c : cases) {
        try {
            c.bitmap->ScanLine(c.row);
            ADD_FAILURE() << "row " << c.row << " did not raise";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.expected);
        }
    }
}

TEST(Bitmap, SidesOutsideTheCapRaise) {
    TBitmap bitmap;
    EXPECT_THROW(bitmap.SetWidth(-1), Exception);
    EXPECT_THROW(bitmap.SetHeight(32769), Exception);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, AssignedCopiesAreIndependent) {
    TBitmap source = Pattern24(4, 3);
    TBitmap copy;
    copy.Assign(source);
    source.ScanLine(0)[0] ^= 0xFF;
    source.SetWidth(1);
    ASSERT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelAt(copy, 0, 0), PatternPixel(0, 0));

    copy.ScanLine(2)[0] ^= 0xFF;
    EXPECT_EQ(source.Width(), 1);
    EXPECT_EQ(PixelAt(source, 0, 2), PatternPixel(0, 2));
}

TEST(Bitmap, AssigningAnEmptyBitmapEmptiesTheCopy) {
    TBitmap copy = Pattern24(4, 3);
    copy.Assign(TBitmap());
    EXPECT_TRUE(copy.Empty());
    EXPECT_THROW(copy.ScanLine(0), Exception);
}
