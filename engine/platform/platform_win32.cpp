// Windows backend of the file and volume layer.
#include "Platform.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace platform {

namespace {

constexpr int64_t MaxTransfer = int64_t{1} << 30;

HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

DWORD AccessFlags(Access access) {
  switch (access) {
    case Access::Read: return GENERIC_READ;
    case Access::Write: return GENERIC_WRITE;
    case Access::ReadWrite: break;
  }
  return GENERIC_READ | GENERIC_WRITE;
}

DWORD ShareFlags(Share share) {
  switch (share) {
    case Share::None: return 0;
    case Share::Read: return FILE_SHARE_READ;
    case Share::Write: return FILE_SHARE_WRITE;
    case Share::ReadWrite: break;
  }
  return FILE_SHARE_READ | FILE_SHARE_WRITE;
}

DWORD TransferSize(int64_t count) { return static_cast<DWORD>(std::clamp<int64_t>(count, 0, MaxTransfer)); }

}  // namespace

File::File(const std::wstring& path, Access access, Share share, Creation creation, Caching caching) {
  const DWORD disposition = creation == Creation::CreateAlways ? CREATE_ALWAYS : OPEN_EXISTING;
  const DWORD flags = caching == Caching::Unbuffered ? FILE_FLAG_NO_BUFFERING : FILE_ATTRIBUTE_NORMAL;
  HANDLE h = CreateFileW(path.c_str(), AccessFlags(access), ShareFlags(share), nullptr, disposition, flags, nullptr);
  FHandle = reinterpret_cast<intptr_t>(h);
}


bool File::IsOpen() const { return AsHandle(FHandle) != INVALID_HANDLE_VALUE; }

void File::Close() {
  const DWORD error = GetLastError();
  if (IsOpen()) CloseHandle(AsHandle(FHandle));
  FHandle = -1;
  ::SetLastError(error);
}

bool File::Seek(int64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  return IsOpen() && SetFilePointerEx(AsHandle(FHandle), to, nullptr, FILE_BEGIN);
}

int64_t File::Read(void* buffer, int64_t count) {
  DWORD done = 0;
  if (!IsOpen() || !ReadFile(AsHandle(FHandle), buffer, TransferSize(count), &done, nullptr)) return -1;
  return done;
}

int64_t File::Write(const void* buffer, int64_t count) {
  const int64_t allowed = WriteAllowance(count);
  DWORD done = 0;
  if (allowed < 0 || !IsOpen() || !WriteFile(AsHandle(FHandle), buffer, TransferSize(allowed), &done, nullptr))
    return -1;
  return done;
}

int64_t File::ReadAt(int64_t offset, void* buffer, int64_t count) {
  return Seek(offset) ? Read(buffer, count) : -1;
}

int64_t File::WriteAt(int64_t offset, const void* buffer, int64_t count) {
  return Seek(offset) ? Write(buffer, count) : -1;
}

bool File::Flush() {
  CountFlush();
  return IsOpen() && FlushFileBuffers(AsHandle(FHandle));
}

bool File::Extend(int64_t size) {
  // A mapping object with a maximum size extends the file to that size; no
  // view is needed, so the object is closed at once. (Without a file handle
  // the call would make a mapping of the paging file instead.)
  if (!IsOpen()) return false;
  HANDLE mapping = CreateFileMappingW(AsHandle(FHandle), nullptr, PAGE_READWRITE, static_cast<DWORD>(size >> 32),
                                      static_cast<DWORD>(size & 0xFFFFFFFF), nullptr);
  if (!mapping) return false;
  CloseHandle(mapping);
  return true;
}

bool File::Truncate(int64_t size) { return Seek(size) && SetEndOfFile(AsHandle(FHandle)); }

int64_t File::Size() const {
  LARGE_INTEGER size;
  return IsOpen() && GetFileSizeEx(AsHandle(FHandle), &size) ? size.QuadPart : -1;
}

const uint32_t EndOfFileError = ERROR_HANDLE_EOF;
const uint32_t DiskFullError = ERROR_DISK_FULL;
const uint32_t NameTooLongError = ERROR_FILENAME_EXCED_RANGE;

uint32_t LastError() { return GetLastError(); }

void SetLastError(uint32_t code) { ::SetLastError(code); }

std::wstring ErrorText(uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  if (text.empty()) return L"system error";
  text[0] = static_cast<wchar_t>(towlower(text[0]));
  return text;
}

bool RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()); }

std::optional<FileIdentity> IdentityOf(const std::wstring& path) {
  // No access asked, every sharing allowed: any file or folder opens, held
  // by whoever else. Folders need the backup-semantics flag.
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  if (!known) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

PathInfo Inspect(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {PathKind::Folder, 0};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return {PathKind::Other, 0};
  return {PathKind::File, (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow};
}

bool RenameFile(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool FindEntries(const std::wstring& pattern, const std::function<bool(const DirEntry&)>& visit) {
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    const DirEntry entry{data.cFileName, (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                         data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY,
                         (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
    if (!visit(entry)) break;
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return true;
}

int64_t FreeBytes(const std::wstring& path) {
  // A drive ("C:") or a UNC share is asked for through its root.
  std::wstring root = path;
  if (!root.empty() && root.back() != L'\\') root += L'\\';
  ULARGE_INTEGER available, total, free;
  if (!GetDiskFreeSpaceExW(root.c_str(), &available, &total, &free)) return -1;
  return static_cast<int64_t>(free.QuadPart);
}

std::wstring FileSystemName(const std::wstring& path) {
  wchar_t root[MAX_PATH + 1], name[MAX_PATH + 1];
  if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH + 1) ||
      !GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH + 1))
    return L"";
  return name;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

std::wstring ExtractFileName(const std::wstring& path) {
  const auto delimiter = path.find_last_of(L"\\/:");
  return delimiter == std::wstring::npos ? path : path.substr(delimiter + 1);
}

bool StartsWithIgnoreCase(const std::wstring& text, const std::wstring& name) {
  const int length = static_cast<int>(name.size());
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), length, name.c_str(), length) ==
         CSTR_EQUAL;
}

std::optional<std::string> ToScriptEncoding(const std::wstring& text) {
  if (text.empty()) return std::string();
  // Best-fit mapping would turn look-alikes such as a fullwidth quote into
  // ASCII quotes, and the default character names other files. The UTF-8
  // code page takes neither flag nor the used-default report; it fails only
  // on a lone surrogate.
  const UINT codePage = GetOEMCP();
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  const int length = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  BOOL* reportDefault = utf8 ? nullptr : &usedDefault;
  const int size = WideCharToMultiByte(codePage, flags, text.c_str(), length, nullptr, 0, nullptr, reportDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, text.c_str(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

bool MakeExecutable(const std::wstring&) { return true; }

}  // namespace platform
