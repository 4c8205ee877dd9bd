// TXCheckBoxPicList: a holder of the check-box pictures, one per check
// state and mouse state.
#pragma once

#include <array>
#include <cstdint>

#include "controls/XButtonTypes.h"
#include "framework/ImageList.h"
#include "framework/Picture.h"

// The check state of a TXCheckBox.
enum TXCheckBoxStatus : uint8_t { csChecked = 0, csGrayed = 1, csUnChecked = 2 };
constexpr int CheckBoxStatusCount = 3;

class TXCheckBoxPicList : public TImageList {
 public:
  using TImageList::TImageList;

  // Published as PicCheckedNormal, PicGrayedMouseOn, PicUnCheckedDisabled
  // and so on; setting one copies the picture. The MouseDown pictures are
  // kept but never drawn.
  TPicture& Picture(TXCheckBoxStatus status, TButtonState state) {
    return pictures_[status][static_cast<int>(state)];
  }

 private:
  std::array<std::array<TPicture, ButtonStateCount>, CheckBoxStatusCount> pictures_;
};
