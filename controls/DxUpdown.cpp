#include "controls/DxUpdown.h"

#include <cerrno>
#include <cwchar>
#include <limits>
#include <string>

#include "framework/Layout.h"

TMyUpdown::TMyUpdown(TComponent* AOwner) : TPanel(AOwner) {
  timer_ = new TTimer(this);
  timer_->SetEnabled(false);
  timer_->SetInterval(150);
  timer_->OnTimer = [this](TObject*) { Tick(); };
  SetUpButton(new TXImageButtonColor(this));
  SetDownButton(new TXImageButtonColor(this));
}

void TMyUpdown::SetAssociate(TCustomEdit* value) {
  if (value == associate_) return;
  associate_ = value;
  if (!value) return;
  value->SetText(std::to_wstring(min_));
  value->SetReadOnly(true);
  SetBounds(value->Left() + value->Width() + 1, value->Top(), Width(), Height());
}

void TMyUpdown::SetUpButton(TXImageButtonColor* value) { SetButton(up_button_, value, sdUp); }
void TMyUpdown::SetDownButton(TXImageButtonColor* value) { SetButton(down_button_, value, sdDown); }

void TMyUpdown::SetButton(TComponentRef<TXImageButtonColor>& field, TXImageButtonColor* value, TDirection direction) {
  if (value == field) return;
  TXImageButtonColor* previous = field;
  field = value;
  if (previous && previous->Owner() == this) previous->Free();
  if (!value) return;
  value->SetParent(this);
  value->OnMouseDown = [this, direction](TObject*, TMouseButton, TShiftState, int, int) { Press(direction); };
  value->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Release(); };
  value->OnMouseLeave = [this](TObject*) { Pause(); };
  value->OnMouseMove = [this, value](TObject*, TShiftState, int x, int y) { MoveOver(*value, x, y); };
  PlaceButtons();
  Invalidate();
}

void TMyUpdown::PlaceButtons() {
  if (up_button_) up_button_->SetBounds(0, 0, up_button_->Width(), up_button_->Height());
  const int below = up_button_ ? up_button_->Height() + 1 : 1;
  if (down_button_) down_button_->SetBounds(0, below, down_button_->Width(), down_button_->Height());
}

std::optional<int> TMyUpdown::Value() const {
  if (!associate_) return std::nullopt;
  const std::wstring text = associate_->Text();
  wchar_t* end = nullptr;
  errno = 0;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (text.empty() || *end != L'\0' || errno == ERANGE || value < std::numeric_limits<int>::min() + 1 ||
      value > std::numeric_limits<int>::max() - 1)
    return std::nullopt;
  return static_cast<int>(value);
}

void TMyUpdown::Show(int value) { associate_->SetText(std::to_wstring(value)); }

bool TMyUpdown::StepOnce(TDirection direction) {
  const std::optional<int> v = Value();
  if (!v) return false;
  const int next = direction == sdUp ? *v + 1 : *v - 1;
  if (next > max_ || next < min_) {
    Show(min_);
    return false;
  }
  Show(next);
  return true;
}

void TMyUpdown::Step(bool up) {
  if (associate_) StepOnce(up ? sdUp : sdDown);
}

void TMyUpdown::Press(TDirection direction) {
  held_ = true;
  paused_ = false;
  if (!StepOnce(direction)) return;
  direction_ = direction;
  timer_->SetEnabled(true);
}

void TMyUpdown::Tick() {
  const std::optional<int> v = Value();
  if (!v) return timer_->SetEnabled(false);
  const int next = direction_ == sdUp ? *v + 1 : *v - 1;
  const bool last = direction_ == sdUp ? next > max_ : next <= min_;
  // Stopped before the text changes: a change handler that opens a modal
  // box must not see further ticks step on behind it. Past the top the
  // text goes straight to Min, so the edit never holds a value out of range.
  if (last) timer_->SetEnabled(false);
  Show(last ? min_ : next);
}

void TMyUpdown::Release() {
  held_ = false;
  paused_ = false;
  timer_->SetEnabled(false);
}

void TMyUpdown::WndProc(TMessage& message) {
  // A box or another program took the mouse: the hold is over, and no
  // release will come.
  const bool lost = (message.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(message.LParam) != Handle()) ||
                    message.Msg == WM_CANCELMODE;
  if (lost) Release();
  TPanel::WndProc(message);
}

void TMyUpdown::Pause() {
  if (!timer_->Enabled()) return;
  timer_->SetEnabled(false);
  paused_ = held_;
}

void TMyUpdown::MoveOver(const TXImageButtonColor& button, int x, int y) {
  if (!held_) return;
  const bool outside = x < 0 || y < 0 || x > button.Width() || y > button.Height();
  if (outside) return Pause();
  if (!paused_) return;
  paused_ = false;
  timer_->SetEnabled(true);
}

namespace {

const bool registered = [] {
  RegisterClass<TMyUpdown, TPanel>("TMyUpdown")
      .Ref("Associate", &TMyUpdown::SetAssociate)
      .Ref("UpButton", &TMyUpdown::SetUpButton)
      .Ref("DownButton", &TMyUpdown::SetDownButton)
      .Prop("Max", &TMyUpdown::SetMax)
      .Prop("Min", &TMyUpdown::SetMin);
  return true;
}();

}  // namespace
