// The job control that the split and merge pages share: the drive checks
// before a job, the progress tick, Cancel, the stop query with its wait,
// the end of a job and the reset of the job state and of both pages.
#include "app/Main.h"
#include "app/TaskbarProgress.h"
#include "app/frmRes.h"
#include "engine/global.h"

#include <vector>

bool JobRunning() {
  const int32_t state = WorkerState.load();
  return state == wsRunning || state == wsPaused;
}

// ---------------------------------------------------------------- before a job

std::wstring TfrmMain::DriveOf(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
  if (path.rfind(L"\\\\", 0) != 0) return L"";
  const size_t share = path.find(L'\\', 2);
  if (share == std::wstring::npos) return path;
  return path.substr(0, path.find(L'\\', share + 1));
}

bool TfrmMain::FitsDrive(int n, const std::wstring& drive, int64_t size) {
  const TFileSystemKind kind = FileSystemKind(drive);
  if (size > LargestFileOf(kind)) {
    const bool fat = kind == fskFAT;
    ShowMessageText(n, DriveLimitText(n, drive, fat ? L"FAT" : L"FAT32", fat ? L"2G" : L"4G"));
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- progress, Cancel and the stop query

void TfrmMain::ShowProgress(TTimer* timer, TXProcessBar* partBar, TXProcessBar* totalBar, TLabel* line, int message) {
  int32_t part = 0, total = 0;
  {
    std::lock_guard lock(ProgressLock);
    part = PartPercent;
    total = TotalPercent;
  }
  const int32_t current = CurrentPart.load();
  if (JobFinished == 1) timer->SetEnabled(false);
  if (partBar->Position() != part) partBar->SetPosition(part);
  if (totalBar->Position() != total) totalBar->SetPosition(total);
  ShowTaskbarProgress(total);
  const std::wstring text = PartLine(message, current);
  if (line->Caption() != text) line->SetCaption(text);
}

void TfrmMain::WaitWithMessages(bool (*done)()) {
  while (!done()) {
    Sleep(100);
    Application->ProcessMessages();
  }
}

void TfrmMain::AskToCancelJob() {
  // A second Cancel (or a stop query) during the wait must not wait again.
  if (stop_waiting_) return;
  TValueGuard<bool> waiting(stop_waiting_, true);
  PauseRequest.exchange(1);
  WaitWithMessages([] { return WorkerState.load() == wsPaused || !JobRunning(); });
  if (!JobRunning()) {
    PauseRequest.exchange(0);
    return;
  }
  ShowTaskbarState(tbsPaused);
  const bool stop = AskYes(7);
  if (!stop) ShowTaskbarState(tbsNormal);
  PauseRequest.exchange(0);
  if (stop) CancelRequest.exchange(1);
}

bool TfrmMain::QueryStopJob() {
  const int32_t state = WorkerState.load();
  if (state == wsIdle) return true;
  if (!JobRunning() || stop_waiting_) return false;
  TValueGuard<bool> waiting(stop_waiting_, true);
  // The worker holds while the user is asked; so do the pages' timers.
  const bool pausedHere = PauseRequest.exchange(1) == 0;
  std::vector<TTimer*> held;
  for (TJobPage* page : JobPages())
    if (pausedHere && page->ProgressTimer()->Enabled()) {
      page->ProgressTimer()->SetEnabled(false);
      held.push_back(page->ProgressTimer());
    }
  WaitWithMessages([] { return WorkerState.load() == wsPaused || !JobRunning(); });
  if (!JobRunning()) {
    WaitWithMessages([] { return JobFinished == 1; });
    return true;
  }
  ShowTaskbarState(tbsPaused);
  if (AskYes(3)) {
    CancelRequest.exchange(1);
    PauseRequest.exchange(0);
    WaitWithMessages([] { return JobFinished == 1; });
    return true;
  }
  if (pausedHere) {
    ShowTaskbarState(tbsNormal);
    PauseRequest.exchange(0);
    for (TTimer* timer : held) timer->SetEnabled(true);
  }
  return false;
}

// ---------------------------------------------------------------- end of a job

void TfrmMain::JobTerminated(TThread*) {
  const int32_t state = WorkerState.load();
  if (state == wsFailed) {
    ShowTaskbarState(tbsError);
    (SplitJob ? split_job_page_ : merge_job_page_)->ShowFailure();
  }
  if (state == wsSucceeded && SplitJob) ShowMessageNumber(19);
  if (state == wsSucceeded && MergeJob) ShowMessageNumber(23);
  // Whatever the end, no job flag outlives its job: a stale one would make
  // every later tab switch reset both pages.
  SplitJob = 0;
  MergeJob = 0;
  ResetPages();
  for (TJobPage* page : JobPages()) page->ClearJobInput();
  ResetJobState();
  ShowTaskbarState(tbsNone);
  JobFinished = 1;
}

void TfrmMain::ResetJobState() {
  ::ResetJobState();
  JobFinished = 0;
}

void TfrmMain::ResetPages() {
  for (TJobPage* page : JobPages()) page->ResetPage();
  for (TJobPage* page : JobPages()) {
    page->ProgressTimer()->SetEnabled(false);
    for (TXProcessBar* bar : page->ProgressBars()) bar->SetPosition(0);
  }
}
