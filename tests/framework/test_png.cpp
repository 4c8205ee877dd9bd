#include <gtest/gtest.h>

#include <zlib.h>

#include "framework/PngImage.h"
#include "tests/harness/PngWriter.h"

namespace {

// Colour bytes of pixel x in a PNG row, as R, G, B.
std::vector<int> Rgb(const TPngImage& png, int x, int y) {
  const uint8_t* row = png.Scanline(y);
  return {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
}

int Alpha(const TPngImage& png, int x, int y) { return png.AlphaScanline(y)[x]; }

std::unique_ptr<TPngImage> Decode(const PngLayout& layout) {
  auto png = std::make_unique<TPngImage>();
  png->LoadFromBytes(EncodePng(layout));
  return png;
}

}  // namespace

TEST(PngDecode, RgbaKeepsColourAndAlphaRows) {
  auto png = Decode({PNG_COLOR_TYPE_RGB_ALPHA, 8, 3, 2,
                          {{255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0}, {10, 20, 30, 40, 50, 60, 70, 80, 1, 2, 3, 4}}});
  ASSERT_EQ(png->Width(), 3);
  ASSERT_EQ(png->Height(), 2);
  EXPECT_EQ(png->ColorType(), COLOR_RGBALPHA);
  // Colour rows hold B, G, R.
  EXPECT_EQ(png->Scanline(0)[0], 0);
  EXPECT_EQ(png->Scanline(0)[2], 255);
  EXPECT_EQ(Rgb(*png, 1, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(Rgb(*png, 2, 0), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(Rgb(*png, 0, 1), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(Rgb(*png, 2, 1), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Alpha(*png, 0, 0), 255);
  EXPECT_EQ(Alpha(*png, 1, 0), 128);
  EXPECT_EQ(Alpha(*png, 2, 0), 0);
  EXPECT_EQ(Alpha(*png, 1, 1), 80);
}

TEST(PngDecode, GreyAlphaExpandsToEqualColourBytes) {
  auto png = Decode({PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2, 1, {{77, 200, 255, 0}}});
  EXPECT_EQ(Rgb(*png, 0, 0), (std::vector<int>{77, 77, 77}));
  EXPECT_EQ(Rgb(*png, 1, 0), (std::vector<int>{255, 255, 255}));
  EXPECT_EQ(Alpha(*png, 0, 0), 200);
  EXPECT_EQ(Alpha(*png, 1, 0), 0);
}

TEST(PngDecode, PaletteWithTransparencyBecomesAlpha) {
  PngLayout layout{PNG_COLOR_TYPE_PALETTE, 4, 3, 1, {{0x01, 0x20}}};
  layout.palette = {{255, 0, 0}, {0, 128, 0}, {0, 0, 200}};
  layout.paletteAlpha = {0, 90};  // entry 2 has no tRNS value: opaque
  auto png = Decode(layout);
  ASSERT_TRUE(png->HasAlpha());
  EXPECT_EQ(Rgb(*png, 0, 0), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(Rgb(*png, 1, 0), (std::vector<int>{0, 128, 0}));
  EXPECT_EQ(Rgb(*png, 2, 0), (std::vector<int>{0, 0, 200}));
  EXPECT_EQ(Alpha(*png, 0, 0), 0);
  EXPECT_EQ(Alpha(*png, 1, 0), 90);
  EXPECT_EQ(Alpha(*png, 2, 0), 255);
}

TEST(PngDecode, RgbHasNoAlphaRows) {
  auto png = Decode({PNG_COLOR_TYPE_RGB, 8, 1, 1, {{9, 8, 7}}});
  EXPECT_FALSE(png->HasAlpha());
  EXPECT_EQ(png->ColorType(), COLOR_RGB);
  EXPECT_EQ(png->AlphaScanline(0), nullptr);
  EXPECT_EQ(Rgb(*png, 0, 0), (std::vector<int>{9, 8, 7}));
}

TEST(PngDecode, SixteenBitSamplesScaleToEightBits) {
  auto png = Decode({PNG_COLOR_TYPE_RGB_ALPHA, 16, 1, 1, {{0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00, 0x12, 0x34}}});
  EXPECT_EQ(Rgb(*png, 0, 0), (std::vector<int>{255, 128, 0}));
  EXPECT_EQ(Alpha(*png, 0, 0), 0x12);
}

TEST(PngDecode, LowDepthGreyAndInterlacedPictures) {
  auto grey = Decode({PNG_COLOR_TYPE_GRAY, 1, 3, 1, {{0b10100000}}});
  EXPECT_EQ(Rgb(*grey, 0, 0), (std::vector<int>{255, 255, 255}));
  EXPECT_EQ(Rgb(*grey, 1, 0), (std::vector<int>{0, 0, 0}));

  PngLayout layout{PNG_COLOR_TYPE_RGB, 8, 9, 9};
  for (int y = 0; y < 9; ++y) {
    Bytes row;
    for (int x = 0; x < 9; ++x) row.insert(row.end(), {uint8_t(x * 20), uint8_t(y * 20), uint8_t(x + y)});
    layout.rows.push_back(row);
  }
  layout.interlaced = true;
  auto png = Decode(layout);
  EXPECT_EQ(Rgb(*png, 8, 3), (std::vector<int>{160, 60, 11}));
  EXPECT_EQ(Rgb(*png, 5, 7), (std::vector<int>{100, 140, 12}));
}

TEST(PngDecode, BadDataThrowsAndKeepsThePicture) {
  auto png = Decode({PNG_COLOR_TYPE_RGB, 8, 1, 1, {{9, 8, 7}}});
  Bytes good = EncodePng({PNG_COLOR_TYPE_RGB, 8, 4, 4, std::vector<Bytes>(4, Bytes(12, 50))});

  Bytes truncated(good.begin(), good.begin() + good.size() / 2);
  EXPECT_THROW(png->LoadFromBytes(truncated), EGraphicError);
  Bytes corrupt = good;
  corrupt[corrupt.size() - 20] ^= 0xFF;  // inside the image data: CRC mismatch
  EXPECT_THROW(png->LoadFromBytes(corrupt), EGraphicError);
  EXPECT_THROW(png->LoadFromBytes(Bytes{'G', 'I', 'F', '8'}), EGraphicError);
  // A valid header claiming 10000 x 10000 pixels is refused before the
  // rows are allocated.
  Bytes huge = good;
  for (int offset : {16, 20}) {
    huge[offset + 2] = 10000 >> 8;
    huge[offset + 3] = 10000 & 0xFF;
  }
  const uLong crc = crc32(0, &huge[12], 17);
  for (int i = 0; i < 4; ++i) huge[29 + i] = crc >> (24 - 8 * i) & 0xFF;
  EXPECT_THROW(png->LoadFromBytes(huge), EGraphicError);

  EXPECT_EQ(png->Width(), 1);
  EXPECT_EQ(Rgb(*png, 0, 0), (std::vector<int>{9, 8, 7}));
}

TEST(PngImage, CreateBlankAndResizeKeepExistingPixels) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8, 2, 2);
  EXPECT_EQ(Rgb(png, 1, 1), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(Alpha(png, 1, 1), 0);
  png.Scanline(1)[3] = 11;  // pixel (1, 1) blue
  png.AlphaScanline(1)[1] = 222;

  png.SetSize(4, 3);
  EXPECT_EQ(png.Scanline(1)[3], 11);
  EXPECT_EQ(Alpha(png, 1, 1), 222);
  EXPECT_EQ(Alpha(png, 3, 2), 0);
  EXPECT_EQ(Rgb(png, 3, 1), (std::vector<int>{0, 0, 0}));
  png.SetSize(2, 2);
  EXPECT_EQ(Alpha(png, 1, 1), 222);

  TPngImage rgb;
  rgb.CreateBlank(COLOR_RGB, 8, 1, 1);
  EXPECT_FALSE(rgb.HasAlpha());
  EXPECT_THROW(rgb.CreateBlank(COLOR_RGB, 4, 1, 1), EGraphicError);
  EXPECT_THROW(png.Scanline(2), std::out_of_range);
}

TEST(PngImage, CanvasChangesColourButNotAlpha) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 8, 4, 4);
  png.AlphaScanline(0)[0] = 7;
  png.Canvas().Brush.SetColor(clRed);
  png.Canvas().FillRect(Bounds(0, 0, 4, 4));
  EXPECT_EQ(Rgb(png, 0, 0), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(Rgb(png, 3, 3), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(Alpha(png, 0, 0), 7);
  EXPECT_EQ(Alpha(png, 3, 3), 0);
}

TEST(PngImage, AssignCopiesIndependentlyAndConvertsBitmaps) {
  auto source = Decode({PNG_COLOR_TYPE_RGB_ALPHA, 8, 1, 1, {{1, 2, 3, 4}}});
  TPngImage copy;
  copy.Assign(*source);
  source->AlphaScanline(0)[0] = 99;
  source->Scanline(0)[0] = 99;
  EXPECT_EQ(Alpha(copy, 0, 0), 4);
  EXPECT_EQ(Rgb(copy, 0, 0), (std::vector<int>{1, 2, 3}));

  TBitmap bitmap(2, 1);
  bitmap.ScanLine(0)[0] = 0x80102030;
  bitmap.ScanLine(0)[1] = 0xFF405060;
  bitmap.SetPixelFormat(pf32bit);
  copy.Assign(bitmap);
  EXPECT_EQ(Rgb(copy, 0, 0), (std::vector<int>{0x10, 0x20, 0x30}));
  EXPECT_EQ(Alpha(copy, 0, 0), 0x80);

  // A transparent bitmap: its bottom-left colour becomes alpha 0.
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetTransparent(true);
  copy.Assign(bitmap);
  EXPECT_EQ(Alpha(copy, 0, 0), 0);
  EXPECT_EQ(Alpha(copy, 1, 0), 255);
}
