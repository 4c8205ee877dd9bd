// TXProcessBarPicList: a holder of the progress-bar skins: per skin colour
// a border colour, the bar picture and the trough ("Bottom") picture.
#pragma once

#include <array>

#include "controls/XButtonTypes.h"
#include "framework/ImageList.h"
#include "framework/Picture.h"

class TXProcessBarPicList : public TImageList {
 public:
  explicit TXProcessBarPicList(TComponent* AOwner);

  // Published as PicBlueBorder, PicBlueBar, PicBlueBottom and so on.
  TColor Border(TButtonColor color) const { return skins_[color].border; }
  void SetBorder(TButtonColor color, TColor value) { skins_[color].border = value; }
  TPicture& Bar(TButtonColor color) { return skins_[color].bar; }
  TPicture& Bottom(TButtonColor color) { return skins_[color].bottom; }

 private:
  struct TSkin {
    TColor border = 0;
    TPicture bar;
    TPicture bottom;
  };
  std::array<TSkin, ButtonColorCount> skins_;
};
