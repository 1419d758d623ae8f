#pragma once

#include "Component.h"

// Calls an event handler of a control or timer. Whatever the handler throws
// stops here and is shown by the application; the program goes on. An empty
// event does nothing.
void DispatchEvent(const TNotifyEvent& event, TObject* sender) noexcept;
