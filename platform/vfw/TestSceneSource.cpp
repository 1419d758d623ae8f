#include "TestSceneSource.h"

#include "TestScene.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cstring>
#include <vector>

namespace {

struct SceneState {
    FrameSize size;
    std::size_t stride = 0;
    std::vector<std::uint8_t> background;
    std::uint64_t frameNumber = 0;
};

// Runs on the source's streaming thread; the state belongs to it alone.
void PushNextFrame(GstAppSrc* source, guint, gpointer data) {
    auto* state = static_cast<SceneState*>(data);
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, state->background.size(), nullptr);
    GstMapInfo map;
    if (buffer == nullptr || !gst_buffer_map(buffer, &map, GST_MAP_WRITE)) {
        if (buffer != nullptr) gst_buffer_unref(buffer);
        gst_app_src_end_of_stream(source);
        return;
    }
    // The still background is drawn once; each frame copies it and adds the block.
    std::memcpy(map.data, state->background.data(), state->background.size());
    DrawTestSceneObject(state->frameNumber, state->size.width, state->size.height, map.data, state->stride);
    gst_buffer_unmap(buffer, &map);
    const GstClockTime duration = GST_SECOND / kTestSceneFramesPerSecond;
    GST_BUFFER_PTS(buffer) = state->frameNumber * duration;
    GST_BUFFER_DURATION(buffer) = duration;
    GST_BUFFER_OFFSET(buffer) = state->frameNumber;
    ++state->frameNumber;
    gst_app_src_push_buffer(source, buffer);
}

void DeleteState(gpointer data) { delete static_cast<SceneState*>(data); }

}  // namespace

GstElement* CreateTestSceneSource(FrameSize size) {
    GstElement* element = gst_element_factory_make("appsrc", "testscene");
    if (element == nullptr) return nullptr;
    auto* state = new SceneState{size, (static_cast<std::size_t>(size.width) * 3 + 3) / 4 * 4, {}, 0};
    state->background.resize(state->stride * static_cast<std::size_t>(size.height));
    RenderTestSceneBackground(size.width, size.height, state->background.data(), state->stride);

    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGR", "width", G_TYPE_INT,
                                        size.width, "height", G_TYPE_INT, size.height, "framerate",
                                        GST_TYPE_FRACTION, kTestSceneFramesPerSecond, 1, "pixel-aspect-ratio",
                                        GST_TYPE_FRACTION, 1, 1, nullptr);
    g_object_set(element, "caps", caps, "format", GST_FORMAT_TIME, "is-live", FALSE, "max-buffers",
                 guint64{2}, "block", FALSE, nullptr);
    gst_caps_unref(caps);
    GstAppSrcCallbacks callbacks{};
    callbacks.need_data = PushNextFrame;
    gst_app_src_set_callbacks(GST_APP_SRC(element), &callbacks, state, DeleteState);
    return element;
}
