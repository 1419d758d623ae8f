#pragma once

#include "VideoHeader.h"
#include "WindowHandles.h"

// Messages a capture window answers, numbered from WM_CAP_START.
inline constexpr UINT WM_CAP_START = WM_USER;
inline constexpr UINT WM_CAP_SET_CALLBACK_FRAME = WM_CAP_START + 5;  // lParam: callback, or 0
inline constexpr UINT WM_CAP_DRIVER_CONNECT = WM_CAP_START + 10;     // wParam: driver index
inline constexpr UINT WM_CAP_DRIVER_DISCONNECT = WM_CAP_START + 11;
inline constexpr UINT WM_CAP_DLG_VIDEOFORMAT = WM_CAP_START + 41;
inline constexpr UINT WM_CAP_GET_VIDEOFORMAT = WM_CAP_START + 44;  // wParam: size, lParam: buffer
inline constexpr UINT WM_CAP_SET_PREVIEW = WM_CAP_START + 50;
inline constexpr UINT WM_CAP_SET_OVERLAY = WM_CAP_START + 51;
inline constexpr UINT WM_CAP_SET_PREVIEWRATE = WM_CAP_START + 52;  // wParam: milliseconds
inline constexpr UINT WM_CAP_SET_SCALE = WM_CAP_START + 53;

static_assert(WM_CAP_SET_CALLBACK_FRAME == 1029 && WM_CAP_GET_VIDEOFORMAT == 1068 &&
              WM_CAP_SET_SCALE == 1077);

// The frame callback: called by the capture window with its own handle and
// the frame's header.
using CAPVIDEOCALLBACK = LRESULT (*)(HWND window, VIDEOHDR* frame);
