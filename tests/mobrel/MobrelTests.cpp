// The real Mobrel.dll under Wine: disk information, the remembered skin, the
// modal message box driven by keyboard messages, the library pages, and the
// handles that repeated calls leave behind.
#include "mobrel/MobrelDLL.h"

#include <gtest/gtest.h>
#include <winternl.h>

#include <string>
#include <vector>

#include "tests/harness/PngWriter.h"

namespace {

// Keys to send to the next message box, from a timer that the box's own loop runs.
std::vector<WPARAM> g_keys;
RECT g_boxRect{};
std::wstring g_boxTitle;

void CALLBACK PressKeys(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"MobrelMessageBox", nullptr);
  if (!box) return;
  KillTimer(nullptr, timer);
  GetWindowRect(box, &g_boxRect);
  wchar_t title[128] = {};
  GetWindowTextW(box, title, 128);
  g_boxTitle = title;
  for (WPARAM key : g_keys) PostMessageW(box, WM_KEYDOWN, key, 0);
}

int AnswerWith(std::vector<WPARAM> keys, uint32_t style, HWND owner = nullptr) {
  g_keys = std::move(keys);
  SetTimer(nullptr, 0, 20, PressKeys);
  return g_MobrelDLL_MessageBox(owner, L"Do you want to exit?", L"Quenlor", style);
}

TEST(MessageBoxes, AnswersFromTheKeyboard) {
  EXPECT_EQ(AnswerWith({'Y'}, 36), IDYES);
  EXPECT_EQ(g_boxTitle, L"Quenlor");
  EXPECT_EQ(AnswerWith({'N'}, 36), IDNO);
  EXPECT_EQ(AnswerWith({VK_ESCAPE}, 36), IDNO);
  EXPECT_EQ(AnswerWith({VK_RETURN}, 36), IDYES);  // Yes has the focus first
  EXPECT_EQ(AnswerWith({VK_RIGHT, VK_RETURN}, 36), IDNO);
  EXPECT_EQ(AnswerWith({VK_RETURN}, 48), IDOK);
  EXPECT_EQ(AnswerWith({'Y', VK_ESCAPE}, 64), IDOK);  // Y means nothing without a Yes button
}

TEST(MessageBoxes, CentresOnItsOwnerAndDisablesItWhileOpen) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 120, 700, 524, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(owner);
  EXPECT_EQ(AnswerWith({VK_RETURN}, 48, owner), IDOK);
  EXPECT_EQ((g_boxRect.left + g_boxRect.right) / 2, 100 + 700 / 2);
  EXPECT_EQ((g_boxRect.top + g_boxRect.bottom) / 2, 120 + 524 / 2);
  EXPECT_TRUE(IsWindowEnabled(owner));  // enabled again once answered
  DestroyWindow(owner);
}

TEST(DiskInfo, ReportsTheFileSystemOfAVolume) {
  TMobrelDiskInfo info;
  ASSERT_TRUE(g_MobrelDLL_GetDiskInfo(L'C', &info));
  EXPECT_STREQ(info.FileSystemName, L"NTFS");  // what Wine reports for every volume
  EXPECT_GT(info.TotalBytes, 0);
  // Q: is no volume: the volume call fails, and so does the library.
  EXPECT_FALSE(g_MobrelDLL_GetDiskInfo(L'Q', &info));
  EXPECT_STREQ(info.FileSystemName, L"");
}

// The skin number that InitDLL reports, as at the start of a run.
uint8_t SkinAtStart() {
  uint8_t skin = 1;
  int32_t state = 0;
  g_MobrelDLL_InitDLL(L"Quenlor", L"1.2.3", nullptr, nullptr, 4, &state, &skin, nullptr);
  return skin;
}

TEST(Pages, FillTheirPanelAtTheGivenSize) {
  HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 651, 405, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(g_MobrelDLL_ShowMobrel(panel, 0, 0, 651, 405));
  ASSERT_TRUE(g_MobrelDLL_ShowOurProducts(panel, 0, 0, 651, 405));  // replaces the first page
  HWND page = FindWindowExW(panel, nullptr, L"MobrelPage", nullptr);
  ASSERT_TRUE(page);
  EXPECT_FALSE(FindWindowExW(panel, page, L"MobrelPage", nullptr));
  RECT r;
  GetClientRect(page, &r);
  EXPECT_EQ(r.right, 651);
  EXPECT_EQ(r.bottom, 405);
  EXPECT_FALSE(g_MobrelDLL_ShowMobrel(nullptr, 0, 0, 10, 10));
  DestroyWindow(panel);
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

// What the window shows, saved as build/screens/<name>.png for people to look at.
void SaveWindowPicture(HWND window, const std::wstring& name) {
  RECT r;
  GetClientRect(window, &r);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB};  // top-down
  void* bits = nullptr;
  HDC dc = GetDC(window);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  GdiFlush();
  PngLayout picture(PNG_COLOR_TYPE_RGB, 8, r.right, r.bottom);
  const auto* pixels = static_cast<const uint8_t*>(bits);  // B, G, R, unused
  for (int i = 0; i < r.right * r.bottom; ++i) {
    if (i % r.right == 0) picture.rows.emplace_back();
    picture.rows.back().insert(picture.rows.back().end(), {pixels[4 * i + 2], pixels[4 * i + 1], pixels[4 * i]});
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  harness::SaveScreenshot(picture, name);
}

// Whether the products page in host shows its card band in the colour,
// once the waiting paints are done.
bool BandShows(HWND host, COLORREF color) {
  PumpFor(200);
  HDC dc = GetDC(host);
  bool seen = false;
  for (int y = 40; y < 200 && !seen; ++y) seen = GetPixel(dc, 26, y) == color;
  ReleaseDC(host, dc);
  return seen;
}

TEST(Skin, IsRememberedFromTheLowByteAndShownByThePagesAlsoAfterARestart) {
  const COLORREF red = RGB(0xCC, 0x3A, 0x3A), blue = RGB(0x3A, 0x8B, 0xD5);
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1260, 405,
                              nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(g_MobrelDLL_SetSkin(0xABCD1204u));  // fRed with garbage above the low byte
  EXPECT_FALSE(g_MobrelDLL_SetSkin(7));           // no such colour: nothing changes
  EXPECT_EQ(SkinAtStart(), 5);
  ASSERT_TRUE(g_MobrelDLL_ShowOurProducts(host, 0, 0, 630, 405));
  HWND about = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 630, 0, 630, 405, host, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(g_MobrelDLL_ShowMobrel(about, 0, 0, 630, 405));
  EXPECT_TRUE(BandShows(host, red));
  SaveWindowPicture(host, L"library-pages-red");
  g_MobrelDLL_SetSkin(0);
  EXPECT_TRUE(BandShows(host, blue));
  SaveWindowPicture(host, L"library-pages-blue");

  // The next run starts blue and finds red stored by an earlier one.
  const DWORD stored = 5;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Mobrel\\Quenlor", L"Skin", REG_DWORD, &stored, sizeof stored);
  EXPECT_EQ(SkinAtStart(), 5);
  ASSERT_TRUE(g_MobrelDLL_ShowOurProducts(host, 0, 0, 630, 405));
  EXPECT_TRUE(BandShows(host, red));
  g_MobrelDLL_SetSkin(0);
  DestroyWindow(host);
}

// Handles this process holds, as the system lists them.
int HandleCount() {
  struct Entry {
    PVOID Object;
    ULONG_PTR ProcessId, Handle;
    ULONG Access;
    USHORT BackTrace, Type;
    ULONG Attributes, Reserved;
  };
  constexpr ULONG kExtendedHandleInformation = 64;
  std::vector<ULONG_PTR> buffer(4096);
  ULONG size = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kExtendedHandleInformation),
                                            buffer.data(), buffer.size() * sizeof(ULONG_PTR), &size)) ==
         static_cast<NTSTATUS>(0xC0000004L))  // STATUS_INFO_LENGTH_MISMATCH
    buffer.resize(buffer.size() * 2);
  if (status != 0) return -1;
  const auto* entries = reinterpret_cast<const Entry*>(&buffer[2]);
  int count = 0;
  for (ULONG_PTR i = 0; i < buffer[0]; ++i) count += entries[i].ProcessId == GetCurrentProcessId();
  return count;
}

TEST(Handles, RepeatedCallsLeaveNoneOpen) {
  TMobrelDiskInfo disk;
  TMobrelOSInfo os;
  auto calls = [&](int i) {
    g_MobrelDLL_SetSkin(i % 5);
    SkinAtStart();
    g_MobrelDLL_GetDiskInfo(L'C', &disk);
    g_MobrelDLL_GetDiskInfo(L'Q', &disk);
    g_MobrelDLL_GetOSInfo(&os);
  };
  calls(0);  // what the first calls open for good (the user's registry root)
  const int before = HandleCount();
  ASSERT_GT(before, 0);
  for (int i = 1; i <= 20; ++i) calls(i);
  EXPECT_EQ(HandleCount(), before);
  g_MobrelDLL_SetSkin(0);
}

TEST(OSInfo, FillsTheRecord) {
  TMobrelOSInfo info;
  ASSERT_TRUE(g_MobrelDLL_GetOSInfo(&info));
  EXPECT_STREQ(info.Architecture, L"x64");
  EXPECT_GT(info.MajorVersion, 0);
}

}  // namespace
