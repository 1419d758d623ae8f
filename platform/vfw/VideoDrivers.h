#pragma once

#include "VideoFormat.h"

#include <memory>
#include <string>
#include <vector>

typedef struct _GstElement GstElement;

// A source of frames a capture window can connect: a camera, a source given
// as a GStreamer launch description, or the built-in test scene.
class VideoDriver {
public:
    virtual ~VideoDriver() = default;
    virtual std::string Name() const = 0;
    // The frame sizes the source offers, smallest first.
    virtual std::vector<FrameSize> Sizes() const = 0;
    // A new, floating source element, preferably producing `size`; the
    // pipeline converts whatever it produces. nullptr with `error` set when
    // the source cannot be made.
    virtual GstElement* CreateSource(FrameSize size, std::string& error) const = 0;
};

// The environment setting that replaces the camera list with one driver:
// "test" for the test scene, anything else a launch description.
inline constexpr const char* kVideoSourceVariable = "BGDIFF_VIDEO_SOURCE";

// The drivers as of now, driver 0 first: the one given by the setting, or
// else the cameras GStreamer finds, in a stable order. Needs GStreamer
// initialised.
std::vector<std::unique_ptr<VideoDriver>> ListVideoDrivers();

// The test scene as a driver.
std::unique_ptr<VideoDriver> MakeTestSceneDriver();
