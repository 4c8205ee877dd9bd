// The parts of the file layer that both backends share.
#include <algorithm>
#include <atomic>
#include <new>

#include "Platform.h"
#include "Sha256.h"

namespace platform {

namespace {

constexpr std::size_t Alignment = 4096;

std::atomic<int64_t> Flushes{0};
std::atomic<int64_t> WriteBudget{-1};  // bytes the simulated full disk still takes; -1: none simulated
std::atomic<int64_t> WritesLeft{-1};   // writes that still go through; -1: none simulated

// Runs transfer (offset, address, count; answering the bytes moved) until
// count bytes have moved.
template <class Byte, class Transfer>
bool TransferFully(int64_t offset, Byte* buffer, int64_t count, Transfer transfer) {
  for (int64_t done = 0; done < count;) {
    const int64_t moved = transfer(offset + done, buffer + done, count - done);
    if (moved == 0) SetLastError(EndOfFileError);
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
  const int64_t allowed = SimulatedAllowance(count);
  if (allowed < 0) SetLastError(DiskFullError);
  return allowed;
}

int64_t File::SimulatedAllowance(int64_t count) {
  int64_t left = WritesLeft.load();
  do {
    if (left == 0) return -1;
  } while (left > 0 && !WritesLeft.compare_exchange_weak(left, left - 1));
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

void SimulateFailingWrites(int64_t count) { WritesLeft.store(count < 0 ? -1 : count); }

AlignedBuffer::AlignedBuffer(std::size_t size)
    : FData(static_cast<std::byte*>(::operator new(size, std::align_val_t{Alignment}))) {}

void AlignedBuffer::Release::operator()(std::byte* p) const { ::operator delete(p, std::align_val_t{Alignment}); }

namespace {

// wchar_t holds UTF-16 on Windows and UTF-32 elsewhere.
constexpr bool WideIsUtf16 = sizeof(wchar_t) == 2;

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendWide(std::wstring& out, uint32_t c) {
  if (WideIsUtf16 && c >= 0x10000) {
    out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    out += static_cast<wchar_t>(c);
  }
}

bool IsSurrogate(uint32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The lone surrogates that stand for the bytes 0x80..0xFF of a malformed
// sequence.
constexpr uint32_t EscapedByte = 0xDC00;
bool IsEscapedByte(uint32_t c) { return c >= EscapedByte + 0x80 && c <= EscapedByte + 0xFF; }

}  // namespace

std::string ToUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<uint32_t>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<uint32_t>(text[i + 1]) : 0;
    if (WideIsUtf16 && c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
      ++i;
    } else if (IsEscapedByte(c)) {
      out += static_cast<char>(c - EscapedByte);
      continue;
    } else if (c > 0x10FFFF || IsSurrogate(c)) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  std::wstring out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    uint32_t c = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool valid = extra >= 0 && i + extra < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms spell another character than their bytes say.
    static constexpr uint32_t Least[] = {0, 0x80, 0x800, 0x10000};
    valid = valid && c <= 0x10FFFF && !IsSurrogate(c) && c >= Least[extra];
    AppendWide(out, valid ? c : EscapedByte + lead);
    i += valid ? extra + 1 : 1;
  }
  return out;
}

std::string HexText(const unsigned char* bytes, std::size_t size) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * size);
  for (std::size_t i = 0; i < size; ++i) {
    hex += Digits[bytes[i] >> 4];
    hex += Digits[bytes[i] & 15];
  }
  return hex;
}

}  // namespace platform
