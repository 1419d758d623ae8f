#include "WidgetWindows.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>

namespace {

std::map<HWND, QPointer<QWidget>>& Widgets() {
    static std::map<HWND, QPointer<QWidget>> widgets;
    return widgets;
}

}  // namespace

HWND AttachWindowHandle(QWidget* widget, WindowMessageHandler handler, std::function<void()> onDestroy) {
    const QPointer<QWidget> guarded(widget);
    // The handle is only known after registering, so the destroy action
    // finds its entry through a shared slot.
    auto self = std::make_shared<HWND>(nullptr);
    const HWND handle = RegisterWindow(std::move(handler), [guarded, self, onDestroy = std::move(onDestroy)] {
        Widgets().erase(*self);
        if (onDestroy) onDestroy();
        if (guarded) {
            guarded->hide();
            // Later, because the widget may be inside one of its own handlers.
            guarded->deleteLater();
        }
    });
    *self = handle;
    Widgets().emplace(handle, guarded);
    QObject::connect(widget, &QObject::destroyed, [handle] { DestroyWindow(handle); });
    return handle;
}

QWidget* WidgetOfWindow(HWND window) {
    const auto found = Widgets().find(window);
    return found == Widgets().end() ? nullptr : found->second.data();
}
