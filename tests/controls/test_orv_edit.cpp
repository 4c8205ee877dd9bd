// The edits' picture list and the skinned edit: every colour of the list
// from a stored layout, the resource form's set, and the edit's two-pixel
// frame on the screen in each style, enabled and disabled.
#include <gtest/gtest.h>

#include <sstream>

#include "controls/OrvVclEdit.h"
#include "tests/controls/InputControls.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

// The colour entries' names in the layouts, in the order of TPopupColor.
const char* const kColourNames[] = {"BorderColor",      "Color",          "FontColor",           "BarColor",
                                    "BarToColor",       "SeparatorColor", "SelectedBorderColor", "SelectedColor",
                                    "SelectedFontColor"};

// A distinct colour for every entry of every style.
TColor ColourOf(TPopupColor which, int style) { return 0x100000 * style + 0x101 * (which + 1); }

TEST(PopupMenuPicList, EveryEntryIsReadFromALayoutAndTheResourceFormHasItsSet) {
  std::ostringstream layout;
  layout << "object Form1: TEventForm\n  object Colours: TOrvVclPopupMenuPicList\n";
  for (int style = 1; style <= 5; ++style) {
    layout << "    Pic" << style << " = 'skins/common/sort_up.png'\n";
    for (int which = 0; which < PopupColorCount; ++which)
      layout << "    " << kColourNames[which] << style << " = " << ColourOf(TPopupColor(which), style) << "\n";
  }
  layout << "  end\nend\n";
  TEventForm* form = MakeForm(layout.str(), false);
  auto* list = harness::Find<TOrvVclPopupMenuPicList>(form, "Colours");
  for (int style = 1; style <= 5; ++style) {
    EXPECT_FALSE(list->Pic(style).Empty());
    for (int which = 0; which < PopupColorCount; ++which)
      EXPECT_EQ(list->Colors(TPopupColor(which), style), ColourOf(TPopupColor(which), style))
          << kColourNames[which] << style;
  }
  form->Free();

  auto* shipped = harness::Find<TOrvVclPopupMenuPicList>(SkinLists(), "OrvVclPopupMenuPicList1");
  for (int style = 1; style <= 5; ++style) {
    EXPECT_EQ(shipped->BorderColor(style), TColor{9737364});
    EXPECT_EQ(shipped->Color(style), clWhite);
    EXPECT_EQ(shipped->FontColor(style), TColor{3355443});
    EXPECT_EQ(shipped->Colors(pcSelectedColor, style), clBlack);  // untouched entries keep black
    EXPECT_TRUE(shipped->Pic(style).Empty());
  }
}

const std::string kEditLayout = FormLayout(300, 80, R"(  Color = clWhite
  object Colours: TOrvVclPopupMenuPicList
    BorderColor1 = $000000C0
    Color1 = $00E0FFFF
    FontColor1 = $00008000
    BorderColor3 = $00C00000
    Color3 = $00FFE0E0
    FontColor3 = $00000080
  end
  object Source_E: TOrvVclEdit
    Left = 10
    Top = 10
    Width = 200
    Height = 19
    Text = 'C:\data\film.avi'
    PicList = Colours
  end
  object block_edt: TOrvVclEdit
    Left = 10
    Top = 40
    Width = 200
    Height = 19
    Text = '2'
    Enabled = False
    Color = $00F0F0F0
    PicList = Colours
    Picstyle = 3
  end
)");

class Edit : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kEditLayout);
    source = harness::Find<TOrvVclEdit>(form, "Source_E");
    block = harness::Find<TOrvVclEdit>(form, "block_edt");
  }
  void TearDown() override { form->Free(); }

  // The outer and inner frame pixels of the edit's window at the middle of
  // its top edge, and a pixel of its empty client area.
  struct TFrame {
    TColor outer, inner, inside;
  };
  TFrame OnScreen(TOrvVclEdit* edit) {
    const HWND wnd = edit->Handle();
    const int x = edit->Width() - 4;
    return {WindowPixel(wnd, x, 0, true), WindowPixel(wnd, x, 1, true), WindowPixel(wnd, x, 3, true)};
  }

  TEventForm* form = nullptr;
  TOrvVclEdit* source = nullptr;
  TOrvVclEdit* block = nullptr;
};

TEST_F(Edit, FramesFollowTheStyleAndASwitchShowsAtOnce) {
  EXPECT_EQ(source->BorderStyle(), bsNone);
  EXPECT_EQ(source->BorderWidth(), 2);
  EXPECT_EQ(source->ClientRect(), Rect(0, 0, 196, 15));
  TFrame frame = OnScreen(source);
  EXPECT_EQ(frame.outer, TColor{0x0000C0});
  EXPECT_EQ(frame.inner, TColor{0xE0FFFF});
  EXPECT_EQ(frame.inside, TColor{0xE0FFFF});
  EXPECT_EQ(source->Font().Color(), TColor{0x008000});

  source->SetPicstyle(3);
  frame = OnScreen(source);
  EXPECT_EQ(frame.outer, TColor{0xC00000});
  EXPECT_EQ(frame.inner, TColor{0xFFE0E0});
  EXPECT_EQ(frame.inside, TColor{0xFFE0E0});
  // Styles outside 1..5 are ignored.
  source->SetPicstyle(0);
  source->SetPicstyle(6);
  EXPECT_EQ(source->Picstyle(), 3);
}

TEST_F(Edit, ADisabledEditHasASilverFrameWhateverItsStyle) {
  TFrame frame = OnScreen(block);
  EXPECT_EQ(frame.outer, clSilver);
  EXPECT_EQ(frame.inner, TColor{0xF0F0F0});
  block->SetEnabled(true);
  EXPECT_EQ(OnScreen(block).outer, TColor{0xC00000});
  source->SetEnabled(false);
  EXPECT_EQ(OnScreen(source).outer, clSilver);
}

}  // namespace
