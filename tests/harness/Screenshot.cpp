// Writing bitmaps as PNG files for the screenshots of the GUI tests.
#include <png.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "tests/harness/Harness.h"

namespace harness {

void SavePng(const TBitmap& bitmap, const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) throw std::runtime_error("cannot create the screenshot file");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    fclose(file);
    throw std::runtime_error("writing the screenshot failed");
  }
  const int width = bitmap.Width(), height = bitmap.Height();
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    const uint32_t* pixels = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<png_byte>(pixels[x] >> 16);
      row[x * 3 + 1] = static_cast<png_byte>(pixels[x] >> 8);
      row[x * 3 + 2] = static_cast<png_byte>(pixels[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  fclose(file);
}

// build/screens beside the build tree that holds this program (build/<tree>/bin/x.exe).
std::wstring SaveScreenshot(const TBitmap& bitmap, const std::wstring& name) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir = exe;
  for (int i = 0; i < 3; ++i) dir = dir.substr(0, dir.find_last_of(L"\\/"));
  dir += L"\\screens";
  CreateDirectoryW(dir.c_str(), nullptr);
  std::wstring path = dir + L"\\" + name + L".png";
  SavePng(bitmap, path);
  return path;
}

}  // namespace harness
