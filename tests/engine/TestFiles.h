// Helpers of the engine tests: a fresh folder per test in a temporary root
// of the run's own, pattern files, and jobs run to their end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "My_Global.h"

namespace testfiles {

// The run's own folder in the system's temporary folder, made at first use
// and removed after a passing run (kept for a look otherwise). It is short,
// so that the paths the tests build stay within the limits of Windows and
// the command interpreter wherever the project lies, and natively on a file
// system whose unbuffered handles bypass the cache.
const std::filesystem::path& Root();

// A fixture with an empty folder named after the running test, in Root().
// The folder is removed after a passing test and kept after a failing one.
class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::wstring Path(const std::wstring& name) const;
  std::filesystem::path Folder;
};

std::wstring Join(const std::filesystem::path& folder, const std::wstring& name);
// Makes a folder in parent whose name pads the path of name in it to length
// characters.
std::filesystem::path PaddedFolder(const std::filesystem::path& parent, const std::wstring& name, std::size_t length);
// The path of a wide name, converted the way the engine does (UTF-8 on POSIX,
// whatever the process locale).
std::filesystem::path ToPath(const std::wstring& path);

// Size bytes of a pseudo-random pattern; a different seed gives other bytes.
void WritePattern(const std::wstring& path, int64_t size, uint32_t seed = 1);
// Writes Size bytes of pattern at Offset into an existing file.
void WritePatternAt(const std::wstring& path, int64_t offset, int64_t size, uint32_t seed);
void WriteText(const std::wstring& path, const std::string& bytes);
std::string ReadAll(const std::wstring& path);
bool SameContent(const std::wstring& a, const std::wstring& b);
bool Exists(const std::wstring& path);
int64_t SizeOf(const std::wstring& path);

// The consecutive parts of base from number 0, and their sizes as text.
std::vector<std::wstring> Series(const std::wstring& base);
std::vector<std::wstring> SizesOf(const std::vector<std::wstring>& names);

// Runs a worker on the given copy path to its end; answers WorkerState.
int32_t RunSplit(const std::wstring& source, const std::wstring& base, int64_t block, bool unbuffered);
int32_t RunMerge(const std::wstring& output, const std::vector<std::wstring>& names, bool unbuffered);
// Waits (at most ten seconds) until WorkerState shows state.
bool WaitForState(int32_t state);

// While it lives, the volume looks full after bytes more were written.
class FullDiskAfter {
 public:
  explicit FullDiskAfter(int64_t bytes);
  ~FullDiskAfter();
  FullDiskAfter(const FullDiskAfter&) = delete;
  FullDiskAfter& operator=(const FullDiskAfter&) = delete;
};

// While it lives, writes fail once count more have gone through.
class WritesFailAfter {
 public:
  explicit WritesFailAfter(int64_t count);
  ~WritesFailAfter();
  WritesFailAfter(const WritesFailAfter&) = delete;
  WritesFailAfter& operator=(const WritesFailAfter&) = delete;
};

// Notes the open handles of the process when made; NoneLeftOpen answers
// whether the files are free again: no descriptor more than at the start
// (POSIX), or each existing file opens without sharing (Windows).
class OpenHandleCheck {
 public:
  OpenHandleCheck();
  bool NoneLeftOpen(const std::vector<std::wstring>& files) const;

 private:
  int FOpenAtStart;
};

}  // namespace testfiles
