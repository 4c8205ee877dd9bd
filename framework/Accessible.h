// Accessible: what assistive technology reads from a window of ours. The
// window answers WM_GETOBJECT for its client area with an IAccessible that
// asks the window's provider afresh at every call (the control may change
// or go meanwhile): a name, a role, a state and a value for the window
// itself, and the same for the windowless elements it paints. Child
// windows follow the elements as children of their own.
#pragma once

#include <windows.h>

#include <string>

// One element, or the window itself, as assistive technology sees it.
// Role and State are the system's ROLE_SYSTEM_* and STATE_SYSTEM_* values;
// a role of 0 leaves role, state and value (and the name, when empty) to
// the system's own object.
struct TAccessibleElement {
  std::wstring Name;
  long Role = 0;
  long State = 0;
  std::wstring Value;
  std::wstring DefaultAction;
  RECT Bounds{};  // in screen coordinates
};

// What the accessible object of a window asks. Elements are numbered from
// 1. The calls come from other programs through COM: none may throw.
class TAccessibleProvider {
 public:
  virtual void DescribeSelf(TAccessibleElement& self) noexcept = 0;
  virtual int ElementCount() noexcept = 0;
  virtual bool DescribeElement(int id, TAccessibleElement& element) noexcept = 0;
  virtual void DoElementAction(int id) noexcept = 0;
  virtual void FocusElement(int id) noexcept = 0;
  // The focused element, or 0 when none of the elements has the focus.
  virtual int FocusedElement() noexcept = 0;

 protected:
  ~TAccessibleProvider() = default;
};

// Finds the provider of a window; null once it has gone.
using TAccessibleLookup = TAccessibleProvider* (*)(HWND wnd);

// The answer to WM_GETOBJECT (wParam, lParam) for wnd: an object for the
// client area, or 0 for the other object ids, which the system answers.
LRESULT AnswerGetObject(HWND wnd, WPARAM wParam, LPARAM lParam, TAccessibleLookup lookup);
