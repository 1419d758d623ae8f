#include "CaptureControl.h"

#include "CaptureMessages.h"
#include "CaptureWindowCreation.h"
#include "FrameDelivery.h"

HWND CaptureWindow = nullptr;

void SendCaptureMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsWindow(CaptureWindow)) SendMessageA(CaptureWindow, message, wParam, lParam);
}

void StartCapture(HWND parent) {
    // Only one window may hold the camera; the earlier window would otherwise
    // keep it busy and the new connect would fail.
    DestroyWindow(CaptureWindow);
    CaptureWindow = capCreateCaptureWindowA("Capture Window", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, parent, 0);
    SendCaptureMessage(WM_CAP_DRIVER_CONNECT, 0);
    SendCaptureMessage(WM_CAP_SET_OVERLAY, 1);
    SendCaptureMessage(WM_CAP_SET_PREVIEW, 1);
    SendCaptureMessage(WM_CAP_SET_SCALE, 1);
    SendCaptureMessage(WM_CAP_SET_PREVIEWRATE, 100);
}

void StopCapture() { SendCaptureMessage(WM_CAP_DRIVER_DISCONNECT, 0); }

void ShowFormatDialog() { SendCaptureMessage(WM_CAP_DLG_VIDEOFORMAT, 0); }

void ArmFrameCallback() {
    SendCaptureMessage(WM_CAP_SET_CALLBACK_FRAME, 0, reinterpret_cast<LPARAM>(&FrameCallback));
}
