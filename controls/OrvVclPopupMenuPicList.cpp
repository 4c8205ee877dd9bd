#include "controls/OrvVclPopupMenuPicList.h"

#include <string>
#include <utility>

#include "framework/Layout.h"

TOrvVclPopupMenuPicList::TOrvVclPopupMenuPicList(TComponent* AOwner) : TImageList(AOwner) {
  for (int style = 1; style <= StyleCount; ++style) SetColors(pcColor, style, clWhite);
}

namespace {

const bool registered = [] {
  static constexpr std::pair<const char*, TPopupColor> colors[] = {
      {"BorderColor", pcBorderColor},
      {"Color", pcColor},
      {"FontColor", pcFontColor},
      {"BarColor", pcBarColor},
      {"BarToColor", pcBarToColor},
      {"SeparatorColor", pcSeparatorColor},
      {"SelectedBorderColor", pcSelectedBorderColor},
      {"SelectedColor", pcSelectedColor},
      {"SelectedFontColor", pcSelectedFontColor}};
  auto registration = RegisterClass<TOrvVclPopupMenuPicList, TImageList>("TOrvVclPopupMenuPicList");
  for (int style = 1; style <= TOrvVclPopupMenuPicList::StyleCount; ++style) {
    const std::string suffix = std::to_string(style);
    registration.Custom("Pic" + suffix, [style](TOrvVclPopupMenuPicList& list, const TLayoutValue& value,
                                                TLayoutReader&) { ValueToPicture(value, list.Pic(style)); });
    for (auto [name, which] : colors)
      registration.Custom(name + suffix, [which, style](TOrvVclPopupMenuPicList& list, const TLayoutValue& value,
                                                        TLayoutReader&) {
        list.SetColors(which, style, ValueToColor(value));
      });
  }
  return true;
}();

}  // namespace
