#include "controls/XProcessBarPicList.h"

#include <string>
#include <utility>

#include "framework/Layout.h"

TXProcessBarPicList::TXProcessBarPicList(TComponent* AOwner) : TImageList(AOwner) {
  SetBorder(fRed, 0x00A8A8F4);
  SetBorder(fGreen, 0x00ABDAA8);
  SetBorder(fBlue, 0x00F3C38F);
  SetBorder(fYellow, 0x00A8CBF4);
  SetBorder(fBlack, 0x00C1C1C1);
}

namespace {

const bool registered = [] {
  auto registration = RegisterClass<TXProcessBarPicList, TImageList>("TXProcessBarPicList");
  for (auto [name, color] : ButtonColorNames) {
    const std::string prefix = std::string("Pic") + name;
    registration
        .Custom(prefix + "Border",
                [color](TXProcessBarPicList& list, const TLayoutValue& value, TLayoutReader&) {
                  list.SetBorder(color, ValueToColor(value));
                })
        .Custom(prefix + "Bar",
                [color](TXProcessBarPicList& list, const TLayoutValue& value, TLayoutReader&) {
                  ValueToPicture(value, list.Bar(color));
                })
        .Custom(prefix + "Bottom", [color](TXProcessBarPicList& list, const TLayoutValue& value, TLayoutReader&) {
          ValueToPicture(value, list.Bottom(color));
        });
  }
  return true;
}();

}  // namespace
