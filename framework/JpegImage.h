// TJPEGImage: a JPEG picture decoded with libjpeg.
#pragma once

#include "framework/Graphics.h"

// A JPEG picture, decoded once into an opaque 32-bit bitmap that is drawn
// like any bitmap. Greyscale and colour (YCbCr, RGB) files are read; CMYK
// files are refused.
class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  const TBitmap& Bitmap() const { return bitmap_; }

  void Draw(TCanvas& canvas, const TRect& r) const override;
  // From a JPEG: a copy. Anything else: drawn onto white.
  void Assign(const TGraphic& source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  void LoadFromBytes(std::span<const uint8_t> bytes) override;

 private:
  TBitmap bitmap_;
};
