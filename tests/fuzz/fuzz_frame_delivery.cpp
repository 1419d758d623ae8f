// Arbitrary video formats and frame lengths through FrameCallback, with a
// capture window that answers the format query with the fuzzed bytes. No
// error may escape, every delivery disarms, and a failure is reported once.
//
// Input: byte 0 is the format's length (0 to 63 bytes), then the format
// bytes, then 4 bytes of dwBytesUsed (any value, even past the buffer), then
// the frame's bytes, which are the whole buffer.
#include "FakeCaptureWindow.h"
#include "FrameDelivery.h"
#include "ImageBuffers.h"
#include "LittleEndian.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int reports = 0;
    static const bool reporterSet = [] {
        SetFrameErrorReporter([](const Exception&) { ++reports; });
        return true;
    }();
    (void)reporterSet;

    if (size < 1) return 0;
    const std::size_t formatLength = std::min<std::size_t>(data[0] % 64, size - 1);
    std::size_t at = 1;
    std::vector<std::uint8_t> format(data + at, data + at + formatLength);
    at += formatLength;
    std::uint32_t bytesUsed = 0;
    if (size - at >= 4) {
        bytesUsed = little_endian::ReadU32(data + at);
        at += 4;
    }
    std::vector<std::uint8_t> pixels(data + at, data + size);

    VIDEOHDR header;
    header.lpData = pixels.data();
    header.dwBufferLength = static_cast<DWORD>(pixels.size());
    header.dwBytesUsed = bytesUsed;

    FakeCaptureWindow window(format);
    reports = 0;
    if (FrameCallback(window.Handle(), &header) != 0) std::abort();
    if (reports > 1) std::abort();
    if (window.messages.empty() || window.messages.back().message != WM_CAP_SET_CALLBACK_FRAME) {
        std::abort();
    }
    if (reports == 0 && (FrameImage.Width() < FrameWidth || FrameImage.Height() < FrameHeight)) {
        std::abort();
    }
    return 0;
}
