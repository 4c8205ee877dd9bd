// The split page of the main window: the source and folder choice, the
// block plan, validation, the start of the split worker, its progress,
// Cancel and the page's reset.
#include "app/Main.h"
#include "app/frmRes.h"
#include "engine/global.h"
#include "engine/platform/Platform.h"
#include "framework/Layout.h"

#include <limits>
#include <optional>
#include <vector>

namespace {

const bool registered = [] {
  RegisterClass<TfrmMain, TForm>("TfrmMain")
      .Field("Label1", &TfrmMain::Label1)
      .Field("Label2", &TfrmMain::Label2)
      .Field("Label3", &TfrmMain::Label3)
      .Field("Label4", &TfrmMain::Label4)
      .Field("Label5", &TfrmMain::Label5)
      .Field("Label6", &TfrmMain::Label6)
      .Field("Label7", &TfrmMain::Label7)
      .Field("Source_E", &TfrmMain::Source_E)
      .Field("Output_E", &TfrmMain::Output_E)
      .Field("block_edt", &TfrmMain::block_edt)
      .Field("Size_edt", &TfrmMain::Size_edt)
      .Field("S_open_btn", &TfrmMain::S_open_btn)
      .Field("s_save_btn", &TfrmMain::s_save_btn)
      .Field("XImageButtonColor1", &TfrmMain::XImageButtonColor1)
      .Field("XImageButtonColor2", &TfrmMain::XImageButtonColor2)
      .Field("block_R_btn", &TfrmMain::block_R_btn)
      .Field("Size_R_btn", &TfrmMain::Size_R_btn)
      .Field("size_com_box", &TfrmMain::size_com_box)
      .Field("Info_1_lb", &TfrmMain::Info_1_lb)
      .Field("Info_3_lb", &TfrmMain::Info_3_lb)
      .Field("lb_1", &TfrmMain::lb_1)
      .Field("lb_3", &TfrmMain::lb_3)
      .Field("finish_lb", &TfrmMain::finish_lb)
      .Field("OpenDialog1", &TfrmMain::OpenDialog1)
      .Handler("S_open_btnClick", &TfrmMain::S_open_btnClick)
      .Handler("s_save_btnClick", &TfrmMain::s_save_btnClick)
      .Handler("Output_EChange", &TfrmMain::Output_EChange)
      .Handler("block_R_btnClick", &TfrmMain::block_R_btnClick)
      .Handler("Size_R_btnClick", &TfrmMain::Size_R_btnClick)
      .Handler("Size_edtKeyPress", &TfrmMain::Size_edtKeyPress)
      .Handler("Size_edtChange", &TfrmMain::Size_edtChange)
      .Handler("size_com_boxChange", &TfrmMain::size_com_boxChange)
      .Handler("block_edtChange", &TfrmMain::block_edtChange)
      .Handler("Split_btnClick", &TfrmMain::Split_btnClick)
      .Handler("Split_timerTimer", &TfrmMain::Split_timerTimer)
      .Handler("s_cancel_btnClick", &TfrmMain::s_cancel_btnClick);
  return true;
}();

// Folder browser: the new dialog style with an edit box.
constexpr UINT kBrowseFlags = 0x0050;

bool Contains(const std::wstring& text, const std::wstring& part) {
  return UpperCase(text).find(UpperCase(part)) != std::wstring::npos;
}

// A text of decimal digits as a number; larger than any file when it
// overflows, none when it holds anything else (pasted text).
std::optional<int64_t> DigitsValue(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    if (value > (std::numeric_limits<int64_t>::max() - 9) / 10) return std::numeric_limits<int64_t>::max();
    value = value * 10 + (c - L'0');
  }
  return value;
}

int64_t NumberOf(const std::wstring& text) { return DigitsValue(text).value_or(0); }

void Warn(int n, TWinControl* focus = nullptr) {
  ShowMessageNumber(n);
  if (focus) focus->SetFocus();
}

// The window kept disabled while the confirmation box is shown.
HWND g_heldWindow = nullptr;

// Enables the held window as the active window (the box) is destroyed, so
// that the system hands the activation back to it and not to another
// program's window.
LRESULT CALLBACK EnableAsBoxCloses(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && g_heldWindow && reinterpret_cast<HWND>(wParam) == GetActiveWindow())
    EnableWindow(g_heldWindow, TRUE);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// ---------------------------------------------------------------- source and folder

void TfrmMain::S_open_btnClick(TObject*) {
  if (OpenDialog1->Execute(Handle())) ShowSource(OpenDialog1->FileName());
}

void TfrmMain::ShowSource(const std::wstring& path) {
  Source_E->SetText(path);
  const int64_t size = FileSizeOf(path);
  const std::wstring text = SizeText(size);
  Size_edt->SetText(L"1");
  if (Contains(text, L"MB"))
    size_com_box->SetItemIndex(0);
  else if (Contains(text, L"KB"))
    size_com_box->SetItemIndex(1);
  else if (Contains(text, L"byte(s)"))
    size_com_box->SetItemIndex(2);
  lb_1->SetCaption(text);
  lb_2->SetCaption(L"");
  lb_3->SetCaption(L"");
  SourceSize = size;
  if (SourceSize != 0) {
    UpdateSplitInfo();
    return;
  }
  ShowMessageNumber(29);
  Source_E->SetText(L"");
  Source_E->SetFocus();
}

void TfrmMain::s_save_btnClick(TObject*) {
  if (Source_E->Text().empty()) return Warn(9, Source_E);
  std::wstring folder;
  switch (BrowseForFolder(Handle(), MessageText(12), kBrowseFlags, folder)) {
    case brCancelled:
      return;
    case brNoPath:
      return Output_E->SetFocus();
    case brPath:
      if (folder.back() != L'\\') folder += L'\\';
      Output_E->SetText(folder);
  }
}

void TfrmMain::Output_EChange(TObject*) {
  if (Output_E->Text().empty()) return;
  if (!HasFreeSpace(DriveOf(Output_E->Text()), FileSizeOf(Source_E->Text()))) {
    ShowMessageNumber(1);
    Output_E->SetText(L"");
    return Output_E->SetFocus();
  }
  if (Source_E->Text().empty()) return;
  if (!block_R_btn->Enabled()) {
    // The first folder after a reset: count mode with two blocks.
    block_R_btn->SetEnabled(true);
    block_R_btn->SetStatus(csChecked);
    block_edt->SetText(L"2");
    SetModeControls(true);
    Size_R_btn->SetEnabled(true);
    Size_R_btn->SetStatus(csUnChecked);
  }
  UpdateSplitInfo();
}

// ---------------------------------------------------------------- mode and input

// Count mode: block count and up-down on, size and unit off; size mode the other way round.
void TfrmMain::SetModeControls(bool countMode) {
  for (TControl* control :
       std::initializer_list<TControl*>{block_edt, MyUpdown1, XImageButtonColor1, XImageButtonColor2})
    control->SetEnabled(countMode);
  Size_edt->SetEnabled(!countMode);
  size_com_box->SetEnabled(!countMode);
}

void TfrmMain::block_R_btnClick(TObject*) {
  Size_R_btn->SetStatus(csUnChecked);
  SetModeControls(true);
  Size_edt->SetText(L"1");
  block_edt->SetText(L"2");
  block_edt->SetFocus();
  UpdateSplitInfo();
}

void TfrmMain::Size_R_btnClick(TObject*) {
  block_edt->SetText(L"2");
  block_R_btn->SetStatus(csUnChecked);
  SetModeControls(false);
  Size_edt->SetText(L"1");
  Size_edt->SetFocus();
  UpdateSplitInfo();
}

void TfrmMain::Size_edtKeyPress(TObject*, wchar_t& Key) {
  if ((Key < L'0' || Key > L'9') && Key != 8) Key = 0;
}

void TfrmMain::Size_edtChange(TObject*) {
  const std::wstring text = Size_edt->Text();
  if (text.empty()) return;
  if (text[0] == L'0') return Size_edt->SetText(L"1");
  UpdateSplitInfo();
}

void TfrmMain::size_com_boxChange(TObject*) {
  // A small source cannot be planned in a unit larger than itself.
  const std::wstring text = SizeText(FileSizeOf(Source_E->Text()));
  if (Contains(text, L"KB") && size_com_box->ItemIndex() == 0) size_com_box->SetItemIndex(1);
  if (Contains(text, L"byte(s)") && size_com_box->ItemIndex() != 2) size_com_box->SetItemIndex(2);
  Size_edt->SetText(L"1");
  UpdateSplitInfo();
}

void TfrmMain::block_edtChange(TObject*) { UpdateSplitInfo(); }

// ---------------------------------------------------------------- plan

void TfrmMain::UpdateSplitInfo() {
  if (block_R_btn->Status() == csChecked) {
    if (block_edt->Text() != L"0") return PlanByBlockCount();
    lb_1->SetCaption(SizeText(SourceSize));
    lb_2->SetCaption(L"0");
    lb_3->SetCaption(L"0");
    return;
  }
  const std::wstring size = Size_edt->Text();
  if (size != L"0" && !size.empty() && Size_R_btn->Status() == csChecked) PlanByBlockSize();
}

void TfrmMain::PlanByBlockCount() {
  const int64_t count = NumberOf(block_edt->Text());
  if (count > MaxPartCount) {
    ShowMessageNumber(13);
    for (TLabel* label : {lb_1, lb_2, lb_3}) label->SetCaption(L"0");
    return;
  }
  BlockSize = BlockSizeForCount(SourceSize, static_cast<int>(count));
  lb_1->SetCaption(SizeText(SourceSize));
  lb_2->SetCaption(SizeText(BlockSize));
  lb_3->SetCaption(block_edt->Text());
}

void TfrmMain::PlanByBlockSize() {
  // Pasted text that is no number leaves the plan as it is.
  const std::optional<int64_t> value = DigitsValue(Size_edt->Text());
  if (!value) return;
  lb_1->SetCaption(SizeText(SourceSize));
  const std::wstring unit = size_com_box->Text();
  const int64_t block = BlockSizeForUnit(*value, unit);
  if (block >= SourceSize) {
    lb_2->SetCaption(L"0");
    lb_3->SetCaption(L"0");
    // Putting the size back re-plans; a refusal inside that re-plan stays
    // silent, so that a one-byte source does not ask without end.
    if (size_refused_) return;
    TValueGuard<bool> refusing(size_refused_, true);
    ShowMessageNumber(10);
    Size_edt->SetText(unit == L"byte(s)" ? L"0" : L"1");
    if (unit == L"MB") Size_edt->SetFocus();
    return;
  }
  const bool wholeMegabytes = unit == L"MB" && block <= 1073741824;
  lb_2->SetCaption(wholeMegabytes ? Size_edt->Text() + L" MB" : SizeText(block));
  lb_3->SetCaption(std::to_wstring(PlanSplitBySize(Source_E->Text(), SourceSize, block).PartCount));
}

// ---------------------------------------------------------------- validation and start

bool TfrmMain::ValidateSplit() {
  if (Source_E->Text().empty()) return Warn(9, Source_E), false;
  if (Output_E->Text().empty()) return Warn(12, Output_E), false;
  if (!NameIsFree(Output_E->Text() + L"*.*", platform::ExtractFileName(Source_E->Text()))) {
    ShowMessageNumber(8);
    Output_E->SetText(L"");
    return Output_E->SetFocus(), false;
  }
  if (NumberOf(lb_3->Caption()) > MaxPartCount) return Warn(13), false;
  if (block_R_btn->Status() == csChecked) {
    if (block_edt->Text() == L"1") return false;
  } else {
    // Pasted text that is no number counts as no size, never as a block of 0.
    const std::optional<int64_t> size = DigitsValue(Size_edt->Text());
    if (!size || *size == 0) {
      ShowMessageNumber(15);
      Size_edt->SetText(L"0");
      return false;
    }
    BlockSize = BlockSizeForUnit(*size, size_com_box->Text());
  }
  return FitsDrive(25, DriveOf(Output_E->Text()), BlockSize);
}

void TfrmMain::SetPageInputs(bool enabled) {
  for (TControl* control : std::initializer_list<TControl*>{
           S_open_btn, Source_E, Output_E, s_save_btn, size_com_box, Split_btn, block_R_btn, block_edt, MyUpdown1,
           XImageButtonColor1, XImageButtonColor2, Size_edt, Size_R_btn})
    control->SetEnabled(enabled);
  s_cancel_btn->SetEnabled(!enabled);
}

// The confirmation box has no owner window, so nothing keeps the window
// from input while it is shown; it is disabled meanwhile, or a second Split,
// another page's job or Close could run under the box. It is enabled again
// as the box goes, so that it becomes the active window again.
bool TfrmMain::ConfirmSplit(const std::wstring& source) {
  EnableWindow(Handle(), FALSE);
  TScopeGuard enable([this] { EnableWindow(Handle(), TRUE); });
  TValueGuard<HWND> held(g_heldWindow, Handle());
  HHOOK hook = SetWindowsHookExW(WH_CBT, EnableAsBoxCloses, nullptr, GetCurrentThreadId());
  TScopeGuard unhook([hook] {
    if (hook) UnhookWindowsHookEx(hook);
  });
  return ShowMessageText(5, MessageText(5) + L" " + source, nullptr) == IDYES;
}

void TfrmMain::Split_btnClick(TObject*) {
  if (!ValidateSplit()) return;
  const std::wstring source = Source_E->Text();
  if (!ConfirmSplit(source)) return;
  // A source that changed since it was chosen is shown anew instead of split.
  if (FileSizeOf(source) != SourceSize) return ShowSource(source);
  const TSplitPlan plan = PlanSplitBySize(source, SourceSize, BlockSize, Output_E->Text());
  ResetJobState();
  // Running from now on, not only once the worker has begun: a stop query
  // or Cancel right after the start must find the job.
  WorkerState.exchange(wsRunning);
  SetPageInputs(false);
  Split_timer->SetEnabled(true);
  JobFinished = 0;
  SplitJob = 1;
  MergeJob = 0;
  Label5->Show();
  split_thread_.reset();  // the last worker has ended; its completion handler has run
  split_thread_ = StartSplit(plan, [this](TThread* thread) { JobTerminated(thread); });
}

// ---------------------------------------------------------------- the page as the job control sees it

class TfrmMain::TSplitJobPage : public TJobPage {
 public:
  explicit TSplitJobPage(TfrmMain& form) : f(form) {}
  void ResetPage() override { f.ResetSplitPage(); }
  void ClearJobInput() override {
    f.Source_E->SetText(L"");
    f.SourceSize = 0;
  }
  // The check names a part it could not open, or a later part that differs,
  // in a plain box; a first part that differs is not named.
  void ShowFailure() override {
    const TJobOutcome& outcome = f.split_thread_->Outcome();
    if (outcome.Operation == joCheck && outcome.Part >= 0 && (outcome.SystemError != 0 || outcome.Part > 0))
      MessageBoxW(nullptr, outcome.Path.c_str(), L"", MB_OK);
    ShowMessageNumber(2);
  }
  TTimer* ProgressTimer() const override { return f.Split_timer; }
  std::vector<TXProcessBar*> ProgressBars() const override { return {f.XProcessBar1, f.XProcessBar2}; }

 private:
  TfrmMain& f;
};

std::unique_ptr<TJobPage> TfrmMain::MakeSplitJobPage() { return std::make_unique<TSplitJobPage>(*this); }

// ---------------------------------------------------------------- progress, Cancel and reset

void TfrmMain::Split_timerTimer(TObject*) { ShowProgress(Split_timer, XProcessBar1, XProcessBar2, finish_lb, 6); }

void TfrmMain::s_cancel_btnClick(TObject*) { AskToCancelJob(); }

void TfrmMain::ResetSplitPage() {
  for (TControl* control : std::initializer_list<TControl*>{S_open_btn, s_save_btn, Split_btn, Source_E})
    control->SetEnabled(true);
  size_com_box->SetEnabled(false);
  s_cancel_btn->SetEnabled(false);
  Output_E->SetText(L"");
  Output_E->SetEnabled(true);
  for (TControl* control : std::initializer_list<TControl*>{block_edt, MyUpdown1, XImageButtonColor1,
                                                             XImageButtonColor2})
    control->SetEnabled(false);
  // Count mode first, so that the new texts re-plan nothing in size mode.
  block_R_btn->SetStatus(csChecked);
  Size_R_btn->SetStatus(csUnChecked);
  block_edt->SetText(L"0");
  block_R_btn->SetEnabled(false);
  Size_R_btn->SetEnabled(false);
  Size_edt->SetText(L"1");
  size_com_box->SetText(L"MB");
  for (TLabel* label : {lb_1, lb_2, lb_3}) label->SetCaption(L"0");
  finish_lb->SetCaption(L"");
  Label5->Hide();
}

