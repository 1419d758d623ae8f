#include "ProgramEntry.h"

#include "Application.h"
#include "Exception.h"

#include <cstdio>

int RunProgram(const std::function<void()>& steps) noexcept {
    try {
        try {
            steps();
        } catch (const Exception& error) {
            Application->ShowException(error);
        } catch (...) {
            // Nothing else is known of a foreign exception, so none of it is shown.
            Application->ShowException(Exception(""));
        }
    } catch (...) {
        std::fputs("an error could not be shown\n", stderr);
    }
    Application->Shutdown();
    return 0;
}
