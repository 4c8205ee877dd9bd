// Split and merge workers: round trips on both copy paths, the chunk rules,
// progress, pause and cancel, and what stays on disk after each ending.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "Merge_thread.h"
#include "My_Global.h"
#include "Record.h"
#include "Split_thread.h"
#include "TestFiles.h"
#include "global.h"
#include "platform/Platform.h"

using namespace testfiles;

namespace {

constexpr int64_t MiB = 1 << 20;
constexpr int64_t TenMiB = 10 * MiB;

class JobTest : public FolderTest {
 public:
  using FolderTest::Path;
  void SetUp() override {
    FolderTest::SetUp();
    ResetJobState();
  }

  std::wstring Source() const { return Path(L"source.bin"); }
  std::wstring Base() const { return Path(L"source.bin"); }  // parts are written beside the source
  std::wstring Output() const { return Path(L"merged.bin"); }

  std::vector<int64_t> PartSizes() const {
    std::vector<int64_t> sizes;
    for (const auto& name : Series(Base())) sizes.push_back(SizeOf(name));
    return sizes;
  }

  // Splits the source with the block and path given, merges the parts back
  // on the path the first part selects, and checks both jobs and the bytes.
  void RoundTrip(int64_t block, bool unbuffered) {
    ASSERT_EQ(RunSplit(Source(), Base(), block, unbuffered), wsSucceeded);
    EXPECT_EQ(TotalPercent, 100);
    EXPECT_EQ(PartPercent, 100);
    EXPECT_TRUE(Exists(Base() + L".bat"));
    const auto parts = Series(Base());
    ASSERT_FALSE(parts.empty());
    ASSERT_EQ(RunMerge(Output(), parts, ChooseUnbufferedMode(SizeOf(parts[0])) == 1), wsSucceeded);
    EXPECT_EQ(TotalPercent, 100);
    EXPECT_EQ(CurrentPart, static_cast<int32_t>(parts.size()));
    EXPECT_TRUE(SameContent(Source(), Output()));
  }

  // Small files p0, p1, … holding the texts given.
  std::vector<std::wstring> WriteParts(const std::vector<std::string>& texts) const {
    std::vector<std::wstring> parts;
    for (const auto& text : texts) {
      parts.push_back(Path(L"p" + std::to_wstring(parts.size())));
      WriteText(parts.back(), text);
    }
    return parts;
  }
};

// A source split into Blocks blocks (or blocks of 10 MiB when Blocks is 0)
// must give Count parts of First bytes but the last, which holds Last. The
// split writes Chunks unbuffered chunks, and so does the merge of its parts.
struct RoundTripCase {
  int64_t SourceSize;
  int Blocks;
  int64_t First;
  int64_t Last;
  std::size_t Count;
  int Chunks;
};

void PrintTo(const RoundTripCase& c, std::ostream* out) {
  *out << c.SourceSize << " bytes in " << (c.Blocks > 0 ? std::to_string(c.Blocks) + " blocks" : "blocks of 10 MiB");
}

class RoundTripTest : public JobTest, public ::testing::WithParamInterface<RoundTripCase> {
 protected:
  void Run(bool unbuffered) {
    const RoundTripCase& c = GetParam();
    WritePattern(Source(), c.SourceSize);
    const int64_t block = c.Blocks > 0 ? BlockSizeForCount(c.SourceSize, c.Blocks) : TenMiB;
    ASSERT_EQ(ChooseUnbufferedMode(block), unbuffered ? 1 : 0);
    const int64_t flushes = platform::FlushCount();
    RoundTrip(block, unbuffered);
    EXPECT_EQ(platform::FlushCount() - flushes, 2 * c.Chunks) << "one flush after every unbuffered write";
    const auto sizes = PartSizes();
    ASSERT_EQ(sizes.size(), c.Count);
    EXPECT_EQ(sizes.back(), c.Last);
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], c.First) << "part " << i;
  }
};

class BufferedRoundTrip : public RoundTripTest {};
class UnbufferedRoundTrip : public RoundTripTest {};

}  // namespace

TEST_P(BufferedRoundTrip, JoinsByteForByte) { Run(false); }

INSTANTIATE_TEST_SUITE_P(Parts, BufferedRoundTrip,
                         ::testing::Values(RoundTripCase{5000, 1, 5000, 5000, 1, 0},
                                           RoundTripCase{1000001, 2, 500001, 500000, 2, 0},
                                           RoundTripCase{9, 4, 3, 3, 3, 0},
                                           RoundTripCase{11 * 409600 + 7, 11, 409601, 409597, 11, 0},
                                           RoundTripCase{999 * 1000 - 7, 999, 1000, 993, 999, 0}));

TEST_P(UnbufferedRoundTrip, JoinsByteForByte) { Run(true); }

// The last parts exercise the chunk rule of the unbuffered path: a whole
// number of blocks has no tail; 5,000,000 bytes are one 4 MiB transfer and an
// 805,696-byte tail; 3 MiB + 5 bytes are all tail. A block of 10 MiB is three
// chunks (4, 4 and 2 MiB), one of 34,955,264 bytes nine.
INSTANTIATE_TEST_SUITE_P(Parts, UnbufferedRoundTrip,
                         ::testing::Values(RoundTripCase{TenMiB, 0, TenMiB, TenMiB, 1, 3},
                                           RoundTripCase{3 * TenMiB, 0, TenMiB, TenMiB, 3, 9},
                                           RoundTripCase{2 * TenMiB + 5000000, 0, TenMiB, 5000000, 3, 7},
                                           RoundTripCase{2 * TenMiB + 3 * MiB + 5, 0, TenMiB, 3 * MiB + 5, 3, 6},
                                           RoundTripCase{10 * TenMiB + 12345, 0, TenMiB, 12345, 11, 30},
                                           RoundTripCase{104857600, 3, 34955264, 34947072, 3, 27}));

TEST_F(JobTest, ExistingPartsAreReplaced) {
  WritePattern(Source(), 2 * TenMiB + 100);
  for (bool unbuffered : {false, true}) {
    WritePattern(PartFileName(Base(), 0), 3 * TenMiB, 7);
    ASSERT_EQ(RunSplit(Source(), Base(), TenMiB, unbuffered), wsSucceeded);
    EXPECT_EQ(SizeOf(PartFileName(Base(), 0)), TenMiB);
  }
}

TEST_F(JobTest, UnbufferedMergeTakesUnalignedPartsThroughTheCache) {
  // Handmade parts: only the first is large and aligned enough to pick the
  // unbuffered path; the parts after the unaligned one follow through cached handles.
  const std::vector<int64_t> sizes = {TenMiB + 5, TenMiB, 3, 3 * 4096, 4 * MiB + 1};
  std::vector<std::wstring> names;
  std::string expected;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    names.push_back(Path(L"piece" + std::to_wstring(i)));
    WritePattern(names.back(), sizes[i], static_cast<uint32_t>(i + 1));
    expected += ReadAll(names.back());
  }
  OpenHandleCheck handles;
  ASSERT_EQ(RunMerge(Output(), names, true), wsSucceeded);
  EXPECT_TRUE(ReadAll(Output()) == expected);
  EXPECT_TRUE(handles.NoneLeftOpen(names));
}

// The script is written inside the progress lock together with the 100, so
// whoever holds the lock sees both or neither.
TEST_F(JobTest, ScriptExistsExactlyWhenProgressIs100) {
  WritePattern(Source(), 8 * 409600);
  UnbufferedMode = 0;
  Splitthread split(Source(), Base(), SizeOf(Source()), 409600, nullptr);
  while (!split.Finished()) {
    std::lock_guard<std::mutex> lock(ProgressLock);
    ASSERT_EQ(Exists(Base() + L".bat"), TotalPercent == 100);
  }
  split.WaitFor();
  EXPECT_EQ(TotalPercent, 100);
}

// An empty source gives no part to join, and Windows and the command
// interpreter cannot open a part path of 260 characters or more, also while
// the part has its temporary name: such splits fail before any part exists.
TEST_F(JobTest, UnjoinableSplitsFailBeforeAnyPart) {
  WritePattern(Source(), 0);
  EXPECT_EQ(RunSplit(Source(), Base(), 300, false), wsFailed);
  EXPECT_FALSE(Exists(PartFileName(Base(), 0)));
  EXPECT_FALSE(Exists(Base() + L".bat"));

  WritePattern(Source(), 12);  // parts of one byte: the last ends in "Sp11"
  for (const std::size_t length : {MaxPathLength - 1, MaxPathLength}) {
    const std::wstring base = Join(PaddedFolder(Folder, TemporaryName(L"s.QuenlorSp11"), length), L"s");
    ResetJobState();
    EXPECT_EQ(RunSplit(Source(), base, 1, false), length < MaxPathLength ? wsSucceeded : wsFailed) << length;
    EXPECT_EQ(Exists(PartFileName(base, 0)), length < MaxPathLength) << length;
  }

#ifdef _WIN32
  // Split under another name, a source whose name the script's code page
  // lacks could not be named as the file the script joins.
  const std::wstring smiley = Path(L"\U0001F600.bin");
  WritePattern(smiley, 12);
  ResetJobState();
  EXPECT_EQ(RunSplit(smiley, Path(L"other.bin"), 5, false), wsFailed);
  EXPECT_FALSE(Exists(PartFileName(Path(L"other.bin"), 0)));
#endif
}

// The worker reports wsRunning at every chunk, and wsPaused while it is held.
TEST(PauseProtocol, RunningAgainWhenReleased) {
  ResetJobState();
  WaitWhilePaused();
  EXPECT_EQ(WorkerState, wsRunning);
  PauseRequest = 1;
  std::thread worker(WaitWhilePaused);
  const bool paused = WaitForState(wsPaused);
  PauseRequest = 0;
  worker.join();
  EXPECT_TRUE(paused);
  EXPECT_EQ(WorkerState, wsRunning);
}

class PathTest : public JobTest, public ::testing::WithParamInterface<bool> {
 public:
  bool Unbuffered() const { return GetParam(); }
  std::wstring Part(int index) const { return PartFileName(Base(), index); }
};

INSTANTIATE_TEST_SUITE_P(CopyPath, PathTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Unbuffered" : "Buffered"; });

TEST_P(PathTest, PausedJobsMoveNothingUntilReleased) {
  WritePattern(Source(), 2 * TenMiB + 5);
  PauseRequest = 1;
  UnbufferedMode = Unbuffered();
  {
    Splitthread split(Source(), Base(), SizeOf(Source()), TenMiB, nullptr);
    ASSERT_TRUE(WaitForState(wsPaused));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(WorkerState, wsPaused);
    EXPECT_EQ(CurrentPart, 1);
    {
      std::lock_guard<std::mutex> lock(ProgressLock);
      EXPECT_EQ(TotalPercent, 0);
    }
    PauseRequest = 0;
  }
  ASSERT_EQ(WorkerState, wsSucceeded);

  const auto parts = Series(Base());
  ResetJobState();
  PauseRequest = 1;
  UnbufferedMode = Unbuffered();
  {
    MergeThread merge(Output(), parts, SizesOf(parts), SizeOf(Source()), nullptr);
    ASSERT_TRUE(WaitForState(wsPaused));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(SizeOf(TemporaryName(Output())), 0);
    PauseRequest = 0;
  }
  ASSERT_EQ(WorkerState, wsSucceeded);
  EXPECT_TRUE(SameContent(Source(), Output()));
}

// What a split leaves when it does not end whole: nothing of itself, under
// a final or a temporary name; nothing it did not make is touched.
TEST_P(PathTest, AStoppedOrFailedSplitLeavesNothingOfItself) {
  struct Row {
    const char* Label;
    std::function<int32_t(PathTest&)> Run;  // the state the job ended in
  };
  const Row rows[] = {
      {"cancelled in part 2",
       [](PathTest& t) {
         UnbufferedMode = t.Unbuffered();
         Splitthread split(t.Source(), t.Base(), SizeOf(t.Source()), TenMiB, nullptr);
         while (CurrentPart < 2 && !split.Finished()) std::this_thread::yield();
         PauseRequest = 1;
         EXPECT_TRUE(WaitForState(wsPaused));
         CancelRequest = 1;
         PauseRequest = 0;
         split.WaitFor();
         return WorkerState.load();
       }},
      {"the disk fills up 4 MiB into part 1",
       [](PathTest& t) {
         FullDiskAfter full(TenMiB + 4 * MiB);
         return RunSplit(t.Source(), t.Base(), TenMiB, t.Unbuffered());
       }},
      {"a write fails after the first chunk",
       [](PathTest& t) {
         WritesFailAfter one(1);
         return RunSplit(t.Source(), t.Base(), TenMiB, t.Unbuffered());
       }},
      {"part 1's final name is a folder",
       [](PathTest& t) {
         std::filesystem::create_directory(ToPath(t.Part(1)));
         return RunSplit(t.Source(), t.Base(), TenMiB, t.Unbuffered());
       }},
  };
  WritePattern(Source(), 6 * TenMiB);
  WriteText(Path(L"other.txt"), "not the job's");
  for (const Row& row : rows) {
    ResetJobState();
    OpenHandleCheck handles;
    const int32_t state = row.Run(*this);
    EXPECT_TRUE(state == wsCancelled || state == wsFailed) << row.Label;
    for (int i = 0; i < 6; ++i) {
      EXPECT_FALSE(std::filesystem::is_regular_file(ToPath(Part(i)))) << row.Label << ": part " << i;
      EXPECT_FALSE(Exists(TemporaryName(Part(i)))) << row.Label << ": part " << i;
    }
    EXPECT_FALSE(Exists(Base() + L".bat")) << row.Label;
    EXPECT_FALSE(Exists(RecordPath(Base()))) << row.Label;
    EXPECT_TRUE(handles.NoneLeftOpen({Source()})) << row.Label;
    EXPECT_EQ(ReadAll(Path(L"other.txt")), "not the job's");
    EXPECT_EQ(SizeOf(Source()), 6 * TenMiB);
  }
}

// A join that does not end whole leaves no output, and whatever stood under
// the output's name before stays as it was.
TEST_P(PathTest, AStoppedOrFailedMergeLeavesNoOutput) {
  WritePattern(Source(), 2 * TenMiB + 3 * MiB + 5);
  ASSERT_EQ(RunSplit(Source(), Base(), TenMiB, Unbuffered()), wsSucceeded);
  const auto parts = Series(Base());
  struct Row {
    const char* Label;
    std::function<int32_t(PathTest&)> Run;
  };
  const Row rows[] = {
      {"cancelled in part 2",
       [&](PathTest& t) {
         UnbufferedMode = t.Unbuffered();
         MergeThread merge(t.Output(), parts, SizesOf(parts), SizeOf(t.Source()), nullptr);
         while (CurrentPart < 2 && !merge.Finished()) std::this_thread::yield();
         PauseRequest = 1;
         EXPECT_TRUE(WaitForState(wsPaused));
         CancelRequest = 1;
         PauseRequest = 0;
         merge.WaitFor();
         return WorkerState.load();
       }},
      {"the disk fills up in the last part",
       [&](PathTest& t) {
         FullDiskAfter full(2 * TenMiB + MiB);
         return RunMerge(t.Output(), parts, t.Unbuffered());
       }},
      {"a part vanished after listing",
       [&](PathTest& t) {
         std::filesystem::rename(ToPath(parts[1]), ToPath(t.Path(L"away")));
         const int32_t state = RunMerge(t.Output(), parts, t.Unbuffered());
         std::filesystem::rename(ToPath(t.Path(L"away")), ToPath(parts[1]));
         return state;
       }},
  };
  for (const Row& row : rows) {
    WriteText(Output(), "an earlier output");
    ResetJobState();
    OpenHandleCheck handles;
    EXPECT_TRUE(row.Run(*this) != wsSucceeded) << row.Label;
    EXPECT_EQ(ReadAll(Output()), "an earlier output") << row.Label;
    EXPECT_FALSE(Exists(TemporaryName(Output()))) << row.Label;
    EXPECT_TRUE(handles.NoneLeftOpen(parts)) << row.Label;
  }
  EXPECT_EQ(Series(Base()).size(), 3u);
  ResetJobState();
  ASSERT_EQ(RunMerge(Output(), parts, Unbuffered()), wsSucceeded);
  EXPECT_TRUE(SameContent(Source(), Output()));
}

// An output that is one of the parts, under any of its names, is refused
// before it is made: every part keeps its bytes.
TEST_P(PathTest, MergeRefusesAnOutputThatIsAPart) {
  WritePattern(Source(), 3 * TenMiB);
  ASSERT_EQ(RunSplit(Source(), Base(), TenMiB, Unbuffered()), wsSucceeded);
  const auto parts = Series(Base());
  std::filesystem::create_hard_link(ToPath(parts[1]), ToPath(Path(L"link")));
  for (const std::wstring& output : {parts[0], parts[2], Path(L"link")}) {
    ResetJobState();
    EXPECT_EQ(RunMerge(output, parts, Unbuffered()), wsFailed);
  }
  ResetJobState();
  ASSERT_EQ(RunMerge(Output(), parts, Unbuffered()), wsSucceeded);
  EXPECT_TRUE(SameContent(Source(), Output()));
}

// The output takes the listed bytes of the listed parts and no more, and a
// merge whose parts do not make up its total (a row left out) fails.
TEST_P(PathTest, MergeWritesExactlyTheListedBytes) {
  WritePattern(Source(), 3 * TenMiB);
  ASSERT_EQ(RunSplit(Source(), Base(), TenMiB, Unbuffered()), wsSucceeded);
  const auto parts = Series(Base());
  const auto sizes = SizesOf(parts);
  ResetJobState();
  UnbufferedMode = Unbuffered();
  MergeThread(Output(), {parts[0], parts[2]}, {sizes[0], sizes[2]}, 3 * TenMiB, nullptr).WaitFor();
  EXPECT_EQ(WorkerState, wsFailed);

  WritePatternAt(parts[0], TenMiB, 5000, 3);  // grown after listing
  ResetJobState();
  UnbufferedMode = Unbuffered();
  MergeThread(Output(), parts, sizes, 3 * TenMiB, nullptr).WaitFor();
  EXPECT_EQ(WorkerState, wsFailed);  // the check finds the grown part
  EXPECT_FALSE(Exists(Output()));
}

// A script that cannot be written fails the job. Whatever holds the
// script's name and cannot be removed keeps the split from making any part,
// so an older script never stays beside parts that it does not describe.
TEST_F(JobTest, AScriptThatCannotBeWrittenFailsTheJob) {
  const std::wstring script = Base() + L".bat";
  WritePattern(Source(), 1000);
  std::filesystem::create_directory(ToPath(script));
  UnbufferedMode = 0;
  {
    Splitthread split(Source(), Base(), 1000, 300, nullptr);
    split.WaitFor();
    EXPECT_TRUE(split.FatalException().empty());
  }
  EXPECT_EQ(WorkerState, wsFailed);
  EXPECT_TRUE(Series(Base()).empty());
  ASSERT_TRUE(ProgressLock.try_lock());
  ProgressLock.unlock();
  std::filesystem::remove(ToPath(script));

#ifdef _WIN32
  // An older script that another program holds open, beside its ten parts.
  ResetJobState();
  ASSERT_EQ(RunSplit(Source(), Base(), 100, false), wsSucceeded);
  const std::string older = ReadAll(script);
  {
    using namespace platform;
    File holder(script, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
    ResetJobState();
    EXPECT_EQ(RunSplit(Source(), Base(), 300, false), wsFailed);
  }
  EXPECT_EQ(ReadAll(script), older);
  EXPECT_EQ(Series(Base()).size(), 10u);
  EXPECT_EQ(SizeOf(PartFileName(Base(), 0)), 100);
#endif

  // A disk that fills up while the script is written leaves no piece of it.
  ResetJobState();
  {
    FullDiskAfter full(1000 + 100);
    EXPECT_EQ(RunSplit(Source(), Base(), 300, false), wsFailed);
  }
  EXPECT_FALSE(Exists(script));
}

TEST_F(JobTest, VerifyPartsComparesOnlyBytesThatExist) {
  WriteText(Source(), "abcdefg");
  const auto parts = WriteParts({"abc", "def", "g"});
  struct Row {
    const char* Label;
    std::string Part0, Part2;  // what parts 0 and 2 hold; empty: part 0 is removed
    bool Matches;
    std::size_t Part;
    bool Opened;
  };
  const Row rows[] = {
      {"all match", "abc", "g", true, 3, true},
      {"a later part differs", "abc", "x", false, 2, true},
      {"the first part differs", "xbc", "g", false, 0, true},
      {"a part cannot be opened", "", "g", false, 0, false},
      {"a part runs past the end of the source", "abc", "gh", false, 2, true},
  };
  for (const Row& row : rows) {
    if (row.Part0.empty())
      std::filesystem::remove(ToPath(parts[0]));
    else
      WriteText(parts[0], row.Part0);
    WriteText(parts[2], row.Part2);
    const TPartCheck check = VerifyParts(Source(), parts);
    EXPECT_EQ(check.Matches, row.Matches) << row.Label;
    EXPECT_EQ(check.Part, row.Part) << row.Label;
    EXPECT_EQ(check.Opened, row.Opened) << row.Label;
  }
}

TEST_F(JobTest, VerifyMergeComparesFirstAndLastBytesOfEveryPart) {
  WriteText(Output(), "abcdefghijk");
  const auto parts = WriteParts({"a", "bcdefghij", "k"});
  EXPECT_TRUE(VerifyMerge(Output(), parts).Matches);
  WriteText(parts[1], "bcdefgXij");
  EXPECT_FALSE(VerifyMerge(Output(), parts).Matches);
  WriteText(parts[1], "Xcdefghij");
  EXPECT_FALSE(VerifyMerge(Output(), parts).Matches);
  WriteText(parts[1], "bcdefghij");
  WriteText(parts[2], "kl");
  EXPECT_FALSE(VerifyMerge(Output(), parts).Matches);
}

#ifdef _WIN32

TEST_F(JobTest, SourceHeldOpenForWritingFailsBeforeAnyPart) {
  using namespace platform;
  WritePattern(Source(), 3 * TenMiB);
  File writer(Source(), Access::Write, Share::ReadWrite, Creation::OpenExisting, Caching::Normal);
  ASSERT_TRUE(writer.IsOpen());
  for (bool unbuffered : {false, true}) {
    EXPECT_EQ(RunSplit(Source(), Base(), TenMiB, unbuffered), wsFailed);
    EXPECT_FALSE(Exists(PartFileName(Base(), 0)));
  }
}

#else

// The worker keeps its handle on the replaced file and copies it whole; the
// check then reads the file now found under the source's path.
TEST_F(JobTest, SplitCheckMismatchFails) {
  WritePattern(Source(), 3 * 409600);
  WritePattern(Path(L"changed.bin"), 3 * 409600);
  WritePatternAt(Path(L"changed.bin"), 409600, 2, 9);  // differs at the start of part 1
  PauseRequest = 1;
  UnbufferedMode = 0;
  {
    Splitthread split(Source(), Base(), 3 * 409600, 409600, nullptr);
    ASSERT_TRUE(WaitForState(wsPaused));
    std::filesystem::rename(Folder / L"changed.bin", Folder / L"source.bin");
    PauseRequest = 0;
    split.WaitFor();
    EXPECT_EQ(split.Outcome().Operation, joCheck);
    EXPECT_EQ(split.Outcome().Path, PartFileName(Base(), 1));
    EXPECT_EQ(split.Outcome().Part, 1);
  }
  EXPECT_EQ(WorkerState, wsFailed);
  EXPECT_EQ(TotalPercent, 99);
  // A split that fails leaves nothing of itself.
  EXPECT_EQ(Series(Base()).size(), 0u);
  EXPECT_FALSE(Exists(TemporaryName(PartFileName(Base(), 0))));
  EXPECT_FALSE(Exists(Base() + L".bat"));
}

TEST_F(JobTest, MergeCheckMismatchFailsAndLeavesNoOutput) {
  WritePattern(Source(), 3 * 409600);
  ASSERT_EQ(RunSplit(Source(), Base(), 409600, false), wsSucceeded);
  const auto parts = Series(Base());
  WritePattern(Path(L"changed.bin"), 409600, 5);
  ResetJobState();
  PauseRequest = 1;
  {
    MergeThread merge(Output(), parts, SizesOf(parts), 3 * 409600, nullptr);
    ASSERT_TRUE(WaitForState(wsPaused));
    std::filesystem::rename(Folder / L"changed.bin", ToPath(parts[0]));
    PauseRequest = 0;
  }
  EXPECT_EQ(WorkerState, wsFailed);
  EXPECT_FALSE(Exists(Output()));
  EXPECT_FALSE(Exists(TemporaryName(Output())));
}

// The parts hold the size measured at the start: a source that grew while
// the split was held fails the job.
TEST_P(PathTest, SourceThatGrewFailsTheSplit) {
  for (const int64_t growth : {int64_t{5}, int64_t{1000000}}) {
    WritePattern(Source(), 2 * TenMiB + 5);
    ResetJobState();
    PauseRequest = 1;
    UnbufferedMode = Unbuffered();
    {
      Splitthread split(Source(), Base(), 2 * TenMiB + 5, TenMiB, nullptr);
      ASSERT_TRUE(WaitForState(wsPaused));
      WritePatternAt(Source(), 2 * TenMiB + 5, growth, 4);
      PauseRequest = 0;
    }
    EXPECT_EQ(WorkerState, wsFailed) << growth;
    EXPECT_FALSE(Exists(Base() + L".bat")) << growth;
  }
}

TEST_F(JobTest, UnbufferedSplitBypassesTheCache) {
  // A block off the sector size puts the second part's reads at unaligned
  // offsets, which only a really unbuffered handle refuses.
  WritePattern(Source(), 3 * TenMiB);
  EXPECT_EQ(RunSplit(Source(), Base(), TenMiB + 100, true), wsFailed);
  EXPECT_EQ(RunSplit(Source(), Base(), TenMiB + 100, false), wsSucceeded);
}

#endif

// More than 4 GiB with a part over 2 GiB: offsets, sizes and the tail copy
// past 4 GiB all need 64 bits. The sparse source carries pattern bytes at
// the places where 32-bit arithmetic would go wrong.
class LargeRoundTrip : public JobTest {};

TEST_F(LargeRoundTrip, SourceOver4GiB) {
  constexpr int64_t GiB = int64_t{1} << 30;
  constexpr int64_t size = 4 * GiB + 3 * 4096 + 5;
  constexpr int64_t block = 5 * GiB / 2;
  WritePattern(Source(), 0);
  std::filesystem::resize_file(ToPath(Source()), size);
  uint32_t seed = 1;
  for (int64_t at : {int64_t{0}, 2 * GiB - 2048, block - 2048, 4 * GiB - 2048, size - 4096})
    WritePatternAt(Source(), at, 4096, seed++);

  ASSERT_EQ(ChooseUnbufferedMode(block), 1);
  RoundTrip(block, true);
  EXPECT_EQ(FileSizeOf(PartFileName(Base(), 0)), block);
  EXPECT_EQ(FileSizeOf(PartFileName(Base(), 1)), size - block);
  EXPECT_EQ(FileSizeOf(Output()), size);
}
