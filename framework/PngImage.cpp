#include "framework/PngImage.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr png_uint_32 kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 32u << 20;

// The bytes being decoded and the last error libpng reported.
struct PngSource {
  std::span<const uint8_t> bytes;
  size_t position = 0;
  char message[160] = "PNG data is invalid";
};

void ReadData(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > source->bytes.size() - source->position) png_error(png, "PNG data is truncated");
  std::memcpy(out, source->bytes.data() + source->position, count);
  source->position += count;
}

void RecordError(png_structp png, png_const_charp message) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::snprintf(source->message, sizeof source->message, "PNG: %s", message);
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp back into the function that called
// setjmp. These two functions hold no object with a destructor, so the
// jump skips nothing that needs cleaning up.

// Reads the header and asks for 8-bit B, G, R (and A) samples whatever the
// stored colour type and depth.
bool ReadHeader(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

bool ReadRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

bool ValidPair(TPngColorType type, int depth) {
  switch (type) {
    case COLOR_GRAYSCALE:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case COLOR_PALETTE:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case COLOR_RGB:
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA:
      return depth == 8 || depth == 16;
  }
  return false;
}

}  // namespace

void TPngImage::Reset(int width, int height, bool alpha) {
  dib_.Resize(0, 0);
  dib_.Resize(width, height);
  alpha_.assign(alpha ? static_cast<size_t>(Width()) * Height() : 0, 0);
}

void TPngImage::CreateBlank(TPngColorType colorType, int bitDepth, int width, int height) {
  if (!ValidPair(colorType, bitDepth)) throw EGraphicError("invalid PNG colour type and bit depth");
  if (width <= 0 || height <= 0) throw EGraphicError("invalid PNG size");
  Reset(width, height, colorType == COLOR_RGBALPHA || colorType == COLOR_GRAYSCALEALPHA);
  Changed();
}

void TPngImage::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  const int oldWidth = Width();
  const int oldHeight = Height();
  dib_.Resize(width, height);
  if (HasAlpha()) {
    std::vector<uint8_t> alpha(static_cast<size_t>(Width()) * Height(), 0);
    for (int y = 0; y < std::min(oldHeight, Height()); ++y)
      std::memcpy(&alpha[static_cast<size_t>(y) * Width()], &alpha_[static_cast<size_t>(y) * oldWidth],
                  std::min(oldWidth, Width()));
    alpha_ = std::move(alpha);
  }
  Changed();
}

void TPngImage::CreateAlpha() {
  if (HasAlpha() || Empty()) return;
  alpha_.assign(static_cast<size_t>(Width()) * Height(), 255);
  Changed();
}

void TPngImage::RemoveAlpha() {
  if (!HasAlpha()) return;
  alpha_.clear();
  Changed();
}

uint8_t* TPngImage::Scanline(int y) { return dib_.Row(y); }

const uint8_t* TPngImage::Scanline(int y) const { return dib_.Row(y); }

uint8_t* TPngImage::AlphaScanline(int y) {
  if (!HasAlpha()) return nullptr;
  if (y < 0 || y >= Height()) throw std::out_of_range("alpha scan line index out of range");
  return &alpha_[static_cast<size_t>(y) * Width()];
}

const uint8_t* TPngImage::AlphaScanline(int y) const { return const_cast<TPngImage*>(this)->AlphaScanline(y); }

TCanvas& TPngImage::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(dib_.DC());
  return *canvas_;
}

std::vector<uint32_t> TPngImage::Pixels() const {
  std::vector<uint32_t> pixels(static_cast<size_t>(Width()) * Height());
  uint32_t* out = pixels.data();
  for (int y = 0; y < Height(); ++y) {
    const uint8_t* row = Scanline(y);
    const uint8_t* alpha = AlphaScanline(y);
    for (int x = 0; x < Width(); ++x, row += 3) {
      const uint32_t a = alpha ? alpha[x] : 255;
      *out++ = a << 24 | uint32_t{row[2]} << 16 | uint32_t{row[1]} << 8 | row[0];
    }
  }
  return pixels;
}

void TPngImage::Draw(TCanvas& canvas, const TRect& r) const {
  if (Empty() || r.IsEmpty()) return;
  if (HasAlpha())
    DrawAlphaPixels(canvas, r, Pixels().data(), Width(), Height());
  else
    CopyPixels(canvas.Handle(), r, dib_.DC(), Bounds(0, 0, Width(), Height()));
}

void TPngImage::Assign(const TGraphic& source) {
  if (&source == this) return;
  if (auto* png = dynamic_cast<const TPngImage*>(&source)) {
    Reset(png->Width(), png->Height(), png->HasAlpha());
    for (int y = 0; y < Height(); ++y) std::memcpy(Scanline(y), png->Scanline(y), Width() * 3u);
    alpha_ = png->alpha_;
  } else if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
    const bool keyed = bitmap->PixelFormat() != pf32bit && bitmap->Transparent();
    Reset(bitmap->Width(), bitmap->Height(), bitmap->PixelFormat() == pf32bit || keyed);
    const COLORREF key = ColorToRGB(bitmap->TransparentColor());
    const uint32_t keyPixel = (key & 0xFF) << 16 | (key & 0xFF00) | (key >> 16 & 0xFF);
    for (int y = 0; y < Height(); ++y) {
      const uint32_t* in = bitmap->ScanLine(y);
      uint8_t* row = Scanline(y);
      uint8_t* alpha = AlphaScanline(y);
      for (int x = 0; x < Width(); ++x) {
        row[x * 3] = in[x] & 0xFF;
        row[x * 3 + 1] = in[x] >> 8 & 0xFF;
        row[x * 3 + 2] = in[x] >> 16 & 0xFF;
        if (keyed)
          alpha[x] = (in[x] & 0xFFFFFF) == keyPixel ? 0 : 255;
        else if (alpha)
          alpha[x] = in[x] >> 24;
      }
    }
  } else {
    Reset(source.Width(), source.Height(), false);
    Canvas().Draw(0, 0, source);
  }
  Changed();
}

std::unique_ptr<TGraphic> TPngImage::Clone() const {
  auto copy = std::make_unique<TPngImage>();
  copy->Assign(*this);
  return copy;
}

void TPngImage::LoadFromBytes(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) throw EGraphicError("not a PNG file");
  PngSource source{bytes};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, RecordError, IgnoreWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  struct Cleanup {
    png_structp& png;
    png_infop& info;
    ~Cleanup() { png_destroy_read_struct(&png, &info, nullptr); }
  } cleanup{png, info};
  if (!info) throw EGraphicError("out of memory for PNG decoding");
  png_set_read_fn(png, &source, ReadData);
  png_set_user_limits(png, kMaxSide, kMaxSide);

  if (!ReadHeader(png, info)) throw EGraphicError(source.message);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int channels = png_get_channels(png, info);
  if (uint64_t{width} * height > kMaxPixels) throw EGraphicError("PNG picture is too large");
  const size_t rowBytes = png_get_rowbytes(png, info);
  std::vector<uint8_t> pixels(rowBytes * height);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + rowBytes * y;
  if (!ReadRows(png, rows.data())) throw EGraphicError(source.message);

  // Split the interleaved samples into colour rows and alpha rows.
  Reset(static_cast<int>(width), static_cast<int>(height), channels == 4);
  for (int y = 0; y < Height(); ++y) {
    const uint8_t* in = rows[y];
    uint8_t* row = Scanline(y);
    uint8_t* alpha = AlphaScanline(y);
    for (int x = 0; x < Width(); ++x, in += channels) {
      std::memcpy(row + x * 3, in, 3);
      if (alpha) alpha[x] = in[3];
    }
  }
  Changed();
}
