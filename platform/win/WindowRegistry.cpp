#include "WindowHandles.h"

#include <map>
#include <memory>

namespace {

// All windows live on the user-interface thread, so the registry needs no lock.
struct Window {
    std::shared_ptr<WindowMessageHandler> handler;
    std::function<void()> onDestroy;
};

struct Registry {
    std::map<std::uintptr_t, Window> windows;
    std::uintptr_t lastId = 0;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::uintptr_t IdOf(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

}  // namespace

HWND RegisterWindow(WindowMessageHandler handler, std::function<void()> onDestroy) {
    Registry& registry = TheRegistry();
    const std::uintptr_t id = ++registry.lastId;
    registry.windows.emplace(
        id, Window{std::make_shared<WindowMessageHandler>(std::move(handler)), std::move(onDestroy)});
    return reinterpret_cast<HWND>(id);
}

void DestroyWindow(HWND window) {
    auto& windows = TheRegistry().windows;
    const auto found = windows.find(IdOf(window));
    if (found == windows.end()) return;
    // Forgotten first, so the destroy action may itself destroy this or any
    // other window without meeting a half-destroyed one.
    std::function<void()> onDestroy = std::move(found->second.onDestroy);
    windows.erase(found);
    if (onDestroy) onDestroy();
}

BOOL IsWindow(HWND window) { return window != nullptr && TheRegistry().windows.count(IdOf(window)) != 0; }

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto& windows = TheRegistry().windows;
    const auto found = windows.find(IdOf(window));
    if (found == windows.end() || !*found->second.handler) return 0;
    // Holding the handler keeps it alive if the window destroys itself while
    // handling this message.
    const std::shared_ptr<WindowMessageHandler> handler = found->second.handler;
    return (*handler)(message, wParam, lParam);
}
