// A form for the GUI tests whose handlers write what happened into Log.
#pragma once

#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

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
  void ItemDblClick(TObject* Sender);
  void ItemEnter(TObject* Sender);
  void ItemLeave(TObject* Sender);
  void ItemDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ItemUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ItemChange(TObject* Sender);
  void DigitsOnly(TObject* Sender, wchar_t& Key);
  void TimerTick(TObject* Sender);
  void ListDraw(TCustomListView* Sender, const TRect& ARect, bool& DefaultDraw);
  void ListDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw);
};

// The name of the component that sent an event.
std::string NameOf(TObject* sender);
// A form of class TEventForm read from a layout text, shown when show is set.
TEventForm* MakeForm(const std::string& layout, bool show = true);
