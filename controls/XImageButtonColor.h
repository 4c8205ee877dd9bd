// TXImageButtonColor: an image button whose four state pictures come from
// a picture list, one set per skin colour; ButtonColor swaps the set.
#pragma once

#include "controls/XImageButton.h"
#include "controls/XImageButtonPicList.h"

class TXImageButtonColor : public TXImageButton {
 public:
  explicit TXImageButtonColor(TComponent* AOwner);

  // Assigning a list shows its Blue set, whatever colour was shown before.
  TXImageButtonPicList* PicImageList() const { return pic_image_list_; }
  void SetPicImageList(TXImageButtonPicList* value);
  // Copies the colour's pictures from the list, keeps the button's size
  // (stretching the new pictures when NeedStretch is set) and gives the
  // caption the colour's default colour unless the user chose another.
  // Without a list only the colour is stored.
  TButtonColor ButtonColor() const { return button_color_; }
  void SetButtonColor(TButtonColor value);

 private:
  TComponentRef<TXImageButtonPicList> pic_image_list_;
  TButtonColor button_color_ = fBlue;
};
