// The state of a job on the main window's taskbar button, as the system's
// own copy dialogs show it: the overall progress, paused while the user is
// asked whether to stop, red after a failure, nothing between jobs.
#pragma once
#include <windows.h>

#include <memory>

enum TTaskbarState { tbsNone, tbsNormal, tbsPaused, tbsError };

// Where the state goes: the system's taskbar, or a test's stand-in.
class TTaskbarProgress {
 public:
  virtual ~TTaskbarProgress() = default;
  // percent (0 to 100) is the bar's length in every state but tbsNone.
  virtual void Show(HWND window, TTaskbarState state, int percent) = 0;
};

// The job's percentage; the state stays (a held job stays paused), except
// that a button showing nothing starts showing the progress.
void ShowTaskbarProgress(int percent);
// A new state, at the last percentage (none clears it).
void ShowTaskbarState(TTaskbarState state);

// Replaces where the state goes (the system's taskbar by default); the
// state shown so far is forgotten.
void SetTaskbarProgress(std::unique_ptr<TTaskbarProgress> taskbar);
