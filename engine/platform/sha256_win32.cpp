#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <stdexcept>

#include "Sha256.h"

namespace platform {

namespace {

constexpr ULONG DigestSize = 32;

void Check(NTSTATUS status) {
  if (!BCRYPT_SUCCESS(status)) throw std::runtime_error("SHA-256 is not available");
}

// The provider is opened once for the process and shared by every digest.
BCRYPT_ALG_HANDLE Provider() {
  static const BCRYPT_ALG_HANDLE provider = [] {
    BCRYPT_ALG_HANDLE handle = nullptr;
    Check(BCryptOpenAlgorithmProvider(&handle, BCRYPT_SHA256_ALGORITHM, nullptr, 0));
    return handle;
  }();
  return provider;
}

BCRYPT_HASH_HANDLE NewHash() {
  BCRYPT_HASH_HANDLE hash = nullptr;
  Check(BCryptCreateHash(Provider(), &hash, nullptr, 0, nullptr, 0, 0));
  return hash;
}

}  // namespace

struct Sha256::State {
  BCRYPT_HASH_HANDLE Hash = NewHash();
  ~State() { BCryptDestroyHash(Hash); }
};

Sha256::Sha256() : FState(std::make_unique<State>()) {}

Sha256::~Sha256() = default;

void Sha256::Update(const std::byte* data, std::size_t size) {
  // One call takes at most 4 GiB - 1 bytes; the workers hand far less.
  while (size > 0) {
    const ULONG count = static_cast<ULONG>(std::min<std::size_t>(size, 1u << 30));
    Check(BCryptHashData(FState->Hash, reinterpret_cast<PUCHAR>(const_cast<std::byte*>(data)), count, 0));
    data += count;
    size -= count;
  }
}

std::string Sha256::HexDigest() {
  UCHAR digest[DigestSize];
  Check(BCryptFinishHash(FState->Hash, digest, DigestSize, 0));
  // A finished hash object takes no more data: the next digest gets a new one.
  BCryptDestroyHash(FState->Hash);
  FState->Hash = nullptr;
  FState->Hash = NewHash();
  return HexText(digest, DigestSize);
}

}  // namespace platform
