#include "BackgroundDifference.h"

#include "DetectRow.h"
#include "ImageBuffers.h"

int Threshold = 0;

void DetectObjects() {
    ResultImage.SetWidth(FrameWidth);
    ResultImage.SetHeight(FrameHeight);
    ResultImage.SetPixelFormat(pf24bit);
    for (int row = 0; row < FrameHeight; ++row) {
        const std::uint8_t* current = WorkingRow(CurrentImage, row, "CurrentImage");
        const std::uint8_t* background = WorkingRow(BackgroundImage, row, "BackgroundImage");
        std::uint8_t* result = WorkingRow(ResultImage, row, "ResultImage");
        DetectRow(current, background, result, FrameWidth, Threshold);
    }
}
