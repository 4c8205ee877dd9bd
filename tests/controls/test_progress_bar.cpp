// Progress bars: clamping, the skin of the list, and the painted geometry
// of the bars of the main window (631 x 16), pixel for pixel.
#include <gtest/gtest.h>

#include "controls/XProcessBar.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

constexpr TColor kTrough = 0x00E0D0C0;
constexpr TColor kBar = 0x0080C080;
constexpr TColor kRedTrough = 0x00C0C0F0;
constexpr TColor kRedBar = 0x004040C0;

struct TLook {
  TColor border, trough, bar;
};

class ProgressBar : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(FormLayout(631, 16, ""));
    list = new TXProcessBarPicList(form);
    list->Bottom(fBlue).Assign(*harness::SolidPicture(14, 14, kTrough));
    list->Bar(fBlue).Assign(*harness::SolidPicture(12, 12, kBar));
    list->Bottom(fRed).Assign(*harness::SolidPicture(14, 14, kRedTrough));
    list->Bar(fRed).Assign(*harness::SolidPicture(12, 12, kRedBar));
    bar = NewBar();
    bar->SetPicImageList(list);
  }
  void TearDown() override { form->Free(); }

  // A bar of the main window's size on the form, on top of those before it.
  TXProcessBar* NewBar() {
    auto* made = new TXProcessBar(form);
    made->SetBounds(0, 0, 631, 16);
    made->SetParent(form);
    return made;
  }

  // What a 631 x 16 bar must show: a one-pixel outline, the trough inside
  // it, the bar from x 2 filled pixels wide, and the text in black at
  // (304, 1) over its white copy at (305, 2).
  void ExpectPainted(int filled, const std::wstring& text, TLook look = {0x00F3C38F, kTrough, kBar}) {
    TBitmap expected(631, 16);
    TCanvas& canvas = expected.Canvas();
    canvas.Brush.SetColor(look.border);
    canvas.FillRect(Rect(0, 0, 631, 16));
    canvas.Brush.SetColor(look.trough);
    canvas.FillRect(Rect(1, 1, 630, 15));
    canvas.Brush.SetColor(look.bar);
    canvas.FillRect(Rect(2, 2, 2 + filled, 14));
    canvas.Brush.SetStyle(bsClear);
    canvas.Font.SetName(L"Tahoma");
    canvas.Font.SetHeight(-11);
    canvas.Font.SetColor(clWhite);
    canvas.TextOut(305, 2, text);
    canvas.Font.SetColor(clBlack);
    canvas.TextOut(304, 1, text);

    // What the screen shows, so that a change that is not repainted fails.
    auto shown = harness::CaptureScreen(form);
    int differing = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 631; ++x)
        if (harness::PixelAt(*shown, x, y) != harness::PixelAt(expected, x, y) && differing++ < 5)
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << harness::PixelAt(*shown, x, y)
                        << " instead of " << harness::PixelAt(expected, x, y);
    EXPECT_EQ(differing, 0);
  }

  TEventForm* form = nullptr;
  TXProcessBarPicList* list = nullptr;
  TXProcessBar* bar = nullptr;
};

TEST_F(ProgressBar, HalfwayFills313PixelsAndWritesTheTextFromAFixedPlace) {
  bar->SetPosition(50);
  ExpectPainted(313, L"50%");
}

TEST_F(ProgressBar, PositionIsClampedToZeroAndMax) {
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 100);
  ExpectPainted(627, L"100%");
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 0);
  ExpectPainted(0, L"0%");
}

TEST_F(ProgressBar, ALowerMaxKeepsThePositionAndTheBarStopsAtItsEnd) {
  bar->SetPosition(80);
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 80);
  ExpectPainted(627, L"160%");
}

TEST_F(ProgressBar, LargeValuesDoNotOverflow) {
  bar->SetMax(2000000000);
  bar->SetPosition(1000000000);
  ExpectPainted(313, L"50%");
}

TEST_F(ProgressBar, AMaxThatIsNotPositiveShowsAnEmptyBar) {
  bar->SetPosition(60);
  bar->SetMax(0);
  ExpectPainted(0, L"0%");
  bar->SetMax(-10);
  ExpectPainted(0, L"0%");
}

TEST_F(ProgressBar, TheSkinColourTakesEffectWithTheList) {
  bar->SetPosition(50);
  bar->SetSkinColor(fRed);
  ExpectPainted(313, L"50%", {0x00A8A8F4, kRedTrough, kRedBar});

  // A new bar without a list only stores the colour: the default outline
  // around a white inside.
  bar = NewBar();
  bar->SetPosition(50);
  bar->SetSkinColor(fRed);
  ExpectPainted(0, L"50%", {0x00F3C38F, clWhite, clWhite});
  bar->SetPicImageList(list);
  ExpectPainted(313, L"50%", {0x00A8A8F4, kRedTrough, kRedBar});
}

}  // namespace
