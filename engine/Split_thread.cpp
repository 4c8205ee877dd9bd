#include "Split_thread.h"

#include <algorithm>
#include <stdexcept>

#include "Digests.h"
#include "Record.h"
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

// The command interpreter cuts lines at 8,191 characters; longer scripts are
// written as several lines that stay below this.
constexpr std::size_t ScriptLineLimit = 8000;

// Between double quotes, with every "%" doubled so that the command
// interpreter reads it literally instead of expanding a variable.
std::wstring ScriptArgument(const std::wstring& text) {
  std::wstring quoted = L"\"";
  for (wchar_t c : text) {
    quoted += c;
    if (c == L'%') quoted += L'%';
  }
  return quoted + L'"';
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
  // opened would be missing from the script's join.
  TCopyResult result = crFailed;
  TDigests digests(UnbufferedMode == 1);
  FDigests = &digests;
  if (FSourceSize > 0 && FBlockSize > 0 && PartPathsFit(FOutputBase, FSourceSize, FBlockSize))
    result = UnbufferedMode == 1 ? SplitUnbuffered() : SplitBuffered();
  if (result == crDone && !VerifyParts(FSource, FPartList)) result = crFailed;
  const TJobDigests sums = digests.Finish();
  if (!sums.Computed) result = crFailed;
  if (result != crDone) {
    WorkerState.exchange(result == crCancelled ? wsCancelled : wsFailed);
    return;
  }
  // Writing the script throws on an I/O error: the thread keeps the error,
  // the lock is left, and the job never reports success.
  {
    std::lock_guard<std::mutex> lock(ProgressLock);
    WriteRejoinScript(FSource, FOutputBase, FPartList);
    WriteRecord(FOutputBase, FPartList, sums.Parts, sums.Whole);
    TotalPercent = 100;
  }
  WorkerState.exchange(wsSucceeded);
}

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
    if (!source.IsOpen()) return crFailed;
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
  if (!source.IsOpen()) return crFailed;
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

void WriteRejoinScript(const std::wstring& SourcePath, const std::wstring& OutputBase,
                       const std::vector<std::wstring>& PartList) {
  const std::wstring command = L"copy/b ";
  const std::wstring destination = ScriptArgument(platform::ExtractFileName(SourcePath));
  std::wstring script;
  std::wstring sources;  // the "+"-joined sources of the line in hand
  for (const std::wstring& partPath : PartList) {
    const std::wstring part = ScriptArgument(partPath);
    if (!sources.empty() &&
        command.size() + sources.size() + 1 + part.size() + 1 + destination.size() > ScriptLineLimit) {
      script += command + sources + L' ' + destination + L"\r\n";
      sources = destination;  // every further line appends to the destination
    }
    if (!sources.empty()) sources += L'+';
    sources += part;
  }
  script += command + sources + L' ' + destination + L"\r\n";

  const std::string bytes = platform::ToScriptEncoding(script);
  const std::wstring path = OutputBase + L".bat";
  const std::runtime_error error("I/O error while writing the rejoin script");
  File file(path, Access::Write, Share::Read, Creation::CreateAlways, Caching::Normal);
  if (!file.IsOpen()) throw error;
  if (!file.WriteFullyAt(0, bytes.data(), static_cast<int64_t>(bytes.size()))) {
    // A cut-off script would join only some of the parts: none stays.
    file.Close();
    platform::RemoveFile(path);
    throw error;
  }
}

void SetPartCheckNotice(std::function<void(const std::wstring& PartPath)> Notice) {
  PartCheckNotice = std::move(Notice);
}
