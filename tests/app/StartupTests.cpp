// The single-instance guard, the skin restored at start and the close questions.
#include "app/Main.h"
#include "app/Startup.h"
#include "app/UnitRunonce.h"
#include "app/frmRes.h"
#include "engine/My_Global.h"
#include "tests/app/Program.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/harness/Harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class Startup : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { program::Start(); }
  void SetUp() override { mobrel_double::Reset(); }
};

// The shared block as another process sees it.
class TSlotView {
 public:
  TSlotView() {
    mapping_ = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"{3F9A2C61-5B7E-4D08-9C14-E2A7B05D6F93}");
    if (mapping_) view_ = static_cast<LONG*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 4));
  }
  ~TSlotView() {
    if (view_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
  }
  bool Open() const { return view_ != nullptr; }
  LONG& Value() { return *view_; }

 private:
  HANDLE mapping_ = nullptr;
  LONG* view_ = nullptr;
};

LONG AsSlot(HWND wnd) { return static_cast<LONG>(reinterpret_cast<uintptr_t>(wnd)); }

TEST_F(Startup, TheFirstInstanceTakesTheSlotAndALaterOneRestoresIt) {
  TSlotView slot;
  ASSERT_TRUE(slot.Open()) << "the block is set up when the program loads";
  slot.Value() = 0;
  HWND app = Application->Handle();
  EXPECT_FALSE(RunOnceCheck(app));
  EXPECT_EQ(slot.Value(), AsSlot(app));

  // A later start while the window is minimised brings it back.
  HWND main = frmMain->Handle();
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(main));
  HWND later = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(RunOnceCheck(later));
  EXPECT_FALSE(IsIconic(main));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(slot.Value(), AsSlot(app)) << "the first instance keeps the slot";

  // A slot naming a window that is gone, or one that is not an instance's
  // application window, is stale: the new start becomes the first.
  DestroyWindow(later);
  slot.Value() = AsSlot(later);
  EXPECT_FALSE(RunOnceCheck(app));
  EXPECT_EQ(slot.Value(), AsSlot(app));
  slot.Value() = AsSlot(main);
  EXPECT_FALSE(RunOnceCheck(app));
  EXPECT_EQ(slot.Value(), AsSlot(app));
  harness::Pump();
}

// A first instance that has stopped answering messages (its window made
// on a thread that does not pump) does not keep a later start waiting:
// that start goes on as the first and takes the slot.
TEST_F(Startup, ALaterStartDoesNotWaitForAHungFirstInstance) {
  TSlotView slot;
  ASSERT_TRUE(slot.Open());
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> hung{nullptr};
  std::thread first([&] {
    HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"QuenlorApplication", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    hung = w;
    WaitForSingleObject(release, INFINITE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    DestroyWindow(w);
  });
  while (!hung) Sleep(10);
  slot.Value() = AsSlot(hung);
  HWND app = Application->Handle();
  std::atomic<int> answer{-1};
  std::thread later([&] { answer = RunOnceCheck(app) ? 1 : 0; });
  for (int i = 0; i < 150 && answer < 0; ++i) Sleep(100);
  EXPECT_EQ(answer.load(), 0) << "the later start waited for the hung instance";
  SetEvent(release);
  first.join();
  later.join();
  EXPECT_EQ(slot.Value(), AsSlot(app));
  CloseHandle(release);
}

TEST_F(Startup, RestoresTheSkinTheLibraryReportsAndOtherwiseApplysBlue) {
  mobrel_double::Get().SkinToReport = 4;
  InitSupportLibrary();
  RestoreSkin();
  // The library pages show the name and the project version it is given.
  const auto init = mobrel_double::CallsOf("InitDLL");
  ASSERT_EQ(init.size(), 1u);
  EXPECT_EQ(init[0].Text + L" " + init[0].Title, L"Quenlor " QUENLOR_VERSION);
  EXPECT_EQ(CurrentSkin, 4);
  EXPECT_EQ(frmMain->Color(), 0x003A89E7u);
  auto calls = mobrel_double::CallsOf("SetSkin");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Style, static_cast<uint32_t>(fYellow));

  // Nothing reported: the preset 1 applies the design-time Blue.
  mobrel_double::Reset();
  InitSupportLibrary();
  RestoreSkin();
  EXPECT_EQ(CurrentSkin, 1);
  EXPECT_EQ(frmMain->Color(), 0x00D58B3Au);
  calls = mobrel_double::CallsOf("SetSkin");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Style, static_cast<uint32_t>(fBlue));
}

TEST_F(Startup, ClosingAsksToExitAndNoKeepsTheWindowWithItsPagesReset) {
  frmMain->Output_E->SetText(L"C:\\out\\");
  harness::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(frmMain->Close());
  EXPECT_TRUE(IsWindowVisible(frmMain->Handle()));
  EXPECT_EQ(frmMain->Output_E->Text(), L"");
  auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Text, L"Do you want to exit?");
  EXPECT_EQ(calls[0].Owner, frmMain->Handle());
  EXPECT_EQ(calls[0].Style, 36u);

  // Yes lets it close (asked here without closing the test's window).
  harness::QueueMessageBoxAnswer(IDYES);
  EXPECT_TRUE(frmMain->CloseQuery());
}

TEST_F(Startup, ClosingWhileAJobRunsAsksToStopItFirst) {
  program::TRunningJob job;
  // The query holds the job's progress timer while it asks, and gives it back.
  frmMain->Split_timer->SetEnabled(true);
  bool timerWhileAsked = true;
  mobrel_double::Get().WhileBoxShown = [&timerWhileAsked] { timerWhileAsked = frmMain->Split_timer->Enabled(); };
  harness::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(frmMain->Close());
  EXPECT_FALSE(timerWhileAsked);
  EXPECT_TRUE(frmMain->Split_timer->Enabled());
  frmMain->Split_timer->SetEnabled(false);
  auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 1u) << "No to stopping asks nothing more";
  EXPECT_EQ(calls[0].Text, L"Do you want to stop the current work?");
  // The job goes on.
  EXPECT_EQ(PauseRequest.load(), 0);
  EXPECT_EQ(CancelRequest.load(), 0);
  EXPECT_TRUE(harness::PumpUntil([] { return WorkerState.load() == wsRunning; }, 1000));
  EXPECT_TRUE(IsWindowVisible(frmMain->Handle()));
}

TEST_F(Startup, WindowsEndingTheSessionClosesWithoutQuestions) {
  program::TRunningJob job;
  EXPECT_EQ(SendMessageW(frmMain->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_EQ(WindowsEnding, 1);
  EXPECT_TRUE(frmMain->CloseQuery());
  EXPECT_TRUE(mobrel_double::CallsOf("MessageBox").empty());

  // Another program cancelled the log-off: closing asks again.
  SendMessageW(frmMain->Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(WindowsEnding, 0);
  WindowsEnding = 0;
  harness::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(frmMain->CloseQuery());
  auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Text, MessageText(3));
}

}  // namespace
