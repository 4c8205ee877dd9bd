// Library-wide state shared by the units of Mobrel.dll.
#pragma once
#include <string>
#include <windows.h>

namespace mobrel {

// Runs work and answers its result, or failed when it throws: no error
// leaves an exported function or a window procedure of the library, where
// the caller is C code or the system's message dispatch.
template <class R, class F>
R Guarded(R failed, F&& work) noexcept {
  try {
    return work();
  } catch (...) {
    return failed;
  }
}

HINSTANCE Module();
const std::wstring& ProductName();
const std::wstring& ProductVersion();
const wchar_t* HomePage();

// The modal message box: answers IDOK, IDYES or IDNO.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT style);

enum class PageKind { About, Products };
// Fills a panel with one of the two library pages, laid out for its size.
void ShowPage(HWND panel, PageKind kind, RECT bounds);
// Repaints every page and open box after a skin change.
void RepaintPages();

}  // namespace mobrel
