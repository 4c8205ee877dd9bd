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
  EXPECT_EQ(FitTextWithEllipsis(canvas, text, full + 10), text);
  // One pixel short: the first prefix whose "..." form is at least that wide.
  const std::wstring fitted = FitTextWithEllipsis(canvas, text, full - 1);
  ASSERT_NE(fitted, text);
  ASSERT_EQ(fitted.substr(fitted.size() - 3), L"...");
  const std::wstring prefix = fitted.substr(0, fitted.size() - 3);
  EXPECT_EQ(text.compare(0, prefix.size(), prefix), 0);
  EXPECT_GE(canvas.TextWidth(fitted), full - 1);
  EXPECT_LT(canvas.TextWidth(prefix.substr(0, prefix.size() - 1) + L"..."), full - 1);
  // A tiny width takes one character.
  EXPECT_EQ(FitTextWithEllipsis(canvas, text, 1), L"M...");
}

// A 3 x 2 source of distinct colours, tiled along x over 8 pixels and along
// y over 5, and stretched across when the cross sizes differ.
class TileBltTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const TColor colours[2][3] = {{0x000010, 0x000020, 0x000030}, {0x001000, 0x002000, 0x003000}};
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) source.Canvas().SetPixel(x, y, colours[y][x]);
    target.Canvas().Brush.SetColor(clWhite);
    target.Canvas().FillRect(Rect(0, 0, 12, 12));
  }
  TColor At(int x, int y) { return harness::PixelAt(target, x, y); }
  TColor Src(int x, int y) { return harness::PixelAt(source, x, y); }
  TBitmap source{3, 2};
  TBitmap target{12, 12};
};

TEST_F(TileBltTest, AlongXRepeatsAndCutsTheLastCopy) {
  TileBlt(target.Canvas().Handle(), Rect(1, 1, 9, 3), source.Canvas().Handle(), tdAlongX, Rect(0, 0, 3, 2));
  for (int x = 1; x < 9; ++x)
    for (int y = 1; y < 3; ++y) EXPECT_EQ(At(x, y), Src((x - 1) % 3, y - 1)) << x << "," << y;
  EXPECT_EQ(At(9, 1), clWhite);
  EXPECT_EQ(At(0, 1), clWhite);
  EXPECT_EQ(At(1, 3), clWhite);
}

TEST_F(TileBltTest, AlongYRepeatsRowsAndStretchesAcross) {
  // One source column 1 wide, 2 high, tiled down 5 rows and stretched to 4 wide.
  TileBlt(target.Canvas().Handle(), Rect(2, 0, 6, 5), source.Canvas().Handle(), tdAlongY, Rect(1, 0, 2, 2));
  for (int y = 0; y < 5; ++y)
    for (int x = 2; x < 6; ++x) EXPECT_EQ(At(x, y), Src(1, y % 2)) << x << "," << y;
  EXPECT_EQ(At(2, 5), clWhite);
  EXPECT_EQ(At(6, 0), clWhite);
}

}  // namespace
