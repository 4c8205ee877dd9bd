#include "BlockSize.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "My_Global.h"
#include "global.h"

namespace {

struct Preset {
  const char* Name;
  int64_t Bytes;
};

constexpr Preset Presets[] = {
    {"fat32", Fat32LargestFile}, {"fat", FatLargestFile},  {"cd", 734003200},
    {"dvd", 4700372992},         {"dvd-dl", 8543666176}, {"bd", 25025314816},
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The suffix's power of 1,024; none for an unknown suffix.
std::optional<int> SuffixPower(const std::string& suffix) {
  if (suffix.empty()) return 0;
  const std::string rest = suffix.substr(1);
  if (rest != "" && rest != "b" && rest != "ib") return std::nullopt;
  const std::string units = "kmg";
  const std::size_t at = units.find(suffix[0]);
  if (at == std::string::npos) return std::nullopt;
  return static_cast<int>(at) + 1;
}

}  // namespace

std::optional<int64_t> ParseBlockSize(const std::string& text) {
  const std::string lower = Lower(text);
  for (const Preset& preset : Presets)
    if (lower == preset.Name) return preset.Bytes;
  const std::size_t digits = lower.find_first_not_of("0123456789");
  if (digits == 0 || lower.empty()) return std::nullopt;
  const std::optional<int> power = SuffixPower(lower.substr(std::min(digits, lower.size())));
  if (!power) return std::nullopt;
  constexpr int64_t largest = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  for (char c : lower.substr(0, digits)) {
    if (value > (largest - (c - '0')) / 10) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  // The window's units multiply alike, saturating where the count overflows.
  for (int i = 0; i < *power; ++i) value = BlockSizeForUnit(value, L"KB");
  if (value == largest) return std::nullopt;
  return value;
}

std::string BlockSizePresets() {
  std::string names;
  for (const Preset& preset : Presets) names += (names.empty() ? "" : ", ") + std::string(preset.Name);
  return names;
}
