#include "framework/WindowHook.h"

void TWindowHook::InstallProcedure(HWND wnd, void* object, WNDPROC procedure) {
  Release();
  SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  procedure_ = procedure;
  wnd_ = wnd;
}

void TWindowHook::Release() {
  if (!wnd_) return;
  HWND wnd = std::exchange(wnd_, nullptr);
  if (GetWindowLongPtrW(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(procedure_)) return;
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
}
