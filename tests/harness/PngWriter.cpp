#include "tests/harness/PngWriter.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace {

void Append(png_structp png, png_bytep data, size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

// libpng reports errors by longjmp back to the setjmp here. This function
// holds no object with a destructor, so the jump skips nothing.
bool Write(png_structp png, png_infop info, const PngLayout& layout, png_bytepp rows, Bytes* out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, Append, Flush);
  png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!layout.palette.empty())
    png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
  if (!layout.paletteAlpha.empty())
    png_set_tRNS(png, info, layout.paletteAlpha.data(), static_cast<int>(layout.paletteAlpha.size()), nullptr);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  return true;
}

}  // namespace

Bytes EncodePng(const PngLayout& layout) {
  std::vector<png_bytep> rows;
  for (const Bytes& row : layout.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const bool written = info && Write(png, info, layout, rows.data(), &out);
  png_destroy_write_struct(&png, &info);
  if (!written) throw std::runtime_error("PNG encoding failed");
  return out;
}

namespace harness {

std::wstring SaveScreenshot(const PngLayout& picture, const std::wstring& name) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir = exe;
  for (int i = 0; i < 3; ++i) dir = dir.substr(0, dir.find_last_of(L"\\/"));
  dir += L"\\screens";
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring path = dir + L"\\" + name + L".png";
  const Bytes bytes = EncodePng(picture);
  FILE* file = _wfopen(path.c_str(), L"wb");
  const bool written = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file) fclose(file);
  if (!written) throw std::runtime_error("cannot write the screenshot file");
  return path;
}

}  // namespace harness
