#pragma once

#include "BaseTypes.h"

// One captured frame as a capture window hands it to the frame callback.
struct VIDEOHDR {
    BYTE* lpData = nullptr;    // the frame's bytes
    DWORD dwBufferLength = 0;  // size of the buffer at lpData
    DWORD dwBytesUsed = 0;     // bytes of it that hold the frame (0 when a driver leaves it unset)
    DWORD dwTimeCaptured = 0;  // milliseconds since capture started
    DWORD_PTR dwUser = 0;
    DWORD dwFlags = 0;
    DWORD_PTR dwReserved[4] = {};
};
