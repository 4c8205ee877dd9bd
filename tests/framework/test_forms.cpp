// The application and forms: the message loop and the engine's finished
// threads, errors of handlers and of the system, closing, and hints.
#include <gtest/gtest.h>

#include <utility>

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

TEST(ApplicationErrors, HandlerErrorsAreReportedAndTheLoopGoesOn) {
  TEventForm* form = MakeForm(R"(
object Failing: TEventForm
  BorderStyle = bsNone
  ClientWidth = 100
  ClientHeight = 50
  object Label1: TLabel
    Caption = 'press'
  end
  object Tick: TTimer
    Interval = 10
  end
end
)");
  harness::ResetScripts();
  Application->SetTitle(L"Quenlor");
  const TExceptionEvent failTest = std::exchange(Application->OnException, nullptr);
  int clicks = 0;
  form->Label1->OnClick = [&](TObject*) {
    ++clicks;
    throw std::runtime_error("click failed");
  };
  harness::Click(form->Label1);
  harness::Click(form->Label1);
  EXPECT_EQ(clicks, 2);
  // By default the error's text is shown in a message box, and the program goes on.
  const auto& calls = DialogScript().Calls;
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Kind, dkMessage);
  EXPECT_EQ(calls[0].Text, L"click failed");
  EXPECT_EQ(calls[0].Title, L"Quenlor");
  EXPECT_EQ(calls[0].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));

  // OnException takes the place of the box; the loop keeps dispatching.
  Log reported;
  Application->OnException = [&](TObject* Sender, const std::exception& E) {
    reported.push_back(NameOf(Sender) + ": " + E.what());
  };
  auto* tick = harness::Find<TTimer>(form, "Tick");
  tick->OnTimer = [](TObject*) { throw std::logic_error("tick failed"); };
  harness::PumpUntil([&] { return reported.size() >= 2; });
  Application->OnException = failTest;
  form->Free();
  EXPECT_EQ(calls.size(), 2u);
  harness::ResetScripts();
  ASSERT_GE(reported.size(), 2u);
  EXPECT_EQ(reported[0], "Tick: tick failed");
}

TEST(ApplicationErrors, AFailedSystemCallCarriesItsErrorCode) {
  TEventForm* form = MakeForm("object Host: TEventForm\nend\n", false);
  class TUnknownClass : public TWinControl {
   public:
    using TWinControl::TWinControl;

   protected:
    void CreateParams(TCreateParams& params) override {
      TWinControl::CreateParams(params);
      params.WinClassName = L"NoSuchWindowClass";
      params.NativeClass = true;
    }
  };
  // The code the system gives for that failure (Windows and Wine differ).
  EXPECT_EQ(CreateWindowExW(0, L"NoSuchWindowClass", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr), nullptr);
  const DWORD code = GetLastError();
  ASSERT_NE(code, 0u);
  auto* control = new TUnknownClass(form);
  control->SetName("Odd");
  try {
    control->SetParent(form);  // the form has its window, so the control makes one
    ADD_FAILURE() << "the window was made";
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode, code);
    const std::string text = e.what();
    const std::string number = " (error " + std::to_string(code) + ")";
    EXPECT_EQ(text.rfind("CreateWindowEx for Odd: ", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - number.size()), number);
    EXPECT_GT(text.size(), std::string("CreateWindowEx for Odd: ").size() + number.size()) << text;
  }
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
