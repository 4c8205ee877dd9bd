#include "tests/framework/picture_encoders.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

void PutU16(Bytes& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back(v >> 8 & 0xFF);
}

void PutU32(Bytes& b, uint32_t v) {
  PutU16(b, v & 0xFFFF);
  PutU16(b, v >> 16);
}

}  // namespace

Bytes EncodeBmp(int bitsPerPixel, int width, int height, const std::vector<uint32_t>& pixels, bool topDown) {
  const int bytesPerPixel = bitsPerPixel / 8;
  const uint32_t stride = (width * bytesPerPixel + 3) & ~3u;
  Bytes b{'B', 'M'};
  PutU32(b, 54 + stride * height);
  PutU32(b, 0);
  PutU32(b, 54);
  PutU32(b, 40);
  PutU32(b, width);
  PutU32(b, topDown ? -height : height);
  PutU16(b, 1);
  PutU16(b, bitsPerPixel);
  for (int i = 0; i < 6; ++i) PutU32(b, 0);  // BI_RGB, sizes, resolution, colours
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    size_t start = b.size();
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[y * width + x];
      for (int i = 0; i < bytesPerPixel; ++i) b.push_back(p >> (8 * i) & 0xFF);
    }
    b.resize(start + stride, 0);
  }
  return b;
}

Bytes EncodeJpeg(int width, int height, const Bytes& samples, bool grey) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  for (int i = 0; i < info.num_components; ++i) info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&info, TRUE);
  const int stride = width * info.input_components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&samples[info.next_scanline * stride]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}
