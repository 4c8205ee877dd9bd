// How a job ended, said precisely enough for a front end to tell the user
// what failed: the operation, the file it failed on and the system's error.
#pragma once

#include <cstdint>
#include <string>

#include "Thread.h"

enum TJobOperation {
  joNone,     // nothing failed
  joOpen,     // a file could not be opened or made
  joPresize,  // a new part could not be given its length
  joRead,
  joWrite,
  joFlush,
  joCheck,    // the bytes written differ from what they should be, or a file changed under the job
  joRecord,   // the integrity record could not be made
  joScript,   // the rejoin script could not be made
};

struct TJobOutcome {
  int32_t State = 0;  // the TWorkerState the job ended in
  TJobOperation Operation = joNone;
  std::wstring Path;          // the file the operation failed on
  uint32_t SystemError = 0;   // the system's error code; 0 when the system reported none
  std::wstring SystemText;    // its text
  int64_t Part = -1;          // the part the check found different (from 0); the part count when only the whole differs
};

// What an operation name reads as in a sentence: "writing", "reading", ...
const wchar_t* OperationText(TJobOperation Operation);

// What NoteFailure records as the system's error: the calling thread's last
// one, none, or a given code.
constexpr uint32_t LastSystemError = UINT32_MAX;

// Records the first failure of a job in Outcome: Operation on Path, with
// Error (LastSystemError, 0 for none, or a code). Answers false, so that a
// failing step can return NoteFailure(...).
bool NoteFailure(TJobOutcome& Outcome, TJobOperation Operation, const std::wstring& Path,
                 uint32_t Error = LastSystemError, int64_t Part = -1);

// A worker of the engine: a thread whose Execute fills an outcome.
class TJobThread : public TThread {
 public:
  // Read after the thread has ended.
  const TJobOutcome& Outcome() const { return FOutcome; }

 protected:
  using TThread::TThread;
  bool Fail(TJobOperation Operation, const std::wstring& Path, uint32_t Error = LastSystemError, int64_t Part = -1) {
    return NoteFailure(FOutcome, Operation, Path, Error, Part);
  }

  TJobOutcome FOutcome;
};
