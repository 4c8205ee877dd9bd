// The exported functions of Mobrel.dll.
#include "mobrel/MobrelDLL.h"
#include "mobrel/Mobrel.h"
#include "mobrel/Skin.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

namespace mobrel {
namespace {

HINSTANCE g_module = nullptr;
std::wstring g_product = L"Quenlor";
std::wstring g_version = L"" QUENLOR_VERSION;

void CopyText(wchar_t* dest, size_t capacity, const std::wstring& text) {
  size_t n = std::min(text.size(), capacity - 1);
  std::wmemcpy(dest, text.data(), n);
  dest[n] = 0;
}

}  // namespace

HINSTANCE Module() { return g_module; }
const std::wstring& ProductName() { return g_product; }
const std::wstring& ProductVersion() { return g_version; }
const wchar_t* HomePage() { return L"https://www.mobrel.example/quenlor/"; }

}  // namespace mobrel

using namespace mobrel;

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = module;
  return TRUE;
}

extern "C" {

BOOL WINAPI g_MobrelDLL_InitDLL(const wchar_t* product, const wchar_t* version, void*, const wchar_t*,
                                int32_t, int32_t*, uint8_t* currentSkin, void*) {
  return Guarded<BOOL>(FALSE, [&] {
    if (product && *product) g_product = product;
    if (version && *version) g_version = version;
    int stored = StoredSkinNumber();
    if (stored != 0) {
      SetCurrentColor(stored - 1);
      if (currentSkin) *currentSkin = static_cast<uint8_t>(stored);
    }
    return TRUE;
  });
}

BOOL WINAPI g_MobrelDLL_GetOSInfo(TMobrelOSInfo* info) {
  return Guarded<BOOL>(FALSE, [&] {
    if (!info) return FALSE;
    *info = TMobrelOSInfo{};
    // RtlGetVersion reports the real version, whatever the program is manifested for.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (rtlGetVersion && rtlGetVersion(&version) == 0) {
      info->MajorVersion = static_cast<int32_t>(version.dwMajorVersion);
      info->MinorVersion = static_cast<int32_t>(version.dwMinorVersion);
      info->BuildNumber = static_cast<int32_t>(version.dwBuildNumber);
      CopyText(info->Version, 256,
               std::to_wstring(version.dwMajorVersion) + L"." + std::to_wstring(version.dwMinorVersion));
      CopyText(info->Build, 256, std::to_wstring(version.dwBuildNumber));
      CopyText(info->ServicePack, 64, version.szCSDVersion);
    }
    CopyText(info->ProductName, 64, L"Windows");
    CopyText(info->Platform, 64, L"Win32 NT");
    SYSTEM_INFO system;
    GetNativeSystemInfo(&system);
    CopyText(info->Architecture, 64,
             system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ? L"x64" : L"x86");
    wchar_t buffer[256];
    DWORD size = 256;
    if (GetComputerNameW(buffer, &size)) CopyText(info->ComputerName, 256, buffer);
    size = 256;
    if (GetEnvironmentVariableW(L"USERNAME", buffer, size)) CopyText(info->UserName, 256, buffer);
    if (GetWindowsDirectoryW(buffer, 256)) CopyText(info->WindowsFolder, 256, buffer);
    if (GetSystemDirectoryW(buffer, 256)) CopyText(info->SystemFolder, 256, buffer);
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGLISHLANGUAGENAME, buffer, 64))
      CopyText(info->Language, 64, buffer);
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGLISHCOUNTRYNAME, buffer, 64))
      CopyText(info->Country, 64, buffer);
    return TRUE;
  });
}

BOOL WINAPI g_MobrelDLL_ShowMobrel(HWND panel, int32_t left, int32_t top, int32_t width, int32_t height) {
  return Guarded<BOOL>(FALSE, [&] {
    if (!IsWindow(panel)) return FALSE;
    ShowPage(panel, PageKind::About, RECT{left, top, left + width, top + height});
    return TRUE;
  });
}

BOOL WINAPI g_MobrelDLL_ShowOurProducts(HWND panel, int32_t left, int32_t top, int32_t width,
                                        int32_t height) {
  return Guarded<BOOL>(FALSE, [&] {
    if (!IsWindow(panel)) return FALSE;
    ShowPage(panel, PageKind::Products, RECT{left, top, left + width, top + height});
    return TRUE;
  });
}

// The library keeps no per-form state; registration, style and size notices are accepted.
BOOL WINAPI g_MobrelDLL_AddForm(const wchar_t*, void*) { return TRUE; }
BOOL WINAPI g_MobrelDLL_FormStyle(void*) { return TRUE; }
BOOL WINAPI g_MobrelDLL_ChangeSize() { return TRUE; }

BOOL WINAPI g_MobrelDLL_SetSkin(uint32_t color) {
  return Guarded<BOOL>(FALSE, [&] {
    int ordinal = static_cast<int>(color & 0xFF);  // only the low byte carries the colour
    if (ordinal > 4) return FALSE;
    SetCurrentColor(ordinal);
    StoreSkinNumber(ordinal + 1);
    RepaintPages();
    return TRUE;
  });
}

BOOL WINAPI g_MobrelDLL_VisitHomePage() {
  return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", HomePage(), nullptr, nullptr,
                                                 SW_SHOWNORMAL)) > 32;
}

int32_t WINAPI g_MobrelDLL_MessageBox(HWND owner, const wchar_t* text, const wchar_t* title, uint32_t style) {
  // 0, as the system's box answers when it cannot be shown: no answer is Yes.
  return Guarded<int32_t>(0, [&] { return ShowMessageBox(owner, text ? text : L"", title ? title : L"", style); });
}

BOOL WINAPI g_MobrelDLL_GetDiskInfo(uint32_t drive, TMobrelDiskInfo* info) {
  if (!info) return FALSE;
  *info = TMobrelDiskInfo{};
  // The root of a drive letter is the root of its volume.
  const wchar_t root[] = {static_cast<wchar_t>(drive), L':', L'\\', 0};
  DWORD serial = 0, maxComponent = 0, flags = 0;
  if (!GetVolumeInformationW(root, info->VolumeName, 256, &serial, &maxComponent, &flags,
                             info->FileSystemName, 256))
    return FALSE;
  info->SerialNumber = static_cast<int32_t>(serial);
  ULARGE_INTEGER available, total, free;
  if (GetDiskFreeSpaceExW(root, &available, &total, &free)) {
    info->TotalBytes = static_cast<int64_t>(total.QuadPart);
    info->FreeBytes = static_cast<int64_t>(free.QuadPart);
  }
  return TRUE;
}

}  // extern "C"
