#include "GrayConversion.h"

#include "GrayRow.h"
#include "ImageBuffers.h"

void ConvertToGray(TBitmap& image, const char* imageName) {
    for (int row = 0; row < FrameHeight; ++row) GrayRow(WorkingRow(image, row, imageName), FrameWidth);
}
