// The tests' one PNG writer: pictures with known samples for the decoder
// tests, and the screenshots saved for people to look at. It needs
// nothing of the program, so the support library's tests use it too.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct PngLayout {
  PngLayout(int type, int depth, int w, int h, std::vector<Bytes> r = {})
      : colorType(type), bitDepth(depth), width(w), height(h), rows(std::move(r)) {}

  int colorType;
  int bitDepth;
  int width;
  int height;
  std::vector<Bytes> rows;           // samples as the format stores them (16-bit big-endian)
  std::vector<png_color> palette;    // palette pictures
  Bytes paletteAlpha;                // tRNS of a palette picture
  bool interlaced = false;
};
Bytes EncodePng(const PngLayout& layout);

namespace harness {

// Writes the picture as build/screens/<name>.png beside the build tree
// that holds this program (build/<tree>/bin/x.exe) and answers the path.
std::wstring SaveScreenshot(const PngLayout& picture, const std::wstring& name);

}  // namespace harness
