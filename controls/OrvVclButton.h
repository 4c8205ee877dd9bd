// TOrvVclButton: a push button drawn from an image-button picture list in
// one of its skin colours: the normal, mouse-down, mouse-over or disabled
// picture, stretched over the button. It serves as the skinned drop-down
// button of TOrvVclComboBox, which drives its mouse state directly.
#pragma once

#include "controls/XImageButtonPicList.h"
#include "framework/Controls.h"

class TOrvVclButton : public TCustomControl {
 public:
  explicit TOrvVclButton(TComponent* AOwner);

  // Without a list nothing is drawn.
  TXImageButtonPicList* XPicList() const { return x_pic_list_; }
  void SetXPicList(TXImageButtonPicList* value);
  TButtonColor ButtonColor() const { return button_color_; }
  void SetButtonColor(TButtonColor value);
  // 1 to 5, other values ignored; the drawing does not depend on it.
  int Picstyle() const { return picstyle_; }
  void SetPicstyle(int value);
  // Always false; setting it does nothing.
  bool Checked() const { return false; }
  void SetChecked(bool) {}
  // While set, command notifications are swallowed.
  bool ClicksDisabled() const { return clicks_disabled_; }
  void SetClicksDisabled(bool value) { clicks_disabled_ = value; }

  // The mouse state: pressed on the button, 0 normal / 1 down / 2 over,
  // and whether mouse moves are followed (cleared while the combo box has
  // the mouse after a press).
  bool isDown() const { return is_down_; }
  void SetisDown(bool value) { is_down_ = value; }
  int nMousestatue() const { return n_mousestatue_; }
  void SetnMousestatue(int value) { n_mousestatue_ = value; }
  bool ObjActive() const { return obj_active_; }
  void SetObjActive(bool value) { obj_active_ = value; }
  // The last mouse point seen while active; (-1, -1) before the first.
  TPoint MousePoint() const { return mouse_point_; }

  // Paints the button now (into its window's client area).
  void RepaintButton();

  void WndProc(TMessage& message) override;

 protected:
  // Repaints at once in the disabled or the state picture.
  void EnabledChanged() override;

 private:
  void PaintTo(HDC dc);
  void MouseMoved(const TMessage& message);

  TComponentRef<TXImageButtonPicList> x_pic_list_;
  TButtonColor button_color_ = fBlue;
  int picstyle_ = 1;
  bool clicks_disabled_ = false;
  bool is_down_ = false;
  int n_mousestatue_ = 0;
  bool obj_active_ = true;
  TPoint mouse_point_{-1, -1};
  TBitmap offscreen_;
  TPicture working_;
};
