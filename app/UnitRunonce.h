// The single-instance guard: a named 4-byte block of shared memory holding
// the application window of the first running instance. A later start that
// carries a file hands it to that instance, which opens it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Takes the slot for h when no live instance holds it, or the one that
// holds it does not answer in time, and answers false; otherwise restores
// the running instance, brings its last active window to the front and
// answers true. Answers false when the block could not be set up (the
// guard is off).
bool RunOnceCheck(HWND h);

// After RunOnceCheck answered true: hands path, made a full path here, to
// the instance it restored. False when there is none, or it did not take
// the file in time.
bool HandOverFile(const std::wstring& path);

// The first instance: from now on the application window h takes the files
// that later starts hand over, and keeps them until OpenHandedFiles.
void ListenForHandedFiles(HWND h);

// Opens the files handed over so far, and each later one, with open, one at
// a time, from the message loop; a file waits while window is disabled (a
// box or dialog is open over it).
void OpenHandedFiles(HWND window, std::function<void(const std::wstring&)> open);

// The content of a hand-over message: the path, or empty when the data is
// not a hand-over (another tag, an odd or oversized length, no text).
std::wstring HandedPath(const COPYDATASTRUCT& data);
