#include "framework/ExtCtrls.h"

#include <map>

#include "framework/Forms.h"
#include "framework/Layout.h"

// ---------------------------------------------------------------- TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  bevel_outer_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  bevel_inner_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
  bevel_width_ = value;
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  alignment_ = value;
  Invalidate();
}

namespace {

// Draws a bevel of width lines inside r and shrinks r by it.
void DrawBevel(TCanvas& canvas, TRect& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  for (int i = 0; i < width; ++i) {
    if (cut != bvSpace) {
      const TColor topLeft = cut == bvRaised ? clBtnHighlight : clBtnShadow;
      const TColor bottomRight = cut == bvRaised ? clBtnShadow : clBtnHighlight;
      canvas.Pen.SetColor(topLeft);
      canvas.MoveTo(r.Left, r.Bottom - 1);
      canvas.LineTo(r.Left, r.Top);
      canvas.LineTo(r.Right - 1, r.Top);
      canvas.Pen.SetColor(bottomRight);
      canvas.LineTo(r.Right - 1, r.Bottom - 1);
      canvas.LineTo(r.Left - 1, r.Bottom - 1);
    }
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
}

}  // namespace

void TCustomPanel::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  DrawBevel(canvas, r, bevel_outer_, bevel_width_);
  DrawBevel(canvas, r, bevel_inner_, bevel_width_);
  if (Caption().empty()) return;
  canvas.Brush.SetStyle(bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  canvas.DrawText(Caption(), r, flags);
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 105, 105);
  picture_.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { picture_.OnChange = nullptr; }

void TImage::SetPicture(TPicture* value) {
  if (value) picture_.Assign(*value);
  else picture_.Clear();
}

void TImage::SetAutoSize(bool value) {
  auto_size_ = value;
  if (value) PictureChanged();
}

void TImage::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TImage::PictureChanged() {
  if (auto_size_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::Paint() {
  TGraphic* graphic = picture_.Graphic();
  if (!graphic || graphic->Empty()) return;
  if (graphic->Transparent() != transparent_) {
    // Changing the flag raises OnChange; this paint already shows the new state.
    TValueGuard quiet(picture_.OnChange, TChangeEvent());
    graphic->SetTransparent(transparent_);
  }
  if (stretch_) {
    Canvas().StretchDraw(ClientRect(), *graphic);
  } else if (center_) {
    Canvas().Draw((Width() - graphic->Width()) / 2, (Height() - graphic->Height()) / 2, *graphic);
  } else {
    Canvas().Draw(0, 0, *graphic);
  }
}

// ---------------------------------------------------------------- TShape

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 65);
  brush_.OnChange = [this] { Invalidate(); };
  pen_.OnChange = [this] { Invalidate(); };
}

TShape::~TShape() {
  brush_.OnChange = nullptr;
  pen_.OnChange = nullptr;
}

void TShape::SetShape(TShapeType value) {
  shape_ = value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Pen.Assign(pen_);
  canvas.Brush.Assign(brush_);
  // The outline lies inside the bounds whatever the pen width.
  const int inset = pen_.Width() / 2;
  int w = Width() - pen_.Width() + 1, h = Height() - pen_.Width() + 1;
  if (pen_.Width() == 0) {
    --w;
    --h;
  }
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    const int side = std::min(w, h);
    w = h = side;
  }
  TRect r = Bounds(inset, inset, w, h);
  if (shape_ == stEllipse || shape_ == stCircle) canvas.Ellipse(r);
  else canvas.Rectangle(r);
}

// ---------------------------------------------------------------- TTimer

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(int value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (id_) {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  if (!enabled_ || interval_ <= 0 || Loading() || Destroying()) return;
  id_ = SetTimer(nullptr, 0, static_cast<UINT>(interval_), TimerProc);
  if (id_) Timers()[id_] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  TTimer* timer = it->second;
  RunGuarded(timer, [timer] { timer->Timer(); });
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

// ---------------------------------------------------------------- layout

namespace {

const bool registered = [] {
  RegisterEnum<TBevelCut>({{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}});
  RegisterEnum<TShapeType>({{"stRectangle", stRectangle},
                            {"stSquare", stSquare},
                            {"stRoundRect", stRoundRect},
                            {"stRoundSquare", stRoundSquare},
                            {"stEllipse", stEllipse},
                            {"stCircle", stCircle}});
  RegisterClass<TCustomPanel, TCustomControl>("TCustomPanel")
      .Prop("Caption", &TCustomPanel::SetCaption)
      .Prop("BevelOuter", &TCustomPanel::SetBevelOuter)
      .Prop("BevelInner", &TCustomPanel::SetBevelInner)
      .Prop("BevelWidth", &TCustomPanel::SetBevelWidth)
      .Prop("Alignment", &TCustomPanel::SetAlignment);
  RegisterClass<TPanel, TCustomPanel>("TPanel");
  RegisterClass<TImage, TGraphicControl>("TImage")
      .Picture("Picture", &TImage::Picture)
      .Prop("AutoSize", &TImage::SetAutoSize)
      .Prop("Stretch", &TImage::SetStretch)
      .Prop("Center", &TImage::SetCenter)
      .Prop("Transparent", &TImage::SetTransparent);
  RegisterClass<TShape, TGraphicControl>("TShape")
      .Prop("Shape", &TShape::SetShape)
      .Object("Brush", &TShape::Brush)
      .Object("Pen", &TShape::Pen);
  RegisterClass<TTimer, TComponent>("TTimer")
      .Prop("Enabled", &TTimer::SetEnabled)
      .Prop("Interval", &TTimer::SetInterval)
      .Event("OnTimer", &TTimer::OnTimer);
  return true;
}();

}  // namespace
