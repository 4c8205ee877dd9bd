// The thin file and volume layer under the engine. Two backends implement it:
// platform_win32.cpp (the Windows calls) and platform_posix.cpp (their POSIX
// counterparts; paths are UTF-8 there, share modes are not enforced).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

enum class Access { Read, Write, ReadWrite };
// Which access other openers of the same file keep while this handle is open.
enum class Share { None, Read, Write, ReadWrite };
enum class Creation { OpenExisting, CreateAlways };
// Unbuffered bypasses the system cache: transfers, offsets and buffer
// addresses must then be multiples of the volume's sector size.
enum class Caching { Normal, Unbuffered };

// An open file; closed by the destructor or by Close. Counts returned by the
// transfer functions are the bytes moved, -1 on failure. A single transfer
// moves at most 1 GiB.
class File {
 public:
  File() = default;
  File(const std::wstring& path, Access access, Share share, Creation creation, Caching caching);
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  bool IsOpen() const;
  void Close();
  bool Seek(int64_t offset);
  int64_t Read(void* buffer, int64_t count);
  int64_t Write(const void* buffer, int64_t count);
  int64_t ReadAt(int64_t offset, void* buffer, int64_t count);
  int64_t WriteAt(int64_t offset, const void* buffer, int64_t count);
  // Move exactly count bytes at offset, transfer after transfer; false when
  // a transfer fails or moves nothing before the count is reached.
  bool ReadFullyAt(int64_t offset, void* buffer, int64_t count);
  bool WriteFullyAt(int64_t offset, const void* buffer, int64_t count);
  // Forces the written data to the device.
  bool Flush();
  // Extends a new, empty file to size bytes before its first write.
  bool Extend(int64_t size);
  // Cuts the file to size bytes.
  bool Truncate(int64_t size);
  // Bytes in the file now; -1 when the system cannot tell.
  int64_t Size() const;

 private:
  // The part of a write of count bytes that the simulated full disk still
  // takes; -1 when it takes nothing more.
  // Sets the disk-full error when it takes nothing.
  static int64_t WriteAllowance(int64_t count);
  static int64_t SimulatedAllowance(int64_t count);
  static void CountFlush();

  intptr_t FHandle = -1;
};

// Test hooks. FlushCount counts the flushes asked of every handle since the
// start. After SimulateFullDisk(bytes) the writes of every handle move bytes
// more in all and then fail, as on a full volume; after
// SimulateFailingWrites(count) count more writes go through whole and every
// later one fails. A negative number ends the simulation.
int64_t FlushCount();
void SimulateFullDisk(int64_t bytes);
void SimulateFailingWrites(int64_t count);

// Buffer for unbuffered transfers: its address is aligned to 4,096 bytes.
class AlignedBuffer {
 public:
  explicit AlignedBuffer(std::size_t size);
  std::byte* Data() const { return FData.get(); }

 private:
  struct Release {
    void operator()(std::byte* p) const;
  };
  std::unique_ptr<std::byte[], Release> FData;
};

// The code of the system error of the calling thread's last failed call
// (GetLastError on Windows, errno elsewhere), and its text as the system
// words it, lowercase first and without a closing full stop. A transfer
// that ends early because the file does, not the system, reports
// EndOfFileError. Closing a file keeps the code.
uint32_t LastError();
void SetLastError(uint32_t code);
std::wstring ErrorText(uint32_t code);
extern const uint32_t EndOfFileError;
extern const uint32_t DiskFullError;
extern const uint32_t NameTooLongError;

// Keeps the thread's last error across the clean-up after a failure, so
// that the failure, not the clean-up, is reported.
class KeptError {
 public:
  KeptError() : FCode(LastError()) {}
  ~KeptError() { SetLastError(FCode); }
  KeptError(const KeptError&) = delete;
  KeptError& operator=(const KeptError&) = delete;

 private:
  uint32_t FCode;
};

bool RemoveFile(const std::wstring& path);
// Gives the file at from the name to, replacing a file of that name.
bool RenameFile(const std::wstring& from, const std::wstring& to);

// What tells a file from every other: its volume and its index there (on
// POSIX its device and inode), the same under every name of the file.
struct FileIdentity {
  uint64_t Volume;
  uint64_t Index;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
// None when nothing at path can be opened.
std::optional<FileIdentity> IdentityOf(const std::wstring& path);

// What stands under a name: nothing, a regular file, a folder, or something
// else (a device, a pipe). The name is taken exactly, never as a pattern;
// links are followed.
enum class PathKind { None, File, Folder, Other };
struct PathInfo {
  PathKind Kind = PathKind::None;
  int64_t Size = 0;  // bytes of a file; 0 for every other kind
};
PathInfo Inspect(const std::wstring& path);

struct DirEntry {
  std::wstring Name;
  int64_t Size;
  bool PlainDirectory;  // a directory with no other attribute
  bool Directory;       // a directory, whatever its other attributes
};

// Visits the entries matching pattern (a path whose last element may hold the
// wildcards * and ?; "*.*" matches every name) until visit answers false.
// Answers false when the search cannot start.
bool FindEntries(const std::wstring& pattern, const std::function<bool(const DirEntry&)>& visit);

// Total free bytes of the volume holding path (not only those available to
// the caller); -1 when the system cannot tell.
int64_t FreeBytes(const std::wstring& path);

// Name of the file system of the volume holding path ("NTFS", "FAT32",
// "FAT", …); empty when the system cannot tell.
std::wstring FileSystemName(const std::wstring& path);

std::wstring FullPath(const std::wstring& path);
std::wstring ExtractFileName(const std::wstring& path);

// True when the first name.size() characters of text equal name, ignoring
// case under the user's locale. text must be at least as long as name.
bool StartsWithIgnoreCase(const std::wstring& text, const std::wstring& name);

// UTF-8 and back, the encoding of POSIX paths, of native command lines and of
// text files that both targets write alike. A byte that is not part of a
// well-formed sequence becomes the lone surrogate U+DC80 + byte and turns
// back into that byte, so that any name a POSIX system gives round-trips;
// other characters that cannot be encoded become U+FFFD.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// The bytes of text in the encoding the command interpreter reads batch files
// in: the OEM code page on Windows; on POSIX, which cannot know the code page
// of the machine that runs the script, ASCII, which every one of them has.
// None when the encoding lacks a character of text (a look-alike or a
// default character would spell another name).
std::optional<std::string> ToScriptEncoding(const std::wstring& text);

// Lets whoever may read the file at path also run it, as chmod +x does on
// POSIX; Windows has no such bit, and the file is left as it is.
bool MakeExecutable(const std::wstring& path);

}  // namespace platform
