#include "My_Global.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <thread>

#include "Digests.h"
#include "global.h"
#include "platform/Platform.h"

int32_t PartPercent = 0;
int32_t TotalPercent = 0;
std::mutex ProgressLock;
int64_t JobBytesDone = 0;
int64_t JobBytesTotal = 0;

std::atomic<int32_t> CurrentPart{0};
std::atomic<int32_t> CancelRequest{0};
std::atomic<int32_t> PauseRequest{0};
std::atomic<int32_t> WorkerState{wsIdle};

uint8_t JobFinished = 0;
uint8_t SplitJob = 0;
uint8_t MergeJob = 0;
uint8_t UnbufferedMode = 0;

void InitProgressLock() {}

void ResetJobState() {
  {
    std::lock_guard<std::mutex> lock(ProgressLock);
    PartPercent = 0;
    TotalPercent = 0;
    JobBytesDone = 0;
    JobBytesTotal = 0;
  }
  CancelRequest.exchange(0);
  CurrentPart.exchange(0);
  PauseRequest.exchange(0);
  WorkerState.exchange(wsIdle);
}

int64_t BlockSizeForCount(int64_t SourceSize, int Count) {
  if (Count <= 0) return 0;
  const int64_t block = SourceSize / Count + (SourceSize % Count != 0 ? 1 : 0);
  return RoundUpTo4K(block);
}

int64_t BlockSizeForUnit(int64_t Value, const std::wstring& Unit) {
  const int64_t factor = Unit == L"MB" ? 1048576 : Unit == L"KB" ? 1024 : 1;
  constexpr int64_t largest = std::numeric_limits<int64_t>::max();
  if (Value > largest / factor) return largest;
  if (Value < -largest / factor) return -largest;
  return Value * factor;
}

uint8_t ChooseUnbufferedMode(int64_t BlockSize) {
  return BlockSize >= UnbufferedThreshold && BlockSize % AlignmentUnit == 0 ? 1 : 0;
}

void WaitWhilePaused() {
  while (PauseRequest.load() == 1) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    WorkerState.exchange(wsPaused);
  }
  WorkerState.exchange(wsRunning);
}

bool CancelRequested() {
  if (CancelRequest.load() != 1) return false;
  WorkerState.exchange(wsCancelled);
  return true;
}

void ReportProgress(int64_t Done, int64_t PartSize, int64_t TotalDone, int64_t TotalSize) {
  std::lock_guard<std::mutex> lock(ProgressLock);
  PartPercent = PartSize > 0 ? static_cast<int32_t>(std::min<int64_t>(100, Done * 100 / PartSize)) : 100;
  TotalPercent = TotalDone >= TotalSize ? 99 : static_cast<int32_t>(TotalDone * 100 / TotalSize);
  JobBytesDone = TotalDone;
  JobBytesTotal = TotalSize;
}

namespace {

// Records in the copy's outcome that Operation failed on Path.
bool Failed(TPartCopy& Copy, TJobOperation Operation, const std::wstring& Path) {
  TJobOutcome ignored;
  return NoteFailure(Copy.Outcome ? *Copy.Outcome : ignored, Operation, Path);
}

// Copies the next Count bytes of a part through its open handles, From and
// To, or through new cached handles when Cached.
bool CopyChunk(TPartCopy& Copy, int64_t Count, bool Flush, bool Cached, std::byte* Buffer) {
  using namespace platform;
  File cachedFrom, cachedTo;
  if (Cached) {
    cachedFrom = File(Copy.FromPath, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
    if (!cachedFrom.IsOpen()) return Failed(Copy, joOpen, Copy.FromPath);
    cachedTo = File(Copy.ToPath, Access::Write, Share::Write, Creation::OpenExisting, Caching::Normal);
    if (!cachedTo.IsOpen()) return Failed(Copy, joOpen, Copy.ToPath);
  }
  File& from = Cached ? cachedFrom : Copy.From;
  File& to = Cached ? cachedTo : Copy.To;
  if (!from.ReadFullyAt(Copy.FromStart + Copy.Done, Buffer, Count)) return Failed(Copy, joRead, Copy.FromPath);
  if (!to.WriteFullyAt(Copy.ToStart + Copy.Done, Buffer, Count)) return Failed(Copy, joWrite, Copy.ToPath);
  if (Flush && !to.Flush()) return Failed(Copy, joFlush, Copy.ToPath);
  return true;
}

bool EndsMatch(platform::File& Part, int64_t Size, platform::File& Whole, int64_t Offset) {
  const int64_t count = std::min<int64_t>(4, Size);
  if (count <= 0) return true;
  for (const int64_t at : {int64_t{0}, Size - count}) {
    unsigned char partBytes[4], wholeBytes[4];
    if (!Part.ReadFullyAt(at, partBytes, count) || !Whole.ReadFullyAt(Offset + at, wholeBytes, count) ||
        std::memcmp(partBytes, wholeBytes, static_cast<std::size_t>(count)) != 0)
      return false;
  }
  return true;
}

}  // namespace

TCopyResult CopyPart(TPartCopy& Copy, bool Unbuffered, std::byte* Buffer) {
  while (Copy.Done < Copy.Size) {
    WaitWhilePaused();
    if (CancelRequested()) return crCancelled;
    const int64_t rest = Copy.Size - Copy.Done;
    const bool tail = Unbuffered && rest < UnbufferedChunk && rest % AlignmentUnit != 0;
    const int64_t count = tail ? rest : std::min(rest, Unbuffered ? UnbufferedChunk : BufferedChunk);
    if (tail) {
      Copy.From.Close();
      Copy.To.Close();
    }
    std::byte* buffer = Copy.Digests ? Copy.Digests->Take() : Buffer;
    const bool moved = CopyChunk(Copy, count, Unbuffered && !tail, tail, buffer);
    if (Copy.Digests) Copy.Digests->Hand(buffer, moved ? count : 0);
    if (!moved) return crFailed;
    Copy.Done += count;
    Copy.JobDone += count;
    ReportProgress(Copy.Done, Copy.Size, Copy.JobDone, Copy.JobSize);
  }
  return crDone;
}

TPartCheck CheckParts(const std::wstring& Whole, const std::vector<std::wstring>& Parts) {
  using namespace platform;
  File whole(Whole, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  if (!whole.IsOpen()) return {false, Parts.size(), false};
  int64_t offset = 0;
  for (std::size_t index = 0; index < Parts.size(); ++index) {
    File part(Parts[index], Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
    if (!part.IsOpen()) return {false, index, false};
    const int64_t size = FileSizeOf(Parts[index]);
    if (!EndsMatch(part, size, whole, offset)) return {false, index, true};
    offset += size;
  }
  return {true, Parts.size(), true};
}
