#include "EventDispatch.h"

#include "Application.h"

void DispatchEvent(const TNotifyEvent& event, TObject* sender) noexcept {
    if (!event) return;
    // A copy, so a handler that replaces its own event runs to its end.
    const TNotifyEvent handler = event;
    try {
        handler(sender);
    } catch (...) {
        // Exceptions must not unwind through Qt's frames, which the handler
        // was called from.
        Application->HandleException(sender);
    }
}
