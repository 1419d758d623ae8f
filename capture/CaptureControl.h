#pragma once

#include "WindowHandles.h"

// The capture window of the latest start; 0 until the camera is first started.
extern HWND CaptureWindow;

// Sends the message to CaptureWindow if it names an existing window;
// otherwise does nothing and reports nothing.
void SendCaptureMessage(UINT message, WPARAM wParam, LPARAM lParam = 0);

// Makes a new capture window at the top-left of `parent` (the window of the
// previous start is destroyed, releasing its camera), connects driver 0 and
// starts the scaled preview at one frame every 100 ms.
void StartCapture(HWND parent);
// Disconnects the driver; the window stays and CaptureWindow keeps naming it.
void StopCapture();
// Opens the driver's format dialog; returns when the dialog closes.
void ShowFormatDialog();
// Arms FrameCallback for the next preview frame.
void ArmFrameCallback();
