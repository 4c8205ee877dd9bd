#include "Merge_thread.h"

#include <algorithm>
#include <cwchar>
#include <optional>

#include "Digests.h"
#include "global.h"
#include "platform/Platform.h"

using platform::Access;
using platform::Caching;
using platform::Creation;
using platform::File;
using platform::Share;

MergeThread::MergeThread(std::wstring Output, std::vector<std::wstring> Names, std::vector<std::wstring> Sizes,
                         int64_t TotalSize, TNotifyEvent OnTerminate, TRecord Record)
    : TJobThread(std::move(OnTerminate)),
      FOutput(std::move(Output)),
      FNames(std::move(Names)),
      FSizes(std::move(Sizes)),
      FTotalSize(TotalSize),
      FRecord(std::move(Record)) {
  Start();
}

MergeThread::~MergeThread() { WaitFor(); }

void MergeThread::Execute() {
  // WorkerState becomes wsRunning at the first chunk.
  const bool unbuffered = UnbufferedMode == 1;
  std::optional<TDigests> digests;
  if (FRecord.State == rsValid) FDigests = &digests.emplace(unbuffered);
  TCopyResult result = OutputIsAPart() ? crFailed : MergeParts(unbuffered);
  if (result == crDone && FDigests && !DigestsMatch()) result = crFailed;
  if (result == crDone && !OutputMatchesParts()) result = crFailed;
  // The output gets its name only when it has passed every check; what
  // stood under that name before stays until the rename replaces it.
  if (result == crDone && !NameOutput()) result = crFailed;
  if (result != crDone) platform::RemoveFile(Written());
  if (result == crDone) {
    std::lock_guard<std::mutex> lock(ProgressLock);
    TotalPercent = 100;
  }
  FOutcome.State = result == crDone ? wsSucceeded : result == crCancelled ? wsCancelled : wsFailed;
  WorkerState.exchange(FOutcome.State);
}

bool MergeThread::NameOutput() { return platform::RenameFile(Written(), FOutput) || Fail(joWrite, FOutput); }

// Every part and the output have the digests of the record.
bool MergeThread::DigestsMatch() {
  const TJobDigests sums = FDigests->Finish();
  // The system could not hash: the record cannot be checked.
  if (!sums.Computed) return Fail(joRecord, FOutput, 0);
  const int64_t mismatch = FirstMismatch(sums);
  if (mismatch < 0) return true;
  const bool part = mismatch < static_cast<int64_t>(FNames.size());
  return Fail(joCheck, part ? FNames[mismatch] : FOutput, 0, mismatch);
}

// An output short of the total lacks parts that were left out of the list.
bool MergeThread::OutputMatchesParts() {
  if (FOutOffset != FTotalSize) return Fail(joCheck, FOutput, 0);
  const TPartCheck check = VerifyMerge(Written(), FNames);
  if (check.Matches) return true;
  const bool part = check.Part < FNames.size();
  return Fail(joCheck, part ? FNames[check.Part] : FOutput, check.Opened ? 0 : LastSystemError);
}

// Making the output replaces what is there: an output that is one of the
// parts, under whatever name, would destroy it.
bool MergeThread::OutputIsAPart() {
  const auto output = platform::IdentityOf(FOutput);
  const bool isPart = output && std::any_of(FNames.begin(), FNames.end(), [&](const std::wstring& name) {
                        return platform::IdentityOf(name) == output;
                      });
  return isPart && !Fail(joCheck, FOutput, 0);
}

// The listed size of a part; -1 when the text is not a whole number of bytes.
int64_t MergeThread::PartSize(std::size_t Index) const {
  const std::wstring& text = Index < FSizes.size() ? FSizes[Index] : std::wstring();
  if (text.empty()) return -1;
  wchar_t* end = nullptr;
  const long long size = std::wcstoll(text.c_str(), &end, 10);
  return *end == L'\0' && size >= 0 ? size : -1;
}

// Appends the listed bytes of each part in list order.
TCopyResult MergeThread::MergeParts(bool Unbuffered) {
  platform::AlignedBuffer buffer(Unbuffered ? UnbufferedChunk : BufferedChunk);
  File output(Written(), Unbuffered ? Access::ReadWrite : Access::Write, Share::Write, Creation::CreateAlways,
              Unbuffered ? Caching::Unbuffered : Caching::Normal);
  if (!output.IsOpen()) {
    Fail(joOpen, Written());
    return crFailed;
  }
  for (std::size_t index = 0; index < FNames.size(); ++index) {
    CurrentPart.exchange(static_cast<int32_t>(index + 1));
    // After a part whose end went through cached handles the output no longer
    // ends on the alignment unit: the parts after it follow through cached
    // handles too.
    if (!output.IsOpen()) {
      Unbuffered = false;
      output = File(Written(), Access::Write, Share::Write, Creation::OpenExisting, Caching::Normal);
      if (!output.IsOpen()) {
        Fail(joOpen, Written());
        return crFailed;
      }
    }
    File part(FNames[index], Access::Read, Share::Read, Creation::OpenExisting,
              Unbuffered ? Caching::Unbuffered : Caching::Normal);
    const int64_t size = PartSize(index);
    if (!part.IsOpen() || size < 0) {
      Fail(part.IsOpen() ? joCheck : joOpen, FNames[index], part.IsOpen() ? 0 : LastSystemError);
      return crFailed;
    }
    TPartCopy copy{.From = part,
                   .FromPath = FNames[index],
                   .FromStart = 0,
                   .To = output,
                   .ToPath = Written(),
                   .ToStart = FOutOffset,
                   .Size = size,
                   .JobDone = FOutOffset,
                   .JobSize = FTotalSize};
    copy.Digests = FDigests;
    copy.Outcome = &FOutcome;
    const TCopyResult result = CopyPart(copy, Unbuffered, buffer.Data());
    if (result != crDone) return result;
    if (FDigests) FDigests->EndPart();
  }
  return crDone;
}

int64_t MergeThread::FirstMismatch(const TJobDigests& Digests) const {
  for (std::size_t index = 0; index < FNames.size(); ++index)
    if (index >= FRecord.PartDigests.size() || Digests.Parts.at(index) != FRecord.PartDigests[index])
      return static_cast<int64_t>(index);
  // A record may lack the whole-file line; the parts then stand for it.
  const bool wholeMatches = FRecord.WholeDigest.empty() || Digests.Whole == FRecord.WholeDigest;
  return wholeMatches ? -1 : static_cast<int64_t>(FNames.size());
}

TPartCheck VerifyMerge(const std::wstring& Output, const std::vector<std::wstring>& Names) {
  return CheckParts(Output, Names);
}
