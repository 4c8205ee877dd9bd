// Encoders that make picture files with known pixels for the tests.
#pragma once

#include <png.h>

#include <cstdint>
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

// An uncompressed BMP; pixels are $AARRGGBB, row by row from the top.
// 24 and 32 bits per pixel; the file is bottom-up unless topDown.
Bytes EncodeBmp(int bitsPerPixel, int width, int height, const std::vector<uint32_t>& pixels, bool topDown = false);

// A JPEG at quality 100 without chroma subsampling; rgb is R, G, B per pixel,
// or one byte per pixel when grey.
Bytes EncodeJpeg(int width, int height, const Bytes& samples, bool grey = false);
