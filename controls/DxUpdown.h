// TMyUpdown: an up-down made of two image buttons that steps the integer
// shown in an associated edit between Min and Max. Holding a button
// repeats the step every 150 ms; dragging off the held button pauses the
// repeat and coming back resumes it.
#pragma once

#include <optional>

#include "controls/XImageButtonColor.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

class TMyUpdown : public TPanel {
 public:
  // Makes two plain arrow buttons of its own (replaced by the layout's
  // buttons), the repeat timer, Max 999 and Min 2.
  explicit TMyUpdown(TComponent* AOwner);

  // Setting an edit shows Min in it, makes it read-only and moves the
  // up-down one pixel to the right of it.
  TCustomEdit* Associate() const { return associate_; }
  void SetAssociate(TCustomEdit* value);
  // The button becomes a child of the up-down, placed at the top (the
  // down button one pixel below the up button), with its mouse events
  // bound to the stepping. A button the up-down made itself is freed when
  // another one replaces it.
  TXImageButtonColor* UpButton() const { return up_button_; }
  void SetUpButton(TXImageButtonColor* value);
  TXImageButtonColor* DownButton() const { return down_button_; }
  void SetDownButton(TXImageButtonColor* value);
  int Max() const { return max_; }
  void SetMax(int value) { max_ = value; }
  int Min() const { return min_; }
  void SetMin(int value) { min_ = value; }

  // One step up or down, as a press of the button does: past Max or
  // below Min the edit shows Min.
  void Step(bool up);

  // The auto-repeat timer (150 ms, off while nothing repeats).
  TTimer& RepeatTimer() { return *timer_; }

  void WndProc(TMessage& message) override;

 private:
  enum TDirection { sdUp, sdDown };

  void SetButton(TComponentRef<TXImageButtonColor>& field, TXImageButtonColor* value, TDirection direction);
  void PlaceButtons();
  void Press(TDirection direction);
  // Shows the next value; false when it left the range and Min shows instead.
  bool StepOnce(TDirection direction);
  void Tick();
  void Release();
  // Stops a running repeat so that moving back over the button resumes it.
  void Pause();
  void MoveOver(const TXImageButtonColor& button, int x, int y);
  // The edit's text as a decimal integer; none when it is not one.
  std::optional<int> Value() const;
  void Show(int value);

  TComponentRef<TCustomEdit> associate_;
  TComponentRef<TXImageButtonColor> up_button_;
  TComponentRef<TXImageButtonColor> down_button_;
  TTimer* timer_ = nullptr;
  int max_ = 999;
  int min_ = 2;
  TDirection direction_ = sdUp;
  bool held_ = false;    // a button is held down
  bool paused_ = false;  // the repeat was stopped by leaving the held button
};
