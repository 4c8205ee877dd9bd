#include "TestFiles.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <thread>

#include "Merge_thread.h"
#include "Split_thread.h"
#include "global.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace testfiles {

namespace {

// xorshift64, eight bytes a step.
void FillPattern(std::vector<char>& bytes, uint64_t& state) {
  for (std::size_t at = 0; at < bytes.size(); at += sizeof state) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    std::memcpy(bytes.data() + at, &state, std::min(sizeof state, bytes.size() - at));
  }
}

void WritePatternTo(std::ofstream& out, int64_t size, uint32_t seed) {
  uint64_t state = 0x9E3779B97F4A7C15ull * (seed + 1);
  std::vector<char> chunk;
  for (int64_t left = size; left > 0; left -= static_cast<int64_t>(chunk.size())) {
    chunk.resize(static_cast<std::size_t>(std::min<int64_t>(left, 1 << 20)));
    FillPattern(chunk, state);
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  }
}

// A folder that cannot be removed is reported, never fatal.
void RemoveFolder(const fs::path& folder) {
  std::error_code error;
  fs::remove_all(folder, error);
  if (error) std::cerr << "Cannot remove " << folder.string() << ": " << error.message() << '\n';
}

fs::path NewFolderIn(const fs::path& place) {
  std::mt19937 random(std::random_device{}());
  fs::path folder;
  do folder = place / ("qe" + std::to_string(random() % 100000000));
  while (!fs::create_directory(folder));
  return folder;
}

// A misaligned unbuffered write fails on a disk file system; tmpfs accepts
// unbuffered handles and caches anyway. Wine never bypasses the cache.
bool BypassesTheCache(const fs::path& folder) {
#ifdef _WIN32
  (void)folder;
  return true;
#else
  using namespace platform;
  const std::wstring probe = Join(folder, L"probe");
  AlignedBuffer buffer(4096);
  bool refused;
  {
    File file(probe, Access::ReadWrite, Share::Write, Creation::CreateAlways, Caching::Unbuffered);
    refused = file.IsOpen() && file.WriteAt(0, buffer.Data(), 1) < 0;
  }
  RemoveFile(probe);
  return refused;
#endif
}

// The system's temporary folder (natively TMPDIR or /tmp), or natively
// /var/tmp when that one is a memory file system.
fs::path MakeRoot() {
  std::vector<fs::path> places{fs::temp_directory_path()};
#ifndef _WIN32
  places.push_back("/var/tmp");
#endif
  for (const fs::path& place : places) {
    const fs::path root = NewFolderIn(place);
    if (BypassesTheCache(root)) return root;
    fs::remove(root);
  }
  std::cerr << "No temporary folder bypasses the cache: the tests of unbuffered transfers will fail\n";
  return NewFolderIn(places.front());
}

fs::path TheRoot;  // empty until first used

class RootRemoval : public ::testing::Environment {
  void TearDown() override {
    if (TheRoot.empty()) return;
    if (::testing::UnitTest::GetInstance()->Passed())
      RemoveFolder(TheRoot);
    else
      std::cerr << "The files of the failed tests are kept in " << TheRoot.string() << '\n';
  }
};

[[maybe_unused]] const auto* const Removal = ::testing::AddGlobalTestEnvironment(new RootRemoval);

}  // namespace

const fs::path& Root() {
  if (TheRoot.empty()) TheRoot = MakeRoot();
  return TheRoot;
}

void FolderTest::SetUp() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  std::replace(name.begin(), name.end(), '/', '_');
  Folder = Root() / name;
  fs::create_directories(Folder);
}

void FolderTest::TearDown() {
  if (!HasFailure()) RemoveFolder(Folder);
}

std::wstring FolderTest::Path(const std::wstring& name) const { return Join(Folder, name); }

std::wstring Join(const fs::path& folder, const std::wstring& name) {
  return folder.wstring() + static_cast<wchar_t>(fs::path::preferred_separator) + name;
}

fs::path PaddedFolder(const fs::path& parent, const std::wstring& name, std::size_t length) {
  const std::size_t used = parent.wstring().size() + 2 + name.size();  // with two separators
  EXPECT_LT(used, length) << "no room for padding";
  const fs::path folder = parent / std::wstring(used < length ? length - used : 1, L'p');
  fs::create_directory(folder);
  return folder;
}

fs::path ToPath(const std::wstring& path) {
#ifdef _WIN32
  return fs::path(path);
#else
  return fs::path(std::u32string(path.begin(), path.end()));
#endif
}

void WritePattern(const std::wstring& path, int64_t size, uint32_t seed) {
  std::ofstream out(ToPath(path), std::ios::binary | std::ios::trunc);
  WritePatternTo(out, size, seed);
  ASSERT_TRUE(out.good());
}

void WritePatternAt(const std::wstring& path, int64_t offset, int64_t size, uint32_t seed) {
  std::ofstream out(ToPath(path), std::ios::binary | std::ios::in | std::ios::out);
  out.seekp(offset);
  WritePatternTo(out, size, seed);
  ASSERT_TRUE(out.good());
}

void WriteText(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(ToPath(path), std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good());
}

std::string ReadAll(const std::wstring& path) {
  std::string bytes(static_cast<std::size_t>(std::max<int64_t>(SizeOf(path), 0)), '\0');
  std::ifstream in(ToPath(path), std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

bool SameContent(const std::wstring& a, const std::wstring& b) {
  if (SizeOf(a) != SizeOf(b)) return false;
  std::ifstream inA(ToPath(a), std::ios::binary), inB(ToPath(b), std::ios::binary);
  std::vector<char> bufferA(4 << 20), bufferB(4 << 20);
  while (inA && inB) {
    inA.read(bufferA.data(), static_cast<std::streamsize>(bufferA.size()));
    inB.read(bufferB.data(), static_cast<std::streamsize>(bufferB.size()));
    if (inA.gcount() != inB.gcount() ||
        !std::equal(bufferA.begin(), bufferA.begin() + inA.gcount(), bufferB.begin()))
      return false;
  }
  return true;
}

bool Exists(const std::wstring& path) { return fs::exists(ToPath(path)); }

int64_t SizeOf(const std::wstring& path) {
  std::error_code error;
  const auto size = fs::file_size(ToPath(path), error);
  return error ? -1 : static_cast<int64_t>(size);
}

std::vector<std::wstring> Series(const std::wstring& base) {
  std::vector<std::wstring> names;
  while (Exists(PartFileName(base, static_cast<int>(names.size()))))
    names.push_back(PartFileName(base, static_cast<int>(names.size())));
  return names;
}

std::vector<std::wstring> SizesOf(const std::vector<std::wstring>& names) {
  std::vector<std::wstring> sizes;
  for (const auto& name : names) sizes.push_back(std::to_wstring(SizeOf(name)));
  return sizes;
}

int32_t RunSplit(const std::wstring& source, const std::wstring& base, int64_t block, bool unbuffered) {
  UnbufferedMode = unbuffered ? 1 : 0;
  Splitthread(source, base, SizeOf(source), block, nullptr).WaitFor();
  return WorkerState;
}

int32_t RunMerge(const std::wstring& output, const std::vector<std::wstring>& names, bool unbuffered) {
  UnbufferedMode = unbuffered ? 1 : 0;
  int64_t total = 0;
  for (const auto& name : names) total += SizeOf(name);
  MergeThread(output, names, SizesOf(names), total, nullptr).WaitFor();
  return WorkerState;
}

bool WaitForState(int32_t state) {
  for (int i = 0; i < 1000 && WorkerState != state; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return WorkerState == state;
}

FullDiskAfter::FullDiskAfter(int64_t bytes) { platform::SimulateFullDisk(bytes); }

FullDiskAfter::~FullDiskAfter() { platform::SimulateFullDisk(-1); }

WritesFailAfter::WritesFailAfter(int64_t count) { platform::SimulateFailingWrites(count); }

WritesFailAfter::~WritesFailAfter() { platform::SimulateFailingWrites(-1); }

#ifdef _WIN32
OpenHandleCheck::OpenHandleCheck() : FOpenAtStart(0) {}

bool OpenHandleCheck::NoneLeftOpen(const std::vector<std::wstring>& files) const {
  using namespace platform;
  return std::all_of(files.begin(), files.end(), [](const std::wstring& file) {
    return !Exists(file) || File(file, Access::Read, Share::None, Creation::OpenExisting, Caching::Normal).IsOpen();
  });
}
#else
namespace {
int CountOpenDescriptors() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}
}  // namespace

OpenHandleCheck::OpenHandleCheck() : FOpenAtStart(CountOpenDescriptors()) {}

bool OpenHandleCheck::NoneLeftOpen(const std::vector<std::wstring>&) const {
  return CountOpenDescriptors() == FOpenAtStart;
}
#endif

}  // namespace testfiles
