#include "Split_thread.h"

#include <algorithm>

#include "Digests.h"
#include "Record.h"
#include "RejoinScript.h"
#include "global.h"
#include "platform/Platform.h"

using platform::Access;
using platform::Caching;
using platform::Creation;
using platform::File;
using platform::Share;

namespace {

std::function<void(const std::wstring&)> PartCheckNotice;

void ShowPartCheckNotice(const std::wstring& partPath) {
  if (PartCheckNotice) PartCheckNotice(partPath);
}

}  // namespace

Splitthread::Splitthread(std::wstring Source, std::wstring OutputBase, int64_t SourceSize, int64_t BlockSize,
                         TNotifyEvent OnTerminate)
    : TThread(std::move(OnTerminate)),
      FSource(std::move(Source)),
      FOutputBase(std::move(OutputBase)),
      FBlockSize(BlockSize),
      FSourceSize(SourceSize) {
  Start();
}

Splitthread::~Splitthread() { WaitFor(); }

void Splitthread::Execute() {
  WorkerState.exchange(wsRunning);
  // An empty source or block gives no part, and a part whose path cannot be
  // opened, or that the script cannot name, would be missing from its join.
  TCopyResult result = crFailed;
  TDigests digests(UnbufferedMode == 1);
  FDigests = &digests;
  if (FSourceSize > 0 && FBlockSize > 0 && PartPathsFit(FOutputBase, FSourceSize, FBlockSize) &&
      CanWriteRejoinScript(FSource, FOutputBase))
    result = UnbufferedMode == 1 ? SplitUnbuffered() : SplitBuffered();
  if (result == crDone && (!SourceSizeUnchanged() || !VerifyParts(FSource, FPartList))) result = crFailed;
  const TJobDigests sums = digests.Finish();
  if (result == crDone && !sums.Computed) result = crFailed;
  if (result == crDone) {
    // Whoever holds the lock sees the script, the record and the 100
    // together, or none of them.
    std::lock_guard<std::mutex> lock(ProgressLock);
    if (WriteRejoinScript(FSource, FOutputBase, FPartList) &&
        WriteRecord(FOutputBase, FPartList, sums.Parts, sums.Whole))
      TotalPercent = 100;
    else
      result = crFailed;
  }
  WorkerState.exchange(result == crDone ? wsSucceeded : result == crCancelled ? wsCancelled : wsFailed);
}

// The parts hold the size measured at the start: a source that has grown or
// shrunk since is not what they make up.
bool Splitthread::SourceSizeUnchanged() const {
  return File(FSource, Access::Read, Share::ReadWrite, Creation::OpenExisting, Caching::Normal).Size() == FSourceSize;
}

// An older script beside the parts would join parts that the split replaces:
// it goes before the first part, and what holds its name and cannot be
// removed keeps the split from making any.
bool Splitthread::ClearScriptPlace() const { return ClearRejoinScripts(FOutputBase); }

// The last part has the longest path of the split (the script's ends in the
// shorter ".bat").
bool PartPathsFit(const std::wstring& OutputBase, int64_t SourceSize, int64_t BlockSize) {
  return PartFileName(OutputBase, (SourceSize - 1) / BlockSize).size() < MaxPathLength;
}

std::wstring Splitthread::StartPart(int Index) {
  std::wstring name = PartFileName(FOutputBase, Index);
  FPartList.push_back(name);
  CurrentPart.exchange(Index + 1);
  return name;
}

// The next PartSize bytes of the source make the part.
TPartCopy Splitthread::PartCopy(File& Source, File& Part, const std::wstring& PartName, int64_t PartSize) {
  return {.From = Source,
          .FromPath = FSource,
          .FromStart = FDone,
          .To = Part,
          .ToPath = PartName,
          .ToStart = 0,
          .Size = PartSize,
          .JobDone = FDone,
          .JobSize = FSourceSize,
          .Digests = FDigests};
}

TCopyResult Splitthread::SplitUnbuffered() {
  for (int index = 0; FDone < FSourceSize; ++index) {
    const std::wstring name = StartPart(index);
    File source(FSource, Access::Read, Share::Read, Creation::OpenExisting, Caching::Unbuffered);
    if (!source.IsOpen() || (index == 0 && !ClearScriptPlace())) return crFailed;
    const int64_t partSize = std::min(FBlockSize, FSourceSize - FDone);
    // The part gets its final length before the first write.
    if (!File(name, Access::ReadWrite, Share::Write, Creation::CreateAlways, Caching::Unbuffered).Extend(partSize))
      return crFailed;
    File part(name, Access::ReadWrite, Share::Write, Creation::OpenExisting, Caching::Unbuffered);
    TPartCopy copy = PartCopy(source, part, name, partSize);
    const TCopyResult result = part.IsOpen() ? CopyPart(copy, true, nullptr) : crFailed;
    part.Close();
    if (result == crCancelled) platform::RemoveFile(name);
    // A failed part keeps the bytes written, not zeros up to its full length.
    if (result == crFailed)
      File(name, Access::Write, Share::Write, Creation::OpenExisting, Caching::Normal).Truncate(copy.Done);
    if (result != crDone) return result;
    FDigests->EndPart();
  }
  return crDone;
}

// Each part continues in the source where the last one stopped.
TCopyResult Splitthread::SplitBuffered() {
  File source(FSource, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  if (!source.IsOpen() || !ClearScriptPlace()) return crFailed;
  for (int index = 0; FDone < FSourceSize; ++index) {
    const std::wstring name = StartPart(index);
    File part(name, Access::Write, Share::Write, Creation::CreateAlways, Caching::Normal);
    if (!part.IsOpen()) return crFailed;
    {
      std::lock_guard<std::mutex> lock(ProgressLock);
      PartPercent = 0;
    }
    TPartCopy copy = PartCopy(source, part, name, std::min(FBlockSize, FSourceSize - FDone));
    const TCopyResult result = CopyPart(copy, false, nullptr);
    if (result != crDone) return result;
    FDigests->EndPart();
  }
  return crDone;
}

bool VerifyParts(const std::wstring& Source, const std::vector<std::wstring>& PartList) {
  const TPartCheck check = CheckParts(Source, PartList);
  // A first part that differs is not named; a part that cannot be opened is.
  if (!check.Matches && check.Part < PartList.size() && (!check.Opened || check.Part > 0))
    ShowPartCheckNotice(PartList[check.Part]);
  return check.Matches;
}

void SetPartCheckNotice(std::function<void(const std::wstring& PartPath)> Notice) {
  PartCheckNotice = std::move(Notice);
}
