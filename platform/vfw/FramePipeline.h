#pragma once

#include "VideoDrivers.h"
#include "VideoFormat.h"

#include <memory>
#include <optional>
#include <string>

typedef struct _GstElement GstElement;
typedef struct _GstSample GstSample;

// One frame taken from the pipeline, held (not copied) until released:
// top-down rows `stride` bytes apart in the window's delivered format.
class HeldFrame {
public:
    HeldFrame(GstSample* sample, const VideoFormat& format, std::size_t stride);
    ~HeldFrame();
    HeldFrame(const HeldFrame&) = delete;
    HeldFrame& operator=(const HeldFrame&) = delete;

    const std::uint8_t* Data() const { return data_; }
    std::size_t Stride() const { return stride_; }
    const VideoFormat& Format() const { return format_; }
    bool Valid() const { return data_ != nullptr; }

private:
    GstSample* sample_;
    struct Mapping;
    std::unique_ptr<Mapping> mapping_;
    const std::uint8_t* data_ = nullptr;
    VideoFormat format_;
    std::size_t stride_;
};

// Whether a buffer of the negotiated caps may be handed on: not flagged
// corrupted, exactly the negotiated size, and of the asked format.
bool AcceptableFrame(bool corrupted, std::size_t bufferBytes, std::size_t negotiatedBytes,
                     const VideoFormat& negotiated, const VideoFormat& asked);

// The source of one driver, converted to one format, ending in a sink that
// keeps only the newest frame. GStreamer's threads fill the sink; the owner
// takes frames and bus messages on its own thread.
class FramePipeline {
public:
    // Builds and starts the pipeline within two seconds; nullptr with
    // `error` set when the source cannot be opened. A live source counts as
    // open before its first frame.
    static std::unique_ptr<FramePipeline> Open(const VideoDriver& driver, const VideoFormat& format,
                                               std::string& error);
    ~FramePipeline();
    FramePipeline(const FramePipeline&) = delete;
    FramePipeline& operator=(const FramePipeline&) = delete;

    // The newest acceptable frame since the last call, if any.
    std::unique_ptr<HeldFrame> TakeFrame();

    struct Event {
        enum Kind { Warning, Error, End } kind;
        std::string text;
    };
    // The next warning, error or end of stream the pipeline posted.
    std::optional<Event> NextEvent();

private:
    FramePipeline(GstElement* pipeline, GstElement* sink, const VideoFormat& format);
    GstElement* pipeline_;
    GstElement* sink_;
    VideoFormat format_;
    bool stopInBackground_ = false;
};

// Makes GStreamer usable; false when it cannot start.
bool EnsureGStreamer();
