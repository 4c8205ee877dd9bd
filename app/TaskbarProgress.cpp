#include "app/TaskbarProgress.h"

#include "framework/Forms.h"

#include <shobjidl.h>

namespace {

// The system's taskbar through ITaskbarList3, made on first use. Where the
// interface is missing (before Windows 7, or under Wine) nothing is shown
// and the program goes on.
class TSystemTaskbar : public TTaskbarProgress {
 public:
  ~TSystemTaskbar() override {
    if (list_) list_->Release();
  }
  void Show(HWND window, TTaskbarState state, int percent) override {
    if (!Connect()) return;
    static constexpr TBPFLAG kFlags[] = {TBPF_NOPROGRESS, TBPF_NORMAL, TBPF_PAUSED, TBPF_ERROR};
    list_->SetProgressState(window, kFlags[state]);
    if (state != tbsNone) list_->SetProgressValue(window, static_cast<ULONGLONG>(percent), 100);
  }

 private:
  bool Connect() {
    if (tried_) return list_ != nullptr;
    tried_ = true;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&list_))))
      list_ = nullptr;
    else if (FAILED(list_->HrInit())) {
      list_->Release();
      list_ = nullptr;
    }
    return list_ != nullptr;
  }

  bool tried_ = false;
  ITaskbarList3* list_ = nullptr;
};

struct TShown {
  std::unique_ptr<TTaskbarProgress> Taskbar = std::make_unique<TSystemTaskbar>();
  TTaskbarState State = tbsNone;
  int Percent = 0;
};

TShown& Shown() {
  static TShown shown;
  return shown;
}

// Passes a change on to the main window's button; repeats of what it shows are dropped.
void Show(TTaskbarState state, int percent) {
  TShown& shown = Shown();
  if (state == tbsNone) percent = 0;
  if (state == shown.State && percent == shown.Percent) return;
  shown.State = state;
  shown.Percent = percent;
  if (TForm* form = Application ? Application->MainForm() : nullptr; form && form->HandleAllocated())
    shown.Taskbar->Show(form->Handle(), state, percent);
}

}  // namespace

void ShowTaskbarProgress(int percent) {
  const TTaskbarState state = Shown().State;
  Show(state == tbsNone ? tbsNormal : state, percent);
}

void ShowTaskbarState(TTaskbarState state) { Show(state, Shown().Percent); }

void SetTaskbarProgress(std::unique_ptr<TTaskbarProgress> taskbar) {
  Shown() = TShown{std::move(taskbar)};
}
