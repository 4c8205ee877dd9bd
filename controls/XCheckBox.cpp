#include "controls/XCheckBox.h"

#include <oleacc.h>

#include <algorithm>

#include "framework/Layout.h"

TXCheckBox::TXCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetAccessibleRole(arCheckBox);
  SetBounds(0, 0, 97, 17);
  Font().SetColor(clBlack);
  SetCursor(crHandPoint);
}

void TXCheckBox::SetPicImageList(TXCheckBoxPicList* value) {
  pic_image_list_ = value;
  Repaint();
}

void TXCheckBox::SetStatus(TXCheckBoxStatus value) {
  status_ = value;
  Repaint();
}

void TXCheckBox::SetEnabled(bool value) {
  enabled_ = value;
  Repaint();
}

void TXCheckBox::SetRadioButton(bool value) {
  radio_button_ = value;
  SetAccessibleRole(value ? arRadioButton : arCheckBox);
  Repaint();
}

std::wstring TXCheckBox::AccessibleName() const {
  std::wstring name = TCustomControl::AccessibleName();
  return name.empty() ? caption_ : name;
}

long TXCheckBox::AccessibleState() const {
  return status_ == csChecked ? STATE_SYSTEM_CHECKED : status_ == csGrayed ? STATE_SYSTEM_MIXED : 0;
}

void TXCheckBox::SetCaption(const std::wstring& value) {
  caption_ = value;
  Repaint();
}

void TXCheckBox::SetCaptionLeft(int value) {
  caption_left_ = value;
  Repaint();
}

void TXCheckBox::SetCaptionTop(int value) {
  caption_top_ = value;
  Repaint();
}

void TXCheckBox::SetAutoSize(bool value) {
  if (value == auto_size_) return;
  auto_size_ = value;
  Repaint();
}

void TXCheckBox::FontChanged() {
  TCustomControl::FontChanged();
  Repaint();
}

void TXCheckBox::MouseEnter() {
  if (!enabled_) {
    SetCursor(crDefault);
    return;
  }
  SetCursor(crHandPoint);
  mouse_over_ = true;
  Repaint();
  TCustomControl::MouseEnter();
}

void TXCheckBox::MouseLeave() {
  if (!enabled_) return;
  mouse_over_ = false;
  Repaint();
  TCustomControl::MouseLeave();
}

void TXCheckBox::Click() {
  if (!enabled_) return;
  if (status_ != csChecked) status_ = csChecked;
  else if (radio_button_) return;
  else status_ = csUnChecked;
  Repaint();
  TCustomControl::Click();
}

const TPicture* TXCheckBox::StatePicture() const {
  if (!pic_image_list_) return nullptr;
  const TButtonState state = !enabled_ ? TButtonState::Disabled
                             : mouse_over_ ? TButtonState::MouseOn
                                           : TButtonState::Normal;
  return &pic_image_list_->Picture(status_, state);
}

void TXCheckBox::Paint() {
  TCanvas& canvas = Canvas();
  const TPicture* picture = StatePicture();
  const bool hasPicture = picture && !picture->Empty();
  // The box is at least 14 x 14; a larger picture widens it.
  int boxWidth = 14, boxHeight = 14, needed = 0;
  if (hasPicture) {
    boxWidth = std::max(boxWidth, picture->Width());
    boxHeight = std::max(boxHeight, picture->Height());
    needed = boxWidth;
  }
  const SIZE text = canvas.TextExtent(caption_);
  needed = std::max(needed, static_cast<int>(text.cx) + caption_left_ + boxWidth + 4);
  if (auto_size_ && Width() != needed) SetWidth(needed);

  const int rowHeight = std::max(static_cast<int>(text.cy), boxHeight);
  const int captionX = caption_left_ + boxWidth + 4;
  const int captionY = caption_top_ == CaptionCentred ? (rowHeight - text.cy) / 2 : caption_top_;
  if (Parent()) PaintParentBehind(canvas.Handle());
  if (hasPicture)
    canvas.Draw((boxWidth - picture->Width()) / 2, (boxHeight - picture->Height()) / 2, *picture->Graphic());
  if (Parent()) {
    canvas.Brush.SetStyle(bsClear);
    canvas.TextOut(captionX, captionY, caption_);
    UnderlineMnemonic(canvas, captionX, captionY, caption_);
  }
}

void TXCheckBox::PaintParentBehind(HDC dc) {
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, -Left(), -Top(), nullptr);
  const TRect client = Parent()->ClientRect();
  IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  HWND parent = Parent()->Handle();
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

namespace {

const bool registered = [] {
  RegisterEnum<TXCheckBoxStatus>({{"csChecked", csChecked}, {"csGrayed", csGrayed}, {"csUnChecked", csUnChecked}});
  RegisterClass<TXCheckBox, TCustomControl>("TXCheckBox")
      .Ref("PicImageList", &TXCheckBox::SetPicImageList)
      .Prop("Status", &TXCheckBox::SetStatus)
      .Prop("Enabled", &TXCheckBox::SetEnabled)
      .Prop("RadioButton", &TXCheckBox::SetRadioButton)
      .Prop("Caption", &TXCheckBox::SetCaption)
      .Prop("CaptionLeft", &TXCheckBox::SetCaptionLeft)
      .Prop("CaptionTop", &TXCheckBox::SetCaptionTop)
      .Prop("autosize", &TXCheckBox::SetAutoSize);
  return true;
}();

}  // namespace
