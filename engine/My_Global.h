// The shared job state through which the one running worker and the pages
// talk, the block plan, and the pause and cancel steps of both workers.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "Outcome.h"
#include "global.h"

namespace platform {
class File;
}
class TDigests;

enum TWorkerState : int32_t { wsIdle = 0, wsPaused = 1, wsCancelled = 2, wsRunning = 3, wsSucceeded = 4, wsFailed = 5 };
enum TCopyResult { crDone = 1, crCancelled = 2, crFailed = 3 };

// Progress of the part in hand and of the whole job, 0..100; read and written
// only while holding ProgressLock. TotalPercent stays at 99 at most until the
// job's last step sets 100.
extern int32_t PartPercent;
extern int32_t TotalPercent;
extern std::mutex ProgressLock;
// The same progress in bytes: of the whole job, done and in all. Read and
// written under ProgressLock too.
extern int64_t JobBytesDone;
extern int64_t JobBytesTotal;

extern std::atomic<int32_t> CurrentPart;    // 1-based number of the part in hand
extern std::atomic<int32_t> CancelRequest;  // 1 = stop
extern std::atomic<int32_t> PauseRequest;   // 1 = hold at the next chunk
extern std::atomic<int32_t> WorkerState;    // a TWorkerState

// Written and read by the main thread only.
extern uint8_t JobFinished;
extern uint8_t SplitJob;
extern uint8_t MergeJob;
// Copy path of the next worker, 1 unbuffered: written by the main thread
// before it starts a worker, read by that worker's Execute.
extern uint8_t UnbufferedMode;

// Puts the progress, the requests and the worker state back to idle before
// a job.
void ResetJobState();

// The main window calls this at its first show, before any job can start.
// The lock is a constant-initialised mutex and needs nothing more, so calling
// it again is harmless.
void InitProgressLock();

int64_t BlockSizeForCount(int64_t SourceSize, int Count);
// Unit is "MB", "KB" or "byte(s)". The product saturates instead of overflowing.
int64_t BlockSizeForUnit(int64_t Value, const std::wstring& Unit);
uint8_t ChooseUnbufferedMode(int64_t BlockSize);

// Holds while PauseRequest is 1, reporting wsPaused every 100 ms; then
// reports wsRunning.
void WaitWhilePaused();
// True (and wsCancelled reported) when the page asked to stop.
bool CancelRequested();

// Publishes the progress pair after a chunk: Done of PartSize bytes of the
// part in hand, TotalDone of TotalSize bytes of the job.
void ReportProgress(int64_t Done, int64_t PartSize, int64_t TotalDone, int64_t TotalSize);

// One part's copy: Size bytes from From, beginning at FromStart, to To,
// beginning at ToStart. JobDone counts the bytes of the whole job, of
// JobSize, and advances with Done.
struct TPartCopy {
  platform::File& From;
  const std::wstring& FromPath;
  int64_t FromStart;
  platform::File& To;
  const std::wstring& ToPath;
  int64_t ToStart;
  int64_t Size;
  int64_t& JobDone;
  int64_t JobSize;
  int64_t Done = 0;  // bytes of the part copied so far
  // When set, every chunk goes through a buffer of Digests and is handed to
  // its hashing threads once written; Buffer is not used then.
  TDigests* Digests = nullptr;
  // Where a failure is recorded: the operation, the file and the system's error.
  TJobOutcome* Outcome = nullptr;
};

// Copies a part chunk by chunk: 4 MiB unbuffered, flushing To after every
// write, or 409,600 bytes buffered. Before every chunk it holds while paused
// and stops when cancelled; after it, it reports progress. On the unbuffered
// path a rest below 4 MiB that is not a multiple of 4,096 is copied through
// cached handles, both unbuffered handles closed.
TCopyResult CopyPart(TPartCopy& Copy, bool Unbuffered, std::byte* Buffer);

// The outcome of comparing a series of parts with the file they make up.
struct TPartCheck {
  bool Matches;      // every part opened and matched
  std::size_t Part;  // otherwise the first part that failed; Parts.size() when Whole cannot be opened
  bool Opened;       // whether that part could be opened
};

// Compares the first and the last four bytes of every part (all of its
// bytes when it is shorter) with the bytes at the same places of Whole, each
// part starting where the one before it ended.
TPartCheck CheckParts(const std::wstring& Whole, const std::vector<std::wstring>& Parts);
