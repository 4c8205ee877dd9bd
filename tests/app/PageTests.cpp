#include "tests/app/PageTests.h"

#include "app/Main.h"
#include "engine/platform/Platform.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/harness/Harness.h"

#include <gtest/gtest.h>

namespace pagetests {

namespace {

// Lets a job run until it is 40 % done, then holds its worker.
void HoldAtMidway() {
  harness::PumpUntil([] {
    std::lock_guard lock(ProgressLock);
    return TotalPercent >= 40;
  });
  PauseRequest.exchange(1);
}

class TTaskbarRecorder : public TTaskbarProgress {
 public:
  void Show(HWND window, TTaskbarState state, int percent) override {
    EXPECT_EQ(window, frmMain->Handle());
    TaskbarCalls().push_back({state, percent, mobrel_double::CallsOf("MessageBox").size()});
  }
};

}  // namespace

void RecordTaskbar() {
  SetTaskbarProgress(std::make_unique<TTaskbarRecorder>());
  TaskbarCalls().clear();
}

std::vector<TTaskbarCall>& TaskbarCalls() {
  static std::vector<TTaskbarCall> calls;
  return calls;
}

void MakeSparse(const std::wstring& path, int64_t size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = size;
  SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
}

std::vector<std::wstring> Boxes() {
  std::vector<std::wstring> texts;
  for (const auto& call : mobrel_double::CallsOf("MessageBox")) texts.push_back(call.Text);
  return texts;
}

void ExpectBox(size_t index, const std::wstring& text, uint32_t style, HWND owner) {
  const auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_GT(calls.size(), index);
  EXPECT_EQ(calls[index].Text, text);
  EXPECT_EQ(calls[index].Title, L"Quenlor");
  EXPECT_EQ(calls[index].Style, style);
  EXPECT_EQ(calls[index].Owner, owner);
}

const TFatDrive FatDrives[2] = {{L"FAT32", 4294967295, L"4G"}, {L"FAT", 2147483647, L"2G"}};

std::wstring TooLargeText(const std::wstring& drive, const TFatDrive& fat, const std::wstring& advice) {
  return L"Your " + drive + L" drive is a " + fat.FileSystem +
         L" partition which does not support creating a file larger than " + fat.LimitText + L". " + advice;
}


void Shoot(const wchar_t* name) {
  harness::Pump(250);
  harness::SaveScreenshot(*harness::CaptureScreen(frmMain), name);
}

void ShootJob(const std::wstring& name, TControl* start, TControl* cancel, TXProcessBar* bar, TLabel* line,
              const std::wstring& lineStart) {
  harness::QueueMessageBoxAnswer(IDYES);  // the job
  harness::QueueMessageBoxAnswer(IDYES);  // stop
  harness::Click(start);
  HoldAtMidway();
  Shoot((name + L"-running").c_str());
  EXPECT_GT(bar->Position(), 0);
  EXPECT_EQ(line->Caption().rfind(lineStart, 0), 0u);
  ASSERT_FALSE(TaskbarCalls().empty());
  EXPECT_EQ(TaskbarCalls().back().State, tbsNormal);
  {
    std::lock_guard lock(ProgressLock);
    EXPECT_EQ(TaskbarCalls().back().Percent, TotalPercent);
  }
  EXPECT_GE(TaskbarCalls().back().Percent, 40);
  const int held = TaskbarCalls().back().Percent;
  harness::Click(cancel);
  ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
  // Paused at the held value before the stop question (box 1), cleared at the end.
  const auto& calls = TaskbarCalls();
  ASSERT_GE(calls.size(), 2u);
  const TTaskbarCall paused = calls[calls.size() - 2], cleared = calls.back();
  EXPECT_EQ((std::vector<int>{paused.State, paused.Percent, static_cast<int>(paused.Boxes)}),
            (std::vector<int>{tbsPaused, held, 1}));
  EXPECT_EQ(cleared.State, tbsNone);
  Shoot((name + L"-after-job").c_str());
}

void ExpectFailureOnAFullDisk(TControl* start, int64_t bytes) {
  harness::QueueMessageBoxAnswer(IDYES);
  platform::SimulateFullDisk(bytes);
  harness::Click(start);
  const bool ended = harness::PumpUntil([] { return JobFinished == 1; }, 60000);
  platform::SimulateFullDisk(-1);
  ASSERT_TRUE(ended);
  ExpectBox(1, L"Failed! The source file might be in use by another program.", 48, frmMain->Handle());
  EXPECT_EQ(Boxes().size(), 2u);
  // Red before the message (box 1) shows, nothing once it is answered.
  const auto& calls = TaskbarCalls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ((std::vector<int>{calls[calls.size() - 2].State, static_cast<int>(calls[calls.size() - 2].Boxes),
                              calls.back().State, static_cast<int>(calls.back().Boxes)}),
            (std::vector<int>{tbsError, 1, tbsNone, 2}));
}

}  // namespace pagetests
