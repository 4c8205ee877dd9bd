// The form of the GUI tests: its handlers write what happened into Log,
// and its layouts are made from a shared preamble.
#pragma once

#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

// What the form's handlers wrote, one entry per event.
using Log = std::vector<std::string>;

class TEventForm : public TForm {
 public:
  using TForm::TForm;

  std::vector<std::string> Log;
  // Log entries since the last call, then forgotten.
  std::vector<std::string> Take();

  TLabel* Label1 = nullptr;
  TPanel* Panel1 = nullptr;
  TEdit* Edit1 = nullptr;

  void ItemClick(TObject* Sender);
  void ItemEnter(TObject* Sender);
  void ItemLeave(TObject* Sender);
  // "down Name button x,y" and "up Name button x,y".
  void ItemDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ItemUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ItemChange(TObject* Sender);
  // Drops every typed character but digits and backspace.
  void DigitsOnly(TObject* Sender, wchar_t& Key);
  void TimerTick(TObject* Sender);
  // "orvclick Name index state": a list check box's click.
  void ItemOrvClick(TObject* Sender, int Index, int State);
};

// The name of the component that sent an event.
std::string NameOf(TObject* sender);

// The layout of a borderless TEventForm named Form1 at (40, 40) of the
// screen with that client size; body holds further form properties and
// the objects, indented as in a stored layout.
std::string FormLayout(int width, int height, const std::string& body);

// A TEventForm read from a layout text, shown when show is set.
TEventForm* MakeForm(const std::string& layout, bool show = true);
