// SHA-256 from the system's own implementation: the CNG provider on Windows,
// libcrypto on POSIX. Both use the processor's SHA instructions where it has
// them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class Sha256 {
 public:
  // Throws std::runtime_error when the system cannot provide the digest.
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void Update(const std::byte* data, std::size_t size);
  // The digest of the bytes since the last call, as 64 lowercase hex digits;
  // the next Update starts a new digest.
  std::string HexDigest();

 private:
  struct State;
  std::unique_ptr<State> FState;
};

// Two lowercase hex digits per byte.
std::string HexText(const unsigned char* bytes, std::size_t size);

}  // namespace platform
