#include "Split_thread.h"

#include <algorithm>
#include <stdexcept>

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
  TCopyResult result = crFailed;  // also for an empty block, which would never end a part
  if (FBlockSize > 0) result = UnbufferedMode == 1 ? SplitUnbuffered() : SplitBuffered();
  if (result == crDone && !VerifyParts(FSource, FPartList)) result = crFailed;
  if (result != crDone) {
    WorkerState.exchange(result == crCancelled ? wsCancelled : wsFailed);
    return;
  }
  // Writing the script throws on an I/O error: the thread keeps the error,
  // the lock is left, and the job never reports success.
  {
    std::lock_guard<std::mutex> lock(ProgressLock);
    WriteRejoinScript(FSource, FOutputBase, FPartList);
    TotalPercent = 100;
  }
  WorkerState.exchange(wsSucceeded);
}

std::wstring Splitthread::StartPart(int Index) {
  std::wstring name = PartFileName(FOutputBase, Index);
  FPartList.push_back(name);
  CurrentPart.exchange(Index + 1);
  return name;
}

TCopyResult Splitthread::SplitUnbuffered() {
  platform::AlignedBuffer buffer(UnbufferedChunk);
  for (int index = 0; FDone < FSourceSize; ++index) {
    const std::wstring name = StartPart(index);
    File source(FSource, Access::Read, Share::Read, Creation::OpenExisting, Caching::Unbuffered);
    if (!source.IsOpen()) return crFailed;
    const int64_t partSize = std::min(FBlockSize, FSourceSize - FDone);
    // The part gets its final length before the first write.
    if (!File(name, Access::ReadWrite, Share::Write, Creation::CreateAlways, Caching::Unbuffered).Extend(partSize))
      return crFailed;
    File part(name, Access::ReadWrite, Share::Write, Creation::OpenExisting, Caching::Unbuffered);
    if (!part.IsOpen()) return crFailed;
    const TCopyResult result = CopyPartUnbuffered(source, part, name, partSize, buffer.Data());
    if (result != crDone) return result;
  }
  return crDone;
}

// Moves whole multiples of 4,096 bytes at offsets that are multiples of
// 4,096; the remainder of a part that is not such a multiple goes through
// cached handles.
TCopyResult Splitthread::CopyPartUnbuffered(File& Source, File& Part, const std::wstring& PartName, int64_t PartSize,
                                            std::byte* Buffer) {
  int64_t written = 0;
  while (written < PartSize) {
    WaitWhilePaused();
    if (CancelRequested()) {
      Part.Close();
      platform::RemoveFile(PartName);
      return crCancelled;
    }
    const int64_t rest = PartSize - written;
    if (rest < UnbufferedChunk && rest % AlignmentUnit != 0) {
      Source.Close();
      Part.Close();
      return CopyTailBuffered(PartName, written, PartSize, Buffer) ? crDone : crFailed;
    }
    const int64_t count = Source.ReadAt(FDone, Buffer, std::min(rest, UnbufferedChunk));
    if (count <= 0) return crFailed;
    if (Part.WriteAt(written, Buffer, count) != count || !Part.Flush()) return crFailed;
    written += count;
    FDone += count;
    ReportProgress(written, PartSize, FDone, FSourceSize);
  }
  return crDone;
}

bool Splitthread::CopyTailBuffered(const std::wstring& PartName, int64_t Written, int64_t PartSize,
                                   std::byte* Buffer) {
  if (!CopyCached(FSource, FDone, PartName, Written, PartSize - Written, Buffer)) return false;
  FDone += PartSize - Written;
  ReportProgress(PartSize, PartSize, FDone, FSourceSize);
  return true;
}

TCopyResult Splitthread::SplitBuffered() {
  File source(FSource, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  if (!source.IsOpen()) return crFailed;
  platform::AlignedBuffer buffer(BufferedChunk);
  for (int index = 0; FDone < FSourceSize; ++index) {
    const std::wstring name = StartPart(index);
    File part(name, Access::Write, Share::Write, Creation::CreateAlways, Caching::Normal);
    if (!part.IsOpen()) return crFailed;
    const TCopyResult result = CopyPartBuffered(source, part, std::min(FBlockSize, FSourceSize - FDone), buffer.Data());
    if (result != crDone) return result;
  }
  return crDone;
}

// Reads the source sequentially; each part continues where the last stopped.
TCopyResult Splitthread::CopyPartBuffered(File& Source, File& Part, int64_t PartSize, std::byte* Buffer) {
  {
    std::lock_guard<std::mutex> lock(ProgressLock);
    PartPercent = 0;
  }
  int64_t written = 0;
  while (written < PartSize) {
    WaitWhilePaused();
    if (CancelRequested()) return crCancelled;
    const int64_t count = Source.Read(Buffer, std::min(BufferedChunk, PartSize - written));
    if (count <= 0) return crFailed;
    // A write that moves fewer bytes than asked is a failure: the next chunk
    // would otherwise continue behind a hole in the data.
    if (Part.Write(Buffer, count) != count) return crFailed;
    written += count;
    FDone += count;
    ReportProgress(written, PartSize, FDone, FSourceSize);
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
  const auto size = static_cast<int64_t>(bytes.size());
  File file(OutputBase + L".bat", Access::Write, Share::Read, Creation::CreateAlways, Caching::Normal);
  if (!file.IsOpen() || file.Write(bytes.data(), size) != size)
    throw std::runtime_error("I/O error while writing the rejoin script");
}

void SetPartCheckNotice(std::function<void(const std::wstring& PartPath)> Notice) {
  PartCheckNotice = std::move(Notice);
}
