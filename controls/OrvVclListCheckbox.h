// TOrvVclListCheckbox: a small picture check box that a list view carries
// in its first header column. It shows the list's header through its
// transparent parts and reports clicks; the click handler decides the new
// state.
#pragma once

#include <functional>

#include "controls/XCheckBoxPicList.h"
#include "framework/ExtCtrls.h"

class TOrvVclListCheckbox;

// Raised on a completed click with the box's nIndex and CheckStatue.
using TOrvClickEvent = std::function<void(TObject* Sender, int Index, int State)>;

// CheckStatue values.
constexpr int lcsNone = 0;  // shows nothing
constexpr int lcsChecked = 1;
constexpr int lcsGrayed = 2;
constexpr int lcsUnChecked = 3;

// Mouse states of the box.
enum TBoxMouse : int { bmNormal = 0, bmDown = 1, bmOver = 2 };

class TOrvVclListCheckbox : public TCustomPanel {
 public:
  explicit TOrvVclListCheckbox(TComponent* AOwner);

  TXCheckBoxPicList* XPicList() const { return pic_list_; }
  // Also takes the box size from the list's first picture.
  void SetXPicList(TXCheckBoxPicList* value);
  int CheckStatue() const { return check_statue_; }
  // Takes 0 to 3 and repaints; other values are ignored.
  void SetCheckStatue(int value);
  int nIndex() const { return index_; }
  void SetnIndex(int value) { index_ = value; }
  // Pixels of the box hidden at its left edge.
  int Offset() const { return offset_; }
  void SetOffset(int value) { offset_ = value; }
  // The window whose content shows behind the box (else the parent's).
  HWND parentdc() const { return parent_dc_; }
  void SetParentdc(HWND value) { parent_dc_ = value; }

  int BoxWidth() const { return box_width_; }
  int BoxHeight() const { return box_height_; }

  TOrvClickEvent OnOrvclick;

  void Loaded() override;
  void WndProc(TMessage& message) override;

 private:
  // The picture for the state, or null when none is drawn.
  const TPicture* StatePicture() const;
  void PaintBox(HDC target);
  void MouseAt(UINT msg, TPoint p);

  TComponentRef<TXCheckBoxPicList> pic_list_;
  int check_statue_ = lcsUnChecked;
  int index_ = 0;
  int offset_ = 0;
  HWND parent_dc_ = nullptr;
  int box_width_ = 10;
  int box_height_ = 10;
  int mouse_state_ = bmNormal;
  bool pressed_ = false;
  bool leave_requested_ = false;
  TPoint last_point_;
};
