// Windowless controls: mouse routing by the parent window (enter, leave,
// click, capture, z-order), painting in z-order, windowed clicks, anchors.
#include <gtest/gtest.h>

#include "tests/harness/EventForm.h"
#include "tests/harness/Harness.h"

using harness::Render;

namespace {

const std::string kRoutingLayout = FormLayout(300, 200, R"(  Color = clWhite
  OnClick = ItemClick
  OnMouseDown = ItemDown
  OnMouseUp = ItemUp
  object Back: TShape
    Left = 10
    Top = 10
    Width = 100
    Height = 60
    Brush.Color = clRed
    Pen.Style = psClear
    OnClick = ItemClick
    OnMouseDown = ItemDown
    OnMouseUp = ItemUp
    OnMouseEnter = ItemEnter
    OnMouseLeave = ItemLeave
  end
  object Front: TShape
    Left = 60
    Top = 40
    Width = 100
    Height = 60
    Brush.Color = clBlue
    Pen.Style = psClear
    OnClick = ItemClick
    OnMouseDown = ItemDown
    OnMouseUp = ItemUp
    OnMouseEnter = ItemEnter
    OnMouseLeave = ItemLeave
  end
  object Hidden: TShape
    Left = 200
    Top = 120
    Width = 50
    Height = 50
    Visible = False
    Brush.Color = clLime
    OnClick = ItemClick
    OnMouseDown = ItemDown
    OnMouseEnter = ItemEnter
  end
  object Disabled: TShape
    Left = 200
    Top = 10
    Width = 50
    Height = 50
    Enabled = False
    OnClick = ItemClick
    OnMouseDown = ItemDown
    OnMouseEnter = ItemEnter
  end
  object Picture: TImage
    Left = 200
    Top = 70
    Width = 20
    Height = 20
  end
)");

class Routing : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kRoutingLayout);
    back = harness::Find(form, "Back");
    front = harness::Find(form, "Front");
    form->Take();
  }
  void TearDown() override { form->Free(); }

  TEventForm* form = nullptr;
  TControl* back = nullptr;
  TControl* front = nullptr;
};

TEST_F(Routing, EnterLeaveAndClickGoToTheControlUnderTheMouse) {
  harness::MouseMove(back, 5, 5);
  EXPECT_EQ(form->Take(), Log({"enter Back"}));
  EXPECT_TRUE(back->MouseInControl());

  // Into the part of Front that covers Back.
  harness::MouseMove(front, 10, 10);
  EXPECT_EQ(form->Take(), Log({"leave Back", "enter Front"}));

  harness::Click(front, 10, 10);
  EXPECT_EQ(form->Take(), Log({"down Front 0 10,10", "click Front", "up Front 0 10,10"}));

  harness::MoveAway(front);
  EXPECT_EQ(form->Take(), Log({"leave Front"}));
  EXPECT_FALSE(front->MouseInControl());
}

TEST_F(Routing, TheTopmostControlWinsAndBringToFrontChangesIt) {
  // (70, 50) of the form lies in both shapes.
  harness::Click(front, 10, 10);
  EXPECT_EQ(form->Take(), Log({"enter Front", "down Front 0 10,10", "click Front", "up Front 0 10,10"}));

  back->BringToFront();
  harness::MouseMove(form, 250, 150);
  harness::Click(front, 10, 10);
  EXPECT_EQ(form->Take(),
            Log({"leave Front", "enter Back", "down Back 0 60,40", "click Back", "up Back 0 60,40"}));
}

TEST_F(Routing, PressOutsideThenReleaseInsideIsNoClick) {
  harness::MouseDown(form, mbLeft, 250, 100);  // the form's own background
  harness::MouseMove(front, 5, 5);
  harness::MouseUp(front, mbLeft, 5, 5);
  Log log = form->Take();
  EXPECT_EQ(log.front(), "down Form1 0 250,100");
  EXPECT_EQ(log.back(), "up Form1 0 65,45");  // the release goes to where the press was
  for (const auto& entry : log) EXPECT_EQ(entry.find("click"), std::string::npos) << entry;
}

TEST_F(Routing, PressInsideKeepsTheCaptureAndReleaseOutsideIsNoClick) {
  harness::MouseDown(front, mbLeft, 5, 5);
  EXPECT_EQ(GetCapture(), form->Handle());
  harness::MouseUp(form, mbLeft, 280, 190);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(form->Take(), Log({"enter Front", "down Front 0 5,5", "leave Front", "up Front 0 220,150"}));
}

TEST_F(Routing, RightButtonIsRoutedButDoesNotClick) {
  harness::MouseDown(front, mbRight, 5, 5);
  harness::MouseUp(front, mbRight, 5, 5);
  EXPECT_EQ(form->Take(), Log({"enter Front", "down Front 1 5,5", "up Front 1 5,5"}));
}

TEST_F(Routing, HiddenAndDisabledControlsGetNothing) {
  harness::Click(harness::Find(form, "Hidden"), 10, 10);
  EXPECT_EQ(form->Take(), Log({"down Form1 0 210,130", "click Form1", "up Form1 0 210,130"}));
  harness::Click(harness::Find(form, "Disabled"), 10, 10);
  EXPECT_EQ(form->Take(), Log({"down Form1 0 210,20", "click Form1", "up Form1 0 210,20"}));
}

TEST_F(Routing, HidingTheHoveredControlForgetsItWithoutEvents) {
  harness::MouseMove(front, 50, 50);
  front->Hide();
  harness::MouseMove(form, 150, 90);  // where Front was
  EXPECT_EQ(form->Take(), Log({"enter Front"}));
  EXPECT_FALSE(front->MouseInControl());
}

TEST_F(Routing, DoubleClickRaisesDblClickOnce) {
  front->OnDblClick = [this](TObject* sender) { form->Log.push_back("dblclick " + NameOf(sender)); };
  harness::DblClick(front);
  Log log = form->Take();
  EXPECT_EQ(std::count(log.begin(), log.end(), "dblclick Front"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "click Front"), 1);  // only the first press clicks
}

TEST_F(Routing, ChildrenArePaintedInZOrder) {
  auto shot = Render(form);
  EXPECT_EQ(harness::PixelAt(*shot, 15, 15), clRed);     // Back alone
  EXPECT_EQ(harness::PixelAt(*shot, 70, 50), clBlue);    // overlap: Front on top
  EXPECT_EQ(harness::PixelAt(*shot, 220, 140), clWhite); // Hidden is not painted

  back->BringToFront();
  harness::Find(form, "Hidden")->Show();
  shot = Render(form);
  EXPECT_EQ(harness::PixelAt(*shot, 70, 50), clRed);
  EXPECT_EQ(harness::PixelAt(*shot, 220, 140), clLime);
  harness::SaveScreenshot(*shot, L"framework_zorder");
}

TEST_F(Routing, ChangesReachTheScreenWithoutAnExplicitRepaint) {
  auto* image = harness::Find<TImage>(form, "Picture");
  image->Picture().Assign(*harness::SolidPicture(20, 20, clRed));
  EXPECT_EQ(harness::PixelAt(*harness::CaptureScreen(form), 210, 80), clRed);

  static_cast<TShape*>(back)->Brush().SetColor(clYellow);
  image->Picture().Assign(*harness::SolidPicture(20, 20, clBlue));
  auto screen = harness::CaptureScreen(form);
  EXPECT_EQ(harness::PixelAt(*screen, 15, 15), clYellow);
  EXPECT_EQ(harness::PixelAt(*screen, 210, 80), clBlue);
}

TEST(WindowedControls, APanelClicksOnItsOwnWindowAndAnchorsFollowTheForm) {
  TEventForm* form = MakeForm(FormLayout(300, 200, R"(  object Panel1: TPanel
    Left = 10
    Top = 10
    Width = 100
    Height = 50
    BevelOuter = bvNone
    OnClick = ItemClick
  end
  object Stretched: TPanel
    Left = 10
    Top = 100
    Width = 280
    Height = 20
    Anchors = [akLeft, akTop, akRight]
  end
  object Corner: TLabel
    Left = 250
    Top = 170
    Anchors = [akRight, akBottom]
    Caption = 'grip'
  end
)"));
  harness::Click(form->Panel1);
  EXPECT_EQ(form->Take(), Log({"click Panel1"}));

  form->SetBounds(form->Left(), form->Top(), 400, 260);
  EXPECT_EQ(harness::Find(form, "Stretched")->Width(), 380);
  auto* corner = harness::Find(form, "Corner");
  EXPECT_EQ(corner->Left(), 350);
  EXPECT_EQ(corner->Top(), 230);
  form->Free();
}

TEST(WindowedControls, AResizeHandlerThatFailsWhileAnchoringLeavesTheAnchorsWorking) {
  harness::InitGui();
  auto* parent = new TPanel(nullptr);  // no window: sizes apply at once
  parent->SetBounds(0, 0, 100, 50);
  auto* child = new TPanel(nullptr);
  child->SetParent(parent);
  child->SetBounds(10, 10, 50, 20);
  child->SetAnchors(akLeft | akTop | akRight);
  child->OnResize = [](TObject*) { throw std::runtime_error("resize failed"); };
  EXPECT_THROW(parent->SetWidth(120), std::runtime_error);
  child->OnResize = nullptr;
  // An explicit change records the anchors afresh, as it did before the failure.
  child->SetBounds(5, 10, 40, 20);
  parent->SetWidth(140);
  EXPECT_EQ(child->BoundsRect(), Bounds(5, 10, 60, 20));
  parent->Free();
}

TEST(WindowedControls, ParentFontAndColourReachChildrenUntilTheyChooseTheirOwn) {
  TEventForm* form = MakeForm(FormLayout(200, 100, R"(  Color = $00D58B3A
  Font.Name = 'Tahoma'
  Font.Height = -14
  Font.Style = [fsBold]
  object Label1: TLabel
    Caption = 'follows'
  end
  object Own: TLabel
    Top = 30
    Caption = 'own'
    Font.Color = clRed
  end
  object Pane: TPanel
    Left = 100
    Width = 40
    Height = 40
    Color = clWhite
  end
)"));
  EXPECT_EQ(form->Label1->Font().Height(), -14);
  EXPECT_EQ(form->Label1->Font().Style(), fsBold);
  EXPECT_EQ(form->Label1->Color(), 0x00D58B3Au);
  // A child that changes its font keeps what it took from the parent and
  // stops following it.
  auto* own = harness::Find(form, "Own");
  EXPECT_FALSE(own->ParentFont());
  EXPECT_EQ(own->Font().Color(), clRed);

  form->Font().SetHeight(-20);
  EXPECT_EQ(form->Label1->Font().Height(), -20);
  EXPECT_EQ(own->Font().Height(), -14);

  // Child windows repaint too, since they may show the parent behind them.
  auto* pane = harness::Find<TWinControl>(form, "Pane");
  harness::Pump();
  ValidateRect(pane->Handle(), nullptr);
  form->SetColor(clGreen);
  EXPECT_TRUE(GetUpdateRect(pane->Handle(), nullptr, FALSE));
  form->Free();
}

TEST_F(Routing, APaintMessageWithItsOwnDCPaintsTheParentBehindAChild) {
  // What a transparent windowed child does to show its parent behind it:
  // the parent paints into the child's DC, moved by the child's position.
  TBitmap behind(40, 30);
  HDC dc = behind.Canvas().Handle();
  int saved = SaveDC(dc);
  SetViewportOrgEx(dc, -50, -30, nullptr);  // a child at (50, 30) of the form
  IntersectClipRect(dc, 50, 30, 90, 60);
  SendMessageW(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  EXPECT_EQ(harness::PixelAt(behind, 5, 5), clRed);     // form (55, 35): Back
  EXPECT_EQ(harness::PixelAt(behind, 15, 15), clBlue);  // form (65, 45): Front over Back
}

TEST(Labels, AutoSizeFollowsTheTextAndKeepsTheRightEdgeOfRightAlignedText) {
  TEventForm* form = MakeForm(FormLayout(200, 100, R"(  object Label1: TLabel
    Left = 100
    Top = 10
    Caption = 'short'
  end
  object Right: TLabel
    Left = 100
    Top = 40
    Width = 80
    AutoSize = False
    Alignment = taRightJustify
    Caption = 'x'
  end
)"), false);
  TLabel* label = form->Label1;
  const int shortWidth = label->Width();
  EXPECT_GT(shortWidth, 0);
  label->SetCaption(L"a much longer caption");
  EXPECT_GT(label->Width(), shortWidth);
  EXPECT_EQ(label->Left(), 100);

  auto* right = harness::Find<TLabel>(form, "Right");
  EXPECT_EQ(right->Width(), 80);  // AutoSize off: the bounds stay
  right->SetAutoSize(true);
  EXPECT_EQ(right->Left() + right->Width(), 180);
  EXPECT_LT(right->Width(), 80);
  form->Free();
}

}  // namespace
