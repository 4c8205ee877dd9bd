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

}  // namespace

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
  harness::Click(cancel);
  ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
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
}

}  // namespace pagetests
