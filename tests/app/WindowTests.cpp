// The frameless main window: resize regions, minimum size, maximise and
// restore, the tab row with its job guard, and the skins.
#include "app/Main.h"
#include "app/Startup.h"
#include "app/frmRes.h"
#include "controls/XImageButtonPicList.h"
#include "engine/My_Global.h"
#include "tests/app/Program.h"
#include "tests/doubles/MobrelDouble.h"
#include "tests/harness/Harness.h"

#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { program::Start(); }
  void SetUp() override {
    mobrel_double::Reset();
    frmMain->SetBounds(100, 80, 700, 524);
    harness::Pump();
  }
  static LRESULT HitAt(int x, int y) {
    POINT p{x, y};
    ClientToScreen(frmMain->Handle(), &p);
    return SendMessageW(frmMain->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  }
};

TEST_F(MainWindow, EdgesAndCornersResizeAndTheRestIsClientArea) {
  const int w = 700, h = 524;
  struct {
    int X, Y;
    LRESULT Result;
  } const cases[] = {
      {0, 0, HTTOPLEFT},          {7, 7, HTTOPLEFT},          {8, 0, HTTOP},
      {8, 2, HTTOP},              {w - 9, 2, HTTOP},          {8, 3, HTCLIENT},
      {w - 9, 3, HTCLIENT},       {w - 8, 0, HTTOPRIGHT},     {w - 1, 7, HTTOPRIGHT},
      {w - 1, 8, HTRIGHT},        {w - 8, h - 9, HTRIGHT},    {0, 8, HTLEFT},
      {7, h - 9, HTLEFT},         {0, h - 8, HTBOTTOMLEFT},   {7, h - 1, HTBOTTOMLEFT},
      {8, h - 8, HTBOTTOM},       {w - 9, h - 1, HTBOTTOM},   {w - 8, h - 8, HTBOTTOMRIGHT},
      {w - 1, h - 1, HTBOTTOMRIGHT}, {8, 8, HTCLIENT},        {350, 28, HTCLIENT}};
  for (const auto& c : cases) EXPECT_EQ(HitAt(c.X, c.Y), c.Result) << "at " << c.X << "," << c.Y;

  MINMAXINFO info{};
  EXPECT_EQ(SendMessageW(frmMain->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.ptMinTrackSize.x, 700);
  EXPECT_EQ(info.ptMinTrackSize.y, 524);
}

TEST_F(MainWindow, MaximisesOverTheWidenedWorkAreaAndRestoresTheExactBounds) {
  MONITORINFO monitor{sizeof(monitor)};
  GetMonitorInfoW(MonitorFromWindow(frmMain->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  harness::Click(frmMain->btnMax);
  RECT r;
  GetWindowRect(frmMain->Handle(), &r);
  EXPECT_EQ(r.left, work.left - 2);
  EXPECT_EQ(r.top, work.top - 2);
  EXPECT_EQ(r.right, work.right + 2);
  EXPECT_EQ(r.bottom, work.bottom - 1);
  EXPECT_FALSE(frmMain->btnMax->Visible());
  EXPECT_TRUE(frmMain->btnRestore->Visible());
  EXPECT_EQ(frmMain->btnRestore->Left(), 627 + r.right - r.left - 700) << "anchored to the right";
  // The library hears of the new size; the corners no longer resize.
  auto style = mobrel_double::CallsOf("FormStyle");
  ASSERT_FALSE(style.empty());
  EXPECT_EQ(style.back().Object, frmMain);
  EXPECT_FALSE(mobrel_double::CallsOf("ChangeSize").empty());
  EXPECT_EQ(HitAt(0, 0), HTCLIENT);
  EXPECT_EQ(frmMain->imgRBJiao4->Left(), r.right - r.left - 11) << "the grip stays in the corner";

  harness::Click(frmMain->btnRestore);
  GetWindowRect(frmMain->Handle(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 524);
  EXPECT_TRUE(frmMain->btnMax->Visible());
  EXPECT_FALSE(frmMain->btnRestore->Visible());
  EXPECT_EQ(HitAt(0, 0), HTTOPLEFT);

  // A double click on the caption maximises, another restores. (Its first
  // press would start the system's move loop, which waits for the real mouse.)
  const LPARAM caption = MAKELPARAM(frmMain->lblCaption->Left() + 5, frmMain->lblCaption->Top() + 5);
  SendMessageW(frmMain->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, caption);
  SendMessageW(frmMain->Handle(), WM_LBUTTONUP, 0, caption);
  EXPECT_FALSE(frmMain->NotMaximized());
  frmMain->FormDblClick(frmMain->lblCaption);
  EXPECT_TRUE(frmMain->NotMaximized());
  EXPECT_EQ(frmMain->Left(), 100);
}

TEST_F(MainWindow, TabsSwitchPagesAndTheSelectedTabIsDisabled) {
  harness::Click(frmMain->btnFunc3);
  EXPECT_EQ(frmMain->Page(), 3);
  EXPECT_TRUE(frmMain->panOurProducts->Visible());
  for (TPanel* page : {frmMain->panMain, frmMain->PanMerge, frmMain->panMobrel}) EXPECT_FALSE(page->Visible());
  EXPECT_FALSE(frmMain->btnFunc3->Enabled());
  for (auto* tab : {frmMain->btnFunc1, frmMain->btnFunc2, frmMain->btnFunc4}) EXPECT_TRUE(tab->Enabled());
  // The selected tab lies over both neighbours.
  const int top = frmMain->ControlCount() - 1;
  EXPECT_EQ(frmMain->Controls(top), frmMain->btnFunc3);
  EXPECT_EQ(frmMain->Controls(top - 1), frmMain->btnFunc1);

  // A click on another tab that arrives while a page is being shown
  // selects its page in the end, and the tabs name the page shown.
  const LPARAM at = MAKELPARAM(frmMain->btnFunc4->Left() + frmMain->btnFunc4->Width() / 2,
                               frmMain->btnFunc4->Top() + frmMain->btnFunc4->Height() / 2);
  for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
    PostMessageW(frmMain->Handle(), msg, msg == WM_LBUTTONDOWN, at);
  harness::Click(frmMain->btnFunc2);
  harness::Pump();
  EXPECT_EQ(frmMain->Page(), 4);
  EXPECT_TRUE(frmMain->panMobrel->Visible());
  EXPECT_FALSE(frmMain->btnFunc4->Enabled());
  EXPECT_TRUE(frmMain->btnFunc2->Enabled());

  harness::Click(frmMain->btnFunc1);
  EXPECT_EQ(frmMain->Page(), 1);
  EXPECT_TRUE(frmMain->panMain->Visible());
  EXPECT_TRUE(mobrel_double::CallsOf("MessageBox").empty());
}

TEST_F(MainWindow, ATabDeclinedWhileAJobRunsChangesNothing) {
  program::TRunningJob job;  // a split
  // The merge page asks to stop the split; No leaves everything as it was.
  harness::QueueMessageBoxAnswer(IDNO);
  harness::Click(frmMain->btnFunc2);
  auto calls = mobrel_double::CallsOf("MessageBox");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Text, L"Do you want to stop the current work?");
  EXPECT_EQ(frmMain->Page(), 1);
  EXPECT_TRUE(frmMain->panMain->Visible());
  EXPECT_FALSE(frmMain->PanMerge->Visible());
  EXPECT_FALSE(frmMain->btnFunc1->Enabled());
  EXPECT_TRUE(frmMain->btnFunc2->Enabled());
  EXPECT_EQ(PauseRequest.load(), 0);
  EXPECT_EQ(CancelRequest.load(), 0);
  EXPECT_TRUE(harness::PumpUntil([] { return WorkerState.load() == wsRunning; }, 1000));
}

TEST_F(MainWindow, TheRefreshMessageReappliesTheDerivedCaptionsAndPlaces) {
  TLabel* fileName = frmResource->MessageLabel(20);
  const std::wstring original = fileName->Caption();
  fileName->SetCaption(L"Part");
  frmMain->Info_2_lb->SetWidth(frmMain->Info_2_lb->Width() + 10);
  SendMessageW(frmMain->Handle(), WM_REFRESHLAYOUT, 0, 0);
  EXPECT_EQ(frmMain->Merge_list->Column(0).Caption(), L"Part");
  EXPECT_EQ(frmMain->lb_2->Left(), frmMain->Info_2_lb->Left() + frmMain->Info_2_lb->Width() + 4);
  fileName->SetCaption(original);
  frmMain->Info_2_lb->SetWidth(frmMain->Info_2_lb->Width() - 10);
  SendMessageW(frmMain->Handle(), WM_REFRESHLAYOUT, 0, 0);
  EXPECT_EQ(frmMain->Merge_list->Column(0).Caption(), original);
}

// The colour of a picture's pixel where it is opaque, as the screen shows it.
TColor OpaquePixel(const TPicture& picture, int& x, int& y) {
  const auto* png = picture.GraphicAs<TPngImage>();
  for (y = 0; y < png->Height(); ++y)
    for (x = png->Width() / 4; x < png->Width() / 2; ++x)
      if (png->AlphaScanline(y)[x] == 255) return harness::PngPixel(*png, x, y);
  ADD_FAILURE() << "no opaque pixel";
  return clNone;
}

TEST_F(MainWindow, ASkinRecoloursFrameTabsGripAndSettingsPanelAndTheSkinInUseChangesNothing) {
  ASSERT_EQ(CurrentSkin, 1);
  harness::Pump();
  ValidateRect(frmMain->Handle(), nullptr);
  frmMain->btnSkinBlueClick(frmMain->btnSkinBlue);
  EXPECT_FALSE(GetUpdateRect(frmMain->Handle(), nullptr, FALSE)) << "no repaint";
  EXPECT_TRUE(mobrel_double::CallsOf("SetSkin").empty());

  harness::Click(frmMain->btnSkinRed);
  EXPECT_EQ(CurrentSkin, 5);
  auto calls = mobrel_double::CallsOf("SetSkin");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Style, static_cast<uint32_t>(fRed));
  auto screen = harness::CaptureScreen(frmMain);
  TBitmap& frame = frmResource->imgBKRed->Picture().Bitmap();
  const int w = frmMain->Width(), h = frmMain->Height();
  EXPECT_EQ(harness::PixelAt(*screen, 2, 2), frame.Canvas().Pixel(2, 2));
  EXPECT_EQ(harness::PixelAt(*screen, w - 3, h - 3), frame.Canvas().Pixel(18, 18));
  EXPECT_EQ(harness::PixelAt(*screen, 2, h - 3), frame.Canvas().Pixel(2, 18));
  EXPECT_EQ(harness::PixelAt(*screen, 300, 28), 0x003A3ACCu) << "the form colour";
  // The white page area with its grey top and left lines.
  EXPECT_EQ(harness::PixelAt(*screen, 300, 65), 0x00666666u);
  EXPECT_EQ(harness::PixelAt(*screen, 14, 300), 0x00666666u);
  EXPECT_EQ(harness::PixelAt(*screen, 300, 68), clWhite);
  EXPECT_EQ(harness::PixelAt(*screen, 300, h - 34), clWhite);
  auto* tabs = harness::Find<TXImageButtonPicList>(frmResource, "imgListTab");
  int x = 0, y = 0;
  const TColor tab = OpaquePixel(tabs->Picture(fRed, TButtonState::Normal), x, y);
  EXPECT_EQ(harness::PixelAt(*screen, frmMain->btnFunc2->Left() + x, frmMain->btnFunc2->Top() + y), tab);
  const TColor selected = OpaquePixel(tabs->Picture(fRed, TButtonState::Disabled), x, y);
  EXPECT_EQ(harness::PixelAt(*screen, frmMain->btnFunc1->Left() + x, frmMain->btnFunc1->Top() + y), selected);
  EXPECT_TRUE(frmMain->imgRBJiao2->Visible());
  for (TImage* grip : {frmMain->imgRBJiao1, frmMain->imgRBJiao3, frmMain->imgRBJiao4, frmMain->imgRBJiao5})
    EXPECT_FALSE(grip->Visible());
  // The split page's settings panel: its colour, the light strip behind the
  // plan and the rounded corners, all in Red.
  const TPoint panel = frmMain->ScreenToClient(frmMain->Panel1->ClientToScreen(TPoint{0, 0}));
  auto atPanel = [&](int x, int y) { return harness::PixelAt(*screen, panel.X + x, panel.Y + y); };
  EXPECT_EQ(atPanel(300, 10), 0x009B9BFFu);
  EXPECT_EQ(atPanel(200, 89), 0x00E1E1FFu);
  const int pw = frmMain->Panel1->Width(), ph = frmMain->Panel1->Height();
  for (int x : {0, 2, 4}) {
    EXPECT_EQ(atPanel(x, 0), harness::PngPixel(frmMain->left_top->Images(1), x, 0));
    EXPECT_EQ(atPanel(pw - 5 + x, ph - 1), harness::PngPixel(frmMain->right_b->Images(1), x, 4));
  }
  EXPECT_EQ(atPanel(0, 0), clWhite) << "a rounded corner";
  harness::SaveScreenshot(*screen, L"main-red");

  harness::Click(frmMain->btnSkinBlue);
  EXPECT_EQ(harness::PixelAt(*harness::CaptureScreen(frmMain), 300, 28), 0x00D58B3Au);
}

TEST_F(MainWindow, TheHomePageLabelUnderlinesAndVisitsThePage) {
  harness::MouseMove(frmMain->lblWebsiteURL);
  EXPECT_TRUE(frmMain->lblWebsiteURL->Font().Style() & fsUnderline);
  harness::Click(frmMain->lblWebsiteURL);
  EXPECT_EQ(mobrel_double::CallsOf("VisitHomePage").size(), 1u);
  harness::MoveAway(frmMain->lblWebsiteURL);
  EXPECT_EQ(frmMain->lblWebsiteURL->Font().Style(), 0);
  EXPECT_EQ(frmMain->lblWebsiteURL->Font().Color(), clWhite);

  // Over a skin button its hint comes at once.
  harness::MouseMove(frmMain->btnSkinGreen);
  EXPECT_EQ(Application->HintPause(), 0);
  harness::MoveAway(frmMain->btnSkinGreen);
  EXPECT_EQ(Application->HintPause(), 800);
}

}  // namespace
