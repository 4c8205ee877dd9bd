// The merge page of the main window driven through its controls: whole
// merges of real series, Cancel, the refusals before a merge starts.
#include "app/Main.h"
#include "app/frmRes.h"
#include "engine/global.h"
#include "engine/platform/Platform.h"
#include "tests/app/PageTests.h"
#include "tests/app/Program.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/engine/TestFiles.h"
#include "tests/harness/Harness.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using harness::Click;
using pagetests::Boxes;
using pagetests::ExpectBox;
using pagetests::ExpectFailureOnAFullDisk;
using pagetests::Shoot;
using pagetests::ShootJob;
using testfiles::Exists;

class MergePage : public testfiles::FolderTest {
 protected:
  static void SetUpTestSuite() { program::Start(); }
  void SetUp() override {
    FolderTest::SetUp();
    folder = Path(L"");
    frmMain->ResetJobState();
    frmMain->ResetPages();
    frmMain->M_clear_btnClick(nullptr);
    Click(frmMain->btnFunc2);
    harness::ResetScripts();
    pagetests::RecordTaskbar();
  }
  void TearDown() override {
    Click(frmMain->btnFunc1);
    FolderTest::TearDown();
  }
  // Splits a pattern file of size bytes into parts of block bytes with the
  // split worker; answers the base of the parts.
  std::wstring MakeSeries(int64_t size, int64_t block, bool unbuffered) {
    source = folder + L"m.bin";
    testfiles::WritePattern(source, size);
    const std::wstring base = folder + L"m.bin";
    EXPECT_EQ(testfiles::RunSplit(source, base, block, unbuffered), wsSucceeded);
    frmMain->ResetJobState();
    return base;
  }
  void Add(const std::wstring& part) {
    harness::QueueOpen(part);
    Click(frmMain->M_add_btn);
  }
  void ChooseOutput(const std::wstring& path) {
    harness::QueueSave(path);
    Click(frmMain->merge_save_btn);
  }
  int Rows() { return frmMain->Merge_list->Items().Count(); }
  void ExpectResetPage() {
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(frmMain->Save_file_E->Text(), L"");
    EXPECT_TRUE(frmMain->Merge_btn->Enabled());
    EXPECT_TRUE(frmMain->M_add_btn->Enabled());
    EXPECT_FALSE(frmMain->M_cancel_btn->Enabled());
    EXPECT_FALSE(frmMain->Label14->Visible());
    EXPECT_EQ(frmMain->lb_1->Caption(), L"0") << "clearing the output re-plans nothing";
    EXPECT_EQ(WorkerState.load(), wsIdle);
    EXPECT_EQ(MergeJob, 0) << "no job flag outlives its job";
  }

  std::wstring folder, source;
};

TEST_F(MergePage, MergesTheSeriesOfItsPart3OnBothCopyPathsIntoTheSource) {
  struct {
    int64_t size, block;
    uint8_t unbuffered;
  } const cases[] = {{41 * 1048576 + 5, 10 * 1048576, 1}, {300000, 70000, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unbuffered);
    harness::ResetScripts();
    const std::wstring base = MakeSeries(c.size, c.block, c.unbuffered);
    testfiles::WritePattern(PartFileName(base, 6), 10);  // beyond the gap at 5: not part of the series
    Add(PartFileName(base, 3));
    Add(PartFileName(base, 3));  // replaces, does not append
    EXPECT_EQ(Rows(), 5);
    EXPECT_EQ(frmMain->Merge_list->Items()[4]->SubItems()[1], std::to_wstring(c.size - 4 * c.block));
    EXPECT_EQ(DialogScript().Calls[0].Filter, L"Split File|*.QuenlorSp0");

    const std::wstring output = folder + L"joined" + std::to_wstring(c.unbuffered);
    ChooseOutput(output);
    EXPECT_EQ(DialogScript().Calls[2].FileName, base);  // the proposal: the first part without its extension
    EXPECT_EQ(frmMain->Save_file_E->Text(), output);
    UnbufferedMode = !c.unbuffered;  // as a split page planning meanwhile would leave it
    harness::QueueMessageBoxAnswer(IDYES);
    Click(frmMain->Merge_btn);
    ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
    EXPECT_EQ(UnbufferedMode, c.unbuffered) << "the copy path of part 0, whatever the last part's size";
    ExpectBox(0, L"Are you sure you want to merge these files?", 36, frmMain->Handle());
    ExpectBox(1, L"Mergence was successful!", 64, frmMain->Handle());
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_TRUE(testfiles::SameContent(output, source)) << "the output is not the source";
    ExpectResetPage();
  }
}

// A disk that fills up half way: the merge ends with message 2 and a reset page.
TEST_F(MergePage, AFailedMergeEndsWithMessage2) {
  Add(PartFileName(MakeSeries(300000, 70000, 0), 0));
  ChooseOutput(folder + L"full");
  ExpectFailureOnAFullDisk(frmMain->Merge_btn, 150000);
  ExpectResetPage();
}

// A series longer than the list: the skinned bar attached at first show
// scrolls it.
TEST_F(MergePage, ALongSeriesScrollsWithTheSkinnedBar) {
  Add(PartFileName(MakeSeries(12000, 1000, 0), 0));
  ASSERT_EQ(Rows(), 12);
  TOrvVclScrollBar* bar = frmMain->OrvVclScrollBar2;
  harness::Pump();
  ASSERT_TRUE(IsWindowVisible(bar->Handle()));
  EXPECT_FALSE(IsWindowVisible(frmMain->OrvVclScrollBar3->Handle())) << "the columns fit";
  HWND list = frmMain->Merge_list->Handle();
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  const TRect down = bar->PartRect(spSecondArrow);
  Click(bar, down.Left + 2, down.Top + 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 1);
  EXPECT_EQ(bar->Mirror().nPos, 1);
}

TEST_F(MergePage, CancelAsksMessage7AndEndsWithoutAMessageLeavingNoOutput) {
  for (const bool buffered : {true, false}) {
    SCOPED_TRACE(buffered);
    harness::ResetScripts();
    // A first part that is not a multiple of 4,096 bytes is merged buffered.
    const std::wstring base = MakeSeries(30 * 1048576, 10 * 1048576 + buffered, !buffered);
    Add(PartFileName(base, 0));
    const std::wstring output = folder + (buffered ? L"buf" : L"unbuf");
    ChooseOutput(output);
    harness::QueueMessageBoxAnswer(IDYES);  // merge
    harness::QueueMessageBoxAnswer(IDYES);  // stop
    Click(frmMain->Merge_btn);
    PauseRequest.exchange(1);  // held in its first part, as a stop that arrives at once would
    EXPECT_TRUE(frmMain->Label14->Visible());
    EXPECT_FALSE(frmMain->Merge_btn->Enabled());
    Click(frmMain->M_cancel_btn);
    ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
    EXPECT_EQ(Boxes(), (std::vector<std::wstring>{MessageText(16), L"Do you want to stop?"}));
    ExpectBox(1, L"Do you want to stop?", 36, frmMain->Handle());
    EXPECT_FALSE(Exists(output));
    EXPECT_FALSE(Exists(TemporaryName(output)));
    EXPECT_TRUE(Exists(PartFileName(base, 2)));
    ExpectResetPage();
  }
}

TEST_F(MergePage, RefusesInOrderWithTheExactBoxes) {
  HWND main = frmMain->Handle();
  Click(frmMain->Merge_btn);
  ExpectBox(0, L"Please first add split files to the list!", 48, main);
  Click(frmMain->merge_save_btn);
  ExpectBox(1, L"Please first add split files to the list!", 48, main);
  EXPECT_TRUE(DialogScript().Calls.empty());  // no save dialog either

  const std::wstring base = MakeSeries(3000, 1000, false);
  Add(PartFileName(base, 1));
  Click(frmMain->Merge_btn);
  ExpectBox(2, L"Please specify the output path!", 48, main);
  EXPECT_TRUE(frmMain->Save_file_E->Focused());

  // An existing output brings the dialog back after message 17; Cancel keeps the box empty.
  harness::QueueSave(source);
  harness::QueueCancel(dkSave);
  Click(frmMain->merge_save_btn);
  ExpectBox(3, MessageText(17), 48, main);
  EXPECT_EQ(frmMain->Save_file_E->Text(), L"");
  harness::QueueSave(source);
  ChooseOutput(folder + L"new");
  EXPECT_EQ(Boxes().size(), 5u);
  EXPECT_EQ(frmMain->Save_file_E->Text(), folder + L"new");

  harness::QueueMessageBoxAnswer(IDNO);
  Click(frmMain->Merge_btn);
  ExpectBox(5, L"Are you sure you want to merge these files?", 36, main);
  EXPECT_EQ(WorkerState.load(), wsIdle);
  EXPECT_FALSE(Exists(folder + L"new"));

  // An output that has come to exist since it was chosen: message 17 after
  // the question, the file kept and the box cleared.
  testfiles::WriteText(folder + L"new", "kept");
  harness::QueueMessageBoxAnswer(IDYES);
  Click(frmMain->Merge_btn);
  ExpectBox(7, MessageText(17), 48, main);
  EXPECT_EQ(Boxes().size(), 8u);
  EXPECT_EQ(testfiles::ReadAll(folder + L"new"), "kept");
  EXPECT_EQ(frmMain->Save_file_E->Text(), L"");
  EXPECT_TRUE(frmMain->Save_file_E->Focused());
  EXPECT_EQ(WorkerState.load(), wsIdle);
  platform::RemoveFile(folder + L"new");

  // A total without room on the drive, or one within 409,600 bytes of its
  // free space: message 1, the output cleared. The free space is measured
  // again after the refusal, and the case repeated when other programs
  // changed it meanwhile. Should a merge start, no write gets through and
  // it ends before the disk takes writes again.
  const std::wstring huge = folder + L"huge.QuenlorSp0";
  const std::wstring drive = TfrmMain::DriveOf(folder);
  for (const bool withinMargin : {false, true}) {
    SCOPED_TRACE(withinMargin);
    for (int attempt = 0; attempt < 5; ++attempt) {
      const int64_t free = platform::FreeBytes(drive);
      pagetests::MakeSparse(huge, withinMargin ? free - 204800 : int64_t{1} << 40);
      Add(huge);
      frmMain->Save_file_E->SetText(folder + L"new");
      harness::ResetScripts();
      harness::QueueMessageBoxAnswer(IDYES);
      platform::SimulateFullDisk(0);
      Click(frmMain->Merge_btn);
      if (WorkerState.load() != wsIdle) harness::PumpUntil([] { return JobFinished == 1; }, 60000);
      platform::SimulateFullDisk(-1);
      if (std::abs(platform::FreeBytes(drive) - free) > 100000) continue;
      ExpectBox(1, MessageText(1), 48, main);
      EXPECT_EQ(WorkerState.load(), wsIdle);
      EXPECT_EQ(frmMain->Save_file_E->Text(), L"");
      EXPECT_TRUE(frmMain->Save_file_E->Focused());
      break;
    }
  }
}

// A FAT32 drive holds files up to 4,294,967,295 bytes, FAT up to
// 2,147,483,647; a larger total is refused before the question.
TEST_F(MergePage, RefusesTotalsAboveTheLargestFileOfAFatDrive) {
  const std::wstring part = folder + L"big.QuenlorSp0";
  const std::wstring output = folder + L"big";
  const std::wstring drive = TfrmMain::DriveOf(output);
  for (const pagetests::TFatDrive& d : pagetests::FatDrives)
    for (int64_t total : {d.Limit - 1, d.Limit, d.Limit + 1}) {
      SCOPED_TRACE(std::to_string(total));
      pagetests::MakeSparse(part, total);
      Add(part);
      frmMain->Save_file_E->SetText(output);
      harness::ResetScripts();
      mobrel_double::Get().FileSystemName = d.FileSystem;
      harness::QueueMessageBoxAnswer(IDNO);  // a total that passes is not merged
      Click(frmMain->Merge_btn);
      ASSERT_EQ(Boxes().size(), 1u);
      if (total <= d.Limit) {
        ExpectBox(0, MessageText(16), 36, frmMain->Handle());
      } else {
        ExpectBox(0, pagetests::TooLargeText(drive, d, L"Please select the output path again."), 48, frmMain->Handle());
      }
    }
  mobrel_double::Get().FileSystemName = L"NTFS";
}

// A listed part that has gone, or whose size changed, would leave a hole in
// the output: the merge is refused before the output is made.
TEST_F(MergePage, RefusesAListedPartThatHasGoneOrChanged) {
  std::wstring base;
  for (const bool deleted : {true, false}) {
    SCOPED_TRACE(deleted);
    base = MakeSeries(4000, 1000, false);
    Add(PartFileName(base, 0));
    if (deleted)
      DeleteFileW(PartFileName(base, 2).c_str());
    else
      testfiles::WritePattern(PartFileName(base, 1), 999);
    frmMain->Save_file_E->SetText(folder + L"out");
    harness::ResetScripts();
    harness::QueueMessageBoxAnswer(IDYES);
    Click(frmMain->Merge_btn);
    harness::Pump(200);
    EXPECT_EQ(Boxes().size(), 2u);
    ExpectBox(1, L"Failed! The source file might be in use by another program.", 48, frmMain->Handle());
    EXPECT_EQ(Rows(), 4);  // the list as it was
    EXPECT_EQ(WorkerState.load(), wsIdle);
    EXPECT_FALSE(Exists(folder + L"out"));
    EXPECT_TRUE(frmMain->Merge_btn->Enabled());
  }
  // With part 0 gone the series is empty.
  DeleteFileW(PartFileName(base, 0).c_str());
  Add(PartFileName(base, 3));
  EXPECT_EQ(Rows(), 0);
}

// A record that lists parts the folder lacks refuses the merge and names the
// first one missing; a part that is not the one split fails the merge and
// is named.
TEST_F(MergePage, ChecksTheSeriesAgainstItsRecord) {
  struct Case {
    const char* Label;
    int Deleted;  // part removed before the listing, or -1
    int Changed;  // part whose byte changes after the listing, or -1
    std::wstring Box;
  };
  const Case cases[] = {
      {"missing middle", 2, -1,
       L"The part m.bin.QuenlorSp2 is missing: the checksum file lists more parts than the folder holds. "
       L"Please put every part in the same folder!"},
      {"missing end", 3, -1,
       L"The part m.bin.QuenlorSp3 is missing: the checksum file lists more parts than the folder holds. "
       L"Please put every part in the same folder!"},
      {"changed", -1, 1,
       L"m.bin.QuenlorSp1 is not the part that was split: its checksum differs from the one in the checksum "
       L"file. The merged file is not the original file!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    const std::wstring base = MakeSeries(4000, 1000, false);
    if (c.Deleted >= 0) DeleteFileW(PartFileName(base, c.Deleted).c_str());
    Add(PartFileName(base, 0));
    if (c.Changed >= 0) testfiles::WritePatternAt(PartFileName(base, c.Changed), 500, 16, 7);
    const std::wstring output = folder + L"out" + std::to_wstring(c.Deleted);
    frmMain->Save_file_E->SetText(output);
    harness::ResetScripts();
    harness::QueueMessageBoxAnswer(IDYES);
    Click(frmMain->Merge_btn);
    if (c.Changed >= 0) {
      ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
    }
    harness::Pump(200);
    ASSERT_EQ(Boxes().size(), 2u);
    ExpectBox(1, c.Box, 48, frmMain->Handle());
    EXPECT_FALSE(Exists(output));  // a failed merge leaves no output
    EXPECT_FALSE(Exists(TemporaryName(output)));
    EXPECT_EQ(WorkerState.load(), wsIdle);
    frmMain->M_clear_btnClick(nullptr);
  }
}

// A record that is cut, empty, binary or of other files is never passed in
// silence: the page asks, No stops, Yes merges without the check.
TEST_F(MergePage, AsksBeforeMergingPastARecordItCannotUse) {
  struct Case {
    const char* Label;
    std::string Bytes;
    const wchar_t* Box;
  };
  const std::wstring unreadable =
      L"The checksum file m.bin.sha256 cannot be read or is damaged. Do you want to merge the files without "
      L"checking them?";
  const std::wstring foreign =
      L"The checksum file m.bin.sha256 does not belong to these files. Do you want to merge the files without "
      L"checking them?";
  const Case cases[] = {
      {"cut in its first digest", std::string(40, 'a'), unreadable.c_str()},
      {"empty", "", unreadable.c_str()},
      {"binary", std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10), unreadable.c_str()},
      {"foreign", std::string(64, 'a') + " *x.bin.QuenlorSp0\n" + std::string(64, 'b') + " *x.bin\n",
       foreign.c_str()},
  };
  for (const Case& c : cases) {
    for (const int answer : {IDNO, IDYES}) {
      SCOPED_TRACE(std::string(c.Label) + (answer == IDYES ? " yes" : " no"));
      const std::wstring base = MakeSeries(4000, 1000, false);
      testfiles::WriteText(base + L".sha256", c.Bytes);
      Add(PartFileName(base, 0));
      const std::wstring output = folder + L"out" + std::to_wstring(answer);
      frmMain->Save_file_E->SetText(output);
      harness::ResetScripts();
      harness::QueueMessageBoxAnswer(IDYES);
      harness::QueueMessageBoxAnswer(answer);
      Click(frmMain->Merge_btn);
      if (answer == IDYES) {
        ASSERT_TRUE(harness::PumpUntil([] { return JobFinished == 1; }, 60000));
      }
      harness::Pump(200);
      ExpectBox(1, c.Box, 36, frmMain->Handle());
      EXPECT_EQ(Exists(output), answer == IDYES);
      if (answer == IDYES) {
        ExpectBox(2, L"Mergence was successful!", 64, frmMain->Handle());
        EXPECT_TRUE(testfiles::SameContent(output, source));
        DeleteFileW(output.c_str());
      }
      frmMain->M_clear_btnClick(nullptr);
    }
  }
}

// Pictures of the page for a look: reset, filled, held at mid-way progress,
// and after a job.
TEST_F(MergePage, Screenshots) {
  EXPECT_EQ(frmMain->Merge_list->Column(0).Caption(), L"File Name");
  Shoot(L"merge-reset");
  const std::wstring base = MakeSeries(60 * 1048576, 12 * 1048576, true);
  Add(PartFileName(base, 0));
  ChooseOutput(folder + L"joined.bin");
  Shoot(L"merge-filled");
  // Odd rows light grey, even rows white, the list's drawing moved 4 pixels
  // right and down inside its window.
  auto screen = harness::CaptureScreen(frmMain);
  TOrvVclListView* list = frmMain->Merge_list;
  const int x = frmMain->PanMerge->Left() + list->Left() + 4 + 450;
  for (int row : {0, 1}) {
    const int y = frmMain->PanMerge->Top() + list->Top() + 4 + list->Items()[row]->DisplayRect().Top + 3;
    EXPECT_EQ(harness::PixelAt(*screen, x, y), row ? TColor(0x00F0F0F0) : clWhite) << row;
  }
  ShootJob(L"merge", frmMain->Merge_btn, frmMain->M_cancel_btn, frmMain->XProcessBar4, frmMain->Finish_Merge_lb,
           L"Merging part ");
}

// A drop of these paths, as the shell hands it to the window.
HGLOBAL DropOf(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& p : paths) list += p + L'\0';
  list += L'\0';
  HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(drop);
  return drop;
}

// A file named on the command line or dropped: a part file (the extension
// compared case-sensitively) fills the merge page from part 0 and selects
// it, any other file becomes the split source; a drop takes its first file,
// and none while a job runs.
TEST_F(MergePage, OpensACommandLineOrDroppedFileOnItsPage) {
  const std::wstring base = MakeSeries(50000, 20000, false);
  Click(frmMain->btnFunc1);
  frmMain->OpenFile(PartFileName(base, 1));
  EXPECT_EQ(frmMain->Page(), 2);
  EXPECT_EQ(Rows(), 3);
  EXPECT_EQ(frmMain->Merge_list->Items()[0]->Caption(), PartFileName(base, 0));

  frmMain->M_clear_btnClick(nullptr);
  Click(frmMain->btnFunc1);
  const std::wstring other = folder + L"n.quenlorsp0";
  testfiles::WritePattern(other, 3000);
  frmMain->OpenFile(other);
  EXPECT_EQ(frmMain->Page(), 1);
  EXPECT_EQ(frmMain->Source_E->Text(), other);
  EXPECT_EQ(Rows(), 0);

  const std::wstring empty = folder + L"empty.bin";
  testfiles::WritePattern(empty, 0);
  frmMain->OpenFile(empty);
  ExpectBox(0, L"The size of source file can not be zero.", 48, frmMain->Handle());
  EXPECT_EQ(frmMain->Source_E->Text(), L"");

  WorkerState.store(wsRunning);
  SendMessageW(frmMain->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({PartFileName(base, 2)})), 0);
  WorkerState.store(wsIdle);
  EXPECT_EQ(frmMain->Page(), 1);
  SendMessageW(frmMain->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(DropOf({folder.substr(0, folder.size() - 1), PartFileName(base, 2), other})), 0);
  EXPECT_EQ(frmMain->Page(), 2);
  EXPECT_EQ(Rows(), 3);
  EXPECT_EQ(Boxes().size(), 1u);
  // A file for the split page brings that page into view.
  SendMessageW(frmMain->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({other})), 0);
  EXPECT_EQ(frmMain->Page(), 1);
  EXPECT_EQ(frmMain->Source_E->Text(), other);
}

}  // namespace
