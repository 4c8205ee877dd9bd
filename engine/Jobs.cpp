#include "Jobs.h"

#include <algorithm>
#include <mutex>

#include "platform/Platform.h"
#include "platform/Sha256.h"

int64_t TSplitPlan::PartSize(int64_t Index) const {
  return Index < PartCount - 1 ? BlockSize : SourceSize - (PartCount - 1) * BlockSize;
}

bool TSplitPlan::Fits(TFileSystemKind Kind) const { return PartCount > 0 && PartSize(0) <= LargestFileOf(Kind); }

bool TSplitPlan::PathsFit() const {
  return !OutputBase.empty() && PartCount > 0 && PartPathsFit(OutputBase, SourceSize, BlockSize);
}

std::vector<std::wstring> TSplitPlan::PartPaths() const {
  std::vector<std::wstring> paths;
  for (int64_t i = 0; i < PartCount; ++i) paths.push_back(PartFileName(OutputBase, i));
  return paths;
}

TSplitPlan PlanSplitByCount(const std::wstring& Source, int64_t SourceSize, int64_t Count, const std::wstring& Folder) {
  const int count = static_cast<int>(std::clamp<int64_t>(Count, 0, MaxPartCount + 1));
  return PlanSplitBySize(Source, SourceSize, BlockSizeForCount(SourceSize, count), Folder);
}

TSplitPlan PlanSplitBySize(const std::wstring& Source, int64_t SourceSize, int64_t BlockSize,
                           const std::wstring& Folder) {
  TSplitPlan plan{.Source = Source, .SourceSize = SourceSize, .BlockSize = BlockSize};
  if (SourceSize > 0 && BlockSize > 0) plan.PartCount = SourceSize / BlockSize + (SourceSize % BlockSize != 0);
  plan.Unbuffered = ChooseUnbufferedMode(BlockSize) == 1;
  if (!Folder.empty()) plan.OutputBase = Folder + platform::ExtractFileName(Source);
  return plan;
}

TJoinPlan PlanJoin(const TSeries& Series, TSeriesNaming Naming, const std::wstring& Output) {
  TJoinPlan plan{.Naming = Naming,
                 .Base = Series.Base,
                 .Parts = Series.Parts,
                 .TotalSize = Series.TotalSize,
                 .Record = Series.Record,
                 .Output = Output};
  plan.Unbuffered = !plan.Parts.empty() && ChooseUnbufferedMode(plan.Parts[0].Size) == 1;
  return plan;
}

TJoinPlan PlanJoinOfPart(const std::wstring& Part, TSeriesNaming Naming, const std::wstring& Output) {
  return PlanJoin(ListSeries(Part, Naming), Naming, Output);
}

std::wstring TJoinPlan::PartName(int64_t Index) const { return SeriesPartName(Base, Index, Naming); }

bool TJoinPlan::Lists(const std::wstring& Path) const {
  const auto identity = platform::IdentityOf(Path);
  return identity && std::any_of(Parts.begin(), Parts.end(), [&](const TSeriesPart& part) {
           return platform::IdentityOf(part.Path) == identity;
         });
}

bool TJoinPlan::IsSeriesFile(const std::wstring& Path) const {
  const auto identity = platform::IdentityOf(Path);
  if (!identity) return false;
  for (const std::wstring& file : {RecordPath(Base), Base + L".bat", Base + L".sh"})
    if (platform::IdentityOf(file) == identity) return true;
  return Lists(Path);
}

namespace {

// The digest of the file at Path, read whole; empty when it cannot be read.
std::string FileDigest(const std::wstring& Path) {
  platform::File file(Path, platform::Access::Read, platform::Share::Read, platform::Creation::OpenExisting,
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

TVerdict Compared(const std::wstring& Path, const std::string& Digest) {
  if (platform::Inspect(Path).Kind != platform::PathKind::File) return vdMissing;
  const std::string found = FileDigest(Path);
  return found.empty() ? vdUnreadable : found == Digest ? vdOk : vdChanged;
}

}  // namespace

bool TSeriesVerdict::AllOk() const {
  return Whole.Verdict != vdChanged && Whole.Verdict != vdUnreadable &&
         std::all_of(Parts.begin(), Parts.end(), [](const TFileVerdict& part) { return part.Verdict == vdOk; });
}

TSeriesVerdict VerifySeries(const TJoinPlan& Plan) {
  TSeriesVerdict verdict;
  const auto& digests = Plan.Record.PartDigests;
  for (int64_t i = 0;; ++i) {
    const std::wstring part = Plan.PartName(i);
    const bool named = i < static_cast<int64_t>(digests.size());
    if (named)
      verdict.Parts.push_back({part, Compared(part, digests[i])});
    else if (platform::Inspect(part).Kind == platform::PathKind::File)
      verdict.Parts.push_back({part, vdExtra});
    else
      break;
  }
  verdict.Whole = {Plan.Base, vdNotChecked};
  if (!Plan.Record.WholeDigest.empty()) verdict.Whole.Verdict = Compared(Plan.Base, Plan.Record.WholeDigest);
  if (verdict.Whole.Verdict == vdMissing) verdict.Whole.Verdict = vdNotChecked;
  return verdict;
}

std::unique_ptr<Splitthread> StartSplit(const TSplitPlan& Plan, TThread::TNotifyEvent OnTerminate) {
  UnbufferedMode = Plan.Unbuffered ? 1 : 0;
  return std::make_unique<Splitthread>(Plan.Source, Plan.OutputBase, Plan.SourceSize, Plan.BlockSize,
                                       std::move(OnTerminate));
}

std::unique_ptr<MergeThread> StartJoin(const TJoinPlan& Plan, TThread::TNotifyEvent OnTerminate) {
  std::vector<std::wstring> names, sizes;
  for (const TSeriesPart& part : Plan.Parts) {
    names.push_back(part.Path);
    sizes.push_back(std::to_wstring(part.Size));
  }
  UnbufferedMode = Plan.Unbuffered ? 1 : 0;
  // Only a record that names exactly these parts is checked against.
  TRecord record = Plan.Record.State == rsValid ? Plan.Record : TRecord{};
  return std::make_unique<MergeThread>(Plan.Output, std::move(names), std::move(sizes), Plan.TotalSize,
                                       std::move(OnTerminate), std::move(record));
}

TJobProgress ReadProgress() {
  TJobProgress progress;
  {
    std::lock_guard<std::mutex> lock(ProgressLock);
    progress.PartPercent = PartPercent;
    progress.TotalPercent = TotalPercent;
    progress.BytesDone = JobBytesDone;
    progress.BytesTotal = JobBytesTotal;
  }
  progress.CurrentPart = CurrentPart.load();
  return progress;
}
