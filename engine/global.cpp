#include "global.h"

#include <cstdio>
#include <limits>

#include "platform/Platform.h"

namespace {

std::function<std::wstring(wchar_t)> FileSystemNameProvider;

constexpr int64_t SlackBytes = 409600;

}  // namespace

std::wstring PartFileName(const std::wstring& Base, int64_t Index) {
  return Base + L".QuenlorSp" + std::to_wstring(Index);
}

namespace {
constexpr wchar_t TemporarySuffix[] = L".partial";
}

std::wstring TemporaryName(const std::wstring& Path) { return Path + TemporarySuffix; }

std::wstring FinalName(const std::wstring& Path) {
  const std::wstring suffix = TemporarySuffix;
  const bool temporary = Path.size() > suffix.size() && Path.compare(Path.size() - suffix.size(), suffix.size(), suffix) == 0;
  return temporary ? Path.substr(0, Path.size() - suffix.size()) : Path;
}

std::wstring SizeText(int64_t Count) {
  struct Unit {
    int64_t Size;
    const char* Name;
  };
  static constexpr Unit Units[] = {{1073741824, "GB"}, {1048576, "MB"}, {1024, "KB"}};
  for (const Unit& unit : Units) {
    if (Count >= unit.Size) {
      char text[64];
      std::snprintf(text, sizeof text, "%.2Lf %s", static_cast<long double>(Count) / unit.Size, unit.Name);
      return std::wstring(text, text + std::char_traits<char>::length(text));
    }
  }
  return std::to_wstring(Count) + L" byte(s)";
}

int64_t FileSizeOf(const std::wstring& Path) { return platform::Inspect(platform::FullPath(Path)).Size; }

bool HasFreeSpace(const std::wstring& Drive, int64_t Count) {
  const int64_t free = platform::FreeBytes(Drive);
  return free >= 0 && Count < free - SlackBytes;
}

bool NameIsFree(const std::wstring& Pattern, const std::wstring& Name) {
  bool free = true;
  platform::FindEntries(Pattern, [&](const platform::DirEntry& entry) {
    if (entry.Name == L"." || entry.Name == L"..") return true;
    if (entry.Name.size() >= Name.size() && platform::StartsWithIgnoreCase(entry.Name, Name)) free = false;
    return free;
  });
  return free;
}

int64_t RoundUpTo4K(int64_t Size) {
  if (Size > UnbufferedThreshold && Size % AlignmentUnit != 0) return Size + (AlignmentUnit - Size % AlignmentUnit);
  return Size;
}

TFileSystemKind FileSystemKind(const std::wstring& Drive) {
  if (Drive.empty() || !FileSystemNameProvider) return fskOther;
  return FileSystemKindOf(FileSystemNameProvider(Drive[0]));
}

TFileSystemKind FileSystemKindOf(const std::wstring& Name) {
  if (Name == L"FAT") return fskFAT;
  if (Name == L"FAT32") return fskFAT32;
  if (Name == L"NTFS") return fskNTFS;
  return fskOther;
}

int64_t LargestFileOf(TFileSystemKind Kind) {
  if (Kind == fskFAT) return FatLargestFile;
  if (Kind == fskFAT32) return Fat32LargestFile;
  return std::numeric_limits<int64_t>::max();
}

void SetFileSystemNameProvider(std::function<std::wstring(wchar_t DriveLetter)> Provider) {
  FileSystemNameProvider = std::move(Provider);
}
