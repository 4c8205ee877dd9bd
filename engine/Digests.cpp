#include "Digests.h"

#include <memory>
#include <stdexcept>

#include "global.h"
#include "platform/Sha256.h"

TDigests::TDigests(bool Unbuffered) {
  for (int i = 0; i < (Unbuffered ? 2 : 4); ++i) {
    FBuffers.emplace_back(Unbuffered ? UnbufferedChunk : BufferedChunk);
    FFree.push_back(FBuffers.back().Data());
  }
  FPartThread = std::thread([this] { Hash(true); });
  FWholeThread = std::thread([this] { Hash(false); });
}

TDigests::~TDigests() {
  {
    std::lock_guard lock(FLock);
    FStopping = true;
  }
  FChanged.notify_all();
  FPartThread.join();
  FWholeThread.join();
}

std::byte* TDigests::Take() {
  std::unique_lock lock(FLock);
  FChanged.wait(lock, [this] { return !FFree.empty(); });
  std::byte* buffer = FFree.back();
  FFree.pop_back();
  return buffer;
}

void TDigests::Hand(std::byte* Buffer, int64_t Count) { Queue({ikBytes, Buffer, Count, 2}); }

void TDigests::EndPart() { Queue({ikPartEnd, nullptr, 0, 2}); }

TJobDigests TDigests::Finish() {
  Queue({ikJobEnd, nullptr, 0, 2});
  std::unique_lock lock(FLock);
  FChanged.wait(lock, [this] { return FItems.empty(); });
  TJobDigests result = std::move(FResult);
  result.Computed = !FFailed;
  FResult = {};
  return result;
}

void TDigests::Queue(TItem Item) {
  {
    std::lock_guard lock(FLock);
    FItems.push_back(Item);
  }
  FChanged.notify_all();
}

// One hashing thread: every item in order, until the object ends. A thread
// whose digest cannot be computed still reads every item, so that the worker
// gets its buffers back, and the result says that nothing was computed.
void TDigests::Hash(bool PerPart) {
  std::unique_ptr<platform::Sha256> digest;
  try {
    digest = std::make_unique<platform::Sha256>();
  } catch (const std::exception&) {
  }
  for (uint64_t next = 0;; ++next) {
    TItem item;
    {
      std::unique_lock lock(FLock);
      FChanged.wait(lock, [&] { return FStopping || next < FFirst + FItems.size(); });
      if (next >= FFirst + FItems.size()) return;
      item = FItems[next - FFirst];
    }
    std::string ended;
    try {
      if (!digest) throw std::runtime_error("no digest");
      if (item.Kind == ikBytes && item.Count > 0) digest->Update(item.Data, static_cast<std::size_t>(item.Count));
      if ((item.Kind == ikPartEnd && PerPart) || (item.Kind == ikJobEnd && !PerPart)) ended = digest->HexDigest();
    } catch (const std::exception&) {
      std::lock_guard lock(FLock);
      FFailed = true;
    }
    std::lock_guard lock(FLock);
    if (item.Kind == ikPartEnd && PerPart) FResult.Parts.push_back(ended);
    if (item.Kind == ikJobEnd && !PerPart) FResult.Whole = ended;
    Release(next);
  }
}

// Called with the lock held: one thread has read item Index. Items that both
// have read leave the queue, and their buffers are free again.
void TDigests::Release(uint64_t Index) {
  --FItems[Index - FFirst].Readers;
  while (!FItems.empty() && FItems.front().Readers == 0) {
    if (FItems.front().Data) FFree.push_back(FItems.front().Data);
    FItems.pop_front();
    ++FFirst;
  }
  FChanged.notify_all();
}
