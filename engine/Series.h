// A series of part files: how its parts are named, and the one listing of a
// series that every caller uses (the merge page, the command-line program,
// the benchmark driver).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Record.h"

// How the parts of a series are named after its base:
//   Quenlor   "<base>.QuenlorSp0", "<base>.QuenlorSp1", ...
//   Numbered  "<base>.001", "<base>.002", ... (three digits or more)
//   Letters   "<base>aa" ... "<base>yz", "<base>zaaa" ... "<base>zyzz",
//             "<base>zzaaaa" ...: the names the system's split gives its
//             pieces when no suffix length is set (base "x" by default).
enum class TSeriesNaming { Quenlor, Numbered, Letters };

// The record beside a series, judged against the parts listed. Its lines
// are found by name in any order; lines naming other files are passed over.
//   rsNone         there is none
//   rsUnreadable   it cannot be read, is empty or not a record, or gives
//                  one file two digests
//   rsForeign      it names none of the series' parts
//   rsMissingPart  it names part Part, which the series lacks, or names a
//                  later part but not part Part
//   rsExtraPart    the series has part Part, which it does not name
//   rsValid        it names exactly the listed parts, and the whole file
//                  or not
enum TRecordState { rsNone, rsUnreadable, rsForeign, rsMissingPart, rsExtraPart, rsValid };

struct TRecord {
  TRecordState State = rsNone;
  int64_t Part = -1;                     // the part of rsMissingPart and rsExtraPart
  // The digests the record gives (valid, missing or extra part): lowercase,
  // in part order, then the whole file's, empty when it names no whole file.
  std::vector<std::string> PartDigests;
  std::string WholeDigest;
};

struct TSeriesPart {
  std::wstring Path;
  int64_t Size;
};

struct TSeries {
  std::wstring Base;               // the parts' path without their suffix
  std::vector<TSeriesPart> Parts;  // part 0 up to the first gap, in order
  int64_t TotalSize = 0;           // the sum of the parts' sizes
  TRecord Record;                  // the record beside the parts, judged
};

// The path of part Index (from 0) of the series Base.
std::wstring SeriesPartName(const std::wstring& Base, int64_t Index, TSeriesNaming Naming);

// The base of the series that PartPath belongs to. Quenlor naming drops the
// last extension, whatever it is; Numbered drops a ".NNN" suffix; Letters
// drops the longest suffix whose series has a part 0. Empty when PartPath
// has no suffix of the naming.
std::wstring SeriesBase(const std::wstring& PartPath, TSeriesNaming Naming);

// The parts of Base from part 0 to the first name that is missing or is a
// folder, and the record "<Base>.sha256" where there is one.
TSeries ListSeriesOfBase(const std::wstring& Base, TSeriesNaming Naming);

// The series of any of its parts: ListSeriesOfBase of SeriesBase(PartPath).
TSeries ListSeries(const std::wstring& PartPath, TSeriesNaming Naming = TSeriesNaming::Quenlor);
