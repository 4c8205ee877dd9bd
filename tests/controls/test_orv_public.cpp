// The shared drawing helpers: ellipsis fitting and tiling with a cut last copy.
#include <gtest/gtest.h>

#include "controls/OrvVclPublic.h"
#include "tests/harness/Harness.h"

namespace {

TEST(OrvVclPublic, FitTextWithEllipsisTakesTheShortestPrefixThatReachesTheWidth) {
  TBitmap surface(10, 10);
  TCanvas& canvas = surface.Canvas();
  const std::wstring text = L"Merged file name.bin";
  const int full = canvas.TextWidth(text);
  EXPECT_EQ(FitTextWithEllipsis(canvas, text, full), text);
  // One pixel short: the first prefix whose "..." form is at least that wide.
  const std::wstring fitted = FitTextWithEllipsis(canvas, text, full - 1);
  ASSERT_GT(fitted.size(), 4u);
  const std::wstring prefix = fitted.substr(0, fitted.size() - 3);
  EXPECT_EQ(fitted, prefix + L"...");
  EXPECT_EQ(text.compare(0, prefix.size(), prefix), 0);
  EXPECT_GE(canvas.TextWidth(fitted), full - 1);
  EXPECT_LT(canvas.TextWidth(prefix.substr(0, prefix.size() - 1) + L"..."), full - 1);
  EXPECT_EQ(FitTextWithEllipsis(canvas, text, 1), L"M...");
}

// A 3 x 2 source of distinct colours tiled along x over 8 pixels, and its
// middle column tiled along y over 5 rows and stretched across to 4.
TEST(OrvVclPublic, TileBltRepeatsCutsTheLastCopyAndStretchesAcross) {
  TBitmap source(3, 2), target(12, 12);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.Canvas().SetPixel(x, y, static_cast<TColor>(0x10 * (x + 1) | 0x1000 * y));
  target.Canvas().Brush.SetColor(clWhite);
  target.Canvas().FillRect(Rect(0, 0, 12, 12));
  auto at = [&](int x, int y) { return harness::PixelAt(target, x, y); };
  auto src = [&](int x, int y) { return harness::PixelAt(source, x, y); };
  TileBlt(target.Canvas().Handle(), Rect(1, 1, 9, 3), source.Canvas().Handle(), tdAlongX, Rect(0, 0, 3, 2));
  for (int x = 1; x < 9; ++x)
    for (int y = 1; y < 3; ++y) EXPECT_EQ(at(x, y), src((x - 1) % 3, y - 1)) << x << "," << y;
  EXPECT_EQ(at(9, 1), clWhite);
  EXPECT_EQ(at(1, 3), clWhite);
  TileBlt(target.Canvas().Handle(), Rect(2, 4, 6, 9), source.Canvas().Handle(), tdAlongY, Rect(1, 0, 2, 2));
  for (int y = 4; y < 9; ++y)
    for (int x = 2; x < 6; ++x) EXPECT_EQ(at(x, y), src(1, y % 2)) << x << "," << y;
  EXPECT_EQ(at(2, 9), clWhite);
  EXPECT_EQ(at(6, 4), clWhite);
}

}  // namespace
