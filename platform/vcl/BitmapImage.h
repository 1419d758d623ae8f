#pragma once

#include "Bitmap.h"

#include <QImage>

// A Qt image with the bitmap's pixels, top row first: RGB888 for a 24-bit
// bitmap, RGB32 for a 32-bit one (its fourth byte ignored). A null image for
// an empty bitmap. The image owns its pixels.
QImage ToQImage(const TBitmap& bitmap);
