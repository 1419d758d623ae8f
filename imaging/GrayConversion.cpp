#include "GrayConversion.h"

#include "GrayRow.h"
#include "ImageBuffers.h"

#include <algorithm>

// Rows are independent, so the rows the image has are converted in memory
// order (a bitmap keeps its rows bottom-up), which streams through the cache
// faster than walking memory backwards; the result is the same as converting
// row 0 first. The first missing row then raises, as its scan line would.
void ConvertToGray(TBitmap& image, const char* imageName) {
    const int rows = std::min(FrameHeight, image.Height());
    if (rows > 0) WorkingRow(image, 0, imageName);
    for (int row = rows - 1; row >= 0; --row) GrayRow(WorkingRow(image, row, imageName), FrameWidth);
    if (rows < FrameHeight) ThrowNoWorkingRow(image, rows, imageName);
}
