#pragma once

#include "VideoFormat.h"

typedef struct _GstElement GstElement;

// A GStreamer source element that plays the test scene at `size`, blue,
// green, red bytes, kTestSceneFramesPerSecond frames a second, frame
// numbers counting from 0 and time stamps to match.
GstElement* CreateTestSceneSource(FrameSize size);
