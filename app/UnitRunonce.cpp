#include "app/UnitRunonce.h"

#include <cstdint>

namespace {

const wchar_t kSlotName[] = L"{3F9A2C61-5B7E-4D08-9C14-E2A7B05D6F93}";
// The class of the application window that the slot names.
const wchar_t kApplicationClass[] = L"QuenlorApplication";
// How long a later start waits for the running instance to come back. The
// instance takes the slot before it loads its forms and skin, and answers
// only once its loop runs, which on a busy machine takes seconds.
constexpr UINT kRestoreTimeoutMs = 8000;

// Creates the block, or opens it where another instance has created it
// (ERROR_ALREADY_EXISTS), when the program is loaded, before the entry
// runs, and releases it when the program ends. Nothing is written here:
// a new block over the paging file starts zeroed, and an existing one may
// already hold the first instance's window, even when it was created by an
// instance starting at the same moment.
class TInstanceSlot {
 public:
  TInstanceSlot() {
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4, kSlotName);
    if (!mapping_) return;
    view_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 4));
    if (!view_) {
      CloseHandle(mapping_);
      mapping_ = nullptr;
    }
  }
  ~TInstanceSlot() {
    if (view_) UnmapViewOfFile(const_cast<LONG*>(view_));
    if (mapping_) CloseHandle(mapping_);
  }
  TInstanceSlot(const TInstanceSlot&) = delete;
  TInstanceSlot& operator=(const TInstanceSlot&) = delete;

  volatile LONG* View() const { return view_; }

 private:
  HANDLE mapping_ = nullptr;
  volatile LONG* view_ = nullptr;
};

TInstanceSlot Slot;

// Window handles are 32-bit values, also in 64-bit processes.
LONG SlotValue(HWND h) { return static_cast<LONG>(reinterpret_cast<uintptr_t>(h)); }
HWND SlotWindow(LONG value) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<ULONG>(value))); }

// A slot left behind by an instance that ended without its block ending
// (another process kept it mapped) names a window that is gone, or one
// that now belongs to something else.
bool IsLiveInstance(HWND w) {
  wchar_t name[64] = {};
  return IsWindow(w) && GetClassNameW(w, name, 64) && lstrcmpW(name, kApplicationClass) == 0;
}

// Restores the running instance and brings its last active window to the
// front; false when the instance does not answer in time (it hangs). The
// wait does not end when the system first deems the instance hung: one
// still starting has not pumped its queue yet either.
bool RestoreInstance(HWND w) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(w, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_NORMAL, kRestoreTimeoutMs, &result))
    return false;
  HWND popup = GetLastActivePopup(w);
  if (popup && popup != w && IsWindowVisible(popup) && IsWindowEnabled(popup)) SetForegroundWindow(popup);
  return true;
}

}  // namespace

bool RunOnceCheck(HWND h) {
  volatile LONG* slot = Slot.View();
  if (!slot) return false;
  // Exactly one of several instances starting together takes an empty or
  // stale slot.
  LONG expected = 0;
  for (;;) {
    const LONG found = InterlockedCompareExchange(slot, SlotValue(h), expected);
    if (found == expected) return false;
    // A hung instance is passed over as a stale slot is: this start goes on.
    if (IsLiveInstance(SlotWindow(found)) && RestoreInstance(SlotWindow(found))) return true;
    expected = found;
  }
}
