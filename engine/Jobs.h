// The one way to plan, start and read a split or a join. A front end:
//   1. builds a plan: PlanSplitByCount or PlanSplitBySize, or PlanJoin of a
//      listed series, and refuses or asks, in its own words, about what the
//      plan says (part count, fits, record verdict);
//   2. resets the job state (ResetJobState) and starts the job from the
//      plan with StartSplit or StartJoin and a completion handler;
//   3. while it runs, reads ReadProgress and asks for a pause or a cancel
//      through PauseRequest and CancelRequest;
//   4. when the completion handler runs, reads the worker's Outcome().
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Merge_thread.h"
#include "Series.h"
#include "Split_thread.h"
#include "global.h"

// No plan makes more parts than this.
constexpr int64_t MaxPartCount = 999;

struct TSplitPlan {
  std::wstring Source;
  int64_t SourceSize = 0;
  int64_t BlockSize = 0;
  int64_t PartCount = 0;    // the parts the worker makes: every block, the last holding the rest
  bool Unbuffered = false;  // the copy path
  std::wstring OutputBase;  // "<output folder><source name>"; empty until a folder is given

  int64_t PartSize(int64_t Index) const;
  // The largest part fits a file of a volume of Kind.
  bool Fits(TFileSystemKind Kind) const;
  // Every part path stays below MaxPathLength.
  bool PathsFit() const;
  std::vector<std::wstring> PartPaths() const;
};

// Blocks of the size that cuts SourceSize bytes into Count (rounded up to
// the alignment unit above 10 MiB), or blocks of BlockSize bytes. Folder,
// when given, ends in a separator.
TSplitPlan PlanSplitByCount(const std::wstring& Source, int64_t SourceSize, int64_t Count,
                            const std::wstring& Folder = {});
TSplitPlan PlanSplitBySize(const std::wstring& Source, int64_t SourceSize, int64_t BlockSize,
                           const std::wstring& Folder = {});

struct TJoinPlan {
  TSeriesNaming Naming = TSeriesNaming::Quenlor;
  std::wstring Base;               // the series' base: its parts' path without their suffix
  std::vector<TSeriesPart> Parts;  // part 0 up to the first gap, with their sizes
  int64_t TotalSize = 0;
  bool Unbuffered = false;  // the copy path, from the first part's size
  TRecord Record;           // the verdict on the record beside the parts
  std::wstring Output;      // the file to make; may be set after planning

  // The path of part Index of the series, listed or not.
  std::wstring PartName(int64_t Index) const;
  // Whether the file at Path, under whatever name, is one of the listed parts.
  bool Lists(const std::wstring& Path) const;
  // Whether it is a file of the series: a listed part, the record or a
  // rejoin script.
  bool IsSeriesFile(const std::wstring& Path) const;
};

TJoinPlan PlanJoin(const TSeries& Series, TSeriesNaming Naming = TSeriesNaming::Quenlor,
                   const std::wstring& Output = {});
// The plan of the series that Part belongs to: Base is empty when Part has
// no suffix of the naming, and Part is not listed when a part before it is
// missing (the first missing one is PartName(Parts.size())).
TJoinPlan PlanJoinOfPart(const std::wstring& Part, TSeriesNaming Naming, const std::wstring& Output = {});

// Every part the plan's record names, compared with its digest, then the
// parts after the last it names, then the whole file where it lies beside
// the parts. Needs a record with digests (valid, missing or extra part).
enum TVerdict { vdOk, vdChanged, vdMissing, vdExtra, vdUnreadable, vdNotChecked };
struct TFileVerdict {
  std::wstring Path;
  TVerdict Verdict;
};
struct TSeriesVerdict {
  std::vector<TFileVerdict> Parts;
  TFileVerdict Whole;
  bool AllOk() const;
};
TSeriesVerdict VerifySeries(const TJoinPlan& Plan);

// Start the specified workers on the plan's choices. OnTerminate runs on the
// main thread when the worker has ended.
std::unique_ptr<Splitthread> StartSplit(const TSplitPlan& Plan, TThread::TNotifyEvent OnTerminate);
// Joins the plan's parts, checked against its record when that is valid.
std::unique_ptr<MergeThread> StartJoin(const TJoinPlan& Plan, TThread::TNotifyEvent OnTerminate);

struct TJobProgress {
  int32_t PartPercent = 0;
  int32_t TotalPercent = 0;
  int32_t CurrentPart = 0;  // from 1; 0 before the first
  int64_t BytesDone = 0;
  int64_t BytesTotal = 0;
};

TJobProgress ReadProgress();
