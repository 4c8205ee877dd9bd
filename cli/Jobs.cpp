#include "Jobs.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "Console.h"
#include "Merge_thread.h"
#include "Record.h"
#include "RejoinScript.h"
#include "My_Global.h"
#include "Split_thread.h"
#include "Thread.h"
#include "global.h"
#include "platform/Platform.h"
#include "platform/Sha256.h"

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr wchar_t Separator = L'\\';
fs::path FsPath(const std::wstring& path) { return fs::path(path); }
std::wstring FromFsPath(const fs::path& path) { return path.wstring(); }
#else
constexpr wchar_t Separator = L'/';
fs::path FsPath(const std::wstring& path) { return fs::path(platform::ToUtf8(path)); }
std::wstring FromFsPath(const fs::path& path) { return platform::FromUtf8(path.string()); }
#endif

enum class TPathKind { Missing, File, Folder };

TPathKind KindOf(const std::wstring& path) {
  std::error_code error;
  const fs::file_status status = fs::status(FsPath(path), error);
  if (!fs::exists(status)) return TPathKind::Missing;
  return fs::is_directory(status) ? TPathKind::Folder : TPathKind::File;
}

// The absolute path without "." and ".." elements.
std::wstring AbsolutePath(const std::wstring& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(FsPath(path), error);
  return FromFsPath((error ? FsPath(path) : absolute).lexically_normal());
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring ExistingFile(const std::wstring& path) {
  const std::wstring full = AbsolutePath(path);
  switch (KindOf(full)) {
    case TPathKind::Missing: throw TInputError{L"no such file: " + Quoted(path)};
    case TPathKind::Folder: throw TInputError{Quoted(path) + L" is a folder, not a file"};
    case TPathKind::File: break;
  }
  return full;
}

// ---------------------------------------------------------------- the plan

struct TSplitPlan {
  std::wstring Source;
  int64_t SourceSize;
  int64_t BlockSize;
  int64_t PartCount;
  bool Unbuffered;

  int64_t PartSize(int64_t Index) const {
    return Index < PartCount - 1 ? BlockSize : SourceSize - (PartCount - 1) * BlockSize;
  }
  // The first part is the largest.
  bool Fits(TFileSystemKind Kind) const { return PartSize(0) <= LargestFileOf(Kind); }
};

// The block plan of the window: a count gives blocks rounded up to the
// alignment unit above 10 MiB, a size is taken as it is and must leave at
// least two parts, and no plan makes more than 999.
TSplitPlan PlanSplit(const TPlanRequest& request) {
  TSplitPlan plan{.Source = ExistingFile(request.Source)};
  plan.SourceSize = FileSizeOf(plan.Source);
  if (plan.SourceSize <= 0) throw TInputError{Quoted(request.Source) + L" is empty: there is nothing to split"};
  if (request.Count > 0) {
    plan.BlockSize = BlockSizeForCount(plan.SourceSize, request.Count);
  } else {
    plan.BlockSize = request.BlockSize;
    if (plan.BlockSize >= plan.SourceSize)
      throw TInputError{L"--size: a block of " + std::to_wstring(plan.BlockSize) +
                        L" bytes is not smaller than the source (" + std::to_wstring(plan.SourceSize) + L" bytes)"};
  }
  plan.PartCount = plan.SourceSize / plan.BlockSize + (plan.SourceSize % plan.BlockSize != 0 ? 1 : 0);
  if (plan.PartCount > 999)
    throw TInputError{L"--size: a block of " + std::to_wstring(plan.BlockSize) + L" bytes makes " +
                      std::to_wstring(plan.PartCount) + L" parts; at most 999 are allowed"};
  plan.Unbuffered = ChooseUnbufferedMode(plan.BlockSize) == 1;
  return plan;
}

std::wstring YesNo(bool value) { return value ? L"yes" : L"no"; }

// ---------------------------------------------------------------- running a worker

// The progress line: the part in hand of the total, the overall
// percentage, the rate and the time left, estimated from the shared
// progress pair and the part sizes.
class TProgressLine {
 public:
  explicit TProgressLine(std::vector<int64_t> PartSizes) : FPartSizes(std::move(PartSizes)) {
    for (int64_t size : FPartSizes) FTotal += size;
  }

  void Draw() const {
    int32_t partPercent, totalPercent;
    {
      std::lock_guard<std::mutex> lock(ProgressLock);
      partPercent = PartPercent;
      totalPercent = TotalPercent;
    }
    const int32_t part = CurrentPart.load();
    if (part < 1 || part > static_cast<int32_t>(FPartSizes.size())) return;
    int64_t done = FPartSizes[part - 1] * partPercent / 100;
    for (int32_t i = 0; i < part - 1; ++i) done += FPartSizes[i];
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - FStart).count();
    std::wstring line = L"part " + std::to_wstring(part) + L"/" + std::to_wstring(FPartSizes.size()) + L"  " +
                        std::to_wstring(totalPercent) + L"%";
    if (done > 0 && seconds > 0) {
      const double rate = done / seconds;
      const int64_t left = static_cast<int64_t>((FTotal - done) / rate + 0.5);
      line += L"  " + SizeText(static_cast<int64_t>(rate)) + L"/s  " + std::to_wstring(left / 60) + L":" +
              (left % 60 < 10 ? L"0" : L"") + std::to_wstring(left % 60) + L" left";
    }
    console::DrawProgressLine(line);
  }

 private:
  std::vector<int64_t> FPartSizes;
  int64_t FTotal = 0;
  std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

using TWorkerStart = std::function<std::unique_ptr<TThread>(TThread::TNotifyEvent)>;

// Starts the worker and waits until its completion handler has run on this
// thread, redrawing the progress line ten times a second. The finishing
// worker wakes the wait at once, so a job's time is its worker's.
std::unique_ptr<TThread> RunWorker(const TWorkerStart& start, const TProgressLine* progress) {
  std::mutex lock;
  std::condition_variable woken;
  bool ended = false, finished = false;
  SetSynchronizeWakeup([&] {
    std::lock_guard<std::mutex> guard(lock);
    ended = true;
    woken.notify_all();
  });
  console::CancelOnInterrupt();
  std::unique_ptr<TThread> worker = start([&](TThread*) { finished = true; });
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

// The exit status of a finished job; failures say why on standard error.
int JobOutcome(const TThread& worker, const std::wstring& job, const std::wstring& reason) {
  const int32_t state = WorkerState.load();
  if (state == wsSucceeded) return ExitOk;
  if (state == wsCancelled) {
    console::Err(L"quenlor-cli: " + job + L" cancelled\n");
    return ExitCancelled;
  }
  std::wstring why = reason;
  if (!worker.FatalException().empty()) why = platform::FromUtf8(worker.FatalException());
  console::Err(L"quenlor-cli: " + job + L" failed: " + why + L"\n");
  return ExitFailed;
}

bool ShowsProgress(bool quiet) { return !quiet && console::ErrIsTerminal(); }

// ---------------------------------------------------------------- split checks

std::wstring OutputFolder(const std::wstring& folder) {
  std::wstring full = AbsolutePath(folder.empty() ? L"." : folder);
  if (KindOf(full) != TPathKind::Folder) throw TInputError{L"--output: no such folder: " + Quoted(folder)};
  if (full.back() != Separator) full += Separator;
  return full;
}

// The volume must hold the source with the window's margin, and every part.
void CheckVolume(const std::wstring& folder, int64_t bytes, int64_t largestFile) {
  if (!HasFreeSpace(folder, bytes))
    throw TInputError{L"not enough free space in " + Quoted(folder) + L" for " + SizeText(bytes)};
  const std::wstring fileSystem = platform::FileSystemName(folder);
  if (largestFile > LargestFileOf(FileSystemKindOf(fileSystem)))
    throw TInputError{Quoted(folder) + L" is on " + fileSystem + L", whose files hold at most " +
                      std::to_wstring(LargestFileOf(FileSystemKindOf(fileSystem))) + L" bytes; a file of " +
                      std::to_wstring(largestFile) + L" bytes does not fit"};
}

// Files of the split's names are replaced only when the user says so. A
// part beyond the new series would join with it, so it is never left there.
void CheckSplitNames(const std::wstring& base, int64_t partCount, bool force) {
  std::vector<std::wstring> names;
  for (int64_t i = 0; i < partCount; ++i) names.push_back(PartFileName(base, i));
  for (const std::wstring& script : RejoinScriptPaths(base)) names.push_back(script);
  names.push_back(base + L".sha256");
  for (const std::wstring& name : names) {
    const TPathKind kind = KindOf(name);
    if (kind == TPathKind::Folder) throw TInputError{Quoted(name) + L" is a folder"};
    if (kind == TPathKind::File && !force) throw TInputError{Quoted(name) + L" exists (--force replaces it)"};
  }
  const std::wstring next = PartFileName(base, partCount);
  if (KindOf(next) != TPathKind::Missing)
    throw TInputError{Quoted(next) + L" exists and would join with the new parts; remove it first"};
}

// ---------------------------------------------------------------- join checks

// The same file under whatever name: the file layer's identity, as the
// merge worker compares it.
bool SameFile(const std::wstring& a, const std::wstring& b) {
  const auto identity = platform::IdentityOf(a);
  return identity && identity == platform::IdentityOf(b);
}

const wchar_t* NamingName(TSeriesNaming naming) {
  switch (naming) {
    case TSeriesNaming::Numbered: return L"numbered";
    case TSeriesNaming::Letters: return L"letters";
    case TSeriesNaming::Quenlor: break;
  }
  return L"quenlor";
}

// The series of the part that the user named, which must be one of its parts.
TSeries SeriesOf(const std::wstring& part, TSeriesNaming naming) {
  const std::wstring full = ExistingFile(part);
  TSeries series = ListSeries(full, naming);
  for (const TSeriesPart& listed : series.Parts)
    if (SameFile(listed.Path, full)) return series;
  throw TInputError{Quoted(part) + L" is not a part of a " + NamingName(naming) + L" series"};
}

// A new file, or one the user lets us replace; never a part of the series.
std::wstring JoinOutput(const std::wstring& output, const TSeries& series, bool force) {
  const std::wstring full = output.empty() ? series.Base : AbsolutePath(output);
  const std::wstring shown = output.empty() ? full : output;
  const TPathKind kind = KindOf(full);
  if (kind == TPathKind::Folder) throw TInputError{Quoted(shown) + L" is a folder; give -o OUTPUT"};
  if (kind == TPathKind::File) {
    for (const TSeriesPart& part : series.Parts)
      if (SameFile(part.Path, full)) throw TInputError{Quoted(shown) + L" is one of the parts of the series"};
    if (!force) throw TInputError{Quoted(shown) + L" exists (--force replaces it)"};
  }
  if (KindOf(FromFsPath(FsPath(full).parent_path())) != TPathKind::Folder)
    throw TInputError{L"--output: no such folder for " + Quoted(shown)};
  return full;
}

// A record beside the parts is checked, never passed over: it must be
// readable, name the series' parts and name as many as are listed.
TRecord CheckedRecord(const TSeries& series, TSeriesNaming naming) {
  const std::wstring record = Quoted(RecordPath(series.Base));
  switch (series.Record.State) {
    case rsNone: return {};
    case rsUnreadable: throw TInputError{L"the record " + record + L" cannot be read; remove it to join without its check"};
    case rsForeign: throw TInputError{L"the record " + record + L" names files of another series; remove it to join without its check"};
    case rsMissingPart:
      throw TInputError{Quoted(SeriesPartName(series.Base, series.Record.Part, naming)) + L" is missing: the record " +
                        record + L" names it"};
    case rsExtraPart: throw TInputError{Quoted(series.Parts[series.Record.Part].Path) + L" is not in the record " + record};
    case rsValid: break;
  }
  return series.Record;
}

// ---------------------------------------------------------------- verify

// The digest of the file at path, read whole; empty when it cannot be read.
std::string FileDigest(const std::wstring& path) {
  platform::File file(path, platform::Access::Read, platform::Share::Read, platform::Creation::OpenExisting,
                      platform::Caching::Normal);
  if (!file.IsOpen()) return "";
  platform::Sha256 sha;
  std::vector<std::byte> buffer(UnbufferedChunk);
  for (;;) {
    const int64_t count = file.Read(buffer.data(), static_cast<int64_t>(buffer.size()));
    if (count < 0) return "";
    if (count == 0) return sha.HexDigest();
    sha.Update(buffer.data(), static_cast<std::size_t>(count));
  }
}

// "ok" when the file at path has the digest, "changed" when it has another.
const wchar_t* Compared(const std::wstring& path, const std::string& digest) {
  const std::string found = FileDigest(path);
  if (found.empty()) return L"unreadable";
  return found == digest ? L"ok" : L"changed";
}

std::wstring VerifyLine(const std::wstring& state, const std::wstring& path) {
  return state + std::wstring(state.size() < 12 ? 12 - state.size() : 1, L' ') + path + L"\n";
}

// The record of a series, which verify cannot do without.
const TRecord& RecordToVerify(const TSeries& series) {
  const std::wstring record = Quoted(RecordPath(series.Base));
  switch (series.Record.State) {
    case rsNone: throw TInputError{L"no record " + record + L" beside the parts: there is nothing to check against"};
    case rsUnreadable: throw TInputError{L"the record " + record + L" cannot be read"};
    case rsForeign: throw TInputError{L"the record " + record + L" names files of another series"};
    case rsMissingPart:
    case rsExtraPart:
    case rsValid: break;
  }
  return series.Record;
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
    text = L"block size: " + std::to_wstring(plan.BlockSize) + L" bytes (" + SizeText(plan.BlockSize) + L")\n" +
           L"parts: " + std::to_wstring(plan.PartCount) + L"\n";
    for (int64_t i = 0; i < plan.PartCount; ++i)
      text += L"  part " + std::to_wstring(i) + L": " + std::to_wstring(plan.PartSize(i)) + L" bytes\n";
    text += L"copy path: " + std::wstring(plan.Unbuffered ? L"unbuffered" : L"buffered") + L"\n" +
            L"fits FAT: " + YesNo(plan.Fits(fskFAT)) + L"\n" + L"fits FAT32: " + YesNo(plan.Fits(fskFAT32)) + L"\n";
  }
  console::Out(text);
  return ExitOk;
}

int RunSplit(const TSplitRequest& Request) {
  const TSplitPlan plan = PlanSplit(Request.Plan);
  const std::wstring folder = OutputFolder(Request.Folder);
  const std::wstring base = folder + platform::ExtractFileName(plan.Source);
  if (!PartPathsFit(base, plan.SourceSize, plan.BlockSize))
    throw TInputError{L"the part paths in " + Quoted(folder) + L" reach " + std::to_wstring(MaxPathLength) +
                      L" characters, which the rejoin script cannot open; choose a shorter folder"};
  CheckSplitNames(base, plan.PartCount, Request.Force);
  CheckVolume(folder, plan.SourceSize, plan.PartSize(0));

  std::wstring mismatch;
  SetPartCheckNotice([&](const std::wstring& part) { mismatch = part; });
  std::vector<int64_t> sizes;
  for (int64_t i = 0; i < plan.PartCount; ++i) sizes.push_back(plan.PartSize(i));
  const TProgressLine progress(sizes);
  UnbufferedMode = plan.Unbuffered ? 1 : 0;
  const std::unique_ptr<TThread> worker = RunWorker(
      [&](TThread::TNotifyEvent done) {
        return std::make_unique<Splitthread>(plan.Source, base, plan.SourceSize, plan.BlockSize, std::move(done));
      },
      ShowsProgress(Request.Quiet) ? &progress : nullptr);
  SetPartCheckNotice(nullptr);
  const int status = JobOutcome(*worker, L"split",
                                mismatch.empty() ? L"the source may be in use by another program, or the folder "
                                                   L"is not writable"
                                                 : Quoted(mismatch) + L" does not match the source");
  if (status != ExitOk) return status;
  std::wstring written;
  for (int64_t i = 0; i < plan.PartCount; ++i) written += PartFileName(base, i) + L"\n";
  for (const std::wstring& script : RejoinScriptPaths(base)) written += script + L"\n";
  if (KindOf(base + L".sha256") == TPathKind::File) written += base + L".sha256\n";
  console::Out(written);
  return ExitOk;
}

int RunJoin(const TJoinRequest& Request) {
  const TSeries series = SeriesOf(Request.Part, Request.Naming);
  const TRecord record = CheckedRecord(series, Request.Naming);
  const std::wstring output = JoinOutput(Request.Output, series, Request.Force);
  CheckVolume(FromFsPath(FsPath(output).parent_path()), series.TotalSize, series.TotalSize);

  std::vector<std::wstring> names, sizes;
  std::vector<int64_t> partSizes;
  for (const TSeriesPart& part : series.Parts) {
    names.push_back(part.Path);
    sizes.push_back(std::to_wstring(part.Size));
    partSizes.push_back(part.Size);
  }
  const TProgressLine progress(partSizes);
  // The copy path that the window takes for the same list.
  UnbufferedMode = ChooseUnbufferedMode(series.Parts[0].Size);
  const std::unique_ptr<TThread> worker = RunWorker(
      [&](TThread::TNotifyEvent done) {
        return std::make_unique<MergeThread>(output, names, sizes, series.TotalSize, std::move(done), record);
      },
      ShowsProgress(Request.Quiet) ? &progress : nullptr);
  const int64_t mismatch = static_cast<const MergeThread&>(*worker).RecordMismatch();
  std::wstring reason = L"a part could not be read, the output could not be written, or the joined file does not "
                        L"match the parts";
  if (mismatch >= 0 && mismatch < static_cast<int64_t>(names.size()))
    reason = Quoted(names[mismatch]) + L" is not the part that was split: its digest differs from the record";
  else if (mismatch >= 0)
    reason = L"the joined file differs from the record's whole-file line";
  const int status = JobOutcome(*worker, L"join", reason);
  if (status == ExitOk) console::Out(output + L"\n");
  return status;
}

// Every part the record names is read and compared; parts after the last it
// names are extra. The joined file is compared too where it lies beside the
// parts.
int RunVerify(const TVerifyRequest& Request) {
  const TSeries series = SeriesOf(Request.Part, Request.Naming);
  const TRecord& record = RecordToVerify(series);
  bool allOk = true;
  std::wstring report;
  const int64_t named = static_cast<int64_t>(record.PartDigests.size());
  for (int64_t i = 0;; ++i) {
    const std::wstring part = SeriesPartName(series.Base, i, Request.Naming);
    const bool present = platform::Inspect(part).Kind == platform::PathKind::File;
    if (i >= named && !present) break;
    const std::wstring state = i >= named ? L"extra" : present ? Compared(part, record.PartDigests[i]) : L"missing";
    allOk = allOk && state == L"ok";
    report += VerifyLine(state, part);
  }
  std::wstring whole = L"not checked";
  if (platform::Inspect(series.Base).Kind == platform::PathKind::File) {
    whole = Compared(series.Base, record.WholeDigest);
    allOk = allOk && whole == L"ok";
  }
  console::Out(report + VerifyLine(whole, series.Base + L" (whole file)"));
  return allOk ? ExitOk : ExitFailed;
}
