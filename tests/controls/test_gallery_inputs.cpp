// The input controls' gallery: skinned edits enabled and disabled, the
// up-down on its edit, the push button in each state of both colour sets,
// and the combo box with its list dropped down, the list's skinned bar on
// it, and below an edit and a combo box in each of the five styles, on one
// form read from a layout; what the screen shows of it is saved as
// build/screens/gallery_inputs.png for review.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "controls/DxUpdown.h"
#include "controls/OrvVclButton.h"
#include "controls/OrvVclComboBox.h"
#include "controls/OrvVclEdit.h"
#include "tests/controls/InputControls.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

const char* const kFormLook = R"(  Color = clWhite
  Font.Name = 'Tahoma'
  Font.Height = -11
)";

// The split page's edits: a path, a disabled path, a number in another
// style, and the up-down's edit.
std::string Edits() {
  struct TEditShown {
    const char *name, *text, *extra;
    int left, top, width;
  };
  const TEditShown edits[] = {{"Source_E", "C:\\Users\\Public\\Videos\\holiday.avi", "ReadOnly = True", 16, 16, 249},
                              {"Output_E", "D:\\Parts\\", "Enabled = False", 300, 16, 249},
                              {"Size_edt", "1", "Picstyle = 3", 16, 56, 194},
                              {"block_edt", "", "Picstyle = 1", 300, 56, 207}};
  std::ostringstream out;
  for (const TEditShown& e : edits)
    out << "  object " << e.name << ": TOrvVclEdit\n    Left = " << e.left << "\n    Top = " << e.top
        << "\n    Width = " << e.width << "\n    Height = 19\n    Text = '" << e.text << "'\n    " << e.extra
        << "\n    PicList = frmResource.OrvVclPopupMenuPicList1\n  end\n";
  return out.str();
}

// Per style a column: an edit, and a combo box with its own button and bar.
std::string StyledInputs() {
  std::ostringstream out;
  for (int style = 1; style <= 5; ++style) {
    const std::string n = std::to_string(style), left = std::to_string(16 + (style - 1) * 124);
    out << "  object StyleEdit" << n << ": TOrvVclEdit\n    Left = " << left << "\n    Top = 250\n    Width = 116\n"
        << "    Height = 19\n    Text = 'style " << n << "'\n    Picstyle = " << n
        << "\n    PicList = frmResource.OrvVclPopupMenuPicList1\n  end\n"
        << "  object StyleButton" << n << ": TOrvVclButton\n    XPicList = frmResource.XImageButtonPicList2\n  end\n"
        << "  object StyleBar" << n << ": TOrvVclScrollBar\n    Kind = sbVertical\n    Visible = False\n"
        << "    PicList = frmResource.OrvVclScrollbarPicList3\n    Picstyle = " << n << "\n  end\n"
        << "  object StyleCombo" << n << ": TOrvVclComboBox\n    Left = " << left << "\n    Top = 284\n    Width = 116\n"
        << "    Style = csDropDownList\n    Color = clWhite\n    Items.Strings = ('MB' 'KB' 'byte(s)')\n"
        << "    ItemIndex = 0\n    MyButton = StyleButton" << n << "\n    MyScrollbar = StyleBar" << n
        << "\n    PicList = frmResource.OrvVclScrollbarPicList3\n    Picstyle = " << n << "\n  end\n";
  }
  return out.str();
}

// The push buttons: in each colour set normal, down, over and disabled,
// left to right.
const char* const kSets[] = {"Blue", "Black"};

std::string PushButtons() {
  std::ostringstream out;
  for (int set = 0; set < 2; ++set)
    for (int state = 0; state < 4; ++state)
      out << "  object " << kSets[set] << state << ": TOrvVclButton\n    Left = " << 16 + set * 112 + state * 24
          << "\n    Top = 100\n    Width = 17\n    Height = 15\n    ButtonColor = f" << kSets[set]
          << "\n    XPicList = frmResource.XImageButtonPicList2\n  end\n";
  return out.str();
}

// Copies what a window of its own (the drop-down list, the list's bar)
// shows into the form's capture, at its place over the form.
void PasteWindow(TBitmap& shot, TWinControl* form, HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  POINT origin{0, 0};
  ClientToScreen(form->Handle(), &origin);
  HDC dc = GetWindowDC(wnd);
  BitBlt(shot.Canvas().Handle(), r.left - origin.x, r.top - origin.y, r.right - r.left, r.bottom - r.top, dc, 0, 0,
         SRCCOPY);
  ReleaseDC(wnd, dc);
}

TEST(GalleryInputs, EditsUpdownAndPushButtonsAreShownAndSaved) {
  SkinLists();
  TEventForm* form =
      MakeForm(FormLayout(640, 320, kFormLook + Edits() + kUpdownObjects + kComboObjects + PushButtons() + StyledInputs()));
  for (const char* set : kSets)
    for (int state = 0; state < 4; ++state) {
      auto* button = harness::Find<TOrvVclButton>(form, set + std::to_string(state));
      if (state == 3) button->SetEnabled(false);
      else button->SetnMousestatue(state);
      button->RepaintButton();
    }
  auto* updown = harness::Find<TMyUpdown>(form, "MyUpdown1");
  EXPECT_EQ(updown->Left(), 508);
  EXPECT_EQ(updown->Associate()->Text(), L"2");
  // Dropped down by a press on its skinned button, as the user does.
  auto* combo = harness::Find<TOrvVclComboBox>(form, "size_com_box");
  const HWND button = combo->MyButton()->Handle();
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  harness::Pump();
  EXPECT_TRUE(combo->DroppedDown());
  auto shot = harness::CaptureScreen(form);
  PasteWindow(*shot, form, combo->ListHandle());
  PasteWindow(*shot, form, combo->MyScrollbar()->Handle());
  EXPECT_FALSE(harness::SaveScreenshot(*shot, L"gallery_inputs").empty());
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  form->Free();
}

}  // namespace
