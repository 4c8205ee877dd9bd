// Helpers of the page tests: message boxes the support library's double
// recorded, and files that take no room on the disk.
#pragma once

#include "app/TaskbarProgress.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TControl;
class TLabel;
class TXProcessBar;

namespace pagetests {

// A file of size bytes that takes no room on the disk.
void MakeSparse(const std::wstring& path, int64_t size);
// The texts of the message boxes shown so far.
std::vector<std::wstring> Boxes();
// Expects box index to have been shown with this text, style and owner,
// titled with the product name.
void ExpectBox(size_t index, const std::wstring& text, uint32_t style, HWND owner);

// What the main window's taskbar button was shown, with the number of
// message boxes shown by then.
struct TTaskbarCall {
  TTaskbarState State;
  int Percent;
  size_t Boxes;
};
// Installs a stand-in for the system's taskbar that records every change
// into TaskbarCalls, which it empties.
void RecordTaskbar();
std::vector<TTaskbarCall>& TaskbarCalls();

// Starts a job with start, answering Yes to its question, on a disk that
// fills up after bytes, and expects it to end with message 2 (the failure),
// the taskbar button red while the message shows.
void ExpectFailureOnAFullDisk(TControl* start, int64_t bytes);

// The FAT file systems and the largest file each holds.
struct TFatDrive {
  const wchar_t* FileSystem;
  int64_t Limit;
  const wchar_t* LimitText;
};
extern const TFatDrive FatDrives[2];
// The refusal of a file too large for the drive, up to the advice that ends it.
std::wstring TooLargeText(const std::wstring& drive, const TFatDrive& fat, const std::wstring& advice);

// Saves what the main window shows, after a few progress ticks, as build/screens/<name>.png.
void Shoot(const wchar_t* name);
// Starts a job with start (answering Yes to its question and to the stop
// that follows), shoots it held at mid-way as <name>-running, expects bar
// to have moved and line to name the part in hand and the taskbar button to
// show the progress, cancels it with cancel (the button paused during the
// question) and shoots <name>-after-job.
void ShootJob(const std::wstring& name, TControl* start, TControl* cancel, TXProcessBar* bar, TLabel* line,
              const std::wstring& lineStart);

}  // namespace pagetests
