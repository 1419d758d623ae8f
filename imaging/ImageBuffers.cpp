#include "ImageBuffers.h"

#include "Exception.h"

#include <string>

// Defined together in this order, so they are created in this order.
TBitmap FrameImage;
TBitmap BackgroundImage;
TBitmap CurrentImage;
TBitmap ResultImage;

void ThrowNoWorkingRow(const TBitmap& image, int row, const char* imageName) {
    try {
        image.ScanLine(row);
    } catch (const Exception& e) {
        throw Exception(std::string(imageName) + ": " + e.Message());
    }
    // A 32-bit picture is wide enough at 320 pixels too: its rows are longer.
    throw Exception(std::string(imageName) + " is " + std::to_string(image.Width()) +
                    " pixels wide, narrower than the " + std::to_string(FrameWidth) + " that are compared");
}
