#include "tests/framework/gui_form.h"

#include "framework/Layout.h"
#include "tests/harness/Harness.h"

std::string NameOf(TObject* sender) {
  auto* component = dynamic_cast<TComponent*>(sender);
  return component ? component->Name() : "?";
}

std::vector<std::string> TEventForm::Take() { return std::exchange(Log, {}); }

void TEventForm::ItemClick(TObject* Sender) { Log.push_back("click " + NameOf(Sender)); }
void TEventForm::ItemDblClick(TObject* Sender) { Log.push_back("dblclick " + NameOf(Sender)); }
void TEventForm::ItemEnter(TObject* Sender) { Log.push_back("enter " + NameOf(Sender)); }
void TEventForm::ItemLeave(TObject* Sender) { Log.push_back("leave " + NameOf(Sender)); }

void TEventForm::ItemDown(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
  Log.push_back("down " + NameOf(Sender) + " " + std::to_string(Button) + " " + std::to_string(X) + "," +
                std::to_string(Y));
}

void TEventForm::ItemUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
  Log.push_back("up " + NameOf(Sender) + " " + std::to_string(Button) + " " + std::to_string(X) + "," +
                std::to_string(Y));
}

void TEventForm::ItemChange(TObject* Sender) { Log.push_back("change " + NameOf(Sender)); }

void TEventForm::DigitsOnly(TObject*, wchar_t& Key) {
  if ((Key < L'0' || Key > L'9') && Key != 8) Key = 0;
}

void TEventForm::TimerTick(TObject* Sender) { Log.push_back("tick " + NameOf(Sender)); }

void TEventForm::ListDraw(TCustomListView* Sender, const TRect&, bool& DefaultDraw) {
  Log.push_back("draw " + Sender->Name());
  DefaultDraw = Sender->Tag == 0;
}

void TEventForm::ListDrawItem(TCustomListView*, TListItem* Item, TCustomDrawState, bool&) {
  Log.push_back("draw item " + std::to_string(Item ? Item->Index() : -1));
}

static const bool registered = [] {
  RegisterClass<TEventForm, TForm>("TEventForm")
      .Field("Label1", &TEventForm::Label1)
      .Field("Panel1", &TEventForm::Panel1)
      .Field("Edit1", &TEventForm::Edit1)
      .Handler("ItemClick", &TEventForm::ItemClick)
      .Handler("ItemDblClick", &TEventForm::ItemDblClick)
      .Handler("ItemEnter", &TEventForm::ItemEnter)
      .Handler("ItemLeave", &TEventForm::ItemLeave)
      .Handler("ItemDown", &TEventForm::ItemDown)
      .Handler("ItemUp", &TEventForm::ItemUp)
      .Handler("ItemChange", &TEventForm::ItemChange)
      .Handler("DigitsOnly", &TEventForm::DigitsOnly)
      .Handler("TimerTick", &TEventForm::TimerTick)
      .Handler("ListDraw", &TEventForm::ListDraw)
      .Handler("ListDrawItem", &TEventForm::ListDrawItem);
  return true;
}();

TEventForm* MakeForm(const std::string& layout, bool show) { return harness::MakeForm<TEventForm>(layout, show); }
