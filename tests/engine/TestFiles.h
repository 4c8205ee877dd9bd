// Helpers of the engine tests: a fresh folder per test under the working
// directory (a disk file system, as unbuffered handles need), pattern files,
// and jobs run to their end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "My_Global.h"

namespace testfiles {

// A fixture with an empty folder named after the running test, below the
// working directory. The folder is removed after a passing test and kept
// for a look after a failing one.
class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::wstring Path(const std::wstring& name) const;
  std::filesystem::path Folder;
};

std::wstring Join(const std::filesystem::path& folder, const std::wstring& name);
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

// Puts the shared job state back to its idle values.
void ResetJobState();
// Runs a worker on the given copy path to its end; answers WorkerState.
int32_t RunSplit(const std::wstring& source, const std::wstring& base, int64_t block, bool unbuffered);
int32_t RunMerge(const std::wstring& output, const std::vector<std::wstring>& names, bool unbuffered);
// Waits (at most ten seconds) until WorkerState shows state.
bool WaitForState(int32_t state);

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
