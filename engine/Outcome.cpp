#include "Outcome.h"

#include "global.h"
#include "platform/Platform.h"

const wchar_t* OperationText(TJobOperation Operation) {
  switch (Operation) {
    case joNone: break;
    case joOpen: return L"opening";
    case joPresize: return L"setting the length of";
    case joRead: return L"reading";
    case joWrite: return L"writing";
    case joFlush: return L"flushing";
    case joCheck: return L"checking";
    case joRecord: return L"writing the record";
    case joScript: return L"writing the rejoin script";
  }
  return L"";
}

bool NoteFailure(TJobOutcome& Outcome, TJobOperation Operation, const std::wstring& Path, uint32_t Error,
                 int64_t Part) {
  if (Outcome.Operation != joNone) return false;
  const uint32_t code = Error == LastSystemError ? platform::LastError() : Error;
  Outcome.Operation = Operation;
  // Files are named as the user knows them, also while a job writes them
  // under their temporary names.
  Outcome.Path = FinalName(Path);
  Outcome.SystemError = code;
  Outcome.SystemText = code ? platform::ErrorText(code) : L"";
  Outcome.Part = Part;
  return false;
}
