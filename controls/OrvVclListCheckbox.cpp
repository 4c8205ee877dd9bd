#include "controls/OrvVclListCheckbox.h"

#include <windowsx.h>

#include "controls/OrvVclPublic.h"
#include "framework/Layout.h"

TOrvVclListCheckbox::TOrvVclListCheckbox(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBevelOuter(bvNone);
}

void TOrvVclListCheckbox::SetXPicList(TXCheckBoxPicList* value) {
  pic_list_ = value;
  if (value)
    for (int status = 0; status < CheckBoxStatusCount; ++status)
      for (int state = 0; state < ButtonStateCount; ++state) {
        const TPicture& first =
            value->Picture(static_cast<TXCheckBoxStatus>(status), static_cast<TButtonState>(state));
        if (first.Empty()) continue;
        box_width_ = first.Width();
        box_height_ = first.Height();
        status = CheckBoxStatusCount;
        break;
      }
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclListCheckbox::SetCheckStatue(int value) {
  if (value < lcsNone || value > lcsUnChecked) return;
  check_statue_ = value;
  if (HandleAllocated()) RepaintNow(Handle());
}

void TOrvVclListCheckbox::Loaded() {
  TCustomPanel::Loaded();
  if (HandleAllocated()) RepaintNow(Handle());
}

const TPicture* TOrvVclListCheckbox::StatePicture() const {
  if (!pic_list_ || check_statue_ == lcsNone) return nullptr;
  const auto status = static_cast<TXCheckBoxStatus>(check_statue_ - 1);
  TButtonState state = TButtonState::Normal;
  if (!Enabled()) state = TButtonState::Disabled;
  else if (mouse_state_ == bmDown) state = TButtonState::MouseDown;
  else if (mouse_state_ == bmOver) state = TButtonState::MouseOn;
  return &pic_list_->Picture(status, state);
}

// The background window and the box are drawn Offset pixels wider and the
// left Offset pixels are cut off, so the box seems to slide under the edge.
void TOrvVclListCheckbox::PaintBox(HDC target) {
  const TRect client = ClientRect();
  if (!target || client.IsEmpty()) return;
  TBitmap buffer(client.Width() + offset_, client.Height());
  HDC dc = buffer.Canvas().Handle();
  HWND background = parent_dc_ ? parent_dc_ : Parent() ? Parent()->Handle() : nullptr;
  if (background) PaintParentBackground(dc, Handle(), background, offset_);
  const TPicture* picture = StatePicture();
  if (picture && !picture->Empty()) buffer.Canvas().Draw(0, 0, *picture->Graphic());
  BitBlt(target, 0, 0, client.Width(), client.Height(), dc, offset_, 0, SRCCOPY);
}

void TOrvVclListCheckbox::WndProc(TMessage& m) {
  HDC given = reinterpret_cast<HDC>(m.WParam);
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (given) {
        PaintBox(given);
      } else {
        PAINTSTRUCT ps;
        PaintBox(BeginPaint(Handle(), &ps));
        EndPaint(Handle(), &ps);
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      MouseAt(m.Msg, {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      break;
    case WM_MOUSELEAVE:
      leave_requested_ = false;
      mouse_state_ = bmNormal;
      RepaintNow(Handle());
      break;
  }
  TCustomPanel::WndProc(m);
}

void TOrvVclListCheckbox::MouseAt(UINT msg, TPoint p) {
  last_point_ = p;
  const bool inside = ClientRect().Contains(p);
  if (msg == WM_LBUTTONDOWN) {
    SetCapture(Handle());
    pressed_ = true;
    mouse_state_ = bmDown;
  } else if (msg == WM_MOUSEMOVE) {
    if (!leave_requested_) {
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
      leave_requested_ = TrackMouseEvent(&track) != FALSE;
    }
    mouse_state_ = !inside ? bmNormal : pressed_ ? bmDown : bmOver;
  } else {
    ReleaseCapture();
    const bool click = pressed_ && inside;
    pressed_ = false;
    mouse_state_ = inside ? bmOver : bmNormal;
    if (click && OnOrvclick) OnOrvclick(this, index_, check_statue_);
  }
  RepaintNow(Handle());
}

namespace {

const bool registered = [] {
  RegisterClass<TOrvVclListCheckbox, TCustomPanel>("TOrvVclListCheckbox")
      .Ref("XPicList", &TOrvVclListCheckbox::SetXPicList)
      .Prop("CheckStatue", &TOrvVclListCheckbox::SetCheckStatue)
      .Prop("nIndex", &TOrvVclListCheckbox::SetnIndex)
      .Prop("Offset", &TOrvVclListCheckbox::SetOffset)
      .Custom("parentdc",
              [](TOrvVclListCheckbox& box, const TLayoutValue& value, TLayoutReader&) {
                box.SetParentdc(reinterpret_cast<HWND>(static_cast<intptr_t>(ValueToInteger(value, 0, INTPTR_MAX))));
              })
      .Event("OnOrvclick", &TOrvVclListCheckbox::OnOrvclick);
  return true;
}();

}  // namespace
