// The skinned controls as built, and every published property read from a
// stored layout under the name the layouts use.
#include <gtest/gtest.h>

#include "controls/OrvVclListView.h"
#include "controls/OrvVclScrollBar.h"
#include "controls/XCheckBox.h"
#include "controls/XImageButtonColor.h"
#include "controls/XProcessBar.h"
#include "controls/XProcessBarPicList.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

void ExpectFont(const TFont& font, TFontStyles style, TColor color) {
  EXPECT_EQ(font.Name(), L"Tahoma");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Style(), style);
  EXPECT_EQ(font.Color(), color);
}

TEST(Defaults, EachControlIsBuiltWithItsInitialValues) {
  harness::InitGui();
  TComponent owner(nullptr);
  EXPECT_EQ((new TXImageButton(&owner))->Font().Color(), clBlack);
  auto* button = new TXImageButtonColor(&owner);
  for (TPicture* picture : {&button->PicNormal(), &button->PicMouseOn(), &button->PicMouseDown(),
                            &button->PicDisabled(), &button->PicSmallNormal(), &button->PicSmallMouseOn(),
                            &button->PicSmallMouseDown(), &button->PicSmallDisabled()})
    EXPECT_TRUE(picture->Empty());
  EXPECT_TRUE(button->Enabled());
  EXPECT_FALSE(button->NeedStretch());
  EXPECT_EQ(button->Caption(), L"");
  ExpectFont(button->Font(), fsBold, 0x009D4700);  // the Blue caption colour
  ExpectFont(button->FontDisable(), fsBold, 0x00808080);
  EXPECT_EQ(button->CaptionLeft(), 40);
  EXPECT_EQ(button->CaptionTop(), 8);
  EXPECT_EQ(button->PicSmallPosLeft(), 10);
  EXPECT_EQ(button->PicSmallPosTop(), 7);
  EXPECT_EQ(button->AnimationStart(), 0);
  EXPECT_EQ(button->AnimationEnd(), 64);
  EXPECT_EQ(button->AnimationParam(), 4);
  EXPECT_TRUE(button->EnableAnimation());
  EXPECT_EQ(button->CaptionAlign(), TTextAlign::taCustom);
  EXPECT_TRUE(button->AutoSize());
  EXPECT_EQ(button->Cursor(), crHandPoint);
  EXPECT_EQ(button->PicImageList(), nullptr);
  EXPECT_EQ(button->ButtonColor(), fBlue);

  auto* bar = new TXProcessBar(&owner);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->PicImageList(), nullptr);
  EXPECT_EQ(bar->SkinColor(), fBlue);
  EXPECT_EQ(bar->Width(), 30);
  EXPECT_EQ(bar->Height(), 16);
  auto* bars = new TXProcessBarPicList(&owner);
  const std::pair<TButtonColor, TColor> borders[] = {
      {fRed, 0x00A8A8F4}, {fGreen, 0x00ABDAA8}, {fBlue, 0x00F3C38F}, {fYellow, 0x00A8CBF4}, {fBlack, 0x00C1C1C1}};
  for (auto [color, border] : borders) EXPECT_EQ(bars->Border(color), border) << "colour " << int{color};

  auto* box = new TXCheckBox(&owner);
  EXPECT_EQ(box->Status(), csUnChecked);
  EXPECT_EQ(box->PicImageList(), nullptr);
  EXPECT_TRUE(box->Enabled());
  ExpectFont(box->Font(), TFontStyles{}, clBlack);
  EXPECT_EQ(box->Caption(), L"XCheckBox");
  EXPECT_EQ(box->CaptionLeft(), 0);
  EXPECT_EQ(box->CaptionTop(), -100);
  EXPECT_TRUE(box->AutoSize());
  EXPECT_FALSE(box->RadioButton());
  EXPECT_EQ(box->Cursor(), crHandPoint);

  auto* list = new TOrvVclListView(&owner);
  EXPECT_EQ((std::vector<int>{list->Picstyle(), list->nInterval(), list->TextInterval(), list->StatueInterval(),
                              list->SortInterval(), list->CheckboxLeft(), list->HeaderupIntervar(),
                              list->HeaderDownX(), list->HeaderDownY(), list->SortImage(0)}),
            (std::vector<int>{1, 4, 4, 4, 4, 0, 0, 1, 1, -1}));
  EXPECT_EQ(list->BorderColor(), clBlack);
  EXPECT_TRUE(list->MyVisible() && list->isPosheader() && list->DoubleBuffered());
  EXPECT_FALSE(list->HaveAngle() || list->UserPaint() || list->IsHeaderEarsebkgnd());
}

const char* const kEveryProperty = R"(
object Form1: TEventForm
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
  object Sorts: TImageList
  end
  object Check: TOrvVclListCheckbox
    XPicList = nil
    CheckStatue = 2
    CheckStatue = 7
    nIndex = 5
    Offset = 1
    parentdc = 0
    OnOrvclick = ItemOrvClick
  end
  object List: TOrvVclListView
    ViewStyle = vsReport
    PicList = Skins
    Picstyle = 4
    Picstyle = 6
    BorderColor = clRed
    HeadHeightFont.Height = -15
    HeadImgSort = Sorts
    nInterval = 5
    TextInterval = 6
    StatueInterval = 7
    SortInterval = 8
    CheckboxLeft = 9
    HeaderupIntervar = 2
    HeaderDownX = 3
    HeaderDownY = 4
    StatueCheckbox = Check
    MyVisible = False
    HaveAngle = True
    isPosheader = False
    UserPaint = True
    IsHeaderEarsebkgnd = True
    OnMyUserPaint = ItemClick
  end
end
)";

TEST(LayoutProperties, EveryPublishedPropertyIsReadUnderItsName) {
  TEventForm* form = MakeForm(kEveryProperty, false);
  auto* button = harness::Find<TXImageButtonColor>(form, "Button");
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

  auto* bar = harness::Find<TXProcessBar>(form, "Bar");
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_EQ(bar->SkinColor(), fYellow);

  auto* box = harness::Find<TXCheckBox>(form, "Box");
  EXPECT_EQ(box->Status(), csGrayed);
  EXPECT_FALSE(box->Enabled());
  EXPECT_TRUE(box->RadioButton());
  EXPECT_FALSE(box->AutoSize());
  EXPECT_FALSE(box->DoubleBuffered());
  EXPECT_EQ(box->Anchors(), akLeft | akBottom);
  EXPECT_EQ(box->CaptionTop(), 1);
  EXPECT_TRUE(box->OnClick != nullptr);

  auto* skins = harness::Find<TOrvVclScrollbarPicList>(form, "Skins");
  EXPECT_EQ(skins->PicHeaderRightNormal1().Width(), 3);
  EXPECT_EQ(skins->HeaderColor(2), 0x00E3E3F8u);
  EXPECT_EQ(skins->BorderColor(1), clBlack);  // the default
  EXPECT_EQ(skins->MyFont(3).Name(), L"Verdana");
  auto* scroll = harness::Find<TOrvVclScrollBar>(form, "Scroll");
  EXPECT_EQ(scroll->PicList(), skins);
  EXPECT_EQ(scroll->Picstyle(), 2);  // 9 is no style
  EXPECT_EQ(scroll->THUMBMINSIZE(), 8);
  EXPECT_EQ(scroll->THUMBBORDER(), 4u);

  auto* check = harness::Find<TOrvVclListCheckbox>(form, "Check");
  EXPECT_EQ((std::vector<int>{check->CheckStatue(), check->nIndex(), check->Offset()}), (std::vector<int>{2, 5, 1}));
  EXPECT_TRUE(check->OnOrvclick != nullptr);
  auto* list = harness::Find<TOrvVclListView>(form, "List");
  EXPECT_EQ(list->PicList(), skins);
  EXPECT_EQ(list->HeadImgSort(), harness::Find<TImageList>(form, "Sorts"));
  EXPECT_EQ(list->StatueCheckbox(), check);
  EXPECT_EQ((std::vector<int>{list->Picstyle(), list->HeadHeightFont().Height(), list->nInterval(),
                              list->TextInterval(), list->StatueInterval(), list->SortInterval(), list->CheckboxLeft(),
                              list->HeaderupIntervar(), list->HeaderDownX(), list->HeaderDownY()}),
            (std::vector<int>{4, -15, 5, 6, 7, 8, 9, 2, 3, 4}));
  EXPECT_EQ(list->BorderColor(), clRed);
  EXPECT_FALSE(list->MyVisible() || list->isPosheader());
  EXPECT_TRUE(list->HaveAngle() && list->UserPaint() && list->IsHeaderEarsebkgnd());
  EXPECT_TRUE(list->OnMyUserPaint != nullptr);
  form->Free();
}

}  // namespace
