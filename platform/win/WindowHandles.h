#pragma once

#include <cstdint>
#include <functional>

// Window handles and messages. A window here is anything registered with a
// message handler; it is named by a handle that is never used again once the
// window is destroyed, so a stale handle stays invalid for good.

struct HWND__;
using HWND = HWND__*;
using UINT = unsigned int;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr UINT WM_USER = 0x0400;

using WindowMessageHandler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

// Registers a window and returns its new, never reused, handle. `onDestroy`
// runs once when the window is destroyed, after its handle stopped naming it.
HWND RegisterWindow(WindowMessageHandler handler, std::function<void()> onDestroy = {});
// Forgets the window; its handle no longer names a window. Safe to call from
// inside the window's own handler and on a handle that names no window.
void DestroyWindow(HWND window);

// Nonzero when `window` names an existing window.
BOOL IsWindow(HWND window);
// Calls the window's handler and returns its result; 0 for a handle that
// names no window.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
