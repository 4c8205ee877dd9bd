#include "mobrel/Skin.h"

#include <atomic>

namespace mobrel {
namespace {

std::atomic<int> g_color{0};
const wchar_t kKey[] = L"Software\\Mobrel\\Quenlor";
const wchar_t kValue[] = L"Skin";

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
  auto ch = [&](int shift) {
    int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    return static_cast<COLORREF>((x * (100 - percentOfB) + y * percentOfB) / 100) << shift;
  };
  return ch(0) | ch(8) | ch(16);
}

}  // namespace

int CurrentColor() { return g_color.load(); }

void SetCurrentColor(int color) {
  if (color >= 0 && color <= 4) g_color.store(color);
}

int StoredSkinNumber() {
  DWORD value = 0, size = sizeof(value), type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, &type, &value, &size) != ERROR_SUCCESS)
    return 0;
  return value >= 1 && value <= 5 ? static_cast<int>(value) : 0;
}

void StoreSkinNumber(int number) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  DWORD value = static_cast<DWORD>(number);
  RegSetValueExW(key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

Palette CurrentPalette() {
  // The window colours of the five skins, in skin colour order.
  static const COLORREF accents[5] = {RGB(0x3A, 0x8B, 0xD5), RGB(0x3A, 0xAA, 0x3F), RGB(0x25, 0x25, 0x25),
                                      RGB(0xE7, 0x89, 0x3A), RGB(0xCC, 0x3A, 0x3A)};
  COLORREF accent = accents[CurrentColor()];
  return {accent, Mix(accent, RGB(0, 0, 0), 25), Mix(accent, RGB(255, 255, 255), 85), RGB(255, 255, 255),
          RGB(0x33, 0x33, 0x33)};
}

}  // namespace mobrel
