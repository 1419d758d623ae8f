#pragma once

#include "BackgroundDifference.h"
#include "BmpBytes.h"
#include "FrameDelivery.h"
#include "ImageBuffers.h"
#include "ImagingStartState.h"

#include <gtest/gtest.h>

#include <vector>

// Puts the program's global imaging state back to how start-up leaves it,
// and collects what the frame error reporter receives.
class ImagingTest : public testing::Test {
protected:
    void SetUp() override {
        ResetImagingStartState();
        SetFrameErrorReporter([this](const Exception& e) { errors.push_back(e.Message()); });
    }
    void TearDown() override { SetFrameErrorReporter(nullptr); }

    std::vector<std::string> errors;
};

inline bmp_bytes::Bgr PixelAt(const TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

inline void SetPixel(TBitmap& bitmap, int x, int y, bmp_bytes::Bgr value) {
    std::uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    p[0] = value.b;
    p[1] = value.g;
    p[2] = value.r;
}

// A 24-bit bitmap with every pixel of the pattern.
inline TBitmap PatternBitmap(int width, int height) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) SetPixel(bitmap, x, y, bmp_bytes::PatternPixel(x, y));
    }
    return bitmap;
}
