#include "app/Main.h"

#include "app/Startup.h"
#include "app/frmRes.h"
#include "engine/My_Global.h"
#include "framework/Layout.h"
#include "mobrel/MobrelDLL.h"

#include <functional>
#include <vector>

TfrmMain* frmMain = nullptr;

namespace {

const bool registered = [] {
  RegisterClass<TfrmMain, TForm>("TfrmMain")
      .Layout(L"forms/frmMain.lfm")
      .Field("lblCaption", &TfrmMain::lblCaption)
      .Field("panMain", &TfrmMain::panMain)
      .Field("PanMerge", &TfrmMain::PanMerge)
      .Field("panOurProducts", &TfrmMain::panOurProducts)
      .Field("panMobrel", &TfrmMain::panMobrel)
      .Field("Split_timer", &TfrmMain::Split_timer)
      .Field("Merge_timer", &TfrmMain::Merge_timer)
      .Handler("FormCreate", &TfrmMain::FormCreate)
      .Handler("FormShow", &TfrmMain::FormShow)
      .Handler("FormCloseQuery", &TfrmMain::FormCloseQuery)
      .Handler("btnSkinBlueClick", &TfrmMain::btnSkinBlueClick)
      .Handler("btnSkinGreenClick", &TfrmMain::btnSkinGreenClick)
      .Handler("btnSkinBlackClick", &TfrmMain::btnSkinBlackClick)
      .Handler("btnSkinYellowClick", &TfrmMain::btnSkinYellowClick)
      .Handler("btnSkinRedClick", &TfrmMain::btnSkinRedClick);
  return true;
}();

// Waits on the main thread, keeping its messages flowing (timer ticks and a
// finished worker's completion handler run meanwhile), until done holds.
void WaitFor(const std::function<bool()>& done) {
  while (!done()) {
    Sleep(100);
    Application->ProcessMessages();
  }
}

bool JobRunning() {
  const int32_t state = WorkerState.load();
  return state == wsRunning || state == wsPaused;
}

}  // namespace

TfrmMain::TfrmMain(TComponent* AOwner) : TForm(AOwner) {}

void TfrmMain::FormCreate(TObject*) { g_MobrelDLL_FormStyle(this); }

void TfrmMain::FormShow(TObject*) {
  // The pages share one place below the tab row; only the split page shows at first.
  for (TPanel* page : {panMain, panOurProducts, panMobrel}) page->SetColor(0x00FFFFFF);
  panOurProducts->SetLeft(24);
  panMobrel->SetLeft(24);
  for (TPanel* page : {panMain, panOurProducts, panMobrel}) page->SetTop(72);
  panMain->Show();
  for (TPanel* page : {PanMerge, panOurProducts, panMobrel}) page->Hide();
  WindowsEnding = 0;
}

// ---------------------------------------------------------------- closing

void TfrmMain::FormCloseQuery(TObject*, bool& CanClose) {
  if (WindowsEnding) {
    CanClose = true;
    return;
  }
  CanClose = false;
  if (!QueryStopJob()) return;
  if (AskYes(4)) {
    CanClose = true;
    return;
  }
  ResetJobState();
  ResetPages();
}

void TfrmMain::WndProc(TMessage& message) {
  if (message.Msg != WM_QUERYENDSESSION) {
    TForm::WndProc(message);
    return;
  }
  // Windows logs off or shuts down: the window closes without questions.
  WindowsEnding = 1;
  TForm::WndProc(message);
  message.Result = 1;
}

// ---------------------------------------------------------------- job control

bool TfrmMain::QueryStopJob() {
  const int32_t state = WorkerState.load();
  if (state == wsIdle) return true;
  if (!JobRunning()) return false;  // the job is ending on its own
  // The worker holds while the user is asked; so do the pages' timers.
  const bool pausedHere = PauseRequest.load() == 0;
  std::vector<TTimer*> held;
  if (pausedHere) {
    PauseRequest.exchange(1);
    for (TTimer* timer : {Split_timer, Merge_timer})
      if (timer && timer->Enabled()) {
        timer->SetEnabled(false);
        held.push_back(timer);
      }
  }
  WaitFor([] { return WorkerState.load() == wsPaused || !JobRunning(); });
  if (!JobRunning()) {
    WaitFor([] { return JobFinished == 1; });
    return true;
  }
  if (AskYes(3)) {
    CancelRequest.exchange(1);
    PauseRequest.exchange(0);
    WaitFor([] { return JobFinished == 1; });
    return true;
  }
  if (pausedHere) {
    PauseRequest.exchange(0);
    for (TTimer* timer : held) timer->SetEnabled(true);
  }
  return false;
}

void TfrmMain::ResetJobState() {
  {
    std::lock_guard lock(ProgressLock);
    PartPercent = 0;
    TotalPercent = 0;
  }
  CancelRequest.exchange(0);
  CurrentPart.exchange(0);
  PauseRequest.exchange(0);
  WorkerState.exchange(wsIdle);
  JobFinished = 0;
}

// The split and merge pages put their inputs back here once they exist.
void TfrmMain::ResetPages() {}

// ---------------------------------------------------------------- skins

void TfrmMain::btnSkinBlueClick(TObject*) { SelectSkin(1, fBlue, 0x00D58B3A); }
void TfrmMain::btnSkinGreenClick(TObject*) { SelectSkin(2, fGreen, 0x003FAA3A); }
void TfrmMain::btnSkinBlackClick(TObject*) { SelectSkin(3, fBlack, 0x00252525); }
void TfrmMain::btnSkinYellowClick(TObject*) { SelectSkin(4, fYellow, 0x003A89E7); }
void TfrmMain::btnSkinRedClick(TObject*) { SelectSkin(5, fRed, 0x003A3ACC); }

void TfrmMain::SelectSkin(uint8_t number, TButtonColor color, TColor formColor) {
  if (CurrentSkin == number) return;
  CurrentSkin = number;
  ApplySkin(color, formColor);
}

void TfrmMain::ApplySkin(TButtonColor color, TColor formColor) {
  SetColor(formColor);
  g_MobrelDLL_SetSkin(static_cast<uint32_t>(color));
  Invalidate();
}
