// The merge worker: appends a list of parts, in list order, to a new output
// file and checks the output against the parts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "My_Global.h"
#include "Thread.h"

class MergeThread : public TThread {
 public:
  // Sizes holds each part's size in bytes as decimal text. Starts at once;
  // the copy path is the one UnbufferedMode names now.
  MergeThread(std::wstring Output, std::vector<std::wstring> Names, std::vector<std::wstring> Sizes, int64_t TotalSize,
              TNotifyEvent OnTerminate);
  ~MergeThread() override;

 protected:
  void Execute() override;

 private:
  bool OutputIsAPart() const;
  int64_t PartSize(std::size_t Index) const;
  TCopyResult MergeParts(bool Unbuffered);

  std::wstring FOutput;
  std::vector<std::wstring> FNames;
  std::vector<std::wstring> FSizes;
  int64_t FTotalSize;
  int64_t FOutOffset = 0;  // bytes written to the output so far
};

// Compares the first and last four bytes of every part with the output at
// the part's place.
bool VerifyMerge(const std::wstring& Output, const std::vector<std::wstring>& Names);
