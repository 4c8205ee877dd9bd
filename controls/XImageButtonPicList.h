// TXImageButtonPicList: a holder of image-button pictures, one for each of
// the five skin colours and four states; empty slots stay empty.
#pragma once

#include <array>

#include "controls/XButtonTypes.h"
#include "framework/ImageList.h"
#include "framework/Picture.h"

class TXImageButtonPicList : public TImageList {
 public:
  using TImageList::TImageList;

  // The picture of a colour and state (published as PicBlueNormal,
  // PicRedMouseDown and so on); setting one copies the picture.
  TPicture& Picture(TButtonColor color, TButtonState state) {
    return pictures_[color][static_cast<int>(state)];
  }

 private:
  std::array<std::array<TPicture, ButtonStateCount>, ButtonColorCount> pictures_;
};
