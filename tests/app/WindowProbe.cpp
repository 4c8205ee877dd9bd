// Prints the visible windows of the running Quenlor.exe, one a line, so that
// scripts can check what the real program shows:
//   top <handle> <class> <x>,<y> <w>x<h> "<title>" [owned]
//   <class> <x>,<y> <w>x<h> "<text>" [rows=<n>]
// Positions are relative to the main window's top-left corner; "owned" marks a
// top-level window owned by the main window; list views give their row count.
// The handle tells one message box from the next.
// With "accessible" it prints instead what assistive technology reads from
// the main window, one shown control a line, children after their window:
//   acc <role> <state in hex> "<name>"
// Exits with 1 when no main window is shown.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <string>

#include "tests/app/AccessibleTree.h"

namespace {

HWND g_main = nullptr;
RECT g_origin{};

std::string Utf8(const std::wstring& text) {
  std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.pop_back();  // the terminator
  return out;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = L"";
  GetClassNameW(window, name, 128);
  return name;
}

// WM_GETTEXT is marshalled across processes, so it reads an edit box's text too.
std::wstring TextOf(HWND window) {
  wchar_t text[1024] = L"";
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

void Print(const char* prefix, HWND window, const char* extra) {
  RECT r;
  GetWindowRect(window, &r);
  std::printf("%s%s %ld,%ld %ldx%ld \"%s\"%s\n", prefix, Utf8(ClassOf(window)).c_str(), r.left - g_origin.left,
              r.top - g_origin.top, r.right - r.left, r.bottom - r.top, Utf8(TextOf(window)).c_str(), extra);
}

BOOL CALLBACK PrintChild(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  char extra[32] = "";
  if (ClassOf(window) == WC_LISTVIEWW)
    std::snprintf(extra, sizeof extra, " rows=%ld", static_cast<long>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0)));
  Print("", window, extra);
  return TRUE;
}

BOOL CALLBACK FindMain(HWND window, LPARAM) {
  if (IsWindowVisible(window) && ClassOf(window) == L"QuenlorForm" && TextOf(window) == L"Quenlor") g_main = window;
  return g_main == nullptr;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != static_cast<DWORD>(process) || !IsWindowVisible(window)) return TRUE;
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "top %p ", static_cast<void*>(window));
  Print(prefix, window, GetWindow(window, GW_OWNER) == g_main ? " owned" : "");
  EnumChildWindows(window, PrintChild, 0);
  return TRUE;
}

int PrintAccessibleTree() {
  CoInitialize(nullptr);
  IAccessible* client = nullptr;
  if (AccessibleObjectFromWindow(g_main, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&client)) != S_OK)
    return 2;
  accessible_tree::Walk(client, [](const std::wstring& name, long role, long state) {
    std::printf("acc %ld %lx \"%s\"\n", role, state, Utf8(name).c_str());
  });
  client->Release();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  EnumWindows(FindMain, 0);
  if (!g_main) return 1;
  if (argc > 1 && std::string(argv[1]) == "accessible") return PrintAccessibleTree();
  GetWindowRect(g_main, &g_origin);
  DWORD process = 0;
  GetWindowThreadProcessId(g_main, &process);
  EnumWindows(PrintTopLevel, process);
  return 0;
}
