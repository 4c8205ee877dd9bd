#include "Record.h"

#include "platform/Platform.h"

using platform::Access;
using platform::Caching;
using platform::Creation;
using platform::File;
using platform::Share;

namespace {

// A record is a few hundred bytes a part; anything far larger is not one.
constexpr int64_t LargestRecord = 64 << 20;
constexpr std::size_t DigestLength = 64;

std::string RecordLine(const std::string& digest, const std::wstring& path) {
  const std::wstring name = platform::ExtractFileName(path);
  const std::string spelt = RecordSpelling(name);
  return (spelt == platform::ToUtf8(name) ? "" : "\\") + digest + " *" + spelt + "\n";
}

bool IsHexDigest(const std::string& text) {
  if (text.size() != DigestLength) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

// The name of an escaped line, or false when an escape is not one of the
// three sha256sum writes.
bool Unescape(const std::string& text, std::string& name) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      name += text[i];
      continue;
    }
    if (++i == text.size()) return false;
    const char c = text[i];
    if (c != '\\' && c != 'n' && c != 'r') return false;
    name += c == '\\' ? '\\' : c == 'n' ? '\n' : '\r';
  }
  return true;
}

// One line without its line end: "<digest> *<name>" or "<digest>  <name>".
bool ParseLine(std::string line, TRecordLine& parsed) {
  std::string name;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const bool escaped = !line.empty() && line[0] == '\\';
  if (escaped) line.erase(0, 1);
  if (line.size() < DigestLength + 3 || line[DigestLength] != ' ' ||
      (line[DigestLength + 1] != '*' && line[DigestLength + 1] != ' '))
    return false;
  parsed.Digest = line.substr(0, DigestLength);
  for (char& c : parsed.Digest)
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  if (!escaped)
    name = line.substr(DigestLength + 2);
  else if (!Unescape(line.substr(DigestLength + 2), name))
    return false;
  parsed.Name = platform::FromUtf8(name);
  return IsHexDigest(parsed.Digest);
}

bool ReadWhole(const std::wstring& path, int64_t size, std::string& bytes) {
  File file(path, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  if (!file.IsOpen() || size > LargestRecord) return false;
  bytes.resize(static_cast<std::size_t>(size));
  return file.ReadFullyAt(0, bytes.data(), size);
}

bool ParseRecord(const std::string& bytes, std::vector<TRecordLine>& lines) {
  // A record ends with a line end: one without it is cut.
  if (bytes.empty() || bytes.back() != '\n') return false;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find('\n', start);
    TRecordLine line;
    if (!ParseLine(bytes.substr(start, end - start), line)) return false;
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines.size() >= 2;
}

}  // namespace

std::wstring RecordPath(const std::wstring& Base) { return Base + L".sha256"; }

std::string RecordSpelling(const std::wstring& Name) {
  std::string spelt;
  for (char c : platform::ToUtf8(Name))
    spelt += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
  return spelt;
}

bool WriteRecord(const std::wstring& Base, const std::vector<std::wstring>& PartPaths,
                 const std::vector<std::string>& PartDigests, const std::string& WholeDigest) {
  std::string text;
  for (std::size_t i = 0; i < PartPaths.size(); ++i) text += RecordLine(PartDigests.at(i), PartPaths[i]);
  text += RecordLine(WholeDigest, Base);

  const std::wstring path = RecordPath(Base), temporary = path + L".tmp";
  File file(temporary, Access::Write, Share::None, Creation::CreateAlways, Caching::Normal);
  const bool written = file.IsOpen() && file.WriteFullyAt(0, text.data(), static_cast<int64_t>(text.size()));
  file.Close();
  if (written && platform::RenameFile(temporary, path)) return true;
  platform::RemoveFile(temporary);
  return false;
}

std::optional<std::vector<TRecordLine>> ReadRecordLines(const std::wstring& Path) {
  const platform::PathInfo info = platform::Inspect(Path);
  std::string bytes;
  std::vector<TRecordLine> lines;
  if (info.Kind != platform::PathKind::File || !ReadWhole(Path, info.Size, bytes) || !ParseRecord(bytes, lines))
    return std::nullopt;
  return lines;
}
