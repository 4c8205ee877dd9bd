// Every published property of the skinned controls is read from a stored
// layout under the name the layouts use.
#include <gtest/gtest.h>

#include "controls/OrvVclScrollBar.h"
#include "controls/XCheckBox.h"
#include "controls/XImageButtonColor.h"
#include "controls/XProcessBar.h"
#include "tests/controls/ControlsForm.h"
#include "tests/harness/Harness.h"

namespace {

const char* const kEveryProperty = R"(
object Form1: TControlsForm
  object Pictures: TXImageButtonPicList
    PicBlackDisabled = 'skins/black/tab_disabled.png'
  end
  object Button: TXImageButtonColor
    PicNormal = 'skins/blue/tab_normal.png'
    PicMouseOn = 'skins/blue/tab_mouseon.png'
    PicMouseDown = 'skins/blue/tab_mousedown.png'
    PicDisabled = 'skins/blue/tab_disabled.png'
    PicSmallNormal = 'skins/common/list_row_icon.png'
    PicSmallMouseOn = 'skins/common/list_row_icon.png'
    PicSmallMouseDown = 'skins/common/list_row_icon.png'
    PicSmallDisabled = 'skins/common/list_row_icon.png'
    Enabled = False
    NeedStretch = True
    Caption = 'Split File'
    Font.Color = clWhite
    FontDisable.Color = clSilver
    CaptionLeft = 3
    CaptionTop = 2
    PicSmallPosLeft = 4
    PicSmallPosTop = 5
    AnimationStart = 1
    AnimationEnd = 32
    AnimationParam = 8
    EnableAnimation = False
    CaptionAlign = taCenter
    ButtonColor = fRed
    Hint = 'Split'
    ShowHint = True
    OnClick = ItemClick
  end
  object Bar: TXProcessBar
    PicImageList = nil
    Max = 50
    Position = 20
    SkinColor = fYellow
  end
  object Box: TXCheckBox
    Anchors = [akLeft, akBottom]
    Onclick = ItemClick
    doublebuffered = False
    PicImageList = nil
    Status = csGrayed
    Enabled = False
    RadioButton = True
    Caption = 'Specify block size:'
    Font.Height = -13
    CaptionLeft = 2
    CaptionTop = 1
    autosize = False
  end
  object Skins: TOrvVclScrollbarPicList
    Pic2 = 'skins/red/scroll.png'
    PicThumb2 = 'skins/red/scroll_thumb.png'
    PicSplit3 = 'skins/yellow/header_split.png'
    PicHeaderBGNormal4 = 'skins/blue/header_normal.png'
    PicHeaderBGOver4 = 'skins/blue/header_over.png'
    PicHeaderBGDown4 = 'skins/blue/header_down.png'
    PicHeaderBGDisable5 = 'skins/black/header_disable.png'
    PicHeaderLeftNormal1 = 'skins/green/header_cap_left.png'
    PicHeaderRightNormal1 = 'skins/green/header_cap_right.png'
    HeaderColor2 = $00E3E3F8
    HeaderFontColor4 = $00333333
    BorderColor5 = $00949494
    MyFont3.Color = $00002D7F
    MyFont3.Name = 'Verdana'
  end
  object Scroll: TOrvVclScrollBar
    Kind = sbVertical
    PicList = Skins
    Scrollwidth = 16
    ScrollBorder = 3
    Picstyle = 2
    Picstyle = 9
    THUMBMINSIZE = 8
    THUMBBORDER = 4
    Max = 40
    PageSize = 10
  end
end
)";

TEST(LayoutProperties, EveryPublishedPropertyIsReadUnderItsName) {
  TControlsForm* form = MakeForm(kEveryProperty, false);
  auto* button = dynamic_cast<TXImageButtonColor*>(harness::Find(form, "Button"));
  EXPECT_FALSE(button->Enabled());
  EXPECT_TRUE(button->NeedStretch());
  EXPECT_EQ(button->Caption(), L"Split File");
  EXPECT_EQ(button->FontDisable().Color(), clSilver);
  EXPECT_EQ(button->PicSmallDisabled().Width(), 14);
  EXPECT_EQ(button->AnimationEnd(), 32);
  EXPECT_FALSE(button->EnableAnimation());
  EXPECT_EQ(button->CaptionAlign(), TTextAlign::taCenter);
  // Without a list the colour is only stored.
  EXPECT_EQ(button->ButtonColor(), fRed);

  auto* bar = dynamic_cast<TXProcessBar*>(harness::Find(form, "Bar"));
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(bar->SkinColor(), fYellow);

  auto* box = dynamic_cast<TXCheckBox*>(harness::Find(form, "Box"));
  EXPECT_EQ(box->Status(), csGrayed);
  EXPECT_FALSE(box->Enabled());
  EXPECT_TRUE(box->RadioButton());
  EXPECT_FALSE(box->AutoSize());
  EXPECT_FALSE(box->DoubleBuffered());
  EXPECT_EQ(box->Anchors(), akLeft | akBottom);
  EXPECT_EQ(box->CaptionTop(), 1);
  EXPECT_TRUE(box->OnClick != nullptr);

  auto* skins = dynamic_cast<TOrvVclScrollbarPicList*>(harness::Find(form, "Skins"));
  EXPECT_EQ(skins->PicHeaderRightNormal1().Width(), 3);
  EXPECT_EQ(skins->HeaderColor(2), 0x00E3E3F8u);
  EXPECT_EQ(skins->BorderColor(1), clBlack);  // the default
  EXPECT_EQ(skins->MyFont(3).Name(), L"Verdana");
  auto* scroll = dynamic_cast<TOrvVclScrollBar*>(harness::Find(form, "Scroll"));
  EXPECT_EQ(scroll->PicList(), skins);
  EXPECT_EQ(scroll->Picstyle(), 2);  // 9 is no style
  EXPECT_EQ(scroll->THUMBMINSIZE(), 8);
  EXPECT_EQ(scroll->THUMBBORDER(), 4u);
  form->Free();
}

}  // namespace
