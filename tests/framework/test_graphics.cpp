#include <gtest/gtest.h>

#include "framework/Graphics.h"
#include "framework/PngImage.h"
#include "tests/framework/picture_encoders.h"

namespace {

constexpr TColor kBackground = 0x204080;  // R $80, G $40, B $20

// Resizes the bitmap and fills it with one colour.
void Fill(TBitmap& bitmap, int width, int height, TColor color) {
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush.SetColor(color);
  bitmap.Canvas().FillRect(Bounds(0, 0, width, height));
}

int CountPixels(TBitmap& bitmap, const TRect& r, TColor color) {
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) count += bitmap.Canvas().Pixel(x, y) == color;
  return count;
}

}  // namespace

TEST(Bitmap, ScanLinesAreTopDownBgraAndSurviveResize) {
  TBitmap bitmap(3, 2);
  bitmap.Canvas().SetPixel(2, 1, 0x332211);  // R $11, G $22, B $33
  EXPECT_EQ(bitmap.ScanLine(1)[2] & 0xFFFFFF, 0x112233u);
  bitmap.ScanLine(0)[1] = 0x00AABBCC;
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 0), 0xCCBBAAu);

  bitmap.SetSize(5, 4);
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), 0x332211u);
  EXPECT_EQ(bitmap.Canvas().Pixel(4, 3), clBlack);
  EXPECT_THROW(bitmap.ScanLine(4), std::out_of_range);
}

TEST(Canvas, ShapesUseBrushAndPen) {
  TBitmap bitmap;
  Fill(bitmap, 10, 10, clWhite);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen.SetColor(clRed);
  canvas.Brush.SetColor(clBlue);
  canvas.Rectangle(Rect(1, 1, 6, 6));
  EXPECT_EQ(canvas.Pixel(1, 1), clRed);
  EXPECT_EQ(canvas.Pixel(5, 3), clRed);
  EXPECT_EQ(canvas.Pixel(3, 3), clBlue);
  EXPECT_EQ(canvas.Pixel(6, 6), clWhite);

  canvas.Pen.SetColor(clLime);
  canvas.MoveTo(0, 8);
  canvas.LineTo(5, 8);
  EXPECT_EQ(canvas.Pixel(4, 8), clLime);
  EXPECT_EQ(canvas.Pixel(5, 8), clWhite);  // the end point is left out

  canvas.Brush.SetStyle(bsClear);
  canvas.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(canvas.Pixel(9, 9), clWhite);
  // Setting a colour makes the brush solid again, also the colour it has.
  canvas.Brush.SetColor(clBlue);
  canvas.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(canvas.Pixel(9, 9), clBlue);
}

TEST(Canvas, TextUsesFontColourAndBrushBackground) {
  TBitmap bitmap;
  Fill(bitmap, 120, 30, clWhite);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font.SetColor(clRed);
  canvas.Font.SetHeight(-16);
  canvas.Brush.SetStyle(bsClear);
  const SIZE extent = canvas.TextExtent(L"Quenlor");
  EXPECT_GT(extent.cx, canvas.TextWidth(L"Q"));
  EXPECT_GT(extent.cy, 10);
  canvas.TextOut(5, 5, L"Quenlor");
  const TRect box = Bounds(5, 5, extent.cx, extent.cy);
  EXPECT_GT(CountPixels(bitmap, box, clRed), 20);
  EXPECT_EQ(CountPixels(bitmap, Rect(0, 0, 120, 5), clWhite), 600);  // nothing above the text

  // A font change while the font is selected takes effect at once.
  canvas.Font.SetColor(clBlue);
  canvas.TextOut(5, 5, L"Quenlor");
  EXPECT_EQ(CountPixels(bitmap, box, clRed), 0);
  EXPECT_GT(CountPixels(bitmap, box, clBlue), 20);

  // With a solid brush the text cell is painted in the brush colour.
  canvas.Brush.SetColor(clYellow);
  canvas.TextOut(5, 5, L"Quenlor");
  EXPECT_EQ(canvas.Pixel(5, 5), clYellow);
}

TEST(Canvas, DrawTextCalculatesAndAligns) {
  TBitmap bitmap;
  Fill(bitmap, 100, 20, clWhite);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font.SetColor(clBlack);
  canvas.Brush.SetStyle(bsClear);
  TRect calc = Rect(0, 0, 0, 0);
  canvas.DrawText(L"Abc", calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.Width(), canvas.TextWidth(L"Abc"));
  EXPECT_EQ(CountPixels(bitmap, Rect(0, 0, 100, 20), clWhite), 2000);

  TRect r = Rect(0, 0, 100, 20);
  canvas.DrawText(L"Abc", r, DT_RIGHT | DT_SINGLELINE);
  EXPECT_EQ(CountPixels(bitmap, Rect(0, 0, 100 - calc.Width(), 20), clWhite), (100 - calc.Width()) * 20);
  EXPECT_LT(CountPixels(bitmap, Rect(100 - calc.Width(), 0, 100, 20), clWhite), calc.Width() * 20);
}

TEST(Canvas, FontSizeAndHeightAgreeAt96Dpi) {
  TFont font;
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  font.SetHeight(-12);  // no change, no notification
  TFont copy;
  copy.SetStyle(fsBold);
  font.Assign(copy);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(font.Style(), fsBold);
  EXPECT_TRUE(font.OnChange);  // Assign copies values, not listeners
}

TEST(AlphaDrawing, PngBlendsPerPixelOverTheBackground) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8, 3, 1);
  const uint8_t alphas[] = {0, 128, 255};
  for (int x = 0; x < 3; ++x) {
    png.Scanline(0)[x * 3 + 2] = 255;  // pure red
    png.AlphaScanline(0)[x] = alphas[x];
  }
  TBitmap target;
  Fill(target, 5, 3, kBackground);
  target.Canvas().Draw(1, 1, png);
  EXPECT_EQ(target.Canvas().Pixel(1, 1), kBackground);
  // 128/255 of red $FF over red $80: (255*128 + 128*127 + 127) / 255 = 192.
  EXPECT_EQ(target.Canvas().Pixel(2, 1), 0x102040u | 0xC0);
  EXPECT_EQ(target.Canvas().Pixel(3, 1), clRed);
  EXPECT_EQ(target.Canvas().Pixel(0, 1), kBackground);
  EXPECT_EQ(target.Canvas().Pixel(4, 1), kBackground);
  EXPECT_EQ(target.Canvas().Pixel(2, 0), kBackground);
}

TEST(AlphaDrawing, ThirtyTwoBitBitmapBlendsAndTransparentBitmapKeysOut) {
  TBitmap source(2, 1);
  source.ScanLine(0)[0] = 0x00FFFFFF;
  source.ScanLine(0)[1] = 0x80FFFFFF;
  source.SetPixelFormat(pf32bit);
  TBitmap target;
  Fill(target, 2, 1, clBlack);
  target.Canvas().Draw(0, 0, source);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), clBlack);
  EXPECT_EQ(target.Canvas().Pixel(1, 0), 0x808080u);

  TBitmap keyed;
  Fill(keyed, 2, 2, clLime);
  keyed.Canvas().SetPixel(1, 0, clRed);
  keyed.SetTransparent(true);
  Fill(target, 2, 2, clBlue);
  target.Canvas().Draw(0, 0, keyed);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), clBlue);
  EXPECT_EQ(target.Canvas().Pixel(1, 0), clRed);
}

TEST(Stretching, FillsExactlyTheTargetRectangle) {
  TBitmap source;
  Fill(source, 4, 4, clRed);
  TBitmap target;
  Fill(target, 12, 10, clWhite);
  target.Canvas().StretchDraw(Rect(2, 1, 10, 7), source);
  EXPECT_EQ(CountPixels(target, Rect(2, 1, 10, 7), clRed), 8 * 6);
  EXPECT_EQ(CountPixels(target, Rect(0, 0, 12, 10), clRed), 8 * 6);

  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8, 3, 3);
  for (int y = 0; y < 3; ++y) std::fill_n(png.AlphaScanline(y), 3, 255);
  Fill(target, 12, 10, clWhite);
  target.Canvas().StretchDraw(Rect(1, 2, 8, 4), png);
  EXPECT_EQ(CountPixels(target, Rect(0, 0, 12, 10), clBlack), 7 * 2);
  EXPECT_EQ(CountPixels(target, Rect(1, 2, 8, 4), clBlack), 7 * 2);
}

TEST(Stretching, ShrinkingAveragesAreas) {
  // Black and white columns shrunk to half width come out grey.
  TBitmap stripes(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) stripes.ScanLine(y)[x] = x % 2 ? 0xFFFFFFFF : 0xFF000000;
  TBitmap target;
  Fill(target, 2, 1, clRed);
  target.Canvas().StretchDraw(Rect(0, 0, 2, 1), stripes);
  const TColor grey = target.Canvas().Pixel(0, 0);
  EXPECT_NEAR(static_cast<int>(grey & 0xFF), 128, 2);
  EXPECT_EQ(grey & 0xFF, grey >> 16);

  // Alpha is averaged too, and a clear pixel does not darken its opaque neighbour.
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8, 2, 1);
  png.Scanline(0)[2] = 255;  // left pixel red, opaque; right pixel black, clear
  png.AlphaScanline(0)[0] = 255;
  Fill(target, 1, 1, clWhite);
  target.Canvas().StretchDraw(Rect(0, 0, 1, 1), png);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), 0x7F7FFFu);  // half red over white
}

TEST(Canvas, CopyRectCopiesAndStretches) {
  TBitmap source;
  Fill(source, 4, 4, clBlue);
  source.Canvas().SetPixel(0, 0, clRed);
  TBitmap target;
  Fill(target, 8, 8, clWhite);
  target.Canvas().CopyRect(Bounds(1, 1, 4, 4), source.Canvas(), Bounds(0, 0, 4, 4));
  EXPECT_EQ(target.Canvas().Pixel(1, 1), clRed);
  EXPECT_EQ(target.Canvas().Pixel(4, 4), clBlue);
  EXPECT_EQ(target.Canvas().Pixel(5, 5), clWhite);
  target.Canvas().CopyRect(Bounds(0, 0, 8, 8), source.Canvas(), Bounds(1, 1, 2, 2));
  EXPECT_EQ(CountPixels(target, Rect(0, 0, 8, 8), clBlue), 64);
}

TEST(BmpDecode, TwentyFourBitBottomUpWithRowPadding) {
  const std::vector<uint32_t> pixels = {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC, 0xFFDDEEFF, 0xFF000001};
  TBitmap bitmap;
  bitmap.LoadFromBytes(EncodeBmp(24, 3, 2, pixels));
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(bitmap.ScanLine(i / 3)[i % 3] & 0xFFFFFF, pixels[i] & 0xFFFFFF) << i;

  TBitmap topDown;
  topDown.LoadFromBytes(EncodeBmp(24, 3, 2, pixels, true));
  EXPECT_EQ(topDown.ScanLine(1)[2] & 0xFFFFFF, 0x000001u);
}

TEST(BmpDecode, ThirtyTwoBitKeepsAlphaOnlyWhenPresent) {
  TBitmap bitmap;
  bitmap.LoadFromBytes(EncodeBmp(32, 2, 1, {0x80102030, 0x00405060}));
  EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
  EXPECT_EQ(bitmap.ScanLine(0)[0], 0x80102030u);
  EXPECT_EQ(bitmap.ScanLine(0)[1], 0x00405060u);

  bitmap.LoadFromBytes(EncodeBmp(32, 2, 1, {0x00102030, 0x00405060}));
  EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(bitmap.ScanLine(0)[1] & 0xFFFFFF, 0x405060u);
}

TEST(BmpDecode, RejectsTruncatedAndForeignData) {
  TBitmap bitmap(1, 1);
  Bytes file = EncodeBmp(24, 4, 4, std::vector<uint32_t>(16, 0xFFFFFFFF));
  Bytes truncated(file.begin(), file.end() - 5);
  EXPECT_THROW(bitmap.LoadFromBytes(truncated), EGraphicError);
  EXPECT_THROW(bitmap.LoadFromBytes(Bytes{'B', 'M', 0}), EGraphicError);
  EXPECT_THROW(bitmap.LoadFromBytes(Bytes{'P', 'K', 3, 4}), EGraphicError);
  Bytes huge = file;
  huge[21] = 0x7F;  // width 2 billion
  EXPECT_THROW(bitmap.LoadFromBytes(huge), EGraphicError);
  EXPECT_EQ(bitmap.Width(), 1);
}
