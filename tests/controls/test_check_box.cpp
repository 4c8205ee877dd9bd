// Check boxes: radio and plain clicks as real mouse messages, the picture
// of each state over the parent's background, and the width that follows
// the caption.
#include <gtest/gtest.h>

#include "controls/XCheckBox.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

const std::string kBoxLayout = FormLayout(300, 120, R"(  Color = clYellow
  object Boxes: TXCheckBoxPicList
  end
  object Back: TShape
    Left = 10
    Top = 10
    Width = 250
    Height = 30
    Brush.Color = clAqua
    Pen.Style = psClear
  end
  object Radio: TXCheckBox
    Left = 10
    Top = 10
    Height = 17
    Caption = 'Specify number of blocks:'
    RadioButton = True
    PicImageList = Boxes
    Onclick = ItemClick
  end
  object Plain: TXCheckBox
    Left = 10
    Top = 60
    Height = 17
    Caption = 'Plain'
    Status = csChecked
    PicImageList = Boxes
    doublebuffered = True
    autosize = True
    Onclick = ItemClick
  end
)");

// A distinct colour for each picture of the list: red for the status,
// green for the state.
TColor ColourOf(TXCheckBoxStatus status, TButtonState state) {
  return (0x40 + 0x40 * status) | (0x40 + 0x30 * static_cast<int>(state)) << 8;
}

class CheckBox : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kBoxLayout);
    auto* list = harness::Find<TXCheckBoxPicList>(form, "Boxes");
    // Checked and unchecked pictures as in the main window; no grayed ones.
    for (TXCheckBoxStatus status : {csChecked, csUnChecked})
      for (TButtonState state : {TButtonState::Normal, TButtonState::MouseOn, TButtonState::Disabled})
        list->Picture(status, state).Assign(*harness::SolidPicture(9, 9, ColourOf(status, state)));
    radio = harness::Find<TXCheckBox>(form, "Radio");
    plain = harness::Find<TXCheckBox>(form, "Plain");
    radio->SetPicImageList(list);
    plain->SetPicImageList(list);
    form->Take();
  }
  void TearDown() override { form->Free(); }

  // The pixel the screen shows at a point of the box.
  TColor Pixel(TXCheckBox* box, int x, int y) {
    return harness::PixelAt(*harness::CaptureScreen(form), box->Left() + x, box->Top() + y);
  }
  // The 9 x 9 picture is drawn centred in a 14 x 14 box, at (2, 2).
  TColor BoxColour(TXCheckBox* box) { return Pixel(box, 6, 6); }

  TEventForm* form = nullptr;
  TXCheckBox* radio = nullptr;
  TXCheckBox* plain = nullptr;
};

TEST_F(CheckBox, ARadioButtonChecksItselfOnceAndThenIgnoresClicks) {
  EXPECT_EQ(radio->Status(), csUnChecked);
  harness::Click(radio);
  EXPECT_EQ(radio->Status(), csChecked);
  EXPECT_EQ(form->Take(), Log{"click Radio"});
  EXPECT_EQ(BoxColour(radio), ColourOf(csChecked, TButtonState::MouseOn));

  harness::Click(radio);
  EXPECT_EQ(radio->Status(), csChecked);
  EXPECT_TRUE(form->Take().empty());

  radio->SetStatus(csGrayed);
  harness::Click(radio);
  EXPECT_EQ(radio->Status(), csChecked);
  EXPECT_EQ(form->Take(), Log{"click Radio"});
}

TEST_F(CheckBox, APlainBoxTogglesOnEveryClick) {
  harness::Click(plain);
  EXPECT_EQ(plain->Status(), csUnChecked);
  harness::Click(plain);
  EXPECT_EQ(plain->Status(), csChecked);
  EXPECT_EQ(form->Take(), (Log{"click Plain", "click Plain"}));
}

TEST_F(CheckBox, EachStateHasItsPictureOverTheParentsBackground) {
  EXPECT_EQ(BoxColour(plain), ColourOf(csChecked, TButtonState::Normal));
  EXPECT_EQ(BoxColour(radio), ColourOf(csUnChecked, TButtonState::Normal));
  // Around the picture the form and the shape behind the box show through.
  EXPECT_EQ(Pixel(plain, 0, 0), clYellow);
  EXPECT_EQ(Pixel(radio, 0, 0), clAqua);

  harness::MouseMove(plain);
  EXPECT_EQ(BoxColour(plain), ColourOf(csChecked, TButtonState::MouseOn));
  harness::MoveAway(plain);
  EXPECT_EQ(BoxColour(plain), ColourOf(csChecked, TButtonState::Normal));

  // The list has no grayed pictures: only the caption is drawn.
  plain->SetStatus(csGrayed);
  EXPECT_EQ(BoxColour(plain), clYellow);
}

TEST_F(CheckBox, ADisabledBoxShowsItsDisabledPictureAndIgnoresTheMouse) {
  plain->SetEnabled(false);
  EXPECT_EQ(BoxColour(plain), ColourOf(csChecked, TButtonState::Disabled));
  harness::Click(plain);
  EXPECT_EQ(plain->Status(), csChecked);
  EXPECT_TRUE(form->Take().empty());
  EXPECT_EQ(BoxColour(plain), ColourOf(csChecked, TButtonState::Disabled));
  EXPECT_EQ(plain->Cursor(), crDefault);

  plain->SetEnabled(true);
  harness::MoveAway(plain);
  harness::MouseMove(plain);
  EXPECT_EQ(plain->Cursor(), crHandPoint);
  EXPECT_EQ(BoxColour(plain), ColourOf(csChecked, TButtonState::MouseOn));
}

TEST_F(CheckBox, TheCaptionStartsFourPixelsRightOfTheBox) {
  // The caption's glyphs drawn alone at (0, 0), and where the box shows them.
  TBitmap alone(200, 30);
  alone.Canvas().Brush.SetColor(clYellow);
  alone.Canvas().FillRect(Rect(0, 0, 200, 30));
  alone.Canvas().Font.Assign(plain->Font());
  alone.Canvas().Brush.SetStyle(bsClear);
  alone.Canvas().TextOut(0, 0, L"Plain");
  const TRect glyphs = harness::InkBox(alone, clYellow, Rect(0, 0, 200, 30));
  const int height = alone.Canvas().TextHeight(L"Plain");

  const TRect shown = harness::InkBox(*harness::CaptureScreen(form), clYellow,
                                      Bounds(plain->Left() + 14, plain->Top(), plain->Width() - 14, 17));
  // Box 14 wide plus a gap of 4; centred on a row of max(text height, 14).
  const int x = plain->Left() + 18, y = plain->Top() + (std::max(height, 14) - height) / 2;
  EXPECT_EQ(shown, (TRect{glyphs.Left + x, glyphs.Top + y, glyphs.Right + x, glyphs.Bottom + y}));
}

TEST_F(CheckBox, TheWidthFollowsCaptionAndFontAtTheNextPaintAndTheHeightStays) {
  auto textWidth = [](const TFont& font, const std::wstring& text) {
    TBitmap measure(1, 1);
    measure.Canvas().Font.Assign(font);
    return measure.Canvas().TextWidth(text);
  };
  // Box 14 wide (the 9 x 9 picture is smaller), a 4-pixel gap, the caption.
  EXPECT_EQ(plain->Width(), 14 + 4 + textWidth(plain->Font(), L"Plain"));

  plain->SetCaption(L"Specify block size:");
  EXPECT_EQ(plain->Width(), 18 + textWidth(plain->Font(), L"Specify block size:"));
  plain->SetCaptionLeft(5);
  EXPECT_EQ(plain->Width(), 23 + textWidth(plain->Font(), L"Specify block size:"));
  plain->Font().SetHeight(-14);
  EXPECT_EQ(plain->Width(), 23 + textWidth(plain->Font(), L"Specify block size:"));
  EXPECT_EQ(plain->Height(), 17);

  plain->SetAutoSize(false);
  const int width = plain->Width();
  plain->SetCaption(L"A much longer caption than before");
  EXPECT_EQ(plain->Width(), width);
}

}  // namespace
