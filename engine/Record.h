// The integrity record of a split, "<base>.sha256" beside the parts: one line
// "<digest> *<part file name>" per part in order, then one for the whole
// file, "<digest> *<source file name>"; 64 lowercase hex digits per digest,
// UTF-8, LF line ends. sha256sum -c and shasum -a 256 -c read it. A name
// holding a backslash or a line end is spelt as sha256sum spells it: the
// line starts with a backslash and those characters are escaped.
#pragma once

#include <optional>
#include <string>
#include <vector>

std::wstring RecordPath(const std::wstring& Base);

// How a record line spells the file name Name: its UTF-8 bytes with "\",
// line feed and carriage return written "\\", "\n" and "\r". A line whose
// spelling differs from the bytes starts with a backslash.
std::string RecordSpelling(const std::wstring& Name);

// Writes the record of the parts and the whole file of Base under a
// temporary name and renames it when complete. False when it cannot be
// written whole; no piece of it stays then.
bool WriteRecord(const std::wstring& Base, const std::vector<std::wstring>& PartPaths,
                 const std::vector<std::string>& PartDigests, const std::string& WholeDigest);

struct TRecordLine {
  std::string Digest;  // 64 lowercase hex digits
  std::wstring Name;   // the file name the line gives
};

// The lines of the record at Path that give a file, in their order, read
// as sha256sum -c reads them: a byte-order mark, blanks before a line, CR LF
// line ends, an upper-case digest, the text-mode marker and the BSD form
// "<digest> <name>" are accepted, the last line may lack its line end, and
// lines of another form are passed over. None when it cannot be read or no line gives a file.
std::optional<std::vector<TRecordLine>> ReadRecordLines(const std::wstring& Path);
