// Colour buttons: the picture sets of a list per skin colour, the caption
// colour that follows the skin, and the reference to the list.
#include <gtest/gtest.h>

#include "controls/XImageButtonColor.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

// Blue and Red sets of the large buttons; Green has none.
const std::string kColorLayout = FormLayout(300, 100, R"(  Color = clWhite
  object List: TXImageButtonPicList
    PicBlueNormal = 'skins/blue/button_large_normal.png'
    PicBlueMouseOn = 'skins/blue/button_large_mouseon.png'
    PicRedNormal = 'skins/red/button_large_normal.png'
    PicRedDisabled = 'skins/red/button_large_disabled.png'
  end
  object Split_btn: TXImageButtonColor
    Left = 10
    Top = 10
    Width = 114
    Height = 33
    NeedStretch = True
    Caption = 'Split'
    CaptionAlign = taCenter
    CaptionLeft = 0
    CaptionTop = 0
    PicImageList = List
  end
  object Tab: TXImageButtonColor
    Left = 140
    Top = 10
    Width = 101
    Height = 33
    Font.Color = clWhite
    Caption = 'Split File'
    PicImageList = List
  end
)");

class ColorButton : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kColorLayout);
    list = harness::Find<TXImageButtonPicList>(form, "List");
    split = harness::Find<TXImageButtonColor>(form, "Split_btn");
    tab = harness::Find<TXImageButtonColor>(form, "Tab");
  }
  void TearDown() override { form->Free(); }

  // Whether the button's slot holds the list's picture of that colour and
  // state, stretched as a 114-pixel button shows it.
  bool Holds(TPicture& slot, TButtonColor color, TButtonState state) {
    const auto* png = slot.GraphicAs<TPngImage>();
    return png && harness::SamePixels(
                      *png, *StretchCaps(*list->Picture(color, state).GraphicAs<TPngImage>(), 114, 25, 25));
  }

  TEventForm* form = nullptr;
  TXImageButtonPicList* list = nullptr;
  TXImageButtonColor* split = nullptr;
  TXImageButtonColor* tab = nullptr;
};

TEST_F(ColorButton, AListShowsItsBlueSetStretchedToTheButtonsWidth) {
  EXPECT_EQ(split->ButtonColor(), fBlue);
  EXPECT_EQ(split->Width(), 114);
  EXPECT_EQ(split->Height(), 33);
  EXPECT_TRUE(Holds(split->PicNormal(), fBlue, TButtonState::Normal));
  EXPECT_TRUE(Holds(split->PicMouseOn(), fBlue, TButtonState::MouseOn));
  EXPECT_TRUE(split->PicDisabled().Empty());
  EXPECT_EQ(split->Font().Color(), 0x009D4700u);
}

TEST_F(ColorButton, ButtonColorSwapsTheSetAndReplacesOnlyADefaultCaptionColour) {
  split->SetButtonColor(fRed);
  tab->SetButtonColor(fRed);
  EXPECT_EQ(split->Width(), 114);
  EXPECT_TRUE(Holds(split->PicNormal(), fRed, TButtonState::Normal));
  EXPECT_TRUE(Holds(split->PicDisabled(), fRed, TButtonState::Disabled));
  EXPECT_TRUE(split->PicMouseOn().Empty());
  EXPECT_EQ(tab->Font().Color(), clWhite);

  split->SetButtonColor(fBlack);
  // A colour the list has no pictures for leaves the button empty.
  EXPECT_TRUE(split->PicNormal().Empty());
  EXPECT_TRUE(split->Picture().Empty());

  // The default caption colour of each skin colour ($00BBGGRR).
  const std::pair<TButtonColor, TColor> defaults[] = {
      {fGreen, 0x00116D0D}, {fYellow, 0x00002D7F}, {fRed, 0x000000B4}, {fBlack, 0x00FEFEFE}, {fBlue, 0x009D4700}};
  for (auto [color, caption] : defaults) {
    split->SetButtonColor(color);
    EXPECT_EQ(split->Font().Color(), caption) << "colour " << int{color};
  }
}

TEST_F(ColorButton, AssigningTheListAgainSwitchesBackToBlue) {
  split->SetButtonColor(fRed);
  split->SetPicImageList(list);
  EXPECT_EQ(split->ButtonColor(), fBlue);
  EXPECT_EQ(split->Font().Color(), 0x009D4700u);
  EXPECT_TRUE(Holds(split->PicNormal(), fBlue, TButtonState::Normal));
}

TEST_F(ColorButton, WithoutAListTheColourIsOnlyStored) {
  list->Free();
  EXPECT_EQ(split->PicImageList(), nullptr);
  split->SetButtonColor(fRed);
  EXPECT_EQ(split->ButtonColor(), fRed);
  EXPECT_EQ(split->PicNormal().Width(), 114);
  EXPECT_EQ(split->Font().Color(), 0x009D4700u);
}

}  // namespace
