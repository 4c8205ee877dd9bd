#include "controls/OrvVclScrollbarPicList.h"

#include <string>
#include <utility>

#include "framework/Layout.h"

TOrvVclScrollbarPicList::TOrvVclScrollbarPicList(TComponent* AOwner) : TImageList(AOwner) {}

namespace {

using TList = TOrvVclScrollbarPicList;

template <int N>
void RegisterStyle(TRegistration<TList>& registration) {
  const std::string n = std::to_string(N);
  using TPictureOf = TPicture& (TList::*)(int);
  const std::pair<const char*, TPictureOf> pictures[] = {
      {"Pic", &TList::Pic},
      {"PicThumb", &TList::PicThumb},
      {"PicSplit", &TList::PicSplit},
      {"PicHeaderBGNormal", &TList::PicHeaderBGNormal},
      {"PicHeaderBGOver", &TList::PicHeaderBGOver},
      {"PicHeaderBGDown", &TList::PicHeaderBGDown},
      {"PicHeaderBGDisable", &TList::PicHeaderBGDisable}};
  for (auto [name, picture] : pictures)
    registration.Custom(name + n, [picture](TList& list, const TLayoutValue& value, TLayoutReader&) {
      ValueToPicture(value, (list.*picture)(N));
    });
  using TColorSetter = void (TList::*)(int, TColor);
  const std::pair<const char*, TColorSetter> colours[] = {{"HeaderColor", &TList::SetHeaderColor},
                                                          {"HeaderFontColor", &TList::SetHeaderFontColor},
                                                          {"BorderColor", &TList::SetBorderColor}};
  for (auto [name, setter] : colours)
    registration.Custom(name + n, [setter](TList& list, const TLayoutValue& value, TLayoutReader&) {
      (list.*setter)(N, ValueToColor(value));
    });
  registration.Object("MyFont" + n, &TList::MyFontOf<N>);
}

const bool registered = [] {
  auto registration = RegisterClass<TList, TImageList>("TOrvVclScrollbarPicList");
  RegisterStyle<1>(registration);
  RegisterStyle<2>(registration);
  RegisterStyle<3>(registration);
  RegisterStyle<4>(registration);
  RegisterStyle<5>(registration);
  registration.Picture("PicHeaderLeftNormal1", &TList::PicHeaderLeftNormal1)
      .Picture("PicHeaderRightNormal1", &TList::PicHeaderRightNormal1);
  return true;
}();

}  // namespace
