// Every published property of the skinned controls is read from a stored
// layout under the name the layouts use.
#include <gtest/gtest.h>

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
  form->Free();
}

}  // namespace
