#include "Merge_thread.h"

#include <algorithm>
#include <cwchar>

#include "global.h"
#include "platform/Platform.h"

using platform::Access;
using platform::Caching;
using platform::Creation;
using platform::File;
using platform::Share;

MergeThread::MergeThread(std::wstring Output, std::vector<std::wstring> Names, std::vector<std::wstring> Sizes,
                         int64_t TotalSize, TNotifyEvent OnTerminate)
    : TThread(std::move(OnTerminate)),
      FOutput(std::move(Output)),
      FNames(std::move(Names)),
      FSizes(std::move(Sizes)),
      FTotalSize(TotalSize) {
  Start();
}

MergeThread::~MergeThread() { WaitFor(); }

void MergeThread::Execute() {
  // WorkerState becomes wsRunning at the first chunk.
  const bool unbuffered = UnbufferedMode == 1;
  TCopyResult result = unbuffered ? MergeUnbuffered() : MergeBuffered();
  // A cancelled unbuffered merge leaves no output behind.
  if (result == crCancelled && unbuffered) platform::RemoveFile(FOutput);
  if (result == crDone && !VerifyMerge(FOutput, FNames)) result = crFailed;
  if (result == crDone) {
    std::lock_guard<std::mutex> lock(ProgressLock);
    TotalPercent = 100;
  }
  WorkerState.exchange(result == crDone ? wsSucceeded : result == crCancelled ? wsCancelled : wsFailed);
}

// The listed size of a part; -1 when the text is not a whole number of bytes.
int64_t MergeThread::PartSize(std::size_t Index) const {
  const std::wstring& text = Index < FSizes.size() ? FSizes[Index] : std::wstring();
  if (text.empty()) return -1;
  wchar_t* end = nullptr;
  const long long size = std::wcstoll(text.c_str(), &end, 10);
  return *end == L'\0' && size >= 0 ? size : -1;
}

TCopyResult MergeThread::MergeUnbuffered() {
  File output(FOutput, Access::ReadWrite, Share::Write, Creation::CreateAlways, Caching::Unbuffered);
  if (!output.IsOpen()) return crFailed;
  platform::AlignedBuffer buffer(UnbufferedChunk);
  for (std::size_t index = 0; index < FNames.size(); ++index) {
    CurrentPart.exchange(static_cast<int32_t>(index + 1));
    File part(FNames[index], Access::Read, Share::Read, Creation::OpenExisting, Caching::Unbuffered);
    const int64_t size = PartSize(index);
    if (!part.IsOpen() || size < 0) return crFailed;
    int64_t done = 0;
    while (done < size) {
      WaitWhilePaused();
      if (CancelRequested()) return crCancelled;
      const int64_t rest = size - done;
      if (rest < UnbufferedChunk && rest % AlignmentUnit != 0) {
        part.Close();
        output.Close();
        if (!CopyMergeTail(index, done, size, buffer.Data())) return crFailed;
        return AppendRestCached(index + 1, buffer.Data());
      }
      const int64_t count = part.ReadAt(done, buffer.Data(), std::min(rest, UnbufferedChunk));
      if (count <= 0) return crFailed;
      if (output.WriteAt(FOutOffset, buffer.Data(), count) != count || !output.Flush()) return crFailed;
      done += count;
      FOutOffset += count;
      ReportProgress(done, size, FOutOffset, FTotalSize);
    }
  }
  return crDone;
}

bool MergeThread::CopyMergeTail(std::size_t Index, int64_t Done, int64_t Size, std::byte* Buffer) {
  if (!CopyCached(FNames[Index], Done, FOutput, FOutOffset, Size - Done, Buffer)) return false;
  FOutOffset += Size - Done;
  ReportProgress(Size, Size, FOutOffset, FTotalSize);
  return true;
}

// After a part whose size is not a multiple of 4,096 the output no longer
// ends on the alignment unit, so the parts after it are appended through
// cached handles.
TCopyResult MergeThread::AppendRestCached(std::size_t First, std::byte* Buffer) {
  if (First == FNames.size()) return crDone;
  File output(FOutput, Access::Write, Share::Write, Creation::OpenExisting, Caching::Normal);
  if (!output.Seek(FOutOffset)) return crFailed;
  return AppendPartsBuffered(output, First, Buffer);
}

TCopyResult MergeThread::MergeBuffered() {
  platform::AlignedBuffer buffer(BufferedChunk);
  File output(FOutput, Access::Write, Share::Write, Creation::CreateAlways, Caching::Normal);
  if (!output.IsOpen()) return crFailed;
  return AppendPartsBuffered(output, 0, buffer.Data());
}

// Reads each part sequentially in chunks of 409,600 bytes and appends them at
// the output's position. The pause and cancel checks come between a read and
// its write.
TCopyResult MergeThread::AppendPartsBuffered(File& Output, std::size_t First, std::byte* Buffer) {
  for (std::size_t index = First; index < FNames.size(); ++index) {
    CurrentPart.exchange(static_cast<int32_t>(index + 1));
    const int64_t size = PartSize(index);
    File part(FNames[index], Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
    if (!part.IsOpen() || size < 0) return crFailed;
    for (int64_t done = 0; done < size;) {
      const int64_t count = part.Read(Buffer, BufferedChunk);
      if (count <= 0) return crFailed;
      WaitWhilePaused();
      if (CancelRequested()) return crCancelled;
      if (Output.Write(Buffer, count) != count) return crFailed;
      done += count;
      FOutOffset += count;
      ReportProgress(done, size, FOutOffset, FTotalSize);
    }
  }
  return crDone;
}

bool VerifyMerge(const std::wstring& Output, const std::vector<std::wstring>& Names) {
  return CheckParts(Output, Names).Matches;
}
