#include "Series.h"

#include <algorithm>
#include <map>

#include "global.h"
#include "platform/Platform.h"

using platform::Inspect;
using platform::PathKind;

namespace {

constexpr int Letters = 26;

std::size_t NameStart(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? 0 : separator + 1;
}

// Level w of the letter names holds 25 * 26^(w+1) names: w letters "z", then
// w+2 letters of which the first is not "z".
std::wstring LetterSuffix(int64_t index) {
  int level = 0;
  for (int64_t count = 25 * Letters; index >= count; count *= Letters) {
    index -= count;
    ++level;
  }
  std::wstring suffix(static_cast<std::size_t>(2 * level + 2), L'z');
  for (std::size_t i = suffix.size(); i-- > static_cast<std::size_t>(level);) {
    suffix[i] = static_cast<wchar_t>(L'a' + index % Letters);
    index /= Letters;
  }
  return suffix;
}

// Whether the last 2w+2 letters of name form a suffix of level w.
bool IsLetterSuffix(const std::wstring& name, std::size_t length) {
  const std::size_t level = (length - 2) / 2;
  const std::size_t start = name.size() - length;
  for (std::size_t i = 0; i < level; ++i)
    if (name[start + i] != L'z') return false;
  return name[start + level] != L'z';
}

std::wstring LettersBase(const std::wstring& path) {
  std::size_t letters = 0;
  const std::size_t start = NameStart(path);
  while (letters < path.size() - start && path[path.size() - 1 - letters] >= L'a' &&
         path[path.size() - 1 - letters] <= L'z')
    ++letters;
  std::wstring found;
  for (std::size_t length = 2; length <= letters; length += 2) {
    if (!IsLetterSuffix(path, length)) continue;
    const std::wstring base = path.substr(0, path.size() - length);
    if (found.empty() || Inspect(SeriesPartName(base, 0, TSeriesNaming::Letters)).Kind == PathKind::File)
      found = base;
  }
  return found;
}

std::wstring NumberedBase(const std::wstring& path) {
  const std::size_t dot = path.find_last_of(L'.');
  if (dot == std::wstring::npos || dot < NameStart(path) || path.size() - dot - 1 < 3) return {};
  for (std::size_t i = dot + 1; i < path.size(); ++i)
    if (path[i] < L'0' || path[i] > L'9') return {};
  return path.substr(0, dot);
}

// The index whose letter suffix is suffix, if it is one: the names of the
// levels below its own, then its offset in base 26 after the w letters "z".
int64_t LetterIndex(const std::wstring& suffix) {
  if (suffix.size() < 2 || suffix.size() > 12) return -1;
  const std::size_t level = (suffix.size() - 2) / 2;
  int64_t index = 0, offset = 0;
  for (std::size_t w = 0, count = 25 * Letters; w < level; ++w, count *= Letters) index += static_cast<int64_t>(count);
  for (std::size_t i = level; i < suffix.size(); ++i) offset = offset * Letters + (suffix[i] - L'a');
  return index + offset;
}

// The value of up to 15 decimal digits; -1 for anything else.
int64_t DecimalValue(const std::wstring& text) {
  if (text.empty() || text.size() > 15 || text.find_first_not_of(L"0123456789") != std::wstring::npos) return -1;
  return std::stoll(text);
}

// The number of the part that the file name Name is in the series of
// BaseName; -1 when it names no part of it. A name spelt otherwise than the
// series spells its parts ("Sp01", ".0001") names none.
int64_t PartIndex(const std::wstring& Name, const std::wstring& BaseName, TSeriesNaming naming) {
  if (Name.compare(0, BaseName.size(), BaseName) != 0) return -1;
  const std::wstring suffix = Name.substr(BaseName.size());
  const auto after = [&](const std::wstring& mark) {
    return suffix.starts_with(mark) ? DecimalValue(suffix.substr(mark.size())) : -1;
  };
  int64_t index = -1;
  switch (naming) {
    case TSeriesNaming::Letters: index = LetterIndex(suffix); break;
    case TSeriesNaming::Numbered: index = after(L".") - 1; break;
    case TSeriesNaming::Quenlor: index = after(L".QuenlorSp"); break;
  }
  return index >= 0 && SeriesPartName(BaseName, index, naming) == Name ? index : -1;
}

// Finds the series' files in the record by name, in any order, passing over
// lines that name other files. The record belongs to the series when it
// names its parts from 0 up to the last it names, and the whole file if it
// names one; the series must then list just as many parts.
TRecord JudgeRecord(const TSeries& series, TSeriesNaming naming) {
  const std::wstring path = RecordPath(series.Base);
  if (Inspect(path).Kind == PathKind::None) return {};
  const auto lines = ReadRecordLines(path);
  if (!lines) return {.State = rsUnreadable};
  const std::wstring baseName = platform::ExtractFileName(series.Base);
  std::map<int64_t, std::string> parts;
  TRecord record;
  for (const TRecordLine& line : *lines) {
    std::string* digest = &record.WholeDigest;
    if (line.Name != baseName) {
      const int64_t index = PartIndex(line.Name, baseName, naming);
      if (index < 0) continue;
      digest = &parts[index];
    }
    // A record that gives one file two digests contradicts itself.
    if (!digest->empty() && *digest != line.Digest) return {.State = rsUnreadable};
    *digest = line.Digest;
  }
  if (parts.empty()) return {.State = rsForeign};
  for (const auto& [index, digest] : parts) {
    const int64_t expected = static_cast<int64_t>(record.PartDigests.size());
    if (index == expected) {
      record.PartDigests.push_back(digest);
      continue;
    }
    record.State = rsMissingPart;
    record.Part = expected;
    return record;
  }
  const std::size_t named = record.PartDigests.size(), listed = series.Parts.size();
  record.State = named > listed ? rsMissingPart : named < listed ? rsExtraPart : rsValid;
  if (record.State != rsValid) record.Part = static_cast<int64_t>(std::min(named, listed));
  return record;
}

}  // namespace

std::wstring SeriesPartName(const std::wstring& Base, int64_t Index, TSeriesNaming Naming) {
  switch (Naming) {
    case TSeriesNaming::Numbered: {
      const std::wstring number = std::to_wstring(Index + 1);
      return Base + L'.' + std::wstring(number.size() < 3 ? 3 - number.size() : 0, L'0') + number;
    }
    case TSeriesNaming::Letters:
      return Base + LetterSuffix(Index);
    case TSeriesNaming::Quenlor:
      break;
  }
  return PartFileName(Base, Index);
}

std::wstring SeriesBase(const std::wstring& PartPath, TSeriesNaming Naming) {
  switch (Naming) {
    case TSeriesNaming::Numbered:
      return NumberedBase(PartPath);
    case TSeriesNaming::Letters:
      return LettersBase(PartPath);
    case TSeriesNaming::Quenlor:
      break;
  }
  const std::size_t dot = PartPath.find_last_of(L'.');
  return dot == std::wstring::npos || dot < NameStart(PartPath) ? PartPath : PartPath.substr(0, dot);
}

TSeries ListSeriesOfBase(const std::wstring& Base, TSeriesNaming Naming) {
  TSeries series{.Base = Base};
  if (Base.empty()) return series;
  for (int64_t index = 0;; ++index) {
    std::wstring path = SeriesPartName(Base, index, Naming);
    const platform::PathInfo info = Inspect(path);
    if (info.Kind != PathKind::File) break;
    series.Parts.push_back({std::move(path), info.Size});
    series.TotalSize += info.Size;
  }
  series.Record = JudgeRecord(series, Naming);
  return series;
}

TSeries ListSeries(const std::wstring& PartPath, TSeriesNaming Naming) {
  return ListSeriesOfBase(SeriesBase(PartPath, Naming), Naming);
}
