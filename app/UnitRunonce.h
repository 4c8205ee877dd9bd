// The single-instance guard: a named 4-byte block of shared memory holding
// the application window of the first running instance.
#pragma once
#include <windows.h>

// Takes the slot for h when no live instance holds it, or the one that
// holds it does not answer within 3 seconds, and answers false; otherwise
// restores the running instance, brings its last active window to the
// front and answers true. Answers false when the block could not be set up
// (the guard is off).
bool RunOnceCheck(HWND h);
