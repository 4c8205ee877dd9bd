// The split page of the main window driven through its controls: whole
// jobs on real files, Cancel, the refusals of the validation and the plan.
#include "app/Main.h"
#include "app/frmRes.h"
#include "engine/global.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/app/PageTests.h"
#include "tests/app/Program.h"
#include "tests/engine/TestFiles.h"
#include "tests/harness/Harness.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using harness::Click;
using testfiles::Exists;
using testfiles::ReadAll;
using pagetests::Boxes;
using pagetests::ExpectBox;
using pagetests::ExpectFailureOnAFullDisk;
using pagetests::Shoot;
using pagetests::ShootJob;
using pagetests::MakeSparse;

class SplitPage : public testfiles::FolderTest {
 protected:
  static void SetUpTestSuite() { program::Start(); }
  void SetUp() override {
    FolderTest::SetUp();
    folder = Path(L"");
    frmMain->ResetJobState();
    frmMain->ResetPages();
    frmMain->Source_E->SetText(L"");
    harness::ResetScripts();
    pagetests::RecordTaskbar();
  }
  void ChooseSource(const std::wstring& path) {
    harness::QueueOpen(path);
    Click(frmMain->S_open_btn);
  }
  // An output folder of its own under the test folder.
  void ChooseFolder(const std::wstring& name = L"out") {
    out = folder + name + L"\\";
    CreateDirectoryW(out.c_str(), nullptr);
    harness::QueueFolder(folder + name);
    Click(frmMain->s_save_btn);
  }
  void SizeMode(const std::wstring& size, int unit) {
    Click(frmMain->Size_R_btn);
    frmMain->size_com_box->SetItemIndex(unit);
    frmMain->size_com_box->OnChange(frmMain->size_com_box);  // as a choice of the user
    frmMain->Size_edt->SetText(size);
  }
  // Splits a file of 40 MiB, in two unbuffered blocks or buffered in
  // blocks of 30,001 KB, and holds the worker in its first part, as a stop
  // that arrives at once would. Answers the source's path.
  std::wstring StartHeldSplit(bool buffered = false) {
    const std::wstring source = folder + L"h.bin";
    testfiles::WritePattern(source, 40 * 1048576);
    ChooseSource(source);
    ChooseFolder(buffered ? L"buf" : L"unbuf");
    if (buffered) SizeMode(L"30001", 1);
    harness::QueueMessageBoxAnswer(IDYES);
    Click(frmMain->Split_btn);
    PauseRequest.exchange(1);
    return source;
  }
  void ExpectResetPage() {
    EXPECT_EQ(frmMain->Source_E->Text(), L"");
    EXPECT_EQ(frmMain->Output_E->Text(), L"");
    EXPECT_EQ(frmMain->block_edt->Text(), L"0");
    EXPECT_EQ(frmMain->Size_edt->Text(), L"1");
    for (TLabel* label : {frmMain->lb_1, frmMain->lb_2, frmMain->lb_3}) EXPECT_EQ(label->Caption(), L"0");
    EXPECT_FALSE(frmMain->block_R_btn->Enabled());
    EXPECT_TRUE(frmMain->Split_btn->Enabled());
    EXPECT_FALSE(frmMain->s_cancel_btn->Enabled());
    EXPECT_FALSE(frmMain->Label5->Visible());
    EXPECT_EQ(WorkerState.load(), wsIdle);
    EXPECT_EQ(SplitJob, 0) << "no job flag outlives its job";
    EXPECT_EQ(MergeJob, 0);
  }

  std::wstring folder, out;
};

struct TSplitCase {
  const char* name;
  int64_t sourceSize;
  int blocks;          // count mode when not 0
  const wchar_t* size;  // otherwise this size in unit
  int unit;
  uint8_t unbuffered;
  int parts;
};

TEST_F(SplitPage, SplitsInBothModesOnBothCopyPathsIntoPartsThatMakeUpTheSource) {
  const TSplitCase cases[] = {
      {"count, unbuffered", 21 * 1048576 + 5, 2, nullptr, 0, 1, 2},
      {"count, buffered", 300000, 3, nullptr, 0, 0, 3},
      {"size, unbuffered", 23 * 1048576, 0, L"11", 0, 1, 3},
      {"size, buffered", 100000, 0, L"40", 1, 0, 3},
  };
  for (const TSplitCase& c : cases) {
    SCOPED_TRACE(c.name);
    harness::ResetScripts();
    const std::wstring source = folder + L"a.bin";
    testfiles::WritePattern(source, c.sourceSize);
    ChooseSource(source);
    ChooseFolder(Utf8ToWide(c.name).substr(0, 4) + std::to_wstring(c.unbuffered));
    if (c.blocks) {
      for (int i = 2; i < c.blocks; ++i) Click(frmMain->XImageButtonColor2);
    } else {
      SizeMode(c.size, c.unit);
    }
    EXPECT_EQ(frmMain->lb_3->Caption(), std::to_wstring(c.parts));
    // The confirmation has no owner; the window takes no input under it all
    // the same, and is active again once the box (a stand-in here) has gone.
    std::vector<bool> enabled;
    mobrel_double::Get().WhileBoxShown = [&enabled] {
      enabled.push_back(IsWindowEnabled(frmMain->Handle()));
      HWND box = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                 nullptr, nullptr);
      SetForegroundWindow(box);
      DestroyWindow(box);
    };
    harness::QueueMessageBoxAnswer(IDYES);
    Click(frmMain->Split_btn);
    EXPECT_EQ(GetForegroundWindow(), frmMain->Handle());
    ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
    mobrel_double::Get().WhileBoxShown = nullptr;
    EXPECT_EQ(enabled.front(), false);
    EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
    EXPECT_EQ(UnbufferedMode, c.unbuffered);
    ExpectBox(0, L"Are you sure you want to split the file? " + source, 36, nullptr);
    ExpectBox(1, L"Splitting was successful!", 64, frmMain->Handle());
    EXPECT_EQ(Boxes().size(), 2u);

    std::string joined;
    for (int i = 0; i < c.parts; ++i) joined += ReadAll(PartFileName(out + L"a.bin", i));
    EXPECT_FALSE(Exists(PartFileName(out + L"a.bin", c.parts)));
    EXPECT_TRUE(joined == ReadAll(source)) << "the parts do not make up the source";
    EXPECT_TRUE(Exists(out + L"a.bin.bat"));
    ExpectResetPage();
  }
}

// A disk that fills up half way, or just before the rejoin script: the job
// ends with message 2 and the page is reset, the parts written so far left
// as they are.
TEST_F(SplitPage, AFailedSplitEndsWithMessage2) {
  const std::wstring source = folder + L"f.bin";
  testfiles::WritePattern(source, 300000);
  for (const int64_t room : {150000, 300000}) {
    SCOPED_TRACE(room);
    harness::ResetScripts();
    ChooseSource(source);
    ChooseFolder(L"full" + std::to_wstring(room));
    ExpectFailureOnAFullDisk(frmMain->Split_btn, room);
    EXPECT_FALSE(Exists(out + L"f.bin.bat"));
    ExpectResetPage();
  }
}

TEST_F(SplitPage, CancelAsksMessage7AndEndsWithoutAMessageLeavingNoPart) {
  for (const bool buffered : {true, false}) {
    SCOPED_TRACE(buffered);
    harness::ResetScripts();
    StartHeldSplit(buffered);
    harness::QueueMessageBoxAnswer(IDYES);  // stop
    EXPECT_TRUE(frmMain->s_cancel_btn->Enabled());
    EXPECT_TRUE(frmMain->Label5->Visible());
    Click(frmMain->s_cancel_btn);
    ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
    ExpectBox(1, L"Do you want to stop?", 36, frmMain->Handle());
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(UnbufferedMode, buffered ? 0 : 1);
    for (int part : {0, 1}) {
      EXPECT_FALSE(Exists(PartFileName(out + L"h.bin", part)));
      EXPECT_FALSE(Exists(TemporaryName(PartFileName(out + L"h.bin", part))));
    }
    EXPECT_FALSE(Exists(out + L"h.bin.bat"));
    ExpectResetPage();
  }
  // A later tab switch keeps what the user has chosen since.
  const std::wstring source = folder + L"h.bin";
  ChooseSource(source);
  ChooseFolder(L"next");
  Click(frmMain->btnFunc3);
  Click(frmMain->btnFunc1);
  EXPECT_EQ(frmMain->Source_E->Text(), source);
  EXPECT_EQ(frmMain->Output_E->Text(), out);
}

// Esc presses Cancel while the split runs: the same stop question, and
// the job ends as a click on Cancel ends it. Without a job Esc does nothing.
TEST_F(SplitPage, EscDuringASplitAsksTheStopQuestionAsCancelDoes) {
  StartHeldSplit();
  harness::QueueMessageBoxAnswer(IDYES);  // stop
  frmMain->SetFocus();  // the page's inputs are off while the job runs
  harness::Key(VK_ESCAPE);
  ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
  ExpectBox(1, L"Do you want to stop?", 36, frmMain->Handle());
  ExpectResetPage();
  harness::Key(VK_ESCAPE);
  EXPECT_EQ(Boxes().size(), 2u);
}

// Input that arrives while Cancel waits for the worker: a second Cancel and
// Close start no second wait or question, and the job still ends cancelled.
TEST_F(SplitPage, ASecondCancelOrCloseDuringTheCancelWaitAsksNothing) {
  StartHeldSplit();
  harness::QueueMessageBoxAnswer(IDYES);  // stop
  HWND page = frmMain->panMain->Handle();
  const LPARAM at = MAKELPARAM(frmMain->s_cancel_btn->Left() + 20, frmMain->s_cancel_btn->Top() + 10);
  for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) PostMessageW(page, msg, msg == WM_LBUTTONDOWN, at);
  PostMessageW(frmMain->Handle(), WM_CLOSE, 0, 0);
  Click(frmMain->s_cancel_btn);
  ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
  EXPECT_EQ(Boxes().size(), 2u);
  ExpectBox(1, L"Do you want to stop?", 36, frmMain->Handle());
  EXPECT_TRUE(frmMain->Visible());
  ExpectResetPage();
}

// The stop query over a real split: No lets it go on with its progress
// timer; Yes stops it and returns once its completion handler has run. Closing
// asks it first, then whether to exit; No to that keeps the window.
TEST_F(SplitPage, TheStopQueryHoldsTheSplitWhileItAsksAndClosingAsksItFirst) {
  const std::wstring source = StartHeldSplit();
  harness::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(frmMain->QueryStopJob());
  EXPECT_TRUE(frmMain->Split_timer->Enabled());
  EXPECT_EQ(PauseRequest.load(), 1);  // the query did not set it, so it leaves it
  harness::QueueMessageBoxAnswer(IDYES);
  harness::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(frmMain->Close());
  EXPECT_FALSE(JobRunning());
  EXPECT_EQ(Boxes(), (std::vector<std::wstring>{MessageText(5) + L" " + source, MessageText(3), MessageText(3),
                                                MessageText(4)}));
  EXPECT_TRUE(frmMain->Visible());
  ExpectResetPage();
}

// The taskbar button pauses while the stop query or Cancel asks, and goes
// on after No; the stop clears it.
TEST_F(SplitPage, TheTaskbarButtonPausesWhileAStopIsAskedAndGoesOnAfterNo) {
  StartHeldSplit();
  PauseRequest.exchange(0);  // the query holds the worker itself
  harness::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(frmMain->QueryStopJob());
  harness::QueueMessageBoxAnswer(IDYES);
  Click(frmMain->s_cancel_btn);
  ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
  std::vector<std::pair<int, size_t>> changes;  // state and the boxes shown by then
  for (const auto& call : pagetests::TaskbarCalls())
    if (call.State != tbsNormal || changes.empty() || changes.back().first != tbsNormal)
      changes.push_back({call.State, call.Boxes});
  if (!changes.empty() && changes.front().first == tbsNormal) changes.erase(changes.begin());
  EXPECT_EQ(changes, (std::vector<std::pair<int, size_t>>{{tbsPaused, 1}, {tbsNormal, 2}, {tbsPaused, 2},
                                                           {tbsNone, 3}}));
}

// A split that ends well shows a rising progress on the taskbar button,
// never paused or red, and clears it after the success message.
TEST_F(SplitPage, TheTaskbarButtonShowsARisingProgressAndClearsAfterASuccess) {
  StartHeldSplit();
  ASSERT_TRUE(harness::PumpUntil([] { return !pagetests::TaskbarCalls().empty(); }, 60000));
  PauseRequest.exchange(0);
  ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
  ExpectBox(1, L"Splitting was successful!", 64, frmMain->Handle());
  const auto& calls = pagetests::TaskbarCalls();
  ASSERT_GE(calls.size(), 2u);
  for (size_t i = 0; i + 1 < calls.size(); ++i) {
    EXPECT_EQ(calls[i].State, tbsNormal) << i;
    EXPECT_GE(calls[i].Percent, i > 0 ? calls[i - 1].Percent : 0) << i;
  }
  EXPECT_EQ((std::vector<int>{calls.back().State, calls.back().Percent, static_cast<int>(calls.back().Boxes)}),
            (std::vector<int>{tbsNone, 0, 2}));
}

// A source that grew after it was chosen is shown anew instead of split.
TEST_F(SplitPage, ASourceChangedSinceItWasChosenIsMeasuredAgainAndNotSplit) {
  const std::wstring source = folder + L"g.bin";
  testfiles::WritePattern(source, 2000);
  ChooseSource(source);
  ChooseFolder();
  testfiles::WritePattern(source, 3000);
  harness::QueueMessageBoxAnswer(IDYES);
  Click(frmMain->Split_btn);
  harness::Pump(200);
  EXPECT_EQ(Boxes().size(), 1u);  // the confirmation alone
  EXPECT_EQ(WorkerState.load(), wsIdle);
  EXPECT_FALSE(Exists(PartFileName(out + L"g.bin", 0)));
  EXPECT_EQ(frmMain->lb_1->Caption(), L"2.93 KB");
  EXPECT_EQ(frmMain->lb_3->Caption(), L"2");
  EXPECT_TRUE(frmMain->Split_btn->Enabled());
}

TEST_F(SplitPage, RefusesInValidationOrderWithTheExactBoxes) {
  HWND main = frmMain->Handle();
  const std::wstring source = folder + L"v.bin";
  const std::wstring empty = folder + L"e.bin";
  testfiles::WritePattern(source, 1000);
  testfiles::WritePattern(empty, 0);

  ChooseSource(empty);
  ExpectBox(0, L"The size of source file can not be zero.", 48, main);
  EXPECT_EQ(frmMain->Source_E->Text(), L"");
  EXPECT_TRUE(frmMain->Source_E->Focused());

  Click(frmMain->s_save_btn);  // no source: no browser either
  ExpectBox(1, L"Please first select a source file!", 48, main);
  EXPECT_EQ(DialogScript().Calls.size(), 1u);  // the open dialog alone
  Click(frmMain->Split_btn);
  ExpectBox(2, L"Please first select a source file!", 48, main);

  // Without an output folder the name check would search the current
  // folder, which holds the source itself: the missing folder comes first.
  ChooseSource(source);
  std::wstring current(MAX_PATH, L'\0');
  current.resize(GetCurrentDirectoryW(MAX_PATH, current.data()));
  SetCurrentDirectoryW(folder.c_str());
  Click(frmMain->Split_btn);
  SetCurrentDirectoryW(current.c_str());
  ExpectBox(3, L"Please specify the output path!", 48, main);
  EXPECT_TRUE(frmMain->Output_E->Focused());

  ChooseFolder(L"full");
  testfiles::WritePattern(out + L"V.BIN.bak", 1);
  Click(frmMain->Split_btn);
  ExpectBox(4, MessageText(8), 48, main);
  EXPECT_EQ(frmMain->Output_E->Text(), L"");
  EXPECT_TRUE(frmMain->Output_E->Focused());

  ChooseFolder(L"new");
  SizeMode(L"1", 2);  // 1,000 parts of one byte
  EXPECT_EQ(frmMain->lb_3->Caption(), L"1000");
  Click(frmMain->Split_btn);
  ExpectBox(5, L"Too many file blocks! Please reset!", 48, main);

  frmMain->Size_edt->SetText(L"2");
  frmMain->Size_edt->SetText(L"");
  Click(frmMain->Split_btn);
  ExpectBox(6, L"Please specify the size of each split file!", 48, main);
  EXPECT_EQ(frmMain->Size_edt->Text(), L"1");  // "0", put right by the change rule
  frmMain->Size_edt->SetText(L"2");
  frmMain->Size_edt->SetText(L"2x");  // pasted
  Click(frmMain->Split_btn);
  ExpectBox(7, L"Please specify the size of each split file!", 48, main);

  // One block in count mode is refused without a word.
  Click(frmMain->block_R_btn);
  frmMain->block_edt->SetText(L"1");
  Click(frmMain->Split_btn);
  EXPECT_EQ(Boxes().size(), 8u);
}

TEST_F(SplitPage, RefusesAFolderWithoutRoomForTheSource) {
  const std::wstring source = folder + L"huge.bin";
  MakeSparse(source, int64_t{1} << 40);  // a terabyte that takes no room
  ChooseSource(source);
  ChooseFolder();
  ExpectBox(0, L"Insufficient disk space in the destination folder. Please reset destination folder.", 48,
            frmMain->Handle());
  EXPECT_EQ(frmMain->Output_E->Text(), L"");
  EXPECT_FALSE(frmMain->block_R_btn->Enabled());
}

// A FAT32 drive holds files up to 4,294,967,295 bytes, FAT up to
// 2,147,483,647; a block one byte larger is refused before anything starts.
TEST_F(SplitPage, RefusesBlocksAboveTheLargestFileOfAFatDrive) {
  const std::wstring source = folder + L"big.bin";
  MakeSparse(source, int64_t{5} << 30);
  ChooseSource(source);
  ChooseFolder();
  const std::wstring drive = TfrmMain::DriveOf(out);
  SizeMode(L"1", 2);
  for (const pagetests::TFatDrive& d : pagetests::FatDrives)
    for (int64_t block : {d.Limit - 1, d.Limit, d.Limit + 1}) {
      SCOPED_TRACE(std::to_string(block));
      harness::ResetScripts();
      mobrel_double::Get().FileSystemName = d.FileSystem;
      harness::QueueMessageBoxAnswer(IDNO);  // a block that passes is not split
      frmMain->Size_edt->SetText(std::to_wstring(block));
      Click(frmMain->Split_btn);
      ASSERT_EQ(Boxes().size(), 1u);
      if (block <= d.Limit) {
        ExpectBox(0, L"Are you sure you want to split the file? " + source, 36, nullptr);
      } else {
        ExpectBox(0, pagetests::TooLargeText(drive, d, L"Please select the output path again or diminish the partition blocks."), 48, frmMain->Handle());
      }
    }
  mobrel_double::Get().FileSystemName = L"NTFS";
}

TEST_F(SplitPage, PlansTheBlocksAsTheUnitAndSizeChange) {
  const std::wstring source = folder + L"p.bin";
  testfiles::WritePattern(source, 1572864);  // 1.5 MB
  ChooseSource(source);
  EXPECT_EQ(frmMain->lb_1->Caption(), L"1.50 MB");
  EXPECT_EQ(frmMain->size_com_box->ItemIndex(), 0);
  ChooseFolder();
  EXPECT_EQ(frmMain->Output_E->Text(), out);
  EXPECT_EQ(frmMain->lb_2->Caption(), L"768.00 KB");
  EXPECT_EQ(frmMain->lb_3->Caption(), L"2");

  // 2 MB is more than the source: message 10, then the plan for 1 MB.
  SizeMode(L"2", 0);
  EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"A split file cannot be larger than the source file!"});
  EXPECT_EQ(frmMain->Size_edt->Text(), L"1");
  EXPECT_EQ(frmMain->lb_2->Caption(), L"1 MB");
  EXPECT_EQ(frmMain->lb_3->Caption(), L"2");

  // Only digits and backspace get in by typing; pasted text changes nothing.
  frmMain->size_com_box->SetItemIndex(1);
  frmMain->Size_edt->SetText(L"");
  harness::Type(frmMain->Size_edt, L"5x0");
  EXPECT_EQ(frmMain->Size_edt->Text(), L"50");
  frmMain->Size_edt->SetText(L"500");
  frmMain->Size_edt->SetText(L"12ab");
  EXPECT_EQ(frmMain->lb_2->Caption(), L"500.00 KB");
  EXPECT_EQ(frmMain->lb_3->Caption(), L"4");
  // A number too large for 64 bits counts as larger than the source.
  harness::ResetScripts();
  frmMain->Size_edt->SetText(L"99999999999999999999999");
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(frmMain->lb_3->Caption(), L"1536");  // re-planned for 1 KB

  // Whole megabytes up to 1,024 are shown as typed, beyond as a size text.
  const std::wstring big = folder + L"b.bin";
  MakeSparse(big, int64_t{2} << 30);
  ChooseSource(big);
  frmMain->size_com_box->SetItemIndex(0);
  frmMain->Size_edt->SetText(L"1024");
  EXPECT_EQ(frmMain->lb_2->Caption(), L"1024 MB");
  frmMain->Size_edt->SetText(L"1025");
  EXPECT_EQ(frmMain->lb_2->Caption(), L"1.00 GB");

  // A source under 1 MB cannot be planned in MB.
  const std::wstring small = folder + L"k.bin";
  testfiles::WritePattern(small, 500 * 1024);
  ChooseSource(small);
  SizeMode(L"100", 0);
  EXPECT_EQ(frmMain->size_com_box->Text(), L"KB");
  EXPECT_EQ(frmMain->lb_3->Caption(), L"5");

  // A one-byte source in bytes: one message 10, not one without end.
  const std::wstring tiny = folder + L"t.bin";
  testfiles::WritePattern(tiny, 1);
  harness::ResetScripts();
  ChooseSource(tiny);
  EXPECT_EQ(frmMain->size_com_box->ItemIndex(), 2);
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(frmMain->lb_3->Caption(), L"0");
}

// Pictures of the page for a look: reset, planned in both modes, held at
// mid-way progress, and after a job.
TEST_F(SplitPage, Screenshots) {
  Shoot(L"split-reset");
  const std::wstring source = folder + L"s.bin";
  testfiles::WritePattern(source, 60 * 1048576);
  ChooseSource(source);
  ChooseFolder();
  Click(frmMain->XImageButtonColor2);
  Shoot(L"split-planned-count");
  SizeMode(L"7", 0);
  Shoot(L"split-planned-size");
  ShootJob(L"split", frmMain->Split_btn, frmMain->s_cancel_btn, frmMain->XProcessBar2, frmMain->finish_lb,
           L"Splitting  part ");
}

}  // namespace
