// Files under resources/ compiled into the executable (see
// cmake/EmbedResources.cmake), looked up by their path.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

struct EResNotFound : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The bytes of the embedded file at path (relative to resources/, e.g.
// L"skins/blue/tab.png"; case and slash direction do not matter). The
// bytes live as long as the executable. Throws EResNotFound.
std::span<const uint8_t> ResourceBytes(const std::wstring& path);

bool ResourceExists(const std::wstring& path);
