// The split worker: cuts a source into parts of one block size (the last
// holds the remainder), checks them against the source and leaves the
// scripts that rejoin them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "My_Global.h"
#include "Outcome.h"

namespace platform {
class File;
}
class TDigests;
struct TJobDigests;

class Splitthread : public TJobThread {
 public:
  // Starts at once; the copy path is the one UnbufferedMode names now.
  Splitthread(std::wstring Source, std::wstring OutputBase, int64_t SourceSize, int64_t BlockSize,
              TNotifyEvent OnTerminate);
  ~Splitthread() override;

 protected:
  void Execute() override;

 private:
  bool SourceSizeUnchanged();
  bool PartsMatchSource();
  bool ClearScriptPlace();
  bool Presize(const std::wstring& Name, int64_t Size);
  bool NameParts();
  bool WriteScriptAndRecord(const TJobDigests& Sums);
  void RemoveWhatWasMade();
  std::wstring StartPart(int Index);
  TPartCopy PartCopy(platform::File& Source, platform::File& Part, const std::wstring& PartName, int64_t PartSize);
  TCopyResult SplitUnbuffered();
  TCopyResult SplitBuffered();

  std::wstring FSource;
  std::wstring FOutputBase;  // output folder and source name: the base of the part names
  int64_t FBlockSize;
  int64_t FSourceSize;
  int64_t FDone = 0;                  // bytes copied into all parts so far
  std::vector<std::wstring> FPartList;  // the final name of every part begun, in order
  std::size_t FNamed = 0;               // the parts renamed to their final names, from the last
  bool FScriptWritten = false;
  TDigests* FDigests = nullptr;          // the digests of the job in hand, while Execute runs
};

// Whether every part path of a split of SourceSize bytes into blocks of
// BlockSize under OutputBase stays below MaxPathLength, so that the rejoin
// script can open them.
bool PartPathsFit(const std::wstring& OutputBase, int64_t SourceSize, int64_t BlockSize);

// Compares the first and last four bytes of every part with the source at
// the part's place.
TPartCheck VerifyParts(const std::wstring& Source, const std::vector<std::wstring>& PartList);

