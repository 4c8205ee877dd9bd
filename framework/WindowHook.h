// TWindowHook: a replacement window procedure that an object lays over a
// window it does not create itself (a host window, a native control's
// inner window, another control's window).
//
// The window's GWLP_USERDATA holds the object; the replacement procedure
// finds it there and hands every message to the object's handler, guarded
// so that no exception leaves the procedure. The handler passes a message
// on with CallPrevious. The previous procedure is put back by Release and,
// at the latest, after the window's WM_DESTROY, unless another procedure
// has been laid over ours since: ours then stays in that chain and only
// passes messages on.
//
//   hook_.Install<&TMyControl::hook_, &TMyControl::HookMessage>(this, wnd);
//   LRESULT TMyControl::HookMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
#pragma once

#include <windows.h>

#include <utility>

#include "framework/Controls.h"

class TWindowHook {
 public:
  TWindowHook() = default;
  TWindowHook(const TWindowHook&) = delete;
  TWindowHook& operator=(const TWindowHook&) = delete;

  // Lays the hook over wnd for object, whose member Hook is this hook and
  // whose member Handler takes the window's messages. A hook still laid
  // over another window is released first.
  template <auto Hook, auto Handler, class T>
  void Install(T* object, HWND wnd) {
    InstallProcedure(wnd, object, &Procedure<Hook, Handler, T>);
  }
  // Puts the previous procedure back and clears the window's user data,
  // unless another procedure lies over ours. Does nothing when not laid.
  void Release();
  bool Installed() const { return wnd_ != nullptr; }
  LRESULT CallPrevious(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(previous_, wnd, msg, wParam, lParam);
  }

 private:
  void InstallProcedure(HWND wnd, void* object, WNDPROC procedure);

  template <auto Hook, auto Handler, class T>
  static LRESULT CALLBACK Procedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!object) return DefWindowProcW(wnd, msg, wParam, lParam);
    TWindowHook& hook = object->*Hook;
    // Released while another procedure lay over ours: only pass messages on.
    if (hook.wnd_ != wnd) return hook.CallPrevious(wnd, msg, wParam, lParam);
    LRESULT result = 0;
    RunGuarded(object, [&] { result = (object->*Handler)(wnd, msg, wParam, lParam); });
    if (msg == WM_DESTROY && hook.wnd_ == wnd) hook.Release();
    return result;
  }

  HWND wnd_ = nullptr;
  WNDPROC previous_ = nullptr;   // kept after a release for a procedure left in a chain
  WNDPROC procedure_ = nullptr;  // ours, while laid
};
