#pragma once

#include <functional>

// Runs the program's start-up steps and returns 0 whatever happens: an
// Exception that escapes them is shown with Application->ShowException, and
// any other exception is shown the same way as an Exception with an empty
// message. Then the application object is shut down.
int RunProgram(const std::function<void()>& steps) noexcept;

// The program's start-up before its event loop: the application object, the
// frame error boxes and the main window Form1.
void CreateProgram();

// The program's steps: CreateProgram, then the event loop until Form1 closes.
void ProgramSteps();
