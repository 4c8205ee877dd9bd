// The pictures the stored layouts name: every one exists with the size the
// artwork index gives it, fills the slot the index binds it to, and every
// slot the index binds on a component of a layout is filled.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "controls/OrvVclScrollbarPicList.h"
#include "controls/XImageButtonPicList.h"
#include "controls/XProcessBarPicList.h"
#include "framework/Layout.h"
#include "framework/Resources.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/Harness.h"

namespace {

struct TIndexEntry {
  int Width = 0;
  int Height = 0;
  std::set<std::string> Bindings;  // component.Property or list[index]
};

std::string ResourceText(const std::wstring& path) {
  auto bytes = ResourceBytes(path);
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

// skins/manifest.txt: path, width, height, format, bindings, role; tab-separated.
std::map<std::string, TIndexEntry> ArtworkIndex() {
  std::map<std::string, TIndexEntry> index;
  std::istringstream in(ResourceText(L"skins/manifest.txt"));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string path, width, height, format, bindings;
    std::getline(fields, path, '\t');
    std::getline(fields, width, '\t');
    std::getline(fields, height, '\t');
    std::getline(fields, format, '\t');
    std::getline(fields, bindings, '\t');
    TIndexEntry& entry = index[path];
    entry.Width = std::stoi(width);
    entry.Height = std::stoi(height);
    std::istringstream each(bindings);
    for (std::string binding; std::getline(each, binding, ',');)
      if (binding != "-") entry.Bindings.insert(binding);
  }
  return index;
}

// Every picture a layout names, by the slot it fills (component.Property,
// or list[index] for the images of an image list).
void CollectPictures(const TLayoutObject& object, std::map<std::string, std::string>& slots,
                     std::set<std::string>& components) {
  components.insert(object.Name);
  auto isPicture = [](const std::wstring& s) {
    for (const wchar_t* ext : {L".png", L".bmp", L".jpg"})
      if (s.size() > 4 && s.compare(s.size() - 4, 4, ext) == 0) return true;
    return false;
  };
  for (const auto& property : object.Properties) {
    const TLayoutValue& value = property.Value;
    if (value.Kind == TLayoutValue::vkString && isPicture(value.String))
      slots[object.Name + "." + property.Name] = std::string(value.String.begin(), value.String.end());
    if (value.Kind == TLayoutValue::vkList)
      for (size_t i = 0; i < value.List.size(); ++i)
        if (value.List[i].Kind == TLayoutValue::vkString && isPicture(value.List[i].String))
          slots[object.Name + "[" + std::to_string(i) + "]"] =
              std::string(value.List[i].String.begin(), value.List[i].String.end());
  }
  for (const auto& child : object.Children) CollectPictures(child, slots, components);
}

TEST(ArtworkBindings, EveryPictureOfTheLayoutsExistsWithItsSizeInItsSlot) {
  const auto index = ArtworkIndex();
  std::map<std::string, std::string> slots;  // slot -> picture path
  std::set<std::string> components;
  for (const wchar_t* layout : {L"forms/frmMain.lfm", L"forms/frmResource.lfm"})
    CollectPictures(ParseLayout(ResourceText(layout), "layout"), slots, components);
  ASSERT_FALSE(slots.empty());

  for (const auto& [slot, path] : slots) {
    SCOPED_TRACE(slot + " = " + path);
    auto entry = index.find(path);
    ASSERT_NE(entry, index.end()) << "not in the artwork index";
    EXPECT_TRUE(entry->second.Bindings.count(slot)) << "the index binds this picture elsewhere";
    TPicture picture;
    picture.LoadFromResource(Wide(path));
    EXPECT_EQ(picture.Width(), entry->second.Width);
    EXPECT_EQ(picture.Height(), entry->second.Height);
  }
  // Slots the index binds on a component that a layout has.
  for (const auto& [path, entry] : index)
    for (const auto& binding : entry.Bindings) {
      const std::string component = binding.substr(0, binding.find_first_of(".["));
      if (!components.count(component)) continue;
      auto slot = slots.find(binding);
      EXPECT_TRUE(slot != slots.end() && slot->second == path) << binding << " should be " << path;
    }
}

TEST(ArtworkBindings, TheResourceFormsPictureListsLoadWithTheirPictures) {
  TForm* lists = SkinLists();
  auto* tabs = harness::Find<TXImageButtonPicList>(lists, "imgListTab");
  ASSERT_NE(tabs, nullptr);
  for (TButtonColor color : {fBlue, fGreen, fBlack, fYellow, fRed})
    for (TButtonState state :
         {TButtonState::Normal, TButtonState::MouseOn, TButtonState::MouseDown, TButtonState::Disabled}) {
      EXPECT_EQ(tabs->Picture(color, state).Width(), 128);
      EXPECT_EQ(tabs->Picture(color, state).Height(), 31);
    }
  auto* browse = harness::Find<TXImageButtonPicList>(lists, "XImageButtonPicList1");
  ASSERT_NE(browse, nullptr);
  EXPECT_EQ(browse->Picture(fBlue, TButtonState::Normal).Width(), 41);
  EXPECT_TRUE(browse->Picture(fRed, TButtonState::Normal).Empty());

  auto* bars = harness::Find<TXProcessBarPicList>(lists, "XProcessBarPicList1");
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->Border(fBlue), 0x00F3C38Fu);
  EXPECT_EQ(bars->Border(fRed), 0x00A8A8F4u);
  EXPECT_EQ(bars->Bottom(fBlack).Width(), 14);
  EXPECT_EQ(bars->Bar(fYellow).Width(), 12);

  auto* merge = dynamic_cast<TOrvVclScrollbarPicList*>(lists->FindComponent("OrvVclScrollbarPicList2"));
  ASSERT_NE(merge, nullptr);
  EXPECT_EQ(merge->BorderColor(4), 0x00949494u);
  EXPECT_EQ(merge->MyFont(4).Color(), 0x009D4700u);
  auto* sorts = dynamic_cast<TImageList*>(lists->FindComponent("orvImgListHeader"));
  ASSERT_NE(sorts, nullptr);
  ASSERT_EQ(sorts->Count(), 3);
  EXPECT_EQ(sorts->Images(2).Width(), 16);
}

}  // namespace
