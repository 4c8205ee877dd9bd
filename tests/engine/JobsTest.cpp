// The job interface: what a failed job says about its failure.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "Jobs.h"
#include "TestFiles.h"
#include "platform/Platform.h"

using namespace testfiles;

namespace {

#ifdef _WIN32
constexpr uint32_t NoSuchFile = 2;    // ERROR_FILE_NOT_FOUND
constexpr uint32_t NotAFolder = 3;    // ERROR_PATH_NOT_FOUND
#else
constexpr uint32_t NoSuchFile = ENOENT;
constexpr uint32_t NotAFolder = ENOTDIR;
#endif

// Turns one byte of the file over.
void FlipByte(const std::wstring& path, int64_t offset) {
  std::string bytes = ReadAll(path);
  bytes[offset] = static_cast<char>(~bytes[offset]);
  WriteText(path, bytes);
}

class Jobs : public FolderTest {
 public:
  using FolderTest::Folder;
  using FolderTest::Path;

 protected:
  void SetUp() override {
    FolderTest::SetUp();
    ResetJobState();
  }

  template <class TWorker>
  TJobOutcome Finish(std::unique_ptr<TWorker> worker) {
    worker->WaitFor();
    return worker->Outcome();
  }
};

}  // namespace

// Each failure names the operation, the file and the system's error code;
// a check that finds a difference names the part and has no system error.
TEST_F(Jobs, AFailedJobSaysWhatFailedOnWhichFile) {
  struct Row {
    const char* Label;
    bool Split;
    std::function<void(Jobs&)> Break;  // run after the plan was made
    TJobOperation Operation;
    std::wstring Path;  // relative to the test's folder
    uint32_t Error;
    int64_t Part = -1;
  };
  const Row rows[] = {
      {"split: the disk fills up", true, [](Jobs&) { platform::SimulateFullDisk(70000); }, joWrite,
       L"out/src.bin.QuenlorSp1", platform::DiskFullError},
      {"split: the output folder is a file", true,
       [](Jobs& t) {
         std::filesystem::remove(t.Folder / L"out");
         WriteText(t.Path(L"out"), "x");
       },
       joOpen, L"out/src.bin.QuenlorSp0", NotAFolder},
      {"join: the disk fills up", false, [](Jobs&) { platform::SimulateFullDisk(70000); }, joWrite, L"joined", platform::DiskFullError},
      {"join: part 0 has gone", false, [](Jobs& t) { std::filesystem::remove(ToPath(t.Path(L"src.bin.QuenlorSp0"))); },
       joOpen, L"src.bin.QuenlorSp0", NoSuchFile},
      {"join: a part is shorter than listed", false,
       [](Jobs& t) { std::filesystem::resize_file(ToPath(t.Path(L"src.bin.QuenlorSp2")), 100); }, joRead,
       L"src.bin.QuenlorSp2", platform::EndOfFileError},
      {"join: a part changed", false, [](Jobs& t) { FlipByte(t.Path(L"src.bin.QuenlorSp1"), 10); }, joCheck,
       L"src.bin.QuenlorSp1", 0, 1},
      {"join: the output's folder is a file", false, [](Jobs& t) { WriteText(t.Path(L"out"), "x"); }, joOpen,
       L"out/joined", NotAFolder},
  };
  const std::wstring here = Path(L"src.bin").substr(0, Path(L"src.bin").size() - 7);
  for (const Row& row : rows) {
    ResetJobState();
    std::filesystem::remove_all(Folder);
    std::filesystem::create_directories(Folder / L"out");
    WritePattern(Path(L"src.bin"), 200000);
    const TJobOutcome outcome = [&] {
      if (row.Split) {
        const TSplitPlan plan = PlanSplitBySize(Path(L"src.bin"), 200000, 70000, Path(L"out/"));
        row.Break(*this);
        return Finish(StartSplit(plan, nullptr));
      }
      EXPECT_EQ(Finish(StartSplit(PlanSplitBySize(Path(L"src.bin"), 200000, 70000, here), nullptr)).State,
                wsSucceeded);
      TJoinPlan plan = PlanJoinOfPart(Path(L"src.bin.QuenlorSp0"), TSeriesNaming::Quenlor);
      EXPECT_EQ(plan.Record.State, rsValid) << row.Label;
      plan.Output = row.Path == L"out/joined" ? Path(L"out/joined") : Path(L"joined");
      std::filesystem::remove_all(Folder / L"out");
      row.Break(*this);
      ResetJobState();
      return Finish(StartJoin(plan, nullptr));
    }();
    platform::SimulateFullDisk(-1);
    EXPECT_EQ(outcome.State, wsFailed) << row.Label;
    EXPECT_EQ(outcome.Operation, row.Operation) << row.Label;
    EXPECT_EQ(outcome.Path, Path(row.Path)) << row.Label;
    EXPECT_EQ(outcome.SystemError, row.Error) << row.Label;
    EXPECT_EQ(outcome.SystemText.empty(), row.Error == 0) << row.Label;
    EXPECT_EQ(outcome.Part, row.Part) << row.Label;
  }
}

// A count that a file cannot be cut into makes fewer parts, which a front
// end can tell from the plan.
TEST_F(Jobs, APlanCountsThePartsTheWorkerMakes) {
  EXPECT_EQ(PlanSplitByCount(L"s", 10, 6).PartCount, 5);
  EXPECT_EQ(PlanSplitByCount(L"s", 10, 20).PartCount, 10);
  EXPECT_EQ(PlanSplitByCount(L"s", 1000000, 7).PartCount, 7);
  const TSplitPlan plan = PlanSplitByCount(L"s", int64_t{100} << 20, 3, L"out/");
  EXPECT_TRUE(plan.Unbuffered);
  EXPECT_EQ(plan.PartSize(0) * 2 + plan.PartSize(2), int64_t{100} << 20);
  EXPECT_EQ(plan.PartPaths().back(), L"out/s.QuenlorSp2");
  EXPECT_FALSE(PlanSplitBySize(L"s", 100000, 4096).Unbuffered);
}
