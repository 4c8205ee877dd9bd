// Encoders that make BMP and JPEG files with known pixels for the tests
// (PNG files come from the harness's writer).
#pragma once

#include <cstdint>
#include <vector>

#include "tests/harness/PngWriter.h"

// An uncompressed BMP; pixels are $AARRGGBB, row by row from the top.
// 24 and 32 bits per pixel; the file is bottom-up unless topDown.
Bytes EncodeBmp(int bitsPerPixel, int width, int height, const std::vector<uint32_t>& pixels, bool topDown = false);

// A JPEG at quality 100 without chroma subsampling; rgb is R, G, B per pixel,
// or one byte per pixel when grey.
Bytes EncodeJpeg(int width, int height, const Bytes& samples, bool grey = false);
