#include "WindowHandles.h"

#include <gtest/gtest.h>

TEST(WindowRegistry, SendCallsTheHandlerAndReturnsItsResult) {
    UINT seen = 0;
    const HWND window = RegisterWindow([&](UINT message, WPARAM wParam, LPARAM lParam) {
        seen = message;
        return static_cast<LRESULT>(wParam + static_cast<WPARAM>(lParam));
    });
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(SendMessageA(window, WM_USER + 7, 40, 2), 42);
    EXPECT_EQ(seen, WM_USER + 7);
    DestroyWindow(window);
}

TEST(WindowRegistry, ADestroyedHandleStaysInvalidAndIsNeverReused) {
    int calls = 0;
    const HWND first = RegisterWindow([&](UINT, WPARAM, LPARAM) { return ++calls; });
    DestroyWindow(first);
    const HWND second = RegisterWindow([&](UINT, WPARAM, LPARAM) { return ++calls; });
    EXPECT_NE(first, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(SendMessageA(first, WM_USER, 0, 0), 0);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(IsWindow(nullptr));
    DestroyWindow(second);
    DestroyWindow(second);
}

TEST(WindowRegistry, AWindowMayDestroyItselfWhileHandlingAMessage) {
    HWND window = nullptr;
    int calls = 0;
    window = RegisterWindow([&](UINT, WPARAM, LPARAM) {
        ++calls;
        DestroyWindow(window);
        return 5;
    });
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 5);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
    EXPECT_EQ(calls, 1);
}

TEST(WindowRegistry, DestroyRunsTheDestroyActionOnceAfterTheHandleIsGone) {
    int runs = 0;
    HWND window = nullptr;
    BOOL validDuringAction = -1;
    window = RegisterWindow([](UINT, WPARAM, LPARAM) -> LRESULT { return 1; },
                            [&] {
                                ++runs;
                                validDuringAction = IsWindow(window);
                                DestroyWindow(window);
                            });
    DestroyWindow(window);
    DestroyWindow(window);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(validDuringAction, 0);
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
}
