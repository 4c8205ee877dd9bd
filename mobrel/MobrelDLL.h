// The interface of the support library Mobrel.dll: the library implements it,
// the program binds it at load time through the import library. Declared
// without dllimport so that tests can link the scripted double
// (tests/doubles) in its place.
#pragma once
#include <cstdint>
#include <windows.h>

// What GetDiskInfo fills: 1,048 bytes.
struct TMobrelDiskInfo {
  wchar_t VolumeName[256];
  wchar_t FileSystemName[256];
  int32_t SerialNumber;
  uint8_t Reserved[4];
  int64_t TotalBytes;
  int64_t FreeBytes;
};
static_assert(sizeof(TMobrelDiskInfo) == 1048);

// What GetOSInfo fills: 13 text fields, then three integers; 3,980 bytes.
#pragma pack(push, 4)
struct TMobrelOSInfo {
  wchar_t ProductName[64];
  wchar_t Edition[64];
  wchar_t Version[256];
  wchar_t Build[256];
  wchar_t Architecture[64];
  wchar_t Language[64];
  wchar_t Country[64];
  wchar_t ComputerName[256];
  wchar_t UserName[256];
  wchar_t WindowsFolder[256];
  wchar_t ServicePack[64];
  wchar_t Platform[64];
  wchar_t SystemFolder[256];
  int32_t MajorVersion;
  int32_t MinorVersion;
  int32_t BuildNumber;
};
#pragma pack(pop)
static_assert(sizeof(TMobrelOSInfo) == 3980);

extern "C" {
BOOL WINAPI g_MobrelDLL_InitDLL(const wchar_t* product, const wchar_t* version, void* mainForm,
                                const wchar_t* reserved, int32_t flags, int32_t* state,
                                uint8_t* currentSkin, void* screen);
BOOL WINAPI g_MobrelDLL_GetOSInfo(TMobrelOSInfo* info);
BOOL WINAPI g_MobrelDLL_ShowMobrel(HWND panel, int32_t left, int32_t top, int32_t width, int32_t height);
BOOL WINAPI g_MobrelDLL_ShowOurProducts(HWND panel, int32_t left, int32_t top, int32_t width,
                                        int32_t height);
BOOL WINAPI g_MobrelDLL_AddForm(const wchar_t* name, void* form);
BOOL WINAPI g_MobrelDLL_SetSkin(uint32_t color);
BOOL WINAPI g_MobrelDLL_FormStyle(void* form);
BOOL WINAPI g_MobrelDLL_ChangeSize();
BOOL WINAPI g_MobrelDLL_VisitHomePage();
int32_t WINAPI g_MobrelDLL_MessageBox(HWND owner, const wchar_t* text, const wchar_t* title, uint32_t style);
BOOL WINAPI g_MobrelDLL_GetDiskInfo(uint32_t drive, TMobrelDiskInfo* info);
}
