// A later start hands its file to the running instance: the window opens it
// as it opens the command line's, refuses it while a job runs, and waits
// while a box is open over it.
#include "app/Main.h"
#include "app/UnitRunonce.h"
#include "app/frmRes.h"
#include "tests/app/Program.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/engine/TestFiles.h"
#include "tests/harness/Harness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class HandOver : public testfiles::FolderTest {
 protected:
  static void SetUpTestSuite() {
    program::Start();
    ListenForHandedFiles(Application->Handle());
  }
  void SetUp() override {
    FolderTest::SetUp();
    frmMain->ResetJobState();
    frmMain->ResetPages();
    frmMain->M_clear_btnClick(nullptr);
    harness::Click(frmMain->btnFunc1);
    mobrel_double::Reset();
    // This test program is the running instance that a later start finds.
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"{3F9A2C61-5B7E-4D08-9C14-E2A7B05D6F93}");
    ASSERT_NE(mapping, nullptr);
    auto* slot = static_cast<LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 4));
    *slot = static_cast<LONG>(reinterpret_cast<uintptr_t>(Application->Handle()));
    UnmapViewOfFile(slot);
    CloseHandle(mapping);
    later_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RunOnceCheck(later_));
  }
  void TearDown() override {
    DestroyWindow(later_);
    harness::Click(frmMain->btnFunc1);
    FolderTest::TearDown();
  }
  std::wstring MakeSeries(const std::wstring& base, int parts) {
    for (int i = 0; i < parts; ++i) testfiles::WritePattern(base + L".QuenlorSp" + std::to_wstring(i), 1000);
    return base;
  }
  int Rows() { return frmMain->Merge_list->Items().Count(); }

  HWND later_ = nullptr;
};

TEST_F(HandOver, APartOpensTheMergePageWithItsSeriesAndAnyOtherFileBecomesTheSource) {
  const std::wstring base = MakeSeries(Path(L"v.bin"), 3);
  ASSERT_TRUE(HandOverFile(base + L".QuenlorSp1"));
  ASSERT_TRUE(harness::PumpUntil([this] { return Rows() == 3; }));
  EXPECT_EQ(frmMain->Page(), 2);
  EXPECT_EQ(frmMain->Merge_list->Items()[0]->Caption(), base + L".QuenlorSp0");

  const std::wstring source = Path(L"film.avi");
  testfiles::WritePattern(source, 5000);
  ASSERT_TRUE(HandOverFile(source));
  ASSERT_TRUE(harness::PumpUntil([] { return frmMain->Source_E->Text() != L""; }));
  EXPECT_EQ(frmMain->Page(), 1);
  EXPECT_EQ(frmMain->Source_E->Text(), source);
  EXPECT_TRUE(mobrel_double::CallsOf("MessageBox").empty());
}

// The running instance has a working folder of its own: a relative name
// is made full by the start that hands it over.
TEST_F(HandOver, ARelativeNameReachesTheWindowAsAFullPath) {
  const std::wstring base = MakeSeries(Path(L"r.bin"), 2);
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  SetCurrentDirectoryW(Path(L"").c_str());
  const bool handed = HandOverFile(L"r.bin.QuenlorSp0");
  SetCurrentDirectoryW(L"C:\\");
  ASSERT_TRUE(handed);
  ASSERT_TRUE(harness::PumpUntil([this] { return Rows() == 2; }));
  EXPECT_EQ(frmMain->Merge_list->Items()[1]->Caption(), base + L".QuenlorSp1");
  SetCurrentDirectoryW(saved);
}

TEST_F(HandOver, WhileAJobRunsTheFileIsRefusedWithTheReason) {
  const std::wstring base = MakeSeries(Path(L"j.bin"), 2);
  frmMain->Source_E->SetText(L"");
  {
    program::TRunningJob job;
    ASSERT_TRUE(HandOverFile(base + L".QuenlorSp0"));
    ASSERT_TRUE(harness::PumpUntil([] { return !mobrel_double::CallsOf("MessageBox").empty(); }));
    EXPECT_EQ(frmMain->Page(), 1);
  }
  EXPECT_EQ(Rows(), 0);
  const auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Text, base + L".QuenlorSp0 was not opened because a file is being split or merged. "
                                  L"Please open it again when the work is done.");
  EXPECT_EQ(calls[0].Owner, frmMain->Handle());
  EXPECT_EQ(calls[0].Style, 48u);
}

// A file handed over while a box or dialog holds the window waits for it,
// and files handed over in a row are opened in turn: the last one stays.
TEST_F(HandOver, FilesWaitWhileTheWindowIsHeldAndOpenInTurn) {
  const std::wstring first = MakeSeries(Path(L"a.bin"), 2), second = MakeSeries(Path(L"b.bin"), 3);
  EnableWindow(frmMain->Handle(), FALSE);
  ASSERT_TRUE(HandOverFile(first + L".QuenlorSp0"));
  ASSERT_TRUE(HandOverFile(second + L".QuenlorSp2"));
  harness::Pump(600);
  EXPECT_EQ(Rows(), 0) << "opened while a box held the window";
  EnableWindow(frmMain->Handle(), TRUE);
  ASSERT_TRUE(harness::PumpUntil([this] { return Rows() == 3; }));
  EXPECT_EQ(frmMain->Merge_list->Items()[0]->Caption(), second + L".QuenlorSp0");
  harness::Pump(300);
  EXPECT_EQ(Rows(), 3);
}

TEST_F(HandOver, OnlyAWellFormedHandOverIsTaken) {
  std::wstring path = L"C:\\x.bin";
  auto send = [](ULONG_PTR tag, const void* data, DWORD bytes) {
    COPYDATASTRUCT copy{tag, bytes, const_cast<void*>(data)};
    return SendMessageW(Application->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
  };
  const DWORD bytes = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
  EXPECT_EQ(send(0x1234, path.c_str(), bytes), FALSE) << "another tag";
  EXPECT_EQ(send(0x514E4C46, path.c_str(), bytes - 1), FALSE) << "an odd length";
  EXPECT_EQ(send(0x514E4C46, path.c_str(), 0), FALSE) << "no text";
  EXPECT_EQ(send(0x514E4C46, nullptr, bytes), FALSE) << "no data";
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_COPYDATA, 0, 0), FALSE) << "no structure";
  std::wstring huge(40000, L'a');
  EXPECT_EQ(send(0x514E4C46, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t))), FALSE)
      << "longer than any path";

  // The text ends at its terminator or at the length given, whichever comes first.
  struct TCase {
    std::wstring Data;
    DWORD Bytes;
    std::wstring Path;
  } cases[] = {{L"C:\\a.bin", 18, L"C:\\a.bin"},
               {std::wstring(L"C:\\b\0junk", 9), 18, L"C:\\b"},
               {L"C:\\abcdef", 8, L"C:\\a"}};
  for (const TCase& c : cases) {
    COPYDATASTRUCT copy{0x514E4C46, c.Bytes, const_cast<wchar_t*>(c.Data.data())};
    EXPECT_EQ(HandedPath(copy), c.Path);
  }
  harness::Pump(300);
  EXPECT_TRUE(mobrel_double::CallsOf("MessageBox").empty());
}

}  // namespace
