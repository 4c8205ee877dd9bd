// The commands of quenlor-cli: each checks its input as the window does,
// then runs the engine's own worker and reports how it ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Series.h"

// Exit statuses.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;     // the job failed, or verify found a difference
constexpr int ExitBadInput = 2;   // a usage or input error; no file was changed
// A job cancelled by a signal exits with 128 + the signal's number, as
// shells expect: 130 for Ctrl+C.
constexpr int ExitSignalBase = 128;

// A refused input: the one line that says why. The command changed nothing.
struct TInputError {
  std::wstring What;
};

// How a source is cut: a number of blocks, or a block size in bytes.
struct TPlanRequest {
  std::wstring Source;
  int Count = 0;          // 2..999, or 0 when BlockSize is given
  int64_t BlockSize = 0;  // bytes, or 0 when Count is given
};

struct TSplitRequest {
  TPlanRequest Plan;
  std::wstring Folder;
  bool Force = false;
  bool Quiet = false;
};

struct TJoinRequest {
  std::wstring Part;    // any part of the series
  std::wstring Output;  // empty: the series' base beside the parts
  TSeriesNaming Naming = TSeriesNaming::Quenlor;
  bool Force = false;
  bool Quiet = false;
  bool RemoveParts = false;  // after a join checked against the record: the parts, scripts and record go
};

struct TVerifyRequest {
  std::wstring Part;  // any part of the series
  TSeriesNaming Naming = TSeriesNaming::Quenlor;
};

int RunPlan(const TPlanRequest& Request, bool Json);
int RunSplit(const TSplitRequest& Request);
int RunJoin(const TJoinRequest& Request);
int RunVerify(const TVerifyRequest& Request);
