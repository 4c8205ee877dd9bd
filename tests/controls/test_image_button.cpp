// Image buttons: blending and stretching on bytes, the picture each state
// composes, caption placement, fading, and the mouse as real messages.
#include <gtest/gtest.h>

#include <vector>

#include "controls/XImageButton.h"
#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

namespace {

constexpr TColor kNormal = 0x0000C0;
constexpr TColor kMouseOn = 0x00C000;
constexpr TColor kMouseDown = 0xC00000;
constexpr TColor kDisabled = 0x808080;
constexpr TColor kSmall = 0x00FFFF;
constexpr TColor kSmallDisabled = 0xFF00FF;

// A PNG whose colour bytes (B, G, R per pixel) and alpha bytes are given row after row.
std::unique_ptr<TPngImage> Png(int width, int height, const std::vector<uint8_t>& colour,
                               const std::vector<uint8_t>& alpha) {
  auto png = std::make_unique<TPngImage>();
  png->CreateBlank(alpha.empty() ? COLOR_RGB : COLOR_RGBALPHA, 8, width, height);
  for (int y = 0; y < height; ++y) {
    for (int i = 0; i < 3 * width; ++i) png->Scanline(y)[i] = colour[3 * width * y + i];
    for (int x = 0; x < width && !alpha.empty(); ++x) png->AlphaScanline(y)[x] = alpha[width * y + x];
  }
  return png;
}

std::vector<uint8_t> ColourBytes(const TPngImage& png, int y) {
  return {png.Scanline(y), png.Scanline(y) + 3 * png.Width()};
}

std::vector<uint8_t> AlphaBytes(const TPngImage& png, int y) {
  return {png.AlphaScanline(y), png.AlphaScanline(y) + png.Width()};
}

TRect Offset(TRect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

const TPngImage& Shown(TXImageButton* button) {
  const auto* png = button->Picture().GraphicAs<TPngImage>();
  if (!png) throw std::runtime_error(button->Name() + " shows no PNG picture");
  return *png;
}

// The four state pictures, 40 x 20, each of its own colour.
void SetStatePictures(TXImageButton* button) {
  button->SetPicNormal(harness::SolidPicture(40, 20, kNormal).get());
  button->SetPicMouseOn(harness::SolidPicture(40, 20, kMouseOn).get());
  button->SetPicMouseDown(harness::SolidPicture(40, 20, kMouseDown).get());
  button->SetPicDisabled(harness::SolidPicture(40, 20, kDisabled).get());
}

// ---------------------------------------------------------------- pixels

TEST(BlendInto, MixesEveryColourAndAlphaByteWithSeparatelyTruncatedProducts) {
  auto from = Png(2, 1, {0, 100, 255, 10, 20, 30}, {255, 0});
  auto to = Png(2, 1, {255, 200, 0, 90, 80, 70}, {0, 255});
  auto target = Png(2, 1, {1, 1, 1, 1, 1, 1}, {1, 1});

  BlendInto(*target, *from, *to, 2, 1, 0);
  EXPECT_EQ(ColourBytes(*target, 0), ColourBytes(*from, 0));
  EXPECT_EQ(AlphaBytes(*target, 0), AlphaBytes(*from, 0));

  // 127 * p / 255 + 128 * n / 255: (20, 80) gives 9 + 40, not (2540 + 10240) / 255 = 50.
  BlendInto(*target, *from, *to, 2, 1, 128);
  EXPECT_EQ(ColourBytes(*target, 0), (std::vector<uint8_t>{128, 149, 127, 49, 49, 49}));
  EXPECT_EQ(AlphaBytes(*target, 0), (std::vector<uint8_t>{127, 128}));

  BlendInto(*target, *from, *to, 2, 1, 255);
  EXPECT_EQ(ColourBytes(*target, 0), ColourBytes(*to, 0));
  EXPECT_EQ(AlphaBytes(*target, 0), AlphaBytes(*to, 0));
}

TEST(BlendInto, StopsQuietlyWhereAPictureEnds) {
  // The new picture has one row and one column; the old one has no alpha.
  auto from = Png(2, 2, std::vector<uint8_t>(12, 0), {});
  auto to = Png(1, 1, {200, 200, 200}, {50});
  auto target = Png(2, 2, std::vector<uint8_t>(12, 7), {9, 9, 9, 9});
  BlendInto(*target, *from, *to, 2, 2, 255);
  EXPECT_EQ(ColourBytes(*target, 0), (std::vector<uint8_t>{200, 200, 200, 7, 7, 7}));
  EXPECT_EQ(ColourBytes(*target, 1), std::vector<uint8_t>(6, 7));
  EXPECT_EQ(AlphaBytes(*target, 0), (std::vector<uint8_t>{9, 9}));

  TPngImage empty;
  BlendInto(empty, *from, *to, 2, 2, 255);
  EXPECT_TRUE(empty.Empty());
}

// Column x of the source: colour bytes (x, 7, 255 - x), alpha x; two rows.
std::unique_ptr<TPngImage> Columns(int width) {
  std::vector<uint8_t> colour, alpha;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < width; ++x) {
      colour.insert(colour.end(), {static_cast<uint8_t>(x), 7, static_cast<uint8_t>(255 - x)});
      alpha.push_back(static_cast<uint8_t>(x));
    }
  return Png(width, 2, colour, alpha);
}

void ExpectColumns(const TPngImage& png, const std::vector<int>& sourceColumns) {
  ASSERT_EQ(png.Width(), static_cast<int>(sourceColumns.size()));
  ASSERT_EQ(png.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < png.Width(); ++x) {
      const int s = sourceColumns[x];
      EXPECT_EQ(png.Scanline(y)[3 * x], s) << "column " << x;
      EXPECT_EQ(png.Scanline(y)[3 * x + 2], 255 - s) << "column " << x;
      EXPECT_EQ(png.AlphaScanline(y)[x], s) << "column " << x;
    }
}

TEST(StretchCaps, KeepsTheQuarterCapsAndRepeatsTheFirstMiddleColumn) {
  // The large buttons: a 101-pixel picture on a 114-pixel button.
  std::vector<int> expected;
  for (int x = 0; x < 114; ++x) expected.push_back(x < 25 ? x : x <= 88 ? 25 : x - 13);
  ExpectColumns(*StretchCaps(*Columns(101), 114, 25, 25), expected);
}

TEST(StretchCaps, NarrowerThanBothCapsKeepsTheRightCapWhole) {
  std::vector<int> expected;
  for (int x = 0; x < 30; ++x) expected.push_back(x < 5 ? x : x + 71);
  ExpectColumns(*StretchCaps(*Columns(101), 30, 25, 25), expected);
}

// ---------------------------------------------------------------- composing

class ImageButton : public ::testing::Test {
 protected:
  void SetUp() override {
    harness::InitGui();
    button = new TXImageButton(&owner);
    SetStatePictures(button);
  }

  TColor ShownAt(int x, int y) { return harness::PngPixel(Shown(button), x, y); }

  TComponent owner{nullptr};
  TXImageButton* button = nullptr;
};

TEST_F(ImageButton, EachStateShowsItsPictureAndEmptySlotsShowTheNormalOne) {
  button->DrawState(TButtonState::Normal);
  EXPECT_EQ(ShownAt(5, 5), kNormal);
  button->DrawState(TButtonState::MouseOn);
  EXPECT_EQ(ShownAt(5, 5), kMouseOn);
  button->DrawState(TButtonState::MouseDown, true);
  EXPECT_EQ(ShownAt(5, 5), kMouseDown);

  button->SetPicMouseOn(nullptr);
  button->SetPicMouseDown(nullptr);
  button->DrawState(TButtonState::MouseOn);
  EXPECT_EQ(ShownAt(5, 5), kNormal);
  button->DrawState(TButtonState::MouseDown, true);
  EXPECT_EQ(ShownAt(5, 5), kNormal);
}

TEST_F(ImageButton, ADisabledButtonShowsItsDisabledPictureOrTheBareNormalOne) {
  button->SetPicSmallNormal(harness::SolidPicture(4, 4, kSmall).get());
  button->SetPicSmallDisabled(harness::SolidPicture(4, 4, kSmallDisabled).get());
  button->SetCaption(L"Go");
  button->SetEnabled(false);
  button->DrawState(TButtonState::MouseOn);
  EXPECT_EQ(ShownAt(5, 5), kDisabled);
  EXPECT_EQ(ShownAt(10, 7), kSmallDisabled);

  button->SetPicDisabled(nullptr);
  EXPECT_TRUE(harness::SamePixels(Shown(button), *button->PicNormal().GraphicAs<TPngImage>()));
}

TEST_F(ImageButton, TheSmallIconMovesOnePixelWhenPressed) {
  button->SetPicSmallNormal(harness::SolidPicture(4, 4, kSmall).get());
  EXPECT_EQ(ShownAt(10, 7), kSmall);
  EXPECT_EQ(ShownAt(13, 10), kSmall);
  EXPECT_EQ(ShownAt(14, 11), kNormal);

  button->DrawState(TButtonState::MouseDown, true);
  EXPECT_EQ(ShownAt(10, 7), kMouseDown);
  EXPECT_EQ(ShownAt(11, 8), kSmall);
  EXPECT_EQ(ShownAt(14, 11), kSmall);
}

TEST_F(ImageButton, WithoutANormalPictureItShowsNothing) {
  button->SetPicNormal(nullptr);
  button->DrawState(TButtonState::MouseOn);
  EXPECT_TRUE(button->Picture().Empty());
}

// The caption "Split File" on a white 128 x 31 picture, as the tab buttons have it.
class CaptionPlacement : public ImageButton {
 protected:
  void SetUp() override {
    ImageButton::SetUp();
    button->SetPicNormal(harness::SolidPicture(128, 31, clWhite).get());
    button->SetPicMouseDown(nullptr);
    button->SetCaption(L"Split File");
    // Where the glyphs of the caption lie when it is drawn at (0, 0).
    TBitmap reference(128, 31);
    TCanvas& canvas = reference.Canvas();
    canvas.Brush.SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 128, 31));
    canvas.Font.Assign(button->Font());
    canvas.Brush.SetStyle(bsClear);
    canvas.TextOut(0, 0, L"Split File");
    extent = canvas.TextExtent(L"Split File");
    glyphs = harness::InkBox(reference, clWhite, Rect(0, 0, 128, 31));
  }

  // The glyphs of the caption the button shows.
  TRect ShownGlyphs() {
    TBitmap shown;
    shown.Assign(Shown(button));
    return harness::InkBox(shown, clWhite, Rect(0, 0, 128, 31));
  }

  // The caption's glyphs are where they are when drawn at (x, y), unpressed and pressed.
  void ExpectCaptionAt(int x, int y, int pressedX, int pressedY) {
    button->DrawState(TButtonState::Normal);
    EXPECT_EQ(ShownGlyphs(), Offset(glyphs, x, y));
    button->DrawState(TButtonState::MouseDown, true);
    EXPECT_EQ(ShownGlyphs(), Offset(glyphs, pressedX, pressedY));
  }

  SIZE extent{};
  TRect glyphs;
};

TEST_F(CaptionPlacement, CustomIsAtCaptionLeftAndTopAndMovesWhenPressed) {
  button->SetCaptionLeft(40);
  button->SetCaptionTop(8);
  ExpectCaptionAt(40, 8, 41, 9);
}

TEST_F(CaptionPlacement, AlignedCaptionsAreOffsetByCaptionLeftAndTopAndStayWhenPressed) {
  const int y = (31 - extent.cy) / 2;
  button->SetCaptionLeft(3);
  button->SetCaptionTop(2);
  button->SetCaptionAlign(TTextAlign::taLeft);
  ExpectCaptionAt(1 + 3, y + 2, 1 + 3, y + 2);

  button->SetCaptionLeft(0);
  button->SetCaptionAlign(TTextAlign::taCenter);
  const int centre = (128 - extent.cx) / 2;
  ExpectCaptionAt(centre, y + 2, centre, y + 2);

  button->SetCaptionLeft(-3);
  button->SetCaptionTop(-1);
  button->SetCaptionAlign(TTextAlign::taRight);
  const int right = 128 - 1 - extent.cx;
  ExpectCaptionAt(right - 3, y - 1, right - 3, y - 1);
}

TEST_F(ImageButton, NeedStretchStretchesEveryStatePictureWhenTheBoundsChange) {
  TPicture large;
  large.LoadFromResource(L"skins/blue/button_large_normal.png");
  button->SetPicNormal(&large);
  button->SetNeedStretch(true);
  // As wide as the picture: the picture, whose middle is even, stays as it is.
  button->SetLeft(5);
  EXPECT_TRUE(harness::SamePixels(*button->PicNormal().GraphicAs<TPngImage>(), *large.GraphicAs<TPngImage>()));

  button->SetWidth(114);
  EXPECT_EQ(button->Width(), 114);
  EXPECT_TRUE(harness::SamePixels(*button->PicNormal().GraphicAs<TPngImage>(),
                                  *StretchCaps(*large.GraphicAs<TPngImage>(), 114, 25, 25)));
  for (TPicture* state : {&button->PicMouseOn(), &button->PicMouseDown(), &button->PicDisabled()})
    EXPECT_EQ(state->Width(), 114);
  EXPECT_EQ(Shown(button).Width(), 114);
}

// ---------------------------------------------------------------- on a form

const std::string kButtonLayout = FormLayout(200, 100, R"(  Color = clWhite
  object Button1: TXImageButton
    Left = 20
    Top = 20
    OnClick = ItemClick
    OnMouseDown = ItemDown
    OnMouseUp = ItemUp
    OnMouseEnter = ItemEnter
    OnMouseLeave = ItemLeave
  end
)");

class ButtonOnForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kButtonLayout);
    button = harness::Find<TXImageButton>(form, "Button1");
  }
  void TearDown() override { form->Free(); }

  TEventForm* form = nullptr;
  TXImageButton* button = nullptr;
};

// Fading: the blue byte of a pixel fading from black to white is the alpha
// of the step, recorded at each paint of the form.
class Fading : public ButtonOnForm {
 protected:
  void SetUp() override {
    ButtonOnForm::SetUp();
    button->SetPicNormal(harness::SolidPicture(40, 20, clBlack).get());
    button->SetPicMouseOn(harness::SolidPicture(40, 20, clWhite).get());
    harness::Pump();
    form->OnPaint = [this](TObject*) { steps.push_back(Shown(button).Scanline(0)[0]); };
  }

  std::vector<int> Fade(int stepAlpha, int count) {
    std::vector<int> alphas;
    for (int i = 0; i < count; ++i) alphas.push_back(std::min(i * stepAlpha, 255));
    return alphas;
  }

  std::vector<int> steps;
};

TEST_F(Fading, NothingFadesBeforeTheFirstMouseEntry) {
  button->DrawState(TButtonState::MouseOn);
  EXPECT_EQ(steps, std::vector<int>{255});
}

TEST_F(Fading, AfterTheFirstEntryANormalFadeHas65StepsAndAQuickOne33) {
  harness::MouseMove(button);
  EXPECT_EQ(steps, Fade(4, 65));

  steps.clear();
  button->DrawState(TButtonState::MouseOn, false, true);
  EXPECT_EQ(steps, Fade(8, 33));

  steps.clear();
  button->SetEnableAnimation(false);
  button->DrawState(TButtonState::MouseOn);
  EXPECT_EQ(steps, std::vector<int>{255});
}

class Mouse : public ButtonOnForm {
 protected:
  void SetUp() override {
    ButtonOnForm::SetUp();
    SetStatePictures(button);
    form->Take();
  }

  // The colour the screen shows inside the button.
  TColor ShownColor() {
    return harness::PixelAt(*harness::CaptureScreen(form), button->Left() + 5, button->Top() + 5);
  }

  // The cursor the form's window sets for the point under the mouse.
  HCURSOR CursorShown() {
    SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
};

TEST_F(Mouse, AClickLeavesTheNormalPictureUnderThePointer) {
  harness::MouseMove(button);
  EXPECT_EQ(ShownColor(), kMouseOn);
  harness::MouseDown(button);
  EXPECT_EQ(ShownColor(), kMouseDown);
  harness::MouseUp(button);
  EXPECT_EQ(form->Take(), Log({"enter Button1", "down Button1 0 20,10", "click Button1", "up Button1 0 20,10"}));
  EXPECT_TRUE(button->MouseInControl());
  EXPECT_EQ(ShownColor(), kNormal);

  // Only a new entry brings the mouse-on picture back.
  harness::MouseMove(button, 3, 3);
  EXPECT_EQ(ShownColor(), kNormal);
  harness::MoveAway(button);
  harness::MouseMove(button);
  EXPECT_EQ(ShownColor(), kMouseOn);
}

TEST_F(Mouse, AReleaseOutsideIsNoClickAndShowsTheMouseOnPicture) {
  harness::MouseDown(button);
  harness::MouseUp(button, mbLeft, button->Width() + 30, 5);
  EXPECT_EQ(form->Take(), Log({"enter Button1", "down Button1 0 20,10", "leave Button1", "up Button1 0 70,5"}));
  EXPECT_EQ(ShownColor(), kMouseOn);
}

TEST_F(Mouse, OtherButtonsAreIgnored) {
  harness::MouseMove(button);
  harness::MouseDown(button, mbRight);
  harness::MouseUp(button, mbRight);
  EXPECT_EQ(form->Take(), Log({"enter Button1"}));
  EXPECT_EQ(ShownColor(), kMouseOn);
}

TEST_F(Mouse, ADisabledButtonIgnoresInputAndShowsTheArrow) {
  button->SetEnabled(false);
  harness::Click(button);
  harness::MoveAway(button);
  EXPECT_TRUE(form->Take().empty());
  EXPECT_EQ(ShownColor(), kDisabled);

  harness::MouseMove(button);
  EXPECT_EQ(button->Cursor(), crDefault);
  EXPECT_EQ(CursorShown(), LoadCursorW(nullptr, IDC_ARROW));

  button->SetEnabled(true);
  harness::MoveAway(button);
  harness::MouseMove(button);
  EXPECT_EQ(button->Cursor(), crHandPoint);
  EXPECT_EQ(CursorShown(), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(ShownColor(), kMouseOn);
}

}  // namespace
