#include "app/Startup.h"

#include "app/Main.h"
#include "mobrel/MobrelDLL.h"
#include "engine/global.h"

#include <windows.h>

#include <utility>


namespace {

// Handed to the library at start-up, which may keep the addresses.
const wchar_t kProductName[] = L"Quenlor";
const wchar_t kProductVersion[] = L"" QUENLOR_VERSION;
int32_t LibraryState = 0;
TMobrelOSInfo OSInfo;

std::wstring FileSystemNameOf(wchar_t drive) {
  TMobrelDiskInfo info;
  if (!g_MobrelDLL_GetDiskInfo(static_cast<uint32_t>(drive), &info)) return L"";
  info.FileSystemName[255] = 0;
  return info.FileSystemName;
}

void ShowPage(BOOL(WINAPI* show)(HWND, int32_t, int32_t, int32_t, int32_t), TPanel* panel) {
  show(panel->Handle(), 0, 0, panel->Width(), panel->Height());
}

}  // namespace

void InitSupportLibrary() {
  SetFileSystemNameProvider(FileSystemNameOf);
  CurrentSkin = 1;
  LibraryState = 0;
  g_MobrelDLL_InitDLL(kProductName, kProductVersion, frmMain, nullptr, 4, &LibraryState, &CurrentSkin, Screen);
  g_MobrelDLL_GetOSInfo(&OSInfo);
  ShowPage(g_MobrelDLL_ShowMobrel, frmMain->panMobrel);
  ShowPage(g_MobrelDLL_ShowOurProducts, frmMain->panOurProducts);
}

void RestoreSkin() {
  using THandler = void (TfrmMain::*)(TObject*);
  const std::pair<uint8_t, THandler> order[] = {{1, &TfrmMain::btnSkinBlueClick},
                                                {5, &TfrmMain::btnSkinRedClick},
                                                {3, &TfrmMain::btnSkinBlackClick},
                                                {2, &TfrmMain::btnSkinGreenClick},
                                                {4, &TfrmMain::btnSkinYellowClick}};
  for (const auto& [number, handler] : order)
    if (CurrentSkin == number) {
      // A skin handler does nothing for the skin in use; 0 makes it apply.
      CurrentSkin = 0;
      (frmMain->*handler)(frmMain);
    }
}
