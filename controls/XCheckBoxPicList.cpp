#include "controls/XCheckBoxPicList.h"

#include "controls/PicListLayout.h"

namespace {

const bool registered = [] {
  auto registration = RegisterClass<TXCheckBoxPicList, TImageList>("TXCheckBoxPicList");
  static constexpr std::pair<const char*, TXCheckBoxStatus> statuses[] = {
      {"Checked", csChecked}, {"Grayed", csGrayed}, {"UnChecked", csUnChecked}};
  RegisterStatePictures(registration, statuses);
  return true;
}();

}  // namespace
