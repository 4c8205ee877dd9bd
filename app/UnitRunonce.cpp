#include "app/UnitRunonce.h"

#include "framework/WindowHook.h"

#include <cstdint>
#include <deque>
#include <utility>

namespace {

const wchar_t kSlotName[] = L"{3F9A2C61-5B7E-4D08-9C14-E2A7B05D6F93}";
// The class of the application window that the slot names.
const wchar_t kApplicationClass[] = L"QuenlorApplication";
// How long a later start waits for the running instance to come back. The
// instance takes the slot before it loads its forms and skin, and answers
// only once its loop runs, which on a busy machine takes seconds.
constexpr UINT kRestoreTimeoutMs = 8000;

// A hand-over: WM_COPYDATA with this tag and the zero-terminated UTF-16 path.
constexpr ULONG_PTR kHandOverTag = 0x514E4C46;
constexpr size_t kMaxPathChars = 32767;
// Posted to the application window to open the next handed file; the timer
// looks again while a box or dialog holds the main window.
constexpr UINT WM_OPENHANDEDFILE = WM_APP + 0x3A1;
constexpr UINT_PTR kWaitTimer = 0x514E;
constexpr UINT kWaitMs = 250;

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
  // The instance may take the foreground, which this start, begun by the
  // user, holds.
  DWORD process = 0;
  if (GetWindowThreadProcessId(w, &process)) AllowSetForegroundWindow(process);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(w, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_NORMAL, kRestoreTimeoutMs, &result))
    return false;
  HWND popup = GetLastActivePopup(w);
  if (popup && popup != w && IsWindowVisible(popup) && IsWindowEnabled(popup)) SetForegroundWindow(popup);
  return true;
}

// The instance this start restored, and this start's own window.
HWND RestoredInstance = nullptr;
HWND OwnWindow = nullptr;

// Takes handed files on the first instance's application window and opens
// them one by one from its message loop.
class THandOverReceiver : public TObject {
 public:
  void Listen(HWND app) {
    app_ = app;
    hook_.Install<&THandOverReceiver::hook_, &THandOverReceiver::Message>(this, app);
  }

  void OpenWith(HWND window, std::function<void(const std::wstring&)> open) {
    window_ = window;
    open_ = std::move(open);
    Schedule();
  }

 private:
  LRESULT Message(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_COPYDATA: {
        if (!lParam) return FALSE;
        std::wstring path = HandedPath(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        if (path.empty()) return FALSE;
        // Opened later: the sender waits for this answer, and opening may ask.
        waiting_.push_back(std::move(path));
        Schedule();
        return TRUE;
      }
      case WM_OPENHANDEDFILE:
        OpenNext();
        return 0;
      case WM_TIMER:
        if (wParam != kWaitTimer) break;
        KillTimer(wnd, kWaitTimer);
        OpenNext();
        return 0;
    }
    return hook_.CallPrevious(wnd, msg, wParam, lParam);
  }

  void Schedule() {
    if (open_ && !waiting_.empty() && hook_.Installed()) PostMessageW(app_, WM_OPENHANDEDFILE, 0, 0);
  }

  // One file at a time: opening runs nested message loops, in which the next
  // one would otherwise be opened in the middle of this one.
  void OpenNext() {
    if (opening_ || !open_ || waiting_.empty()) return;
    if (IsWindow(window_) && !IsWindowEnabled(window_)) {
      SetTimer(app_, kWaitTimer, kWaitMs, nullptr);
      return;
    }
    const std::wstring path = std::move(waiting_.front());
    waiting_.pop_front();
    opening_ = true;
    struct TDone {
      THandOverReceiver* self;
      ~TDone() {
        self->opening_ = false;
        self->Schedule();
      }
    } done{this};
    open_(path);
  }

  TWindowHook hook_;
  HWND app_ = nullptr;
  HWND window_ = nullptr;
  std::function<void(const std::wstring&)> open_;
  std::deque<std::wstring> waiting_;
  bool opening_ = false;
};

// Never destroyed: the window it is laid over lives until the process ends.
THandOverReceiver& Receiver() {
  static auto* receiver = new THandOverReceiver;
  return *receiver;
}

// path as a full path: the running instance has a working folder of its own.
std::wstring FullPathOf(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (!size) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (!length || length >= size) return path;
  full.resize(length);
  return full;
}

}  // namespace

std::wstring HandedPath(const COPYDATASTRUCT& data) {
  if (data.dwData != kHandOverTag || !data.lpData || data.cbData % sizeof(wchar_t) != 0 ||
      data.cbData > (kMaxPathChars + 1) * sizeof(wchar_t))
    return L"";
  const auto* text = static_cast<const wchar_t*>(data.lpData);
  const size_t count = data.cbData / sizeof(wchar_t);
  size_t length = 0;
  while (length < count && text[length]) ++length;
  return std::wstring(text, length);
}

bool HandOverFile(const std::wstring& path) {
  if (!RestoredInstance || path.empty()) return false;
  const std::wstring full = FullPathOf(path);
  COPYDATASTRUCT data{kHandOverTag, static_cast<DWORD>((full.size() + 1) * sizeof(wchar_t)),
                      const_cast<wchar_t*>(full.c_str())};
  DWORD_PTR taken = FALSE;
  return SendMessageTimeoutW(RestoredInstance, WM_COPYDATA, reinterpret_cast<WPARAM>(OwnWindow),
                             reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kRestoreTimeoutMs, &taken) &&
         taken == TRUE;
}

void ListenForHandedFiles(HWND h) { Receiver().Listen(h); }

void OpenHandedFiles(HWND window, std::function<void(const std::wstring&)> open) {
  Receiver().OpenWith(window, std::move(open));
}

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
    if (IsLiveInstance(SlotWindow(found)) && RestoreInstance(SlotWindow(found))) {
      RestoredInstance = SlotWindow(found);
      OwnWindow = h;
      return true;
    }
    expected = found;
  }
}
