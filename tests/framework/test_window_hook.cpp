// The replacement window procedure: it finds its object through the
// window, keeps a handler's error inside, and gives the window its own
// procedure back, or only passes messages on while another lies over it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "framework/WindowHook.h"
#include "tests/harness/Harness.h"

namespace {

constexpr UINT kSeen = WM_USER + 1, kFails = WM_USER + 2;

class THooker : public TComponent {
 public:
  THooker() : TComponent(nullptr) {}
  void Lay(HWND wnd) { hook.Install<&THooker::hook, &THooker::Message>(this, wnd); }
  TWindowHook hook;
  std::vector<UINT> seen;

 private:
  LRESULT Message(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kFails) throw std::runtime_error("handler failed");
    if (msg == kSeen) seen.push_back(msg);
    return hook.CallPrevious(wnd, msg, wParam, lParam);
  }
};

WNDPROC g_below = nullptr;
LRESULT CALLBACK Above(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(g_below, wnd, msg, wParam, lParam);
}

HWND MakeWindow() { return CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr); }

TEST(WindowHook, ReachesItsObjectKeepsErrorsInsideAndGivesTheProcedureBack) {
  HWND wnd = MakeWindow();
  const LONG_PTR own = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  THooker hooker;
  hooker.Lay(wnd);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&hooker));
  std::vector<std::string> reported;
  const TExceptionEvent failTest = std::exchange(Application->OnException, [&](TObject*, const std::exception& e) {
    reported.push_back(e.what());
  });
  SendMessageW(wnd, kFails, 0, 0);
  Application->OnException = failTest;
  EXPECT_EQ(reported, std::vector<std::string>{"handler failed"});
  SendMessageW(wnd, kSeen, 0, 0);
  EXPECT_EQ(hooker.seen.size(), 1u);
  hooker.hook.Release();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), own);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), 0);
  // Laid again, the window's destruction releases it.
  hooker.Lay(wnd);
  DestroyWindow(wnd);
  EXPECT_FALSE(hooker.hook.Installed());
}

TEST(WindowHook, CoveredByAnotherProcedureItStaysInTheChainAndOnlyPassesOn) {
  HWND wnd = MakeWindow();
  THooker hooker;
  hooker.Lay(wnd);
  g_below = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Above)));
  hooker.hook.Release();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Above));
  SendMessageW(wnd, kSeen, 0, 0);
  EXPECT_TRUE(hooker.seen.empty());
  // The window's own procedure still answers through the chain.
  SetWindowTextW(wnd, L"still here");
  wchar_t text[16] = {};
  GetWindowTextW(wnd, text, 16);
  EXPECT_STREQ(text, L"still here");
  DestroyWindow(wnd);
}

}  // namespace
