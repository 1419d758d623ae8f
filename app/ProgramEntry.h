#pragma once

#include <functional>

// Runs the program's start-up steps and returns 0 whatever happens: an
// Exception that escapes them is shown with Application->ShowException, and
// any other exception is shown the same way as an Exception with an empty
// message. Then the application object is shut down.
int RunProgram(const std::function<void()>& steps) noexcept;
