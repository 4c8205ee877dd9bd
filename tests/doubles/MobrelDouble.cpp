#include "tests/doubles/MobrelDouble.h"

#include "mobrel/MobrelDLL.h"

#include <cwchar>

namespace mobrel_double {

State& Get() {
  static State state;
  return state;
}

void Reset() { Get() = State{}; }

std::vector<Call> CallsOf(const std::string& function) {
  std::vector<Call> result;
  for (const Call& call : Get().Calls)
    if (call.Function == function) result.push_back(call);
  return result;
}

namespace {
void Record(Call call) { Get().Calls.push_back(std::move(call)); }
}  // namespace

}  // namespace mobrel_double

using mobrel_double::Call;
using mobrel_double::Get;
using mobrel_double::Record;

extern "C" {

BOOL WINAPI g_MobrelDLL_InitDLL(const wchar_t* product, const wchar_t* version, void* mainForm, const wchar_t*,
                                int32_t flags, int32_t*, uint8_t* currentSkin, void*) {
  Record({"InitDLL", nullptr, product ? product : L"", version ? version : L"", static_cast<uint32_t>(flags),
          mainForm});
  if (Get().SkinToReport != 0 && currentSkin) *currentSkin = Get().SkinToReport;
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_GetOSInfo(TMobrelOSInfo* info) {
  Record({"GetOSInfo"});
  if (info) *info = TMobrelOSInfo{};
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_ShowMobrel(HWND panel, int32_t, int32_t, int32_t width, int32_t height) {
  Record({"ShowMobrel", panel, L"", L"", static_cast<uint32_t>(width) << 16 | static_cast<uint32_t>(height)});
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_ShowOurProducts(HWND panel, int32_t, int32_t, int32_t width, int32_t height) {
  Record({"ShowOurProducts", panel, L"", L"", static_cast<uint32_t>(width) << 16 | static_cast<uint32_t>(height)});
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_AddForm(const wchar_t* name, void* form) {
  Record({"AddForm", nullptr, name ? name : L"", L"", 0, form});
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_SetSkin(uint32_t color) {
  Record({"SetSkin", nullptr, L"", L"", color & 0xFF});
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_FormStyle(void* form) {
  Record({"FormStyle", nullptr, L"", L"", 0, form});
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_ChangeSize() {
  Record({"ChangeSize"});
  return TRUE;
}

BOOL WINAPI g_MobrelDLL_VisitHomePage() {
  Record({"VisitHomePage"});
  return TRUE;
}

int32_t WINAPI g_MobrelDLL_MessageBox(HWND owner, const wchar_t* text, const wchar_t* title, uint32_t style) {
  Record({"MessageBox", owner, text ? text : L"", title ? title : L"", style});
  if (Get().WhileBoxShown) Get().WhileBoxShown();
  auto& answers = Get().Answers;
  if (answers.empty()) return IDOK;
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

BOOL WINAPI g_MobrelDLL_GetDiskInfo(uint32_t drive, TMobrelDiskInfo* info) {
  Record({"GetDiskInfo", nullptr, std::wstring(1, static_cast<wchar_t>(drive))});
  if (Get().DiskInfoFails || !info) return FALSE;
  *info = TMobrelDiskInfo{};
  std::wcsncpy(info->FileSystemName, Get().FileSystemName.c_str(), 255);
  return TRUE;
}

}  // extern "C"
