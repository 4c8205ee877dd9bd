#include "controls/XImageButtonColor.h"

#include "framework/Layout.h"

TXImageButtonColor::TXImageButtonColor(TComponent* AOwner) : TXImageButton(AOwner) {
  Font().SetColor(DefaultCaptionColor(fBlue));
}

void TXImageButtonColor::SetPicImageList(TXImageButtonPicList* value) {
  pic_image_list_ = value;
  SetButtonColor(fBlue);
}

void TXImageButtonColor::SetButtonColor(TButtonColor value) {
  if (!pic_image_list_) {
    button_color_ = value;
    return;
  }
  {
    TValueGuard updating(updating_, true);
    const int width = Width(), height = Height();
    const bool defaultCaption = Font().Color() == DefaultCaptionColor(button_color_);
    button_color_ = value;
    PicNormal().Assign(pic_image_list_->Picture(value, TButtonState::Normal));
    PicMouseOn().Assign(pic_image_list_->Picture(value, TButtonState::MouseOn));
    PicMouseDown().Assign(pic_image_list_->Picture(value, TButtonState::MouseDown));
    PicDisabled().Assign(pic_image_list_->Picture(value, TButtonState::Disabled));
    if (defaultCaption) Font().SetColor(DefaultCaptionColor(value));
    // Back to the button's own size: with NeedStretch this stretches the new pictures.
    SetWidth(width);
    SetHeight(height);
  }
  DrawState(TButtonState::Normal);
}

namespace {

const bool registered = [] {
  RegisterClass<TXImageButtonColor, TXImageButton>("TXImageButtonColor")
      .Ref("PicImageList", &TXImageButtonColor::SetPicImageList)
      .Prop("ButtonColor", &TXImageButtonColor::SetButtonColor);
  return true;
}();

}  // namespace
