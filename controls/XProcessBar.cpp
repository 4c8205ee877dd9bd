#include "controls/XProcessBar.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "framework/Layout.h"

TXProcessBar::TXProcessBar(TComponent* AOwner) : TImage(AOwner) {
  SetAccessibleRole(arProgressBar);
  font_.SetColor(clBlack);
  SetBounds(Left(), Top(), 30, 16);
}

void TXProcessBar::SetPicImageList(TXProcessBarPicList* value) {
  pic_image_list_ = value;
  ApplySkin();
  DrawBar();
}

void TXProcessBar::SetPosition(int value) {
  position_ = std::max(std::min(value, max_), 0);
  DrawBar();
}

void TXProcessBar::SetMax(int value) {
  max_ = value;
  DrawBar();
}

void TXProcessBar::SetSkinColor(TButtonColor value) {
  skin_color_ = value;
  if (!pic_image_list_) return;
  ApplySkin();
  DrawBar();
}

void TXProcessBar::ApplySkin() {
  if (!pic_image_list_) return;
  border_ = pic_image_list_->Border(skin_color_);
  trough_.Assign(pic_image_list_->Bottom(skin_color_));
  bar_.Assign(pic_image_list_->Bar(skin_color_));
}

std::wstring TXProcessBar::AccessibleValue() const {
  const int64_t percent = max_ > 0 ? int64_t{position_} * 100 / max_ : 0;
  return std::to_wstring(percent) + L"%";
}

void TXProcessBar::DrawBar() {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) {
    Picture().Clear();
    return;
  }
  auto bitmap = std::make_unique<TBitmap>(w, h);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush.SetColor(clWhite);
  canvas.Pen.SetColor(border_);
  canvas.Rectangle(Rect(0, 0, w, h));
  if (!trough_.Empty()) canvas.StretchDraw(Rect(1, 1, w - 1, h - 1), *trough_.Graphic());

  // In 64 bits, so that large positions cannot overflow; a bar whose
  // maximum is not positive shows as empty.
  const int64_t inside = w - 4;
  const int64_t filled = max_ > 0 ? std::min(inside * position_ / max_, inside) : 0;
  if (filled > 0 && !bar_.Empty())
    canvas.StretchDraw(Rect(2, 2, 2 + static_cast<int>(filled), h - 2), *bar_.Graphic());

  const std::wstring text = AccessibleValue();
  // Black text with a white shadow one pixel right and down, from a fixed x.
  canvas.Brush.SetStyle(bsClear);
  canvas.Font.Assign(font_);
  canvas.Font.SetColor(clWhite);
  canvas.TextOut(w / 2 - 10, (h - 16) / 2 + 2, text);
  canvas.Font.SetColor(clBlack);
  canvas.TextOut(w / 2 - 11, (h - 16) / 2 + 1, text);
  Picture().TakeGraphic(std::move(bitmap));
}

void TXProcessBar::Resize() {
  DrawBar();
  TImage::Resize();
}

namespace {

const bool registered = [] {
  RegisterClass<TXProcessBar, TImage>("TXProcessBar")
      .Ref("PicImageList", &TXProcessBar::SetPicImageList)
      .Prop("Position", &TXProcessBar::SetPosition)
      .Prop("Max", &TXProcessBar::SetMax)
      .Prop("SkinColor", &TXProcessBar::SetSkinColor);
  return true;
}();

}  // namespace
