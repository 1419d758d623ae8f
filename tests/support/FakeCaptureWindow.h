#pragma once

#include "CaptureMessages.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

// A capture window registered like any window: it answers
// WM_CAP_GET_VIDEOFORMAT with the format bytes it was given and records
// every message it gets.
class FakeCaptureWindow {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Message&) const = default;
        friend void PrintTo(const Message& m, std::ostream* os) {
            *os << "{" << m.message << ", " << m.wParam << ", " << m.lParam << "}";
        }
    };

    explicit FakeCaptureWindow(std::vector<std::uint8_t> format = {});
    ~FakeCaptureWindow();
    FakeCaptureWindow(const FakeCaptureWindow&) = delete;
    FakeCaptureWindow& operator=(const FakeCaptureWindow&) = delete;

    HWND Handle() const { return handle_; }
    void Destroy();

    std::vector<std::uint8_t> format;
    // When set, the size answered to the size query instead of format.size().
    std::optional<LRESULT> reportedSize;
    // Runs after a message is recorded, before it is answered.
    std::function<void(const Message&)> onMessage;
    std::vector<Message> messages;
    // The buffer contents seen at each format read, before the window wrote it.
    std::vector<std::vector<std::uint8_t>> buffersBeforeRead;

private:
    LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_ = nullptr;
};
