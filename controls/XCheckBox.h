// TXCheckBox: a check box drawn from a picture per check and mouse state,
// with a caption to its right, over its parent's background. As a radio
// button it only ever checks itself; its owner unchecks the partners.
#pragma once

#include <string>

#include "controls/XCheckBoxPicList.h"
#include "framework/Controls.h"

class TXCheckBox : public TCustomControl {
 public:
  explicit TXCheckBox(TComponent* AOwner);

  TXCheckBoxPicList* PicImageList() const { return pic_image_list_; }
  void SetPicImageList(TXCheckBoxPicList* value);
  TXCheckBoxStatus Status() const { return status_; }
  void SetStatus(TXCheckBoxStatus value);
  // The box's own enabled flag. The framework's flag stays on, so a
  // disabled box still receives the mouse and ignores it.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) override;
  bool Operable() const override { return enabled_; }
  // Tab stops at a radio button only while it is checked; arrows reach the others.
  bool WantsTabStop() const override { return TabStop() && (!radio_button_ || status_ == csChecked); }
  // The name set for it, else its caption; checked when it is.
  std::wstring AccessibleName() const override;
  long AccessibleState() const override;
  // A checked radio button ignores clicks.
  bool RadioButton() const { return radio_button_; }
  void SetRadioButton(bool value);
  // Font() draws the caption.
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& value);
  // Extra gap between box and caption.
  int CaptionLeft() const { return caption_left_; }
  void SetCaptionLeft(int value);
  // Caption y; CaptionCentred centres it on the row.
  static constexpr int CaptionCentred = -100;
  int CaptionTop() const { return caption_top_; }
  void SetCaptionTop(int value);
  // The width follows box and caption at every paint; the height stays.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);

  void MouseEnter() override;
  void MouseLeave() override;
  void Click() override;

 protected:
  // Draws the state picture and the caption over the parent's background.
  void Paint() override;
  void FontChanged() override;

 private:
  // The list's picture for the state, or null when there is no list.
  const TPicture* StatePicture() const;
  // Lets the parent paint its background and windowless children into dc,
  // shifted so that they appear behind this control.
  void PaintParentBehind(HDC dc);

  TXCheckBoxStatus status_ = csUnChecked;
  TComponentRef<TXCheckBoxPicList> pic_image_list_;
  bool enabled_ = true;
  std::wstring caption_ = L"XCheckBox";
  int caption_left_ = 0;
  int caption_top_ = CaptionCentred;
  bool mouse_over_ = false;
  bool auto_size_ = true;
  bool radio_button_ = false;
};
