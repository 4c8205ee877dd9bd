#include <gtest/gtest.h>

#include "framework/JpegImage.h"
#include "framework/Picture.h"
#include "framework/PngImage.h"
#include "framework/Resources.h"
#include "tests/framework/picture_encoders.h"

namespace {

// Two 8 x 8 blocks of one colour each, side by side: JPEG keeps flat
// blocks nearly exact at quality 100 without subsampling.
Bytes TwoBlockJpeg() {
  Bytes rgb;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) rgb.insert(rgb.end(), x < 8 ? std::initializer_list<uint8_t>{200, 40, 30}
                                                              : std::initializer_list<uint8_t>{20, 90, 230});
  return EncodeJpeg(16, 8, rgb);
}

void ExpectNearRgb(uint32_t pixel, int r, int g, int b) {
  EXPECT_NEAR(static_cast<int>(pixel >> 16 & 0xFF), r, 2);
  EXPECT_NEAR(static_cast<int>(pixel >> 8 & 0xFF), g, 2);
  EXPECT_NEAR(static_cast<int>(pixel & 0xFF), b, 2);
}

}  // namespace

TEST(JpegDecode, ColourAndGreyPictures) {
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(TwoBlockJpeg());
  ASSERT_EQ(jpeg.Width(), 16);
  ASSERT_EQ(jpeg.Height(), 8);
  ExpectNearRgb(jpeg.Bitmap().ScanLine(3)[2], 200, 40, 30);
  ExpectNearRgb(jpeg.Bitmap().ScanLine(7)[13], 20, 90, 230);

  TBitmap target(16, 8);
  target.Canvas().Draw(0, 0, jpeg);
  ExpectNearRgb(target.ScanLine(0)[15], 20, 90, 230);

  jpeg.LoadFromBytes(EncodeJpeg(8, 8, Bytes(64, 111), true));
  ExpectNearRgb(jpeg.Bitmap().ScanLine(4)[4], 111, 111, 111);
}

TEST(JpegDecode, BadDataThrowsAndKeepsThePicture) {
  TJPEGImage jpeg;
  Bytes good = TwoBlockJpeg();
  jpeg.LoadFromBytes(good);
  Bytes broken(good.begin(), good.begin() + 20);
  EXPECT_THROW(jpeg.LoadFromBytes(broken), EGraphicError);
  EXPECT_THROW(jpeg.LoadFromBytes(Bytes{0xFF, 0xD8}), EGraphicError);
  EXPECT_EQ(jpeg.Width(), 16);
}

TEST(Picture, LoadPicksTheClassFromTheData) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  EXPECT_TRUE(picture.Empty());

  picture.LoadFromBytes(EncodePng({PNG_COLOR_TYPE_RGB, 8, 2, 3, std::vector<Bytes>(3, Bytes(6, 1))}));
  ASSERT_NE(picture.GraphicAs<TPngImage>(), nullptr);
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_EQ(picture.Height(), 3);
  picture.LoadFromBytes(TwoBlockJpeg());
  EXPECT_NE(picture.GraphicAs<TJPEGImage>(), nullptr);
  picture.LoadFromBytes(EncodeBmp(24, 1, 1, {0}));
  EXPECT_NE(picture.GraphicAs<TBitmap>(), nullptr);
  EXPECT_EQ(changes, 3);

  EXPECT_THROW(picture.LoadFromBytes(Bytes{'G', 'I', 'F', '8', '9', 'a'}), EGraphicError);
  EXPECT_NE(picture.GraphicAs<TBitmap>(), nullptr);

  // A change of the held graphic reaches the picture's listener.
  picture.GraphicAs<TBitmap>()->SetSize(4, 4);
  EXPECT_EQ(changes, 4);
  picture.Clear();
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(changes, 5);

  // Bitmap() swaps any other graphic for a new bitmap and keeps a bitmap.
  picture.LoadFromBytes(TwoBlockJpeg());
  picture.Bitmap().SetSize(3, 2);
  EXPECT_EQ(picture.Width(), 3);
  TBitmap* held = &picture.Bitmap();
  EXPECT_EQ(held, picture.GraphicAs<TBitmap>());
  EXPECT_EQ(picture.Bitmap().Height(), 2);
}

TEST(Picture, AssignHoldsAnIndependentCopy) {
  TPicture source;
  source.LoadFromBytes(EncodePng({PNG_COLOR_TYPE_RGB_ALPHA, 8, 1, 1, {{1, 2, 3, 4}}}));
  TPicture copy;
  copy.Assign(source);
  source.GraphicAs<TPngImage>()->AlphaScanline(0)[0] = 200;
  EXPECT_EQ(copy.GraphicAs<TPngImage>()->AlphaScanline(0)[0], 4);
  // The copy's graphic reports to the copy, not to the source.
  int sourceChanges = 0;
  source.OnChange = [&] { ++sourceChanges; };
  copy.Graphic()->Changed();
  EXPECT_EQ(sourceChanges, 0);
}

TEST(Resources, EmbeddedFilesAreFoundByPath) {
  std::span<const uint8_t> bytes = ResourceBytes(L"fixtures/pictures/dots.png");
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes[1], 'P');
  EXPECT_EQ(ResourceBytes(L"Fixtures\\Pictures\\DOTS.png").data(), bytes.data());
  EXPECT_FALSE(ResourceExists(L"fixtures/pictures/none.png"));
  EXPECT_THROW(ResourceBytes(L"fixtures/pictures/none.png"), EResNotFound);

  TPicture picture;
  picture.LoadFromResource(L"fixtures/pictures/dots.png");
  const TPngImage* png = picture.GraphicAs<TPngImage>();
  ASSERT_NE(png, nullptr);
  // Red opaque, green half, blue clear, white opaque (make_fixtures.py).
  EXPECT_EQ(png->Scanline(0)[2], 255);
  EXPECT_EQ(png->AlphaScanline(0)[1], 128);
  EXPECT_EQ(png->Scanline(1)[0], 255);
  EXPECT_EQ(png->AlphaScanline(1)[0], 0);
}
