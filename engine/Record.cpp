#include "Record.h"

#include <algorithm>
#include <string_view>

#include "platform/Platform.h"

using platform::Access;
using platform::Caching;
using platform::Creation;
using platform::File;
using platform::Share;

namespace {

// A record is a few hundred bytes a part; anything far larger is not one,
// and neither is a line longer than any file name makes.
constexpr int64_t LargestRecord = 64 << 20;
constexpr std::size_t LongestLine = 4096;
constexpr std::size_t ReadChunk = 64 << 10;
constexpr std::size_t DigestLength = 64;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string RecordLine(const std::string& digest, const std::wstring& path) {
  const std::wstring name = platform::ExtractFileName(path);
  const std::string spelt = RecordSpelling(name);
  return (spelt == platform::ToUtf8(name) ? "" : "\\") + digest + " *" + spelt + "\n";
}

// The digest in lowercase, or false when text is not 64 hex digits.
bool ReadDigest(std::string_view text, std::string& digest) {
  if (text.size() != DigestLength) return false;
  digest.assign(text);
  for (char& c : digest) {
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

// The name of an escaped line, or false when an escape is not one of the
// three sha256sum writes.
bool Unescape(std::string_view text, std::string& name) {
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

// How the lines of a record give their names, as the first line that gives
// one decides: after a marker, "<digest> *<name>" (binary) or "<digest>
// <name>" with two blanks (text), or after one blank, as BSD tools write.
enum class TNameForm { Undecided, Marked, Plain };

// One line without its line feed, as sha256sum -c reads it: blanks before
// it and a carriage return after it are dropped, the digest is in either
// case, and the line starts with a backslash when the name is escaped. A
// line of another form gives no file, as an empty one does.
void ParseLine(std::string_view line, TNameForm& form, std::vector<TRecordLine>& lines) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
  const bool escaped = line.starts_with('\\');
  if (escaped) line.remove_prefix(1);
  TRecordLine parsed;
  if (line.size() < DigestLength + 2 || !ReadDigest(line.substr(0, DigestLength), parsed.Digest) ||
      line[DigestLength] != ' ')
    return;
  std::string_view spelt = line.substr(DigestLength + 1);
  if (spelt.size() < 2 || (spelt[0] != '*' && spelt[0] != ' ')) {
    if (form == TNameForm::Marked) return;
    form = TNameForm::Plain;
  } else if (form != TNameForm::Plain) {
    form = TNameForm::Marked;
    spelt.remove_prefix(1);
  }
  std::string name;
  if (!escaped)
    name = spelt;
  else if (!Unescape(spelt, name))
    return;
  parsed.Name = platform::FromUtf8(name);
  lines.push_back(std::move(parsed));
}

// Reads the record chunk by chunk and parses each line as it completes, so
// that only its lines are held, never its bytes. A line longer than any
// file name makes is passed over. False when the file cannot be read whole
// or holds no line that gives a file.
bool ParseRecord(const std::wstring& path, std::vector<TRecordLine>& lines) {
  File file(path, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  if (!file.IsOpen()) return false;
  std::string chunk(ReadChunk, '\0'), line;  // line: the line in hand, up to its line feed
  bool first = true, tooLong = false;
  TNameForm form = TNameForm::Undecided;
  const auto complete = [&] {
    std::string_view text = line;
    if (first && text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
    if (!tooLong) ParseLine(text, form, lines);
    first = tooLong = false;
    line.clear();
  };
  const auto take = [&](std::string_view bytes) {
    tooLong = tooLong || line.size() + bytes.size() > LongestLine;
    if (!tooLong) line.append(bytes);
  };
  int64_t total = 0;
  for (int64_t count; (count = file.Read(chunk.data(), static_cast<int64_t>(chunk.size()))) != 0;) {
    if (count < 0 || (total += count) > LargestRecord) return false;
    std::string_view rest(chunk.data(), static_cast<std::size_t>(count));
    for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
      take(rest.substr(0, end));
      complete();
    }
    take(rest);
  }
  // The last line may lack its line feed.
  complete();
  return !lines.empty();
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
  platform::KeptError kept;
  platform::RemoveFile(temporary);
  return false;
}

std::optional<std::vector<TRecordLine>> ReadRecordLines(const std::wstring& Path) {
  std::vector<TRecordLine> lines;
  if (platform::Inspect(Path).Kind != platform::PathKind::File || !ParseRecord(Path, lines)) return std::nullopt;
  return lines;
}
