#pragma once

#include "Bitmap.h"

// Turns the working area of `image` to gray in place, row 0 first. Pixels
// outside it keep their colours. Raises Exception at the first row the image
// lacks, or before row 0 when it is narrower than the working area.
void ConvertToGray(TBitmap& image, const char* imageName);
