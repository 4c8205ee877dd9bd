// The gallery: every button list of the resource form in every skin colour
// and state, the progress bars at 0, 50 and 100 in each colour, and the
// check box in each state and mode, on one form read from a layout; its
// picture is saved as build/screens/gallery.png for review.
#include <gtest/gtest.h>

#include <sstream>

#include "controls/XCheckBox.h"
#include "controls/XImageButtonColor.h"
#include "controls/XProcessBar.h"
#include "tests/controls/SkinLists.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

struct TListShown {
  const char* Name;
  int Width, Height;  // as the buttons of the main window have them
  const char* Caption;
  bool OnSkinColour;  // caption bar and tabs lie on the window colour, the rest on the white page
};

const TListShown kLists[] = {
    {"imgListMin", 25, 17, "", true},
    {"imgListMax", 25, 18, "", true},
    {"imgListRestore", 25, 18, "", true},
    {"imgListClose", 43, 17, "", true},
    {"imgListLanguage", 25, 17, "", true},
    {"XImageButtonPicList3", 25, 17, "", true},
    {"XImageButtonPicList4", 25, 17, "", true},
    {"imgListTab", 128, 31, "Split File", true},
    {"XImageButtonPicList5", 114, 33, "Split", false},
    {"imgListOK", 75, 23, "OK", false},
    {"XImageButtonPicList1", 41, 19, "", false},
    {"XImageButtonPicList6", 31, 21, "", false},
    {"XImageButtonPicList7", 31, 21, "", false},
    {"XImageButtonPicList9", 15, 9, "", false},
    {"XImageButtonPicList8", 15, 9, "", false},
    {"XImageButtonPicList2", 17, 15, "", false},
};

struct TSkinShown {
  TButtonColor Color;
  const char* Name;
  const char* FormColour;
};

const TSkinShown kSkins[] = {{fBlue, "Blue", "$00D58B3A"},
                             {fGreen, "Green", "$003FAA3A"},
                             {fBlack, "Black", "$00252525"},
                             {fYellow, "Yellow", "$003A89E7"},
                             {fRed, "Red", "$003A3ACC"}};

const TButtonState kStates[] = {TButtonState::Normal, TButtonState::MouseOn, TButtonState::MouseDown,
                                TButtonState::Disabled};

constexpr int kWidth = 1240;
constexpr int kStripHeight = 78;   // caption-bar buttons and tabs on the window colour
constexpr int kPageHeight = 104;   // page buttons and bars on white
constexpr int kBoxesHeight = 70;

std::string ButtonName(int list, int skin, int state) {
  std::ostringstream name;
  name << 'b' << list << '_' << skin << '_' << state;
  return name.str();
}

// Flows the lists of one background across a panel: each list as its four
// states side by side, groups 14 pixels apart, rows as high as the tallest.
std::string ListButtons(int skin, bool onSkinColour, int width) {
  std::ostringstream out;
  int x = 8, y = 8, rowHeight = 0;
  for (int list = 0; list < static_cast<int>(std::size(kLists)); ++list) {
    const TListShown& shown = kLists[list];
    if (shown.OnSkinColour != onSkinColour) continue;
    const int groupWidth = 4 * (shown.Width + 4);
    if (x + groupWidth > width) {
      x = 8;
      y += rowHeight + 6;
      rowHeight = 0;
    }
    for (int state = 0; state < 4; ++state) {
      out << "    object " << ButtonName(list, skin, state) << ": TXImageButtonColor\n"
          << "      Left = " << x + state * (shown.Width + 4) << "\n      Top = " << y << "\n"
          << "      Width = " << shown.Width << "\n      Height = " << shown.Height << "\n";
      if (shown.Width == 114) out << "      NeedStretch = True\n";
      if (*shown.Caption) {
        out << "      Caption = '" << shown.Caption << "'\n      CaptionAlign = taCenter\n"
            << "      CaptionLeft = 0\n      CaptionTop = " << (shown.Width == 128 ? 2 : 0) << "\n";
        if (shown.Width == 128) out << "      Font.Color = clWhite\n";
      }
      out << "      PicImageList = frmResource." << shown.Name << "\n    end\n";
    }
    x += groupWidth + 14;
    rowHeight = std::max(rowHeight, shown.Height);
  }
  return out.str();
}

std::string ProgressBars(int skin) {
  std::ostringstream out;
  const int positions[] = {0, 50, 100};
  for (int i = 0; i < 3; ++i)
    out << "    object bar" << skin << "_" << i << ": TXProcessBar\n"
        << "      Left = " << 8 + i * 410 << "\n      Top = 80\n      Width = 400\n      Height = 16\n"
        << "      SkinColor = f" << kSkins[skin].Name << "\n      Position = " << positions[i] << "\n"
        << "      PicImageList = frmResource.XProcessBarPicList1\n    end\n";
  return out.str();
}

// Checked, unchecked and grayed, enabled and disabled, radio and plain.
std::string CheckBoxes() {
  std::ostringstream out;
  const char* statuses[] = {"csChecked", "csUnChecked", "csGrayed"};
  int n = 0;
  for (const char* status : statuses)
    for (bool enabled : {true, false})
      for (bool radio : {true, false}) {
        out << "    object box" << n << ": TXCheckBox\n"
            << "      Left = " << 8 + (n % 6) * 200 << "\n      Top = " << 8 + (n / 6) * 24 << "\n"
            << "      Height = 17\n      Caption = '" << status + 2 << (enabled ? "" : ", disabled")
            << (radio ? ", radio" : ", plain") << "'\n"
            << "      Status = " << status << "\n      Enabled = " << (enabled ? "True" : "False") << "\n"
            << "      RadioButton = " << (radio ? "True" : "False") << "\n"
            << "      PicImageList = frmResource.XCheckBoxPicList1\n    end\n";
        ++n;
      }
  return out.str();
}

std::string GalleryLayout() {
  std::ostringstream out;
  const int height = 5 * (kStripHeight + kPageHeight) + kBoxesHeight;
  out << "  Color = clWhite\n";
  for (int skin = 0; skin < 5; ++skin) {
    const int top = skin * (kStripHeight + kPageHeight);
    out << "  object strip" << skin << ": TPanel\n    Left = 0\n    Top = " << top << "\n    Width = " << kWidth
        << "\n    Height = " << kStripHeight << "\n    BevelOuter = bvNone\n    Color = " << kSkins[skin].FormColour
        << "\n" << ListButtons(skin, true, kWidth) << "  end\n";
    out << "  object page" << skin << ": TPanel\n    Left = 0\n    Top = " << top + kStripHeight << "\n    Width = "
        << kWidth << "\n    Height = " << kPageHeight << "\n    BevelOuter = bvNone\n    Color = clWhite\n"
        << ListButtons(skin, false, kWidth) << ProgressBars(skin) << "  end\n";
  }
  out << "  object boxes: TPanel\n    Left = 0\n    Top = " << height - kBoxesHeight << "\n    Width = " << kWidth
      << "\n    Height = " << kBoxesHeight << "\n    BevelOuter = bvNone\n    Color = clWhite\n"
      << CheckBoxes() << "  end\n";
  return FormLayout(kWidth, height, out.str());
}

TEST(Gallery, EveryListInEveryColourAndStateIsShownAndSaved) {
  SkinLists();
  TEventForm* form = MakeForm(GalleryLayout());
  for (int list = 0; list < static_cast<int>(std::size(kLists)); ++list)
    for (int skin = 0; skin < 5; ++skin)
      for (int state = 0; state < 4; ++state) {
        auto* button = harness::Find<TXImageButtonColor>(form, ButtonName(list, skin, state));
        button->SetButtonColor(kSkins[skin].Color);
        switch (kStates[state]) {
          case TButtonState::MouseOn: button->DrawState(TButtonState::MouseOn); break;
          case TButtonState::MouseDown: button->DrawState(TButtonState::MouseDown, true); break;
          case TButtonState::Disabled: button->SetEnabled(false); break;
          case TButtonState::Normal: break;
        }
        // A button shows a picture exactly when its list has a normal one in its colour.
        const bool listHasColour =
            !button->PicImageList()->Picture(kSkins[skin].Color, TButtonState::Normal).Empty();
        EXPECT_EQ(!button->Picture().Empty(), listHasColour) << button->Name() << " of " << kLists[list].Name;
        EXPECT_EQ(button->Width(), kLists[list].Width) << button->Name();
      }
  // The first box with the mouse over it.
  harness::MouseMove(harness::Find(form, "box0"));
  harness::Pump();
  auto shot = harness::Render(form);
  const std::wstring path = harness::SaveScreenshot(*shot, L"gallery");
  EXPECT_FALSE(path.empty());
  harness::ParkMouse();
  form->Free();
}

}  // namespace
