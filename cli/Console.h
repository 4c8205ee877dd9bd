// The console side of quenlor-cli: results on standard output, errors and
// the progress line on standard error, Ctrl+C as the engine's cancel request.
#pragma once

#include <string>

namespace console {

// A console gets the text as UTF-16 (Windows) or UTF-8; a file or a pipe
// always gets UTF-8.
void Out(const std::wstring& text);
void Err(const std::wstring& text);

// Whether standard error is a terminal, where a progress line can be redrawn.
bool ErrIsTerminal();

// Redraws the one progress line in place; an empty text clears it.
void DrawProgressLine(const std::wstring& text);

// From now on Ctrl+C, SIGTERM and SIGHUP (on Windows the console's Ctrl+C,
// Ctrl+Break and close events) ask the running worker to cancel instead of
// ending the process, so that the job cleans up after itself.
void CancelOnInterrupt();
// The signal that asked for the cancel; 0 when none did.
int CancelledBy();

}  // namespace console
