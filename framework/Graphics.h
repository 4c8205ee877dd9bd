// Graphics: colours, geometry, GDI tool wrappers (font, pen, brush), the
// canvas over a device context, the abstract picture class and the 32-bit
// DIB bitmap. The PNG and JPEG pictures live in PngImage.h and JpegImage.h.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// ---------------------------------------------------------------- colours

// $00BBGGRR. Values with the top byte $FF name a system colour
// (the low byte is the GetSysColor index); ColorToRGB resolves them.
using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;

// The plain $00BBGGRR value of a colour (system colours looked up).
COLORREF ColorToRGB(TColor color);

// ---------------------------------------------------------------- geometry

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  RECT ToRECT() const { return RECT{Left, Top, Right, Bottom}; }
  static TRect FromRECT(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }
  bool operator==(const TRect&) const = default;
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

// Raised by the graphics classes on undecodable data or a failed GDI call.
struct EGraphicError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The whole content of a file; throws EGraphicError when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::wstring& path);

// ---------------------------------------------------------------- GDI tools

using TChangeEvent = std::function<void()>;

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;  // a set of TFontStyle bits

enum TFontPitch { fpDefault, fpVariable, fpFixed };

// What font, pen and brush share: the GDI handle, made on first use, and
// the change notification. Setters raise OnChange only on a real change.
// The old handle is deleted after the listeners ran, so that a canvas can
// select the new one before the one it has selected goes away. Copies
// take the values, never the handle or the listener.
template <class Handle>
class TGdiTool {
 public:
  TChangeEvent OnChange;

 protected:
  TGdiTool() = default;
  TGdiTool(const TGdiTool&) {}
  TGdiTool& operator=(const TGdiTool&) { return *this; }
  ~TGdiTool() {
    if (handle_) DeleteObject(handle_);
  }

  void Changed() {
    Handle old = handle_;
    handle_ = nullptr;
    if (OnChange) OnChange();
    if (old) DeleteObject(old);
  }
  template <class T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  mutable Handle handle_ = nullptr;
};

// A logical font. Height < 0 is the character height in pixels, Size the
// same in points at 96 dpi (Size = -Height * 72 / 96).
class TFont : public TGdiTool<HFONT> {
 public:
  TFont() = default;
  TFont(const TFont& other) : TGdiTool(other) { Assign(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }

  void Assign(const TFont& other);  // copies every value, raises OnChange once

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name) { Set(name_, name); }
  int Height() const { return height_; }
  void SetHeight(int height) { Set(height_, height); }
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color) { Set(color_, color); }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style) { Set(style_, style); }
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset) { Set(charset_, charset); }
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch) { Set(pitch_, pitch); }
  int Orientation() const { return orientation_; }  // tenths of a degree
  void SetOrientation(int orientation) { Set(orientation_, orientation); }

  HFONT Handle() const;  // owned by the font, valid until the next change

 private:
  std::wstring name_ = L"Tahoma";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  BYTE charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int orientation_ = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

class TPen : public TGdiTool<HPEN> {
 public:
  TPen() = default;
  TPen(const TPen& other) : TGdiTool(other) { Assign(other); }
  TPen& operator=(const TPen& other) {
    Assign(other);
    return *this;
  }

  void Assign(const TPen& other);
  TColor Color() const { return color_; }
  void SetColor(TColor color) { Set(color_, color); }
  int Width() const { return width_; }
  void SetWidth(int width) { Set(width_, width); }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style) { Set(style_, style); }

  HPEN Handle() const;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGdiTool<HBRUSH> {
 public:
  TBrush() = default;
  TBrush(const TBrush& other) : TGdiTool(other) { Assign(other); }
  TBrush& operator=(const TBrush& other) {
    Assign(other);
    return *this;
  }

  void Assign(const TBrush& other);
  TColor Color() const { return color_; }
  void SetColor(TColor color);  // also makes the style solid
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style) { Set(style_, style); }

  HBRUSH Handle() const;  // the null brush when clear

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

// ---------------------------------------------------------------- canvas

class TGraphic;

// Drawing on a device context with the current pen, brush and font. The
// canvas does not own the DC; it selects its tools into it before each
// drawing call and puts the DC's original objects back on SetHandle or
// destruction. Pen, Brush and Font report their changes to the canvas,
// which reselects them at once (their OnChange belongs to the canvas).
// Text is drawn on a transparent background when the brush is clear, else
// on the brush colour.
class TCanvas {
 public:
  explicit TCanvas(HDC dc = nullptr);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas();

  // The DC with the canvas's pen, brush, font and text colours selected.
  HDC Handle();
  void SetHandle(HDC dc);

  TPen Pen;
  TBrush Brush;
  TFont Font;


  void FillRect(const TRect& r);       // with the brush, no outline
  void FrameRect(const TRect& r);      // one-pixel border in the brush colour
  void Rectangle(const TRect& r);      // pen outline, brush fill
  void Ellipse(const TRect& r);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);           // the end pixel is not drawn
  void Polyline(std::span<const TPoint> points);

  void TextOut(int x, int y, const std::wstring& text);
  // Text clipped to r and drawn at (x, y).
  void TextRect(const TRect& r, int x, int y, const std::wstring& text);
  // DrawTextW with DT_* flags; returns the text height. With DT_CALCRECT
  // r is updated and nothing is drawn.
  int DrawText(const std::wstring& text, TRect& r, UINT flags);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text);
  int TextHeight(const std::wstring& text);

  // Draws a picture at its natural size; PNG alpha is blended per pixel.
  void Draw(int x, int y, const TGraphic& graphic);
  // Draws a picture stretched over r with area-averaging (halftone).
  void StretchDraw(const TRect& r, const TGraphic& graphic);
  // Copies src's srcRect to dest, stretched as CopyPixels does when the sizes differ.
  void CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect);

  TColor Pixel(int x, int y);  // clNone outside the DC's bitmap or clip
  void SetPixel(int x, int y, TColor color);

 protected:
  // Makes sure a DC is present (a subclass can create one on demand).
  virtual void RequireHandle() {}

 private:
  void SelectTools();
  void RestoreOriginalObjects();

  HDC dc_ = nullptr;
  HGDIOBJ old_pen_ = nullptr;
  HGDIOBJ old_brush_ = nullptr;
  HGDIOBJ old_font_ = nullptr;
  TPoint pen_pos_;
};

// ---------------------------------------------------------------- pictures

// A picture that knows its size, can be drawn on a canvas and loaded
// from the bytes of its file format.
class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }

  // Natural size at r.Left/r.Top when r has the picture's size, else stretched.
  virtual void Draw(TCanvas& canvas, const TRect& r) const = 0;

  // Copies another picture. A graphic of the same class is copied exactly;
  // other combinations are converted where that makes sense, else throw.
  virtual void Assign(const TGraphic& source) = 0;
  // A new picture of the same class holding a copy of this one.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // Decodes the file format; throws EGraphicError on bad data.
  virtual void LoadFromBytes(std::span<const uint8_t> bytes) = 0;
  void LoadFromFile(const std::wstring& path);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Raises OnChange; code that writes pixels directly calls it when done.
  void Changed();

  TChangeEvent OnChange;

 private:
  bool transparent_ = false;
};

// Draws straight (not premultiplied) BGRA pixels, width x height in top-down
// rows of uint32_t $AARRGGBB, onto the canvas over r: each pixel is blended
// over what the canvas holds by its alpha. When r has another size the
// pixels are first resampled by area averaging.
void DrawAlphaPixels(TCanvas& canvas, const TRect& r, const uint32_t* pixels, int width, int height);

// Copies src's srcRect to destRect of dest: 1:1 when the sizes agree,
// else stretched with area averaging (halftone), the same on every system.
void CopyPixels(HDC dest, const TRect& destRect, HDC src, const TRect& srcRect);

// Area-averaging resample of BGRA pixels (alpha-weighted, so transparent
// pixels do not darken their neighbours) to a new size.
std::vector<uint32_t> ResamplePixels(const uint32_t* pixels, int width, int height, int newWidth,
                                     int newHeight);

// A top-down DIB section of 24 or 32 bits per pixel, selected into its
// own memory DC. Rows are Stride() bytes apart.
class TDibSection {
 public:
  explicit TDibSection(int bitsPerPixel);
  TDibSection(const TDibSection&) = delete;
  TDibSection& operator=(const TDibSection&) = delete;
  ~TDibSection();

  int Width() const { return width_; }
  int Height() const { return height_; }
  size_t Stride() const { return stride_; }
  HDC DC() const { return dc_; }
  HBITMAP Handle() const { return bitmap_; }  // selected into DC()
  // Row y after pending GDI drawing is flushed. Throws std::out_of_range.
  uint8_t* Row(int y) const;
  // New size; the overlapping pixels are kept, new ones are zero. A size
  // of 0 in either direction releases the pixels.
  void Resize(int width, int height);

 private:
  void Release();

  int bits_per_pixel_;
  int width_ = 0;
  int height_ = 0;
  size_t stride_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  uint8_t* bits_ = nullptr;
};

enum TPixelFormat { pf24bit, pf32bit };

// A 32-bit top-down DIB section with its own memory DC. ScanLine(y) is
// width pixels of uint32_t $AARRGGBB (bytes B, G, R, A in memory). With
// Transparent set, drawing leaves out the colour of the bottom-left pixel.
// PixelFormat records whether the fourth byte carries meaning (pf32bit:
// drawn with per-pixel alpha) or not (pf24bit).
class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  TBitmap(int width, int height);

  int Width() const override { return dib_.Width(); }
  int Height() const override { return dib_.Height(); }
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  // New size; the overlapping pixels are kept, new pixels are black.
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return pixel_format_; }
  void SetPixelFormat(TPixelFormat format);

  TCanvas& Canvas();
  HBITMAP Handle() const { return dib_.Handle(); }  // selected into the canvas's DC

  uint32_t* ScanLine(int y) { return reinterpret_cast<uint32_t*>(dib_.Row(y)); }
  const uint32_t* ScanLine(int y) const { return reinterpret_cast<const uint32_t*>(dib_.Row(y)); }

  TColor TransparentColor() const;  // the bottom-left pixel

  void Draw(TCanvas& canvas, const TRect& r) const override;
  // From a bitmap: an exact copy. Anything else is drawn onto white.
  void Assign(const TGraphic& source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // BMP files: 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed or with
  // bit fields, bottom-up or top-down.
  void LoadFromBytes(std::span<const uint8_t> bytes) override;

 private:
  TDibSection dib_{32};
  TPixelFormat pixel_format_ = pf24bit;
  std::unique_ptr<TCanvas> canvas_;
};

