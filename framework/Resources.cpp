#include "framework/Resources.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "framework/Classes.h"

namespace {

std::optional<std::span<const uint8_t>> FindResourceBytes(const std::wstring& path) {
  // Names are stored with forward slashes; FindResourceW ignores case.
  std::wstring name = path;
  std::replace(name.begin(), name.end(), L'\\', L'/');
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name.c_str(), RT_RCDATA);
  if (!info) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::span<const uint8_t>(static_cast<const uint8_t*>(data), SizeofResource(module, info));
}

}  // namespace

std::span<const uint8_t> ResourceBytes(const std::wstring& path) {
  if (auto bytes = FindResourceBytes(path)) return *bytes;
  throw EResNotFound("resource not found: " + WideToUtf8(path));
}

bool ResourceExists(const std::wstring& path) { return FindResourceBytes(path).has_value(); }
