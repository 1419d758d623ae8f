#include "BackgroundDifference.h"

#include "DetectRow.h"
#include "ImageBuffers.h"

#include <algorithm>

int Threshold = 0;

// Rows are independent, so the rows both inputs have are computed in memory
// order (bitmaps keep their rows bottom-up), which streams through the cache
// faster than walking memory backwards; the result is the same as computing
// row 0 first. The first row an input lacks then raises, as its scan line
// would, with the rows above it written.
void DetectObjects() {
    ResultImage.SetWidth(FrameWidth);
    ResultImage.SetHeight(FrameHeight);
    ResultImage.SetPixelFormat(pf24bit);
    const int rows = std::min({FrameHeight, CurrentImage.Height(), BackgroundImage.Height()});
    if (rows > 0) {
        WorkingRow(CurrentImage, 0, "CurrentImage");
        WorkingRow(BackgroundImage, 0, "BackgroundImage");
    }
    for (int row = rows - 1; row >= 0; --row) {
        DetectRow(WorkingRow(CurrentImage, row, "CurrentImage"),
                  WorkingRow(BackgroundImage, row, "BackgroundImage"),
                  WorkingRow(ResultImage, row, "ResultImage"), FrameWidth, Threshold);
    }
    if (rows < FrameHeight) {
        WorkingRow(CurrentImage, rows, "CurrentImage");
        WorkingRow(BackgroundImage, rows, "BackgroundImage");
    }
}
