// Program entry. For now it starts the support library and reports that the
// program runs; the main window replaces this.
#include "app/MobrelDLL.h"

namespace {
uint8_t CurrentSkin = 1;
int32_t LibraryState = 0;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  g_MobrelDLL_InitDLL(L"Quenlor", L"1.2.3", nullptr, nullptr, 4, &LibraryState, &CurrentSkin, nullptr);
  g_MobrelDLL_MessageBox(nullptr, L"Quenlor 1.2.3 is running. The main window is not built yet.", L"Quenlor", 64);
  return 0;
}
