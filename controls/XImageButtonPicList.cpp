#include "controls/XImageButtonPicList.h"

#include "controls/PicListLayout.h"

namespace {

const bool registered = [] {
  auto registration = RegisterClass<TXImageButtonPicList, TImageList>("TXImageButtonPicList");
  RegisterStatePictures(registration, ButtonColorNames);
  return true;
}();

}  // namespace
