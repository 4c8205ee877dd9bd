// The skinned combo box: its own and its button's replacement procedures
// (installed, and put back from either side), the button over the native
// drop-down button, the list's colours and its scroll bar, which opens
// with the list and collapses before the close-up event.
#include <gtest/gtest.h>

#include "controls/OrvVclComboBox.h"
#include "tests/controls/InputControls.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

const std::string kComboLayout = FormLayout(440, 300, "  Color = clWhite\n" + std::string(kComboObjects));

LONG_PTR ProcOf(HWND wnd) { return GetWindowLongPtrW(wnd, GWLP_WNDPROC); }
LONG_PTR ClassProcOf(HWND wnd) { return GetClassLongPtrW(wnd, GCLP_WNDPROC); }

class Combo : public ::testing::Test {
 protected:
  void SetUp() override {
    SkinLists();
    form = MakeForm(kComboLayout);
    combo = harness::Find<TOrvVclComboBox>(form, "size_com_box");
    button = harness::Find<TOrvVclButton>(form, "OrvVclButton2");
    bar = harness::Find<TOrvVclScrollBar>(form, "OrvVclScrollBar4");
  }
  void TearDown() override {
    harness::ParkMouse();
    if (form) form->Free();
  }

  TEventForm* form = nullptr;
  TOrvVclComboBox* combo = nullptr;
  TOrvVclButton* button = nullptr;
  TOrvVclScrollBar* bar = nullptr;
};

TEST_F(Combo, BothWindowsAreHookedAndTheButtonCoversTheNativeOne) {
  const HWND wnd = combo->Handle(), buttonWnd = button->Handle();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(combo));
  EXPECT_EQ(GetWindowLongPtrW(buttonWnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(combo));
  EXPECT_NE(ProcOf(buttonWnd), ClassProcOf(buttonWnd));
  EXPECT_EQ(GetParent(buttonWnd), wnd);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(wnd, &info));
  EXPECT_EQ(button->BoundsRect(),
            Rect(info.rcItem.right + 1, info.rcButton.top, info.rcButton.right, info.rcButton.bottom));
  // A window made anew (another style) is hooked as well, and the button moves onto it.
  combo->SetStyle(csDropDown);
  EXPECT_NE(combo->Handle(), wnd);
  EXPECT_EQ(GetWindowLongPtrW(combo->Handle(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(combo));
  EXPECT_EQ(GetParent(button->Handle()), combo->Handle());
  EXPECT_NE(ProcOf(button->Handle()), ClassProcOf(button->Handle()));

  // Letting go of the button puts its procedure back, once.
  const HWND buttonWnd2 = button->Handle();
  combo->SetMyButton(nullptr);
  EXPECT_EQ(ProcOf(buttonWnd2), ClassProcOf(buttonWnd2));
  combo->SetMyButton(nullptr);
  EXPECT_EQ(ProcOf(buttonWnd2), ClassProcOf(buttonWnd2));
}

TEST_F(Combo, FrameAndListTakeTheStylesColours) {
  auto* colours = new TOrvVclScrollbarPicList(form);
  combo->SetPicList(colours);
  colours->SetBorderColor(2, 0x0000C0);
  colours->SetHeaderFontColor(2, 0x008000);
  combo->SetColor(0xF0FFFF);
  combo->SetPicstyle(2);  // repaints at once
  EXPECT_EQ(WindowPixel(combo->Handle(), combo->Width() / 3, 0, true), TColor{0x0000C0});
  EXPECT_EQ(WindowPixel(combo->Handle(), combo->Width() / 3, 1, true), TColor{0xF0FFFF});
  EXPECT_EQ(combo->Font().Color(), TColor{0x008000});

  // What the drop-down list is told when it asks for its colours.
  HDC dc = CreateCompatibleDC(nullptr);
  const LRESULT brush = SendMessageW(combo->Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc), COLORREF{0x008000});
  EXPECT_EQ(GetBkColor(dc), COLORREF{0xF0FFFF});
  DeleteDC(dc);
  // No list window came with that question: the bar waits for the real list.
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  harness::Pump();
  EXPECT_NE(combo->ListHandle(), nullptr);
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(Combo, APressOnTheButtonOpensTheListWithItsBarAndClosingCollapsesTheBar) {
  std::vector<std::pair<int, bool>> barAtCloseUp;
  combo->OnCloseUp = [&](TObject*) { barAtCloseUp.push_back({bar->Height(), bar->Visible()}); };
  const HWND buttonWnd = button->Handle();
  SendMessageW(buttonWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 7));
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(button->nMousestatue(), 1);
  EXPECT_TRUE(button->isDown());
  EXPECT_FALSE(button->ObjActive());
  harness::Pump();
  ASSERT_NE(combo->ListHandle(), nullptr);
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  EXPECT_GT(bar->Height(), 0);

  // The release that ends the press reaches the combo window (it holds the mouse).
  SendMessageW(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(button->nMousestatue(), 0);
  EXPECT_FALSE(button->isDown());
  EXPECT_TRUE(button->ObjActive());

  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(barAtCloseUp, (std::vector<std::pair<int, bool>>{{0, false}}));
  EXPECT_FALSE(IsWindowVisible(bar->Handle()));

  // The next drop shows the bar again on the same list.
  const HWND list = combo->ListHandle();
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  harness::Pump();
  EXPECT_EQ(combo->ListHandle(), list);
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  EXPECT_GT(bar->Height(), 0);
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(Combo, AClickOnAnItemOfTheDroppedListSelectsItAndCollapsesTheBar) {
  Log events;
  combo->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(combo->ItemIndex())); };
  SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  harness::Pump();
  const HWND list = combo->ListHandle();
  ASSERT_NE(list, nullptr);
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageW(list, WM_MOUSEMOVE, 0, at);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  harness::Pump();
  EXPECT_EQ(combo->Text(), L"KB");
  EXPECT_EQ(events, (Log{"change 1"}));
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(bar->Handle()));
}

TEST_F(Combo, TheButtonFreedFirstLeavesAWorkingCombo) {
  button->Free();
  EXPECT_EQ(combo->MyButton(), nullptr);
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo->Handle(), WM_LBUTTONUP, 0, 0);
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(Combo, TheComboFreedFirstLeavesAWorkingButton) {
  bar->Free();  // attached to nothing yet
  combo->Free();
  const HWND buttonWnd = button->Handle();  // made anew on its own parent
  EXPECT_EQ(ProcOf(buttonWnd), ClassProcOf(buttonWnd));
  harness::MouseDown(button);
  harness::MouseUp(button);
  EXPECT_EQ(button->nMousestatue(), 0);
}

}  // namespace
