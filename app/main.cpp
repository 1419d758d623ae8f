#include "ProgramEntry.h"

// The image buffers exist already: they are made during start-up, before main.
int main() { return RunProgram(ProgramSteps); }
