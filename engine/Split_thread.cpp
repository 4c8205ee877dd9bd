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

Splitthread::Splitthread(std::wstring Source, std::wstring OutputBase, int64_t SourceSize, int64_t BlockSize,
                         TNotifyEvent OnTerminate)
    : TJobThread(std::move(OnTerminate)),
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
  if (FSourceSize <= 0 || FBlockSize <= 0)
    Fail(joCheck, FSource, 0);
  else if (!PartPathsFit(FOutputBase, FSourceSize, FBlockSize))
    Fail(joOpen, PartFileName(FOutputBase, (FSourceSize - 1) / FBlockSize), platform::NameTooLongError);
  else if (!CanWriteRejoinScript(FSource, FOutputBase))
    Fail(joScript, FOutputBase + L".bat", 0);
  else
    result = UnbufferedMode == 1 ? SplitUnbuffered() : SplitBuffered();
  if (result == crDone && !(SourceSizeUnchanged() && PartsMatchSource())) result = crFailed;
  const TJobDigests sums = digests.Finish();
  if (result == crDone && !sums.Computed) {
    Fail(joRecord, RecordPath(FOutputBase), 0);
    result = crFailed;
  }
  if (result == crDone) {
    // Whoever holds the lock sees the parts, the script, the record and the
    // 100 together, or none of them.
    std::lock_guard<std::mutex> lock(ProgressLock);
    if (NameParts() && WriteScriptAndRecord(sums))
      TotalPercent = 100;
    else
      result = crFailed;
  }
  // A split that did not end whole leaves nothing of itself.
  if (result != crDone) RemoveWhatWasMade();
  FOutcome.State = result == crDone ? wsSucceeded : result == crCancelled ? wsCancelled : wsFailed;
  WorkerState.exchange(FOutcome.State);
}

// The parts get their final names last-first, so that a split stopped
// among the renames leaves no series that begins at part 0.
bool Splitthread::NameParts() {
  for (std::size_t index = FPartList.size(); index-- > 0; ++FNamed)
    if (!platform::RenameFile(TemporaryName(FPartList[index]), FPartList[index]))
      return Fail(joWrite, FPartList[index]);
  return true;
}

bool Splitthread::WriteScriptAndRecord(const TJobDigests& Sums) {
  if (!WriteRejoinScript(FSource, FOutputBase, FPartList)) return Fail(joScript, FOutputBase + L".bat");
  FScriptWritten = true;
  return WriteRecord(FOutputBase, FPartList, Sums.Parts, Sums.Whole) || Fail(joRecord, RecordPath(FOutputBase));
}

// Every part begun, under its temporary or (renamed) final name, and the
// script; the record leaves no piece of itself when it fails.
void Splitthread::RemoveWhatWasMade() {
  for (std::size_t index = 0; index < FPartList.size(); ++index) {
    platform::RemoveFile(TemporaryName(FPartList[index]));
    if (index >= FPartList.size() - FNamed) platform::RemoveFile(FPartList[index]);
  }
  if (FScriptWritten)
    for (const std::wstring& script : RejoinScriptPaths(FOutputBase)) platform::RemoveFile(script);
}

// The parts hold the size measured at the start: a source that has grown or
// shrunk since is not what they make up.
bool Splitthread::SourceSizeUnchanged() {
  if (File(FSource, Access::Read, Share::ReadWrite, Creation::OpenExisting, Caching::Normal).Size() == FSourceSize)
    return true;
  return Fail(joCheck, FSource, 0);
}

// The ends of every part match the source at the part's place.
bool Splitthread::PartsMatchSource() {
  std::vector<std::wstring> written;
  for (const std::wstring& part : FPartList) written.push_back(TemporaryName(part));
  const TPartCheck check = VerifyParts(FSource, written);
  if (check.Matches) return true;
  const bool part = check.Part < written.size();
  return Fail(joCheck, part ? written[check.Part] : FSource, check.Opened ? 0 : LastSystemError,
              static_cast<int64_t>(check.Part));
}

// An older script beside the parts would join parts that the split replaces:
// it goes before the first part, and what holds its name and cannot be
// removed keeps the split from making any.
bool Splitthread::ClearScriptPlace() { return ClearRejoinScripts(FOutputBase) || Fail(joScript, FOutputBase + L".bat"); }

// The last part, under the temporary name it is written as, has the longest
// path of the split (the script's ends in the shorter ".bat").
bool PartPathsFit(const std::wstring& OutputBase, int64_t SourceSize, int64_t BlockSize) {
  return TemporaryName(PartFileName(OutputBase, (SourceSize - 1) / BlockSize)).size() < MaxPathLength;
}

// The part is written under its temporary name, which this answers.
std::wstring Splitthread::StartPart(int Index) {
  FPartList.push_back(PartFileName(FOutputBase, Index));
  CurrentPart.exchange(Index + 1);
  return TemporaryName(FPartList.back());
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
          .Digests = FDigests,
          .Outcome = &FOutcome};
}

TCopyResult Splitthread::SplitUnbuffered() {
  for (int index = 0; FDone < FSourceSize; ++index) {
    const std::wstring name = StartPart(index);
    File source(FSource, Access::Read, Share::Read, Creation::OpenExisting, Caching::Unbuffered);
    if (!source.IsOpen()) {
      Fail(joOpen, FSource);
      return crFailed;
    }
    if (index == 0 && !ClearScriptPlace()) return crFailed;
    const int64_t partSize = std::min(FBlockSize, FSourceSize - FDone);
    if (!Presize(name, partSize)) return crFailed;
    File part(name, Access::ReadWrite, Share::Write, Creation::OpenExisting, Caching::Unbuffered);
    if (!part.IsOpen()) {
      Fail(joOpen, name);
      return crFailed;
    }
    TPartCopy copy = PartCopy(source, part, name, partSize);
    const TCopyResult result = CopyPart(copy, true, nullptr);
    if (result != crDone) return result;
    FDigests->EndPart();
  }
  return crDone;
}

// The part gets its final length before the first write.
bool Splitthread::Presize(const std::wstring& Name, int64_t Size) {
  File part(Name, Access::ReadWrite, Share::Write, Creation::CreateAlways, Caching::Unbuffered);
  if (!part.IsOpen()) return Fail(joOpen, Name);
  return part.Extend(Size) || Fail(joPresize, Name);
}

// Each part continues in the source where the last one stopped.
TCopyResult Splitthread::SplitBuffered() {
  File source(FSource, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  if (!source.IsOpen()) {
      Fail(joOpen, FSource);
      return crFailed;
    }
  if (!ClearScriptPlace()) return crFailed;
  for (int index = 0; FDone < FSourceSize; ++index) {
    const std::wstring name = StartPart(index);
    File part(name, Access::Write, Share::Write, Creation::CreateAlways, Caching::Normal);
    if (!part.IsOpen()) {
      Fail(joOpen, name);
      return crFailed;
    }
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

TPartCheck VerifyParts(const std::wstring& Source, const std::vector<std::wstring>& PartList) {
  return CheckParts(Source, PartList);
}

