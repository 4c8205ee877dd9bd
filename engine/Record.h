// The integrity record of a split, "<base>.sha256" beside the parts: one line
// "<digest> *<part file name>" per part in order, then one for the whole
// file, "<digest> *<source file name>"; 64 lowercase hex digits per digest,
// UTF-8, LF line ends. sha256sum -c and shasum -a 256 -c read it.
#pragma once

#include <string>
#include <vector>

enum class TSeriesNaming;

std::wstring RecordPath(const std::wstring& Base);

// Writes the record of the parts and the whole file of Base under a
// temporary name and renames it when complete. False when it cannot be
// written whole; no piece of it stays then.
bool WriteRecord(const std::wstring& Base, const std::vector<std::wstring>& PartPaths,
                 const std::vector<std::string>& PartDigests, const std::string& WholeDigest);

enum TRecordState {
  rsNone,        // the folder holds no record of the series
  rsUnreadable,  // it cannot be read, or is cut, empty or not a record
  rsForeign,     // its lines name files other than the parts of the series
  rsValid,
};

struct TRecord {
  TRecordState State = rsNone;
  std::vector<std::string> PartDigests;  // lowercase, in part order
  std::string WholeDigest;
};

// Reads and checks the record of the series Base.
TRecord ReadRecord(const std::wstring& Base, TSeriesNaming Naming);
