#include "WindowHandles.h"

#include <map>
#include <memory>

namespace {

// All windows live on the user-interface thread, so the registry needs no lock.
struct Registry {
    std::map<std::uintptr_t, std::shared_ptr<WindowMessageHandler>> windows;
    std::uintptr_t lastId = 0;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::uintptr_t IdOf(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

}  // namespace

HWND RegisterWindow(WindowMessageHandler handler) {
    Registry& registry = TheRegistry();
    const std::uintptr_t id = ++registry.lastId;
    registry.windows.emplace(id, std::make_shared<WindowMessageHandler>(std::move(handler)));
    return reinterpret_cast<HWND>(id);
}

void DestroyWindow(HWND window) { TheRegistry().windows.erase(IdOf(window)); }

BOOL IsWindow(HWND window) { return window != nullptr && TheRegistry().windows.count(IdOf(window)) != 0; }

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto& windows = TheRegistry().windows;
    const auto found = windows.find(IdOf(window));
    if (found == windows.end() || !*found->second) return 0;
    // Holding the handler keeps it alive if the window destroys itself while
    // handling this message.
    const std::shared_ptr<WindowMessageHandler> handler = found->second;
    return (*handler)(message, wParam, lParam);
}
