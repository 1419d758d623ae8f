#include "Bitmap.h"
#include "Form.h"
#include "Image.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>
#include <memory>

namespace {

struct Rgb {
    int r, g, b;
};

// Three columns, two rows, every pixel distinct and no byte equal to another
// of its pixel: a flipped row order, a mirrored row or swapped blue and red
// all show.
constexpr std::array<std::array<Rgb, 3>, 2> kPixels = {{
    {{{0, 0, 255}, {0, 255, 0}, {255, 0, 0}}},        // top: blue, green, red
    {{{10, 20, 30}, {40, 50, 60}, {200, 100, 50}}},  // bottom
}};

void SetPixel(TBitmap& bitmap, int x, int y, Rgb c) {
    std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    p[0] = static_cast<std::uint8_t>(c.b);
    p[1] = static_cast<std::uint8_t>(c.g);
    p[2] = static_cast<std::uint8_t>(c.r);
}

TBitmap SmallBitmap(TPixelFormat format) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(format);
    bitmap.SetWidth(3);
    bitmap.SetHeight(2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) SetPixel(bitmap, x, y, kPixels[y][x]);
    }
    return bitmap;
}

// A 24-bit picture whose pixel colour encodes its place.
Rgb PlacePixel(int x, int y) { return {x % 256, y % 256, (x * 7 + y * 13) % 256}; }

TBitmap PlaceBitmap(int width, int height) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) SetPixel(bitmap, x, y, PlacePixel(x, y));
    }
    return bitmap;
}

QRgb ToQRgb(Rgb c) { return qRgb(c.r, c.g, c.b); }

class PictureTest : public testing::TestWithParam<TPixelFormat> {};

TEST_P(PictureTest, KeepsRowsTopFirstAndBlueGreenRedInTheirPlaces) {
    TPicture picture;
    picture.Assign(SmallBitmap(GetParam()));

    ASSERT_EQ(picture.Width(), 3);
    ASSERT_EQ(picture.Height(), 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(picture.Image().pixel(x, y), ToQRgb(kPixels[y][x])) << "x " << x << " y " << y;
        }
    }
}

TEST_P(PictureTest, KeepsItsOwnCopyUntilAssignedAgain) {
    TBitmap bitmap = SmallBitmap(GetParam());
    TPicture picture;
    picture.Assign(bitmap);

    SetPixel(bitmap, 0, 0, {1, 2, 3});
    bitmap.SetWidth(1);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Image().pixel(0, 0), ToQRgb(kPixels[0][0]));

    picture.Assign(bitmap);
    EXPECT_EQ(picture.Width(), 1);
    EXPECT_EQ(picture.Image().pixel(0, 0), qRgb(1, 2, 3));
}

INSTANTIATE_TEST_SUITE_P(Depths, PictureTest, testing::Values(pf24bit, pf32bit),
                         [](const testing::TestParamInfo<TPixelFormat>& info) {
                             return info.param == pf24bit ? std::string("Bits24") : std::string("Bits32");
                         });

TEST(PictureChange, EveryAssignTellsTheOwner) {
    int changes = 0;
    TPicture picture([&] { ++changes; });
    picture.Assign(SmallBitmap(pf24bit));
    picture.Assign(TBitmap());
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(picture.Empty());
}

// An image view of 233 x 193 pixels on a shown form.
class ImageViewTest : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetBounds(0, 0, 300, 250);
        image = new TImage(form.get());
        image->SetBounds(10, 20, 233, 193);
        form->Show();
    }

    QImage Shown() const { return image->grab().toImage(); }
    QRgb Background() const { return image->palette().color(QPalette::Window).rgb(); }

    std::unique_ptr<TForm> form;
    TImage* image = nullptr;
};

TEST_F(ImageViewTest, StartsBlank) {
    const QImage shown = Shown();
    ASSERT_EQ(shown.size(), QSize(233, 193));
    for (const QPoint p : {QPoint(0, 0), QPoint(116, 96), QPoint(232, 192)}) {
        EXPECT_EQ(shown.pixel(p), Background()) << p.x() << "," << p.y();
    }
}

TEST_F(ImageViewTest, DrawsALargePictureFromTheTopLeftUnscaledAndClipped) {
    image->Picture->Assign(PlaceBitmap(320, 240));

    const QImage shown = Shown();
    EXPECT_EQ(image->Width(), 233);
    EXPECT_EQ(image->Height(), 193);
    ASSERT_EQ(shown.size(), QSize(233, 193));
    for (const QPoint p : {QPoint(0, 0), QPoint(232, 0), QPoint(0, 192), QPoint(232, 192), QPoint(117, 61)}) {
        EXPECT_EQ(shown.pixel(p), ToQRgb(PlacePixel(p.x(), p.y()))) << p.x() << "," << p.y();
    }
}

TEST_F(ImageViewTest, DrawsASmallPictureAtItsOwnSizeOnTheBackground) {
    image->Picture->Assign(SmallBitmap(pf24bit));

    const QImage shown = Shown();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(shown.pixel(x, y), ToQRgb(kPixels[y][x])) << x << "," << y;
    }
    EXPECT_EQ(shown.pixel(3, 0), Background());
    EXPECT_EQ(shown.pixel(0, 2), Background());
    EXPECT_EQ(shown.pixel(232, 192), Background());
}

TEST_F(ImageViewTest, AnEmptyBitmapLeavesTheViewBlankAgain) {
    image->Picture->Assign(PlaceBitmap(320, 240));
    image->Picture->Assign(TBitmap());

    const QImage shown = Shown();
    EXPECT_TRUE(image->Picture->Empty());
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(232, 192)}) {
        EXPECT_EQ(shown.pixel(p), Background()) << p.x() << "," << p.y();
    }
}

TEST_F(ImageViewTest, ALaterChangeToTheBitmapDoesNotReachTheView) {
    TBitmap bitmap = PlaceBitmap(320, 240);
    image->Picture->Assign(bitmap);
    SetPixel(bitmap, 0, 0, {9, 9, 9});

    EXPECT_EQ(Shown().pixel(0, 0), ToQRgb(PlacePixel(0, 0)));
}

}  // namespace
