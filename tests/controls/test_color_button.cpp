// Colour buttons: the picture sets of a list per skin colour, the caption
// colour that follows the skin, and the reference to the list.
#include <gtest/gtest.h>

#include "controls/XImageButtonColor.h"
#include "tests/controls/ControlsForm.h"
#include "tests/harness/Harness.h"

namespace {

// Blue and Red sets of the large buttons; Green has none.
const char* const kColorLayout = R"(
object Form1: TControlsForm
  Left = 40
  Top = 40
  ClientWidth = 300
  ClientHeight = 100
  BorderStyle = bsNone
  Color = clWhite
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
end
)";

class ColorButton : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kColorLayout);
    list = dynamic_cast<TXImageButtonPicList*>(harness::Find(form, "List"));
    split = dynamic_cast<TXImageButtonColor*>(harness::FindControl(form, "Split_btn"));
    tab = dynamic_cast<TXImageButtonColor*>(harness::FindControl(form, "Tab"));
  }
  void TearDown() override { form->Free(); }

  // The list's picture stretched as a 114-pixel button shows it.
  std::unique_ptr<TPngImage> Stretched(TButtonColor color, TButtonState state) {
    return StretchCaps(*list->Picture(color, state).GraphicAs<TPngImage>(), 114, 25, 25);
  }

  TControlsForm* form = nullptr;
  TXImageButtonPicList* list = nullptr;
  TXImageButtonColor* split = nullptr;
  TXImageButtonColor* tab = nullptr;
};

TEST_F(ColorButton, AListShowsItsBlueSetStretchedToTheButtonsWidth) {
  EXPECT_EQ(split->ButtonColor(), fBlue);
  EXPECT_EQ(split->Width(), 114);
  EXPECT_EQ(split->Height(), 33);
  EXPECT_TRUE(SamePixels(*split->PicNormal().GraphicAs<TPngImage>(), *Stretched(fBlue, TButtonState::Normal)));
  EXPECT_TRUE(SamePixels(*split->PicMouseOn().GraphicAs<TPngImage>(), *Stretched(fBlue, TButtonState::MouseOn)));
  EXPECT_TRUE(split->PicDisabled().Empty());
  EXPECT_EQ(split->Font().Color(), 0x009D4700u);
}

TEST_F(ColorButton, ButtonColorSwapsTheSetAndReplacesOnlyADefaultCaptionColour) {
  split->SetButtonColor(fRed);
  tab->SetButtonColor(fRed);
  EXPECT_EQ(split->Width(), 114);
  EXPECT_TRUE(SamePixels(*split->PicNormal().GraphicAs<TPngImage>(), *Stretched(fRed, TButtonState::Normal)));
  EXPECT_TRUE(SamePixels(*split->PicDisabled().GraphicAs<TPngImage>(), *Stretched(fRed, TButtonState::Disabled)));
  EXPECT_TRUE(split->PicMouseOn().Empty());
  EXPECT_EQ(split->Font().Color(), 0x000000B4u);
  EXPECT_EQ(tab->Font().Color(), clWhite);

  split->SetButtonColor(fBlack);
  EXPECT_EQ(split->Font().Color(), 0x00FEFEFEu);
  // A colour the list has no pictures for leaves the button empty.
  EXPECT_TRUE(split->PicNormal().Empty());
  EXPECT_TRUE(split->Picture().Empty());
}

TEST_F(ColorButton, AssigningTheListAgainSwitchesBackToBlue) {
  split->SetButtonColor(fRed);
  split->SetPicImageList(list);
  EXPECT_EQ(split->ButtonColor(), fBlue);
  EXPECT_EQ(split->Font().Color(), 0x009D4700u);
  EXPECT_TRUE(SamePixels(*split->PicNormal().GraphicAs<TPngImage>(), *Stretched(fBlue, TButtonState::Normal)));
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
