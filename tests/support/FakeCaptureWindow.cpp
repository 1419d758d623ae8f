#include "FakeCaptureWindow.h"

#include <algorithm>
#include <cstring>

FakeCaptureWindow::FakeCaptureWindow(std::vector<std::uint8_t> formatBytes) : format(std::move(formatBytes)) {
    handle_ = RegisterWindow(
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return Answer(message, wParam, lParam); });
}

FakeCaptureWindow::~FakeCaptureWindow() { Destroy(); }

void FakeCaptureWindow::Destroy() { DestroyWindow(handle_); }

LRESULT FakeCaptureWindow::Answer(UINT message, WPARAM wParam, LPARAM lParam) {
    const Message m{message, wParam, lParam};
    messages.push_back(m);
    if (onMessage) onMessage(m);
    if (message != WM_CAP_GET_VIDEOFORMAT) return 1;
    if (lParam == 0) return reportedSize.value_or(static_cast<LRESULT>(format.size()));
    // The caller promises a buffer of at least wParam bytes; a real window
    // writes at most that much of its format.
    auto* buffer = reinterpret_cast<std::uint8_t*>(lParam);
    buffersBeforeRead.emplace_back(buffer, buffer + std::max<WPARAM>(wParam, 40));
    const std::size_t n = std::min<std::size_t>(wParam, format.size());
    if (n > 0) std::memcpy(buffer, format.data(), n);
    return static_cast<LRESULT>(n);
}
