// POSIX backend of the file and volume layer. Paths are UTF-8 on this side;
// share modes have no counterpart and are not enforced; unbuffered handles
// use O_DIRECT, so the kernel enforces the alignment rule.
#include "Platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>

namespace platform {

namespace {

constexpr int64_t MaxTransfer = int64_t{1} << 30;

int OpenFlags(Access access, Creation creation, Caching caching) {
  int flags = access == Access::Read ? O_RDONLY : access == Access::Write ? O_WRONLY : O_RDWR;
  if (creation == Creation::CreateAlways) flags |= O_CREAT | O_TRUNC;
  if (caching == Caching::Unbuffered) flags |= O_DIRECT;
  return flags | O_CLOEXEC;
}

std::size_t TransferSize(int64_t count) { return static_cast<std::size_t>(std::clamp<int64_t>(count, 0, MaxTransfer)); }

int Descriptor(intptr_t handle) { return static_cast<int>(handle); }

// Runs one system transfer call again when a signal interrupted it.
template <class Call>
int64_t Transfer(Call call) {
  ssize_t done;
  do done = call();
  while (done < 0 && errno == EINTR);
  return done;
}

}  // namespace

File::File(const std::wstring& path, Access access, Share, Creation creation, Caching caching) {
  FHandle = ::open(ToUtf8(path).c_str(), OpenFlags(access, creation, caching), 0666);
}


bool File::IsOpen() const { return FHandle >= 0; }

void File::Close() {
  const int error = errno;
  if (IsOpen()) ::close(Descriptor(FHandle));
  FHandle = -1;
  errno = error;
}

bool File::Seek(int64_t offset) { return IsOpen() && ::lseek(Descriptor(FHandle), offset, SEEK_SET) == offset; }

int64_t File::Read(void* buffer, int64_t count) {
  return Transfer([&] { return ::read(Descriptor(FHandle), buffer, TransferSize(count)); });
}

int64_t File::Write(const void* buffer, int64_t count) {
  const int64_t allowed = WriteAllowance(count);
  if (allowed < 0) return -1;
  return Transfer([&] { return ::write(Descriptor(FHandle), buffer, TransferSize(allowed)); });
}

int64_t File::ReadAt(int64_t offset, void* buffer, int64_t count) {
  return Transfer([&] { return ::pread(Descriptor(FHandle), buffer, TransferSize(count), offset); });
}

int64_t File::WriteAt(int64_t offset, const void* buffer, int64_t count) {
  const int64_t allowed = WriteAllowance(count);
  if (allowed < 0) return -1;
  return Transfer([&] { return ::pwrite(Descriptor(FHandle), buffer, TransferSize(allowed), offset); });
}

bool File::Flush() {
  CountFlush();
  return IsOpen() && ::fdatasync(Descriptor(FHandle)) == 0;
}

bool File::Extend(int64_t size) { return Truncate(size); }

bool File::Truncate(int64_t size) { return IsOpen() && ::ftruncate(Descriptor(FHandle), size) == 0; }

int64_t File::Size() const {
  struct stat info;
  return IsOpen() && ::fstat(Descriptor(FHandle), &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

const uint32_t EndOfFileError = ENODATA;
const uint32_t DiskFullError = ENOSPC;
const uint32_t NameTooLongError = ENAMETOOLONG;

uint32_t LastError() { return static_cast<uint32_t>(errno); }

void SetLastError(uint32_t code) { errno = static_cast<int>(code); }

std::wstring ErrorText(uint32_t code) {
  std::wstring text = FromUtf8(std::strerror(static_cast<int>(code)));
  if (!text.empty()) text[0] = static_cast<wchar_t>(std::towlower(text[0]));
  return text;
}

bool RemoveFile(const std::wstring& path) { return ::unlink(ToUtf8(path).c_str()) == 0; }

std::optional<FileIdentity> IdentityOf(const std::wstring& path) {
  struct stat info;
  if (::stat(ToUtf8(path).c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

PathInfo Inspect(const std::wstring& path) {
  struct stat info;
  if (::stat(ToUtf8(path).c_str(), &info) != 0) return {};
  if (S_ISREG(info.st_mode)) return {PathKind::File, static_cast<int64_t>(info.st_size)};
  return {S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::Other, 0};
}

bool RenameFile(const std::wstring& from, const std::wstring& to) {
  return ::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0;
}

bool FindEntries(const std::wstring& pattern, const std::function<bool(const DirEntry&)>& visit) {
  const std::string path = ToUtf8(pattern);
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  std::string mask = slash == std::string::npos ? path : path.substr(slash + 1);
  struct stat info;

  if (mask.find_first_of("*?") == std::string::npos) {
    if (::stat(path.c_str(), &info) != 0) return false;
    const bool isDirectory = S_ISDIR(info.st_mode);
    visit(DirEntry{FromUtf8(mask), isDirectory ? 0 : static_cast<int64_t>(info.st_size), isDirectory, isDirectory});
    return true;
  }

  if (mask == "*.*") mask = "*";  // the Windows meaning: every name, with or without a dot
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  while (const dirent* item = ::readdir(dir)) {
    if (::fnmatch(mask.c_str(), item->d_name, 0) != 0) continue;
    if (::fstatat(::dirfd(dir), item->d_name, &info, 0) != 0) continue;
    const bool isDirectory = S_ISDIR(info.st_mode);
    if (!visit(DirEntry{FromUtf8(item->d_name), isDirectory ? 0 : static_cast<int64_t>(info.st_size), isDirectory, isDirectory}))
      break;
  }
  ::closedir(dir);
  return true;
}

int64_t FreeBytes(const std::wstring& path) {
  struct statvfs info;
  if (::statvfs(ToUtf8(path).c_str(), &info) != 0) return -1;
  return static_cast<int64_t>(info.f_bfree) * static_cast<int64_t>(info.f_frsize);
}

// Linux's vfat driver holds files up to FAT32's limit on every FAT variant.
std::wstring FileSystemName(const std::wstring& path) {
  constexpr long FatMagic = 0x4d44, NtfsMagic = 0x5346544e, Ntfs3Magic = 0x7366746e;
  struct statfs info;
  if (::statfs(ToUtf8(path).c_str(), &info) != 0) return L"";
  if (info.f_type == FatMagic) return L"FAT32";
  if (info.f_type == NtfsMagic || info.f_type == Ntfs3Magic) return L"NTFS";
  return L"";
}

std::wstring FullPath(const std::wstring& path) {
  if (!path.empty() && path.front() == L'/') return path;
  char* cwd = ::getcwd(nullptr, 0);
  if (!cwd) return path;
  std::wstring full = FromUtf8(cwd) + L'/' + path;
  std::free(cwd);
  return full;
}

std::wstring ExtractFileName(const std::wstring& path) {
  const auto slash = path.rfind(L'/');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Case folding follows the process locale.
bool StartsWithIgnoreCase(const std::wstring& text, const std::wstring& name) {
  if (text.size() < name.size()) return false;
  return std::equal(name.begin(), name.end(), text.begin(),
                    [](wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); });
}

std::optional<std::string> ToScriptEncoding(const std::wstring& text) {
  if (std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < 0 || c > 0x7f; })) return std::nullopt;
  return std::string(text.begin(), text.end());
}

bool MakeExecutable(const std::wstring& path) {
  const std::string name = ToUtf8(path);
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && ::chmod(name.c_str(), info.st_mode | ((info.st_mode & 0444) >> 2)) == 0;
}

}  // namespace platform
