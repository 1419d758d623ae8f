#include "CaptureWindowCreation.h"

#include "CaptureWidget.h"
#include "WidgetWindows.h"

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
    QWidget* parentWidget = WidgetOfWindow(parent);
    if (parentWidget == nullptr || width <= 0 || height <= 0) return nullptr;
    auto* window = new CaptureWidget(parentWidget);
    window->setObjectName(QString::fromStdString(request.windowName));
    window->setGeometry(x, y, width, height);
    if ((style & WS_VISIBLE) != 0) window->show();
    return window->Handle();
}

void SetCaptureWindowFactory(CaptureWindowFactory factory) { Factory() = std::move(factory); }
