#include "Commands.h"

#include <chrono>
#include <csignal>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "Console.h"
#include "Jobs.h"
#include "RejoinScript.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace {

using platform::PathKind;

#ifdef _WIN32
constexpr wchar_t Separator = L'\\';
fs::path FsPath(const std::wstring& path) { return fs::path(path); }
std::wstring FromFsPath(const fs::path& path) { return path.wstring(); }
#else
constexpr wchar_t Separator = L'/';
fs::path FsPath(const std::wstring& path) { return fs::path(platform::ToUtf8(path)); }
std::wstring FromFsPath(const fs::path& path) { return platform::FromUtf8(path.string()); }
#endif

PathKind KindOf(const std::wstring& path) { return platform::Inspect(path).Kind; }

// The absolute path without "." and ".." elements.
std::wstring AbsolutePath(const std::wstring& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(FsPath(path), error);
  return FromFsPath((error ? FsPath(path) : absolute).lexically_normal());
}

std::wstring FolderOf(const std::wstring& path) { return FromFsPath(FsPath(path).parent_path()); }

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring ExistingFile(const std::wstring& path) {
  const std::wstring full = AbsolutePath(path);
  switch (KindOf(full)) {
    case PathKind::None: throw TInputError{L"no such file: " + Quoted(path)};
    case PathKind::Folder: throw TInputError{Quoted(path) + L" is a folder, not a file"};
    case PathKind::Other: throw TInputError{Quoted(path) + L" is not a regular file"};
    case PathKind::File: break;
  }
  return full;
}

std::wstring Bytes(int64_t count) { return std::to_wstring(count) + L" bytes"; }

// ---------------------------------------------------------------- the plan

// A count must make exactly that many parts: a file has at most one part a
// byte, and blocks rounded up to the alignment unit can make fewer.
void CheckCount(const TSplitPlan& plan, int count) {
  if (count > plan.SourceSize)
    throw TInputError{L"--count: a file of " + Bytes(plan.SourceSize) + L" can have at most " +
                      std::to_wstring(plan.SourceSize) + L" parts"};
  if (plan.PartCount != count)
    throw TInputError{L"--count: blocks of " + Bytes(plan.BlockSize) + L" make " + std::to_wstring(plan.PartCount) +
                      L" parts of this file, not " + std::to_wstring(count) + L"; choose another count or --size"};
}

// The block plan of the window: a count gives blocks rounded up to the
// alignment unit above 10 MiB, a size is taken as it is and must leave at
// least two parts.
TSplitPlan PlanSplit(const TPlanRequest& request, const std::wstring& folder = {}) {
  const std::wstring source = ExistingFile(request.Source);
  const int64_t size = platform::Inspect(source).Size;
  if (size <= 0) throw TInputError{Quoted(request.Source) + L" is empty: there is nothing to split"};
  if (request.Count > 0) {
    TSplitPlan plan = PlanSplitByCount(source, size, request.Count, folder);
    CheckCount(plan, request.Count);
    return plan;
  }
  TSplitPlan plan = PlanSplitBySize(source, size, request.BlockSize, folder);
  if (plan.BlockSize >= size)
    throw TInputError{L"--size: a block of " + Bytes(plan.BlockSize) + L" is not smaller than the source (" +
                      Bytes(size) + L")"};
  if (plan.PartCount > MaxPartCount)
    throw TInputError{L"--size: a block of " + Bytes(plan.BlockSize) + L" makes " + std::to_wstring(plan.PartCount) +
                      L" parts; at most " + std::to_wstring(MaxPartCount) + L" are allowed"};
  return plan;
}

std::wstring YesNo(bool value) { return value ? L"yes" : L"no"; }

// ---------------------------------------------------------------- running a worker

// The progress line: the part in hand of the total, the overall
// percentage, the rate and the time left.
class TProgressLine {
 public:
  explicit TProgressLine(int64_t PartCount) : FPartCount(PartCount) {}

  void Draw() const {
    const TJobProgress progress = ReadProgress();
    if (progress.CurrentPart < 1) return;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - FStart).count();
    std::wstring line = L"part " + std::to_wstring(progress.CurrentPart) + L"/" + std::to_wstring(FPartCount) +
                        L"  " + std::to_wstring(progress.TotalPercent) + L"%";
    if (progress.BytesDone > 0 && seconds > 0) {
      const double rate = progress.BytesDone / seconds;
      const int64_t left = static_cast<int64_t>((progress.BytesTotal - progress.BytesDone) / rate + 0.5);
      line += L"  " + SizeText(static_cast<int64_t>(rate)) + L"/s  " + std::to_wstring(left / 60) + L":" +
              (left % 60 < 10 ? L"0" : L"") + std::to_wstring(left % 60) + L" left";
    }
    console::DrawProgressLine(line);
  }

 private:
  int64_t FPartCount;
  std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

template <class TWorker>
using TWorkerStart = std::function<std::unique_ptr<TWorker>(TThread::TNotifyEvent)>;

// Starts the worker and waits until its completion handler has run on this
// thread, redrawing the progress line ten times a second. The finishing
// worker wakes the wait at once, so a job's time is its worker's.
template <class TWorker>
std::unique_ptr<TWorker> RunWorker(const TWorkerStart<TWorker>& start, const TProgressLine* progress) {
  std::mutex lock;
  std::condition_variable woken;
  bool ended = false, finished = false;
  SetSynchronizeWakeup([&] {
    std::lock_guard<std::mutex> guard(lock);
    ended = true;
    woken.notify_all();
  });
  console::CancelOnInterrupt();
  std::unique_ptr<TWorker> worker = start([&](TThread*) { finished = true; });
  while (!finished) {
    {
      std::unique_lock<std::mutex> guard(lock);
      woken.wait_for(guard, std::chrono::milliseconds(100), [&] { return ended; });
    }
    CheckSynchronize();
    if (progress && !finished) progress->Draw();
  }
  SetSynchronizeWakeup(nullptr);
  if (progress) console::DrawProgressLine(L"");
  return worker;
}

// Why a check found the job's bytes wrong.
std::wstring CheckFailure(const TJobOutcome& outcome, const TJoinPlan* join) {
  const int64_t parts = join ? static_cast<int64_t>(join->Parts.size()) : 0;
  if (join && outcome.Part >= 0 && outcome.Part < parts)
    return L"part " + std::to_wstring(outcome.Part) + L" " + Quoted(outcome.Path) +
           L" is not the part that was split: its digest differs from the record";
  if (join && outcome.Part == parts) return L"the joined file differs from the record's whole-file line";
  if (join && outcome.Path == join->Output) return Quoted(outcome.Path) + L" does not match the parts";
  if (join) return Quoted(outcome.Path) + L" does not match the joined file";
  return Quoted(outcome.Path) + L" does not match the source, or the source changed during the split";
}

// The one line that says what failed: the operation, the file and the
// system's reason, or the check that found a difference.
std::wstring FailureReason(const TJobOutcome& outcome, const TJoinPlan* join) {
  if (outcome.SystemError != 0)
    return std::wstring(OperationText(outcome.Operation)) + L" " + Quoted(outcome.Path) + L": " +
           outcome.SystemText + L" (" + std::to_wstring(outcome.SystemError) + L")";
  if (outcome.Operation == joCheck) return CheckFailure(outcome, join);
  return std::wstring(OperationText(outcome.Operation)) + L" " + Quoted(outcome.Path) + L" failed";
}

// The exit status of a finished job; failures say why on standard error.
int JobStatus(const TJobThread& worker, const std::wstring& job, const TJoinPlan* join = nullptr) {
  const TJobOutcome& outcome = worker.Outcome();
  if (outcome.State == wsSucceeded) return ExitOk;
  if (outcome.State == wsCancelled) {
    console::Err(L"quenlor-cli: " + job + L" cancelled\n");
    return ExitSignalBase + (console::CancelledBy() ? console::CancelledBy() : SIGINT);
  }
  const std::wstring why = worker.FatalException().empty() ? FailureReason(outcome, join)
                                                            : platform::FromUtf8(worker.FatalException());
  console::Err(L"quenlor-cli: " + job + L" failed: " + why + L"\n");
  return ExitFailed;
}

bool ShowsProgress(bool quiet) { return !quiet && console::ErrIsTerminal(); }

// ---------------------------------------------------------------- split checks

std::wstring OutputFolder(const std::wstring& folder) {
  std::wstring full = AbsolutePath(folder.empty() ? L"." : folder);
  if (KindOf(full) != PathKind::Folder) throw TInputError{L"--output: no such folder: " + Quoted(folder)};
  if (full.back() != Separator) full += Separator;
  return full;
}

// The volume must hold the source with the window's margin, and every part.
void CheckVolume(const std::wstring& folder, int64_t bytes, int64_t largestFile) {
  if (!HasFreeSpace(folder, bytes))
    throw TInputError{L"not enough free space in " + Quoted(folder) + L" for " + SizeText(bytes)};
  const std::wstring fileSystem = platform::FileSystemName(folder);
  const int64_t largest = LargestFileOf(FileSystemKindOf(fileSystem));
  if (largestFile > largest)
    throw TInputError{Quoted(folder) + L" is on " + fileSystem + L", whose files hold at most " + Bytes(largest) +
                      L"; a file of " + Bytes(largestFile) + L" does not fit"};
}

// Files of the split's names are replaced only when the user says so. A
// part beyond the new series would join with it, so it is never left there.
void CheckSplitNames(const TSplitPlan& plan, bool force) {
  std::vector<std::wstring> names = plan.PartPaths();
  for (const std::wstring& script : RejoinScriptPaths(plan.OutputBase)) names.push_back(script);
  names.push_back(RecordPath(plan.OutputBase));
  for (const std::wstring& name : names) {
    const PathKind kind = KindOf(name);
    if (kind == PathKind::Folder) throw TInputError{Quoted(name) + L" is a folder"};
    if (kind == PathKind::Other) throw TInputError{Quoted(name) + L" is not a regular file"};
    if (kind == PathKind::File && !force) throw TInputError{Quoted(name) + L" exists (--force replaces it)"};
  }
  const std::wstring next = PartFileName(plan.OutputBase, plan.PartCount);
  if (KindOf(next) != PathKind::None)
    throw TInputError{Quoted(next) + L" exists and would join with the new parts; remove it first"};
}

// ---------------------------------------------------------------- join checks

const wchar_t* NamingName(TSeriesNaming naming) {
  switch (naming) {
    case TSeriesNaming::Numbered: return L"numbered";
    case TSeriesNaming::Letters: return L"letters";
    case TSeriesNaming::Quenlor: break;
  }
  return L"quenlor";
}

std::wstring MissingPart(const TJoinPlan& plan, int64_t index) {
  return L"part " + std::to_wstring(index) + L" " + Quoted(plan.PartName(index)) + L" is missing";
}

// Whether the name ends in a part suffix of the naming. The numbered and
// letter namings have a base only then; a Quenlor base is any name less its
// last extension.
bool HasPartSuffix(const std::wstring& path, const TJoinPlan& plan) {
  if (plan.Base.empty()) return false;
  if (plan.Naming != TSeriesNaming::Quenlor) return true;
  std::wstring prefix = PartFileName(plan.Base, 0);
  prefix.pop_back();  // "<base>.QuenlorSp"
  const std::wstring number = path.substr(std::min(path.size(), prefix.size()));
  return path.compare(0, prefix.size(), prefix) == 0 && !number.empty() &&
         number.find_first_not_of(L"0123456789") == std::wstring::npos;
}

// The series of the part that the user named, which must be one of its parts.
TJoinPlan SeriesOf(const std::wstring& part, TSeriesNaming naming) {
  const std::wstring full = ExistingFile(part);
  const TJoinPlan plan = PlanJoinOfPart(full, naming);
  if (!HasPartSuffix(full, plan))
    throw TInputError{Quoted(part) + L" is not a part of a " + NamingName(naming) + L" series"};
  if (!plan.Lists(full)) throw TInputError{MissingPart(plan, static_cast<int64_t>(plan.Parts.size()))};
  return plan;
}

// A new file, or one the user lets us replace; never a part of the series.
std::wstring JoinOutput(const std::wstring& output, const TJoinPlan& plan, bool force) {
  const std::wstring full = output.empty() ? plan.Base : AbsolutePath(output);
  const std::wstring shown = output.empty() ? full : output;
  switch (KindOf(full)) {
    case PathKind::Folder: throw TInputError{Quoted(shown) + L" is a folder; give -o OUTPUT"};
    case PathKind::Other: throw TInputError{Quoted(shown) + L" is not a regular file"};
    case PathKind::File:
      if (plan.Lists(full)) throw TInputError{Quoted(shown) + L" is one of the parts of the series"};
      if (plan.IsSeriesFile(full)) throw TInputError{Quoted(shown) + L" is the record or a rejoin script of the series"};
      if (!force) throw TInputError{Quoted(shown) + L" exists (--force replaces it)"};
      break;
    case PathKind::None: break;
  }
  if (KindOf(FolderOf(full)) != PathKind::Folder) throw TInputError{L"--output: no such folder for " + Quoted(shown)};
  return full;
}

// A record beside the parts is checked, never passed over: it must be
// readable, name the series' parts and name as many as are listed.
void CheckRecord(const TJoinPlan& plan) {
  const std::wstring record = Quoted(RecordPath(plan.Base));
  switch (plan.Record.State) {
    case rsNone:
    case rsValid: return;
    case rsUnreadable:
      throw TInputError{L"the record " + record + L" cannot be read; remove it to join without its check"};
    case rsForeign:
      throw TInputError{L"the record " + record + L" names files of another series; remove it to join without its check"};
    case rsMissingPart:
      // The record names a part that the folder lacks, or skips one it has.
      if (plan.Record.Part < static_cast<int64_t>(plan.Parts.size()))
        throw TInputError{L"the record " + record + L" names parts after part " + std::to_wstring(plan.Record.Part) +
                          L" " + Quoted(plan.PartName(plan.Record.Part)) + L" but not that part"};
      throw TInputError{MissingPart(plan, plan.Record.Part) + L": the record " + record + L" names it"};
    case rsExtraPart:
      throw TInputError{Quoted(plan.Parts[plan.Record.Part].Path) + L" is not in the record " + record};
  }
}

// ---------------------------------------------------------------- verify

const wchar_t* VerdictText(TVerdict verdict) {
  switch (verdict) {
    case vdOk: return L"ok";
    case vdChanged: return L"changed";
    case vdMissing: return L"missing";
    case vdExtra: return L"extra";
    case vdUnreadable: return L"unreadable";
    case vdNotChecked: break;
  }
  return L"not checked";
}

std::wstring VerifyLine(const TFileVerdict& file, const std::wstring& suffix = {}) {
  const std::wstring state = VerdictText(file.Verdict);
  return state + std::wstring(state.size() < 12 ? 12 - state.size() : 1, L' ') + file.Path + suffix + L"\n";
}

// The record of a series, which verify cannot do without.
void CheckRecordToVerify(const TJoinPlan& plan) {
  const std::wstring record = Quoted(RecordPath(plan.Base));
  switch (plan.Record.State) {
    case rsNone: throw TInputError{L"no record " + record + L" beside the parts: there is nothing to check against"};
    case rsUnreadable: throw TInputError{L"the record " + record + L" cannot be read"};
    case rsForeign: throw TInputError{L"the record " + record + L" names files of another series"};
    case rsMissingPart:
    case rsExtraPart:
    case rsValid: break;
  }
}

}  // namespace

// ---------------------------------------------------------------- commands

int RunPlan(const TPlanRequest& Request, bool Json) {
  const TSplitPlan plan = PlanSplit(Request);
  std::wstring text;
  if (Json) {
    text = L"{\"block_size\": " + std::to_wstring(plan.BlockSize) + L", \"part_count\": " +
           std::to_wstring(plan.PartCount) + L", \"parts\": [";
    for (int64_t i = 0; i < plan.PartCount; ++i) text += (i ? L", " : L"") + std::to_wstring(plan.PartSize(i));
    text += L"], \"unbuffered\": " + std::wstring(plan.Unbuffered ? L"true" : L"false") +
            L", \"fits_fat\": " + (plan.Fits(fskFAT) ? L"true" : L"false") +
            L", \"fits_fat32\": " + (plan.Fits(fskFAT32) ? L"true" : L"false") + L"}\n";
  } else {
    text = L"block size: " + Bytes(plan.BlockSize) + L" (" + SizeText(plan.BlockSize) + L")\n" + L"parts: " +
           std::to_wstring(plan.PartCount) + L"\n";
    for (int64_t i = 0; i < plan.PartCount; ++i)
      text += L"  part " + std::to_wstring(i) + L": " + Bytes(plan.PartSize(i)) + L"\n";
    text += L"copy path: " + std::wstring(plan.Unbuffered ? L"unbuffered" : L"buffered") + L"\n" +
            L"fits FAT: " + YesNo(plan.Fits(fskFAT)) + L"\n" + L"fits FAT32: " + YesNo(plan.Fits(fskFAT32)) + L"\n";
  }
  console::Out(text);
  return ExitOk;
}

int RunSplit(const TSplitRequest& Request) {
  const std::wstring folder = OutputFolder(Request.Folder);
  const TSplitPlan plan = PlanSplit(Request.Plan, folder);
  if (!plan.PathsFit())
    throw TInputError{L"the part paths in " + Quoted(folder) + L" reach " + std::to_wstring(MaxPathLength) +
                      L" characters, which the rejoin script cannot open; choose a shorter folder"};
  CheckSplitNames(plan, Request.Force);
  CheckVolume(folder, plan.SourceSize, plan.PartSize(0));

  const TProgressLine progress(plan.PartCount);
  const auto worker = RunWorker<Splitthread>([&](TThread::TNotifyEvent done) { return StartSplit(plan, done); },
                                             ShowsProgress(Request.Quiet) ? &progress : nullptr);
  const int status = JobStatus(*worker, L"split");
  if (status != ExitOk) return status;
  std::wstring written;
  for (const std::wstring& part : plan.PartPaths()) written += part + L"\n";
  for (const std::wstring& script : RejoinScriptPaths(plan.OutputBase)) written += script + L"\n";
  written += RecordPath(plan.OutputBase) + L"\n";
  console::Out(written);
  return ExitOk;
}

// The parts, the rejoin scripts and the record of a series whose join has
// checked against the record; answers the lines that say what went.
std::wstring RemoveSeries(const TJoinPlan& plan) {
  std::vector<std::wstring> files;
  for (const TSeriesPart& part : plan.Parts) files.push_back(part.Path);
  for (const std::wstring& script : RejoinScriptPaths(plan.Base)) files.push_back(script);
  files.push_back(RecordPath(plan.Base));
  std::wstring said;
  for (const std::wstring& file : files) {
    if (KindOf(file) != PathKind::File) continue;
    if (platform::RemoveFile(file))
      said += L"removed " + file + L"\n";
    else
      console::Err(L"quenlor-cli: could not remove " + Quoted(file) + L": " +
                   platform::ErrorText(platform::LastError()) + L"\n");
  }
  return said;
}

int RunJoin(const TJoinRequest& Request) {
  TJoinPlan plan = SeriesOf(Request.Part, Request.Naming);
  CheckRecord(plan);
  if (Request.RemoveParts && plan.Record.State != rsValid)
    throw TInputError{L"--remove-parts: without a record " + Quoted(RecordPath(plan.Base)) +
                      L" the joined file cannot be checked, so the parts stay; join without --remove-parts"};
  if (plan.Naming == TSeriesNaming::Quenlor && plan.Record.State == rsNone)
    console::Err(L"quenlor-cli: no record " + Quoted(RecordPath(plan.Base)) +
                 L" beside the parts: the joined file cannot be checked against the source\n");
  plan.Output = JoinOutput(Request.Output, plan, Request.Force);
  CheckVolume(FolderOf(plan.Output), plan.TotalSize, plan.TotalSize);

  const TProgressLine progress(static_cast<int64_t>(plan.Parts.size()));
  const auto worker = RunWorker<MergeThread>([&](TThread::TNotifyEvent done) { return StartJoin(plan, done); },
                                             ShowsProgress(Request.Quiet) ? &progress : nullptr);
  const int status = JobStatus(*worker, L"join", &plan);
  if (status != ExitOk) return status;
  console::Out(plan.Output + L"\n" + (Request.RemoveParts ? RemoveSeries(plan) : L""));
  return ExitOk;
}

int RunVerify(const TVerifyRequest& Request) {
  const TJoinPlan plan = SeriesOf(Request.Part, Request.Naming);
  CheckRecordToVerify(plan);
  const TSeriesVerdict verdict = VerifySeries(plan);
  std::wstring report;
  for (const TFileVerdict& part : verdict.Parts) report += VerifyLine(part);
  console::Out(report + VerifyLine(verdict.Whole, L" (whole file)"));
  return verdict.AllOk() ? ExitOk : ExitFailed;
}
