#include "ProgramEntry.h"

#include "Application.h"
#include "Exception.h"
#include "FrameDelivery.h"
#include "FrameErrorBox.h"
#include "Unit1.h"

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

void CreateProgram() {
    Application->Initialize();
    // A frame that fails to load fails again at every grab: its error is
    // shown once, in a box that does not pile up.
    SetFrameErrorReporter(FrameErrorBox(SuccessfulDeliveries));
    Application->CreateForm(Form1);
}

void ProgramSteps() {
    CreateProgram();
    Application->Run();
}
