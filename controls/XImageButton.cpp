#include "controls/XImageButton.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "framework/Layout.h"

namespace {

// The picture as a PNG of its own (other kinds are converted).
std::unique_ptr<TPngImage> PngCopy(const TPicture& picture) {
  auto png = std::make_unique<TPngImage>();
  if (!picture.Empty()) png->Assign(*picture.Graphic());
  return png;
}

void CopyPicture(TPicture& target, const TPicture* value) {
  if (value) target.Assign(*value);
  else target.Clear();
}

}  // namespace

// ---------------------------------------------------------------- pixels

void BlendInto(TPngImage& target, const TPngImage& from, const TPngImage& to, int w, int h, int alpha) {
  if (target.Empty()) return;
  const int a = std::clamp(alpha, 0, 255);
  auto mix = [a](uint8_t p, uint8_t n) { return static_cast<uint8_t>((255 - a) * p / 255 + a * n / 255); };
  const int columns = std::min({w, target.Width(), from.Width(), to.Width()});
  const int rows = std::min({h, target.Height(), from.Height(), to.Height()});
  for (int y = 0; y < rows; ++y) {
    uint8_t* t = target.Scanline(y);
    const uint8_t* p = from.Scanline(y);
    const uint8_t* n = to.Scanline(y);
    for (int i = 0; i < 3 * columns; ++i) t[i] = mix(p[i], n[i]);
  }
  if (!target.HasAlpha() || !from.HasAlpha() || !to.HasAlpha()) return;
  for (int y = 0; y < rows; ++y) {
    uint8_t* t = target.AlphaScanline(y);
    const uint8_t* p = from.AlphaScanline(y);
    const uint8_t* n = to.AlphaScanline(y);
    for (int x = 0; x < columns; ++x) t[x] = mix(p[x], n[x]);
  }
}

std::unique_ptr<TPngImage> StretchCaps(const TPngImage& source, int width, int left, int right) {
  auto result = std::make_unique<TPngImage>();
  result->Assign(source);
  const int sw = source.Width();
  if (sw == 0 || width <= 0) return result;
  result->SetSize(width, source.Height());
  left = std::clamp(left, 0, width);
  right = std::clamp(right, 0, std::min(width, sw));
  const int middle = std::min(left, sw - 1);  // the source column the middle repeats
  const int rightStart = width - right;
  for (int y = 0; y < source.Height(); ++y) {
    const uint8_t* in = source.Scanline(y);
    uint8_t* out = result->Scanline(y);
    for (int x = left; x < rightStart; ++x) std::memcpy(out + 3 * x, in + 3 * middle, 3);
    std::memcpy(out + 3 * rightStart, in + 3 * (sw - right), 3 * static_cast<size_t>(right));
    if (!source.HasAlpha()) continue;
    const uint8_t* alphaIn = source.AlphaScanline(y);
    uint8_t* alphaOut = result->AlphaScanline(y);
    for (int x = left; x < rightStart; ++x) alphaOut[x] = alphaIn[middle];
    std::memcpy(alphaOut + rightStart, alphaIn + (sw - right), static_cast<size_t>(right));
  }
  return result;
}

// ---------------------------------------------------------------- TXImageButton

TXImageButton::TXImageButton(TComponent* AOwner) : TImage(AOwner) {
  SetAccessibleRole(arPushButton);
  TFont& font = Font();
  font.SetName(L"Tahoma");
  font.SetHeight(-11);
  font.SetStyle(fsBold);
  font.SetColor(clBlack);
  font_disable_.Assign(font);
  font_disable_.SetColor(0x00808080);
  font_disable_.OnChange = [this] { DrawState(TButtonState::Normal); };
  pic_normal_.OnChange = [this] { PicNormalChanged(); };
  SetAutoSize(true);
  SetCursor(crHandPoint);
}

TXImageButton::~TXImageButton() {
  pic_normal_.OnChange = nullptr;
  font_disable_.OnChange = nullptr;
}

void TXImageButton::PicNormalChanged() {
  SetAutoSize(false);
  if (!pic_normal_.Empty()) SetBounds(Left(), Top(), pic_normal_.Width(), pic_normal_.Height());
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetPicNormal(TPicture* value) {
  CopyPicture(pic_normal_, value);
  CopyPicture(Picture(), value);
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetPicMouseOn(TPicture* value) { CopyPicture(pic_mouse_on_, value); }
void TXImageButton::SetPicMouseDown(TPicture* value) { CopyPicture(pic_mouse_down_, value); }
void TXImageButton::SetPicSmallMouseOn(TPicture* value) { CopyPicture(pic_small_mouse_on_, value); }
void TXImageButton::SetPicSmallMouseDown(TPicture* value) { CopyPicture(pic_small_mouse_down_, value); }

void TXImageButton::SetPicDisabled(TPicture* value) {
  CopyPicture(pic_disabled_, value);
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetPicSmallNormal(TPicture* value) {
  CopyPicture(pic_small_normal_, value);
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetPicSmallDisabled(TPicture* value) {
  CopyPicture(pic_small_disabled_, value);
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetEnabled(bool value) {
  enabled_ = value;
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetCaption(const std::wstring& value) {
  caption_ = value;
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetCaptionLeft(int value) {
  caption_left_ = value;
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetCaptionTop(int value) {
  caption_top_ = value;
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetCaptionAlign(TTextAlign value) {
  caption_align_ = value;
  DrawState(TButtonState::Normal);
}

std::wstring TXImageButton::AccessibleName() const {
  std::wstring name = TImage::AccessibleName();
  return name.empty() ? caption_ : name;
}

void TXImageButton::SetPicSmallPosLeft(int value) {
  small_left_ = value;
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetPicSmallPosTop(int value) {
  small_top_ = value;
  DrawState(TButtonState::Normal);
}

void TXImageButton::SetEnableAnimation(bool value) {
  enable_animation_ = value;
  if (!value) animate_next_ = false;
}

void TXImageButton::FontChanged() {
  TImage::FontChanged();
  DrawState(TButtonState::Normal);
}

void TXImageButton::DrawState(TButtonState state, bool pressed, bool quick) {
  if (updating_) return;
  if (pic_normal_.Empty()) {
    Picture().Clear();
    return;
  }
  Picture().TakeGraphic(PngCopy(pic_normal_));
  // Without a disabled picture a disabled button shows the plain normal one, bare.
  if (!enabled_ && pic_disabled_.Empty()) return;
  std::unique_ptr<TPngImage> composed = Compose(state, pressed);
  if (enabled_) FadeIn(*composed, quick);
  else Picture().TakeGraphic(std::move(composed));
}

std::unique_ptr<TPngImage> TXImageButton::Compose(TButtonState state, bool pressed) {
  const TPicture* face = &pic_disabled_;
  const TPicture* small = &pic_small_disabled_;
  if (enabled_) {
    face = &pic_normal_;
    if (state == TButtonState::MouseOn && !pic_mouse_on_.Empty()) face = &pic_mouse_on_;
    if (state == TButtonState::MouseDown && !pic_mouse_down_.Empty()) face = &pic_mouse_down_;
    small = &pic_small_normal_;
  }
  std::unique_ptr<TPngImage> composed = PngCopy(*face);
  TCanvas& canvas = composed->Canvas();
  const int shift = pressed ? 1 : 0;
  if (!small->Empty()) canvas.Draw(small_left_ + shift, small_top_ + shift, *small->Graphic());

  canvas.Brush.SetStyle(bsClear);
  canvas.Font.Assign(enabled_ ? Font() : font_disable_);
  int x = caption_left_ + shift, y = caption_top_ + shift;
  if (caption_align_ != TTextAlign::taCustom) {
    // Aligned captions stay put when pressed.
    const SIZE size = canvas.TextExtent(caption_);
    y = (Height() - size.cy) / 2 + caption_top_;
    switch (caption_align_) {
      case TTextAlign::taLeft: x = 1; break;
      case TTextAlign::taCenter: x = (Width() - size.cx) / 2; break;
      default: x = Width() - 1 - size.cx; break;
    }
    x += caption_left_;
  }
  canvas.TextOut(x, y, caption_);
  UnderlineMnemonic(canvas, x, y, caption_);
  return composed;
}

void TXImageButton::FadeIn(const TPngImage& composed, bool quick) {
  last_image_.Assign(*Picture().Graphic());
  const int w = pic_normal_.Width(), h = pic_normal_.Height();
  auto show = [&](int64_t alpha) {
    auto* shown = Picture().GraphicAs<TPngImage>();
    if (!shown) return;
    BlendInto(*shown, last_image_, composed, w, h, static_cast<int>(std::clamp<int64_t>(alpha, 0, 255)));
    shown->Changed();
    Update();
  };
  if (!animate_next_) {
    show(255);
    return;
  }
  // Every step is shown at once; the fade blocks until its last step.
  const int last = quick ? animation_end_ / 2 : animation_end_;
  const int64_t param = quick ? int64_t{animation_param_} * 2 : animation_param_;
  for (int i = animation_start_; i <= last; ++i) show(i * param);
}

void TXImageButton::StretchPictures() {
  if (Width() <= 0) return;  // a zero-wide copy would lose the pictures for good
  const int cap = pic_normal_.Empty() ? 1 : pic_normal_.Width() / 4;
  TValueGuard updating(updating_, true);
  TValueGuard stretching(stretching_, true);
  for (TPicture* picture : {&pic_normal_, &pic_mouse_on_, &pic_mouse_down_, &pic_disabled_}) {
    if (picture->Empty()) continue;
    picture->TakeGraphic(StretchCaps(*PngCopy(*picture), Width(), cap, cap));
  }
}

void TXImageButton::BoundsChanged() {
  TImage::BoundsChanged();
  // Sizing the button to a stretched normal picture comes back here.
  if (!need_stretch_ || stretching_) return;
  StretchPictures();
  DrawState(TButtonState::Normal);
}

// ---------------------------------------------------------------- mouse

void TXImageButton::MouseEnter() {
  if (!enabled_) {
    SetCursor(crDefault);
    return;
  }
  SetCursor(crHandPoint);
  if (enable_animation_) animate_next_ = true;
  clicked_ = false;
  DrawState(TButtonState::MouseOn);
  TImage::MouseEnter();
}

void TXImageButton::MouseLeave() {
  if (!enabled_) return;
  DrawState(TButtonState::Normal);
  TImage::MouseLeave();
}

void TXImageButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft || !enabled_) return;
  DrawState(TButtonState::MouseDown, true);
  TImage::MouseDown(button, shift, x, y);
}

void TXImageButton::Click() {
  if (!enabled_) return;
  clicked_ = true;
  DrawState(TButtonState::Normal, false, true);
  TImage::Click();
}

void TXImageButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft || !enabled_) return;
  // After a click the normal picture stays until the mouse enters again;
  // a release elsewhere shows the mouse-on picture.
  if (clicked_) {
    DrawState(TButtonState::Normal);
    clicked_ = false;
  } else {
    DrawState(TButtonState::MouseOn);
  }
  TImage::MouseUp(button, shift, x, y);
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterEnum<TButtonColor>({{"fBlue", fBlue}, {"fGreen", fGreen}, {"fBlack", fBlack}, {"fYellow", fYellow}, {"fRed", fRed}});
  RegisterEnum<TTextAlign>({{"taCustom", TTextAlign::taCustom},
                            {"taLeft", TTextAlign::taLeft},
                            {"taCenter", TTextAlign::taCenter},
                            {"taRight", TTextAlign::taRight}});
  RegisterClass<TXImageButton, TImage>("TXImageButton")
      .Picture("PicNormal", &TXImageButton::SetPicNormal)
      .Picture("PicMouseOn", &TXImageButton::SetPicMouseOn)
      .Picture("PicMouseDown", &TXImageButton::SetPicMouseDown)
      .Picture("PicDisabled", &TXImageButton::SetPicDisabled)
      .Picture("PicSmallNormal", &TXImageButton::SetPicSmallNormal)
      .Picture("PicSmallMouseOn", &TXImageButton::SetPicSmallMouseOn)
      .Picture("PicSmallMouseDown", &TXImageButton::SetPicSmallMouseDown)
      .Picture("PicSmallDisabled", &TXImageButton::SetPicSmallDisabled)
      .Prop("Enabled", &TXImageButton::SetEnabled)
      .Prop("NeedStretch", &TXImageButton::SetNeedStretch)
      .Prop("Caption", &TXImageButton::SetCaption)
      .Object("FontDisable", &TXImageButton::FontDisable)
      .Prop("CaptionLeft", &TXImageButton::SetCaptionLeft)
      .Prop("CaptionTop", &TXImageButton::SetCaptionTop)
      .Prop("PicSmallPosLeft", &TXImageButton::SetPicSmallPosLeft)
      .Prop("PicSmallPosTop", &TXImageButton::SetPicSmallPosTop)
      .Prop("AnimationStart", &TXImageButton::SetAnimationStart)
      .Prop("AnimationEnd", &TXImageButton::SetAnimationEnd)
      .Prop("AnimationParam", &TXImageButton::SetAnimationParam)
      .Prop("EnableAnimation", &TXImageButton::SetEnableAnimation)
      .Prop("CaptionAlign", &TXImageButton::SetCaptionAlign);
  return true;
}();

}  // namespace
