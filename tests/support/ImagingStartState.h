#pragma once

#include "BackgroundDifference.h"
#include "FrameDelivery.h"
#include "ImageBuffers.h"

// Puts the imaging globals back to how start-up leaves them: four empty
// buffers, no frame format, threshold 0. For tests that link the imaging
// layer.
inline void ResetImagingStartState() {
    FrameImage = TBitmap();
    BackgroundImage = TBitmap();
    CurrentImage = TBitmap();
    ResultImage = TBitmap();
    FrameFormat = {};
    Threshold = 0;
}
