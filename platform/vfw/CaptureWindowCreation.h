#pragma once

#include "BaseTypes.h"
#include "WindowHandles.h"

#include <functional>
#include <string>

inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;

// Creates a capture window as a child of the widget that `parent` names, at
// x, y with the given size, and returns its handle; 0 when `parent` names no
// widget or the window cannot be made. The window starts with no driver.
HWND capCreateCaptureWindowA(const char* windowName, DWORD style, int x, int y, int width, int height,
                             HWND parent, int id);

// What capCreateCaptureWindowA was asked for.
struct CaptureWindowRequest {
    std::string windowName;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    int id = 0;
};

// Replaces how capture windows are made, for instance by one that records;
// an empty factory restores the real capture window.
using CaptureWindowFactory = std::function<HWND(const CaptureWindowRequest& request)>;
void SetCaptureWindowFactory(CaptureWindowFactory factory);
