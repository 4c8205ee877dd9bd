#include <openssl/evp.h>

#include <stdexcept>

#include "Sha256.h"

namespace platform {

namespace {

void Check(int result) {
  if (result != 1) throw std::runtime_error("SHA-256 is not available");
}

}  // namespace

struct Sha256::State {
  EVP_MD_CTX* Context = EVP_MD_CTX_new();
  ~State() { EVP_MD_CTX_free(Context); }
};

Sha256::Sha256() : FState(std::make_unique<State>()) {
  if (!FState->Context) throw std::runtime_error("SHA-256 is not available");
  Check(EVP_DigestInit_ex(FState->Context, EVP_sha256(), nullptr));
}

Sha256::~Sha256() = default;

void Sha256::Update(const std::byte* data, std::size_t size) {
  Check(EVP_DigestUpdate(FState->Context, data, size));
}

std::string Sha256::HexDigest() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  Check(EVP_DigestFinal_ex(FState->Context, digest, &length));
  Check(EVP_DigestInit_ex(FState->Context, EVP_sha256(), nullptr));
  return HexText(digest, length);
}

}  // namespace platform
