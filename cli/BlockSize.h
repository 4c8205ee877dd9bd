// The block size of a split as the command line gives it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Bytes for a whole number with an optional binary suffix (K, M, G; KB,
// KiB, MB, MiB, GB, GiB read alike, in any letter case) or for a preset
// named after a medium or a file system's largest file. None when the text
// is neither, or the count does not fit in 64 bits.
std::optional<int64_t> ParseBlockSize(const std::string& text);

// The names of the presets, for the help text.
std::string BlockSizePresets();
