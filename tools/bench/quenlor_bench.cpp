// Benchmark driver: runs one engine job (or a reference loop) and prints its
// wall time and the peak resident memory of the process. tools/bench/run-bench
// drives it and compares the figures with the system's own tools.
//
//   quenlor_bench make   FILE SIZE            a pattern source of SIZE bytes
//   quenlor_bench split  SOURCE FOLDER BLOCK  split on the path BLOCK selects
//   quenlor_bench merge  BASE OUTPUT          merge the series of BASE
//   quenlor_bench verify A B                  byte-for-byte comparison
//   quenlor_bench loop   SOURCE DEST CHUNK UNBUFFERED
//                        a plain copy loop of the same file calls
//
// Every command but make prints "seconds=<wall time> peak_kib=<peak RSS>".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#else
#include <sys/resource.h>
#endif

#include "Jobs.h"
#include "platform/Platform.h"

namespace {

using platform::Access;
using platform::Caching;
using platform::Creation;
using platform::File;
using platform::Share;

constexpr int64_t TransferChunk = 4 << 20;

long PeakResidentKiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
#endif
}

// The arguments as the file layer takes them: on Windows from the wide
// command line, which keeps the letters that the ANSI code page lacks;
// natively from UTF-8, whatever the locale.
std::vector<std::wstring> WideArguments(int argc, char** argv) {
  std::vector<std::wstring> wide;
#ifdef _WIN32
  (void)argv;
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return wide;
  wide.assign(args, args + std::min(count, argc));
  LocalFree(args);
#else
  for (int i = 0; i < argc; ++i) wide.push_back(platform::FromUtf8(argv[i]));
#endif
  return wide;
}

// Runs job and prints its figures; the exit status tells whether it worked.
template <class Job>
int Measure(Job job) {
  const auto start = std::chrono::steady_clock::now();
  const bool ok = job();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::printf("seconds=%.3f peak_kib=%ld\n", elapsed.count(), PeakResidentKiB());
  return ok ? 0 : 1;
}

bool Make(const std::wstring& path, int64_t size) {
  File file(path, Access::Write, Share::None, Creation::CreateAlways, Caching::Normal);
  std::vector<uint64_t> chunk(TransferChunk / sizeof(uint64_t));
  uint64_t state = 0x9E3779B97F4A7C15ull;
  for (int64_t left = size; left > 0;) {
    for (uint64_t& word : chunk) {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      word = state;
    }
    const int64_t count = std::min(left, TransferChunk);
    if (file.Write(chunk.data(), count) != count) return false;
    left -= count;
  }
  return file.IsOpen();
}

bool Split(const std::wstring& source, const std::wstring& folder, int64_t block) {
  const wchar_t separator = std::filesystem::path::preferred_separator;
  std::wstring withSeparator = folder;
  if (!withSeparator.empty() && withSeparator.back() != separator) withSeparator += separator;
  const auto worker = StartSplit(PlanSplitBySize(source, FileSizeOf(source), block, withSeparator), nullptr);
  worker->WaitFor();
  return worker->Outcome().State == wsSucceeded;
}

bool Merge(const TJoinPlan& plan) {
  if (plan.Parts.empty()) return false;
  const auto worker = StartJoin(plan, nullptr);
  worker->WaitFor();
  return worker->Outcome().State == wsSucceeded;
}

bool Verify(const std::wstring& a, const std::wstring& b) {
  File first(a, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  File second(b, Access::Read, Share::Read, Creation::OpenExisting, Caching::Normal);
  platform::AlignedBuffer bufferA(TransferChunk), bufferB(TransferChunk);
  if (!first.IsOpen() || !second.IsOpen()) return false;
  for (;;) {
    const int64_t countA = first.Read(bufferA.Data(), TransferChunk);
    const int64_t countB = second.Read(bufferB.Data(), TransferChunk);
    if (countA != countB || countA < 0) return false;
    if (countA == 0) return true;
    if (std::memcmp(bufferA.Data(), bufferB.Data(), static_cast<std::size_t>(countA)) != 0) return false;
  }
}

// What the workers do at their core, without any of their bookkeeping: the
// yardstick for the cost of the file calls themselves.
bool Loop(const std::wstring& source, const std::wstring& dest, int64_t chunk, bool unbuffered) {
  const Caching caching = unbuffered ? Caching::Unbuffered : Caching::Normal;
  File in(source, Access::Read, Share::Read, Creation::OpenExisting, caching);
  File out(dest, Access::ReadWrite, Share::Write, Creation::CreateAlways, caching);
  platform::AlignedBuffer buffer(static_cast<std::size_t>(chunk));
  if (!in.IsOpen() || !out.IsOpen()) return false;
  for (int64_t offset = 0;;) {
    // Positioned transfers and a flush per write on the unbuffered path,
    // sequential ones on the buffered path, as in the workers.
    const int64_t count = unbuffered ? in.ReadAt(offset, buffer.Data(), chunk) : in.Read(buffer.Data(), chunk);
    if (count <= 0) return count == 0;
    const int64_t written = unbuffered ? out.WriteAt(offset, buffer.Data(), count) : out.Write(buffer.Data(), count);
    if (written != count || (unbuffered && !out.Flush())) return false;
    offset += count;
  }
}

int Usage() {
  std::fputs("usage: quenlor_bench make FILE SIZE | split SOURCE FOLDER BLOCK | merge BASE OUTPUT |\n"
             "                     verify A B | loop SOURCE DEST CHUNK UNBUFFERED\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::vector<std::wstring> wide = WideArguments(argc, argv);
  const auto is = [&](const char* command, std::size_t count) {
    return !args.empty() && args[0] == command && args.size() == count + 1 && wide.size() == args.size() + 1;
  };
  if (is("make", 2)) return Make(wide[2], std::stoll(args[2])) ? 0 : 1;
  if (is("split", 3)) return Measure([&] { return Split(wide[2], wide[3], std::stoll(args[3])); });
  if (is("merge", 2)) {
    const TJoinPlan plan = PlanJoin(ListSeriesOfBase(wide[2], TSeriesNaming::Quenlor), TSeriesNaming::Quenlor, wide[3]);
    return Measure([&] { return Merge(plan); });
  }
  if (is("verify", 2)) return Measure([&] { return Verify(wide[2], wide[3]); });
  if (is("loop", 4)) return Measure([&] { return Loop(wide[2], wide[3], std::stoll(args[3]), args[4] == "1"); });
  return Usage();
}
