// Helpers of the page tests: message boxes the support library's double
// recorded, and files that take no room on the disk.
#pragma once

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

// Starts a job with start, answering Yes to its question, on a disk that
// fills up after bytes, and expects it to end with message 2 (the failure).
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
// to have moved and line to name the part in hand, cancels it with cancel
// and shoots <name>-after-job.
void ShootJob(const std::wstring& name, TControl* start, TControl* cancel, TXProcessBar* bar, TLabel* line,
              const std::wstring& lineStart);

}  // namespace pagetests
