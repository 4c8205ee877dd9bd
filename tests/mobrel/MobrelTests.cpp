// The real Mobrel.dll under Wine: disk information, the remembered skin, the
// modal message box driven by keyboard messages, and the library pages.
#include "mobrel/MobrelDLL.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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
  EXPECT_FALSE(g_MobrelDLL_GetDiskInfo(L'Q', &info));
  EXPECT_STREQ(info.FileSystemName, L"");
}

TEST(Skin, IsRememberedBetweenRunsFromTheLowByteOnly) {
  ASSERT_TRUE(g_MobrelDLL_SetSkin(0xABCD1203u));  // fYellow with garbage above the low byte
  uint8_t skin = 1;
  int32_t state = 0;
  g_MobrelDLL_InitDLL(L"Quenlor", L"1.2.3", nullptr, nullptr, 4, &state, &skin, nullptr);
  EXPECT_EQ(skin, 4);
  EXPECT_FALSE(g_MobrelDLL_SetSkin(7));  // no such colour: nothing stored
  g_MobrelDLL_InitDLL(L"Quenlor", L"1.2.3", nullptr, nullptr, 4, &state, &skin, nullptr);
  EXPECT_EQ(skin, 4);
  g_MobrelDLL_SetSkin(0);
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

// Writes what a window shows as a 24-bit BMP into build/screens
// beside the build tree that holds this program, for people to look at.
void SaveWindowPicture(HWND window, const std::wstring& name) {
  RECT r;
  GetClientRect(window, &r);
  const int width = r.right, height = r.bottom;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir = exe;
  for (int up = 0; up < 3; ++up) dir.resize(dir.find_last_of(L'\\'));  // build/<tree>/bin/x.exe -> build
  dir += L"\\screens";
  CreateDirectoryW(dir.c_str(), nullptr);
  const DWORD stride = (width * 3 + 3) & ~3u, size = stride * height;
  BITMAPFILEHEADER file{0x4D42, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size, 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  if (FILE* out = _wfopen((dir + L"\\" + name + L".bmp").c_str(), L"wb")) {
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
    fwrite(bits, 1, size, out);
    fclose(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

TEST(Pages, FollowTheSkinColour) {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1260, 405,
                              nullptr, nullptr, nullptr, nullptr);
  g_MobrelDLL_SetSkin(4);  // red
  ASSERT_TRUE(g_MobrelDLL_ShowOurProducts(host, 0, 0, 630, 405));
  HWND about = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 630, 0, 630, 405, host, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(g_MobrelDLL_ShowMobrel(about, 0, 0, 630, 405));
  PumpFor(200);
  // The products page draws its card band in the skin's colour.
  HDC dc = GetDC(host);
  bool redSeen = false;
  for (int y = 40; y < 200 && !redSeen; ++y) redSeen = GetPixel(dc, 26, y) == RGB(0xCC, 0x3A, 0x3A);
  ReleaseDC(host, dc);
  EXPECT_TRUE(redSeen);
  SaveWindowPicture(host, L"library-pages-red");
  g_MobrelDLL_SetSkin(0);
  PumpFor(200);
  SaveWindowPicture(host, L"library-pages-blue");
  DestroyWindow(host);
}

TEST(OSInfo, FillsTheRecord) {
  TMobrelOSInfo info;
  ASSERT_TRUE(g_MobrelDLL_GetOSInfo(&info));
  EXPECT_STREQ(info.Architecture, L"x64");
  EXPECT_GT(info.MajorVersion, 0);
}

}  // namespace
