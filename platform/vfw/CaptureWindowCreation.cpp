#include "CaptureWindowCreation.h"

namespace {

CaptureWindowFactory& Factory() {
    static CaptureWindowFactory factory;
    return factory;
}

}  // namespace

HWND capCreateCaptureWindowA(const char* windowName, DWORD style, int x, int y, int width, int height,
                             HWND parent, int id) {
    const CaptureWindowRequest request{windowName ? windowName : "", style, x, y, width, height, parent, id};
    if (Factory()) return Factory()(request);
    return nullptr;
}

void SetCaptureWindowFactory(CaptureWindowFactory factory) { Factory() = std::move(factory); }
