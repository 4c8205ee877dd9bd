#include <gtest/gtest.h>

#include "framework/ImageList.h"
#include "tests/harness/Harness.h"

TEST(ImageList, DrawsTheImageOfTheIndex) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  for (TColor color : {clRed, clLime, clBlue}) list.Add(*harness::SolidPicture(4, 4, color)->GraphicAs<TPngImage>());
  ASSERT_EQ(list.Count(), 3);

  TBitmap target(10, 10);
  target.Canvas().Brush.SetColor(clWhite);
  target.Canvas().FillRect(Bounds(0, 0, 10, 10));
  list.Draw(target.Canvas(), 3, 2, 1);
  EXPECT_EQ(target.Canvas().Pixel(3, 2), clLime);
  EXPECT_EQ(target.Canvas().Pixel(6, 5), clLime);
  EXPECT_EQ(target.Canvas().Pixel(7, 6), clWhite);
  EXPECT_EQ(target.Canvas().Pixel(2, 2), clWhite);

  list.Draw(target.Canvas(), 0, 0, 3);  // out of range: nothing
  EXPECT_EQ(target.Canvas().Pixel(0, 0), clWhite);

  // Disabled: grey at half opacity. Red's grey is 77/256 of 255 = 76,
  // over white at alpha 127.
  list.Draw(target.Canvas(), 0, 6, 0, false);
  const TColor disabled = target.Canvas().Pixel(1, 7);
  EXPECT_EQ(disabled & 0xFF, disabled >> 16);
  EXPECT_NEAR(static_cast<int>(disabled & 0xFF), (76 * 127 + 255 * 128) / 255, 1);
}

TEST(ImageList, CopiesOutWithAlphaAndFeedsTheSystemList) {
  TImageList list(nullptr);
  TPngImage image;
  image.Assign(*harness::SolidPicture(4, 4, clBlue)->Graphic());
  image.AlphaScanline(0)[0] = 0;
  list.Add(image);

  TPngImage png;
  list.GetPng(0, png);
  EXPECT_EQ(png.AlphaScanline(0)[0], 0);
  EXPECT_EQ(png.AlphaScanline(0)[1], 255);
  TBitmap bitmap;
  list.GetBitmap(0, bitmap);
  EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
  EXPECT_EQ(bitmap.ScanLine(0)[0] >> 24, 0u);
  EXPECT_EQ(bitmap.ScanLine(0)[1], 0xFF0000FFu);
  EXPECT_THROW(list.GetPng(1, png), std::out_of_range);

  HIMAGELIST handle = list.Handle();
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(handle), 1);
  list.Add(image);
  EXPECT_EQ(ImageList_GetImageCount(handle), 2);
  list.SetHeight(22);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(handle, &cx, &cy);
  EXPECT_EQ(cy, 22);
  EXPECT_EQ(ImageList_GetImageCount(handle), 2);
  list.Clear();
  EXPECT_EQ(ImageList_GetImageCount(handle), 0);
}
