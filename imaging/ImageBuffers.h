#pragma once

#include "Bitmap.h"

// The working area of every pixel loop: rows 0..FrameHeight - 1, pixels
// 0..FrameWidth - 1, in the top-left corner of a picture.
inline constexpr int FrameWidth = 320;
inline constexpr int FrameHeight = 240;

// The program's four images, empty at start and alive for the whole run.
extern TBitmap FrameImage;       // the last grabbed frame, turned to gray
extern TBitmap BackgroundImage;  // a copy of FrameImage taken on demand
extern TBitmap CurrentImage;     // a copy of FrameImage taken at each timer tick
extern TBitmap ResultImage;      // the background difference

// Raises the error WorkingRow raises for a row it cannot give.
[[noreturn]] void ThrowNoWorkingRow(const TBitmap& image, int row, const char* imageName);

// The first byte of row `row` of `image`, for a pixel loop over the working
// area. Raises Exception, naming `imageName`, when the image lacks the row or
// is narrower than FrameWidth, so no loop reads or writes outside a picture.
// Inline, as it runs once per row and image.
inline std::uint8_t* WorkingRow(TBitmap& image, int row, const char* imageName) {
    if (row < 0 || row >= image.Height() || image.Width() < FrameWidth) {
        ThrowNoWorkingRow(image, row, imageName);
    }
    return image.ScanLine(row);
}
