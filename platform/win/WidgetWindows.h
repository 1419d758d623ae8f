#pragma once

#include "WindowHandles.h"

#include <functional>

class QWidget;

// Window handles for Qt widgets. A widget with a handle can be named as a
// parent by handle and answers messages through `handler`. Destroying the
// handle runs `onDestroy`, then hides the widget and deletes it once control
// is back in the event loop; deleting the widget destroys its handle.
HWND AttachWindowHandle(QWidget* widget, WindowMessageHandler handler = {},
                        std::function<void()> onDestroy = {});

// The widget a handle names, or nullptr when it names no widget.
QWidget* WidgetOfWindow(HWND window);
