// The up-down on its edit: placement and start value from a stored layout,
// single steps at the limits, and the 150 ms repeat with its pause off the
// held button, driven by real mouse messages and by the timer's ticks.
#include <gtest/gtest.h>

#include "controls/DxUpdown.h"
#include "tests/controls/InputControls.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

using Texts = std::vector<std::wstring>;

const std::string kUpdownLayout = FormLayout(300, 100, R"(  Color = clWhite
  object block_edt: TEdit
    Left = 27
    Top = 45
    Width = 207
    Height = 19
    Text = '7'
  end
)" + std::string(kUpdownObjects));

class Updown : public ::testing::Test {
 protected:
  void SetUp() override {
    SkinLists();
    form = MakeForm(kUpdownLayout);
    edit = harness::Find<TEdit>(form, "block_edt");
    updown = harness::Find<TMyUpdown>(form, "MyUpdown1");
    edit->OnChange = [this](TObject*) { changes.push_back(edit->Text()); };
  }
  void TearDown() override {
    harness::ParkMouse();
    form->Free();
  }

  void Start(const wchar_t* text) {
    edit->SetText(text);
    changes.clear();
  }
  // One tick of the repeat timer, which must be running.
  void Tick() {
    ASSERT_TRUE(updown->RepeatTimer().Enabled());
    updown->RepeatTimer().OnTimer(&updown->RepeatTimer());
  }
  TXImageButtonColor* Up() { return updown->UpButton(); }
  TXImageButtonColor* Down() { return updown->DownButton(); }
  bool Repeating() { return updown->RepeatTimer().Enabled(); }

  TEventForm* form = nullptr;
  TEdit* edit = nullptr;
  TMyUpdown* updown = nullptr;
  Texts changes;
};

TEST_F(Updown, AssociationShowsMinAndPlacesTheButtonsRightOfTheEdit) {
  EXPECT_EQ(edit->Text(), L"2");
  EXPECT_TRUE(edit->ReadOnly());
  EXPECT_EQ(updown->Left(), 235);
  EXPECT_EQ(updown->Top(), 45);
  EXPECT_EQ(Up()->Name(), "XImageButtonColor2");
  EXPECT_EQ(Up()->Parent(), updown);
  EXPECT_EQ(Up()->BoundsRect(), Rect(0, 0, 15, 9));
  EXPECT_EQ(Down()->BoundsRect(), Rect(0, 10, 15, 19));
  EXPECT_EQ(updown->RepeatTimer().Interval(), 150);
  EXPECT_FALSE(Repeating());
  // The two buttons the up-down made for itself went when the layout's replaced them.
  EXPECT_EQ(updown->ComponentCount(), 1);
}

TEST_F(Updown, SinglePressesStepWithinTheLimits) {
  struct TCase {
    const wchar_t* start;
    bool up;
    const wchar_t* shown;
    bool repeats;
  };
  const TCase cases[] = {
      // Up from the top wraps to Min, never to a value below it.
      {L"999", true, L"2", false},  {L"998", true, L"999", true}, {L"500", true, L"501", true},
      {L"2", false, L"2", false},   {L"3", false, L"2", true},    {L"1", false, L"2", false},
      {L"", true, L"", false},      {L"12a", false, L"12a", false},  // not a number: no step, no error
  };
  for (const TCase& c : cases) {
    Start(c.start);
    harness::MouseDown(c.up ? Up() : Down());
    EXPECT_EQ(edit->Text(), c.shown) << c.start << (c.up ? " up" : " down");
    EXPECT_EQ(Repeating(), c.repeats) << c.start << (c.up ? " up" : " down");
    // The edit reports a change only when its text really changed.
    EXPECT_EQ(changes.size(), std::wstring(c.start) == c.shown ? 0u : 1u) << c.start;
    harness::MouseUp(c.up ? Up() : Down());
    EXPECT_FALSE(Repeating());
  }
}

TEST_F(Updown, HoldingUpFrom998WrapsToMinAndStops) {
  Start(L"998");
  bool repeatingAtTheWrap = true;
  edit->OnChange = [&](TObject*) {
    changes.push_back(edit->Text());
    if (edit->Text() == L"2") repeatingAtTheWrap = Repeating();
  };
  harness::MouseDown(Up());
  Tick();
  // The edit never shows a value past the top: 999 wraps straight to Min,
  // and the repeat is off before the change handler sees it.
  EXPECT_EQ(changes, (Texts{L"999", L"2"}));
  EXPECT_FALSE(repeatingAtTheWrap);
  // Still held: moving over the button does not start counting again.
  harness::MouseMove(Up(), 3, 3);
  EXPECT_FALSE(Repeating());
  harness::MouseUp(Up());
  EXPECT_EQ(edit->Text(), L"2");
}

TEST_F(Updown, HoldingDownFrom5StopsAtMin) {
  Start(L"5");
  harness::MouseDown(Down());
  Tick();
  EXPECT_TRUE(Repeating());
  Tick();
  EXPECT_EQ(changes, (Texts{L"4", L"3", L"2"}));
  EXPECT_FALSE(Repeating());
  harness::MouseMove(Down(), 3, 3);
  EXPECT_FALSE(Repeating());
  harness::MouseUp(Down());
}

TEST_F(Updown, DraggingOffTheHeldButtonPausesAndComingBackResumes) {
  Start(L"10");
  harness::MouseDown(Up());
  harness::MouseMove(Up(), Up()->Width() + 1, 4);  // just beyond its right edge
  EXPECT_FALSE(Repeating());
  harness::MouseMove(Up(), Up()->Width(), 4);  // on the edge counts as inside
  EXPECT_TRUE(Repeating());
  Tick();
  EXPECT_EQ(edit->Text(), L"12");
  harness::MouseMove(Up(), 4, Up()->Height() + 1);
  EXPECT_FALSE(Repeating());
  // Released off the button: nothing resumes afterwards.
  harness::MouseUp(Up(), mbLeft, 4, Up()->Height() + 1);
  harness::MouseMove(Up(), 4, 4);
  EXPECT_FALSE(Repeating());
  EXPECT_EQ(changes, (Texts{L"11", L"12"}));
}

// A box or a switch to another program takes the mouse during a hold: the
// repeat ends, and the mouse coming back over the button does not resume it.
TEST_F(Updown, LosingTheMouseEndsTheHold) {
  for (const bool cancelMode : {false, true}) {
    SCOPED_TRACE(cancelMode ? "WM_CANCELMODE" : "capture taken by another window");
    Start(L"10");
    harness::MouseDown(Up());
    ASSERT_TRUE(Repeating());
    if (cancelMode) SendMessageW(updown->Handle(), WM_CANCELMODE, 0, 0);
    else SetCapture(form->Handle());
    EXPECT_FALSE(Repeating());
    harness::MouseMove(Up(), 4, 4);
    EXPECT_FALSE(Repeating());
    ReleaseCapture();
  }
}

}  // namespace
