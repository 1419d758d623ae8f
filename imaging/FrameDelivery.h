#pragma once

#include "BitmapInfoHeader.h"
#include "CaptureMessages.h"
#include "Exception.h"

#include <cstdint>
#include <functional>

// The leading 40 bytes of the driver's video format as read at the latest
// delivery; all zero at start.
extern BITMAPINFOHEADER FrameFormat;

// The frame callback: packs the frame behind a bitmap file header, loads it
// into FrameImage, turns FrameImage's working area to gray and disarms itself
// at `window`. A failure stops the delivery where it happened, still disarms,
// and goes to the frame error reporter; nothing is thrown. Always returns 0.
LRESULT FrameCallback(HWND window, VIDEOHDR* frame) noexcept;

// Receives each failed delivery's error, once per failure. The application
// sets it; until then errors are written to standard error. An empty
// function restores that default.
using FrameErrorReporter = std::function<void(const Exception& error)>;
void SetFrameErrorReporter(FrameErrorReporter reporter);

// How many deliveries have completed without error since the program started;
// lets a reporter tell a repeated failure from a new one after a good frame.
std::uint64_t SuccessfulDeliveries();
