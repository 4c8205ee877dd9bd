// TXProcessBar: a progress bar painted into its own picture from a trough
// picture, a bar picture and a border colour (one set per skin colour of
// its picture list), with the percentage written in the middle.
#pragma once

#include "controls/XButtonTypes.h"
#include "controls/XProcessBarPicList.h"
#include "framework/ExtCtrls.h"

class TXProcessBar : public TImage {
 public:
  explicit TXProcessBar(TComponent* AOwner);

  TXProcessBarPicList* PicImageList() const { return pic_image_list_; }
  void SetPicImageList(TXProcessBarPicList* value);
  // Kept within 0..Max when set; a later change of Max does not clamp it.
  int Position() const { return position_; }
  void SetPosition(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  // Without a picture list the colour is only stored until one is assigned.
  TButtonColor SkinColor() const { return skin_color_; }
  void SetSkinColor(TButtonColor value);
  // The percentage shown, as "42%".
  std::wstring AccessibleValue() const override;

 protected:
  void Resize() override;

 private:
  // Takes the border colour and copies of the pictures of SkinColor from the list.
  void ApplySkin();
  // Paints the whole bar afresh into the control's picture.
  void DrawBar();

  int position_ = 0;
  int max_ = 100;
  TComponentRef<TXProcessBarPicList> pic_image_list_;
  TPicture trough_;
  TColor border_ = 0x00F3C38F;
  TPicture bar_;
  TFont font_;
  TButtonColor skin_color_ = fBlue;
};
