#include "VideoDrivers.h"

#include "TestSceneSource.h"

#include <gst/gst.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

class TestSceneDriver final : public VideoDriver {
public:
    std::string Name() const override { return "Test scene"; }
    std::vector<FrameSize> Sizes() const override { return StandardFrameSizes(); }
    GstElement* CreateSource(FrameSize size, std::string& error) const override {
        GstElement* source = CreateTestSceneSource(size);
        if (source == nullptr) error = "the GStreamer element appsrc is missing";
        return source;
    }
};

// A source the user described; it may produce any size, which the pipeline
// scales, so the usual sizes are offered.
class LaunchDriver final : public VideoDriver {
public:
    explicit LaunchDriver(std::string description) : description_(std::move(description)) {}
    std::string Name() const override { return description_; }
    std::vector<FrameSize> Sizes() const override { return StandardFrameSizes(); }
    GstElement* CreateSource(FrameSize, std::string& error) const override {
        GError* failure = nullptr;
        GstElement* source = gst_parse_bin_from_description(description_.c_str(), TRUE, &failure);
        if (failure != nullptr) {
            error = "cannot use \"" + description_ + "\": " + failure->message;
            g_error_free(failure);
            if (source != nullptr) gst_object_unref(source);
            return nullptr;
        }
        return source;
    }

private:
    std::string description_;
};

class DeviceDriver final : public VideoDriver {
public:
    explicit DeviceDriver(GstDevice* device) : device_(GST_DEVICE(gst_object_ref(device))) {}
    ~DeviceDriver() override { gst_object_unref(device_); }
    DeviceDriver(const DeviceDriver&) = delete;
    DeviceDriver& operator=(const DeviceDriver&) = delete;

    std::string Name() const override {
        gchar* name = gst_device_get_display_name(device_);
        std::string result = name != nullptr ? name : "camera";
        g_free(name);
        return result;
    }

    // The fixed sizes in the device's caps; a device that lists only ranges
    // gets the usual sizes and the pipeline scales.
    std::vector<FrameSize> Sizes() const override {
        std::set<FrameSize> sizes;
        if (GstCaps* caps = gst_device_get_caps(device_)) {
            for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
                const GstStructure* s = gst_caps_get_structure(caps, i);
                int width = 0;
                int height = 0;
                if (gst_structure_get_int(s, "width", &width) && gst_structure_get_int(s, "height", &height) &&
                    width > 0 && height > 0) {
                    sizes.insert({width, height});
                }
            }
            gst_caps_unref(caps);
        }
        if (sizes.empty()) return StandardFrameSizes();
        std::vector<FrameSize> list(sizes.begin(), sizes.end());
        std::sort(list.begin(), list.end(), [](FrameSize a, FrameSize b) {
            return std::make_pair(a.width * a.height, a.width) < std::make_pair(b.width * b.height, b.width);
        });
        return list;
    }

    // A camera left to itself picks its largest mode; when it offers the
    // chosen size it is held to it, raw or JPEG, so nothing larger is
    // decoded and scaled down ten times a second.
    GstElement* CreateSource(FrameSize size, std::string& error) const override {
        GstElement* camera = gst_device_create_element(device_, nullptr);
        if (camera == nullptr) {
            error = "cannot open the camera \"" + Name() + "\"";
            return nullptr;
        }
        const std::vector<FrameSize> sizes = Sizes();
        if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) return camera;
        GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
        if (filter == nullptr) return camera;
        GstCaps* caps = gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, size.width, "height", G_TYPE_INT,
                                            size.height, nullptr);
        gst_caps_append(caps, gst_caps_new_simple("image/jpeg", "width", G_TYPE_INT, size.width, "height",
                                                  G_TYPE_INT, size.height, nullptr));
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);
        GstElement* bin = gst_bin_new(nullptr);
        gst_bin_add_many(GST_BIN(bin), camera, filter, nullptr);
        GstPad* output = gst_element_get_static_pad(filter, "src");
        const bool linked = gst_element_link(camera, filter) &&
                            gst_element_add_pad(bin, gst_ghost_pad_new("src", output));
        gst_object_unref(output);
        if (!linked) {
            gst_object_unref(gst_object_ref_sink(bin));
            error = "cannot hold the camera \"" + Name() + "\" to " + SizeLabel(size);
            return nullptr;
        }
        return bin;
    }

    // The key that orders cameras: the device path where there is one, so
    // the same camera stays the same driver from run to run.
    std::string SortKey() const {
        std::string key;
        if (GstStructure* properties = gst_device_get_properties(device_)) {
            for (const char* field : {"api.v4l2.path", "device.path", "object.path"}) {
                if (const gchar* value = gst_structure_get_string(properties, field)) {
                    key = value;
                    break;
                }
            }
            gst_structure_free(properties);
        }
        return key + '\n' + Name();
    }

private:
    GstDevice* device_;
};

std::vector<std::unique_ptr<VideoDriver>> ListCameras() {
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
    GList* devices = gst_device_monitor_get_devices(monitor);
    std::vector<std::unique_ptr<DeviceDriver>> cameras;
    for (GList* item = devices; item != nullptr; item = item->next) {
        cameras.push_back(std::make_unique<DeviceDriver>(GST_DEVICE(item->data)));
    }
    g_list_free_full(devices, gst_object_unref);
    gst_object_unref(monitor);
    std::stable_sort(cameras.begin(), cameras.end(),
                     [](const auto& a, const auto& b) { return a->SortKey() < b->SortKey(); });
    std::vector<std::unique_ptr<VideoDriver>> drivers;
    for (auto& camera : cameras) drivers.push_back(std::move(camera));
    return drivers;
}

}  // namespace

std::unique_ptr<VideoDriver> MakeTestSceneDriver() { return std::make_unique<TestSceneDriver>(); }

std::vector<std::unique_ptr<VideoDriver>> ListVideoDrivers() {
    const char* setting = std::getenv(kVideoSourceVariable);
    if (setting == nullptr || *setting == '\0') return ListCameras();
    std::vector<std::unique_ptr<VideoDriver>> drivers;
    if (std::string(setting) == "test") {
        drivers.push_back(MakeTestSceneDriver());
    } else {
        drivers.push_back(std::make_unique<LaunchDriver>(setting));
    }
    return drivers;
}
