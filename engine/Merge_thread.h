// The merge worker: appends a list of parts, in list order, to a new output
// file and checks the output against the parts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "My_Global.h"
#include "global.h"
#include "Series.h"
#include "Outcome.h"

class TDigests;
struct TJobDigests;

class MergeThread : public TJobThread {
 public:
  // Sizes holds each part's size in bytes as decimal text. Starts at once;
  // the copy path is the one UnbufferedMode names now. With a valid Record,
  // the digest of every part and of the output must match its line.
  MergeThread(std::wstring Output, std::vector<std::wstring> Names, std::vector<std::wstring> Sizes, int64_t TotalSize,
              TNotifyEvent OnTerminate, TRecord Record = {});
  ~MergeThread() override;

 protected:
  void Execute() override;

 private:
  // The output is written under a temporary name until it is whole.
  std::wstring Written() const { return TemporaryName(FOutput); }
  bool OutputIsAPart();
  int64_t PartSize(std::size_t Index) const;
  TCopyResult MergeParts(bool Unbuffered);
  bool DigestsMatch();
  bool OutputMatchesParts();
  bool NameOutput();
  int64_t FirstMismatch(const TJobDigests& Digests) const;

  std::wstring FOutput;
  std::vector<std::wstring> FNames;
  std::vector<std::wstring> FSizes;
  int64_t FTotalSize;
  int64_t FOutOffset = 0;  // bytes written to the output so far
  TRecord FRecord;
  TDigests* FDigests = nullptr;  // while Execute runs, with a valid record
};

// Compares the first and last four bytes of every part with the output at
// the part's place.
TPartCheck VerifyMerge(const std::wstring& Output, const std::vector<std::wstring>& Names);
