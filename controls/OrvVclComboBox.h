// TOrvVclComboBox: a combo box framed in the colours of a scroll-bar
// picture list, whose drop-down button is covered by a skinned push button
// and whose drop-down list carries a skinned vertical scroll bar.
//
// Both the combo window and the button window get a replacement window
// procedure (TWindowHook) that finds the combo box through the window's
// user data; each puts the previous procedure back when its window is
// destroyed, and the combo box unhooks the button when it lets go of it.
#pragma once

#include "controls/OrvVclButton.h"
#include "controls/OrvVclScrollBar.h"
#include "controls/OrvVclScrollbarPicList.h"
#include "framework/StdCtrls.h"
#include "framework/WindowHook.h"

class TOrvVclComboBox : public TCustomComboBox {
 public:
  explicit TOrvVclComboBox(TComponent* AOwner);

  // The button's window becomes a child of the combo window, laid over the
  // native drop-down button; presses on it open the list.
  TOrvVclButton* MyButton() const { return my_button_; }
  void SetMyButton(TOrvVclButton* value);
  // Attached to the drop-down list when the list first asks for its
  // colours; collapsed and hidden when the list closes.
  TOrvVclScrollBar* MyScrollbar() const { return my_scrollbar_; }
  void SetMyScrollbar(TOrvVclScrollBar* value);
  // Border and text colours; without it the combo box keeps the system's look.
  TOrvVclScrollbarPicList* PicList() const { return pic_list_; }
  void SetPicList(TOrvVclScrollbarPicList* value);
  // 1 to 5; other values are ignored.
  int Picstyle() const { return picstyle_; }
  void SetPicstyle(int value);

  // The drop-down list window the scroll bar was attached to; null before.
  HWND ListHandle() const { return list_wnd_; }

  void WndProc(TMessage& message) override;
  void BeforeDestruction() override;

 protected:
  // Hooks every window the combo box gets, and its button's.
  void CreateWnd() override;

 private:
  LRESULT ComboMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT ButtonMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The drop-down list's colours; the first time a list window asks, the
  // scroll bar is attached to it.
  LRESULT ListColours(HDC dc, HWND list);
  void AttachListBar(HWND list);
  void AttachButton();
  void DetachButton();
  void PlaceButton();
  void ResetButton();
  // A mouse message of the button window, sent on to the combo window
  // with its point in the combo's client coordinates.
  void ForwardToCombo(HWND button, UINT msg, WPARAM wParam, LPARAM lParam);
  void RepaintWindow();

  // A freed button has been unhooked by the destruction of its window.
  TComponentRef<TOrvVclButton> my_button_;
  TComponentRef<TOrvVclScrollBar> my_scrollbar_;
  TComponentRef<TOrvVclScrollbarPicList> pic_list_;
  int picstyle_ = 1;
  TWindowHook combo_hook_;
  TWindowHook button_hook_;
  HWND list_wnd_ = nullptr;
  TBrush list_brush_;
  bool list_hooked_ = false;
  // Set at first; a release on the combo window clears it, one on the
  // button toggles it (and passes the mouse on to the combo when it clears).
  bool button_up_ = true;
};
