#include "tests/harness/EventForm.h"

#include "framework/Layout.h"
#include "tests/harness/Harness.h"

std::string NameOf(TObject* sender) {
  auto* component = dynamic_cast<TComponent*>(sender);
  return component ? component->Name() : "?";
}

std::vector<std::string> TEventForm::Take() { return std::exchange(Log, {}); }

void TEventForm::ItemClick(TObject* Sender) { Log.push_back("click " + NameOf(Sender)); }
void TEventForm::ItemEnter(TObject* Sender) { Log.push_back("enter " + NameOf(Sender)); }
void TEventForm::ItemLeave(TObject* Sender) { Log.push_back("leave " + NameOf(Sender)); }

namespace {

std::string MouseEntry(const char* what, TObject* sender, TMouseButton button, int x, int y) {
  return std::string(what) + " " + NameOf(sender) + " " + std::to_string(button) + " " + std::to_string(x) + "," +
         std::to_string(y);
}

}  // namespace

void TEventForm::ItemDown(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
  Log.push_back(MouseEntry("down", Sender, Button, X, Y));
}

void TEventForm::ItemUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
  Log.push_back(MouseEntry("up", Sender, Button, X, Y));
}

void TEventForm::ItemChange(TObject* Sender) { Log.push_back("change " + NameOf(Sender)); }

void TEventForm::DigitsOnly(TObject*, wchar_t& Key) {
  if ((Key < L'0' || Key > L'9') && Key != 8) Key = 0;
}

void TEventForm::TimerTick(TObject* Sender) { Log.push_back("tick " + NameOf(Sender)); }

void TEventForm::ItemOrvClick(TObject* Sender, int Index, int State) {
  Log.push_back("orvclick " + NameOf(Sender) + " " + std::to_string(Index) + " " + std::to_string(State));
}

static const bool registered = [] {
  RegisterClass<TEventForm, TForm>("TEventForm")
      .Field("Label1", &TEventForm::Label1)
      .Field("Panel1", &TEventForm::Panel1)
      .Field("Edit1", &TEventForm::Edit1)
      .Handler("ItemClick", &TEventForm::ItemClick)
      .Handler("ItemEnter", &TEventForm::ItemEnter)
      .Handler("ItemLeave", &TEventForm::ItemLeave)
      .Handler("ItemDown", &TEventForm::ItemDown)
      .Handler("ItemUp", &TEventForm::ItemUp)
      .Handler("ItemChange", &TEventForm::ItemChange)
      .Handler("DigitsOnly", &TEventForm::DigitsOnly)
      .Handler("TimerTick", &TEventForm::TimerTick)
      .Handler("ItemOrvClick", &TEventForm::ItemOrvClick);
  return true;
}();

std::string FormLayout(int width, int height, const std::string& body) {
  return "object Form1: TEventForm\n  Left = 40\n  Top = 40\n  ClientWidth = " + std::to_string(width) +
         "\n  ClientHeight = " + std::to_string(height) + "\n  BorderStyle = bsNone\n" + body + "end\n";
}

TEventForm* MakeForm(const std::string& layout, bool show) { return harness::MakeForm<TEventForm>(layout, show); }
