// TXImageButton: a windowless button built on the image control. It holds
// one picture per state (normal, mouse on, mouse down, disabled) and
// composes what it shows on the fly: the state picture, an optional small
// icon and the caption are drawn into a fresh PNG, which is then faded in
// over the plain normal picture. It can stretch its pictures to its width,
// keeping the left and right quarters and repeating the column between.
#pragma once

#include <memory>
#include <string>

#include "controls/XButtonTypes.h"
#include "framework/ExtCtrls.h"
#include "framework/PngImage.h"

class TXImageButton : public TImage {
 public:
  explicit TXImageButton(TComponent* AOwner);
  ~TXImageButton() override;

  // The state pictures. PicNormal is also the base of every composed
  // picture; setting it sizes the button to it.
  TPicture& PicNormal() { return pic_normal_; }
  void SetPicNormal(TPicture* value);
  TPicture& PicMouseOn() { return pic_mouse_on_; }
  void SetPicMouseOn(TPicture* value);
  TPicture& PicMouseDown() { return pic_mouse_down_; }
  void SetPicMouseDown(TPicture* value);
  TPicture& PicDisabled() { return pic_disabled_; }
  void SetPicDisabled(TPicture* value);
  // Small icons: the normal one is drawn while enabled, the disabled one
  // while disabled; the other two are only kept.
  TPicture& PicSmallNormal() { return pic_small_normal_; }
  void SetPicSmallNormal(TPicture* value);
  TPicture& PicSmallMouseOn() { return pic_small_mouse_on_; }
  void SetPicSmallMouseOn(TPicture* value);
  TPicture& PicSmallMouseDown() { return pic_small_mouse_down_; }
  void SetPicSmallMouseDown(TPicture* value);
  TPicture& PicSmallDisabled() { return pic_small_disabled_; }
  void SetPicSmallDisabled(TPicture* value);

  // The button's own enabled flag. The framework's flag stays on, so a
  // disabled button still receives the mouse and ignores it.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) override;
  bool Operable() const override { return enabled_; }
  // The mnemonic's underline is part of the composed picture.
  void CuesChanged() override { DrawState(TButtonState::Normal); }
  // The name set for it, else its caption.
  std::wstring AccessibleName() const override;

  // Stretch the state pictures to the button's width at the next change
  // of its bounds.
  bool NeedStretch() const { return need_stretch_; }
  void SetNeedStretch(bool value) { need_stretch_ = value; }

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& value);
  // Font() (the control's font) draws the caption while enabled, this one while disabled.
  TFont& FontDisable() { return font_disable_; }
  void SetFontDisable(const TFont& value) { font_disable_.Assign(value); }
  // Caption position in taCustom, offset from the aligned position otherwise.
  int CaptionLeft() const { return caption_left_; }
  void SetCaptionLeft(int value);
  int CaptionTop() const { return caption_top_; }
  void SetCaptionTop(int value);
  TTextAlign CaptionAlign() const { return caption_align_; }
  void SetCaptionAlign(TTextAlign value);
  int PicSmallPosLeft() const { return small_left_; }
  void SetPicSmallPosLeft(int value);
  int PicSmallPosTop() const { return small_top_; }
  void SetPicSmallPosTop(int value);

  // A fade runs the steps AnimationStart..AnimationEnd with alpha
  // step * AnimationParam (twice as fast and half as many for a quick one).
  int AnimationStart() const { return animation_start_; }
  void SetAnimationStart(int value) { animation_start_ = value; }
  int AnimationEnd() const { return animation_end_; }
  void SetAnimationEnd(int value) { animation_end_ = value; }
  int AnimationParam() const { return animation_param_; }
  void SetAnimationParam(int value) { animation_param_ = value; }
  // Fading starts with the first mouse entry; switching it off stops it.
  bool EnableAnimation() const { return enable_animation_; }
  void SetEnableAnimation(bool value);

  // Composes the picture of state (Normal, MouseOn or MouseDown; a
  // disabled button shows its disabled picture whatever the state) and
  // shows it, fading in from the plain normal picture once the mouse has
  // entered. Pressed moves the small icon, and a custom-placed caption,
  // one pixel right and down.
  void DrawState(TButtonState state, bool pressed = false, bool quick = false);

  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Click() override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 protected:
  void BoundsChanged() override;
  void FontChanged() override;

  // While set, DrawState does nothing (several pictures change at once).
  bool updating_ = false;

 private:
  void PicNormalChanged();
  // The state picture with the small icon and the caption drawn on it.
  std::unique_ptr<TPngImage> Compose(TButtonState state, bool pressed);
  // Shows composed: at once before the first mouse entry, else blended in
  // over the plain normal picture in steps, each painted at once.
  void FadeIn(const TPngImage& composed, bool quick);
  // Replaces the four state pictures by copies stretched to the width.
  void StretchPictures();

  TPicture pic_normal_, pic_mouse_on_, pic_mouse_down_, pic_disabled_;
  TPicture pic_small_normal_, pic_small_mouse_on_, pic_small_mouse_down_, pic_small_disabled_;
  bool enabled_ = true;
  bool need_stretch_ = false;
  std::wstring caption_;
  TFont font_disable_;
  int caption_left_ = 40;
  int caption_top_ = 8;
  TTextAlign caption_align_ = TTextAlign::taCustom;
  int small_left_ = 10;
  int small_top_ = 7;
  int animation_start_ = 0;
  int animation_end_ = 64;
  int animation_param_ = 4;
  bool enable_animation_ = true;
  bool animate_next_ = false;  // set by the first mouse entry
  bool clicked_ = false;       // from a click to the button-up after it
  bool stretching_ = false;
  TPngImage last_image_;       // the start of a fade
};

// Blends two pictures into target byte by byte: T := (255 - a) * P / 255 +
// a * N / 255, each product divided separately. The colour bytes of the
// first w pixels of the first h rows are blended, then their alpha bytes.
// Each pass stops quietly at the first row one of the pictures lacks, and
// the alpha pass is left out when one of them has no alpha; columns that
// one of them lacks are left as they are.
void BlendInto(TPngImage& target, const TPngImage& from, const TPngImage& to, int w, int h, int alpha);

// A copy of source made width wide: its first left columns are the
// source's, its last right columns the source's last right columns, and
// every column between repeats source column left; alpha likewise. When
// width is smaller than left + right the right cap wins where they meet.
std::unique_ptr<TPngImage> StretchCaps(const TPngImage& source, int width, int left, int right);
