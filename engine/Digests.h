// The SHA-256 digests of the bytes a worker moves, computed beside it. The
// worker takes a free buffer, fills it, writes it out and hands it over; one
// hashing thread adds it to the digest of the part in hand and another to the
// digest of the whole job, and the buffer is free again once both have read
// it. The threads belong to this object and end with it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"

struct TJobDigests {
  bool Computed = false;            // false when the system could not hash
  std::vector<std::string> Parts;  // one per part ended, in order
  std::string Whole;
};

class TDigests {
 public:
  // Buffers for the copy path given: two 4 MiB buffers, aligned for
  // unbuffered transfers, or four of 409,600 bytes.
  explicit TDigests(bool Unbuffered);
  ~TDigests();
  TDigests(const TDigests&) = delete;
  TDigests& operator=(const TDigests&) = delete;

  // A free buffer; waits while the hashing threads still read every one.
  std::byte* Take();
  // Hands Count bytes of Buffer (taken before) to both digests; with a Count
  // of 0 the buffer is only given back.
  void Hand(std::byte* Buffer, int64_t Count);
  // The bytes handed so far end the part in hand; the next start another.
  void EndPart();
  // Waits until every byte handed is hashed and answers the digests.
  TJobDigests Finish();

 private:
  enum TItemKind { ikBytes, ikPartEnd, ikJobEnd };
  struct TItem {
    TItemKind Kind;
    std::byte* Data;
    int64_t Count;
    int Readers;  // hashing threads that have not read it yet
  };

  void Queue(TItem Item);
  void Hash(bool PerPart);
  void Release(uint64_t Index);

  std::vector<platform::AlignedBuffer> FBuffers;
  std::mutex FLock;
  std::condition_variable FChanged;
  std::vector<std::byte*> FFree;
  std::deque<TItem> FItems;  // handed and not yet read by both threads
  uint64_t FFirst = 0;        // the sequence number of FItems.front()
  bool FStopping = false;
  bool FFailed = false;
  TJobDigests FResult;
  std::thread FPartThread, FWholeThread;
};
