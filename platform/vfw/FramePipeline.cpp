#include "FramePipeline.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <thread>

namespace {

// Opening must end within 2 s; the rest of the budget is for building and
// for a failure's teardown.
constexpr GstClockTime kPrerollTimeout = 1500 * GST_MSECOND;

const char* GstFormatName(int bitCount) {
    switch (bitCount) {
        case 32:
            return "BGRx";
        case 16:
            return "RGB15";
        default:
            return "BGR";
    }
}

std::optional<int> BitCountOf(GstVideoFormat format) {
    switch (format) {
        case GST_VIDEO_FORMAT_BGR:
            return 24;
        case GST_VIDEO_FORMAT_BGRx:
            return 32;
        case GST_VIDEO_FORMAT_RGB15:
            return 16;
        default:
            return std::nullopt;
    }
}

// A decoder's output pad appears once the stream's type is known.
void LinkDecodedPad(GstElement*, GstPad* pad, gpointer next) {
    GstPad* target = gst_element_get_static_pad(GST_ELEMENT(next), "sink");
    if (!gst_pad_is_linked(target)) gst_pad_link(pad, target);
    gst_object_unref(target);
}

std::string ErrorText(GstMessage* message) {
    GError* error = nullptr;
    gchar* debug = nullptr;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        gst_message_parse_error(message, &error, &debug);
    } else {
        gst_message_parse_warning(message, &error, &debug);
    }
    std::string text = error != nullptr ? error->message : "unknown error";
    if (GST_MESSAGE_SRC(message) != nullptr) {
        text = std::string(GST_OBJECT_NAME(GST_MESSAGE_SRC(message))) + ": " + text;
    }
    if (error != nullptr) g_error_free(error);
    g_free(debug);
    return text;
}

}  // namespace

struct HeldFrame::Mapping {
    GstMapInfo map;
    GstBuffer* buffer;
};

HeldFrame::HeldFrame(GstSample* sample, const VideoFormat& format, std::size_t stride)
    : sample_(sample), format_(format), stride_(stride) {
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    auto mapping = std::make_unique<Mapping>();
    mapping->buffer = buffer;
    if (buffer != nullptr && gst_buffer_map(buffer, &mapping->map, GST_MAP_READ)) {
        data_ = mapping->map.data;
        mapping_ = std::move(mapping);
    }
}

HeldFrame::~HeldFrame() {
    if (mapping_) gst_buffer_unmap(mapping_->buffer, &mapping_->map);
    gst_sample_unref(sample_);
}

bool AcceptableFrame(bool corrupted, std::size_t bufferBytes, std::size_t negotiatedBytes,
                     const VideoFormat& negotiated, const VideoFormat& asked) {
    return !corrupted && bufferBytes == negotiatedBytes && negotiated == asked;
}

bool EnsureGStreamer() {
    static const bool started = gst_init_check(nullptr, nullptr, nullptr);
    return started;
}

FramePipeline::FramePipeline(GstElement* pipeline, GstElement* sink, const VideoFormat& format)
    : pipeline_(pipeline), sink_(sink), format_(format) {}

FramePipeline::~FramePipeline() {
    gst_object_unref(sink_);
    if (stopInBackground_) {
        std::thread([pipeline = pipeline_] {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(pipeline);
        }).detach();
        return;
    }
    // Stopping is synchronous, so the device is free when this returns.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    gst_object_unref(pipeline_);
}

std::unique_ptr<FramePipeline> FramePipeline::Open(const VideoDriver& driver, const VideoFormat& format,
                                                   std::string& error) {
    if (!EnsureGStreamer()) {
        error = "GStreamer cannot start";
        return nullptr;
    }
    GstElement* source = driver.CreateSource(format.size, error);
    if (source == nullptr) return nullptr;

    GstElement* pipeline = gst_pipeline_new("capture");
    GstElement* decode = gst_element_factory_make("decodebin", nullptr);
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* scale = gst_element_factory_make("videoscale", nullptr);
    GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
    GstElement* sink = gst_element_factory_make("appsink", "frames");
    for (GstElement* element : {decode, convert, scale, filter, sink}) {
        if (element == nullptr) {
            error = "a GStreamer element is missing (decodebin, videoconvert, videoscale, capsfilter, appsink): "
                    "install gstreamer1.0-plugins-base";
            for (GstElement* e : {source, pipeline, decode, convert, scale, filter, sink}) {
                if (e != nullptr) gst_object_unref(gst_object_ref_sink(e));
            }
            return nullptr;
        }
    }
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, GstFormatName(format.bitCount),
                                        "width", G_TYPE_INT, format.size.width, "height", G_TYPE_INT,
                                        format.size.height, nullptr);
    g_object_set(filter, "caps", caps, nullptr);
    gst_caps_unref(caps);
    // Only the newest frame is kept: the window takes frames at its own
    // pace and an older frame is never worth delivering.
    g_object_set(sink, "drop", TRUE, "max-buffers", 1u, "sync", TRUE, "emit-signals", FALSE, nullptr);

    gst_bin_add_many(GST_BIN(pipeline), source, decode, convert, scale, filter, sink, nullptr);
    // Scaled before the conversion, so a large camera picture is made small
    // before any per-pixel colour work.
    g_signal_connect(decode, "pad-added", G_CALLBACK(LinkDecodedPad), scale);
    auto pipelineOwner = std::unique_ptr<FramePipeline>(
        new FramePipeline(pipeline, GST_ELEMENT(gst_object_ref(sink)), format));
    if (!gst_element_link(source, decode) || !gst_element_link_many(scale, convert, filter, sink, nullptr)) {
        error = "cannot link the source to its conversion";
        return nullptr;
    }

    // A live source (a camera) cannot preroll: it says so at once, and its
    // first frame may take a while, which the window shows as waiting. A
    // source that can preroll must do so within the budget.
    // Going on to playing may again be asynchronous for a live source, whose
    // sink waits for the first frame; only a failure counts there.
    GstStateChangeReturn state = gst_element_set_state(pipeline, GST_STATE_PAUSED);
    if (state == GST_STATE_CHANGE_ASYNC) state = gst_element_get_state(pipeline, nullptr, nullptr, kPrerollTimeout);
    if (state != GST_STATE_CHANGE_FAILURE && state != GST_STATE_CHANGE_ASYNC &&
        gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        state = GST_STATE_CHANGE_FAILURE;
    }
    if (state == GST_STATE_CHANGE_FAILURE || state == GST_STATE_CHANGE_ASYNC) {
        error = state == GST_STATE_CHANGE_ASYNC ? "the source gave no frame within 1.5 s" : "the source did not start";
        while (auto event = pipelineOwner->NextEvent()) {
            if (event->kind == Event::Error) {
                error = event->text;
                break;
            }
        }
        // A source stuck in its own thread may take long to stop; that wait
        // must not hold up the window.
        if (state == GST_STATE_CHANGE_ASYNC) pipelineOwner->stopInBackground_ = true;
        return nullptr;
    }
    return pipelineOwner;
}

std::unique_ptr<HeldFrame> FramePipeline::TakeFrame() {
    GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink_), 0);
    if (sample == nullptr) return nullptr;
    GstVideoInfo info;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstCaps* caps = gst_sample_get_caps(sample);
    if (buffer == nullptr || caps == nullptr || !gst_video_info_from_caps(&info, caps)) {
        gst_sample_unref(sample);
        return nullptr;
    }
    const VideoFormat negotiated{{GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)},
                                 BitCountOf(GST_VIDEO_INFO_FORMAT(&info)).value_or(0)};
    if (!AcceptableFrame(GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_CORRUPTED), gst_buffer_get_size(buffer),
                         GST_VIDEO_INFO_SIZE(&info), negotiated, format_)) {
        gst_sample_unref(sample);
        return nullptr;
    }
    auto frame = std::make_unique<HeldFrame>(sample, format_, GST_VIDEO_INFO_PLANE_STRIDE(&info, 0));
    if (!frame->Valid()) return nullptr;
    return frame;
}

std::optional<FramePipeline::Event> FramePipeline::NextEvent() {
    GstBus* bus = gst_element_get_bus(pipeline_);
    GstMessage* message = gst_bus_pop_filtered(
        bus, static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_WARNING | GST_MESSAGE_EOS));
    gst_object_unref(bus);
    if (message == nullptr) return std::nullopt;
    Event event{Event::End, "the video source ended"};
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) event = {Event::Error, ErrorText(message)};
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_WARNING) event = {Event::Warning, ErrorText(message)};
    gst_message_unref(message);
    return event;
}
