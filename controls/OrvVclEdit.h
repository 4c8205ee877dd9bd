// TOrvVclEdit: a single-line edit with a two-pixel frame drawn in the
// colours of a style of its picture list (silver outside when disabled).
#pragma once

#include "controls/OrvVclPopupMenuPicList.h"
#include "framework/StdCtrls.h"

class TOrvVclEdit : public TCustomEdit {
 public:
  // No border of the system's; a non-client band of 2 pixels for the frame.
  explicit TOrvVclEdit(TComponent* AOwner);

  TOrvVclPopupMenuPicList* PicList() const { return pic_list_; }
  void SetPicList(TOrvVclPopupMenuPicList* value);
  // 1 to 5; other values are ignored.
  int Picstyle() const { return picstyle_; }
  void SetPicstyle(int value);

  void WndProc(TMessage& message) override;

 protected:
  // Repaints at once, frame included.
  void EnabledChanged() override;

 private:
  void RepaintWindow();

  TComponentRef<TOrvVclPopupMenuPicList> pic_list_;
  int picstyle_ = 1;
};
