#include "controls/OrvVclComboBox.h"

#include <windowsx.h>

#include "controls/OrvVclPublic.h"
#include "framework/Forms.h"
#include "framework/Layout.h"

TOrvVclComboBox::TOrvVclComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}

void TOrvVclComboBox::BeforeDestruction() {
  // Destroying the combo window destroys the button's too, and each hook
  // puts its procedure back then; what may be left is let go of here.
  TCustomComboBox::BeforeDestruction();
  DetachButton();
}

void TOrvVclComboBox::SetMyButton(TOrvVclButton* value) {
  DetachButton();
  my_button_ = value;
  if (value && HandleAllocated()) AttachButton();
}

void TOrvVclComboBox::SetMyScrollbar(TOrvVclScrollBar* value) { my_scrollbar_ = value; }
void TOrvVclComboBox::SetPicList(TOrvVclScrollbarPicList* value) { pic_list_ = value; }

void TOrvVclComboBox::SetPicstyle(int value) {
  if (value < 1 || value > TOrvVclScrollbarPicList::StyleCount) return;
  picstyle_ = value;
  RepaintWindow();
}

void TOrvVclComboBox::RepaintWindow() {
  if (HandleAllocated()) RepaintNow(Handle());
}

// ---------------------------------------------------------------- hooks

void TOrvVclComboBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  list_wnd_ = nullptr;
  list_hooked_ = false;
  combo_hook_.Install<&TOrvVclComboBox::combo_hook_, &TOrvVclComboBox::ComboMessage>(this, Handle());
  if (my_button_) AttachButton();
}

LRESULT TOrvVclComboBox::ComboMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CTLCOLORLISTBOX) return ListColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  const LRESULT result = combo_hook_.CallPrevious(wnd, msg, wParam, lParam);
  // The list took the mouse from the button's press: the button is up again.
  if (msg == WM_LBUTTONUP && my_button_) {
    button_up_ = false;
    ResetButton();
  }
  return result;
}

LRESULT TOrvVclComboBox::ListColours(HDC dc, HWND list) {
  if (pic_list_) {
    SetBkColor(dc, ColorToRGB(Color()));
    SetTextColor(dc, ColorToRGB(pic_list_->HeaderFontColor(picstyle_)));
    list_brush_.SetColor(Color());
  }
  if (!list_hooked_ && my_scrollbar_ && IsWindow(list)) AttachListBar(list);
  return reinterpret_cast<LRESULT>(list_brush_.Handle());
}

void TOrvVclComboBox::AttachListBar(HWND list) {
  list_wnd_ = list;
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  if (style & WS_THICKFRAME) SetWindowLongW(list, GWL_STYLE, style & ~WS_BORDER);
  HWND bar = my_scrollbar_->Handle();
  SetWindowLongW(bar, GWL_EXSTYLE, GetWindowLongW(bar, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  my_scrollbar_->AttachToHost(list, nullptr, Handle());
  list_hooked_ = true;
}

void TOrvVclComboBox::AttachButton() {
  HWND button = my_button_->Handle();
  ::SetParent(button, Handle());
  button_hook_.Install<&TOrvVclComboBox::button_hook_, &TOrvVclComboBox::ButtonMessage>(this, button);
  PlaceButton();
}

void TOrvVclComboBox::DetachButton() { button_hook_.Release(); }

LRESULT TOrvVclComboBox::ButtonMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      my_button_->SetObjActive(false);
      my_button_->SetisDown(true);
      my_button_->SetnMousestatue(1);
      my_button_->RepaintButton();
      ForwardToCombo(wnd, msg, wParam, lParam);  // opens the list
      return 0;
    case WM_LBUTTONUP:
      my_button_->SetObjActive(true);
      button_up_ = !button_up_;
      if (!button_up_) ForwardToCombo(wnd, WM_MOUSEMOVE, wParam, lParam);
      return 0;
  }
  const LRESULT result = button_hook_.CallPrevious(wnd, msg, wParam, lParam);
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) ForwardToCombo(wnd, msg, wParam, lParam);
  return result;
}

void TOrvVclComboBox::ForwardToCombo(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  MapWindowPoints(button, Handle(), &p, 1);
  SendMessageW(Handle(), msg, wParam, MAKELPARAM(p.x, p.y));
}

void TOrvVclComboBox::ResetButton() {
  my_button_->SetObjActive(true);
  my_button_->SetisDown(false);
  my_button_->SetnMousestatue(0);
  my_button_->RepaintButton();
}

void TOrvVclComboBox::PlaceButton() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!button_hook_.Installed() || !GetComboBoxInfo(Handle(), &info)) return;
  const RECT& native = info.rcButton;
  const int left = info.rcItem.right + 1;
  my_button_->SetBounds(left, native.top, native.right - left, native.bottom - native.top);
}

// ---------------------------------------------------------------- messages

void TOrvVclComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (pic_list_) Font().SetColor(pic_list_->HeaderFontColor(picstyle_));
      if (my_button_) PlaceButton();
      TCustomComboBox::WndProc(m);
      if (pic_list_) DrawWindowFrame(Handle(), pic_list_->BorderColor(picstyle_), Color(), true);
      return;
    case WM_ERASEBKGND:
      TCustomComboBox::WndProc(m);
      if (pic_list_) DrawWindowFrame(Handle(), pic_list_->BorderColor(picstyle_), Color(), false);
      return;
    case CN_COMMAND:
      // The list's bar collapses before the close-up event.
      if (HIWORD(m.WParam) == CBN_CLOSEUP && my_scrollbar_) {
        my_scrollbar_->SetHeight(0);
        my_scrollbar_->Hide();
      }
      break;
  }
  TCustomComboBox::WndProc(m);
}

namespace {

const bool registered = [] {
  RegisterClass<TOrvVclComboBox, TCustomComboBox>("TOrvVclComboBox")
      .Ref("MyButton", &TOrvVclComboBox::SetMyButton)
      .Ref("MyScrollbar", &TOrvVclComboBox::SetMyScrollbar)
      .Ref("PicList", &TOrvVclComboBox::SetPicList)
      .Prop("Picstyle", &TOrvVclComboBox::SetPicstyle);
  return true;
}();

}  // namespace
