// The parts of the file layer that both backends share.
#include <new>

#include "Platform.h"

namespace platform {

namespace {
constexpr std::size_t Alignment = 4096;
}

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

AlignedBuffer::AlignedBuffer(std::size_t size)
    : FData(static_cast<std::byte*>(::operator new(size, std::align_val_t{Alignment}))) {}

void AlignedBuffer::Release::operator()(std::byte* p) const { ::operator delete(p, std::align_val_t{Alignment}); }

}  // namespace platform
