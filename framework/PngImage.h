// TPngImage: a PNG picture decoded with libpng.
#pragma once

#include "framework/Graphics.h"

// The colour types of the PNG format (the values of its IHDR field).
enum TPngColorType : uint8_t {
  COLOR_GRAYSCALE = 0,
  COLOR_RGB = 2,
  COLOR_PALETTE = 3,
  COLOR_GRAYSCALEALPHA = 4,
  COLOR_RGBALPHA = 6,
};

// A PNG picture held as rows of 8-bit colour bytes (B, G, R per pixel, in
// a 24-bit DIB section that Canvas draws on) plus, when the picture has
// transparency, a separate row of 8-bit alpha values per line. Every colour
// type and depth is brought to this form when decoded: palette and grey
// pictures are expanded, 16-bit samples scaled to 8 bits, and a tRNS chunk
// becomes alpha. Drawing blends each pixel by its alpha; drawing on Canvas
// changes only the colour bytes.
class TPngImage : public TGraphic {
 public:
  TPngImage() = default;

  // A black picture of the given size; alpha 0 everywhere when the colour
  // type has alpha. The type and depth must be a valid PNG pair.
  void CreateBlank(TPngColorType colorType, int bitDepth, int width, int height);

  int Width() const override { return dib_.Width(); }
  int Height() const override { return dib_.Height(); }
  bool HasAlpha() const { return !alpha_.empty(); }
  // What the rows hold: COLOR_RGBALPHA with an alpha channel, else COLOR_RGB.
  TPngColorType ColorType() const { return HasAlpha() ? COLOR_RGBALPHA : COLOR_RGB; }

  // New size; the overlapping pixels are kept, new pixels are black (and
  // transparent when there is alpha).
  void SetSize(int width, int height);
  void CreateAlpha();  // adds an opaque alpha channel (no-op when present)
  void RemoveAlpha();

  // 3 * Width bytes B, G, R. Throws std::out_of_range for a bad row.
  uint8_t* Scanline(int y);
  const uint8_t* Scanline(int y) const;
  // Width alpha bytes, or null when the picture has no alpha.
  uint8_t* AlphaScanline(int y);
  const uint8_t* AlphaScanline(int y) const;

  TCanvas& Canvas();
  // Straight B, G, R, A pixels as uint32_t $AARRGGBB, top-down (alpha 255
  // without an alpha channel): the form DrawAlphaPixels takes.
  std::vector<uint32_t> Pixels() const;

  void Draw(TCanvas& canvas, const TRect& r) const override;
  // From a PNG: an exact copy. From a bitmap: its pixels, with alpha from a
  // 32-bit bitmap's fourth byte or from a transparent bitmap's key colour.
  // Anything else: drawn onto black, opaque.
  void Assign(const TGraphic& source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  void LoadFromBytes(std::span<const uint8_t> bytes) override;

 private:
  void Reset(int width, int height, bool alpha);  // black, transparent

  TDibSection dib_{24};
  std::vector<uint8_t> alpha_;
  std::unique_ptr<TCanvas> canvas_;
};
