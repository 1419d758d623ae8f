#include "Application.h"
#include "FrameDelivery.h"
#include "FrameErrorBox.h"
#include "ProgramEntry.h"
#include "Unit1.h"

// The image buffers exist already: they are made during start-up, before main.
int main() {
    return RunProgram([] {
        Application->Initialize();
        // A frame that fails to load fails again with every preview frame.
        SetFrameErrorReporter(FrameErrorBox(SuccessfulDeliveries));
        Application->CreateForm(Form1);
        Application->Run();
    });
}
