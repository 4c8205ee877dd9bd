// The parts of the file layer that both backends share.
#include <algorithm>
#include <atomic>
#include <new>

#include "Platform.h"

namespace platform {

namespace {

constexpr std::size_t Alignment = 4096;

std::atomic<int64_t> Flushes{0};
std::atomic<int64_t> WriteBudget{-1};  // bytes the simulated full disk still takes; -1: none simulated

// Runs transfer (offset, address, count; answering the bytes moved) until
// count bytes have moved.
template <class Byte, class Transfer>
bool TransferFully(int64_t offset, Byte* buffer, int64_t count, Transfer transfer) {
  for (int64_t done = 0; done < count;) {
    const int64_t moved = transfer(offset + done, buffer + done, count - done);
    if (moved <= 0) return false;
    done += moved;
  }
  return true;
}

}  // namespace

File::File(File&& other) noexcept : FHandle(other.FHandle) { other.FHandle = -1; }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    FHandle = other.FHandle;
    other.FHandle = -1;
  }
  return *this;
}

File::~File() { Close(); }

bool File::ReadFullyAt(int64_t offset, void* buffer, int64_t count) {
  return TransferFully(offset, static_cast<std::byte*>(buffer), count,
                       [this](int64_t at, std::byte* to, int64_t n) { return ReadAt(at, to, n); });
}

bool File::WriteFullyAt(int64_t offset, const void* buffer, int64_t count) {
  return TransferFully(offset, static_cast<const std::byte*>(buffer), count,
                       [this](int64_t at, const std::byte* from, int64_t n) { return WriteAt(at, from, n); });
}

int64_t File::WriteAllowance(int64_t count) {
  int64_t budget = WriteBudget.load();
  int64_t allowed;
  do {
    if (budget < 0) return count;
    allowed = std::min(count, budget);
  } while (!WriteBudget.compare_exchange_weak(budget, budget - allowed));
  return allowed > 0 || count == 0 ? allowed : -1;
}

void File::CountFlush() { ++Flushes; }

int64_t FlushCount() { return Flushes.load(); }

void SimulateFullDisk(int64_t bytes) { WriteBudget.store(bytes < 0 ? -1 : bytes); }

AlignedBuffer::AlignedBuffer(std::size_t size)
    : FData(static_cast<std::byte*>(::operator new(size, std::align_val_t{Alignment}))) {}

void AlignedBuffer::Release::operator()(std::byte* p) const { ::operator delete(p, std::align_val_t{Alignment}); }

}  // namespace platform
