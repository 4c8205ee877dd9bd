#include "framework/Graphics.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>


COLORREF ColorToRGB(TColor color) {
  if ((color & 0xFF000000) == clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

// ---------------------------------------------------------------- font, pen, brush

void TFont::Assign(const TFont& other) {
  if (this == &other) return;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  pitch_ = other.pitch_;
  orientation_ = other.orientation_;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

HFONT TFont::Handle() const {
  if (!handle_) {
    static constexpr BYTE kPitch[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    handle_ = CreateFontW(height_, 0, orientation_, orientation_, (style_ & fsBold) ? FW_BOLD : FW_NORMAL,
                          (style_ & fsItalic) != 0, (style_ & fsUnderline) != 0, (style_ & fsStrikeOut) != 0,
                          charset_, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          kPitch[pitch_] | FF_DONTCARE, name_.c_str());
  }
  return handle_;
}

void TPen::Assign(const TPen& other) {
  if (this == &other) return;
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  Changed();
}

HPEN TPen::Handle() const {
  if (!handle_) {
    static constexpr int kStyle[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
    handle_ = CreatePen(kStyle[style_], width_, ColorToRGB(color_));
  }
  return handle_;
}

void TBrush::Assign(const TBrush& other) {
  if (this == &other) return;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

void TBrush::SetColor(TColor color) {
  if (color_ == color && style_ == bsSolid) return;
  color_ = color;
  style_ = bsSolid;
  Changed();
}

HBRUSH TBrush::Handle() const {
  if (style_ == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!handle_) handle_ = CreateSolidBrush(ColorToRGB(color_));
  return handle_;
}

// ---------------------------------------------------------------- TCanvas

TCanvas::TCanvas(HDC dc) {
  Pen.OnChange = Brush.OnChange = Font.OnChange = [this] { SelectTools(); };
  SetHandle(dc);
}

TCanvas::~TCanvas() { RestoreOriginalObjects(); }

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  RestoreOriginalObjects();
  dc_ = dc;
  SelectTools();
}

HDC TCanvas::Handle() {
  RequireHandle();
  SelectTools();
  return dc_;
}

void TCanvas::SelectTools() {
  if (!dc_) return;
  HGDIOBJ pen = SelectObject(dc_, Pen.Handle());
  HGDIOBJ brush = SelectObject(dc_, Brush.Handle());
  HGDIOBJ font = SelectObject(dc_, Font.Handle());
  if (!old_pen_) old_pen_ = pen;
  if (!old_brush_) old_brush_ = brush;
  if (!old_font_) old_font_ = font;
  SetTextColor(dc_, ColorToRGB(Font.Color()));
  SetBkColor(dc_, ColorToRGB(Brush.Color()));
  SetBkMode(dc_, Brush.Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::RestoreOriginalObjects() {
  if (!dc_) return;
  if (old_pen_) SelectObject(dc_, old_pen_);
  if (old_brush_) SelectObject(dc_, old_brush_);
  if (old_font_) SelectObject(dc_, old_font_);
  old_pen_ = old_brush_ = old_font_ = nullptr;
}

void TCanvas::FillRect(const TRect& r) {
  RECT rc = r.ToRECT();
  HDC dc = Handle();
  if (Brush.Style() != bsClear) ::FillRect(dc, &rc, Brush.Handle());
}

void TCanvas::FrameRect(const TRect& r) {
  RECT rc = r.ToRECT();
  HDC dc = Handle();
  if (Brush.Style() != bsClear) ::FrameRect(dc, &rc, Brush.Handle());
}

void TCanvas::Rectangle(const TRect& r) { ::Rectangle(Handle(), r.Left, r.Top, r.Right, r.Bottom); }

void TCanvas::Ellipse(const TRect& r) { ::Ellipse(Handle(), r.Left, r.Top, r.Right, r.Bottom); }

void TCanvas::MoveTo(int x, int y) {
  MoveToEx(Handle(), x, y, nullptr);
  pen_pos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  HDC dc = Handle();
  MoveToEx(dc, pen_pos_.X, pen_pos_.Y, nullptr);
  ::LineTo(dc, x, y);
  pen_pos_ = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  std::vector<POINT> pts;
  pts.reserve(points.size());
  for (TPoint p : points) pts.push_back(POINT{p.X, p.Y});
  ::Polyline(Handle(), pts.data(), static_cast<int>(pts.size()));
  if (!points.empty()) pen_pos_ = points.back();
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  ExtTextOutW(Handle(), x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::wstring& text) {
  RECT rc = r.ToRECT();
  HDC dc = Handle();
  UINT options = ETO_CLIPPED | (Brush.Style() == bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutW(dc, x, y, options, &rc, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::wstring& text, TRect& r, UINT flags) {
  RECT rc = r.ToRECT();
  int height = ::DrawTextW(Handle(), text.c_str(), static_cast<int>(text.size()), &rc, flags);
  if (flags & DT_CALCRECT) r = TRect::FromRECT(rc);
  return height;
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(Handle(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

int TCanvas::TextWidth(const std::wstring& text) { return TextExtent(text).cx; }

int TCanvas::TextHeight(const std::wstring& text) { return TextExtent(text).cy; }

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  if (!graphic.Empty()) graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic& graphic) {
  if (!graphic.Empty() && !r.IsEmpty()) graphic.Draw(*this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect) {
  CopyPixels(Handle(), dest, src.Handle(), srcRect);
}

TColor TCanvas::Pixel(int x, int y) {
  COLORREF c = GetPixel(Handle(), x, y);
  return c == CLR_INVALID ? clNone : c;
}

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }

// ---------------------------------------------------------------- TGraphic

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) throw EGraphicError("cannot open file");
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void TGraphic::LoadFromFile(const std::wstring& path) { LoadFromBytes(ReadFileBytes(path)); }

void TGraphic::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Changed();
}

void TGraphic::Changed() {
  if (OnChange) OnChange();
}

// ---------------------------------------------------------------- alpha drawing

namespace {

// For each target index: the first source index it covers and the share of
// each covered source pixel (shares sum to 1).
struct AxisWeights {
  int first = 0;
  std::vector<float> shares;
};

std::vector<AxisWeights> WeightsFor(int source, int target) {
  std::vector<AxisWeights> result(target);
  const double scale = static_cast<double>(source) / target;
  for (int t = 0; t < target; ++t) {
    const double a = t * scale;
    const double b = (t + 1) * scale;
    const int first = static_cast<int>(std::floor(a));
    const int last = std::min(source - 1, static_cast<int>(std::ceil(b)) - 1);
    result[t].first = first;
    for (int k = first; k <= last; ++k) {
      const double overlap = std::min(b, k + 1.0) - std::max(a, static_cast<double>(k));
      result[t].shares.push_back(static_cast<float>(overlap / scale));
    }
  }
  return result;
}

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

std::vector<uint32_t> ResamplePixels(const uint32_t* pixels, int width, int height, int newWidth,
                                     int newHeight) {
  // Premultiplied channels B, G, R, A per pixel; first along x, then along y.
  const auto wx = WeightsFor(width, newWidth);
  const auto wy = WeightsFor(height, newHeight);
  std::vector<float> rows(static_cast<size_t>(newWidth) * height * 4, 0.0f);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = pixels + static_cast<size_t>(y) * width;
    float* out = &rows[static_cast<size_t>(y) * newWidth * 4];
    for (int t = 0; t < newWidth; ++t, out += 4) {
      for (size_t i = 0; i < wx[t].shares.size(); ++i) {
        const uint32_t p = src[wx[t].first + i];
        const float a = static_cast<float>(p >> 24);
        const float s = wx[t].shares[i];
        out[0] += s * a * (p & 0xFF);
        out[1] += s * a * ((p >> 8) & 0xFF);
        out[2] += s * a * ((p >> 16) & 0xFF);
        out[3] += s * a;
      }
    }
  }
  std::vector<uint32_t> result(static_cast<size_t>(newWidth) * newHeight);
  for (int t = 0; t < newHeight; ++t) {
    for (int x = 0; x < newWidth; ++x) {
      float sum[4] = {0, 0, 0, 0};
      for (size_t i = 0; i < wy[t].shares.size(); ++i) {
        const float* in = &rows[(static_cast<size_t>(wy[t].first + i) * newWidth + x) * 4];
        for (int c = 0; c < 4; ++c) sum[c] += wy[t].shares[i] * in[c];
      }
      uint32_t value = 0;
      if (sum[3] > 0.0f) {
        value = static_cast<uint32_t>(ToByte(sum[3])) << 24 | static_cast<uint32_t>(ToByte(sum[2] / sum[3])) << 16 |
                static_cast<uint32_t>(ToByte(sum[1] / sum[3])) << 8 | ToByte(sum[0] / sum[3]);
      }
      result[static_cast<size_t>(t) * newWidth + x] = value;
    }
  }
  return result;
}

// The canvas's pixels under r are copied into a scratch bitmap, blended
// there and copied back, so this works on any DC (window, memory, DIB).
void DrawAlphaPixels(TCanvas& canvas, const TRect& r, const uint32_t* pixels, int width, int height) {
  if (r.IsEmpty() || width <= 0 || height <= 0) return;
  std::vector<uint32_t> resampled;
  if (r.Width() != width || r.Height() != height) {
    resampled = ResamplePixels(pixels, width, height, r.Width(), r.Height());
    pixels = resampled.data();
  }
  TBitmap scratch(r.Width(), r.Height());
  HDC dc = canvas.Handle();
  BitBlt(scratch.Canvas().Handle(), 0, 0, r.Width(), r.Height(), dc, r.Left, r.Top, SRCCOPY);
  for (int y = 0; y < r.Height(); ++y) {
    uint32_t* dst = scratch.ScanLine(y);
    const uint32_t* src = pixels + static_cast<size_t>(y) * r.Width();
    for (int x = 0; x < r.Width(); ++x) {
      const uint32_t a = src[x] >> 24;
      if (a == 0) continue;
      if (a == 255) {
        dst[x] = src[x];
        continue;
      }
      uint32_t out = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (src[x] >> shift) & 0xFF;
        const uint32_t d = (dst[x] >> shift) & 0xFF;
        out |= ((s * a + d * (255 - a) + 127) / 255) << shift;
      }
      dst[x] = out;
    }
  }
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), scratch.Canvas().Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- TDibSection

namespace {

BITMAPINFO TopDownInfo(int width, int height, int bitsPerPixel) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}

}  // namespace

TDibSection::TDibSection(int bitsPerPixel) : bits_per_pixel_(bitsPerPixel) { dc_ = CreateCompatibleDC(nullptr); }

TDibSection::~TDibSection() {
  Release();
  DeleteDC(dc_);
}

void TDibSection::Release() {
  if (!bitmap_) return;
  SelectObject(dc_, old_bitmap_);
  DeleteObject(bitmap_);
  bitmap_ = nullptr;
  old_bitmap_ = nullptr;
  bits_ = nullptr;
}

uint8_t* TDibSection::Row(int y) const {
  if (y < 0 || y >= height_) throw std::out_of_range("scan line index out of range");
  GdiFlush();
  return bits_ + stride_ * y;
}

void TDibSection::Resize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (width <= 0 || height <= 0) {
    Release();
    width_ = height_ = 0;
    stride_ = 0;
    return;
  }
  const BITMAPINFO bmi = TopDownInfo(width, height, bits_per_pixel_);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) throw EGraphicError("cannot create a bitmap of that size");
  const size_t stride = (static_cast<size_t>(width) * bits_per_pixel_ + 31) / 32 * 4;
  auto* fresh = static_cast<uint8_t*>(bits);
  std::memset(fresh, 0, stride * height);
  if (bits_) {
    GdiFlush();
    const size_t rowBytes = std::min(stride, stride_);
    for (int y = 0; y < std::min(height, height_); ++y) std::memcpy(fresh + stride * y, bits_ + stride_ * y, rowBytes);
  }
  Release();
  bitmap_ = bitmap;
  bits_ = fresh;
  old_bitmap_ = SelectObject(dc_, bitmap_);
  width_ = width;
  height_ = height;
  stride_ = stride;
}

// GDI's own halftone stretching differs between systems (Wine picks
// nearest pixels), so stretching is done here by area averaging, the same
// everywhere.
void CopyPixels(HDC dest, const TRect& destRect, HDC src, const TRect& srcRect) {
  if (destRect.Width() == srcRect.Width() && destRect.Height() == srcRect.Height()) {
    BitBlt(dest, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), src, srcRect.Left, srcRect.Top,
           SRCCOPY);
    return;
  }
  if (destRect.IsEmpty() || srcRect.IsEmpty()) return;
  TBitmap source(srcRect.Width(), srcRect.Height());
  BitBlt(source.Canvas().Handle(), 0, 0, srcRect.Width(), srcRect.Height(), src, srcRect.Left, srcRect.Top,
         SRCCOPY);
  std::vector<uint32_t> pixels(source.ScanLine(0), source.ScanLine(0) + size_t{1} * srcRect.Width() * srcRect.Height());
  for (uint32_t& p : pixels) p |= 0xFF000000;  // GDI leaves the fourth byte undefined
  const std::vector<uint32_t> stretched =
      ResamplePixels(pixels.data(), srcRect.Width(), srcRect.Height(), destRect.Width(), destRect.Height());
  const BITMAPINFO bmi = TopDownInfo(destRect.Width(), destRect.Height(), 32);
  SetDIBitsToDevice(dest, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), 0, 0, 0,
                    destRect.Height(), stretched.data(), &bmi, DIB_RGB_COLORS);
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap(int width, int height) { dib_.Resize(width, height); }

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  dib_.Resize(width, height);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (pixel_format_ == format) return;
  pixel_format_ = format;
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(dib_.DC());
  return *canvas_;
}

TColor TBitmap::TransparentColor() const {
  if (Empty()) return clNone;
  const uint32_t p = ScanLine(Height() - 1)[0];
  return (p & 0xFF) << 16 | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) const {
  if (Empty() || r.IsEmpty()) return;
  if (pixel_format_ == pf32bit) {
    DrawAlphaPixels(canvas, r, ScanLine(0), Width(), Height());
  } else if (Transparent()) {
    TransparentBlt(canvas.Handle(), r.Left, r.Top, r.Width(), r.Height(), dib_.DC(), 0, 0, Width(), Height(),
                   ColorToRGB(TransparentColor()));
  } else {
    CopyPixels(canvas.Handle(), r, dib_.DC(), Bounds(0, 0, Width(), Height()));
  }
}

void TBitmap::Assign(const TGraphic& source) {
  if (&source == this) return;
  dib_.Resize(0, 0);
  dib_.Resize(source.Width(), source.Height());
  if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
    if (!Empty()) std::memcpy(ScanLine(0), bitmap->ScanLine(0), dib_.Stride() * Height());
    pixel_format_ = bitmap->pixel_format_;
  } else {
    pixel_format_ = pf24bit;
    Canvas().Brush.SetColor(clWhite);
    Canvas().FillRect(Bounds(0, 0, Width(), Height()));
    Canvas().Draw(0, 0, source);
  }
  SetTransparent(source.Transparent());
  Changed();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(*this);
  return copy;
}

// ---------------------------------------------------------------- BMP files

namespace {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool Has(size_t offset, size_t count) const { return offset <= bytes_.size() && count <= bytes_.size() - offset; }
  uint32_t U16(size_t offset) const { return Need(offset, 2), bytes_[offset] | bytes_[offset + 1] << 8; }
  uint32_t U32(size_t offset) const { return Need(offset, 4), U16(offset) | U16(offset + 2) << 16; }
  const uint8_t* At(size_t offset, size_t count) const { return Need(offset, count), bytes_.data() + offset; }

 private:
  void Need(size_t offset, size_t count) const {
    if (!Has(offset, count)) throw EGraphicError("bitmap file is truncated");
  }
  std::span<const uint8_t> bytes_;
};

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (!mask) return;
    while (!((mask >> shift) & 1)) ++shift;
    max = mask >> shift;
  }
  uint32_t Get(uint32_t v) const { return max ? ((v & mask) >> shift) * 255 / max : 0; }
};

}  // namespace

void TBitmap::LoadFromBytes(std::span<const uint8_t> bytes) {
  ByteReader in(bytes);
  if (!in.Has(0, 2) || bytes[0] != 'B' || bytes[1] != 'M') throw EGraphicError("not a bitmap file");
  const uint32_t dataOffset = in.U32(10);
  const uint32_t headerSize = in.U32(14);
  if (headerSize < 40) throw EGraphicError("unsupported bitmap header");
  const int32_t width = static_cast<int32_t>(in.U32(18));
  const int32_t rawHeight = static_cast<int32_t>(in.U32(22));
  const uint32_t bpp = in.U16(28);
  const uint32_t compression = in.U32(30);
  const uint32_t colorsUsed = in.U32(46);
  constexpr int32_t kMaxSide = 32768;
  if (width <= 0 || width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide || rawHeight > kMaxSide)
    throw EGraphicError("bad bitmap size");
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  const bool bitfields = compression == BI_BITFIELDS && (bpp == 16 || bpp == 32);
  if (compression != BI_RGB && !bitfields) throw EGraphicError("compressed bitmaps are not supported");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    throw EGraphicError("unsupported bitmap depth");

  // Masks follow a 40-byte header, or sit inside the larger header versions.
  Channel red(0x7C00), green(0x03E0), blue(0x001F), alpha(0);
  if (bpp == 32) red = Channel(0xFF0000), green = Channel(0xFF00), blue = Channel(0xFF), alpha = Channel(0xFF000000);
  if (bitfields) {
    red = Channel(in.U32(54)), green = Channel(in.U32(58)), blue = Channel(in.U32(62));
    alpha = Channel(headerSize >= 56 ? in.U32(66) : 0);
  }
  std::vector<uint32_t> palette;
  if (bpp <= 8) {
    const uint32_t count = colorsUsed ? colorsUsed : 1u << bpp;
    if (count > 256) throw EGraphicError("bad bitmap palette");
    const size_t start = 14 + headerSize;
    const uint8_t* entries = in.At(start, count * 4);
    for (uint32_t i = 0; i < count; ++i)
      palette.push_back(0xFF000000 | entries[i * 4 + 2] << 16 | entries[i * 4 + 1] << 8 | entries[i * 4]);
    palette.resize(256, 0xFF000000);
  }
  const size_t stride = (static_cast<size_t>(width) * bpp + 31) / 32 * 4;
  const uint8_t* data = in.At(dataOffset, stride * height);

  dib_.Resize(0, 0);
  dib_.Resize(width, height);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = data + stride * (topDown ? y : height - 1 - y);
    uint32_t* out = ScanLine(y);
    for (int x = 0; x < width; ++x) {
      uint32_t p;
      if (bpp <= 8) {
        const uint32_t bit = static_cast<uint32_t>(x) * bpp;
        const uint32_t index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
        p = palette[index];
      } else if (bpp == 24) {
        p = 0xFF000000 | row[x * 3 + 2] << 16 | row[x * 3 + 1] << 8 | row[x * 3];
      } else {
        const uint8_t* b = row + x * (bpp / 8);
        const uint32_t v = bpp == 16 ? b[0] | b[1] << 8 : b[0] | b[1] << 8 | b[2] << 16 | uint32_t{b[3]} << 24;
        const uint32_t a = alpha.Get(v);
        anyAlpha |= a != 0;
        p = a << 24 | red.Get(v) << 16 | green.Get(v) << 8 | blue.Get(v);
      }
      out[x] = p;
    }
  }
  // A 32-bit file whose fourth byte is zero everywhere carries no alpha.
  pixel_format_ = anyAlpha ? pf32bit : pf24bit;
  Changed();
}
