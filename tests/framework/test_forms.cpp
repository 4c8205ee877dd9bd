// The application and forms: the message loop and the engine's finished
// threads, closing, and hints.
#include <gtest/gtest.h>

#include "engine/Thread.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

class QuickThread : public TThread {
 public:
  explicit QuickThread(TNotifyEvent onTerminate) : TThread(std::move(onTerminate)) { Start(); }
  ~QuickThread() override { WaitFor(); }

 protected:
  void Execute() override {}
};

TEST(ApplicationLoop, RunsTheTerminationHandlerOfAThreadOnTheMainThread) {
  harness::InitGui();
  const DWORD mainThread = GetCurrentThreadId();
  DWORD ranOn = 0;
  QuickThread thread([&](TThread*) { ranOn = GetCurrentThreadId(); });
  // Only the message loop drains the queue: the thread's wakeup posts to the application window.
  EXPECT_TRUE(harness::PumpUntil([&] { return ranOn != 0; }));
  EXPECT_EQ(ranOn, mainThread);
}

TEST(ApplicationLoop, RunEndsWhenTheMainFormCloses) {
  TEventForm* form = MakeForm(FormLayout(100, 50, ""), false);
  TForm* previous = Application->MainForm();
  Application->SetMainForm(form);
  bool queried = false;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    canClose = queried;  // the first close is refused
    queried = true;
  };
  form->OnShow = [&](TObject*) {
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  };
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
  Application->SetMainForm(previous);
  form->Free();
}

TEST(Hints, ShowAfterTheirPauseAndGoWhenTheMouseLeaves) {
  TEventForm* form = MakeForm(FormLayout(200, 100, R"(  ShowHint = True
  object Label1: TLabel
    Left = 10
    Top = 10
    Caption = 'skin'
    Hint = 'Green Skin'
  end
  object Quiet: TLabel
    Left = 10
    Top = 50
    Caption = 'no hint'
    Hint = 'never'
    ShowHint = False
  end
)"));
  Application->SetHintPause(0);
  harness::MouseMove(form->Label1);
  EXPECT_TRUE(harness::PumpUntil([] { return Application->ActiveHint() == L"Green Skin"; }));
  harness::MoveAway(form->Label1);
  EXPECT_EQ(Application->ActiveHint(), L"");
  harness::MouseMove(harness::Find(form, "Quiet"));
  harness::Pump(100);
  EXPECT_EQ(Application->ActiveHint(), L"");
  Application->SetHintPause(500);
  form->Free();
}

}  // namespace
