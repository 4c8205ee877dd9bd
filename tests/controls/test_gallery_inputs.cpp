// The input controls' gallery: skinned edits enabled and disabled, the
// up-down on its edit, and the push button in each state of both colour
// sets, on one form read from a layout; what the screen shows of it is
// saved as build/screens/gallery_inputs.png for review.
#include <gtest/gtest.h>

#include "controls/DxUpdown.h"
#include "controls/OrvVclButton.h"
#include "controls/OrvVclEdit.h"
#include "tests/controls/ControlsForm.h"
#include "tests/harness/Harness.h"

namespace {

const char* const kGalleryLayout = R"(
object GalleryInputs: TControlsForm
  Left = 40
  Top = 40
  ClientWidth = 640
  ClientHeight = 150
  BorderStyle = bsNone
  Color = clWhite
  Font.Name = 'Tahoma'
  Font.Height = -11
  object Source_E: TOrvVclEdit
    Left = 16
    Top = 16
    Width = 249
    Height = 19
    ReadOnly = True
    Text = 'C:\Users\Public\Videos\holiday.avi'
    PicList = frmResource.OrvVclPopupMenuPicList1
  end
  object Output_E: TOrvVclEdit
    Left = 300
    Top = 16
    Width = 249
    Height = 19
    Enabled = False
    Text = 'D:\Parts\'
    PicList = frmResource.OrvVclPopupMenuPicList1
  end
  object Size_edt: TOrvVclEdit
    Left = 16
    Top = 56
    Width = 194
    Height = 19
    Text = '1'
    PicList = frmResource.OrvVclPopupMenuPicList1
    Picstyle = 3
  end
  object block_edt: TOrvVclEdit
    Left = 300
    Top = 56
    Width = 207
    Height = 19
    PicList = frmResource.OrvVclPopupMenuPicList1
  end
  object XImageButtonColor2: TXImageButtonColor
    Width = 15
    Height = 9
    EnableAnimation = False
    PicImageList = frmResource.XImageButtonPicList9
  end
  object XImageButtonColor1: TXImageButtonColor
    Width = 15
    Height = 9
    EnableAnimation = False
    PicImageList = frmResource.XImageButtonPicList8
  end
  object MyUpdown1: TMyUpdown
    Width = 15
    Height = 19
    BevelOuter = bvNone
    Color = $00F9EEE3
    Min = 2
    Max = 999
    Associate = block_edt
    UpButton = XImageButtonColor2
    DownButton = XImageButtonColor1
  end
  object Blue0: TOrvVclButton
    Left = 16
    Top = 100
    Width = 17
    Height = 15
    XPicList = frmResource.XImageButtonPicList2
  end
  object Blue1: TOrvVclButton
    Left = 40
    Top = 100
    Width = 17
    Height = 15
    XPicList = frmResource.XImageButtonPicList2
  end
  object Blue2: TOrvVclButton
    Left = 64
    Top = 100
    Width = 17
    Height = 15
    XPicList = frmResource.XImageButtonPicList2
  end
  object Blue3: TOrvVclButton
    Left = 88
    Top = 100
    Width = 17
    Height = 15
    XPicList = frmResource.XImageButtonPicList2
  end
  object Black0: TOrvVclButton
    Left = 128
    Top = 100
    Width = 17
    Height = 15
    ButtonColor = fBlack
    XPicList = frmResource.XImageButtonPicList2
  end
  object Black1: TOrvVclButton
    Left = 152
    Top = 100
    Width = 17
    Height = 15
    ButtonColor = fBlack
    XPicList = frmResource.XImageButtonPicList2
  end
  object Black2: TOrvVclButton
    Left = 176
    Top = 100
    Width = 17
    Height = 15
    ButtonColor = fBlack
    XPicList = frmResource.XImageButtonPicList2
  end
  object Black3: TOrvVclButton
    Left = 200
    Top = 100
    Width = 17
    Height = 15
    ButtonColor = fBlack
    XPicList = frmResource.XImageButtonPicList2
  end
  object Large: TOrvVclButton
    Left = 240
    Top = 92
    Width = 34
    Height = 30
    XPicList = frmResource.XImageButtonPicList2
  end
end
)";

TEST(GalleryInputs, EditsUpdownAndPushButtonsAreShownAndSaved) {
  SkinLists();
  TControlsForm* form = MakeForm(kGalleryLayout);
  // Normal, down, over and disabled, left to right in each colour.
  for (const char* set : {"Blue", "Black"})
    for (int state = 0; state < 4; ++state) {
      auto* button = dynamic_cast<TOrvVclButton*>(harness::FindControl(form, set + std::to_string(state)));
      if (state == 3) button->SetEnabled(false);
      else button->SetnMousestatue(state);
      button->RepaintButton();
    }
  auto* updown = dynamic_cast<TMyUpdown*>(harness::FindControl(form, "MyUpdown1"));
  EXPECT_EQ(updown->Left(), 508);
  EXPECT_EQ(updown->Associate()->Text(), L"2");
  auto shot = harness::CaptureScreen(form);
  EXPECT_FALSE(harness::SaveScreenshot(*shot, L"gallery_inputs").empty());
  form->Free();
}

}  // namespace
