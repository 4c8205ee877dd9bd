#include "controls/OrvVclButton.h"

#include <windowsx.h>

#include "controls/OrvVclPublic.h"
#include "framework/Layout.h"

TOrvVclButton::TOrvVclButton(TComponent* AOwner) : TCustomControl(AOwner) {}

void TOrvVclButton::SetXPicList(TXImageButtonPicList* value) {
  x_pic_list_ = value;
  RepaintButton();
}

void TOrvVclButton::SetButtonColor(TButtonColor value) {
  button_color_ = value;
  RepaintButton();
}

void TOrvVclButton::SetPicstyle(int value) {
  if (value < 1 || value > 5) return;
  picstyle_ = value;
  RepaintButton();
}

void TOrvVclButton::RepaintButton() {
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (clicks_disabled_) return;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Focused()) is_down_ = false;
      TCustomControl::WndProc(m);
      if (m.Msg == WM_LBUTTONDOWN) {
        n_mousestatue_ = 1;
        is_down_ = true;
        RepaintButton();
      }
      return;
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE:
      TCustomControl::WndProc(m);
      if (!obj_active_) {
        obj_active_ = true;
        return;
      }
      n_mousestatue_ = 0;
      if (m.Msg == WM_LBUTTONUP) is_down_ = false;
      RepaintButton();
      return;
    case WM_MOUSEMOVE:
      if (obj_active_) MouseMoved(m);
      return;
    case WM_ERASEBKGND:
      PaintTo(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_PAINT:
      if (m.WParam) {
        PaintTo(reinterpret_cast<HDC>(m.WParam));
      } else {
        PAINTSTRUCT ps;
        PaintTo(BeginPaint(Handle(), &ps));
        EndPaint(Handle(), &ps);
      }
      return;
  }
  TCustomControl::WndProc(m);
}

void TOrvVclButton::MouseMoved(const TMessage& message) {
  mouse_point_ = {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TMessage framework = message;
  TCustomControl::WndProc(framework);
  const TPoint p = mouse_point_;
  const bool outside = p.X < 0 || p.Y < 0 || p.X > Width() || p.Y > Height();
  n_mousestatue_ = outside ? 0 : is_down_ ? 1 : 2;
  RepaintButton();
}

void TOrvVclButton::PaintTo(HDC dc) {
  if (!x_pic_list_ || !dc) return;
  TButtonState state = TButtonState::Normal;
  if (!Enabled()) state = TButtonState::Disabled;
  else if (n_mousestatue_ == 1) state = TButtonState::MouseDown;
  else if (n_mousestatue_ == 2) state = TButtonState::MouseOn;
  working_.Assign(x_pic_list_->Picture(button_color_, state));
  if (working_.Empty()) return;
  const TRect source = Rect(0, 0, working_.Width(), working_.Height());
  offscreen_.SetSize(source.Width(), source.Height());
  TCanvas& canvas = offscreen_.Canvas();
  canvas.Brush.SetColor(Color());
  canvas.FillRect(source);
  canvas.Draw(0, 0, *working_.Graphic());
  CopyPixels(dc, ClientRect(), canvas.Handle(), source);
}

void TOrvVclButton::EnabledChanged() {
  TCustomControl::EnabledChanged();
  RepaintButton();
}

namespace {

const bool registered = [] {
  RegisterClass<TOrvVclButton, TCustomControl>("TOrvVclButton")
      .Ref("XPicList", &TOrvVclButton::SetXPicList)
      .Prop("ButtonColor", &TOrvVclButton::SetButtonColor)
      .Prop("Picstyle", &TOrvVclButton::SetPicstyle)
      .Prop("Checked", &TOrvVclButton::SetChecked)
      .Prop("ClicksDisabled", &TOrvVclButton::SetClicksDisabled)
      .Prop("isDown", &TOrvVclButton::SetisDown)
      .Prop("nMousestatue", &TOrvVclButton::SetnMousestatue)
      .Prop("ObjActive", &TOrvVclButton::SetObjActive);
  return true;
}();

}  // namespace
