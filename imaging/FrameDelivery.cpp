#include "FrameDelivery.h"

#include "FrameStream.h"
#include "GrayConversion.h"
#include "ImageBuffers.h"
#include "MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

BITMAPINFOHEADER FrameFormat = {};

namespace {

// A driver's format is a header and perhaps a colour table; anything larger
// is a broken answer, not a format to allocate for.
constexpr LRESULT kMaxFormatBytes = 64 * 1024;

std::uint64_t successfulDeliveries = 0;

FrameErrorReporter& Reporter() {
    static FrameErrorReporter reporter;
    return reporter;
}

void Report(const Exception& error) {
    try {
        if (Reporter()) {
            Reporter()(error);
        } else {
            std::cerr << "bgdiff: frame delivery failed: " << error.Message() << '\n';
        }
    } catch (...) {
        // The reporter's own failure has nowhere else to go: the capture
        // window that called us must not see it.
    }
}

// The error being handled, as the platform's Exception. Describing it may
// itself run out of memory; the fallback message is short enough to need no
// allocation.
Exception CurrentError() noexcept {
    try {
        try {
            throw;
        } catch (const Exception& error) {
            return error;
        } catch (const std::exception& error) {
            return Exception(std::string("frame delivery failed: ") + error.what());
        } catch (...) {
            return Exception("frame delivery failed with an error of unknown type");
        }
    } catch (...) {
        return Exception("out of memory");
    }
}

LRESULT SendIfWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindow(window) ? SendMessageA(window, message, wParam, lParam) : 0;
}

// Reads the driver's format into FrameFormat. A window that is gone, or a
// format shorter than 40 bytes, leaves the rest of FrameFormat as it was.
void ReadFrameFormat(HWND window) {
    if (!IsWindow(window)) return;
    const LRESULT size = SendMessageA(window, WM_CAP_GET_VIDEOFORMAT, 0, 0);
    if (size < 0 || size > kMaxFormatBytes) {
        throw Exception("the capture window reports a video format of " + std::to_string(size) +
                        " bytes; expected 0 to " + std::to_string(kMaxFormatBytes));
    }
    std::vector<std::uint8_t> buffer(std::max<std::size_t>(size, sizeof FrameFormat));
    std::memcpy(buffer.data(), &FrameFormat, sizeof FrameFormat);
    SendIfWindow(window, WM_CAP_GET_VIDEOFORMAT, static_cast<WPARAM>(size),
                 reinterpret_cast<LPARAM>(buffer.data()));
    std::memcpy(&FrameFormat, buffer.data(), sizeof FrameFormat);
}

void DeliverFrame(HWND window, const VIDEOHDR* frame) {
    {
        TMemoryStream stream;
        FrameImage.SetWidth(FrameWidth);
        FrameImage.SetHeight(FrameHeight);
        FrameImage.SetPixelFormat(pf24bit);
        ReadFrameFormat(window);
        if (frame == nullptr) throw Exception("the capture window delivered no frame header");
        PackFrame(stream, FrameFormat, *frame);
        stream.SetPosition(0);
        FrameImage.LoadFromStream(stream);
    }
    ConvertToGray(FrameImage, "FrameImage");
}

}  // namespace

LRESULT FrameCallback(HWND window, VIDEOHDR* frame) noexcept {
    std::optional<Exception> failure;
    try {
        DeliverFrame(window, frame);
    } catch (...) {
        failure = CurrentError();
    }
    // Disarmed after a failure too: a format that cannot be loaded would
    // otherwise fail again with every preview frame.
    try {
        SendIfWindow(window, WM_CAP_SET_CALLBACK_FRAME, 0, 0);
    } catch (...) {
        if (!failure) failure = CurrentError();
    }
    if (failure) {
        Report(*failure);
    } else {
        ++successfulDeliveries;
    }
    return 0;
}

void SetFrameErrorReporter(FrameErrorReporter reporter) { Reporter() = std::move(reporter); }

std::uint64_t SuccessfulDeliveries() { return successfulDeliveries; }
