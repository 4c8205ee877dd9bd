// A scripted stand-in for Mobrel.dll, linked into test programs in its place:
// every call is recorded, message-box answers and the reported skin are queued
// by the test, and GetDiskInfo reports the file-system name the test sets.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace mobrel_double {

struct Call {
  std::string Function;  // e.g. "MessageBox", "SetSkin"
  HWND Owner = nullptr;  // message box owner, or the panel of the two Show calls
  std::wstring Text;     // message box text, AddForm name
  std::wstring Title;
  uint32_t Style = 0;    // message box style, SetSkin argument, ...
  const void* Object = nullptr;  // the form passed to InitDLL, AddForm, FormStyle
};

struct State {
  std::vector<Call> Calls;
  std::deque<int> Answers;      // message box results; IDOK when empty
  std::function<void()> WhileBoxShown;  // runs inside every message box
  uint8_t SkinToReport = 0;     // stored into CurrentSkin by InitDLL when nonzero
  std::wstring FileSystemName = L"NTFS";
  bool DiskInfoFails = false;
};

State& Get();
void Reset();
// Calls of one function, in order.
std::vector<Call> CallsOf(const std::string& function);

}  // namespace mobrel_double
