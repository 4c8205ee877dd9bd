// The push button: its mouse states from real mouse messages (with the
// moves ignored while it is inactive) and the picture each state shows.
#include <gtest/gtest.h>

#include "controls/OrvVclButton.h"
#include "tests/controls/InputControls.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

const std::string kButtonLayout = FormLayout(100, 60, R"(  Color = clWhite
  object Pictures: TXImageButtonPicList
  end
  object OrvVclButton2: TOrvVclButton
    Left = 10
    Top = 10
    Width = 34
    Height = 30
    ButtonColor = fRed
    Picstyle = 4
    Checked = True
    ClicksDisabled = True
    isDown = False
    nMousestatue = 0
    ObjActive = True
    XPicList = Pictures
  end
)");

// A distinct colour for the picture of each colour set and state.
TColor ColourOf(TButtonColor color, TButtonState state) {
  return 0x200000 * (color + 1) + 0x30 * (static_cast<int>(state) + 1);
}

class PushButton : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kButtonLayout);
    auto* list = harness::Find<TXImageButtonPicList>(form, "Pictures");
    for (TButtonColor color : {fRed, fBlue})
      for (int state = 0; state < 4; ++state)
        list->Picture(color, TButtonState(state))
            .Assign(*harness::SolidPicture(17, 15, ColourOf(color, TButtonState(state))));
    button = harness::Find<TOrvVclButton>(form, "OrvVclButton2");
    button->RepaintButton();
  }
  void TearDown() override {
    harness::ParkMouse();
    form->Free();
  }
  // The colour the button's window shows in its middle.
  TColor Shown() { return WindowPixel(button->Handle(), 17, 15); }
  void Expect(int state, bool down, TButtonState picture) {
    EXPECT_EQ(button->nMousestatue(), state);
    EXPECT_EQ(button->isDown(), down);
    EXPECT_EQ(Shown(), ColourOf(button->ButtonColor(), picture));
  }

  TEventForm* form = nullptr;
  TOrvVclButton* button = nullptr;
};

TEST_F(PushButton, LayoutValuesAndQuirks) {
  EXPECT_EQ(button->ButtonColor(), fRed);
  EXPECT_EQ(button->Picstyle(), 4);
  EXPECT_FALSE(button->Checked());
  EXPECT_TRUE(button->ClicksDisabled());
  EXPECT_EQ(button->MousePoint(), Point(-1, -1));
}

TEST_F(PushButton, StatesFollowTheMouse) {
  Expect(0, false, TButtonState::Normal);
  harness::MouseMove(button, 5, 5);
  Expect(2, false, TButtonState::MouseOn);
  EXPECT_EQ(button->MousePoint(), Point(5, 5));
  harness::MouseDown(button);
  Expect(1, true, TButtonState::MouseDown);
  // Dragged off while down, and back: the edges count as inside.
  harness::MouseMove(button, button->Width() + 1, 5);
  Expect(0, true, TButtonState::Normal);
  harness::MouseMove(button, 5, button->Height());
  Expect(1, true, TButtonState::MouseDown);
  harness::MouseUp(button);
  Expect(0, false, TButtonState::Normal);
  harness::MouseMove(button);
  SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
  Expect(0, false, TButtonState::Normal);

  button->SetButtonColor(fBlue);
  EXPECT_EQ(Shown(), ColourOf(fBlue, TButtonState::Normal));
  button->SetEnabled(false);
  EXPECT_EQ(Shown(), ColourOf(fBlue, TButtonState::Disabled));
}

TEST_F(PushButton, WhileInactiveMovesAreIgnoredAndTheNextReleaseOrLeaveReactivates) {
  for (UINT message : {WM_LBUTTONUP, WM_MOUSELEAVE}) {
    button->SetObjActive(false);
    button->SetnMousestatue(1);
    button->SetisDown(true);
    harness::MouseMove(button, 3, 3);
    EXPECT_EQ(button->nMousestatue(), 1);
    EXPECT_EQ(button->MousePoint(), Point(-1, -1));
    SendMessageW(button->Handle(), message, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(button->ObjActive());
    EXPECT_EQ(button->nMousestatue(), 1) << message;
    EXPECT_TRUE(button->isDown());
  }
}

TEST_F(PushButton, PaintsIntoTheGivenContextAndNothingWithoutAList) {
  auto paintOnWhite = [&] {
    TBitmap bitmap(button->Width(), button->Height());
    bitmap.Canvas().Brush.SetColor(clWhite);
    bitmap.Canvas().FillRect(button->ClientRect());
    SendMessageW(button->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
    return harness::PixelAt(bitmap, 20, 20);
  };
  EXPECT_EQ(paintOnWhite(), ColourOf(fRed, TButtonState::Normal));
  button->SetXPicList(nullptr);
  EXPECT_EQ(paintOnWhite(), clWhite);
}

}  // namespace
