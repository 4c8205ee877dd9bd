// ExtCtrls: panels, the windowless image and shape controls, and timers.
#pragma once

#include "framework/Controls.h"
#include "framework/Picture.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A windowed container with a colour, bevels and a centred caption.
class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);

  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& value) { SetText(value); }
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut value);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void Paint() override;

 private:
  TBevelCut bevel_outer_ = bvRaised;
  TBevelCut bevel_inner_ = bvNone;
  int bevel_width_ = 1;
  TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

// A windowless control showing a picture: at its natural size from the
// top-left corner (or centred), or stretched over the control. With
// AutoSize the control takes the picture's size whenever it changes.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture& Picture() { return picture_; }
  void SetPicture(TPicture* value);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  // Bitmaps leave out their transparent colour (PNG pictures always blend).
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

 protected:
  void Paint() override;
  // After every change of the picture; sizes the control and repaints.
  virtual void PictureChanged();

 private:
  TPicture picture_;
  bool auto_size_ = false;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;

  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType value);
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

 protected:
  void Paint() override;

 private:
  TShapeType shape_ = stRectangle;
  TBrush brush_;
  TPen pen_;
};

// Raises OnTimer every Interval milliseconds while Enabled, from the
// message loop of the thread that made it.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Interval() const { return interval_; }
  void SetInterval(int value);

  TNotifyEvent OnTimer;

  void Loaded() override;

 protected:
  virtual void Timer();

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void UpdateTimer();

  bool enabled_ = true;
  int interval_ = 1000;
  UINT_PTR id_ = 0;
};
